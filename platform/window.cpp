// CWnd and the window functions on handles: thin calls into the window system.
#include "platform/window.h"

#include <algorithm>
#include <vector>

#include "platform/window_system.h"

using velk::platform::CRegion;
using velk::platform::CWindowRecord;
using velk::platform::CWindowSystem;

namespace {

CWindowSystem& System() { return CWindowSystem::Get(); }

CWindowRecord* RecordOf(HWND hWnd) { return System().Find(hWnd); }

// Positions and sizes come from layout files: they are kept in a range where no sum overflows.
constexpr long long kMaxCoordinate = 1 << 22;

int ClampCoordinate(long long n) { return static_cast<int>(std::clamp(n, -kMaxCoordinate, kMaxCoordinate)); }

CRect RectFrom(int x, int y, int nWidth, int nHeight)
{
    const int nLeft = ClampCoordinate(x);
    const int nTop = ClampCoordinate(y);
    return {nLeft, nTop, nLeft + std::max(ClampCoordinate(nWidth), 0), nTop + std::max(ClampCoordinate(nHeight), 0)};
}

bool IsSpecialHandle(HWND hWnd)
{
    return hWnd == HWND_TOP || hWnd == HWND_BOTTOM || hWnd == HWND_TOPMOST || hWnd == HWND_NOTOPMOST;
}

} // namespace

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // The insert-after markers are never windows (and outlive the window system).
    if (IsSpecialHandle(m_hWnd))
        return;
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord) {
        m_hWnd = nullptr;
        return;
    }
    if (pRecord->pObject == this)
        DestroyWindow();
    // A window being destroyed further up the stack loses its object now.
    if (m_hWnd)
        System().Detach(m_hWnd);
}

