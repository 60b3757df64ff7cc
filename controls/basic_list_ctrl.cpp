// The one-pixel frame of the drawn lists.
#include "controls/basic_list_ctrl.h"

LRESULT CBasicListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCALCSIZE:
        if (GetPaintMode() & PAINT_MODE_BORDER) {
            auto* pParams = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
            static_cast<CRect*>(&pParams->rgrc[0])->DeflateRect(1, 1);
        }
        return CListCtrl::WindowProc(message, wParam, lParam);
    case WM_NCPAINT: DrawBorder(); return 0;
    default: return CListCtrl::WindowProc(message, wParam, lParam);
    }
}

void CBasicListCtrl::DrawBorder()
{
    CDC* pDC = GetWindowDC();
    if (!pDC)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.MoveToXY(0, 0);
    if (GetPaintMode() & PAINT_MODE_BORDER) {
        Graphics graphics(pDC);
        graphics.DrawRectangle(Pen(GetBorderColor(), 1.0f), 0, 0, rcWindow.Width() - 1, rcWindow.Height() - 1);
    }
    ReleaseDC(pDC);
}
