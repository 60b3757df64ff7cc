// Damage and painting: WM_NCPAINT, WM_ERASEBKGND and WM_PAINT to damaged windows, parents before
// children and lower siblings before higher ones, into the top-level window's frame buffer; the
// host then presents what changed, once per round.
#include "platform/window_system.h"

#include <algorithm>

namespace velk::platform {

namespace {

CRect ClientArea(const CWindowRecord* pRecord) { return {0, 0, pRecord->rcClient.Width(), pRecord->rcClient.Height()}; }

} // namespace

void CWindowSystem::ResizeFrame(CWindowRecord* pRecord)
{
    cairo_surface_destroy(pRecord->pFrame);
    // A window too large for a frame shows nothing rather than failing.
    pRecord->pFrame = velk::gdi::CreateOpaqueSurface(pRecord->rcWindow.Width(), pRecord->rcWindow.Height());
    pRecord->presentDamage.Clear();
}

void CWindowSystem::InvalidateClient(CWindowRecord* pRecord, const CRegion* pArea, bool bErase)
{
    CRegion area(ClientArea(pRecord));
    if (pArea)
        area.Intersect(*pArea);
    if (area.IsEmpty())
        return;
    pRecord->damage.Union(area);
    pRecord->bErase = pRecord->bErase || bErase;
}

void CWindowSystem::InvalidateWhole(CWindowRecord* pRecord)
{
    InvalidateClient(pRecord, nullptr, true);
    pRecord->bNcDamage = true;
}

void CWindowSystem::InvalidateParentUnder(CWindowRecord* pRecord)
{
    CWindowRecord* pParent = Find(pRecord->hParent);
    if (!pParent)
        return;
    // A child's window rectangle is in its parent's client coordinates already.
    CRegion area(pRecord->rcWindow);
    InvalidateClient(pParent, &area, true);
}

void CWindowSystem::Validate(CWindowRecord* pRecord, const CRegion* pArea)
{
    if (pArea)
        pRecord->damage.Subtract(*pArea);
    else
        pRecord->damage.Clear();
    if (pRecord->damage.IsEmpty())
        pRecord->bErase = false;
}

bool CWindowSystem::HasDamage() const
{
    for (const auto& [hWnd, pRecord] : m_records)
        if ((!pRecord->damage.IsEmpty() || pRecord->bNcDamage) && IsVisible(pRecord.get()))
            return true;
    return false;
}

void CWindowSystem::PaintAll()
{
    std::vector<HWND> tops = m_topLevels;
    for (HWND hTop : tops)
        if (CWindowRecord* pTop = Find(hTop))
            PaintTopLevel(pTop);
}

namespace {

// Paint order: a window, then its children from the bottom of their z-order to the top.
void CollectPaintOrder(const CWindowSystem& system, HWND hWnd, std::vector<HWND>& order)
{
    order.push_back(hWnd);
    if (const CWindowRecord* pRecord = system.Find(hWnd))
        for (auto it = pRecord->children.rbegin(); it != pRecord->children.rend(); ++it)
            CollectPaintOrder(system, *it, order);
}

} // namespace

void CWindowSystem::PaintTopLevel(CWindowRecord* pTop)
{
    if (m_bPainting)
        return;
    const HWND hTop = pTop->hWnd;
    std::vector<HWND> order;
    CollectPaintOrder(*this, hTop, order);
    if (!pTop->pFrame) {
        // A window without a frame (too large, or empty) has nothing to paint into.
        for (HWND hWnd : order) {
            if (CWindowRecord* pRecord = Find(hWnd)) {
                Validate(pRecord, nullptr);
                pRecord->bNcDamage = false;
            }
        }
        return;
    }
    m_bPainting = true;
    // What earlier windows repaint is damage for every later window over it.
    CRegion repainted;
    for (HWND hWnd : order) {
        CWindowRecord* pRecord = Find(hWnd);
        if (!pRecord || !IsVisible(pRecord))
            continue;
        const CRegion windowArea = VisibleFrameArea(pRecord, false);
        const CRegion clientArea = VisibleFrameArea(pRecord, true);
        CRegion ring = windowArea;
        ring.Subtract(clientArea);
        CRegion inherited = repainted;
        inherited.Intersect(windowArea);

        CRegion clientPaint = pRecord->damage;
        POINT ptClient = ClientOriginInFrame(pRecord);
        clientPaint.Translate(ptClient.x, ptClient.y);
        clientPaint.Union(inherited);
        clientPaint.Intersect(clientArea);
        CRegion ringPaint = inherited;
        ringPaint.Intersect(ring);
        const bool bNcPaint = (pRecord->bNcDamage || !ringPaint.IsEmpty()) && !ring.IsEmpty();
        const bool bErase = pRecord->bErase || !inherited.IsEmpty();
        pRecord->damage.Clear();
        pRecord->bErase = false;
        pRecord->bNcDamage = false;

        if (bNcPaint) {
            repainted.Union(ring);
            Send(hWnd, WM_NCPAINT, 1, 0);
        }
        if (clientPaint.IsEmpty() || !(pRecord = Find(hWnd)))
            continue;
        repainted.Union(clientPaint);
        pRecord->painting = clientPaint;
        pRecord->bPaintErase = bErase;
        if (bErase) {
            CDC dc;
            PrepareDC(dc, pRecord, false, &clientPaint);
            pRecord->bPaintErase = !Send(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
        }
        if ((pRecord = Find(hWnd)) == nullptr)
            continue;
        Send(hWnd, WM_PAINT, 0, 0);
        if ((pRecord = Find(hWnd)) != nullptr)
            pRecord->painting.reset();
    }
    if ((pTop = Find(hTop)) != nullptr)
        pTop->presentDamage.Union(repainted);
    m_bPainting = false;
    if (pTop && m_pHost && !pTop->presentDamage.IsEmpty()) {
        m_pHost->PresentNativeWindow(hTop, FrameView(pTop->pFrame), pTop->presentDamage.Rects());
        pTop->presentDamage.Clear();
    }
}

void CWindowSystem::PresentAll()
{
    if (!m_pHost)
        return;
    for (HWND hTop : m_topLevels) {
        CWindowRecord* pTop = Find(hTop);
        if (!pTop || pTop->presentDamage.IsEmpty() || !pTop->pFrame)
            continue;
        pTop->presentDamage.IntersectRect(CRect(0, 0, pTop->rcWindow.Width(), pTop->rcWindow.Height()));
        if (!pTop->presentDamage.IsEmpty())
            m_pHost->PresentNativeWindow(hTop, FrameView(pTop->pFrame), pTop->presentDamage.Rects());
        pTop->presentDamage.Clear();
    }
}

void CWindowSystem::PrepareDC(CDC& dc, const CWindowRecord* pRecord, bool bWholeWindow, const CRegion* pFrameClip) const
{
    const CWindowRecord* pTop = TopLevelOf(const_cast<CWindowRecord*>(pRecord));
    CRegion clip = VisibleFrameArea(pRecord, !bWholeWindow);
    if (pFrameClip)
        clip.Intersect(*pFrameClip);
    POINT ptOrigin = bWholeWindow ? WindowOriginInFrame(pRecord) : ClientOriginInFrame(pRecord);
    velk::gdi::InitTargetDC(dc, pTop ? pTop->pFrame : nullptr, ptOrigin, clip);
}

CDC* CWindowSystem::OpenDC(HWND hWnd, bool bWholeWindow)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return nullptr;
    auto pDC = std::make_unique<CDC>();
    PrepareDC(*pDC, pRecord, bWholeWindow, nullptr);
    pRecord->openDCs.push_back(std::move(pDC));
    return pRecord->openDCs.back().get();
}

bool CWindowSystem::CloseDC(HWND hWnd, CDC* pDC)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord || !pDC)
        return false;
    auto it = std::find_if(pRecord->openDCs.begin(), pRecord->openDCs.end(),
                           [pDC](const std::unique_ptr<CDC>& p) { return p.get() == pDC; });
    if (it == pRecord->openDCs.end())
        return false;
    // What was drawn outside a paint round is presented at the next idle moment.
    if (CWindowRecord* pTop = TopLevelOf(pRecord))
        pTop->presentDamage.Union(pDC->GetState()->VisibleArea());
    pRecord->openDCs.erase(it);
    return true;
}

