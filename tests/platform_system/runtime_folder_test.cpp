// The runtime folder: the XDG one when it is private, else a private folder of our own.
#include "platform/runtime_folder.h"

#include "test_support.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t kStranger = 65534;

mode_t ModeOf(const std::string& path)
{
    struct stat st { };
    lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(RuntimeFolderFrom, TakesAPrivateXdgFolder)
{
    CTempFolder xdg;
    CTempFolder parent;
    EXPECT_EQ(RuntimeFolderFrom(xdg.Path() + "/", parent.Path(), geteuid()), xdg.Path());
}

TEST(RuntimeFolderFrom, FallsBackToAPrivateFolderWhenXdgIsUnfit)
{
    CTempFolder xdg;
    chmod(xdg.Path().c_str(), 0755);
    CTempFolder other;
    symlink(other.Path().c_str(), (xdg / "link").c_str());
    for (std::string unfit :
         {std::string(), std::string("relative/dir"), xdg.Path(), xdg / "link", xdg / "missing"}) {
        CTempFolder parent;
        std::string expected = parent / ("velk-" + std::to_string(geteuid()));
        EXPECT_EQ(RuntimeFolderFrom(unfit, parent.Path(), geteuid()), expected) << unfit;
        EXPECT_EQ(ModeOf(expected), 0700u);
    }
}

TEST(RuntimeFolderFrom, TightensItsOwnLooseFolder)
{
    CTempFolder parent;
    std::string folder = parent / ("velk-" + std::to_string(geteuid()));
    mkdir(folder.c_str(), 0777);
    chmod(folder.c_str(), 0777);
    EXPECT_EQ(RuntimeFolderFrom("", parent.Path(), geteuid()), folder);
    EXPECT_EQ(ModeOf(folder), 0700u);
}

TEST(RuntimeFolderFrom, NeverUsesAFolderItDoesNotOwn)
{
    CTempFolder parent;
    CTempFolder target;
    std::string folder = parent / ("velk-" + std::to_string(geteuid()));
    symlink(target.Path().c_str(), folder.c_str());
    EXPECT_EQ(RuntimeFolderFrom("", parent.Path(), geteuid()), "");

    if (geteuid() != 0)
        GTEST_SKIP() << "making a stranger's folder needs root";
    unlink(folder.c_str());
    mkdir(folder.c_str(), 0700);
    ASSERT_EQ(chown(folder.c_str(), kStranger, kStranger), 0);
    EXPECT_EQ(RuntimeFolderFrom("", parent.Path(), geteuid()), "");
    EXPECT_EQ(RuntimeFolderFrom(folder, "/nonexistent", geteuid()), "");
}

TEST(RuntimeEntryName, IsShortReadableAndTellsNamesApart)
{
    EXPECT_EQ(RuntimeEntryName("marker", "VELK WIFI DISK", ".lock").substr(0, 20),
              "marker-VELKWIFIDISK-");
    EXPECT_NE(RuntimeEntryName("w", "a b", ""), RuntimeEntryName("w", "a_b", ""));
    EXPECT_EQ(RuntimeEntryName("w", "a b", ""), RuntimeEntryName("w", "a b", ""));
    std::string name = RuntimeEntryName("window", std::string(1000, '/') + "..\n", ".sock");
    EXPECT_LE(name.size(), 6 + 1 + 24 + 1 + 16 + 5);
    EXPECT_EQ(name.find('/'), std::string::npos);
}

} // namespace
