#include "app/dravonel_dlg.h"

#include <arpa/inet.h>
#include <cstdlib>
#include <exception>
#include <span>

#include "app/device_list_rows.h"
#include "app/device_login.h"
#include "app/dravonel_app.h"
#include "app/embedded_resources.h"
#include "app/storage_access.h"
#include "controls/standard_list_ctrl.h"
#include "discovery/device_manager.h"
#include "discovery/search_coordinator.h"
#include "layout/control_factory.h"
#include "platform/embedded_files.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

constexpr const char* kMaskFile = "\\SearchDevice_BlackGround.bmp";
constexpr const char* kHeaderBackgroundFile = "\\headerbackground.png";
constexpr const char* kHeaderDividerFile = "\\headerclip.png";
constexpr float kHeaderHeightFactor = 0.9f;

struct CColumn {
    const char* szHeadingID;
    int nFormat;
    int nWidth;
};
constexpr CColumn kColumns[] = {
    {"SEARCH_DEVICE_LIST_ITEM_NAME", LVCFMT_LEFT, 96},
    {"SEARCH_DEVICE_LIST_ITEM_IP", LVCFMT_CENTER, 122},
    {"SEARCH_DEVICE_LIST_ITEM_TYPE", LVCFMT_CENTER, 93},
};

std::string PictureFolder() { return GetDataFolderRoot() + kPictureFolder; }

void LoadIcon(CIcon& icon, const char* szKind)
{
    const std::span<const BYTE> bytes = FindEmbeddedFile(szKind, kIconNumber);
    if (!bytes.empty())
        icon.LoadFromMemory(bytes.data(), bytes.size());
}

// The decimal number at the start of the text, 0 when there is none.
int LeadingNumber(const std::string& strText)
{
    const long nValue = std::strtol(strText.c_str(), nullptr, 10);
    return nValue > 0xFFFF ? 0xFFFF : nValue < 0 ? 0 : static_cast<int>(nValue);
}

} // namespace

CDravonelDlg::CDravonelDlg()
{
    LoadIcon(m_icon, kIconKind);
    LoadIcon(m_smallIcon, kSmallIconKind);
    SetRegionMaskPath(GetDataFolderRoot() + kPictureFolder + kMaskFile);
}

CDravonelDlg::~CDravonelDlg()
{
    // The window goes while the whole object still stands: its children's last messages may
    // reach the handlers here.
    if (m_hWnd)
        DestroyWindow();
}

BOOL CDravonelDlg::OnInitDialog()
{
    CBasicNoneBorderDlg::OnInitDialog();
    SetIcon(m_icon.GetSafeHandle(), TRUE);
    SetIcon(m_smallIcon.GetSafeHandle() ? m_smallIcon.GetSafeHandle() : m_icon.GetSafeHandle(), FALSE);
    try {
        LoadLayout(std::string(kDataFolder) + kLayoutFile, kMainDialogID, kMainDialogSection);
    } catch (const std::exception&) {
        // A broken layout leaves the window without its controls, and so without working
        // commands; the user can still close it.
        ClearBoundControls();
    }
    SetUiState(UI_STATE_READY);
    SetWindowText(kProductName);
    InitDeviceList();
    OnRefresh();
    return TRUE;
}

void CDravonelDlg::DrawBackground(CDC* pDC)
{
    {
        Graphics graphics(pDC);
        graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
        PaintByMode(GetParent(), this, &graphics, pDC);
    }
    RefreshControlBackgrounds(pDC, this);
}

void CDravonelDlg::ApplyControlDescriptions()
{
    ClearBoundControls();
    ReleaseLayoutControls();
    RunControlPasses(*this, this);
    BindControls();
}

void CDravonelDlg::BindControls()
{
    CLayoutControl* pList = FindListControl(IDC_DEVICE_LIST);
    m_pDeviceList = pList ? pList->As<CStandardListCtrl>() : nullptr;
    m_pWaitMessage = FindTextImageControl(IDC_WAIT_MESSAGE);
    const auto button = [this](int nID) {
        CLayoutControl* pButton = FindButton(nID);
        return pButton ? pButton->Wnd() : nullptr;
    };
    m_pCloseButton = button(IDC_CLOSE_BUTTON);
    m_pLogInButton = button(IDC_LOG_IN);
    m_pRefreshButton = button(IDC_REFRESH);
    m_pMyStorageButton = button(IDC_MY_STORAGE);
}

