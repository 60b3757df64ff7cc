// The X11 host's loop: waiting in poll() on the X connection, the wake descriptor and the window
// directory, and X events turned into what the window system hears (CHostEvents).
#include "platform/host_x11_impl.h"

#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace {

UINT VirtualKey(KeySym keysym)
{
    if (keysym >= XK_a && keysym <= XK_z)
        return static_cast<UINT>('A' + (keysym - XK_a));
    if (keysym >= XK_A && keysym <= XK_Z)
        return static_cast<UINT>('A' + (keysym - XK_A));
    if (keysym >= XK_0 && keysym <= XK_9)
        return static_cast<UINT>('0' + (keysym - XK_0));
    if (keysym >= XK_F1 && keysym <= XK_F12)
        return static_cast<UINT>(VK_F1 + (keysym - XK_F1));
    switch (keysym) {
    case XK_Return:
    case XK_KP_Enter: return VK_RETURN;
    case XK_Escape: return VK_ESCAPE;
    case XK_Tab:
    case XK_ISO_Left_Tab: return VK_TAB;
    case XK_BackSpace: return VK_BACK;
    case XK_Delete:
    case XK_KP_Delete: return VK_DELETE;
    case XK_space: return VK_SPACE;
    case XK_Up:
    case XK_KP_Up: return VK_UP;
    case XK_Down:
    case XK_KP_Down: return VK_DOWN;
    case XK_Left:
    case XK_KP_Left: return VK_LEFT;
    case XK_Right:
    case XK_KP_Right: return VK_RIGHT;
    case XK_Home:
    case XK_KP_Home: return VK_HOME;
    case XK_End:
    case XK_KP_End: return VK_END;
    case XK_Prior:
    case XK_KP_Prior: return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next: return VK_NEXT;
    case XK_Shift_L:
    case XK_Shift_R: return VK_SHIFT;
    case XK_Control_L:
    case XK_Control_R: return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R: return VK_MENU;
    default: return 0;
    }
}

