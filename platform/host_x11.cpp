// The X11 host's connection and native windows: creation with their hints, showing, moving,
// titles, icons, shapes, cursors, raising, the interactive move and presenting frames.
// The layer's headers come before Xlib's, whose macros (None, Status) would rename their names.
#include "platform/text_layout.h"

#include "platform/host_x11_impl.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kAtomNames[CX11Host::CImpl::ATOM_COUNT] = {
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
    "WM_STATE",
    "UTF8_STRING",
    "_NET_WM_NAME",
    "_NET_WM_ICON_NAME",
    "_NET_WM_ICON",
    "_NET_WM_PID",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_NORMAL",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_NET_WM_WINDOW_TYPE_UTILITY",
    "_NET_WM_WINDOW_TYPE_TOOLTIP",
    "_NET_WM_STATE",
    "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_WM_MOVERESIZE",
    "_NET_ACTIVE_WINDOW",
    "_NET_SUPPORTED",
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_WORKAREA",
    "_MOTIF_WM_HINTS",
};

constexpr long kMoveResizeMove = 8;
// Requests "from a pager": the window comes forward because the user asked for it (a second start).
constexpr long kSourcePager = 2;
constexpr long kSourceApplication = 1;
constexpr long kMotifDecorations = 1L << 1;

// Requests about windows that have just gone fail harmlessly; nothing ends the program for them.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

long EventMask()
{
    return ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask |
           KeyPressMask | KeyReleaseMask | StructureNotifyMask | PropertyChangeMask | FocusChangeMask;
}

// Premultiplied to straight alpha, as _NET_WM_ICON wants it.
unsigned long StraightArgb(std::uint32_t nPixel)
{
    const std::uint32_t a = nPixel >> 24;
    if (a == 0)
        return 0;
    auto channel = [&](int nShift) { return std::min<std::uint32_t>(((nPixel >> nShift) & 0xFF) * 255 / a, 255); };
    return (static_cast<unsigned long>(a) << 24) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
}

unsigned int FontCursorFor(int nCursorId)
{
    switch (nCursorId) {
    case IDC_HAND: return XC_hand2;
    case IDC_IBEAM: return XC_xterm;
    case IDC_WAIT: return XC_watch;
    case IDC_SIZEWE: return XC_sb_h_double_arrow;
    case IDC_SIZENS: return XC_sb_v_double_arrow;
    default: return XC_left_ptr;
    }
}

int ShiftOf(unsigned long nMask)
{
    int nShift = 0;
    while (nMask && !(nMask & 1)) {
        nMask >>= 1;
        ++nShift;
    }
    return nShift;
}

} // namespace

CX11Host::CImpl::CNative* CX11Host::CImpl::Find(HWND hWnd)
{
    auto it = windows.find(hWnd);
    return it == windows.end() ? nullptr : &it->second;
}

HWND CX11Host::CImpl::FindWindow(Window window) const
{
    auto it = byWindow.find(window);
    return it == byWindow.end() ? nullptr : it->second;
}

bool CX11Host::CImpl::WindowManagerSupports(Atom atom) const
{
    auto readWindow = [&](Window window, Window& value) {
        Atom type = 0;
        int nFormat = 0;
        unsigned long nItems = 0, nAfter = 0;
        unsigned char* pData = nullptr;
        const bool bRead = XGetWindowProperty(pDisplay, window, atoms[NET_SUPPORTING_WM_CHECK], 0, 1, False, XA_WINDOW, &type,
                                              &nFormat, &nItems, &nAfter, &pData) == Success &&
                           type == XA_WINDOW && nFormat == 32 && nItems == 1;
        if (bRead)
            value = static_cast<Window>(*reinterpret_cast<unsigned long*>(pData));
        if (pData)
            XFree(pData);
        return bRead;
    };
    // A window manager that runs says so with a check window that names itself.
    Window check = 0;
    Window self = 0;
    if (!readWindow(root, check) || !readWindow(check, self) || self != check)
        return false;
    Atom type = 0;
    int nFormat = 0;
    unsigned long nItems = 0, nAfter = 0;
    unsigned char* pData = nullptr;
    bool bFound = false;
    if (XGetWindowProperty(pDisplay, root, atoms[NET_SUPPORTED], 0, 4096, False, XA_ATOM, &type, &nFormat, &nItems, &nAfter,
                           &pData) == Success && type == XA_ATOM && nFormat == 32) {
        const auto* pAtoms = reinterpret_cast<const unsigned long*>(pData);
        bFound = std::find(pAtoms, pAtoms + nItems, atom) != pAtoms + nItems;
    }
    if (pData)
        XFree(pData);
    return bFound;
}

