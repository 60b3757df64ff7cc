// The task list's selection: clicks with Shift and Ctrl, the right button, and the rubber band,
// which selects the rows it touches when it is let go.
#include "controls/show_task_list_ctrl.h"

#include <algorithm>

void CShowTaskListCtrl::OnLeftButtonDown(WPARAM nKeys, CPoint pt)
{
    SetCapture();
    const int nRow = HitTestCell(pt).nRow;
    if (nRow < 0) {
        ClearSelection();
        m_bBand = true;
        m_ptBandAnchor = m_ptLastMouse = pt;
    } else if (nKeys & MK_SHIFT) {
        if (m_nAnchor < 0 || m_nAnchor >= GetItemCount())
            m_nAnchor = nRow;
        SelectRange(m_nAnchor, nRow);
    } else if (nKeys & MK_CONTROL) {
        SetItemState(nRow, IsSelected(nRow) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
        m_nAnchor = nRow;
    } else {
        SelectOnly(nRow);
        m_nAnchor = nRow;
    }
    RepaintRows();
}

void CShowTaskListCtrl::OnLeftButtonUp()
{
    if (GetCapture() == this)
        ReleaseCapture();
    if (!m_bBand)
        return;
    SelectUnderBand();
    m_bBand = false;
    RepaintRows();
}

void CShowTaskListCtrl::OnRightButtonDown(WPARAM nKeys, CPoint pt)
{
    if (nKeys & (MK_CONTROL | MK_SHIFT))
        return;
    const int nRow = HitTestCell(pt).nRow;
    if (nRow < 0)
        ClearSelection();
    else if (!IsSelected(nRow))
        SelectOnly(nRow);
    else
        return;
    RepaintRows();
}

void CShowTaskListCtrl::OnRightButtonUp()
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_TASKLIST_RBUTTONUP, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

bool CShowTaskListCtrl::IsSelected(int nRow) const { return (GetItemState(nRow, LVIS_SELECTED) & LVIS_SELECTED) != 0; }

void CShowTaskListCtrl::SelectOnly(int nRow) { SelectRange(nRow, nRow); }

void CShowTaskListCtrl::SelectRange(int nFrom, int nTo)
{
    const auto [nLow, nHigh] = std::minmax(nFrom, nTo);
    for (int i = 0, nCount = GetItemCount(); i < nCount; ++i)
        SetItemState(i, i >= nLow && i <= nHigh ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void CShowTaskListCtrl::ClearSelection() { SetItemState(-1, 0, LVIS_SELECTED); }

CRect CShowTaskListCtrl::BandRect() const
{
    // Both corner pixels belong to the band.
    const CRect rc(std::min(m_ptBandAnchor.x, m_ptLastMouse.x), std::min(m_ptBandAnchor.y, m_ptLastMouse.y),
                   std::max(m_ptBandAnchor.x, m_ptLastMouse.x) + 1, std::max(m_ptBandAnchor.y, m_ptLastMouse.y) + 1);
    return CRect::Intersection(rc, RowsBand());
}

// Every row whose rectangle within the columns shares a pixel with the band; the first of them
// becomes the anchor for a later Shift-click.
void CShowTaskListCtrl::SelectUnderBand()
{
    const CRect rcBand = BandRect();
    const int nColumnsRight = ColumnsWidth() - m_nScrollX;
    int nFirst = -1;
    for (int i = 0, nCount = GetItemCount(); i < nCount; ++i) {
        CRect rcRow = RowRect(i);
        rcRow.left = -m_nScrollX;
        rcRow.right = nColumnsRight;
        const bool bTouched = !CRect::Intersection(rcRow, rcBand).IsRectEmpty();
        SetItemState(i, bTouched ? LVIS_SELECTED : 0, LVIS_SELECTED);
        if (bTouched && nFirst < 0)
            nFirst = i;
    }
    if (nFirst >= 0)
        m_nAnchor = nFirst;
}
