// The "SysHeader32" class procedure: items, their rectangles, the layout answer and the look.
#include "platform/header.h"

#include <algorithm>
#include <vector>

#include "platform/control_look.h"
#include "platform/control_support.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

struct CHeaderItem {
    std::string strText;
    int nWidth = 0;
    int nFormat = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
};

struct CHeaderState : CWindowExtra {
    std::vector<CHeaderItem> items;
    CFontSlot font;
};

constexpr int kTextPadding = 6;
constexpr int kVerticalPadding = 6;

bool ValidIndex(const CHeaderState& state, WPARAM nIndex) { return nIndex < state.items.size(); }

void Apply(CHeaderItem& item, const HDITEM& hdi)
{
    if (hdi.mask & HDI_TEXT)
        item.strText = TextIn(hdi.pszText);
    if (hdi.mask & HDI_WIDTH)
        item.nWidth = std::max(hdi.cxy, 0);
    if (hdi.mask & HDI_FORMAT)
        item.nFormat = hdi.fmt;
    if (hdi.mask & HDI_LPARAM)
        item.lParam = hdi.lParam;
}

void Fill(const CHeaderItem& item, HDITEM& hdi)
{
    if (hdi.mask & HDI_TEXT)
        TextOut(item.strText, hdi.pszText, hdi.cchTextMax);
    if (hdi.mask & HDI_WIDTH)
        hdi.cxy = item.nWidth;
    if (hdi.mask & HDI_FORMAT)
        hdi.fmt = item.nFormat;
    if (hdi.mask & HDI_LPARAM)
        hdi.lParam = item.lParam;
}

CRect ItemRect(HWND hWnd, const CHeaderState& state, std::size_t nIndex)
{
    CRect rcClient;
    CWnd::FromHandle(hWnd)->GetClientRect(&rcClient);
    int nLeft = 0;
    for (std::size_t i = 0; i < nIndex; ++i)
        nLeft += state.items[i].nWidth;
    return {nLeft, 0, nLeft + state.items[nIndex].nWidth, rcClient.bottom};
}

// The height the header's font needs.
int NaturalHeight(HWND hWnd, const CHeaderState& state)
{
    if (CWnd::FromHandle(hWnd)->GetStyle() & HDS_HIDDEN)
        return 0;
    CClientDC dc(CWnd::FromHandle(hWnd));
    dc.SelectObject(state.font.hFont);
    return dc.GetTextExtent("Ág").cy + kVerticalPadding;
}

LRESULT Layout(HWND hWnd, const CHeaderState& state, HDLAYOUT* pLayout)
{
    if (!pLayout || !pLayout->prc || !pLayout->pwpos)
        return FALSE;
    RECT& rc = *pLayout->prc;
    const int nHeight = std::min(NaturalHeight(hWnd, state), std::max(rc.bottom - rc.top, 0));
    *pLayout->pwpos = WINDOWPOS{hWnd, nullptr, rc.left, rc.top, std::max(rc.right - rc.left, 0), nHeight,
                                SWP_NOZORDER | SWP_NOACTIVATE};
    rc.top += nHeight;
    return TRUE;
}

void Paint(HWND hWnd, const CHeaderState& state)
{
    using namespace velk::look;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CPaintDC dc(pWnd);
    CRect rc;
    pWnd->GetClientRect(&rc);
    dc.FillSolidRect(&rc, kHeaderBk);
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, kHeaderLine);
    dc.SelectObject(state.font.hFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kHeaderText);
    for (std::size_t i = 0; i < state.items.size(); ++i) {
        const CRect rcItem = ItemRect(hWnd, state, i);
        if (rcItem.IsRectEmpty())
            continue;
        dc.FillSolidRect(rcItem.right - 1, rcItem.top + 4, 1, std::max(rcItem.Height() - 9, 0), kHeaderLine);
        CRect rcText = rcItem;
        rcText.DeflateRect(kTextPadding, 0);
        rcText.bottom -= 1;
        const int nAlign = state.items[i].nFormat & HDF_JUSTIFYMASK;
        const UINT nFormat = nAlign == HDF_CENTER ? DT_CENTER : nAlign == HDF_RIGHT ? DT_RIGHT : DT_LEFT;
        dc.DrawText(state.items[i].strText, &rcText, nFormat | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT OnItemMessage(HWND hWnd, CHeaderState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pItem = reinterpret_cast<HDITEM*>(lParam);
    switch (message) {
    case HDM_INSERTITEMW: {
        if (!pItem)
            return -1;
        const std::size_t nIndex = std::min<std::size_t>(wParam, state.items.size());
        CHeaderItem item;
        Apply(item, *pItem);
        state.items.insert(state.items.begin() + static_cast<std::ptrdiff_t>(nIndex), item);
        CWnd::FromHandle(hWnd)->Invalidate();
        return static_cast<LRESULT>(nIndex);
    }
    case HDM_DELETEITEM:
        if (!ValidIndex(state, wParam))
            return FALSE;
        state.items.erase(state.items.begin() + static_cast<std::ptrdiff_t>(wParam));
        CWnd::FromHandle(hWnd)->Invalidate();
        return TRUE;
    case HDM_GETITEMW:
        if (!pItem || !ValidIndex(state, wParam))
            return FALSE;
        Fill(state.items[wParam], *pItem);
        return TRUE;
    case HDM_SETITEMW:
        if (!pItem || !ValidIndex(state, wParam))
            return FALSE;
        Apply(state.items[wParam], *pItem);
        CWnd::FromHandle(hWnd)->Invalidate();
        return TRUE;
    case HDM_GETITEMRECT:
        if (!lParam || !ValidIndex(state, wParam))
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = ItemRect(hWnd, state, wParam);
        return TRUE;
    default: return 0;
    }
}

} // namespace

LRESULT HeaderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CHeaderState& state = StateOf<CHeaderState>(hWnd);
    switch (message) {
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(state.items.size());
    case HDM_INSERTITEMW:
    case HDM_DELETEITEM:
    case HDM_GETITEMW:
    case HDM_SETITEMW:
    case HDM_GETITEMRECT: return OnItemMessage(hWnd, state, message, wParam, lParam);
    case HDM_LAYOUT: return Layout(hWnd, state, reinterpret_cast<HDLAYOUT*>(lParam));
    case WM_SETFONT: return state.font.Set(hWnd, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state.font.hFont);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(hWnd, state); return 0;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform

BOOL CHeaderCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, WC_HEADER, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

int CHeaderCtrl::InsertItem(int nPos, HDITEM* phdi)
{
    return nPos < 0 ? -1 : static_cast<int>(SendMessage(HDM_INSERTITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(phdi)));
}

BOOL CHeaderCtrl::DeleteItem(int nPos)
{
    return nPos >= 0 && SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(nPos)) ? TRUE : FALSE;
}

BOOL CHeaderCtrl::GetItem(int nPos, HDITEM* pHeaderItem) const
{
    return nPos >= 0 && SendMessage(HDM_GETITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)) ? TRUE : FALSE;
}

BOOL CHeaderCtrl::SetItem(int nPos, HDITEM* pHeaderItem)
{
    return nPos >= 0 && SendMessage(HDM_SETITEMW, static_cast<WPARAM>(nPos), reinterpret_cast<LPARAM>(pHeaderItem)) ? TRUE : FALSE;
}

BOOL CHeaderCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return nIndex >= 0 && SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)) ? TRUE : FALSE;
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* pHeaderLayout)
{
    return SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(pHeaderLayout)) ? TRUE : FALSE;
}
