// The window tree, window classes, dispatch with Default and reflection, subclassing, the
// non-client ring, groups and the top-level window's native side.
#include "picture_files.h"
#include "platform_fixture.h"

namespace {

constexpr UINT WM_PROBE = WM_USER + 7;

// A class procedure in the manner of a standard control: per-window state, a notification to the
// parent on click.
struct CClickState : CWindowExtra {
    int nClicks = 0;
};

LRESULT ClickerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: SetWindowExtra(hWnd, std::make_unique<CClickState>()); return 0;
    case WM_PROBE: return 42;
    case WM_LBUTTONUP: {
        auto* pState = static_cast<CClickState*>(GetWindowExtra(hWnd));
        ++pState->nClicks;
        CWnd* pWnd = CWnd::FromHandle(hWnd);
        pWnd->GetParent()->SendMessage(WM_COMMAND, MAKEWPARAM(pWnd->GetDlgCtrlID(), BN_CLICKED),
                                       reinterpret_cast<LPARAM>(hWnd));
        return 0;
    }
    default: return DefWindowProc(hWnd, message, wParam, lParam);
    }
}

void RegisterClicker()
{
    WNDCLASS wc;
    wc.lpfnWndProc = ClickerProc;
    wc.lpszClassName = "VelkTestClicker";
    AfxRegisterClass(&wc);
}

int ClicksOf(const CWnd& wnd) { return static_cast<CClickState*>(GetWindowExtra(wnd.m_hWnd))->nClicks; }

using WindowTest = PlatformTest;

TEST_F(WindowTest, CreationFailsForUnknownClassesAndOrphanChildren)
{
    CProbeWnd top;
    MakeTop(top);
    struct Case {
        const char* szClass;
        DWORD dwStyle;
        CWnd* pParent;
    } cases[] = {
        {"NoSuchClass", WS_CHILD, &top},
        {"", WS_POPUP, nullptr},
        {kPlainClass, WS_CHILD, nullptr},
    };
    for (const Case& c : cases) {
        CProbeWnd wnd;
        EXPECT_FALSE(wnd.CreateEx(0, c.szClass, "", c.dwStyle, CRect(0, 0, 10, 10), c.pParent, 1)) << c.szClass;
        EXPECT_EQ(wnd.m_hWnd, nullptr);
    }
    // A window whose WM_CREATE refuses does not exist afterwards.
    CProbeWnd refusing;
    refusing.onMessage = [](UINT message, WPARAM, LPARAM, LRESULT& nResult) {
        nResult = -1;
        return message == WM_CREATE;
    };
    EXPECT_FALSE(refusing.CreateEx(0, kPlainClass, "", WS_CHILD, CRect(0, 0, 10, 10), &top, 2));
    EXPECT_EQ(refusing.m_hWnd, nullptr);
    EXPECT_EQ(top.GetDlgItem(2), nullptr);
}

TEST_F(WindowTest, RegisteringANameTwiceIsRefusedAndKeepsTheFirst)
{
    WNDCLASS first;
    first.lpfnWndProc = ClickerProc;
    first.lpszClassName = "VelkTestTwice";
    WNDCLASS second = first;
    second.lpfnWndProc = nullptr;
    second.lpszClassName = "VELKTESTTWICE";
    RegisterClass(&first);
    EXPECT_EQ(RegisterClass(&second), 0);
    EXPECT_TRUE(AfxRegisterClass(&second));
    WNDCLASS found;
    ASSERT_TRUE(GetClassInfo("velktesttwice", &found));
    EXPECT_EQ(found.lpfnWndProc, &ClickerProc);
    EXPECT_STREQ(found.lpszClassName, "VelkTestTwice");
    EXPECT_FALSE(GetClassInfo("VelkTestNever", &found));
}

