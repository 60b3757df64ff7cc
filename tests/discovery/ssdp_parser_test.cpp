// The SSDP message parser: a table of messages and the records they give.
#include "device_fields.h"

#include "discovery/protocol.h"
#include "discovery/ssdp_parser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

const std::string LOCATION = "LOCATION: http://10.0.0.7:80/desc.xml\r\n";
const std::string SERVER = "SERVER: Linux UPnP/1.0 TUKO/2.1.3, UPnP/1.0, VELK/disk7/WIFI DISK/x1\r\n";
const std::string USN = "USN: uuid:0123-abcd::urn:schemas-upnp-org:device:HomeNasDevice:1\r\n";
const std::string ANSWER = "HTTP/1.1 200 OK\r\n";
const std::string NOTIFY = "NOTIFY * HTTP/1.1\r\nNT: upnp:rootdevice\r\n";

std::string Server(const std::string& token)
{
    return "SERVER: Linux UPnP/1.0 TUKO/2.1.3, UPnP/1.0, " + token + "\r\n";
}

DeviceFields Full(int nType)
{
    return {"0123-abcd", "10.0.0.7", "disk7", "WIFI DISK", "x1", "2.1.3", "VELK", nType};
}

DeviceFields With(DeviceFields fields, std::string DeviceFields::*pField, std::string value)
{
    fields.*pField = std::move(value);
    return fields;
}

DeviceFields WithoutServer(DeviceFields fields)
{
    fields.strHost = fields.strProduct = fields.strExtra = fields.strOSVersion = fields.strVendor = "";
    return fields;
}

struct Case {
    const char* szName;
    std::string strMessage;
    std::optional<DeviceFields> expected;
};

