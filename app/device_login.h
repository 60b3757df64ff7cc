// Log In: the selected device's own web page in the user's browser.
#pragma once

#include <string>
#include <string_view>

// "http://" and the device's address; empty unless the text is a dotted IPv4 address.
std::string DeviceLoginUrl(std::string_view strIPText);

// Opens the device's web page with the desktop's default handler (xdg-open), not waited for.
// A text that is not a dotted IPv4 address does nothing; false then, or when nothing could start.
bool LogInToDevice(std::string_view strIPText);
