// The message loop: posted messages, input, painting and timers, in the order the desktop
// platform hands them out, over whatever host is attached.
#pragma once

#include <functional>

#include "platform/messages.h"

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// Waits for the next message: posted messages first, then input; when none is left, damaged
// windows are painted (and presented) and due timers give WM_TIMER. FALSE on WM_QUIT, and when no
// host is attached.
BOOL GetMessage(MSG* lpMsg);
// As GetMessage without waiting; FALSE when there is nothing to do.
BOOL PeekMessage(MSG* lpMsg, UINT wRemoveMsg = PM_REMOVE);
LRESULT DispatchMessage(const MSG* lpMsg);
// GetMessage returns FALSE once the queue is empty.
void PostQuitMessage(int nExitCode);
// Runs fn on the GUI thread from its loop; safe from any thread.
void PostTask(std::function<void()> fn);
// Handles messages, paints and fires due timers until nothing is left to do; returns how many
// messages were dispatched.
int PumpUntilIdle();
