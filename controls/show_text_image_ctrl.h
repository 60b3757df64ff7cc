// A control that shows a text over one slice of an image.
#pragma once

#include "controls/basic_ctrl.h"

inline constexpr const char* kShowTextImageCtrlClass = "ShowTextImageCtrl";

class CShowTextImageCtrl : public CBasicCtrl {
public:
    // Registers "ShowTextImageCtrl".
    CShowTextImageCtrl();

    // Background layers, the current slice, then the text, anti-aliased.
    void DrawControl(CDC* pDC) override;
};
