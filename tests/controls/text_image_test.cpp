// The text and image controls: where the text starts and wraps, which slice shows, the text
// measure, the drag of the dialog from its top band and the registered classes.
#include "controls/show_image_ctrl.h"
#include "controls/show_text_ctrl.h"
#include "controls/show_text_image_ctrl.h"
#include "controls_fixture.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class TextImageControls : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        MakeTop(parent, CRect(100, 100, 400, 300));
    }

    template <class TControl>
    void Make(TControl& control, const char* szClass, const CRect& rc)
    {
        ASSERT_TRUE(control.CreateEx(0, szClass, "", WS_CHILD | WS_VISIBLE, rc, &parent, 50));
    }

    // The control's pixels as shown, row by row.
    std::vector<COLORREF> Screen(const CWnd& wnd)
    {
        host.PumpUntilIdle();
        CRect rc;
        wnd.GetClientRect(&rc);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                pixels.push_back(host.GetScreenPixel(&wnd, {x, y}));
        return pixels;
    }

    // A white text control showing strText in black from the offset.
    void ShowText(CShowTextCtrl& text, const std::string& strText, int x, int y)
    {
        text.SetPaintMode(PAINT_MODE_FILL);
        text.SetTextFont("DejaVu Sans", 12);
        text.SetText(strText, x, y);
        text.Invalidate();
    }

    CProbeWnd parent;
};

// The first column and row that are not white; -1 when all are.
CPoint FirstInk(const std::vector<COLORREF>& pixels, int nWidth)
{
    CPoint pt(-1, -1);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != kWhite) {
            const int x = static_cast<int>(i) % nWidth;
            const int y = static_cast<int>(i) / nWidth;
            pt.x = pt.x < 0 ? x : std::min<int>(pt.x, x);
            pt.y = pt.y < 0 ? y : std::min<int>(pt.y, y);
        }
    return pt;
}

TEST_F(TextImageControls, AnOffsetOfMinusOneDrawsAsOne)
{
    CShowTextCtrl text;
    Make(text, kShowTextCtrlClass, CRect(0, 0, 120, 40));
    ShowText(text, "Device List", 1, 1);
    const std::vector<COLORREF> one = Screen(text);
    ShowText(text, "Device List", -1, -1);
    EXPECT_EQ(Screen(text), one);
    ShowText(text, "Device List", 0, 0);
    const std::vector<COLORREF> zero = Screen(text);
    EXPECT_NE(zero, one);
    const CPoint ptZero = FirstInk(zero, 120);
    const CPoint ptOne = FirstInk(one, 120);
    ASSERT_GE(ptZero.x, 0);
    EXPECT_EQ(ptOne, CPoint(ptZero.x + 1, ptZero.y + 1));
}

TEST_F(TextImageControls, TextWrapsWithinItsMarginOnBothSides)
{
    CShowTextCtrl text;
    Make(text, kShowTextCtrlClass, CRect(0, 0, 100, 80));
    ShowText(text, "Searching new devices please wait", 10, 0);
    const std::vector<COLORREF> pixels = Screen(text);
    int nRight = -1;
    int nBottom = -1;
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != kWhite) {
            nRight = std::max(nRight, static_cast<int>(i) % 100);
            nBottom = std::max(nBottom, static_cast<int>(i) / 100);
        }
    EXPECT_GE(FirstInk(pixels, 100).x, 10);
    EXPECT_LT(nRight, 90);
    // Three words do not fit on one line of 80 pixels.
    EXPECT_GT(nBottom, 20);
}

TEST_F(TextImageControls, TheImageControlShowsItsCurrentSliceUnscaled)
{
    const std::string strStrip = strRoot + "/strip.png";
    WritePng(strStrip, 316, 10, [](int x, int y) {
        return y == 9 ? Rgba(0, 0, 0) : Rgba(60 * (x / 79), 100, 200 - x % 79);
    });
    CShowImageCtrl image;
    Make(image, kShowImageCtrlClass, CRect(0, 0, 100, 20));
    image.SetPaintMode(PAINT_MODE_FILL);
    image.SetBackgroundImage(strStrip, 4, 0, 0);
    EXPECT_EQ(image.GetSliceWidth(), 79);
    std::vector<COLORREF> pixels = Screen(image);
    EXPECT_EQ(pixels[0], RGB(0, 100, 200));
    EXPECT_EQ(pixels[78], RGB(0, 100, 122));
    // Past the slice and below the picture the control keeps its background.
    EXPECT_EQ(pixels[79], kWhite);
    EXPECT_EQ(pixels[9 * 100 + 5], RGB(0, 0, 0));
    EXPECT_EQ(pixels[10 * 100 + 5], kWhite);
    image.SetCurrentSlice(2);
    image.Invalidate();
    pixels = Screen(image);
    EXPECT_EQ(pixels[0], RGB(120, 100, 200));
    EXPECT_EQ(pixels[78], RGB(120, 100, 122));
}

