// Network resources from GVfs root URIs and kernel SMB mounts, and their disconnect commands.
#include "platform/network_resources.h"

#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(GvfsResourceFromRootUri, TakesSmbUrisWithTheirHost)
{
    struct {
        const char* szUri;
        const char* szHost;
    } cases[] = {
        {"smb://192.168.1.5/share/", "192.168.1.5"},
        {"smb://192.168.1.5/", "192.168.1.5"},
        {"smb://WORKGROUP;user@192.168.1.5/share/", "192.168.1.5"},
        {"smb://nas.local:445/a%20b/", "nas.local"},
        {"SMB://192.168.1.6/x/", "192.168.1.6"},
        {"smb://[fe80::1]/x/", "fe80::1"},
        {"smb:///x/", ""},
    };
    for (const auto& c : cases) {
        std::optional<NetworkResource> resource = GvfsResourceFromRootUri(c.szUri);
        ASSERT_TRUE(resource) << c.szUri;
        EXPECT_EQ(resource->nKind, NetworkResourceKind::GvfsMount);
        EXPECT_EQ(resource->strRemoteName, c.szUri);
        EXPECT_EQ(resource->strLocalName, c.szUri);
        EXPECT_EQ(resource->strRemoteHost, c.szHost) << c.szUri;
    }
    for (const char* szUri :
         {"file:///media/usb/", "sftp://192.168.1.5/", "smb", "", "//192.168.1.5/x"})
        EXPECT_FALSE(GvfsResourceFromRootUri(szUri)) << szUri;
}

TEST(KernelResourcesFromMountInfo, KeepsTheSmbMountsInOrder)
{
    std::vector<NetworkResource> resources = KernelResourcesFromMountInfo(
        ReadFileText(VELK_SOURCE_DIR "/tests/platform_system/data/mountinfo.txt"));
    struct {
        const char* szRemote;
        const char* szHost;
        const char* szLocal;
    } expected[] = {
        {"//192.168.1.5/share", "192.168.1.5", "/mnt/nas"},
        {"//192.168.1.50/photos old", "192.168.1.50", "/media/My Disk"},
        {"\\\\192.168.1.7\\docs", "192.168.1.7", "/mnt/back\\slash"},
        {"//[fe80::1]/x", "fe80::1", "/mnt/v6"},
        {"//nas/legacy", "nas", "/mnt/old"},
    };
    ASSERT_EQ(resources.size(), std::size(expected));
    for (std::size_t i = 0; i < resources.size(); ++i) {
        EXPECT_EQ(resources[i].nKind, NetworkResourceKind::KernelMount);
        EXPECT_EQ(resources[i].strRemoteName, expected[i].szRemote);
        EXPECT_EQ(resources[i].strRemoteHost, expected[i].szHost);
        EXPECT_EQ(resources[i].strLocalName, expected[i].szLocal);
    }
}

TEST(NetworkResourcesFrom, PutsGvfsMountsBeforeKernelMounts)
{
    std::vector<NetworkResource> resources = NetworkResourcesFrom(
        {"file:///media/usb/", "smb://192.168.1.5/share/", "sftp://h/", "smb://192.168.1.6/"},
        "45 22 0:40 / /mnt/nas rw - cifs //192.168.1.7/x rw\n");
    ASSERT_EQ(resources.size(), 3u);
    EXPECT_EQ(resources[0].strRemoteName, "smb://192.168.1.5/share/");
    EXPECT_EQ(resources[1].strRemoteName, "smb://192.168.1.6/");
    EXPECT_EQ(resources[2].strLocalName, "/mnt/nas");
    EXPECT_EQ(resources[2].strRemoteHost, "192.168.1.7");
}

TEST(DisconnectCommand, NamesTheMountAsOneArgument)
{
    using Args = std::vector<std::string>;
    NetworkResource gvfs{NetworkResourceKind::GvfsMount, "smb://192.168.1.5/s/", "192.168.1.5",
                         "smb://192.168.1.5/s/"};
    NetworkResource kernel{NetworkResourceKind::KernelMount, "//192.168.1.5/s", "192.168.1.5",
                           "/media/My Disk;reboot"};
    NetworkResource option{NetworkResourceKind::KernelMount, "//x/s", "x", "-a"};
    EXPECT_EQ(DisconnectCommand(gvfs), (Args{"gio", "mount", "-u", "smb://192.168.1.5/s/"}));
    EXPECT_EQ(DisconnectCommand(kernel), (Args{"umount", "/media/My Disk;reboot"}));
    EXPECT_EQ(DisconnectCommand(option), Args{});
    EXPECT_EQ(DisconnectCommand(NetworkResource{}), Args{});
}

TEST(DisconnectNetworkResource, RunsTheCommandFoundOnPath)
{
    CTempFolder bin;
    CTempFolder records;
    WriteRecordingStandIn(bin.Path(), "umount", records.Path());
    WriteRecordingStandIn(bin.Path(), "gio", records.Path());
    std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.Path() + ":" + oldPath).c_str(), 1);

    EXPECT_TRUE(DisconnectNetworkResource(
        {NetworkResourceKind::KernelMount, "//192.168.1.5/s", "192.168.1.5", "/mnt/nas"}));
    EXPECT_TRUE(DisconnectNetworkResource({NetworkResourceKind::GvfsMount, "smb://192.168.1.5/",
                                           "192.168.1.5", "smb://192.168.1.5/"}));
    EXPECT_FALSE(DisconnectNetworkResource({NetworkResourceKind::KernelMount, "//x/s", "x", ""}));
    ASSERT_TRUE(WaitUntil([&] {
        return !RecordedArguments(records / "umount.args").empty() &&
            !RecordedArguments(records / "gio.args").empty();
    }));
    EXPECT_EQ(RecordedArguments(records / "umount.args"), std::vector<std::string>{"/mnt/nas"});
    EXPECT_EQ(RecordedArguments(records / "gio.args"),
              (std::vector<std::string>{"mount", "-u", "smb://192.168.1.5/"}));
    setenv("PATH", oldPath.c_str(), 1);
}

TEST(ListNetworkResources, RunsWithoutGvfsAndIncludesTheKernelMounts)
{
    // A test machine has no GVfs daemon; the monitor must still answer, and every kernel SMB mount
    // must be among the resources.
    std::vector<NetworkResource> resources = ListNetworkResources();
    for (const NetworkResource& drive : ListMappedDrives()) {
        EXPECT_TRUE(std::any_of(resources.begin(), resources.end(), [&](const NetworkResource& r) {
            return r.strLocalName == drive.strLocalName;
        })) << drive.strLocalName;
    }
    for (const NetworkResource& resource : resources)
        EXPECT_FALSE(DisconnectCommand(resource).empty()) << resource.strLocalName;
}

} // namespace
