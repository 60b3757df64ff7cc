// GDI-side drawing: memory DCs and block copies, pixels, regions, bitmap files and GDI fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "canvas.h"
#include "picture_files.h"
#include "platform/gdi.h"

namespace {

TEST(GdiTest, ABlockCopyMovesExactlyTheBlockAndNothingElse)
{
    CCanvas source(20, 10);
    for (int x = 0; x < 20; ++x)
        source.dc.FillSolidRect(x, 0, 1, 10, RGB(x * 10, 100, 200));
    CCanvas target(30, 30);
    EXPECT_TRUE(target.dc.BitBlt(5, 6, 4, 3, &source.dc, 8, 2, SRCCOPY));
    EXPECT_EQ(target.At(5, 6), RGB(80, 100, 200));
    EXPECT_EQ(target.At(8, 8), RGB(110, 100, 200));
    EXPECT_EQ(target.At(9, 6), RGB(255, 255, 255));
    EXPECT_EQ(target.At(5, 9), RGB(255, 255, 255));
    EXPECT_EQ(target.Ink(), 12);
    // A block that reaches past the source copies only what the source has.
    EXPECT_TRUE(target.dc.BitBlt(0, 20, 10, 10, &source.dc, 15, 5, SRCCOPY));
    EXPECT_EQ(target.At(4, 24), RGB(190, 100, 200));
    EXPECT_EQ(target.At(5, 24), RGB(255, 255, 255));
    EXPECT_EQ(target.At(4, 25), RGB(255, 255, 255));
    // Copying within one bitmap works like copying from another.
    source.dc.BitBlt(1, 0, 19, 10, &source.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(source.At(1, 5), RGB(0, 100, 200));
    EXPECT_EQ(source.At(19, 5), RGB(180, 100, 200));
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, 0x00EE0086));
}

