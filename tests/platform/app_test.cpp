// The application's run and the message box of the start-up failure.
#include "controls_fixture.h"

#include <cstdlib>

#include "platform/app.h"
#include "platform/button.h"
#include "platform/control_look.h"
#include "platform/message_box.h"

namespace {

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp("Velk Test") {}
    std::function<BOOL(CTestApp&)> onInit;
    std::vector<std::string> calls;

    BOOL InitInstance() override
    {
        calls.push_back("init");
        return onInit ? onInit(*this) : FALSE;
    }
    int ExitInstance() override
    {
        calls.push_back("exit");
        return CWinApp::ExitInstance() + 40;
    }
};

using AppTest = PlatformTest;

TEST_F(AppTest, AnInitInstanceThatReturnsFalseEndsWithExitInstance)
{
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxWinMain(app), 40);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
}

TEST_F(AppTest, TheRunEndsWhenTheMainWindowGoes)
{
    CTestApp app;
    CProbeWnd main;
    app.onInit = [&](CTestApp& self) {
        MakeTop(main);
        self.m_pMainWnd = &main;
        host.Schedule(HostTime(100), [&] { main.DestroyWindow(); });
        return TRUE;
    };
    EXPECT_EQ(AfxWinMain(app), 40);
    EXPECT_EQ(app.calls, (std::vector<std::string>{"init", "exit"}));
    EXPECT_EQ(host.Now(), HostTime(100));
}

bool HasColour(CHeadlessHost& host, CWnd* pWnd, COLORREF clr)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            if (host.GetScreenPixel(pWnd, {x, y}) == clr)
                return true;
    return false;
}

TEST_F(AppTest, TheMessageBoxShowsAWarningTheTextAndOkAndWritesTheTextToStandardError)
{
    CTestApp app;
    int nChecks = 0;
    host.Schedule(HostTime(10), [&] {
        CWnd* pBox = CWnd::GetFocus() ? CWnd::GetFocus()->GetTopLevelParent() : nullptr;
        ASSERT_NE(pBox, nullptr);
        EXPECT_EQ(host.NativeWindow(pBox)->strTitle, "Velk Test");
        CWnd* pOk = pBox->GetDlgItem(IDOK);
        ASSERT_NE(pOk, nullptr);
        EXPECT_EQ(pOk->GetWindowText(), "OK");
        EXPECT_EQ(CWnd::GetFocus(), pOk);
        EXPECT_EQ(pBox->GetDlgItem(IDCANCEL), nullptr);
        EXPECT_TRUE(HasColour(host, pBox, velk::look::kWarningFill));
        ++nChecks;
        host.PressKey(VK_RETURN);
    });
    testing::internal::CaptureStderr();
    const int nAnswer = AfxMessageBox("Failed to create the configuration file!");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to create the configuration file!\n");
    EXPECT_EQ(nAnswer, IDOK);
    EXPECT_EQ(nChecks, 1);

    // With a Cancel button, Escape answers Cancel.
    host.Schedule(HostTime(10), [&] { host.PressKey(VK_ESCAPE); });
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Go on?", "Question", MB_OKCANCEL), IDCANCEL);
    testing::internal::GetCapturedStderr();
}

TEST(AppWithoutDisplayTest, ADesktopRunWithoutADisplaySaysSoAndEndsWithAnError)
{
    const char* szDisplay = std::getenv("DISPLAY");
    const std::string strSaved = szDisplay ? szDisplay : "";
    unsetenv("DISPLAY");
    CTestApp app;
    testing::internal::CaptureStderr();
    const int nExitCode = AfxWinMain(app);
    const std::string strError = testing::internal::GetCapturedStderr();
    if (szDisplay)
        setenv("DISPLAY", strSaved.c_str(), 1);
    EXPECT_EQ(nExitCode, 1);
    EXPECT_NE(strError.find("cannot open the display"), std::string::npos) << strError;
    EXPECT_TRUE(app.calls.empty());
}

} // namespace
