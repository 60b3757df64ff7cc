// The coordinator in a private network: one worker per role and local address with its port,
// the exact queries of one search on the wire, and devices arriving, announcing themselves and
// leaving through the registry.
#include "device_fields.h"
#include "lab_fixture.h"

#include "discovery/broadcast_thread.h"
#include "discovery/multicast_thread.h"
#include "discovery/multicommand_thread.h"
#include "discovery/protocol.h"
#include "discovery/search_coordinator.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/udp.hpp>

#include <algorithm>
#include <set>

namespace {

using namespace std::chrono_literals;

// The searching host has two addresses on segment a (the default route) and one on segment
// b; "dev" sits on a with addresses for simulated devices, "far" on b.
class CoordinatorTest : public LabTest {
protected:
    std::vector<std::string> Attachments() const override
    {
        return {"search:a:10.213.0.1/16,10.213.0.9/16", "search:b:10.214.0.1/16",
                "dev:a:10.213.0.2/16,10.213.1.1/16,10.213.1.2/16,10.213.1.3/16",
                "far:b:10.214.0.2/16"};
    }
    void SetUp() override
    {
        LabTest::SetUp();
        if (IsSkipped())
            return;
        inside = std::make_unique<netlab::Lab::Inside>(*lab, "search");
        ASSERT_TRUE(inside->Entered());
    }
    void TearDown() override
    {
        inside.reset();
        LabTest::TearDown();
    }

    std::set<DeviceFields> Devices() const
    {
        std::set<DeviceFields> found;
        for (const SearchDeviceInfo& info : registry.Snapshot())
            found.insert(DeviceFields::Of(info));
        return found;
    }
    std::set<std::string> Addresses() const
    {
        std::set<std::string> found;
        for (const SearchDeviceInfo& info : registry.Snapshot())
            found.insert(std::string(DeviceText(info.szIP)));
        return found;
    }

    CSearchDeviceManager registry;
    std::unique_ptr<netlab::Lab::Inside> inside;
};

// Every query line a fake device prints until it has been quiet for a while.
std::multiset<std::string> Queries(netlab::Child& device)
{
    std::multiset<std::string> queries;
    while (const auto line = device.ReadLine(400ms))
        queries.insert(*line);
    return queries;
}

std::string Hex(const void* pData, std::size_t nSize)
{
    std::string text;
    char szByte[3];
    for (std::size_t n = 0; n < nSize; ++n) {
        std::snprintf(szByte, sizeof szByte, "%02x", static_cast<const unsigned char*>(pData)[n]);
        text += szByte;
    }
    return text;
}

TEST_F(CoordinatorTest, OneWorkerPerRoleAndLocalAddressOnItsOwnPort)
{
    CSearchCoordinator coordinator;
    coordinator.StartSearch(registry);
    const auto& table = coordinator.WorkerTable();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_NE(dynamic_cast<CSearchDeviceBroadcastThread*>(table[0].second.get()), nullptr);
    EXPECT_EQ(typeid(*table[1].second), typeid(CSearchDeviceMulticastThread));
    const struct {
        const char* szAddress;
        const char* szBound;
        int nPort;
    } expected[] = {{"", "0.0.0.0", 67},
                    {"", "0.0.0.0", 1900},
                    {"10.213.0.1", "10.213.0.1", 1530},
                    {"10.213.0.9", "10.213.0.9", 1550},
                    {"10.214.0.1", "10.214.0.1", 1570}};
    for (std::size_t n = 0; n < table.size(); ++n) {
        EXPECT_EQ(table[n].first, expected[n].szAddress) << n;
        const auto local = table[n].second->LocalEndpoint();
        EXPECT_EQ(local.address().to_string(), expected[n].szBound) << n;
        EXPECT_EQ(local.port(), expected[n].nPort) << n;
    }
    for (std::size_t n = 2; n < table.size(); ++n)
        EXPECT_NE(dynamic_cast<CSearchDeviceMultiCommandThead*>(table[n].second.get()), nullptr);

    coordinator.SendSearch();
    EXPECT_EQ(table.size(), 5u);
    ASSERT_EQ(lab->Run("search", {"ip", "address", "add", "10.213.0.5/16", "dev", "eth0"}), 0);
    coordinator.SendSearch();
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table[5].first, "10.213.0.5");
    EXPECT_EQ(table[5].second->LocalEndpoint().port(), 1590);

    const auto start = std::chrono::steady_clock::now();
    coordinator.StopSearch();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    for (const auto& entry : table) {
        EXPECT_TRUE(entry.second->WaitUntilThreadsLeft(0ms));
        EXPECT_EQ(entry.second->LocalEndpoint().port(), 0);
    }
    coordinator.SendSearch();
    EXPECT_EQ(table.size(), 6u);
}

TEST_F(CoordinatorTest, TakenCommandPortMovesOnlyThatWorker)
{
    boost::asio::io_context io;
    boost::asio::ip::udp::socket holder(io, boost::asio::ip::udp::endpoint(
        boost::asio::ip::make_address_v4("10.213.0.1"), 1530));
    CSearchCoordinator coordinator;
    coordinator.StartSearch(registry);
    const auto& table = coordinator.WorkerTable();
    ASSERT_EQ(table.size(), 5u);
    EXPECT_EQ(table[2].second->LocalEndpoint().port(), 1531);
    EXPECT_EQ(table[3].second->LocalEndpoint().port(), 1550);
}

