// A control that shows a text; the task list's hover tip is one.
#pragma once

#include "controls/basic_ctrl.h"

inline constexpr const char* kShowTextCtrlClass = "ShowTextCtrl";

class CShowTextCtrl : public CBasicCtrl {
public:
    // Registers "ShowTextCtrl".
    CShowTextCtrl();

    // Background layers, then the text.
    void DrawControl(CDC* pDC) override;
    // The size that shows the whole text, wrapped at 250 pixels less twice the x offset;
    // empty without a text.
    CSize MeasureText();
};
