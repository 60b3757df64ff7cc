#include "discovery/protocol.h"

#include <cstring>

std::array<std::uint8_t, BROADCAST_PACKET_SIZE> BuildBroadcastQuery()
{
    BroadcastPacket packet;
    std::memset(&packet, 0, sizeof packet);
    packet.nOperation = BROADCAST_OP_QUERY;
    packet.nKind = BROADCAST_QUERY_KIND;
    std::memset(packet.nAddress, 0xFF, sizeof packet.nAddress);
    std::array<std::uint8_t, BROADCAST_PACKET_SIZE> query;
    std::memcpy(query.data(), &packet, sizeof packet);
    return query;
}