void CX11Host::CImpl::SendToRoot(Window window, Atom type, long l0, long l1, long l2, long l3, long l4) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    event.xclient.data.l[3] = l3;
    event.xclient.data.l[4] = l4;
    XSendEvent(pDisplay, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void CX11Host::CImpl::SetHints(const CNative& native, const CNativeWindowSpec& wanted)
{
    const Window window = native.window;
    XSetWMProtocols(pDisplay, window, &atoms[WM_DELETE_WINDOW], 1);
    if (!(wanted.dwStyle & WS_CAPTION)) {
        // flags (decorations), functions, decorations (none), input mode, status.
        const long hints[5] = {kMotifDecorations, 0, 0, 0, 0};
        XChangeProperty(pDisplay, window, atoms[MOTIF_WM_HINTS], atoms[MOTIF_WM_HINTS], 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(hints), 5);
    }
    const long nPid = getpid();
    XChangeProperty(pDisplay, window, atoms[NET_WM_PID], XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&nPid), 1);
    std::string strName = program_invocation_short_name ? program_invocation_short_name : "velk";
    std::string strClass = strName;
    strClass[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(strClass[0])));
    XClassHint classHint{strName.data(), strClass.data()};
    XSetClassHint(pDisplay, window, &classHint);
    const Atom type = native.bOverride ? atoms[NET_WM_WINDOW_TYPE_TOOLTIP]
                      : (wanted.dwExStyle & WS_EX_TOOLWINDOW) ? atoms[NET_WM_WINDOW_TYPE_UTILITY]
                      : wanted.hOwner && (wanted.dwStyle & WS_CAPTION) ? atoms[NET_WM_WINDOW_TYPE_DIALOG]
                                                                    : atoms[NET_WM_WINDOW_TYPE_NORMAL];
    XChangeProperty(pDisplay, window, atoms[NET_WM_WINDOW_TYPE], XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&type), 1);
    if (CNative* pOwner = Find(wanted.hOwner))
        XSetTransientForHint(pDisplay, window, pOwner->window);
    XWMHints wmHints{};
    wmHints.flags = InputHint | StateHint;
    wmHints.input = True;
    wmHints.initial_state = NormalState;
    XSetWMHints(pDisplay, window, &wmHints);
}

std::unique_ptr<CX11Host> CX11Host::Open(const char* szDisplay)
{
    // Other threads open connections of their own (the file-manager windows).
    XInitThreads();
    const int nWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    Display* pDisplay = nWakeFd >= 0 ? XOpenDisplay(szDisplay) : nullptr;
    if (!pDisplay) {
        if (nWakeFd >= 0)
            close(nWakeFd);
        return nullptr;
    }
    XSetErrorHandler(IgnoreXError);
    auto pImpl = std::make_unique<CImpl>();
    pImpl->pDisplay = pDisplay;
    pImpl->nScreen = DefaultScreen(pDisplay);
    pImpl->root = RootWindow(pDisplay, pImpl->nScreen);
    pImpl->pVisual = DefaultVisual(pDisplay, pImpl->nScreen);
    pImpl->nDepth = DefaultDepth(pDisplay, pImpl->nScreen);
    pImpl->gc = XCreateGC(pDisplay, pImpl->root, 0, nullptr);
    pImpl->bDirectPixels = pImpl->nDepth >= 24 && pImpl->pVisual->red_mask == 0xFF0000 &&
                           pImpl->pVisual->green_mask == 0xFF00 && pImpl->pVisual->blue_mask == 0xFF;
    int nEventBase = 0, nErrorBase = 0;
    pImpl->bShape = XShapeQueryExtension(pDisplay, &nEventBase, &nErrorBase);
    pImpl->nWakeFd = nWakeFd;
    XInternAtoms(pDisplay, const_cast<char**>(kAtomNames), CImpl::ATOM_COUNT, False, pImpl->atoms);
    std::unique_ptr<CX11Host> pHost(new CX11Host(std::move(pImpl)));
    AttachWindowHost(pHost.get());
    return pHost;
}

