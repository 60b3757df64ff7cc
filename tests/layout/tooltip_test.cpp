// A tooltip for a drawn window: the platform's tooltip, owned by the window's dialog, showing the
// text over the window and going with it.
#include <gtest/gtest.h>

#include "frame_test_support.h"
#include "layout/property_frame.h"

namespace {

using ToolTipTest = FrameTest;

bool Shown(HWND hTip) { return CWnd::FromHandle(hTip)->IsWindowVisible() != FALSE; }

// A tip made directly through the platform's tooltip, to compare with.
HWND ReferenceTip(CWnd& owner, CWnd& tool, const char* szText)
{
    const HWND hTip = CreateWindowEx(0, TOOLTIPS_CLASS, "", TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, owner.m_hWnd, 0);
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.uId = reinterpret_cast<UINT_PTR>(tool.m_hWnd);
    info.lpszText = szText;
    SendMessage(hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    return hTip;
}

TEST_F(ToolTipTest, ATooltipOwnedByTheDialogShowsTheTextWhileThePointerRestsOnTheWindow)
{
    child.AttachToolTip("Refresh the list", &child);
    const HWND hTip = child.GetToolTip();
    ASSERT_TRUE(IsWindow(hTip));
    EXPECT_EQ(GetClassName(hTip), kToolTipClassName);
    CWnd* pTip = CWnd::FromHandle(hTip);
    EXPECT_EQ(pTip->GetStyle() & TTS_NOPREFIX, TTS_NOPREFIX);
    EXPECT_EQ(pTip->GetWindow(GW_OWNER), &parent);
    EXPECT_EQ(SendMessage(hTip, TTM_GETTOOLCOUNT), 1);
    const HWND hReference = ReferenceTip(parent, child, "Refresh the list");

    host.MouseMove(&child, {5, 5});
    host.AdvanceTime(HostTime(499));
    EXPECT_FALSE(Shown(hTip));
    host.AdvanceTime(HostTime(1));
    ASSERT_TRUE(Shown(hTip));
    // It shows what the platform's tip shows for that text.
    CRect rcTip;
    CRect rcReference;
    pTip->GetWindowRect(&rcTip);
    CWnd::FromHandle(hReference)->GetWindowRect(&rcReference);
    EXPECT_EQ(rcTip, rcReference);
    for (int x = 0; x < rcTip.Width(); x += 7)
        for (int y = 0; y < rcTip.Height(); y += 3)
            ASSERT_EQ(host.GetScreenPixel(pTip, {x, y}), host.GetScreenPixel(CWnd::FromHandle(hReference), {x, y}));

    host.MouseMove(&parent, {110, 5});
    host.PumpUntilIdle();
    EXPECT_FALSE(Shown(hTip));
}

TEST_F(ToolTipTest, TheTooltipGoesWithTheControl)
{
    HWND hTip = nullptr;
    {
        CTestControl control;
        MakeChild(control, parent, CRect(0, 0, 20, 20), 101);
        control.AttachToolTip("first", &control);
        const HWND hFirst = control.GetToolTip();
        control.AttachToolTip("second", &control);
        hTip = control.GetToolTip();
        EXPECT_FALSE(IsWindow(hFirst));
        EXPECT_TRUE(IsWindow(hTip));
    }
    EXPECT_FALSE(IsWindow(hTip));
    EXPECT_TRUE(IsWindow(parent.GetSafeHwnd()));
}

} // namespace
