// Device texts in any of the code sets a locale may name: the result is always valid UTF-8.
#include "platform/text_conversion.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

constexpr const char* kCodesets[] = {"UTF-8",      "GB18030",   "GBK",        "BIG5",
                                     "BIG5-HKSCS", "SHIFT_JIS", "EUC-JP",     "EUC-KR",
                                     "ISO-8859-1", "KOI8-R",    "ISO-2022-JP"};

// Strict UTF-8: shortest forms only, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        unsigned char c = byte(i);
        std::size_t nLength = c < 0x80 ? 1
            : c >= 0xC2 && c <= 0xDF   ? 2
            : c >= 0xE0 && c <= 0xEF   ? 3
            : c >= 0xF0 && c <= 0xF4   ? 4
                                       : 0;
        if (nLength == 0 || i + nLength > text.size())
            return false;
        std::uint32_t nCode = nLength == 1 ? c : c & (0x7F >> nLength);
        for (std::size_t k = 1; k < nLength; ++k) {
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
            nCode = (nCode << 6) | (byte(i + k) & 0x3F);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (nCode < kSmallest[nLength] || nCode > 0x10FFFF || (nCode >= 0xD800 && nCode <= 0xDFFF))
            return false;
        i += nLength;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    if (nSize == 0)
        return 0;
    const char* szCodeset = kCodesets[pData[0] % std::size(kCodesets)];
    std::string_view text(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    if (!IsValidUtf8(ConvertToUtf8(text, szCodeset)))
        __builtin_trap();
    return 0;
}
