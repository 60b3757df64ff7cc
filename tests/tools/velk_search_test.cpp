// velk-search and velk-fake-device as programs: a search in one namespace finds simulated
// devices in another over both protocols, each once, with the fields the protocols give.
#include "lab_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace {

const std::string VELK_SEARCH = std::string(VELK_BIN_DIR) + "/velk-search";

struct Result {
    std::string strOutput;
    int nExit = -1;
};

Result Finish(netlab::Child& child)
{
    Result result;
    result.strOutput = child.ReadAll();
    const auto status = child.Wait();
    result.nExit = status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    return result;
}

TEST(VelkSearchOptionsTest, BadOptionGetsAOneLineUsageAndExitCode2)
{
    // These runs end at the command line, before any socket exists.
    const std::vector<std::vector<std::string>> cases = {
        {"--wait"}, {"--wait", "soon"}, {"--colour"}, {"--log"}};
    for (auto arguments : cases) {
        arguments.insert(arguments.begin(), VELK_SEARCH);
        const Result result = Finish(*netlab::Spawn(arguments, true));
        EXPECT_EQ(result.nExit, 2) << arguments[1];
        EXPECT_TRUE(result.strOutput.starts_with("velk-search: ")) << result.strOutput;
        EXPECT_NE(result.strOutput.find("usage: velk-search [--wait SECONDS] [--json] [--log FILE]"),
                  std::string::npos);
        EXPECT_EQ(std::count(result.strOutput.begin(), result.strOutput.end(), '\n'), 1) << result.strOutput;
    }
}

class VelkSearchTest : public LabTest {
protected:
    std::vector<std::string> Attachments() const override
    {
        return {"search:a:10.213.0.1/16", "dev:a:10.213.0.2/16,10.213.1.1/16,10.213.1.2/16,10.213.1.3/16"};
    }
    Result Search(std::vector<std::string> arguments, const std::string& strEnvironment = {})
    {
        arguments.insert(arguments.begin(), VELK_SEARCH);
        if (!strEnvironment.empty())
            arguments.insert(arguments.begin(), {"env", strEnvironment});
        return Finish(*lab->Spawn("search", arguments));
    }
};

TEST_F(VelkSearchTest, FindsEachDeviceOnceWithTheFieldsOfItsProtocol)
{
    const std::string long40 = "disk-with-a-host-name-of-forty-character";
    ASSERT_EQ(long40.size(), 40u);
    ASSERT_TRUE(StartFakeDevice("dev", {
        "--device", "id=bc-1,ip=10.213.1.1,host=bdisk,product=WIFI DISK,via=broadcast",
        "--device", "id=12345678-1234-1234-1234-123456789abc,ip=10.213.8.8,host=" + long40 +
                    ",product=NAS2,version=2.0.1,extra=ex,via=ssdp",
        "--device", "id=both-1,ip=10.213.1.3,host=bothdisk,vendor=velk,via=both",
        "--device", "id=acme-1,ip=10.213.1.2,host=acme,vendor=ACME,via=both"}));
    const Result result = Search({"--json", "--wait", "1"});
    ASSERT_EQ(result.nExit, 0) << result.strOutput;
    const nlohmann::json devices = nlohmann::json::parse(result.strOutput);
    ASSERT_TRUE(devices.is_array());

    std::map<std::string, nlohmann::json> byAddress;
    for (const auto& device : devices)
        EXPECT_TRUE(byAddress.emplace(device.at("ip"), device).second) << "twice: " << device;
    EXPECT_EQ(byAddress.size(), 3u) << result.strOutput;
    // Broadcast: the address is the sender's; no extra and no version.
    EXPECT_EQ(byAddress["10.213.1.1"],
              nlohmann::json({{"id", "bc-1"}, {"ip", "10.213.1.1"}, {"host", "bdisk"},
                              {"product", "WIFI DISK"}, {"extra", ""}, {"os_version", ""},
                              {"vendor", "VELK"}, {"type", 1}}));
    // SSDP: the address is the LOCATION host (no such host exists), texts cut to 31.
    EXPECT_EQ(byAddress["10.213.8.8"],
              nlohmann::json({{"id", "12345678-1234-1234-1234-1234567"}, {"ip", "10.213.8.8"},
                              {"host", long40.substr(0, 31)}, {"product", "NAS2"}, {"extra", "ex"},
                              {"os_version", "2.0.1"}, {"vendor", "VELK"}, {"type", 1}}));
    // Answering both ways, the device is merged by its address into one entry.
    EXPECT_EQ(byAddress["10.213.1.3"]["id"], "both-1");
    EXPECT_EQ(byAddress["10.213.1.3"]["vendor"], "velk");
    EXPECT_EQ(byAddress.count("10.213.1.2"), 0u);
}

TEST_F(VelkSearchTest, TableListsHostAddressAndType)
{
    ASSERT_TRUE(StartFakeDevice("dev", {"--id", "t-1", "--ip", "10.213.1.1", "--host", "tdisk",
                                        "--product", "WIFI DISK", "--via", "broadcast"}));
    const Result result = Search({"--wait", "0.5"});
    ASSERT_EQ(result.nExit, 0);
    EXPECT_EQ(result.strOutput,
              "Host name  IP address  Device type\n"
              "tdisk      10.213.1.1  WIFI DISK\n");
}

TEST_F(VelkSearchTest, LogIsWrittenOnlyWhenAskedFor)
{
    char szTemplate[] = "/tmp/velk-search-log-XXXXXX";
    ASSERT_NE(mkdtemp(szTemplate), nullptr);
    const std::filesystem::path folder = szTemplate;
    const std::filesystem::path fromEnvironment = folder / "environment.log";
    const std::filesystem::path fromOption = folder / "option.log";

    EXPECT_EQ(Search({"--wait", "0"}).nExit, 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(Search({"--wait", "0"}, "VELK_SEARCH_LOG=" + fromEnvironment.string()).nExit, 0);
    EXPECT_EQ(Search({"--wait", "0", "--log", fromOption.string()}).nExit, 0);
    for (const auto& path : {fromEnvironment, fromOption}) {
        std::ifstream file(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(text.starts_with("SendThread 67 : Init Search Device Work Thread Value, strIP : , nPort : 67  *["))
            << path;
        EXPECT_TRUE(text.ends_with("\r\n------Exit Log System-------\r\n")) << path;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
