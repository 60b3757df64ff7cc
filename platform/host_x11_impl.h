// Inside the X11 host: the connection, the native windows and what the event loop keeps. Only
// host_x11*.cpp include this header (Xlib's macros stay there).
#pragma once

#include "platform/host_x11.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>

// Xlib's macros that the layer's names collide with: their values under names of our own.
constexpr long kXNone = None;
constexpr int kXExpose = Expose;
#undef None
#undef Expose
#undef CursorShape

struct CX11Host::CImpl {
    enum AtomIndex {
        WM_PROTOCOLS,
        WM_DELETE_WINDOW,
        WM_STATE,
        UTF8_STRING,
        NET_WM_NAME,
        NET_WM_ICON_NAME,
        NET_WM_ICON,
        NET_WM_PID,
        NET_WM_WINDOW_TYPE,
        NET_WM_WINDOW_TYPE_NORMAL,
        NET_WM_WINDOW_TYPE_DIALOG,
        NET_WM_WINDOW_TYPE_UTILITY,
        NET_WM_WINDOW_TYPE_TOOLTIP,
        NET_WM_STATE,
        NET_WM_STATE_SKIP_TASKBAR,
        NET_WM_MOVERESIZE,
        NET_ACTIVE_WINDOW,
        NET_SUPPORTED,
        NET_SUPPORTING_WM_CHECK,
        NET_WORKAREA,
        MOTIF_WM_HINTS,
        ATOM_COUNT,
    };

    struct CNative {
        Window window = 0;
        CRect rcScreen;
        DWORD dwStyle = 0;
        DWORD dwExStyle = 0;
        bool bOverride = false;
        bool bMapped = false;
        bool bIconic = false;
        CIconPixels iconBig;
        CIconPixels iconSmall;
    };

    Display* pDisplay = nullptr;
    int nScreen = 0;
    Window root = 0;
    Visual* pVisual = nullptr;
    int nDepth = 0;
    GC gc = nullptr;
    // Frames are 0x00RRGGBB words; a visual with those masks takes them as they are.
    bool bDirectPixels = false;
    bool bShape = false;
    int nWakeFd = -1;
    Atom atoms[ATOM_COUNT] = {};

    std::map<HWND, CNative> windows;
    std::unordered_map<Window, HWND> byWindow;
    std::map<int, Cursor> cursors;
    unsigned long nWaits = 0;

    // The move that follows the pointer (when the window manager does not move windows itself).
    HWND hMoving = nullptr;
    POINT ptGrab;
    // The last pointer event: its time and where it was on the screen.
    Time lastTime = CurrentTime;
    POINT ptLastRoot;
    // The buttons the window system was told are down (MK_ flags).
    WPARAM nButtonsDown = 0;

    CNative* Find(HWND hWnd);
    // The window being moved goes where the pointer is, keeping the point it was taken at.
    void FollowPointer(HWND hWnd, CNative& native, int xRoot, int yRoot);
    // The window manager's hints of a new native window: protocols, decorations, class, type, owner.
    void SetHints(const CNative& native, const CNativeWindowSpec& wanted);
    // Frame pixels to the window: as they are, or converted for a visual of other masks.
    void PutDirect(Window window, const CPixelView& frame, const std::vector<CRect>& rects);
    void PutConverted(Window window, const CPixelView& frame, const std::vector<CRect>& rects);
    HWND FindWindow(Window window) const;
    bool WindowManagerSupports(Atom atom) const;
    void SendToRoot(Window window, Atom type, long l0, long l1, long l2, long l3, long l4) const;

    // host_x11_events.cpp.
    bool DrainEvents();
    // Serves what is ready, waiting at most nTimeoutMs (-1: without end) for something first.
    void Wait(int nTimeoutMs);
    void Handle(XEvent& event);
    void OnStateChanged(HWND hWnd, CNative& native);
    void OnButton(HWND hWnd, const XButtonEvent& event);
    void OnMotion(HWND hWnd, CNative& native, const XMotionEvent& event);
    void ReleaseStaleButtons(HWND hWnd, unsigned int nState, int x, int y);
    void OnKey(HWND hWnd, XKeyEvent& event);
};
