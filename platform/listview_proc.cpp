// The "SysListView32" class procedure: creation with the header, layout and scrolling, the mouse
// and the keyboard, and the notifications to the parent.
#include "platform/listview.h"

#include <algorithm>

#include "platform/listview_state.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

constexpr int kWheelRows = 3;

void OnCreate(HWND hWnd, CListViewState& state)
{
    const DWORD dwStyle = CWnd::FromHandle(hWnd)->GetStyle();
    const DWORD dwHeaderStyle = WS_CHILD | WS_VISIBLE | HDS_HORZ |
                                ((dwStyle & LVS_NOCOLUMNHEADER) || (dwStyle & LVS_TYPEMASK) != LVS_REPORT ? HDS_HIDDEN : 0);
    state.hHeader = ::CreateWindowEx(0, WC_HEADER, "", dwHeaderStyle, 0, 0, 0, 0, hWnd, 0);
    LayoutList(hWnd, state);
}

void Notify(HWND hWnd, UINT nCode, int nItem, int nSubItem, POINT pt, UINT nKeys)
{
    NMITEMACTIVATE activate;
    activate.iItem = nItem;
    activate.iSubItem = nSubItem;
    activate.ptAction = pt;
    activate.uKeyFlags = nKeys;
    NotifyParent(hWnd, nCode, activate.hdr);
}

// A click on a row: alone, toggled with Ctrl, a range from the anchor with Shift; on no row the
// selection goes (unless Ctrl is held).
void SelectByClick(HWND hWnd, CListViewState& state, int nItem, WPARAM nKeys)
{
    const bool bSingle = (CWnd::FromHandle(hWnd)->GetStyle() & LVS_SINGLESEL) != 0;
    if (nItem < 0) {
        if (!(nKeys & MK_CONTROL))
            ClearSelection(hWnd, state);
        return;
    }
    if (bSingle || !(nKeys & (MK_SHIFT | MK_CONTROL))) {
        SelectOnly(hWnd, state, nItem);
        state.nAnchor = nItem;
    } else if (nKeys & MK_SHIFT) {
        if (state.nAnchor < 0)
            state.nAnchor = nItem;
        SelectRange(hWnd, state, state.nAnchor, nItem, (nKeys & MK_CONTROL) != 0);
    } else {
        const bool bSelected = state.items[static_cast<std::size_t>(nItem)].nState & LVIS_SELECTED;
        SetItemSelected(hWnd, state, nItem, !bSelected);
        state.nAnchor = nItem;
    }
    state.nFocus = state.nMark = nItem;
    EnsureItemVisible(hWnd, state, nItem, false);
}

int PressedItem(HWND hWnd, CListViewState& state, POINT pt, int& nSubItem)
{
    int nColumn = -1;
    const int nItem = HitItem(hWnd, state, pt, &nColumn);
    nSubItem = nColumn >= 0 ? state.columns[static_cast<std::size_t>(nColumn)].nSubItem : 0;
    // Without full-row select only the first column's cell belongs to the item.
    if (nItem >= 0 && nColumn != 0 && !(state.dwExStyle & LVS_EX_FULLROWSELECT))
        return -1;
    return nItem;
}

LRESULT OnButton(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: {
        pWnd->SetFocus();
        int nSubItem = 0;
        const int nItem = PressedItem(hWnd, state, pt, nSubItem);
        if (message == WM_RBUTTONDOWN) {
            // A right click keeps a selection it lands in.
            if (nItem < 0 || !(state.items[static_cast<std::size_t>(nItem)].nState & LVIS_SELECTED))
                SelectByClick(hWnd, state, nItem, 0);
            state.bRightPending = true;
        } else {
            SelectByClick(hWnd, state, nItem, wParam);
        }
        state.nPressedItem = nItem;
        state.nPressedSubItem = nSubItem;
        state.ptPressed = pt;
        if (message == WM_LBUTTONDBLCLK) {
            state.bClickPending = false;
            Notify(hWnd, NM_DBLCLK, nItem, nSubItem, pt, static_cast<UINT>(wParam));
        } else if (message == WM_LBUTTONDOWN) {
            state.bClickPending = true;
            pWnd->SetCapture();
        }
        return 0;
    }
    case WM_LBUTTONUP:
        if (state.bClickPending) {
            state.bClickPending = false;
            ReleaseCapture();
            Notify(hWnd, NM_CLICK, state.nPressedItem, state.nPressedSubItem, state.ptPressed, static_cast<UINT>(wParam));
        }
        return 0;
    case WM_RBUTTONUP:
        if (state.bRightPending) {
            state.bRightPending = false;
            Notify(hWnd, NM_RCLICK, state.nPressedItem, state.nPressedSubItem, state.ptPressed, static_cast<UINT>(wParam));
        }
        return 0;
    default: return 0;
    }
}

