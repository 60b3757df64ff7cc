// The device list header's picture background and items.
#include "controls/standard_header_ctrl.h"

namespace {

// The background picture's right and bottom margins that are never shown.
constexpr int kUnusedRight = 50;
constexpr int kUnusedBottom = 5;
constexpr int kDividerTop = 4;

} // namespace

void CStandardHeaderCtrl::DrawHeaderItems(CDC* pDC)
{
    Graphics graphics(pDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    if (const Image* pImage = GetImage())
        graphics.DrawImage(*pImage, rcClient, 0, 0, GetImageWidth() - kUnusedRight, GetImageHeight() - kUnusedBottom);
    m_decor.DrawItems(*this, *this, graphics, kDividerTop);
}

LRESULT CStandardHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE)
        m_decor.OnMouseMove(this);
    else if (message == WM_MOUSELEAVE)
        m_decor.OnMouseLeave(this);
    return CBasicHeaderCtrl::WindowProc(message, wParam, lParam);
}
