// Shared by the frame tests: a headless desktop with a dialog-like parent, a drawn test control
// (a window with a property frame) and memory canvases to paint into.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout/property_frame.h"
#include "tests/platform/platform_fixture.h"

// A drawn control as the control kit makes them: a window class with a property frame beside it.
// Its destruction is written to pLog as its id, and what it reports at that moment is added.
class CTestControl : public CWnd, public CBasicPropertyFrame {
public:
    explicit CTestControl(int nID = 0, std::vector<std::string>* pLog = nullptr,
                          std::function<std::string()> describe = {})
        : m_nID(nID), m_pLog(pLog), m_describe(std::move(describe))
    {
    }
    ~CTestControl() override
    {
        if (m_pLog)
            m_pLog->push_back(std::to_string(m_nID) + (m_describe ? m_describe() : std::string()));
    }

private:
    int m_nID;
    std::vector<std::string>* m_pLog;
    std::function<std::string()> m_describe;
};

// The parent paints a pattern in which every pixel differs from its neighbours, so that a copy
// from the wrong place shows.
inline COLORREF PatternAt(int x, int y) { return RGB(x * 2, y * 3, 77); }

class CPatternWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ERASEBKGND)
            return TRUE;
        if (message != WM_PAINT)
            return CWnd::WindowProc(message, wParam, lParam);
        CPaintDC dc(this);
        CRect rc;
        GetClientRect(&rc);
        for (int y = 0; y < rc.Height(); ++y)
            for (int x = 0; x < rc.Width(); ++x)
                dc.SetPixel(x, y, PatternAt(x, y));
        return 0;
    }
};

// A memory DC with a bitmap filled with one colour.
class CMemoryCanvas {
public:
    CMemoryCanvas(int nWidth, int nHeight, COLORREF clrFill = RGB(255, 255, 255))
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, nWidth, nHeight);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, nWidth, nHeight, clrFill);
    }

    CBitmap bitmap;
    CDC dc;
};

// A class that neither erases nor paints, so that the parent's pixels stay visible under it.
inline constexpr const char* kUnpaintedClass = "VelkTestUnpainted";

// A parent window at (100, 100) of 120 x 60 on a headless desktop, painted with the pattern, and
// a child control at (10, 20) of 79 x 23.
class FrameTest : public PlatformTest {
protected:
    static constexpr int kChildX = 10;
    static constexpr int kChildY = 20;
    static constexpr int kChildWidth = 79;
    static constexpr int kChildHeight = 23;

    void SetUp() override
    {
        PlatformTest::SetUp();
        WNDCLASS wc;
        wc.lpszClassName = kUnpaintedClass;
        AfxRegisterClass(&wc);
        MakeTop(parent, CRect(100, 100, 220, 160));
        MakeChild(child, parent, CRect(kChildX, kChildY, kChildX + kChildWidth, kChildY + kChildHeight), 100,
                  kUnpaintedClass);
        host.PumpUntilIdle();
    }

    // child's window rectangle in parent's client coordinates.
    CRect ChildRect() const
    {
        CRect rc;
        child.GetWindowRect(&rc);
        parent.ScreenToClient(&rc);
        return rc;
    }

    CPatternWnd parent;
    CTestControl child;
};
