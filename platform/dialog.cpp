// Dialogs: the template registry, the "#32770" class procedure (background, font, the default
// button, WM_CLOSE as cancel) and CDialog's modal run with its Enter and Escape keys.
#include "platform/dialog.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/app.h"
#include "platform/control_support.h"
#include "platform/host.h"
#include "platform/message_loop.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

struct CDialogState : CWindowExtra {
    CFontSlot font;
    WORD nDefID = 0;
};

struct CTemplates {
    std::mutex mutex;
    std::map<UINT, CDialogTemplate> templates;
};

CTemplates& Templates()
{
    static CTemplates templates;
    return templates;
}

LRESULT EraseBackground(HWND hWnd, CDC* pDC)
{
    if (!pDC)
        return FALSE;
    // The dialog's own colour request decides its background, as for its controls.
    auto hBrush = reinterpret_cast<HBRUSH>(
        ::SendMessage(hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(pDC), reinterpret_cast<LPARAM>(hWnd)));
    CRect rc;
    CWnd::FromHandle(hWnd)->GetClientRect(&rc);
    pDC->FillRect(&rc, hBrush ? hBrush : GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

} // namespace

LRESULT DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialogState& state = StateOf<CDialogState>(hWnd);
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_CLOSE: {
        CWnd* pCancel = CWnd::FromHandle(hWnd)->GetDlgItem(IDCANCEL);
        ::SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(pCancel ? pCancel->m_hWnd : nullptr));
        return 0;
    }
    case WM_ERASEBKGND: return EraseBackground(hWnd, reinterpret_cast<CDC*>(wParam));
    case WM_SETFONT: return state.font.Set(hWnd, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state.font.hFont);
    case DM_GETDEFID: return state.nDefID ? MAKELPARAM(state.nDefID, DC_HASDEFID) : 0;
    case DM_SETDEFID: state.nDefID = static_cast<WORD>(wParam); return TRUE;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform

