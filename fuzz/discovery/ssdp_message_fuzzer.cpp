// Fuzzes the SSDP message parser with whole datagrams, given without a terminating NUL so
// that any read past the end shows.
#include "record_check.h"

#include "discovery/ssdp_parser.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const auto info = ParseSsdpMessage(reinterpret_cast<const char*>(pData), nSize, "192.168.100.200");
    if (!info)
        return 0;
    if (info->nType != 0 && info->nType != 1 && info->nType != 2 && info->nType != 4)
        __builtin_trap();
    CheckRecord(*info);
    return 0;
}