CX11Host::CX11Host(std::unique_ptr<CImpl> pImpl) : m_pImpl(std::move(pImpl)) {}

CX11Host::~CX11Host()
{
    DetachWindowHost(this);
    CImpl& impl = *m_pImpl;
    for (auto& [nId, cursor] : impl.cursors)
        XFreeCursor(impl.pDisplay, cursor);
    XFreeGC(impl.pDisplay, impl.gc);
    XCloseDisplay(impl.pDisplay);
    if (impl.nWakeFd >= 0)
        close(impl.nWakeFd);
}

unsigned long CX11Host::NativeWindowId(const CWnd* pWnd) const
{
    const CWnd* pTop = pWnd ? pWnd->GetTopLevelParent() : nullptr;
    CImpl::CNative* pNative = pTop ? m_pImpl->Find(pTop->m_hWnd) : nullptr;
    return pNative ? pNative->window : 0;
}

unsigned long CX11Host::WaitCount() const { return m_pImpl->nWaits; }

void CX11Host::Sync() { XSync(m_pImpl->pDisplay, False); }

bool CX11Host::CreateNativeWindow(HWND hWnd, const CNativeWindowSpec& wanted)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative native;
    native.rcScreen = wanted.rcScreen;
    native.dwStyle = wanted.dwStyle;
    native.dwExStyle = wanted.dwExStyle;
    native.bOverride = (wanted.dwExStyle & WS_EX_TOOLWINDOW) && (wanted.dwExStyle & WS_EX_TOPMOST);
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = kXNone;
    attributes.border_pixel = 0;
    attributes.bit_gravity = NorthWestGravity;
    attributes.event_mask = EventMask();
    attributes.override_redirect = native.bOverride ? True : False;
    attributes.colormap = DefaultColormap(impl.pDisplay, impl.nScreen);
    native.window = XCreateWindow(impl.pDisplay, impl.root, wanted.rcScreen.left, wanted.rcScreen.top,
                                  static_cast<unsigned>(std::max(wanted.rcScreen.Width(), 1)),
                                  static_cast<unsigned>(std::max(wanted.rcScreen.Height(), 1)), 0, impl.nDepth, InputOutput,
                                  impl.pVisual, CWBackPixmap | CWBorderPixel | CWBitGravity | CWEventMask | CWOverrideRedirect | CWColormap,
                                  &attributes);
    if (!native.window)
        return false;
    impl.windows[hWnd] = native;
    impl.byWindow[native.window] = hWnd;
    impl.SetHints(native, wanted);
    MoveNativeWindow(hWnd, wanted.rcScreen);
    SetNativeTitle(hWnd, wanted.strTitle);
    return true;
}

void CX11Host::DestroyNativeWindow(HWND hWnd)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    if (impl.hMoving == hWnd) {
        XUngrabPointer(impl.pDisplay, CurrentTime);
        impl.hMoving = nullptr;
    }
    XDestroyWindow(impl.pDisplay, pNative->window);
    impl.byWindow.erase(pNative->window);
    impl.windows.erase(hWnd);
    XFlush(impl.pDisplay);
}

