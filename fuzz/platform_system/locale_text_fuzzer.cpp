// Locale files, locale names and address texts from arbitrary bytes.
#include "platform/address_text.h"
#include "platform/language.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    std::size_t nSplit = text.find('\0');
    std::string_view first = text.substr(0, nSplit);
    std::string_view second =
        nSplit == std::string_view::npos ? std::string_view() : text.substr(nSplit + 1);
    std::string name = SystemLocaleName(first, second, first);
    LangIdFromLocaleName(name);
    LangIdFromLocaleName(text);
    // Holding an address means holding its text.
    if (TextHoldsIPv4Address(first, second) && first.find(second) == std::string_view::npos)
        __builtin_trap();
    if (IsDottedIPv4(text) && !IsSameIPv4Address(text, text))
        __builtin_trap();
    return 0;
}
