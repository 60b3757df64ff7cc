// The list view: selection by click, double click and keys with their notifications, full-row
// select, scrolling, the header's items and a layout that a subclass of the header adjusts,
// custom draw offered to the list first, the text colour, the font and grid lines.
#include "controls_fixture.h"

#include <set>

#include "platform/listview.h"
#include "platform/scrollbar.h"

namespace {

constexpr UINT kListId = 2105;
const CRect kListRect(10, 10, 310, 150);

class ListViewTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        MakeTop(parent, CRect(100, 100, 500, 420));
    }

    void Fill(CListCtrl& list, int nRows, DWORD dwExStyle = LVS_EX_FULLROWSELECT)
    {
        list.SetExtendedStyle(dwExStyle);
        list.InsertColumn(0, "Host Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "IP Address", LVCFMT_CENTER, 100);
        list.InsertColumn(2, "Device Type", LVCFMT_RIGHT, 100);
        for (int i = nRows - 1; i >= 0; --i) {
            const int nItem = list.InsertItem(0, "host-" + std::to_string(i));
            list.SetItemText(nItem, 1, "10.0.0." + std::to_string(i));
            list.SetItemText(nItem, 2, "disk");
        }
    }

    void Make(CListCtrl& list, int nRows, DWORD dwExStyle = LVS_EX_FULLROWSELECT, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | dwStyle, kListRect, &parent, kListId));
        Fill(list, nRows, dwExStyle);
        host.PumpUntilIdle();
    }

    static POINT CellPoint(const CListCtrl& list, int nItem, int nColumn)
    {
        CRect rc;
        EXPECT_TRUE(list.GetSubItemRect(nItem, nColumn, LVIR_BOUNDS, rc));
        return {rc.left + rc.Width() / 2, rc.top + rc.Height() / 2};
    }

    static std::set<int> Selection(const CListCtrl& list)
    {
        std::set<int> selected;
        for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;)
            selected.insert(list.GetNextSelectedItem(pos));
        return selected;
    }

    std::vector<CNotice> Notifications() const
    {
        std::vector<CNotice> notes;
        for (const CNotice& notice : parent.notices)
            if (notice.message == WM_NOTIFY)
                notes.push_back(notice);
        return notes;
    }

    CRecordingParent parent;
};

TEST_F(ListViewTest, AClickSelectsBeforeTheParentHearsOfItOnTheRelease)
{
    CListCtrl list;
    Make(list, 6);
    const POINT pt = CellPoint(list, 2, 0);
    host.MouseMove(&list, pt);
    host.MouseDown(&list, pt);
    host.PumpUntilIdle();
    EXPECT_EQ(Selection(list), std::set<int>{2});
    EXPECT_TRUE(Notifications().empty());
    host.MouseUp(&list, pt);
    host.PumpUntilIdle();
    EXPECT_EQ(Notifications(), (std::vector<CNotice>{{WM_NOTIFY, NM_CLICK, kListId, 2, list.m_hWnd}}));
    EXPECT_EQ(CWnd::GetFocus(), &list);
}

TEST_F(ListViewTest, ModifiersToggleAndExtendAndEmptySpaceClears)
{
    CListCtrl list;
    Make(list, 6);
    const POINT ptBelow{50, kListRect.Height() - 5};
    struct Step {
        int nItem; // -1: the empty space below the rows
        WPARAM nKeys;
        std::set<int> selected;
    } steps[] = {
        {2, 0, {2}},
        {4, MK_CONTROL, {2, 4}},
        {2, MK_CONTROL, {4}},
        {1, MK_SHIFT, {1, 2}},
        {5, 0, {5}},
        {-1, MK_CONTROL, {5}},
        {-1, 0, {}},
    };
    for (const Step& step : steps) {
        host.Click(&list, step.nItem < 0 ? ptBelow : CellPoint(list, step.nItem, 1), HostMouseButton::Left, step.nKeys);
        host.PumpUntilIdle();
        EXPECT_EQ(Selection(list), step.selected) << "item " << step.nItem << ", keys " << step.nKeys;
    }
    EXPECT_EQ(parent.Codes(WM_NOTIFY).size(), std::size(steps));
    EXPECT_EQ(Notifications().back().nItem, -1);
}

