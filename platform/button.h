// CButton: the standard button class "Button" (push buttons, check boxes, radio buttons and
// owner-drawn buttons). Its behaviour lives in the class procedure, so a copy of the class under
// another name (GetClassInfo, a new name and cursor, AfxRegisterClass) behaves alike.
//
// A click (press and release inside, or the space key) sends the parent WM_COMMAND with the
// button's id and BN_CLICKED; a disabled button receives no input and sends nothing. An
// owner-drawn button (BS_OWNERDRAW) paints by WM_DRAWITEM to its parent, which the window system
// offers to the button's object first: CButton answers it with DrawItem.
#pragma once

#include <string>

#include "platform/window.h"

class CButton : public CWnd {
public:
    using CWnd::Create;
    // A child button of the "Button" class; the BS_ type and WS_ styles in dwStyle.
    BOOL Create(const std::string& strCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Paints an owner-drawn button: itemState holds ODS_SELECTED while pressed, ODS_DISABLED when
    // disabled and ODS_FOCUS with the focus; hDC is the paint DC, rcItem the client rectangle.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Answers the reflected WM_DRAWITEM with DrawItem; passes everything else on to the parent.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // BM_GETCHECK / BM_SETCHECK: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);
    // BM_GETSTATE: the check state with BST_PUSHED and BST_FOCUS.
    UINT GetState() const;
    // BM_SETSTATE: shows the button pressed (TRUE) or released.
    void SetState(BOOL bHighlight);
    // The BS_ type of the button.
    UINT GetButtonStyle() const;
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE);
};
