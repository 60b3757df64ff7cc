// The value forms of the layout file.
#include "layout/layout_text.h"

#include <climits>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

struct StyleName {
    std::string_view strName;
    DWORD dwValue;
};

// The platform's values; tree, list, combo box and edit names share low bits on purpose.
constexpr StyleName kStyleNames[] = {
    {"WS_CHILD", 0x40000000},         {"WS_VISIBLE", 0x10000000},
    {"WS_CLIPCHILDREN", 0x02000000},  {"WS_VSCROLL", 0x00200000},
    {"TVS_SHOWSELALWAYS", 0x0020},    {"TVS_HASBUTTONS", 0x0001},
    {"TVS_HASLINES", 0x0002},         {"TVS_INFOTIP", 0x0800},
    {"LVS_OWNERDRAWFIXED", 0x0400},   {"LVS_EX_FULLROWSELECT", 0x0020},
    {"LVS_REPORT", 0x0001},           {"CBS_DROPDOWN", 0x0002},
    {"CBS_AUTOHSCROLL", 0x0040},      {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NUMBER", 0x2000},            {"ES_READONLY", 0x0800},
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int ClampToInt(std::int64_t value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// The text before the first comma and the text after it, when there is a comma.
std::optional<std::pair<std::string_view, std::string_view>> SplitAtComma(std::string_view text)
{
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    return std::pair{text.substr(0, comma), text.substr(comma + 1)};
}

} // namespace

int ParseIntegerText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    // Accumulating past the 32-bit range stops early, so the 64-bit value never overflows.
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= std::int64_t(INT_MAX) + 1)
            value = value * 10 + (text[i] - '0');
    }
    return ClampToInt(bNegative ? -value : value);
}

void ParseColorText(std::string_view text, COLORREF& clrColor)
{
    auto red = SplitAtComma(text);
    if (!red)
        return;
    auto green = SplitAtComma(red->second);
    if (!green)
        return;
    clrColor = RGB(ParseIntegerText(red->first), ParseIntegerText(green->first),
                   ParseIntegerText(green->second));
}

void ParseRectText(std::string_view text, RECT& rcRect)
{
    auto left = SplitAtComma(text);
    if (!left)
        return;
    rcRect.left = ParseIntegerText(left->first);
    auto top = SplitAtComma(left->second);
    if (!top)
        return;
    rcRect.top = ParseIntegerText(top->first);
    auto width = SplitAtComma(top->second);
    if (!width)
        return;
    // Saturating, so that a hostile size cannot overflow the edge.
    rcRect.right = ClampToInt(std::int64_t(rcRect.left) + ParseIntegerText(width->first));
    rcRect.bottom = ClampToInt(std::int64_t(rcRect.top) + ParseIntegerText(width->second));
}

void ParseOffsetText(std::string_view text, POINT& ptOffset)
{
    auto x = SplitAtComma(text);
    if (!x)
        return;
    ptOffset.x = ParseIntegerText(x->first);
    ptOffset.y = ParseIntegerText(x->second);
}

DWORD ParseStyleText(std::string_view text)
{
    DWORD dwStyle = 0;
    for (const StyleName& style : kStyleNames) {
        if (text.find(style.strName) != std::string_view::npos)
            dwStyle |= style.dwValue;
    }
    return dwStyle;
}
