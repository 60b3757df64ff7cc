// The "Button" class procedure: pressing and releasing, the check state, keyboard clicks, owner
// draw through the parent, and the drawn look of push buttons, check boxes and radio buttons.
#include "platform/button.h"

#include "platform/control_look.h"
#include "platform/control_support.h"
#include "platform/standard_classes.h"

namespace velk::platform {

namespace {

struct CButtonState : CWindowExtra {
    bool bTracking = false; // the left button went down on us and we hold the capture
    bool bPressed = false;  // shown pressed
    bool bSpace = false;    // the space key is down on us
    bool bHot = false;      // the pointer is over us
    WPARAM nCheck = BST_UNCHECKED;
    CFontSlot font;
};

constexpr double kCornerRadius = 4.0;
constexpr int kIndicatorSize = 14;
constexpr int kIndicatorGap = 6;

UINT TypeOf(HWND hWnd) { return CWnd::FromHandle(hWnd)->GetStyle() & BS_TYPEMASK; }

bool IsCheckType(UINT nType) { return nType == BS_CHECKBOX || nType == BS_AUTOCHECKBOX; }
bool IsRadioType(UINT nType) { return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON; }

void SetPressed(HWND hWnd, CButtonState& state, bool bPressed)
{
    if (state.bPressed == bPressed)
        return;
    state.bPressed = bPressed;
    CWnd::FromHandle(hWnd)->Invalidate(FALSE);
}

// Auto check boxes and radio buttons change their check first; then the parent hears the click.
void Clicked(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    const UINT nType = TypeOf(hWnd);
    if (nType == BS_AUTOCHECKBOX) {
        pWnd->SendMessage(BM_SETCHECK, StateOf<CButtonState>(hWnd).nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    } else if (nType == BS_AUTORADIOBUTTON) {
        if (CWnd* pParent = pWnd->GetParent()) {
            for (CWnd* pSibling = pParent->GetNextDlgGroupItem(pWnd); pSibling && pSibling != pWnd;
                 pSibling = pParent->GetNextDlgGroupItem(pSibling))
                if ((pSibling->GetStyle() & BS_TYPEMASK) == BS_AUTORADIOBUTTON && GetClassName(pSibling->m_hWnd) == GetClassName(hWnd))
                    pSibling->SendMessage(BM_SETCHECK, BST_UNCHECKED);
        }
        pWnd->SendMessage(BM_SETCHECK, BST_CHECKED);
    }
    NotifyCommand(hWnd, BN_CLICKED);
}

void DrawOwner(HWND hWnd, const CButtonState& state, CDC& dc)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = static_cast<UINT>(pWnd->GetDlgCtrlID());
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = (state.bPressed ? ODS_SELECTED : 0) | (pWnd->IsWindowEnabled() ? 0 : ODS_DISABLED) |
                     (CWnd::GetFocus() == pWnd ? ODS_FOCUS : 0);
    draw.hwndItem = hWnd;
    draw.hDC = &dc;
    pWnd->GetClientRect(&draw.rcItem);
    if (HWND hParent = ParentOf(hWnd))
        ::SendMessage(hParent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void DrawLabel(CWnd* pWnd, const CButtonState& state, CDC& dc, CRect rc, UINT nFormat)
{
    dc.SelectObject(state.font.hFont);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(pWnd->IsWindowEnabled() ? velk::look::kText : velk::look::kDisabledText);
    dc.DrawText(pWnd->GetWindowText(), &rc, nFormat | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawPushButton(CWnd* pWnd, const CButtonState& state, CDC& dc, const CRect& rc)
{
    using namespace velk::look;
    const bool bEnabled = pWnd->IsWindowEnabled() != FALSE;
    if (!bEnabled)
        FillRoundRect(dc, rc, kCornerRadius, kButtonDisabled, kButtonDisabled);
    else if (state.bPressed)
        FillRoundRect(dc, rc, kCornerRadius, kButtonPressed, kButtonPressed);
    else if (state.bHot)
        FillRoundRect(dc, rc, kCornerRadius, kButtonHotTop, kButtonHotBottom);
    else
        FillRoundRect(dc, rc, kCornerRadius, kButtonTop, kButtonBottom);
    const bool bDefault = (pWnd->GetStyle() & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    FrameRoundRect(dc, rc, kCornerRadius, bDefault && bEnabled ? kFocusBorder : kBorder);
    CRect rcText = rc;
    rcText.DeflateRect(6, 0);
    DrawLabel(pWnd, state, dc, rcText, DT_CENTER);
}

void DrawIndicatorButton(CWnd* pWnd, const CButtonState& state, CDC& dc, const CRect& rc, bool bRadio)
{
    using namespace velk::look;
    const int nTop = rc.top + (rc.Height() - kIndicatorSize) / 2;
    const CRect rcBox(rc.left, nTop, rc.left + kIndicatorSize, nTop + kIndicatorSize);
    const bool bChecked = state.nCheck != BST_UNCHECKED;
    const bool bEnabled = pWnd->IsWindowEnabled() != FALSE;
    const COLORREF clrFill = !bEnabled ? kButtonDisabled : bChecked ? kAccent : state.bPressed ? kButtonPressed : RGB(255, 255, 255);
    if (bRadio) {
        FillCircle(dc, rcBox, clrFill);
        FrameCircle(dc, rcBox, bChecked && bEnabled ? kAccent : kBorder);
        if (bChecked) {
            CRect rcDot = rcBox;
            rcDot.DeflateRect(4, 4);
            FillCircle(dc, rcDot, bEnabled ? RGB(255, 255, 255) : kDisabledText);
        }
    } else {
        FillRoundRect(dc, rcBox, 3, clrFill, clrFill);
        FrameRoundRect(dc, rcBox, 3, bChecked && bEnabled ? kAccent : kBorder);
        if (bChecked)
            DrawCheckMark(dc, rcBox, bEnabled ? RGB(255, 255, 255) : kDisabledText);
    }
    CRect rcText = rc;
    rcText.left += kIndicatorSize + kIndicatorGap;
    DrawLabel(pWnd, state, dc, rcText, DT_LEFT);
}

void Paint(HWND hWnd, const CButtonState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CPaintDC dc(pWnd);
    const UINT nType = TypeOf(hWnd);
    if (nType == BS_OWNERDRAW) {
        DrawOwner(hWnd, state, dc);
        return;
    }
    CRect rc;
    pWnd->GetClientRect(&rc);
    // The parent decides what shows around the rounded corners and beside a check box.
    HBRUSH hBackground = GetSysColorBrush(COLOR_BTNFACE);
    if (HWND hParent = ParentOf(hWnd))
        if (auto hAnswer = reinterpret_cast<HBRUSH>(::SendMessage(hParent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(&dc),
                                                                     reinterpret_cast<LPARAM>(hWnd))))
            hBackground = hAnswer;
    if (!IsWindow(hWnd))
        return;
    dc.FillRect(&rc, hBackground);
    if (IsCheckType(nType) || IsRadioType(nType))
        DrawIndicatorButton(pWnd, state, dc, rc, IsRadioType(nType));
    else
        DrawPushButton(pWnd, state, dc, rc);
}

LRESULT DialogCode(HWND hWnd)
{
    switch (TypeOf(hWnd)) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    default: return DLGC_BUTTON;
    }
}

LRESULT OnMouse(HWND hWnd, CButtonState& state, UINT message, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CRect rc;
    pWnd->GetClientRect(&rc);
    const bool bInside = rc.PtInRect({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    switch (message) {
    case WM_LBUTTONDOWN:
        state.bTracking = true;
        pWnd->SetCapture();
        pWnd->SetFocus();
        SetPressed(hWnd, state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state.bTracking)
            SetPressed(hWnd, state, bInside);
        // Owner-drawn buttons track the pointer themselves, if they want to.
        if (!state.bHot && TypeOf(hWnd) != BS_OWNERDRAW) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = hWnd;
            state.bHot = TrackMouseEvent(&track) != FALSE;
            pWnd->Invalidate(FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        if (state.bHot) {
            state.bHot = false;
            pWnd->Invalidate(FALSE);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!state.bTracking)
            return 0;
        state.bTracking = false;
        const bool bClick = state.bPressed && bInside;
        SetPressed(hWnd, state, false);
        ReleaseCapture();
        if (bClick)
            Clicked(hWnd);
        return 0;
    }
    default: return 0;
    }
}

LRESULT OnKey(HWND hWnd, CButtonState& state, UINT message, WPARAM wParam)
{
    if (wParam != VK_SPACE)
        return 0;
    if (message == WM_KEYDOWN) {
        state.bSpace = true;
        SetPressed(hWnd, state, true);
    } else if (state.bSpace) {
        state.bSpace = false;
        SetPressed(hWnd, state, false);
        Clicked(hWnd);
    }
    return 0;
}

} // namespace

LRESULT ButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CButtonState& state = StateOf<CButtonState>(hWnd);
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONUP: return OnMouse(hWnd, state, message, lParam);
    case WM_CAPTURECHANGED:
        if (state.bTracking && reinterpret_cast<HWND>(lParam) != hWnd) {
            state.bTracking = false;
            SetPressed(hWnd, state, false);
        }
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: return OnKey(hWnd, state, message, wParam);
    case WM_KILLFOCUS:
        if (state.bSpace) {
            state.bSpace = false;
            SetPressed(hWnd, state, false);
        }
        pWnd->Invalidate(FALSE);
        return 0;
    case WM_SETFOCUS:
    case WM_ENABLE: pWnd->Invalidate(FALSE); return 0;
    case WM_GETDLGCODE: return DialogCode(hWnd);
    case BM_CLICK:
        if (pWnd->IsWindowEnabled())
            Clicked(hWnd);
        return 0;
    case BM_GETCHECK: return static_cast<LRESULT>(state.nCheck);
    case BM_SETCHECK:
        if (state.nCheck != wParam) {
            state.nCheck = wParam & (BST_CHECKED | BST_INDETERMINATE);
            pWnd->Invalidate(FALSE);
        }
        return 0;
    case BM_GETSTATE:
        return static_cast<LRESULT>(state.nCheck | (state.bPressed ? BST_PUSHED : 0) |
                                    (CWnd::GetFocus() == pWnd ? BST_FOCUS : 0));
    case BM_SETSTATE: SetPressed(hWnd, state, wParam != 0); return 0;
    case BM_SETSTYLE:
        pWnd->ModifyStyle(BS_TYPEMASK, static_cast<DWORD>(wParam) & BS_TYPEMASK);
        if (lParam)
            pWnd->Invalidate(FALSE);
        return 0;
    case WM_SETTEXT: {
        const LRESULT nResult = DefWindowProc(hWnd, message, wParam, lParam);
        pWnd->Invalidate(FALSE);
        return nResult;
    }
    case WM_SETFONT: return state.font.Set(hWnd, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(state.font.hFont);
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(hWnd, state); return 0;
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

} // namespace velk::platform

BOOL CButton::Create(const std::string& strCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, WC_BUTTON, strCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }

UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }

void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight ? TRUE : FALSE); }

UINT CButton::GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
