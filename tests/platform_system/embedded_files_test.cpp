// Files embedded at build time and found by kind and number.
#include "platform/embedded_files.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace {

std::string Text(std::span<const BYTE> bytes)
{
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::string Fixture(const char* szName)
{
    return ReadFileText(std::string(VELK_SOURCE_DIR "/tests/platform_system/data/embed/") + szName);
}

TEST(FindEmbeddedFile, GivesTheBytesOfEveryEmbeddedFile)
{
    struct {
        const char* szKind;
        int nNumber;
        const char* szFile;
    } cases[] = {
        {"XML", 150, "layout.xml"},
        {"PNG", 144, "bytes.bin"},
        {"BMP", 158, "mask.bmp"},
    };
    for (const auto& c : cases) {
        std::string expected = Fixture(c.szFile);
        ASSERT_FALSE(expected.empty()) << c.szFile;
        EXPECT_EQ(Text(FindEmbeddedFile(c.szKind, c.nNumber)), expected) << c.szKind << c.nNumber;
    }
}

TEST(FindEmbeddedFile, IsEmptyForAnUnknownPair)
{
    EXPECT_TRUE(FindEmbeddedFile("XML", 149).empty());
    EXPECT_TRUE(FindEmbeddedFile("PNG", 150).empty());
    EXPECT_TRUE(FindEmbeddedFile("xml", 150).empty());
    EXPECT_TRUE(FindEmbeddedFile("", 0).empty());
}

TEST(RegisterEmbeddedFile, KeepsTheFirstEntryOfAPair)
{
    const BYTE other[] = {1, 2, 3};
    RegisterEmbeddedFile("XML", 150, other, sizeof other);
    EXPECT_EQ(Text(FindEmbeddedFile("XML", 150)), Fixture("layout.xml"));
}

} // namespace
