// The borderless dialog: its mask shape and its drag band.
#include "controls/none_border_dlg.h"

#include "controls/mask_region.h"

void CBasicNoneBorderDlg::OnClientResized(UINT, int, int)
{
    if (m_strRegionMaskPath.empty())
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRgn region;
    if (BuildMaskRegionFromFile(m_strRegionMaskPath, rcClient, region))
        SetWindowRgn(&region, TRUE);
}

LRESULT CBasicNoneBorderDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN && GET_Y_LPARAM(lParam) < kDragBandHeight)
        SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION),
                    MAKELPARAM(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    return CBasicDialog::WindowProc(message, wParam, lParam);
}