TEST(GdiTest, PixelsOutsideTheBitmapAreInvalidAndAnEmptyMemoryDCDrawsNothing)
{
    CCanvas canvas(4, 4);
    EXPECT_EQ(canvas.At(-1, 0), CLR_INVALID);
    EXPECT_EQ(canvas.At(4, 0), CLR_INVALID);
    EXPECT_EQ(canvas.dc.SetPixel(3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    CDC empty;
    empty.CreateCompatibleDC(nullptr);
    empty.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    EXPECT_EQ(empty.GetPixel(0, 0), CLR_INVALID);
    // Putting the default bitmap back stops drawing into the bitmap.
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* pDefault = memory.SelectObject(&canvas.bitmap);
    ASSERT_NE(pDefault, nullptr);
    EXPECT_NE(pDefault, &canvas.bitmap);
    EXPECT_EQ(memory.SelectObject(pDefault), &canvas.bitmap);
    memory.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    CBitmap huge;
    EXPECT_FALSE(huge.CreateCompatibleBitmap(&canvas.dc, 100000, 100000));
    EXPECT_EQ(huge.GetSafeHandle(), nullptr);
}

TEST(GdiTest, ExclusiveOrCutsRunsOutOfARectangleRegion)
{
    CRgn region;
    CRect rcClient(0, 0, 100, 40);
    ASSERT_TRUE(region.CreateRectRgnIndirect(&rcClient));
    EXPECT_EQ(region.GetRgnBox(&rcClient), SIMPLEREGION);
    CRgn run;
    run.CreateRectRgn(0, 0, 7, 1);
    EXPECT_EQ(region.CombineRgn(&region, &run, RGN_XOR), COMPLEXREGION);
    run.CreateRectRgn(95, 34, 105, 35);
    region.CombineRgn(&region, &run, RGN_XOR);
    EXPECT_FALSE(region.PtInRegion(0, 0));
    EXPECT_FALSE(region.PtInRegion(6, 0));
    EXPECT_TRUE(region.PtInRegion(7, 0));
    EXPECT_TRUE(region.PtInRegion(0, 1));
    EXPECT_FALSE(region.PtInRegion(99, 34));
    // A run beyond the rectangle is added outside it.
    EXPECT_TRUE(region.PtInRegion(102, 34));
    CRect rcBox;
    region.GetRgnBox(&rcBox);
    EXPECT_EQ(rcBox, CRect(0, 0, 105, 40));
    CRgn copy;
    EXPECT_EQ(copy.CopyRgn(&region), COMPLEXREGION);
    EXPECT_TRUE(copy.EqualRgn(&region));
    copy.OffsetRgn(1, 0);
    EXPECT_FALSE(copy.EqualRgn(&region));
    CRgn none;
    EXPECT_EQ(copy.CombineRgn(&region, &none, RGN_AND), ERROR);
}

TEST(GdiTest, ABitmapFileLoadsWithItsExactPixels)
{
    const std::string strFolder = TestFolder();
    auto mask = [](int x, int y) {
        if (y == 0 && x < 3)
            return Rgba(210, 10, 10);
        if (y == 1 && x == 0)
            return Rgba(210, 10, 11);
        return Rgba(x * 20, y * 20, 50);
    };
    WriteBmp24(strFolder + "/mask.bmp", 7, 5, mask);
    // Paths as the system writes them, with backslashes.
    std::string strPath = strFolder + "\\mask.bmp";
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmapFile(strPath));
    BITMAP info;
    ASSERT_NE(bitmap.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    dc.SelectObject(&bitmap);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const std::uint32_t c = mask(x, y);
            EXPECT_EQ(dc.GetPixel(x, y), RGB(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)) << x << "," << y;
        }

    // Only bitmap files are bitmaps; nothing else loads.
    WritePng(strFolder + "/picture.png", 2, 2, mask);
    WriteBytes(strFolder + "/truncated.bmp", {'B', 'M', 1, 2, 3});
    for (const char* szName : {"/picture.png", "/truncated.bmp", "/missing.bmp"}) {
        CBitmap other;
        EXPECT_FALSE(other.LoadBitmapFile(strFolder + szName)) << szName;
        EXPECT_EQ(other.GetBitmap(&info), 0);
    }
}

TEST(GdiTest, AFaceNameKeepsThirtyOneCharactersAndCutsOnlyBetweenCharacters)
{
    LOGFONT lf;
    const std::string strThirtyOne(31, 'F');
    EXPECT_TRUE(SetLogFontFaceName(lf, strThirtyOne));
    EXPECT_EQ(std::string(lf.lfFaceName), strThirtyOne);
    EXPECT_FALSE(SetLogFontFaceName(lf, strThirtyOne + "G"));
    EXPECT_EQ(std::string(lf.lfFaceName), strThirtyOne);
    std::string strWide;
    for (int i = 0; i < 40; ++i)
        strWide += "宋";
    EXPECT_FALSE(SetLogFontFaceName(lf, strWide));
    EXPECT_EQ(std::string(lf.lfFaceName), strWide.substr(0, 31 * 3));
    EXPECT_TRUE(SetLogFontFaceName(lf, "宋体"));
    CFont font;
    lf.lfHeight = 13;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    LOGFONT back;
    ASSERT_NE(font.GetLogFont(&back), 0);
    EXPECT_STREQ(back.lfFaceName, "宋体");
}

TEST(GdiTest, AFontsCellHeightIsItsLineHeightAndTextDrawsInTheTextColour)
{
    int heights[2] = {};
    for (int i = 0; i < 2; ++i) {
        LOGFONT lf;
        lf.lfHeight = 13 * (i + 1);
        SetLogFontFaceName(lf, "Tahoma");
        CFont font;
        font.CreateFontIndirect(&lf);
        CCanvas canvas(10, 10);
        canvas.dc.SelectObject(&font);
        heights[i] = canvas.dc.GetTextExtent("Hg").cy;
    }
    EXPECT_NEAR(heights[0], 13, 1);
    EXPECT_NEAR(heights[1], 26, 1);

    CCanvas canvas(100, 30);
    canvas.dc.SetTextColor(RGB(255, 0, 0));
    canvas.dc.SetBkMode(TRANSPARENT);
    CRect rc(0, 0, 100, 30);
    canvas.dc.DrawText("Log In", &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    auto [nLeft, nRight] = canvas.InkColumns();
    EXPECT_GT(nRight - nLeft, 10);
    EXPECT_NEAR((nLeft + nRight) / 2.0, 50, 3);
    bool bRed = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            bRed = bRed || canvas.At(x, y) == RGB(255, 0, 0);
    EXPECT_TRUE(bRed);
    CRect rcCalc(0, 0, 40, 0);
    canvas.dc.DrawText("one two three four", &rcCalc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_LE(rcCalc.Width(), 40);
    EXPECT_GT(rcCalc.Height(), 2 * canvas.dc.GetTextExtent("one").cy - 2);
}

} // namespace