void CX11Host::ShowNativeWindow(HWND hWnd, int nCmdShow)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    const Window window = pNative->window;
    switch (nCmdShow) {
    case SW_HIDE:
        if (pNative->bOverride)
            XUnmapWindow(impl.pDisplay, window);
        else
            XWithdrawWindow(impl.pDisplay, window, impl.nScreen);
        pNative->bMapped = false;
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (pNative->bMapped) {
            XIconifyWindow(impl.pDisplay, window, impl.nScreen);
        } else {
            XWMHints wmHints{};
            wmHints.flags = InputHint | StateHint;
            wmHints.input = True;
            wmHints.initial_state = IconicState;
            XSetWMHints(impl.pDisplay, window, &wmHints);
            XMapWindow(impl.pDisplay, window);
        }
        pNative->bMapped = pNative->bIconic = true;
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        if (pNative->bOverride)
            XMapRaised(impl.pDisplay, window);
        else
            XMapWindow(impl.pDisplay, window);
        pNative->bMapped = true;
        break;
    default: {
        const bool bWasIconic = pNative->bIconic;
        XMapRaised(impl.pDisplay, window);
        pNative->bMapped = true;
        pNative->bIconic = false;
        if (bWasIconic && !pNative->bOverride && impl.WindowManagerSupports(impl.atoms[CImpl::NET_ACTIVE_WINDOW]))
            impl.SendToRoot(window, impl.atoms[CImpl::NET_ACTIVE_WINDOW], kSourceApplication, static_cast<long>(impl.lastTime), 0, 0, 0);
        break;
    }
    }
    XFlush(impl.pDisplay);
}

void CX11Host::MoveNativeWindow(HWND hWnd, const CRect& rcScreen)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    pNative->rcScreen = rcScreen;
    const int nWidth = std::max(rcScreen.Width(), 1);
    const int nHeight = std::max(rcScreen.Height(), 1);
    if (!pNative->bOverride) {
        // The layer places and sizes its windows itself; they are not resized by the user.
        XSizeHints hints{};
        hints.flags = USPosition | PPosition | PMinSize | PMaxSize;
        hints.x = rcScreen.left;
        hints.y = rcScreen.top;
        hints.min_width = hints.max_width = nWidth;
        hints.min_height = hints.max_height = nHeight;
        XSetWMNormalHints(impl.pDisplay, pNative->window, &hints);
    }
    XMoveResizeWindow(impl.pDisplay, pNative->window, rcScreen.left, rcScreen.top, static_cast<unsigned>(nWidth),
                      static_cast<unsigned>(nHeight));
    XFlush(impl.pDisplay);
}

void CX11Host::SetNativeTitle(HWND hWnd, const std::string& strTitle)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    const std::string strText = velk::gdi::ValidUtf8(strTitle);
    for (int nAtom : {CImpl::NET_WM_NAME, CImpl::NET_WM_ICON_NAME})
        XChangeProperty(impl.pDisplay, pNative->window, impl.atoms[nAtom], impl.atoms[CImpl::UTF8_STRING], 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(strText.data()), static_cast<int>(strText.size()));
    // WM_NAME for older window managers and tools: Latin-1 where that suffices, compound text else.
    char* pList[1] = {const_cast<char*>(strText.c_str())};
    XTextProperty property{};
    if (Xutf8TextListToTextProperty(impl.pDisplay, pList, 1, XStdICCTextStyle, &property) >= Success) {
        XSetWMName(impl.pDisplay, pNative->window, &property);
        XSetWMIconName(impl.pDisplay, pNative->window, &property);
        XFree(property.value);
    }
    XFlush(impl.pDisplay);
}

