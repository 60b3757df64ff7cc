// Fonts and strings: faces that are not installed still show text; measuring, wrapping,
// alignment and word trimming with an ellipsis.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "canvas.h"
#include "platform/graphics.h"

namespace {

constexpr ARGB kBlack = 0xFF000000;

RectF Measure(const std::string& strText, const Font& font, RectF layout, const StringFormat* pFormat = nullptr)
{
    CCanvas canvas(1, 1);
    Graphics graphics(&canvas.dc);
    RectF box;
    EXPECT_EQ(graphics.MeasureString(strText, font, layout, pFormat, &box), Status::Ok);
    return box;
}

TEST(TextTest, FacesThatAreNotInstalledFallBackAndTheirTextAppears)
{
    for (const char* szFace : {"Tahoma", "宋体", "Dotum", "No Such Face At All", ""}) {
        Font font(szFace, 12);
        EXPECT_TRUE(font.IsAvailable());
        EXPECT_FALSE(font.GetFamilyName().empty()) << szFace;
        for (const char* szText : {"Searching new devices", "正在搜索设备", "Поиск"}) {
            CCanvas canvas(200, 30);
            Graphics graphics(&canvas.dc);
            ASSERT_EQ(graphics.DrawString(szText, font, RectF{2, 2, 0, 0}, nullptr, SolidBrush(kBlack)), Status::Ok);
            EXPECT_GT(canvas.Ink(), 20) << szFace << " / " << szText;
        }
    }
    Font none("Tahoma", 0);
    EXPECT_FALSE(none.IsAvailable());
    CCanvas canvas(50, 20);
    Graphics graphics(&canvas.dc);
    EXPECT_EQ(graphics.DrawString("text", none, RectF{0, 0, 50, 20}, nullptr, SolidBrush(kBlack)), Status::InvalidParameter);
    EXPECT_EQ(canvas.Ink(), 0);
}

TEST(TextTest, ALayoutWidthWrapsAtWordsAndNoWidthKeepsOneLine)
{
    Font font("DejaVu Sans", 12);
    const std::string strText = "Searching new devices, please wait";
    const RectF oneLine = Measure(strText, font, RectF{});
    const float line = font.GetHeight();
    EXPECT_NEAR(oneLine.Height, line, 2);
    EXPECT_GT(oneLine.Width, 100);
    const RectF wrapped = Measure(strText, font, RectF{0, 0, oneLine.Width / 2, 0});
    EXPECT_LE(wrapped.Width, oneLine.Width / 2);
    EXPECT_GE(wrapped.Height, 2 * oneLine.Height - 1);
    // The words of a wrapped line fit; a word longer than the width is broken inside.
    const RectF narrow = Measure("Supercalifragilistic", font, RectF{0, 0, 30, 0});
    EXPECT_LE(narrow.Width, 30);
    EXPECT_GT(narrow.Height, oneLine.Height);
    // The bounding box starts at the layout rectangle's corner.
    const RectF moved = Measure(strText, font, RectF{7, 9, 0, 0});
    EXPECT_FLOAT_EQ(moved.X, 7);
    EXPECT_FLOAT_EQ(moved.Y, 9);
    EXPECT_FLOAT_EQ(moved.Width, oneLine.Width);
    const RectF empty = Measure("", font, RectF{3, 4, 0, 0});
    EXPECT_EQ(empty.Width, 0);
}

TEST(TextTest, ACentringFormatCentresTheTextOnBothAxes)
{
    Font font("DejaVu Sans", 12);
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    format.SetLineAlignment(StringAlignment::Center);
    const RectF plain = Measure("IP Address", font, RectF{});
    const RectF centred = Measure("IP Address", font, RectF{10, 20, 122, 17}, &format);
    EXPECT_NEAR(centred.X, 10 + (122 - plain.Width) / 2, 0.5);
    EXPECT_NEAR(centred.Y, 20 + (17 - plain.Height) / 2, 0.5);

    CCanvas canvas(122, 17);
    Graphics graphics(&canvas.dc);
    graphics.DrawString("IP Address", font, RectF{0, 0, 122, 17}, &format, SolidBrush(kBlack));
    auto [nLeft, nRight] = canvas.InkColumns();
    EXPECT_NEAR((nLeft + nRight) / 2.0, 61, 2);
}

TEST(TextTest, WordTrimmingCutsAtAWordAndShowsAnEllipsis)
{
    Font font("DejaVu Sans", 12);
    StringFormat format;
    format.SetLineAlignment(StringAlignment::Center);
    format.SetTrimming(StringTrimming::EllipsisWord);
    const std::string strText = "alpha beta gamma delta epsilon";
    const float width = Measure("alpha beta gamma", font, RectF{}).Width + 2;
    const RectF trimmed = Measure(strText, font, RectF{0, 0, width, 16}, &format);
    // One line, and exactly as wide as the words that fit followed by the ellipsis.
    EXPECT_NEAR(trimmed.Height, Measure("alpha", font, RectF{}).Height, 0.5);
    bool bWordCut = false;
    for (const char* szCandidate : {"alpha\u2026", "alpha beta\u2026", "alpha beta gamma\u2026"})
        bWordCut = bWordCut || std::fabs(Measure(szCandidate, font, RectF{}).Width - trimmed.Width) < 0.01f;
    EXPECT_TRUE(bWordCut) << trimmed.Width;
    EXPECT_LE(trimmed.Width, width);
    // Without trimming the text takes more lines than the rectangle shows.
    StringFormat plain;
    EXPECT_GT(Measure(strText, font, RectF{0, 0, width, 16}, &plain).Height, 20);
    // Text that fits is left alone.
    const RectF fits = Measure("alpha", font, RectF{0, 0, width, 16}, &format);
    EXPECT_FLOAT_EQ(fits.Width, Measure("alpha", font, RectF{}).Width);
}

TEST(TextTest, InvalidUtf8IsDrawnWithReplacementCharacters)
{
    Font font("DejaVu Sans", 12);
    const RectF box = Measure(std::string("ab\xFF\xFE" "cd"), font, RectF{});
    EXPECT_GT(box.Width, Measure("abcd", font, RectF{}).Width);
}

} // namespace
