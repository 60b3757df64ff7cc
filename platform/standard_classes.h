// Inside the window layer: the procedures of the standard controls and the dialog, and the table
// of the classes that exist before anything is registered.
#pragma once

#include <memory>
#include <vector>

#include "platform/window.h"

#include "platform/window_class.h"

namespace velk::platform {

LRESULT ButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ScrollBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HeaderProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListViewProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ToolTipProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Button, ScrollBar, SysHeader32, SysListView32, tooltips_class32 and #32770.
std::vector<WNDCLASS> StandardWindowClasses();

// What CWnd::FromHandle hands out for a window without an object: a CButton for the windows of
// ButtonProc (whatever their class is called), a CHeaderCtrl, CListCtrl or CScrollBar likewise,
// a plain CWnd for the others.
std::unique_ptr<CWnd> MakeWrapper(WNDPROC pfnClassProc);

} // namespace velk::platform