CWnd* CWnd::FromHandle(HWND hWnd) { return System().Wrapper(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    CWindowRecord* pRecord = RecordOf(hWnd);
    return pRecord ? pRecord->pObject : nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const std::string& strClassName, const std::string& strWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, void* lpParam)
{
    CREATESTRUCT cs;
    cs.lpCreateParams = lpParam;
    cs.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    cs.nID = nID;
    const bool bDefault = rect.left == CW_USEDEFAULT;
    const CRect rc = RectFrom(rect.left, rect.top, ClampCoordinate(static_cast<long long>(rect.right) - rect.left),
                              ClampCoordinate(static_cast<long long>(rect.bottom) - rect.top));
    cs.x = bDefault ? CW_USEDEFAULT : rc.left;
    cs.y = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : rc.top;
    cs.cx = bDefault ? CW_USEDEFAULT : rc.Width();
    cs.cy = rect.top == CW_USEDEFAULT ? CW_USEDEFAULT : rc.Height();
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.lpszName = strWindowName.c_str();
    cs.lpszClass = strClassName.c_str();
    return System().Create(cs, this) ? TRUE : FALSE;
}

BOOL CWnd::Create(const std::string& strClassName, const std::string& strWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, strClassName, strWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow() { return System().Destroy(m_hWnd) ? TRUE : FALSE; }

BOOL CWnd::SubclassWindow(HWND hWnd) { return System().Attach(hWnd, this) ? TRUE : FALSE; }

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    System().Detach(hWnd);
    return hWnd;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(message, wParam, lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return System().CallClassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return System().Default(m_hWnd); }

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return System().Send(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return System().Post(m_hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

CWnd* CWnd::GetParent() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return nullptr;
    return FromHandle(pRecord->IsChild() ? pRecord->hParent : pRecord->hOwner);
}

CWnd* CWnd::GetTopLevelParent() const
{
    CWindowRecord* pTop = System().TopLevelOf(RecordOf(m_hWnd));
    return pTop ? FromHandle(pTop->hWnd) : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    if (CWindowRecord* pRecord = RecordOf(m_hWnd))
        for (HWND hChild : pRecord->children)
            if (RecordOf(hChild)->nID == static_cast<UINT_PTR>(nID))
                return FromHandle(hChild);
    return nullptr;
}

int CWnd::GetDlgCtrlID() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord ? static_cast<int>(pRecord->nID) : 0;
}

int CWnd::SetDlgCtrlID(int nID)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return 0;
    int nOld = static_cast<int>(pRecord->nID);
    pRecord->nID = static_cast<UINT_PTR>(nID);
    return nOld;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return nullptr;
    if (nCmd == GW_CHILD)
        return pRecord->children.empty() ? nullptr : FromHandle(pRecord->children.front());
    if (nCmd == GW_OWNER)
        return FromHandle(pRecord->hOwner);
    CWindowRecord* pParent = RecordOf(pRecord->hParent);
    if (!pParent)
        return nullptr;
    const std::vector<HWND>& siblings = pParent->children;
    auto it = std::find(siblings.begin(), siblings.end(), m_hWnd);
    switch (nCmd) {
    case GW_HWNDFIRST: return FromHandle(siblings.front());
    case GW_HWNDLAST: return FromHandle(siblings.back());
    case GW_HWNDNEXT: return it + 1 < siblings.end() ? FromHandle(*(it + 1)) : nullptr;
    case GW_HWNDPREV: return it != siblings.begin() ? FromHandle(*(it - 1)) : nullptr;
    default: return nullptr;
    }
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    if (!pWndCtl)
        return nullptr;
    return FromHandle(System().NextGroupItem(m_hWnd, pWndCtl->m_hWnd, bPrevious != FALSE));
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return pWnd && pWnd->m_hWnd != m_hWnd && System().IsInside(pWnd->m_hWnd, m_hWnd);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (lpRect)
        *lpRect = pRecord ? System().WindowRectOnScreen(pRecord) : CRect();
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (lpRect)
        *lpRect = pRecord ? CRect(0, 0, pRecord->rcClient.Width(), pRecord->rcClient.Height()) : CRect();
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord || !lpPoint)
        return;
    POINT pt = System().ClientOriginOnScreen(pRecord);
    lpPoint->x += pt.x;
    lpPoint->y += pt.y;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord || !lpRect)
        return;
    POINT pt = System().ClientOriginOnScreen(pRecord);
    static_cast<CRect*>(lpRect)->OffsetRect(pt.x, pt.y);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord || !lpPoint)
        return;
    POINT pt = System().ClientOriginOnScreen(pRecord);
    lpPoint->x -= pt.x;
    lpPoint->y -= pt.y;
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord || !lpRect)
        return;
    POINT pt = System().ClientOriginOnScreen(pRecord);
    static_cast<CRect*>(lpRect)->OffsetRect(-pt.x, -pt.y);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (CWindowRecord* pRecord = RecordOf(m_hWnd))
        System().SetWindowPos(pRecord, nullptr, RectFrom(x, y, nWidth, nHeight),
                              SWP_NOZORDER | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect)
        MoveWindow(lpRect->left, lpRect->top, ClampCoordinate(static_cast<long long>(lpRect->right) - lpRect->left),
                   ClampCoordinate(static_cast<long long>(lpRect->bottom) - lpRect->top), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return FALSE;
    HWND hInsertAfter = pWndInsertAfter ? pWndInsertAfter->m_hWnd : HWND_TOP;
    System().SetWindowPos(pRecord, hInsertAfter, RectFrom(x, y, cx, cy), nFlags);
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord && System().Show(pRecord, nCmdShow) ? TRUE : FALSE;
}

BOOL CWnd::IsWindowVisible() const { return System().IsVisible(RecordOf(m_hWnd)) ? TRUE : FALSE; }

BOOL CWnd::IsIconic() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord && pRecord->bIconic ? TRUE : FALSE;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord && System().Enable(pRecord, bEnable != FALSE) ? TRUE : FALSE;
}

BOOL CWnd::IsWindowEnabled() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord && !(pRecord->dwStyle & WS_DISABLED) ? TRUE : FALSE;
}

void CWnd::SetWindowText(const std::string& strText)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strText.c_str()));
}

