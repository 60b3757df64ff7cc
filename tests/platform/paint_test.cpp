// Painting: damage, the order of WM_NCPAINT, WM_ERASEBKGND and WM_PAINT, what reaches the frame
// buffer and what the host is given to present.
#include <climits>

#include "platform_fixture.h"

namespace {

using PaintTest = PlatformTest;

TEST_F(PaintTest, ParentsPaintBeforeChildrenAndOnlyDamagedWindowsRepaint)
{
    std::vector<std::string> log;
    CProbeWnd top("top", &log);
    CProbeWnd left("left", &log);
    CProbeWnd right("right", &log);
    CProbeWnd inner("inner", &log);
    MakeTop(top);
    MakeChild(left, top, CRect(10, 10, 60, 60), 1);
    MakeChild(right, top, CRect(100, 10, 150, 60), 2);
    MakeChild(inner, left, CRect(5, 5, 20, 20), 3);
    host.PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"top:erase", "top:paint", "right:erase", "right:paint", "left:erase",
                                             "left:paint", "inner:erase", "inner:paint"}));

    log.clear();
    inner.Invalidate();
    host.PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"inner:erase", "inner:paint"}));

    // The parent's repaint covers its children where it overlaps them, so they follow.
    log.clear();
    CRect rcLeftPart(0, 0, 70, 70);
    top.InvalidateRect(&rcLeftPart, FALSE);
    host.PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"top:paint", "left:erase", "left:paint", "inner:erase", "inner:paint"}));
    EXPECT_EQ(host.PumpUntilIdle(), 0);
}

TEST_F(PaintTest, EraseComesOnlyWhenAskedAndTheClassBrushErases)
{
    CProbeWnd top;
    MakeTop(top);
    host.PumpUntilIdle();
    const int nErases = top.Count(WM_ERASEBKGND);
    top.Invalidate(FALSE);
    host.PumpUntilIdle();
    EXPECT_EQ(top.Count(WM_ERASEBKGND), nErases);
    top.Invalidate(TRUE);
    host.PumpUntilIdle();
    EXPECT_EQ(top.Count(WM_ERASEBKGND), nErases + 1);

    // A window that leaves both to DefWindowProc shows its class's background.
    CProbeWnd plain;
    plain.bPaints = false;
    MakeChild(plain, top, CRect(10, 10, 30, 30));
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&plain, {5, 5}), RGB(255, 255, 255));
    EXPECT_EQ(host.GetScreenPixel(&top, {5, 5}), RGB(0, 0, 255));
}

TEST_F(PaintTest, ADoubleBufferedPaintReachesTheScreenOnceAtTheClientOrigin)
{
    CProbeWnd top;
    MakeTop(top, CRect(0, 0, 100, 80));
    CProbeWnd framed;
    framed.onMessage = [&framed](UINT message, WPARAM, LPARAM lParam, LRESULT& nResult) {
        nResult = 0;
        if (message == WM_NCCALCSIZE) {
            static_cast<CRect*>(&reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0])->DeflateRect(1, 1);
            return true;
        }
        if (message == WM_NCPAINT) {
            CDC* pDC = framed.GetWindowDC();
            CRect rc;
            framed.GetWindowRect(&rc);
            pDC->FillSolidRect(0, 0, rc.Width(), rc.Height(), RGB(0, 255, 0));
            framed.ReleaseDC(pDC);
            return true;
        }
        if (message != WM_PAINT)
            return false;
        CPaintDC dc(&framed);
        CRect rc;
        framed.GetClientRect(&rc);
        // Drawn off-screen first: what the screen sees is only the finished copy.
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
        CBitmap* pOld = memory.SelectObject(&bitmap);
        memory.FillSolidRect(&rc, RGB(255, 0, 0));
        memory.FillSolidRect(0, 0, 1, 1, RGB(1, 2, 3));
        dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memory, 0, 0, SRCCOPY);
        memory.SelectObject(pOld);
        return true;
    };
    MakeChild(framed, top, CRect(10, 10, 40, 30));
    const int nPresents = host.NativeWindow(&top)->nPresents;
    host.PumpUntilIdle();
    const CHeadlessHost::CNativeWindow* pNative = host.NativeWindow(&top);
    EXPECT_EQ(pNative->nPresents, nPresents + 1);
    EXPECT_EQ(host.GetScreenPixel(&framed, {0, 0}), RGB(1, 2, 3));
    EXPECT_EQ(host.GetScreenPixel(&framed, {27, 17}), RGB(255, 0, 0));
    EXPECT_EQ(host.GetScreenPixel(&framed, {-1, -1}), RGB(0, 255, 0));
    EXPECT_EQ(host.GetScreenPixel(&framed, {28, 18}), RGB(0, 255, 0));
    EXPECT_EQ(host.GetScreenPixel(&framed, {29, 19}), RGB(0, 0, 255));

    // Only the repainted window is presented again.
    framed.Invalidate(FALSE);
    host.PumpUntilIdle();
    EXPECT_EQ(pNative->nPresents, nPresents + 2);
    CRect rcDamage;
    for (const CRect& rc : pNative->lastDamage)
        rcDamage = rcDamage.IsRectEmpty() ? rc : CRect(std::min(rcDamage.left, rc.left), std::min(rcDamage.top, rc.top),
                                                       std::max(rcDamage.right, rc.right), std::max(rcDamage.bottom, rc.bottom));
    EXPECT_EQ(rcDamage, CRect(11, 11, 39, 29));
}

