// A GoogleTest fixture that makes a private network for each test, or skips the test when
// namespaces cannot be made here; with helpers to start simulated devices inside it.
#pragma once

#include "netlab.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

class LabTest : public ::testing::Test {
protected:
    // The attachments "HOST:SEGMENT:ADDRESS[,ADDRESS...]" of the lab.
    virtual std::vector<std::string> Attachments() const = 0;

    void SetUp() override
    {
        std::string strReason;
        lab = netlab::Lab::Create(Attachments(), &strReason);
        if (!lab)
            GTEST_SKIP() << "no private network: " << strReason;
    }
    void TearDown() override
    {
        devices.clear();
        lab.reset();
    }

    // Starts velk-fake-device in HOST with the arguments and waits until it answers queries;
    // null if it did not get ready.
    netlab::Child* StartFakeDevice(const std::string& strHost, std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), std::string(VELK_BIN_DIR) + "/velk-fake-device");
        devices.push_back(lab->Spawn(strHost, arguments));
        const auto line = devices.back()->ReadLine(std::chrono::seconds(10));
        return line && *line == "ready" ? devices.back().get() : nullptr;
    }

    // Runs velk-fake-device once in HOST (for --notify) and waits for its end; its exit code.
    int RunFakeDevice(const std::string& strHost, std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), std::string(VELK_BIN_DIR) + "/velk-fake-device");
        return lab->Run(strHost, arguments);
    }

    std::unique_ptr<netlab::Lab> lab;
    std::vector<std::unique_ptr<netlab::Child>> devices;
};

// Polls the condition until it holds or the time runs out.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
