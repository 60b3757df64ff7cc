// File-manager windows over Xlib: EWMH properties of the window manager, ICCCM ones of the clients.
#include "platform/file_manager_windows.h"

#include "platform/text_conversion.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace {

// The WM_CLASS class parts that these programs set on their windows (GTK capitalises the first
// letter of the program name, "Org.gnome.Nautilus"; Qt takes the application name, "dolphin").
constexpr std::array<std::string_view, 9> kFileManagerClasses = {
    "org.gnome.Nautilus", "Nautilus", "Nemo",       "Caja", "Thunar", "dolphin",
    "org.kde.dolphin",    "Pcmanfm",  "pcmanfm-qt",
};

enum AtomIndex {
    NET_CLIENT_LIST,
    NET_WM_NAME,
    NET_WM_WINDOW_TYPE,
    NET_WM_WINDOW_TYPE_DESKTOP,
    NET_SUPPORTED,
    NET_SUPPORTING_WM_CHECK,
    NET_CLOSE_WINDOW,
    UTF8_STRING,
    WM_PROTOCOLS,
    WM_DELETE_WINDOW,
    ATOM_COUNT,
};

constexpr std::array<const char*, ATOM_COUNT> kAtomNames = {
    "_NET_CLIENT_LIST",    "_NET_WM_NAME",
    "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_DESKTOP",
    "_NET_SUPPORTED",      "_NET_SUPPORTING_WM_CHECK",
    "_NET_CLOSE_WINDOW",   "UTF8_STRING",
    "WM_PROTOCOLS",        "WM_DELETE_WINDOW",
};

// Catches the errors of our own requests (a window that vanished between two of them) instead of
// letting Xlib's default handler end the process; errors of other connections go on as before.
class CXErrorTrap {
public:
    explicit CXErrorTrap(Display* pDisplay) : pDisplay(pDisplay)
    {
        XSync(pDisplay, False);
        pTrapped = pDisplay;
        nError = Success;
        pfnPrevious = XSetErrorHandler(&CXErrorTrap::OnError);
    }
    ~CXErrorTrap()
    {
        XSync(pDisplay, False);
        XSetErrorHandler(pfnPrevious);
        pTrapped = nullptr;
    }
    CXErrorTrap(const CXErrorTrap&) = delete;
    CXErrorTrap& operator=(const CXErrorTrap&) = delete;

    // Whether any request since the trap was set failed; waits for the server's answers.
    bool HadError()
    {
        XSync(pDisplay, False);
        return nError != Success;
    }

private:
    static int OnError(Display* pDisplay, XErrorEvent* pEvent)
    {
        if (pDisplay == pTrapped) {
            nError = pEvent->error_code;
            return 0;
        }
        return pfnPrevious ? pfnPrevious(pDisplay, pEvent) : 0;
    }

    Display* pDisplay;
    static inline Display* pTrapped = nullptr;
    static inline int nError = Success;
    static inline XErrorHandler pfnPrevious = nullptr;
};

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
        std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

bool IsFileManagerClass(std::string_view strClass)
{
    return std::any_of(
        kFileManagerClasses.begin(), kFileManagerClasses.end(),
        [strClass](std::string_view known) { return EqualsIgnoringCase(known, strClass); });
}

struct CFileManagerWindows::Connection {
    Display* pDisplay = nullptr;
    Window root = 0;
    std::array<Atom, ATOM_COUNT> atoms{};

    // The items of a property of 32-bit items (windows, atoms) of the given type.
    std::vector<unsigned long> ListProperty(Window window, AtomIndex nProperty, Atom type)
    {
        std::vector<unsigned long> items;
        Atom actualType = None;
        int nFormat = 0;
        unsigned long nItems = 0;
        unsigned long nAfter = 0;
        unsigned char* pData = nullptr;
        if (XGetWindowProperty(pDisplay, window, atoms[nProperty], 0, 1 << 16, False, type,
                               &actualType, &nFormat, &nItems, &nAfter, &pData) == Success &&
            pData && actualType == type && nFormat == 32) {
            // Xlib hands 32-bit items out as longs.
            const unsigned long* pItems = reinterpret_cast<const unsigned long*>(pData);
            items.assign(pItems, pItems + nItems);
        }
        if (pData)
            XFree(pData);
        return items;
    }

    std::string Utf8Property(Window window, AtomIndex nProperty)
    {
        std::string text;
        Atom actualType = None;
        int nFormat = 0;
        unsigned long nItems = 0;
        unsigned long nAfter = 0;
        unsigned char* pData = nullptr;
        if (XGetWindowProperty(pDisplay, window, atoms[nProperty], 0, 1 << 16, False,
                               atoms[UTF8_STRING], &actualType, &nFormat, &nItems, &nAfter,
                               &pData) == Success &&
            pData && actualType == atoms[UTF8_STRING] && nFormat == 8)
            text.assign(reinterpret_cast<const char*>(pData), nItems);
        if (pData)
            XFree(pData);
        return ConvertToUtf8(text, "UTF-8");
    }

