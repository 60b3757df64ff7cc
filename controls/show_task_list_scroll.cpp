// The task list's two scroll bars: which show after a size change, their ranges and places, and
// scrolling by bar and wheel. Positions are pixels and stay between 0 and the content less the
// part in view.
#include "controls/show_task_list_ctrl.h"

#include <algorithm>

void CShowTaskListCtrl::UpdateScrollBars(int cx, int cy)
{
    if (!m_verticalBar.GetSafeHwnd() || !m_horizontalBar.GetSafeHwnd())
        return;
    const int nCount = GetItemCount();
    const int nContentHeight = nCount * kRowHeight;
    const int nContentWidth = ColumnsWidth();
    const CTaskScrollBars bars = nCount > 0 ? TaskScrollBarsNeeded(nContentHeight, nContentWidth, cx, cy) : CTaskScrollBars{};
    // The page is the part that is in view beside the other bar, so that the last row and the
    // last column can be scrolled fully in and no further.
    const int nViewHeight = std::max(cy - kHeaderBand - (bars.bHorizontal ? kBarSize : 0), 0);
    const int nViewWidth = std::max(cx - (bars.bVertical ? kBarSize : 0), 0);
    const auto place = [](CScrollBar& bar, bool bShow, int nContent, int nView) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = nContent;
        info.nPage = static_cast<UINT>(nView);
        bar.SetScrollInfo(&info, TRUE);
        bar.ShowScrollBar(bShow);
    };
    place(m_verticalBar, bars.bVertical, nContentHeight, nViewHeight);
    place(m_horizontalBar, bars.bHorizontal, nContentWidth, nViewWidth);
    m_verticalBar.MoveWindow(cx - kBarSize, kHeaderBand, kBarSize,
                             std::max(cy - kHeaderBand - (bars.bHorizontal ? kBarSize : 0), 0), TRUE);
    m_horizontalBar.MoveWindow(0, cy - kBarSize, std::max(cx - (bars.bVertical ? kBarSize : 0), 0), kBarSize, TRUE);
    ScrollTo(false, bars.bVertical ? m_nScrollY : 0);
    ScrollTo(true, bars.bHorizontal ? m_nScrollX : 0);
}

int CShowTaskListCtrl::ScrollLimit(bool bHorizontal) const
{
    const CScrollBar& bar = bHorizontal ? m_horizontalBar : m_verticalBar;
    if (!bar.GetSafeHwnd() || !(bar.GetStyle() & WS_VISIBLE))
        return 0;
    SCROLLINFO info;
    bar.GetScrollInfo(&info, SIF_RANGE | SIF_PAGE);
    return std::max(info.nMax - static_cast<int>(info.nPage), 0);
}

void CShowTaskListCtrl::ScrollTo(bool bHorizontal, int nPos)
{
    nPos = std::clamp(nPos, 0, ScrollLimit(bHorizontal));
    CScrollBar& bar = bHorizontal ? m_horizontalBar : m_verticalBar;
    int& nCurrent = bHorizontal ? m_nScrollX : m_nScrollY;
    bar.SetScrollPos(nPos, TRUE);
    if (nPos == nCurrent)
        return;
    nCurrent = nPos;
    if (!bHorizontal) {
        RepaintRows();
        return;
    }
    m_header.SetScrollOffset(nPos);
    m_header.Invalidate(FALSE);
    Invalidate(FALSE);
}

void CShowTaskListCtrl::OnScroll(bool bHorizontal, UINT nCode)
{
    CScrollBar& bar = bHorizontal ? m_horizontalBar : m_verticalBar;
    SCROLLINFO info;
    bar.GetScrollInfo(&info, SIF_ALL);
    const int nPos = bHorizontal ? m_nScrollX : m_nScrollY;
    const int nPage = static_cast<int>(info.nPage);
    switch (nCode) {
    case SB_LINEUP: ScrollTo(bHorizontal, nPos - 1); break;
    case SB_LINEDOWN: ScrollTo(bHorizontal, nPos + 1); break;
    case SB_PAGEUP: ScrollTo(bHorizontal, nPos - nPage); break;
    case SB_PAGEDOWN: ScrollTo(bHorizontal, nPos + nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(bHorizontal, info.nTrackPos); break;
    case SB_TOP: ScrollTo(bHorizontal, info.nMin); break;
    case SB_BOTTOM: ScrollTo(bHorizontal, info.nMax); break;
    default: break;
    }
}

void CShowTaskListCtrl::OnWheel(int nDelta)
{
    HideTip();
    const bool bVertical = (m_verticalBar.GetStyle() & WS_VISIBLE) != 0;
    const bool bHorizontal = (m_horizontalBar.GetStyle() & WS_VISIBLE) != 0;
    if (bVertical)
        ScrollTo(false, m_nScrollY - nDelta);
    else if (bHorizontal)
        ScrollTo(true, m_nScrollX - nDelta);
}
