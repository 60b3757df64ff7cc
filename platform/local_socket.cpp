// Local socket helpers for the window directory.
#include "platform/local_socket.h"

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

bool MakeLocalAddress(const std::string& strPath, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (strPath.empty() || strPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, strPath.c_str(), strPath.size() + 1);
    return true;
}

bool IsOwnSocketFile(const std::string& strPath)
{
    struct stat st { };
    return lstat(strPath.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == geteuid();
}

bool PeerIsCurrentUser(int nFd)
{
    ucred credentials{};
    socklen_t nLength = sizeof credentials;
    return getsockopt(nFd, SOL_SOCKET, SO_PEERCRED, &credentials, &nLength) == 0 &&
        nLength == sizeof credentials && credentials.uid == geteuid();
}

int OpenLocalPacketSocket()
{
    return socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}
