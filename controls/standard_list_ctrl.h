// CStandardListCtrl: the device list. The platform draws the rows; the list has the one-pixel
// frame of CBasicListCtrl and a drawn header (CStandardHeaderCtrl) that takes over the list's
// own header window as soon as there is one.
#pragma once

#include <string>

#include "controls/basic_list_ctrl.h"
#include "controls/standard_header_ctrl.h"

class CStandardListCtrl : public CBasicListCtrl {
public:
    CStandardListCtrl() = default;
    ~CStandardListCtrl() override;

    // The drawn header: pictures, font, colour and height factor are set on it.
    CStandardHeaderCtrl& GetHeader() { return m_header; }
    // The header's font: the face (best installed match) at nSize pixels.
    void SetHeaderFont(const std::string& strFaceName, int nSize);
    // The header's text colour from "red,green,blue"; a text without two commas leaves it black.
    void SetHeaderTextColor(const std::string& strColorText);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Custom draw is answered here with the default, so the platform draws every row and the
    // parent never sees the request.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PreSubclassWindow() override;

private:
    void TakeOverHeader();

    CStandardHeaderCtrl m_header;
};
