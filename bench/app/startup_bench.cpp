// The real program's start-up on a private X server in a private network with three simulated
// devices: the time from its exec to its first frame on the screen, and its resident memory one
// second after that, with the window shown and the devices listed. Each repetition starts the
// program afresh; the medians are the figures to quote.
//
//   build/bin/app_startup_bench
#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "program_desktop.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kTitle = "VELK WIFI DISK";

// Points of the window that its first frame paints and that nothing changes in the first second:
// the title band, the caption above the list, the list below its first rows, a button.
constexpr std::array<std::array<int, 2>, 4> kProbes = {{{164, 14}, {40, 40}, {150, 180}, {57, 221}}};

using CProbePixels = std::array<std::uint32_t, kProbes.size()>;

struct CStartUp {
    double fSeconds = 0;
    long nRssKib = 0;
};

std::optional<CProbePixels> ProbePixels(const CProgramDesktop& desktop)
{
    const std::vector<unsigned long> windows = desktop.WindowsTitled(kTitle);
    if (windows.empty())
        return std::nullopt;
    const CWindowImage image = desktop.Capture(windows.front());
    if (image.nWidth < 328 || image.nHeight < 245)
        return std::nullopt;
    CProbePixels pixels;
    for (std::size_t i = 0; i < kProbes.size(); ++i)
        pixels[i] = image.At(kProbes[i][0], kProbes[i][1]);
    return pixels;
}

long ResidentKib(pid_t nPid)
{
    std::ifstream status("/proc/" + std::to_string(nPid) + "/status");
    for (std::string strLine; std::getline(status, strLine);)
        if (strLine.rfind("VmRSS:", 0) == 0)
            return std::stol(strLine.substr(6));
    return -1;
}

// One start: until the probes show what the reference run showed a second after its window
// appeared (the reference run takes that picture); then the memory; then the program ends.
std::optional<CStartUp> StartOnce(const CProgramDesktop& desktop, std::optional<CProbePixels>& reference)
{
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<netlab::Child> pProgram = desktop.StartProgram();
    if (!pProgram)
        return std::nullopt;
    std::optional<CProbePixels> seen;
    const bool bShown = WaitFor(
        [&] {
            seen = ProbePixels(desktop);
            return seen && (!reference || *seen == *reference);
        },
        10s, 1ms);
    const auto shown = std::chrono::steady_clock::now();
    std::optional<CStartUp> result;
    if (bShown) {
        std::this_thread::sleep_for(1s);
        if (!reference)
            reference = ProbePixels(desktop);
        result = CStartUp{std::chrono::duration<double>(shown - start).count(), ResidentKib(pProgram->Pid())};
    }
    pProgram->Terminate();
    pProgram->Wait(5s);
    WaitFor([&] { return desktop.WindowsTitled(kTitle).empty(); }, 5s);
    return result;
}

void BM_StartUpToFirstFrame(benchmark::State& state)
{
    static std::unique_ptr<CProgramDesktop> pDesktop;
    static std::string strReason;
    static std::optional<CProbePixels> reference;
    if (!pDesktop) {
        pDesktop = std::make_unique<CProgramDesktop>();
        if (!pDesktop->Start(strReason))
            strReason = strReason.empty() ? "no desktop" : strReason;
        else if (!StartOnce(*pDesktop, reference) || !reference)
            strReason = "the program showed no window";
    }
    for (auto _ : state) {
        if (!strReason.empty()) {
            state.SkipWithError(strReason.c_str());
            break;
        }
        const std::optional<CStartUp> run = StartOnce(*pDesktop, reference);
        if (!run) {
            state.SkipWithError("the program showed no first frame");
            break;
        }
        state.SetIterationTime(run->fSeconds);
        state.counters["rss_kib"] = static_cast<double>(run->nRssKib);
    }
}
BENCHMARK(BM_StartUpToFirstFrame)->UseManualTime()->Iterations(1)->Repetitions(9)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