    // WM_NAME in whatever encoding the client chose (STRING is Latin-1, COMPOUND_TEXT mixes sets).
    std::string WmName(Window window)
    {
        XTextProperty property{};
        if (!XGetWMName(pDisplay, window, &property) || !property.value)
            return {};
        std::string text(reinterpret_cast<const char*>(property.value), property.nitems);
        if (property.encoding == XA_STRING) {
            text = ConvertToUtf8(text, "ISO-8859-1");
        } else if (property.encoding == atoms[UTF8_STRING]) {
            text = ConvertToUtf8(text, "UTF-8");
        } else {
            char** ppList = nullptr;
            int nCount = 0;
            text.clear();
            if (Xutf8TextPropertyToTextList(pDisplay, &property, &ppList, &nCount) >= Success &&
                ppList && nCount > 0)
                text = ConvertToUtf8(ppList[0], "UTF-8");
            if (ppList)
                XFreeStringList(ppList);
        }
        XFree(property.value);
        return text;
    }

    std::string ClassOf(Window window)
    {
        XClassHint hint{};
        if (!XGetClassHint(pDisplay, window, &hint))
            return {};
        std::string strClass = hint.res_class ? hint.res_class : "";
        if (hint.res_name)
            XFree(hint.res_name);
        if (hint.res_class)
            XFree(hint.res_class);
        return strClass;
    }

    bool IsDesktopWindow(Window window)
    {
        std::vector<unsigned long> types = ListProperty(window, NET_WM_WINDOW_TYPE, XA_ATOM);
        return std::find(types.begin(), types.end(), atoms[NET_WM_WINDOW_TYPE_DESKTOP]) !=
            types.end();
    }

    // A window manager that runs now: its check window names itself, as EWMH asks.
    bool WindowManagerSupports(AtomIndex nHint)
    {
        std::vector<unsigned long> check = ListProperty(root, NET_SUPPORTING_WM_CHECK, XA_WINDOW);
        if (check.size() != 1)
            return false;
        CXErrorTrap trap(pDisplay);
        std::vector<unsigned long> self =
            ListProperty(check[0], NET_SUPPORTING_WM_CHECK, XA_WINDOW);
        if (trap.HadError() || self != check)
            return false;
        std::vector<unsigned long> supported = ListProperty(root, NET_SUPPORTED, XA_ATOM);
        return std::find(supported.begin(), supported.end(), atoms[nHint]) != supported.end();
    }

    bool TakesDeleteWindow(Window window)
    {
        Atom* pProtocols = nullptr;
        int nCount = 0;
        if (!XGetWMProtocols(pDisplay, window, &pProtocols, &nCount) || !pProtocols)
            return false;
        bool bTakes = std::find(pProtocols, pProtocols + nCount, atoms[WM_DELETE_WINDOW]) !=
            pProtocols + nCount;
        XFree(pProtocols);
        return bTakes;
    }

    bool SendClientMessage(Window target, Window window, Atom type, long nEventMask, long nFirst,
                           long nSecond)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        event.xclient.data.l[0] = nFirst;
        event.xclient.data.l[1] = nSecond;
        return XSendEvent(pDisplay, target, False, nEventMask, &event) != 0;
    }
};

CFileManagerWindows::CFileManagerWindows(const std::string& strDisplay)
{
    Display* pDisplay = XOpenDisplay(strDisplay.empty() ? nullptr : strDisplay.c_str());
    if (!pDisplay)
        return;
    pConnection = std::make_unique<Connection>();
    pConnection->pDisplay = pDisplay;
    pConnection->root = DefaultRootWindow(pDisplay);
    XInternAtoms(pDisplay, const_cast<char**>(kAtomNames.data()), ATOM_COUNT, False,
                 pConnection->atoms.data());
}

CFileManagerWindows::~CFileManagerWindows()
{
    if (pConnection)
        XCloseDisplay(pConnection->pDisplay);
}

bool CFileManagerWindows::IsConnected() const
{
    return pConnection != nullptr;
}

std::vector<FileManagerWindow> CFileManagerWindows::List()
{
    std::vector<FileManagerWindow> windows;
    if (!pConnection)
        return windows;
    Connection& c = *pConnection;
    for (unsigned long nWindow : c.ListProperty(c.root, NET_CLIENT_LIST, XA_WINDOW)) {
        CXErrorTrap trap(c.pDisplay);
        FileManagerWindow window{nWindow, c.ClassOf(nWindow), c.Utf8Property(nWindow, NET_WM_NAME)};
        if (window.strText.empty())
            window.strText = c.WmName(nWindow);
        bool bDesktop = c.IsDesktopWindow(nWindow);
        if (!trap.HadError() && !bDesktop && IsFileManagerClass(window.strClass))
            windows.push_back(std::move(window));
    }
    return windows;
}

bool CFileManagerWindows::RequestClose(unsigned long nWindow)
{
    if (!pConnection || nWindow == 0)
        return false;
    Connection& c = *pConnection;
    bool bViaManager = c.WindowManagerSupports(NET_CLOSE_WINDOW);
    CXErrorTrap trap(c.pDisplay);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(c.pDisplay, nWindow, &attributes) || trap.HadError())
        return false;
    bool bSent = false;
    // Source indication 2: a pager-like tool acting for the user, which managers obey at once.
    if (bViaManager)
        bSent =
            c.SendClientMessage(c.root, nWindow, c.atoms[NET_CLOSE_WINDOW],
                                SubstructureRedirectMask | SubstructureNotifyMask, CurrentTime, 2);
    else if (c.TakesDeleteWindow(nWindow))
        bSent = c.SendClientMessage(nWindow, nWindow, c.atoms[WM_PROTOCOLS], NoEventMask,
                                    static_cast<long>(c.atoms[WM_DELETE_WINDOW]), CurrentTime);
    return bSent && !trap.HadError();
}
