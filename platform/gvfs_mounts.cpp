// GIO's volume monitor, asked once per call; it talks to the GVfs daemons when they run.
#include "platform/gvfs_mounts.h"

#include <gio/gio.h>

std::vector<std::string> ListGvfsMountRootUris()
{
    std::vector<std::string> uris;
    GVolumeMonitor* pMonitor = g_volume_monitor_get();
    if (!pMonitor)
        return uris;
    GList* pMounts = g_volume_monitor_get_mounts(pMonitor);
    for (GList* pItem = pMounts; pItem; pItem = pItem->next) {
        GMount* pMount = G_MOUNT(pItem->data);
        GFile* pRoot = g_mount_get_root(pMount);
        char* szUri = g_file_get_uri(pRoot);
        if (szUri)
            uris.emplace_back(szUri);
        g_free(szUri);
        g_object_unref(pRoot);
    }
    g_list_free_full(pMounts, g_object_unref);
    g_object_unref(pMonitor);
    return uris;
}
