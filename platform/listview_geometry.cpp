// The list view's state and the geometry of its rows.
#include "platform/listview_state.h"

#include <algorithm>

namespace velk::platform {

namespace {

constexpr int kRowPadding = 7;

} // namespace

CListViewState::CListViewState() : crText(GetSysColor(COLOR_WINDOWTEXT)), crBk(GetSysColor(COLOR_WINDOW)) {}

CListViewState& ListStateOf(HWND hWnd) { return StateOf<CListViewState>(hWnd); }

const std::string& ItemText(const CListViewState& state, int nItem, int nSubItem)
{
    static const std::string empty;
    if (nItem < 0 || nItem >= static_cast<int>(state.items.size()) || nSubItem < 0)
        return empty;
    const std::vector<std::string>& texts = state.items[static_cast<std::size_t>(nItem)].texts;
    return static_cast<std::size_t>(nSubItem) < texts.size() ? texts[static_cast<std::size_t>(nSubItem)] : empty;
}

int RowHeight(HWND hWnd, CListViewState& state)
{
    if (state.nRowHeight == 0) {
        CClientDC dc(CWnd::FromHandle(hWnd));
        dc.SelectObject(state.font.hFont);
        state.nRowHeight = std::max(dc.GetTextExtent("Ág").cy + kRowPadding, 1);
    }
    return state.nRowHeight;
}

CRect RowsArea(HWND hWnd, const CListViewState& state)
{
    CRect rc;
    CWnd::FromHandle(hWnd)->GetClientRect(&rc);
    rc.top = std::min(state.nRowsTop, rc.bottom);
    if (state.hScrollBar && CWnd::FromHandle(state.hScrollBar)->IsWindowVisible())
        rc.right = std::max(rc.left, rc.right - GetSystemMetrics(SM_CXVSCROLL));
    return rc;
}

int ColumnsWidth(const CListViewState& state)
{
    int nWidth = 0;
    for (const CListColumn& column : state.columns)
        nWidth += column.nWidth;
    return nWidth;
}

int RowsPerPage(HWND hWnd, CListViewState& state)
{
    return std::max(RowsArea(hWnd, state).Height() / RowHeight(hWnd, state), 1);
}

CRect ItemBounds(HWND hWnd, CListViewState& state, int nItem)
{
    const CRect rcArea = RowsArea(hWnd, state);
    const int nHeight = RowHeight(hWnd, state);
    const int nTop = rcArea.top + (nItem - state.nTopIndex) * nHeight;
    return {rcArea.left, nTop, rcArea.left + ColumnsWidth(state), nTop + nHeight};
}

int HitItem(HWND hWnd, CListViewState& state, POINT pt, int* pColumn)
{
    const CRect rcArea = RowsArea(hWnd, state);
    int nColumn = -1;
    int nLeft = rcArea.left;
    for (std::size_t c = 0; c < state.columns.size(); ++c) {
        if (pt.x >= nLeft && pt.x < nLeft + state.columns[c].nWidth) {
            nColumn = static_cast<int>(c);
            break;
        }
        nLeft += state.columns[c].nWidth;
    }
    if (pColumn)
        *pColumn = nColumn;
    if (!rcArea.PtInRect(pt) || nColumn < 0)
        return -1;
    const int nItem = state.nTopIndex + (pt.y - rcArea.top) / RowHeight(hWnd, state);
    return nItem < static_cast<int>(state.items.size()) ? nItem : -1;
}

} // namespace velk::platform
