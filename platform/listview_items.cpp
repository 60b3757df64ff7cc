// The list view's columns, items, states, colours and geometry messages (LVM_).
#include <algorithm>
#include <utility>

#include "platform/listview_state.h"

namespace velk::platform {

namespace {

constexpr int kDefaultColumnWidth = 100;

bool ValidItem(const CListViewState& state, WPARAM nItem) { return nItem < state.items.size(); }
bool ValidItem(const CListViewState& state, int nItem) { return nItem >= 0 && ValidItem(state, static_cast<WPARAM>(nItem)); }

void Changed(HWND hWnd, CListViewState& state)
{
    UpdateListScrollBar(hWnd, state);
    InvalidateRows(hWnd, state);
}

void MirrorColumn(const CListViewState& state, std::size_t nIndex, UINT nMessage)
{
    if (!state.hHeader)
        return;
    const CListColumn& column = state.columns[nIndex];
    std::string strText = column.strText;
    HDITEM item;
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = strText.data();
    item.cxy = column.nWidth;
    item.fmt = (column.nFormat & LVCFMT_JUSTIFYMASK) | HDF_STRING;
    ::SendMessage(state.hHeader, nMessage, nIndex, reinterpret_cast<LPARAM>(&item));
}

void ApplyColumn(CListColumn& column, const LVCOLUMN& lvc)
{
    if (lvc.mask & LVCF_TEXT)
        column.strText = TextIn(lvc.pszText);
    if (lvc.mask & LVCF_WIDTH)
        column.nWidth = std::max(lvc.cx, 0);
    if (lvc.mask & LVCF_FMT)
        column.nFormat = lvc.fmt;
    if (lvc.mask & LVCF_SUBITEM)
        column.nSubItem = std::max(lvc.iSubItem, 0);
}

LRESULT OnColumn(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pColumn = reinterpret_cast<LVCOLUMN*>(lParam);
    const bool bValid = wParam < state.columns.size();
    switch (message) {
    case LVM_INSERTCOLUMNW: {
        if (!pColumn)
            return -1;
        const std::size_t nIndex = std::min<std::size_t>(wParam, state.columns.size());
        CListColumn column;
        column.nWidth = kDefaultColumnWidth;
        column.nSubItem = static_cast<int>(nIndex);
        ApplyColumn(column, *pColumn);
        state.columns.insert(state.columns.begin() + static_cast<std::ptrdiff_t>(nIndex), column);
        MirrorColumn(state, nIndex, HDM_INSERTITEMW);
        LayoutList(hWnd, state);
        return static_cast<LRESULT>(nIndex);
    }
    case LVM_DELETECOLUMN:
        if (!bValid)
            return FALSE;
        state.columns.erase(state.columns.begin() + static_cast<std::ptrdiff_t>(wParam));
        if (state.hHeader)
            ::SendMessage(state.hHeader, HDM_DELETEITEM, wParam, 0);
        LayoutList(hWnd, state);
        return TRUE;
    case LVM_GETCOLUMNW: {
        if (!bValid || !pColumn)
            return FALSE;
        const CListColumn& column = state.columns[wParam];
        if (pColumn->mask & LVCF_TEXT)
            TextOut(column.strText, pColumn->pszText, pColumn->cchTextMax);
        if (pColumn->mask & LVCF_WIDTH)
            pColumn->cx = column.nWidth;
        if (pColumn->mask & LVCF_FMT)
            pColumn->fmt = column.nFormat;
        if (pColumn->mask & LVCF_SUBITEM)
            pColumn->iSubItem = column.nSubItem;
        return TRUE;
    }
    case LVM_SETCOLUMNW:
        if (!bValid || !pColumn)
            return FALSE;
        ApplyColumn(state.columns[wParam], *pColumn);
        MirrorColumn(state, wParam, HDM_SETITEMW);
        LayoutList(hWnd, state);
        return TRUE;
    case LVM_GETCOLUMNWIDTH: return bValid ? state.columns[wParam].nWidth : 0;
    case LVM_SETCOLUMNWIDTH: {
        if (!bValid)
            return FALSE;
        state.columns[wParam].nWidth = std::max(static_cast<int>(lParam), 0);
        MirrorColumn(state, wParam, HDM_SETITEMW);
        LayoutList(hWnd, state);
        return TRUE;
    }
    default: return 0;
    }
}

void ShiftIndices(CListViewState& state, int nFrom, int nBy)
{
    for (int* pIndex : {&state.nFocus, &state.nAnchor, &state.nMark, &state.nPressedItem}) {
        if (*pIndex >= nFrom)
            *pIndex += nBy;
        else if (nBy < 0 && *pIndex == nFrom + nBy)
            *pIndex = -1;
    }
}

void ApplyItem(HWND hWnd, CListViewState& state, int nItem, const LVITEM& lvi)
{
    CListItem& item = state.items[static_cast<std::size_t>(nItem)];
    if (lvi.mask & LVIF_TEXT) {
        const std::size_t nSubItem = static_cast<std::size_t>(std::max(lvi.iSubItem, 0));
        if (item.texts.size() <= nSubItem)
            item.texts.resize(nSubItem + 1);
        item.texts[nSubItem] = TextIn(lvi.pszText);
    }
    if (lvi.iSubItem != 0)
        return;
    if (lvi.mask & LVIF_PARAM)
        item.lParam = lvi.lParam;
    if (lvi.mask & LVIF_STATE) {
        if (lvi.stateMask & LVIS_SELECTED) {
            const bool bSelect = (lvi.state & LVIS_SELECTED) != 0;
            if (bSelect && (CWnd::FromHandle(hWnd)->GetStyle() & LVS_SINGLESEL))
                SelectOnly(hWnd, state, nItem);
            else
                SetItemSelected(hWnd, state, nItem, bSelect);
        }
        if (lvi.stateMask & LVIS_FOCUSED) {
            if (lvi.state & LVIS_FOCUSED)
                state.nFocus = nItem;
            else if (state.nFocus == nItem)
                state.nFocus = -1;
        }
    }
}

LRESULT OnItem(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pItem = reinterpret_cast<LVITEM*>(lParam);
    switch (message) {
    case LVM_INSERTITEMW: {
        if (!pItem || pItem->iSubItem != 0)
            return -1;
        const int nIndex = std::clamp(pItem->iItem, 0, static_cast<int>(state.items.size()));
        state.items.insert(state.items.begin() + nIndex, CListItem{{std::string()}, 0, 0});
        ShiftIndices(state, nIndex, 1);
        ApplyItem(hWnd, state, nIndex, *pItem);
        Changed(hWnd, state);
        return nIndex;
    }
    case LVM_SETITEMW:
        if (!pItem || !ValidItem(state, pItem->iItem) || pItem->iSubItem < 0)
            return FALSE;
        ApplyItem(hWnd, state, pItem->iItem, *pItem);
        InvalidateRows(hWnd, state);
        return TRUE;
    case LVM_GETITEMW: {
        if (!pItem || !ValidItem(state, pItem->iItem))
            return FALSE;
        const CListItem& item = state.items[static_cast<std::size_t>(pItem->iItem)];
        if (pItem->mask & LVIF_TEXT)
            TextOut(ItemText(state, pItem->iItem, pItem->iSubItem), pItem->pszText, pItem->cchTextMax);
        if (pItem->mask & LVIF_PARAM)
            pItem->lParam = item.lParam;
        if (pItem->mask & LVIF_STATE)
            pItem->state = (item.nState | (pItem->iItem == state.nFocus ? LVIS_FOCUSED : 0)) & pItem->stateMask;
        return TRUE;
    }
    case LVM_SETITEMTEXTW: {
        if (!pItem || !ValidItem(state, wParam) || pItem->iSubItem < 0)
            return FALSE;
        LVITEM text = *pItem;
        text.mask = LVIF_TEXT;
        ApplyItem(hWnd, state, static_cast<int>(wParam), text);
        InvalidateRows(hWnd, state);
        return TRUE;
    }
    case LVM_GETITEMTEXTW:
        if (!pItem || !ValidItem(state, wParam))
            return 0;
        return TextOut(ItemText(state, static_cast<int>(wParam), pItem->iSubItem), pItem->pszText, pItem->cchTextMax);
    case LVM_DELETEITEM:
        if (!ValidItem(state, wParam))
            return FALSE;
        state.items.erase(state.items.begin() + static_cast<std::ptrdiff_t>(wParam));
        ShiftIndices(state, static_cast<int>(wParam) + 1, -1);
        Changed(hWnd, state);
        return TRUE;
    case LVM_DELETEALLITEMS:
        state.items.clear();
        state.nFocus = state.nAnchor = state.nMark = state.nPressedItem = -1;
        state.nTopIndex = 0;
        Changed(hWnd, state);
        return TRUE;
    default: return 0;
    }
}

int NextItem(const CListViewState& state, int nStart, UINT nFlags)
{
    const int nCount = static_cast<int>(state.items.size());
    const int nStep = (nFlags & LVNI_ABOVE) ? -1 : 1;
    for (int i = nStart < 0 ? (nStep > 0 ? 0 : nCount - 1) : nStart + nStep; i >= 0 && i < nCount; i += nStep) {
        const bool bSelected = state.items[static_cast<std::size_t>(i)].nState & LVIS_SELECTED;
        if ((nFlags & LVNI_SELECTED) && !bSelected)
            continue;
        if ((nFlags & LVNI_FOCUSED) && i != state.nFocus)
            continue;
        return i;
    }
    return -1;
}

LRESULT OnState(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_SETITEMSTATE: {
        auto* pItem = reinterpret_cast<LVITEM*>(lParam);
        const int nItem = static_cast<int>(static_cast<INT_PTR>(wParam));
        if (!pItem || (nItem != -1 && !ValidItem(state, nItem)))
            return FALSE;
        LVITEM change = *pItem;
        change.mask = LVIF_STATE;
        change.iSubItem = 0;
        for (int i = nItem == -1 ? 0 : nItem; i < (nItem == -1 ? static_cast<int>(state.items.size()) : nItem + 1); ++i)
            ApplyItem(hWnd, state, i, change);
        InvalidateRows(hWnd, state);
        return TRUE;
    }
    case LVM_GETITEMSTATE:
        if (!ValidItem(state, wParam))
            return 0;
        return static_cast<LRESULT>((state.items[wParam].nState | (static_cast<int>(wParam) == state.nFocus ? LVIS_FOCUSED : 0)) &
                                    static_cast<UINT>(lParam));
    case LVM_GETNEXTITEM: return NextItem(state, static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<UINT>(lParam));
    case LVM_GETSELECTEDCOUNT:
        return std::count_if(state.items.begin(), state.items.end(), [](const CListItem& item) { return item.nState & LVIS_SELECTED; });
    case LVM_GETSELECTIONMARK: return state.nMark;
    case LVM_SETSELECTIONMARK: return std::exchange(state.nMark, static_cast<int>(lParam));
    default: return 0;
    }
}

CRect SubItemRect(HWND hWnd, CListViewState& state, int nItem, int nColumn)
{
    CRect rc = ItemBounds(hWnd, state, nItem);
    for (int c = 0; c < nColumn; ++c)
        rc.left += state.columns[static_cast<std::size_t>(c)].nWidth;
    rc.right = rc.left + state.columns[static_cast<std::size_t>(nColumn)].nWidth;
    return rc;
}

LRESULT OnGeometry(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_GETITEMRECT: {
        auto* pRect = reinterpret_cast<RECT*>(lParam);
        if (!pRect || !ValidItem(state, wParam))
            return FALSE;
        const int nCode = pRect->left;
        CRect rc = ItemBounds(hWnd, state, static_cast<int>(wParam));
        if ((nCode == LVIR_LABEL || nCode == LVIR_ICON) && !state.columns.empty())
            rc = SubItemRect(hWnd, state, static_cast<int>(wParam), 0);
        if (nCode == LVIR_ICON)
            rc.right = rc.left;
        *pRect = rc;
        return TRUE;
    }
    case LVM_GETSUBITEMRECT: {
        auto* pRect = reinterpret_cast<RECT*>(lParam);
        if (!pRect || !ValidItem(state, wParam) || pRect->top < 0 || pRect->top >= static_cast<int>(state.columns.size()))
            return FALSE;
        *pRect = SubItemRect(hWnd, state, static_cast<int>(wParam), pRect->top);
        return TRUE;
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* pInfo = reinterpret_cast<LVHITTESTINFO*>(lParam);
        if (!pInfo)
            return -1;
        int nColumn = -1;
        pInfo->iItem = HitItem(hWnd, state, pInfo->pt, &nColumn);
        pInfo->iSubItem = nColumn >= 0 ? state.columns[static_cast<std::size_t>(nColumn)].nSubItem : 0;
        const CRect rcArea = RowsArea(hWnd, state);
        pInfo->flags = pInfo->iItem >= 0 ? LVHT_ONITEMLABEL
                       : nColumn < 0 && pInfo->pt.x >= 0 ? LVHT_TORIGHT
                       : pInfo->pt.y >= rcArea.top ? LVHT_NOWHERE | LVHT_BELOW : LVHT_NOWHERE;
        return pInfo->iItem;
    }
    case LVM_ENSUREVISIBLE: EnsureItemVisible(hWnd, state, static_cast<int>(wParam), lParam != 0); return TRUE;
    case LVM_GETTOPINDEX: return state.nTopIndex;
    case LVM_GETCOUNTPERPAGE: return RowsPerPage(hWnd, state);
    case LVM_SCROLL: ScrollListTo(hWnd, state, state.nTopIndex + static_cast<int>(lParam) / RowHeight(hWnd, state)); return TRUE;
    default: return 0;
    }
}

