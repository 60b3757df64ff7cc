// The task list: its status icons and scroll bars by table, selection by click, Shift, Ctrl, the
// right button and the rubber band, and the rows band repainted after a change.
#include <set>
#include <string>
#include <vector>

#include "controls/show_task_list_ctrl.h"
#include "lists_fixture.h"
#include "tests/platform/picture_files.h"

namespace {

using List = CShowTaskListCtrl;

TEST(TaskStatus, TheStateColumnChoosesTheSlice)
{
    struct CCase {
        const char* szState;
        const char* sz14;
        const char* sz16;
        int nSlice;
    };
    for (const CCase& c : {CCase{"R", "1", "", 4}, CCase{"R", "0", "", 0}, CCase{"W", "", "", 2},
                           CCase{"S", "", "", 1}, CCase{"S", "", "x", 1}, CCase{"C", "", "", 5},
                           CCase{"P", "", "", 6}, CCase{"E", "", "", 3}, CCase{"J", "", "", 4},
                           CCase{"D", "", "", 3}, CCase{"Q", "", "x", 3}, CCase{"Q", "1", "", -1},
                           CCase{"", "", "", -1}, CCase{"r", "", "", -1}})
        EXPECT_EQ(TaskStatusSlice(c.szState, c.sz14, c.sz16), c.nSlice) << c.szState << "/" << c.sz14 << "/" << c.sz16;
}

// A client area of 300 x 220: 200 pixels of rows band, 184 beside a horizontal bar; 284 wide
// beside a vertical bar.
TEST(TaskScrollBars, EachBarShowsWhenItsContentDoesNotFit)
{
    struct CCase {
        int nHeight;
        int nWidth;
        bool bVertical;
        bool bHorizontal;
    };
    for (const CCase& c : {CCase{200, 300, false, false}, CCase{201, 280, true, false}, CCase{150, 301, false, true},
                           CCase{190, 290, false, false}, CCase{201, 290, true, true}, CCase{190, 301, true, true},
                           CCase{180, 301, false, true}}) {
        const CTaskScrollBars bars = TaskScrollBarsNeeded(c.nHeight, c.nWidth, 300, 220);
        EXPECT_EQ(bars.bVertical, c.bVertical) << c.nHeight << " x " << c.nWidth;
        EXPECT_EQ(bars.bHorizontal, c.bHorizontal) << c.nHeight << " x " << c.nWidth;
    }
}

class TaskListTest : public ListsTest {
protected:
    static constexpr UINT kListId = 2110;

    void SetUp() override
    {
        ListsTest::SetUp();
        ASSERT_TRUE(list.CreateEx(0, WS_VISIBLE | LVS_REPORT, CRect(10, 10, 330, 250), &parent, kListId));
        for (int i = 0; i < 3; ++i)
            list.InsertColumn(i, "Column " + std::to_string(i), LVCFMT_LEFT, 100);
        for (int i = 5; i >= 0; --i)
            list.InsertItem(0, "task " + std::to_string(i));
        host.PumpUntilIdle();
    }

    // The middle of a row's first cell, in list client coordinates.
    static POINT Row(int nRow) { return {50, List::kHeaderBand + nRow * List::kRowHeight + 15}; }

    std::set<int> Selection() const
    {
        std::set<int> selected;
        for (int i = 0; i < list.GetItemCount(); ++i)
            if (list.GetItemState(i, LVIS_SELECTED))
                selected.insert(i);
        return selected;
    }

    void Press(POINT pt, WPARAM nKeys = 0, HostMouseButton button = HostMouseButton::Left)
    {
        host.Click(&list, pt, button, nKeys);
        host.PumpUntilIdle();
    }

