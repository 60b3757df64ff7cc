// The task list's hover tip: a cell's whole text, shown below the pointer when the pointer has
// rested on the cell for a moment and the text does not fit on one line of its column.
#include "controls/show_task_list_ctrl.h"

#include <memory>

#include "controls/show_text_ctrl.h"

namespace {

constexpr DWORD kHoverTime = 1;
constexpr int kTipTextOffset = 3;

// The GDI-side colour value of an opaque ARGB value.
constexpr COLORREF ColorRefOf(ARGB clr) { return RGB((clr >> 16) & 0xFF, (clr >> 8) & 0xFF, clr & 0xFF); }

} // namespace

void CShowTaskListCtrl::CreateTip()
{
    auto pTip = std::make_unique<CShowTextCtrl>();
    pTip->SetPaintMode(PAINT_MODE_BORDER | PAINT_MODE_FILL);
    pTip->SetFillColor(ColorRefOf(kTipFillColor));
    pTip->CreateEx(0, kShowTextCtrlClass, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, kTipID);
    pTip->SetTextColor(ColorRefOf(kTipTextColor));
    pTip->ShowWindow(SW_HIDE);
    m_tip = CLayoutControl(std::move(pTip));
}

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
    // A new cell hides the tip for good, so that the new cell's own rest can bring it back.
    if (cell != m_hoverCell) {
        m_hoverCell = cell;
        m_bTipShownForCell = false;
        if (m_bTipVisible)
            HideTip();
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
        // Only a tip that shows counts as visible: a text that fits must not keep the next
        // cell's tip away until the timeout.
        if (ptCursor == m_ptHover && !m_bTipShownForCell && HitTestCell(m_ptHover) == m_hoverCell) {
            m_bTipShownForCell = true;
            m_bTipVisible = ShowTipFor(m_hoverCell);
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

bool CShowTaskListCtrl::ShowTipFor(const CCell& cell)
{
    auto* pTip = m_tip.As<CShowTextCtrl>();
    const std::string strText = CellText(cell.nRow, cell.nColumn);
    if (!pTip || !pTip->GetSafeHwnd() || TextFits(strText, ColumnWidth(cell.nColumn)))
        return false;
    pTip->SetText(strText, kTipTextOffset, kTipTextOffset);
    const CSize size = pTip->MeasureText();
    pTip->MoveWindow(m_ptHover.x, m_ptHover.y + kTipBelowPointer, size.cx, size.cy, TRUE);
    pTip->ShowWindow(SW_SHOWNA);
    pTip->Invalidate(FALSE);
    return true;
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
