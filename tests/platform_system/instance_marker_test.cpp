// The single-instance marker across holders and processes.
#include "platform/instance_marker.h"

#include "platform/process.h"
#include "platform/runtime_folder.h"
#include "test_support.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr char kName[] = "VELK WIFI DISK";

std::string MarkerPath(const CTempFolder& folder)
{
    return folder / RuntimeEntryName("marker", kName, ".lock");
}

TEST(CInstanceMarker, SecondHolderLearnsItExists)
{
    CTempFolder folder;
    CInstanceMarker first(kName, folder.Path());
    CInstanceMarker second(kName, folder.Path());
    CInstanceMarker other("another program", folder.Path());
    EXPECT_EQ(first.GetState(), MarkerState::Created);
    EXPECT_EQ(second.GetState(), MarkerState::AlreadyExists);
    EXPECT_EQ(other.GetState(), MarkerState::Created);

    first.Release();
    EXPECT_EQ(first.GetState(), MarkerState::Failed);
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::Created);
}

TEST(CInstanceMarker, IsSeenAcrossProcessesAndGoesWithItsProcess)
{
    CTempFolder folder;
    CChildProcess holder({HelperProgram(), "marker", folder.Path(), kName});
    ASSERT_EQ(holder.ReadLine(), "created");
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::AlreadyExists);

    holder.Kill();
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::Created);
}

TEST(CInstanceMarker, IsNotInheritedByStartedPrograms)
{
    CTempFolder folder;
    CTempFolder bin;
    WriteFileText(bin / "lingering", "#!/bin/sh\nexec sleep 30\n", 0755);
    auto marker = std::make_unique<CInstanceMarker>(kName, folder.Path());
    ASSERT_EQ(marker->GetState(), MarkerState::Created);
    pid_t nPid = StartHiddenCommand({bin / "lingering"});
    ASSERT_GT(nPid, 0);

    marker.reset();
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::Created);
    kill(nPid, SIGKILL);
}

TEST(CInstanceMarker, FailsWithoutAFolderOrOverAStrangersFile)
{
    EXPECT_EQ(CInstanceMarker(kName, std::string()).GetState(), MarkerState::Failed);

    CTempFolder folder;
    CTempFolder elsewhere;
    std::string target = elsewhere / "target";
    WriteFileText(target, "keep\n");
    symlink(target.c_str(), MarkerPath(folder).c_str());
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::Failed);
    EXPECT_EQ(ReadFileText(target), "keep\n");

    if (geteuid() != 0)
        GTEST_SKIP() << "making a stranger's file needs root";
    unlink(MarkerPath(folder).c_str());
    WriteFileText(MarkerPath(folder), "");
    ASSERT_EQ(chown(MarkerPath(folder).c_str(), 65534, 65534), 0);
    EXPECT_EQ(CInstanceMarker(kName, folder.Path()).GetState(), MarkerState::Failed);
}

TEST(CInstanceMarker, UsesTheRuntimeFolder)
{
    CTempFolder folder;
    setenv("XDG_RUNTIME_DIR", folder.Path().c_str(), 1);
    CInstanceMarker marker(kName);
    EXPECT_EQ(marker.GetState(), MarkerState::Created);
    EXPECT_EQ(access(MarkerPath(folder).c_str(), F_OK), 0);
    unsetenv("XDG_RUNTIME_DIR");
}

} // namespace