TEST_F(WindowTest, WindowOfACopiedClassBehavesLikeTheOriginal)
{
    RegisterClicker();
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo("VelkTestClicker", &wc));
    wc.lpszClassName = "VelkTestHandClicker";
    wc.hCursor = LoadCursor(IDC_HAND);
    ASSERT_TRUE(AfxRegisterClass(&wc));

    CProbeWnd top;
    MakeTop(top);
    CWnd original;
    CWnd copy;
    MakeChild(original, top, CRect(0, 0, 50, 20), 2107, "VelkTestClicker");
    MakeChild(copy, top, CRect(60, 0, 110, 20), 2108, "VelkTestHandClicker");
    EXPECT_EQ(GetClassName(copy.m_hWnd), "VelkTestHandClicker");
    host.Click(&original, {5, 5});
    host.Click(&copy, {5, 5});
    host.PumpUntilIdle();

    std::vector<WPARAM> commands;
    for (const MSG& msg : top.received)
        if (msg.message == WM_COMMAND)
            commands.push_back(msg.wParam);
    EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(2107, BN_CLICKED), MAKEWPARAM(2108, BN_CLICKED)}));
    EXPECT_EQ(ClicksOf(original), 1);
    EXPECT_EQ(ClicksOf(copy), 1);
    EXPECT_EQ(CursorId(host.NativeWindow(&top)->hCursor), IDC_HAND);
    host.MouseMove(&original, {5, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(CursorId(host.NativeWindow(&top)->hCursor), IDC_ARROW);
}

// An object over the clicker class that handles one message itself and hands the rest on.
class CClickerObject : public CWnd {
public:
    int nPreSubclass = 0;
    LRESULT nInnerDefault = 0;

    void PreSubclassWindow() override
    {
        ++nPreSubclass;
        ModifyStyle(0, 0x000B);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PROBE) {
            // A message sent while this one is processed has its own Default.
            SendMessage(WM_GETTEXTLENGTH);
            nInnerDefault = wParam;
            return Default() + 1;
        }
        if (message == WM_GETTEXTLENGTH)
            return Default() + 100;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(WindowTest, DefaultRunsTheClassProcedureForTheMessageBeingProcessed)
{
    RegisterClicker();
    CProbeWnd top;
    MakeTop(top);
    CClickerObject object;
    MakeChild(object, top, CRect(0, 0, 10, 10), 5, "VelkTestClicker");
    EXPECT_EQ(object.nPreSubclass, 1);
    EXPECT_EQ(object.GetStyle() & 0x000B, 0x000Bu);
    EXPECT_EQ(object.SendMessage(WM_PROBE, 7), 43);
    object.SetWindowText("abc");
    EXPECT_EQ(object.GetWindowTextLength(), 103);
}

class CNotifyingChild : public CProbeWnd {
public:
    bool bConsume = false;
    std::vector<UINT> reflected;
    BOOL OnChildNotify(UINT message, WPARAM, LPARAM, LRESULT* pResult) override
    {
        reflected.push_back(message);
        *pResult = 77;
        return bConsume;
    }
};

TEST_F(WindowTest, ANotificationGoesBackToItsChildFirst)
{
    for (bool bConsume : {true, false}) {
        CProbeWnd top;
        MakeTop(top);
        CNotifyingChild child;
        MakeChild(child, top, CRect(0, 0, 10, 10), 9);
        child.bConsume = bConsume;
        NMHDR nmhdr{child.m_hWnd, 9, NM_CUSTOMDRAW};
        DRAWITEMSTRUCT dis;
        dis.hwndItem = child.m_hWnd;
        const LRESULT nCommand = top.SendMessage(WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
        const LRESULT nNotify = top.SendMessage(WM_NOTIFY, 9, reinterpret_cast<LPARAM>(&nmhdr));
        top.SendMessage(WM_DRAWITEM, 9, reinterpret_cast<LPARAM>(&dis));
        top.SendMessage(WM_CTLCOLORBTN, 0, reinterpret_cast<LPARAM>(child.m_hWnd));
        // Without a child handle nothing is reflected.
        top.SendMessage(WM_COMMAND, 9, 0);

        EXPECT_EQ(child.reflected, (std::vector<UINT>{WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLORBTN}));
        const int nParentSees = bConsume ? 0 : 1;
        EXPECT_EQ(top.Count(WM_COMMAND), nParentSees + 1) << bConsume;
        EXPECT_EQ(top.Count(WM_NOTIFY), nParentSees);
        EXPECT_EQ(top.Count(WM_DRAWITEM), nParentSees);
        EXPECT_EQ(top.Count(WM_CTLCOLORBTN), nParentSees);
        EXPECT_EQ(nCommand == 77, bConsume);
        EXPECT_EQ(nNotify == 77, bConsume);
    }
}

// A class whose windows make a child of their own in WM_CREATE, with no object attached (as a list
// makes its header).
LRESULT OwnerOfPartProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        CWnd part;
        // The part outlives this temporary: created, then handed back.
        if (!part.CreateEx(0, "VelkTestClicker", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 5), CWnd::FromHandle(hWnd), 1))
            return -1;
        part.UnsubclassWindow();
        return 0;
    }
    return DefWindowProc(hWnd, message, wParam, lParam);
}

