// The headless host: native windows as pixel buffers, a manual clock and injected input.
#include "platform/host_headless.h"

#include "platform/message_loop.h"
#include "platform/window_system.h"

#include <cairo.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

using velk::platform::CWindowSystem;

CHeadlessHost::CHeadlessHost(const CRect& rcWorkArea)
    : m_rcWorkArea(rcWorkArea), m_nWakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    AttachWindowHost(this);
}

CHeadlessHost::~CHeadlessHost()
{
    DetachWindowHost(this);
    if (m_nWakeFd >= 0)
        close(m_nWakeFd);
}

const CHeadlessHost::CNativeWindow* CHeadlessHost::NativeWindow(const CWnd* pWnd) const
{
    const CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : nullptr;
    auto it = pTop ? m_windows.find(pTop->m_hWnd) : m_windows.end();
    return it == m_windows.end() ? nullptr : &it->second;
}

void CHeadlessHost::PointerAt(const CWnd* pWnd, POINT pt, HWND& hTop, POINT& ptScreen) const
{
    const CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : nullptr;
    hTop = pTop ? pTop->m_hWnd : nullptr;
    ptScreen = pt;
    if (pWnd)
        pWnd->ClientToScreen(&ptScreen);
}

void CHeadlessHost::InjectMouse(HWND hTop, HostMouseKind kind, POINT ptScreen, HostMouseButton button,
                                WPARAM nModifiers, int nDelta)
{
    if (m_hMoving) {
        // While the user drags a window, the pointer moves the window and nothing else.
        auto it = m_windows.find(m_hMoving);
        if (it != m_windows.end() && kind == HostMouseKind::Move)
            CHostEvents::Moved(m_hMoving, {ptScreen.x - m_ptGrab.x, ptScreen.y - m_ptGrab.y});
        const bool bReleased = kind == HostMouseKind::ButtonUp || it == m_windows.end();
        if (bReleased)
            m_hMoving = nullptr;
        if (!bReleased || it == m_windows.end())
            return;
    }
    auto it = m_windows.find(hTop);
    if (it == m_windows.end())
        return;
    CHostMouseEvent event;
    event.kind = kind;
    event.button = button;
    event.pt = {ptScreen.x - it->second.rcScreen.left, ptScreen.y - it->second.rcScreen.top};
    event.nWheelDelta = nDelta;
    event.nModifiers = nModifiers;
    CHostEvents::Mouse(hTop, event);
}

void CHeadlessHost::MouseMove(const CWnd* pWnd, POINT pt, WPARAM nModifiers)
{
    HWND hTop;
    POINT ptScreen;
    PointerAt(pWnd, pt, hTop, ptScreen);
    InjectMouse(hTop, HostMouseKind::Move, ptScreen, HostMouseButton::None, nModifiers);
}

void CHeadlessHost::MouseDown(const CWnd* pWnd, POINT pt, HostMouseButton button, WPARAM nModifiers)
{
    HWND hTop;
    POINT ptScreen;
    PointerAt(pWnd, pt, hTop, ptScreen);
    InjectMouse(hTop, HostMouseKind::ButtonDown, ptScreen, button, nModifiers);
}

void CHeadlessHost::MouseUp(const CWnd* pWnd, POINT pt, HostMouseButton button, WPARAM nModifiers)
{
    HWND hTop;
    POINT ptScreen;
    PointerAt(pWnd, pt, hTop, ptScreen);
    InjectMouse(hTop, HostMouseKind::ButtonUp, ptScreen, button, nModifiers);
}

void CHeadlessHost::Click(const CWnd* pWnd, POINT pt, HostMouseButton button, WPARAM nModifiers)
{
    MouseMove(pWnd, pt, nModifiers);
    MouseDown(pWnd, pt, button, nModifiers);
    MouseUp(pWnd, pt, button, nModifiers);
}

