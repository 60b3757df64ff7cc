// Starting programs: argument vectors, PATH look-up, /dev/null streams, own session, reaping.
#include "platform/process.h"

#include "test_support.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A process that is gone for good, not a zombie: a zombie still takes signals.
bool IsReaped(pid_t nPid)
{
    return kill(nPid, 0) != 0 && errno == ESRCH;
}

class ProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* szPath = std::getenv("PATH");
        strOldPath = szPath ? szPath : "";
        setenv("PATH", (bin.Path() + ":" + strOldPath).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", strOldPath.c_str(), 1); }

    CTempFolder bin;
    CTempFolder records;
    std::string strOldPath;
};

TEST(FindProgramInPath, SearchesTheFoldersInOrder)
{
    CTempFolder first;
    CTempFolder second;
    WriteFileText(second / "tool", "#!/bin/sh\n", 0755);
    WriteFileText(first / "tool", "not executable\n", 0644);
    std::string path = first.Path() + "::" + second.Path();
    EXPECT_EQ(FindProgramInPath("tool", path), second / "tool");
    WriteFileText(first / "tool", "#!/bin/sh\n", 0755);
    EXPECT_EQ(FindProgramInPath("tool", path), first / "tool");
    EXPECT_EQ(FindProgramInPath("missing", path), "");
    EXPECT_EQ(FindProgramInPath("./relative/tool", path), "./relative/tool");
    EXPECT_EQ(FindProgramInPath("", path), "");
    EXPECT_EQ(FindProgramInPath("tool", ""), "");
}

TEST_F(ProcessTest, PassesEachArgumentAsItStandsWithoutAShell)
{
    WriteRecordingStandIn(bin.Path(), "umount", records.Path());
    std::vector<std::string> args = {"umount", "/mnt/My Disk;touch x", "$(reboot)", "'\"`", ""};
    pid_t nPid = StartHiddenCommand(args);
    ASSERT_GT(nPid, 0);
    ASSERT_TRUE(WaitUntil([&] { return !RecordedArguments(records / "umount.args").empty(); }));
    EXPECT_EQ(RecordedArguments(records / "umount.args"),
              std::vector<std::string>(args.begin() + 1, args.end()));
    EXPECT_TRUE(WaitUntil([&] { return IsReaped(nPid); }));
}

TEST_F(ProcessTest, StartsDetachedWithNothingOfOurs)
{
    // A descriptor without close-on-exec, as a careless library might leave one. The probe reads
    // its own descriptors from a subshell, whose redirection leaves them as they were.
    int nOpened = open("/dev/null", O_RDONLY);
    int nLeak = dup2(nOpened, 57);
    close(nOpened);
    ASSERT_EQ(nLeak, 57);
    std::string part = records / "probe.txt.part";
    std::string probe = "( readlink /proc/$$/fd/0; readlink /proc/$$/fd/1; readlink /proc/$$/fd/2\n"
                        "  [ -e /proc/$$/fd/57 ] && echo leaked || echo clean\n"
                        "  set -- $(cat /proc/$$/stat); [ \"$6\" = \"$$\" ] && echo leader\n"
                        ") > '" + part + "'\n"
                        "mv '" + part + "' '" + records / "probe.txt" + "'\n";
    WriteRecordingStandIn(bin.Path(), "probe", records.Path(), probe);
    pid_t nPid = StartHiddenCommand({"probe"});
    close(nLeak);
    ASSERT_GT(nPid, 0);
    ASSERT_TRUE(WaitUntil([&] { return !ReadFileText(records / "probe.txt").empty(); }));
    EXPECT_EQ(ReadFileText(records / "probe.txt"),
              "/dev/null\n/dev/null\n/dev/null\nclean\nleader\n");
    EXPECT_TRUE(WaitUntil([&] { return IsReaped(nPid); }));
}

TEST_F(ProcessTest, ReportsAProgramThatCannotStart)
{
    EXPECT_EQ(StartHiddenCommand({}), -1);
    EXPECT_EQ(StartHiddenCommand({"velk-no-such-program"}), -1);
    WriteFileText(bin / "broken", "#!/nonexistent/interpreter\n", 0755);
    EXPECT_EQ(StartHiddenCommand({"broken"}), -1);
}

TEST_F(ProcessTest, OpensTargetsWithXdgOpen)
{
    WriteRecordingStandIn(bin.Path(), "xdg-open", records.Path());
    for (const char* szTarget : {"http://192.168.1.1", "smb://192.168.1.1/", "/home/u/My Files"}) {
        unlink((records / "xdg-open.args").c_str());
        ASSERT_GT(OpenWithDefaultHandler(szTarget), 0) << szTarget;
        ASSERT_TRUE(
            WaitUntil([&] { return !RecordedArguments(records / "xdg-open.args").empty(); }));
        EXPECT_EQ(RecordedArguments(records / "xdg-open.args"), std::vector<std::string>{szTarget});
    }
}

TEST_F(ProcessTest, RefusesTargetsThatReadAsOptions)
{
    EXPECT_EQ(OpenWithDefaultHandler("--help"), -1);
    EXPECT_EQ(OpenWithDefaultHandler("-"), -1);
    EXPECT_EQ(OpenWithDefaultHandler(""), -1);
}

TEST_F(ProcessTest, ManyShortCommandsLeaveNoZombies)
{
    WriteFileText(bin / "quick", "#!/bin/sh\nexit 3\n", 0755);
    std::vector<pid_t> pids;
    for (int i = 0; i < 20; ++i)
        pids.push_back(StartHiddenCommand({"quick"}));
    for (pid_t nPid : pids) {
        ASSERT_GT(nPid, 0);
        ASSERT_TRUE(WaitUntil([&] { return IsReaped(nPid); })) << nPid;
    }
}

} // namespace
