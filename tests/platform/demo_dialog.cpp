// The demonstration window: its layout, look and the Refresh button's rows.
#include "demo_dialog.h"

#include <cmath>
#include <cstdio>

#include "platform/control_look.h"

namespace {

constexpr int kBand = 40;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 92;
constexpr int kButtonHeight = 30;
constexpr COLORREF kBody = RGB(246, 245, 244);
constexpr COLORREF kBandColour = RGB(255, 255, 255);
constexpr COLORREF kLine = RGB(222, 221, 218);
constexpr COLORREF kOutline = RGB(190, 186, 182);
constexpr COLORREF kTitleColour = RGB(36, 41, 43);
constexpr COLORREF kText = RGB(70, 74, 76);

CDialogTemplate DemoTemplate()
{
    CDialogTemplate dialogTemplate;
    dialogTemplate.dwStyle = WS_POPUP | DS_CENTER;
    dialogTemplate.strTitle = CDemoDialog::kTitle;
    return dialogTemplate;
}

// The window's outline with rounded corners: the client rectangle less the corners' pixels.
void ShapeWindow(CWnd& wnd)
{
    CRect rc;
    wnd.GetClientRect(&rc);
    CRgn shape;
    shape.CreateRectRgnIndirect(&rc);
    const int r = CDemoDialog::kCornerRadius;
    for (int y = 0; y < r; ++y) {
        const double dy = r - y - 0.5;
        const int nCut = static_cast<int>(std::lround(r - std::sqrt(r * r - dy * dy)));
        if (nCut <= 0)
            continue;
        for (const CRect& rcCut : {CRect(0, y, nCut, y + 1), CRect(rc.right - nCut, y, rc.right, y + 1),
                                   CRect(0, rc.bottom - 1 - y, nCut, rc.bottom - y),
                                   CRect(rc.right - nCut, rc.bottom - 1 - y, rc.right, rc.bottom - y)}) {
            CRgn cut;
            cut.CreateRectRgnIndirect(&rcCut);
            shape.CombineRgn(&shape, &cut, RGN_DIFF);
        }
    }
    wnd.SetWindowRgn(&shape, TRUE);
}

} // namespace

constexpr UINT_PTR kLifetimeTimer = 1;

CDemoDialog::CDemoDialog(std::string strIconPath) : CDialog(DemoTemplate()), m_strIconPath(std::move(strIconPath)) {}

CRect CDemoDialog::CloseRect()
{
    const int nTop = kHeight - kMargin - kButtonHeight;
    return {kWidth - kMargin - kButtonWidth, nTop, kWidth - kMargin, nTop + kButtonHeight};
}

CRect CDemoDialog::RefreshRect()
{
    CRect rc = CloseRect();
    rc.OffsetRect(-kButtonWidth - 8, 0);
    return rc;
}

BOOL CDemoDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    MoveWindow(rcWindow.left, rcWindow.top, kWidth, kHeight);
    ShapeWindow(*this);
    if (!m_strIconPath.empty() && m_icon.LoadFromFile(m_strIconPath)) {
        SetIcon(m_icon.GetSafeHandle(), TRUE);
        SetIcon(m_icon.GetSafeHandle(), FALSE);
    }
    LOGFONT lf;
    lf.lfHeight = -15;
    lf.lfWeight = FW_BOLD;
    m_titleFont.CreateFontIndirect(&lf);
    lf.lfHeight = -13;
    lf.lfWeight = FW_NORMAL;
    m_listFont.CreateFontIndirect(&lf);

    list.Create(WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                CRect(kMargin, 76, kWidth - kMargin, 76 + 158), this, kListId);
    list.SetFont(&m_listFont);
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    list.InsertColumn(0, "Host Name", LVCFMT_LEFT, 130);
    list.InsertColumn(1, "IP Address", LVCFMT_CENTER, 122);
    list.InsertColumn(2, "Device Type", LVCFMT_CENTER, 154);
    AddRow(0, "studio", "10.0.0.7", "VELK WIFI DISK Mini");
    AddRow(0, "living-room", "192.168.1.51", "VELK WIFI DISK");
    AddRow(0, "velk-disk-02", "192.168.1.34", "VELK WIFI DISK Pro");
    AddRow(0, "velk-disk-01", "192.168.1.20", "VELK WIFI DISK");
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    close.Create("Close", WS_VISIBLE | BS_PUSHBUTTON, CloseRect(), this, IDCANCEL);
    refresh.Create("Refresh", WS_VISIBLE | BS_DEFPUSHBUTTON, RefreshRect(), this, kRefreshId);
    refresh.SetFont(&m_listFont);
    close.SetFont(&m_listFont);
    SendMessage(DM_SETDEFID, kRefreshId);

    hToolTip = CreateWindowEx(0, TOOLTIPS_CLASS, "", TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              refresh.m_hWnd, 0);
    TOOLINFO tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.uId = reinterpret_cast<UINT_PTR>(refresh.m_hWnd);
    tool.lpszText = "Search the network again";
    ::SendMessage(hToolTip, TTM_ACTIVATE, TRUE, 0);
    ::SendMessage(hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (nLifetime)
        SetTimer(kLifetimeTimer, nLifetime);
    // The list has the focus, as it would after a click on a row.
    list.SetFocus();
    return FALSE;
}

void CDemoDialog::AddRow(int nRow, const char* szHost, const char* szAddress, const char* szType)
{
    const int nItem = list.InsertItem(nRow, szHost);
    list.SetItemText(nItem, 1, szAddress);
    list.SetItemText(nItem, 2, szType);
}

void CDemoDialog::Paint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, kBody);
    dc.FillSolidRect(0, 0, rc.Width(), kBand, kBandColour);
    dc.FillSolidRect(0, kBand, rc.Width(), 1, kLine);
    velk::look::FrameRoundRect(dc, rc, kCornerRadius, kOutline);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&m_titleFont);
    dc.SetTextColor(kTitleColour);
    CRect rcTitle(kMargin, 0, rc.right - kMargin, kBand);
    dc.DrawText("Storage devices", &rcTitle, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(&m_listFont);
    dc.SetTextColor(kText);
    CRect rcText(kMargin, kBand + 10, rc.right - kMargin, 72);
    char szText[96];
    std::snprintf(szText, sizeof szText, "%d devices answered the search on the local network.", list.GetItemCount());
    dc.DrawText(szText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT CDemoDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: Paint(); return 0;
    case WM_TIMER:
        if (wParam == kLifetimeTimer)
            EndDialog(IDCANCEL);
        return 0;
    case WM_LBUTTONDOWN:
        if (GET_Y_LPARAM(lParam) < kBand)
            SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kRefreshId && HIWORD(wParam) == BN_CLICKED) {
            ++nRefreshClicks;
            char szHost[32];
            std::snprintf(szHost, sizeof szHost, "found-%d", nRefreshClicks);
            char szAddress[32];
            std::snprintf(szAddress, sizeof szAddress, "192.168.1.%d", 100 + nRefreshClicks % 150);
            AddRow(0, szHost, szAddress, "VELK WIFI DISK");
            CRect rcText(kMargin, kBand + 1, kWidth - kMargin, 76);
            InvalidateRect(&rcText);
            return 0;
        }
        break;
    default: break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
