// The main window on a headless desktop with the registry fed by the test: the list, the
// countdown, the button states, Log In and My Storage with the selected row, broken layouts,
// painting while minimised and coming to the front.
#include "main_window_fixture.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <regex>

#include "app/dravonel_app.h"
#include "controls/standard_list_ctrl.h"
#include "discovery/device_manager.h"

namespace {

using ::testing::ElementsAre;

CSearchDeviceManager& Registry() { return CSearchDeviceManager::Instance(); }

TEST_F(MainWindowTest, RowsShowTheNewestDeviceFirstAndEveryAddressOnce)
{
    OpenWindow();
    Registry().AddOrMerge(MakeDevice("192.168.1.1", "alpha", "WIFI DISK"));
    Registry().AddOrMerge(MakeDevice("192.168.1.2", "bravo", "WIFI DISK 2T"));
    Registry().AddOrMerge(MakeDevice("192.168.1.3", "charlie", "HomeNAS"));
    Tick();
    EXPECT_THAT(Column(0), ElementsAre("charlie", "bravo", "alpha"));
    EXPECT_THAT(Column(1), ElementsAre("192.168.1.3", "192.168.1.2", "192.168.1.1"));
    EXPECT_THAT(Column(2), ElementsAre("HomeNAS", "WIFI DISK 2T", "WIFI DISK"));

    // In one tick: a new device goes on top, above rows whose addresses must still be found; a
    // renamed device keeps its row and its old texts; one that left stays listed.
    Registry().AddOrMerge(MakeDevice("192.168.1.4", "delta", "WIFI DISK"));
    Registry().AddOrMerge(MakeDevice("192.168.1.2", "bravo-renamed", "WIFI DISK 2T"));
    Registry().RemoveById("id-192.168.1.1");
    Registry().AddOrMerge(MakeDevice("192.168.1.5", "echo", "WIFI DISK"));
    Tick();
    EXPECT_THAT(Column(1), ElementsAre("192.168.1.5", "192.168.1.4", "192.168.1.3", "192.168.1.2", "192.168.1.1"));
    EXPECT_THAT(Column(0), ElementsAre("echo", "delta", "charlie", "bravo", "alpha"));
    Tick();
    EXPECT_EQ(Column(1).size(), 5u);

    // A refresh starts over from what the registry holds then.
    for (int n = 0; n < 8; ++n)
        Tick();
    Registry().AddOrMerge(MakeDevice("192.168.1.9", "late", "WIFI DISK"));
    Tick();
    EXPECT_EQ(Column(1).size(), 5u) << "a device found after the countdown waits for the next refresh";
    ClickButton(IDC_REFRESH);
    EXPECT_TRUE(Column(1).empty());
    EXPECT_TRUE(Registry().Snapshot().empty());
    Registry().AddOrMerge(MakeDevice("192.168.1.9", "late", "WIFI DISK"));
    Tick();
    EXPECT_THAT(Column(0), ElementsAre("late"));
}

TEST_F(MainWindowTest, TheCountdownRunsFromTenToOneAndEndsAtTenSeconds)
{
    OpenWindow();
    EXPECT_EQ(pWindow->GetWindowText(), "VELK WIFI DISK");
    const std::string strWait = "Searching new devices,please wait ";
    EXPECT_EQ(WaitText(), strWait + "10s...");
    EXPECT_TRUE(Control(IDC_WAIT_MESSAGE)->IsWindowVisible());
    for (int nSeconds = 9; nSeconds >= 1; --nSeconds) {
        Tick();
        EXPECT_EQ(WaitText(), strWait + std::to_string(nSeconds) + "s...");
        EXPECT_TRUE(Control(IDC_WAIT_MESSAGE)->IsWindowVisible());
        EXPECT_FALSE(Control(IDC_REFRESH)->IsWindowEnabled());
    }
    Tick();
    EXPECT_FALSE(Control(IDC_WAIT_MESSAGE)->IsWindowVisible());
    EXPECT_TRUE(Control(IDC_REFRESH)->IsWindowEnabled());
    EXPECT_EQ(pWindow->GetCountdownTick(), 1);
    // The timer is gone: nothing changes any more.
    Tick();
    Tick();
    EXPECT_EQ(WaitText(), strWait + "1s...");
    EXPECT_FALSE(Control(IDC_WAIT_MESSAGE)->IsWindowVisible());

    // Refresh starts the next countdown at ten seconds.
    ClickButton(IDC_REFRESH);
    EXPECT_EQ(WaitText(), strWait + "10s...");
    EXPECT_TRUE(Control(IDC_WAIT_MESSAGE)->IsWindowVisible());
    EXPECT_FALSE(Control(IDC_REFRESH)->IsWindowEnabled());
    Tick();
    EXPECT_EQ(WaitText(), strWait + "9s...");
}

TEST_F(MainWindowTest, TheCloseButtonEndsTheModalRun)
{
    pWindow = std::make_unique<CDravonelDlg>();
    pHost->Schedule(std::chrono::milliseconds(2500), [&] {
        EXPECT_EQ(WaitText(), "Searching new devices,please wait 8s...");
        ClickButton(IDC_CLOSE_BUTTON);
    });
    EXPECT_EQ(pWindow->DoModal(), IDCANCEL);
}

TEST_F(MainWindowTest, ClicksOnTheListSwitchLogInAndMyStorage)
{
    OpenWindow();
    Registry().AddOrMerge(MakeDevice("192.168.1.1", "alpha", "WIFI DISK"));
    Registry().AddOrMerge(MakeDevice("192.168.1.2", "bravo", "WIFI DISK"));
    Tick();
    EXPECT_TRUE(Control(IDC_CLOSE_BUTTON)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_LOG_IN)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_MY_STORAGE)->IsWindowEnabled());

    ClickRow(1);
    EXPECT_EQ(pWindow->GetSelectedRow(), 1);
    EXPECT_TRUE(Control(IDC_LOG_IN)->IsWindowEnabled());
    EXPECT_TRUE(Control(IDC_MY_STORAGE)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_REFRESH)->IsWindowEnabled()) << "Refresh waits for the countdown's end";

    ClickBelowRows();
    EXPECT_EQ(pWindow->GetSelectedRow(), -1);
    EXPECT_FALSE(Control(IDC_LOG_IN)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_MY_STORAGE)->IsWindowEnabled());

    // The end of the countdown leaves the selection's buttons as they were.
    ClickRow(0);
    for (int n = 0; n < 9; ++n)
        Tick();
    EXPECT_TRUE(Control(IDC_REFRESH)->IsWindowEnabled());
    EXPECT_TRUE(Control(IDC_LOG_IN)->IsWindowEnabled());
    // A refresh disables them again.
    ClickButton(IDC_REFRESH);
    EXPECT_FALSE(Control(IDC_LOG_IN)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_MY_STORAGE)->IsWindowEnabled());
    EXPECT_FALSE(Control(IDC_REFRESH)->IsWindowEnabled());
}