// What XLookupString gives is Latin-1.
std::string Utf8FromLatin1(const char* pText, int nLength)
{
    std::string strText;
    for (int i = 0; i < nLength; ++i) {
        const auto c = static_cast<unsigned char>(pText[i]);
        if (c < 0x80) {
            strText.push_back(static_cast<char>(c));
        } else {
            strText.push_back(static_cast<char>(0xC0 | (c >> 6)));
            strText.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return strText;
}

WPARAM Modifiers(unsigned int nState)
{
    return ((nState & ShiftMask) ? MK_SHIFT : 0) | ((nState & ControlMask) ? MK_CONTROL : 0);
}

HostMouseButton ButtonOf(unsigned int nButton)
{
    switch (nButton) {
    case Button1: return HostMouseButton::Left;
    case Button2: return HostMouseButton::Middle;
    case Button3: return HostMouseButton::Right;
    default: return HostMouseButton::None;
    }
}

WPARAM ButtonFlag(HostMouseButton button)
{
    switch (button) {
    case HostMouseButton::Left: return MK_LBUTTON;
    case HostMouseButton::Right: return MK_RBUTTON;
    case HostMouseButton::Middle: return MK_MBUTTON;
    default: return 0;
    }
}

void Mouse(HWND hWnd, HostMouseKind kind, HostMouseButton button, int x, int y, unsigned int nState, int nWheel = 0)
{
    CHostMouseEvent event;
    event.kind = kind;
    event.button = button;
    event.pt = {x, y};
    event.nWheelDelta = nWheel;
    event.nModifiers = Modifiers(nState);
    CHostEvents::Mouse(hWnd, event);
}

} // namespace

bool CX11Host::CImpl::DrainEvents()
{
    bool bHandled = false;
    while (XPending(pDisplay) > 0) {
        XEvent event;
        XNextEvent(pDisplay, &event);
        Handle(event);
        bHandled = true;
    }
    return bHandled;
}

void CX11Host::CImpl::Wait(int nTimeoutMs)
{
    XFlush(pDisplay);
    const std::vector<int> descriptors = CHostEvents::PollDescriptors();
    std::vector<pollfd> polled{{ConnectionNumber(pDisplay), POLLIN, 0}, {nWakeFd, POLLIN, 0}};
    for (int nFd : descriptors)
        polled.push_back({nFd, POLLIN, 0});
    if (nTimeoutMs != 0)
        ++nWaits;
    int nReady;
    while ((nReady = poll(polled.data(), polled.size(), nTimeoutMs)) < 0 && errno == EINTR) {
    }
    if (nReady <= 0)
        return;
    std::uint64_t nCount;
    if (polled[1].revents)
        [[maybe_unused]] ssize_t nRead = read(nWakeFd, &nCount, sizeof nCount);
    if (polled[0].revents)
        DrainEvents();
    for (std::size_t i = 2; i < polled.size(); ++i)
        if (polled[i].revents)
            CHostEvents::DescriptorReady(polled[i].fd);
}

void CX11Host::CImpl::Handle(XEvent& event)
{
    const HWND hWnd = FindWindow(event.xany.window);
    CNative* pNative = Find(hWnd);
    if (!pNative)
        return;
    switch (event.type) {
    case kXExpose:
        CHostEvents::Expose(hWnd, CRect(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                        event.xexpose.y + event.xexpose.height));
        return;
    case ConfigureNotify: {
        int x = event.xconfigure.x;
        int y = event.xconfigure.y;
        // A window manager's frame around the window makes the event's position its own.
        Window child = 0;
        if (!event.xconfigure.send_event)
            XTranslateCoordinates(pDisplay, pNative->window, root, 0, 0, &x, &y, &child);
        pNative->rcScreen.MoveToXY(x, y);
        CHostEvents::Moved(hWnd, {x, y});
        return;
    }
    case MapNotify: pNative->bMapped = true; return;
    case UnmapNotify: pNative->bMapped = false; return;
    case PropertyNotify:
        if (event.xproperty.atom == atoms[WM_STATE])
            OnStateChanged(hWnd, *pNative);
        return;
    case ButtonPress:
    case ButtonRelease: OnButton(hWnd, event.xbutton); return;
    case MotionNotify: {
        // Only the latest of a run of moves matters.
        while (XCheckTypedWindowEvent(pDisplay, pNative->window, MotionNotify, &event)) {
        }
        OnMotion(hWnd, *pNative, event.xmotion);
        return;
    }
    case EnterNotify:
        ReleaseStaleButtons(hWnd, event.xcrossing.state, event.xcrossing.x, event.xcrossing.y);
        Mouse(hWnd, HostMouseKind::Move, HostMouseButton::None, event.xcrossing.x, event.xcrossing.y, event.xcrossing.state);
        return;
    case LeaveNotify:
        if (event.xcrossing.mode == NotifyNormal && !hMoving)
            Mouse(hWnd, HostMouseKind::Leave, HostMouseButton::None, event.xcrossing.x, event.xcrossing.y, event.xcrossing.state);
        return;
    case KeyPress:
    case KeyRelease: OnKey(hWnd, event.xkey); return;
    case ClientMessage:
        if (event.xclient.message_type == atoms[WM_PROTOCOLS] &&
            static_cast<Atom>(event.xclient.data.l[0]) == atoms[WM_DELETE_WINDOW])
            CHostEvents::Close(hWnd);
        return;
    default: return;
    }
}

void CX11Host::CImpl::OnStateChanged(HWND hWnd, CNative& native)
{
    Atom type = 0;
    int nFormat = 0;
    unsigned long nItems = 0, nAfter = 0;
    unsigned char* pData = nullptr;
    if (XGetWindowProperty(pDisplay, native.window, atoms[WM_STATE], 0, 2, False, atoms[WM_STATE], &type, &nFormat, &nItems,
                           &nAfter, &pData) == Success && pData && nFormat == 32 && nItems >= 1) {
        const bool bIconic = *reinterpret_cast<const long*>(pData) == IconicState;
        if (bIconic != native.bIconic) {
            native.bIconic = bIconic;
            CHostEvents::Iconic(hWnd, bIconic);
        }
    }
    if (pData)
        XFree(pData);
}

void CX11Host::CImpl::OnButton(HWND hWnd, const XButtonEvent& event)
{
    lastTime = event.time;
    ptLastRoot = {event.x_root, event.y_root};
    const bool bPress = event.type == ButtonPress;
    if (hMoving && !bPress) {
        // The end of a move that followed the pointer; the release itself reaches the window.
        if (CNative* pMoving = Find(hMoving))
            FollowPointer(hMoving, *pMoving, event.x_root, event.y_root);
        hMoving = nullptr;
        XUngrabPointer(pDisplay, event.time);
    }
    if (event.button == Button4 || event.button == Button5) {
        if (bPress)
            Mouse(hWnd, HostMouseKind::Wheel, HostMouseButton::None, event.x, event.y, event.state,
                  event.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA);
        return;
    }
    const HostMouseButton button = ButtonOf(event.button);
    if (button == HostMouseButton::None)
        return;
    if (bPress)
        nButtonsDown |= ButtonFlag(button);
    else
        nButtonsDown &= ~ButtonFlag(button);
    Mouse(hWnd, bPress ? HostMouseKind::ButtonDown : HostMouseKind::ButtonUp, button, event.x, event.y, event.state);
}

void CX11Host::CImpl::OnMotion(HWND hWnd, CNative& native, const XMotionEvent& event)
{
    lastTime = event.time;
    ptLastRoot = {event.x_root, event.y_root};
    if (hMoving == hWnd) {
        FollowPointer(hWnd, native, event.x_root, event.y_root);
        return;
    }
    ReleaseStaleButtons(hWnd, event.state, event.x, event.y);
    Mouse(hWnd, HostMouseKind::Move, HostMouseButton::None, event.x, event.y, event.state);
}

void CX11Host::CImpl::ReleaseStaleButtons(HWND hWnd, unsigned int nState, int x, int y)
{
    // A press whose release went elsewhere (the window manager took it for a move) ends here.
    const struct {
        WPARAM nFlag;
        unsigned int nMask;
        HostMouseButton button;
    } buttons[] = {{MK_LBUTTON, Button1Mask, HostMouseButton::Left},
                   {MK_MBUTTON, Button2Mask, HostMouseButton::Middle},
                   {MK_RBUTTON, Button3Mask, HostMouseButton::Right}};
    for (const auto& button : buttons) {
        if ((nButtonsDown & button.nFlag) && !(nState & button.nMask)) {
            nButtonsDown &= ~button.nFlag;
            Mouse(hWnd, HostMouseKind::ButtonUp, button.button, x, y, nState);
        }
    }
}

void CX11Host::CImpl::OnKey(HWND hWnd, XKeyEvent& event)
{
    char text[32];
    KeySym keysym = 0;
    const int nLength = XLookupString(&event, text, sizeof text, &keysym, nullptr);
    CHostKeyEvent key;
    key.bDown = event.type == KeyPress;
    key.nVirtualKey = VirtualKey(XLookupKeysym(&event, 0));
    if (key.bDown && nLength > 0)
        key.strText = Utf8FromLatin1(text, nLength);
    if (key.nVirtualKey || !key.strText.empty())
        CHostEvents::Key(hWnd, key);
}
