// Tests on device addresses as texts: what is an address, and where does a text name one.
#pragma once

#include <string_view>

// Whether the text is exactly one dotted IPv4 address ("192.168.1.5"; no leading zeros, no spaces).
bool IsDottedIPv4(std::string_view strText);

// Whether a host text (a mount's remote host, say) is the same IPv4 address as strAddress; false
// unless both are dotted IPv4 addresses.
bool IsSameIPv4Address(std::string_view strHost, std::string_view strAddress);

// Whether the text holds strAddress as a whole address: not as the start of "192.168.1.10" nor as
// the end of "10.192.168.1.1". A sentence's full stop after it does not count as a part.
bool TextHoldsIPv4Address(std::string_view strText, std::string_view strAddress);
