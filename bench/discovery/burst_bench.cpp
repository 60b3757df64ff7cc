// One search answered by 1000 simulated devices within 50 ms, in a private network: how many
// reach the registry and how long after SendSearch the last one is in.
#include "netlab.h"

#include "discovery/device_manager.h"
#include "discovery/handoff.h"
#include "discovery/search_coordinator.h"

#include <benchmark/benchmark.h>
#include <boost/asio/ip/address_v4.hpp>

#include <condition_variable>
#include <fstream>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int DEVICES = 1000;
constexpr char SPREAD_MS[] = "50";
const char* const PROTOCOLS[] = {"broadcast", "ssdp", "both"};

std::string Addresses(const char* szFirst, int nCount)
{
    const unsigned nBase = boost::asio::ip::make_address_v4(szFirst).to_uint();
    std::string list;
    for (int n = 0; n < nCount; ++n)
        list += (n ? "," : "") + boost::asio::ip::address_v4(nBase + static_cast<unsigned>(n)).to_string() + "/16";
    return list;
}

// Datagrams the searching namespace dropped for want of receive buffer space.
long ReceiveBufferErrors()
{
    std::ifstream snmp("/proc/thread-self/net/snmp");
    std::string names, values;
    while (std::getline(snmp, names) && std::getline(snmp, values)) {
        if (!names.starts_with("Udp:"))
            continue;
        std::istringstream nameWords(names), valueWords(values);
        for (std::string name, value; nameWords >> name && valueWords >> value;) {
            if (name == "RcvbufErrors")
                return std::stol(value);
        }
    }
    return -1;
}

// Counts the distinct devices entering the registry and when the last of them came in.
class CArrivals {
public:
    void Reset()
    {
        std::lock_guard lock(mtx);
        addresses.clear();
    }
    void Add(const SearchDeviceInfo& record)
    {
        std::lock_guard lock(mtx);
        if (addresses.insert(std::string(DeviceText(record.szIP))).second) {
            last = Clock::now();
            cv.notify_all();
        }
    }
    // Waits until every device is in or the time is up; the count and the last arrival.
    std::pair<std::size_t, Clock::time_point> Wait(std::size_t nExpected, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mtx);
        cv.wait_for(lock, limit, [&] { return addresses.size() >= nExpected; });
        return {addresses.size(), last};
    }

private:
    std::mutex mtx;
    std::condition_variable cv;
    std::set<std::string> addresses;
    Clock::time_point last;
};

void BM_SearchBurst(benchmark::State& state)
{
    const std::string protocol = PROTOCOLS[state.range(0)];
    const bool bMixed = protocol == "both";
    std::string strReason;
    const auto lab = netlab::Lab::Create(
        {"search:a:10.213.0.1/16",
         "dev:a:10.213.0.2/16," + Addresses("10.213.16.1", bMixed ? DEVICES / 2 : DEVICES)},
        &strReason);
    if (!lab) {
        state.SkipWithError(("no private network: " + strReason).c_str());
        return;
    }
    std::vector<std::string> arguments = {std::string(VELK_BIN_DIR) + "/velk-fake-device", "--spread", SPREAD_MS};
    if (bMixed) {
        arguments.insert(arguments.end(), {"--count", std::to_string(DEVICES / 2),
            "--device", "id=b,ip=10.213.16.1,via=broadcast", "--device", "id=s,ip=10.213.32.1,via=ssdp"});
    } else {
        arguments.insert(arguments.end(), {"--count", std::to_string(DEVICES),
            "--device", "id=d,ip=10.213.16.1,via=" + protocol});
    }
    const auto device = lab->Spawn("dev", arguments);
    if (device->ReadLine(10s) != std::optional<std::string>("ready")) {
        state.SkipWithError("velk-fake-device did not start");
        return;
    }

    netlab::Lab::Inside inside(*lab, "search");
    CSearchDeviceManager registry;
    CSearchCoordinator coordinator;
    coordinator.StartSearch(registry);
    // The registry stays the target; the benchmark only watches what enters it.
    CArrivals arrivals;
    SetHandOffTarget([&](const SearchDeviceInfo& record, int nPort) {
        registry.OnDeviceEvent(record, nPort);
        arrivals.Add(record);
        return 0;
    });

    double dReached = 0;
    double dMsToLast = 0;
    const long nDropsBefore = ReceiveBufferErrors();
    for (auto _ : state) {
        registry.Clear();
        arrivals.Reset();
        const auto start = Clock::now();
        coordinator.SendSearch();
        const auto [nArrived, last] = arrivals.Wait(DEVICES, 3s);
        const double dSeconds = std::chrono::duration<double>(last - start).count();
        state.SetIterationTime(nArrived ? dSeconds : 3.0);
        dReached += static_cast<double>(registry.Snapshot().size());
        dMsToLast += dSeconds * 1000.0;
        // Late copies of the SSDP answers must not fall into the next search.
        std::this_thread::sleep_for(300ms);
    }
    const double dIterations = static_cast<double>(state.iterations());
    state.counters["devices"] = DEVICES;
    state.counters["reached"] = dReached / dIterations;
    state.counters["ms_to_last"] = dMsToLast / dIterations;
    state.counters["rcvbuf_drops"] = static_cast<double>(ReceiveBufferErrors() - nDropsBefore);
    coordinator.StopSearch();
    SetHandOffTarget({});
    state.SetLabel(protocol);
}

BENCHMARK(BM_SearchBurst)->DenseRange(0, 2)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
