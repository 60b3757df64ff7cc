#include "search_command.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double MAX_WAIT_SECONDS = 86400.0;
constexpr char REPLACEMENT[] = "\xEF\xBF\xBD";

bool ParseSeconds(const std::string& text, double& dSeconds)
{
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    char* pEnd = nullptr;
    dSeconds = std::strtod(text.c_str(), &pEnd);
    return pEnd == text.c_str() + text.size() && std::isfinite(dSeconds) && dSeconds <= MAX_WAIT_SECONDS;
}

// Code points, for column widths.
std::size_t DisplayLength(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(),
        [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Padded(const std::string& text, std::size_t nWidth)
{
    return text + std::string(nWidth - std::min(nWidth, DisplayLength(text)), ' ');
}

} // namespace

std::optional<CSearchCommand> ParseSearchCommand(const std::vector<std::string>& arguments,
                                                 const char* szEnvironmentLog, std::string* pError)
{
    CSearchCommand command;
    if (szEnvironmentLog)
        command.strLogPath = szEnvironmentLog;
    for (std::size_t n = 0; n < arguments.size(); ++n) {
        const std::string& option = arguments[n];
        if (option == "--json") {
            command.bJson = true;
        } else if (option == "--help" || option == "-h") {
            command.bHelp = true;
        } else if (option == "--wait" || option == "--log") {
            if (n + 1 >= arguments.size()) {
                *pError = "missing value after " + option;
                return std::nullopt;
            }
            const std::string& value = arguments[++n];
            if (option == "--log") {
                command.strLogPath = value;
            } else if (!ParseSeconds(value, command.dWaitSeconds)) {
                *pError = "bad number of seconds: " + value;
                return std::nullopt;
            }
        } else {
            *pError = "unknown option: " + option;
            return std::nullopt;
        }
    }
    return command;
}

std::string PrintableText(std::string_view text)
{
    // nlohmann-json checks the UTF-8 and replaces what is bad; reading its output back gives
    // the repaired text.
    const std::string quoted =
        nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    std::string printable;
    for (const char c : nlohmann::json::parse(quoted).get<std::string>()) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            printable += REPLACEMENT;
        else
            printable += c;
    }
    return printable;
}

std::string RenderTable(const std::vector<SearchDeviceInfo>& devices)
{
    std::vector<std::vector<std::string>> rows = {{"Host name", "IP address", "Device type"}};
    for (const SearchDeviceInfo& device : devices) {
        rows.push_back({PrintableText(DeviceText(device.szHost)), PrintableText(DeviceText(device.szIP)),
                        PrintableText(DeviceText(device.szProduct))});
    }
    std::size_t nWidths[2] = {0, 0};
    for (const auto& row : rows) {
        nWidths[0] = std::max(nWidths[0], DisplayLength(row[0]));
        nWidths[1] = std::max(nWidths[1], DisplayLength(row[1]));
    }
    std::string table;
    for (const auto& row : rows)
        table += Padded(row[0], nWidths[0] + 2) + Padded(row[1], nWidths[1] + 2) + row[2] + "\n";
    return table;
}

std::string RenderJson(const std::vector<SearchDeviceInfo>& devices)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const SearchDeviceInfo& device : devices) {
        list.push_back({{"id", std::string(DeviceText(device.szID))},
                        {"ip", std::string(DeviceText(device.szIP))},
                        {"host", std::string(DeviceText(device.szHost))},
                        {"product", std::string(DeviceText(device.szProduct))},
                        {"extra", std::string(DeviceText(device.szExtra))},
                        {"os_version", std::string(DeviceText(device.szOSVersion))},
                        {"vendor", std::string(DeviceText(device.szVendor))},
                        {"type", device.nType}});
    }
    return list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}
