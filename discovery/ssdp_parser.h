// The parser of SSDP answers and announcements: a pure function of the message and its sender.
#pragma once

#include "discovery/device_info.h"

#include <cstddef>
#include <optional>
#include <string_view>

// The record of a message that mentions the firmware word "TUKO" and carries a USN identifier
// and a known first word; nothing otherwise. The message ends at its first NUL or after nLength
// bytes. Every piece longer than 31 characters is cut to its first 31.
std::optional<SearchDeviceInfo> ParseSsdpMessage(const char* pData, std::size_t nLength,
                                                 std::string_view senderIP);
