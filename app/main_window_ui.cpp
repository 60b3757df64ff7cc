#include "app/main_window_ui.h"

#include <array>

namespace {

enum class Change { Keep, Show, Hide, Enable, Disable };

struct CStateRow {
    Change waitMessage, close, logIn, refresh, myStorage;
};

constexpr std::array<CStateRow, 5> kStates = {{
    /* READY */ {Change::Hide, Change::Enable, Change::Disable, Change::Enable, Change::Disable},
    /* SEARCHING */ {Change::Show, Change::Keep, Change::Disable, Change::Disable, Change::Disable},
    /* SEARCH_DONE */ {Change::Hide, Change::Keep, Change::Keep, Change::Enable, Change::Keep},
    /* DEVICE_SELECTED */ {Change::Keep, Change::Keep, Change::Enable, Change::Keep, Change::Enable},
    /* NO_SELECTION */ {Change::Keep, Change::Keep, Change::Disable, Change::Keep, Change::Disable},
}};

void Apply(CWnd* pWnd, Change change)
{
    if (!pWnd)
        return;
    switch (change) {
    case Change::Keep: break;
    case Change::Show: pWnd->ShowWindow(SW_SHOW); break;
    case Change::Hide: pWnd->ShowWindow(SW_HIDE); break;
    case Change::Enable: pWnd->EnableWindow(TRUE); break;
    case Change::Disable: pWnd->EnableWindow(FALSE); break;
    }
}

} // namespace

void ApplyUiState(const CUiControls& controls, int nState)
{
    if (nState < 0 || nState >= static_cast<int>(kStates.size()))
        return;
    const CStateRow& row = kStates[static_cast<std::size_t>(nState)];
    Apply(controls.pWaitMessage, row.waitMessage);
    Apply(controls.pClose, row.close);
    Apply(controls.pLogIn, row.logIn);
    Apply(controls.pRefresh, row.refresh);
    Apply(controls.pMyStorage, row.myStorage);
}

std::string FormatWaitMessage(const std::string& strWaitText, int nSeconds)
{
    return strWaitText + " " + std::to_string(nSeconds) + "s...";
}
