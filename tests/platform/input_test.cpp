// Input: clicks, double clicks, hover and leave, capture, disabled windows, the drag by the
// caption, keys and focus, and timers on the manual clock.
#include "platform_fixture.h"

namespace {

using InputTest = PlatformTest;

std::vector<UINT> MouseButtons(const CProbeWnd& wnd)
{
    return wnd.Sequence({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP});
}

TEST_F(InputTest, AClickReachesTheWindowUnderThePointerAtItsClientCoordinates)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd child;
    MakeChild(child, top, CRect(20, 30, 80, 60));
    host.Click(&top, {25, 40}, HostMouseButton::Right, MK_SHIFT);
    host.PumpUntilIdle();
    EXPECT_EQ(MouseButtons(child), (std::vector<UINT>{WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(MouseButtons(top), std::vector<UINT>{});
    const MSG& up = *std::find_if(child.received.begin(), child.received.end(),
                                  [](const MSG& msg) { return msg.message == WM_RBUTTONUP; });
    EXPECT_EQ(GET_X_LPARAM(up.lParam), 5);
    EXPECT_EQ(GET_Y_LPARAM(up.lParam), 10);
    EXPECT_EQ(up.wParam, MK_SHIFT);
}

TEST_F(InputTest, AWheelTurnNobodyWantsGoesUpToTheParent)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd child;
    MakeChild(child, top, CRect(20, 30, 80, 60));
    host.Wheel(&child, {5, 5}, -WHEEL_DELTA);
    host.PumpUntilIdle();
    ASSERT_EQ(child.Count(WM_MOUSEWHEEL), 1);
    ASSERT_EQ(top.Count(WM_MOUSEWHEEL), 1);
    const MSG& wheel = *std::find_if(top.received.begin(), top.received.end(),
                                     [](const MSG& msg) { return msg.message == WM_MOUSEWHEEL; });
    EXPECT_EQ(static_cast<short>(HIWORD(wheel.wParam)), -WHEEL_DELTA);
    EXPECT_EQ(GET_X_LPARAM(wheel.lParam), 125);
}

TEST_F(InputTest, DoubleClicksComeOnlyToClassesThatAskAndOnlyWhenCloseInTimeAndPlace)
{
    struct Case {
        const char* szClass;
        HostTime pause;
        int nMove;
        bool bDouble;
    } cases[] = {
        {kDoubleClickClass, HostTime(100), 0, true},
        {kDoubleClickClass, HostTime(500), 4, true},
        {kDoubleClickClass, HostTime(501), 0, false},
        {kDoubleClickClass, HostTime(100), 5, false},
        {kPlainClass, HostTime(100), 0, false},
    };
    for (const Case& c : cases) {
        CProbeWnd top;
        MakeTop(top, CRect(100, 100, 300, 250), c.szClass);
        host.Click(&top, {10, 10});
        host.AdvanceTime(c.pause);
        host.Click(&top, {10 + c.nMove, 10});
        host.PumpUntilIdle();
        const UINT nSecond = c.bDouble ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
        EXPECT_EQ(MouseButtons(top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, nSecond, WM_LBUTTONUP}))
            << c.szClass << " " << c.pause.count() << " ms, " << c.nMove << " px";
    }
    // After a double click the next press starts a new pair.
    CProbeWnd top;
    MakeTop(top, CRect(100, 100, 300, 250), kDoubleClickClass);
    for (int i = 0; i < 3; ++i)
        host.Click(&top, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(MouseButtons(top), (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                                    WM_LBUTTONDOWN, WM_LBUTTONUP}));
}

TEST_F(InputTest, HoverAndLeaveAreEachReportedOnce)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd tracked;
    CProbeWnd other;
    MakeChild(tracked, top, CRect(0, 0, 50, 50), 1);
    MakeChild(other, top, CRect(60, 0, 110, 50), 2);
    tracked.onMessage = [&tracked](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_HOVER | TME_LEAVE;
            track.hwndTrack = tracked.m_hWnd;
            track.dwHoverTime = 1;
            EXPECT_TRUE(_TrackMouseEvent(&track));
        }
        return false;
    };
    host.MouseMove(&tracked, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(tracked.Count(WM_MOUSEHOVER), 0);
    host.AdvanceTime(HostTime(1));
    EXPECT_EQ(tracked.Count(WM_MOUSEHOVER), 1);
    EXPECT_EQ(GET_X_LPARAM(tracked.received.back().lParam), 10);
    host.AdvanceTime(HostTime(1000));
    EXPECT_EQ(tracked.Count(WM_MOUSEHOVER), 1);
    host.MouseMove(&other, {5, 5});
    host.MouseMove(&other, {6, 5});
    host.AdvanceTime(HostTime(1000));
    EXPECT_EQ(tracked.Count(WM_MOUSELEAVE), 1);
    EXPECT_EQ(other.Count(WM_MOUSELEAVE), 0);

    // A window the pointer is not over hears at once that it has been left.
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = tracked.m_hWnd;
    _TrackMouseEvent(&track);
    host.PumpUntilIdle();
    EXPECT_EQ(tracked.Count(WM_MOUSELEAVE), 2);
    // Leaving the native window is leaving too.
    host.MouseMove(&tracked, {10, 10});
    host.MouseLeave(&top);
    host.PumpUntilIdle();
    EXPECT_EQ(tracked.Count(WM_MOUSELEAVE), 3);
}

