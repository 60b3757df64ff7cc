// The kernel's mount table and SMB sources read from arbitrary bytes.
#include "platform/mount_table.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    for (const KernelMount& mount : ParseMountInfo(text)) {
        std::string host = HostOfSmbSource(mount.strSource);
        // The host is a part of the source, never more than it.
        if (host.size() > mount.strSource.size() || mount.strSource.find(host) == std::string::npos)
            __builtin_trap();
    }
    if (DecodeMountInfoEscapes(text).size() > text.size())
        __builtin_trap();
    return 0;
}
