// Handles that travel in message parameters: windows, device contexts and drawing objects.
// A window handle is an id of the window system; the drawing handles are the layer's objects.
#pragma once

#include <cstdint>

struct HWND__;
// A window: an id that stays invalid after the window is destroyed (never reused).
using HWND = HWND__*;

class CDC;
class CFont;
class CBrush;
class CBitmap;
class CRgn;
class CIcon;

using HDC = CDC*;
using HFONT = CFont*;
using HBRUSH = CBrush*;
using HBITMAP = CBitmap*;
using HRGN = CRgn*;
using HICON = CIcon*;

struct HCURSOR__;
// A cursor kind: the numeric value of an IDC_ constant (see LoadCursor).
using HCURSOR = HCURSOR__*;

// The special insert-after handles of SetWindowPos.
inline const HWND HWND_TOP = reinterpret_cast<HWND>(std::intptr_t{0});
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(std::intptr_t{1});
inline const HWND HWND_TOPMOST = reinterpret_cast<HWND>(std::intptr_t{-1});
inline const HWND HWND_NOTOPMOST = reinterpret_cast<HWND>(std::intptr_t{-2});
