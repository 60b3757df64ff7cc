// Connects to a published window's socket and exchanges one request and reply per message.
#include "platform/remote_window.h"

#include "platform/local_socket.h"
#include "platform/runtime_folder.h"
#include "platform/window_directory_protocol.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

// Waits until the descriptor is readable or the deadline passes; false on timeout or error.
bool WaitReadable(int nFd, std::chrono::steady_clock::time_point deadline)
{
    for (;;) {
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() < 0)
            return false;
        pollfd descriptor{nFd, POLLIN, 0};
        int nReady = poll(&descriptor, 1, static_cast<int>(remaining.count()) + 1);
        if (nReady > 0)
            return true;
        if (nReady < 0 && errno != EINTR)
            return false;
    }
}

} // namespace

CRemoteWindow::~CRemoteWindow()
{
    Close();
}

CRemoteWindow::CRemoteWindow(CRemoteWindow&& other) noexcept
    : nFd(std::exchange(other.nFd, -1)), strTitle(std::move(other.strTitle))
{
}

CRemoteWindow& CRemoteWindow::operator=(CRemoteWindow&& other) noexcept
{
    if (this != &other) {
        Close();
        nFd = std::exchange(other.nFd, -1);
        strTitle = std::move(other.strTitle);
    }
    return *this;
}

CRemoteWindow CRemoteWindow::FindWindow(std::string_view strTitle)
{
    return FindWindow(strTitle, GetRuntimeFolder());
}

CRemoteWindow CRemoteWindow::FindWindow(std::string_view strTitle, const std::string& strFolder)
{
    CRemoteWindow window;
    if (strTitle.empty() || strTitle.size() > kMaxWindowTitleBytes || strFolder.empty())
        return window;
    std::string path = strFolder + "/" + WindowSocketName(strTitle);
    sockaddr_un address;
    if (!MakeLocalAddress(path, address) || !IsOwnSocketFile(path))
        return window;
    window.nFd = OpenLocalPacketSocket();
    window.strTitle = strTitle;
    if (!window.IsValid())
        return window;
    // A local connect completes at once; a full backlog (EAGAIN) counts as not found, and a socket
    // without a listener (ECONNREFUSED) is a dead owner's.
    if (connect(window.nFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        !PeerIsCurrentUser(window.nFd))
        window.Close();
    return window;
}

std::optional<LRESULT> CRemoteWindow::SendMessage(UINT nMsg, WPARAM wParam, LPARAM lParam,
                                                  std::chrono::milliseconds timeout)
{
    if (!IsValid())
        return std::nullopt;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string request = EncodeWindowRequest({nMsg, wParam, lParam, strTitle});
    if (send(nFd, request.data(), request.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(request.size())) {
        Close();
        return std::nullopt;
    }
    char buffer[64];
    ssize_t nRead = -1;
    while (WaitReadable(nFd, deadline)) {
        nRead = recv(nFd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (nRead >= 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    std::optional<WindowReply> reply = nRead > 0
        ? ParseWindowReply(std::string_view(buffer, static_cast<std::size_t>(nRead)))
        : std::nullopt;
    // A late reply after a timeout would answer the next message, so the connection goes with it.
    if (!reply || reply->nStatus != WindowReplyStatus::Handled) {
        Close();
        return std::nullopt;
    }
    return reply->nResult;
}

void CRemoteWindow::Close()
{
    if (nFd >= 0)
        close(nFd);
    nFd = -1;
}
