// The mounts that GIO's volume monitor knows (GVfs mounts among them), by their root URIs.
#pragma once

#include <string>
#include <vector>

// The root URI of every mount the volume monitor lists now ("smb://192.168.1.5/share/",
// "file:///media/usb"); empty when GIO has none. Call it on the GUI thread.
std::vector<std::string> ListGvfsMountRootUris();
