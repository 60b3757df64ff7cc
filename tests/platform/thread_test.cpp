// PostMessage from other threads: the only thread-safe entry of the window system.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/host_headless.h"
#include "platform/message_loop.h"
#include "platform/window.h"

namespace {

constexpr UINT WM_FROM_WORKER = WM_APP + 1;

class CCountingWnd : public CWnd {
public:
    std::vector<WPARAM> values;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_FROM_WORKER)
            values.push_back(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(PlatformThreadTest, MessagesPostedFromOtherThreadsWakeTheWaitingLoopInOrder)
{
    CHeadlessHost host;
    WNDCLASS wc;
    wc.lpszClassName = "VelkThreadTestWindow";
    AfxRegisterClass(&wc);
    CCountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, wc.lpszClassName, "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    const HWND hWnd = wnd.m_hWnd;
    constexpr int kPerThread = 200;
    std::atomic<int> nTasks{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < 2; ++t)
        workers.emplace_back([hWnd, t, &nTasks] {
            for (int i = 0; i < kPerThread; ++i)
                EXPECT_TRUE(PostMessage(hWnd, WM_FROM_WORKER, static_cast<WPARAM>(t * kPerThread + i)));
            PostTask([&nTasks] { ++nTasks; });
        });
    // The loop blocks (no timers, nothing scheduled) until a worker's message wakes it.
    MSG msg;
    while (wnd.values.size() < 2 * kPerThread && GetMessage(&msg))
        DispatchMessage(&msg);
    for (std::thread& worker : workers)
        worker.join();
    PumpUntilIdle();
    EXPECT_EQ(nTasks.load(), 2);
    ASSERT_EQ(wnd.values.size(), 2u * kPerThread);
    // Each thread's messages keep their order.
    std::vector<WPARAM> last{0, kPerThread};
    for (WPARAM value : wnd.values) {
        WPARAM& expected = last[value / kPerThread];
        EXPECT_EQ(value, expected);
        expected = value + 1;
    }
    wnd.DestroyWindow();
    std::thread late([hWnd] { EXPECT_FALSE(PostMessage(hWnd, WM_FROM_WORKER, 0)); });
    late.join();
}

} // namespace
