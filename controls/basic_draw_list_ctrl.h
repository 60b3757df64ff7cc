// CBasicDrawListCtrl: a drawn list that paints its whole client area itself, double-buffered,
// and hears of every size change.
#pragma once

#include "controls/basic_list_ctrl.h"

class CBasicDrawListCtrl : public CBasicListCtrl {
public:
    // Paints the client area into pDC (a memory DC of client size): opaque white, then the items.
    virtual void DrawList(CDC* pDC);
    // The rows; nothing here.
    virtual void DrawItems(CDC* pDC);
    // After every size change (nType as WM_SIZE gives it): keeps the client rectangle in the frame.
    virtual void OnClientResized(UINT nType, int cx, int cy);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
