// The parser of broadcast answers: a pure function of the datagram and its sender.
#pragma once

#include "discovery/device_info.h"

#include <cstddef>
#include <optional>
#include <string_view>

// The record of a device's answer: the four key values of the text area, szIP from the sender
// and nType from byte 1. Nothing when the datagram is not 148 bytes or not a device's answer.
std::optional<SearchDeviceInfo> ParseBroadcastAnswer(const void* pData, std::size_t nLength,
                                                     std::string_view senderIP);
