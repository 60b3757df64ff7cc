// The property frame's background layers and its copy of the parent's background.
#include "layout/property_frame.h"

namespace {

// pWnd's window rectangle in pParent's client coordinates.
CRect WindowRectIn(const CWnd* pWnd, const CWnd* pParent)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

CRect ClientRectOf(const CWnd* pWnd)
{
    CRect rc;
    pWnd->GetClientRect(&rc);
    return rc;
}

} // namespace

void CBasicPropertyFrame::PaintByMode(CWnd* pParent, CWnd* pWnd, Graphics* pGraphics, CDC* pDC)
{
    if (m_nPaintMode & PAINT_MODE_PARENT_BACKGROUND)
        PaintParentBackground(pParent, pWnd, pDC);
    if (!pGraphics || !HasWindow(pWnd))
        return;
    if (m_nPaintMode & PAINT_MODE_FILL)
        PaintFill(pWnd, *pGraphics);
    if (m_nPaintMode & PAINT_MODE_BORDER)
        PaintBorder(pWnd, *pGraphics);
    if (m_nPaintMode & PAINT_MODE_IMAGE)
        PaintImage(*pGraphics);
}

void CBasicPropertyFrame::RefreshParentSnapshot(CDC* pParentDC, CWnd* pWnd, CWnd* pParentWnd)
{
    if (!pParentDC || !HasWindow(pWnd) || !HasWindow(pParentWnd))
        return;
    const CRect rcClient = ClientRectOf(pWnd);
    const CRect rcWindow = WindowRectIn(pWnd, pParentWnd);
    TakeSnapshot(pParentDC, rcWindow.left, rcWindow.top, rcClient.Width(), rcClient.Height());
}

void CBasicPropertyFrame::TakeSnapshot(CDC* pSourceDC, int x, int y, int nWidth, int nHeight)
{
    m_pSnapshot.reset();
    auto pSnapshot = std::make_unique<CSnapshot>();
    pSnapshot->dc.CreateCompatibleDC(pSourceDC);
    pSnapshot->bitmap.CreateCompatibleBitmap(pSourceDC, nWidth, nHeight);
    pSnapshot->dc.SelectObject(&pSnapshot->bitmap);
    pSnapshot->dc.BitBlt(0, 0, nWidth, nHeight, pSourceDC, x, y, SRCCOPY);
    m_pSnapshot = std::move(pSnapshot);
}

void CBasicPropertyFrame::PaintParentBackground(CWnd* pParent, CWnd* pWnd, CDC* pDC)
{
    if (!pDC || !HasWindow(pParent) || !HasWindow(pWnd))
        return;
    const CRect rc = WindowRectIn(pWnd, pParent);
    // A snapshot taken here stays until the parent hands in a fresh one: taking it again at
    // every paint would copy this window's own earlier pixels back under it.
    if (!m_pSnapshot) {
        CClientDC parentDC(pParent);
        TakeSnapshot(&parentDC, rc.left, rc.top, rc.Width(), rc.Height());
    }
    pDC->BitBlt(0, 0, rc.Width(), rc.Height(), &m_pSnapshot->dc, 0, 0, SRCCOPY);
}

void CBasicPropertyFrame::PaintFill(CWnd* pWnd, Graphics& graphics) const
{
    const CRect rc = ClientRectOf(pWnd);
    graphics.FillRectangle(SolidBrush(m_clrFill), rc.left, rc.top, rc.Width(), rc.Height());
}

void CBasicPropertyFrame::PaintBorder(CWnd* pWnd, Graphics& graphics) const
{
    const CRect rc = ClientRectOf(pWnd);
    graphics.DrawRectangle(Pen(m_clrBorder, 1.0f), rc.left, rc.top, rc.right - 1 - rc.left, rc.bottom - 1 - rc.top);
}

void CBasicPropertyFrame::PaintImage(Graphics& graphics) const
{
    if (!m_pImage)
        return;
    const int nWidth = m_pImage->GetWidth();
    const int nHeight = m_pImage->GetHeight();
    graphics.DrawImage(*m_pImage, CRect(0, 0, nWidth, nHeight), 0, 0, nWidth, nHeight);
}
