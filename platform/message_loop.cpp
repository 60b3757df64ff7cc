// The queue (shared with other threads), timers and the loop's retrieval order.
#include "platform/message_loop.h"

#include <algorithm>

#include "platform/window_system.h"

namespace velk::platform {

bool CWindowSystem::Post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    IWindowHost* pHost = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_live.count(hWnd))
            return false;
        m_posted.push_back(CQueuedMessage{MSG{hWnd, message, wParam, lParam, 0, {}}, {}});
        pHost = m_pHost;
        // The host is woken under the lock, so that it cannot be detached in between.
        if (pHost)
            pHost->Wake();
    }
    return true;
}

void CWindowSystem::PostTask(std::function<void()> task)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_posted.push_back(CQueuedMessage{MSG{}, std::move(task)});
    if (m_pHost)
        m_pHost->Wake();
}

void CWindowSystem::PostQuit(int nExitCode)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuit = true;
    m_nQuitCode = nExitCode;
    if (m_pHost)
        m_pHost->Wake();
}

UINT_PTR CWindowSystem::SetTimer(HWND hWnd, UINT_PTR nID, UINT nElapse)
{
    if (!Find(hWnd) || nID == 0)
        return 0;
    nElapse = std::max(nElapse, 1u);
    const HostTime due = Now() + HostTime(nElapse);
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const CTimer& timer) { return timer.hWnd == hWnd && timer.nID == nID; });
    if (it != m_timers.end())
        *it = CTimer{hWnd, nID, nElapse, due};
    else
        m_timers.push_back(CTimer{hWnd, nID, nElapse, due});
    return nID;
}

bool CWindowSystem::KillTimer(HWND hWnd, UINT_PTR nID)
{
    return std::erase_if(m_timers, [&](const CTimer& timer) { return timer.hWnd == hWnd && timer.nID == nID; }) > 0;
}

void CWindowSystem::KillTimers(HWND hWnd)
{
    std::erase_if(m_timers, [&](const CTimer& timer) { return timer.hWnd == hWnd; });
}

HostTime CWindowSystem::NextDeadline() const
{
    HostTime next = HoverDeadline();
    for (const CTimer& timer : m_timers)
        if (next == kNoDeadline || timer.due < next)
            next = timer.due;
    return next;
}

bool CWindowSystem::TakeDueTimer(MSG& msg)
{
    const HostTime now = Now();
    auto it = std::min_element(m_timers.begin(), m_timers.end(),
                               [](const CTimer& a, const CTimer& b) { return a.due < b.due; });
    if (it == m_timers.end() || it->due > now)
        return false;
    // One WM_TIMER per expiry however late it is; the next one is a period from now.
    it->due = now + HostTime(it->nElapse);
    msg = MSG{it->hWnd, WM_TIMER, it->nID, 0, static_cast<DWORD>(now.count()), m_ptCursor};
    return true;
}

bool CWindowSystem::Deliver(CQueuedMessage& queued, MSG& msg)
{
    if (queued.task) {
        queued.task();
        return false;
    }
    msg = queued.msg;
    msg.time = static_cast<DWORD>(Now().count());
    msg.pt = m_ptCursor;
    return Find(msg.hwnd) != nullptr;
}

bool CWindowSystem::Peek(MSG& msg, bool bRemove)
{
    if (m_pHost)
        m_pHost->ProcessEvents(m_pHost->Now());
    for (;;) {
        CQueuedMessage queued;
        bool bQueued = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_posted.empty()) {
                queued = std::move(m_posted.front());
                m_posted.pop_front();
                bQueued = true;
            }
        }
        bool bFound = bQueued ? Deliver(queued, msg) : TakeInput(msg);
        if (!bQueued && !bFound) {
            if (!m_bPainting && HasDamage()) {
                PaintAll();
                continue;
            }
            PresentAll();
            PostHoverIfDue();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_posted.empty())
                    continue;
            }
            bFound = TakeDueTimer(msg);
            if (!bFound) {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (!m_bQuit)
                    return false;
                msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(m_nQuitCode), 0, 0, m_ptCursor};
                if (bRemove)
                    m_bQuit = false;
                return true;
            }
        }
        if (!bFound)
            continue;
        if (!bRemove) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_posted.push_front(CQueuedMessage{msg, {}});
        }
        return true;
    }
}

bool CWindowSystem::Wait(MSG& msg)
{
    while (m_pHost) {
        if (Peek(msg, true))
            return msg.message != WM_QUIT;
        m_pHost->ProcessEvents(NextDeadline());
    }
    msg = MSG{nullptr, WM_QUIT, 0, 0, 0, {}};
    return false;
}

} // namespace velk::platform

using velk::platform::CWindowSystem;

BOOL GetMessage(MSG* lpMsg)
{
    MSG msg;
    BOOL bResult = CWindowSystem::Get().Wait(msg) ? TRUE : FALSE;
    if (lpMsg)
        *lpMsg = msg;
    return bResult;
}

BOOL PeekMessage(MSG* lpMsg, UINT wRemoveMsg)
{
    MSG msg;
    if (!CWindowSystem::Get().Peek(msg, (wRemoveMsg & PM_REMOVE) != 0))
        return FALSE;
    if (lpMsg)
        *lpMsg = msg;
    return TRUE;
}

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (!lpMsg || !lpMsg->hwnd)
        return 0;
    return CWindowSystem::Get().Send(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

void PostQuitMessage(int nExitCode) { CWindowSystem::Get().PostQuit(nExitCode); }

void PostTask(std::function<void()> fn) { CWindowSystem::Get().PostTask(std::move(fn)); }

int PumpUntilIdle()
{
    int nDispatched = 0;
    MSG msg;
    while (PeekMessage(&msg, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        DispatchMessage(&msg);
        ++nDispatched;
    }
    return nDispatched;
}
