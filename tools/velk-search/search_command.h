// The command line of velk-search and the two ways it prints the devices it found.
#pragma once

#include "discovery/device_info.h"

#include <optional>
#include <string>
#include <vector>

struct CSearchCommand {
    double dWaitSeconds = 10.0;
    bool bJson = false;
    bool bHelp = false;
    std::string strLogPath;
};

constexpr char SEARCH_USAGE[] = "usage: velk-search [--wait SECONDS] [--json] [--log FILE]";

// The command from the arguments (without the program name); nothing when an option is bad,
// with the reason in *pError. The log file defaults to szEnvironmentLog (VELK_SEARCH_LOG).
std::optional<CSearchCommand> ParseSearchCommand(const std::vector<std::string>& arguments,
                                                 const char* szEnvironmentLog, std::string* pError);

// A device text as valid UTF-8: bad bytes and control characters become U+FFFD.
std::string PrintableText(std::string_view text);

// The list's three columns (host name, IP address, device type), one device per line.
std::string RenderTable(const std::vector<SearchDeviceInfo>& devices);

// A JSON array, one object per device with "id", "ip", "host", "product", "extra",
// "os_version", "vendor" and "type"; always valid JSON, bad bytes replaced.
std::string RenderJson(const std::vector<SearchDeviceInfo>& devices);
