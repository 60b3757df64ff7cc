// The window tree: creation, destruction, attaching objects, message dispatch with reflection,
// geometry, showing, enabling and regions.
#include "platform/window_system.h"

#include <algorithm>

#include "platform/app.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

// The child that sent a notification, for the messages whose parameters name one.
HWND NotifyingChild(UINT message, LPARAM lParam)
{
    if (!lParam)
        return nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    default: return IsCtlColorMessage(message) ? reinterpret_cast<HWND>(lParam) : nullptr;
    }
}

constexpr int kDefaultTopLevelPosition = 0;

int SizeOrZero(int n) { return n == CW_USEDEFAULT || n < 0 ? 0 : n; }

} // namespace

CWindowRecord::~CWindowRecord()
{
    if (pWrapper)
        pWrapper->m_hWnd = nullptr;
    cairo_surface_destroy(pFrame);
}

CWindowSystem& CWindowSystem::Get()
{
    static CWindowSystem system;
    return system;
}

void CWindowSystem::AttachHost(IWindowHost* pHost)
{
    if (m_pHost && m_pHost != pHost)
        DetachHost(m_pHost);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pHost = pHost;
}

void CWindowSystem::DetachHost(IWindowHost* pHost)
{
    if (!pHost || m_pHost != pHost)
        return;
    DestroyAll();
    Reset();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pHost = nullptr;
}

void CWindowSystem::Reset()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_posted.clear();
        m_bQuit = false;
    }
    m_input.clear();
    m_pendingChars.clear();
    m_timers.clear();
    m_hFocus = m_hCapture = m_hUnder = m_hActive = nullptr;
    m_nButtons = m_nModifiers = 0;
    m_lastDown = {};
    m_tracking = {};
    m_hShownCursor = nullptr;
    m_mouseObservers.clear();
    m_pDirectory.reset();
}

HostTime CWindowSystem::Now() const { return m_pHost ? m_pHost->Now() : HostTime{0}; }

CWindowRecord* CWindowSystem::Find(HWND hWnd) const
{
    auto it = m_records.find(hWnd);
    return it == m_records.end() ? nullptr : it->second.get();
}

HWND CWindowSystem::NewHandle() { return reinterpret_cast<HWND>(m_nNextHandle++); }

HWND CWindowSystem::Create(const CREATESTRUCT& csRequested, CWnd* pObject)
{
    const WNDCLASS* pClass = FindWindowClass(csRequested.lpszClass ? csRequested.lpszClass : "");
    if (!pClass)
        return nullptr;
    const CREATESTRUCT cs = EffectiveCreation(csRequested, *pClass);
    CWindowRecord* pParent = Find(cs.hwndParent);
    const bool bChild = (cs.style & WS_CHILD) != 0;
    if ((bChild && !pParent) || (!bChild && !m_pHost) || (pObject && pObject->m_hWnd))
        return nullptr;

    auto pOwned = std::make_unique<CWindowRecord>();
    CWindowRecord* pRecord = pOwned.get();
    pRecord->hWnd = NewHandle();
    pRecord->strClass = pClass->lpszClassName;
    pRecord->nClassStyle = pClass->style;
    pRecord->pfnClassProc = pClass->lpfnWndProc;
    pRecord->hCursor = pClass->hCursor;
    pRecord->hbrBackground = pClass->hbrBackground;
    pRecord->dwStyle = cs.style & ~WS_VISIBLE;
    pRecord->dwExStyle = cs.dwExStyle;
    pRecord->nID = cs.nID;
    pRecord->strText = cs.lpszName ? cs.lpszName : "";
    CRect rcWindow(cs.x == CW_USEDEFAULT ? kDefaultTopLevelPosition : cs.x,
                   cs.y == CW_USEDEFAULT ? kDefaultTopLevelPosition : cs.y, 0, 0);
    if (!bChild && cs.x == CW_USEDEFAULT && m_pHost)
        rcWindow.MoveToXY(m_pHost->GetWorkArea().left, m_pHost->GetWorkArea().top);
    rcWindow.right = rcWindow.left + SizeOrZero(cs.cx);
    rcWindow.bottom = rcWindow.top + SizeOrZero(cs.cy);
    pRecord->rcWindow = pRecord->rcClient = rcWindow;
    const HWND hWnd = pRecord->hWnd;
    if (bChild) {
        pRecord->hParent = pParent->hWnd;
        pParent->children.push_back(hWnd);
    } else {
        CWindowRecord* pOwner = pParent ? TopLevelOf(pParent) : nullptr;
        pRecord->hOwner = pOwner ? pOwner->hWnd : nullptr;
        m_topLevels.push_back(hWnd);
    }
    m_records.emplace(hWnd, std::move(pOwned));
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_live.insert(hWnd);
    }
    if (pObject)
        Attach(hWnd, pObject);

    if (!bChild) {
        ResizeFrame(pRecord);
        CNativeWindowSpec wanted{rcWindow, cs.style, cs.dwExStyle, pRecord->hOwner, pRecord->strText};
        if (!m_pHost->CreateNativeWindow(hWnd, wanted)) {
            Destroy(hWnd);
            return nullptr;
        }
    }
    CREATESTRUCT created = cs;
    created.lpszClass = pRecord->strClass.c_str();
    if (!Send(hWnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&created))) {
        Destroy(hWnd);
        return nullptr;
    }
    if ((pRecord = Find(hWnd)) == nullptr)
        return nullptr;
    pRecord->rcClient = CalcClient(pRecord, pRecord->rcWindow);
    if (Send(hWnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&created)) == -1 || !(pRecord = Find(hWnd))) {
        Destroy(hWnd);
        return nullptr;
    }
    const CRect rcClient = pRecord->rcClient;
    Send(hWnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcClient.Width(), rcClient.Height()));
    Send(hWnd, WM_MOVE, 0, MAKELPARAM(rcClient.left, rcClient.top));
    if ((pRecord = Find(hWnd)) != nullptr)
        PublishTitle(pRecord);
    if ((cs.style & WS_VISIBLE) && (pRecord = Find(hWnd)) != nullptr)
        Show(pRecord, SW_SHOW);
    return Find(hWnd) ? hWnd : nullptr;
}

