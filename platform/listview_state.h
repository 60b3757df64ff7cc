// Inside the window layer: what the list view's class procedure keeps about a list, and the
// geometry of its rows, shared by its message handling and its painting.
#pragma once

#include <string>
#include <vector>

#include "platform/control_support.h"

namespace velk::platform {

struct CListColumn {
    std::string strText;
    int nWidth = 0;
    int nFormat = LVCFMT_LEFT;
    int nSubItem = 0;
};

struct CListItem {
    std::vector<std::string> texts; // by sub-item
    UINT nState = 0;                // LVIS_SELECTED (the focus is kept apart)
    LPARAM lParam = 0;
};

struct CListViewState : CWindowExtra {
    std::vector<CListColumn> columns;
    std::vector<CListItem> items;
    DWORD dwExStyle = 0;
    COLORREF crText;
    COLORREF crBk;
    COLORREF crTextBk = CLR_NONE;
    CFontSlot font;
    int nRowHeight = 0; // 0: measure again
    HWND hHeader = nullptr;
    HWND hScrollBar = nullptr;
    int nRowsTop = 0;   // client y where the rows begin, below the header
    int nTopIndex = 0;  // the first row shown
    int nFocus = -1;
    int nAnchor = -1;
    int nMark = -1;
    bool bClickPending = false; // the left button went down on the list; NM_CLICK waits for its release
    bool bRightPending = false;
    int nPressedItem = -1;
    int nPressedSubItem = 0;
    POINT ptPressed;

    CListViewState();
};

CListViewState& ListStateOf(HWND hWnd);

const std::string& ItemText(const CListViewState& state, int nItem, int nSubItem);
int RowHeight(HWND hWnd, CListViewState& state);
// The client area the rows scroll in: below the header, left of the scroll bar.
CRect RowsArea(HWND hWnd, const CListViewState& state);
int ColumnsWidth(const CListViewState& state);
// Whole rows that fit in the rows area (at least 1).
int RowsPerPage(HWND hWnd, CListViewState& state);
// The item's rectangle across all columns (LVIR_BOUNDS), in client coordinates.
CRect ItemBounds(HWND hWnd, CListViewState& state, int nItem);
// The item under a client point (-1 for none) and the column index there (-1 beyond the columns).
int HitItem(HWND hWnd, CListViewState& state, POINT pt, int* pColumn);

void PaintList(HWND hWnd, CListViewState& state);

} // namespace velk::platform

namespace velk::platform {

// Header layout, the scroll bar and the first row shown (listview_proc.cpp).
void LayoutList(HWND hWnd, CListViewState& state);
void UpdateListScrollBar(HWND hWnd, CListViewState& state);
void ScrollListTo(HWND hWnd, CListViewState& state, int nTopIndex);
void EnsureItemVisible(HWND hWnd, CListViewState& state, int nItem, bool bPartialOK);
void InvalidateRows(HWND hWnd, const CListViewState& state);

// Columns, items, states and their geometry (listview_items.cpp); false for messages that are not theirs.
bool HandleListData(HWND hWnd, CListViewState& state, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& nResult);
void SelectOnly(HWND hWnd, CListViewState& state, int nItem);
void ClearSelection(HWND hWnd, CListViewState& state);
void SelectRange(HWND hWnd, CListViewState& state, int nFrom, int nTo, bool bKeepOthers);
void SetItemSelected(HWND hWnd, CListViewState& state, int nItem, bool bSelected);

} // namespace velk::platform