void CWindowSystem::BeginPaint(HWND hWnd, CDC& dc, PAINTSTRUCT& ps)
{
    ps = PAINTSTRUCT{};
    ps.hdc = &dc;
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return;
    CRegion area;
    if (pRecord->painting) {
        area = *pRecord->painting;
        ps.fErase = pRecord->bPaintErase ? TRUE : FALSE;
    } else {
        // Outside a paint round, painting covers (and validates) whatever is damaged now.
        area = pRecord->damage;
        POINT pt = ClientOriginInFrame(pRecord);
        area.Translate(pt.x, pt.y);
        ps.fErase = pRecord->bErase ? TRUE : FALSE;
        Validate(pRecord, nullptr);
    }
    PrepareDC(dc, pRecord, false, &area);
    CRect rcPaint = dc.GetState()->VisibleArea().Bounds();
    if (!rcPaint.IsRectEmpty()) {
        POINT pt = ClientOriginInFrame(pRecord);
        rcPaint.OffsetRect(-pt.x, -pt.y);
    }
    ps.rcPaint = rcPaint;
}

void CWindowSystem::EndPaint(HWND hWnd, CDC& dc)
{
    if (CWindowRecord* pRecord = Find(hWnd)) {
        if (CWindowRecord* pTop = TopLevelOf(pRecord))
            pTop->presentDamage.Union(dc.GetState()->VisibleArea());
    }
    dc.DeleteDC();
}

CDC* CWindowSystem::BeginPaint(HWND hWnd, PAINTSTRUCT& ps)
{
    CWindowRecord* pRecord = Find(hWnd);
    if (!pRecord)
        return nullptr;
    pRecord->openDCs.push_back(std::make_unique<CDC>());
    CDC* pDC = pRecord->openDCs.back().get();
    BeginPaint(hWnd, *pDC, ps);
    return pDC;
}

void CWindowSystem::EndPaint(HWND hWnd, const PAINTSTRUCT& ps)
{
    CloseDC(hWnd, ps.hdc);
}

void CWindowSystem::ExposeFrame(HWND hTop, const CRect& rc)
{
    if (CWindowRecord* pTop = Find(hTop); pTop && !pTop->IsChild())
        pTop->presentDamage.UnionRect(rc);
}

} // namespace velk::platform
