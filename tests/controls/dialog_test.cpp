// The drawn dialogs: the template, size from the description, double-buffered paint, colour
// answers, template children placed by the description, the mask shape and the drag band.
#include <functional>
#include <utility>
#include <vector>

#include "controls/dialog_template.h"
#include "controls/mask_region.h"
#include "controls_fixture.h"

namespace {

constexpr COLORREF kKey = kRegionMaskKey;
constexpr COLORREF kPlain = RGB(255, 255, 255);

TEST(DialogTemplate, IsABorderlessPopup)
{
    RegisterBasicDialogTemplate();
    RegisterBasicDialogTemplate();
    const CDialogTemplate t = BasicDialogTemplate();
    EXPECT_EQ(t.dwStyle, WS_POPUP | WS_VISIBLE | DS_SETFONT | DS_FIXEDSYS);
    EXPECT_EQ(t.dwExStyle, WS_EX_APPWINDOW);
    EXPECT_EQ(t.cx, 320);
    EXPECT_EQ(t.cy, 200);
    EXPECT_EQ(t.strTitle, "");
    EXPECT_EQ(t.strFaceName, "MS Shell Dlg");
    EXPECT_EQ(t.nPointSize, 9);
}

// A dialog whose layout is a description set by the test.
class CDescribedDialog : public CBasicNoneBorderDlg {
public:
    void Apply(const DialogDescription& description)
    {
        m_description = description;
        ApplyLayout();
    }
};

class DrawnDialog : public ControlsTest {
protected:
    void Open(CDescribedDialog& dlg)
    {
        ASSERT_TRUE(dlg.Create());
        dlg.SetWindowPos(nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        host.PumpUntilIdle();
    }

    // A mask bitmap: key colour where key() says so, plain elsewhere.
    std::string Mask(int nWidth, int nHeight, const std::function<COLORREF(int, int)>& color)
    {
        const std::string strPath = strRoot + "/mask" + std::to_string(++nMasks) + ".bmp";
        WriteBmp24(strPath, nWidth, nHeight, [&](int x, int y) {
            const COLORREF c = color(x, y);
            return Rgba(GetRValue(c), GetGValue(c), GetBValue(c));
        });
        return strPath;
    }

    int nMasks = 0;
};

TEST_F(DrawnDialog, TakesItsSizeFromTheDescriptionAtItsPlace)
{
    CDescribedDialog dlg;
    Open(dlg);
    const struct {
        CRect rcPos;
        CSize size;
    } cases[] = {{CRect(0, 0, 328, 245), CSize(328, 245)}, {CRect(10, 20, 338, 265), CSize(338, 265)}};
    for (const auto& c : cases) {
        DialogDescription d;
        d.rcPos = c.rcPos;
        d.strText = "VELK WIFI DISK";
        dlg.Apply(d);
        CRect rc;
        dlg.GetWindowRect(&rc);
        EXPECT_EQ(rc, CRect(CPoint(40, 30), c.size));
        EXPECT_EQ(dlg.GetDialogDescription().rcPos, rc);
        EXPECT_EQ(dlg.GetWindowText(), "VELK WIFI DISK");
        EXPECT_EQ(dlg.GetText(), std::optional<std::string>("VELK WIFI DISK"));
    }
}

TEST_F(DrawnDialog, PaintsItsWholeNewClientSizeInTheBackgroundColour)
{
    CDescribedDialog dlg;
    Open(dlg);
    DialogDescription d;
    d.strBGColor = "9,99,199";
    d.clrBG = RGB(9, 99, 199);
    d.rcPos = CRect(0, 0, 100, 60);
    dlg.Apply(d);
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&dlg, {99, 59}), RGB(9, 99, 199));
    dlg.MoveWindow(40, 30, 150, 90);
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&dlg, {0, 0}), RGB(9, 99, 199));
    EXPECT_EQ(host.GetScreenPixel(&dlg, {149, 89}), RGB(9, 99, 199));
}

