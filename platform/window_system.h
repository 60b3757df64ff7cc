// Inside the window layer: the window records, the queue, timers, painting and input routing that
// CWnd, the message loop and the hosts share. Only platform/ sources include this header.
#pragma once

#include "platform/gdi_internal.h"

#include <cairo.h>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/gdi_internal.h"
#include "platform/host.h"
#include "platform/window.h"
#include "platform/window_directory.h"

namespace velk::platform {

using velk::gdi::CRegion;

struct CWindowRecord {
    HWND hWnd = nullptr;
    std::string strClass;
    UINT nClassStyle = 0;
    WNDPROC pfnClassProc = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr;

    CWnd* pObject = nullptr;             // the attached C++ object
    std::unique_ptr<CWnd> pWrapper;      // what FromHandle hands out while none is attached
    std::unique_ptr<CWindowExtra> pExtra;

    HWND hParent = nullptr;              // children only
    HWND hOwner = nullptr;               // top-level windows only
    std::vector<HWND> children;          // z-order, topmost first (creation order)

    DWORD dwStyle = 0;
    DWORD dwExStyle = 0;
    UINT_PTR nID = 0;
    std::string strText;
    CRect rcWindow;                      // in the parent's client coordinates (screen: top level)
    CRect rcClient;                      // same coordinates
    std::optional<CRegion> windowRegion; // window coordinates
    HICON hIconBig = nullptr;
    HICON hIconSmall = nullptr;
    bool bIconic = false;
    bool bDestroying = false;

    CRegion damage;                      // client coordinates
    bool bErase = false;
    bool bNcDamage = false;
    std::optional<CRegion> painting;     // frame coordinates, while WM_PAINT runs
    bool bPaintErase = false;

    cairo_surface_t* pFrame = nullptr;   // top level: the frame buffer (window size)
    CRegion presentDamage;               // top level: window coordinates
    std::vector<std::unique_ptr<CDC>> openDCs;

    bool IsChild() const { return (dwStyle & WS_CHILD) != 0; }
    ~CWindowRecord();
};

struct CTimer {
    HWND hWnd = nullptr;
    UINT_PTR nID = 0;
    UINT nElapse = 0;
    HostTime due{0};
};

struct CQueuedMessage {
    MSG msg;
    std::function<void()> task; // a task for the GUI thread instead of a message
};

struct CRawInput {
    HWND hTopLevel = nullptr;
    bool bKey = false;
    CHostMouseEvent mouse;
    CHostKeyEvent key;
};

class CWindowSystem {
public:
    static CWindowSystem& Get();

    // Hosts.
    void AttachHost(IWindowHost* pHost);
    void DetachHost(IWindowHost* pHost);
    IWindowHost* Host() const { return m_pHost; }
    HostTime Now() const;

    // Records and the tree (window_system.cpp).
    CWindowRecord* Find(HWND hWnd) const;
    HWND Create(const CREATESTRUCT& cs, CWnd* pObject);
    bool Destroy(HWND hWnd);
    void DestroyAll();
    bool Attach(HWND hWnd, CWnd* pObject);
    void Detach(HWND hWnd);
    CWnd* Wrapper(HWND hWnd);
    CWindowRecord* TopLevelOf(CWindowRecord* pRecord) const;
    bool IsVisible(const CWindowRecord* pRecord) const;
    bool IsInside(HWND hWnd, HWND hAncestor) const;

    // Messages.
    LRESULT Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // hObserver gets TTM_RELAYEVENT with every mouse message of hWatched before hWatched does.
    void WatchMouse(HWND hWatched, HWND hObserver);
    void UnwatchMouse(HWND hWatched, HWND hObserver);
    LRESULT CallClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(HWND hWnd);

    // Geometry and state.
    POINT ClientOriginInFrame(const CWindowRecord* pRecord) const;
    POINT WindowOriginInFrame(const CWindowRecord* pRecord) const;
    POINT ClientOriginOnScreen(const CWindowRecord* pRecord) const;
    CRect WindowRectOnScreen(const CWindowRecord* pRecord) const;
    CRegion VisibleFrameArea(const CWindowRecord* pRecord, bool bClientOnly) const;
    void SetWindowPos(CWindowRecord* pRecord, HWND hInsertAfter, const CRect& rcNew, UINT nFlags);
    bool Show(CWindowRecord* pRecord, int nCmdShow);
    bool Enable(CWindowRecord* pRecord, bool bEnable);
    void SetRegion(CWindowRecord* pRecord, const CRegion* pRegion, bool bRedraw);
    HWND NextGroupItem(HWND hParent, HWND hControl, bool bPrevious) const;

    // Painting (window_paint.cpp).
    void InvalidateClient(CWindowRecord* pRecord, const CRegion* pArea, bool bErase);
    void InvalidateWhole(CWindowRecord* pRecord);
    void InvalidateParentUnder(CWindowRecord* pRecord);
    void Validate(CWindowRecord* pRecord, const CRegion* pArea);
    bool HasDamage() const;
    void PaintAll();
    void PaintTopLevel(CWindowRecord* pTop);
    void PresentAll();
    void PrepareDC(CDC& dc, const CWindowRecord* pRecord, bool bWholeWindow, const CRegion* pFrameClip) const;
    CDC* OpenDC(HWND hWnd, bool bWholeWindow);
    bool CloseDC(HWND hWnd, CDC* pDC);
    void BeginPaint(HWND hWnd, CDC& dc, PAINTSTRUCT& ps);
    void EndPaint(HWND hWnd, CDC& dc);
    CDC* BeginPaint(HWND hWnd, PAINTSTRUCT& ps);
    void EndPaint(HWND hWnd, const PAINTSTRUCT& ps);
    void ResizeFrame(CWindowRecord* pRecord);

