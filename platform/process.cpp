// Process starts with posix_spawn and a reaping thread per child.
#include "platform/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

constexpr std::string_view kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

bool IsExecutableFile(const std::string& strPath)
{
    struct stat st { };
    return stat(strPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
        access(strPath.c_str(), X_OK) == 0;
}

void ReapWhenDone(pid_t nPid)
{
    std::thread([nPid] {
        while (waitpid(nPid, nullptr, 0) < 0 && errno == EINTR) { }
    }).detach();
}

// The attributes of a clean child: a session of its own, no blocked signals, every signal's
// disposition back to the default (we may ignore SIGPIPE; the child must not inherit that).
bool PrepareAttributes(posix_spawnattr_t& attributes)
{
    sigset_t noSignals;
    sigset_t allSignals;
    sigemptyset(&noSignals);
    sigfillset(&allSignals);
    sigdelset(&allSignals, SIGKILL);
    sigdelset(&allSignals, SIGSTOP);
    return posix_spawnattr_setflags(&attributes,
                                    POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                        POSIX_SPAWN_SETSIGDEF) == 0 &&
        posix_spawnattr_setsigmask(&attributes, &noSignals) == 0 &&
        posix_spawnattr_setsigdefault(&attributes, &allSignals) == 0;
}

bool PrepareStreams(posix_spawn_file_actions_t& actions)
{
    for (int nFd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        int nMode = nFd == STDIN_FILENO ? O_RDONLY : O_WRONLY;
        if (posix_spawn_file_actions_addopen(&actions, nFd, "/dev/null", nMode, 0) != 0)
            return false;
    }
    // Descriptors opened without close-on-exec (by a library, say) stay with us.
    return posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0;
}

} // namespace

std::string FindProgramInPath(std::string_view strName, std::string_view strPath)
{
    if (strName.empty())
        return {};
    if (strName.find('/') != std::string_view::npos)
        return std::string(strName);
    for (;;) {
        std::size_t nColon = strPath.find(':');
        std::string folder(strPath.substr(0, nColon));
        std::string candidate =
            (folder.empty() ? std::string(".") : folder) + "/" + std::string(strName);
        if (IsExecutableFile(candidate))
            return candidate;
        if (nColon == std::string_view::npos)
            return {};
        strPath.remove_prefix(nColon + 1);
    }
}

std::string FindProgram(std::string_view strName)
{
    const char* szPath = std::getenv("PATH");
    return FindProgramInPath(strName, szPath ? std::string_view(szPath) : kDefaultPath);
}

pid_t StartHiddenCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return -1;
    std::string program = FindProgram(args[0]);
    if (program.empty())
        return -1;
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
    pid_t nPid = -1;
    if (PrepareAttributes(attributes) && PrepareStreams(actions) &&
        posix_spawn(&nPid, program.c_str(), &actions, &attributes, argv.data(), environ) != 0)
        nPid = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (nPid > 0)
        ReapWhenDone(nPid);
    return nPid;
}

pid_t OpenWithDefaultHandler(std::string_view strTarget)
{
    if (strTarget.empty() || strTarget.front() == '-')
        return -1;
    return StartHiddenCommand({"xdg-open", std::string(strTarget)});
}