LRESULT OnKeyDown(HWND hWnd, CListViewState& state, WPARAM nKey)
{
    const int nCount = static_cast<int>(state.items.size());
    if (nCount == 0)
        return 0;
    const int nCurrent = state.nFocus;
    const int nPage = std::max(RowsPerPage(hWnd, state) - 1, 1);
    int nNext;
    switch (nKey) {
    case VK_UP: nNext = nCurrent < 0 ? 0 : nCurrent - 1; break;
    case VK_DOWN: nNext = nCurrent < 0 ? 0 : nCurrent + 1; break;
    case VK_HOME: nNext = 0; break;
    case VK_END: nNext = nCount - 1; break;
    case VK_PRIOR: nNext = nCurrent - nPage; break;
    case VK_NEXT: nNext = nCurrent + nPage; break;
    default: return 0;
    }
    nNext = std::clamp(nNext, 0, nCount - 1);
    const bool bShift = GetKeyState(VK_SHIFT) < 0;
    const bool bControl = GetKeyState(VK_CONTROL) < 0;
    const bool bSingle = (CWnd::FromHandle(hWnd)->GetStyle() & LVS_SINGLESEL) != 0;
    if (bShift && !bSingle) {
        if (state.nAnchor < 0)
            state.nAnchor = nCurrent < 0 ? nNext : nCurrent;
        SelectRange(hWnd, state, state.nAnchor, nNext, false);
    } else if (!bControl || bSingle) {
        SelectOnly(hWnd, state, nNext);
        state.nAnchor = nNext;
    }
    state.nFocus = state.nMark = nNext;
    EnsureItemVisible(hWnd, state, nNext, false);
    InvalidateRows(hWnd, state);
    return 0;
}

LRESULT OnScroll(HWND hWnd, CListViewState& state, WPARAM wParam)
{
    int nTop = state.nTopIndex;
    const int nPage = RowsPerPage(hWnd, state);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: --nTop; break;
    case SB_LINEDOWN: ++nTop; break;
    case SB_PAGEUP: nTop -= nPage; break;
    case SB_PAGEDOWN: nTop += nPage; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO info;
        info.fMask = SIF_TRACKPOS;
        ::SendMessage(state.hScrollBar, SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(&info));
        nTop = info.nTrackPos;
        break;
    }
    case SB_TOP: nTop = 0; break;
    case SB_BOTTOM: nTop = static_cast<int>(state.items.size()); break;
    default: return 0;
    }
    ScrollListTo(hWnd, state, nTop);
    return 0;
}

LRESULT OnWheel(HWND hWnd, CListViewState& state, WPARAM wParam, LPARAM lParam)
{
    const bool bScrolls = state.hScrollBar && CWnd::FromHandle(state.hScrollBar)->IsWindowVisible();
    if (!bScrolls)
        return DefWindowProc(hWnd, WM_MOUSEWHEEL, wParam, lParam);
    const int nDelta = static_cast<short>(HIWORD(wParam));
    ScrollListTo(hWnd, state, state.nTopIndex - nDelta * kWheelRows / WHEEL_DELTA);
    return 0;
}

} // namespace

void InvalidateRows(HWND hWnd, const CListViewState& state)
{
    const CRect rc = RowsArea(hWnd, state);
    CWnd::FromHandle(hWnd)->InvalidateRect(&rc, FALSE);
}

void LayoutList(HWND hWnd, CListViewState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    state.nRowsTop = 0;
    if (state.hHeader) {
        RECT rcLayout = rcClient;
        WINDOWPOS position;
        HDLAYOUT layout{&rcLayout, &position};
        if (::SendMessage(state.hHeader, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)) && IsWindow(state.hHeader)) {
            CWnd::FromHandle(state.hHeader)->MoveWindow(position.x, position.y, position.cx, position.cy, TRUE);
            state.nRowsTop = std::clamp(rcLayout.top, 0, rcClient.bottom);
        }
    }
    UpdateListScrollBar(hWnd, state);
    pWnd->Invalidate(FALSE);
}

