// The device list: its header taken over, its header's font and colour, custom draw answered.
#include "controls/standard_list_ctrl.h"

#include "layout/layout_text.h"

CStandardListCtrl::~CStandardListCtrl()
{
    // While the header member still exists, so that the window tree goes down in one piece.
    DestroyWindow();
}

void CStandardListCtrl::SetHeaderFont(const std::string& strFaceName, int nSize)
{
    m_header.SetTextFont(strFaceName, nSize);
}

void CStandardListCtrl::SetHeaderTextColor(const std::string& strColorText)
{
    COLORREF clrText = RGB(0, 0, 0);
    ParseColorText(strColorText, clrText);
    m_header.SetTextColor(clrText);
}

LRESULT CStandardListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT nResult = CBasicListCtrl::WindowProc(message, wParam, lParam);
    if (message == WM_CREATE && nResult != -1)
        TakeOverHeader();
    return nResult;
}

BOOL CStandardListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
        if (pResult)
            *pResult = CDRF_DODEFAULT;
        return TRUE;
    }
    return CBasicListCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

void CStandardListCtrl::PreSubclassWindow()
{
    CBasicListCtrl::PreSubclassWindow();
    TakeOverHeader();
}

void CStandardListCtrl::TakeOverHeader()
{
    if (m_header.GetSafeHwnd())
        return;
    if (CHeaderCtrl* pHeader = GetHeaderCtrl(); pHeader && pHeader->GetSafeHwnd())
        m_header.SubclassWindow(pHeader->GetSafeHwnd());
}
