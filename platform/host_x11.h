// The X11 host: the window system on a real desktop through Xlib. Each top-level window is a
// native window without the window manager's decorations (motif hints), unless it has a caption
// (WS_CAPTION); floating popups (tooltips) are override-redirect. Titles go to _NET_WM_NAME and
// WM_NAME, icons to _NET_WM_ICON, window regions to the X Shape extension, frames are copied
// from the layer's frame buffer with XPutImage. The loop waits in poll() on the X connection, a
// wake descriptor for PostMessage, the window directory's sockets and the next timer, nothing else.
#pragma once

#include <memory>

#include "platform/host.h"
#include "platform/window.h"

class CX11Host : public IWindowHost {
public:
    // Connects to szDisplay (null: $DISPLAY) and attaches itself to the window system; null when
    // no display can be opened. The host ends (and every window with it) when the object goes.
    static std::unique_ptr<CX11Host> Open(const char* szDisplay = nullptr);
    ~CX11Host() override;
    CX11Host(const CX11Host&) = delete;
    CX11Host& operator=(const CX11Host&) = delete;

    // The X window id of a top-level window (its own or its top-level parent's); 0 for none.
    unsigned long NativeWindowId(const CWnd* pWnd) const;
    // How often the loop has blocked waiting for something since the host was opened.
    unsigned long WaitCount() const;
    // Sends every request still buffered and waits until the server has handled them.
    void Sync();

    // IWindowHost.
    bool CreateNativeWindow(HWND hWnd, const CNativeWindowSpec& wanted) override;
    void DestroyNativeWindow(HWND hWnd) override;
    void ShowNativeWindow(HWND hWnd, int nCmdShow) override;
    void MoveNativeWindow(HWND hWnd, const CRect& rcScreen) override;
    void SetNativeTitle(HWND hWnd, const std::string& strTitle) override;
    void SetNativeIcon(HWND hWnd, const CIconPixels& icon, bool bBig) override;
    void SetNativeShape(HWND hWnd, const std::vector<CRect>& shape, bool bRectangular) override;
    void SetNativeCursor(HWND hWnd, HCURSOR hCursor) override;
    void RaiseNativeWindow(HWND hWnd) override;
    void BeginInteractiveMove(HWND hWnd, POINT ptScreen) override;
    void PresentNativeWindow(HWND hWnd, const CPixelView& frame, const std::vector<CRect>& damage) override;
    CRect GetWorkArea() const override;
    HostTime Now() const override;
    void ProcessEvents(HostTime deadline) override;
    void Wake() override;

    struct CImpl;

private:
    explicit CX11Host(std::unique_ptr<CImpl> pImpl);
    std::unique_ptr<CImpl> m_pImpl;
};
