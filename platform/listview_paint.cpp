// Painting a list view: rows, the selection, grid lines and the custom-draw stages offered to the
// parent (NM_CUSTOMDRAW: CDRF_NOTIFYITEMDRAW asks for each row, CDRF_NOTIFYSUBITEMDRAW for each
// cell, CDRF_SKIPDEFAULT leaves a stage to the parent, CDRF_NOTIFYPOSTPAINT asks for the end).
#include "platform/listview_state.h"

#include <algorithm>

#include "platform/control_look.h"

namespace velk::platform {

namespace {

constexpr int kCellPadding = 6;

LRESULT CustomDraw(HWND hWnd, CDC& dc, DWORD dwStage, const CRect& rc, int nItem, int nSubItem, UINT nItemState,
                   COLORREF& clrText, COLORREF& clrTextBk, LPARAM lItemParam)
{
    NMLVCUSTOMDRAW draw;
    draw.nmcd.dwDrawStage = dwStage;
    draw.nmcd.hdc = &dc;
    draw.nmcd.rc = rc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(std::max(nItem, 0));
    draw.nmcd.uItemState = nItemState;
    draw.nmcd.lItemlParam = lItemParam;
    draw.clrText = clrText;
    draw.clrTextBk = clrTextBk;
    draw.iSubItem = nSubItem;
    const LRESULT nResult = NotifyParent(hWnd, NM_CUSTOMDRAW, draw.nmcd.hdr);
    clrText = draw.clrText;
    clrTextBk = draw.clrTextBk;
    return nResult;
}

UINT AlignmentOf(int nFormat)
{
    switch (nFormat & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_CENTER: return DT_CENTER;
    case LVCFMT_RIGHT: return DT_RIGHT;
    default: return DT_LEFT;
    }
}

void DrawCell(CDC& dc, const CListViewState& state, int nItem, int nColumn, CRect rcCell, COLORREF clrText,
              COLORREF clrTextBk)
{
    if (clrTextBk != CLR_NONE && clrTextBk != CLR_DEFAULT)
        dc.FillSolidRect(&rcCell, clrTextBk);
    const CListColumn& column = state.columns[static_cast<std::size_t>(nColumn)];
    rcCell.DeflateRect(kCellPadding, 0);
    dc.SetTextColor(clrText == CLR_DEFAULT ? state.crText : clrText);
    dc.DrawText(ItemText(state, nItem, column.nSubItem), &rcCell,
                AlignmentOf(column.nFormat) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void DrawItem(HWND hWnd, CDC& dc, CListViewState& state, int nItem, bool bNotifyItems)
{
    const CListItem& item = state.items[static_cast<std::size_t>(nItem)];
    const bool bSelected = (item.nState & LVIS_SELECTED) != 0;
    const bool bFocusedList = CWnd::GetFocus() && CWnd::GetFocus()->m_hWnd == hWnd;
    const bool bFullRow = (state.dwExStyle & LVS_EX_FULLROWSELECT) != 0;
    const CRect rcRow = ItemBounds(hWnd, state, nItem);
    COLORREF clrText = state.crText;
    COLORREF clrTextBk = state.crTextBk;
    // A light tint of the accent marks the selection, whether or not the list has the focus.
    const COLORREF clrSelection = bFocusedList ? velk::look::kSelectionFocused : velk::look::kSelection;
    const UINT nItemState = (bSelected ? CDIS_SELECTED : 0) | (nItem == state.nFocus ? CDIS_FOCUS : 0);
    LRESULT nItemAnswer = CDRF_DODEFAULT;
    if (bNotifyItems) {
        nItemAnswer = CustomDraw(hWnd, dc, CDDS_ITEMPREPAINT, rcRow, nItem, 0, nItemState, clrText, clrTextBk, item.lParam);
        if ((nItemAnswer & CDRF_SKIPDEFAULT) || !IsWindow(hWnd))
            return;
    }
    int nLeft = rcRow.left;
    for (std::size_t c = 0; c < state.columns.size(); ++c) {
        const CRect rcCell(nLeft, rcRow.top, nLeft + state.columns[c].nWidth, rcRow.bottom);
        nLeft = rcCell.right;
        COLORREF clrCellText = clrText;
        COLORREF clrCellBk = clrTextBk;
        if (bSelected && (bFullRow || c == 0))
            clrCellBk = clrSelection;
        if (nItemAnswer & CDRF_NOTIFYSUBITEMDRAW) {
            const LRESULT nCellAnswer = CustomDraw(hWnd, dc, CDDS_ITEMPREPAINT | CDDS_SUBITEM, rcCell, nItem,
                                                   static_cast<int>(c), nItemState, clrCellText, clrCellBk, item.lParam);
            if (!IsWindow(hWnd) || c >= state.columns.size())
                return;
            if (nCellAnswer & CDRF_SKIPDEFAULT)
                continue;
        }
        DrawCell(dc, state, nItem, static_cast<int>(c), rcCell, clrCellText, clrCellBk);
    }
    if (nItemAnswer & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(hWnd, dc, CDDS_ITEMPOSTPAINT, rcRow, nItem, 0, nItemState, clrText, clrTextBk, item.lParam);
}

void DrawGridLines(HWND hWnd, CDC& dc, CListViewState& state, int nFirst, int nLast)
{
    if (!(state.dwExStyle & LVS_EX_GRIDLINES) || nFirst >= nLast)
        return;
    const CRect rcArea = RowsArea(hWnd, state);
    const int nWidth = std::min(ColumnsWidth(state), rcArea.Width());
    const int nBottom = std::min(ItemBounds(hWnd, state, nLast - 1).bottom, rcArea.bottom);
    for (int i = nFirst; i < nLast; ++i)
        dc.FillSolidRect(rcArea.left, ItemBounds(hWnd, state, i).bottom - 1, nWidth, 1, velk::look::kGrid);
    int nLeft = rcArea.left;
    for (const CListColumn& column : state.columns) {
        nLeft += column.nWidth;
        if (column.nWidth > 0 && nLeft <= rcArea.right)
            dc.FillSolidRect(nLeft - 1, rcArea.top, 1, nBottom - rcArea.top, velk::look::kGrid);
    }
}

} // namespace

void PaintList(HWND hWnd, CListViewState& state)
{
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CPaintDC dc(pWnd);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, state.crBk);
    COLORREF clrText = state.crText;
    COLORREF clrTextBk = state.crTextBk;
    const LRESULT nAnswer = CustomDraw(hWnd, dc, CDDS_PREPAINT, rcClient, 0, 0, 0, clrText, clrTextBk, 0);
    if ((nAnswer & CDRF_SKIPDEFAULT) || !IsWindow(hWnd))
        return;
    const CRect rcArea = RowsArea(hWnd, state);
    dc.SelectObject(state.font.hFont);
    dc.SetBkMode(TRANSPARENT);
    const int nFirst = std::min(state.nTopIndex, static_cast<int>(state.items.size()));
    const int nShown = rcArea.Height() / RowHeight(hWnd, state) + 1;
    const int nLast = std::min(static_cast<int>(state.items.size()), nFirst + nShown);
    // Whatever a row leaves under the header or the scroll bar, those children paint over.
    for (int i = nFirst; i < nLast && i < static_cast<int>(state.items.size()); ++i) {
        DrawItem(hWnd, dc, state, i, (nAnswer & CDRF_NOTIFYITEMDRAW) != 0);
        if (!IsWindow(hWnd))
            return;
    }
    DrawGridLines(hWnd, dc, state, nFirst, std::min(nLast, static_cast<int>(state.items.size())));
    if (nAnswer & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(hWnd, dc, CDDS_POSTPAINT, rcClient, 0, 0, 0, clrText, clrTextBk, 0);
}

} // namespace velk::platform
