// The X11 host against a private X server: the demonstration window appears with its title,
// icon and shape, shows what the headless host draws for it, takes a click and a key sent with
// xdotool in its modal run, and its loop sleeps while nothing happens.
#include "x11_fixture.h"

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

#include <spawn.h>
#include <sys/wait.h>

#include "demo_dialog.h"
#include "platform_fixture.h"
#include "platform/remote_window.h"
#include "picture_files.h"
#include "platform/host_headless.h"
#include "platform/message_loop.h"
#include "platform/process.h"

extern char** environ;

namespace {

const std::string kIcon = VELK_SOURCE_DIR "/app/resources/icon/48x48.png";

TEST_F(X11Test, TheWindowAppearsWithItsTitleIconAndShape)
{
    CDemoDialog dialog(kIcon);
    ASSERT_TRUE(dialog.Create());
    Settle();
    const unsigned long nWindow = pHost->NativeWindowId(&dialog);
    ASSERT_NE(nWindow, 0u);
    const std::string strId = std::to_string(nWindow);

    const CProgramRun names = RunPumping({"xprop", "-id", strId, "_NET_WM_NAME", "WM_NAME", "_MOTIF_WM_HINTS", "_NET_WM_ICON"});
    EXPECT_NE(names.strOutput.find("_NET_WM_NAME(UTF8_STRING) = \"VELK platform demo\""), std::string::npos) << names.strOutput;
    EXPECT_NE(names.strOutput.find("WM_NAME(STRING) = \"VELK platform demo\""), std::string::npos) << names.strOutput;
    // No decorations: flags 2, decorations 0.
    EXPECT_NE(names.strOutput.find("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0, 0x0, 0x0, 0x0"), std::string::npos)
        << names.strOutput;
    EXPECT_NE(names.strOutput.find("Icon (48 x 48)"), std::string::npos) << names.strOutput;

    const CProgramRun shape = RunPumping({"xwininfo", "-id", strId, "-shape"});
    EXPECT_NE(shape.strOutput.find("Window shape extents:  440x300+0+0"), std::string::npos) << shape.strOutput;
    EXPECT_EQ(shape.strOutput.find("No window shape defined"), std::string::npos) << shape.strOutput;
    // The rounded corners are cut out.
    EXPECT_FALSE(InShape(nWindow, 0, 0));
    EXPECT_FALSE(InShape(nWindow, 439, 299));
    EXPECT_TRUE(InShape(nWindow, 8, 0));
    EXPECT_TRUE(InShape(nWindow, 220, 150));

    // A new title goes to both properties.
    dialog.SetWindowText("Geräte");
    Settle();
    const CProgramRun renamed = RunPumping({"xprop", "-id", strId, "_NET_WM_NAME", "WM_NAME"});
    EXPECT_NE(renamed.strOutput.find("_NET_WM_NAME(UTF8_STRING) = \"Geräte\""), std::string::npos) << renamed.strOutput;
    EXPECT_NE(renamed.strOutput.find("WM_NAME(STRING) = \"Ger"), std::string::npos) << renamed.strOutput;
}

TEST_F(X11Test, TheScreenShowsWhatTheHeadlessHostDraws)
{
    // The same window drawn without a display first.
    std::vector<COLORREF> expected;
    pHost.reset();
    {
        CHeadlessHost headless;
        CDemoDialog dialog(kIcon);
        ASSERT_TRUE(dialog.Create());
        headless.PumpUntilIdle();
        for (int y = 0; y < CDemoDialog::kHeight; ++y)
            for (int x = 0; x < CDemoDialog::kWidth; ++x)
                expected.push_back(headless.GetScreenPixel(&dialog, {x, y}));
        headless.WritePng(&dialog, VELK_BINARY_DIR "/tests/platform_x11_headless.png");
    }
    pHost = CX11Host::Open(xvfb.DisplayName().c_str());
    ASSERT_NE(pHost, nullptr);
    CDemoDialog dialog(kIcon);
    ASSERT_TRUE(dialog.Create());
    Settle();
    const CCapture capture = Capture(pHost->NativeWindowId(&dialog), CDemoDialog::kWidth, CDemoDialog::kHeight);
    ASSERT_EQ(capture.pixels.size(), expected.size());
    WritePng(VELK_BINARY_DIR "/tests/platform_x11_screen.png", capture.nWidth, capture.nHeight, [&](int x, int y) {
        const std::uint32_t n = capture.At(x, y);
        return Rgba((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF);
    });
    int nCompared = 0;
    int nDifferent = 0;
    for (int y = 0; y < capture.nHeight; ++y) {
        for (int x = 0; x < capture.nWidth; ++x) {
            const COLORREF clr = expected[static_cast<std::size_t>(y) * capture.nWidth + x];
            if (clr == CLR_INVALID)
                continue;
            const std::uint32_t n = capture.At(x, y);
            const int nDelta = std::max({std::abs(static_cast<int>((n >> 16) & 0xFF) - GetRValue(clr)),
                                         std::abs(static_cast<int>((n >> 8) & 0xFF) - GetGValue(clr)),
                                         std::abs(static_cast<int>(n & 0xFF) - GetBValue(clr))});
            ++nCompared;
            nDifferent += nDelta > 2;
        }
    }
    EXPECT_GT(nCompared, CDemoDialog::kWidth * CDemoDialog::kHeight * 9 / 10);
    EXPECT_LE(nDifferent, nCompared / 200) << nDifferent << " of " << nCompared << " pixels differ";
}

// The demonstration window that notes its commands and can be ended from another thread.
class CRecordingDemo : public CDemoDialog {
public:
    using CDemoDialog::CDemoDialog;
    std::vector<int> commands;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return CDemoDialog::WindowProc(message, wParam, lParam);
    }
};

// Ends a modal run that nothing else ends, so that a failing test cannot hang.
class CWatchdog {
public:
    explicit CWatchdog(CDialog& dialog, std::chrono::seconds limit)
        : m_thread([this, &dialog, limit] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_condition.wait_for(lock, limit, [this] { return m_bStopped; }))
                  PostTask([&dialog] {
                      if (dialog.m_hWnd)
                          dialog.EndDialog(-5);
                  });
          })
    {
    }
    ~CWatchdog()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_bStopped = true;
        }
        m_condition.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_bStopped = false;
    std::thread m_thread;
};

