// The value forms of the layout file and the order of its string ids.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "layout/layout_description.h"
#include "layout/layout_text.h"

namespace {

struct IntegerCase {
    const char* szText;
    int nExpected;
};

TEST(LayoutText, IntegerRule)
{
    const IntegerCase cases[] = {
        {"12", 12},
        {"-7", -7},
        {"+5", 5},
        {" \t\r\n42", 42},
        {"12 34", 12},
        {"42x", 42},
        {"007", 7},
        {"", 0},
        {"abc", 0},
        {"- 5", 0},
        {"--1", 0},
        {"+-1", 0},
        {"0x10", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"99999999999999999999999999999", INT_MAX},
        {"-99999999999999999999999999999", INT_MIN},
    };
    for (const IntegerCase& c : cases)
        EXPECT_EQ(ParseIntegerText(c.szText), c.nExpected) << '"' << c.szText << '"';
}

struct ColorCase {
    const char* szText;
    COLORREF clrExpected;
};

TEST(LayoutText, ColorText)
{
    constexpr COLORREF kBefore = 0x00ABCDEF;
    const ColorCase cases[] = {
        {"244,245,247", 0x00F7F5F4},
        {"256,0,0", 0x00000000},
        {"-1,0,0", 0x000000FF},
        {"1,2,3,4", 0x00030201},
        {"10,20,", 0x0000140A},
        {" 1, 2, 3", 0x00030201},
        {"a,b,c", 0x00000000},
        {"99999999999,0,0", 0x000000FF},
        {"10,20", kBefore},
        {"10,", kBefore},
        {"10", kBefore},
        {"", kBefore},
    };
    for (const ColorCase& c : cases) {
        COLORREF clr = kBefore;
        ParseColorText(c.szText, clr);
        EXPECT_EQ(clr, c.clrExpected) << '"' << c.szText << '"';
    }
}

struct RectCase {
    const char* szText;
    CRect rcExpected;
};

TEST(LayoutText, RectText)
{
    const CRect kBefore(100, 200, 300, 400);
    const RectCase cases[] = {
        {"0,0,328,245", {0, 0, 328, 245}},
        {"10,20,5,5", {10, 20, 15, 25}},
        {"1,2,3", {1, 2, 300, 400}},
        {"10,20,", {10, 20, 300, 400}},
        {"7,", {7, 200, 300, 400}},
        {"7", kBefore},
        {"", kBefore},
        {"1,2,3,", {1, 2, 4, 2}},
        {"1,2,3,4,5", {1, 2, 4, 6}},
        {"-5,-5,10,10", {-5, -5, 5, 5}},
        {"2147483647,0,10,-5", {INT_MAX, 0, INT_MAX, -5}},
        {"-2147483648,-2147483648,-1,-1", {INT_MIN, INT_MIN, INT_MIN, INT_MIN}},
    };
    for (const RectCase& c : cases) {
        CRect rc = kBefore;
        ParseRectText(c.szText, rc);
        EXPECT_EQ(rc, c.rcExpected) << '"' << c.szText << "\" gave " << rc.left << ',' << rc.top
                                    << ',' << rc.right << ',' << rc.bottom;
    }
}

struct OffsetCase {
    const char* szText;
    CPoint ptExpected;
};

TEST(LayoutText, OffsetText)
{
    const CPoint kBefore(9, 9);
    const OffsetCase cases[] = {
        {"13,2", {13, 2}}, {"7,8", {7, 8}},   {"7,", {7, 0}},      {",8", {0, 8}},
        {"1,2,3", {1, 2}}, {"-3,+4", {-3, 4}}, {"7", kBefore},     {"", kBefore},
    };
    for (const OffsetCase& c : cases) {
        CPoint pt = kBefore;
        ParseOffsetText(c.szText, pt);
        EXPECT_EQ(pt, c.ptExpected) << '"' << c.szText << "\" gave " << pt.x << ',' << pt.y;
    }
}

struct StyleCase {
    const char* szText;
    DWORD dwExpected;
};

TEST(LayoutText, StyleText)
{
    const StyleCase cases[] = {
        {"WS_CHILD|WS_VISIBLE", 0x50000000},
        {"WS_CHILD|WS_VISIBLE|LVS_REPORT", 0x50000001},
        {"WS_VISIBLE WS_CHILD", 0x50000000},
        {"WS_CHILDWS_VISIBLE", 0x50000000},
        {"ws_child|ws_visible", 0},
        {"WS_CHILD|WS_CHILD", 0x40000000},
        {"WS_BORDER|WS_POPUP", 0},
        {"", 0},
        {"WS_CLIPCHILDREN|WS_VSCROLL", 0x02200000},
        {"TVS_SHOWSELALWAYS|TVS_HASBUTTONS|TVS_HASLINES|TVS_INFOTIP", 0x0823},
        {"LVS_OWNERDRAWFIXED|LVS_EX_FULLROWSELECT", 0x0420},
        {"CBS_DROPDOWN|CBS_AUTOHSCROLL", 0x0042},
        {"ES_AUTOHSCROLL|ES_NUMBER|ES_READONLY", 0x2880},
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(ParseStyleText(c.szText), c.dwExpected) << '"' << c.szText << '"';
}

// UTF-16 puts U+E000..U+FFFF after the characters beyond U+FFFF; byte order would not.
TEST(LayoutStringOrder, FollowsUtf16CodeUnits)
{
    LayoutStringMap mapStrings;
    for (const char* szID : {"\xEF\xBF\xBD", "\xEE\x80\x80", "\xF0\x9F\x98\x80", "\xE4\xB8\xAD",
                             "b", "B", "SEARCH_DEVICE_LIST_ITEM_IP", "SEARCH_DEVICE_LIST_ITEM", ""})
        mapStrings[szID] = szID;

    std::vector<std::string> order;
    for (const auto& [strID, strValue] : mapStrings)
        order.push_back(strID);
    const std::vector<std::string> expected = {"", "B", "SEARCH_DEVICE_LIST_ITEM",
        "SEARCH_DEVICE_LIST_ITEM_IP", "b", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80", "\xEE\x80\x80",
        "\xEF\xBF\xBD"};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(mapStrings.count("b"), 1u);
    EXPECT_EQ(mapStrings.find(std::string_view("SEARCH_DEVICE_LIST_ITEM_IP"))->second,
              "SEARCH_DEVICE_LIST_ITEM_IP");
}

} // namespace
