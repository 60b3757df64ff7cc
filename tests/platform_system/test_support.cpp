// Test fixtures of the system services.
#include "test_support.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

CTempFolder::CTempFolder()
{
    char szTemplate[] = "/tmp/velk-test-XXXXXX";
    if (!mkdtemp(szTemplate))
        throw std::runtime_error("mkdtemp failed");
    strPath = szTemplate;
}

CTempFolder::~CTempFolder()
{
    std::error_code error;
    std::filesystem::remove_all(strPath, error);
}

CChildProcess::CChildProcess(const std::vector<std::string>& args)
{
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    int nError = posix_spawn(&nPid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    nInputFd = input[1];
    nOutputFd = output[0];
    if (nError != 0) {
        nPid = -1;
        throw std::runtime_error("cannot start " + args[0]);
    }
}

CChildProcess::~CChildProcess()
{
    Kill();
    if (nInputFd >= 0)
        close(nInputFd);
    if (nOutputFd >= 0)
        close(nOutputFd);
}

std::string CChildProcess::ReadLine(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        std::size_t nEnd = strPending.find('\n');
        if (nEnd != std::string::npos) {
            std::string line = strPending.substr(0, nEnd);
            strPending.erase(0, nEnd + 1);
            return line;
        }
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd descriptor{nOutputFd, POLLIN, 0};
        if (remaining.count() <= 0 ||
            poll(&descriptor, 1, static_cast<int>(remaining.count())) <= 0)
            return {};
        char buffer[256];
        ssize_t nRead = read(nOutputFd, buffer, sizeof buffer);
        if (nRead <= 0)
            return {};
        strPending.append(buffer, static_cast<std::size_t>(nRead));
    }
}

int CChildProcess::CloseInputAndWait()
{
    if (nInputFd >= 0)
        close(nInputFd);
    nInputFd = -1;
    int nStatus = -1;
    if (nPid > 0 && waitpid(nPid, &nStatus, 0) == nPid)
        nPid = -1;
    return nStatus;
}

void CChildProcess::Kill()
{
    if (nPid <= 0)
        return;
    kill(nPid, SIGKILL);
    while (waitpid(nPid, nullptr, 0) < 0 && errno == EINTR) { }
    nPid = -1;
}

bool WaitUntil(const std::function<bool()>& predicate, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFileText(const std::string& path, const std::string& text, int nMode)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    chmod(path.c_str(), static_cast<mode_t>(nMode));
}

void WriteRecordingStandIn(const std::string& folder, const std::string& name,
                           const std::string& recordFolder, const std::string& extraLines)
{
    std::string record = recordFolder + "/" + name + ".args";
    WriteFileText(folder + "/" + name,
                  "#!/bin/sh\n"
                  "printf '%s\\0' \"$@\" > '" +
                      record +
                      ".part'\n"
                      "mv '" +
                      record + ".part' '" + record + "'\n" + extraLines,
                  0755);
}

std::vector<std::string> RecordedArguments(const std::string& recordFile)
{
    std::vector<std::string> args;
    std::string text = ReadFileText(recordFile);
    std::size_t nStart = 0;
    for (std::size_t nEnd; (nEnd = text.find('\0', nStart)) != std::string::npos; nStart = nEnd + 1)
        args.push_back(text.substr(nStart, nEnd - nStart));
    return args;
}

std::string HelperProgram()
{
    return std::string(VELK_BIN_DIR) + "/velk_system_helper";
}