TEST_F(ListViewTest, ADoubleClickFollowsTheFirstClickWithItsItem)
{
    CListCtrl list;
    Make(list, 3);
    host.DoubleClick(&list, CellPoint(list, 1, 2));
    host.DoubleClick(&list, {50, kListRect.Height() - 5});
    host.PumpUntilIdle();
    EXPECT_EQ(Notifications(), (std::vector<CNotice>{{WM_NOTIFY, NM_CLICK, kListId, 1, list.m_hWnd},
                                                      {WM_NOTIFY, NM_DBLCLK, kListId, 1, list.m_hWnd},
                                                      {WM_NOTIFY, NM_CLICK, kListId, -1, list.m_hWnd},
                                                      {WM_NOTIFY, NM_DBLCLK, kListId, -1, list.m_hWnd}}));
    EXPECT_TRUE(Selection(list).empty());
}

TEST_F(ListViewTest, KeysMoveTheSelectionWithoutClickNotifications)
{
    CListCtrl list;
    Make(list, 20);
    host.Click(&list, CellPoint(list, 0, 0));
    host.PumpUntilIdle();
    parent.notices.clear();
    const int nLast = list.GetItemCount() - 1;
    struct Step {
        UINT nKey;
        bool bShift;
        std::set<int> selected;
    } steps[] = {
        {VK_DOWN, false, {1}}, {VK_DOWN, false, {2}}, {VK_UP, false, {1}},        {VK_DOWN, true, {1, 2}},
        {VK_END, false, {nLast}}, {VK_DOWN, false, {nLast}}, {VK_HOME, false, {0}}, {VK_UP, false, {0}},
    };
    for (const Step& step : steps) {
        if (step.bShift)
            host.KeyDown(VK_SHIFT);
        host.PressKey(step.nKey);
        if (step.bShift)
            host.KeyUp(VK_SHIFT);
        host.PumpUntilIdle();
        EXPECT_EQ(Selection(list), step.selected) << "key " << step.nKey;
        if (step.nKey == VK_END) {
            EXPECT_EQ(list.GetTopIndex(), list.GetItemCount() - list.GetCountPerPage());
        }
    }
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_TRUE(parent.Codes(WM_NOTIFY).empty());
}

TEST_F(ListViewTest, WithoutFullRowSelectOnlyTheFirstColumnSelects)
{
    CListCtrl plain;
    Make(plain, 3, 0);
    host.Click(&plain, CellPoint(plain, 1, 1));
    host.PumpUntilIdle();
    EXPECT_TRUE(Selection(plain).empty());
    host.Click(&plain, CellPoint(plain, 1, 0));
    host.PumpUntilIdle();
    EXPECT_EQ(Selection(plain), std::set<int>{1});
}

CWnd* ScrollBarOf(const CListCtrl& list)
{
    for (CWnd* pChild = list.GetWindow(GW_CHILD); pChild; pChild = pChild->GetWindow(GW_HWNDNEXT))
        if (GetClassName(pChild->m_hWnd) == WC_SCROLLBAR)
            return pChild;
    return nullptr;
}

