// The text-on-image control.
#include "controls/show_text_image_ctrl.h"

CShowTextImageCtrl::CShowTextImageCtrl() { RegisterControlClass(kShowTextImageCtrlClass); }

void CShowTextImageCtrl::DrawControl(CDC* pDC)
{
    Graphics graphics(pDC);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    PaintByMode(GetParent(), this, &graphics, pDC);
    DrawImageSlice(graphics);
    DrawControlText(graphics);
}
