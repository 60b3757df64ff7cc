// A control that shows one slice of an image.
#pragma once

#include "controls/basic_ctrl.h"

inline constexpr const char* kShowImageCtrlClass = "ShowImageCtrl";

class CShowImageCtrl : public CBasicCtrl {
public:
    // Registers "ShowImageCtrl".
    CShowImageCtrl();

    // Background layers, then the current slice, without smoothing.
    void DrawControl(CDC* pDC) override;
};