TEST_F(CoordinatorTest, EverySearchSendsExactlyOneQueryPerWorker)
{
    netlab::Child* near = StartFakeDevice("dev", {"--print-queries", "--ip", "10.213.1.1"});
    netlab::Child* far = StartFakeDevice("far", {"--print-queries", "--ip", "10.214.0.2"});
    ASSERT_TRUE(near && far);
    CSearchCoordinator coordinator;
    coordinator.StartSearch(registry);

    const std::string query = Hex(BuildBroadcastQuery().data(), BROADCAST_PACKET_SIZE);
    const std::string msearch = Hex(SSDP_MSEARCH, SSDP_MSEARCH_SIZE);
    ASSERT_EQ(query, "0b010000ffffffff" + std::string(280, '0'));
    ASSERT_EQ(std::string(SSDP_MSEARCH, SSDP_MSEARCH_SIZE),
              "M-SEARCH * HTTP/1.1\r\nHOST: 239.143.255.250:1900\r\n"
              "ST: urn:schemas-upnp-org:device:HomeNasDevice:1\r\nMAN: \"ssdp:discover\"\r\nMX: 3\r\n\r\n");
    const std::multiset<std::string> nearQueries = {
        "query broadcast 10.213.0.1:67 -> 255.255.255.255:68 148 " + query,
        "query ssdp 10.213.0.1:1900 -> 239.143.255.250:1900 129 " + msearch,
        "query ssdp 10.213.0.1:1530 -> 239.143.255.250:1900 129 " + msearch,
        "query ssdp 10.213.0.9:1550 -> 239.143.255.250:1900 129 " + msearch};
    // The worker of the address on segment b sends by that segment's interface, though the
    // default route goes by segment a.
    const std::multiset<std::string> farQueries = {
        "query ssdp 10.214.0.1:1570 -> 239.143.255.250:1900 129 " + msearch};
    for (int nSearch = 0; nSearch < 2; ++nSearch) {
        coordinator.SendSearch();
        EXPECT_EQ(Queries(*near), nearQueries) << "search " << nSearch;
        EXPECT_EQ(Queries(*far), farQueries) << "search " << nSearch;
    }
}

TEST_F(CoordinatorTest, DevicesArriveAnnounceThemselvesAndLeave)
{
    ASSERT_TRUE(StartFakeDevice("dev", {
        "--device", "id=bc-1,ip=10.213.1.1,host=bdisk,via=broadcast",
        "--device", "id=12345678-1234-1234-1234-123456789abc,ip=10.213.7.7,host=sdisk,via=ssdp,extra=e1",
        "--device", "id=other,ip=10.213.1.2,vendor=ACME",
        "--device", "id=merix,ip=10.213.1.3,vendor=merix7,via=broadcast"}));
    ASSERT_TRUE(StartFakeDevice("far", {"--id", "far-1", "--ip", "10.214.0.2", "--via", "ssdp"}));
    CSearchCoordinator coordinator;
    coordinator.StartSearch(registry);
    coordinator.SendSearch();

    const std::set<DeviceFields> found = {
        {"bc-1", "10.213.1.1", "bdisk", "WIFI DISK", "", "", "VELK", 1},
        {"merix", "10.213.1.3", "velkdisk", "WIFI DISK", "", "", "merix7", 1},
        {"12345678-1234-1234-1234-1234567", "10.213.7.7", "sdisk", "WIFI DISK", "e1", "1.0.0", "VELK", 1},
        {"far-1", "10.214.0.2", "velkdisk", "WIFI DISK", "", "1.0.0", "VELK", 1}};
    ASSERT_TRUE(Eventually([&] { return Devices() == found; })) << ::testing::PrintToString(Devices());

    // An SSDP device that leaves, and a broadcast device that reports its removal.
    ASSERT_EQ(RunFakeDevice("dev", {"--notify", "byebye", "--via", "ssdp", "--ip", "10.213.7.7",
                                    "--id", "12345678-1234-1234-1234-123456789abc"}), 0);
    ASSERT_EQ(RunFakeDevice("dev", {"--notify", "byebye", "--via", "broadcast", "--ip", "10.213.1.1",
                                    "--id", "bc-1"}), 0);
    EXPECT_TRUE(Eventually([&] {
        return Addresses() == std::set<std::string>{"10.213.1.3", "10.214.0.2"};
    })) << ::testing::PrintToString(Addresses());

    // A device that announces itself appears without a search.
    ASSERT_EQ(RunFakeDevice("dev", {"--notify", "alive", "--via", "ssdp", "--ip", "10.213.9.9",
                                    "--id", "new-1", "--host", "fresh"}), 0);
    EXPECT_TRUE(Eventually([&] { return Addresses().count("10.213.9.9") == 1; }));
    const auto snapshot = registry.Snapshot();
    ASSERT_FALSE(snapshot.empty());
    EXPECT_EQ(DeviceFields::Of(snapshot.back()),
              (DeviceFields{"new-1", "10.213.9.9", "fresh", "WIFI DISK", "", "1.0.0", "VELK", 2}));
    coordinator.StopSearch();
}

} // namespace
