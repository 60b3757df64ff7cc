// The headless host: the window system without a display, for tests and screenshots. Input is
// injected at client coordinates, the clock is manual, and what reached the "screen" can be read
// back as pixels or written as a PNG. GUI thread only, except Wake.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/window.h"

class CHeadlessHost : public IWindowHost {
public:
    // Attaches itself to the window system; the destructor destroys every window and detaches.
    explicit CHeadlessHost(const CRect& rcWorkArea = CRect(0, 0, 1920, 1080));
    ~CHeadlessHost() override;
    CHeadlessHost(const CHeadlessHost&) = delete;
    CHeadlessHost& operator=(const CHeadlessHost&) = delete;

    // What the host keeps of one native window.
    struct CNativeWindow {
        CRect rcScreen;
        bool bVisible = false;
        int nShowCmd = 0;
        std::string strTitle;
        bool bShaped = false;
        std::vector<CRect> shape;
        CIconPixels iconBig;
        CIconPixels iconSmall;
        HCURSOR hCursor = nullptr;
        int nRaises = 0;
        int nMoveRequests = 0;
        int nPresents = 0;
        std::vector<CRect> lastDamage;
        std::vector<std::uint32_t> screen; // what was presented, 0x00RRGGBB, window size
    };
    const CNativeWindow* NativeWindow(const CWnd* pWnd) const;

    // Input at pWnd's client coordinates (it reaches whatever window is there, as a real pointer).
    void MouseMove(const CWnd* pWnd, POINT pt, WPARAM nModifiers = 0);
    void MouseDown(const CWnd* pWnd, POINT pt, HostMouseButton button = HostMouseButton::Left, WPARAM nModifiers = 0);
    void MouseUp(const CWnd* pWnd, POINT pt, HostMouseButton button = HostMouseButton::Left, WPARAM nModifiers = 0);
    // Move, press and release.
    void Click(const CWnd* pWnd, POINT pt, HostMouseButton button = HostMouseButton::Left, WPARAM nModifiers = 0);
    void DoubleClick(const CWnd* pWnd, POINT pt);
    void Wheel(const CWnd* pWnd, POINT pt, int nDelta);
    // The pointer leaves pWnd's top-level window.
    void MouseLeave(const CWnd* pWnd);
    // Keys go to the window system's focus (or the active window).
    void KeyDown(UINT nVirtualKey, const std::string& strText = {});
    void KeyUp(UINT nVirtualKey);
    void PressKey(UINT nVirtualKey, const std::string& strText = {});
    // The user closes a top-level window (WM_CLOSE).
    void CloseWindow(const CWnd* pWnd);

    // Runs the loop until nothing is left to do.
    int PumpUntilIdle();
    // Moves the clock on, stopping at every timer and hover deadline in between to run what is due.
    void AdvanceTime(HostTime span);
    // Runs fn on the GUI thread when the clock reaches now + delay. While a loop waits (a modal run),
    // the clock jumps to the next timer or scheduled action instead of waiting; with nothing ahead,
    // it blocks until another thread posts or a window-directory socket has something to serve.
    void Schedule(HostTime delay, std::function<void()> fn);

    // What the screen shows at pWnd's client point; CLR_INVALID outside the window or its shape.
    COLORREF GetScreenPixel(const CWnd* pWnd, POINT pt) const;
    // A PNG of pWnd's window rectangle as presented (outside the shape: transparent).
    bool WritePng(const CWnd* pWnd, const std::string& strPath) const;

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
    CRect GetWorkArea() const override { return m_rcWorkArea; }
    HostTime Now() const override { return m_now; }
    void ProcessEvents(HostTime deadline) override;
    void Wake() override;

private:
    void InjectMouse(HWND hTop, HostMouseKind kind, POINT ptScreen, HostMouseButton button, WPARAM nModifiers, int nDelta = 0);
    void PointerAt(const CWnd* pWnd, POINT pt, HWND& hTop, POINT& ptScreen) const;
    bool InShape(const CNativeWindow& native, POINT ptWindow) const;
    static void AllocateScreen(CNativeWindow& native);
    HostTime NextAction() const;
    void RunDueActions();
    // Serves the window system's descriptors; with bBlock, first waits for one of them or a wake.
    void WaitForDescriptors(bool bBlock);

    CRect m_rcWorkArea;
    HostTime m_now{0};
    std::map<HWND, CNativeWindow> m_windows;
    HWND m_hLastShown = nullptr;
    HWND m_hMoving = nullptr;
    POINT m_ptGrab;
    std::multimap<HostTime, std::function<void()>> m_actions;

    int m_nWakeFd = -1; // an eventfd: Wake is safe from any thread
    bool m_bWoken = false;
};
