// Text copies, parents and notifications of the standard controls.
#include "platform/control_support.h"

#include "platform/text_layout.h"
#include "platform/window_system.h"

#include <algorithm>
#include <cstring>

namespace velk::platform {

std::string TextIn(const char* pszText) { return pszText ? velk::gdi::ValidUtf8(pszText) : std::string(); }

int TextOut(const std::string& strText, char* pszBuffer, int nSize)
{
    if (!pszBuffer || nSize <= 0)
        return 0;
    std::size_t nCopy = std::min(strText.size(), static_cast<std::size_t>(nSize) - 1);
    // Never end inside a character: step back over continuation bytes.
    while (nCopy > 0 && nCopy < strText.size() && (static_cast<unsigned char>(strText[nCopy]) & 0xC0) == 0x80)
        --nCopy;
    std::memcpy(pszBuffer, strText.data(), nCopy);
    pszBuffer[nCopy] = '\0';
    return static_cast<int>(nCopy);
}

HWND ParentOf(HWND hWnd)
{
    const CWindowRecord* pRecord = CWindowSystem::Get().Find(hWnd);
    return pRecord && pRecord->IsChild() ? pRecord->hParent : nullptr;
}

LRESULT NotifyCommand(HWND hWnd, UINT nCode)
{
    const CWindowRecord* pRecord = CWindowSystem::Get().Find(hWnd);
    if (!pRecord || !pRecord->IsChild())
        return 0;
    return ::SendMessage(pRecord->hParent, WM_COMMAND, MAKEWPARAM(static_cast<int>(pRecord->nID), static_cast<int>(nCode)),
                         reinterpret_cast<LPARAM>(hWnd));
}

LRESULT NotifyParent(HWND hWnd, UINT nCode, NMHDR& header)
{
    const CWindowRecord* pRecord = CWindowSystem::Get().Find(hWnd);
    if (!pRecord || !pRecord->IsChild())
        return 0;
    header.hwndFrom = hWnd;
    header.idFrom = pRecord->nID;
    header.code = nCode;
    return ::SendMessage(pRecord->hParent, WM_NOTIFY, pRecord->nID, reinterpret_cast<LPARAM>(&header));
}

LRESULT CFontSlot::Set(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    hFont = reinterpret_cast<HFONT>(wParam);
    if (lParam)
        CWnd::FromHandle(hWnd)->Invalidate();
    return 0;
}

} // namespace velk::platform