void CX11Host::SetNativeIcon(HWND hWnd, const CIconPixels& icon, bool bBig)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    (bBig ? pNative->iconBig : pNative->iconSmall) = icon;
    std::vector<unsigned long> data;
    for (const CIconPixels* pIcon : {&pNative->iconBig, &pNative->iconSmall}) {
        const std::size_t nPixels = static_cast<std::size_t>(pIcon->nWidth) * static_cast<std::size_t>(pIcon->nHeight);
        if (nPixels == 0 || pIcon->pixels.size() < nPixels)
            continue;
        data.push_back(static_cast<unsigned long>(pIcon->nWidth));
        data.push_back(static_cast<unsigned long>(pIcon->nHeight));
        for (std::size_t i = 0; i < nPixels; ++i)
            data.push_back(StraightArgb(pIcon->pixels[i]));
    }
    if (data.empty())
        XDeleteProperty(impl.pDisplay, pNative->window, impl.atoms[CImpl::NET_WM_ICON]);
    else
        XChangeProperty(impl.pDisplay, pNative->window, impl.atoms[CImpl::NET_WM_ICON], XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
    XFlush(impl.pDisplay);
}

void CX11Host::SetNativeShape(HWND hWnd, const std::vector<CRect>& shape, bool bRectangular)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative || !impl.bShape)
        return;
    if (bRectangular) {
        XShapeCombineMask(impl.pDisplay, pNative->window, ShapeBounding, 0, 0, kXNone, ShapeSet);
    } else {
        std::vector<XRectangle> rects;
        for (const CRect& rc : shape) {
            const CRect rcClamped = CRect::Intersection(rc, CRect(SHRT_MIN, SHRT_MIN, SHRT_MAX, SHRT_MAX));
            if (!rcClamped.IsRectEmpty())
                rects.push_back({static_cast<short>(rcClamped.left), static_cast<short>(rcClamped.top),
                                 static_cast<unsigned short>(rcClamped.Width()), static_cast<unsigned short>(rcClamped.Height())});
        }
        XShapeCombineRectangles(impl.pDisplay, pNative->window, ShapeBounding, 0, 0, rects.data(), static_cast<int>(rects.size()),
                                ShapeSet, Unsorted);
    }
    XFlush(impl.pDisplay);
}

void CX11Host::SetNativeCursor(HWND hWnd, HCURSOR hCursor)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    const int nId = CursorId(hCursor);
    auto it = impl.cursors.find(nId);
    if (it == impl.cursors.end())
        it = impl.cursors.emplace(nId, XCreateFontCursor(impl.pDisplay, FontCursorFor(nId))).first;
    XDefineCursor(impl.pDisplay, pNative->window, it->second);
    XFlush(impl.pDisplay);
}

void CX11Host::RaiseNativeWindow(HWND hWnd)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative || !pNative->bMapped)
        return;
    XRaiseWindow(impl.pDisplay, pNative->window);
    // The activation request would also restore a minimised window, which must stay minimised.
    if (!pNative->bOverride && !pNative->bIconic && impl.WindowManagerSupports(impl.atoms[CImpl::NET_ACTIVE_WINDOW]))
        impl.SendToRoot(pNative->window, impl.atoms[CImpl::NET_ACTIVE_WINDOW], kSourcePager, static_cast<long>(impl.lastTime), 0, 0, 0);
    XFlush(impl.pDisplay);
}

