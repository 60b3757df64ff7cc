// The real program on a desktop of its own: a private X server, a private network with simulated
// devices, and folders of its own for its data and runtime files; with a connection of the test's
// own that finds the program's window and reads what the server shows of it.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "netlab.h"
#include "xvfb_fixture.h"

// The devices the desktop's network holds: two answer the broadcast search, one the SSDP search.
inline const std::vector<std::string> kDesktopDeviceAddresses = {"192.168.50.21", "192.168.50.22", "192.168.50.23"};

struct CWindowImage {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, row by row
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * nWidth + x)]; }
};

struct CShapeRect {
    int x, y, nWidth, nHeight;
};
bool InShape(const std::vector<CShapeRect>& shape, int x, int y);

class CProgramDesktop {
public:
    CProgramDesktop() = default;
    ~CProgramDesktop();
    CProgramDesktop(const CProgramDesktop&) = delete;
    CProgramDesktop& operator=(const CProgramDesktop&) = delete;

    // The server, the network, the folders and the devices; false with the reason when the
    // server or the network cannot be had here, or the devices do not start.
    bool Start(std::string& strReason);

    // Starts build/bin/velk-wifi-disk in the searching computer's namespace on this desktop.
    std::unique_ptr<netlab::Child> StartProgram() const;

    // The top-level windows with exactly this title.
    std::vector<unsigned long> WindowsTitled(const std::string& strTitle) const;
    std::string WindowProperty(unsigned long nWindow, const char* szProperty) const;
    bool IsShown(unsigned long nWindow) const;
    CWindowImage Capture(unsigned long nWindow) const;
    // Whether the window has a shape of its own, and the rectangles that make it.
    bool IsShaped(unsigned long nWindow) const;
    std::vector<CShapeRect> Shape(unsigned long nWindow) const;

    // A plain window of the test's own over the whole screen.
    unsigned long CoverScreen();
    // Whether the first window is above the second in the stacking order of the screen.
    bool IsAbove(unsigned long nWindow, unsigned long nOther) const;

    const std::string& RuntimeFolder() const { return m_strRuntime; }

private:
    CXvfb m_xvfb;
    std::unique_ptr<netlab::Lab> m_pLab;
    std::vector<std::unique_ptr<netlab::Child>> m_devices;
    std::string m_strFolder;
    std::string m_strRuntime;
    void* m_pDisplay = nullptr;
};

// Polls the condition until it holds or the time runs out.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit, std::chrono::milliseconds step = std::chrono::milliseconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(step);
    }
    return true;
}
