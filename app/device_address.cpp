#include "app/device_address.h"

#include <arpa/inet.h>

std::optional<std::string> ParseDeviceAddress(std::string_view strIPText)
{
    // Longer texts cannot be an address; the bound also keeps the copy below small.
    if (strIPText.size() >= INET_ADDRSTRLEN)
        return std::nullopt;
    const std::string strTerminated(strIPText);
    in_addr address {};
    if (inet_pton(AF_INET, strTerminated.c_str(), &address) != 1)
        return std::nullopt;
    char szText[INET_ADDRSTRLEN] = {};
    if (!inet_ntop(AF_INET, &address, szText, sizeof szText))
        return std::nullopt;
    return std::string(szText);
}
