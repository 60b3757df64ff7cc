// Test helpers: a record's texts as one comparable value.
#pragma once

#include "discovery/device_info.h"

#include <ostream>
#include <string>
#include <tuple>

struct DeviceFields {
    std::string strID, strIP, strHost, strProduct, strExtra, strOSVersion, strVendor;
    int nType = 0;

    static DeviceFields Of(const SearchDeviceInfo& info)
    {
        return {std::string(DeviceText(info.szID)),       std::string(DeviceText(info.szIP)),
                std::string(DeviceText(info.szHost)),     std::string(DeviceText(info.szProduct)),
                std::string(DeviceText(info.szExtra)),    std::string(DeviceText(info.szOSVersion)),
                std::string(DeviceText(info.szVendor)),   info.nType};
    }
    auto Tie() const
    {
        return std::tie(strID, strIP, strHost, strProduct, strExtra, strOSVersion, strVendor, nType);
    }
    bool operator==(const DeviceFields& other) const { return Tie() == other.Tie(); }
    bool operator<(const DeviceFields& other) const { return Tie() < other.Tie(); }
};

inline std::ostream& operator<<(std::ostream& out, const DeviceFields& f)
{
    return out << "{id=" << f.strID << " ip=" << f.strIP << " host=" << f.strHost
               << " product=" << f.strProduct << " extra=" << f.strExtra << " os=" << f.strOSVersion
               << " vendor=" << f.strVendor << " type=" << f.nType << "}";
}

// Every field terminated within its 32 bytes with only zeros behind the terminator.
inline bool FieldsAreSound(const SearchDeviceInfo& info)
{
    for (const char* pField : {info.szID, info.szIP, info.szHost, info.szProduct, info.szExtra,
                               info.szOSVersion, info.szVendor}) {
        std::size_t n = 0;
        while (n < DEVICE_TEXT_SIZE && pField[n] != '\0')
            ++n;
        if (n == DEVICE_TEXT_SIZE)
            return false;
        for (; n < DEVICE_TEXT_SIZE; ++n) {
            if (pField[n] != '\0')
                return false;
        }
    }
    return true;
}

// A record as a producer would build it.
inline SearchDeviceInfo MakeDevice(const DeviceFields& f)
{
    SearchDeviceInfo info = MakeDeviceInfo();
    CopyDeviceText(info.szID, f.strID);
    CopyDeviceText(info.szIP, f.strIP);
    CopyDeviceText(info.szHost, f.strHost);
    CopyDeviceText(info.szProduct, f.strProduct);
    CopyDeviceText(info.szExtra, f.strExtra);
    CopyDeviceText(info.szOSVersion, f.strOSVersion);
    CopyDeviceText(info.szVendor, f.strVendor);
    info.nType = f.nType;
    return info;
}
