// CBasicHeaderCtrl: a list's column header that draws itself double-buffered and can be made
// lower or higher than the platform would make it (the height factor).
#pragma once

#include "layout/property_frame.h"
#include "platform/header.h"

class CBasicHeaderCtrl : public CHeaderCtrl, public CBasicPropertyFrame {
public:
    // The header's height is the platform's times this factor, truncated; 1.0 keeps it. The
    // list takes a new factor at its next layout (column, font or size change).
    void SetHeightFactor(float fFactor) { m_fHeightFactor = fFactor; }
    float GetHeightFactor() const { return m_fHeightFactor; }

    // Paints the client area into pDC (a memory DC of client size): the property frame's
    // layers, then the items.
    virtual void DrawHeader(CDC* pDC);
    // The items' look; nothing here.
    virtual void DrawHeaderItems(CDC* pDC);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnLayout(LPARAM lParam);

    float m_fHeightFactor = 1.0f;
};
