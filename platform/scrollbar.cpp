// The "ScrollBar" class procedure: range, page and position, the thumb's geometry, clicks and
// drags told to the parent, and the look.
#include "platform/scrollbar.h"

#include <algorithm>
#include <utility>

#include "platform/control_look.h"
#include "platform/control_support.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

struct CScrollState : CWindowExtra {
    int nMin = 0;
    int nMax = 100;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
    bool bDragging = false;
    bool bPaging = false;
    int nGrab = 0; // where in the thumb the drag took hold, pixels
    bool bHot = false;
};

constexpr int kMinThumb = 24;
constexpr int kThumbInset = 4;

bool IsVertical(HWND hWnd) { return (CWnd::FromHandle(hWnd)->GetStyle() & SBS_VERT) != 0; }

int Limit(const CScrollState& state)
{
    const long long nLimit = static_cast<long long>(state.nMax) - std::max<long long>(static_cast<long long>(state.nPage) - 1, 0);
    return static_cast<int>(std::max<long long>(nLimit, state.nMin));
}

void Clamp(CScrollState& state)
{
    state.nMax = std::max(state.nMax, state.nMin);
    state.nPos = std::clamp(state.nPos, state.nMin, Limit(state));
}

// The trough along the bar's length, and the thumb in it; an empty thumb when nothing scrolls.
struct CGeometry {
    int nTrackStart = 0;
    int nTrackLength = 0;
    int nThumbStart = 0;
    int nThumbLength = 0;
};

CGeometry Measure(HWND hWnd, const CScrollState& state, int nPos)
{
    CRect rc;
    CWnd::FromHandle(hWnd)->GetClientRect(&rc);
    CGeometry geometry;
    geometry.nTrackStart = 2;
    geometry.nTrackLength = std::max((IsVertical(hWnd) ? rc.Height() : rc.Width()) - 4, 0);
    const long long nRange = static_cast<long long>(state.nMax) - state.nMin + 1;
    if (state.nPage == 0 || nRange <= static_cast<long long>(state.nPage) || geometry.nTrackLength == 0)
        return geometry;
    const long long nLength = geometry.nTrackLength * static_cast<long long>(state.nPage) / nRange;
    geometry.nThumbLength = static_cast<int>(std::clamp<long long>(nLength, std::min(kMinThumb, geometry.nTrackLength), geometry.nTrackLength));
    const long long nSpan = static_cast<long long>(Limit(state)) - state.nMin;
    const int nFree = geometry.nTrackLength - geometry.nThumbLength;
    geometry.nThumbStart = geometry.nTrackStart +
                           static_cast<int>(nSpan > 0 ? nFree * (static_cast<long long>(nPos) - state.nMin) / nSpan : 0);
    return geometry;
}

int PositionAt(HWND hWnd, const CScrollState& state, int nThumbStart)
{
    const CGeometry geometry = Measure(hWnd, state, state.nMin);
    const int nFree = geometry.nTrackLength - geometry.nThumbLength;
    if (nFree <= 0)
        return state.nMin;
    const long long nSpan = static_cast<long long>(Limit(state)) - state.nMin;
    const long long nOffset = std::clamp(nThumbStart - geometry.nTrackStart, 0, nFree);
    return static_cast<int>(state.nMin + (nOffset * nSpan + nFree / 2) / nFree);
}

void Tell(HWND hWnd, UINT nCode, int nPos = 0)
{
    if (HWND hParent = ParentOf(hWnd))
        ::SendMessage(hParent, IsVertical(hWnd) ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(static_cast<int>(nCode), nPos),
                      reinterpret_cast<LPARAM>(hWnd));
}

void Paint(HWND hWnd, const CScrollState& state)
{
    using namespace velk::look;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CPaintDC dc(pWnd);
    CRect rc;
    pWnd->GetClientRect(&rc);
    dc.FillSolidRect(&rc, kTrough);
    const CGeometry geometry = Measure(hWnd, state, state.bDragging ? state.nTrackPos : state.nPos);
    if (geometry.nThumbLength == 0 || !pWnd->IsWindowEnabled())
        return;
    CRect rcThumb = IsVertical(hWnd)
        ? CRect(kThumbInset, geometry.nThumbStart, rc.right - kThumbInset, geometry.nThumbStart + geometry.nThumbLength)
        : CRect(geometry.nThumbStart, kThumbInset, geometry.nThumbStart + geometry.nThumbLength, rc.bottom - kThumbInset);
    const COLORREF clr = state.bDragging ? kThumbActive : state.bHot ? kThumbHot : kThumb;
    const double dRadius = (IsVertical(hWnd) ? rcThumb.Width() : rcThumb.Height()) / 2.0;
    FillRoundRect(dc, rcThumb, dRadius, clr, clr);
}

