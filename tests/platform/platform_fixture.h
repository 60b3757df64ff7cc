// Shared pieces of the platform tests: a headless host per test, test window classes and a probe
// window that records the messages it gets and paints itself in one colour.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/host_headless.h"
#include "platform/message_loop.h"
#include "platform/window.h"

inline constexpr const char* kPlainClass = "VelkTestPlain";
inline constexpr const char* kDoubleClickClass = "VelkTestDoubleClick";

inline void RegisterTestClasses()
{
    WNDCLASS wc;
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = kPlainClass;
    AfxRegisterClass(&wc);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = kDoubleClickClass;
    AfxRegisterClass(&wc);
}

class CProbeWnd : public CWnd {
public:
    explicit CProbeWnd(std::string strName = "", std::vector<std::string>* pLog = nullptr)
        : m_strName(std::move(strName)), m_pLog(pLog)
    {
    }

    // Return true to answer a message with nResult instead of the probe's own handling.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& nResult)> onMessage;
    COLORREF clrPaint = RGB(0, 0, 255);
    bool bPaints = true;
    std::vector<MSG> received;

    int Count(UINT message) const
    {
        int n = 0;
        for (const MSG& msg : received)
            n += msg.message == message;
        return n;
    }
    std::vector<UINT> Sequence(const std::vector<UINT>& interesting) const
    {
        std::vector<UINT> sequence;
        for (const MSG& msg : received)
            if (std::find(interesting.begin(), interesting.end(), msg.message) != interesting.end())
                sequence.push_back(msg.message);
        return sequence;
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back(MSG{m_hWnd, message, wParam, lParam, 0, {}});
        if (m_pLog && (message == WM_PAINT || message == WM_ERASEBKGND || message == WM_NCPAINT))
            m_pLog->push_back(m_strName + (message == WM_PAINT ? ":paint" : message == WM_ERASEBKGND ? ":erase" : ":ncpaint"));
        LRESULT nResult = 0;
        if (onMessage && onMessage(message, wParam, lParam, nResult))
            return nResult;
        if (bPaints && message == WM_PAINT) {
            CPaintDC dc(this);
            CRect rc;
            GetClientRect(&rc);
            dc.FillSolidRect(&rc, clrPaint);
            return 0;
        }
        if (bPaints && message == WM_ERASEBKGND)
            return TRUE;
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::string m_strName;
    std::vector<std::string>* m_pLog;
};

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }

    // A visible top-level popup window at rc (screen coordinates).
    void MakeTop(CWnd& wnd, const CRect& rc = CRect(100, 100, 300, 250), const char* szClass = kPlainClass,
                 DWORD dwStyle = WS_POPUP | WS_VISIBLE)
    {
        ASSERT_TRUE(wnd.CreateEx(0, szClass, "top", dwStyle, rc, nullptr, 0));
    }
    void MakeChild(CWnd& wnd, CWnd& parent, const CRect& rc, UINT nID = 100, const char* szClass = kPlainClass,
                   DWORD dwStyle = WS_CHILD | WS_VISIBLE)
    {
        ASSERT_TRUE(wnd.CreateEx(0, szClass, "", dwStyle, rc, &parent, nID));
    }

    CHeadlessHost host;
};
