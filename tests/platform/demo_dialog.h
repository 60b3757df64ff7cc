// The demonstration window of the platform layer: a borderless dialog with rounded corners, a
// title band to drag it by, a line of text, a device list with a header and a few rows, and the
// buttons Refresh (which adds a row; it has a tooltip) and Close. The demonstration program and
// the X11 test show it on both hosts.
#pragma once

#include <string>

#include "platform/button.h"
#include "platform/dialog.h"
#include "platform/listview.h"

class CDemoDialog : public CDialog {
public:
    static constexpr const char* kTitle = "VELK platform demo";
    static constexpr UINT kRefreshId = 1001;
    static constexpr UINT kListId = 1002;
    static constexpr int kWidth = 440;
    static constexpr int kHeight = 300;
    static constexpr int kCornerRadius = 8;

    // strIconPath: a picture for the window icon (none when empty or unreadable).
    explicit CDemoDialog(std::string strIconPath = {});

    // The buttons' places in the dialog's client area.
    static CRect RefreshRect();
    static CRect CloseRect();
    // Ends the modal run (with IDCANCEL) this long after it began; 0: never.
    UINT nLifetime = 0;

    int nRefreshClicks = 0;
    CListCtrl list;
    CButton refresh;
    CButton close;
    HWND hToolTip = nullptr;

    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void AddRow(int nRow, const char* szHost, const char* szAddress, const char* szType);

    std::string m_strIconPath;
    CIcon m_icon;
    CFont m_titleFont;
    CFont m_listFont;
};
