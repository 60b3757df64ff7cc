// The search coordinator: creates the workers (broadcast, multicast, one per local IPv4
// address), sends one set of queries per search and stops them all.
#pragma once

#include "discovery/device_manager.h"
#include "discovery/protocol.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CSearchDeviceThread;

// What a search runs with; the defaults are the program's.
struct CSearchSettings {
    int nBroadcastPort = BROADCAST_LOCAL_PORT;
    int nMulticastPort = SSDP_PORT;
    int nFirstCommandPort = SSDP_FIRST_COMMAND_PORT;
    // Empty: the log stays off, as in the program. Otherwise the log file the tools asked for,
    // with the stream that echoes its lines.
    std::string strLogPath;
    std::FILE* pLogEcho = stdout;
};

class CSearchCoordinator {
public:
    using WorkerEntry = std::pair<std::string, std::unique_ptr<CSearchDeviceThread>>;

    explicit CSearchCoordinator(CSearchSettings settings = {});
    CSearchCoordinator(const CSearchCoordinator&) = delete;
    CSearchCoordinator& operator=(const CSearchCoordinator&) = delete;
    // Stops a search still running, then frees every worker whose receive thread has left.
    ~CSearchCoordinator();

    // Resets the log, installs the registry as the hand-off target and starts the workers;
    // sends nothing. Only the first call does anything. Returns 0.
    int StartSearch(CSearchDeviceManager& registry);
    int StartSearch(CSearchDeviceManager& registry, const CSearchSettings& newSettings);
    // Picks up new local addresses, then on every worker in creation order forgets the last
    // answer and sends the query. Does nothing before the start or after the stop. Returns 0.
    int SendSearch();
    // Tells every worker to exit and returns once their receive threads have left them (or
    // half a second has passed); then writes the log's exit marker.
    void StopSearch();

    // The IPv4 addresses of the interfaces that are up, loopback excluded, in interface order.
    void GetLocalIPv4Addresses(std::vector<std::string>& list);
    // Creates a multi-command worker for every local address that has none yet.
    void Rescan();

    // Every worker ever created, in creation order, with its address text (empty for the
    // broadcast and the multicast worker).
    const std::vector<WorkerEntry>& WorkerTable() const { return workerTable; }

private:
    CSearchSettings settings;
    std::vector<WorkerEntry> workerTable;
    int nNextCommandPort;
    bool bStarted = false;
    bool bStopped = false;
};

// The process-wide search, as the program drives it from its GUI thread.
int StartSearch(CSearchDeviceManager& registry);
int StartSearch(CSearchDeviceManager& registry, const CSearchSettings& settings);
int SendSearch();
void StopSearch();
