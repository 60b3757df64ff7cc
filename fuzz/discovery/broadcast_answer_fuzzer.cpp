// Fuzzes the broadcast answer parser with whole datagrams.
#include "record_check.h"

#include "discovery/broadcast_parser.h"
#include "discovery/protocol.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const auto info = ParseBroadcastAnswer(pData, nSize, "192.168.100.200");
    if (!info)
        return 0;
    if (nSize != BROADCAST_PACKET_SIZE || pData[0] != BROADCAST_OP_ANSWER || info->nType != pData[1])
        __builtin_trap();
    CheckRecord(*info);
    return 0;
}
