// Test helper: installs itself as the hand-off target and keeps what it was given.
#pragma once

#include "device_fields.h"

#include "discovery/handoff.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <utility>
#include <vector>

class HandOffRecorder {
public:
    HandOffRecorder()
    {
        SetHandOffTarget([this](const SearchDeviceInfo& record, int nPort) {
            std::lock_guard lock(mtx);
            events.emplace_back(DeviceFields::Of(record), nPort);
            cv.notify_all();
            return 0;
        });
    }
    ~HandOffRecorder() { SetHandOffTarget({}); }

    std::vector<std::pair<DeviceFields, int>> Events()
    {
        std::lock_guard lock(mtx);
        return events;
    }
    bool WaitFor(std::size_t nCount, std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        std::unique_lock lock(mtx);
        return cv.wait_for(lock, timeout, [&] { return events.size() >= nCount; });
    }

private:
    std::mutex mtx;
    std::condition_variable cv;
    std::vector<std::pair<DeviceFields, int>> events;
};
