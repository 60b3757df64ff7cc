// My Storage: windows, connections and mounts of exactly the device's address are closed, then its
// share root opens; the commands seen by stand-ins on PATH.
#include "commands_fixture.h"

#include "app/storage_access.h"
#include "platform/mount_table.h"

#include <algorithm>

namespace {

// A desktop whose connections, mounts and windows the test sets.
class CFakeDesktop : public CStorageDesktop {
public:
    std::vector<NetworkResource> connections;
    std::vector<NetworkResource> drives;
    std::vector<FileManagerWindow> windows;
    std::vector<unsigned long> closed;
    int nQueries = 0;

    std::vector<NetworkResource> ListConnections() override
    {
        ++nQueries;
        return connections;
    }
    std::vector<NetworkResource> ListMappedDrives() override
    {
        ++nQueries;
        return drives;
    }
    std::vector<FileManagerWindow> ListFileManagerWindows() override
    {
        ++nQueries;
        return windows;
    }
    bool RequestClose(unsigned long nWindow) override
    {
        closed.push_back(nWindow);
        return true;
    }
};

NetworkResource Gvfs(const std::string& strUri)
{
    return *GvfsResourceFromRootUri(strUri);
}

NetworkResource Kernel(const std::string& strSource, const std::string& strMountPoint)
{
    return {NetworkResourceKind::KernelMount, strSource, HostOfSmbSource(strSource), strMountPoint};
}

// The device 192.168.1.1 beside devices whose addresses begin or end like it.
CFakeDesktop CrowdedDesktop()
{
    CFakeDesktop desktop;
    desktop.drives = {
        Kernel("//192.168.1.1/photos", "/mnt/photos"),
        Kernel("//192.168.1.10/backup", "/mnt/backup"),
        Kernel("//192.168.1.1/my share", "/media/my share"),
        Kernel("//10.192.168.1.1/x", "/mnt/x"),
    };
    desktop.connections = {
        Gvfs("smb://192.168.1.100/music/"),
        Gvfs("smb://192.168.1.1/public/"),
        Gvfs("smb://192.168.1.10/public/"),
        Gvfs("smb://192.168.1.1/"),
    };
    desktop.connections.insert(desktop.connections.end(), desktop.drives.begin(), desktop.drives.end());
    desktop.windows = {
        {11, "org.gnome.Nautilus", "public on 192.168.1.1"},
        {12, "org.gnome.Nautilus", "public on 192.168.1.10"},
        {13, "Thunar", "smb://192.168.1.1/photos/ - File Manager"},
        {14, "Nemo", "Documents"},
        {15, "firefox", "192.168.1.1 - Mozilla Firefox"},
        {16, "Caja", "192.168.1.100"},
    };
    return desktop;
}

using StorageTest = CommandsTest;

TEST_F(StorageTest, OnlyWhatBelongsToExactlyTheDeviceIsClosedAndItsShareRootOpensLast)
{
    CFakeDesktop desktop = CrowdedDesktop();
    EXPECT_TRUE(OpenDeviceStorage("192.168.1.1", desktop));
    EXPECT_EQ(desktop.closed, (std::vector<unsigned long>{11, 13}));
    // GVfs connections, then the kernel mounts (each once, the latest first), then the share.
    EXPECT_EQ(Recorded(5), (std::vector<std::string>{
                               "gio [mount] [-u] [smb://192.168.1.1/public/]",
                               "gio [mount] [-u] [smb://192.168.1.1/]",
                               "umount [/media/my share]",
                               "umount [/mnt/photos]",
                               "xdg-open [smb://192.168.1.1/]",
                           }));
    EXPECT_EQ(ShareOpener().GetPath(), "smb://192.168.1.1/");
}

TEST_F(StorageTest, WithNothingConnectedOnlyTheShareRootOpens)
{
    CFakeDesktop desktop;
    desktop.windows = {{21, "Nemo", "Home"}};
    EXPECT_TRUE(OpenDeviceStorage("10.0.0.7", desktop));
    EXPECT_TRUE(desktop.closed.empty());
    EXPECT_EQ(Recorded(1), (std::vector<std::string>{"xdg-open [smb://10.0.0.7/]"}));
}

TEST_F(StorageTest, ATextThatIsNotAnAddressTouchesNothing)
{
    for (const char* szText : {"", "192.168.1", "192.168.1.1 ", "192.168.1.1/share", "nas.local"}) {
        CFakeDesktop desktop = CrowdedDesktop();
        EXPECT_FALSE(OpenDeviceStorage(szText, desktop)) << szText;
        EXPECT_EQ(desktop.nQueries, 0);
        EXPECT_TRUE(desktop.closed.empty());
    }
    CFakeDesktop empty;
    EXPECT_TRUE(OpenDeviceStorage("192.168.1.2", empty));
    EXPECT_EQ(Recorded(1), (std::vector<std::string>{"xdg-open [smb://192.168.1.2/]"}));
}

TEST_F(StorageTest, TwoQuickRunsOpenTheShareOfEach)
{
    CFakeDesktop desktop;
    EXPECT_TRUE(OpenDeviceStorage("192.168.1.3", desktop));
    EXPECT_TRUE(OpenDeviceStorage("192.168.1.4", desktop));
    std::vector<std::string> lines = Recorded(2);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"xdg-open [smb://192.168.1.3/]", "xdg-open [smb://192.168.1.4/]"}));
}

TEST_F(StorageTest, DrivesAreCollectedLatestFirstAndTheListIsEmptiedWhenDisconnected)
{
    CFakeDesktop desktop = CrowdedDesktop();
    std::vector<MappedDrive> drives{{"/stale", "//1.2.3.4/s"}};
    CollectMappedDrives(desktop, "192.168.1.1", drives);
    ASSERT_EQ(drives.size(), 2u);
    EXPECT_EQ(drives[0].strLocalName, "/media/my share");
    EXPECT_EQ(drives[0].strRemoteName, "//192.168.1.1/my share");
    EXPECT_EQ(drives[1].strLocalName, "/mnt/photos");
    drives.push_back({"", "//192.168.1.1/none"});
    drives.push_back({"-l", "//192.168.1.1/option"});
    DisconnectMappedDrives(drives);
    EXPECT_TRUE(drives.empty());
    // The entries without a usable mount point start nothing.
    DisconnectDrive("/mnt/last");
    EXPECT_EQ(Recorded(3), (std::vector<std::string>{"umount [/media/my share]", "umount [/mnt/photos]",
                                                     "umount [/mnt/last]"}));
}

} // namespace
