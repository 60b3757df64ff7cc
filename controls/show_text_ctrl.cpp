// The text control.
#include "controls/show_text_ctrl.h"

namespace {

// Wider texts wrap, so that a tip never grows much beyond this.
constexpr float kMeasureWidth = 250.0f;

} // namespace

CShowTextCtrl::CShowTextCtrl() { RegisterControlClass(kShowTextCtrlClass); }

void CShowTextCtrl::DrawControl(CDC* pDC)
{
    Graphics graphics(pDC);
    PaintByMode(GetParent(), this, &graphics, pDC);
    DrawControlText(graphics);
}

CSize CShowTextCtrl::MeasureText()
{
    if (!GetText())
        return CSize();
    const CPoint ptOffset = GetTextOffset();
    const float ox = static_cast<float>(ptOffset.x);
    const float oy = static_cast<float>(ptOffset.y);
    RectF bound;
    {
        CClientDC dc(this);
        Graphics graphics(&dc);
        graphics.MeasureString(*GetText(), GetTextFont(), RectF{ox, oy, kMeasureWidth - 2 * ox, 0}, nullptr, &bound);
    }
    return CSize(static_cast<int>(2 * ox + bound.Width + 1), static_cast<int>(oy + bound.Height));
}
