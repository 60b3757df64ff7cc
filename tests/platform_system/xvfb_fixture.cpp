// Xvfb picks a free display number itself (-displayfd) and never listens on TCP.
#include "xvfb_fixture.h"

#include "platform/process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int kDisplayFd = 9;

} // namespace

CXvfb::~CXvfb()
{
    if (nPid <= 0)
        return;
    kill(nPid, SIGTERM);
    while (waitpid(nPid, nullptr, 0) < 0 && errno == EINTR) { }
}

bool CXvfb::Start()
{
    std::string program = FindProgram("Xvfb");
    int pipeFds[2];
    if (program.empty() || pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    std::vector<std::string> args = {program,     "-displayfd", std::to_string(kDisplayFd),
                                     "-nolisten", "tcp",        "-screen",
                                     "0",         "640x480x24", "-noreset"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], kDisplayFd);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    int nError = posix_spawn(&nPid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (nError != 0) {
        nPid = -1;
        close(pipeFds[0]);
        return false;
    }
    std::string number;
    pollfd descriptor{pipeFds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&descriptor, 1, 10000) == 1) {
        char buffer[16];
        ssize_t nRead = read(pipeFds[0], buffer, sizeof buffer);
        if (nRead <= 0)
            break;
        number.append(buffer, static_cast<std::size_t>(nRead));
    }
    close(pipeFds[0]);
    if (number.find('\n') == std::string::npos)
        return false;
    strDisplay = ":" + number.substr(0, number.find('\n'));
    return true;
}
