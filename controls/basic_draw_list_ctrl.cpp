// The drawn list's painting and size changes.
#include "controls/basic_draw_list_ctrl.h"

#include "controls/buffered_paint.h"

void CBasicDrawListCtrl::DrawList(CDC* pDC)
{
    {
        Graphics graphics(pDC);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        CRect rcClient;
        GetClientRect(&rcClient);
        graphics.FillRectangle(SolidBrush(0xFFFFFFFF), 0, 0, rcClient.Width(), rcClient.Height());
    }
    DrawItems(pDC);
}

void CBasicDrawListCtrl::DrawItems(CDC*) {}

void CBasicDrawListCtrl::OnClientResized(UINT, int cx, int cy) { SetLastClientRect(CRect(0, 0, cx, cy)); }

LRESULT CBasicDrawListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: PaintBuffered(this, [this](CDC* pDC) { DrawList(pDC); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_SIZE: {
        const LRESULT nResult = CBasicListCtrl::WindowProc(message, wParam, lParam);
        OnClientResized(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return nResult;
    }
    default: return CBasicListCtrl::WindowProc(message, wParam, lParam);
    }
}