TEST(SsdpParserTest, MessagesAndTheirRecords)
{
    const std::string uuid36 = "12345678-1234-1234-1234-123456789abc";
    const std::string long40(40, 'L');
    const std::string cut31(31, 'L');
    const Case cases[] = {
        {"search answer", ANSWER + LOCATION + SERVER + USN, Full(1)},
        {"address from the sender without LOCATION", ANSWER + SERVER + USN,
         With(Full(1), &DeviceFields::strIP, "192.168.9.9")},
        {"LOCATION without //", ANSWER + "LOCATION: 10.0.0.7:80\r\n" + SERVER + USN, std::nullopt},
        {"LOCATION without a port ends at /", ANSWER + "LOCATION: http://10.0.0.7/desc.xml\r\n" + SERVER + USN,
         Full(1)},
        {"LOCATION without a path ends at CR", ANSWER + "LOCATION: http://10.0.0.7\r\n" + SERVER + USN,
         Full(1)},
        {"LOCATION host running to the end", ANSWER + SERVER + USN + "LOCATION: http://10.0.0.7",
         std::nullopt},
        {"no firmware word", ANSWER + LOCATION + "SERVER: Linux, UPnP/1.0, VELK/d/p\r\n" + USN,
         std::nullopt},
        {"our own M-SEARCH", SSDP_MSEARCH, std::nullopt},
        {"firmware word outside SERVER", ANSWER + LOCATION + "SERVER: Linux, a, VELK/d/p\r\n" +
         "USN: uuid:TUKO-1::x\r\n", With(WithoutServer(Full(1)), &DeviceFields::strID, "TUKO-1")},
        {"token with one slash", ANSWER + LOCATION + Server("VELK/disk7") + USN,
         DeviceFields{"0123-abcd", "10.0.0.7", "", "", "", "2.1.3", "VELK", 1}},
        {"token with two slashes", ANSWER + LOCATION + Server("VELK/disk7/WIFI DISK") + USN,
         With(Full(1), &DeviceFields::strExtra, "")},
        {"token with four slashes", ANSWER + LOCATION + Server("VELK/disk7/WIFI DISK/x1/more") + USN,
         With(Full(1), &DeviceFields::strExtra, "x1/more")},
        {"token without a slash", ANSWER + LOCATION + Server("VELKdisk") + USN,
         With(WithoutServer(Full(1)), &DeviceFields::strOSVersion, "2.1.3")},
        {"token without its CR", ANSWER + LOCATION + USN + "SERVER: TUKO/2.1.3, a, VELK/d/p",
         With(WithoutServer(Full(1)), &DeviceFields::strOSVersion, "2.1.3")},
        {"second comma ends the message", ANSWER + LOCATION + USN + "SERVER: TUKO/2.1.3, a,",
         With(WithoutServer(Full(1)), &DeviceFields::strOSVersion, "2.1.3")},
        {"no USN", ANSWER + LOCATION + SERVER, std::nullopt},
        {"USN without uuid:", ANSWER + LOCATION + SERVER + "USN: 0123::x\r\n", std::nullopt},
        {"USN without ::", ANSWER + LOCATION + SERVER + "USN: uuid:0123\r\n", std::nullopt},
        {"36-character UUID cut to 31", ANSWER + LOCATION + SERVER + "USN: uuid:" + uuid36 + "::x\r\n",
         With(Full(1), &DeviceFields::strID, uuid36.substr(0, 31))},
        {"long pieces cut to 31", ANSWER + LOCATION + "SERVER: TUKO/" + long40 + ", a, " + long40 +
         "/" + long40 + "/" + long40 + "/" + long40 + "\r\n" + USN,
         DeviceFields{"0123-abcd", "10.0.0.7", cut31, cut31, cut31, cut31, cut31, 1}},
        {"alive", NOTIFY + LOCATION + "NTS: ssdp:alive\r\n" + SERVER + USN, Full(2)},
        {"byebye after blanks and tabs", NOTIFY + LOCATION + "NTS:\t  ssdp:byebye\r\n" + SERVER + USN,
         Full(4)},
        {"other NTS", NOTIFY + LOCATION + "NTS: ssdp:update\r\n" + SERVER + USN, Full(0)},
        {"NOTIFY without rootdevice", "NOTIFY * HTTP/1.1\r\n" + LOCATION + "NTS: ssdp:alive\r\n" +
         SERVER + USN, std::nullopt},
        {"NOTIFY without NTS", NOTIFY + LOCATION + SERVER + USN, std::nullopt},
        {"other first word", "M-SEARCH * HTTP/1.1\r\n" + LOCATION + SERVER + USN, std::nullopt},
        {"lower-case location is not LOCATION", ANSWER + "location: http://10.0.0.7:80/\r\n" + SERVER + USN,
         With(Full(1), &DeviceFields::strIP, "192.168.9.9")},
        {"lower-case usn is not USN", ANSWER + LOCATION + SERVER + "usn: uuid:0123-abcd::x\r\n",
         std::nullopt},
        {"message ends at its first NUL", ANSWER + LOCATION + SERVER + std::string(1, '\0') + USN,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const auto info = ParseSsdpMessage(c.strMessage.data(), c.strMessage.size(), "192.168.9.9");
        ASSERT_EQ(info.has_value(), c.expected.has_value()) << c.szName;
        if (!info)
            continue;
        EXPECT_EQ(DeviceFields::Of(*info), *c.expected) << c.szName;
        EXPECT_TRUE(FieldsAreSound(*info)) << c.szName;
        EXPECT_EQ(info->nReserved1, 60) << c.szName;
    }
}

TEST(SsdpParserTest, AliveAndByebyeCutALongIdentifierAlike)
{
    const std::string usn = "USN: uuid:12345678-1234-1234-1234-123456789abc::upnp:rootdevice\r\n";
    const std::string alive = NOTIFY + LOCATION + "NTS: ssdp:alive\r\n" + SERVER + usn;
    const std::string byebye = NOTIFY + "NTS: ssdp:byebye\r\n" + SERVER + usn;
    const auto aliveInfo = ParseSsdpMessage(alive.data(), alive.size(), "10.0.0.7");
    const auto byebyeInfo = ParseSsdpMessage(byebye.data(), byebye.size(), "10.0.0.9");
    ASSERT_TRUE(aliveInfo && byebyeInfo);
    EXPECT_EQ(DeviceText(aliveInfo->szID), DeviceText(byebyeInfo->szID));
    EXPECT_EQ(byebyeInfo->nType, 4);
}

TEST(SsdpParserTest, MSearchIsThe129BytesOfTheRequest)
{
    EXPECT_EQ(std::string(SSDP_MSEARCH, SSDP_MSEARCH_SIZE),
              "M-SEARCH * HTTP/1.1\r\nHOST: 239.143.255.250:1900\r\n"
              "ST: urn:schemas-upnp-org:device:HomeNasDevice:1\r\nMAN: \"ssdp:discover\"\r\n"
              "MX: 3\r\n\r\n");
    EXPECT_EQ(SSDP_MSEARCH_SIZE, 129u);
}

} // namespace
