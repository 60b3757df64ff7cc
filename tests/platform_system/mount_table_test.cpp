// The kernel's mount table and its SMB mounts.
#include "platform/mount_table.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseMountInfo, ReadsEveryWellFormedLine)
{
    std::vector<KernelMount> mounts =
        ParseMountInfo(ReadFileText(VELK_SOURCE_DIR "/tests/platform_system/data/mountinfo.txt"));
    struct {
        const char* szMountPoint;
        const char* szFsType;
        const char* szSource;
    } expected[] = {
        {"/", "ext4", "/dev/sda1"},
        {"/mnt/nas", "cifs", "//192.168.1.5/share"},
        {"/media/My Disk", "smb3", "//192.168.1.50/photos old"},
        {"/run/user/1000/gvfs", "fuse.gvfsd-fuse", "gvfsd-fuse"},
        {"/mnt/back\\slash", "cifs", "\\\\192.168.1.7\\docs"},
        {"/mnt/v6", "cifs", "//[fe80::1]/x"},
        {"/mnt/old", "smbfs", "//nas/legacy"},
    };
    ASSERT_EQ(mounts.size(), std::size(expected));
    for (std::size_t i = 0; i < mounts.size(); ++i) {
        EXPECT_EQ(mounts[i].strMountPoint, expected[i].szMountPoint);
        EXPECT_EQ(mounts[i].strFsType, expected[i].szFsType);
        EXPECT_EQ(mounts[i].strSource, expected[i].szSource);
    }
}

TEST(DecodeMountInfoEscapes, DecodesOnlyThreeOctalDigits)
{
    EXPECT_EQ(DecodeMountInfoEscapes("a\\040b\\011c\\012d\\134e"), "a b\tc\nd\\e");
    EXPECT_EQ(DecodeMountInfoEscapes("\\04"), "\\04");
    EXPECT_EQ(DecodeMountInfoEscapes("\\089"), "\\089");
    EXPECT_EQ(DecodeMountInfoEscapes("end\\"), "end\\");
}

TEST(HostOfSmbSource, TakesTheHostBetweenTheSeparators)
{
    struct {
        const char* szSource;
        const char* szHost;
    } cases[] = {
        {"//192.168.1.5/share", "192.168.1.5"},
        {"//192.168.1.5", "192.168.1.5"},
        {"\\\\192.168.1.7\\docs", "192.168.1.7"},
        {"//[fe80::1]/x", "fe80::1"},
        {"//[fe80::1", ""},
        {"/192.168.1.5/share", ""},
        {"192.168.1.5/share", ""},
        {"///share", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostOfSmbSource(c.szSource), c.szHost) << c.szSource;
}

TEST(IsSmbFileSystem, KnowsTheKernelClientsNames)
{
    for (const char* szType : {"cifs", "smb3", "smbfs"})
        EXPECT_TRUE(IsSmbFileSystem(szType)) << szType;
    for (const char* szType : {"nfs", "fuse.gvfsd-fuse", "CIFS", ""})
        EXPECT_FALSE(IsSmbFileSystem(szType)) << szType;
}

TEST(ReadMountInfo, ReadsTheLiveTable)
{
    std::vector<KernelMount> mounts = ParseMountInfo(ReadMountInfo());
    ASSERT_FALSE(mounts.empty());
    EXPECT_TRUE(std::any_of(mounts.begin(), mounts.end(),
                            [](const KernelMount& m) { return m.strMountPoint == "/"; }));
}

} // namespace
