// velk-search: the device discovery as a command. It searches exactly as the program does,
// waits, prints the devices found and stops.
#include "search_command.h"

#include "discovery/device_manager.h"
#include "discovery/search_coordinator.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <thread>

int main(int argc, char** argv)
{
    std::string strError;
    const auto command = ParseSearchCommand(std::vector<std::string>(argv + 1, argv + argc),
                                            std::getenv("VELK_SEARCH_LOG"), &strError);
    if (!command) {
        std::cerr << "velk-search: " << strError << "; " << SEARCH_USAGE << std::endl;
        return 2;
    }
    if (command->bHelp) {
        std::cout << SEARCH_USAGE << std::endl;
        return 0;
    }
    CSearchSettings settings;
    settings.strLogPath = command->strLogPath;
    // Standard output carries the result; the log's echo goes to standard error.
    settings.pLogEcho = stderr;

    CSearchDeviceManager& registry = CSearchDeviceManager::Instance();
    StartSearch(registry, settings);
    SendSearch();
    std::this_thread::sleep_for(std::chrono::duration<double>(command->dWaitSeconds));
    const std::vector<SearchDeviceInfo> devices = registry.Snapshot();
    std::cout << (command->bJson ? RenderJson(devices) : RenderTable(devices)) << std::flush;
    StopSearch();
    return 0;
}
