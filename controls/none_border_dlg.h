// A drawn dialog without caption or frame: the band at its top drags it, and a mask bitmap can
// cut its shape.
#pragma once

#include <string>

#include "controls/basic_dialog.h"

// Clicks above this client row move the window as a caption would.
constexpr int kDragBandHeight = 28;

class CBasicNoneBorderDlg : public CBasicDialog {
public:
    CBasicNoneBorderDlg() = default;

    // The full path of the mask bitmap; empty: the window stays rectangular.
    const std::string& RegionMaskPath() const { return m_strRegionMaskPath; }
    void SetRegionMaskPath(const std::string& strPath) { m_strRegionMaskPath = strPath; }

    // Shapes the window from the mask at every size change.
    void OnClientResized(UINT nType, int cx, int cy) override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string m_strRegionMaskPath;
};