    CShowTaskListCtrl list;
};

TEST_F(TaskListTest, ClicksSelectWithShiftFromTheAnchorAndToggleWithCtrl)
{
    struct CStep {
        int nRow;
        WPARAM nKeys;
        std::set<int> selection;
    };
    // Rows selected by the program leave no anchor behind.
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(5, LVIS_SELECTED, LVIS_SELECTED);
    const std::vector<CStep> steps{
        {3, MK_SHIFT, {3}},           // no anchor yet: only the clicked row
        {1, 0, {1}},                  // a plain click: that row alone, and the anchor
        {3, MK_SHIFT, {1, 2, 3}},     // from the anchor
        {0, MK_SHIFT, {0, 1}},        // the anchor stays where it was
        {4, MK_CONTROL, {0, 1, 4}},   // toggled on, and the new anchor
        {1, MK_CONTROL, {0, 4}},      // a selected row toggled off
        {2, MK_SHIFT, {1, 2}},        // from the anchor that Ctrl left (row 1)
        {2, 0, {2}},                  // a second click on the same row, a double click
        {2, MK_CONTROL, {}},          // and a third, toggled
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        Press(Row(steps[i].nRow), steps[i].nKeys);
        EXPECT_EQ(Selection(), steps[i].selection) << "step " << i;
    }
}

TEST_F(TaskListTest, TheRightButtonKeepsASelectionItLandsOnAndTellsTheParent)
{
    Press(Row(1));
    Press(Row(3), MK_SHIFT);
    ASSERT_EQ(Selection(), (std::set<int>{1, 2, 3}));
    Press(Row(2), 0, HostMouseButton::Right);
    EXPECT_EQ(Selection(), (std::set<int>{1, 2, 3}));
    Press(Row(5), MK_CONTROL, HostMouseButton::Right);
    EXPECT_EQ(Selection(), (std::set<int>{1, 2, 3}));
    Press(Row(5), 0, HostMouseButton::Right);
    EXPECT_EQ(Selection(), std::set<int>{5});
    Press({50, 230}, 0, HostMouseButton::Right);
    EXPECT_TRUE(Selection().empty());
    int nTold = 0;
    for (const MSG& msg : parent.received)
        if (msg.message == WM_TASKLIST_RBUTTONUP) {
            ++nTold;
            EXPECT_EQ(msg.wParam, kListId);
            EXPECT_EQ(msg.lParam, 0);
        }
    EXPECT_EQ(nTold, 4);
}

TEST_F(TaskListTest, TheRubberBandSelectsTheRowsItTouches)
{
    Press(Row(4));
    // From beside the columns, in row 0, to the middle of row 2.
    const POINT ptStart{310, List::kHeaderBand + 5};
    host.MouseMove(&list, ptStart);
    host.MouseDown(&list, ptStart);
    host.PumpUntilIdle();
    EXPECT_TRUE(Selection().empty());
    host.MouseMove(&list, {150, List::kHeaderBand + 75}, MK_LBUTTON);
    host.PumpUntilIdle();
    // The band shows in its fill over the list while the button is held.
    EXPECT_NE(host.GetScreenPixel(&list, {305, List::kHeaderBand + 40}), host.GetScreenPixel(&list, {305, 200}));
    host.MouseUp(&list, {150, List::kHeaderBand + 75});
    host.PumpUntilIdle();
    EXPECT_EQ(Selection(), (std::set<int>{0, 1, 2}));
    EXPECT_EQ(host.GetScreenPixel(&list, {305, List::kHeaderBand + 40}), host.GetScreenPixel(&list, Row(0)));
    // The first row under the band is the anchor.
    Press(Row(3), MK_SHIFT);
    EXPECT_EQ(Selection(), (std::set<int>{0, 1, 2, 3}));
}

TEST_F(TaskListTest, ASelectionChangeRepaintsTheRows)
{
    const POINT ptEmpty{250, Row(1).y};
    const COLORREF clrPlain = host.GetScreenPixel(&list, ptEmpty);
    Press(Row(1));
    EXPECT_EQ(host.GetScreenPixel(&list, ptEmpty), RGB(0xE8, 0xF5, 0xFF));
    EXPECT_EQ(host.GetScreenPixel(&list, {250, Row(2).y}), clrPlain);
    // The separator above row 2.
    EXPECT_EQ(host.GetScreenPixel(&list, {250, List::kHeaderBand + 2 * List::kRowHeight - 1}), RGB(0xF4, 0xF4, 0xF6));
    Press({50, 230});
    EXPECT_EQ(host.GetScreenPixel(&list, ptEmpty), clrPlain);
}

// 320 x 240: a rows band of 220 pixels beside no horizontal bar, 304 beside a vertical one.
TEST_F(TaskListTest, RowsThatDoNotFitScrollByBarAndWheelWithinTheirRange)
{
    EXPECT_FALSE(list.GetVerticalBar().IsWindowVisible());
    for (int i = 6; i < 12; ++i)
        list.InsertItem(i, "task " + std::to_string(i));
    host.PumpUntilIdle();
    ASSERT_TRUE(list.GetVerticalBar().IsWindowVisible());
    EXPECT_FALSE(list.GetHorizontalBar().IsWindowVisible());
    CRect rcBar;
    list.GetVerticalBar().GetWindowRect(&rcBar);
    list.ScreenToClient(&rcBar);
    EXPECT_EQ(rcBar, CRect(304, List::kHeaderBand, 320, 240));
    const int nLimit = 12 * List::kRowHeight - 220;
    struct CStep {
        UINT message;
        int nValue; // the wheel's delta, or the scroll code
        int nScroll;
    };
    for (const CStep& step : {CStep{WM_MOUSEWHEEL, -120, 120}, CStep{WM_VSCROLL, SB_LINEDOWN, 121},
                              CStep{WM_MOUSEWHEEL, -600, nLimit}, CStep{WM_VSCROLL, SB_PAGEUP, 0},
                              CStep{WM_VSCROLL, SB_BOTTOM, nLimit}, CStep{WM_MOUSEWHEEL, 120, nLimit - 120},
                              CStep{WM_VSCROLL, SB_TOP, 0}}) {
        if (step.message == WM_MOUSEWHEEL)
            host.Wheel(&list, {100, 100}, step.nValue);
        else
            list.SendMessage(WM_VSCROLL, static_cast<WPARAM>(step.nValue), 0);
        host.PumpUntilIdle();
        EXPECT_EQ(list.GetVerticalScroll(), step.nScroll) << step.message << " " << step.nValue;
        EXPECT_EQ(list.GetVerticalBar().GetScrollPos(), step.nScroll);
    }
    host.Wheel(&list, {100, 100}, -90);
    host.PumpUntilIdle();
    // Rows move up with the scroll: row 3 is at the top of the band now.
    EXPECT_EQ(list.HitTestCell({50, List::kHeaderBand}), (List::CCell{3, 0}));
    EXPECT_EQ(list.HitTestCell({301, List::kHeaderBand}), List::CCell{});
    EXPECT_EQ(list.HitTestCell({50, List::kHeaderBand - 1}), List::CCell{});
}

TEST_F(TaskListTest, WideColumnsScrollTheHeaderWithTheRows)
{
    list.SetColumnWidth(2, 250);
    host.PumpUntilIdle();
    ASSERT_TRUE(list.GetHorizontalBar().IsWindowVisible());
    EXPECT_FALSE(list.GetVerticalBar().IsWindowVisible());
    host.Wheel(&list, {100, 100}, -100);
    host.PumpUntilIdle();
    EXPECT_EQ(list.GetHorizontalScroll(), 100);
    EXPECT_EQ(list.GetHeader().GetScrollOffset(), 100);
    EXPECT_EQ(list.HitTestCell(Row(0)), (List::CCell{0, 1}));
    list.SendMessage(WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.GetHorizontalScroll(), 450 - 320);
}

// A strip of seven 4 x 4 slices, slice k in the grey k * 30.
TEST_F(TaskListTest, EachRowShowsTheSliceOfItsStateBesideItsFirstCell)
{
    const std::string strStrip = TestFolder() + "/status.png";
    WritePng(strStrip, 28, 4, [](int x, int) { return Rgba(x / 4 * 30, x / 4 * 30, x / 4 * 30); });
    list.SetBackgroundImage(strStrip, 7, 0, 0);
    struct CCase {
        const char* szState;
        const char* sz14;
        int nSlice;
    };
    const std::vector<CCase> cases{{"R", "1", 4}, {"W", "", 2}, {"C", "", 5}, {"x", "", -1}};
    for (std::size_t i = 0; i < cases.size(); ++i) {
        list.SetItemText(static_cast<int>(i), 2, cases[i].szState);
        list.SetItemText(static_cast<int>(i), 14, cases[i].sz14);
    }
    list.Invalidate();
    host.PumpUntilIdle();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const POINT pt{11, List::kHeaderBand + static_cast<int>(i) * List::kRowHeight + 7};
        const int nGrey = cases[i].nSlice * 30;
        if (cases[i].nSlice >= 0)
            EXPECT_EQ(host.GetScreenPixel(&list, pt), RGB(nGrey, nGrey, nGrey)) << cases[i].szState;
        else
            EXPECT_EQ(host.GetScreenPixel(&list, pt), RGB(255, 255, 255)) << cases[i].szState;
    }
}