TEST_F(X11Test, AClickAndAKeyFromXdotoolReachTheModalRun)
{
    CRecordingDemo dialog(kIcon);
    const CRect rcRefresh = CDemoDialog::RefreshRect();
    const std::string strX = std::to_string(rcRefresh.left + rcRefresh.Width() / 2);
    const std::string strY = std::to_string(rcRefresh.top + rcRefresh.Height() / 2);
    // xdotool waits for the window, clicks Refresh and presses Escape while the run goes on.
    const pid_t nPid = [&] {
        std::vector<std::string> args{"xdotool", "search", "--sync", "--onlyvisible", "--name", "^VELK platform demo$",
                                      "mousemove", "--window", "%1", strX, strY, "click", "1", "sleep", "0.3", "key", "Escape"};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        setenv("DISPLAY", xvfb.DisplayName().c_str(), 1);
        pid_t nChild = -1;
        const std::string strProgram = FindProgram("xdotool");
        return posix_spawn(&nChild, strProgram.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? nChild : -1;
    }();
    ASSERT_GT(nPid, 0);
    INT_PTR nResult;
    {
        CWatchdog watchdog(dialog, std::chrono::seconds(20));
        nResult = dialog.DoModal();
    }
    int nStatus = 0;
    waitpid(nPid, &nStatus, 0);
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(dialog.nRefreshClicks, 1);
    EXPECT_EQ(dialog.commands, (std::vector<int>{static_cast<int>(CDemoDialog::kRefreshId), IDCANCEL}));
}

TEST_F(X11Test, TheIdleLoopSleepsUntilSomethingHappens)
{
    CDemoDialog dialog(kIcon);
    ASSERT_TRUE(dialog.Create());
    Settle();
    constexpr UINT WM_WAKE_UP = WM_APP + 3;
    const HWND hWnd = dialog.m_hWnd;
    const unsigned long nWaitsBefore = pHost->WaitCount();
    const auto start = std::chrono::steady_clock::now();
    std::thread waker([hWnd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        PostMessage(hWnd, WM_WAKE_UP);
    });
    MSG msg;
    while (GetMessage(&msg) && msg.message != WM_WAKE_UP)
        DispatchMessage(&msg);
    waker.join();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(1400));
    // One wait for the whole second and a half (and perhaps one more for a stray event).
    EXPECT_LE(pHost->WaitCount() - nWaitsBefore, 3u);

    // With a timer of 100 ms the loop wakes about once a period, not more.
    dialog.SetTimer(7, 100);
    const unsigned long nWaitsTimed = pHost->WaitCount();
    int nTicks = 0;
    while (nTicks < 10 && GetMessage(&msg)) {
        nTicks += msg.message == WM_TIMER && msg.wParam == 7;
        DispatchMessage(&msg);
    }
    EXPECT_LE(pHost->WaitCount() - nWaitsTimed, 13u);
}

TEST_F(X11Test, TheDisplayIsReachedFromInsideANetworkNamespace)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "making a network namespace needs root";
    char szName[64];
    std::snprintf(szName, sizeof szName, "velkx11test%d", static_cast<int>(getpid()));
    if (RunPumping({"ip", "netns", "add", szName}).nExitCode != 0)
        GTEST_SKIP() << "no network namespace can be made here";
    // Abstract sockets are per namespace: the program must find the server by its socket file.
    const CProgramRun run = RunPumping({"ip", "netns", "exec", szName, VELK_BIN_DIR "/velk_platform_demo", "--exit-after", "300"});
    RunPumping({"ip", "netns", "delete", szName});
    EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
}

} // namespace

