#include "platform/system.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string EnvironmentText(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string GetDataFolderRoot()
{
    // The XDG base directory rules: a relative XDG_DATA_HOME is invalid and must be ignored.
    std::string dataHome = EnvironmentText("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome.front() == '/')
        return WithoutTrailingSeparators(dataHome);
    std::string home = EnvironmentText("HOME");
    if (!home.empty() && home.front() == '/')
        return WithoutTrailingSeparators(home) + "/.local/share";
    return {};
}

std::string ToNativePath(std::string_view path)
{
    std::string native(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}
