// Windows: CWnd, the C++ object that a window of the window system is attached to, and the
// window functions the system's code calls. GUI thread only, except PostMessage.
#pragma once

#include <memory>
#include <string>

#include "platform/gdi.h"
#include "platform/messages.h"
#include "platform/window_class.h"

class CWnd {
public:
    CWnd();
    // Destroys the window if it still exists.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    // The attached object, or else a plain CWnd standing for the window; null for no window.
    static CWnd* FromHandle(HWND hWnd);
    // The attached object only.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Creates a window of a registered class and attaches this object (PreSubclassWindow runs
    // before the first message). Fails for an unknown class, a child without parent, or when
    // WM_NCCREATE or WM_CREATE refuse. rect is in the parent's client coordinates (screen for
    // top-level windows).
    virtual BOOL CreateEx(DWORD dwExStyle, const std::string& strClassName, const std::string& strWindowName,
                          DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    virtual BOOL Create(const std::string& strClassName, const std::string& strWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID);
    // Destroys the window and its children (and the windows it owns).
    virtual BOOL DestroyWindow();
    // Takes over an existing window that no object is attached to.
    BOOL SubclassWindow(HWND hWnd);
    HWND UnsubclassWindow();

    // Every message of the window arrives here; what an override does not handle goes to the base.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's procedure.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc for the message being processed.
    LRESULT Default();
    // A notification this window sent to its parent, offered back first; TRUE consumes it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PreSubclassWindow();
    // Called after the window is gone (WM_NCDESTROY); the object may delete itself here.
    virtual void PostNcDestroy();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The parent of a child; the owner of a top-level window.
    CWnd* GetParent() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    // GW_CHILD, GW_HWNDNEXT, GW_HWNDPREV, GW_HWNDFIRST, GW_HWNDLAST, GW_OWNER.
    CWnd* GetWindow(UINT nCmd) const;
    // The next (previous) visible, enabled control of pWndCtl's group among this window's children;
    // a group starts at a WS_GROUP child and the walk wraps around within it.
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    BOOL IsChild(const CWnd* pWnd) const;

    // Screen coordinates.
    void GetWindowRect(LPRECT lpRect) const;
    // (0, 0, client width, client height).
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    // Position in the parent's client coordinates (screen for top-level windows).
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    // Moves, sizes and orders; &wndTopMost raises a top-level window above the desktop's others.
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // Returns whether the window was visible before.
    BOOL ShowWindow(int nCmdShow);
    // Visible with all its ancestors.
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;

    void SetWindowText(const std::string& strText);
    std::string GetWindowText() const;
    void GetWindowText(std::string& strText) const { strText = GetWindowText(); }
    int GetWindowTextLength() const;

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // nFlags, when not 0, go to SetWindowPos (SWP_FRAMECHANGED recomputes the non-client ring).
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // Both return the window that had it before.
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();

    // WM_TIMER every nElapse milliseconds of the host's clock; the same id restarts the timer.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // Marks the client area (or a part, in client coordinates) for repainting.
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void InvalidateRgn(const CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    // Paints the window's top-level window now if anything in it is damaged.
    void UpdateWindow();

    // A DC on the client area (GetDC) or the whole window (GetWindowDC); give it back with ReleaseDC.
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    // Only inside WM_PAINT: a DC clipped to the damaged part of the client area.
    CDC* BeginPaint(PAINTSTRUCT* lpPaint);
    void EndPaint(const PAINTSTRUCT* lpPaint);

    // The window keeps a copy of the region (window coordinates); null removes the shape.
    int SetWindowRgn(const CRgn* pRgn, BOOL bRedraw);
    int GetWindowRgn(CRgn* pRgn) const;

    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

private:
    explicit CWnd(HWND hInsertAfter) : m_hWnd(hInsertAfter) {}
};

// Window functions on handles.
LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Queues the message; safe from any thread. FALSE for a window that does not exist.
BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProc(WNDPROC pfnProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND hWnd);
std::string GetClassName(HWND hWnd);
BOOL DestroyWindow(HWND hWnd);
// Hover reports after dwHoverTime ms at rest (TME_HOVER), a leave report (TME_LEAVE) when the
// pointer leaves the client area; both end once reported.
BOOL TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack);
inline BOOL _TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack) { return TrackMouseEvent(lpEventTrack); }
BOOL ReleaseCapture();
BOOL GetCursorPos(LPPOINT lpPoint);
// Publishes every titled top-level window under its title in the window directory of strFolder
// (empty: the runtime folder), so that another process finds it with CRemoteWindow and can send
// it private messages (WM_USER to 0x0FFF, WM_APP to 0xBFFF; others are not delivered). Titles
// follow WM_SETTEXT and go with their windows. Lasts until the host is detached.
BOOL PublishWindowTitles(const std::string& strFolder = {});
void StopPublishingWindowTitles();
// A window of a registered class without a C++ object (hWndParent: the parent of a child, the
// owner of a top-level window; nID: a child's id).
HWND CreateWindowEx(DWORD dwExStyle, const std::string& strClassName, const std::string& strWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT_PTR nID,
                    void* hInstance = nullptr, void* lpParam = nullptr);
// SM_ values; the screen is the host's work area, 0 for values the layer does not know.
int GetSystemMetrics(int nIndex);
// Negative while the key (VK_SHIFT, VK_CONTROL, VK_LBUTTON, ...) is down.
short GetKeyState(int nVirtKey);

// Per-window state of a window class's procedure (what standard controls keep about a window);
// destroyed with the window.
class CWindowExtra {
public:
    virtual ~CWindowExtra() = default;
};
void SetWindowExtra(HWND hWnd, std::unique_ptr<CWindowExtra> pExtra);
CWindowExtra* GetWindowExtra(HWND hWnd);

// A DC for a window, given back when it goes out of scope.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd) : CClientDC(pWnd, false) {}
    ~CClientDC() override;

protected:
    CClientDC(CWnd* pWnd, bool bWholeWindow);
    HWND m_hWnd;
};

class CWindowDC : public CClientDC {
public:
    explicit CWindowDC(CWnd* pWnd) : CClientDC(pWnd, true) {}
};

// BeginPaint and EndPaint around a scope.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