void CX11Host::BeginInteractiveMove(HWND hWnd, POINT ptScreen)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative)
        return;
    if (!pNative->bOverride && impl.WindowManagerSupports(impl.atoms[CImpl::NET_WM_MOVERESIZE])) {
        // The window manager moves the window; it needs the pointer that our press grabbed.
        XUngrabPointer(impl.pDisplay, impl.lastTime);
        impl.SendToRoot(pNative->window, impl.atoms[CImpl::NET_WM_MOVERESIZE], impl.ptLastRoot.x, impl.ptLastRoot.y,
                        kMoveResizeMove, Button1, kSourceApplication);
        XFlush(impl.pDisplay);
        return;
    }
    impl.ptGrab = {ptScreen.x - pNative->rcScreen.left, ptScreen.y - pNative->rcScreen.top};
    Window rootReturn = 0, childReturn = 0;
    int xRoot = 0, yRoot = 0, xWindow = 0, yWindow = 0;
    unsigned int nMask = 0;
    if (!XQueryPointer(impl.pDisplay, impl.root, &rootReturn, &childReturn, &xRoot, &yRoot, &xWindow, &yWindow, &nMask))
        return;
    // The pointer may have gone on (or the button up) before the press was handled: the window
    // goes where the pointer is now, and follows it while the button is down.
    impl.FollowPointer(hWnd, *pNative, xRoot, yRoot);
    if (!(nMask & Button1Mask))
        return;
    impl.hMoving = hWnd;
    XGrabPointer(impl.pDisplay, pNative->window, False, ButtonReleaseMask | PointerMotionMask, GrabModeAsync, GrabModeAsync,
                 kXNone, kXNone, impl.lastTime);
    XFlush(impl.pDisplay);
}

void CX11Host::CImpl::FollowPointer(HWND hWnd, CNative& native, int xRoot, int yRoot)
{
    const POINT pt{xRoot - ptGrab.x, yRoot - ptGrab.y};
    if (native.rcScreen.TopLeft() == CPoint(pt))
        return;
    native.rcScreen.MoveToXY(pt.x, pt.y);
    XMoveWindow(pDisplay, native.window, pt.x, pt.y);
    XFlush(pDisplay);
    CHostEvents::Moved(hWnd, pt);
}

void CX11Host::PresentNativeWindow(HWND hWnd, const CPixelView& frame, const std::vector<CRect>& damage)
{
    CImpl& impl = *m_pImpl;
    CImpl::CNative* pNative = impl.Find(hWnd);
    if (!pNative || !frame.pPixels || frame.nWidth <= 0 || frame.nHeight <= 0)
        return;
    const CRect rcFrame(0, 0, std::min(frame.nWidth, pNative->rcScreen.Width()), std::min(frame.nHeight, pNative->rcScreen.Height()));
    std::vector<CRect> rects;
    for (const CRect& rc : damage)
        if (const CRect rcCopy = CRect::Intersection(rc, rcFrame); !rcCopy.IsRectEmpty())
            rects.push_back(rcCopy);
    if (impl.bDirectPixels)
        impl.PutDirect(pNative->window, frame, rects);
    else
        impl.PutConverted(pNative->window, frame, rects);
    XFlush(impl.pDisplay);
}

void CX11Host::CImpl::PutDirect(Window window, const CPixelView& frame, const std::vector<CRect>& rects)
{
    XImage* pImage = XCreateImage(pDisplay, pVisual, static_cast<unsigned>(nDepth), ZPixmap, 0,
                                  reinterpret_cast<char*>(const_cast<std::uint32_t*>(frame.pPixels)),
                                  static_cast<unsigned>(frame.nWidth), static_cast<unsigned>(frame.nHeight), 32, frame.nStride);
    if (!pImage)
        return;
    // The frame's words are in this machine's byte order; Xlib swaps them if the server's differs.
    const std::uint32_t nProbe = 1;
    pImage->byte_order = *reinterpret_cast<const unsigned char*>(&nProbe) ? LSBFirst : MSBFirst;
    for (const CRect& rc : rects)
        XPutImage(pDisplay, window, gc, pImage, rc.left, rc.top, rc.left, rc.top, static_cast<unsigned>(rc.Width()),
                  static_cast<unsigned>(rc.Height()));
    // The pixels are the frame's, not the image's.
    pImage->data = nullptr;
    XDestroyImage(pImage);
}