TEST_F(InputTest, TheCapturingWindowGetsTheMouseWhereverItIs)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd first;
    CProbeWnd second;
    MakeChild(first, top, CRect(0, 0, 50, 50), 1);
    MakeChild(second, top, CRect(60, 0, 110, 50), 2);
    first.onMessage = [&first](UINT message, WPARAM, LPARAM, LRESULT&) {
        if (message == WM_LBUTTONDOWN)
            first.SetCapture();
        if (message == WM_LBUTTONUP)
            ReleaseCapture();
        return false;
    };
    host.MouseDown(&first, {10, 10});
    host.MouseMove(&second, {5, 5});
    host.MouseUp(&second, {5, 5});
    host.MouseMove(&second, {6, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(first.Sequence({WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}),
              (std::vector<UINT>{WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED}));
    const MSG& up = *std::find_if(first.received.begin(), first.received.end(),
                                  [](const MSG& msg) { return msg.message == WM_LBUTTONUP; });
    EXPECT_EQ(GET_X_LPARAM(up.lParam), 65);
    EXPECT_EQ(second.Count(WM_MOUSEMOVE), 1);
    EXPECT_EQ(second.Count(WM_LBUTTONUP), 0);
}

TEST_F(InputTest, ADisabledWindowLeavesItsInputToTheWindowUnderIt)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd child;
    MakeChild(child, top, CRect(0, 0, 50, 50));
    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    host.Click(&child, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(child.Count(WM_LBUTTONDOWN), 0);
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    EXPECT_TRUE(child.EnableWindow(TRUE));
    host.Click(&child, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(child.Count(WM_LBUTTONDOWN), 1);
}

TEST_F(InputTest, PressingOnTheCaptionLetsTheUserMoveTheWindow)
{
    CProbeWnd top;
    top.onMessage = [&top](UINT message, WPARAM, LPARAM lParam, LRESULT&) {
        if (message == WM_LBUTTONDOWN && GET_Y_LPARAM(lParam) < 28)
            top.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, lParam);
        return false;
    };
    MakeTop(top, CRect(100, 100, 300, 250));
    host.MouseDown(&top, {50, 27});
    host.PumpUntilIdle();
    ASSERT_EQ(host.NativeWindow(&top)->nMoveRequests, 1);
    host.MouseMove(nullptr, {170, 160});
    host.MouseUp(nullptr, {170, 160});
    host.PumpUntilIdle();
    CRect rc;
    top.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(120, 133, 320, 283));
    EXPECT_EQ(top.Count(WM_MOVE), 2);
    host.MouseDown(&top, {50, 28});
    host.PumpUntilIdle();
    EXPECT_EQ(host.NativeWindow(&top)->nMoveRequests, 1);
}

