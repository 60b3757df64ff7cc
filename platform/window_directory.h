// The owner's side of finding windows across processes: every published top-level window title
// listens on a local socket in the runtime folder, and the messages other processes send to it are
// handed, one at a time, to the owner's GUI thread.
//
// The host's loop polls GetPollDescriptors() for reading together with its own descriptors and
// calls Dispatch() on the GUI thread for each one that is readable or hung up. Nothing here blocks.
// Not thread-safe: one thread (the GUI thread) uses an object.
#pragma once

#include "platform/types.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CWindowDirectory {
public:
    // Whatever the host uses to tell its windows apart (a window pointer, a native id).
    using WindowKey = std::uintptr_t;
    // Handles one message sent from another process to a published window; its result goes back.
    using PFN_WINDOW_MESSAGE =
        std::function<LRESULT(WindowKey nKey, UINT nMsg, WPARAM wParam, LPARAM lParam)>;

    // A directory in the runtime folder (GetRuntimeFolder).
    CWindowDirectory();
    // A directory in the given folder, which must be the user's private folder.
    explicit CWindowDirectory(std::string strFolder);
    // Withdraws every published window and closes every connection.
    ~CWindowDirectory();
    CWindowDirectory(const CWindowDirectory&) = delete;
    CWindowDirectory& operator=(const CWindowDirectory&) = delete;

    // Publishes a window under its title, replacing what the key published before. A socket left by
    // a dead owner is replaced; false for an empty title, a title that a live window (of any
    // process) already publishes, or a path held by anything but the user's own socket.
    bool Publish(WindowKey nKey, std::string_view strTitle);
    // Withdraws the key's title; messages sent to it from then on are not delivered. Nothing for an
    // unknown key.
    void Withdraw(WindowKey nKey);

    // The descriptors to watch for reading: the listening sockets and open connections. The set
    // changes with Publish, Withdraw and Dispatch; take it anew before each wait.
    std::vector<int> GetPollDescriptors() const;
    // Serves one readable descriptor: accepts waiting connections, or reads one request, hands it
    // to pfnHandler and writes the handler's result back. The handler may publish and withdraw.
    // Unknown descriptors are ignored.
    void Dispatch(int nFd, const PFN_WINDOW_MESSAGE& pfnHandler);

private:
    struct Entry {
        WindowKey nKey = 0;
        std::string strTitle;
        std::string strSocketPath;
        int nListenFd = -1;
        int nLockFd = -1;
    };
    struct Connection {
        int nFd = -1;
        WindowKey nKey = 0;
        std::uint64_t nId = 0;
    };

    Entry* FindEntryByListener(int nFd);
    Entry* FindEntryByKey(WindowKey nKey);
    Connection* FindConnection(int nFd, std::uint64_t nId);
    void AcceptConnections(const Entry& entry);
    void ServeConnection(Connection connection, const PFN_WINDOW_MESSAGE& pfnHandler);
    void CloseConnection(int nFd);
    int OpenLock(std::string_view strTitle) const;
    int Listen(const std::string& strSocketPath) const;

    std::string strFolder;
    std::vector<Entry> entries;
    std::vector<Connection> connections;
    std::uint64_t nNextConnectionId = 1;
};