void CHeadlessHost::DoubleClick(const CWnd* pWnd, POINT pt)
{
    Click(pWnd, pt);
    Click(pWnd, pt);
}

void CHeadlessHost::Wheel(const CWnd* pWnd, POINT pt, int nDelta)
{
    HWND hTop;
    POINT ptScreen;
    PointerAt(pWnd, pt, hTop, ptScreen);
    InjectMouse(hTop, HostMouseKind::Wheel, ptScreen, HostMouseButton::None, 0, nDelta);
}

void CHeadlessHost::MouseLeave(const CWnd* pWnd)
{
    HWND hTop;
    POINT ptScreen;
    PointerAt(pWnd, {-1, -1}, hTop, ptScreen);
    InjectMouse(hTop, HostMouseKind::Leave, ptScreen, HostMouseButton::None, 0);
}

void CHeadlessHost::KeyDown(UINT nVirtualKey, const std::string& strText)
{
    if (m_windows.count(m_hLastShown))
        CHostEvents::Key(m_hLastShown, CHostKeyEvent{true, nVirtualKey, strText});
}

void CHeadlessHost::KeyUp(UINT nVirtualKey)
{
    if (m_windows.count(m_hLastShown))
        CHostEvents::Key(m_hLastShown, CHostKeyEvent{false, nVirtualKey, {}});
}

void CHeadlessHost::PressKey(UINT nVirtualKey, const std::string& strText)
{
    KeyDown(nVirtualKey, strText);
    KeyUp(nVirtualKey);
}

void CHeadlessHost::CloseWindow(const CWnd* pWnd)
{
    if (const CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : nullptr)
        CHostEvents::Close(pTop->m_hWnd);
}

int CHeadlessHost::PumpUntilIdle() { return ::PumpUntilIdle(); }

void CHeadlessHost::AdvanceTime(HostTime span)
{
    const HostTime target = m_now + std::max(span, HostTime{0});
    for (;;) {
        PumpUntilIdle();
        HostTime next = CWindowSystem::Get().NextDeadline();
        HostTime action = NextAction();
        if (action != kNoDeadline && (next == kNoDeadline || action < next))
            next = action;
        if (next == kNoDeadline || next > target)
            break;
        m_now = std::max(m_now, next);
        RunDueActions();
    }
    m_now = target;
    RunDueActions();
    PumpUntilIdle();
}

void CHeadlessHost::Schedule(HostTime delay, std::function<void()> fn)
{
    m_actions.emplace(m_now + std::max(delay, HostTime{0}), std::move(fn));
}

HostTime CHeadlessHost::NextAction() const { return m_actions.empty() ? kNoDeadline : m_actions.begin()->first; }

void CHeadlessHost::RunDueActions()
{
    while (!m_actions.empty() && m_actions.begin()->first <= m_now) {
        std::function<void()> fn = std::move(m_actions.begin()->second);
        m_actions.erase(m_actions.begin());
        fn();
    }
}

void CHeadlessHost::ProcessEvents(HostTime deadline)
{
    WaitForDescriptors(false);
    RunDueActions();
    if (deadline != kNoDeadline && deadline <= m_now)
        return;
    if (std::exchange(m_bWoken, false))
        return;
    HostTime next = NextAction();
    if (deadline != kNoDeadline && (next == kNoDeadline || deadline < next))
        next = deadline;
    if (next != kNoDeadline) {
        // Waiting on a manual clock: time simply moves on to what comes next.
        m_now = std::max(m_now, next);
        RunDueActions();
        return;
    }
    WaitForDescriptors(true);
    m_bWoken = false;
}

