// My Storage over the desktop's stand-ins: GVfs and kernel SMB mounts for the connections and
// drive letters, gio and umount to disconnect them, the X11 file-manager windows, xdg-open.
#include "app/storage_access.h"

#include "app/device_address.h"
#include "platform/address_text.h"
#include "platform/process.h"

#include <chrono>
#include <memory>
#include <system_error>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kCommandPause{100};

class CSessionStorage : public CStorageDesktop {
public:
    std::vector<NetworkResource> ListConnections() override { return ListNetworkResources(); }
    std::vector<NetworkResource> ListMappedDrives() override { return ::ListMappedDrives(); }
    std::vector<FileManagerWindow> ListFileManagerWindows() override
    {
        return Windows().List();
    }
    bool RequestClose(unsigned long nWindow) override { return Windows().RequestClose(nWindow); }

private:
    // Connected on first use: a session without a display simply has no windows to close.
    CFileManagerWindows& Windows()
    {
        if (!m_pWindows)
            m_pWindows = std::make_unique<CFileManagerWindows>();
        return *m_pWindows;
    }

    std::unique_ptr<CFileManagerWindows> m_pWindows;
};

} // namespace

CStorageDesktop& GetDesktopStorage()
{
    static CSessionStorage desktop;
    return desktop;
}

std::string SharePathOf(const std::string& strAddress)
{
    return "smb://" + strAddress + "/";
}

void CloseShareWindows(CStorageDesktop& desktop, const std::string& strAddress)
{
    // X11 file managers draw their address bars themselves; the title, where they name the
    // folder and its server, is the one text of theirs to read.
    for (const FileManagerWindow& window : desktop.ListFileManagerWindows()) {
        if (IsFileManagerClass(window.strClass) && TextHoldsIPv4Address(window.strText, strAddress))
            desktop.RequestClose(window.nWindow);
    }
}

int DisconnectShareConnections(CStorageDesktop& desktop, const std::string& strAddress)
{
    int nStarted = 0;
    for (const NetworkResource& resource : desktop.ListConnections()) {
        // Kernel mounts are the drive letters too; the drives' step unmounts them, once.
        if (resource.nKind == NetworkResourceKind::KernelMount ||
            !IsSameIPv4Address(resource.strRemoteHost, strAddress))
            continue;
        const std::vector<std::string> command = DisconnectCommand(resource);
        if (command.empty())
            continue;
        RunHiddenCommand(command);
        ++nStarted;
    }
    return nStarted;
}

void CollectMappedDrives(CStorageDesktop& desktop, const std::string& strAddress,
                         std::vector<MappedDrive>& list)
{
    list.clear();
    const std::vector<NetworkResource> drives = desktop.ListMappedDrives();
    for (auto it = drives.rbegin(); it != drives.rend(); ++it) {
        if (IsSameIPv4Address(it->strRemoteHost, strAddress))
            list.push_back({it->strLocalName, it->strRemoteName});
    }
}

void DisconnectMappedDrives(std::vector<MappedDrive>& list)
{
    for (const MappedDrive& drive : list)
        DisconnectDrive(drive.strLocalName);
    list.clear();
}

void DisconnectDrive(const std::string& strLocalName)
{
    const std::vector<std::string> command =
        DisconnectCommand({NetworkResourceKind::KernelMount, {}, {}, strLocalName});
    if (!command.empty())
        RunHiddenCommand(command);
}

void RunHiddenCommand(const std::vector<std::string>& args)
{
    StartHiddenCommand(args);
    std::this_thread::sleep_for(kCommandPause);
}

void CShareOpener::SetPath(const std::string& strPath)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_strPath = strPath;
}

std::string CShareOpener::GetPath() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_strPath;
}

CShareOpener& ShareOpener()
{
    static CShareOpener* pOpener = new CShareOpener;
    return *pOpener;
}

bool OpenShareAsync(CShareOpener& opener, const std::string& strShare)
{
    opener.SetPath(strShare);
    // Each thread opens the path of its own click, even when a second click follows at once.
    try {
        std::thread([strShare] { OpenWithDefaultHandler(strShare); }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool OpenDeviceStorage(std::string_view strIPText)
{
    return OpenDeviceStorage(strIPText, GetDesktopStorage());
}

bool OpenDeviceStorage(std::string_view strIPText, CStorageDesktop& desktop)
{
    const std::optional<std::string> address = ParseDeviceAddress(strIPText);
    if (!address)
        return false;
    CloseShareWindows(desktop, *address);
    DisconnectShareConnections(desktop, *address);
    std::vector<MappedDrive> drives;
    CollectMappedDrives(desktop, *address, drives);
    DisconnectMappedDrives(drives);
    return OpenShareAsync(ShareOpener(), SharePathOf(*address));
}
