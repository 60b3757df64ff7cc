// The drawn dialog: its load hooks, double-buffered painting and colour answers.
#include "controls/basic_dialog.h"

#include "controls/buffered_paint.h"
#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/dialog_template.h"

namespace {

// The template registered before the dialog object asks for it.
UINT RegisteredTemplate()
{
    RegisterBasicDialogTemplate();
    return IDD_BASIC_DIALOG;
}

// How far row y of a rounded rectangle nHeight rows high lies inside its left and right edges,
// for corners of an ellipse nCorner pixels across.
int RoundInset(int y, int nHeight, int nCorner)
{
    const double dRadius = nCorner / 2.0;
    const double dCentre = y + 0.5;
    const double dFromEdge = std::min(dCentre, nHeight - dCentre);
    if (dFromEdge >= dRadius)
        return 0;
    const double dy = dRadius - dFromEdge;
    const double dx = std::sqrt(dRadius * dRadius - dy * dy);
    return static_cast<int>(std::lround(dRadius - dx));
}

void MakeRoundRectRegion(CRgn& region, int nWidth, int nHeight, int nCorner)
{
    region.CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < nHeight; ++y) {
        const int nInset = RoundInset(y, nHeight, nCorner);
        CRgn row;
        row.CreateRectRgn(nInset, y, nWidth - nInset, y + 1);
        region.CombineRgn(&region, &row, RGN_OR);
    }
}

} // namespace

CBasicDialog::CBasicDialog() : CDialog(RegisteredTemplate(), nullptr) {}

void CBasicDialog::DrawBackground(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    pDC->FillSolidRect(&rc, m_description.clrBG);
}

void CBasicDialog::OnClientResized(UINT, int cx, int cy)
{
    const CRect rcLast = GetLastClientRect();
    if (IsLayoutLoaded())
        OnResize(cx - rcLast.Width(), cy - rcLast.Height());
    CRect rcClient;
    GetClientRect(&rcClient);
    SetLastClientRect(rcClient);
}

void CBasicDialog::ApplyRoundRegion()
{
    CRect rc;
    GetClientRect(&rc);
    // Rounded over exactly the client area: the rounded rectangle of the desktop platform took
    // one pixel more on each side for that, as its right and bottom edges lay outside.
    CRgn region;
    MakeRoundRectRegion(region, rc.Width(), rc.Height(), 5);
    SetWindowRgn(&region, TRUE);
}

BOOL CBasicDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CBasicDialog::LoadLayout(std::string strRelativePath, int nDialogID, std::string strSection)
{
    CBasicLayoutFrame::LoadLayout(std::move(strRelativePath), nDialogID, std::move(strSection));
    SetLayoutLoaded(true);
}

void CBasicDialog::ApplyDialogDescription()
{
    const DialogDescription& d = m_description;
    SetBackgroundImage(d.strBGImagePath, 1, 0, 0);
    SetFillColor(d.clrBG);
    SetPaintMode(d.nPaintMode);
    SetTextFont(d.strFontName, d.nFontSize);
    SetTextColor(d.clrText);
    SetText(d.strText, d.ptTextOffset.x, d.ptTextOffset.y);
    SetWindowText(d.strText);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    // The window keeps its corner; the description's right and bottom edges are its size.
    rcWindow.right = rcWindow.left + d.rcPos.right;
    rcWindow.bottom = rcWindow.top + d.rcPos.bottom;
    m_description.rcPos = rcWindow;
    MoveWindow(&rcWindow, TRUE);
}

void CBasicDialog::ApplyControlDescriptions()
{
    ReleaseLayoutControls();
    for (const auto& [nControlID, control] : m_description.mapControls) {
        CWnd* pChild = GetDlgItem(nControlID);
        if (!pChild)
            continue;
        pChild->MoveWindow(&control.rcPos, TRUE);
        pChild->ShowWindow(control.nShowCmd);
        pChild->SetWindowText(control.strText);
        CFont* pFont = CreateLayoutFont(control.strFontName, control.nFontSize);
        pChild->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
    }
}

LRESULT CBasicDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SIZE: {
        const LRESULT nResult = CDialog::WindowProc(message, wParam, lParam);
        OnClientResized(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                        HIWORD(static_cast<std::uintptr_t>(lParam)));
        return nResult;
    }
    default:
        if (IsCtlColorMessage(message))
            return OnCtlColor(message, wParam, lParam);
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

void CBasicDialog::OnPaint()
{
    PaintBuffered(this, [this](CDC* pDC) { DrawBackground(pDC); });
}

LRESULT CBasicDialog::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT nDefault = CDialog::WindowProc(message, wParam, lParam);
    CDC* pDC = reinterpret_cast<CDC*>(wParam);
    CWnd* pControl = CWnd::FromHandle(reinterpret_cast<HWND>(lParam));
    ControlDescription control;
    if (pDC && pControl && GetControlDescription(pControl->GetDlgCtrlID(), control) == 0)
        pDC->SetTextColor(control.clrText);
    if (message - WM_CTLCOLORMSGBOX != CTLCOLOR_DLG || m_description.strBGColor.empty())
        return nDefault;
    if (!m_brushBackground.GetSafeHandle() || m_brushBackground.GetColor() != m_description.clrBG) {
        m_brushBackground.DeleteObject();
        m_brushBackground.CreateSolidBrush(m_description.clrBG);
    }
    return reinterpret_cast<LRESULT>(m_brushBackground.GetSafeHandle());
}