void CHeadlessHost::WaitForDescriptors(bool bBlock)
{
    const std::vector<int> descriptors = CHostEvents::PollDescriptors();
    std::vector<pollfd> polled{{m_nWakeFd, POLLIN, 0}};
    for (int nFd : descriptors)
        polled.push_back({nFd, POLLIN, 0});
    int nReady;
    while ((nReady = poll(polled.data(), polled.size(), bBlock ? -1 : 0)) < 0 && errno == EINTR) {
    }
    if (nReady <= 0)
        return;
    std::uint64_t nCount;
    if (polled[0].revents && read(m_nWakeFd, &nCount, sizeof nCount) == sizeof nCount)
        m_bWoken = true;
    for (std::size_t i = 1; i < polled.size(); ++i)
        if (polled[i].revents)
            CHostEvents::DescriptorReady(polled[i].fd);
}

void CHeadlessHost::Wake()
{
    const std::uint64_t nOne = 1;
    // A full counter already wakes the loop; nothing is lost when this write fails.
    [[maybe_unused]] ssize_t nWritten = write(m_nWakeFd, &nOne, sizeof nOne);
}

bool CHeadlessHost::CreateNativeWindow(HWND hWnd, const CNativeWindowSpec& wanted)
{
    CNativeWindow& native = m_windows[hWnd];
    native.rcScreen = wanted.rcScreen;
    native.strTitle = wanted.strTitle;
    AllocateScreen(native);
    return true;
}

void CHeadlessHost::DestroyNativeWindow(HWND hWnd)
{
    m_windows.erase(hWnd);
    if (m_hLastShown == hWnd)
        m_hLastShown = nullptr;
    if (m_hMoving == hWnd)
        m_hMoving = nullptr;
}

void CHeadlessHost::ShowNativeWindow(HWND hWnd, int nCmdShow)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return;
    it->second.bVisible = nCmdShow != SW_HIDE;
    it->second.nShowCmd = nCmdShow;
    if (it->second.bVisible && nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE)
        m_hLastShown = hWnd;
}

void CHeadlessHost::MoveNativeWindow(HWND hWnd, const CRect& rcScreen)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return;
    const bool bResized = rcScreen.Size() != it->second.rcScreen.Size();
    it->second.rcScreen = rcScreen;
    if (bResized)
        AllocateScreen(it->second);
}

void CHeadlessHost::SetNativeTitle(HWND hWnd, const std::string& strTitle)
{
    if (auto it = m_windows.find(hWnd); it != m_windows.end())
        it->second.strTitle = strTitle;
}

void CHeadlessHost::SetNativeIcon(HWND hWnd, const CIconPixels& icon, bool bBig)
{
    if (auto it = m_windows.find(hWnd); it != m_windows.end())
        (bBig ? it->second.iconBig : it->second.iconSmall) = icon;
}

void CHeadlessHost::SetNativeShape(HWND hWnd, const std::vector<CRect>& shape, bool bRectangular)
{
    if (auto it = m_windows.find(hWnd); it != m_windows.end()) {
        it->second.bShaped = !bRectangular;
        it->second.shape = shape;
    }
}

void CHeadlessHost::SetNativeCursor(HWND hWnd, HCURSOR hCursor)
{
    if (auto it = m_windows.find(hWnd); it != m_windows.end())
        it->second.hCursor = hCursor;
}

void CHeadlessHost::RaiseNativeWindow(HWND hWnd)
{
    if (auto it = m_windows.find(hWnd); it != m_windows.end())
        ++it->second.nRaises;
}

void CHeadlessHost::BeginInteractiveMove(HWND hWnd, POINT ptScreen)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end())
        return;
    ++it->second.nMoveRequests;
    m_hMoving = hWnd;
    m_ptGrab = {ptScreen.x - it->second.rcScreen.left, ptScreen.y - it->second.rcScreen.top};
}