BOOL RegisterDialogTemplate(UINT nIDTemplate, const CDialogTemplate& dialogTemplate)
{
    auto& registry = velk::platform::Templates();
    std::lock_guard<std::mutex> lock(registry.mutex);
    return registry.templates.emplace(nIDTemplate, dialogTemplate).second ? TRUE : FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_template(dialogTemplate)
{
}

std::optional<CDialogTemplate> CDialog::FindTemplate() const
{
    if (m_template)
        return m_template;
    auto& registry = velk::platform::Templates();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto it = registry.templates.find(m_nIDTemplate);
    return it == registry.templates.end() ? std::nullopt : std::optional<CDialogTemplate>(it->second);
}

CWnd* CDialog::Owner() const
{
    if (m_pParentWnd)
        return m_pParentWnd;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != this && pMain && pMain->GetSafeHwnd() ? pMain : nullptr;
}

BOOL CDialog::Create()
{
    const std::optional<CDialogTemplate> dialogTemplate = FindTemplate();
    return dialogTemplate && !m_hWnd && CreateFromTemplate(*dialogTemplate, Owner()) ? TRUE : FALSE;
}

INT_PTR CDialog::DoModal()
{
    const std::optional<CDialogTemplate> dialogTemplate = FindTemplate();
    CWnd* pOwner = Owner();
    if (!dialogTemplate || m_hWnd || !CreateFromTemplate(*dialogTemplate, pOwner))
        return -1;
    const HWND hWnd = m_hWnd;
    const HWND hOwner = pOwner ? pOwner->GetSafeHwnd() : nullptr;
    const bool bOwnerWasEnabled = hOwner && CWnd::FromHandle(hOwner)->IsWindowEnabled();
    if (bOwnerWasEnabled)
        CWnd::FromHandle(hOwner)->EnableWindow(FALSE);
    m_bInModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    MSG msg;
    while (!m_bEnded && IsWindow(hWnd)) {
        if (!GetMessage(&msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        if (!PreTranslateMessage(&msg))
            DispatchMessage(&msg);
    }
    m_bInModal = false;
    if (bOwnerWasEnabled && IsWindow(hOwner))
        CWnd::FromHandle(hOwner)->EnableWindow(TRUE);
    if (IsWindow(hWnd)) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    return m_nModalResult;
}

bool CDialog::CreateFromTemplate(const CDialogTemplate& dialogTemplate, CWnd* pOwner)
{
    if (dialogTemplate.dwStyle & DS_SETFONT) {
        LOGFONT lf;
        lf.lfHeight = -std::max(dialogTemplate.nPointSize, 1) * 96 / 72;
        SetLogFontFaceName(lf, dialogTemplate.strFaceName);
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    }
    CRect rc(0, 0, std::max(dialogTemplate.cx, 0), std::max(dialogTemplate.cy, 0));
    MapDialogRect(&rc);
    if (dialogTemplate.x != CW_USEDEFAULT) {
        CRect rcOrigin(dialogTemplate.x, dialogTemplate.y, dialogTemplate.x, dialogTemplate.y);
        MapDialogRect(&rcOrigin);
        rc.OffsetRect(rcOrigin.left, rcOrigin.top);
    }
    if (!CreateEx(dialogTemplate.dwExStyle, WC_DIALOG, dialogTemplate.strTitle, dialogTemplate.dwStyle & ~(WS_VISIBLE | WS_CHILD),
                  rc, pOwner, 0))
        return false;
    const HWND hWnd = m_hWnd;
    if (dialogTemplate.dwStyle & DS_SETFONT)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    CRect rcBefore;
    GetWindowRect(&rcBefore);
    if (IsWindow(hWnd) && SendMessage(WM_INITDIALOG) && IsWindow(hWnd)) {
        // The first control that takes the focus by Tab gets it, else the dialog itself.
        CWnd* pFocus = nullptr;
        for (CWnd* pChild = GetWindow(GW_CHILD); pChild && !pFocus; pChild = pChild->GetWindow(GW_HWNDNEXT))
            if ((pChild->GetStyle() & (WS_TABSTOP | WS_VISIBLE)) == (WS_TABSTOP | WS_VISIBLE) && pChild->IsWindowEnabled())
                pFocus = pChild;
        (pFocus ? pFocus : this)->SetFocus();
    }
    if (!IsWindow(hWnd))
        return false;
    Place(dialogTemplate, rcBefore.TopLeft());
    ShowWindow(SW_SHOWNORMAL);
    return IsWindow(hWnd) != FALSE;
}

void CDialog::Place(const CDialogTemplate& dialogTemplate, POINT ptBeforeInit)
{
    CRect rc;
    GetWindowRect(&rc);
    // A dialog that moved itself while it was set up stays where it went.
    if (rc.TopLeft() != CPoint(ptBeforeInit) || (dialogTemplate.x != CW_USEDEFAULT && !(dialogTemplate.dwStyle & DS_CENTER)))
        return;
    CRect rcAround;
    CWnd* pOwner = GetWindow(GW_OWNER);
    if (pOwner && pOwner->IsWindowVisible() && !pOwner->IsIconic())
        pOwner->GetWindowRect(&rcAround);
    else if (IWindowHost* pHost = GetWindowHost())
        rcAround = pHost->GetWorkArea();
    const int x = rcAround.left + (rcAround.Width() - rc.Width()) / 2;
    const int y = rcAround.top + (rcAround.Height() - rc.Height()) / 2;
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (!m_bInModal) {
        ShowWindow(SW_HIDE);
        return;
    }
    // The loop may be waiting: a message makes it look at the flag.
    PostMessage(WM_NULL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return IsDialogMessage(pMsg); }

void CDialog::SendCommand(int nID)
{
    CWnd* pControl = GetDlgItem(nID);
    if (pControl && !pControl->IsWindowEnabled())
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(pControl ? pControl->m_hWnd : nullptr));
}

BOOL CDialog::IsDialogMessage(MSG* pMsg)
{
    if (!pMsg || !m_hWnd || (pMsg->hwnd != m_hWnd && !::IsWindow(pMsg->hwnd)) ||
        (pMsg->hwnd != m_hWnd && !IsChild(CWnd::FromHandle(pMsg->hwnd))))
        return FALSE;
    const bool bDialogKey = pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE;
    if (pMsg->message == WM_CHAR && (pMsg->wParam == '\r' || pMsg->wParam == 0x1B))
        return TRUE;
    if (pMsg->message != WM_KEYDOWN || !bDialogKey)
        return FALSE;
    const LRESULT nCode = pMsg->hwnd != m_hWnd ? ::SendMessage(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam,
                                                               reinterpret_cast<LPARAM>(pMsg))
                                               : 0;
    if (nCode & DLGC_WANTALLKEYS)
        return FALSE;
    if (pMsg->wParam == VK_ESCAPE) {
        SendCommand(IDCANCEL);
        return TRUE;
    }
    int nID = IDOK;
    if (nCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        nID = CWnd::FromHandle(pMsg->hwnd)->GetDlgCtrlID();
    } else if (const LRESULT nDefault = SendMessage(DM_GETDEFID); HIWORD(static_cast<std::uintptr_t>(nDefault)) == DC_HASDEFID) {
        nID = LOWORD(static_cast<std::uintptr_t>(nDefault));
    }
    SendCommand(nID);
    return TRUE;
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    // The base units of the dialog's font: the average width of the Latin letters and the height.
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(const_cast<CFont*>(m_font.GetSafeHandle() ? &m_font : nullptr));
    const CSize letters = dc.GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int nBaseX = std::max((letters.cx / 26 + 1) / 2, 1);
    const int nBaseY = std::max(letters.cy, 1);
    lpRect->left = lpRect->left * nBaseX / 4;
    lpRect->right = lpRect->right * nBaseX / 4;
    lpRect->top = lpRect->top * nBaseY / 8;
    lpRect->bottom = lpRect->bottom * nBaseY / 8;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