std::string CWnd::GetWindowText() const
{
    const int nLength = GetWindowTextLength();
    std::string strText(static_cast<std::size_t>(nLength) + 1, '\0');
    const LRESULT nCopied = SendMessage(WM_GETTEXT, strText.size(), reinterpret_cast<LPARAM>(strText.data()));
    strText.resize(static_cast<std::size_t>(std::clamp<LRESULT>(nCopied, 0, nLength)));
    return strText;
}

int CWnd::GetWindowTextLength() const { return static_cast<int>(SendMessage(WM_GETTEXTLENGTH)); }

DWORD CWnd::GetStyle() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord ? pRecord->dwStyle : 0;
}

DWORD CWnd::GetExStyle() const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    return pRecord ? pRecord->dwExStyle : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return FALSE;
    const DWORD dwNew = (pRecord->dwStyle & ~dwRemove) | dwAdd;
    if (dwNew == pRecord->dwStyle)
        return FALSE;
    pRecord->dwStyle = dwNew;
    if (nFlags)
        SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return FALSE;
    const DWORD dwNew = (pRecord->dwExStyle & ~dwRemove) | dwAdd;
    if (dwNew == pRecord->dwExStyle)
        return FALSE;
    pRecord->dwExStyle = dwNew;
    if (nFlags)
        SetWindowPos(nullptr, 0, 0, 0, 0, nFlags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    return TRUE;
}

CWnd* CWnd::SetFocus() { return FromHandle(System().SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(System().Focus()); }

CWnd* CWnd::SetCapture() { return FromHandle(System().SetCapture(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandle(System().Capture()); }

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*) { return System().SetTimer(m_hWnd, nIDEvent, nElapse); }

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return System().KillTimer(m_hWnd, nIDEvent) ? TRUE : FALSE; }

void CWnd::Invalidate(BOOL bErase) { InvalidateRect(nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return;
    if (lpRect) {
        CRegion area(*lpRect);
        System().InvalidateClient(pRecord, &area, bErase != FALSE);
    } else {
        System().InvalidateClient(pRecord, nullptr, bErase != FALSE);
    }
}

void CWnd::InvalidateRgn(const CRgn* pRgn, BOOL bErase)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return;
    if (pRgn && pRgn->GetState())
        System().InvalidateClient(pRecord, &pRgn->GetState()->region, bErase != FALSE);
    else if (!pRgn)
        System().InvalidateClient(pRecord, nullptr, bErase != FALSE);
}

void CWnd::ValidateRect(LPCRECT lpRect)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return;
    if (lpRect) {
        CRegion area(*lpRect);
        System().Validate(pRecord, &area);
    } else {
        System().Validate(pRecord, nullptr);
    }
}

void CWnd::UpdateWindow()
{
    CWindowRecord* pTop = System().TopLevelOf(RecordOf(m_hWnd));
    if (pTop && System().HasDamage())
        System().PaintTopLevel(pTop);
}

CDC* CWnd::GetDC() { return System().OpenDC(m_hWnd, false); }

CDC* CWnd::GetWindowDC() { return System().OpenDC(m_hWnd, true); }

int CWnd::ReleaseDC(CDC* pDC) { return System().CloseDC(m_hWnd, pDC) ? 1 : 0; }

CDC* CWnd::BeginPaint(PAINTSTRUCT* lpPaint)
{
    PAINTSTRUCT ps;
    CDC* pDC = System().BeginPaint(m_hWnd, ps);
    if (lpPaint)
        *lpPaint = ps;
    return pDC;
}

void CWnd::EndPaint(const PAINTSTRUCT* lpPaint)
{
    if (lpPaint)
        System().EndPaint(m_hWnd, *lpPaint);
}

int CWnd::SetWindowRgn(const CRgn* pRgn, BOOL bRedraw)
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord)
        return 0;
    System().SetRegion(pRecord, pRgn && pRgn->GetState() ? &pRgn->GetState()->region : nullptr, bRedraw != FALSE);
    return 1;
}

