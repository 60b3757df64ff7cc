// Input routing: native mouse and key events become window messages when they are taken from the
// queue (so that capture and focus at that moment decide), with hit-testing, double clicks,
// hover and leave tracking, focus and capture.
#include "platform/window_system.h"

#include <glib.h>

#include <cstdlib>
#include <utility>

namespace velk::platform {

namespace {

constexpr HostTime kDoubleClickTime{500};
constexpr int kDoubleClickDistance = 4;
constexpr int kHoverDistance = 2;
constexpr DWORD kDefaultHoverTime = 400;

WPARAM ButtonFlag(HostMouseButton button)
{
    switch (button) {
    case HostMouseButton::Left: return MK_LBUTTON;
    case HostMouseButton::Right: return MK_RBUTTON;
    case HostMouseButton::Middle: return MK_MBUTTON;
    default: return 0;
    }
}

UINT ButtonMessage(HostMouseButton button, HostMouseKind kind, bool bDouble, bool bClient)
{
    const bool bDown = kind == HostMouseKind::ButtonDown;
    switch (button) {
    case HostMouseButton::Left:
        if (!bClient)
            return bDown ? (bDouble ? WM_NCLBUTTONDBLCLK : WM_NCLBUTTONDOWN) : WM_NCLBUTTONUP;
        return bDown ? (bDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case HostMouseButton::Right:
        if (!bClient)
            return bDown ? WM_NCRBUTTONDOWN : WM_NCRBUTTONUP;
        return bDown ? (bDouble ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    case HostMouseButton::Middle:
        if (!bClient)
            return WM_NULL;
        return bDown ? (bDouble ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
    default: return WM_NULL;
    }
}

} // namespace

void CWindowSystem::QueueInput(const CRawInput& input) { m_input.push_back(input); }

bool CWindowSystem::TakeInput(MSG& msg)
{
    while (!m_pendingChars.empty()) {
        msg = m_pendingChars.front();
        m_pendingChars.pop_front();
        if (Find(msg.hwnd))
            return true;
    }
    while (!m_input.empty()) {
        CRawInput input = m_input.front();
        m_input.pop_front();
        if (!Find(input.hTopLevel))
            continue;
        if (input.bKey ? KeyMessage(input, msg) : MouseMessage(input, msg))
            return true;
    }
    return false;
}

HWND CWindowSystem::HitTest(HWND hWnd, POINT ptFrame, LRESULT& nHit)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord || !(pRecord->dwStyle & WS_VISIBLE) || (pRecord->dwStyle & WS_DISABLED))
        return nullptr;
    if (!VisibleFrameArea(pRecord, false).Contains(ptFrame))
        return nullptr;
    std::vector<HWND> children = pRecord->children;
    for (HWND hChild : children)
        if (HWND hFound = HitTest(hChild, ptFrame, nHit))
            return hFound;
    CWindowRecord* pTop = TopLevelOf(pRecord);
    nHit = Send(hWnd, WM_NCHITTEST, 0,
                MAKELPARAM(pTop->rcWindow.left + ptFrame.x, pTop->rcWindow.top + ptFrame.y));
    return nHit == HTTRANSPARENT ? nullptr : hWnd;
}

void CWindowSystem::UpdateLeaveTracking(HWND hUnder, bool bInClient)
{
    if (!m_tracking.hWnd || (m_tracking.hWnd == hUnder && bInClient))
        return;
    if (m_tracking.dwFlags & TME_LEAVE)
        Post(m_tracking.hWnd, WM_MOUSELEAVE, 0, 0);
    m_tracking = {};
}

bool CWindowSystem::MouseMessage(const CRawInput& input, MSG& msg)
{
    const CHostMouseEvent& event = input.mouse;
    CWindowRecord* pTop = Find(input.hTopLevel);
    const POINT ptScreen{pTop->rcWindow.left + event.pt.x, pTop->rcWindow.top + event.pt.y};
    m_ptCursor = ptScreen;
    m_nModifiers = event.nModifiers & (MK_SHIFT | MK_CONTROL);
    if (event.kind == HostMouseKind::ButtonDown)
        m_nButtons |= ButtonFlag(event.button);
    else if (event.kind == HostMouseKind::ButtonUp)
        m_nButtons &= ~ButtonFlag(event.button);
    if (event.kind == HostMouseKind::Leave) {
        if (!m_hCapture) {
            UpdateLeaveTracking(nullptr, false);
            m_hUnder = nullptr;
        }
        return false;
    }

    LRESULT nHit = HTNOWHERE;
    const HWND hUnder = HitTest(input.hTopLevel, event.pt, nHit);
    UpdateLeaveTracking(hUnder, nHit == HTCLIENT);
    m_hUnder = hUnder;
    const HWND hTarget = m_hCapture ? m_hCapture : hUnder;
    CWindowRecord* pTarget = Find(hTarget);
    if (!pTarget)
        return false;
    const bool bClient = m_hCapture || nHit == HTCLIENT;
    if (pTarget->hCursor != m_hShownCursor && m_pHost) {
        m_hShownCursor = pTarget->hCursor;
        m_pHost->SetNativeCursor(input.hTopLevel, m_hShownCursor ? m_hShownCursor : LoadCursor(IDC_ARROW));
    }
    const HostTime now = Now();
    if (m_tracking.hWnd == hTarget && (m_tracking.dwFlags & TME_HOVER) &&
        (std::abs(ptScreen.x - m_tracking.ptAnchor.x) > kHoverDistance ||
         std::abs(ptScreen.y - m_tracking.ptAnchor.y) > kHoverDistance)) {
        m_tracking.ptAnchor = ptScreen;
        m_tracking.hoverDeadline = now + HostTime(m_tracking.dwHoverTime);
    }

    const POINT ptOrigin = ClientOriginOnScreen(pTarget);
    const LPARAM lClient = MAKELPARAM(ptScreen.x - ptOrigin.x, ptScreen.y - ptOrigin.y);
    const LPARAM lScreen = MAKELPARAM(ptScreen.x, ptScreen.y);
    const WPARAM nKeys = m_nButtons | m_nModifiers;
    msg = MSG{hTarget, WM_NULL, 0, 0, static_cast<DWORD>(now.count()), ptScreen};
    switch (event.kind) {
    case HostMouseKind::Move:
        msg.message = bClient ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;
        msg.wParam = bClient ? nKeys : static_cast<WPARAM>(nHit);
        msg.lParam = bClient ? lClient : lScreen;
        break;
    case HostMouseKind::ButtonDown:
    case HostMouseKind::ButtonUp: {
        bool bDouble = false;
        if (event.kind == HostMouseKind::ButtonDown) {
            bDouble = (pTarget->nClassStyle & CS_DBLCLKS) && m_lastDown.hWnd == hTarget &&
                      m_lastDown.button == event.button && now - m_lastDown.time <= kDoubleClickTime &&
                      std::abs(ptScreen.x - m_lastDown.pt.x) <= kDoubleClickDistance &&
                      std::abs(ptScreen.y - m_lastDown.pt.y) <= kDoubleClickDistance;
            // After a double click the next press starts a new pair.
            m_lastDown = bDouble ? CClickMemory{} : CClickMemory{hTarget, event.button, now, ptScreen};
            m_hActive = input.hTopLevel;
        }
        msg.message = ButtonMessage(event.button, event.kind, bDouble, bClient);
        msg.wParam = bClient ? nKeys : static_cast<WPARAM>(nHit);
        msg.lParam = bClient ? lClient : lScreen;
        break;
    }
    case HostMouseKind::Wheel:
        msg.message = WM_MOUSEWHEEL;
        msg.wParam = MAKEWPARAM(static_cast<int>(nKeys), event.nWheelDelta);
        msg.lParam = lScreen;
        break;
    case HostMouseKind::Leave: break;
    }
    return msg.message != WM_NULL;
}

bool CWindowSystem::KeyMessage(const CRawInput& input, MSG& msg)
{
    const CHostKeyEvent& event = input.key;
    if (event.bDown)
        m_keysDown.insert(event.nVirtualKey);
    else
        m_keysDown.erase(event.nVirtualKey);
    m_nModifiers = (m_keysDown.count(VK_SHIFT) ? MK_SHIFT : 0) | (m_keysDown.count(VK_CONTROL) ? MK_CONTROL : 0);
    HWND hTarget = Find(m_hFocus) ? m_hFocus : Find(m_hActive) ? m_hActive : input.hTopLevel;
    msg = MSG{hTarget, event.bDown ? WM_KEYDOWN : WM_KEYUP, event.nVirtualKey,
              event.bDown ? LPARAM{1} : LPARAM{static_cast<LPARAM>(0xC0000001u)},
              static_cast<DWORD>(Now().count()), m_ptCursor};
    if (event.bDown && !event.strText.empty()) {
        const std::string& strText = event.strText;
        if (g_utf8_validate(strText.data(), static_cast<gssize>(strText.size()), nullptr)) {
            for (const char* p = strText.c_str(); *p; p = g_utf8_next_char(p))
                m_pendingChars.push_back(MSG{hTarget, WM_CHAR, g_utf8_get_char(p), 1, msg.time, m_ptCursor});
        }
    }
    return true;
}

HWND CWindowSystem::SetFocus(HWND hWnd)
{
    if (hWnd && !Find(hWnd))
        return m_hFocus;
    const HWND hOld = m_hFocus;
    if (hOld == hWnd)
        return hOld;
    m_hFocus = hWnd;
    if (hOld && Find(hOld))
        Send(hOld, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hWnd && m_hFocus == hWnd && Find(hWnd)) {
        m_hActive = TopLevelOf(Find(hWnd))->hWnd;
        Send(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(hOld), 0);
    }
    return hOld;
}

HWND CWindowSystem::SetCapture(HWND hWnd)
{
    const HWND hOld = m_hCapture;
    m_hCapture = Find(hWnd) ? hWnd : nullptr;
    if (hOld && hOld != m_hCapture && Find(hOld))
        Send(hOld, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hCapture));
    return hOld;
}

bool CWindowSystem::ReleaseCapture()
{
    const HWND hOld = std::exchange(m_hCapture, nullptr);
    if (hOld && Find(hOld))
        Send(hOld, WM_CAPTURECHANGED, 0, 0);
    return true;
}

bool CWindowSystem::TrackMouse(const TRACKMOUSEEVENT& track)
{
    const DWORD dwKinds = track.dwFlags & (TME_HOVER | TME_LEAVE);
    if (track.dwFlags & TME_CANCEL) {
        if (m_tracking.hWnd == track.hwndTrack && (m_tracking.dwFlags &= ~dwKinds) == 0)
            m_tracking = {};
        return true;
    }
    CWindowRecord* pRecord = Find(track.hwndTrack);
    if (!pRecord || !dwKinds)
        return false;
    if (m_tracking.hWnd != track.hwndTrack)
        m_tracking = {};
    m_tracking.hWnd = track.hwndTrack;
    m_tracking.dwFlags |= dwKinds;
    if (dwKinds & TME_HOVER) {
        m_tracking.dwHoverTime = track.dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : track.dwHoverTime;
        m_tracking.ptAnchor = m_ptCursor;
        m_tracking.hoverDeadline = Now() + HostTime(m_tracking.dwHoverTime);
    }
    // A window the pointer is not over hears at once that it has been left.
    const POINT ptOrigin = ClientOriginOnScreen(pRecord);
    const CRect rcClient(CPoint(ptOrigin), pRecord->rcClient.Size());
    if (m_hUnder != track.hwndTrack || !rcClient.PtInRect(m_ptCursor))
        UpdateLeaveTracking(nullptr, false);
    return true;
}

void CWindowSystem::PostHoverIfDue()
{
    if (!(m_tracking.dwFlags & TME_HOVER) || Now() < m_tracking.hoverDeadline)
        return;
    m_tracking.dwFlags &= ~TME_HOVER;
    if (CWindowRecord* pRecord = Find(m_tracking.hWnd); pRecord && m_hUnder == m_tracking.hWnd) {
        const POINT ptOrigin = ClientOriginOnScreen(pRecord);
        Post(m_tracking.hWnd, WM_MOUSEHOVER, m_nButtons | m_nModifiers,
             MAKELPARAM(m_ptCursor.x - ptOrigin.x, m_ptCursor.y - ptOrigin.y));
    }
    if (!m_tracking.dwFlags)
        m_tracking = {};
}

HostTime CWindowSystem::HoverDeadline() const
{
    return (m_tracking.dwFlags & TME_HOVER) ? m_tracking.hoverDeadline : kNoDeadline;
}

short CWindowSystem::KeyState(int nVirtKey) const
{
    bool bDown = false;
    switch (nVirtKey) {
    case VK_LBUTTON: bDown = (m_nButtons & MK_LBUTTON) != 0; break;
    case VK_RBUTTON: bDown = (m_nButtons & MK_RBUTTON) != 0; break;
    default: bDown = m_keysDown.count(static_cast<UINT>(nVirtKey)) != 0; break;
    }
    return bDown ? static_cast<short>(0x8000) : 0;
}

void CWindowSystem::ForgetWindow(HWND hWnd)
{
    if (m_hFocus == hWnd)
        m_hFocus = nullptr;
    if (m_hCapture == hWnd)
        m_hCapture = nullptr;
    if (m_hUnder == hWnd)
        m_hUnder = nullptr;
    if (m_hActive == hWnd)
        m_hActive = nullptr;
    if (m_tracking.hWnd == hWnd)
        m_tracking = {};
    if (m_lastDown.hWnd == hWnd)
        m_lastDown = {};
}

void CWindowSystem::NativeMoved(HWND hTop, POINT ptScreen)
{
    CWindowRecord* pTop = Find(hTop);
    if (!pTop || pTop->IsChild() || pTop->rcWindow.TopLeft() == CPoint(ptScreen))
        return;
    const int dx = ptScreen.x - pTop->rcWindow.left;
    const int dy = ptScreen.y - pTop->rcWindow.top;
    pTop->rcWindow.OffsetRect(dx, dy);
    pTop->rcClient.OffsetRect(dx, dy);
    Send(hTop, WM_MOVE, 0, MAKELPARAM(pTop->rcClient.left, pTop->rcClient.top));
}

void CWindowSystem::NativeIconic(HWND hTop, bool bIconic)
{
    CWindowRecord* pTop = Find(hTop);
    if (!pTop || pTop->IsChild() || pTop->bIconic == bIconic)
        return;
    pTop->bIconic = bIconic;
    Send(hTop, WM_SIZE, bIconic ? SIZE_MINIMIZED : SIZE_RESTORED,
         MAKELPARAM(pTop->rcClient.Width(), pTop->rcClient.Height()));
    if (!bIconic && (pTop = Find(hTop)) != nullptr)
        InvalidateWhole(pTop);
}

} // namespace velk::platform
