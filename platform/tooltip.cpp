// The "tooltips_class32" class procedure: tools, the hover delay, showing the tip beside the
// pointer and hiding it again. Tools added with TTF_SUBCLASS are watched by the window system,
// which relays their windows' mouse messages (TTM_RELAYEVENT); others are relayed by their owner.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/control_look.h"
#include "platform/control_support.h"
#include "platform/standard_classes.h"
#include "platform/window_system.h"

namespace velk::platform {

namespace {

struct CTool {
    UINT uFlags = 0;
    HWND hWnd = nullptr;
    UINT_PTR uId = 0;
    CRect rect;
    std::string strText;

    HWND Window() const { return (uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(uId) : hWnd; }
};

struct CToolTipState : CWindowExtra {
    std::vector<CTool> tools;
    bool bActive = true;
    int nCurrent = -1;       // the tool under the pointer
    bool bShown = false;
    bool bSuppressed = false; // clicked: no tip until the pointer leaves the tool
    UINT nInitial = 500;
    UINT nAutoPop = 5000;
    // What the tip shows: not its window text, which would make it a titled top-level window.
    std::string strShown;
};

constexpr UINT_PTR kShowTimer = 1;
constexpr UINT_PTR kHideTimer = 2;
constexpr int kPaddingX = 8;
constexpr int kPaddingY = 5;
constexpr int kMaxTextWidth = 320;
// The tip appears below the pointer's hot spot, clear of the arrow.
constexpr int kBelowPointer = 20;

int FindTool(const CToolTipState& state, const TOOLINFO* pInfo)
{
    if (!pInfo)
        return -1;
    for (std::size_t i = 0; i < state.tools.size(); ++i)
        if (state.tools[i].hWnd == pInfo->hwnd && state.tools[i].uId == pInfo->uId)
            return static_cast<int>(i);
    return -1;
}

int ToolAt(const CToolTipState& state, HWND hWnd, POINT ptClient)
{
    for (std::size_t i = 0; i < state.tools.size(); ++i) {
        const CTool& tool = state.tools[i];
        if (tool.Window() == hWnd && ((tool.uFlags & TTF_IDISHWND) || tool.rect.PtInRect(ptClient)))
            return static_cast<int>(i);
    }
    return -1;
}

void Hide(HWND hWnd, CToolTipState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    pWnd->KillTimer(kShowTimer);
    pWnd->KillTimer(kHideTimer);
    if (state.bShown) {
        state.bShown = false;
        pWnd->ShowWindow(SW_HIDE);
    }
}

CSize TextSize(HWND hWnd, const std::string& strText)
{
    CClientDC dc(CWnd::FromHandle(hWnd));
    CRect rc(0, 0, kMaxTextWidth, 0);
    dc.DrawText(strText, &rc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return rc.Size();
}

void Show(HWND hWnd, CToolTipState& state)
{
    if (state.nCurrent < 0 || state.tools[static_cast<std::size_t>(state.nCurrent)].strText.empty())
        return;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    state.strShown = state.tools[static_cast<std::size_t>(state.nCurrent)].strText;
    pWnd->Invalidate(FALSE);
    const CSize text = TextSize(hWnd, state.strShown);
    const CSize size(text.cx + 2 * kPaddingX, text.cy + 2 * kPaddingY);
    POINT pt;
    GetCursorPos(&pt);
    CRect rcWork = CWindowSystem::Get().Host() ? CWindowSystem::Get().Host()->GetWorkArea() : CRect();
    int x = pt.x;
    int y = pt.y + kBelowPointer;
    if (!rcWork.IsRectEmpty()) {
        x = std::clamp(x, rcWork.left, std::max(rcWork.left, rcWork.right - size.cx));
        if (y + size.cy > rcWork.bottom)
            y = pt.y - size.cy - 4;
    }
    pWnd->SetWindowPos(&CWnd::wndTopMost, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    state.bShown = true;
    pWnd->SetTimer(kHideTimer, state.nAutoPop);
}

void OnRelayed(HWND hWnd, CToolTipState& state, const MSG& msg)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    switch (msg.message) {
    case WM_MOUSEMOVE: {
        const int nTool = ToolAt(state, msg.hwnd, {GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)});
        if (nTool != state.nCurrent) {
            Hide(hWnd, state);
            state.nCurrent = nTool;
            state.bSuppressed = false;
        }
        if (nTool < 0 || !state.bActive || state.bSuppressed || state.bShown)
            return;
        // The tip must hear when the pointer leaves the tool's window.
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = msg.hwnd;
        TrackMouseEvent(&track);
        // The pointer has to rest: every move starts the wait anew.
        pWnd->SetTimer(kShowTimer, state.nInitial);
        return;
    }
    case WM_MOUSELEAVE:
        if (state.nCurrent >= 0 && state.tools[static_cast<std::size_t>(state.nCurrent)].Window() == msg.hwnd) {
            Hide(hWnd, state);
            state.nCurrent = -1;
            state.bSuppressed = false;
        }
        return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
        Hide(hWnd, state);
        state.bSuppressed = true;
        return;
    default: return;
    }
}

void OnTimer(HWND hWnd, CToolTipState& state, UINT_PTR nID)
{
    CWnd::FromHandle(hWnd)->KillTimer(nID);
    if (nID == kHideTimer) {
        Hide(hWnd, state);
        state.bSuppressed = true;
        return;
    }
    if (nID != kShowTimer || state.nCurrent < 0 || !state.bActive)
        return;
    // Only while the pointer still rests over the tool's window.
    CWnd* pTool = CWnd::FromHandle(state.tools[static_cast<std::size_t>(state.nCurrent)].Window());
    CRect rcTool;
    POINT pt;
    GetCursorPos(&pt);
    if (pTool)
        pTool->GetWindowRect(&rcTool);
    if (pTool && pTool->IsWindowVisible() && rcTool.PtInRect(pt))
        Show(hWnd, state);
}

LRESULT OnToolMessage(HWND hWnd, CToolTipState& state, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* pInfo = reinterpret_cast<const TOOLINFO*>(lParam);
    switch (message) {
    case TTM_ADDTOOLW: {
        if (!pInfo || FindTool(state, pInfo) >= 0)
            return FALSE;
        CTool tool{pInfo->uFlags, pInfo->hwnd, pInfo->uId, pInfo->rect, TextIn(pInfo->lpszText)};
        state.tools.push_back(tool);
        if (tool.uFlags & TTF_SUBCLASS)
            CWindowSystem::Get().WatchMouse(tool.Window(), hWnd);
        return TRUE;
    }
    case TTM_DELTOOLW: {
        const int nTool = FindTool(state, pInfo);
        if (nTool < 0)
            return 0;
        if (nTool == state.nCurrent) {
            Hide(hWnd, state);
            state.nCurrent = -1;
        } else if (nTool < state.nCurrent) {
            --state.nCurrent;
        }
        const CTool tool = state.tools[static_cast<std::size_t>(nTool)];
        state.tools.erase(state.tools.begin() + nTool);
        if (std::none_of(state.tools.begin(), state.tools.end(), [&](const CTool& t) { return t.Window() == tool.Window(); }))
            CWindowSystem::Get().UnwatchMouse(tool.Window(), hWnd);
        return 0;
    }
    case TTM_UPDATETIPTEXTW: {
        const int nTool = FindTool(state, pInfo);
        if (nTool >= 0)
            state.tools[static_cast<std::size_t>(nTool)].strText = TextIn(pInfo->lpszText);
        if (nTool >= 0 && nTool == state.nCurrent && state.bShown)
            Show(hWnd, state);
        return 0;
    }
    case TTM_GETTOOLCOUNT: return static_cast<LRESULT>(state.tools.size());
    case TTM_ACTIVATE:
        state.bActive = wParam != 0;
        if (!state.bActive)
            Hide(hWnd, state);
        return 0;
    case TTM_POP: Hide(hWnd, state); return 0;
    case TTM_SETDELAYTIME: {
        const UINT nTime = LOWORD(static_cast<std::uintptr_t>(lParam));
        if (wParam == TTDT_INITIAL || wParam == TTDT_AUTOMATIC)
            state.nInitial = nTime;
        if (wParam == TTDT_AUTOPOP || wParam == TTDT_AUTOMATIC)
            state.nAutoPop = wParam == TTDT_AUTOMATIC ? nTime * 10 : nTime;
        return 0;
    }
    case TTM_RELAYEVENT:
        if (lParam)
            OnRelayed(hWnd, state, *reinterpret_cast<const MSG*>(lParam));
        return 0;
    default: return 0;
    }
}

void Paint(HWND hWnd, const CToolTipState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CPaintDC dc(pWnd);
    CRect rc;
    pWnd->GetClientRect(&rc);
    dc.FillSolidRect(&rc, velk::look::kTipBk);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(velk::look::kTipText);
    rc.DeflateRect(kPaddingX, kPaddingY);
    dc.DrawText(state.strShown, &rc, DT_WORDBREAK | DT_NOPREFIX);
}

} // namespace

LRESULT ToolTipProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CToolTipState& state = StateOf<CToolTipState>(hWnd);
    if (message >= WM_USER && message <= TTM_UPDATETIPTEXTW)
        return OnToolMessage(hWnd, state, message, wParam, lParam);
    switch (message) {
    case WM_TIMER: OnTimer(hWnd, state, wParam); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(hWnd, state); return 0;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform
