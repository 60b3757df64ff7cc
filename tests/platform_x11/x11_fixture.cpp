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
#include <X11/Xatom.h>
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

POINT X11Test::ScreenPosition(unsigned long nWindow)
{
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(DisplayOf(m_pDisplay), nWindow, DefaultRootWindow(DisplayOf(m_pDisplay)), 0, 0, &x, &y, &child);
    return {x, y};
}

void X11Test::PretendWindowManager(const std::vector<std::string>& supported)
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    const Window root = DefaultRootWindow(pDisplay);
    const Window check = XCreateSimpleWindow(pDisplay, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom checkAtom = XInternAtom(pDisplay, "_NET_SUPPORTING_WM_CHECK", False);
    XChangeProperty(pDisplay, root, checkAtom, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&check), 1);
    XChangeProperty(pDisplay, check, checkAtom, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&check), 1);
    std::vector<Atom> atoms;
    for (const std::string& strName : supported)
        atoms.push_back(XInternAtom(pDisplay, strName.c_str(), False));
    XChangeProperty(pDisplay, root, XInternAtom(pDisplay, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
    // Requests are sent to the root window for the clients that listen for its children's changes.
    XSelectInput(pDisplay, root, SubstructureNotifyMask);
    XSync(pDisplay, False);
}

std::optional<std::vector<long>> X11Test::TakeRequest(const char* szType, unsigned long nWindow)
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    XSync(pDisplay, False);
    const Atom type = XInternAtom(pDisplay, szType, False);
    std::optional<std::vector<long>> request;
    XEvent event;
    while (XPending(pDisplay)) {
        XNextEvent(pDisplay, &event);
        if (!request && event.type == ClientMessage && event.xclient.message_type == type && event.xclient.window == nWindow)
            request = std::vector<long>(event.xclient.data.l, event.xclient.data.l + 5);
    }
    return request;
}

void X11Test::SetWmState(unsigned long nWindow, bool bIconic)
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    const Atom state = XInternAtom(pDisplay, "WM_STATE", False);
    const long values[2] = {bIconic ? IconicState : NormalState, 0};
    XChangeProperty(pDisplay, nWindow, state, state, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(values), 2);
    XSync(pDisplay, False);
}

void X11Test::SendDeleteWindow(unsigned long nWindow)
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = nWindow;
    event.xclient.message_type = XInternAtom(pDisplay, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(pDisplay, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(pDisplay, nWindow, False, NoEventMask, &event);
    XSync(pDisplay, False);
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