TEST_F(InputTest, KeysGoToTheFocusWindow)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd first;
    CProbeWnd second;
    MakeChild(first, top, CRect(0, 0, 10, 10), 1);
    MakeChild(second, top, CRect(20, 0, 30, 10), 2);
    EXPECT_EQ(first.SetFocus(), nullptr);
    EXPECT_EQ(second.SetFocus(), &first);
    EXPECT_EQ(CWnd::GetFocus(), &second);
    EXPECT_EQ(first.Sequence({WM_SETFOCUS, WM_KILLFOCUS}), (std::vector<UINT>{WM_SETFOCUS, WM_KILLFOCUS}));
    host.PressKey('A', "ä");
    host.PressKey(VK_ESCAPE);
    host.PumpUntilIdle();
    EXPECT_EQ(second.Sequence({WM_KEYDOWN, WM_CHAR, WM_KEYUP}),
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_KEYUP, WM_KEYDOWN, WM_KEYUP}));
    const MSG& chr = *std::find_if(second.received.begin(), second.received.end(),
                                   [](const MSG& msg) { return msg.message == WM_CHAR; });
    EXPECT_EQ(chr.wParam, 0xE4u);
    // A hidden focus window loses the focus.
    second.ShowWindow(SW_HIDE);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

TEST_F(InputTest, ATenSecondCountdownRunsOnTheManualClock)
{
    CProbeWnd top;
    MakeTop(top);
    int nTicks = 0;
    top.onMessage = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
        if (message == WM_TIMER && wParam == 1 && ++nTicks == 10)
            top.KillTimer(1);
        return false;
    };
    ASSERT_EQ(top.SetTimer(1, 1000), 1u);
    host.AdvanceTime(HostTime(999));
    EXPECT_EQ(nTicks, 0);
    host.AdvanceTime(HostTime(1));
    EXPECT_EQ(nTicks, 1);
    host.AdvanceTime(HostTime(20000));
    EXPECT_EQ(nTicks, 10);
    EXPECT_EQ(host.Now(), HostTime(21000));
    // Setting a timer again restarts its period; a killed one is gone.
    top.SetTimer(2, 300);
    host.AdvanceTime(HostTime(200));
    top.SetTimer(2, 300);
    host.AdvanceTime(HostTime(200));
    EXPECT_EQ(top.Count(WM_TIMER), 10);
    host.AdvanceTime(HostTime(100));
    EXPECT_EQ(top.Count(WM_TIMER), 11);
    EXPECT_TRUE(top.KillTimer(2));
    EXPECT_FALSE(top.KillTimer(2));
}

TEST_F(InputTest, AWaitingLoopRunsOnVirtualTimeUntilItIsEnded)
{
    CProbeWnd top;
    MakeTop(top);
    top.SetTimer(1, 1000);
    bool bDone = false;
    int nTicks = 0;
    top.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT&) {
        nTicks += message == WM_TIMER;
        if (message == WM_LBUTTONDOWN)
            bDone = true;
        return false;
    };
    host.Schedule(HostTime(5500), [&] { host.Click(&top, {1, 1}); });
    MSG msg;
    while (!bDone && GetMessage(&msg))
        DispatchMessage(&msg);
    EXPECT_TRUE(bDone);
    EXPECT_EQ(nTicks, 5);
    EXPECT_EQ(host.Now(), HostTime(5500));
    host.PumpUntilIdle();
    PostQuitMessage(3);
    EXPECT_FALSE(GetMessage(&msg));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
