// The drawn check box.
#include "controls/check_box_button.h"

#include "controls/button_click.h"

CCheckBoxButton::CCheckBoxButton() { RegisterButtonClass(kCheckBoxButtonClass); }

void CCheckBoxButton::DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct)
        DrawButtonWithSlice(lpDrawItemStruct, SelectCheckBoxSlice(GetSliceCount(), LookOf(*lpDrawItemStruct)));
}

void CCheckBoxButton::DrawButtonText(Graphics* pGraphics, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (pGraphics && lpDrawItemStruct)
        DrawTextOfButton(pGraphics, *lpDrawItemStruct, false);
}

BOOL CCheckBoxButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!IsOwnClick(this, message, wParam, lParam))
        return CBasicButton::OnChildNotify(message, wParam, lParam, pResult);
    SendMessage(BM_SETCHECK, IsChecked() ? BST_UNCHECKED : BST_CHECKED);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, LOWORD(static_cast<std::uintptr_t>(GetDlgCtrlID())), 0);
    if (pResult)
        *pResult = 0;
    return TRUE;
}