void CX11Host::CImpl::PutConverted(Window window, const CPixelView& frame, const std::vector<CRect>& rects)
{
    // Another visual: each pixel is put together from the visual's masks.
    const unsigned long nMasks[3] = {pVisual->red_mask, pVisual->green_mask, pVisual->blue_mask};
    const int nShifts[3] = {ShiftOf(nMasks[0]), ShiftOf(nMasks[1]), ShiftOf(nMasks[2])};
    auto convert = [&](std::uint32_t nPixel) {
        unsigned long nValue = 0;
        for (int c = 0; c < 3; ++c) {
            const unsigned long nChannel = (nPixel >> (16 - 8 * c)) & 0xFF;
            nValue |= ((nChannel * (nMasks[c] >> nShifts[c]) / 255) << nShifts[c]) & nMasks[c];
        }
        return nValue;
    };
    for (const CRect& rc : rects) {
        XImage* pImage = XCreateImage(pDisplay, pVisual, static_cast<unsigned>(nDepth), ZPixmap, 0, nullptr,
                                      static_cast<unsigned>(rc.Width()), static_cast<unsigned>(rc.Height()), 32, 0);
        if (!pImage)
            continue;
        pImage->data = static_cast<char*>(std::calloc(static_cast<std::size_t>(pImage->bytes_per_line), static_cast<std::size_t>(rc.Height())));
        if (pImage->data) {
            for (int y = 0; y < rc.Height(); ++y) {
                const auto* pRow = reinterpret_cast<const std::uint32_t*>(reinterpret_cast<const unsigned char*>(frame.pPixels) +
                                                                          static_cast<std::ptrdiff_t>(rc.top + y) * frame.nStride);
                for (int x = 0; x < rc.Width(); ++x)
                    XPutPixel(pImage, x, y, convert(pRow[rc.left + x]));
            }
            XPutImage(pDisplay, window, gc, pImage, 0, 0, rc.left, rc.top, static_cast<unsigned>(rc.Width()),
                      static_cast<unsigned>(rc.Height()));
        }
        XDestroyImage(pImage);
    }
}

CRect CX11Host::GetWorkArea() const
{
    const CImpl& impl = *m_pImpl;
    const CRect rcScreen(0, 0, DisplayWidth(impl.pDisplay, impl.nScreen), DisplayHeight(impl.pDisplay, impl.nScreen));
    Atom type = 0;
    int nFormat = 0;
    unsigned long nItems = 0, nAfter = 0;
    unsigned char* pData = nullptr;
    CRect rcWork = rcScreen;
    if (XGetWindowProperty(impl.pDisplay, impl.root, impl.atoms[CImpl::NET_WORKAREA], 0, 4, False, XA_CARDINAL, &type, &nFormat,
                           &nItems, &nAfter, &pData) == Success && type == XA_CARDINAL && nFormat == 32 && nItems == 4) {
        const auto* pValues = reinterpret_cast<const long*>(pData);
        const CRect rc(static_cast<int>(pValues[0]), static_cast<int>(pValues[1]), static_cast<int>(pValues[0] + pValues[2]),
                       static_cast<int>(pValues[1] + pValues[3]));
        if (!CRect::Intersection(rc, rcScreen).IsRectEmpty())
            rcWork = CRect::Intersection(rc, rcScreen);
    }
    if (pData)
        XFree(pData);
    return rcWork;
}

HostTime CX11Host::Now() const
{
    return std::chrono::duration_cast<HostTime>(std::chrono::steady_clock::now().time_since_epoch());
}

void CX11Host::Wake()
{
    const std::uint64_t nOne = 1;
    // A full counter already wakes the loop; nothing is lost when this write fails.
    [[maybe_unused]] ssize_t nWritten = write(m_pImpl->nWakeFd, &nOne, sizeof nOne);
}

void CX11Host::ProcessEvents(HostTime deadline)
{
    CImpl& impl = *m_pImpl;
    if (impl.DrainEvents()) {
        impl.Wait(0);
        return;
    }
    if (deadline != kNoDeadline && deadline <= Now()) {
        impl.Wait(0);
        return;
    }
    const long long nTimeout = deadline == kNoDeadline ? -1 : (deadline - Now()).count();
    impl.Wait(static_cast<int>(std::clamp<long long>(nTimeout, -1, INT_MAX)));
}
