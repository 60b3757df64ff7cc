// The drawn buttons: slice choice by state, the state slices on screen, the text's place, the
// check state, the check box and radio button clicks and the registered classes.
#include <memory>

#include "controls/check_box_button.h"
#include "controls/radio_box_button.h"
#include "controls/standard_button.h"
#include "controls_fixture.h"

namespace {

constexpr UINT D = ODS_DISABLED;
constexpr UINT P = ODS_SELECTED;

TEST(ButtonSlices, ByStateAndSliceCount)
{
    const struct {
        int nCount;
        UINT nState;
        bool bHover;
        bool bChecked;
        int nButton;
        int nCheckBox;
    } cases[] = {
        {2, 0, false, false, 0, 0},         {2, D | P, true, false, 0, 0},      {2, 0, true, true, 1, 1},
        {4, 0, false, false, 0, kNoSlice},  {4, 0, true, false, 1, kNoSlice},   {4, P, true, false, 2, kNoSlice},
        {4, D | P, true, false, 3, kNoSlice}, {4, 0, false, true, 0, kNoSlice}, {5, D | P, true, true, 4, kNoSlice},
        {5, P, false, false, 2, kNoSlice},  {8, 0, false, false, kNoSlice, 0},  {8, 0, true, true, kNoSlice, 5},
        {8, P, true, true, kNoSlice, 6},    {8, D, false, true, kNoSlice, 7},   {8, D | P, true, false, kNoSlice, 3},
        {1, 0, false, false, kNoSlice, kNoSlice}, {3, P, false, true, kNoSlice, kNoSlice},
        {0, 0, false, false, kNoSlice, kNoSlice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.nCount << " slices, state " << c.nState << ", hover " << c.bHover
                                        << ", checked " << c.bChecked);
        const CButtonLook look{c.nState, c.bHover, c.bChecked};
        EXPECT_EQ(SelectButtonSlice(c.nCount, look), c.nButton);
        EXPECT_EQ(SelectCheckBoxSlice(c.nCount, look), c.nCheckBox);
    }
}

TEST(ButtonText, CentredOnAxesWithoutOffsetAndShiftedWhilePressed)
{
    const CSize button(79, 23);
    EXPECT_EQ(ButtonTextOrigin(button, 40.0f, 14.0f, CPoint(0, 6), false), CPoint(19, 6));
    EXPECT_EQ(ButtonTextOrigin(button, 40.0f, 14.0f, CPoint(0, 6), true), CPoint(20, 7));
    EXPECT_EQ(ButtonTextOrigin(button, 40.9f, 14.0f, CPoint(0, 0), false), CPoint(19, 4));
    EXPECT_EQ(ButtonTextOrigin(button, 40.0f, 14.0f, CPoint(3, -2), false), CPoint(3, -2));
    // Wider than the button: the truncating division keeps the text centred.
    EXPECT_EQ(ButtonTextOrigin(button, 100.0f, 30.0f, CPoint(0, 0), false), CPoint(-10, -3));
}

class DrawnButton : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        MakeTop(parent, CRect(100, 100, 400, 300));
        strStrip = strRoot + "/strip.png";
        WritePng(strStrip, 4 * 79, 23, [](int x, int) {
            const COLORREF c = ButtonSliceColor(x / 79);
            return Rgba(GetRValue(c), GetGValue(c), GetBValue(c));
        });
    }

    template <class TButton>
    void Make(TButton& button, UINT nID, const CRect& rc, DWORD dwStyle = WS_CHILD | WS_VISIBLE)
    {
        ASSERT_TRUE(button.CreateEx(0, ClassOf(button), "", dwStyle,
                                    rc, &parent, nID));
    }
    static const char* ClassOf(const CCheckBoxButton&) { return kCheckBoxButtonClass; }
    static const char* ClassOf(const CRadioBoxButton&) { return kRadioBoxButtonClass; }
    static const char* ClassOf(const CStandardButton&) { return kStandardButtonClass; }

    COLORREF Shown(const CWnd& wnd, POINT pt = {40, 12})
    {
        host.PumpUntilIdle();
        return host.GetScreenPixel(&wnd, pt);
    }

    std::vector<MSG> Commands() const
    {
        std::vector<MSG> commands;
        for (const MSG& msg : parent.received)
            if (msg.message == WM_COMMAND || msg.message == WM_RADIO_GROUP_CLICKED)
                commands.push_back(msg);
        return commands;
    }

    CProbeWnd parent;
    std::string strStrip;
};

