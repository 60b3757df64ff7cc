// Private networks of network namespaces for tests and benchmarks, made and removed by
// scripts/netlab; and the child processes that run inside them.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace netlab {

using namespace std::chrono_literals;

// A program started with an argument vector (never a shell), its standard output read through
// a pipe. Ended with SIGTERM (then SIGKILL) when the object goes.
class Child {
public:
    Child(pid_t nPid, int nOutput);
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    // The next line of standard output without its newline; nothing on end of file or time-out.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout = 5s);
    // Everything the program writes until it ends (or the time runs out).
    std::string ReadAll(std::chrono::milliseconds timeout = 30s);
    // The exit status (as waitpid's) once the program has ended; nothing on time-out.
    std::optional<int> Wait(std::chrono::milliseconds timeout = 30s);
    void Terminate();
    pid_t Pid() const { return nPid; }

private:
    bool Fill(std::chrono::steady_clock::time_point deadline);

    pid_t nPid;
    int nOutput;
    std::string strPending;
    bool bEnded = false;
    std::optional<int> status;
};

// Starts argv[0] (searched in PATH) with the given arguments; with bWithErrors its standard
// error goes into the same pipe as its output.
std::unique_ptr<Child> Spawn(const std::vector<std::string>& argv, bool bWithErrors = false);

// A lab of namespaces. Should the process die before the lab is destroyed, the guard left
// behind removes it.
class Lab {
public:
    // Makes the lab from attachments "HOST:SEGMENT:ADDRESS[,ADDRESS...]"; nothing when
    // namespaces cannot be made on this machine, with the reason in *pReason.
    static std::unique_ptr<Lab> Create(const std::vector<std::string>& attachments,
                                       std::string* pReason);
    Lab(const Lab&) = delete;
    Lab& operator=(const Lab&) = delete;
    ~Lab();

    std::string Namespace(const std::string& strHost) const { return strName + "-" + strHost; }
    // Starts a program inside HOST's namespace.
    std::unique_ptr<Child> Spawn(const std::string& strHost, const std::vector<std::string>& argv,
                                 bool bWithErrors = false) const;
    // Runs a command inside HOST's namespace to its end; its exit code.
    int Run(const std::string& strHost, const std::vector<std::string>& argv) const;

    // Moves the calling thread (and the threads it starts from then on) into HOST's namespace,
    // and back when the object goes.
    class Inside {
    public:
        Inside(const Lab& lab, const std::string& strHost);
        Inside(const Inside&) = delete;
        Inside& operator=(const Inside&) = delete;
        ~Inside();
        bool Entered() const { return bEntered; }
    private:
        int nOriginal = -1;
        bool bEntered = false;
    };

private:
    Lab(std::string strName, pid_t nGuard, int nGuardInput);

    std::string strName;
    pid_t nGuard;
    int nGuardInput;
};

} // namespace netlab
