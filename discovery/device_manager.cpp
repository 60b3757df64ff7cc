#include "discovery/device_manager.h"

#include "discovery/protocol.h"

#include <algorithm>
#include <cstring>

bool IsAcceptedVendor(const SearchDeviceInfo& record)
{
    char szVendor[DEVICE_TEXT_SIZE];
    CopyDeviceText(szVendor, DeviceText(record.szVendor));
    for (char& c : szVendor) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    const std::string_view vendor = DeviceText(szVendor);
    return vendor == VENDOR_MERIX7 || vendor == VENDOR_VELK;
}

CSearchDeviceManager& CSearchDeviceManager::Instance()
{
    static CSearchDeviceManager registry;
    return registry;
}

int CSearchDeviceManager::OnDeviceEvent(const SearchDeviceInfo& record, int /*nPort*/)
{
    const SearchDeviceInfo copy = record;
    switch (copy.nType) {
    case DEVICE_EVENT_ANSWER:
    case DEVICE_EVENT_ALIVE:
        AddOrMerge(copy);
        break;
    case DEVICE_EVENT_BYEBYE:
        RemoveById(copy.szID);
        break;
    default:
        break;
    }
    return 0;
}

void CSearchDeviceManager::AddOrMerge(const SearchDeviceInfo& record)
{
    if (!IsAcceptedVendor(record))
        return;
    std::lock_guard lock(mtxDevices);
    for (SearchDeviceInfo& stored : vecDevices) {
        if (IsIdenticalDevice(stored, record)) {
            stored.nReserved1 = record.nReserved1;
            stored.nReserved2 = record.nReserved2;
            return;
        }
        if (IsSameDeviceText(stored.szIP, record.szIP)) {
            stored = record;
            return;
        }
    }
    vecDevices.push_back(record);
}

void CSearchDeviceManager::RemoveById(const char* szID)
{
    if (szID == nullptr)
        return;
    const std::string_view id(szID, strnlen(szID, DEVICE_TEXT_SIZE));
    std::lock_guard lock(mtxDevices);
    const auto found = std::find_if(vecDevices.begin(), vecDevices.end(),
        [&](const SearchDeviceInfo& stored) { return DeviceText(stored.szID) == id; });
    if (found != vecDevices.end())
        vecDevices.erase(found);
}

void CSearchDeviceManager::Clear()
{
    std::lock_guard lock(mtxDevices);
    vecDevices.clear();
}

std::vector<SearchDeviceInfo> CSearchDeviceManager::Snapshot() const
{
    std::lock_guard lock(mtxDevices);
    return vecDevices;
}
