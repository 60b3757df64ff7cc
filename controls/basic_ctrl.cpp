// The text and image controls' common part.
#include "controls/basic_ctrl.h"

#include "controls/buffered_paint.h"
#include "controls/none_border_dlg.h"

namespace {

int MarginOf(int nOffset) { return nOffset == -1 ? 1 : nOffset; }

} // namespace

void CBasicCtrl::RegisterControlClass(const char* szClassName)
{
    WNDCLASS wc;
    wc.style = CS_GLOBALCLASS;
    wc.hCursor = LoadCursor(IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = szClassName;
    RegisterClass(&wc);
}

void CBasicCtrl::DrawControl(CDC*) {}

void CBasicCtrl::OnClientResized(UINT, int cx, int cy)
{
    const CRect rcLast = GetLastClientRect();
    if (IsLayoutLoaded())
        OnResize(cx - rcLast.Width(), cy - rcLast.Height());
    CRect rcClient;
    GetClientRect(&rcClient);
    SetLastClientRect(rcClient);
}

void CBasicCtrl::DrawControlText(Graphics& graphics)
{
    if (!GetText() || !GetTextFont().IsAvailable())
        return;
    const SolidBrush brush(GetTextColor());
    const float x = static_cast<float>(MarginOf(GetTextOffset().x));
    const float y = static_cast<float>(MarginOf(GetTextOffset().y));
    CRect rc;
    GetClientRect(&rc);
    const RectF layout{x, y, static_cast<float>(rc.Width()) - 2 * x, 0};
    RectF bound;
    graphics.MeasureString(*GetText(), GetTextFont(), layout, nullptr, &bound);
    graphics.DrawString(*GetText(), GetTextFont(), bound, nullptr, brush);
}

void CBasicCtrl::DrawImageSlice(Graphics& graphics)
{
    if (GetSliceWidth() == 0 || GetImageHeight() == 0)
        MeasureImage(GetSliceCount());
    if (!GetImage())
        return;
    const CPoint ptOrigin = GetImageOrigin();
    const CRect rcDest(ptOrigin.x, ptOrigin.y, ptOrigin.x + GetSliceWidth(), ptOrigin.y + GetImageHeight());
    graphics.DrawImage(*GetImage(), rcDest, GetSliceWidth() * GetCurrentSlice(), 0, GetSliceWidth(), GetImageHeight());
}

LRESULT CBasicCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SIZE: {
        const LRESULT nResult = CWnd::WindowProc(message, wParam, lParam);
        OnClientResized(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                        HIWORD(static_cast<std::uintptr_t>(lParam)));
        return nResult;
    }
    case WM_LBUTTONDOWN: OnLButtonDown(lParam); break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CBasicCtrl::OnPaint()
{
    PaintBuffered(this, [this](CDC* pDC) { DrawControl(pDC); });
}

void CBasicCtrl::OnLButtonDown(LPARAM lParam)
{
    CWnd* pParent = GetParent();
    if (!pParent)
        return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(&pt);
    pParent->ScreenToClient(&pt);
    if (pt.y < kDragBandHeight)
        pParent->SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), lParam);
}