TEST_F(ListViewTest, RowsThatOverflowScrollByWheelAndScrollBar)
{
    CListCtrl few;
    Make(few, 2);
    EXPECT_TRUE(ScrollBarOf(few) == nullptr || !ScrollBarOf(few)->IsWindowVisible());
    EXPECT_EQ(few.GetStyle() & WS_VSCROLL, 0u);
    host.Wheel(&few, CellPoint(few, 0, 0), -WHEEL_DELTA);
    host.PumpUntilIdle();
    EXPECT_EQ(few.GetTopIndex(), 0);
    // A list that cannot scroll passes the wheel on.
    EXPECT_EQ(parent.Count(WM_MOUSEWHEEL), 1);
    few.DestroyWindow();

    CListCtrl list;
    Make(list, 30);
    CWnd* pBar = ScrollBarOf(list);
    ASSERT_NE(pBar, nullptr);
    EXPECT_TRUE(pBar->IsWindowVisible());
    EXPECT_EQ(list.GetStyle() & WS_VSCROLL, WS_VSCROLL);
    const int nPage = list.GetCountPerPage();
    const int nLimit = list.GetItemCount() - nPage;
    ASSERT_GT(nLimit, 3);

    host.Wheel(&list, CellPoint(list, 0, 0), -WHEEL_DELTA);
    host.PumpUntilIdle();
    EXPECT_EQ(list.GetTopIndex(), 3);
    host.Wheel(&list, CellPoint(list, 3, 0), WHEEL_DELTA * 2);
    host.PumpUntilIdle();
    EXPECT_EQ(list.GetTopIndex(), 0);

    CRect rcBar;
    pBar->GetClientRect(&rcBar);
    host.Click(pBar, {rcBar.Width() / 2, rcBar.bottom - 2});
    host.PumpUntilIdle();
    EXPECT_EQ(list.GetTopIndex(), nPage);
    SCROLLINFO info;
    ASSERT_TRUE(dynamic_cast<CScrollBar*>(pBar)->GetScrollInfo(&info));
    EXPECT_EQ(info.nPos, nPage);
    // The thumb, taken at the top and dragged to the end of the trough, shows the last rows.
    list.EnsureVisible(0, FALSE);
    host.MouseDown(pBar, {rcBar.Width() / 2, 4});
    host.PumpUntilIdle();
    host.MouseMove(pBar, {rcBar.Width() / 2, rcBar.bottom + 40});
    host.MouseUp(pBar, {rcBar.Width() / 2, rcBar.bottom + 40});
    host.PumpUntilIdle();
    EXPECT_EQ(list.GetTopIndex(), nLimit);
    // The row under the pointer is the one shown there.
    host.Click(&list, CellPoint(list, nLimit, 0));
    host.PumpUntilIdle();
    EXPECT_EQ(Selection(list), std::set<int>{nLimit});
    EXPECT_EQ(Notifications().back().nItem, nLimit);
}

TEST_F(ListViewTest, TheHeaderHoldsTheColumnsAsItems)
{
    CListCtrl list;
    Make(list, 1);
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(pHeader, nullptr);
    ASSERT_EQ(pHeader->GetItemCount(), 3);
    char szText[8];
    HDITEM item;
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = szText;
    item.cchTextMax = sizeof szText;
    ASSERT_TRUE(pHeader->GetItem(1, &item));
    EXPECT_STREQ(szText, "IP Addr"); // cut to the buffer, terminated
    EXPECT_EQ(item.cxy, 100);
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    list.SetColumnWidth(0, 60);
    CRect rcItem;
    ASSERT_TRUE(pHeader->GetItemRect(1, &rcItem));
    CRect rcHeader;
    pHeader->GetClientRect(&rcHeader);
    EXPECT_EQ(rcItem, CRect(60, 0, 160, rcHeader.Height()));
    EXPECT_FALSE(pHeader->GetItemRect(3, &rcItem));
    EXPECT_EQ(list.GetColumnWidth(0), 60);
}

// The drawn kit's header: 0.9 times the height the platform gives it.
class CShrinkingHeader : public CHeaderCtrl {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != HDM_LAYOUT)
            return CHeaderCtrl::WindowProc(message, wParam, lParam);
        const LRESULT nResult = Default();
        auto* pLayout = reinterpret_cast<HDLAYOUT*>(lParam);
        pLayout->pwpos->cy = static_cast<int>(pLayout->pwpos->cy * 0.9f);
        pLayout->prc->top = pLayout->pwpos->cy;
        return nResult;
    }
};

class CTakeOverList : public CListCtrl {
public:
    CShrinkingHeader header;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const LRESULT nResult = CListCtrl::WindowProc(message, wParam, lParam);
        if (message == WM_CREATE && nResult != -1 && !header.m_hWnd && GetHeaderCtrl()) {
            EXPECT_TRUE(header.SubclassWindow(GetHeaderCtrl()->m_hWnd));
        }
        return nResult;
    }
};

TEST_F(ListViewTest, RowsStartWhereTheHeadersLayoutAnswerLeavesOff)
{
    CListCtrl plain;
    Make(plain, 3);
    CRect rcPlain;
    ASSERT_TRUE(plain.GetItemRect(0, &rcPlain, LVIR_BOUNDS));
    const int nNatural = rcPlain.top;
    ASSERT_GT(nNatural, 10);

    CTakeOverList list;
    ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(10, 160, 310, 300), &parent, kListId + 1));
    ASSERT_EQ(list.GetHeaderCtrl(), &list.header);
    Fill(list, 3);
    host.PumpUntilIdle();
    const int nShrunk = static_cast<int>(nNatural * 0.9f);
    CRect rcRow;
    ASSERT_TRUE(list.GetItemRect(0, &rcRow, LVIR_BOUNDS));
    EXPECT_EQ(rcRow.top, nShrunk);
    CRect rcHeader;
    list.header.GetClientRect(&rcHeader);
    EXPECT_EQ(rcHeader.Height(), nShrunk);
    // The first pixel row below the shorter header belongs to the first row.
    host.Click(&list, {20, nShrunk});
    host.PumpUntilIdle();
    EXPECT_EQ(Selection(list), std::set<int>{0});
}

