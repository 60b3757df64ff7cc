// Network resources from GVfs root URIs and the kernel's mount table.
#include "platform/network_resources.h"

#include "platform/gvfs_mounts.h"
#include "platform/mount_table.h"
#include "platform/process.h"

#include <glib.h>

std::optional<NetworkResource> GvfsResourceFromRootUri(std::string_view strUri)
{
    std::string uri(strUri);
    GUri* pUri = g_uri_parse(uri.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!pUri)
        return std::nullopt;
    std::optional<NetworkResource> resource;
    if (g_ascii_strcasecmp(g_uri_get_scheme(pUri), "smb") == 0) {
        const char* szHost = g_uri_get_host(pUri);
        resource = NetworkResource{NetworkResourceKind::GvfsMount, uri, szHost ? szHost : "", uri};
    }
    g_uri_unref(pUri);
    return resource;
}

std::vector<NetworkResource> KernelResourcesFromMountInfo(std::string_view strMountInfo)
{
    std::vector<NetworkResource> resources;
    for (const KernelMount& mount : ParseMountInfo(strMountInfo)) {
        if (IsSmbFileSystem(mount.strFsType))
            resources.push_back({NetworkResourceKind::KernelMount, mount.strSource,
                                 HostOfSmbSource(mount.strSource), mount.strMountPoint});
    }
    return resources;
}

std::vector<std::string> DisconnectCommand(const NetworkResource& resource)
{
    const std::string& local = resource.strLocalName;
    if (local.empty() || local.front() == '-')
        return {};
    if (resource.nKind == NetworkResourceKind::GvfsMount)
        return {"gio", "mount", "-u", local};
    return {"umount", local};
}

std::vector<NetworkResource> NetworkResourcesFrom(const std::vector<std::string>& gvfsRootUris,
                                                  std::string_view strMountInfo)
{
    std::vector<NetworkResource> resources;
    for (const std::string& uri : gvfsRootUris) {
        if (std::optional<NetworkResource> resource = GvfsResourceFromRootUri(uri))
            resources.push_back(std::move(*resource));
    }
    for (NetworkResource& resource : KernelResourcesFromMountInfo(strMountInfo))
        resources.push_back(std::move(resource));
    return resources;
}

std::vector<NetworkResource> ListNetworkResources()
{
    return NetworkResourcesFrom(ListGvfsMountRootUris(), ReadMountInfo());
}

std::vector<NetworkResource> ListMappedDrives()
{
    return KernelResourcesFromMountInfo(ReadMountInfo());
}

bool DisconnectNetworkResource(const NetworkResource& resource)
{
    std::vector<std::string> command = DisconnectCommand(resource);
    return !command.empty() && StartHiddenCommand(command) > 0;
}
