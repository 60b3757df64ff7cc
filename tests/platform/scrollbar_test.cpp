// The scroll bar: what it tells its parent for clicks beside the thumb and for a drag, and how it
// keeps its position within the range.
#include "controls_fixture.h"

#include "platform/scrollbar.h"

namespace {

using ScrollBarTest = PlatformTest;

TEST_F(ScrollBarTest, ClicksAndDragsAreToldToTheParentWhichMovesTheBar)
{
    CRecordingParent parent;
    MakeTop(parent);
    CScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 16, 104), &parent, 5));
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = 99;
    info.nPage = 25;
    info.nPos = 0;
    bar.SetScrollInfo(&info);
    // The trough is 100 pixels long and the thumb a quarter of it.
    host.Click(&bar, {8, 90});
    host.PumpUntilIdle();
    EXPECT_EQ(parent.Codes(WM_VSCROLL), (std::vector<UINT>{SB_PAGEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(bar.GetScrollPos(), 0);
    parent.notices.clear();
    host.MouseDown(&bar, {8, 10});
    host.MouseMove(&bar, {8, 47});
    host.MouseMove(&bar, {8, 500});
    host.MouseUp(&bar, {8, 500});
    host.PumpUntilIdle();
    ASSERT_EQ(parent.Codes(WM_VSCROLL), (std::vector<UINT>{SB_THUMBTRACK, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}));
    EXPECT_EQ(parent.notices[0].nItem, 37);
    EXPECT_EQ(parent.notices[1].nItem, 75);
    EXPECT_EQ(parent.notices[2].nItem, 75);
    EXPECT_EQ(parent.notices[0].hFrom, bar.m_hWnd);

    EXPECT_EQ(bar.SetScrollPos(500), 0);
    EXPECT_EQ(bar.GetScrollPos(), 75);
    EXPECT_EQ(bar.GetScrollLimit(), 75);
    // A page as large as the range leaves nothing to scroll: the position is the minimum.
    bar.SetScrollRange(10, 20);
    EXPECT_EQ(bar.GetScrollPos(), 10);
    int nMin = 0, nMax = 0;
    bar.GetScrollRange(&nMin, &nMax);
    EXPECT_EQ(nMin, 10);
    EXPECT_EQ(nMax, 20);
}

} // namespace
