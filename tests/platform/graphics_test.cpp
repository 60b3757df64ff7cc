// Graphics: smoothing, rectangles, lines, gradients and images, checked on pixels.
#include <gtest/gtest.h>

#include <string>

#include "canvas.h"
#include "picture_files.h"
#include "platform/graphics.h"

namespace {

constexpr ARGB kRed = 0xFFFF0000;
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(GraphicsTest, AnOutlineOfWidthMinusOneCoversExactlyTheOuterRing)
{
    for (SmoothingMode mode : {SmoothingMode::HighSpeed, SmoothingMode::AntiAlias}) {
        CCanvas canvas(79, 23);
        Graphics graphics(&canvas.dc);
        graphics.SetSmoothingMode(mode);
        ASSERT_EQ(graphics.DrawRectangle(Pen(0xFF7E9DB9, 1.0f), 0, 0, 78, 22), Status::Ok);
        int nRing = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 79; ++x) {
                const bool bOnRing = x == 0 || y == 0 || x == 78 || y == 22;
                const COLORREF expected = bOnRing ? RGB(0x7E, 0x9D, 0xB9) : kWhite;
                nRing += canvas.At(x, y) == expected;
            }
        EXPECT_EQ(nRing, 79 * 23) << static_cast<int>(mode);
    }
}

TEST(GraphicsTest, FillsAndLinesCoverTheirPixels)
{
    CCanvas canvas(20, 20);
    Graphics graphics(&canvas.dc);
    graphics.FillRectangle(SolidBrush(kRed), 2, 3, 4, 5);
    EXPECT_EQ(canvas.At(2, 3), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(5, 7), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(6, 7), kWhite);
    EXPECT_EQ(canvas.At(5, 8), kWhite);
    graphics.DrawLine(Pen(0xFF00FF00), 10, 15, 14, 15);
    for (int x = 9; x <= 15; ++x)
        EXPECT_EQ(canvas.At(x, 15), x >= 10 && x <= 14 ? RGB(0, 255, 0) : kWhite) << x;
    EXPECT_EQ(canvas.Ink(), 20 + 5);
    // Half-transparent colours blend with what is below.
    graphics.FillRectangle(SolidBrush(0x80000000), 0, 19, 1, 1);
    EXPECT_NEAR(GetRValue(canvas.At(0, 19)), 127, 1);
    EXPECT_EQ(graphics.FillRectangle(SolidBrush(kRed), 0, 0, -1, 1), Status::InvalidParameter);
    EXPECT_EQ(graphics.GetLastStatus(), Status::InvalidParameter);
}

TEST(GraphicsTest, AVerticalGradientRunsFromTheFirstColourOnTopToTheSecondBelow)
{
    CCanvas canvas(4, 101);
    Graphics graphics(&canvas.dc);
    const CRect rc(0, 0, 4, 101);
    graphics.FillRectangle(LinearGradientBrush(rc, 0xFFA9BED3, 0xFFD9EAF6, LinearGradientMode::Vertical), 0, 0, 4, 101);
    EXPECT_NEAR(GetRValue(canvas.At(0, 0)), 0xA9, 2);
    EXPECT_NEAR(GetRValue(canvas.At(0, 100)), 0xD9, 2);
    EXPECT_NEAR(GetBValue(canvas.At(3, 50)), (0xD3 + 0xF6) / 2, 2);
    for (int y = 1; y < 101; ++y)
        EXPECT_GE(GetRValue(canvas.At(0, y)), GetRValue(canvas.At(0, y - 1)));
    EXPECT_EQ(canvas.At(0, 50), canvas.At(3, 50));
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override { m_strFolder = TestFolder(); }
    std::string Picture(const std::string& strName, int nWidth, int nHeight, const PixelAt& pixel)
    {
        const std::string strPath = m_strFolder + "/" + strName;
        WritePng(strPath, nWidth, nHeight, pixel);
        return strPath;
    }
    std::string m_strFolder;
};

// Every pixel of the strip is different, so a shifted or scaled copy shows.
std::uint32_t StripPixel(int x, int y) { return Rgba(x * 3, y * 10, (x / 11) * 60); }

