// The broadcast search worker: listens on port 67, sends the 148-byte query to
// 255.255.255.255:68 and hands off every device answer that differs from the last one.
#pragma once

#include "discovery/search_thread.h"

class CSearchDeviceBroadcastThread : public CSearchDeviceThread {
public:
    CSearchDeviceBroadcastThread() = default;
    ~CSearchDeviceBroadcastThread() override;

    // As the base, with the broadcast option on before the bind; never retries another port.
    void CreateWorkThread() override;
    // Sends the 148 bytes at query to the broadcast address; failures are logged. Always 0.
    int SendSearchCommand(const std::uint8_t* query) override;
    // Parses a 148-byte answer and hands it off unless it repeats the last one.
    void HandleReceive(const char* data, int length, const char* senderIP) override;
};
