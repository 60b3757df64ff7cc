// Double-buffered painting for the drawn windows: the client area is drawn into a
// memory bitmap of client size and copied to the window once, so nothing flickers and nothing
// is erased separately.
#pragma once

#include <functional>

#include "platform/window.h"

// Inside WM_PAINT: runs draw on a memory DC of pWnd's client size, then copies it to the window.
void PaintBuffered(CWnd* pWnd, const std::function<void(CDC*)>& draw);
