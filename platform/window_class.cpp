// The process-wide registry of window classes.
#include "platform/window_class.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/messages.h"
#include "platform/standard_classes.h"

namespace {

struct CaseInsensitiveLess {
    static char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return Lower(x) < Lower(y); });
    }
};

struct CRegistry {
    CRegistry()
    {
        for (const WNDCLASS& wc : velk::platform::StandardWindowClasses()) {
            auto it = classes.emplace(wc.lpszClassName, wc).first;
            it->second.lpszClassName = it->first.c_str();
        }
    }
    std::mutex mutex;
    std::map<std::string, WNDCLASS, CaseInsensitiveLess> classes;
    ATOM nNextAtom = 0xC000;
};

CRegistry& Registry()
{
    static CRegistry registry;
    return registry;
}

} // namespace

ATOM RegisterClass(const WNDCLASS* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName || !*lpWndClass->lpszClassName)
        return 0;
    CRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto [it, bInserted] = registry.classes.emplace(lpWndClass->lpszClassName, *lpWndClass);
    if (!bInserted)
        return 0;
    it->second.lpszClassName = it->first.c_str();
    return registry.nNextAtom++;
}

BOOL AfxRegisterClass(const WNDCLASS* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName)
        return FALSE;
    WNDCLASS existing;
    return GetClassInfo(lpWndClass->lpszClassName, &existing) || RegisterClass(lpWndClass) != 0;
}

BOOL GetClassInfo(const char* lpszClassName, WNDCLASS* lpWndClass)
{
    if (!lpszClassName || !lpWndClass)
        return FALSE;
    const WNDCLASS* pClass = velk::platform::FindWindowClass(lpszClassName);
    if (!pClass)
        return FALSE;
    *lpWndClass = *pClass;
    return TRUE;
}

HCURSOR LoadCursor(int nCursorId) { return reinterpret_cast<HCURSOR>(static_cast<std::intptr_t>(nCursorId)); }

int CursorId(HCURSOR hCursor)
{
    return hCursor ? static_cast<int>(reinterpret_cast<std::intptr_t>(hCursor)) : IDC_ARROW;
}

namespace velk::platform {

const WNDCLASS* FindWindowClass(const std::string& strName)
{
    CRegistry& registry = Registry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto it = registry.classes.find(strName);
    return it == registry.classes.end() ? nullptr : &it->second;
}

} // namespace velk::platform
