// The X server, the host on it, programs run beside the loop and screenshots.
#include "x11_fixture.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/message_loop.h"
#include "platform/process.h"

// After the layer's headers and GoogleTest: Xlib defines None, Bool and Status as macros.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

extern char** environ;

namespace {

Display* DisplayOf(void* p) { return static_cast<Display*>(p); }

} // namespace

void X11Test::SetUp()
{
    if (!xvfb.Start())
        GTEST_SKIP() << "no X server can be started here";
    // The pointer starts in the middle of the screen, where the windows appear.
    RunPumping({"xdotool", "mousemove", "0", "0"});
    pHost = CX11Host::Open(xvfb.DisplayName().c_str());
    ASSERT_NE(pHost, nullptr);
    m_pDisplay = XOpenDisplay(xvfb.DisplayName().c_str());
    ASSERT_NE(m_pDisplay, nullptr);
}

void X11Test::TearDown()
{
    pHost.reset();
    if (m_pDisplay)
        XCloseDisplay(DisplayOf(m_pDisplay));
}

CProgramRun X11Test::RunPumping(const std::vector<std::string>& args, std::chrono::milliseconds timeout)
{
    CProgramRun run;
    const std::string strProgram = FindProgram(args.at(0));
    int pipeFds[2];
    if (strProgram.empty() || pipe2(pipeFds, O_CLOEXEC) != 0)
        return run;
    std::vector<std::string> env{"DISPLAY=" + xvfb.DisplayName()};
    for (char** p = environ; *p; ++p)
        if (std::strncmp(*p, "DISPLAY=", 8) != 0)
            env.emplace_back(*p);
    std::vector<char*> argv, envp;
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDERR_FILENO);
    pid_t nPid = -1;
    const int nError = posix_spawn(&nPid, strProgram.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (nError != 0) {
        close(pipeFds[0]);
        return run;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool bOpen = true;
    int nStatus = 0;
    bool bExited = false;
    while (!bExited || bOpen) {
        if (GetWindowHost())
            PumpUntilIdle();
        pollfd descriptor{pipeFds[0], POLLIN, 0};
        if (bOpen && poll(&descriptor, 1, 5) > 0) {
            char buffer[4096];
            const ssize_t nRead = read(pipeFds[0], buffer, sizeof buffer);
            if (nRead > 0)
                run.strOutput.append(buffer, static_cast<std::size_t>(nRead));
            else
                bOpen = false;
        } else if (!bOpen) {
            usleep(5000);
        }
        if (!bExited && waitpid(nPid, &nStatus, WNOHANG) == nPid)
            bExited = true;
        if (!bExited && std::chrono::steady_clock::now() > deadline) {
            kill(nPid, SIGKILL);
            waitpid(nPid, &nStatus, 0);
            bExited = true;
            run.strOutput += "\n(killed after the timeout)";
        }
    }
    close(pipeFds[0]);
    run.nExitCode = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    return run;
}

void X11Test::Settle()
{
    for (int i = 0; i < 3; ++i) {
        PumpUntilIdle();
        pHost->Sync();
        usleep(20000);
    }
    PumpUntilIdle();
    pHost->Sync();
}

CCapture X11Test::Capture(unsigned long nWindow, int nWidth, int nHeight)
{
    CCapture capture;
    XImage* pImage = XGetImage(DisplayOf(m_pDisplay), nWindow, 0, 0, static_cast<unsigned>(nWidth), static_cast<unsigned>(nHeight),
                               AllPlanes, ZPixmap);
    if (!pImage)
        return capture;
    capture.nWidth = nWidth;
    capture.nHeight = nHeight;
    for (int y = 0; y < nHeight; ++y)
        for (int x = 0; x < nWidth; ++x)
            capture.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(pImage, x, y) & 0xFFFFFF));
    XDestroyImage(pImage);
    return capture;
}

bool X11Test::InShape(unsigned long nWindow, int x, int y)
{
    int nCount = 0;
    int nOrdering = 0;
    XRectangle* pRects = XShapeGetRectangles(DisplayOf(m_pDisplay), nWindow, ShapeBounding, &nCount, &nOrdering);
    bool bInside = false;
    for (int i = 0; i < nCount && !bInside; ++i)
        bInside = x >= pRects[i].x && x < pRects[i].x + pRects[i].width && y >= pRects[i].y && y < pRects[i].y + pRects[i].height;
    if (pRects)
        XFree(pRects);
    return bInside;
}
