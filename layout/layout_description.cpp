// The order of the layout's string ids.
#include "layout/layout_description.h"

#include <algorithm>

namespace {

// Lead bytes 0xEE and 0xEF start U+E000..U+FFFF, which UTF-16 places after the lead surrogates
// of U+10000 and above (lead bytes 0xF0..0xF4); moving them past every byte keeps the key unique.
unsigned CodeUnitKey(char c)
{
    unsigned byte = static_cast<unsigned char>(c);
    return byte == 0xEE || byte == 0xEF ? byte + 0x100 : byte;
}

} // namespace

bool CUtf16CodeUnitLess::operator()(std::string_view a, std::string_view b) const
{
    auto [itA, itB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (itB == b.end())
        return false;
    if (itA == a.end())
        return true;
    return CodeUnitKey(*itA) < CodeUnitKey(*itB);
}
