// The drawn header's painting and its height factor.
#include "controls/basic_header_ctrl.h"

#include "controls/buffered_paint.h"

void CBasicHeaderCtrl::DrawHeader(CDC* pDC)
{
    {
        Graphics graphics(pDC);
        PaintByMode(GetParent(), this, &graphics, pDC);
    }
    DrawHeaderItems(pDC);
}

void CBasicHeaderCtrl::DrawHeaderItems(CDC*) {}

LRESULT CBasicHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: PaintBuffered(this, [this](CDC* pDC) { DrawHeader(pDC); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case HDM_LAYOUT: return OnLayout(lParam);
    default: return CHeaderCtrl::WindowProc(message, wParam, lParam);
    }
}

LRESULT CBasicHeaderCtrl::OnLayout(LPARAM lParam)
{
    const LRESULT nResult = Default();
    auto* pLayout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (!nResult || !pLayout || !pLayout->prc || !pLayout->pwpos)
        return nResult;
    // In single precision, as the factor is kept: 20 * 0.9f is exactly 18 there.
    const int nHeight = static_cast<int>(static_cast<float>(pLayout->pwpos->cy) * m_fHeightFactor);
    pLayout->pwpos->cy = nHeight;
    pLayout->prc->top = pLayout->pwpos->y + nHeight;
    return nResult;
}
