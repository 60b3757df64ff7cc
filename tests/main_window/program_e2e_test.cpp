// The real program on a private X server in a private network with three simulated devices: its
// window appears with its title and shape, the devices fill its list during the first countdown,
// and a second start leaves the one window and brings it to the front. With VELK_SCREENSHOT=FILE.png the window is also
// written to that file once it lists the devices.
#include "program_desktop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include <arpa/inet.h>
#include <sys/wait.h>

#include "app/dravonel_dlg.h"
#include "platform/remote_window.h"
#include "tests/platform/picture_files.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kTitle = "VELK WIFI DISK";

std::string AddressText(LRESULT nAddress)
{
    in_addr address{htonl(static_cast<std::uint32_t>(nAddress))};
    char szText[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, szText, sizeof szText);
    return szText;
}

TEST(ProgramTest, TheWindowListsTheSimulatedDevicesDuringItsFirstCountdown)
{
    CProgramDesktop desktop;
    std::string strReason;
    if (!desktop.Start(strReason))
        GTEST_SKIP() << strReason;
    const std::unique_ptr<netlab::Child> pProgram = desktop.StartProgram();
    ASSERT_NE(pProgram, nullptr);

    unsigned long nWindow = 0;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<unsigned long> windows = desktop.WindowsTitled(kTitle);
            nWindow = windows.empty() ? 0 : windows.front();
            return nWindow && desktop.IsShown(nWindow);
        },
        10s))
        << pProgram->ReadAll(100ms);
    const auto shown = std::chrono::steady_clock::now();
    EXPECT_EQ(desktop.WindowProperty(nWindow, "WM_NAME"), kTitle);

    // The window is shaped by its mask: the rounded top corners are cut, the rest is there.
    const CWindowImage firstImage = desktop.Capture(nWindow);
    EXPECT_EQ(firstImage.nWidth, 328);
    EXPECT_EQ(firstImage.nHeight, 245);
    EXPECT_TRUE(desktop.IsShaped(nWindow));
    const std::vector<CShapeRect> shape = desktop.Shape(nWindow);
    EXPECT_FALSE(InShape(shape, 0, 0));
    EXPECT_FALSE(InShape(shape, 327, 0));
    EXPECT_TRUE(InShape(shape, 164, 0));
    EXPECT_TRUE(InShape(shape, 164, 120));
    EXPECT_TRUE(InShape(shape, 0, 120));

    CRemoteWindow remote = CRemoteWindow::FindWindow(kTitle, desktop.RuntimeFolder());
    ASSERT_TRUE(remote.IsValid());
    LRESULT nRows = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            nRows = remote.SendMessage(WM_QUERY_DEVICE_ROW_COUNT, 0, 0).value_or(-1);
            return nRows >= static_cast<LRESULT>(kDesktopDeviceAddresses.size());
        },
        9s, 50ms))
        << nRows << " rows";
    EXPECT_LT(std::chrono::steady_clock::now() - shown, 9s) << "the devices came after the countdown";
    std::set<std::string> listed;
    for (LRESULT nRow = 0; nRow < nRows; ++nRow)
        listed.insert(AddressText(remote.SendMessage(WM_QUERY_DEVICE_ROW_ADDRESS, static_cast<WPARAM>(nRow), 0).value_or(-1)));
    EXPECT_EQ(listed, std::set<std::string>(kDesktopDeviceAddresses.begin(), kDesktopDeviceAddresses.end()));
    EXPECT_EQ(nRows, 3);

    if (const char* szShot = std::getenv("VELK_SCREENSHOT")) {
        std::this_thread::sleep_for(300ms);
        const CWindowImage image = desktop.Capture(nWindow);
        WritePng(szShot, image.nWidth, image.nHeight, [&](int x, int y) {
            const std::uint32_t nPixel = image.At(x, y);
            const int nAlpha = InShape(shape, x, y) ? 255 : 0;
            return Rgba(static_cast<int>(nPixel >> 16 & 0xFF), static_cast<int>(nPixel >> 8 & 0xFF),
                        static_cast<int>(nPixel & 0xFF), nAlpha);
        });
    }

    // A second start ends by itself, leaves the one window and brings it to the front.
    const unsigned long nCover = desktop.CoverScreen();
    ASSERT_TRUE(desktop.IsAbove(nCover, nWindow));
    const std::unique_ptr<netlab::Child> pSecond = desktop.StartProgram();
    ASSERT_NE(pSecond, nullptr);
    const std::string strSecondOutput = pSecond->ReadAll(10s);
    const std::optional<int> status = pSecond->Wait(1s);
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << strSecondOutput;
    EXPECT_EQ(desktop.WindowsTitled(kTitle).size(), 1u);
    EXPECT_TRUE(WaitFor([&] { return desktop.IsAbove(nWindow, nCover); }, 2s));
    EXPECT_TRUE(remote.SendMessage(WM_QUERY_DEVICE_ROW_COUNT, 0, 0).has_value()) << "the first copy is still there";

    // Under the sanitizers, whatever they found in the running copy is in its output.
    pProgram->Terminate();
    const std::string strOutput = pProgram->ReadAll(5s);
    EXPECT_EQ(strOutput.find("Sanitizer"), std::string::npos) << strOutput;
    EXPECT_EQ(strOutput.find("runtime error"), std::string::npos) << strOutput;
}

} // namespace