namespace {

TEST_F(X11Test, WithoutAWindowManagerTheTitleBandDragFollowsThePointer)
{
    CDemoDialog dialog(kIcon);
    ASSERT_TRUE(dialog.Create());
    Settle();
    const unsigned long nWindow = pHost->NativeWindowId(&dialog);
    // A slow drag is followed step by step; in a quick one the button is up before the press is
    // handled, and the window goes straight to where the pointer went.
    for (const char* szPause : {"0.2", "0"}) {
        CRect rcBefore;
        dialog.GetWindowRect(&rcBefore);
        ASSERT_EQ(ScreenPosition(nWindow), POINT(rcBefore.TopLeft()));
        const CProgramRun drag =
            RunPumping({"xdotool", "mousemove", "--window", std::to_string(nWindow), "100", "20", "mousedown", "1", "sleep",
                        szPause, "mousemove_relative", "--", "-50", "30", "sleep", szPause, "mousemove_relative", "--", "-10",
                        "5", "sleep", szPause, "mouseup", "1"});
        ASSERT_EQ(drag.nExitCode, 0) << drag.strOutput;
        Settle();
        CRect rcAfter;
        dialog.GetWindowRect(&rcAfter);
        EXPECT_EQ(rcAfter.TopLeft(), CPoint(rcBefore.left - 60, rcBefore.top + 35)) << "pause " << szPause;
        EXPECT_EQ(ScreenPosition(nWindow), POINT(rcAfter.TopLeft())) << "pause " << szPause;
    }
    EXPECT_EQ(dialog.nRefreshClicks, 0);
}

TEST_F(X11Test, AWindowManagerIsAskedToActivateAndToMoveAndItsStatesAreFollowed)
{
    PretendWindowManager({"_NET_ACTIVE_WINDOW", "_NET_WM_MOVERESIZE"});
    CRecordingDemo dialog(kIcon);
    ASSERT_TRUE(dialog.Create());
    Settle();
    const unsigned long nWindow = pHost->NativeWindowId(&dialog);
    TakeRequest("_NET_ACTIVE_WINDOW", nWindow);

    // Coming to the front as a second start asks for it: raised and activated.
    dialog.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    dialog.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Settle();
    const std::optional<std::vector<long>> activate = TakeRequest("_NET_ACTIVE_WINDOW", nWindow);
    ASSERT_TRUE(activate.has_value());
    EXPECT_EQ(activate->at(0), 2); // on the user's behalf

    // Minimised by the window manager: the window says so, and coming forward leaves it so.
    SetWmState(nWindow, true);
    Settle();
    EXPECT_TRUE(dialog.IsIconic());
    dialog.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Settle();
    EXPECT_FALSE(TakeRequest("_NET_ACTIVE_WINDOW", nWindow).has_value());
    SetWmState(nWindow, false);
    Settle();
    EXPECT_FALSE(dialog.IsIconic());

    // The title band's drag is the window manager's move.
    const CProgramRun press = RunPumping({"xdotool", "mousemove", "--window", std::to_string(nWindow), "100", "20", "mousedown", "1"});
    ASSERT_EQ(press.nExitCode, 0) << press.strOutput;
    Settle();
    const std::optional<std::vector<long>> move = TakeRequest("_NET_WM_MOVERESIZE", nWindow);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->at(2), 8); // move
    EXPECT_EQ(move->at(3), 1); // with the first button
    RunPumping({"xdotool", "mouseup", "1"});

    // The user closes the window: a dialog hears it as Cancel.
    SendDeleteWindow(nWindow);
    Settle();
    EXPECT_EQ(dialog.commands, std::vector<int>{IDCANCEL});
    EXPECT_FALSE(dialog.IsWindowVisible());
}

TEST_F(X11Test, AMessageFromAnotherProcessIsServedByTheWaitingLoop)
{
    char szFolder[] = "/tmp/velk-x11-directory-XXXXXX";
    ASSERT_NE(mkdtemp(szFolder), nullptr);
    ASSERT_TRUE(PublishWindowTitles(szFolder));
    RegisterTestClasses();
    CProbeWnd window;
    window.onMessage = [](UINT message, WPARAM, LPARAM, LRESULT& nResult) {
        nResult = 1124;
        return message == WM_USER + 100;
    };
    ASSERT_TRUE(window.CreateEx(0, kPlainClass, "VELK WIFI DISK", WS_POPUP | WS_VISIBLE, CRect(10, 10, 110, 110), nullptr, 0));
    Settle();
    const HWND hWnd = window.m_hWnd;
    std::optional<LRESULT> nResult;
    std::thread sender([&, hWnd] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        nResult = CRemoteWindow::FindWindow("VELK WIFI DISK", szFolder).SendMessage(WM_USER + 100, 0, 0);
        PostMessage(hWnd, WM_APP + 4);
    });
    const unsigned long nWaits = pHost->WaitCount();
    MSG msg;
    while (GetMessage(&msg) && msg.message != WM_APP + 4)
        DispatchMessage(&msg);
    sender.join();
    EXPECT_EQ(nResult, std::optional<LRESULT>(1124));
    EXPECT_EQ(window.Count(WM_USER + 100), 1);
    // It slept until the connection came, the request, and the sender's message.
    EXPECT_LE(pHost->WaitCount() - nWaits, 5u);
    window.DestroyWindow();
    std::filesystem::remove_all(szFolder);
}

} // namespace
