// The window directory's owner side. Each title holds a lock file for as long as it is published:
// whoever gets the lock is the one live owner of the title, so a socket file found beside a free
// lock can only be a dead owner's and is replaced without a race between two publishers.
#include "platform/window_directory.h"

#include "platform/local_socket.h"
#include "platform/runtime_folder.h"
#include "platform/window_directory_protocol.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A few clients at a time is all a second start needs; more are refused, not queued.
constexpr std::size_t kMaxConnections = 16;
constexpr int kListenBacklog = 8;

} // namespace

CWindowDirectory::CWindowDirectory() : CWindowDirectory(GetRuntimeFolder())
{
}

CWindowDirectory::CWindowDirectory(std::string strFolder) : strFolder(std::move(strFolder))
{
}

CWindowDirectory::~CWindowDirectory()
{
    while (!entries.empty())
        Withdraw(entries.back().nKey);
    for (const Connection& connection : connections)
        close(connection.nFd);
}

bool CWindowDirectory::Publish(WindowKey nKey, std::string_view strTitle)
{
    Withdraw(nKey);
    if (strTitle.empty() || strTitle.size() > kMaxWindowTitleBytes || strFolder.empty())
        return false;
    Entry entry{nKey, std::string(strTitle), strFolder + "/" + WindowSocketName(strTitle)};
    entry.nLockFd = OpenLock(strTitle);
    if (entry.nLockFd < 0)
        return false;
    entry.nListenFd = Listen(entry.strSocketPath);
    if (entry.nListenFd < 0) {
        close(entry.nLockFd);
        return false;
    }
    entries.push_back(std::move(entry));
    return true;
}

void CWindowDirectory::Withdraw(WindowKey nKey)
{
    Entry* pEntry = FindEntryByKey(nKey);
    if (!pEntry)
        return;
    // The socket goes before the lock, so that the next owner never finds our live socket.
    unlink(pEntry->strSocketPath.c_str());
    close(pEntry->nListenFd);
    close(pEntry->nLockFd);
    // Open connections stay: the one being served gets its reply, later requests get "no such
    // window", and each ends when its sender hangs up.
    entries.erase(entries.begin() + (pEntry - entries.data()));
}

std::vector<int> CWindowDirectory::GetPollDescriptors() const
{
    std::vector<int> descriptors;
    for (const Entry& entry : entries)
        descriptors.push_back(entry.nListenFd);
    for (const Connection& connection : connections)
        descriptors.push_back(connection.nFd);
    return descriptors;
}

void CWindowDirectory::Dispatch(int nFd, const PFN_WINDOW_MESSAGE& pfnHandler)
{
    if (Entry* pEntry = FindEntryByListener(nFd)) {
        AcceptConnections(*pEntry);
        return;
    }
    auto it = std::find_if(connections.begin(), connections.end(),
                           [nFd](const Connection& c) { return c.nFd == nFd; });
    if (it != connections.end())
        ServeConnection(*it, pfnHandler);
}

void CWindowDirectory::AcceptConnections(const Entry& entry)
{
    for (;;) {
        int nFd = accept4(entry.nListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (nFd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (connections.size() >= kMaxConnections || !PeerIsCurrentUser(nFd)) {
            close(nFd);
            continue;
        }
        connections.push_back({nFd, entry.nKey, nNextConnectionId++});
    }
}

void CWindowDirectory::ServeConnection(Connection connection, const PFN_WINDOW_MESSAGE& pfnHandler)
{
    char buffer[kMaxWindowRequestBytes + 1];
    ssize_t nRead = recv(connection.nFd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (nRead < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    std::optional<WindowRequest> request = nRead > 0
        ? ParseWindowRequest(std::string_view(buffer, static_cast<std::size_t>(nRead)))
        : std::nullopt;
    if (!request) {
        CloseConnection(connection.nFd);
        return;
    }
    WindowReply reply;
    const Entry* pEntry = FindEntryByKey(connection.nKey);
    if (pEntry && pEntry->strTitle == request->strTitle) {
        reply.nResult =
            pfnHandler(connection.nKey, request->nMsg, request->wParam, request->lParam);
        reply.nStatus = WindowReplyStatus::Handled;
    }
    // The handler may have withdrawn the window, and a new socket may have taken the number.
    if (!FindConnection(connection.nFd, connection.nId))
        return;
    std::string bytes = EncodeWindowReply(reply);
    if (send(connection.nFd, bytes.data(), bytes.size(), MSG_DONTWAIT | MSG_NOSIGNAL) < 0)
        CloseConnection(connection.nFd);
}

void CWindowDirectory::CloseConnection(int nFd)
{
    auto it = std::find_if(connections.begin(), connections.end(),
                           [nFd](const Connection& c) { return c.nFd == nFd; });
    if (it == connections.end())
        return;
    close(nFd);
    connections.erase(it);
}

int CWindowDirectory::OpenLock(std::string_view strTitle) const
{
    std::string path = strFolder + "/" + WindowLockName(strTitle);
    int nFd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (nFd < 0)
        return -1;
    struct stat st { };
    if (fstat(nFd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid() ||
        flock(nFd, LOCK_EX | LOCK_NB) != 0) {
        close(nFd);
        return -1;
    }
    return nFd;
}

int CWindowDirectory::Listen(const std::string& strSocketPath) const
{
    sockaddr_un address;
    if (!MakeLocalAddress(strSocketPath, address))
        return -1;
    // We hold the title's lock, so a socket of ours in the way is a dead owner's. Anything else (a
    // link, a file, a stranger's socket) stays untouched and the title stays unpublished.
    struct stat st { };
    if (lstat(strSocketPath.c_str(), &st) == 0) {
        if (!IsOwnSocketFile(strSocketPath) || unlink(strSocketPath.c_str()) != 0)
            return -1;
    }
    int nFd = OpenLocalPacketSocket();
    if (nFd < 0)
        return -1;
    if (bind(nFd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(nFd, kListenBacklog) != 0) {
        close(nFd);
        return -1;
    }
    return nFd;
}

CWindowDirectory::Entry* CWindowDirectory::FindEntryByListener(int nFd)
{
    auto it = std::find_if(entries.begin(), entries.end(),
                           [nFd](const Entry& e) { return e.nListenFd == nFd; });
    return it == entries.end() ? nullptr : &*it;
}

CWindowDirectory::Entry* CWindowDirectory::FindEntryByKey(WindowKey nKey)
{
    auto it = std::find_if(entries.begin(), entries.end(),
                           [nKey](const Entry& e) { return e.nKey == nKey; });
    return it == entries.end() ? nullptr : &*it;
}

CWindowDirectory::Connection* CWindowDirectory::FindConnection(int nFd, std::uint64_t nId)
{
    auto it = std::find_if(connections.begin(), connections.end(), [nFd, nId](const Connection& c) {
        return c.nFd == nFd && c.nId == nId;
    });
    return it == connections.end() ? nullptr : &*it;
}
