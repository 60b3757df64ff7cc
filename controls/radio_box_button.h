// The drawn radio button: a click checks it, clears every other drawn button of its dialog
// group and tells the parent with WM_RADIO_GROUP_CLICKED.
#pragma once

#include "controls/basic_button.h"

inline constexpr const char* kRadioBoxButtonClass = "RadioBoxButton";

class CRadioBoxButton : public CBasicButton {
public:
    // Registers "RadioBoxButton".
    CRadioBoxButton();

    // Takes the platform's click (see above).
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void ClearGroup();
};
