// The property frame: its initial look, the setters, image slices, the paint layers on pixels,
// the parent-background snapshot, moving child windows and a tooltip that cannot be made.
#include <gtest/gtest.h>

#include <string>

#include "frame_test_support.h"
#include "layout/property_frame.h"
#include "tests/platform/picture_files.h"

namespace {

constexpr COLORREF kUntouched = RGB(1, 2, 3);

TEST(PropertyFrame, StartsWithItsDefaults)
{
    CBasicPropertyFrame frame;
    EXPECT_EQ(frame.GetPaintMode(), 0);
    EXPECT_EQ(frame.GetBorderColor(), 0xFFFFFFFFu);
    EXPECT_EQ(frame.GetFillColor(), 0xFFFFFFFFu);
    EXPECT_EQ(frame.GetTextColor(), 0xFF000000u);
    EXPECT_EQ(frame.GetImage(), nullptr);
    EXPECT_EQ(frame.GetImageOrigin(), CPoint(0, 0));
    EXPECT_EQ(frame.GetImageWidth(), 0);
    EXPECT_EQ(frame.GetImageHeight(), 0);
    EXPECT_EQ(frame.GetSliceWidth(), 0);
    EXPECT_EQ(frame.GetSliceCount(), 1);
    EXPECT_EQ(frame.GetCurrentSlice(), 0);
    EXPECT_EQ(frame.GetTextFont().GetSize(), 12.0f);
    EXPECT_TRUE(frame.GetTextFont().IsAvailable());
    EXPECT_FALSE(frame.GetTextFont().GetFamilyName().empty());
    EXPECT_FALSE(frame.GetText().has_value());
    EXPECT_EQ(frame.GetTextOffset(), CPoint(0, 0));
    EXPECT_EQ(frame.GetLastClientRect(), CRect());
    EXPECT_FALSE(frame.IsLayoutLoaded());
    EXPECT_EQ(frame.GetToolTip(), nullptr);
    EXPECT_EQ(frame.GetParentSnapshot(), nullptr);
}

TEST(PropertyFrame, SettersStoreOpaqueColoursTextsAndFonts)
{
    CBasicPropertyFrame frame;
    frame.SetFillColor(RGB(126, 157, 185));
    frame.SetBorderColor(RGB(1, 2, 3));
    frame.SetTextColor(RGB(244, 245, 247));
    EXPECT_EQ(frame.GetFillColor(), 0xFF7E9DB9u);
    EXPECT_EQ(frame.GetBorderColor(), 0xFF010203u);
    EXPECT_EQ(frame.GetTextColor(), 0xFFF4F5F7u);

    frame.SetText("", 3, -1);
    ASSERT_TRUE(frame.GetText().has_value());
    EXPECT_EQ(*frame.GetText(), "");
    EXPECT_EQ(frame.GetTextOffset(), CPoint(3, -1));
    frame.SetText("Searching new devices,please wait 10s...", 3, -1);
    EXPECT_EQ(*frame.GetText(), "Searching new devices,please wait 10s...");

    frame.SetTextFont("Tahoma", 13);
    EXPECT_EQ(frame.GetTextFont().GetSize(), 13.0f);
    EXPECT_TRUE(frame.GetTextFont().IsAvailable());
    frame.SetTextFont("Tahoma", 0);
    EXPECT_FALSE(frame.GetTextFont().IsAvailable());
}

class PropertyFrameImage : public ::testing::Test {
protected:
    // A picture of nWidth x 6 pixels written for the test.
    std::string Picture(int nWidth)
    {
        std::string strPath = TestFolder() + "/strip.png";
        WritePng(strPath, nWidth, 6, [](int x, int) { return Rgba(x, 0, 0); });
        return strPath;
    }
};

TEST_F(PropertyFrameImage, CutsTheImageIntoEqualSlices)
{
    struct Case {
        int nSliceCount;
        int nExpectedCount;
        int nExpectedWidth;
    };
    const std::string strPath = Picture(44);
    for (const Case& c : {Case{4, 4, 11}, Case{0, 1, 44}, Case{3, 3, 14}}) {
        SCOPED_TRACE(c.nSliceCount);
        CBasicPropertyFrame frame;
        frame.SetBackgroundImage(strPath, c.nSliceCount, 2, 5);
        ASSERT_NE(frame.GetImage(), nullptr);
        EXPECT_EQ(frame.GetImageWidth(), 44);
        EXPECT_EQ(frame.GetImageHeight(), 6);
        EXPECT_EQ(frame.GetSliceCount(), c.nExpectedCount);
        EXPECT_EQ(frame.GetSliceWidth(), c.nExpectedWidth);
        EXPECT_EQ(frame.GetImageOrigin(), CPoint(2, 5));
    }
}

TEST_F(PropertyFrameImage, AnUnreadableFileReplacesTheImageWithOneWithoutPixels)
{
    CBasicPropertyFrame frame;
    frame.SetBackgroundImage(Picture(44), 4, 0, 0);
    frame.SetBackgroundImage(TestFolder() + "/missing.png", 2, 0, 0);
    ASSERT_NE(frame.GetImage(), nullptr);
    EXPECT_EQ(frame.GetImageWidth(), 0);
    EXPECT_EQ(frame.GetImageHeight(), 0);
    EXPECT_EQ(frame.GetSliceWidth(), 0);
    EXPECT_EQ(frame.GetSliceCount(), 2);
}

TEST(PropertyFrame, MeasureImageWithoutAnImageChangesNothing)
{
    CBasicPropertyFrame frame;
    frame.MeasureImage(4);
    EXPECT_EQ(frame.GetSliceCount(), 1);
    EXPECT_EQ(frame.GetSliceWidth(), 0);
    EXPECT_EQ(frame.GetImageWidth(), 0);
}

class PropertyFramePaint : public FrameTest {
protected:
    // Paints child's frame into a canvas of the child's size plus a margin, prefilled with
    // kUntouched, with pParent as the parent.
    void Paint(CMemoryCanvas& canvas, CWnd* pParent, CWnd* pWnd)
    {
        Graphics graphics(&canvas.dc);
        child.PaintByMode(pParent, pWnd, &graphics, &canvas.dc);
    }

