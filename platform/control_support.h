// Inside the window layer: what the standard controls' procedures share: per-window state, text
// handed in and out through message records, and notifications to the parent.
#pragma once

#include <memory>
#include <string>

#include "platform/messages.h"
#include "platform/window.h"

namespace velk::platform {

// The state that a class procedure keeps about a window, made on first use.
template <class TState>
TState& StateOf(HWND hWnd)
{
    if (auto* pState = dynamic_cast<TState*>(GetWindowExtra(hWnd)))
        return *pState;
    auto pOwned = std::make_unique<TState>();
    TState* pState = pOwned.get();
    SetWindowExtra(hWnd, std::move(pOwned));
    if (GetWindowExtra(hWnd) != pState) {
        // No such window: the state goes nowhere, and what is done with it has no effect.
        static thread_local TState discarded;
        discarded = TState();
        return discarded;
    }
    return *pState;
}

// A text handed in by a message record (null: empty); invalid UTF-8 becomes U+FFFD.
std::string TextIn(const char* pszText);
// Copies a text into a caller's buffer of nSize bytes, cut between characters and always
// terminated; returns the bytes copied (without the terminator).
int TextOut(const std::string& strText, char* pszBuffer, int nSize);

// The child window's parent (null for top-level windows).
HWND ParentOf(HWND hWnd);
// WM_COMMAND with the child's id and the code, sent to its parent.
LRESULT NotifyCommand(HWND hWnd, UINT nCode);
// WM_NOTIFY to the parent; the record begins with an NMHDR whose fields this fills in.
LRESULT NotifyParent(HWND hWnd, UINT nCode, NMHDR& header);

// The font a control was given with WM_SETFONT, kept per window.
struct CFontSlot {
    HFONT hFont = nullptr;
    LRESULT Set(HWND hWnd, WPARAM wParam, LPARAM lParam);
};

} // namespace velk::platform
