// What the main window shows in each of its user-interface states, and its wait message.
#pragma once

#include <string>

#include "platform/window.h"

enum UiState {
    UI_STATE_READY = 0,
    UI_STATE_SEARCHING = 1,
    UI_STATE_SEARCH_DONE = 2,
    UI_STATE_DEVICE_SELECTED = 3,
    UI_STATE_NO_SELECTION = 4,
};

// The controls a state touches; a missing one (null) is skipped.
struct CUiControls {
    CWnd* pWaitMessage = nullptr;
    CWnd* pClose = nullptr;
    CWnd* pLogIn = nullptr;
    CWnd* pRefresh = nullptr;
    CWnd* pMyStorage = nullptr;
};

// Shows, hides, enables or disables the controls as the state asks and leaves the others alone.
// An unknown state changes nothing.
void ApplyUiState(const CUiControls& controls, int nState);

// The wait message: the layout's text, a blank, the seconds and "s...".
std::string FormatWaitMessage(const std::string& strWaitText, int nSeconds);
