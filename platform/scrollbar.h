// CScrollBar: the scroll bar class "ScrollBar" (SBS_VERT or SBS_HORZ), a trough with a thumb.
// The bar never moves on its own: it tells its parent WM_VSCROLL (WM_HSCROLL) with SB_PAGEUP /
// SB_PAGEDOWN for a click beside the thumb, SB_THUMBTRACK while the thumb is dragged (the
// position in the high word of wParam and in nTrackPos), SB_THUMBPOSITION when it is let go and
// SB_ENDSCROLL after each, with lParam the bar's handle; the parent then sets the position.
#pragma once

#include "platform/window.h"

class CScrollBar : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetScrollPos() const;
    // Returns the previous position; the position is kept between the minimum and the limit.
    int SetScrollPos(int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    // What the mask of lpScrollInfo names (SIF_RANGE, SIF_PAGE, SIF_POS).
    BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL) const;
    // The highest position: nMax - nPage + 1 (nMax without a page).
    int GetScrollLimit() const;
    void ShowScrollBar(BOOL bShow = TRUE);
};
