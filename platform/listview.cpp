// CListCtrl: the list view's messages as member functions.
#include "platform/listview.h"

#include <algorithm>

namespace {

LPARAM Param(const void* p) { return reinterpret_cast<LPARAM>(p); }

} // namespace

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CListCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(dwExStyle, WC_LISTVIEW, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    return dynamic_cast<CHeaderCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER))));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dwNewStyle)));
}

int CListCtrl::InsertColumn(int nCol, const std::string& strHeading, int nFormat, int nWidth, int nSubItem)
{
    std::string strText = strHeading;
    LVCOLUMN column;
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = strText.data();
    column.fmt = nFormat;
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return InsertColumn(nCol, &column);
}

int CListCtrl::InsertColumn(int nCol, const LVCOLUMN* pColumn)
{
    return nCol < 0 ? -1 : static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(nCol), Param(pColumn)));
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    return nCol >= 0 && SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(nCol)) ? TRUE : FALSE;
}

BOOL CListCtrl::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    return nCol >= 0 && SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(nCol), Param(pColumn)) ? TRUE : FALSE;
}

BOOL CListCtrl::SetColumn(int nCol, const LVCOLUMN* pColumn)
{
    return nCol >= 0 && SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(nCol), Param(pColumn)) ? TRUE : FALSE;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return nCol < 0 ? 0 : static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(nCol)));
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    return nCol >= 0 && SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(nCol), cx) ? TRUE : FALSE;
}

int CListCtrl::InsertItem(int nItem, const std::string& strItem)
{
    std::string strText = strItem;
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = strText.data();
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEM* pItem) { return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, Param(pItem))); }

BOOL CListCtrl::SetItem(const LVITEM* pItem) { return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, Param(pItem))); }

BOOL CListCtrl::GetItem(LVITEM* pItem) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMW, 0, Param(pItem))); }

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const std::string& strText)
{
    if (nItem < 0)
        return FALSE;
    std::string strCopy = strText;
    LVITEM item;
    item.iSubItem = nSubItem;
    item.pszText = strCopy.data();
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(nItem), Param(&item)));
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    if (nItem < 0)
        return {};
    // Texts are short; a buffer that fills up is doubled until the text fits.
    for (std::size_t nSize = 256;; nSize *= 2) {
        std::string strText(nSize, '\0');
        LVITEM item;
        item.iSubItem = nSubItem;
        item.pszText = strText.data();
        item.cchTextMax = static_cast<int>(nSize);
        const auto nCopied = static_cast<std::size_t>(SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(nItem), Param(&item)));
        if (nCopied + 4 < nSize || nSize >= (1u << 20)) {
            strText.resize(std::min(nCopied, nSize));
            return strText;
        }
    }
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = static_cast<LPARAM>(dwData);
    return SetItem(&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::DeleteItem(int nItem)
{
    return nItem >= 0 && SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(nItem)) ? TRUE : FALSE;
}

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEM item;
    item.state = nState;
    item.stateMask = nMask;
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(static_cast<INT_PTR>(nItem)), Param(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return nItem < 0 ? 0 : static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(nItem), nMask));
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(static_cast<INT_PTR>(nItem)), nFlags));
}

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    const int nItem = GetNextItem(-1, LVNI_SELECTED);
    return nItem < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(nItem) + 1);
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    if (!pos)
        return -1;
    const int nItem = static_cast<int>(reinterpret_cast<std::uintptr_t>(pos) - 1);
    const int nNext = GetNextItem(nItem, LVNI_SELECTED);
    pos = nNext < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(nNext) + 1);
    return nItem;
}

int CListCtrl::GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }

int CListCtrl::SetSelectionMark(int nIndex) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, nIndex)); }

COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }

BOOL CListCtrl::SetTextColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(cr))); }

COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }

BOOL CListCtrl::SetBkColor(COLORREF cr) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(cr))); }

COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }

BOOL CListCtrl::SetTextBkColor(COLORREF cr)
{
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(cr)));
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    if (!lpRect || nItem < 0)
        return FALSE;
    lpRect->left = static_cast<int>(nCode);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(nItem), Param(lpRect)));
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const
{
    if (nItem < 0)
        return FALSE;
    rect.top = nSubItem;
    rect.left = nArea;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(nItem), Param(&rect)));
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO info;
    info.pt = pt;
    const int nItem = static_cast<int>(SendMessage(LVM_HITTEST, 0, Param(&info)));
    if (pFlags)
        *pFlags = info.flags;
    return nItem;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* pInfo) const
{
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, Param(pInfo)));
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(nItem), bPartialOK));
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy)); }