    // Input (window_input.cpp).
    void QueueInput(const CRawInput& input);
    bool TakeInput(MSG& msg);
    HWND SetFocus(HWND hWnd);
    HWND Focus() const { return m_hFocus; }
    HWND SetCapture(HWND hWnd);
    bool ReleaseCapture();
    HWND Capture() const { return m_hCapture; }
    bool TrackMouse(const TRACKMOUSEEVENT& track);
    POINT CursorPos() const { return m_ptCursor; }
    short KeyState(int nVirtKey) const;
    void ForgetWindow(HWND hWnd);
    void PostHoverIfDue();
    HostTime HoverDeadline() const;

    // Queue and timers (message_loop.cpp).
    bool Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void PostTask(std::function<void()> task);
    void PostQuit(int nExitCode);
    bool Peek(MSG& msg, bool bRemove);
    bool Wait(MSG& msg);
    UINT_PTR SetTimer(HWND hWnd, UINT_PTR nID, UINT nElapse);
    bool KillTimer(HWND hWnd, UINT_PTR nID);
    void KillTimers(HWND hWnd);
    HostTime NextDeadline() const;
    bool TakeDueTimer(MSG& msg);

    // The window directory (window_publishing.cpp): titled top-level windows published for other
    // processes, whose messages arrive through the descriptors the host watches.
    bool StartPublishing(const std::string& strFolder);
    void StopPublishing();
    void PublishTitle(CWindowRecord* pRecord);
    void WithdrawTitle(HWND hWnd);
    std::vector<int> PollDescriptors() const;
    void ServeDescriptor(int nFd);

    void ExposeFrame(HWND hTop, const CRect& rc);
    void NativeMoved(HWND hTop, POINT ptScreen);
    void NativeIconic(HWND hTop, bool bIconic);

private:
    CWindowSystem() = default;
    HWND NewHandle();
    void DestroyTree(HWND hWnd);
    void FinishDestroy(HWND hWnd);
    CRect CalcClient(CWindowRecord* pRecord, const CRect& rcWindow);
    void ApplyWindowRect(CWindowRecord* pRecord, const CRect& rcNew, bool bRepaint, bool bFrameChanged);
    void Reorder(CWindowRecord* pRecord, HWND hInsertAfter);
    static CREATESTRUCT EffectiveCreation(const CREATESTRUCT& cs, const WNDCLASS& wndClass);
    bool Deliver(CQueuedMessage& queued, MSG& msg);
    void Reset();
    HWND HitTest(HWND hWnd, POINT ptFrame, LRESULT& nHit);
    bool MouseMessage(const CRawInput& input, MSG& msg);
    bool KeyMessage(const CRawInput& input, MSG& msg);
    void UpdateLeaveTracking(HWND hUnder, bool bInClient);
    void RelayMouse(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void ForgetObservers(HWND hWnd);

    IWindowHost* m_pHost = nullptr;
    std::unordered_map<HWND, std::unique_ptr<CWindowRecord>> m_records;
    std::vector<HWND> m_topLevels;
    std::uintptr_t m_nNextHandle = 0x10000;
    std::vector<MSG> m_current; // messages being processed, innermost last
    bool m_bPainting = false;

    // The queue is shared with other threads: it and the set of live windows are under m_mutex.
    mutable std::mutex m_mutex;
    std::deque<CQueuedMessage> m_posted;
    std::unordered_set<HWND> m_live;
    bool m_bQuit = false;
    int m_nQuitCode = 0;

    std::deque<CRawInput> m_input;
    std::deque<MSG> m_pendingChars;
    std::vector<CTimer> m_timers;

    HWND m_hFocus = nullptr;
    HWND m_hCapture = nullptr;
    HWND m_hUnder = nullptr;
    HWND m_hActive = nullptr;
    POINT m_ptCursor;
    WPARAM m_nButtons = 0;
    WPARAM m_nModifiers = 0;
    std::unordered_set<UINT> m_keysDown;
    struct CClickMemory {
        HWND hWnd = nullptr;
        HostMouseButton button = HostMouseButton::None;
        HostTime time{0};
        POINT pt;
    } m_lastDown;
    struct CTracking {
        HWND hWnd = nullptr;
        DWORD dwFlags = 0;
        DWORD dwHoverTime = 0;
        HostTime hoverDeadline{0};
        POINT ptAnchor;
    } m_tracking;
    HCURSOR m_hShownCursor = nullptr;
    std::unordered_map<HWND, std::vector<HWND>> m_mouseObservers;
    std::unique_ptr<CWindowDirectory> m_pDirectory;
};

// The frame buffer of a top-level window as plain pixels.
CPixelView FrameView(cairo_surface_t* pFrame);

} // namespace velk::platform
