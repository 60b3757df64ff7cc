// Shared by the control kit's tests: a headless desktop, a data folder of the test's own and the
// layout-built dialog.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>

#include "layout_dialog.h"
#include "tests/platform/picture_files.h"
#include "tests/platform/platform_fixture.h"

inline std::ostream& operator<<(std::ostream& out, const RECT& rc)
{
    return out << '{' << rc.left << ',' << rc.top << ',' << rc.right << ',' << rc.bottom << '}';
}

// pWnd's window rectangle in its parent's client coordinates.
inline CRect RectInParent(const CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pWnd->GetParent()->ScreenToClient(&rc);
    return rc;
}

class ControlsTest : public PlatformTest {
protected:
    void SetUp() override
    {
        PlatformTest::SetUp();
        strRoot = TestFolder();
        ::setenv("XDG_DATA_HOME", strRoot.c_str(), 1);
    }

    // The dialog over the data folder with strLayout as its layout file.
    void BuildDialog(const std::string& strLayout = ShippedEnglishLayout())
    {
        WriteDataFolder(strRoot, strLayout);
        ASSERT_TRUE(dialog.Build());
        host.PumpUntilIdle();
    }

    std::string strRoot;
    CLayoutDialog dialog;
};
