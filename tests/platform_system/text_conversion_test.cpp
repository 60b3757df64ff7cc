// Device texts converted to UTF-8 with invalid bytes replaced.
#include "platform/text_conversion.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

using namespace std::string_literals;

const std::string kFffd = "\xEF\xBF\xBD";

TEST(ConvertToUtf8, ConvertsOrReplacesEveryByte)
{
    struct {
        const char* szCodeset;
        std::string input;
        std::string expected;
    } cases[] = {
        {"UTF-8",
         "Gr\xC3\xBC\xC3\x9F"
         "e",
         "Gr\xC3\xBC\xC3\x9F"
         "e"},
        {"UTF-8",
         "ab\xFF"
         "cd",
         "ab" + kFffd + "cd"},
        {"UTF-8", "\xC0\xAF", kFffd + kFffd},                         // overlong '/'
        {"UTF-8", "\xED\xA0\x80", kFffd + kFffd + kFffd},             // a surrogate
        {"UTF-8", "\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd}, // beyond U+10FFFF
        {"UTF-8", "\xF8\x88\x80\x80\x80", std::string() + kFffd + kFffd + kFffd + kFffd + kFffd},
        {"UTF-8", "ok\xE2\x82", "ok" + kFffd + kFffd}, // cut off at the end
        {"UTF-8", "a\0b"s, "a\0b"s},
        {"GB18030", "\xC4\xE3\xBA\xC3", "\xE4\xBD\xA0\xE5\xA5\xBD"}, // 你好
        {"GBK", "\xC4\xE3\xC4", "\xE4\xBD\xA0" + kFffd},
        {"BIG5", "\xA4\xA4", "\xE4\xB8\xAD"}, // 中
        {"ISO-8859-1", "Caf\xE9", "Caf\xC3\xA9"},
        {"SHIFT_JIS", "\x93\xFA\x96\x7B", "\xE6\x97\xA5\xE6\x9C\xAC"}, // 日本
        {"NO-SUCH-CODESET", "x\xFFy", "x" + kFffd + "y"},
        {"UTF-8", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertToUtf8(c.input, c.szCodeset), c.expected) << c.szCodeset << " " << c.input;
}

class LocaleCodesetTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("LC_ALL"); }
};

TEST_F(LocaleCodesetTest, PlainAsciiLocaleReadsAsUtf8)
{
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(GetLocaleCodeset(), "UTF-8");
    EXPECT_EQ(LocaleTextToUtf8("\xE4\xB8\xAD\xFF"), "\xE4\xB8\xAD" + kFffd);
}

TEST_F(LocaleCodesetTest, LocaleNotInstalledGivesTheCodesetOfItsName)
{
    setenv("LC_ALL", "zh_CN.GB18030", 1);
    EXPECT_EQ(GetLocaleCodeset(), "GB18030");
    EXPECT_EQ(LocaleTextToUtf8("\xC4\xE3"), "\xE4\xBD\xA0");
}

} // namespace
