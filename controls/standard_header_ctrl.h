// CStandardHeaderCtrl: the device list's header. Its background is the top-left part of the
// property frame's picture stretched over the whole header; each item has a divider picture at
// its right edge and its text centred in the frame's font and text colour.
#pragma once

#include <string>

#include "controls/basic_header_ctrl.h"
#include "controls/header_decor.h"

class CStandardHeaderCtrl : public CBasicHeaderCtrl {
public:
    // Replaces the divider picture; an unreadable file gives none.
    void SetDividerImage(const std::string& strPath) { m_decor.SetDividerImage(strPath); }
    int GetDividerWidth() const { return m_decor.GetDividerWidth(); }
    int GetDividerHeight() const { return m_decor.GetDividerHeight(); }
    // How far the items are drawn to the left of their places (the list's horizontal scroll).
    void SetScrollOffset(int nOffset) { m_decor.SetScrollOffset(nOffset); }
    int GetScrollOffset() const { return m_decor.GetScrollOffset(); }

    void DrawHeaderItems(CDC* pDC) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CHeaderDecor m_decor;
};
