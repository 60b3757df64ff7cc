// The device list: its one-pixel frame by paint mode, the header it takes over, the header's
// font and colour, and custom draw answered without the parent.
#include <string>
#include <vector>

#include "controls/standard_list_ctrl.h"
#include "lists_fixture.h"

namespace {

const CRect kListRect(10, 50, 318, 191);
constexpr COLORREF kBorder = RGB(126, 157, 185);

class DeviceListTest : public ListsTest {
protected:
    // As the factory makes it: the frame filled before the window exists.
    void Make(CStandardListCtrl& list, int nPaintMode)
    {
        list.SetPaintMode(nPaintMode);
        list.SetBorderColor(kBorder);
        ASSERT_TRUE(list.CreateEx(0, WS_VISIBLE | LVS_REPORT, kListRect, &parent, 2105));
        list.InsertColumn(0, "Host Name", LVCFMT_LEFT, 96);
        list.InsertItem(0, "disk");
        host.PumpUntilIdle();
    }
};

TEST_F(DeviceListTest, PaintModeOneGivesAOnePixelFrameAroundASmallerClientArea)
{
    struct CCase {
        int nPaintMode;
        int nInset;
    };
    for (const CCase& c : {CCase{0, 0}, CCase{1, 1}}) {
        SCOPED_TRACE(c.nPaintMode);
        CStandardListCtrl list;
        Make(list, c.nPaintMode);
        CRect rcClient;
        list.GetClientRect(&rcClient);
        EXPECT_EQ(rcClient.Width(), kListRect.Width() - 2 * c.nInset);
        EXPECT_EQ(rcClient.Height(), kListRect.Height() - 2 * c.nInset);
        POINT ptOrigin{0, 0};
        list.ClientToScreen(&ptOrigin);
        parent.ScreenToClient(&ptOrigin);
        EXPECT_EQ(ptOrigin.x, kListRect.left + c.nInset);
        EXPECT_EQ(ptOrigin.y, kListRect.top + c.nInset);
        // The outermost ring of the window, at each corner and halfway along each side.
        const std::vector<POINT> ring{{kListRect.left, kListRect.top}, {kListRect.right - 1, kListRect.bottom - 1},
                                      {kListRect.left, 120}, {kListRect.right - 1, 120},
                                      {150, kListRect.top}, {150, kListRect.bottom - 1}};
        for (const POINT& pt : ring) {
            const COLORREF clr = host.GetScreenPixel(&parent, pt);
            if (c.nInset)
                EXPECT_EQ(clr, kBorder) << pt.x << "," << pt.y;
            else
                EXPECT_NE(clr, kBorder) << pt.x << "," << pt.y;
        }
    }
}

TEST_F(DeviceListTest, TheListTakesOverItsHeaderAndAnswersCustomDrawItself)
{
    CStandardListCtrl list;
    Make(list, 1);
    EXPECT_EQ(list.GetHeaderCtrl(), &list.GetHeader());
    list.SetHeaderTextColor("244,245,247");
    list.SetHeaderFont("Tahoma", 12);
    EXPECT_EQ(list.GetHeader().GetTextColor(), 0xFFF4F5F7u);
    EXPECT_EQ(list.GetHeader().GetTextFont().GetSize(), 12.0f);
    list.Invalidate();
    host.PumpUntilIdle();
    // The rows were painted by the platform, and the parent was never asked.
    CRect rcRow;
    ASSERT_TRUE(list.GetItemRect(0, &rcRow, LVIR_BOUNDS));
    EXPECT_GT(rcRow.top, 0);
    EXPECT_TRUE(parent.drawStages.empty());
}

} // namespace
