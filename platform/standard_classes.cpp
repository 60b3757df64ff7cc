// The classes of the standard controls and of dialogs, registered with the class registry itself.
#include "platform/standard_classes.h"

#include "platform/button.h"
#include "platform/gdi.h"
#include "platform/header.h"
#include "platform/listview.h"
#include "platform/messages.h"
#include "platform/scrollbar.h"

namespace velk::platform {

std::vector<WNDCLASS> StandardWindowClasses()
{
    auto make = [](const char* szName, WNDPROC pfnProc, UINT nStyle, HBRUSH hbrBackground) {
        WNDCLASS wc;
        wc.lpszClassName = szName;
        wc.lpfnWndProc = pfnProc;
        wc.style = nStyle;
        wc.hbrBackground = hbrBackground;
        return wc;
    };
    // Buttons ask for no double clicks: two quick clicks are two clicks.
    return {
        make(WC_BUTTON, ButtonProc, CS_HREDRAW | CS_VREDRAW, nullptr),
        make(WC_SCROLLBAR, ScrollBarProc, CS_HREDRAW | CS_VREDRAW, nullptr),
        make(WC_HEADER, HeaderProc, CS_DBLCLKS, nullptr),
        make(WC_LISTVIEW, ListViewProc, CS_DBLCLKS, nullptr),
        make(TOOLTIPS_CLASS, ToolTipProc, CS_DROPSHADOW, nullptr),
        make(WC_DIALOG, DialogProc, CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE)),
    };
}

std::unique_ptr<CWnd> MakeWrapper(WNDPROC pfnClassProc)
{
    if (pfnClassProc == ButtonProc)
        return std::make_unique<CButton>();
    if (pfnClassProc == HeaderProc)
        return std::make_unique<CHeaderCtrl>();
    if (pfnClassProc == ListViewProc)
        return std::make_unique<CListCtrl>();
    if (pfnClassProc == ScrollBarProc)
        return std::make_unique<CScrollBar>();
    return std::make_unique<CWnd>();
}

} // namespace velk::platform
