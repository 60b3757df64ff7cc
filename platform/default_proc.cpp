// DefWindowProc: what every window does with a message nobody else handles.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/window_system.h"

using velk::platform::CWindowRecord;
using velk::platform::CWindowSystem;

namespace {

// The width of the ring that the window's styles ask for.
int FrameWidth(const CWindowRecord* pRecord)
{
    if (pRecord->dwExStyle & WS_EX_CLIENTEDGE)
        return 2;
    return (pRecord->dwStyle & WS_BORDER) ? 1 : 0;
}

void PaintFrame(HWND hWnd, const CWindowRecord* pRecord)
{
    const int nWidth = FrameWidth(pRecord);
    if (nWidth == 0)
        return;
    CWnd* pWnd = CWnd::FromHandle(hWnd);
    CDC* pDC = pWnd->GetWindowDC();
    const CRect rc(0, 0, pRecord->rcWindow.Width(), pRecord->rcWindow.Height());
    const COLORREF clrOuter = GetSysColor(nWidth == 2 ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME);
    pDC->FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrOuter);
    pDC->FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrOuter);
    pDC->FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrOuter);
    pDC->FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrOuter);
    if (nWidth == 2) {
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        const COLORREF clrInner = GetSysColor(COLOR_3DLIGHT);
        pDC->FillSolidRect(rcInner.left, rcInner.top, rcInner.Width(), 1, clrInner);
        pDC->FillSolidRect(rcInner.left, rcInner.bottom - 1, rcInner.Width(), 1, clrInner);
        pDC->FillSolidRect(rcInner.left, rcInner.top, 1, rcInner.Height(), clrInner);
        pDC->FillSolidRect(rcInner.right - 1, rcInner.top, 1, rcInner.Height(), clrInner);
    }
    pWnd->ReleaseDC(pDC);
}

LRESULT HitTest(const CWindowSystem& system, const CWindowRecord* pRecord, LPARAM lParam)
{
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const POINT ptClient = system.ClientOriginOnScreen(pRecord);
    if (CRect(CPoint(ptClient), pRecord->rcClient.Size()).PtInRect(pt))
        return HTCLIENT;
    return system.WindowRectOnScreen(pRecord).PtInRect(pt) ? HTBORDER : HTNOWHERE;
}

LRESULT SetIcon(CWindowSystem& system, CWindowRecord* pRecord, WPARAM wParam, HICON hIcon)
{
    const bool bBig = wParam == ICON_BIG;
    HICON& hSlot = bBig ? pRecord->hIconBig : pRecord->hIconSmall;
    HICON hOld = std::exchange(hSlot, hIcon);
    if (!pRecord->IsChild() && system.Host()) {
        CIconPixels icon;
        if (hIcon && hIcon->GetState()) {
            cairo_surface_t* pSurface = hIcon->GetState()->pSurface;
            cairo_surface_flush(pSurface);
            icon.nWidth = cairo_image_surface_get_width(pSurface);
            icon.nHeight = cairo_image_surface_get_height(pSurface);
            const int nStride = cairo_image_surface_get_stride(pSurface);
            const unsigned char* pData = cairo_image_surface_get_data(pSurface);
            icon.pixels.resize(static_cast<std::size_t>(icon.nWidth) * static_cast<std::size_t>(icon.nHeight));
            for (int y = 0; y < icon.nHeight; ++y)
                std::memcpy(&icon.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(icon.nWidth)],
                            pData + static_cast<std::ptrdiff_t>(y) * nStride, static_cast<std::size_t>(icon.nWidth) * 4);
        }
        system.Host()->SetNativeIcon(pRecord->hWnd, icon, bBig);
    }
    return reinterpret_cast<LRESULT>(hOld);
}

} // namespace

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowSystem& system = CWindowSystem::Get();
    CWindowRecord* pRecord = system.Find(hWnd);
    if (!pRecord)
        return 0;
    switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_NCCALCSIZE: {
        auto* pParams = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        const int nWidth = FrameWidth(pRecord);
        static_cast<CRect*>(&pParams->rgrc[0])->DeflateRect(nWidth, nWidth);
        return 0;
    }
    case WM_NCPAINT: PaintFrame(hWnd, pRecord); return 0;
    case WM_NCHITTEST: return HitTest(system, pRecord, lParam);
    case WM_ERASEBKGND: {
        if (!pRecord->hbrBackground || !wParam)
            return 0;
        CRect rc(0, 0, pRecord->rcClient.Width(), pRecord->rcClient.Height());
        reinterpret_cast<CDC*>(wParam)->FillRect(&rc, pRecord->hbrBackground);
        return 1;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        system.BeginPaint(hWnd, ps);
        system.EndPaint(hWnd, ps);
        return 0;
    }
    case WM_SETTEXT: {
        pRecord->strText = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (!pRecord->IsChild() && system.Host())
            system.Host()->SetNativeTitle(hWnd, pRecord->strText);
        system.PublishTitle(pRecord);
        return TRUE;
    }
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        const std::size_t nCopied = std::min<std::size_t>(pRecord->strText.size(), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), pRecord->strText.data(), nCopied);
        reinterpret_cast<char*>(lParam)[nCopied] = '\0';
        return static_cast<LRESULT>(nCopied);
    }
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(pRecord->strText.size());
    case WM_SETICON: return SetIcon(system, pRecord, wParam, reinterpret_cast<HICON>(lParam));
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? pRecord->hIconBig : pRecord->hIconSmall);
    case WM_CLOSE: system.Destroy(hWnd); return 0;
    case WM_NCLBUTTONDOWN:
        if (wParam == static_cast<WPARAM>(HTCAPTION) && !pRecord->IsChild() && system.Host())
            system.Host()->BeginInteractiveMove(hWnd, system.CursorPos());
        return 0;
    case WM_MOUSEWHEEL:
        // A wheel turn nobody wants goes up to the parent.
        return pRecord->IsChild() ? system.Send(pRecord->hParent, message, wParam, lParam) : 0;
    default:
        if (IsCtlColorMessage(message)) {
            const bool bContent = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
            if (wParam) {
                reinterpret_cast<CDC*>(wParam)->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
                reinterpret_cast<CDC*>(wParam)->SetBkColor(GetSysColor(bContent ? COLOR_WINDOW : COLOR_BTNFACE));
            }
            return reinterpret_cast<LRESULT>(GetSysColorBrush(bContent ? COLOR_WINDOW : COLOR_BTNFACE));
        }
        return 0;
    }
}
