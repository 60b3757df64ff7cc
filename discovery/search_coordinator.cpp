#include "discovery/search_coordinator.h"

#include "discovery/broadcast_thread.h"
#include "discovery/handoff.h"
#include "discovery/multicast_thread.h"
#include "discovery/multicommand_thread.h"
#include "discovery/search_thread.h"
#include "log/log_system.h"

#include <boost/asio/ip/address_v4.hpp>
#include <boost/system/error_code.hpp>

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace {

constexpr std::chrono::milliseconds STOP_LIMIT{500};

struct CInterfaceListDeleter {
    void operator()(ifaddrs* pList) const { freeifaddrs(pList); }
};

CSearchCoordinator& ProcessCoordinator()
{
    static CSearchCoordinator coordinator;
    return coordinator;
}

} // namespace

CSearchCoordinator::CSearchCoordinator(CSearchSettings newSettings)
    : settings(std::move(newSettings)), nNextCommandPort(settings.nFirstCommandPort)
{
}

CSearchCoordinator::~CSearchCoordinator()
{
    if (bStarted && !bStopped)
        StopSearch();
    for (WorkerEntry& entry : workerTable) {
        // A worker whose thread is somehow still inside it is left alive rather than freed
        // under that thread.
        if (!entry.second->WaitUntilThreadsLeft(std::chrono::milliseconds(0)))
            (void)entry.second.release();
    }
    workerTable.clear();
    if (bStarted)
        SetHandOffTarget({});
}

int CSearchCoordinator::StartSearch(CSearchDeviceManager& registry, const CSearchSettings& newSettings)
{
    if (!bStarted) {
        settings = newSettings;
        nNextCommandPort = settings.nFirstCommandPort;
    }
    return StartSearch(registry);
}

int CSearchCoordinator::StartSearch(CSearchDeviceManager& registry)
{
    if (bStarted)
        return 0;
    bStarted = true;
    CLogSystem::Reset();
    if (!settings.strLogPath.empty())
        CLogSystem::Enable(settings.strLogPath.c_str(), settings.pLogEcho);
    SetHandOffTarget([&registry](const SearchDeviceInfo& record, int nPort) {
        return registry.OnDeviceEvent(record, nPort);
    });

    auto broadcast = std::make_unique<CSearchDeviceBroadcastThread>();
    broadcast->InitValue(nullptr, settings.nBroadcastPort, false);
    workerTable.emplace_back(std::string(), std::move(broadcast));
    auto multicast = std::make_unique<CSearchDeviceMulticastThread>();
    multicast->InitValue(nullptr, settings.nMulticastPort, false);
    workerTable.emplace_back(std::string(), std::move(multicast));
    Rescan();
    return 0;
}

void CSearchCoordinator::GetLocalIPv4Addresses(std::vector<std::string>& list)
{
    list.clear();
    CLogSystem::Write("Get Current Local IP Info ");
    try {
        ifaddrs* pRaw = nullptr;
        if (getifaddrs(&pRaw) != 0)
            throw boost::system::system_error(errno, boost::system::system_category(), "getifaddrs");
        const std::unique_ptr<ifaddrs, CInterfaceListDeleter> interfaces(pRaw);
        for (const ifaddrs* pEntry = pRaw; pEntry != nullptr; pEntry = pEntry->ifa_next) {
            if (pEntry->ifa_addr == nullptr || pEntry->ifa_addr->sa_family != AF_INET)
                continue;
            if ((pEntry->ifa_flags & IFF_UP) == 0 || (pEntry->ifa_flags & IFF_LOOPBACK) != 0)
                continue;
            const auto* pAddress = reinterpret_cast<const sockaddr_in*>(pEntry->ifa_addr);
            list.push_back(boost::asio::ip::address_v4(ntohl(pAddress->sin_addr.s_addr)).to_string());
            CLogSystem::Write("Get Current Local IP, IP = %s  ", list.back().c_str());
        }
    } catch (const std::exception& e) {
        CLogSystem::Write("Add To Mulitcast Group Error : %s   ", e.what());
    }
}

void CSearchCoordinator::Rescan()
{
    std::vector<std::string> list;
    GetLocalIPv4Addresses(list);
    for (const std::string& strAddress : list) {
        const bool bKnown = std::any_of(workerTable.begin(), workerTable.end(),
            [&](const WorkerEntry& entry) { return entry.first == strAddress; });
        if (bKnown)
            continue;
        auto worker = std::make_unique<CSearchDeviceMultiCommandThead>();
        worker->InitValue(strAddress.c_str(), nNextCommandPort, true);
        workerTable.emplace_back(strAddress, std::move(worker));
        nNextCommandPort += SSDP_COMMAND_PORT_STEP;
    }
}

int CSearchCoordinator::SendSearch()
{
    if (!bStarted || bStopped)
        return 0;
    CLogSystem::Write("SendMessage : pdhcp is NULL ");
    const auto query = BuildBroadcastQuery();
    Rescan();
    for (WorkerEntry& entry : workerTable) {
        entry.second->ClearLastInfo();
        entry.second->SendSearchCommand(query.data());
    }
    return 0;
}

void CSearchCoordinator::StopSearch()
{
    if (!bStarted || bStopped)
        return;
    bStopped = true;
    for (WorkerEntry& entry : workerTable)
        entry.second->ExitWorkThread();
    const auto deadline = std::chrono::steady_clock::now() + STOP_LIMIT;
    for (WorkerEntry& entry : workerTable) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        entry.second->WaitUntilThreadsLeft(std::max(left, std::chrono::milliseconds(0)));
    }
    CLogSystem::WriteExitMarker();
}

int StartSearch(CSearchDeviceManager& registry)
{
    return ProcessCoordinator().StartSearch(registry);
}

int StartSearch(CSearchDeviceManager& registry, const CSearchSettings& settings)
{
    return ProcessCoordinator().StartSearch(registry, settings);
}

int SendSearch()
{
    return ProcessCoordinator().SendSearch();
}

void StopSearch()
{
    ProcessCoordinator().StopSearch();
}