CREATESTRUCT CWindowSystem::EffectiveCreation(const CREATESTRUCT& cs, const WNDCLASS& wndClass)
{
    CREATESTRUCT effective = cs;
    // A floating popup is a top-level window of its owner's, whatever style its creator gave.
    if (wndClass.style & CS_DROPSHADOW) {
        effective.style = (cs.style | WS_POPUP) & ~WS_CHILD;
        effective.dwExStyle = cs.dwExStyle | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    }
    return effective;
}

bool CWindowSystem::Attach(HWND hWnd, CWnd* pObject)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord || pRecord->pObject || !pObject || pObject->m_hWnd)
        return false;
    pRecord->pObject = pObject;
    pObject->m_hWnd = hWnd;
    pObject->PreSubclassWindow();
    return true;
}

void CWindowSystem::Detach(HWND hWnd)
{
    if (CWindowRecord* pRecord = Find(hWnd); pRecord && pRecord->pObject) {
        pRecord->pObject->m_hWnd = nullptr;
        pRecord->pObject = nullptr;
    }
}

CWnd* CWindowSystem::Wrapper(HWND hWnd)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return nullptr;
    if (pRecord->pObject)
        return pRecord->pObject;
    if (!pRecord->pWrapper) {
        pRecord->pWrapper = MakeWrapper(pRecord->pfnClassProc);
        pRecord->pWrapper->m_hWnd = hWnd;
    }
    return pRecord->pWrapper.get();
}

bool CWindowSystem::Destroy(HWND hWnd)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord || pRecord->bDestroying)
        return false;
    if (!pRecord->IsChild()) {
        std::vector<HWND> owned;
        for (HWND hTop : m_topLevels)
            if (CWindowRecord* pTop = Find(hTop); pTop && pTop->hOwner == hWnd)
                owned.push_back(hTop);
        for (HWND hOwned : owned)
            Destroy(hOwned);
    } else if (pRecord->dwStyle & WS_VISIBLE) {
        InvalidateParentUnder(pRecord);
    }
    DestroyTree(hWnd);
    FinishDestroy(hWnd);
    return true;
}

void CWindowSystem::DestroyTree(HWND hWnd)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return;
    pRecord->bDestroying = true;
    Send(hWnd, WM_DESTROY, 0, 0);
    if ((pRecord = Find(hWnd)) == nullptr)
        return;
    std::vector<HWND> children = pRecord->children;
    for (HWND hChild : children) {
        DestroyTree(hChild);
        FinishDestroy(hChild);
    }
}

