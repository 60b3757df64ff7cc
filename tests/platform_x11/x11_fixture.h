// The X11 tests' fixture: a private X server, the layer's host on it, a second connection of the
// test's own to look at what the server shows, and programs run while the layer's loop goes on.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host_x11.h"
#include "xvfb_fixture.h"

// A screenshot: 0x00RRGGBB pixels, row by row.
struct CCapture {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(nWidth) + x]; }
};

struct CProgramRun {
    int nExitCode = -1;
    std::string strOutput; // standard output and error
};

class X11Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a program (from the PATH or a path) until it ends, while the layer's loop keeps going.
    CProgramRun RunPumping(const std::vector<std::string>& args,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // Handles what the loop has to do until the server has answered everything.
    void Settle();
    // The window's pixels as the server shows them.
    CCapture Capture(unsigned long nWindow, int nWidth, int nHeight);
    // Whether the point (window coordinates) is inside the window's bounding shape.
    bool InShape(unsigned long nWindow, int x, int y);
    // Where the window's top-left corner is on the screen.
    POINT ScreenPosition(unsigned long nWindow);

    // A stand-in window manager that says it supports the given _NET_ hints and hears the
    // requests clients send to the root window.
    void PretendWindowManager(const std::vector<std::string>& supported);
    // The first client message of that type for the window since the last call (its five
    // values), or nothing.
    std::optional<std::vector<long>> TakeRequest(const char* szType, unsigned long nWindow);
    // What a window manager does to minimise and restore a window: its WM_STATE.
    void SetWmState(unsigned long nWindow, bool bIconic);
    // What a window manager sends when the user closes a window.
    void SendDeleteWindow(unsigned long nWindow);

    CXvfb xvfb;
    std::unique_ptr<CX11Host> pHost;

private:
    void* m_pDisplay = nullptr; // the test's own connection
};