// The drawn kit's list answers custom draw itself, so the platform draws everything.
class CSelfDrawingList : public CListCtrl {
public:
    int nAnswered = 0;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
            ++nAnswered;
            *pResult = CDRF_DODEFAULT;
            return TRUE;
        }
        return CListCtrl::OnChildNotify(message, wParam, lParam, pResult);
    }
};

TEST_F(ListViewTest, CustomDrawGoesToTheListFirstAndThenToTheParent)
{
    CSelfDrawingList own;
    Make(own, 2);
    EXPECT_GT(own.nAnswered, 0);
    EXPECT_TRUE(parent.drawStages.empty());
    own.DestroyWindow();

    parent.nPrePaintAnswer = CDRF_NOTIFYITEMDRAW;
    CListCtrl list;
    Make(list, 2);
    EXPECT_EQ(parent.drawStages, (std::vector<DWORD>{CDDS_PREPAINT, CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT}));
}

bool RowHasColour(CHeadlessHost& host, const CListCtrl& list, int nItem, const std::function<bool(COLORREF)>& matches)
{
    CRect rc;
    list.GetItemRect(nItem, &rc, LVIR_BOUNDS);
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (matches(host.GetScreenPixel(&list, {x, y})))
                return true;
    return false;
}

TEST_F(ListViewTest, TextColourFontAndGridLinesShowInThePixels)
{
    CListCtrl list;
    Make(list, 2, LVS_EX_FULLROWSELECT);
    list.SendMessage(LVM_SETTEXTCOLOR, 0, RGB(200, 0, 0));
    host.PumpUntilIdle();
    EXPECT_TRUE(RowHasColour(host, list, 0, [](COLORREF c) { return GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 90; }));
    CRect rcRow;
    list.GetItemRect(0, &rcRow, LVIR_BOUNDS);
    const COLORREF clrBk = list.GetBkColor();
    EXPECT_EQ(host.GetScreenPixel(&list, {rcRow.left + 3, rcRow.bottom - 1}), clrBk);

    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    host.PumpUntilIdle();
    EXPECT_NE(host.GetScreenPixel(&list, {rcRow.left + 3, rcRow.bottom - 1}), clrBk);
    EXPECT_NE(host.GetScreenPixel(&list, {rcRow.left + 99, rcRow.top + 2}), clrBk);

    LOGFONT lf;
    lf.lfHeight = -30;
    CFont large;
    ASSERT_TRUE(large.CreateFontIndirect(&lf));
    list.SetFont(&large);
    CRect rcLarge;
    list.GetItemRect(0, &rcLarge, LVIR_BOUNDS);
    EXPECT_GT(rcLarge.Height(), rcRow.Height() + 10);
    EXPECT_GT(rcLarge.top, rcRow.top + 10);
    EXPECT_EQ(list.GetFont(), &large);
}

TEST_F(ListViewTest, TextsComeBackWholeAndValid)
{
    CListCtrl list;
    Make(list, 1);
    const std::string strLong(1000, 'x');
    list.SetItemText(0, 2, strLong);
    EXPECT_EQ(list.GetItemText(0, 2), strLong);
    list.SetItemText(0, 1, "bad \xFF byte");
    EXPECT_EQ(list.GetItemText(0, 1), "bad \xEF\xBF\xBD byte");
    EXPECT_EQ(list.GetItemText(0, 7), "");
    EXPECT_EQ(list.GetItemText(5, 0), "");
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.InsertItem(0, "above");
    EXPECT_EQ(Selection(list), std::set<int>{1});
    list.DeleteItem(0);
    EXPECT_EQ(Selection(list), std::set<int>{0});
    list.DeleteAllItems();
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
}

} // namespace
