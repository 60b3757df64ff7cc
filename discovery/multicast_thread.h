// The SSDP search worker on port 1900: a member of the group 239.143.255.250, it sends the
// M-SEARCH and parses both the answers and the devices' own announcements.
#pragma once

#include "discovery/search_thread.h"

class CSearchDeviceMulticastThread : public CSearchDeviceThread {
public:
    CSearchDeviceMulticastThread() = default;
    ~CSearchDeviceMulticastThread() override;

    // Opens, joins the group, binds any:nPort and starts the receive thread; retries the next
    // port when bRetryPort.
    void CreateWorkThread() override;
    // Leaves the group, then ends the receive loop and closes the socket.
    void ExitWorkThread() override;
    // Sends the 129-byte M-SEARCH to the group; query is ignored. Always 0.
    int SendSearchCommand(const std::uint8_t* query) override;
    // Parses an SSDP message and hands it off unless it repeats the last one (a repeat is
    // forgotten, so the one after it passes again).
    void HandleReceive(const char* data, int length, const char* senderIP) override;

    // Joins (true) or leaves (false) the group on the default interface; failures are logged.
    void ChangeGroup(bool bJoin);
};
