#include "discovery/broadcast_parser.h"

#include "discovery/protocol.h"

#include <cstring>

namespace {

// The value after the first occurrence of the key, up to the next "&" or the end of the text.
std::string_view KeyValue(std::string_view text, std::string_view key)
{
    const std::size_t nKey = text.find(key);
    if (nKey == std::string_view::npos)
        return {};
    const std::string_view value = text.substr(nKey + key.size());
    return value.substr(0, value.find(BROADCAST_PAIR_SEPARATOR));
}

} // namespace

std::optional<SearchDeviceInfo> ParseBroadcastAnswer(const void* pData, std::size_t nLength,
                                                     std::string_view senderIP)
{
    if (pData == nullptr || nLength != BROADCAST_PACKET_SIZE)
        return std::nullopt;
    BroadcastPacket packet;
    std::memcpy(&packet, pData, sizeof packet);
    if (packet.nOperation != BROADCAST_OP_ANSWER)
        return std::nullopt;

    SearchDeviceInfo info = MakeDeviceInfo();
    CopyDeviceText(info.szIP, senderIP);
    info.nType = packet.nKind;
    const std::string_view text(packet.szText, strnlen(packet.szText, BROADCAST_TEXT_SIZE));
    CopyDeviceText(info.szID, KeyValue(text, BROADCAST_KEY_ID));
    CopyDeviceText(info.szHost, KeyValue(text, BROADCAST_KEY_HOST));
    CopyDeviceText(info.szVendor, KeyValue(text, BROADCAST_KEY_VENDOR));
    CopyDeviceText(info.szProduct, KeyValue(text, BROADCAST_KEY_PRODUCT));
    return info;
}