bool CDravonelDlg::ControlsBound() const
{
    return m_pDeviceList && m_pWaitMessage && m_pCloseButton && m_pLogInButton && m_pRefreshButton &&
           m_pMyStorageButton;
}

void CDravonelDlg::ClearBoundControls()
{
    m_pDeviceList = nullptr;
    m_pWaitMessage = nullptr;
    m_pCloseButton = m_pLogInButton = m_pRefreshButton = m_pMyStorageButton = nullptr;
}

CUiControls CDravonelDlg::UiControls() const
{
    return {m_pWaitMessage ? m_pWaitMessage->Wnd() : nullptr, m_pCloseButton, m_pLogInButton, m_pRefreshButton,
            m_pMyStorageButton};
}

void CDravonelDlg::SetUiState(int nState) { ApplyUiState(UiControls(), nState); }

void CDravonelDlg::InitDeviceList()
{
    if (!ControlsBound())
        return;
    CStandardListCtrl& list = *m_pDeviceList;
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES);
    CStandardHeaderCtrl& header = list.GetHeader();
    header.SetBackgroundImage(PictureFolder() + kHeaderBackgroundFile, 1, 0, 0);
    header.SetDividerImage(PictureFolder() + kHeaderDividerFile);
    list.SetHeaderFont(GetLayoutString("SEARCH_DEVICE_LIST_HEADER_FONT_NAME"),
                       LeadingNumber(GetLayoutString("SEARCH_DEVICE_LIST_HEADER_FONT_SIZE")));
    list.SetHeaderTextColor(GetLayoutString("SEARCH_DEVICE_LIST_HEADER_FONT_COLOR"));
    header.SetHeightFactor(kHeaderHeightFactor);
    int nColumn = 0;
    for (const CColumn& column : kColumns) {
        list.InsertColumn(nColumn, GetLayoutString(column.szHeadingID), column.nFormat, column.nWidth);
        ++nColumn;
    }
}

void CDravonelDlg::FillDeviceList()
{
    if (ControlsBound())
        FillDeviceRows(*m_pDeviceList, CSearchDeviceManager::Instance().Snapshot());
}

void CDravonelDlg::UpdateDeviceList()
{
    if (ControlsBound())
        AddNewDeviceRows(*m_pDeviceList, CSearchDeviceManager::Instance().Snapshot());
}

void CDravonelDlg::ShowCountdown(int nSeconds)
{
    if (!m_pWaitMessage)
        return;
    CBasicPropertyFrame* pFrame = m_pWaitMessage->Frame();
    const CPoint ptOffset = pFrame->GetTextOffset();
    pFrame->SetText(FormatWaitMessage(GetLayoutString("SEARCH_DEVICE_WATI_TIME_WARNING"), nSeconds), ptOffset.x,
                    ptOffset.y);
    if (CWnd* pWnd = m_pWaitMessage->Wnd(); pWnd && pWnd->GetSafeHwnd())
        pWnd->Invalidate();
}

int CDravonelDlg::GetSelectedRow() const
{
    return ControlsBound() ? m_pDeviceList->GetNextItem(-1, LVNI_SELECTED) : -1;
}

std::string CDravonelDlg::GetSelectedAddress() const
{
    const int nRow = GetSelectedRow();
    return nRow < 0 ? std::string() : m_pDeviceList->GetItemText(nRow, kDeviceColumnIP);
}

void CDravonelDlg::OnRefresh()
{
    if (!ControlsBound())
        return;
    m_pDeviceList->DeleteAllItems();
    CSearchDeviceManager::Instance().Clear();
    SendSearch();
    ShowCountdown(kCountdownSeconds);
    SetUiState(UI_STATE_SEARCHING);
    SetTimer(kCountdownTimer, kCountdownPeriod);
}