TEST_F(MainWindowTest, LogInAndMyStorageActOnTheSelectedRow)
{
    OpenWindow();
    Registry().AddOrMerge(MakeDevice("192.168.1.1", "alpha", "WIFI DISK"));
    Registry().AddOrMerge(MakeDevice("192.168.1.2", "bravo", "WIFI DISK"));
    Registry().AddOrMerge(MakeDevice("192.168.1.3", "charlie", "WIFI DISK"));
    Tick();
    // Double clicks on no row do nothing.
    ClickBelowRows();
    pHost->DoubleClick(pWindow->GetDeviceList(), CPoint(150, 130));
    pHost->PumpUntilIdle();

    ClickRow(1);
    ClickButton(IDC_LOG_IN);
    EXPECT_THAT(StandInStarts(1), ElementsAre("xdg-open http://192.168.1.2"));

    // While the countdown runs, a double click logs in to the row it hits.
    DoubleClickRow(2);
    EXPECT_THAT(StandInStarts(2), ElementsAre("xdg-open http://192.168.1.2", "xdg-open http://192.168.1.1"));

    ClickRow(0);
    ClickButton(IDC_MY_STORAGE);
    const std::vector<std::string> starts = StandInStarts(3);
    ASSERT_EQ(starts.size(), 3u);
    EXPECT_EQ(starts[2], "xdg-open smb://192.168.1.3/");
}

TEST_F(MainWindowTest, SeveralSelectedRowsUseTheFirstInListOrder)
{
    OpenWindow();
    for (const char* szIP : {"10.0.0.1", "10.0.0.2", "10.0.0.3"})
        Registry().AddOrMerge(MakeDevice(szIP, "disk", "WIFI DISK"));
    Tick();
    pWindow->GetDeviceList()->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    pWindow->GetDeviceList()->SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(pWindow->GetSelectedRow(), 1);
    pWindow->OnLogIn();
    EXPECT_THAT(StandInStarts(1), ElementsAre("xdg-open http://10.0.0.2"));
}

// A row's text comes from the device, which may report any host in its LOCATION header: only a
// dotted IPv4 address ever reaches another program.
TEST_F(MainWindowTest, ARowWhoseAddressIsNoAddressStartsNothing)
{
    OpenWindow();
    Registry().AddOrMerge(MakeDevice("evil.example;rm -rf ~", "mallory", "WIFI DISK"));
    Tick();
    ClickRow(0);
    pWindow->OnLogIn();
    pWindow->OnMyStorage();
    DoubleClickRow(0);
    // Something that does start shows that the ones before had their chance.
    pWindow->GetDeviceList()->SetItemText(0, 1, "192.168.7.7");
    pWindow->OnLogIn();
    EXPECT_THAT(StandInStarts(2, std::chrono::milliseconds(1500)), ElementsAre("xdg-open http://192.168.7.7"));
}