void CWindowSystem::FinishDestroy(HWND hWnd)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return;
    Send(hWnd, WM_NCDESTROY, 0, 0);
    if ((pRecord = Find(hWnd)) == nullptr)
        return;
    KillTimers(hWnd);
    ForgetWindow(hWnd);
    ForgetObservers(hWnd);
    if (!pRecord->IsChild())
        WithdrawTitle(hWnd);
    if (CWindowRecord* pParent = Find(pRecord->hParent))
        std::erase(pParent->children, hWnd);
    std::erase(m_topLevels, hWnd);
    if (!pRecord->IsChild() && m_pHost)
        m_pHost->DestroyNativeWindow(hWnd);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_live.erase(hWnd);
    }
    CWnd* pObject = pRecord->pObject;
    if (pObject)
        pObject->m_hWnd = nullptr;
    // The record leaves the table before it goes: its parts may call back into the system.
    auto it = m_records.find(hWnd);
    std::unique_ptr<CWindowRecord> pGone = std::move(it->second);
    m_records.erase(it);
    pGone.reset();
    // The end of the application's main window ends its loop.
    if (pObject && pObject == AfxGetMainWnd())
        PostQuit(0);
    if (pObject)
        pObject->PostNcDestroy();
}

void CWindowSystem::DestroyAll()
{
    while (!m_topLevels.empty()) {
        HWND hTop = m_topLevels.back();
        if (!Destroy(hTop))
            std::erase(m_topLevels, hTop);
    }
}

CWindowRecord* CWindowSystem::TopLevelOf(CWindowRecord* pRecord) const
{
    while (pRecord && pRecord->IsChild())
        pRecord = Find(pRecord->hParent);
    return pRecord;
}

bool CWindowSystem::IsVisible(const CWindowRecord* pRecord) const
{
    for (; pRecord; pRecord = Find(pRecord->hParent)) {
        if (!(pRecord->dwStyle & WS_VISIBLE))
            return false;
        if (!pRecord->IsChild())
            return true;
    }
    return false;
}

bool CWindowSystem::IsInside(HWND hWnd, HWND hAncestor) const
{
    for (const CWindowRecord* pRecord = Find(hWnd); pRecord; pRecord = Find(pRecord->hParent))
        if (pRecord->hWnd == hAncestor)
            return true;
    return false;
}

LRESULT CWindowSystem::Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return 0;
    // Reflection: the child that sent a notification may answer it itself.
    if (HWND hChild = NotifyingChild(message, lParam); hChild && hChild != hWnd) {
        if (CWindowRecord* pChild = Find(hChild); pChild && pChild->pObject) {
            LRESULT nResult = 0;
            if (pChild->pObject->OnChildNotify(message, wParam, lParam, &nResult))
                return nResult;
            if ((pRecord = Find(hWnd)) == nullptr)
                return 0;
        }
    }
    if (!m_mouseObservers.empty() && ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE)) {
        RelayMouse(hWnd, message, wParam, lParam);
        if ((pRecord = Find(hWnd)) == nullptr)
            return 0;
    }
    m_current.push_back(MSG{hWnd, message, wParam, lParam, 0, {}});
    CWnd* pObject = pRecord->pObject;
    LRESULT nResult = pObject ? pObject->WindowProc(message, wParam, lParam)
                              : CallClassProc(hWnd, message, wParam, lParam);
    m_current.pop_back();
    return nResult;
}

void CWindowSystem::WatchMouse(HWND hWatched, HWND hObserver)
{
    if (!Find(hWatched) || !Find(hObserver))
        return;
    std::vector<HWND>& observers = m_mouseObservers[hWatched];
    if (std::find(observers.begin(), observers.end(), hObserver) == observers.end())
        observers.push_back(hObserver);
}

void CWindowSystem::UnwatchMouse(HWND hWatched, HWND hObserver)
{
    auto it = m_mouseObservers.find(hWatched);
    if (it == m_mouseObservers.end())
        return;
    std::erase(it->second, hObserver);
    if (it->second.empty())
        m_mouseObservers.erase(it);
}

