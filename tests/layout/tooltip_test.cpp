// A tooltip for a drawn window, seen through a stand-in of the platform's tooltip class that
// records what reaches it. Its own executable: the stand-in must not exist for the other tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame_test_support.h"
#include "layout/property_frame.h"

namespace {

struct CReceived {
    HWND hWnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    TOOLINFO tool;
    std::string strText;
};

std::vector<CReceived> g_received;

LRESULT StandInProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TTM_ACTIVATE || message == TTM_ADDTOOLW) {
        CReceived received{hWnd, message, wParam, {}, {}};
        if (message == TTM_ADDTOOLW) {
            received.tool = *reinterpret_cast<const TOOLINFO*>(lParam);
            received.strText = received.tool.lpszText ? received.tool.lpszText : "";
            received.tool.lpszText = nullptr;
        }
        g_received.push_back(received);
        return TRUE;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

class ToolTipTest : public FrameTest {
protected:
    void SetUp() override
    {
        WNDCLASS existing;
        if (GetClassInfo(kToolTipClassName, &existing)) {
            if (existing.lpfnWndProc != StandInProc)
                GTEST_SKIP() << "the platform registers \"" << kToolTipClassName << "\" itself";
        } else {
            WNDCLASS wc;
            wc.lpfnWndProc = StandInProc;
            wc.lpszClassName = kToolTipClassName;
            ASSERT_NE(RegisterClass(&wc), 0);
        }
        g_received.clear();
        FrameTest::SetUp();
    }
};

TEST_F(ToolTipTest, ATooltipWindowOwnedByTheDialogWatchesTheWindow)
{
    child.AttachToolTip("Refresh the list", &child);
    const HWND hTip = child.GetToolTip();
    ASSERT_TRUE(IsWindow(hTip));
    EXPECT_EQ(GetClassName(hTip), kToolTipClassName);
    CWnd* pTip = CWnd::FromHandle(hTip);
    EXPECT_EQ(pTip->GetStyle(), TTS_NOPREFIX);
    EXPECT_EQ(pTip->GetWindow(GW_OWNER), &parent);

    ASSERT_EQ(g_received.size(), 2u);
    EXPECT_EQ(g_received[0].hWnd, hTip);
    EXPECT_EQ(g_received[0].message, TTM_ACTIVATE);
    EXPECT_EQ(g_received[0].wParam, static_cast<WPARAM>(TRUE));
    const CReceived& add = g_received[1];
    EXPECT_EQ(add.hWnd, hTip);
    EXPECT_EQ(add.message, TTM_ADDTOOLW);
    EXPECT_EQ(add.tool.cbSize, sizeof(TOOLINFO));
    EXPECT_EQ(add.tool.uFlags, 0x11u);
    EXPECT_EQ(add.tool.hwnd, nullptr);
    EXPECT_EQ(add.tool.uId, reinterpret_cast<UINT_PTR>(child.GetSafeHwnd()));
    EXPECT_EQ(add.strText, "Refresh the list");
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
