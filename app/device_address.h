// The device address that Log In and My Storage act on, read back from the device list's text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The address in its canonical dotted form, formed anew from the parsed bytes; nothing unless the
// text is exactly one dotted IPv4 address. A device chooses the text it reports, so nothing of it
// but the parsed address goes on to other programs.
std::optional<std::string> ParseDeviceAddress(std::string_view strIPText);
