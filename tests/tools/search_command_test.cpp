// velk-search's command line and its two output forms.
#include "search_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstring>

namespace {

SearchDeviceInfo Device(const char* szID, const char* szIP, const char* szHost, const char* szProduct)
{
    SearchDeviceInfo info = MakeDeviceInfo();
    CopyDeviceText(info.szID, szID);
    CopyDeviceText(info.szIP, szIP);
    CopyDeviceText(info.szHost, szHost);
    CopyDeviceText(info.szProduct, szProduct);
    CopyDeviceText(info.szExtra, "x");
    CopyDeviceText(info.szOSVersion, "1.2");
    CopyDeviceText(info.szVendor, "VELK");
    info.nType = 2;
    return info;
}

TEST(SearchCommandTest, Options)
{
    std::string strError;
    auto command = ParseSearchCommand({}, nullptr, &strError);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->dWaitSeconds, 10.0);
    EXPECT_FALSE(command->bJson);
    EXPECT_EQ(command->strLogPath, "");

    command = ParseSearchCommand({"--json", "--wait", "0.25"}, "/tmp/env.log", &strError);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->dWaitSeconds, 0.25);
    EXPECT_TRUE(command->bJson);
    EXPECT_EQ(command->strLogPath, "/tmp/env.log");

    command = ParseSearchCommand({"--log", "/tmp/option.log", "--wait", "0"}, "/tmp/env.log", &strError);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->strLogPath, "/tmp/option.log");
    EXPECT_EQ(command->dWaitSeconds, 0.0);
}

TEST(SearchCommandTest, BadOptions)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--wait"}, {"--wait", "x"}, {"--wait", "-1"}, {"--wait", "1e3"}, {"--wait", "inf"},
        {"--wait", "1.2.3"}, {"--wait", "99999999"}, {"--log"}, {"--bogus"}, {"json"}};
    for (const auto& arguments : cases) {
        std::string strError;
        EXPECT_FALSE(ParseSearchCommand(arguments, nullptr, &strError)) << arguments[0];
        EXPECT_FALSE(strError.empty());
    }
}

TEST(SearchCommandTest, JsonHasTheKeysInOrderAndTheKindAsANumber)
{
    const std::string json = RenderJson({Device("A1", "10.0.0.5", "disk", "WIFI DISK")});
    EXPECT_EQ(json,
              "[\n  {\n    \"id\": \"A1\",\n    \"ip\": \"10.0.0.5\",\n    \"host\": \"disk\",\n"
              "    \"product\": \"WIFI DISK\",\n    \"extra\": \"x\",\n    \"os_version\": \"1.2\",\n"
              "    \"vendor\": \"VELK\",\n    \"type\": 2\n  }\n]\n");
    EXPECT_EQ(RenderJson({}), "[]\n");
}

TEST(SearchCommandTest, BadBytesAreReplacedAndTheOutputStaysValid)
{
    const auto devices = {Device("A1", "10.0.0.5", "bad\xff\xfe" "name", "quote\"back\\slash\x1b[31m")};
    const auto parsed = nlohmann::json::parse(RenderJson(devices));
    EXPECT_EQ(parsed[0]["host"], "bad\xEF\xBF\xBD\xEF\xBF\xBDname");
    EXPECT_EQ(parsed[0]["product"], "quote\"back\\slash\x1b[31m");

    const std::string table = RenderTable(devices);
    EXPECT_NE(table.find("bad\xEF\xBF\xBD\xEF\xBF\xBDname"), std::string::npos) << table;
    EXPECT_EQ(table.find('\x1b'), std::string::npos) << table;
    EXPECT_EQ(PrintableText("ok \xC3\xA9"), "ok \xC3\xA9");
    EXPECT_EQ(PrintableText("tab\tnew\nline"), "tab\xEF\xBF\xBDnew\xEF\xBF\xBDline");
}

TEST(SearchCommandTest, TableHasTheListsThreeColumnsInRegistryOrder)
{
    const std::string table = RenderTable({Device("A", "10.0.0.12", "first-disk", "WIFI DISK"),
                                           Device("B", "10.0.0.5", "b", "NAS")});
    EXPECT_EQ(table,
              "Host name   IP address  Device type\n"
              "first-disk  10.0.0.12   WIFI DISK\n"
              "b           10.0.0.5    NAS\n");
}

} // namespace
