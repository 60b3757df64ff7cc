// Shared by the list tests: a headless desktop with a parent window that writes down what its
// children tell it, and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include "tests/platform/controls_fixture.h"

inline bool IsReddish(COLORREF clr)
{
    return clr != CLR_INVALID && GetRValue(clr) > 150 && GetGValue(clr) < 110 && GetBValue(clr) < 110;
}

class ListsTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        MakeTop(parent, CRect(100, 100, 600, 500));
        host.PumpUntilIdle();
    }

    // A rectangle of parent client coordinates as pWnd's client coordinates.
    POINT InClient(const CWnd& wnd, POINT pt) const
    {
        parent.ClientToScreen(&pt);
        wnd.ScreenToClient(&pt);
        return pt;
    }

    CRecordingParent parent;
};
