// The drawn headers: the height factor on the platform's layout, the device list header's
// picture background, dividers and item texts, items of no width.
#include <string>
#include <vector>

#include "controls/standard_header_ctrl.h"
#include "controls/standard_list_ctrl.h"
#include "lists_fixture.h"
#include "tests/platform/picture_files.h"

namespace {

// The height the header answers to HDM_LAYOUT in a tall rectangle, and where the rest begins.
struct CLayoutAnswer {
    int nHeight = -1;
    int nRestTop = -1;
};

CLayoutAnswer LayOut(CHeaderCtrl& header)
{
    RECT rc{0, 0, 300, 200};
    WINDOWPOS position;
    HDLAYOUT layout{&rc, &position};
    if (!header.Layout(&layout))
        return {};
    return {position.cy, rc.top};
}

class HeaderTest : public ListsTest {
protected:
    // The font cell height at which the platform lays a header out nHeight pixels high; 0 if none.
    int CellHeightForHeader(int nHeight)
    {
        for (int nCell = 6; nCell < 40; ++nCell) {
            CHeaderCtrl plain;
            EXPECT_TRUE(plain.Create(WS_VISIBLE, CRect(0, 0, 300, 30), &parent, 1));
            CFont& font = Font(nCell);
            plain.SetFont(&font);
            if (LayOut(plain).nHeight == nHeight)
                return nCell;
        }
        return 0;
    }

    CFont& Font(int nCellHeight)
    {
        LOGFONT lf{};
        lf.lfHeight = nCellHeight;
        SetLogFontFaceName(lf, "DejaVu Sans");
        fonts.emplace_back(std::make_unique<CFont>());
        fonts.back()->CreateFontIndirect(&lf);
        return *fonts.back();
    }

    std::vector<std::unique_ptr<CFont>> fonts;
};

TEST_F(HeaderTest, TheHeightFactorTruncatesThePlatformsHeight)
{
    for (const auto& [nPlatform, nExpected] : std::vector<std::pair<int, int>>{{20, 18}, {21, 18}}) {
        SCOPED_TRACE(nPlatform);
        const int nCell = CellHeightForHeader(nPlatform);
        ASSERT_NE(nCell, 0);
        CStandardHeaderCtrl header;
        ASSERT_TRUE(header.Create(WS_VISIBLE, CRect(0, 0, 300, 30), &parent, 2));
        header.SetFont(&Font(nCell));
        EXPECT_EQ(LayOut(header).nHeight, nPlatform);
        header.SetHeightFactor(0.9f);
        const CLayoutAnswer answer = LayOut(header);
        EXPECT_EQ(answer.nHeight, nExpected);
        EXPECT_EQ(answer.nRestTop, nExpected);
    }
}

TEST_F(HeaderTest, TheDeviceListsRowsStartBelowTheLoweredHeader)
{
    const int nCell = CellHeightForHeader(20);
    ASSERT_NE(nCell, 0);
    CStandardListCtrl list;
    ASSERT_TRUE(list.CreateEx(0, WS_VISIBLE | LVS_REPORT, CRect(10, 50, 318, 191), &parent, 2105));
    ASSERT_EQ(list.GetHeaderCtrl(), &list.GetHeader());
    list.SetFont(&Font(nCell));
    list.GetHeader().SetHeightFactor(0.9f);
    list.InsertColumn(0, "Host Name", LVCFMT_LEFT, 96);
    list.InsertItem(0, "disk");
    host.PumpUntilIdle();
    CRect rcRow;
    ASSERT_TRUE(list.GetItemRect(0, &rcRow, LVIR_BOUNDS));
    EXPECT_EQ(rcRow.top, 18);
    CRect rcHeader;
    list.GetHeader().GetClientRect(&rcHeader);
    EXPECT_EQ(rcHeader.Height(), 18);
}

// The picture's top-left 10 x 20 pixels are four coloured quarters; everything else is grey, so
// any of it stretched into the header shows.
TEST_F(HeaderTest, TheBackgroundIsThePicturesTopLeftPartStretched)
{
    const std::string strPath = TestFolder() + "/headerbackground.png";
    WritePng(strPath, 60, 25, [](int x, int y) {
        if (x >= 10 || y >= 20)
            return Rgba(128, 128, 128);
        if (y < 10)
            return x < 5 ? Rgba(255, 0, 0) : Rgba(0, 255, 0);
        return x < 5 ? Rgba(0, 0, 255) : Rgba(255, 255, 0);
    });
    CStandardHeaderCtrl header;
    header.SetBackgroundImage(strPath, 1, 0, 0);
    ASSERT_TRUE(header.Create(WS_VISIBLE, CRect(0, 0, 200, 40), &parent, 2));
    host.PumpUntilIdle();
    struct CProbe {
        POINT pt;
        COLORREF clr;
    };
    for (const CProbe& probe : {CProbe{{50, 10}, RGB(255, 0, 0)}, CProbe{{150, 10}, RGB(0, 255, 0)},
                                CProbe{{50, 30}, RGB(0, 0, 255)}, CProbe{{150, 30}, RGB(255, 255, 0)},
                                CProbe{{190, 36}, RGB(255, 255, 0)}, CProbe{{5, 3}, RGB(255, 0, 0)}}) {
        SCOPED_TRACE(testing::Message() << probe.pt.x << "," << probe.pt.y);
        EXPECT_EQ(host.GetScreenPixel(&header, probe.pt), probe.clr);
    }
}

TEST_F(HeaderTest, AnItemOfNoWidthDrawsNeitherDividerNorTextAndTheNextItemIsDrawn)
{
    const std::string strDivider = TestFolder() + "/headerclip.png";
    WritePng(strDivider, 2, 12, [](int, int) { return Rgba(255, 0, 255); });
    CStandardHeaderCtrl header;
    header.SetDividerImage(strDivider);
    EXPECT_EQ(header.GetDividerWidth(), 2);
    EXPECT_EQ(header.GetDividerHeight(), 12);
    header.SetTextColor(RGB(255, 0, 0));
    header.SetTextFont("DejaVu Sans", 12);
    ASSERT_TRUE(header.Create(WS_VISIBLE, CRect(0, 0, 300, 20), &parent, 2));
    const std::vector<std::pair<std::string, int>> items{{"", 80}, {"WWWWWWWW", 0}, {"MM", 80}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::string strText = items[i].first;
        HDITEM item;
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = strText.data();
        item.cxy = items[i].second;
        header.InsertItem(static_cast<int>(i), &item);
    }
    host.PumpUntilIdle();
    const COLORREF clrDivider = RGB(255, 0, 255);
    for (const int x : {80, 81, 160, 161})
        EXPECT_EQ(host.GetScreenPixel(&header, {x, 4}), clrDivider) << x;
    EXPECT_EQ(host.GetScreenPixel(&header, {80, 3}), RGB(0, 0, 0));
    int nTextLeft = 0;
    int nTextRight = 0;
    for (int x = 0; x < 300; ++x)
        for (int y = 0; y < 20; ++y)
            if (x != 80 && x != 81 && IsReddish(host.GetScreenPixel(&header, {x, y}))) {
                nTextLeft = nTextLeft ? nTextLeft : x;
                nTextRight = x;
            }
    // Only the last item's text, centred in 80 to 160.
    EXPECT_GT(nTextLeft, 100);
    EXPECT_LT(nTextRight, 140);
}

} // namespace
