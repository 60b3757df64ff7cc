// Checks and addresses shared by both ends of the window directory's local sockets.
#pragma once

#include <string>
#include <sys/un.h>

// Fills a socket address with the path; false when the path does not fit.
bool MakeLocalAddress(const std::string& strPath, sockaddr_un& address);

// Whether the path is a socket itself (not a link) that the current user owns.
bool IsOwnSocketFile(const std::string& strPath);

// Whether the other end of a connected local socket runs as the current user.
bool PeerIsCurrentUser(int nFd);

// A local sequenced-packet socket, non-blocking and closed on exec; -1 on failure.
int OpenLocalPacketSocket();