LRESULT OnMouse(HWND hWnd, CScrollState& state, UINT message, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    const int nAt = IsVertical(hWnd) ? GET_Y_LPARAM(lParam) : GET_X_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN: {
        const CGeometry geometry = Measure(hWnd, state, state.nPos);
        if (geometry.nThumbLength == 0)
            return 0;
        pWnd->SetCapture();
        if (nAt >= geometry.nThumbStart && nAt < geometry.nThumbStart + geometry.nThumbLength) {
            state.bDragging = true;
            state.nGrab = nAt - geometry.nThumbStart;
            state.nTrackPos = state.nPos;
            pWnd->Invalidate(FALSE);
        } else {
            state.bPaging = true;
            Tell(hWnd, nAt < geometry.nThumbStart ? SB_PAGEUP : SB_PAGEDOWN);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (!state.bHot) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = hWnd;
            state.bHot = TrackMouseEvent(&track) != FALSE;
            pWnd->Invalidate(FALSE);
        }
        if (state.bDragging) {
            const int nPos = PositionAt(hWnd, state, nAt - state.nGrab);
            if (nPos != state.nTrackPos) {
                state.nTrackPos = nPos;
                pWnd->Invalidate(FALSE);
                Tell(hWnd, SB_THUMBTRACK, nPos);
            }
        }
        return 0;
    case WM_LBUTTONUP: {
        const bool bDragged = std::exchange(state.bDragging, false);
        const bool bPaged = std::exchange(state.bPaging, false);
        if (!bDragged && !bPaged)
            return 0;
        const int nTrackPos = state.nTrackPos;
        ReleaseCapture();
        pWnd->Invalidate(FALSE);
        if (bDragged)
            Tell(hWnd, SB_THUMBPOSITION, nTrackPos);
        if (IsWindow(hWnd))
            Tell(hWnd, SB_ENDSCROLL);
        return 0;
    }
    case WM_MOUSELEAVE:
        state.bHot = false;
        pWnd->Invalidate(FALSE);
        return 0;
    default: return 0;
    }
}

LRESULT OnInfo(HWND hWnd, CScrollState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    auto* pInfo = reinterpret_cast<SCROLLINFO*>(lParam);
    switch (message) {
    case SBM_SETSCROLLINFO:
        if (!pInfo)
            return state.nPos;
        if (pInfo->fMask & SIF_RANGE) {
            state.nMin = pInfo->nMin;
            state.nMax = pInfo->nMax;
        }
        if (pInfo->fMask & SIF_PAGE)
            state.nPage = pInfo->nPage;
        if (pInfo->fMask & SIF_POS)
            state.nPos = pInfo->nPos;
        Clamp(state);
        if (wParam)
            pWnd->Invalidate(FALSE);
        return state.nPos;
    case SBM_GETSCROLLINFO:
        if (!pInfo)
            return FALSE;
        if (pInfo->fMask & SIF_RANGE) {
            pInfo->nMin = state.nMin;
            pInfo->nMax = state.nMax;
        }
        if (pInfo->fMask & SIF_PAGE)
            pInfo->nPage = state.nPage;
        if (pInfo->fMask & SIF_POS)
            pInfo->nPos = state.nPos;
        if (pInfo->fMask & SIF_TRACKPOS)
            pInfo->nTrackPos = state.bDragging ? state.nTrackPos : state.nPos;
        return TRUE;
    case SBM_SETPOS: {
        const int nOld = state.nPos;
        state.nPos = static_cast<int>(wParam);
        Clamp(state);
        if (lParam)
            pWnd->Invalidate(FALSE);
        return nOld;
    }
    case SBM_GETPOS: return state.nPos;
    case SBM_SETRANGE:
        state.nMin = static_cast<int>(wParam);
        state.nMax = static_cast<int>(lParam);
        Clamp(state);
        pWnd->Invalidate(FALSE);
        return state.nPos;
    case SBM_GETRANGE:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = state.nMin;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = state.nMax;
        return 0;
    default: return 0;
    }
}

} // namespace

LRESULT ScrollBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CScrollState& state = StateOf<CScrollState>(hWnd);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE: return OnMouse(hWnd, state, message, lParam);
    case WM_CAPTURECHANGED:
        if ((state.bDragging || state.bPaging) && reinterpret_cast<HWND>(lParam) != hWnd) {
            state.bDragging = state.bPaging = false;
            CWnd::FromHandle(hWnd)->Invalidate(FALSE);
        }
        return 0;
    case SBM_SETSCROLLINFO:
    case SBM_GETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_GETPOS:
    case SBM_SETRANGE:
    case SBM_GETRANGE: return OnInfo(hWnd, state, message, wParam, lParam);
    case WM_ENABLE: CWnd::FromHandle(hWnd)->Invalidate(FALSE); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(hWnd, state); return 0;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, WC_SCROLLBAR, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CScrollBar::GetScrollPos() const { return static_cast<int>(SendMessage(SBM_GETPOS)); }

int CScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(nPos), bRedraw));
}

void CScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(lpMinPos), reinterpret_cast<LPARAM>(lpMaxPos));
}

void CScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    SCROLLINFO info;
    info.fMask = SIF_RANGE;
    info.nMin = nMinPos;
    info.nMax = nMaxPos;
    SetScrollInfo(&info, bRedraw);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo || !m_hWnd)
        return FALSE;
    SendMessage(SBM_SETSCROLLINFO, bRedraw, reinterpret_cast<LPARAM>(lpScrollInfo));
    return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->fMask = nMask;
    return static_cast<BOOL>(SendMessage(SBM_GETSCROLLINFO, 0, reinterpret_cast<LPARAM>(lpScrollInfo)));
}

int CScrollBar::GetScrollLimit() const
{
    SCROLLINFO info;
    if (!GetScrollInfo(&info, SIF_RANGE | SIF_PAGE))
        return 0;
    return std::max(info.nMax - std::max(static_cast<int>(info.nPage) - 1, 0), info.nMin);
}

void CScrollBar::ShowScrollBar(BOOL bShow) { ShowWindow(bShow ? SW_SHOW : SW_HIDE); }
