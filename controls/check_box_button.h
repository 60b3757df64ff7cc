// The drawn check box: an 8-slice strip (or 2), a click toggles it and tells the parent with
// WM_COMMAND; its text never moves while pressed.
#pragma once

#include "controls/basic_button.h"

inline constexpr const char* kCheckBoxButtonClass = "CheckBoxButton";

class CCheckBoxButton : public CBasicButton {
public:
    // Registers "CheckBoxButton".
    CCheckBoxButton();

    void DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DrawButtonText(Graphics* pGraphics, LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Takes the platform's click: toggles, then sends WM_COMMAND with its id and no window.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
