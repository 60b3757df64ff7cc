// The standard button: clicks and what does not count as one, the pressed look, owner draw by
// reflection, the check state, and a copy of the class under another name.
#include "controls_fixture.h"

#include "platform/button.h"

namespace {

constexpr UINT kButtonId = 300;
const CRect kButtonRect(20, 20, 120, 50);

class ButtonTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        MakeTop(parent);
    }

    std::vector<CNotice> Clicks() const
    {
        std::vector<CNotice> clicks;
        for (const CNotice& notice : parent.notices)
            if (notice.message == WM_COMMAND)
                clicks.push_back(notice);
        return clicks;
    }

    CRecordingParent parent;
};

TEST_F(ButtonTest, AClickTellsTheParentAndOtherGesturesDoNot)
{
    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_VISIBLE | BS_PUSHBUTTON, kButtonRect, &parent, kButtonId));
    host.Click(&button, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(Clicks(), (std::vector<CNotice>{{WM_COMMAND, BN_CLICKED, kButtonId, -1, button.m_hWnd}}));

    // Pressed on the button, released outside it: no click.
    parent.notices.clear();
    host.MouseDown(&button, {10, 10});
    host.MouseMove(&button, {200, 10});
    host.MouseUp(&button, {200, 10});
    // Pressed beside it, released on it: no click either.
    host.MouseDown(&parent, {5, 5});
    host.MouseMove(&button, {10, 10});
    host.MouseUp(&button, {10, 10});
    host.PumpUntilIdle();
    EXPECT_TRUE(Clicks().empty());

    // The space key clicks the focused button when it is released.
    button.SetFocus();
    host.KeyDown(VK_SPACE, " ");
    host.PumpUntilIdle();
    EXPECT_TRUE(Clicks().empty());
    host.KeyUp(VK_SPACE);
    host.PumpUntilIdle();
    EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(ButtonTest, ADisabledButtonDeliversNothing)
{
    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_VISIBLE | BS_PUSHBUTTON, kButtonRect, &parent, kButtonId));
    button.EnableWindow(FALSE);
    host.Click(&button, {10, 10});
    button.SendMessage(BM_CLICK);
    host.PumpUntilIdle();
    EXPECT_TRUE(Clicks().empty());
    button.EnableWindow(TRUE);
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(Clicks().size(), 1u);
}

TEST_F(ButtonTest, AButtonLooksPressedWhileTheMouseIsHeldOnIt)
{
    CButton button;
    ASSERT_TRUE(button.Create("", WS_VISIBLE | BS_PUSHBUTTON, kButtonRect, &parent, kButtonId));
    host.PumpUntilIdle();
    const COLORREF clrNormal = host.GetScreenPixel(&button, {50, 15});
    host.MouseDown(&button, {50, 15});
    host.PumpUntilIdle();
    const COLORREF clrPressed = host.GetScreenPixel(&button, {50, 15});
    EXPECT_NE(clrPressed, clrNormal);
    EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
    // Dragged off, it looks released; back on, pressed again.
    host.MouseMove(&button, {300, 15});
    host.PumpUntilIdle();
    EXPECT_EQ(button.GetState() & BST_PUSHED, 0u);
    host.MouseMove(&button, {50, 15});
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&button, {50, 15}), clrPressed);
    host.MouseUp(&button, {50, 15});
    host.PumpUntilIdle();
    EXPECT_EQ(button.GetState() & BST_PUSHED, 0u);
}

// An owner-drawn button in the manner of the drawn control kit: it records what DrawItem is told.
class COwnerButton : public CButton {
public:
    std::vector<UINT> states;
    void PreSubclassWindow() override { ModifyStyle(0, BS_OWNERDRAW); }
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        states.push_back(pDraw->itemState & (ODS_SELECTED | ODS_DISABLED));
        CRect rc = pDraw->rcItem;
        pDraw->hDC->FillSolidRect(&rc, RGB(200, 0, 0));
    }
};

