// Every constant of the two search protocols on the wire: the 148-byte broadcast packet, the
// SSDP group, the M-SEARCH request, the ports and the header words the parser looks for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Broadcast search: the query goes from local port 67 to 255.255.255.255:68; devices answer
// to port 67 with a packet of the same layout.
constexpr int BROADCAST_LOCAL_PORT = 67;
constexpr int BROADCAST_DEVICE_PORT = 68;
constexpr char BROADCAST_ADDRESS[] = "255.255.255.255";

constexpr std::uint8_t BROADCAST_OP_QUERY = 0x0B;
constexpr std::uint8_t BROADCAST_OP_ANSWER = 0x0C;
constexpr std::uint8_t BROADCAST_QUERY_KIND = 0x01;
constexpr std::size_t BROADCAST_TEXT_SIZE = 128;

struct BroadcastPacket {
    std::uint8_t nOperation;
    std::uint8_t nKind;
    std::uint8_t nReserved[2];
    std::uint8_t nAddress[4];
    std::uint8_t nReservedWords[12];
    char szText[BROADCAST_TEXT_SIZE];
};

constexpr std::size_t BROADCAST_PACKET_SIZE = 148;
constexpr std::size_t BROADCAST_OFFSET_OPERATION = 0;
constexpr std::size_t BROADCAST_OFFSET_KIND = 1;
constexpr std::size_t BROADCAST_OFFSET_ADDRESS = 4;
constexpr std::size_t BROADCAST_OFFSET_TEXT = 20;
static_assert(sizeof(BroadcastPacket) == BROADCAST_PACKET_SIZE);
static_assert(offsetof(BroadcastPacket, nOperation) == BROADCAST_OFFSET_OPERATION);
static_assert(offsetof(BroadcastPacket, nKind) == BROADCAST_OFFSET_KIND);
static_assert(offsetof(BroadcastPacket, nAddress) == BROADCAST_OFFSET_ADDRESS);
static_assert(offsetof(BroadcastPacket, szText) == BROADCAST_OFFSET_TEXT);

// Keys of the answer's text area, read in this order.
constexpr char BROADCAST_KEY_ID[] = "id=";
constexpr char BROADCAST_KEY_HOST[] = "host=";
constexpr char BROADCAST_KEY_VENDOR[] = "vendor=";
constexpr char BROADCAST_KEY_PRODUCT[] = "product=";
constexpr char BROADCAST_PAIR_SEPARATOR = '&';

// The query: 0B 01 00 00 FF FF FF FF and 140 zero bytes.
std::array<std::uint8_t, BROADCAST_PACKET_SIZE> BuildBroadcastQuery();

// SSDP search over a group of the system's own (not the standard 239.255.255.250).
constexpr char SSDP_GROUP[] = "239.143.255.250";
constexpr int SSDP_PORT = 1900;
constexpr int SSDP_FIRST_COMMAND_PORT = 1530;
constexpr int SSDP_COMMAND_PORT_STEP = 20;
constexpr char SSDP_DEVICE_TYPE[] = "urn:schemas-upnp-org:device:HomeNasDevice:1";

constexpr char SSDP_MSEARCH[] =
    "M-SEARCH * HTTP/1.1\r\n"
    "HOST: 239.143.255.250:1900\r\n"
    "ST: urn:schemas-upnp-org:device:HomeNasDevice:1\r\n"
    "MAN: \"ssdp:discover\"\r\n"
    "MX: 3\r\n"
    "\r\n";
constexpr std::size_t SSDP_MSEARCH_SIZE = sizeof(SSDP_MSEARCH) - 1;
static_assert(SSDP_MSEARCH_SIZE == 129);

// Words of an SSDP message, matched exactly as written (case-sensitive).
constexpr char SSDP_FIRMWARE_WORD[] = "TUKO";
constexpr char SSDP_FIRMWARE_VERSION[] = "TUKO/";
constexpr char SSDP_HEADER_LOCATION[] = "LOCATION:";
constexpr char SSDP_HEADER_SERVER[] = "SERVER:";
constexpr char SSDP_HEADER_USN[] = "USN:";
constexpr char SSDP_HEADER_NTS[] = "NTS:";
constexpr char SSDP_URL_HOST_START[] = "//";
constexpr char SSDP_UUID_START[] = "uuid:";
constexpr char SSDP_UUID_END[] = "::";
constexpr char SSDP_ROOT_DEVICE[] = "rootdevice";
constexpr char SSDP_START_ANSWER[] = "HTTP";
constexpr char SSDP_START_NOTIFY[] = "NOTIFY";
constexpr char SSDP_NTS_ALIVE[] = "ssdp:alive";
constexpr char SSDP_NTS_BYEBYE[] = "ssdp:byebye";

// Receive side shared by every worker: at most 1024 bytes, always followed by a NUL.
constexpr std::size_t RECEIVE_LENGTH = 1024;
constexpr std::size_t RECEIVE_BUFFER_SIZE = RECEIVE_LENGTH + 1;

// The only vendor words whose devices the registry keeps (compared in upper case).
constexpr char VENDOR_MERIX7[] = "MERIX7";
constexpr char VENDOR_VELK[] = "VELK";