TEST_F(DrawnButton, ShowsTheSliceOfItsStateOnScreen)
{
    CStandardButton button;
    Make(button, 7, CRect(10, 10, 89, 33));
    button.SetBackgroundImage(strStrip, 4, 0, 0);
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_EQ(Shown(button), ButtonSliceColor(0));
    // Hovering shows only once the platform reports the pointer at rest.
    host.MouseMove(&button, {40, 12});
    host.PumpUntilIdle();
    EXPECT_TRUE(button.IsHovering());
    host.AdvanceTime(HostTime(1));
    EXPECT_EQ(Shown(button), ButtonSliceColor(1));
    host.MouseDown(&button, {40, 12});
    EXPECT_EQ(Shown(button), ButtonSliceColor(2));
    host.MouseUp(&button, {40, 12});
    host.PumpUntilIdle();
    button.EnableWindow(FALSE);
    EXPECT_EQ(Shown(button), ButtonSliceColor(3));
    button.EnableWindow(TRUE);
    host.MouseLeave(&button);
    host.PumpUntilIdle();
    EXPECT_FALSE(button.IsHovering());
    EXPECT_EQ(Shown(button), ButtonSliceColor(0));
    // Its click is the platform's.
    const std::vector<MSG> commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(7, BN_CLICKED));
}

TEST_F(DrawnButton, PressedTextLiesOnePixelFurtherRightAndDown)
{
    CStandardButton button;
    Make(button, 7, CRect(10, 10, 89, 33));
    button.SetPaintMode(PAINT_MODE_FILL);
    button.SetText("Log In", 0, 6);
    button.SetTextFont("DejaVu Sans", 12);
    button.SetTextColor(RGB(0, 0, 0));
    host.PumpUntilIdle();
    std::vector<COLORREF> normal;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 79; ++x)
            normal.push_back(host.GetScreenPixel(&button, {x, y}));
    host.MouseDown(&button, {70, 20});
    host.PumpUntilIdle();
    int nDark = 0;
    for (int y = 1; y < 23; ++y)
        for (int x = 1; x < 79; ++x) {
            const COLORREF clrBefore = normal[static_cast<std::size_t>((y - 1) * 79 + (x - 1))];
            ASSERT_EQ(host.GetScreenPixel(&button, {x, y}), clrBefore) << x << "," << y;
            nDark += clrBefore != RGB(255, 255, 255);
        }
    EXPECT_GT(nDark, 20);
    // The text starts 6 pixels from the top.
    for (int x = 0; x < 79; ++x)
        for (int y = 0; y < 6; ++y)
            ASSERT_EQ(normal[static_cast<std::size_t>(y * 79 + x)], RGB(255, 255, 255));
}

