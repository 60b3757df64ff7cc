// The log's switch, its two line formats, its length limits and the exit marker.
#include "log/log_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

class LogSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char szTemplate[] = "/tmp/velk-log-test-XXXXXX";
        ASSERT_NE(mkdtemp(szTemplate), nullptr);
        folder = szTemplate;
        path = folder / "search.log";
        // The echo of every line goes to a scratch stream, not into the test's output.
        pEcho = std::tmpfile();
        ASSERT_NE(pEcho, nullptr);
    }
    void TearDown() override
    {
        CLogSystem::Reset();
        std::fclose(pEcho);
        std::filesystem::remove_all(folder);
    }
    void Enable() { CLogSystem::Enable(path.c_str(), pEcho); }
    std::string FileText() const
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string EchoText() const
    {
        std::fflush(pEcho);
        std::rewind(pEcho);
        std::string text;
        for (int c; (c = std::fgetc(pEcho)) != EOF;)
            text.push_back(static_cast<char>(c));
        return text;
    }

    std::filesystem::path folder;
    std::filesystem::path path;
    std::FILE* pEcho = nullptr;
};

TEST_F(LogSystemTest, OffAfterResetWritesNothingAndCreatesNoFile)
{
    Enable();
    CLogSystem::Reset();
    EXPECT_EQ(CLogSystem::Write("SendThread %d : Begin Search Device Work Thread  ", 67), 0);
    EXPECT_EQ(CLogSystem::WriteStamped("SendThread %d : Finish Search Device Work Thread  ", 67), 0);
    CLogSystem::WriteExitMarker();
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(LogSystemTest, OnWithEmptyPathWritesNothing)
{
    CLogSystem::Enable("", pEcho);
    EXPECT_EQ(CLogSystem::Write("x"), 0);
    EXPECT_EQ(CLogSystem::WriteStamped("x"), 0);
    EXPECT_EQ(EchoText(), "");
}

TEST_F(LogSystemTest, WriteEndsTheMessageWithDayAndTime)
{
    Enable();
    ASSERT_EQ(CLogSystem::Write("SendThread %d : Send Search Device Command  ", 1900), 1);
    const std::string text = FileText();
    const std::regex line(R"(SendThread 1900 : Send Search Device Command  \*\[(\d\d)::(\d\d):(\d\d):(\d\d)\]\r\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(text, match, line)) << text;
    EXPECT_GE(std::stoi(match[1]), 1);
    EXPECT_LE(std::stoi(match[1]), 31);
    EXPECT_LE(std::stoi(match[2]), 23);
    EXPECT_EQ(EchoText(), text);
}

TEST_F(LogSystemTest, WriteStampedStartsWithTimeOfDay)
{
    Enable();
    ASSERT_EQ(CLogSystem::WriteStamped("SendThread %d : Exit Search Device Tread , bExitSock : %d  ", 67, 1), 1);
    const std::regex line(R"(\[--\d\d:\d\d:\d\d(\.\d{6})?--\]\*SendThread 67 : Exit Search Device Tread , bExitSock : 1  \r\n)");
    EXPECT_TRUE(std::regex_match(FileText(), line)) << FileText();
}

TEST_F(LogSystemTest, EmbeddedLineBreakStandsBeforeTheStamp)
{
    Enable();
    ASSERT_EQ(CLogSystem::Write("SendThread %d : Alter Device Mulitcast Group Error : %s  \r\n", 1900, "e"), 1);
    EXPECT_TRUE(std::regex_match(FileText(),
        std::regex(R"(SendThread 1900 : Alter Device Mulitcast Group Error : e  \r\n\*\[\d\d::\d\d:\d\d:\d\d\]\r\n)")));
}

TEST_F(LogSystemTest, MessagesThatWouldNotFitAreDroppedNotCut)
{
    Enable();
    // The stamp of Write adds 17 characters; a line holds at most 1023.
    const struct {
        std::size_t nLength;
        int nWrite;
    } cases[] = {{1, 1}, {1006, 1}, {1007, 0}, {1023, 0}, {1024, 0}, {5000, 0}};
    for (const auto& c : cases) {
        const std::string message(c.nLength, 'm');
        EXPECT_EQ(CLogSystem::Write("%s", message.c_str()), c.nWrite) << c.nLength;
    }
    EXPECT_EQ(CLogSystem::Write("%s", ""), 0);
    EXPECT_EQ(CLogSystem::Write(nullptr), 0);
    EXPECT_EQ(CLogSystem::WriteStamped("%s", std::string(1023, 'm').c_str()), 0);
    EXPECT_EQ(CLogSystem::WriteStamped("%s", std::string(900, 'm').c_str()), 1);

    const std::string text = FileText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find(std::string(1006, 'm') + "*["), std::string::npos);
}

TEST_F(LogSystemTest, UnopenableFileStillEchoesAndCounts)
{
    const std::string missing = (folder / "no-such-folder" / "search.log").string();
    CLogSystem::Enable(missing.c_str(), pEcho);
    EXPECT_EQ(CLogSystem::Write("Get Current Local IP Info "), 1);
    EXPECT_NE(EchoText().find("Get Current Local IP Info *["), std::string::npos);
}

TEST_F(LogSystemTest, ExitMarkerHasNoStampAndOnlyGoesToTheFile)
{
    Enable();
    CLogSystem::WriteExitMarker();
    EXPECT_EQ(FileText(), "------Exit Log System-------\r\n");
    EXPECT_EQ(EchoText(), "");
}

TEST_F(LogSystemTest, LinesFromManyThreadsStayWhole)
{
    Enable();
    std::vector<std::thread> threads;
    for (int nThread = 0; nThread < 4; ++nThread) {
        threads.emplace_back([nThread] {
            for (int i = 0; i < 50; ++i)
                CLogSystem::Write("SendThread %d : Wait Reciver Socket Protocol Info  ", nThread);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    std::istringstream lines(FileText());
    const std::regex line(R"(SendThread [0-3] : Wait Reciver Socket Protocol Info  \*\[\d\d::\d\d:\d\d:\d\d\]\r)");
    int nLines = 0;
    for (std::string text; std::getline(lines, text); ++nLines)
        EXPECT_TRUE(std::regex_match(text, line)) << text;
    EXPECT_EQ(nLines, 200);
}

} // namespace
