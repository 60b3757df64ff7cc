// Dialogs: the modal run ending on Enter, Escape, closing and EndDialog, through the dialog's own
// commands; its set-up, placement and owner; keys that a control keeps; runs that cannot start.
#include "controls_fixture.h"

#include "platform/button.h"
#include "platform/dialog.h"
#include "platform/listview.h"

namespace {

constexpr UINT kTemplate = 9001;

CDialogTemplate TestTemplate()
{
    CDialogTemplate dialogTemplate;
    dialogTemplate.dwStyle = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    dialogTemplate.cx = 200;
    dialogTemplate.cy = 100;
    dialogTemplate.strTitle = "Test dialog";
    return dialogTemplate;
}

class CTestDialog : public CDialog {
public:
    explicit CTestDialog(CWnd* pOwner = nullptr) : CDialog(kTemplate, pOwner) {}

    std::function<void(CTestDialog&)> onInit;
    std::vector<int> commands;
    bool bVisibleInInit = true;

    BOOL OnInitDialog() override
    {
        bVisibleInInit = IsWindowVisible() != FALSE;
        if (onInit)
            onInit(*this);
        return CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND)
            commands.push_back(LOWORD(wParam));
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class DialogTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        RegisterDialogTemplate(kTemplate, TestTemplate());
    }
};

TEST_F(DialogTest, EnterEscapeClosingAndEndDialogEndTheRunThroughItsCommands)
{
    struct Case {
        const char* szWhat;
        std::function<void(CHeadlessHost&, CTestDialog&)> act;
        INT_PTR nResult;
        std::vector<int> commands;
    } cases[] = {
        {"Enter", [](CHeadlessHost& host, CTestDialog&) { host.PressKey(VK_RETURN, "\r"); }, IDOK, {IDOK}},
        {"Escape", [](CHeadlessHost& host, CTestDialog&) { host.PressKey(VK_ESCAPE); }, IDCANCEL, {IDCANCEL}},
        {"close", [](CHeadlessHost& host, CTestDialog& dialog) { host.CloseWindow(&dialog); }, IDCANCEL, {IDCANCEL}},
        {"EndDialog", [](CHeadlessHost&, CTestDialog& dialog) { dialog.EndDialog(42); }, 42, {}},
    };
    for (const Case& c : cases) {
        CTestDialog dialog;
        // The focused list does not keep Enter and Escape from the dialog.
        CListCtrl list;
        dialog.onInit = [&list](CTestDialog& self) {
            list.Create(WS_VISIBLE | WS_TABSTOP | LVS_REPORT, CRect(10, 10, 100, 60), &self, 100);
        };
        host.Schedule(HostTime(10), [&] { c.act(host, dialog); });
        EXPECT_EQ(dialog.DoModal(), c.nResult) << c.szWhat;
        EXPECT_EQ(dialog.commands, c.commands) << c.szWhat;
        EXPECT_EQ(dialog.m_hWnd, nullptr) << c.szWhat;
    }
}

TEST_F(DialogTest, TheRunSetsUpPlacesAndShowsTheDialogWithItsOwnerDisabled)
{
    CProbeWnd owner;
    MakeTop(owner, CRect(200, 200, 800, 600));
    CTestDialog dialog(&owner);
    CButton first;
    dialog.onInit = [&first](CTestDialog& self) {
        first.Create("First", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &self, 50);
    };
    bool bChecked = false;
    host.Schedule(HostTime(10), [&] {
        bChecked = true;
        EXPECT_TRUE(dialog.IsWindowVisible());
        EXPECT_FALSE(owner.IsWindowEnabled());
        EXPECT_EQ(CWnd::GetFocus(), &first);
        CRect rc;
        dialog.GetWindowRect(&rc);
        EXPECT_EQ(rc.left + rc.Width() / 2, 500);
        EXPECT_EQ(rc.top + rc.Height() / 2, 400);
        EXPECT_GT(rc.Width(), 200); // dialog units are larger than pixels
        EXPECT_EQ(host.NativeWindow(&dialog)->strTitle, "Test dialog");
        // Enter on a focused push button is that button's command.
        host.PressKey(VK_RETURN);
        host.Schedule(HostTime(10), [&] { host.PressKey(VK_ESCAPE); });
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(bChecked);
    EXPECT_FALSE(dialog.bVisibleInInit);
    EXPECT_EQ(dialog.commands, (std::vector<int>{50, IDCANCEL}));
    EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(DialogTest, AControlThatWantsAllKeysKeepsEnter)
{
    CTestDialog dialog;
    CProbeWnd editor;
    editor.onMessage = [](UINT message, WPARAM, LPARAM, LRESULT& nResult) {
        nResult = DLGC_WANTALLKEYS;
        return message == WM_GETDLGCODE;
    };
    dialog.onInit = [&editor](CTestDialog& self) {
        editor.CreateEx(0, kPlainClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 90, 40), &self, 60);
    };
    host.Schedule(HostTime(10), [&] {
        host.PressKey(VK_RETURN);
        host.Schedule(HostTime(10), [&] { dialog.EndDialog(7); });
    });
    EXPECT_EQ(dialog.DoModal(), 7);
    EXPECT_TRUE(dialog.commands.empty());
    EXPECT_EQ(editor.Count(WM_KEYDOWN), 1);
}

TEST_F(DialogTest, ARunThatCannotStartOrIsQuitGivesMinusOne)
{
    CDialog unknown(kTemplate + 1);
    EXPECT_EQ(unknown.DoModal(), -1);

    CTestDialog dialog;
    host.Schedule(HostTime(10), [] { PostQuitMessage(3); });
    EXPECT_EQ(dialog.DoModal(), -1);
    // The quit is posted again for the loop outside.
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg));
    EXPECT_EQ(msg.wParam, 3u);
}

} // namespace