void UpdateListScrollBar(HWND hWnd, CListViewState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    const int nRowsHeight = std::max(rcClient.bottom - state.nRowsTop, 0);
    const int nPerPage = std::max(nRowsHeight / RowHeight(hWnd, state), 1);
    const int nCount = static_cast<int>(state.items.size());
    const bool bNeeded = nCount > nPerPage && !(pWnd->GetStyle() & LVS_NOSCROLL);
    // The list says with WS_VSCROLL that its bar shows; a subclass that takes the style away in
    // WM_NCCALCSIZE keeps the bar hidden (it scrolls by itself).
    if (bNeeded != ((pWnd->GetStyle() & WS_VSCROLL) != 0))
        pWnd->ModifyStyle(bNeeded ? 0 : WS_VSCROLL, bNeeded ? WS_VSCROLL : 0, SWP_FRAMECHANGED | SWP_NOACTIVATE);
    if (!IsWindow(hWnd))
        return;
    const bool bShown = bNeeded && (pWnd->GetStyle() & WS_VSCROLL);
    if (bShown && !state.hScrollBar)
        state.hScrollBar = ::CreateWindowEx(0, WC_SCROLLBAR, "", WS_CHILD | SBS_VERT, 0, 0, 0, 0, hWnd, 0);
    state.nTopIndex = std::clamp(state.nTopIndex, 0, bShown ? nCount - nPerPage : 0);
    if (!state.hScrollBar)
        return;
    CWnd* pBar = CWnd::FromHandle(state.hScrollBar);
    if (bShown) {
        const int nWidth = GetSystemMetrics(SM_CXVSCROLL);
        pBar->MoveWindow(rcClient.right - nWidth, state.nRowsTop, nWidth, nRowsHeight, TRUE);
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = nCount - 1;
        info.nPage = static_cast<UINT>(nPerPage);
        info.nPos = state.nTopIndex;
        pBar->SendMessage(SBM_SETSCROLLINFO, TRUE, reinterpret_cast<LPARAM>(&info));
    }
    pBar->ShowWindow(bShown ? SW_SHOWNA : SW_HIDE);
}

void ScrollListTo(HWND hWnd, CListViewState& state, int nTopIndex)
{
    const int nLimit = std::max(static_cast<int>(state.items.size()) - RowsPerPage(hWnd, state), 0);
    nTopIndex = std::clamp(nTopIndex, 0, nLimit);
    if (nTopIndex == state.nTopIndex)
        return;
    state.nTopIndex = nTopIndex;
    if (state.hScrollBar)
        ::SendMessage(state.hScrollBar, SBM_SETPOS, static_cast<WPARAM>(nTopIndex), TRUE);
    InvalidateRows(hWnd, state);
}

void EnsureItemVisible(HWND hWnd, CListViewState& state, int nItem, bool bPartialOK)
{
    if (nItem < 0 || nItem >= static_cast<int>(state.items.size()))
        return;
    const int nPerPage = RowsPerPage(hWnd, state);
    const bool bPartlyShown = nItem == state.nTopIndex + nPerPage;
    if (nItem < state.nTopIndex)
        ScrollListTo(hWnd, state, nItem);
    else if (nItem >= state.nTopIndex + nPerPage && !(bPartialOK && bPartlyShown))
        ScrollListTo(hWnd, state, nItem - nPerPage + 1);
}

LRESULT ListViewProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CListViewState& state = ListStateOf(hWnd);
    LRESULT nResult = 0;
    if (HandleListData(hWnd, state, message, wParam, lParam, nResult))
        return nResult;
    switch (message) {
    case WM_CREATE: OnCreate(hWnd, state); return 0;
    case WM_SIZE: LayoutList(hWnd, state); return 0;
    case WM_SETFONT:
        state.font.hFont = reinterpret_cast<HFONT>(wParam);
        state.nRowHeight = 0;
        if (state.hHeader)
            ::SendMessage(state.hHeader, WM_SETFONT, wParam, lParam);
        LayoutList(hWnd, state);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state.font.hFont);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return OnButton(hWnd, state, message, wParam, lParam);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hWnd)
            state.bClickPending = false;
        return 0;
    case WM_KEYDOWN: return OnKeyDown(hWnd, state, wParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRows(hWnd, state); return 0;
    case WM_VSCROLL:
        return !lParam || reinterpret_cast<HWND>(lParam) == state.hScrollBar ? OnScroll(hWnd, state, wParam) : 0;
    case WM_MOUSEWHEEL: return OnWheel(hWnd, state, wParam, lParam);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: PaintList(hWnd, state); return 0;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform
