// Address tests over inet_pton, the one strict reader of dotted IPv4 text.
#include "platform/address_text.h"

#include <arpa/inet.h>
#include <optional>
#include <string>

namespace {

std::optional<in_addr_t> ParseIPv4(std::string_view text)
{
    if (text.size() > 15)
        return std::nullopt;
    std::string terminated(text);
    in_addr address{};
    if (inet_pton(AF_INET, terminated.c_str(), &address) != 1)
        return std::nullopt;
    return address.s_addr;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A digit, or a dot joined to a digit on the far side, continues the address into a longer one.
bool ContinuesBefore(std::string_view text, std::size_t nStart)
{
    if (nStart == 0)
        return false;
    char c = text[nStart - 1];
    return IsDigit(c) || (c == '.' && nStart >= 2 && IsDigit(text[nStart - 2]));
}

bool ContinuesAfter(std::string_view text, std::size_t nEnd)
{
    if (nEnd >= text.size())
        return false;
    char c = text[nEnd];
    return IsDigit(c) || (c == '.' && nEnd + 1 < text.size() && IsDigit(text[nEnd + 1]));
}

} // namespace

bool IsDottedIPv4(std::string_view strText)
{
    return ParseIPv4(strText).has_value();
}

bool IsSameIPv4Address(std::string_view strHost, std::string_view strAddress)
{
    std::optional<in_addr_t> host = ParseIPv4(strHost);
    return host && host == ParseIPv4(strAddress);
}

bool TextHoldsIPv4Address(std::string_view strText, std::string_view strAddress)
{
    if (!IsDottedIPv4(strAddress))
        return false;
    for (std::size_t nStart = strText.find(strAddress); nStart != std::string_view::npos;
         nStart = strText.find(strAddress, nStart + 1)) {
        if (!ContinuesBefore(strText, nStart) &&
            !ContinuesAfter(strText, nStart + strAddress.size()))
            return true;
    }
    return false;
}
