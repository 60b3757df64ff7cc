// The user's connected network resources: SMB shares mounted through GVfs (GIO) and by the kernel's
// SMB client. The kernel mounts also stand for the platform's network drive letters.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class NetworkResourceKind {
    GvfsMount,   // a GVfs mount, named by its root URI
    KernelMount, // a kernel CIFS/SMB mount, named by its mount point
};

struct NetworkResource {
    NetworkResourceKind nKind = NetworkResourceKind::KernelMount;
    // "smb://192.168.1.5/share/" for a GVfs mount, "//192.168.1.5/share" for a kernel mount.
    std::string strRemoteName;
    // The host part of the remote name ("192.168.1.5"); empty when it names none.
    std::string strRemoteHost;
    // The GVfs root URI, or the kernel mount point (the "drive letter").
    std::string strLocalName;
};

// The resource of a GVfs mount's root URI; nothing unless it is an smb:// URI.
std::optional<NetworkResource> GvfsResourceFromRootUri(std::string_view strUri);

// The SMB mounts of a mountinfo text, in its order.
std::vector<NetworkResource> KernelResourcesFromMountInfo(std::string_view strMountInfo);

// The resources of GVfs root URIs (the smb:// ones, in order) followed by the SMB mounts of a
// mountinfo text: ListNetworkResources over given inputs.
std::vector<NetworkResource> NetworkResourcesFrom(const std::vector<std::string>& gvfsRootUris,
                                                  std::string_view strMountInfo);

// The argument vector that disconnects a resource: {"gio", "mount", "-u", URI} for a GVfs mount,
// {"umount", mount point} for a kernel mount; empty when the local name could read as an option.
std::vector<std::string> DisconnectCommand(const NetworkResource& resource);

// The connected resources now: GVfs SMB mounts first, then the kernel's SMB mounts.
std::vector<NetworkResource> ListNetworkResources();

// The kernel's SMB mounts now, the stand-ins for drive letters mapped to network shares.
std::vector<NetworkResource> ListMappedDrives();

// Starts the resource's disconnect command as a hidden command; false when it could not start.
bool DisconnectNetworkResource(const NetworkResource& resource);
