#include "program_desktop.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

// After the other headers: Xlib defines None, Bool and Status as macros.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

namespace fs = std::filesystem;

namespace {

Display* DisplayOf(void* p) { return static_cast<Display*>(p); }

std::string MakeFolder(const std::string& strPath)
{
    fs::create_directories(strPath);
    chmod(strPath.c_str(), 0700);
    return strPath;
}

} // namespace

CProgramDesktop::~CProgramDesktop()
{
    m_devices.clear();
    m_pLab.reset();
    if (m_pDisplay)
        XCloseDisplay(DisplayOf(m_pDisplay));
    if (!m_strFolder.empty())
        fs::remove_all(m_strFolder);
}

bool CProgramDesktop::Start(std::string& strReason)
{
    m_pLab = netlab::Lab::Create({"search:lan:192.168.50.10/24",
                                  "disks:lan:192.168.50.2/24,192.168.50.21/24,192.168.50.22/24,192.168.50.23/24"},
                                 &strReason);
    if (!m_pLab)
        return false;
    if (!m_xvfb.Start()) {
        strReason = "no X server can be started here";
        return false;
    }
    m_pDisplay = XOpenDisplay(m_xvfb.DisplayName().c_str());
    if (!m_pDisplay) {
        strReason = "the X server takes no connection";
        return false;
    }
    char szFolder[] = "/tmp/velk-desktop-XXXXXX";
    if (!mkdtemp(szFolder)) {
        strReason = "no temporary folder";
        return false;
    }
    m_strFolder = szFolder;
    // The program's start-up reads these; children inherit them.
    setenv("DISPLAY", m_xvfb.DisplayName().c_str(), 1);
    setenv("HOME", MakeFolder(m_strFolder + "/home").c_str(), 1);
    setenv("XDG_DATA_HOME", MakeFolder(m_strFolder + "/data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", MakeFolder(m_strFolder + "/config").c_str(), 1);
    setenv("XDG_CACHE_HOME", MakeFolder(m_strFolder + "/cache").c_str(), 1);
    m_strRuntime = MakeFolder(m_strFolder + "/runtime");
    setenv("XDG_RUNTIME_DIR", m_strRuntime.c_str(), 1);

    const std::string strDevices = std::string(VELK_BIN_DIR) + "/velk-fake-device";
    m_devices.push_back(m_pLab->Spawn(
        "disks", {strDevices, "--device", "id=VK-0001,ip=192.168.50.21,host=velk-kitchen,product=WIFI DISK,via=broadcast",
                  "--device", "id=VK-0002,ip=192.168.50.22,host=velk-office,product=WIFI DISK 2T,via=broadcast",
                  "--device",
                  "id=5f0c1a2e-7b8d-4c3e-9a10-2b3c4d5e6f70,ip=192.168.50.23,host=velk-garage,product=HomeNAS,version=3.2.1,via=ssdp"}));
    const auto line = m_devices.back()->ReadLine(std::chrono::seconds(10));
    if (!line || *line != "ready") {
        strReason = "the simulated devices did not start";
        return false;
    }
    return true;
}

std::unique_ptr<netlab::Child> CProgramDesktop::StartProgram() const
{
    netlab::Lab::Inside inside(*m_pLab, "search");
    if (!inside.Entered())
        return nullptr;
    return netlab::Spawn({std::string(VELK_BIN_DIR) + "/velk-wifi-disk"}, true);
}

std::string CProgramDesktop::WindowProperty(unsigned long nWindow, const char* szProperty) const
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    Atom type = 0;
    int nFormat = 0;
    unsigned long nItems = 0;
    unsigned long nAfter = 0;
    unsigned char* pData = nullptr;
    const Atom property = XInternAtom(pDisplay, szProperty, False);
    if (XGetWindowProperty(pDisplay, nWindow, property, 0, 1024, False, AnyPropertyType, &type, &nFormat, &nItems,
                           &nAfter, &pData) != Success ||
        !pData)
        return {};
    std::string strValue = nFormat == 8 ? std::string(reinterpret_cast<const char*>(pData), nItems) : std::string();
    XFree(pData);
    return strValue;
}

