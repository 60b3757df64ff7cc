// The record's bounded copy, its comparison and a fresh record.
#include "device_fields.h"

#include "discovery/protocol.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(DeviceInfoTest, FreshRecordIsZeroButTheReservedSixty)
{
    const SearchDeviceInfo info = MakeDeviceInfo();
    EXPECT_EQ(info.nReserved1, 60);
    EXPECT_EQ(info.nReserved2, 0);
    EXPECT_EQ(info.nType, 0);
    EXPECT_EQ(info.cReserved, 0);
    EXPECT_TRUE(FieldsAreSound(info));
    EXPECT_EQ(DeviceFields::Of(info), DeviceFields{});
}

TEST(DeviceInfoTest, CopyCutsAt31AndZeroesTheRest)
{
    const struct {
        std::size_t nLength;
        std::size_t nKept;
    } cases[] = {{0, 0}, {1, 1}, {31, 31}, {32, 31}, {36, 31}, {400, 31}};
    for (const auto& c : cases) {
        char szField[DEVICE_TEXT_SIZE];
        std::memset(szField, 'x', sizeof szField);
        const std::string text(c.nLength, 'a');
        CopyDeviceText(szField, text);
        EXPECT_EQ(DeviceText(szField), text.substr(0, c.nKept)) << c.nLength;
        for (std::size_t n = c.nKept; n < DEVICE_TEXT_SIZE; ++n)
            EXPECT_EQ(szField[n], '\0') << c.nLength << " at " << n;
    }
}

TEST(DeviceInfoTest, UnterminatedFieldReadsNoFurtherThan32Bytes)
{
    char szField[DEVICE_TEXT_SIZE];
    std::memset(szField, 'z', sizeof szField);
    EXPECT_EQ(DeviceText(szField).size(), DEVICE_TEXT_SIZE);
}

TEST(DeviceInfoTest, IdenticalMeansAllSevenTextsEqual)
{
    const DeviceFields base{"id", "10.0.0.2", "host", "product", "extra", "1.0", "VELK", 1};
    SearchDeviceInfo other = MakeDevice(base);
    other.nType = 4;
    other.nReserved1 = 7;
    other.cReserved = 1;
    EXPECT_TRUE(IsIdenticalDevice(MakeDevice(base), other));

    for (std::string DeviceFields::*pField :
         {&DeviceFields::strID, &DeviceFields::strIP, &DeviceFields::strHost,
          &DeviceFields::strProduct, &DeviceFields::strExtra, &DeviceFields::strOSVersion,
          &DeviceFields::strVendor}) {
        DeviceFields changed = base;
        changed.*pField += "x";
        EXPECT_FALSE(IsIdenticalDevice(MakeDevice(base), MakeDevice(changed))) << changed;
    }
    DeviceFields upper = base;
    upper.strVendor = "velk";
    EXPECT_FALSE(IsIdenticalDevice(MakeDevice(base), MakeDevice(upper)));
}

TEST(DeviceInfoTest, BroadcastQueryBytes)
{
    const auto query = BuildBroadcastQuery();
    ASSERT_EQ(query.size(), 148u);
    const std::uint8_t head[] = {0x0B, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(query.data(), head, sizeof head), 0);
    for (std::size_t n = sizeof head; n < query.size(); ++n)
        EXPECT_EQ(query[n], 0) << n;
}

} // namespace
