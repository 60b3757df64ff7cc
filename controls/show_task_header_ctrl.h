// CShowTaskHeaderCtrl: the task list's header, on a vertical gradient, with a divider picture
// at each item's right edge and the items' texts centred. Its scroll offset follows the list's
// horizontal scroll position.
#pragma once

#include <string>

#include "controls/basic_header_ctrl.h"
#include "controls/header_decor.h"

class CShowTaskHeaderCtrl : public CBasicHeaderCtrl {
public:
    static constexpr ARGB kGradientTop = 0xFFA9BED3;
    static constexpr ARGB kGradientBottom = 0xFFD9EAF6;

    void SetDividerImage(const std::string& strPath) { m_decor.SetDividerImage(strPath); }
    int GetDividerWidth() const { return m_decor.GetDividerWidth(); }
    int GetDividerHeight() const { return m_decor.GetDividerHeight(); }
    void SetScrollOffset(int nOffset) { m_decor.SetScrollOffset(nOffset); }
    int GetScrollOffset() const { return m_decor.GetScrollOffset(); }

    void DrawHeaderItems(CDC* pDC) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CHeaderDecor m_decor;
};
