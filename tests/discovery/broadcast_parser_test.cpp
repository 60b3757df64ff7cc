// The broadcast answer parser: a table of answers and the records they give.
#include "device_fields.h"

#include "discovery/broadcast_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

namespace {

std::vector<char> Answer(std::uint8_t nOperation, std::uint8_t nKind, const std::string& text,
                         std::size_t nSize = 148)
{
    std::vector<char> packet(nSize, '\0');
    packet[0] = static_cast<char>(nOperation);
    packet[1] = static_cast<char>(nKind);
    std::memcpy(packet.data() + 20, text.data(), std::min(text.size(), nSize - 20));
    return packet;
}

struct Case {
    const char* szName;
    std::vector<char> packet;
    std::string strSender;
    std::optional<DeviceFields> expected;
};

TEST(BroadcastParserTest, AnswersAndTheirRecords)
{
    const std::string s40(40, 'v');
    const std::string s31(31, 'v');
    const std::string longText = "id=" + std::string(125, 'i');
    const Case cases[] = {
        {"four pairs", Answer(0x0C, 1, "id=A1&host=disk&vendor=VELK&product=WIFI DISK"), "10.0.0.5",
         DeviceFields{"A1", "10.0.0.5", "disk", "WIFI DISK", "", "", "VELK", 1}},
        {"any order, lower-case vendor kept", Answer(0x0C, 2, "product=P&vendor=velk&host=H&id=I"),
         "10.0.0.6", DeviceFields{"I", "10.0.0.6", "H", "P", "", "", "velk", 2}},
        {"value cut to 31", Answer(0x0C, 1, "id=" + s40 + "&host=" + s40), "10.0.0.7",
         DeviceFields{s31, "10.0.0.7", s31, "", "", "", "", 1}},
        {"first occurrence wins", Answer(0x0C, 1, "id=one&id=two"), "1.2.3.4",
         DeviceFields{"one", "1.2.3.4", "", "", "", "", "", 1}},
        {"key inside a longer word, placed first", Answer(0x0C, 1, "xid=AAA&id=BBB"), "1.2.3.4",
         DeviceFields{"AAA", "1.2.3.4", "", "", "", "", "", 1}},
        {"missing keys stay empty", Answer(0x0C, 1, "vendor=MERIX7"), "1.2.3.4",
         DeviceFields{"", "1.2.3.4", "", "", "", "", "MERIX7", 1}},
        {"empty value", Answer(0x0C, 1, "id=&host=h"), "1.2.3.4",
         DeviceFields{"", "1.2.3.4", "h", "", "", "", "", 1}},
        {"text ends at its first NUL", Answer(0x0C, 1, std::string("id=A\0host=B", 11)), "1.2.3.4",
         DeviceFields{"A", "1.2.3.4", "", "", "", "", "", 1}},
        {"text fills the whole area", Answer(0x0C, 1, longText), "1.2.3.4",
         DeviceFields{std::string(31, 'i'), "1.2.3.4", "", "", "", "", "", 1}},
        {"removal kind", Answer(0x0C, 4, "id=A1"), "1.2.3.4",
         DeviceFields{"A1", "1.2.3.4", "", "", "", "", "", 4}},
        {"kind copied unchanged", Answer(0x0C, 255, "id=A1"), "1.2.3.4",
         DeviceFields{"A1", "1.2.3.4", "", "", "", "", "", 255}},
        {"long sender cut", Answer(0x0C, 1, "id=A"), std::string(40, '9'),
         DeviceFields{"A", std::string(31, '9'), "", "", "", "", "", 1}},
        {"not a device", Answer(0x0B, 1, "id=A1&vendor=VELK"), "1.2.3.4", std::nullopt},
        {"147 bytes", Answer(0x0C, 1, "id=A1", 147), "1.2.3.4", std::nullopt},
        {"149 bytes", Answer(0x0C, 1, "id=A1", 149), "1.2.3.4", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto info = ParseBroadcastAnswer(c.packet.data(), c.packet.size(), c.strSender);
        ASSERT_EQ(info.has_value(), c.expected.has_value()) << c.szName;
        if (!info)
            continue;
        EXPECT_EQ(DeviceFields::Of(*info), *c.expected) << c.szName;
        EXPECT_TRUE(FieldsAreSound(*info)) << c.szName;
        EXPECT_EQ(info->nReserved1, 60) << c.szName;
    }
}

TEST(BroadcastParserTest, NullDataIsNoAnswer)
{
    EXPECT_FALSE(ParseBroadcastAnswer(nullptr, 148, "1.2.3.4"));
}

} // namespace
