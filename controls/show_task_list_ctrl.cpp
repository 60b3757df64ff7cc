// The task list: creation with its header, scroll bars and tip, its geometry, the status table
// and the dispatch of its messages.
#include "controls/show_task_list_ctrl.h"

#include <algorithm>

namespace {

constexpr const char* kPercentFontFace = "Arial";
constexpr float kPercentFontSize = 11.0f;

// Messages after which the rows or columns may no longer fit as they did.
bool ChangesContent(UINT message)
{
    switch (message) {
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_INSERTCOLUMNW:
    case LVM_DELETECOLUMN:
    case LVM_SETCOLUMNW:
    case LVM_SETCOLUMNWIDTH: return true;
    default: return false;
    }
}

} // namespace

int TaskStatusSlice(const std::string& strState, const std::string& strColumn14, const std::string& strColumn16)
{
    if (strState == "R")
        return strColumn14 == "1" ? 4 : 0;
    if (strState == "W")
        return 2;
    if (strState == "S")
        return 1;
    if (strState == "C")
        return 5;
    if (strState == "P")
        return 6;
    if (strState == "E" || strState == "D")
        return 3;
    if (strState == "J")
        return 4;
    return strColumn16.empty() ? -1 : 3;
}

CTaskScrollBars TaskScrollBarsNeeded(int nContentHeight, int nContentWidth, int cx, int cy)
{
    using List = CShowTaskListCtrl;
    const bool bVerticalAlone = nContentHeight > cy - List::kHeaderBand;
    const bool bHorizontalAlone = nContentWidth > cx;
    if (!bVerticalAlone && !bHorizontalAlone)
        return {};
    const int nViewHeight = cy - List::kHeaderBand - List::kBarSize;
    const int nViewWidth = cx - List::kBarSize;
    return {bVerticalAlone || nContentHeight > nViewHeight, bHorizontalAlone || nContentWidth > nViewWidth};
}

CShowTaskListCtrl::CShowTaskListCtrl() : m_percentFont(kPercentFontFace, kPercentFontSize) {}

CShowTaskListCtrl::~CShowTaskListCtrl()
{
    // While the members still exist, so that WM_DESTROY finds the tip and the bars.
    DestroyWindow();
}

void CShowTaskListCtrl::SetProgressImages(const std::string& strTrackPath, const std::string& strBarPath,
                                          CPoint ptOffset, CSize szBar)
{
    m_progressTrack = Image(strTrackPath);
    m_progressBar = Image(strBarPath);
    m_ptProgressOffset = ptOffset;
    m_szProgress = szBar;
}

void CShowTaskListCtrl::PreSubclassWindow()
{
    CBasicDrawListCtrl::PreSubclassWindow();
    TakeOverHeader();
}

void CShowTaskListCtrl::OnCreate()
{
    TakeOverHeader();
    CreateScrollBars();
    CreateTip();
}

void CShowTaskListCtrl::TakeOverHeader()
{
    if (m_header.GetSafeHwnd())
        return;
    if (CHeaderCtrl* pHeader = GetHeaderCtrl(); pHeader && pHeader->GetSafeHwnd())
        m_header.SubclassWindow(pHeader->GetSafeHwnd());
}

void CShowTaskListCtrl::CreateScrollBars()
{
    const CRect rc = ClientRect();
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;
    m_verticalBar.Create(dwStyle | SBS_VERT, CRect(rc.right - kBarSize, 0, rc.right, rc.bottom), this, kVerticalBarID);
    m_horizontalBar.Create(dwStyle | SBS_HORZ, CRect(0, rc.bottom - kBarSize, rc.right, rc.bottom), this,
                           kHorizontalBarID);
    m_verticalBar.ShowWindow(SW_HIDE);
    m_horizontalBar.ShowWindow(SW_HIDE);
}

int CShowTaskListCtrl::ColumnCount() const
{
    int nCount = 0;
    LVCOLUMN column;
    column.mask = LVCF_WIDTH;
    while (GetColumn(nCount, &column))
        ++nCount;
    return nCount;
}