int CWnd::GetWindowRgn(CRgn* pRgn) const
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (!pRecord || !pRgn || !pRecord->windowRegion)
        return ERROR;
    pRgn->CreateRectRgn(0, 0, 0, 0);
    pRgn->GetState()->region = *pRecord->windowRegion;
    return velk::gdi::RegionKind(*pRecord->windowRegion);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return reinterpret_cast<CFont*>(SendMessage(WM_GETFONT)); }

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return System().Send(hWnd, message, wParam, lParam);
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return System().Post(hWnd, message, wParam, lParam) ? TRUE : FALSE;
}

LRESULT CallWindowProc(WNDPROC pfnProc, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pfnProc ? pfnProc(hWnd, message, wParam, lParam) : DefWindowProc(hWnd, message, wParam, lParam);
}

BOOL IsWindow(HWND hWnd) { return RecordOf(hWnd) ? TRUE : FALSE; }

HWND CreateWindowEx(DWORD dwExStyle, const std::string& strClassName, const std::string& strWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, UINT_PTR nID, void*, void* lpParam)
{
    CREATESTRUCT cs;
    cs.lpCreateParams = lpParam;
    cs.hwndParent = hWndParent;
    cs.nID = nID;
    const CRect rc = RectFrom(x == CW_USEDEFAULT ? 0 : x, y == CW_USEDEFAULT ? 0 : y,
                              nWidth == CW_USEDEFAULT ? 0 : nWidth, nHeight == CW_USEDEFAULT ? 0 : nHeight);
    cs.x = x == CW_USEDEFAULT ? CW_USEDEFAULT : rc.left;
    cs.y = y == CW_USEDEFAULT ? CW_USEDEFAULT : rc.top;
    cs.cx = nWidth == CW_USEDEFAULT ? CW_USEDEFAULT : rc.Width();
    cs.cy = nHeight == CW_USEDEFAULT ? CW_USEDEFAULT : rc.Height();
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.lpszName = strWindowName.c_str();
    cs.lpszClass = strClassName.c_str();
    return System().Create(cs, nullptr);
}

std::string GetClassName(HWND hWnd)
{
    CWindowRecord* pRecord = RecordOf(hWnd);
    return pRecord ? pRecord->strClass : std::string();
}

BOOL DestroyWindow(HWND hWnd) { return System().Destroy(hWnd) ? TRUE : FALSE; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* lpEventTrack)
{
    return lpEventTrack && System().TrackMouse(*lpEventTrack) ? TRUE : FALSE;
}

BOOL ReleaseCapture() { return System().ReleaseCapture() ? TRUE : FALSE; }

BOOL GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    *lpPoint = System().CursorPos();
    return TRUE;
}

short GetKeyState(int nVirtKey) { return System().KeyState(nVirtKey); }

int GetSystemMetrics(int nIndex)
{
    const IWindowHost* pHost = System().Host();
    const CRect rcScreen = pHost ? pHost->GetWorkArea() : CRect();
    switch (nIndex) {
    case SM_CXSCREEN: return rcScreen.Width();
    case SM_CYSCREEN: return rcScreen.Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXICON:
    case SM_CYICON: return 32;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK: return 4;
    default: return 0;
    }
}

void SetWindowExtra(HWND hWnd, std::unique_ptr<CWindowExtra> pExtra)
{
    if (CWindowRecord* pRecord = RecordOf(hWnd))
        pRecord->pExtra = std::move(pExtra);
}

CWindowExtra* GetWindowExtra(HWND hWnd)
{
    CWindowRecord* pRecord = RecordOf(hWnd);
    return pRecord ? pRecord->pExtra.get() : nullptr;
}

CClientDC::CClientDC(CWnd* pWnd, bool bWholeWindow) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (CWindowRecord* pRecord = RecordOf(m_hWnd))
        System().PrepareDC(*this, pRecord, bWholeWindow, nullptr);
}

CClientDC::~CClientDC()
{
    CWindowRecord* pRecord = RecordOf(m_hWnd);
    if (CWindowRecord* pTop = pRecord ? System().TopLevelOf(pRecord) : nullptr)
        pTop->presentDamage.Union(GetState()->VisibleArea());
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { System().BeginPaint(m_hWnd, *this, m_ps); }

CPaintDC::~CPaintDC() { System().EndPaint(m_hWnd, *this); }
