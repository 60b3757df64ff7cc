// The per-user folder that holds the program's runtime markers and sockets.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// $XDG_RUNTIME_DIR when it is an absolute directory of the user closed to everyone else, else
// /tmp/velk-<uid>, created with mode 0700 and accepted only as the user's own directory; empty when
// neither can be had.
std::string GetRuntimeFolder();

// GetRuntimeFolder with its inputs given: the XDG value, the folder that takes the fallback
// ("/tmp") and the user id that must own the result.
std::string RuntimeFolderFrom(std::string_view strXdgRuntimeDir, std::string_view strFallbackParent,
                              uid_t nUid);

// A short file name for a runtime entry named by any text: prefix, up to 24 letters and digits of
// the name, a 64-bit hash of the whole name in hex, suffix ("marker-VELKWIFIDISK-1f...c2.lock").
std::string RuntimeEntryName(std::string_view strPrefix, std::string_view strName,
                             std::string_view strSuffix);

// Whether the path is a directory itself (not a link), owned by nUid and closed to group and
// others.
bool IsPrivateFolder(const std::string& strPath, uid_t nUid);