void CWindowSystem::RelayMouse(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = m_mouseObservers.find(hWnd);
    if (it == m_mouseObservers.end())
        return;
    MSG msg{hWnd, message, wParam, lParam, static_cast<DWORD>(Now().count()), m_ptCursor};
    // An observer may stop watching (or go) while it is told.
    const std::vector<HWND> observers = it->second;
    for (HWND hObserver : observers)
        Send(hObserver, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CWindowSystem::ForgetObservers(HWND hWnd)
{
    m_mouseObservers.erase(hWnd);
    for (auto it = m_mouseObservers.begin(); it != m_mouseObservers.end();) {
        std::erase(it->second, hWnd);
        it = it->second.empty() ? m_mouseObservers.erase(it) : std::next(it);
    }
}

LRESULT CWindowSystem::CallClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return 0;
    if (pRecord->pfnClassProc)
        return pRecord->pfnClassProc(hWnd, message, wParam, lParam);
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

LRESULT CWindowSystem::Default(HWND hWnd)
{
    for (auto it = m_current.rbegin(); it != m_current.rend(); ++it)
        if (it->hwnd == hWnd)
            return CallClassProc(hWnd, it->message, it->wParam, it->lParam);
    return 0;
}

POINT CWindowSystem::WindowOriginInFrame(const CWindowRecord* pRecord) const
{
    if (!pRecord->IsChild())
        return {0, 0};
    POINT pt = ClientOriginInFrame(Find(pRecord->hParent));
    return {pt.x + pRecord->rcWindow.left, pt.y + pRecord->rcWindow.top};
}

POINT CWindowSystem::ClientOriginInFrame(const CWindowRecord* pRecord) const
{
    if (!pRecord)
        return {0, 0};
    POINT pt = WindowOriginInFrame(pRecord);
    return {pt.x + pRecord->rcClient.left - pRecord->rcWindow.left,
            pt.y + pRecord->rcClient.top - pRecord->rcWindow.top};
}

POINT CWindowSystem::ClientOriginOnScreen(const CWindowRecord* pRecord) const
{
    const CWindowRecord* pTop = TopLevelOf(const_cast<CWindowRecord*>(pRecord));
    POINT pt = ClientOriginInFrame(pRecord);
    return {pt.x + pTop->rcWindow.left, pt.y + pTop->rcWindow.top};
}

CRect CWindowSystem::WindowRectOnScreen(const CWindowRecord* pRecord) const
{
    const CWindowRecord* pTop = TopLevelOf(const_cast<CWindowRecord*>(pRecord));
    POINT pt = WindowOriginInFrame(pRecord);
    return CRect(CPoint(pt.x + pTop->rcWindow.left, pt.y + pTop->rcWindow.top), pRecord->rcWindow.Size());
}

CRegion CWindowSystem::VisibleFrameArea(const CWindowRecord* pRecord, bool bClientOnly) const
{
    if (!IsVisible(pRecord))
        return {};
    POINT ptWindow = WindowOriginInFrame(pRecord);
    CRegion area(CRect(CPoint(ptWindow), pRecord->rcWindow.Size()));
    if (bClientOnly) {
        POINT ptClient = ClientOriginInFrame(pRecord);
        area.IntersectRect(CRect(CPoint(ptClient), pRecord->rcClient.Size()));
    }
    for (const CWindowRecord* pLevel = pRecord; pLevel; pLevel = Find(pLevel->hParent)) {
        if (pLevel->windowRegion) {
            CRegion shape = *pLevel->windowRegion;
            POINT pt = WindowOriginInFrame(pLevel);
            shape.Translate(pt.x, pt.y);
            area.Intersect(shape);
        }
        if (pLevel != pRecord) {
            POINT pt = ClientOriginInFrame(pLevel);
            area.IntersectRect(CRect(CPoint(pt), pLevel->rcClient.Size()));
        }
        if (!pLevel->IsChild())
            break;
    }
    return area;
}

CRect CWindowSystem::CalcClient(CWindowRecord* pRecord, const CRect& rcWindow)
{
    NCCALCSIZE_PARAMS params;
    params.rgrc[0] = params.rgrc[1] = rcWindow;
    params.rgrc[2] = pRecord->rcClient;
    Send(pRecord->hWnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    const RECT& rc = params.rgrc[0];
    // The client area never leaves the window rectangle.
    CRect rcClient;
    rcClient.left = std::clamp(rc.left, rcWindow.left, rcWindow.right);
    rcClient.top = std::clamp(rc.top, rcWindow.top, rcWindow.bottom);
    rcClient.right = std::clamp(rc.right, rcClient.left, rcWindow.right);
    rcClient.bottom = std::clamp(rc.bottom, rcClient.top, rcWindow.bottom);
    return rcClient;
}

void CWindowSystem::Reorder(CWindowRecord* pRecord, HWND hInsertAfter)
{
    if (!pRecord->IsChild()) {
        if ((hInsertAfter == HWND_TOP || hInsertAfter == HWND_TOPMOST) && m_pHost)
            m_pHost->RaiseNativeWindow(pRecord->hWnd);
        return;
    }
    CWindowRecord* pParent = Find(pRecord->hParent);
    std::vector<HWND>& siblings = pParent->children;
    std::erase(siblings, pRecord->hWnd);
    if (hInsertAfter == HWND_TOP || hInsertAfter == HWND_TOPMOST) {
        siblings.insert(siblings.begin(), pRecord->hWnd);
    } else if (auto it = std::find(siblings.begin(), siblings.end(), hInsertAfter); it != siblings.end()) {
        siblings.insert(it + 1, pRecord->hWnd);
    } else {
        siblings.push_back(pRecord->hWnd);
    }
    InvalidateWhole(pRecord);
}

void CWindowSystem::SetWindowPos(CWindowRecord* pRecord, HWND hInsertAfter, const CRect& rcRequested, UINT nFlags)
{
    const HWND hWnd = pRecord->hWnd;
    if (!(nFlags & SWP_NOZORDER))
        Reorder(pRecord, hInsertAfter);
    CRect rcNew = pRecord->rcWindow;
    if (!(nFlags & SWP_NOMOVE))
        rcNew.MoveToXY(rcRequested.left, rcRequested.top);
    if (!(nFlags & SWP_NOSIZE)) {
        rcNew.right = rcNew.left + std::max(rcRequested.Width(), 0);
        rcNew.bottom = rcNew.top + std::max(rcRequested.Height(), 0);
    }
    if (rcNew != pRecord->rcWindow || (nFlags & SWP_FRAMECHANGED))
        ApplyWindowRect(pRecord, rcNew, !(nFlags & SWP_NOREDRAW), (nFlags & SWP_FRAMECHANGED) != 0);
    if ((pRecord = Find(hWnd)) == nullptr)
        return;
    if (nFlags & SWP_SHOWWINDOW)
        Show(pRecord, (nFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (nFlags & SWP_HIDEWINDOW)
        Show(pRecord, SW_HIDE);
}

void CWindowSystem::ApplyWindowRect(CWindowRecord* pRecord, const CRect& rcNew, bool bRepaint, bool bFrameChanged)
{
    const HWND hWnd = pRecord->hWnd;
    const CRect rcOldWindow = pRecord->rcWindow;
    const CRect rcOldClient = pRecord->rcClient;
    if (pRecord->IsChild() && bRepaint && (pRecord->dwStyle & WS_VISIBLE))
        InvalidateParentUnder(pRecord);
    pRecord->rcWindow = rcNew;
    pRecord->rcClient = CalcClient(pRecord, rcNew);
    if ((pRecord = Find(hWnd)) == nullptr)
        return;
    if (!pRecord->IsChild()) {
        if (rcNew.Size() != rcOldWindow.Size())
            ResizeFrame(pRecord);
        if (m_pHost)
            m_pHost->MoveNativeWindow(hWnd, rcNew);
    }
    if (bRepaint || rcNew.Size() != rcOldWindow.Size() || bFrameChanged)
        InvalidateWhole(pRecord);
    const CRect rcClient = pRecord->rcClient;
    if (rcClient.TopLeft() != rcOldClient.TopLeft())
        Send(hWnd, WM_MOVE, 0, MAKELPARAM(rcClient.left, rcClient.top));
    if (rcClient.Size() != rcOldClient.Size() && Find(hWnd))
        Send(hWnd, WM_SIZE, pRecord->bIconic ? SIZE_MINIMIZED : SIZE_RESTORED,
             MAKELPARAM(rcClient.Width(), rcClient.Height()));
}

bool CWindowSystem::Show(CWindowRecord* pRecord, int nCmdShow)
{
    const HWND hWnd = pRecord->hWnd;
    const bool bWasVisible = (pRecord->dwStyle & WS_VISIBLE) != 0;
    const bool bTop = !pRecord->IsChild();
    if (nCmdShow == SW_HIDE) {
        if (!bWasVisible)
            return false;
        Send(hWnd, WM_SHOWWINDOW, FALSE, 0);
        if ((pRecord = Find(hWnd)) == nullptr)
            return true;
        if (pRecord->IsChild())
            InvalidateParentUnder(pRecord);
        pRecord->dwStyle &= ~WS_VISIBLE;
        if (m_hFocus && IsInside(m_hFocus, hWnd))
            SetFocus(nullptr);
        if (m_hCapture && IsInside(m_hCapture, hWnd))
            ReleaseCapture();
        if (bTop && m_pHost)
            m_pHost->ShowNativeWindow(hWnd, SW_HIDE);
        return true;
    }
    const bool bMinimize = nCmdShow == SW_MINIMIZE || nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_SHOWMINNOACTIVE;
    if (bTop && (bMinimize || nCmdShow == SW_RESTORE))
        pRecord->bIconic = bMinimize;
    if (!bWasVisible) {
        Send(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if ((pRecord = Find(hWnd)) == nullptr)
            return false;
        pRecord->dwStyle |= WS_VISIBLE;
        InvalidateWhole(pRecord);
    }
    if (bTop) {
        if (m_pHost)
            m_pHost->ShowNativeWindow(hWnd, nCmdShow);
        if (nCmdShow != SW_SHOWNA && nCmdShow != SW_SHOWNOACTIVATE && nCmdShow != SW_SHOWMINNOACTIVE)
            m_hActive = hWnd;
    }
    return bWasVisible;
}

bool CWindowSystem::Enable(CWindowRecord* pRecord, bool bEnable)
{
    const HWND hWnd = pRecord->hWnd;
    const bool bWasDisabled = (pRecord->dwStyle & WS_DISABLED) != 0;
    if (bWasDisabled == !bEnable)
        return bWasDisabled;
    if (bEnable) {
        pRecord->dwStyle &= ~WS_DISABLED;
    } else {
        pRecord->dwStyle |= WS_DISABLED;
        if (m_hFocus && IsInside(m_hFocus, hWnd))
            SetFocus(nullptr);
        if (m_hCapture && IsInside(m_hCapture, hWnd))
            ReleaseCapture();
    }
    Send(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return bWasDisabled;
}

void CWindowSystem::SetRegion(CWindowRecord* pRecord, const CRegion* pRegion, bool bRedraw)
{
    if (pRecord->IsChild() && bRedraw)
        InvalidateParentUnder(pRecord);
    if (pRegion)
        pRecord->windowRegion = *pRegion;
    else
        pRecord->windowRegion.reset();
    if (!pRecord->IsChild() && m_pHost) {
        std::vector<CRect> shape = pRegion ? pRegion->Rects() : std::vector<CRect>{};
        m_pHost->SetNativeShape(pRecord->hWnd, shape, pRegion == nullptr);
    }
    if (bRedraw)
        InvalidateWhole(pRecord);
}

HWND CWindowSystem::NextGroupItem(HWND hParent, HWND hControl, bool bPrevious) const
{
    const CWindowRecord* pParent = Find(hParent);
    if (!pParent)
        return nullptr;
    const std::vector<HWND>& siblings = pParent->children;
    auto it = std::find(siblings.begin(), siblings.end(), hControl);
    if (it == siblings.end())
        return nullptr;
    const std::size_t nIndex = static_cast<std::size_t>(it - siblings.begin());
    auto hasGroup = [&](std::size_t i) { return (Find(siblings[i])->dwStyle & WS_GROUP) != 0; };
    std::size_t nStart = nIndex;
    while (nStart > 0 && !hasGroup(nStart))
        --nStart;
    std::size_t nEnd = nIndex + 1;
    while (nEnd < siblings.size() && !hasGroup(nEnd))
        ++nEnd;
    const std::size_t nCount = nEnd - nStart;
    for (std::size_t nStep = 1; nStep < nCount; ++nStep) {
        std::size_t nOffset = bPrevious ? (nIndex - nStart + nCount - nStep) % nCount : (nIndex - nStart + nStep) % nCount;
        const CWindowRecord* pCandidate = Find(siblings[nStart + nOffset]);
        if ((pCandidate->dwStyle & WS_VISIBLE) && !(pCandidate->dwStyle & WS_DISABLED))
            return pCandidate->hWnd;
    }
    return hControl;
}

CPixelView FrameView(cairo_surface_t* pFrame)
{
    if (!pFrame)
        return {};
    cairo_surface_flush(pFrame);
    return {reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(pFrame)),
            cairo_image_surface_get_width(pFrame), cairo_image_surface_get_height(pFrame),
            cairo_image_surface_get_stride(pFrame)};
}

} // namespace velk::platform
