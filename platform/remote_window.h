// The sender's side of finding windows across processes: a connection to the window that another
// process (or another thread of this one) publishes under a title in its CWindowDirectory.
#pragma once

#include "platform/types.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

class CRemoteWindow {
public:
    static constexpr std::chrono::milliseconds kDefaultTimeout{5000};

    CRemoteWindow() = default;
    ~CRemoteWindow();
    CRemoteWindow(CRemoteWindow&& other) noexcept;
    CRemoteWindow& operator=(CRemoteWindow&& other) noexcept;

    // Finds the top-level window published under exactly this title in the runtime folder; an
    // invalid object when none is published, its owner is gone or its socket is not the user's.
    static CRemoteWindow FindWindow(std::string_view strTitle);
    // FindWindow in the given folder.
    static CRemoteWindow FindWindow(std::string_view strTitle, const std::string& strFolder);

    bool IsValid() const { return nFd >= 0; }

    // Sends a message and waits for the result that the owner's GUI thread produces, at most
    // timeout long; nothing when it cannot be delivered, the window is gone or the wait runs out.
    // After a failure the object is invalid. Never call it on the owner's own GUI thread.
    std::optional<LRESULT> SendMessage(UINT nMsg, WPARAM wParam, LPARAM lParam,
                                       std::chrono::milliseconds timeout = kDefaultTimeout);

private:
    void Close();

    int nFd = -1;
    std::string strTitle;
};
