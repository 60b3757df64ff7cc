// The registry of found devices: ordered by first appearance, filtered by vendor, merged by
// IP address, removed by identifier, read by copy.
#pragma once

#include "discovery/device_info.h"

#include <mutex>
#include <vector>

class CSearchDeviceManager {
public:
    CSearchDeviceManager() = default;
    CSearchDeviceManager(const CSearchDeviceManager&) = delete;
    CSearchDeviceManager& operator=(const CSearchDeviceManager&) = delete;

    // The process-wide registry, created on first call.
    static CSearchDeviceManager& Instance();

    // The hand-off target: kinds 1 and 2 add or merge, 4 removes by szID, others do nothing.
    int OnDeviceEvent(const SearchDeviceInfo& record, int nPort);

    // Keeps a record of vendor "MERIX7" or "VELK" (any letter case): refreshes an identical
    // stored record, overwrites the one with the same szIP in place, or appends.
    void AddOrMerge(const SearchDeviceInfo& record);

    // Removes the first record whose szID equals the identifier.
    void RemoveById(const char* szID);

    void Clear();

    // A copy of every record in registry order.
    std::vector<SearchDeviceInfo> Snapshot() const;

private:
    mutable std::mutex mtxDevices;
    std::vector<SearchDeviceInfo> vecDevices;
};

// True when the vendor word, upper-cased, is exactly one of the two accepted words.
bool IsAcceptedVendor(const SearchDeviceInfo& record);
