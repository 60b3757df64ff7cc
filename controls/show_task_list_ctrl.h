// CShowTaskListCtrl: a list that draws every row itself. Rows are 30 pixels high below a header
// band of 20; the list has its own scroll bars, a selection by click with Shift and Ctrl and by
// a rubber band, a status icon per row from a strip of pictures, and a tip that shows a cell's
// whole text when it does not fit. Its rows and columns are the platform list's items and
// columns: it reads them and never adds any.
#pragma once

#include <string>

#include "controls/basic_draw_list_ctrl.h"
#include "controls/show_task_header_ctrl.h"
#include "layout/layout_control.h"
#include "platform/scrollbar.h"

// The slice of the status strip that a row shows, from its texts of columns 2 (the state), 14
// and 16; -1 for no icon.
int TaskStatusSlice(const std::string& strState, const std::string& strColumn14, const std::string& strColumn16);

// Which scroll bars a task list of client size cx x cy shows for its rows and columns; a bar
// shows when its content does not fit, or does not fit beside the other bar. Two bars that each
// would be needed only because of the other do not show.
struct CTaskScrollBars {
    bool bVertical = false;
    bool bHorizontal = false;
};
CTaskScrollBars TaskScrollBarsNeeded(int nContentHeight, int nContentWidth, int cx, int cy);

class CShowTaskListCtrl : public CBasicDrawListCtrl {
public:
    static constexpr int kRowHeight = 30;
    static constexpr int kHeaderBand = 20;
    static constexpr int kBarSize = 16;
    static constexpr UINT kVerticalBarID = 1001;
    static constexpr UINT kHorizontalBarID = 1002;
    static constexpr UINT kTipID = 1003;
    // Timers of the hover tip: the rest before it shows, how long it shows at most, the watch
    // that hides it once the pointer is over no row.
    static constexpr UINT_PTR kHoverTimer = 1;
    static constexpr UINT_PTR kTipTimeoutTimer = 2;
    static constexpr UINT_PTR kTipWatchTimer = 3;
    static constexpr UINT kHoverDelay = 500;
    static constexpr UINT kTipTimeout = 5000;
    static constexpr UINT kTipWatchPeriod = 100;
    static constexpr int kTipBelowPointer = 21;
    static constexpr ARGB kSelectedRowColor = 0xFFE8F5FF;
    static constexpr ARGB kSeparatorColor = 0xFFF4F4F6;
    static constexpr ARGB kBandFillColor = 0x96DAE9FD;
    static constexpr ARGB kBandBorderColor = 0x96ADCFF8;
    static constexpr ARGB kTipFillColor = 0xFFFEF5BD;
    static constexpr ARGB kTipTextColor = 0xFF9B6912;
    // The column whose texts ending in "%" are drawn as progress bars.
    static constexpr int kProgressColumn = 6;

    // A cell of the list; -1, -1 for none.
    struct CCell {
        int nRow = -1;
        int nColumn = -1;
        bool operator==(const CCell&) const = default;
    };

    CShowTaskListCtrl();
    ~CShowTaskListCtrl() override;

    CShowTaskHeaderCtrl& GetHeader() { return m_header; }
    // The cell under a client point: none above the rows, below the last row or right of the
    // last column.
    CCell HitTestCell(CPoint pt) const;
    int GetVerticalScroll() const { return m_nScrollY; }
    int GetHorizontalScroll() const { return m_nScrollX; }
    CScrollBar& GetVerticalBar() { return m_verticalBar; }
    CScrollBar& GetHorizontalBar() { return m_horizontalBar; }
    // The hover tip (a "ShowTextCtrl" child), null before the window exists.
    CWnd* GetTip() const { return m_tip.Wnd(); }
    bool IsTipVisible() const { return m_bTipVisible; }
    // The progress bar of the percentage cells: a track picture and a bar picture, drawn at
    // ptOffset within the cell in szBar (a width of 0: the cell's width less the offset on both
    // sides). Without pictures the bar is drawn in plain colours.
    void SetProgressImages(const std::string& strTrackPath, const std::string& strBarPath, CPoint ptOffset, CSize szBar);

    void DrawList(CDC* pDC) override;
    void DrawItems(CDC* pDC) override;
    void OnClientResized(UINT nType, int cx, int cy) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    // Creation and geometry (show_task_list_ctrl.cpp).
    void OnCreate();
    void TakeOverHeader();
    void CreateScrollBars();
    void CreateTip();
    int ColumnCount() const;
    int ColumnWidth(int nColumn) const;
    int ColumnsWidth() const;
    CRect ClientRect() const;
    CRect RowRect(int nRow) const;
    CRect RowsBand() const;
    // Repaints the rows band, less the scroll bars that show, at once.
    void RepaintRows();

    // Painting (show_task_list_paint.cpp).
    void DrawRow(Graphics& graphics, int nRow);
    void DrawCell(Graphics& graphics, int nRow, int nColumn, const CRect& rcCell);
    void DrawProgress(Graphics& graphics, const std::string& strText, const CRect& rcCell);
    void DrawStatusIcon(Graphics& graphics, int nRow, const CRect& rcRow);
    void DrawRubberBand(Graphics& graphics);
    std::string CellText(int nRow, int nColumn) const;

    // Selection (show_task_list_select.cpp).
    void OnLeftButtonDown(WPARAM nKeys, CPoint pt);
    void OnLeftButtonUp();
    void OnRightButtonDown(WPARAM nKeys, CPoint pt);
    void OnRightButtonUp();
    bool IsSelected(int nRow) const;
    void SelectOnly(int nRow);
    void SelectRange(int nFrom, int nTo);
    void ClearSelection();
    void SelectUnderBand();
    CRect BandRect() const;

    // Scrolling (show_task_list_scroll.cpp).
    void UpdateScrollBars(int cx, int cy);
    void OnScroll(bool bHorizontal, UINT nCode);
    void ScrollTo(bool bHorizontal, int nPos);
    void OnWheel(int nDelta);
    int ScrollLimit(bool bHorizontal) const;

    // The hover tip (show_task_list_tip.cpp).
    void OnMouseMove(CPoint pt);
    void OnMouseLeave();
    void OnTimer(UINT_PTR nIDEvent);
    // Shows the tip with the cell's text unless the text fits; whether it shows.
    bool ShowTipFor(const CCell& cell);
    void HideTip();
    bool TextFits(const std::string& strText, int nWidth) const;

    CShowTaskHeaderCtrl m_header;
    CScrollBar m_verticalBar;
    CScrollBar m_horizontalBar;
    CLayoutControl m_tip;
    Font m_percentFont;
    Image m_progressTrack;
    Image m_progressBar;
    CPoint m_ptProgressOffset{4, 9};
    CSize m_szProgress{0, 12};
    int m_nScrollX = 0;
    int m_nScrollY = 0;
    int m_nAnchor = -1;
    bool m_bBand = false;
    CPoint m_ptBandAnchor;
    CPoint m_ptLastMouse;
    CCell m_hoverCell;
    CPoint m_ptHover;
    bool m_bTipVisible = false;
    bool m_bTipShownForCell = false;
    bool m_bTracking = false;
};