TEST_F(TextImageControls, TheTextOnImageControlDrawsTheTextOverTheSlice)
{
    const std::string strBrush = strRoot + "/brush.png";
    WritePng(strBrush, 100, 20, [](int, int) { return Rgba(30, 160, 60); });
    CShowTextImageCtrl control;
    Make(control, kShowTextImageCtrlClass, CRect(0, 0, 100, 20));
    control.SetBackgroundImage(strBrush, 1, 0, 0);
    control.SetTextFont("DejaVu Sans", 12);
    control.SetTextColor(RGB(255, 255, 255));
    control.SetText("Wait", 15, 1);
    const std::vector<COLORREF> pixels = Screen(control);
    int nInk = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const bool bLeftMargin = static_cast<int>(i) % 100 < 15;
        if (bLeftMargin) {
            EXPECT_EQ(pixels[i], RGB(30, 160, 60)) << i;
        }
        nInk += pixels[i] != RGB(30, 160, 60);
    }
    EXPECT_GT(nInk, 10);
}

TEST_F(TextImageControls, MeasureTextCoversTheTextAndWrapsLongOnes)
{
    CShowTextCtrl text;
    Make(text, kShowTextCtrlClass, CRect(0, 0, 20, 20));
    EXPECT_EQ(text.MeasureText(), CSize(0, 0));
    text.SetTextFont("DejaVu Sans", 12);
    text.SetText("Host", 3, 2);
    const CSize shortText = text.MeasureText();
    text.SetText("Host Host", 3, 2);
    const CSize twoWords = text.MeasureText();
    EXPECT_GT(twoWords.cx, shortText.cx);
    EXPECT_EQ(twoWords.cy, shortText.cy);
    text.SetText(std::string(60, 'w') + " " + std::string(10, 'x'), 3, 2);
    const CSize wrapped = text.MeasureText();
    EXPECT_GT(wrapped.cy, shortText.cy);
    EXPECT_LE(wrapped.cx, 251);
    // Shown at that size, the text fits whole: nothing touches the right or bottom edge.
    text.SetText("Host Host", 3, 2);
    text.MoveWindow(0, 0, twoWords.cx, twoWords.cy + 2);
    text.SetPaintMode(PAINT_MODE_FILL);
    text.Invalidate();
    const std::vector<COLORREF> pixels = Screen(text);
    for (int y = 0; y < twoWords.cy + 2; ++y)
        EXPECT_EQ(pixels[static_cast<std::size_t>(y * twoWords.cx + twoWords.cx - 1)], kWhite) << y;
}

TEST_F(TextImageControls, AClickInTheDialogsTopBandDragsTheDialog)
{
    CShowTextCtrl text;
    Make(text, kShowTextCtrlClass, CRect(30, 4, 270, 40));
    const struct {
        int y;
        bool bDrags;
    } cases[] = {{0, true}, {20, true}, {23, true}, {24, false}, {30, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        const int nBefore = host.NativeWindow(&parent)->nMoveRequests;
        host.MouseDown(&text, {10, c.y});
        host.PumpUntilIdle();
        EXPECT_EQ(host.NativeWindow(&parent)->nMoveRequests - nBefore, c.bDrags ? 1 : 0);
        host.MouseUp(&text, {10, c.y});
        host.PumpUntilIdle();
    }
}

TEST_F(TextImageControls, ClassesAreRegisteredOnceWithTheArrow)
{
    CShowTextCtrl text;
    CShowImageCtrl image;
    CShowTextImageCtrl both;
    for (const char* szName : {kShowTextCtrlClass, kShowImageCtrlClass, kShowTextImageCtrlClass}) {
        SCOPED_TRACE(szName);
        WNDCLASS wc;
        ASSERT_TRUE(GetClassInfo(szName, &wc));
        EXPECT_EQ(wc.style, CS_GLOBALCLASS);
        EXPECT_EQ(CursorId(wc.hCursor), IDC_ARROW);
        EXPECT_EQ(wc.lpfnWndProc, nullptr);
        // The second object's registration is refused and changes nothing.
        EXPECT_EQ(RegisterClass(&wc), 0);
    }
    CShowTextCtrl second;
    EXPECT_TRUE(second.CreateEx(0, kShowTextCtrlClass, "", WS_CHILD, CRect(0, 0, 5, 5), &parent, 51));
}

} // namespace