LRESULT OnLook(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto set = [&](COLORREF& clr) {
        clr = static_cast<COLORREF>(lParam);
        CWnd::FromHandle(hWnd)->Invalidate(FALSE);
        return TRUE;
    };
    switch (message) {
    case LVM_SETTEXTCOLOR: return set(state.crText);
    case LVM_GETTEXTCOLOR: return state.crText;
    case LVM_SETBKCOLOR: return set(state.crBk);
    case LVM_GETBKCOLOR: return state.crBk;
    case LVM_SETTEXTBKCOLOR: return set(state.crTextBk);
    case LVM_GETTEXTBKCOLOR: return state.crTextBk;
    case LVM_GETHEADER: return reinterpret_cast<LRESULT>(state.hHeader);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return state.dwExStyle;
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD dwMask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFFu;
        const DWORD dwOld = state.dwExStyle;
        state.dwExStyle = (dwOld & ~dwMask) | (static_cast<DWORD>(lParam) & dwMask);
        LayoutList(hWnd, state);
        return dwOld;
    }
    default: return 0;
    }
}

} // namespace

void SetItemSelected(HWND, CListViewState& state, int nItem, bool bSelected)
{
    UINT& nState = state.items[static_cast<std::size_t>(nItem)].nState;
    nState = bSelected ? (nState | LVIS_SELECTED) : (nState & ~LVIS_SELECTED);
}

