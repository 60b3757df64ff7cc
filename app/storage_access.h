// My Storage: the selected device's shares in the file manager, after whatever the user still has
// open or connected of that device is closed and disconnected.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_manager_windows.h"
#include "platform/network_resources.h"

// What My Storage reads of the desktop and asks of it; the program uses GetDesktopStorage().
class CStorageDesktop {
public:
    virtual ~CStorageDesktop() = default;
    // The user's network connections: GVfs SMB mounts and the kernel's SMB mounts.
    virtual std::vector<NetworkResource> ListConnections() = 0;
    // The kernel's SMB mounts, which stand for network drive letters, in mount order.
    virtual std::vector<NetworkResource> ListMappedDrives() = 0;
    virtual std::vector<FileManagerWindow> ListFileManagerWindows() = 0;
    virtual bool RequestClose(unsigned long nWindow) = 0;
};

// The desktop of this session (GIO, the kernel's mount table, the X display of $DISPLAY).
CStorageDesktop& GetDesktopStorage();

// One mount point found to be mounted from the device.
struct MappedDrive {
    std::string strLocalName;  // the mount point
    std::string strRemoteName; // its source, "//192.168.1.5/share"
};

// The share root of the device, as the file manager opens it: "smb://192.168.1.5/".
std::string SharePathOf(const std::string& strAddress);

// Asks every file-manager window whose title holds the address as a whole address to close.
void CloseShareWindows(CStorageDesktop& desktop, const std::string& strAddress);

// Disconnects every GVfs connection whose remote host is exactly the address (kernel mounts are
// left to DisconnectMappedDrives); the number of disconnect commands started.
int DisconnectShareConnections(CStorageDesktop& desktop, const std::string& strAddress);

// Fills list with the mounts from exactly the address, the latest first (a mount inside another
// must go before it).
void CollectMappedDrives(CStorageDesktop& desktop, const std::string& strAddress,
                         std::vector<MappedDrive>& list);
// Unmounts each entry in list order, then empties the list.
void DisconnectMappedDrives(std::vector<MappedDrive>& list);
// Unmounts one mount point; nothing for an empty name or one that would read as an option.
void DisconnectDrive(const std::string& strLocalName);

// Starts the command (no shell, not waited for), then pauses 100 ms so that the commands of one
// run reach the system in their order.
void RunHiddenCommand(const std::vector<std::string>& args);

// The share that My Storage opened last. Shares open from short-lived threads, so that a slow
// file manager start never holds the window's thread.
class CShareOpener {
public:
    void SetPath(const std::string& strPath);
    std::string GetPath() const;

private:
    mutable std::mutex m_lock;
    std::string m_strPath;
};

// The process-wide opener. It lives until the process ends, also for threads still opening.
CShareOpener& ShareOpener();

// Stores the share path in the opener and starts a thread that opens that path with the
// desktop's default handler; false when no thread could start.
bool OpenShareAsync(CShareOpener& opener, const std::string& strShare);

// My Storage for a device list row's IP text. A text that is not a dotted IPv4 address does
// nothing (false); otherwise windows, connections and mounts of exactly that address are closed
// and the share root opens.
bool OpenDeviceStorage(std::string_view strIPText);
bool OpenDeviceStorage(std::string_view strIPText, CStorageDesktop& desktop);
