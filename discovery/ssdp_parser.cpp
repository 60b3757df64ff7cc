#include "discovery/ssdp_parser.h"

#include "discovery/protocol.h"

#include <cstring>

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The text between two positions of the message, or empty when either is missing.
std::string_view Between(std::string_view message, std::size_t nBegin, std::size_t nEnd)
{
    if (nBegin == npos || nEnd == npos || nBegin > nEnd)
        return {};
    return message.substr(nBegin, nEnd - nBegin);
}

// The position right after the first occurrence of word at or after nFrom, or npos.
std::size_t After(std::string_view message, std::string_view word, std::size_t nFrom)
{
    if (nFrom == npos || nFrom > message.size())
        return npos;
    const std::size_t nFound = message.find(word, nFrom);
    return nFound == npos ? npos : nFound + word.size();
}

// The LOCATION host, which ends at the first ":", "/", CR or LF after "//", or the sender when
// there is no LOCATION header. Nothing when a LOCATION header has no well-formed host.
std::optional<std::string_view> AddressPiece(std::string_view message, std::string_view senderIP)
{
    const std::size_t nHeader = After(message, SSDP_HEADER_LOCATION, 0);
    if (nHeader == npos)
        return senderIP;
    const std::size_t nHost = After(message, SSDP_URL_HOST_START, nHeader);
    if (nHost == npos)
        return std::nullopt;
    const std::size_t nEnd = message.find_first_of(":/\r\n", nHost);
    if (nEnd == npos)
        return std::nullopt;
    return Between(message, nHost, nEnd);
}

// vendor "/" host "/" product ["/" extra]; a piece whose "/" is missing stays empty.
void SplitProductToken(std::string_view token, SearchDeviceInfo& info)
{
    const std::size_t nFirst = token.find('/');
    if (nFirst == npos)
        return;
    CopyDeviceText(info.szVendor, token.substr(0, nFirst));
    const std::size_t nSecond = token.find('/', nFirst + 1);
    if (nSecond == npos)
        return;
    CopyDeviceText(info.szHost, Between(token, nFirst + 1, nSecond));
    const std::size_t nThird = token.find('/', nSecond + 1);
    if (nThird == npos) {
        CopyDeviceText(info.szProduct, token.substr(nSecond + 1));
        return;
    }
    CopyDeviceText(info.szProduct, Between(token, nSecond + 1, nThird));
    CopyDeviceText(info.szExtra, token.substr(nThird + 1));
}

// SERVER: ... "TUKO/" version "," ... "," one character, then the product token up to CR.
// A search that fails keeps what was found before it.
void ReadServerHeader(std::string_view message, SearchDeviceInfo& info)
{
    const std::size_t nVersion =
        After(message, SSDP_FIRMWARE_VERSION, After(message, SSDP_HEADER_SERVER, 0));
    if (nVersion == npos)
        return;
    const std::size_t nFirstComma = message.find(',', nVersion);
    if (nFirstComma == npos)
        return;
    CopyDeviceText(info.szOSVersion, Between(message, nVersion, nFirstComma));
    const std::size_t nSecondComma = message.find(',', nFirstComma + 1);
    if (nSecondComma == npos || nSecondComma + 2 > message.size())
        return;
    const std::size_t nToken = nSecondComma + 2;
    const std::size_t nEnd = message.find('\r', nToken);
    if (nEnd == npos)
        return;
    SplitProductToken(Between(message, nToken, nEnd), info);
}

std::optional<std::string_view> IdentifierPiece(std::string_view message)
{
    const std::size_t nStart = After(message, SSDP_UUID_START, After(message, SSDP_HEADER_USN, 0));
    if (nStart == npos)
        return std::nullopt;
    const std::size_t nEnd = message.find(SSDP_UUID_END, nStart);
    if (nEnd == npos)
        return std::nullopt;
    return Between(message, nStart, nEnd);
}

std::optional<int> MessageKind(std::string_view message)
{
    if (message.starts_with(SSDP_START_ANSWER))
        return DEVICE_EVENT_ANSWER;
    if (!message.starts_with(SSDP_START_NOTIFY))
        return std::nullopt;
    if (message.find(SSDP_ROOT_DEVICE) == npos)
        return std::nullopt;
    std::size_t nValue = After(message, SSDP_HEADER_NTS, 0);
    if (nValue == npos)
        return std::nullopt;
    nValue = message.find_first_not_of(" \t", nValue);
    const std::string_view value = nValue == npos ? std::string_view() : message.substr(nValue);
    if (value.starts_with(SSDP_NTS_ALIVE))
        return DEVICE_EVENT_ALIVE;
    if (value.starts_with(SSDP_NTS_BYEBYE))
        return DEVICE_EVENT_BYEBYE;
    return DEVICE_EVENT_OTHER;
}

} // namespace

std::optional<SearchDeviceInfo> ParseSsdpMessage(const char* pData, std::size_t nLength,
                                                 std::string_view senderIP)
{
    if (pData == nullptr)
        return std::nullopt;
    const std::string_view message(pData, strnlen(pData, nLength));
    if (message.find(SSDP_FIRMWARE_WORD) == npos)
        return std::nullopt;
    const std::optional<std::string_view> address = AddressPiece(message, senderIP);
    if (!address)
        return std::nullopt;

    SearchDeviceInfo info = MakeDeviceInfo();
    ReadServerHeader(message, info);
    const std::optional<std::string_view> identifier = IdentifierPiece(message);
    if (!identifier)
        return std::nullopt;
    const std::optional<int> kind = MessageKind(message);
    if (!kind)
        return std::nullopt;
    CopyDeviceText(info.szID, *identifier);
    CopyDeviceText(info.szIP, *address);
    info.nType = *kind;
    return info;
}
