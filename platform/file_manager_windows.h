// The desktop's file-manager windows: listing them with the texts they show and asking one to
// close. Uses a connection of its own to the X server named by DISPLAY; without one it finds
// nothing. Use an object on one thread; it installs an X error trap only around its own requests.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct FileManagerWindow {
    unsigned long nWindow = 0; // the X window id
    std::string strClass;      // the WM_CLASS class part, e.g. "org.gnome.Nautilus"
    std::string strText;       // _NET_WM_NAME, else WM_NAME, as UTF-8
};

// Whether a WM_CLASS class names a known file manager (Nautilus, Nemo, Caja, Thunar, Dolphin,
// PCManFM and PCManFM-Qt), compared without regard to case.
bool IsFileManagerClass(std::string_view strClass);

class CFileManagerWindows {
public:
    // Connects to the display of that name; an empty name means DISPLAY.
    explicit CFileManagerWindows(const std::string& strDisplay = {});
    ~CFileManagerWindows();
    CFileManagerWindows(const CFileManagerWindows&) = delete;
    CFileManagerWindows& operator=(const CFileManagerWindows&) = delete;

    bool IsConnected() const;

    // The managed top-level windows (_NET_CLIENT_LIST) of known file managers, desktop-background
    // windows left out, in the window manager's order.
    std::vector<FileManagerWindow> List();

    // Asks a window to close: through the window manager's _NET_CLOSE_WINDOW where it supports it,
    // else with WM_DELETE_WINDOW to the client where the client takes it. False when neither was
    // possible or the window no longer exists.
    bool RequestClose(unsigned long nWindow);

private:
    struct Connection;
    std::unique_ptr<Connection> pConnection;
};