void CHeadlessHost::PresentNativeWindow(HWND hWnd, const CPixelView& frame, const std::vector<CRect>& damage)
{
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end() || !frame.pPixels)
        return;
    CNativeWindow& native = it->second;
    ++native.nPresents;
    native.lastDamage = damage;
    if (native.screen.empty())
        return;
    const int nWidth = std::min(frame.nWidth, native.rcScreen.Width());
    const int nHeight = std::min(frame.nHeight, native.rcScreen.Height());
    for (const CRect& rc : damage) {
        CRect rcCopy = CRect::Intersection(rc, CRect(0, 0, nWidth, nHeight));
        for (int y = rcCopy.top; y < rcCopy.bottom; ++y) {
            const auto* pRow = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(frame.pPixels) +
                                                                      static_cast<std::ptrdiff_t>(y) * frame.nStride);
            std::copy(pRow + rcCopy.left, pRow + rcCopy.right,
                      native.screen.begin() + static_cast<std::ptrdiff_t>(y) * native.rcScreen.Width() + rcCopy.left);
        }
    }
}

void CHeadlessHost::AllocateScreen(CNativeWindow& native)
{
    // A window too large for a frame (the window system refuses those too) shows nothing.
    native.screen.clear();
    if (velk::gdi::IsAllowedSurfaceSize(native.rcScreen.Width(), native.rcScreen.Height()))
        native.screen.assign(static_cast<std::size_t>(native.rcScreen.Width()) * static_cast<std::size_t>(native.rcScreen.Height()), 0);
}

bool CHeadlessHost::InShape(const CNativeWindow& native, POINT ptWindow) const
{
    if (!CRect(0, 0, native.rcScreen.Width(), native.rcScreen.Height()).PtInRect(ptWindow) || native.screen.empty())
        return false;
    if (!native.bShaped)
        return true;
    return std::any_of(native.shape.begin(), native.shape.end(), [&](const CRect& rc) { return rc.PtInRect(ptWindow); });
}

COLORREF CHeadlessHost::GetScreenPixel(const CWnd* pWnd, POINT pt) const
{
    const CNativeWindow* pNative = NativeWindow(pWnd);
    if (!pNative)
        return CLR_INVALID;
    POINT ptScreen = pt;
    pWnd->ClientToScreen(&ptScreen);
    const POINT ptWindow{ptScreen.x - pNative->rcScreen.left, ptScreen.y - pNative->rcScreen.top};
    if (!InShape(*pNative, ptWindow))
        return CLR_INVALID;
    const std::uint32_t nPixel =
        pNative->screen[static_cast<std::size_t>(ptWindow.y) * static_cast<std::size_t>(pNative->rcScreen.Width()) +
                        static_cast<std::size_t>(ptWindow.x)];
    return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}

bool CHeadlessHost::WritePng(const CWnd* pWnd, const std::string& strPath) const
{
    const CNativeWindow* pNative = NativeWindow(pWnd);
    if (!pNative)
        return false;
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-pNative->rcScreen.left, -pNative->rcScreen.top);
    rcWindow = CRect::Intersection(rcWindow, CRect(0, 0, pNative->rcScreen.Width(), pNative->rcScreen.Height()));
    if (rcWindow.IsRectEmpty())
        return false;
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rcWindow.Width(), rcWindow.Height());
    cairo_surface_flush(pSurface);
    unsigned char* pData = cairo_image_surface_get_data(pSurface);
    const int nStride = cairo_image_surface_get_stride(pSurface);
    for (int y = 0; y < rcWindow.Height(); ++y) {
        auto* pRow = reinterpret_cast<std::uint32_t*>(pData + static_cast<std::ptrdiff_t>(y) * nStride);
        for (int x = 0; x < rcWindow.Width(); ++x) {
            const POINT pt{rcWindow.left + x, rcWindow.top + y};
            const std::uint32_t nPixel =
                pNative->screen[static_cast<std::size_t>(pt.y) * static_cast<std::size_t>(pNative->rcScreen.Width()) +
                                static_cast<std::size_t>(pt.x)];
            pRow[x] = InShape(*pNative, pt) ? (0xFF000000u | nPixel) : 0;
        }
    }
    cairo_surface_mark_dirty(pSurface);
    const bool bWritten = cairo_surface_write_to_png(pSurface, strPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(pSurface);
    return bWritten;
}
