// Start-up: the order of its steps, the data folder it writes, its failure message and the second
// start that only brings the first copy's window forward.
#include "app_fixture.h"

#include <filesystem>
#include <span>
#include <sys/stat.h>
#include <thread>

#include "app/embedded_resources.h"
#include "platform/embedded_files.h"
#include "platform/instance_marker.h"
#include "tests/platform/platform_fixture.h"

namespace {

namespace fs = std::filesystem;

std::string EmbeddedText(const char* szKind, int nNumber)
{
    std::span<const BYTE> bytes = FindEmbeddedFile(szKind, nNumber);
    return std::string(bytes.begin(), bytes.end());
}

// InitInstance and ExitInstance as the platform runs them; what went to standard error.
std::string RunStartUp(CTestApp& app)
{
    testing::internal::CaptureStderr();
    EXPECT_FALSE(app.InitInstance());
    app.ExitInstance();
    return testing::internal::GetCapturedStderr();
}

std::vector<std::string> PictureFilesIn(const std::string& strFolder)
{
    std::vector<std::string> names;
    for (const PictureResource& picture : kPictureResources) {
        const std::string name = std::string(picture.szFileName).substr(1);
        if (fs::is_regular_file(strFolder + "/" + name))
            names.push_back(name);
    }
    return names;
}

class StartUpTest : public AppTest {
protected:
    void ExpectDataFolderWritten(int nVariant)
    {
        EXPECT_EQ(ReadFileText(DataFolder() + "/WndLayoutInfo.xml"), EmbeddedText("XML", nVariant));
        for (const PictureResource& picture : kPictureResources) {
            const std::string path = PictureFolder() + "/" + std::string(picture.szFileName).substr(1);
            EXPECT_EQ(ReadFileText(path), EmbeddedText(picture.szKind, picture.nNumber)) << path;
        }
    }
};

TEST_F(StartUpTest, TheSearchStartsAfterTheDataFolderIsWrittenAndBeforeTheWindowAndStopsAtExit)
{
    CTestApp app;
    bool bChecked = false;
    app.onMainWindow = [&] {
        EXPECT_EQ(app.events, (std::vector<std::string>{"start search", "window"}));
        ExpectDataFolderWritten(150);
        // The marker is held while the window runs.
        EXPECT_EQ(CInstanceMarker(kProductName).GetState(), MarkerState::AlreadyExists);
        bChecked = true;
    };
    EXPECT_EQ(RunStartUp(app), "");
    EXPECT_TRUE(bChecked);
    EXPECT_EQ(app.events, (std::vector<std::string>{"start search", "window", "stop search"}));
    EXPECT_EQ(CInstanceMarker(kProductName).GetState(), MarkerState::Created);
}

TEST_F(StartUpTest, EachLanguageWritesItsLayoutVariant)
{
    for (const auto& [nLangId, nVariant] : std::vector<std::pair<LANGID, int>>{
             {0x0C04, 149}, {0x0404, 151}, {0x0411, 150}, {0x0412, 163}, {0x0813, 169}}) {
        CTestApp app;
        app.nLangId = nLangId;
        RunStartUp(app);
        ExpectDataFolderWritten(nVariant);
    }
}

TEST_F(StartUpTest, AnExistingDataFolderIsReusedAndOnlyItsLayoutAndPicturesAreReplaced)
{
    fs::create_directories(PictureFolder());
    WriteFileText(DataFolder() + "/notes.txt", "mine");
    WriteFileText(DataFolder() + "/WndLayoutInfo.xml", std::string(200000, 'x'));
    WriteFileText(PictureFolder() + "/logo.png", "edited by the user");
    CTestApp app;
    RunStartUp(app);
    ExpectDataFolderWritten(150);
    EXPECT_EQ(ReadFileText(DataFolder() + "/notes.txt"), "mine");
    EXPECT_EQ(app.events, (std::vector<std::string>{"start search", "window", "stop search"}));
}

TEST_F(StartUpTest, AMissingDataHomeIsMadeWithItsParents)
{
    CEnvironmentValue home("XDG_DATA_HOME", Root() + "/fresh/account/share");
    CTestApp app;
    RunStartUp(app);
    EXPECT_TRUE(fs::is_regular_file(Root() + "/fresh/account/share/VELKSearchTools/Picture/ButtonMax.png"));
}

TEST_F(StartUpTest, AFileInPlaceOfTheDataFolderGivesTheFailureMessageInTheSystemLanguage)
{
    WriteFileText(DataFolder(), "a file, not a folder");
    CTestApp app;
    app.nLangId = 0x0411;
    EXPECT_EQ(RunStartUp(app), "設定ファイルの作成に失敗しました!\n");
    // Neither the search nor the window; so nothing to stop either.
    EXPECT_TRUE(app.events.empty());
    EXPECT_EQ(ReadFileText(DataFolder()), "a file, not a folder");
}

TEST_F(StartUpTest, AFileInPlaceOfThePictureFolderGivesTheFailureMessage)
{
    fs::create_directories(DataFolder());
    WriteFileText(PictureFolder(), "");
    CTestApp app;
    app.nLangId = 0x0412;
    EXPECT_EQ(RunStartUp(app), "Failed to create the configuration file!\n");
    EXPECT_TRUE(app.events.empty());
}

TEST_F(StartUpTest, WhenTheFirstPictureFailsTheLayoutIsWrittenAndNoPicture)
{
    fs::create_directories(PictureFolder() + "/SearchDevice_BlackGround.bmp");
    CTestApp app;
    app.nLangId = 0x0407;
    EXPECT_EQ(RunStartUp(app), "Erstellung Konfigurationsdatei fehlgeschlagen!\n");
    EXPECT_TRUE(app.events.empty());
    EXPECT_EQ(ReadFileText(DataFolder() + "/WndLayoutInfo.xml"), EmbeddedText("XML", 160));
    EXPECT_TRUE(PictureFilesIn(PictureFolder()).empty());
}

TEST_F(StartUpTest, APictureFailingLaterKeepsTheOnesBeforeIt)
{
    fs::create_directories(PictureFolder() + "/headerclip.png");
    CTestApp app;
    EXPECT_EQ(RunStartUp(app), "Failed to create the configuration file!\n");
    EXPECT_EQ(PictureFilesIn(PictureFolder()),
              (std::vector<std::string>{"SearchDevice_BlackGround.bmp", "SearchDevice_BlackGround.png",
                                        "Brush.png", "logo.png", "headerbackground.png"}));
}

TEST_F(StartUpTest, WithoutADataHomeStartUpFailsInsteadOfWritingToTheFileSystemRoot)
{
    CEnvironmentValue noDataHome("XDG_DATA_HOME", std::nullopt);
    CEnvironmentValue noHome("HOME", std::nullopt);
    CTestApp app;
    EXPECT_EQ(app.GetDataFolderRoot(), "");
    EXPECT_EQ(RunStartUp(app), "Failed to create the configuration file!\n");
    EXPECT_TRUE(app.events.empty());
}

// The second copy runs in a process of its own (velk_app_second_start), as the same application
// with an inert search; it prints what its start-up did.
std::string SecondStartProgram()
{
    return std::string(VELK_BIN_DIR) + "/velk_app_second_start";
}

using SecondStartTest = AppTest;

TEST_F(SecondStartTest, ASecondStartOnlyBringsTheRunningWindowForward)
{
    CHeadlessHost host;
    RegisterTestClasses();
    ASSERT_TRUE(PublishWindowTitles(runtime.Path()));
    constexpr UINT WM_SECOND_DONE = WM_APP + 3;
    CTestApp app;
    std::string strSecond;
    int nBrought = 0;
    app.onMainWindow = [&] {
        CProbeWnd window;
        window.onMessage = [&](UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& nResult) {
            if (nMsg != WM_BRING_TO_FRONT)
                return false;
            nBrought += wParam == 0 && lParam == 0;
            nResult = 1;
            return true;
        };
        ASSERT_TRUE(window.CreateEx(0, kPlainClass, kProductName, WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 328, 245), nullptr, 0));
        CChildProcess second({SecondStartProgram()});
        const HWND hWnd = window.m_hWnd;
        std::thread reader([&, hWnd] {
            strSecond = second.ReadLine();
            PostMessage(hWnd, WM_SECOND_DONE);
        });
        MSG msg;
        while (GetMessage(&msg)) {
            DispatchMessage(&msg);
            if (msg.message == WM_SECOND_DONE)
                break;
        }
        reader.join();
        EXPECT_EQ(second.CloseInputAndWait(), 0);
    };
    RunStartUp(app);
    StopPublishingWindowTitles();
    EXPECT_EQ(nBrought, 1);
    // No data folder work, no search, no window in the second copy.
    EXPECT_EQ(strSecond, "ended:");
    EXPECT_EQ(app.events, (std::vector<std::string>{"start search", "window", "stop search"}));
}

TEST_F(SecondStartTest, ASecondStartWhileTheFirstHasNoWindowYetEndsWithoutEffect)
{
    CTestApp app;
    std::string strSecond;
    app.onMainWindow = [&] {
        fs::remove_all(DataFolder());
        CChildProcess second({SecondStartProgram()});
        strSecond = second.ReadLine();
        EXPECT_EQ(second.CloseInputAndWait(), 0);
    };
    RunStartUp(app);
    EXPECT_EQ(strSecond, "ended:");
    EXPECT_FALSE(fs::exists(DataFolder()));
}

} // namespace