TEST_F(WindowTest, AnObjectCanTakeOverAWindowThatHasNone)
{
    RegisterClicker();
    WNDCLASS wc;
    wc.lpfnWndProc = OwnerOfPartProc;
    wc.lpszClassName = "VelkTestOwnerOfPart";
    AfxRegisterClass(&wc);
    CProbeWnd top;
    MakeTop(top);
    CWnd owner;
    MakeChild(owner, top, CRect(0, 0, 50, 50), 3, "VelkTestOwnerOfPart");
    CWnd* pPart = owner.GetDlgItem(1);
    ASSERT_NE(pPart, nullptr);
    HWND hPart = pPart->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hPart), nullptr);

    CClickerObject taker;
    ASSERT_TRUE(taker.SubclassWindow(hPart));
    EXPECT_EQ(taker.nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hPart), &taker);
    EXPECT_EQ(owner.GetDlgItem(1), &taker);
    EXPECT_EQ(::SendMessage(hPart, WM_PROBE), 43);
    CClickerObject second;
    EXPECT_FALSE(second.SubclassWindow(hPart));
    // The window's own state is still its class's.
    host.Click(&taker, {2, 2});
    host.PumpUntilIdle();
    EXPECT_EQ(ClicksOf(taker), 1);
    EXPECT_EQ(owner.GetDlgItem(1)->GetDlgCtrlID(), 1);
}

TEST_F(WindowTest, DestroyingAWindowTakesItsChildrenAndDetachesTheObjects)
{
    std::vector<std::string> order;
    auto recordDestroy = [&order](const char* szName) {
        return [&order, szName](UINT message, WPARAM, LPARAM, LRESULT&) {
            if (message == WM_DESTROY || message == WM_NCDESTROY)
                order.push_back(std::string(szName) + (message == WM_DESTROY ? ":destroy" : ":ncdestroy"));
            return false;
        };
    };
    CProbeWnd top;
    CProbeWnd child;
    MakeTop(top);
    MakeChild(child, top, CRect(0, 0, 10, 10));
    top.onMessage = recordDestroy("top");
    child.onMessage = recordDestroy("child");
    const HWND hChild = child.m_hWnd;
    const HWND hTop = top.m_hWnd;
    ASSERT_TRUE(top.DestroyWindow());
    EXPECT_EQ(order, (std::vector<std::string>{"top:destroy", "child:destroy", "child:ncdestroy", "top:ncdestroy"}));
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(top.m_hWnd, nullptr);
    EXPECT_FALSE(IsWindow(hChild));
    EXPECT_FALSE(::PostMessage(hTop, WM_PROBE));
    EXPECT_EQ(host.NativeWindow(&top), nullptr);
    EXPECT_FALSE(top.DestroyWindow());
}

TEST_F(WindowTest, DeletingTheObjectDestroysItsWindow)
{
    CProbeWnd top;
    MakeTop(top);
    HWND hChild = nullptr;
    {
        CProbeWnd child;
        MakeChild(child, top, CRect(0, 0, 10, 10));
        hChild = child.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hChild));
    EXPECT_EQ(top.GetWindow(GW_CHILD), nullptr);
}