    // Every pixel of the child's area in canvas, checked against expected(x, y).
    template <class Expected>
    void ExpectChildArea(const CMemoryCanvas& canvas, Expected expected)
    {
        for (int y = 0; y < kChildHeight; ++y)
            for (int x = 0; x < kChildWidth; ++x)
                ASSERT_EQ(canvas.dc.GetPixel(x, y), expected(x, y)) << "at " << x << "," << y;
    }
};

TEST_F(PropertyFramePaint, ModeZeroAndMissingWindowsDrawNothing)
{
    struct Case {
        int nPaintMode;
        bool bParent;
        bool bWindow;
    };
    const std::string strPath = TestFolder() + "/image.png";
    WritePng(strPath, 5, 4, [](int, int) { return Rgba(200, 0, 0); });
    child.SetBackgroundImage(strPath, 1, 0, 0);
    for (const Case& c : {Case{0, true, true}, Case{4, false, true}, Case{15, true, false}}) {
        SCOPED_TRACE(c.nPaintMode);
        child.SetPaintMode(c.nPaintMode);
        CMemoryCanvas canvas(kChildWidth + 2, kChildHeight + 2, kUntouched);
        Paint(canvas, c.bParent ? &parent : nullptr, c.bWindow ? &child : nullptr);
        ExpectChildArea(canvas, [](int, int) { return kUntouched; });
    }
}

TEST_F(PropertyFramePaint, ModeSixShowsOnlyTheFill)
{
    child.SetPaintMode(PAINT_MODE_PARENT_BACKGROUND | PAINT_MODE_FILL);
    child.SetFillColor(RGB(126, 157, 185));
    CMemoryCanvas canvas(kChildWidth, kChildHeight, kUntouched);
    Paint(canvas, &parent, &child);
    ExpectChildArea(canvas, [](int, int) { return RGB(126, 157, 185); });
}

TEST_F(PropertyFramePaint, ModeTwelveDrawsTheImageOverTheParentsBackground)
{
    // 5 x 4, opaque but for a transparent pixel at 1,1 through which the background shows.
    const std::string strPath = TestFolder() + "/image.png";
    WritePng(strPath, 5, 4, [](int x, int y) { return x == 1 && y == 1 ? Rgba(0, 0, 0, 0) : Rgba(200, x, y); });
    child.SetBackgroundImage(strPath, 1, 0, 0);
    child.SetPaintMode(PAINT_MODE_PARENT_BACKGROUND | PAINT_MODE_IMAGE);
    CMemoryCanvas canvas(kChildWidth, kChildHeight, kUntouched);
    Paint(canvas, &parent, &child);
    ExpectChildArea(canvas, [](int x, int y) {
        const bool bImage = x < 5 && y < 4 && !(x == 1 && y == 1);
        return bImage ? RGB(200, x, y) : PatternAt(kChildX + x, kChildY + y);
    });
    // The snapshot that this paint took for itself is kept.
    EXPECT_NE(child.GetParentSnapshot(), nullptr);
}

TEST_F(PropertyFramePaint, TheBorderIsTheOuterRingOfTheClientArea)
{
    child.SetPaintMode(PAINT_MODE_BORDER);
    child.SetBorderColor(RGB(126, 157, 185));
    CMemoryCanvas canvas(kChildWidth + 2, kChildHeight + 2, kUntouched);
    Paint(canvas, &parent, &child);
    for (int y = 0; y < kChildHeight + 2; ++y)
        for (int x = 0; x < kChildWidth + 2; ++x) {
            const bool bInside = x < kChildWidth && y < kChildHeight;
            const bool bRing = bInside && (x == 0 || y == 0 || x == kChildWidth - 1 || y == kChildHeight - 1);
            ASSERT_EQ(canvas.dc.GetPixel(x, y), bRing ? RGB(126, 157, 185) : kUntouched) << "at " << x << "," << y;
        }
}

TEST_F(PropertyFramePaint, ARefreshedSnapshotHoldsExactlyTheParentsPixelsUnderTheWindow)
{
    CMemoryCanvas parentCanvas(120, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            parentCanvas.dc.SetPixel(x, y, RGB(x, y, 5));
    child.RefreshParentSnapshot(&parentCanvas.dc, &child, &parent);
    CDC* pSnapshot = child.GetParentSnapshot();
    ASSERT_NE(pSnapshot, nullptr);
    for (int y = 0; y < kChildHeight; ++y)
        for (int x = 0; x < kChildWidth; ++x)
            ASSERT_EQ(pSnapshot->GetPixel(x, y), RGB(kChildX + x, kChildY + y, 5)) << "at " << x << "," << y;
    EXPECT_EQ(pSnapshot->GetPixel(kChildWidth, 0), CLR_INVALID);
    EXPECT_EQ(pSnapshot->GetPixel(0, kChildHeight), CLR_INVALID);

    // Painting the parent's background now copies the snapshot, not the screen.
    child.SetPaintMode(PAINT_MODE_PARENT_BACKGROUND);
    CMemoryCanvas canvas(kChildWidth, kChildHeight, kUntouched);
    Paint(canvas, &parent, &child);
    ExpectChildArea(canvas, [](int x, int y) { return RGB(kChildX + x, kChildY + y, 5); });
}

TEST_F(PropertyFramePaint, ASnapshotNeedsBothWindows)
{
    CMemoryCanvas parentCanvas(120, 60);
    child.RefreshParentSnapshot(&parentCanvas.dc, &child, nullptr);
    child.RefreshParentSnapshot(&parentCanvas.dc, nullptr, &parent);
    CTestControl windowless;
    child.RefreshParentSnapshot(&parentCanvas.dc, &windowless, &parent);
    EXPECT_EQ(child.GetParentSnapshot(), nullptr);
}

using PropertyFrameMove = FrameTest;

TEST_F(PropertyFrameMove, MovesOrStretchesByModeAndLeavesUnknownModesAlone)
{
    struct Case {
        int nHorizontal;
        int nVertical;
        CRect rcExpected;
    };
    const CRect rcStart = ChildRect();
    const Case cases[] = {
        {2, 3, CRect(20, 20, 99, 48)}, {3, 2, CRect(10, 25, 99, 48)}, {1, 1, rcStart},
        {2, 4, rcStart},               {0, 2, rcStart},               {3, -1, rcStart},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nHorizontal << "," << c.nVertical);
        child.MoveWindow(&rcStart);
        child.MoveBy(&child, 10, 5, c.nHorizontal, c.nVertical);
        EXPECT_EQ(ChildRect(), c.rcExpected);
    }
}

TEST_F(PropertyFrameMove, KeepsTheSizeOfABorderedWindowAndTheScreenPlaceOfATopLevelOne)
{
    CTestControl bordered;
    MakeChild(bordered, parent, CRect(30, 5, 60, 15), 101, kPlainClass, WS_CHILD | WS_VISIBLE | WS_BORDER);
    bordered.MoveBy(&bordered, 10, 5, 1, 1);
    CRect rc;
    bordered.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    EXPECT_EQ(rc, CRect(30, 5, 60, 15));

    child.MoveBy(&parent, 10, 5, 2, 1);
    parent.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(110, 100, 230, 160));
}

TEST(PropertyFrame, ATooltipNeedsALiveWindowAndServesATopLevelOneToo)
{
    CHeadlessHost host;
    RegisterTestClasses();
    CBasicPropertyFrame frame;
    CWnd gone;
    frame.AttachToolTip("tip", &gone);
    EXPECT_EQ(frame.GetToolTip(), nullptr);
    frame.AttachToolTip("tip", nullptr);
    EXPECT_EQ(frame.GetToolTip(), nullptr);

    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, kPlainClass, "top", WS_POPUP | WS_VISIBLE, CRect(0, 0, 50, 50), nullptr, 0));
    frame.AttachToolTip("tip", &top);
    const HWND hTip = frame.GetToolTip();
    ASSERT_TRUE(IsWindow(hTip));
    EXPECT_EQ(CWnd::FromHandle(hTip)->GetWindow(GW_OWNER), &top);
    host.MouseMove(&top, {10, 10});
    host.AdvanceTime(HostTime(500));
    EXPECT_TRUE(CWnd::FromHandle(hTip)->IsWindowVisible());
}

} // namespace