void SelectOnly(HWND hWnd, CListViewState& state, int nItem) { SelectRange(hWnd, state, nItem, nItem, false); }

void ClearSelection(HWND hWnd, CListViewState& state)
{
    for (int i = 0; i < static_cast<int>(state.items.size()); ++i)
        SetItemSelected(hWnd, state, i, false);
    InvalidateRows(hWnd, state);
}

void SelectRange(HWND hWnd, CListViewState& state, int nFrom, int nTo, bool bKeepOthers)
{
    const int nLow = std::min(nFrom, nTo);
    const int nHigh = std::max(nFrom, nTo);
    for (int i = 0; i < static_cast<int>(state.items.size()); ++i) {
        const bool bInside = nLow <= i && i <= nHigh;
        if (bInside || !bKeepOthers)
            SetItemSelected(hWnd, state, i, bInside);
    }
    InvalidateRows(hWnd, state);
}

bool HandleListData(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& nResult)
{
    switch (message) {
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_GETCOLUMNW:
    case LVM_SETCOLUMNW:
    case LVM_GETCOLUMNWIDTH:
    case LVM_SETCOLUMNWIDTH: nResult = OnColumn(hWnd, state, message, wParam, lParam); return true;
    case LVM_INSERTITEMW:
    case LVM_SETITEMW:
    case LVM_GETITEMW:
    case LVM_SETITEMTEXTW:
    case LVM_GETITEMTEXTW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS: nResult = OnItem(hWnd, state, message, wParam, lParam); return true;
    case LVM_GETITEMCOUNT: nResult = static_cast<LRESULT>(state.items.size()); return true;
    case LVM_SETITEMSTATE:
    case LVM_GETITEMSTATE:
    case LVM_GETNEXTITEM:
    case LVM_GETSELECTEDCOUNT:
    case LVM_GETSELECTIONMARK:
    case LVM_SETSELECTIONMARK: nResult = OnState(hWnd, state, message, wParam, lParam); return true;
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT:
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST:
    case LVM_ENSUREVISIBLE:
    case LVM_GETTOPINDEX:
    case LVM_GETCOUNTPERPAGE:
    case LVM_SCROLL: nResult = OnGeometry(hWnd, state, message, wParam, lParam); return true;
    case LVM_SETTEXTCOLOR:
    case LVM_GETTEXTCOLOR:
    case LVM_SETBKCOLOR:
    case LVM_GETBKCOLOR:
    case LVM_SETTEXTBKCOLOR:
    case LVM_GETTEXTBKCOLOR:
    case LVM_GETHEADER:
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
    case LVM_SETEXTENDEDLISTVIEWSTYLE: nResult = OnLook(hWnd, state, message, wParam, lParam); return true;
    default: return false;
    }
}

} // namespace velk::platform