struct CBrokenLayout {
    const char* szName;
    const char* szFrom;
    const char* szTo;
};

class MainWindowBrokenLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<CBrokenLayout> {};

TEST_P(MainWindowBrokenLayoutTest, TheWindowStaysWithoutWorkingCommands)
{
    const CBrokenLayout& broken = GetParam();
    std::string strLayout = ShippedLayout();
    const std::size_t nAt = strLayout.find(broken.szFrom);
    ASSERT_NE(nAt, std::string::npos);
    strLayout.replace(nAt, std::string(broken.szFrom).size(), broken.szTo);
    strLayout = std::regex_replace(strLayout, std::regex("DialogText=\"VELK WIFI DISK\""), "DialogText=\"Other title\"");
    WriteDataFolder(strLayout);
    // No refresh runs, so the registry is not emptied.
    Registry().AddOrMerge(MakeDevice("192.168.1.1", "alpha", "WIFI DISK"));

    pWindow = std::make_unique<CDravonelDlg>();
    bool bChecked = false;
    pHost->Schedule(std::chrono::milliseconds(10), [&] {
        EXPECT_TRUE(pWindow->IsWindowVisible());
        EXPECT_EQ(pWindow->GetWindowText(), "VELK WIFI DISK");
        EXPECT_FALSE(pWindow->ControlsBound());
        EXPECT_EQ(pWindow->GetSelectedRow(), -1);
        for (int nID : {IDC_LOG_IN, IDC_REFRESH, IDC_MY_STORAGE})
            pWindow->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
        bChecked = true;
    });
    // No countdown runs meanwhile; Escape still ends the run.
    pHost->Schedule(std::chrono::seconds(12), [&] { pHost->PressKey(VK_ESCAPE); });
    EXPECT_EQ(pWindow->DoModal(), IDCANCEL);
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(Registry().Snapshot().size(), 1u);
    EXPECT_TRUE(StandInStarts(1, std::chrono::milliseconds(300)).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, MainWindowBrokenLayoutTest,
    ::testing::Values(CBrokenLayout{"MissingAttribute", "CtrlPos=\"10,194,280,15\"", ""},
                      CBrokenLayout{"MissingWaitMessage", "CtrlID=\"2106\"", "CtrlID=\"2116\""}),
    [](const ::testing::TestParamInfo<CBrokenLayout>& info) { return std::string(info.param.szName); });

TEST_F(MainWindowTest, AMinimisedWindowPaintsItsIconInTheMiddle)
{
    // The list moves aside, so that only the window itself paints the middle.
    std::string strLayout = ShippedLayout();
    const std::string strListPlace = "CtrlPos=\"10,50,308,141\"";
    strLayout.replace(strLayout.find(strListPlace), strListPlace.size(), "CtrlPos=\"10,50,100,141\"");
    WriteDataFolder(strLayout);
    OpenWindow();
    CRect rc;
    pWindow->GetClientRect(&rc);
    const int nIcon = GetSystemMetrics(SM_CXICON);
    const int x = (rc.Width() - nIcon + 1) / 2;
    const int y = (rc.Height() - nIcon + 1) / 2;
    // Inside the icon, where it is coloured, and just beside it on three sides.
    const std::vector<CPoint> points = {{x + 4, y + nIcon / 2}, {x - 3, y + nIcon / 2}, {x + nIcon + 2, y + nIcon / 2},
                                        {x + nIcon / 2, y + nIcon + 2}};
    std::vector<COLORREF> before;
    for (const CPoint& pt : points)
        before.push_back(pHost->GetScreenPixel(pWindow.get(), pt));

    pWindow->ShowWindow(SW_MINIMIZE);
    ASSERT_TRUE(pWindow->IsIconic());
    pWindow->Invalidate();
    pHost->PumpUntilIdle();
    EXPECT_NE(pHost->GetScreenPixel(pWindow.get(), points[0]), before[0]);
    for (std::size_t i = 1; i < points.size(); ++i)
        EXPECT_EQ(pHost->GetScreenPixel(pWindow.get(), points[i]), before[i]) << i;
}

TEST_F(MainWindowTest, BringingToTheFrontRaisesWithoutMovingOrRestoring)
{
    OpenWindow();
    CRect rcBefore;
    pWindow->GetWindowRect(&rcBefore);
    const int nRaises = pHost->NativeWindow(pWindow.get())->nRaises;
    EXPECT_EQ(pWindow->SendMessage(WM_BRING_TO_FRONT), 0);
    EXPECT_GT(pHost->NativeWindow(pWindow.get())->nRaises, nRaises);
    CRect rcAfter;
    pWindow->GetWindowRect(&rcAfter);
    EXPECT_EQ(rcAfter, rcBefore);

    pWindow->ShowWindow(SW_MINIMIZE);
    pWindow->SendMessage(WM_BRING_TO_FRONT);
    pHost->PumpUntilIdle();
    EXPECT_TRUE(pWindow->IsIconic());
}

} // namespace