TEST_F(DrawnDialog, AnswersColourRequestsFromTheDescription)
{
    CDescribedDialog dlg;
    Open(dlg);
    CProbeWnd child;
    MakeChild(child, dlg, CRect(0, 0, 10, 10), 2104);
    DialogDescription d;
    d.mapControls[2104].clrText = RGB(1, 2, 3);
    dlg.Apply(d);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    const auto Ask = [&](UINT nKind, const CWnd& from) {
        return reinterpret_cast<HBRUSH>(dlg.SendMessage(WM_CTLCOLORMSGBOX + nKind, reinterpret_cast<WPARAM>(&dc),
                                                        reinterpret_cast<LPARAM>(from.m_hWnd)));
    };
    const HBRUSH hDefault = Ask(CTLCOLOR_BTN, child);
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(hDefault, GetSysColorBrush(COLOR_BTNFACE));
    // The dialog's own background: the platform's brush while the colour text is empty.
    EXPECT_EQ(Ask(CTLCOLOR_DLG, dlg), hDefault);
    d.strBGColor = "9,99,199";
    d.clrBG = RGB(9, 99, 199);
    dlg.Apply(d);
    const HBRUSH hOwn = Ask(CTLCOLOR_DLG, dlg);
    ASSERT_NE(hOwn, nullptr);
    EXPECT_EQ(hOwn->GetColor(), RGB(9, 99, 199));
    EXPECT_EQ(Ask(CTLCOLOR_DLG, dlg), hOwn);
    EXPECT_EQ(Ask(CTLCOLOR_STATIC, child), hDefault);
}

TEST_F(DrawnDialog, TemplateChildrenArePlacedTitledAndGivenAFont)
{
    CDescribedDialog dlg;
    Open(dlg);
    CProbeWnd child;
    MakeChild(child, dlg, CRect(0, 0, 10, 10), 7);
    DialogDescription d;
    d.rcPos = CRect(0, 0, 200, 100);
    ControlDescription& c = d.mapControls[7];
    c.rcPos = CRect(5, 6, 55, 26);
    c.nShowCmd = SW_HIDE;
    c.strText = "Name";
    c.strFontName = "Tahoma";
    c.nFontSize = 13;
    d.mapControls[8].strText = "no such child";
    dlg.Apply(d);
    EXPECT_EQ(RectInParent(&child), CRect(5, 6, 55, 26));
    EXPECT_FALSE(child.IsWindowVisible());
    EXPECT_EQ(child.GetWindowText(), "Name");
    ASSERT_EQ(dlg.GetLayoutFonts().size(), 1u);
    EXPECT_EQ(child.Count(WM_SETFONT), 1);
    // A second run makes its fonts anew.
    dlg.Apply(d);
    EXPECT_EQ(dlg.GetLayoutFonts().size(), 1u);
    EXPECT_EQ(child.Count(WM_SETFONT), 2);
}

TEST_F(DrawnDialog, ClicksAboveRow28DragTheWindow)
{
    CDescribedDialog dlg;
    Open(dlg);
    DialogDescription d;
    d.rcPos = CRect(0, 0, 200, 100);
    dlg.Apply(d);
    host.PumpUntilIdle();
    for (const auto& [y, nDrags] : {std::pair{0, 1}, {27, 1}, {28, 0}, {60, 0}}) {
        SCOPED_TRACE(y);
        const int nBefore = host.NativeWindow(&dlg)->nMoveRequests;
        host.MouseDown(&dlg, {50, y});
        host.PumpUntilIdle();
        EXPECT_EQ(host.NativeWindow(&dlg)->nMoveRequests - nBefore, nDrags);
        host.MouseUp(&dlg, {50, y});
        host.PumpUntilIdle();
    }
}

