// Fixtures for the system-service tests: private temporary folders, child programs with pipes,
// recording stand-in programs and bounded waits.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

// A fresh folder of mode 0700 under /tmp, removed with everything in it at the end.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return strPath; }
    std::string operator/(const std::string& name) const { return strPath + "/" + name; }

private:
    std::string strPath;
};

// A child program whose standard input and output are pipes to the test; killed at the end.
class CChildProcess {
public:
    explicit CChildProcess(const std::vector<std::string>& args);
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    pid_t Pid() const { return nPid; }
    // The next line of its output without the line break; empty at its end or after the timeout.
    std::string ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Closes its input, which the helper takes as the sign to end, and waits for its end.
    int CloseInputAndWait();
    // Kills it with SIGKILL and waits until it is gone.
    void Kill();

private:
    pid_t nPid = -1;
    int nInputFd = -1;
    int nOutputFd = -1;
    std::string strPending;
};

// Whether the predicate became true before the timeout, trying every few milliseconds.
bool WaitUntil(const std::function<bool()>& predicate,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text, int nMode = 0644);

// Writes a stand-in program `name` into folder that records its arguments, one NUL-terminated
// text each, into <recordFolder>/<name>.args (written whole, then renamed into place), and then
// runs the extra shell lines of the fixture.
void WriteRecordingStandIn(const std::string& folder, const std::string& name,
                           const std::string& recordFolder, const std::string& extraLines = {});

// The arguments a recording stand-in wrote; empty until it has run.
std::vector<std::string> RecordedArguments(const std::string& recordFile);

// The path of the helper program built beside the tests.
std::string HelperProgram();
