#include "netlab.h"

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

extern char** environ;

namespace netlab {

namespace {

const std::string NETLAB_SCRIPT = VELK_NETLAB_SCRIPT;

std::vector<char*> ArgumentVector(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const std::string& argument : argv)
        pointers.push_back(const_cast<char*>(argument.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a program with its standard input and output where asked (-1: inherited).
pid_t StartProgram(const std::vector<std::string>& argv, int nInput, int nOutput, bool bNewSession,
                   bool bWithErrors = false)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (nInput >= 0)
        posix_spawn_file_actions_adddup2(&actions, nInput, STDIN_FILENO);
    if (nOutput >= 0)
        posix_spawn_file_actions_adddup2(&actions, nOutput, STDOUT_FILENO);
    if (nOutput >= 0 && bWithErrors)
        posix_spawn_file_actions_adddup2(&actions, nOutput, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (bNewSession)
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::vector<char*> pointers = ArgumentVector(argv);
    pid_t nPid = -1;
    const int nError = posix_spawnp(&nPid, pointers[0], &actions, &attributes, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return nError == 0 ? nPid : -1;
}

int WaitForExit(pid_t nPid)
{
    int nStatus = 0;
    while (waitpid(nPid, &nStatus, 0) < 0 && errno == EINTR) {
    }
    return nStatus;
}

// Runs a program to its end; its standard output, and its exit code in *pCode.
std::string RunCapture(const std::vector<std::string>& argv, int* pCode)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        *pCode = -1;
        return {};
    }
    const pid_t nPid = StartProgram(argv, -1, pipeEnds[1], false);
    close(pipeEnds[1]);
    std::string output;
    char buffer[512];
    for (ssize_t n; nPid > 0 && (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(pipeEnds[0]);
    const int nStatus = nPid > 0 ? WaitForExit(nPid) : -1;
    *pCode = nPid > 0 && WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return output;
}

bool CommandExists(const char* szCommand)
{
    for (const char* szFolder : {"/usr/sbin/", "/sbin/", "/usr/bin/", "/bin/"}) {
        if (access((std::string(szFolder) + szCommand).c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

} // namespace

Child::Child(pid_t nNewPid, int nNewOutput) : nPid(nNewPid), nOutput(nNewOutput) {}

Child::~Child()
{
    Terminate();
    if (nOutput >= 0)
        close(nOutput);
}

void Child::Terminate()
{
    if (status)
        return;
    kill(nPid, SIGTERM);
    if (!Wait(3s)) {
        kill(nPid, SIGKILL);
        status = WaitForExit(nPid);
    }
}

bool Child::Fill(std::chrono::steady_clock::time_point deadline)
{
    if (bEnded || nOutput < 0)
        return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd entry{nOutput, POLLIN, 0};
    if (poll(&entry, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
        return false;
    char buffer[4096];
    const ssize_t n = read(nOutput, buffer, sizeof buffer);
    if (n <= 0) {
        bEnded = n == 0 || errno != EINTR;
        return !bEnded;
    }
    strPending.append(buffer, static_cast<std::size_t>(n));
    return true;
}

std::optional<std::string> Child::ReadLine(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t nEnd = strPending.find('\n');
        if (nEnd != std::string::npos) {
            std::string line = strPending.substr(0, nEnd);
            strPending.erase(0, nEnd + 1);
            return line;
        }
        if (!Fill(deadline))
            return std::nullopt;
    }
}

std::string Child::ReadAll(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (Fill(deadline)) {
    }
    return std::exchange(strPending, {});
}

std::optional<int> Child::Wait(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!status) {
        int nStatus = 0;
        const pid_t nDone = waitpid(nPid, &nStatus, WNOHANG);
        if (nDone == nPid)
            status = nStatus;
        else if (nDone < 0 && errno != EINTR)
            status = -1;
        else if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        else
            usleep(5000);
    }
    return status;
}

std::unique_ptr<Child> Spawn(const std::vector<std::string>& argv, bool bWithErrors)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    const pid_t nPid = StartProgram(argv, -1, pipeEnds[1], false, bWithErrors);
    close(pipeEnds[1]);
    if (nPid < 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + argv.at(0));
    }
    return std::make_unique<Child>(nPid, pipeEnds[0]);
}

std::unique_ptr<Lab> Lab::Create(const std::vector<std::string>& attachments, std::string* pReason)
{
    if (geteuid() != 0) {
        *pReason = "network namespaces need root";
        return nullptr;
    }
    if (!CommandExists("ip")) {
        *pReason = "network namespaces need the ip command (iproute2)";
        return nullptr;
    }
    int nCode = 0;
    std::string strName = RunCapture({NETLAB_SCRIPT, "name"}, &nCode);
    while (!strName.empty() && strName.back() == '\n')
        strName.pop_back();
    if (nCode != 0 || strName.empty()) {
        *pReason = "netlab name failed";
        return nullptr;
    }
    // The guard is in place before anything exists, so nothing outlives this process.
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        *pReason = "pipe failed";
        return nullptr;
    }
    const pid_t nGuard = StartProgram({NETLAB_SCRIPT, "guard", strName}, pipeEnds[0], -1, true);
    close(pipeEnds[0]);
    if (nGuard < 0) {
        close(pipeEnds[1]);
        *pReason = "cannot start the netlab guard";
        return nullptr;
    }
    std::unique_ptr<Lab> lab(new Lab(strName, nGuard, pipeEnds[1]));
    std::vector<std::string> argv = {NETLAB_SCRIPT, "up", strName};
    argv.insert(argv.end(), attachments.begin(), attachments.end());
    RunCapture(argv, &nCode);
    if (nCode != 0) {
        *pReason = "netlab up failed (see its message above)";
        return nullptr;
    }
    return lab;
}

Lab::Lab(std::string strNewName, pid_t nNewGuard, int nNewGuardInput)
    : strName(std::move(strNewName)), nGuard(nNewGuard), nGuardInput(nNewGuardInput)
{
}

Lab::~Lab()
{
    close(nGuardInput);
    WaitForExit(nGuard);
}

std::unique_ptr<Child> Lab::Spawn(const std::string& strHost, const std::vector<std::string>& argv,
                                  bool bWithErrors) const
{
    std::vector<std::string> inside = {"ip", "netns", "exec", Namespace(strHost)};
    inside.insert(inside.end(), argv.begin(), argv.end());
    return netlab::Spawn(inside, bWithErrors);
}

int Lab::Run(const std::string& strHost, const std::vector<std::string>& argv) const
{
    std::vector<std::string> inside = {"ip", "netns", "exec", Namespace(strHost)};
    inside.insert(inside.end(), argv.begin(), argv.end());
    int nCode = 0;
    RunCapture(inside, &nCode);
    return nCode;
}

Lab::Inside::Inside(const Lab& lab, const std::string& strHost)
{
    nOriginal = open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
    const int nTarget = open(("/run/netns/" + lab.Namespace(strHost)).c_str(), O_RDONLY | O_CLOEXEC);
    bEntered = nOriginal >= 0 && nTarget >= 0 && setns(nTarget, CLONE_NEWNET) == 0;
    if (nTarget >= 0)
        close(nTarget);
}

Lab::Inside::~Inside()
{
    if (bEntered && setns(nOriginal, CLONE_NEWNET) != 0)
        std::abort();
    if (nOriginal >= 0)
        close(nOriginal);
}

} // namespace netlab
