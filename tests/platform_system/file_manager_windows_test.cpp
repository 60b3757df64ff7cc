// File-manager windows under a private X server, with stand-in windows and a stand-in window
// manager.
#include "platform/file_manager_windows.h"

#include "xvfb_fixture.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>

// After GoogleTest: Xlib defines None and Bool as macros, which GoogleTest uses as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

struct StandIn {
    const char* szClass;
    const char* szNetName = nullptr; // _NET_WM_NAME, UTF-8
    const char* szWmName = nullptr;  // WM_NAME, Latin-1
    bool bDesktop = false;
    bool bTakesDelete = true;
};

class FileManagerWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!xvfb.Start())
            GTEST_SKIP() << "no X server can be started here";
        pClient = XOpenDisplay(xvfb.DisplayName().c_str());
        pManager = XOpenDisplay(xvfb.DisplayName().c_str());
        ASSERT_TRUE(pClient && pManager);
        root = DefaultRootWindow(pManager);
    }
    void TearDown() override
    {
        if (pClient)
            XCloseDisplay(pClient);
        if (pManager)
            XCloseDisplay(pManager);
    }

    Atom AtomOf(const char* szName) { return XInternAtom(pManager, szName, False); }

    Window MakeWindow(const StandIn& standIn)
    {
        Window window =
            XCreateSimpleWindow(pClient, DefaultRootWindow(pClient), 0, 0, 100, 80, 0, 0, 0);
        XClassHint hint{const_cast<char*>("standin"), const_cast<char*>(standIn.szClass)};
        XSetClassHint(pClient, window, &hint);
        if (standIn.szNetName)
            XChangeProperty(pClient, window, AtomOf("_NET_WM_NAME"), AtomOf("UTF8_STRING"), 8,
                            PropModeReplace,
                            reinterpret_cast<const unsigned char*>(standIn.szNetName),
                            static_cast<int>(std::strlen(standIn.szNetName)));
        if (standIn.szWmName)
            XStoreName(pClient, window, standIn.szWmName);
        if (standIn.bDesktop) {
            Atom desktop = AtomOf("_NET_WM_WINDOW_TYPE_DESKTOP");
            XChangeProperty(pClient, window, AtomOf("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<unsigned char*>(&desktop), 1);
        }
        if (standIn.bTakesDelete) {
            Atom deleteWindow = AtomOf("WM_DELETE_WINDOW");
            XSetWMProtocols(pClient, window, &deleteWindow, 1);
        }
        XMapWindow(pClient, window);
        XSync(pClient, False);
        return window;
    }

    void SetRootList(const char* szProperty, Atom type, const std::vector<unsigned long>& items)
    {
        XChangeProperty(pManager, root, AtomOf(szProperty), type, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(items.data()),
                        static_cast<int>(items.size()));
        XSync(pManager, False);
    }

    // Plays a window manager: the check window of EWMH, the hints it supports, and the redirection
    // of the root's structure requests, through which close requests arrive.
    void BecomeWindowManager(const std::vector<const char*>& supported, bool bAlive = true)
    {
        Window check = XCreateSimpleWindow(pManager, root, 0, 0, 1, 1, 0, 0, 0);
        XChangeProperty(pManager, check, AtomOf("_NET_SUPPORTING_WM_CHECK"), XA_WINDOW, 32,
                        PropModeReplace, reinterpret_cast<unsigned char*>(&check), 1);
        SetRootList("_NET_SUPPORTING_WM_CHECK", XA_WINDOW, {check});
        std::vector<unsigned long> atoms;
        for (const char* szName : supported)
            atoms.push_back(AtomOf(szName));
        SetRootList("_NET_SUPPORTED", XA_ATOM, atoms);
        XSelectInput(pManager, root, SubstructureRedirectMask | SubstructureNotifyMask);
        if (!bAlive)
            XDestroyWindow(pManager, check);
        XSync(pManager, False);
    }

    // The next client message that reaches the connection within the wait.
    std::optional<XClientMessageEvent>
    NextClientMessage(Display* pDisplay, std::chrono::milliseconds wait = std::chrono::seconds(5))
    {
        auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            while (XPending(pDisplay)) {
                XEvent event;
                XNextEvent(pDisplay, &event);
                if (event.type == ClientMessage)
                    return event.xclient;
            }
            pollfd descriptor{ConnectionNumber(pDisplay), POLLIN, 0};
            poll(&descriptor, 1, 50);
        }
        return std::nullopt;
    }

    CXvfb xvfb;
    Display* pClient = nullptr;
    Display* pManager = nullptr;
    Window root = 0;
};

TEST(IsFileManagerClass, KnowsTheClassesFileManagersSet)
{
    for (const char* szClass :
         {"org.gnome.Nautilus", "Org.gnome.Nautilus", "Nautilus", "Nemo", "Caja", "Thunar",
          "dolphin", "Dolphin", "org.kde.dolphin", "Pcmanfm", "pcmanfm-qt"})
        EXPECT_TRUE(IsFileManagerClass(szClass)) << szClass;
    for (const char* szClass :
         {"", "Gedit", "Firefox", "Nautilus-desktop", "CabinetWClass", "thunar "})
        EXPECT_FALSE(IsFileManagerClass(szClass)) << szClass;
}