TEST_F(DrawnDialog, MaskRegionFromTheKeyRunsOfTheTopRows)
{
    const CRect rcClient(0, 0, 40, 50);
    const struct {
        const char* szName;
        int nWidth;
        int nHeight;
        std::function<COLORREF(int, int)> color;
        std::vector<POINT> cut;
        std::vector<POINT> kept;
    } cases[] = {
        {"no key", 40, 50, [](int, int) { return kPlain; }, {}, {{0, 0}, {39, 0}, {39, 34}}},
        {"corners", 40, 50,
         [](int x, int y) { return (y < 2 && (x < 3 || x >= 37)) ? kKey : kPlain; },
         {{0, 0}, {2, 0}, {0, 1}, {37, 0}, {39, 1}}, {{3, 0}, {36, 0}, {0, 2}}},
        {"near key", 40, 50, [](int x, int) { return x == 5 ? RGB(210, 10, 11) : x == 6 ? kKey : kPlain; },
         {{6, 0}, {6, 34}}, {{5, 0}, {7, 0}, {6, 35}}},
        {"row 35", 40, 50, [](int, int y) { return y >= 35 ? kKey : kPlain; }, {}, {{0, 35}, {20, 49}}},
        {"narrow", 10, 50, [](int, int) { return kKey; }, {{0, 0}, {9, 34}}, {{10, 0}, {20, 10}, {0, 35}}},
        {"short", 40, 5, [](int, int) { return kKey; }, {{0, 0}, {39, 4}}, {{0, 5}, {39, 34}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.szName);
        CRgn region;
        ASSERT_TRUE(BuildMaskRegionFromFile(Mask(c.nWidth, c.nHeight, c.color), rcClient, region));
        for (POINT pt : c.cut)
            EXPECT_FALSE(region.PtInRegion(pt.x, pt.y)) << pt.x << "," << pt.y;
        for (POINT pt : c.kept)
            EXPECT_TRUE(region.PtInRegion(pt.x, pt.y)) << pt.x << "," << pt.y;
    }
    CRgn plain;
    BuildMaskRegionFromFile(Mask(40, 50, [](int, int) { return kPlain; }), rcClient, plain);
    CRgn client;
    client.CreateRectRgnIndirect(&rcClient);
    EXPECT_TRUE(plain.EqualRgn(&client));
}

TEST_F(DrawnDialog, TheWindowTakesItsShapeFromTheMaskAtEverySize)
{
    CDescribedDialog dlg;
    dlg.SetRegionMaskPath(Mask(60, 40, [](int x, int y) { return x < 4 && y < 4 ? kKey : kPlain; }));
    Open(dlg);
    DialogDescription d;
    d.rcPos = CRect(0, 0, 60, 40);
    dlg.Apply(d);
    host.PumpUntilIdle();
    ASSERT_TRUE(host.NativeWindow(&dlg)->bShaped);
    EXPECT_EQ(host.GetScreenPixel(&dlg, {1, 1}), CLR_INVALID);
    EXPECT_NE(host.GetScreenPixel(&dlg, {4, 4}), CLR_INVALID);
    EXPECT_NE(host.GetScreenPixel(&dlg, {59, 39}), CLR_INVALID);
}

TEST_F(DrawnDialog, RoundCornersCutOnlyTheCornerPixels)
{
    CDescribedDialog dlg;
    Open(dlg);
    DialogDescription d;
    d.rcPos = CRect(0, 0, 60, 40);
    dlg.Apply(d);
    dlg.ApplyRoundRegion();
    host.PumpUntilIdle();
    for (POINT pt : {POINT{0, 0}, POINT{59, 0}, POINT{0, 39}, POINT{59, 39}})
        EXPECT_EQ(host.GetScreenPixel(&dlg, pt), CLR_INVALID) << pt.x << "," << pt.y;
    for (POINT pt : {POINT{2, 0}, POINT{0, 2}, POINT{1, 1}, POINT{30, 0}, POINT{59, 20}, POINT{57, 39}})
        EXPECT_NE(host.GetScreenPixel(&dlg, pt), CLR_INVALID) << pt.x << "," << pt.y;
}

TEST_F(DrawnDialog, AMaskThatCannotBeLoadedLeavesTheWindowRectangular)
{
    for (const std::string& strPath : {std::string(), strRoot + "/missing.bmp", ShippedEnglishLayout()}) {
        CDescribedDialog dlg;
        dlg.SetRegionMaskPath(strPath);
        Open(dlg);
        DialogDescription d;
        d.rcPos = CRect(0, 0, 60, 40);
        dlg.Apply(d);
        host.PumpUntilIdle();
        EXPECT_FALSE(host.NativeWindow(&dlg)->bShaped) << strPath;
        EXPECT_NE(host.GetScreenPixel(&dlg, {0, 0}), CLR_INVALID);
    }
}

} // namespace
