// The task list header's gradient and items.
#include "controls/show_task_header_ctrl.h"

namespace {

// The divider reaches one pixel above the item.
constexpr int kDividerTop = -1;

} // namespace

void CShowTaskHeaderCtrl::DrawHeaderItems(CDC* pDC)
{
    Graphics graphics(pDC);
    CRect rcClient;
    GetClientRect(&rcClient);
    const LinearGradientBrush gradient(rcClient, kGradientTop, kGradientBottom, LinearGradientMode::Vertical);
    graphics.FillRectangle(gradient, rcClient.left, rcClient.top, rcClient.Width(), rcClient.Height());
    m_decor.DrawItems(*this, *this, graphics, kDividerTop);
}

LRESULT CShowTaskHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEMOVE)
        m_decor.OnMouseMove(this);
    else if (message == WM_MOUSELEAVE)
        m_decor.OnMouseLeave(this);
    return CBasicHeaderCtrl::WindowProc(message, wParam, lParam);
}
