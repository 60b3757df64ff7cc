// A private X server (Xvfb, local socket only) for tests that need a display.
#pragma once

#include <string>
#include <sys/types.h>

class CXvfb {
public:
    CXvfb() = default;
    ~CXvfb();
    CXvfb(const CXvfb&) = delete;
    CXvfb& operator=(const CXvfb&) = delete;

    // Starts the server and waits until it takes connections; false when it cannot run here.
    bool Start();
    // The display name, such as ":5".
    const std::string& DisplayName() const { return strDisplay; }

private:
    pid_t nPid = -1;
    std::string strDisplay;
};