// Only column 6 has a width; a row in state "J" shows column 5's number there as a percentage.
TEST_F(TaskListTest, APercentageCellIsABarFilledThatFar)
{
    for (int i = 0; i < 3; ++i)
        list.SetColumnWidth(i, 0);
    for (int i = 3; i < 7; ++i)
        list.InsertColumn(i, "", LVCFMT_LEFT, i == List::kProgressColumn ? 200 : 0);
    list.SetItemText(0, 2, "J");
    list.SetItemText(0, 5, "50");
    list.SetItemText(1, 6, "75%");
    host.PumpUntilIdle();
    const auto at = [&](int x, int nRow) { return host.GetScreenPixel(&list, {x, Row(nRow).y - 15 + 10}); };
    const COLORREF clrBar = RGB(0x6F, 0xA8, 0xDC);
    const COLORREF clrTrack = RGB(0xE3, 0xE8, 0xEE);
    EXPECT_EQ(at(20, 0), clrBar);
    EXPECT_EQ(at(120, 0), clrTrack);
    EXPECT_EQ(at(130, 1), clrBar);
    EXPECT_EQ(at(180, 1), clrTrack);
    EXPECT_EQ(at(20, 2), RGB(255, 255, 255));
}

TEST_F(TaskListTest, ATextThatDoesNotFitShowsItsTipBelowThePointerForFiveSecondsAtMost)
{
    const std::string strLong = "a cell text far too long for one line of its column";
    list.SetItemText(1, 0, strLong);
    CWnd* pTip = list.GetTip();
    ASSERT_NE(pTip, nullptr);
    ASSERT_EQ(GetClassName(pTip->GetSafeHwnd()), "ShowTextCtrl");
    EXPECT_FALSE(pTip->IsWindowVisible());

    host.MouseMove(&list, Row(0));
    host.AdvanceTime(HostTime(600));
    EXPECT_FALSE(pTip->IsWindowVisible()) << "a text that fits";

    const POINT pt = Row(1);
    host.MouseMove(&list, pt);
    host.AdvanceTime(HostTime(499));
    EXPECT_FALSE(pTip->IsWindowVisible());
    host.AdvanceTime(HostTime(1));
    host.PumpUntilIdle();
    ASSERT_TRUE(pTip->IsWindowVisible());
    EXPECT_EQ(dynamic_cast<CBasicPropertyFrame*>(pTip)->GetText(), strLong);
    CRect rcTip;
    pTip->GetWindowRect(&rcTip);
    list.ScreenToClient(&rcTip);
    EXPECT_EQ(rcTip.TopLeft(), CPoint(pt.x, pt.y + 21));
    EXPECT_GT(rcTip.Height(), 0);
    // The tip's own fill shows on the screen.
    EXPECT_EQ(host.GetScreenPixel(pTip, {rcTip.Width() - 2, 1}), RGB(0xFE, 0xF5, 0xBD));

    host.AdvanceTime(HostTime(4999));
    EXPECT_TRUE(pTip->IsWindowVisible());
    host.AdvanceTime(HostTime(1));
    EXPECT_FALSE(pTip->IsWindowVisible());
    EXPECT_FALSE(list.IsTipVisible());

    // From one long text straight to another: the tip goes, and comes back for the new cell.
    list.SetItemText(2, 0, strLong);
    host.MouseMove(&list, Row(2));
    host.AdvanceTime(HostTime(500));
    ASSERT_TRUE(pTip->IsWindowVisible());
    host.MouseMove(&list, pt);
    host.PumpUntilIdle();
    EXPECT_FALSE(pTip->IsWindowVisible());
    host.AdvanceTime(HostTime(500));
    EXPECT_TRUE(pTip->IsWindowVisible());
}

TEST_F(TaskListTest, TheTipGoesWhenThePointerIsOverNoRow)
{
    list.SetItemText(1, 0, "a cell text far too long for one line of its column");
    host.MouseMove(&list, Row(1));
    host.AdvanceTime(HostTime(500));
    ASSERT_TRUE(list.GetTip()->IsWindowVisible());
    // Onto the header the list hears nothing of the pointer; its watch sees it gone.
    host.MouseMove(&list, {50, 5});
    host.AdvanceTime(HostTime(99));
    EXPECT_TRUE(list.GetTip()->IsWindowVisible());
    host.AdvanceTime(HostTime(1));
    EXPECT_FALSE(list.GetTip()->IsWindowVisible());
    // Below the last row a move hides it at once.
    host.MouseMove(&list, Row(2));
    host.MouseMove(&list, Row(1));
    host.AdvanceTime(HostTime(500));
    ASSERT_TRUE(list.GetTip()->IsWindowVisible());
    host.MouseMove(&list, {50, 230});
    host.PumpUntilIdle();
    EXPECT_FALSE(list.GetTip()->IsWindowVisible());
}

} // namespace