std::vector<unsigned long> CProgramDesktop::WindowsTitled(const std::string& strTitle) const
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    Window root = 0;
    Window parent = 0;
    Window* pChildren = nullptr;
    unsigned int nChildren = 0;
    std::vector<unsigned long> windows;
    if (!XQueryTree(pDisplay, DefaultRootWindow(pDisplay), &root, &parent, &pChildren, &nChildren))
        return windows;
    for (unsigned int i = 0; i < nChildren; ++i)
        if (WindowProperty(pChildren[i], "_NET_WM_NAME") == strTitle)
            windows.push_back(pChildren[i]);
    if (pChildren)
        XFree(pChildren);
    return windows;
}

bool CProgramDesktop::IsShown(unsigned long nWindow) const
{
    XWindowAttributes attributes;
    return XGetWindowAttributes(DisplayOf(m_pDisplay), nWindow, &attributes) && attributes.map_state == IsViewable;
}

CWindowImage CProgramDesktop::Capture(unsigned long nWindow) const
{
    CWindowImage image;
    Display* pDisplay = DisplayOf(m_pDisplay);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(pDisplay, nWindow, &attributes) || attributes.map_state != IsViewable)
        return image;
    XImage* pImage = XGetImage(pDisplay, nWindow, 0, 0, static_cast<unsigned>(attributes.width),
                               static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (!pImage)
        return image;
    image.nWidth = attributes.width;
    image.nHeight = attributes.height;
    for (int y = 0; y < image.nHeight; ++y)
        for (int x = 0; x < image.nWidth; ++x)
            image.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(pImage, x, y) & 0xFFFFFF));
    XDestroyImage(pImage);
    return image;
}

bool CProgramDesktop::IsShaped(unsigned long nWindow) const
{
    int bBounding = 0;
    int bClip = 0;
    int xb = 0, yb = 0, xc = 0, yc = 0;
    unsigned int wb = 0, hb = 0, wc = 0, hc = 0;
    return XShapeQueryExtents(DisplayOf(m_pDisplay), nWindow, &bBounding, &xb, &yb, &wb, &hb, &bClip, &xc, &yc, &wc,
                              &hc) &&
           bBounding;
}

std::vector<CShapeRect> CProgramDesktop::Shape(unsigned long nWindow) const
{
    int nCount = 0;
    int nOrdering = 0;
    XRectangle* pRects = XShapeGetRectangles(DisplayOf(m_pDisplay), nWindow, ShapeBounding, &nCount, &nOrdering);
    std::vector<CShapeRect> shape;
    for (int i = 0; i < nCount; ++i)
        shape.push_back({pRects[i].x, pRects[i].y, pRects[i].width, pRects[i].height});
    if (pRects)
        XFree(pRects);
    return shape;
}

bool InShape(const std::vector<CShapeRect>& shape, int x, int y)
{
    return std::any_of(shape.begin(), shape.end(), [&](const CShapeRect& rc) {
        return x >= rc.x && x < rc.x + rc.nWidth && y >= rc.y && y < rc.y + rc.nHeight;
    });
}

unsigned long CProgramDesktop::CoverScreen()
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    const Window root = DefaultRootWindow(pDisplay);
    const Window cover = XCreateSimpleWindow(pDisplay, root, 0, 0, static_cast<unsigned>(DisplayWidth(pDisplay, 0)),
                                             static_cast<unsigned>(DisplayHeight(pDisplay, 0)), 0, 0, 0);
    XMapRaised(pDisplay, cover);
    XSync(pDisplay, False);
    return cover;
}

bool CProgramDesktop::IsAbove(unsigned long nWindow, unsigned long nOther) const
{
    Display* pDisplay = DisplayOf(m_pDisplay);
    Window root = 0;
    Window parent = 0;
    Window* pChildren = nullptr;
    unsigned int nChildren = 0;
    if (!XQueryTree(pDisplay, DefaultRootWindow(pDisplay), &root, &parent, &pChildren, &nChildren))
        return false;
    // Bottom first.
    int nAt = -1;
    int nOtherAt = -1;
    for (unsigned int i = 0; i < nChildren; ++i) {
        nAt = pChildren[i] == nWindow ? static_cast<int>(i) : nAt;
        nOtherAt = pChildren[i] == nOther ? static_cast<int>(i) : nOtherAt;
    }
    if (pChildren)
        XFree(pChildren);
    return nAt >= 0 && nOtherAt >= 0 && nAt > nOtherAt;
}