TEST(CFileManagerWindows, DoesNothingWithoutADisplay)
{
    CFileManagerWindows windows("/nonexistent/velk-no-display");
    EXPECT_FALSE(windows.IsConnected());
    EXPECT_TRUE(windows.List().empty());
    EXPECT_FALSE(windows.RequestClose(1));
}

TEST_F(FileManagerWindowsTest, ListsManagedFileManagersWithTheirTexts)
{
    Window nautilus = MakeWindow({"org.gnome.Nautilus", "192.168.1.5 \xE2\x80\x93 Dateien"});
    Window thunar = MakeWindow({"Thunar", nullptr, "Caf\xE9 - 192.168.1.5"});
    Window dolphin = MakeWindow({"dolphin", "share \xFF on 192.168.1.5", "old title"});
    Window editor = MakeWindow({"Gedit", "192.168.1.5"});
    Window desktop = MakeWindow({"Pcmanfm", "Desktop", nullptr, true});
    Window gone = MakeWindow({"Nemo", "smb://192.168.1.5/"});
    Window unmanaged = MakeWindow({"Caja", "not in the list"});
    XDestroyWindow(pClient, gone);
    XSync(pClient, False);
    SetRootList("_NET_CLIENT_LIST", XA_WINDOW, {nautilus, editor, thunar, desktop, gone, dolphin});
    (void)unmanaged;

    CFileManagerWindows windows(xvfb.DisplayName());
    ASSERT_TRUE(windows.IsConnected());
    std::vector<FileManagerWindow> found = windows.List();
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].nWindow, nautilus);
    EXPECT_EQ(found[0].strClass, "org.gnome.Nautilus");
    EXPECT_EQ(found[0].strText, "192.168.1.5 \xE2\x80\x93 Dateien");
    EXPECT_EQ(found[1].nWindow, thunar);
    EXPECT_EQ(found[1].strText, "Caf\xC3\xA9 - 192.168.1.5");
    EXPECT_EQ(found[2].nWindow, dolphin);
    EXPECT_EQ(found[2].strText, "share \xEF\xBF\xBD on 192.168.1.5");
}

TEST_F(FileManagerWindowsTest, FindsNothingWithoutAClientList)
{
    MakeWindow({"Thunar", "192.168.1.5"});
    EXPECT_TRUE(CFileManagerWindows(xvfb.DisplayName()).List().empty());
}

TEST_F(FileManagerWindowsTest, AsksTheWindowManagerToClose)
{
    Window window = MakeWindow({"Nemo", "192.168.1.5"});
    BecomeWindowManager({"_NET_CLIENT_LIST", "_NET_CLOSE_WINDOW"});
    CFileManagerWindows windows(xvfb.DisplayName());
    ASSERT_TRUE(windows.RequestClose(window));

    std::optional<XClientMessageEvent> message = NextClientMessage(pManager);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->window, window);
    EXPECT_EQ(message->message_type, AtomOf("_NET_CLOSE_WINDOW"));
    EXPECT_EQ(message->data.l[1], 2);
    EXPECT_FALSE(NextClientMessage(pClient, std::chrono::milliseconds(300)));
}

TEST_F(FileManagerWindowsTest, AsksTheClientWhenNoWindowManagerClosesWindows)
{
    struct {
        const char* szCase;
        std::vector<const char*> supported;
        bool bAlive;
        bool bPlayManager;
    } cases[] = {
        {"no window manager", {}, true, false},
        {"a manager without the hint", {"_NET_CLIENT_LIST"}, true, true},
        {"a manager that has gone", {"_NET_CLOSE_WINDOW"}, false, true},
    };
    for (const auto& c : cases) {
        if (c.bPlayManager)
            BecomeWindowManager(c.supported, c.bAlive);
        Window window = MakeWindow({"Caja", "192.168.1.5"});
        ASSERT_TRUE(CFileManagerWindows(xvfb.DisplayName()).RequestClose(window)) << c.szCase;
        std::optional<XClientMessageEvent> message = NextClientMessage(pClient);
        ASSERT_TRUE(message) << c.szCase;
        EXPECT_EQ(message->window, window);
        EXPECT_EQ(message->message_type, AtomOf("WM_PROTOCOLS"));
        EXPECT_EQ(static_cast<Atom>(message->data.l[0]), AtomOf("WM_DELETE_WINDOW"));
        XSelectInput(pManager, root, NoEventMask);
        XSync(pManager, False);
    }
}

TEST_F(FileManagerWindowsTest, RefusesWindowsItCannotClose)
{
    Window deaf = MakeWindow({"Thunar", "192.168.1.5", nullptr, false, false});
    Window gone = MakeWindow({"Thunar", "192.168.1.5"});
    XDestroyWindow(pClient, gone);
    XSync(pClient, False);
    CFileManagerWindows windows(xvfb.DisplayName());
    EXPECT_FALSE(windows.RequestClose(deaf));
    EXPECT_FALSE(windows.RequestClose(gone));
    EXPECT_FALSE(windows.RequestClose(0));
    // The connection outlives the errors those requests raised.
    EXPECT_TRUE(windows.List().empty());
}

} // namespace
