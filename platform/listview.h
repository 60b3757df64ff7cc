// CListCtrl: the list view class "SysListView32" in report view: columns with a heading, a width
// and an alignment, items with sub-item texts, several selected rows, full-row select, grid lines,
// a text colour, a font, vertical scrolling by wheel and scroll bar, and the notifications
// NM_CLICK, NM_DBLCLK, NM_RCLICK and NM_CUSTOMDRAW to the parent (WM_NOTIFY, which the window
// system offers to the list's object first through OnChildNotify).
//
// The list makes its column header as a bare child window of the class "SysHeader32" while it
// handles WM_CREATE; GetHeaderCtrl hands it out, and an object may take it over with
// SubclassWindow after the default WM_CREATE processing. The header is laid out with HDM_LAYOUT
// (on creation, size, font and column changes) and the rows start where its answer leaves off.
// Rows that overflow bring up a vertical scroll bar child at the right edge; the list keeps
// WS_VSCROLL in its style while it shows (LVS_NOSCROLL: never).
//
// Selection: a click selects its row alone (Ctrl toggles it, Shift extends from the anchor, a
// click on no row clears the selection); the arrow, Home, End and page keys move it. Selection
// changes by click come before NM_CLICK (sent when the button is released) and NM_DBLCLK.
#pragma once

#include <string>

#include "platform/header.h"
#include "platform/window.h"

class CListCtrl : public CWnd {
public:
    using CWnd::Create;
    using CWnd::CreateEx;
    // A child list view with the LVS_ and WS_ styles in dwStyle.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
    BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // The list's own header window (a temporary wrapper until an object takes it over).
    CHeaderCtrl* GetHeaderCtrl() const;
    // LVS_EX_ styles; SetExtendedStyle returns the previous ones.
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);

    // Columns. nWidth -1 leaves the width to the list (100 pixels).
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    int InsertColumn(int nCol, const LVCOLUMN* pColumn);
    BOOL DeleteColumn(int nCol);
    BOOL GetColumn(int nCol, LVCOLUMN* pColumn) const;
    BOOL SetColumn(int nCol, const LVCOLUMN* pColumn);
    int GetColumnWidth(int nCol) const;
    BOOL SetColumnWidth(int nCol, int cx);

    // Items. InsertItem returns the new item's index or -1.
    int InsertItem(int nItem, const std::string& strItem);
    int InsertItem(const LVITEM* pItem);
    BOOL SetItem(const LVITEM* pItem);
    BOOL GetItem(LVITEM* pItem) const;
    BOOL SetItemText(int nItem, int nSubItem, const std::string& strText);
    std::string GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    DWORD_PTR GetItemData(int nItem) const;
    int GetItemCount() const;
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();

    // States (LVIS_SELECTED, LVIS_FOCUSED); nItem -1 sets them on every item.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    // The next item after nItem (-1: from the start) with the LVNI_ flags, or -1.
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    // The selected item at pos; pos moves on to the next one (null after the last).
    int GetNextSelectedItem(POSITION& pos) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int nIndex);

    // Colours (COLORREF); the background also shows where there are no rows.
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF cr);

    // Geometry in client coordinates (LVIR_BOUNDS, LVIR_LABEL, LVIR_ICON, LVIR_SELECTBOUNDS).
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const;
    // The item under the point, or -1; pFlags gets LVHT_ flags.
    int HitTest(CPoint pt, UINT* pFlags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* pInfo) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    // Scrolls by pixels (whole rows vertically).
    BOOL Scroll(CSize size);
};
