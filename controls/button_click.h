// Recognising a button's own click among the notifications offered back to it.
#pragma once

#include "platform/window.h"

// Whether the message is pButton's own BN_CLICKED to its parent.
inline bool IsOwnClick(const CWnd* pButton, UINT message, WPARAM wParam, LPARAM lParam)
{
    return message == WM_COMMAND && HIWORD(static_cast<std::uintptr_t>(wParam)) == BN_CLICKED &&
           reinterpret_cast<HWND>(lParam) == pButton->GetSafeHwnd();
}
