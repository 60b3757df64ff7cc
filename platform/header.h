// CHeaderCtrl: the column header class "SysHeader32". Items have a text, a width and an alignment
// and lie side by side from the left. A list view creates its header as a bare window of this
// class; a CHeaderCtrl object can take it over later with SubclassWindow.
//
// HDM_LAYOUT lays the header out in a rectangle: the answer is the header's position (pwpos) and
// the rectangle that remains below it (prc->top moves down). A subclass may change both after
// the default processing; the list view puts its rows where the remaining rectangle begins.
#pragma once

#include "platform/window.h"

class CHeaderCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    int GetItemCount() const;
    // The new item's index, or -1.
    int InsertItem(int nPos, HDITEM* phdi);
    BOOL DeleteItem(int nPos);
    // Fills in what pHeaderItem->mask asks for (HDI_TEXT: into pszText, cchTextMax bytes).
    BOOL GetItem(int nPos, HDITEM* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEM* pHeaderItem);
    // The item's rectangle in the header's client coordinates.
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const;
    BOOL Layout(HDLAYOUT* pHeaderLayout);
};