TEST_F(ButtonTest, OwnerDrawIsReflectedToDrawItemWithThePressedAndDisabledStates)
{
    COwnerButton button;
    ASSERT_TRUE(button.CreateEx(0, WC_BUTTON, "", WS_CHILD | WS_VISIBLE, kButtonRect, &parent, kButtonId));
    host.PumpUntilIdle();
    ASSERT_FALSE(button.states.empty());
    EXPECT_EQ(button.states.back(), 0u);
    EXPECT_EQ(host.GetScreenPixel(&button, {5, 5}), RGB(200, 0, 0));
    host.MouseDown(&button, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(button.states.back(), ODS_SELECTED);
    host.MouseUp(&button, {5, 5});
    host.PumpUntilIdle();
    button.EnableWindow(FALSE);
    host.PumpUntilIdle();
    EXPECT_EQ(button.states.back(), ODS_DISABLED);
    // The parent never saw WM_DRAWITEM: the button answered it.
    EXPECT_EQ(parent.Count(WM_DRAWITEM), 0);
    EXPECT_EQ(Clicks().size(), 1u);
}

// A check state of its own, as the drawn check boxes keep it, on top of the class's.
class CCheckingButton : public CButton {
public:
    int nOwnCheck = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BM_SETCHECK) {
            nOwnCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
            return 0;
        }
        if (message == BM_GETCHECK)
            return nOwnCheck;
        return CButton::WindowProc(message, wParam, lParam);
    }
};

TEST_F(ButtonTest, TheCheckStateIsTheClasssOrASubclasssOwn)
{
    CButton box;
    ASSERT_TRUE(box.Create("Remember", WS_VISIBLE | BS_AUTOCHECKBOX, kButtonRect, &parent, kButtonId));
    host.Click(&box, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(box.GetCheck(), static_cast<int>(BST_CHECKED));
    host.Click(&box, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(box.GetCheck(), static_cast<int>(BST_UNCHECKED));
    EXPECT_EQ(Clicks().size(), 2u);

    CCheckingButton own;
    ASSERT_TRUE(own.Create("", WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 60, 120, 90), &parent, kButtonId + 1));
    own.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(own.GetCheck(), 1);
    own.SetCheck(3);
    EXPECT_EQ(own.GetCheck(), 0);
}

TEST_F(ButtonTest, AutoRadioButtonsClearTheOthersOfTheirGroup)
{
    CButton first, second, other;
    ASSERT_TRUE(first.Create("A", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 10, 90, 30), &parent, 1));
    ASSERT_TRUE(second.Create("B", WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 40, 90, 60), &parent, 2));
    ASSERT_TRUE(other.Create("C", WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 70, 90, 90), &parent, 3));
    other.SetCheck(BST_CHECKED);
    host.Click(&first, {5, 5});
    host.Click(&second, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(first.GetCheck(), static_cast<int>(BST_UNCHECKED));
    EXPECT_EQ(second.GetCheck(), static_cast<int>(BST_CHECKED));
    EXPECT_EQ(other.GetCheck(), static_cast<int>(BST_CHECKED));
}

TEST_F(ButtonTest, ACopyOfTheClassWithTheHandCursorBehavesAsAButton)
{
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo("button", &wc));
    wc.lpszClassName = "VelkTestHandButton";
    wc.hCursor = LoadCursor(IDC_HAND);
    ASSERT_TRUE(AfxRegisterClass(&wc));
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, "VelkTestHandButton", "Go", WS_CHILD | WS_VISIBLE, kButtonRect, &parent, kButtonId));
    // What FromHandle hands out for it is a button.
    EXPECT_NE(dynamic_cast<CButton*>(CWnd::FromHandle(CreateWindowEx(0, "VelkTestHandButton", "", WS_CHILD, 0, 0, 10, 10,
                                                                      parent.m_hWnd, 9))),
              nullptr);
    host.Click(&plain, {10, 10});
    host.PumpUntilIdle();
    EXPECT_EQ(Clicks().size(), 1u);
    EXPECT_EQ(CursorId(host.NativeWindow(&parent)->hCursor), IDC_HAND);
    host.MouseMove(&parent, {150, 100});
    host.PumpUntilIdle();
    EXPECT_EQ(CursorId(host.NativeWindow(&parent)->hCursor), IDC_ARROW);
}

} // namespace
