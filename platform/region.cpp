// Regions: the owned cairo region behind CRgn, damage and clips.
#include "platform/gdi_internal.h"

namespace velk::gdi {

namespace {

cairo_rectangle_int_t ToCairo(const RECT& rc)
{
    CRect r(rc);
    if (r.IsRectEmpty())
        return {0, 0, 0, 0};
    return {r.left, r.top, r.Width(), r.Height()};
}

} // namespace

CRegion::CRegion() : m_pRegion(cairo_region_create()) {}

CRegion::CRegion(const RECT& rc)
{
    cairo_rectangle_int_t r = ToCairo(rc);
    m_pRegion = cairo_region_create_rectangle(&r);
}

CRegion::CRegion(const CRegion& other) : m_pRegion(cairo_region_copy(other.m_pRegion)) {}

CRegion& CRegion::operator=(const CRegion& other)
{
    if (this != &other) {
        cairo_region_t* pCopy = cairo_region_copy(other.m_pRegion);
        cairo_region_destroy(m_pRegion);
        m_pRegion = pCopy;
    }
    return *this;
}

CRegion::~CRegion() { cairo_region_destroy(m_pRegion); }

bool CRegion::IsEmpty() const { return cairo_region_is_empty(m_pRegion); }

CRect CRegion::Bounds() const
{
    if (IsEmpty())
        return {};
    cairo_rectangle_int_t r;
    cairo_region_get_extents(m_pRegion, &r);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

bool CRegion::Contains(POINT pt) const { return cairo_region_contains_point(m_pRegion, pt.x, pt.y); }

std::vector<CRect> CRegion::Rects() const
{
    std::vector<CRect> rects;
    int n = cairo_region_num_rectangles(m_pRegion);
    rects.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(m_pRegion, i, &r);
        rects.emplace_back(r.x, r.y, r.x + r.width, r.y + r.height);
    }
    return rects;
}

bool CRegion::Equals(const CRegion& other) const { return cairo_region_equal(m_pRegion, other.m_pRegion); }

void CRegion::Clear()
{
    cairo_region_destroy(m_pRegion);
    m_pRegion = cairo_region_create();
}

void CRegion::Union(const CRegion& other) { cairo_region_union(m_pRegion, other.m_pRegion); }

void CRegion::UnionRect(const RECT& rc)
{
    cairo_rectangle_int_t r = ToCairo(rc);
    if (r.width > 0)
        cairo_region_union_rectangle(m_pRegion, &r);
}

void CRegion::Intersect(const CRegion& other) { cairo_region_intersect(m_pRegion, other.m_pRegion); }

void CRegion::IntersectRect(const RECT& rc)
{
    cairo_rectangle_int_t r = ToCairo(rc);
    cairo_region_intersect_rectangle(m_pRegion, &r);
}

void CRegion::Subtract(const CRegion& other) { cairo_region_subtract(m_pRegion, other.m_pRegion); }

void CRegion::Xor(const CRegion& other) { cairo_region_xor(m_pRegion, other.m_pRegion); }

void CRegion::Translate(int dx, int dy) { cairo_region_translate(m_pRegion, dx, dy); }

int RegionKind(const CRegion& region)
{
    int n = cairo_region_num_rectangles(region.Get());
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

} // namespace velk::gdi

using velk::gdi::CRegion;

CRgn::CRgn() = default;
CRgn::~CRgn() = default;

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    m_pState = std::make_unique<CState>(CState{CRegion(CRect(x1, y1, x2, y2))});
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect)
{
    if (!lpRect)
        return FALSE;
    return CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!pRgn1 || !pRgn1->m_pState)
        return ERROR;
    const bool bNeedsSecond = nCombineMode != RGN_COPY;
    if (bNeedsSecond && (!pRgn2 || !pRgn2->m_pState))
        return ERROR;
    CRegion result = pRgn1->m_pState->region;
    switch (nCombineMode) {
    case RGN_AND: result.Intersect(pRgn2->m_pState->region); break;
    case RGN_OR: result.Union(pRgn2->m_pState->region); break;
    case RGN_XOR: result.Xor(pRgn2->m_pState->region); break;
    case RGN_DIFF: result.Subtract(pRgn2->m_pState->region); break;
    case RGN_COPY: break;
    default: return ERROR;
    }
    if (!m_pState)
        m_pState = std::make_unique<CState>();
    m_pState->region = result;
    return velk::gdi::RegionKind(m_pState->region);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) { return CombineRgn(pRgnSrc, nullptr, RGN_COPY); }

int CRgn::OffsetRgn(int x, int y)
{
    if (!m_pState)
        return ERROR;
    m_pState->region.Translate(x, y);
    return velk::gdi::RegionKind(m_pState->region);
}

BOOL CRgn::PtInRegion(int x, int y) const { return m_pState && m_pState->region.Contains({x, y}); }

BOOL CRgn::EqualRgn(const CRgn* pRgn) const
{
    return m_pState && pRgn && pRgn->m_pState && m_pState->region.Equals(pRgn->m_pState->region);
}

int CRgn::GetRgnBox(LPRECT lpRect) const
{
    if (!m_pState || !lpRect)
        return ERROR;
    *lpRect = m_pState->region.Bounds();
    return velk::gdi::RegionKind(m_pState->region);
}

BOOL CRgn::DeleteObject()
{
    BOOL bHad = m_pState != nullptr;
    m_pState.reset();
    return bHad;
}

HRGN CRgn::GetSafeHandle() const { return m_pState ? const_cast<CRgn*>(this) : nullptr; }
