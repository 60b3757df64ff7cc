// The tooltip: shown after the pointer has rested on its tool, hidden when it leaves, when it
// clicks and after a while; nothing while inactive.
#include "controls_fixture.h"

#include "platform/button.h"

namespace {

class ToolTipTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        MakeTop(parent, CRect(100, 100, 500, 400));
        ASSERT_TRUE(tool.Create("Go", WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 120, 50), &parent, 7));
        // As the drawn kit attaches one: owned by the tool, watching it by itself.
        hTip = CreateWindowEx(0, TOOLTIPS_CLASS, "", TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, tool.m_hWnd, 0);
        ASSERT_NE(hTip, nullptr);
        TOOLINFO info;
        info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        info.uId = reinterpret_cast<UINT_PTR>(tool.m_hWnd);
        info.lpszText = "Search again";
        SendMessage(hTip, TTM_ACTIVATE, TRUE, 0);
        ASSERT_TRUE(SendMessage(hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
        host.PumpUntilIdle();
    }

    bool Shown() const { return CWnd::FromHandle(hTip)->IsWindowVisible() != FALSE; }

    CRecordingParent parent;
    CButton tool;
    HWND hTip = nullptr;
};

TEST_F(ToolTipTest, TheTipShowsAfterTheHoverDelayBelowThePointerAndHidesOnLeave)
{
    EXPECT_EQ(CWnd::FromHandle(hTip)->GetWindow(GW_OWNER), &parent);
    host.MouseMove(&tool, {10, 10});
    host.AdvanceTime(HostTime(300));
    // Moving on within the tool starts the wait again.
    host.MouseMove(&tool, {30, 12});
    host.AdvanceTime(HostTime(499));
    EXPECT_FALSE(Shown());
    host.AdvanceTime(HostTime(1));
    ASSERT_TRUE(Shown());
    CRect rcTip;
    CWnd::FromHandle(hTip)->GetWindowRect(&rcTip);
    POINT pt{30, 12};
    tool.ClientToScreen(&pt);
    EXPECT_EQ(rcTip.left, pt.x);
    EXPECT_GT(rcTip.top, pt.y);
    EXPECT_FALSE(rcTip.IsRectEmpty());
    // Its window is a floating popup: the keyboard stays with the window that had it.
    EXPECT_EQ(CWnd::FromHandle(hTip)->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(host.NativeWindow(CWnd::FromHandle(hTip))->strTitle, "");

    host.MouseMove(&parent, {300, 200});
    host.PumpUntilIdle();
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, AClickHidesTheTipUntilThePointerComesBack)
{
    host.MouseMove(&tool, {10, 10});
    host.AdvanceTime(HostTime(500));
    ASSERT_TRUE(Shown());
    host.Click(&tool, {10, 10});
    host.AdvanceTime(HostTime(2000));
    EXPECT_FALSE(Shown());
    host.MouseMove(&parent, {300, 200});
    host.MouseMove(&tool, {12, 10});
    host.AdvanceTime(HostTime(500));
    EXPECT_TRUE(Shown());
    // It goes by itself after five seconds.
    host.AdvanceTime(HostTime(5000));
    EXPECT_FALSE(Shown());
}

TEST_F(ToolTipTest, AnInactiveTipNeverShows)
{
    SendMessage(hTip, TTM_ACTIVATE, FALSE, 0);
    host.MouseMove(&tool, {10, 10});
    host.AdvanceTime(HostTime(2000));
    EXPECT_FALSE(Shown());
    // Gone with its owner's window.
    parent.DestroyWindow();
    EXPECT_FALSE(IsWindow(hTip));
}

} // namespace
