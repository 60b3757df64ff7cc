// A second process for the system-service tests. It reports on its output and ends when its input
// closes:
//   velk_system_helper marker <folder> <name>         takes the marker, prints its state
//   velk_system_helper window <folder> <title> serve  publishes the title and answers messages
//   velk_system_helper window <folder> <title> hang   publishes the title and never answers
#include "platform/instance_marker.h"
#include "platform/window_directory.h"

#include <cstdio>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The answer to a message, which the tests recompute.
LRESULT Answer(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return static_cast<LRESULT>(nMsg) * 1000 + static_cast<LRESULT>(wParam) * 10 + lParam;
}

void WaitForInputEnd()
{
    char c;
    while (read(STDIN_FILENO, &c, 1) > 0) { }
}

int RunMarker(const std::string& folder, const std::string& name)
{
    CInstanceMarker marker(name, folder);
    const char* szState = marker.GetState() == MarkerState::Created ? "created"
        : marker.GetState() == MarkerState::AlreadyExists           ? "exists"
                                                                    : "failed";
    std::printf("%s\n", szState);
    std::fflush(stdout);
    WaitForInputEnd();
    return 0;
}

int RunWindow(const std::string& folder, const std::string& title, bool bServe)
{
    CWindowDirectory directory(folder);
    std::printf("%s\n", directory.Publish(1, title) ? "published" : "failed");
    std::fflush(stdout);
    if (!bServe) {
        WaitForInputEnd();
        return 0;
    }
    auto handler = [](CWindowDirectory::WindowKey, UINT nMsg, WPARAM wParam, LPARAM lParam) {
        std::printf("message %u %lu %ld\n", nMsg, static_cast<unsigned long>(wParam),
                    static_cast<long>(lParam));
        std::fflush(stdout);
        return Answer(nMsg, wParam, lParam);
    };
    for (;;) {
        std::vector<pollfd> descriptors{{STDIN_FILENO, POLLIN, 0}};
        for (int nFd : directory.GetPollDescriptors())
            descriptors.push_back({nFd, POLLIN, 0});
        if (poll(descriptors.data(), descriptors.size(), -1) < 0)
            continue;
        if (descriptors[0].revents != 0)
            return 0;
        for (std::size_t i = 1; i < descriptors.size(); ++i) {
            if (descriptors[i].revents != 0)
                directory.Dispatch(descriptors[i].fd, handler);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 3 && args[0] == "marker")
        return RunMarker(args[1], args[2]);
    if (args.size() == 4 && args[0] == "window")
        return RunWindow(args[1], args[2], args[3] == "serve");
    std::fprintf(stderr, "usage: velk_system_helper marker|window ...\n");
    return 2;
}
