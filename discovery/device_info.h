// The fixed-size record of one device event, and the few operations every producer and the
// registry share on it.
#pragma once

#include <cstddef>
#include <string_view>

constexpr std::size_t DEVICE_TEXT_SIZE = 32;

struct SearchDeviceInfo {
    char szID[DEVICE_TEXT_SIZE];
    char szIP[DEVICE_TEXT_SIZE];
    char szHost[DEVICE_TEXT_SIZE];
    char szProduct[DEVICE_TEXT_SIZE];
    char szExtra[DEVICE_TEXT_SIZE];
    char szOSVersion[DEVICE_TEXT_SIZE];
    char szVendor[DEVICE_TEXT_SIZE];
    char cReserved;
    int nType;
    int nReserved1;
    int nReserved2;
};

// Event kinds carried in nType.
constexpr int DEVICE_EVENT_OTHER = 0;
constexpr int DEVICE_EVENT_ANSWER = 1;
constexpr int DEVICE_EVENT_ALIVE = 2;
constexpr int DEVICE_EVENT_BYEBYE = 4;

// A freshly built record: every byte zero except nReserved1 = 60.
SearchDeviceInfo MakeDeviceInfo();

// Copies at most 31 bytes of text into a text field and zeroes the rest of the field, so the
// field is always terminated within its 32 bytes.
void CopyDeviceText(char (&szField)[DEVICE_TEXT_SIZE], std::string_view text);

// A text field as a view, up to its terminator (or all 32 bytes should one be missing).
std::string_view DeviceText(const char (&szField)[DEVICE_TEXT_SIZE]);

// True when both fields hold the same bytes up to their terminators.
bool IsSameDeviceText(const char (&a)[DEVICE_TEXT_SIZE], const char (&b)[DEVICE_TEXT_SIZE]);

// True when all seven text fields are equal; the kind and the reserved fields do not count.
bool IsIdenticalDevice(const SearchDeviceInfo& a, const SearchDeviceInfo& b);