int CShowTaskListCtrl::ColumnWidth(int nColumn) const { return GetColumnWidth(nColumn); }

int CShowTaskListCtrl::ColumnsWidth() const
{
    int nWidth = 0;
    for (int i = 0, nCount = ColumnCount(); i < nCount; ++i)
        nWidth += ColumnWidth(i);
    return nWidth;
}

CRect CShowTaskListCtrl::ClientRect() const
{
    CRect rc;
    GetClientRect(&rc);
    return rc;
}

CRect CShowTaskListCtrl::RowRect(int nRow) const
{
    const int nTop = nRow * kRowHeight + kHeaderBand - m_nScrollY;
    return {0, nTop, ClientRect().right, nTop + kRowHeight};
}

CRect CShowTaskListCtrl::RowsBand() const
{
    CRect rc = ClientRect();
    rc.top = std::min(kHeaderBand, rc.bottom);
    return rc;
}

CShowTaskListCtrl::CCell CShowTaskListCtrl::HitTestCell(CPoint pt) const
{
    const int nOffset = pt.y - kHeaderBand + m_nScrollY;
    if (pt.y < kHeaderBand || nOffset < 0)
        return {};
    const int nRow = nOffset / kRowHeight;
    if (nRow >= GetItemCount())
        return {};
    int nLeft = -m_nScrollX;
    for (int i = 0, nCount = ColumnCount(); i < nCount; ++i) {
        const int nRight = nLeft + ColumnWidth(i);
        if (pt.x >= nLeft && pt.x < nRight)
            return {nRow, i};
        nLeft = nRight;
    }
    return {};
}

void CShowTaskListCtrl::RepaintRows()
{
    const CRect rcBand = RowsBand();
    CRgn band;
    band.CreateRectRgnIndirect(&rcBand);
    for (CScrollBar* pBar : {&m_verticalBar, &m_horizontalBar}) {
        if (!pBar->GetSafeHwnd() || !(pBar->GetStyle() & WS_VISIBLE))
            continue;
        CRect rcBar;
        pBar->GetWindowRect(&rcBar);
        ScreenToClient(&rcBar);
        CRgn bar;
        bar.CreateRectRgnIndirect(&rcBar);
        band.CombineRgn(&band, &bar, RGN_DIFF);
    }
    InvalidateRgn(&band, FALSE);
    UpdateWindow();
}

void CShowTaskListCtrl::OnClientResized(UINT nType, int cx, int cy)
{
    CBasicDrawListCtrl::OnClientResized(nType, cx, cy);
    UpdateScrollBars(cx, cy);
}

LRESULT CShowTaskListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_CREATE: {
        const LRESULT nResult = CBasicDrawListCtrl::WindowProc(message, wParam, lParam);
        if (nResult != -1)
            OnCreate();
        return nResult;
    }
    case WM_DESTROY: {
        const LRESULT nResult = CBasicDrawListCtrl::WindowProc(message, wParam, lParam);
        m_tip = CLayoutControl();
        return nResult;
    }
    case WM_NCCALCSIZE:
        // The platform's own scroll bars never show: the list scrolls with its own two.
        ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
        return CBasicDrawListCtrl::WindowProc(message, wParam, lParam);
    // The second press of a double click is a press like any other here.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnLeftButtonDown(wParam, pt); return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: OnRightButtonDown(wParam, pt); return 0;
    case WM_RBUTTONUP: OnRightButtonUp(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_MOUSEWHEEL: OnWheel(static_cast<short>(HIWORD(wParam))); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: OnScroll(message == WM_HSCROLL, LOWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_SETFOCUS: {
        const LRESULT nResult = CBasicDrawListCtrl::WindowProc(message, wParam, lParam);
        RepaintRows();
        return nResult;
    }
    default: {
        const LRESULT nResult = CBasicDrawListCtrl::WindowProc(message, wParam, lParam);
        if (ChangesContent(message)) {
            const CRect rc = ClientRect();
            UpdateScrollBars(rc.Width(), rc.Height());
            Invalidate(FALSE);
        }
        return nResult;
    }
    }
}