TEST_F(DrawnButton, CheckStateOfItsOwn)
{
    CStandardButton button;
    Make(button, 7, CRect(10, 10, 89, 33));
    const struct {
        WPARAM nSet;
        int nGet;
    } cases[] = {{BST_CHECKED, 1}, {BST_UNCHECKED, 0}, {BST_INDETERMINATE, 1}, {3, 0}, {4, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(button.SendMessage(BM_SETCHECK, c.nSet), 0);
        EXPECT_EQ(button.GetCheck(), c.nGet) << c.nSet;
    }
}

TEST_F(DrawnButton, AFiveSliceButtonShowsItsCheckedSliceWhateverElseHolds)
{
    const std::string strFive = strRoot + "/five.png";
    WritePng(strFive, 5 * 79, 23, [](int x, int) {
        const COLORREF c = ButtonSliceColor(x / 79);
        return Rgba(GetRValue(c), GetGValue(c), GetBValue(c));
    });
    CStandardButton button;
    Make(button, 7, CRect(10, 10, 89, 33));
    button.SetBackgroundImage(strFive, 5, 0, 0);
    button.SetCheck(BST_CHECKED);
    host.MouseMove(&button, {40, 12});
    host.AdvanceTime(HostTime(1));
    host.MouseDown(&button, {40, 12});
    EXPECT_EQ(Shown(button), ButtonSliceColor(4));
    button.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(Shown(button), ButtonSliceColor(2));
}

TEST_F(DrawnButton, ACheckBoxTogglesAndTellsItsParentEachTime)
{
    CCheckBoxButton box;
    Make(box, 12, CRect(10, 10, 89, 33));
    host.Click(&box, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(box.GetCheck(), 1);
    host.Click(&box, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(box.GetCheck(), 0);
    const std::vector<MSG> commands = Commands();
    ASSERT_EQ(commands.size(), 2u);
    for (const MSG& msg : commands) {
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(12));
        EXPECT_EQ(msg.lParam, 0);
    }
}

TEST_F(DrawnButton, ARadioButtonClearsEveryDrawnButtonOfItsGroup)
{
    CRadioBoxButton first;
    CStandardButton push;
    CCheckBoxButton box;
    CRadioBoxButton second;
    CRadioBoxButton outside;
    Make(first, 21, CRect(0, 0, 20, 20), WS_CHILD | WS_VISIBLE | WS_GROUP);
    Make(push, 22, CRect(20, 0, 40, 20));
    Make(box, 23, CRect(40, 0, 60, 20));
    Make(second, 24, CRect(60, 0, 80, 20));
    Make(outside, 25, CRect(80, 0, 100, 20), WS_CHILD | WS_VISIBLE | WS_GROUP);
    for (CButton* pButton : std::initializer_list<CButton*>{&push, &box, &second, &outside})
        pButton->SetCheck(BST_CHECKED);
    host.Click(&first, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(first.GetCheck(), 1);
    EXPECT_EQ(push.GetCheck(), 0);
    EXPECT_EQ(box.GetCheck(), 0);
    EXPECT_EQ(second.GetCheck(), 0);
    EXPECT_EQ(outside.GetCheck(), 1);
    const std::vector<MSG> commands = Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].message, WM_RADIO_GROUP_CLICKED);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(21));
    EXPECT_EQ(commands[0].lParam, 0);
}

// The group walk skips hidden windows, so from a hidden radio button it never comes back to it.
TEST_F(DrawnButton, AHiddenRadioButtonClickedByMessageStillEnds)
{
    CRadioBoxButton hidden;
    CRadioBoxButton a;
    CRadioBoxButton b;
    Make(hidden, 31, CRect(0, 0, 20, 20), WS_CHILD | WS_GROUP);
    Make(a, 32, CRect(20, 0, 40, 20));
    Make(b, 33, CRect(40, 0, 60, 20));
    a.SetCheck(BST_CHECKED);
    b.SetCheck(BST_CHECKED);
    hidden.SendMessage(BM_CLICK);
    EXPECT_EQ(hidden.GetCheck(), 1);
    EXPECT_EQ(a.GetCheck(), 0);
    EXPECT_EQ(b.GetCheck(), 0);
}

TEST_F(DrawnButton, ClassesAreCopiesOfTheButtonClassWithTheHandCursor)
{
    CDriftButton drift;
    CCheckBoxButton box;
    CRadioBoxButton radio;
    WNDCLASS button;
    ASSERT_TRUE(GetClassInfo(WC_BUTTON, &button));
    for (const char* szName : {kStandardButtonClass, kDriftButtonClass, kCheckBoxButtonClass, kRadioBoxButtonClass}) {
        SCOPED_TRACE(szName);
        WNDCLASS wc;
        ASSERT_TRUE(GetClassInfo(szName, &wc));
        EXPECT_EQ(wc.lpfnWndProc, button.lpfnWndProc);
        EXPECT_EQ(CursorId(wc.hCursor), IDC_HAND);
        EXPECT_STREQ(wc.lpszClassName, szName);
    }
}

} // namespace
