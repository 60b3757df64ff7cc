// The drawn radio button.
#include "controls/radio_box_button.h"

#include <set>

#include "controls/button_click.h"

namespace {

// Push buttons (bit 0) and check box types (bit 3); every owner-drawn button has both.
constexpr DWORD kCheckableStyleBits = 0x9;

} // namespace

CRadioBoxButton::CRadioBoxButton() { RegisterButtonClass(kRadioBoxButtonClass); }

BOOL CRadioBoxButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!IsOwnClick(this, message, wParam, lParam))
        return CBasicButton::OnChildNotify(message, wParam, lParam, pResult);
    SendMessage(BM_SETCHECK, BST_CHECKED);
    ClearGroup();
    const int nID = GetDlgCtrlID();
    CWnd* pParent = GetParent();
    if (nID != 0 && pParent)
        pParent->SendMessage(WM_RADIO_GROUP_CLICKED, static_cast<WPARAM>(nID), 0);
    if (pResult)
        *pResult = 0;
    return TRUE;
}

void CRadioBoxButton::ClearGroup()
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    // The walk skips hidden and disabled windows, so it need not come back to this button: it
    // also ends at the first window it meets a second time.
    std::set<HWND> met;
    for (CWnd* pItem = pParent->GetNextDlgGroupItem(this); pItem && pItem != this;
         pItem = pParent->GetNextDlgGroupItem(pItem)) {
        if (!met.insert(pItem->GetSafeHwnd()).second)
            break;
        if (pItem->GetStyle() & kCheckableStyleBits) {
            pItem->SendMessage(BM_SETCHECK, BST_UNCHECKED);
            pItem->Invalidate(TRUE);
        }
    }
}
