// What every fuzz target asserts of a record a parser returns: each text field terminated
// within its 32 bytes, nothing but zeros behind the terminator.
#pragma once

#include "discovery/device_info.h"

#include <cstring>

inline void CheckRecord(const SearchDeviceInfo& info)
{
    for (const char* pField : {info.szID, info.szIP, info.szHost, info.szProduct, info.szExtra,
                               info.szOSVersion, info.szVendor}) {
        const void* pEnd = std::memchr(pField, '\0', DEVICE_TEXT_SIZE);
        if (pEnd == nullptr)
            __builtin_trap();
        for (const char* p = static_cast<const char*>(pEnd); p < pField + DEVICE_TEXT_SIZE; ++p) {
            if (*p != '\0')
                __builtin_trap();
        }
    }
    if (info.nReserved1 != 60 || info.nReserved2 != 0 || info.cReserved != 0)
        __builtin_trap();
}
