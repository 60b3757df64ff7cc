// The SSDP search worker of one local address: bound to that address and a port of its own,
// it sends the M-SEARCH out through that address's interface and receives the unicast answers.
#pragma once

#include "discovery/multicast_thread.h"

class CSearchDeviceMultiCommandThead : public CSearchDeviceMulticastThread {
public:
    CSearchDeviceMultiCommandThead() = default;
    ~CSearchDeviceMultiCommandThead() override;

    // Opens, binds strIP:nPort (any address when strIP is empty), starts the receive thread;
    // joins no group; retries the next port when bRetryPort.
    void CreateWorkThread() override;
    // Ends the receive loop and closes the socket.
    void ExitWorkThread() override;
};
