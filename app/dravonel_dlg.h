// The program's only window: the device list with its countdown after every search, and the
// commands Log In, Refresh and My Storage. Its look, texts and controls come from the layout
// file; the devices come from polling the registry, never from the search threads.
#pragma once

#include <string>

#include "app/main_window_ui.h"
#include "controls/none_border_dlg.h"
#include "platform/gdi.h"

class CStandardListCtrl;
class CLayoutControl;

// The main window's dialog description in the layout file, and its controls.
inline constexpr int kMainDialogID = 201;
inline constexpr const char* kMainDialogSection = "Standard";
inline constexpr int IDC_CLOSE_BUTTON = 2103;
inline constexpr int IDC_DEVICE_LIST = 2105;
inline constexpr int IDC_WAIT_MESSAGE = 2106;
inline constexpr int IDC_LOG_IN = 2107;
inline constexpr int IDC_REFRESH = 2108;
inline constexpr int IDC_MY_STORAGE = 2109;

// The countdown: timer 1 ticks once a second for ten seconds after each search.
inline constexpr UINT_PTR kCountdownTimer = 1;
inline constexpr UINT kCountdownPeriod = 1000;
inline constexpr int kCountdownSeconds = 10;

// Private messages beside WM_BRING_TO_FRONT: they let a test in another process read the device
// list (the row count; a row's address as a number in host order, -1 for none).
inline constexpr UINT WM_QUERY_DEVICE_ROW_COUNT = WM_USER + 101;
inline constexpr UINT WM_QUERY_DEVICE_ROW_ADDRESS = WM_USER + 102;

class CDravonelDlg : public CBasicNoneBorderDlg {
public:
    CDravonelDlg();
    ~CDravonelDlg() override;

    BOOL OnInitDialog() override;
    void DrawBackground(CDC* pDC) override;
    // Releases the earlier controls, creates every control the layout describes and binds them.
    void ApplyControlDescriptions() override;
    // Looks up the device list, the wait message and the four buttons; a missing one stays null.
    void BindControls() override;
    // Whether all six bound controls exist.
    bool ControlsBound() const override;

    void SetUiState(int nState);
    void InitDeviceList();
    // Rebuilds the list from the registry, the newest device at the top.
    void FillDeviceList();
    // Adds at the top the devices the list does not show yet.
    void UpdateDeviceList();
    void ShowCountdown(int nSeconds);
    // The first selected row in list order; -1 when none is, or when the controls are not bound.
    int GetSelectedRow() const;
    // The address text of the selected row, or empty.
    std::string GetSelectedAddress() const;

    // Empties the list and the registry, searches again and starts the countdown.
    void OnRefresh();
    // The selected device's web page in the browser.
    void OnLogIn();
    // The selected device's share in the file manager, after its windows, connections and
    // mounts are closed.
    void OnMyStorage();
    // Raises the window above the others without moving, resizing or restoring it; 0.
    LRESULT OnBringToFront();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CStandardListCtrl* GetDeviceList() const { return m_pDeviceList; }
    int GetCountdownTick() const { return m_nTick; }

private:
    // True when this tick ended the countdown.
    bool OnCountdownTick();
    LRESULT OnNotify(const NMHDR* pHeader);
    BOOL OnCommand(WPARAM wParam);
    void PaintMinimised();
    void ClearBoundControls();
    CUiControls UiControls() const;
    LRESULT QueryRowAddress(int nRow) const;

    CIcon m_icon;
    CIcon m_smallIcon;
    CStandardListCtrl* m_pDeviceList = nullptr;
    CLayoutControl* m_pWaitMessage = nullptr;
    CWnd* m_pCloseButton = nullptr;
    CWnd* m_pLogInButton = nullptr;
    CWnd* m_pRefreshButton = nullptr;
    CWnd* m_pMyStorageButton = nullptr;
    int m_nTick = 1;
};