TEST_F(ImageTest, AnEqualSizeImagePartCopiesItsSliceUnscaled)
{
    Image strip(Picture("strip.png", 44, 20, StripPixel));
    ASSERT_EQ(strip.GetWidth(), 44);
    ASSERT_EQ(strip.GetHeight(), 20);
    CCanvas canvas(30, 30);
    Graphics graphics(&canvas.dc);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    ASSERT_EQ(graphics.DrawImage(strip, CRect(5, 5, 16, 25), 22, 0, 11, 20), Status::Ok);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 11; ++x) {
            const std::uint32_t c = StripPixel(22 + x, y);
            ASSERT_EQ(canvas.At(5 + x, 5 + y), RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) << x << "," << y;
        }
    EXPECT_EQ(canvas.Ink(), 11 * 20);
}

TEST_F(ImageTest, AStretchedPartShowsOnlyThatPart)
{
    // A 60 x 25 picture whose top-left 10 x 20 pixels are green and the rest red.
    Image picture(Picture("header.png", 60, 25, [](int x, int y) {
        return x < 10 && y < 20 ? Rgba(0, 200, 0) : Rgba(255, 0, 0);
    }));
    CCanvas canvas(308, 20);
    Graphics graphics(&canvas.dc);
    ASSERT_EQ(graphics.DrawImage(picture, CRect(0, 0, 308, 20), 0, 0, picture.GetWidth() - 50, picture.GetHeight() - 5),
              Status::Ok);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 308; ++x)
            ASSERT_EQ(canvas.At(x, y), RGB(0, 200, 0)) << x << "," << y;
}

TEST_F(ImageTest, AWholeImageDrawsInItsOwnSizeAndBlendsItsAlpha)
{
    Image picture(Picture("icon.png", 3, 2, [](int x, int) { return x == 0 ? Rgba(0, 0, 0, 128) : Rgba(0, 0, 255); }));
    CCanvas canvas(10, 10);
    Graphics graphics(&canvas.dc);
    ASSERT_EQ(graphics.DrawImage(picture, 4, 5), Status::Ok);
    EXPECT_NEAR(GetRValue(canvas.At(4, 5)), 127, 1);
    EXPECT_EQ(canvas.At(6, 6), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(7, 6), kWhite);
    EXPECT_EQ(canvas.At(6, 7), kWhite);
    EXPECT_EQ(canvas.Ink(), 6);
}

TEST_F(ImageTest, AnUnreadablePictureIsEmptyAndDrawsNothing)
{
    std::vector<unsigned char> valid = EncodePng(4, 4, StripPixel);
    std::vector<unsigned char> huge = valid;
    // Width and height of the header claim 100000 x 100000 pixels.
    for (int i : {16, 20}) {
        huge[static_cast<std::size_t>(i)] = 0x00;
        huge[static_cast<std::size_t>(i + 1)] = 0x01;
        huge[static_cast<std::size_t>(i + 2)] = 0x86;
        huge[static_cast<std::size_t>(i + 3)] = 0xA0;
    }
    struct Case {
        const char* szName;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {"empty.png", {}},
        {"garbage.png", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'}},
        {"truncated.png", std::vector<unsigned char>(valid.begin(), valid.begin() + 40)},
        {"huge.png", huge},
    };
    CCanvas canvas(10, 10);
    Graphics graphics(&canvas.dc);
    for (const Case& c : cases) {
        WriteBytes(m_strFolder + "/" + c.szName, c.bytes);
        Image image(m_strFolder + "/" + c.szName);
        EXPECT_EQ(image.GetWidth(), 0) << c.szName;
        EXPECT_EQ(image.GetHeight(), 0) << c.szName;
        EXPECT_EQ(graphics.DrawImage(image, 0, 0), Status::InvalidParameter);
        EXPECT_EQ(graphics.DrawImage(image, CRect(0, 0, 10, 10), 0, 0, 4, 4), Status::InvalidParameter);
    }
    Image missing(m_strFolder + "/missing.png");
    EXPECT_EQ(missing.GetWidth(), 0);
    EXPECT_EQ(Image::FromMemory(valid.data(), valid.size()).GetWidth(), 4);
    EXPECT_EQ(canvas.Ink(), 0);
}

TEST(GraphicsTest, AGraphicsWithoutASurfaceFailsQuietly)
{
    CDC empty;
    Graphics graphics(&empty);
    EXPECT_EQ(graphics.FillRectangle(SolidBrush(kRed), 0, 0, 1, 1), Status::InvalidParameter);
    Graphics none(nullptr);
    EXPECT_EQ(none.DrawLine(Pen(kRed), 0, 0, 1, 1), Status::InvalidParameter);
    EXPECT_EQ(none.GetLastStatus(), Status::InvalidParameter);
}

} // namespace
