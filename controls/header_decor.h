// What the two drawn headers share: the divider picture, the horizontal scroll offset, the hover
// flag, and the drawing of the items' dividers and centred texts.
#pragma once

#include <memory>
#include <string>

#include "layout/property_frame.h"
#include "platform/graphics.h"
#include "platform/header.h"

class CHeaderDecor {
public:
    // An unreadable file leaves a divider without pixels, which draws nothing.
    void SetDividerImage(const std::string& strPath);
    int GetDividerWidth() const { return m_nDividerWidth; }
    int GetDividerHeight() const { return m_nDividerHeight; }
    void SetScrollOffset(int nOffset) { m_nScrollOffset = nOffset; }
    int GetScrollOffset() const { return m_nScrollOffset; }
    bool IsHovering() const { return m_bHover; }

    // WM_MOUSEMOVE: asks once for hover and leave reports. WM_MOUSELEAVE: forgets the hover and
    // repaints.
    void OnMouseMove(CWnd* pHeader);
    void OnMouseLeave(CWnd* pHeader);

    // For each item until one cannot be read: the divider at its right edge (nDividerTop below
    // the item's top) and its text centred, in the frame's font and text colour. Items of no
    // width are left out.
    void DrawItems(const CHeaderCtrl& header, const CBasicPropertyFrame& frame, Graphics& graphics,
                   int nDividerTop) const;

private:
    std::unique_ptr<Image> m_pDivider;
    int m_nDividerWidth = 0;
    int m_nDividerHeight = 0;
    int m_nScrollOffset = 0;
    bool m_bHover = false;
};