TEST_F(PaintTest, HidingAChildRepaintsItsParentUnderIt)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd child;
    child.clrPaint = RGB(255, 0, 0);
    MakeChild(child, top, CRect(10, 10, 30, 30));
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {15, 15}), RGB(255, 0, 0));
    child.ShowWindow(SW_HIDE);
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {15, 15}), RGB(0, 0, 255));
    child.ShowWindow(SW_SHOW);
    child.MoveWindow(40, 10, 20, 20);
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {15, 15}), RGB(0, 0, 255));
    EXPECT_EQ(host.GetScreenPixel(&top, {45, 15}), RGB(255, 0, 0));
}

TEST_F(PaintTest, DrawingOutsideAPaintRoundIsPresentedAtTheNextIdleMoment)
{
    CProbeWnd top;
    MakeTop(top);
    host.PumpUntilIdle();
    {
        CClientDC dc(&top);
        dc.FillSolidRect(0, 0, 5, 5, RGB(9, 9, 9));
    }
    EXPECT_EQ(host.GetScreenPixel(&top, {2, 2}), RGB(0, 0, 255));
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {2, 2}), RGB(9, 9, 9));
}

TEST_F(PaintTest, AWindowRegionShapesTheNativeWindowAndItsInput)
{
    CProbeWnd top;
    MakeTop(top, CRect(0, 0, 40, 40));
    CRgn region;
    region.CreateRectRgn(0, 0, 40, 40);
    CRgn corner;
    corner.CreateRectRgn(0, 0, 10, 10);
    region.CombineRgn(&region, &corner, RGN_XOR);
    top.SetWindowRgn(&region, TRUE);
    host.PumpUntilIdle();
    const CHeadlessHost::CNativeWindow* pNative = host.NativeWindow(&top);
    EXPECT_TRUE(pNative->bShaped);
    EXPECT_EQ(host.GetScreenPixel(&top, {5, 5}), CLR_INVALID);
    EXPECT_EQ(host.GetScreenPixel(&top, {15, 5}), RGB(0, 0, 255));
    host.Click(&top, {5, 5});
    host.Click(&top, {15, 5});
    host.PumpUntilIdle();
    EXPECT_EQ(top.Count(WM_LBUTTONDOWN), 1);
    CRgn copy;
    EXPECT_EQ(top.GetWindowRgn(&copy), COMPLEXREGION);
    EXPECT_TRUE(copy.EqualRgn(&region));
    top.SetWindowRgn(nullptr, TRUE);
    EXPECT_FALSE(pNative->bShaped);
}

TEST_F(PaintTest, TheTopSiblingTakesTheClicksAndStaysOnTopWhenTheOtherRepaints)
{
    CProbeWnd top;
    MakeTop(top);
    CProbeWnd first;
    CProbeWnd second;
    first.clrPaint = RGB(255, 0, 0);
    second.clrPaint = RGB(0, 255, 0);
    // Children keep the order in which they were made, the first on top (as dialog controls do).
    MakeChild(first, top, CRect(0, 0, 40, 40), 1);
    MakeChild(second, top, CRect(20, 20, 60, 60), 2);
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {30, 30}), RGB(255, 0, 0));
    EXPECT_EQ(top.GetWindow(GW_CHILD), &first);
    second.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(top.GetWindow(GW_CHILD), &second);
    host.Click(&top, {30, 30});
    first.Invalidate();
    host.PumpUntilIdle();
    EXPECT_EQ(host.GetScreenPixel(&top, {30, 30}), RGB(0, 255, 0));
    EXPECT_EQ(host.GetScreenPixel(&top, {10, 10}), RGB(255, 0, 0));
    EXPECT_EQ(second.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(first.Count(WM_LBUTTONDOWN), 0);
}

TEST_F(PaintTest, AWindowWithoutAFrameNeverStopsTheLoop)
{
    // Sizes from a layout file may be empty or far beyond any screen.
    for (const CRect& rc : {CRect(0, 0, 0, 0), CRect(0, 0, 100000, 100000)}) {
        CProbeWnd top;
        MakeTop(top, rc);
        CProbeWnd child;
        MakeChild(child, top, CRect(0, 0, 10, 10));
        child.Invalidate();
        host.PumpUntilIdle();
        EXPECT_EQ(host.PumpUntilIdle(), 0);
        EXPECT_EQ(host.GetScreenPixel(&child, {1, 1}), CLR_INVALID);
        // Extreme positions and sizes are cut down instead of overflowing.
        child.MoveWindow(INT_MAX, INT_MIN, INT_MAX, -5);
        CRect rcChild;
        child.GetClientRect(&rcChild);
        EXPECT_EQ(rcChild.Height(), 0);
        EXPECT_GT(rcChild.Width(), 0);
        host.PumpUntilIdle();
    }
}

TEST_F(PaintTest, AResizedTopLevelWindowRepaintsItsNewSize)
{
    CProbeWnd top;
    MakeTop(top, CRect(0, 0, 40, 30));
    host.PumpUntilIdle();
    top.MoveWindow(0, 0, 80, 60);
    host.PumpUntilIdle();
    EXPECT_EQ(host.NativeWindow(&top)->rcScreen, CRect(0, 0, 80, 60));
    EXPECT_EQ(host.GetScreenPixel(&top, {79, 59}), RGB(0, 0, 255));
    EXPECT_EQ(host.GetScreenPixel(&top, {80, 59}), CLR_INVALID);
}

} // namespace
