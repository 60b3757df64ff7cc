#include "discovery/device_info.h"

#include <algorithm>
#include <cstring>

SearchDeviceInfo MakeDeviceInfo()
{
    SearchDeviceInfo info;
    std::memset(&info, 0, sizeof info);
    info.nReserved1 = 60;
    info.nReserved2 = 0;
    return info;
}

void CopyDeviceText(char (&szField)[DEVICE_TEXT_SIZE], std::string_view text)
{
    const std::size_t nCopy = std::min(text.size(), DEVICE_TEXT_SIZE - 1);
    std::memset(szField, 0, DEVICE_TEXT_SIZE);
    if (nCopy > 0)
        std::memcpy(szField, text.data(), nCopy);
}

std::string_view DeviceText(const char (&szField)[DEVICE_TEXT_SIZE])
{
    const void* pEnd = std::memchr(szField, '\0', DEVICE_TEXT_SIZE);
    const std::size_t nLength =
        pEnd ? static_cast<std::size_t>(static_cast<const char*>(pEnd) - szField) : DEVICE_TEXT_SIZE;
    return {szField, nLength};
}

bool IsSameDeviceText(const char (&a)[DEVICE_TEXT_SIZE], const char (&b)[DEVICE_TEXT_SIZE])
{
    return DeviceText(a) == DeviceText(b);
}

bool IsIdenticalDevice(const SearchDeviceInfo& a, const SearchDeviceInfo& b)
{
    return IsSameDeviceText(a.szID, b.szID) && IsSameDeviceText(a.szIP, b.szIP) &&
           IsSameDeviceText(a.szHost, b.szHost) && IsSameDeviceText(a.szProduct, b.szProduct) &&
           IsSameDeviceText(a.szExtra, b.szExtra) &&
           IsSameDeviceText(a.szOSVersion, b.szOSVersion) &&
           IsSameDeviceText(a.szVendor, b.szVendor);
}
