// The seam between the window system and what shows its top-level windows: the X11 desktop or the
// headless host of the tests. A host owns one native window per top-level window, presents frames,
// keeps the clock and waits for events; it reports input back through CHostEvents.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"
#include "platform/types.h"

// Milliseconds on the host's monotonic clock.
using HostTime = std::chrono::milliseconds;

// What a native window is made from.
struct CNativeWindowSpec {
    CRect rcScreen;        // the window rectangle in screen coordinates
    DWORD dwStyle = 0;     // WS_ styles (WS_POPUP, WS_VISIBLE, ...)
    DWORD dwExStyle = 0;   // WS_EX_ styles (WS_EX_TOOLWINDOW and WS_EX_TOPMOST ask for an unmanaged window)
    HWND hOwner = nullptr; // the owning top-level window, if any
    std::string strTitle;
};

// A read-only view of opaque 32-bit pixels (0x00RRGGBB in native byte order), row by row.
struct CPixelView {
    const std::uint32_t* pPixels = nullptr;
    int nWidth = 0;
    int nHeight = 0;
    int nStride = 0; // bytes from one row to the next
};

// An icon image: premultiplied ARGB pixels, row by row without padding.
struct CIconPixels {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> pixels;
};

class IWindowHost {
public:
    virtual ~IWindowHost() = default;

    // Makes the native window of a top-level window (not shown yet); false when it cannot.
    virtual bool CreateNativeWindow(HWND hWnd, const CNativeWindowSpec& wanted) = 0;
    virtual void DestroyNativeWindow(HWND hWnd) = 0;
    // nCmdShow: SW_HIDE, SW_SHOW..., SW_MINIMIZE, SW_RESTORE.
    virtual void ShowNativeWindow(HWND hWnd, int nCmdShow) = 0;
    virtual void MoveNativeWindow(HWND hWnd, const CRect& rcScreen) = 0;
    virtual void SetNativeTitle(HWND hWnd, const std::string& strTitle) = 0;
    virtual void SetNativeIcon(HWND hWnd, const CIconPixels& icon, bool bBig) = 0;
    // The visible shape in window coordinates; empty rectangles mean "no shape" (rectangular).
    virtual void SetNativeShape(HWND hWnd, const std::vector<CRect>& shape, bool bRectangular) = 0;
    virtual void SetNativeCursor(HWND hWnd, HCURSOR hCursor) = 0;
    // Brings the window above the other windows of the desktop.
    virtual void RaiseNativeWindow(HWND hWnd) = 0;
    // The user drags the window with the pointer from ptScreen until the button is released.
    virtual void BeginInteractiveMove(HWND hWnd, POINT ptScreen) = 0;
    // Copies the damaged rectangles (window coordinates) of the frame to the screen.
    virtual void PresentNativeWindow(HWND hWnd, const CPixelView& frame,
                                     const std::vector<CRect>& damage) = 0;
    // The area in which new windows are placed (CW_USEDEFAULT, centring).
    virtual CRect GetWorkArea() const = 0;

    virtual HostTime Now() const = 0;
    // Delivers pending native events through CHostEvents; when there are none, waits for one, for
    // Wake or until the deadline. A deadline at or before Now() only polls; a negative one means
    // none. Called on the GUI thread only.
    virtual void ProcessEvents(HostTime deadline) = 0;
    // Makes a waiting ProcessEvents return. Safe from any thread.
    virtual void Wake() = 0;
};

constexpr HostTime kNoDeadline{-1};

enum class HostMouseKind { Move, ButtonDown, ButtonUp, Wheel, Leave };
enum class HostMouseButton { None, Left, Right, Middle };

struct CHostMouseEvent {
    HostMouseKind kind = HostMouseKind::Move;
    HostMouseButton button = HostMouseButton::None;
    POINT pt;                // in the native window's coordinates (its window rectangle)
    int nWheelDelta = 0;     // multiples of WHEEL_DELTA, positive away from the user
    WPARAM nModifiers = 0;   // MK_SHIFT, MK_CONTROL
};

struct CHostKeyEvent {
    bool bDown = true;
    UINT nVirtualKey = 0;    // VK_ code
    std::string strText;     // the UTF-8 text the key types, if any (becomes WM_CHAR)
};

// What hosts report to the window system; GUI thread only.
class CHostEvents {
public:
    static void Mouse(HWND hTopLevel, const CHostMouseEvent& event);
    static void Key(HWND hTopLevel, const CHostKeyEvent& event);
    // A part of the window must be shown again (the frame is kept: it is presented, not repainted).
    static void Expose(HWND hTopLevel, const CRect& rcWindow);
    // The user asks to close the window (becomes WM_CLOSE).
    static void Close(HWND hTopLevel);
    // The window manager or the user moved the window.
    static void Moved(HWND hTopLevel, POINT ptScreenTopLeft);
    static void Iconic(HWND hTopLevel, bool bIconic);
    // The descriptors the loop must watch for reading besides its own (the window directory's
    // sockets); the set changes, so take it anew before each wait.
    static std::vector<int> PollDescriptors();
    // One of them is readable or hung up: serves it (this may send messages to windows).
    static void DescriptorReady(int nFd);
};

// Installs the host that the window system runs on; one at a time. Detaching destroys every window.
void AttachWindowHost(IWindowHost* pHost);
void DetachWindowHost(IWindowHost* pHost);
IWindowHost* GetWindowHost();
