// Titled top-level windows in the window directory: another process (here another thread) finds
// a window by its title and its private message is handled on the GUI thread, whose loop serves
// the directory while it waits; titles follow the window's text and go with the window.
#include "platform_fixture.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <thread>

#include "platform/remote_window.h"

namespace {

constexpr UINT WM_BRING_TO_FRONT = WM_USER + 100;
constexpr UINT WM_SENDER_DONE = WM_APP + 9;

class DirectoryTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        char szTemplate[] = "/tmp/velk-directory-XXXXXX";
        ASSERT_NE(mkdtemp(szTemplate), nullptr);
        strFolder = szTemplate;
    }
    void TearDown() override { std::filesystem::remove_all(strFolder); }

    bool Found(const std::string& strTitle) const { return CRemoteWindow::FindWindow(strTitle, strFolder).IsValid(); }

    std::string strFolder;
};

TEST_F(DirectoryTest, ASecondStartFindsTheWindowByTitleAndItsMessageIsHandledOnTheGuiThread)
{
    ASSERT_TRUE(PublishWindowTitles(strFolder));
    CProbeWnd window;
    std::thread::id handler;
    window.onMessage = [&](UINT message, WPARAM, LPARAM, LRESULT& nResult) {
        if (message != WM_BRING_TO_FRONT)
            return false;
        handler = std::this_thread::get_id();
        window.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        nResult = 77;
        return true;
    };
    ASSERT_TRUE(window.CreateEx(0, kPlainClass, "VELK WIFI DISK", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    host.PumpUntilIdle();
    const int nRaisesBefore = host.NativeWindow(&window)->nRaises;
    const HWND hWnd = window.m_hWnd;
    std::optional<LRESULT> nResult;
    std::optional<LRESULT> nRefused;
    std::thread sender([&, hWnd] {
        CRemoteWindow remote = CRemoteWindow::FindWindow("VELK WIFI DISK", strFolder);
        nResult = remote.SendMessage(WM_BRING_TO_FRONT, 0, 0);
        // Messages whose parameters could be pointers are not delivered.
        nRefused = remote.SendMessage(WM_CLOSE, 0, 0);
        PostMessage(hWnd, WM_SENDER_DONE);
    });
    // The loop waits for nothing but the directory and the sender's message.
    MSG msg;
    while (GetMessage(&msg)) {
        DispatchMessage(&msg);
        if (msg.message == WM_SENDER_DONE)
            break;
    }
    sender.join();
    EXPECT_EQ(nResult, std::optional<LRESULT>(77));
    EXPECT_EQ(handler, std::this_thread::get_id());
    EXPECT_EQ(host.NativeWindow(&window)->nRaises, nRaisesBefore + 1);
    EXPECT_EQ(nRefused, std::optional<LRESULT>(0));
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_EQ(window.Count(WM_CLOSE), 0);
}

TEST_F(DirectoryTest, TitlesFollowTheWindowTextAndGoWithTheWindow)
{
    CProbeWnd early;
    ASSERT_TRUE(early.CreateEx(0, kPlainClass, "Early", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_FALSE(Found("Early"));
    ASSERT_TRUE(PublishWindowTitles(strFolder));
    // Windows that existed before are published too.
    EXPECT_TRUE(Found("Early"));

    CProbeWnd window;
    ASSERT_TRUE(window.CreateEx(0, kPlainClass, "Before", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_TRUE(Found("Before"));
    window.SetWindowText("After");
    EXPECT_FALSE(Found("Before"));
    EXPECT_TRUE(Found("After"));
    CProbeWnd child;
    ASSERT_TRUE(child.CreateEx(0, kPlainClass, "Child", WS_CHILD, CRect(0, 0, 5, 5), &window, 1));
    EXPECT_FALSE(Found("Child"));
    window.DestroyWindow();
    EXPECT_FALSE(Found("After"));
    StopPublishingWindowTitles();
    EXPECT_FALSE(Found("Early"));
}

} // namespace
