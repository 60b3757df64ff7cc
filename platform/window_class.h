// Named window classes: a class style, a cursor, a background brush and the window procedure in
// which a standard control's behaviour lives, so that a copy under another name behaves alike.
#pragma once

#include <string>

#include "platform/handles.h"
#include "platform/types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASS {
    UINT style = 0;                  // CS_ flags
    WNDPROC lpfnWndProc = nullptr;   // null: DefWindowProc
    HCURSOR hCursor = nullptr;       // null: the arrow
    HBRUSH hbrBackground = nullptr;  // what DefWindowProc erases with; null: no erasing
    const char* lpszClassName = nullptr;
};

// Registers a class; 0 when the name (compared without regard to ASCII case) is taken or missing.
ATOM RegisterClass(const WNDCLASS* lpWndClass);
// Registers a class unless one of that name exists; TRUE in both cases.
BOOL AfxRegisterClass(const WNDCLASS* lpWndClass);
// Fills in the class of that name (lpszClassName then points to the registry's spelling).
BOOL GetClassInfo(const char* lpszClassName, WNDCLASS* lpWndClass);

// A cursor kind (IDC_ARROW, IDC_HAND, ...).
HCURSOR LoadCursor(int nCursorId);
int CursorId(HCURSOR hCursor);

namespace velk::platform {

// The registry's entry of a class; stable for the life of the process.
const WNDCLASS* FindWindowClass(const std::string& strName);

} // namespace velk::platform