void CDravonelDlg::OnLogIn()
{
    if (GetSelectedRow() >= 0)
        LogInToDevice(GetSelectedAddress());
}

void CDravonelDlg::OnMyStorage()
{
    if (GetSelectedRow() >= 0)
        OpenDeviceStorage(GetSelectedAddress());
}

LRESULT CDravonelDlg::OnBringToFront()
{
    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    SetWindowPos(&wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    return 0;
}

bool CDravonelDlg::OnCountdownTick()
{
    if (m_nTick == kCountdownSeconds) {
        KillTimer(kCountdownTimer);
        m_nTick = 1;
        SetUiState(UI_STATE_SEARCH_DONE);
        return true;
    }
    UpdateDeviceList();
    ShowCountdown(kCountdownSeconds - m_nTick);
    ++m_nTick;
    return false;
}

LRESULT CDravonelDlg::OnNotify(const NMHDR* pHeader)
{
    if (pHeader->code == NM_CLICK) {
        SetUiState(GetSelectedRow() != -1 ? UI_STATE_DEVICE_SELECTED : UI_STATE_NO_SELECTION);
    } else if (pHeader->code == NM_DBLCLK) {
        if (GetSelectedRow() != -1)
            OnLogIn();
    }
    return 0;
}

BOOL CDravonelDlg::OnCommand(WPARAM wParam)
{
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_CLOSE_BUTTON: OnCancel(); return TRUE;
    case IDC_LOG_IN: OnLogIn(); return TRUE;
    case IDC_REFRESH: OnRefresh(); return TRUE;
    case IDC_MY_STORAGE: OnMyStorage(); return TRUE;
    default: return FALSE;
    }
}

void CDravonelDlg::PaintMinimised()
{
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rc;
    GetClientRect(&rc);
    const int nWidth = GetSystemMetrics(SM_CXICON);
    const int nHeight = GetSystemMetrics(SM_CYICON);
    const int x = (rc.Width() - nWidth + 1) / 2;
    const int y = (rc.Height() - nHeight + 1) / 2;
    // The icon is kept in its largest size; a minimised window shows it in the system's.
    const std::span<const BYTE> bytes = FindEmbeddedFile(kIconKind, kIconNumber);
    const Image icon = Image::FromMemory(bytes.data(), bytes.size());
    Graphics graphics(&dc);
    graphics.DrawImage(icon, CRect(x, y, x + nWidth, y + nHeight), 0, 0, icon.GetWidth(), icon.GetHeight());
}

LRESULT CDravonelDlg::QueryRowAddress(int nRow) const
{
    if (!ControlsBound() || nRow < 0 || nRow >= m_pDeviceList->GetItemCount())
        return -1;
    in_addr address{};
    if (inet_pton(AF_INET, m_pDeviceList->GetItemText(nRow, kDeviceColumnIP).c_str(), &address) != 1)
        return -1;
    return static_cast<LRESULT>(ntohl(address.s_addr));
}

LRESULT CDravonelDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if (!IsIconic())
            break;
        PaintMinimised();
        return 0;
    case WM_QUERYDRAGICON: return reinterpret_cast<LRESULT>(m_icon.GetSafeHandle());
    case WM_TIMER:
        // The last tick is the window's alone; the others also get the default processing.
        if (wParam == kCountdownTimer && OnCountdownTick())
            return 0;
        break;
    case WM_COMMAND:
        if (OnCommand(wParam))
            return 0;
        break;
    case WM_NOTIFY: {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader && m_pDeviceList && pHeader->hwndFrom == m_pDeviceList->GetSafeHwnd())
            return OnNotify(pHeader);
        break;
    }
    case WM_BRING_TO_FRONT: return OnBringToFront();
    case WM_QUERY_DEVICE_ROW_COUNT: return ControlsBound() ? m_pDeviceList->GetItemCount() : 0;
    case WM_QUERY_DEVICE_ROW_ADDRESS: return QueryRowAddress(static_cast<int>(wParam));
    default: break;
    }
    return CBasicNoneBorderDlg::WindowProc(message, wParam, lParam);
}