TEST_F(WindowTest, TheNonClientRingComesFromNcCalcSize)
{
    CProbeWnd top;
    MakeTop(top, CRect(100, 100, 300, 250));
    CProbeWnd framed;
    framed.onMessage = [](UINT message, WPARAM, LPARAM lParam, LRESULT& nResult) {
        if (message != WM_NCCALCSIZE)
            return false;
        static_cast<CRect*>(&reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0])->DeflateRect(3, 3);
        nResult = 0;
        return true;
    };
    MakeChild(framed, top, CRect(10, 20, 60, 50));
    CProbeWnd bordered;
    MakeChild(bordered, top, CRect(70, 20, 90, 40), 101, kPlainClass, WS_CHILD | WS_VISIBLE | WS_BORDER);

    CRect rc;
    framed.GetWindowRect(&rc);
    EXPECT_EQ(rc, CRect(110, 120, 160, 150));
    framed.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 44, 24));
    CPoint pt(0, 0);
    framed.ClientToScreen(&pt);
    EXPECT_EQ(pt, CPoint(113, 123));
    framed.ScreenToClient(&pt);
    EXPECT_EQ(pt, CPoint(0, 0));
    bordered.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 18, 18));
    // The client size follows the window through a move.
    framed.MoveWindow(0, 0, 30, 30);
    framed.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 24, 24));
    const MSG& size = framed.received.back();
    EXPECT_EQ(size.message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(size.lParam, MAKELPARAM(24, 24));
}

TEST_F(WindowTest, AGroupWalkWrapsAroundWithinTheGroupAndSkipsDisabledControls)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd controls[5];
    const DWORD styles[5] = {WS_GROUP, 0, WS_DISABLED, WS_GROUP, 0};
    for (int i = 0; i < 5; ++i)
        MakeChild(controls[i], top, CRect(0, i * 10, 10, i * 10 + 10), 200 + i, kPlainClass,
                  WS_CHILD | WS_VISIBLE | styles[i]);
    auto next = [&](int i, BOOL bPrevious) { return top.GetNextDlgGroupItem(&controls[i], bPrevious); };
    EXPECT_EQ(next(0, FALSE), &controls[1]);
    EXPECT_EQ(next(1, FALSE), &controls[0]);
    EXPECT_EQ(next(0, TRUE), &controls[1]);
    EXPECT_EQ(next(3, FALSE), &controls[4]);
    EXPECT_EQ(next(4, FALSE), &controls[3]);
    controls[1].EnableWindow(FALSE);
    EXPECT_EQ(next(0, FALSE), &controls[0]);
}

TEST_F(WindowTest, ATopLevelWindowHasANativeWindowWithItsTitleIconAndState)
{
    CProbeWnd top;
    MakeTop(top, CRect(100, 100, 300, 250), kPlainClass, WS_POPUP);
    const CHeadlessHost::CNativeWindow* pNative = host.NativeWindow(&top);
    ASSERT_NE(pNative, nullptr);
    EXPECT_FALSE(pNative->bVisible);
    EXPECT_FALSE(top.ShowWindow(SW_SHOW));
    EXPECT_TRUE(top.ShowWindow(SW_SHOW));
    EXPECT_TRUE(pNative->bVisible);
    top.SetWindowText("VELK WIFI DISK");
    EXPECT_EQ(pNative->strTitle, "VELK WIFI DISK");
    EXPECT_EQ(top.GetWindowText(), "VELK WIFI DISK");

    CIcon icon;
    std::vector<unsigned char> png = EncodePng(2, 2, [](int, int) { return Rgba(255, 0, 0); });
    ASSERT_TRUE(icon.LoadFromMemory(png.data(), png.size()));
    top.SetIcon(icon.GetSafeHandle(), TRUE);
    EXPECT_EQ(top.GetIcon(TRUE), icon.GetSafeHandle());
    EXPECT_EQ(pNative->iconBig.nWidth, 2);
    EXPECT_EQ(pNative->iconBig.pixels.size(), 4u);

    top.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    top.SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    EXPECT_EQ(pNative->nRaises, 1);
    EXPECT_EQ(pNative->rcScreen, CRect(100, 100, 300, 250));
    EXPECT_FALSE(top.IsIconic());
    top.ShowWindow(SW_MINIMIZE);
    EXPECT_TRUE(top.IsIconic());
    EXPECT_EQ(pNative->nShowCmd, SW_MINIMIZE);
}

} // namespace
