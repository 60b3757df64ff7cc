// The registry: vendor filter, merge by address, removal by identifier, order and copies.
#include "device_fields.h"

#include "discovery/device_manager.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

DeviceFields Device(std::string strID, std::string strIP, std::string strHost = "disk",
                    std::string strVendor = "VELK", int nType = 1)
{
    return {std::move(strID), std::move(strIP), std::move(strHost), "WIFI DISK", "", "", std::move(strVendor), nType};
}

std::vector<DeviceFields> Contents(const CSearchDeviceManager& registry)
{
    std::vector<DeviceFields> contents;
    for (const SearchDeviceInfo& info : registry.Snapshot())
        contents.push_back(DeviceFields::Of(info));
    return contents;
}

TEST(RegistryTest, VendorFilter)
{
    const struct {
        const char* szVendor;
        bool bKept;
    } cases[] = {{"VELK", true},     {"velk", true},     {"VeLk", true},   {"MERIX7", true},
                 {"merix7", true},   {"VELK ", false},   {"VEL", false},   {"MERIX", false},
                 {"VELKX", false},   {"", false},        {" VELK", false}, {"TUKO", false}};
    for (const auto& c : cases) {
        CSearchDeviceManager registry;
        registry.OnDeviceEvent(MakeDevice(Device("id", "10.0.0.2", "disk", c.szVendor)), 1900);
        EXPECT_EQ(registry.Snapshot().size(), c.bKept ? 1u : 0u) << '"' << c.szVendor << '"';
    }
}

TEST(RegistryTest, EventKinds)
{
    const struct {
        int nType;
        std::size_t nAfter;
    } cases[] = {{0, 1}, {1, 2}, {2, 2}, {3, 1}, {4, 0}, {255, 1}};
    for (const auto& c : cases) {
        CSearchDeviceManager registry;
        registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 67);
        // The event's record: same identifier as the stored one, another address.
        registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.3", "disk", "VELK", c.nType)), 67);
        EXPECT_EQ(registry.Snapshot().size(), c.nAfter) << c.nType;
    }
}

TEST(RegistryTest, IdenticalRepeatKeepsPositionContentAndKind)
{
    CSearchDeviceManager registry;
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 1900);
    registry.OnDeviceEvent(MakeDevice(Device("B", "10.0.0.3")), 1900);
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2", "disk", "VELK", 2)), 1900);
    EXPECT_EQ(Contents(registry),
              (std::vector<DeviceFields>{Device("A", "10.0.0.2"), Device("B", "10.0.0.3")}));
}

TEST(RegistryTest, SameAddressIsReplacedInPlace)
{
    CSearchDeviceManager registry;
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 1900);
    registry.OnDeviceEvent(MakeDevice(Device("B", "10.0.0.3")), 1900);
    registry.OnDeviceEvent(MakeDevice(Device("C", "10.0.0.4")), 1900);
    registry.OnDeviceEvent(MakeDevice(Device("B2", "10.0.0.3", "renamed", "VELK", 2)), 1900);
    EXPECT_EQ(Contents(registry),
              (std::vector<DeviceFields>{Device("A", "10.0.0.2"),
                                         Device("B2", "10.0.0.3", "renamed", "VELK", 2),
                                         Device("C", "10.0.0.4")}));
}

TEST(RegistryTest, RemovalTakesTheFirstOfTheSameIdentifierAndKeepsOrder)
{
    CSearchDeviceManager registry;
    registry.OnDeviceEvent(MakeDevice(Device("X", "10.0.0.1")), 67);
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 67);
    registry.OnDeviceEvent(MakeDevice(Device("B", "10.0.0.3")), 67);
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.4")), 67);
    registry.RemoveById("A");
    EXPECT_EQ(Contents(registry),
              (std::vector<DeviceFields>{Device("X", "10.0.0.1"), Device("B", "10.0.0.3"),
                                         Device("A", "10.0.0.4")}));
    registry.RemoveById("a");
    registry.RemoveById("missing");
    EXPECT_EQ(registry.Snapshot().size(), 3u);
}

TEST(RegistryTest, ClearEmptiesUntilTheNextEvent)
{
    CSearchDeviceManager registry;
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 67);
    registry.Clear();
    EXPECT_TRUE(registry.Snapshot().empty());
    registry.OnDeviceEvent(MakeDevice(Device("A", "10.0.0.2")), 67);
    EXPECT_EQ(registry.Snapshot().size(), 1u);
}

TEST(RegistryTest, SnapshotsWhileWorkersWrite)
{
    CSearchDeviceManager registry;
    std::thread writer([&registry] {
        for (int i = 0; i < 300; ++i) {
            registry.OnDeviceEvent(MakeDevice(Device("id", "10.0.1." + std::to_string(i % 50))), 67);
            if (i % 7 == 0)
                registry.OnDeviceEvent(MakeDevice(Device("id", "", "", "", 4)), 67);
        }
    });
    for (int i = 0; i < 300; ++i) {
        for (const SearchDeviceInfo& info : registry.Snapshot())
            ASSERT_TRUE(FieldsAreSound(info));
        if (i % 50 == 0)
            registry.Clear();
    }
    writer.join();
    EXPECT_LE(registry.Snapshot().size(), 50u);
}

TEST(RegistryTest, InstanceIsOneRegistry)
{
    EXPECT_EQ(&CSearchDeviceManager::Instance(), &CSearchDeviceManager::Instance());
}

} // namespace
