#include "app/device_login.h"

#include "app/device_address.h"
#include "platform/process.h"

std::string DeviceLoginUrl(std::string_view strIPText)
{
    const std::optional<std::string> address = ParseDeviceAddress(strIPText);
    return address ? "http://" + *address : std::string();
}

bool LogInToDevice(std::string_view strIPText)
{
    const std::string strUrl = DeviceLoginUrl(strIPText);
    return !strUrl.empty() && OpenWithDefaultHandler(strUrl) > 0;
}
