// Finds or makes the runtime folder; nothing is followed or trusted that the user does not own.
#include "platform/runtime_folder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::uint64_t Fnv1a64(std::string_view text)
{
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool IsAsciiLetterOrDigit(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsOwnDirectory(const std::string& strPath, uid_t nUid)
{
    struct stat st { };
    return lstat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == nUid;
}

} // namespace

bool IsPrivateFolder(const std::string& strPath, uid_t nUid)
{
    struct stat st { };
    return lstat(strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == nUid &&
        (st.st_mode & 077) == 0;
}

std::string RuntimeFolderFrom(std::string_view strXdgRuntimeDir, std::string_view strFallbackParent,
                              uid_t nUid)
{
    std::string xdg(strXdgRuntimeDir);
    while (xdg.size() > 1 && xdg.back() == '/')
        xdg.pop_back();
    if (xdg.starts_with('/') && IsPrivateFolder(xdg, nUid))
        return xdg;

    std::string fallback = std::string(strFallbackParent) + "/velk-" + std::to_string(nUid);
    mkdir(fallback.c_str(), 0700);
    // A folder of our own with loose rights (an old umask, a copy) is tightened; one that belongs
    // to somebody else is never used, because its owner could read or replace what we put there.
    if (IsOwnDirectory(fallback, nUid) && !IsPrivateFolder(fallback, nUid))
        chmod(fallback.c_str(), 0700);
    return IsPrivateFolder(fallback, nUid) ? fallback : std::string();
}

std::string GetRuntimeFolder()
{
    const char* szXdg = std::getenv("XDG_RUNTIME_DIR");
    return RuntimeFolderFrom(szXdg ? szXdg : "", "/tmp", geteuid());
}

std::string RuntimeEntryName(std::string_view strPrefix, std::string_view strName,
                             std::string_view strSuffix)
{
    std::string name(strPrefix);
    name += '-';
    std::size_t nLetters = 0;
    for (unsigned char c : strName) {
        if (IsAsciiLetterOrDigit(c) && nLetters < 24) {
            name += static_cast<char>(c);
            ++nLetters;
        }
    }
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a64(strName)));
    return name + '-' + hash + std::string(strSuffix);
}
