// CBasicListCtrl: the platform's report-view list with a look of its own. With the border flag
// in its paint mode it has a one-pixel frame in the border colour around its client area;
// without it, the client area is the platform's.
#pragma once

#include "layout/property_frame.h"
#include "platform/listview.h"

class CBasicListCtrl : public CListCtrl, public CBasicPropertyFrame {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // The border ring, drawn on the window DC; nothing else of the non-client area is painted.
    void DrawBorder();
};
