// The image control.
#include "controls/show_image_ctrl.h"

CShowImageCtrl::CShowImageCtrl() { RegisterControlClass(kShowImageCtrlClass); }

void CShowImageCtrl::DrawControl(CDC* pDC)
{
    Graphics graphics(pDC);
    graphics.SetSmoothingMode(SmoothingMode::HighSpeed);
    PaintByMode(GetParent(), this, &graphics, pDC);
    DrawImageSlice(graphics);
}
