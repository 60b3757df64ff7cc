// Device contexts, memory bitmaps, block copies, solid brushes and system colours over cairo.
#include "platform/gdi_internal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "platform/text_layout.h"

namespace velk::gdi {

namespace {

void SetSourceColor(cairo_t* pContext, COLORREF clr)
{
    cairo_set_source_rgb(pContext, GetRValue(clr) / 255.0, GetGValue(clr) / 255.0, GetBValue(clr) / 255.0);
}

CRect SurfaceBounds(cairo_surface_t* pSurface)
{
    return {0, 0, cairo_image_surface_get_width(pSurface), cairo_image_surface_get_height(pSurface)};
}

} // namespace

bool IsAllowedSurfaceSize(int nWidth, int nHeight)
{
    return nWidth >= 0 && nHeight >= 0 && nWidth <= kMaxSurfaceSide && nHeight <= kMaxSurfaceSide &&
           static_cast<long long>(nWidth) * nHeight <= kMaxSurfacePixels;
}

cairo_surface_t* CreateOpaqueSurface(int nWidth, int nHeight)
{
    if (!IsAllowedSurfaceSize(nWidth, nHeight))
        return nullptr;
    cairo_surface_t* pSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, nWidth, nHeight);
    if (cairo_surface_status(pSurface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pSurface);
        return nullptr;
    }
    return pSurface;
}

void InitTargetDC(CDC& dc, cairo_surface_t* pSurface, POINT ptOrigin, const CRegion& clip)
{
    CDC::CState& state = *dc.GetState();
    state.SetSurface(pSurface);
    state.ptOrigin = ptOrigin;
    state.clip = clip;
    state.bMemory = false;
}

} // namespace velk::gdi

using velk::gdi::CRegion;

CBitmap::CState::~CState() { cairo_surface_destroy(pSurface); }

CDC::CState::~CState() { cairo_surface_destroy(pSurface); }

void CDC::CState::SetSurface(cairo_surface_t* pNew)
{
    if (pNew)
        cairo_surface_reference(pNew);
    cairo_surface_destroy(pSurface);
    pSurface = pNew;
}

CRegion CDC::CState::VisibleArea() const
{
    if (!pSurface)
        return {};
    CRegion area(velk::gdi::SurfaceBounds(pSurface));
    if (clip)
        area.Intersect(*clip);
    return area;
}

cairo_t* CDC::CState::CreateContext() const
{
    if (!pSurface)
        return nullptr;
    cairo_t* pContext = cairo_create(pSurface);
    if (clip) {
        for (const CRect& rc : clip->Rects())
            cairo_rectangle(pContext, rc.left, rc.top, rc.Width(), rc.Height());
        cairo_clip(pContext);
    }
    cairo_translate(pContext, ptOrigin.x, ptOrigin.y);
    return pContext;
}

CDC::CDC() : m_pState(std::make_unique<CState>()) {}
CDC::~CDC() = default;

BOOL CDC::CreateCompatibleDC(CDC*)
{
    m_pState = std::make_unique<CState>();
    m_pState->bMemory = true;
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    m_pState = std::make_unique<CState>();
    return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (!pBitmap || !m_pState->bMemory)
        return nullptr;
    CBitmap* pOld = m_pState->pBitmap ? m_pState->pBitmap : &m_pState->defaultBitmap;
    m_pState->pBitmap = pBitmap == &m_pState->defaultBitmap ? nullptr : pBitmap;
    CBitmap::CState* pBitmapState = pBitmap->GetState();
    m_pState->SetSurface(pBitmapState ? pBitmapState->pSurface : nullptr);
    return pOld;
}

CFont* CDC::SelectObject(CFont* pFont)
{
    CFont* pOld = m_pState->pFont;
    m_pState->pFont = pFont;
    return pOld;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    CBrush* pOld = m_pState->pBrush;
    m_pState->pBrush = pBrush;
    return pOld;
}

CFont* CDC::GetCurrentFont() const { return m_pState->pFont; }

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    if (dwRop != SRCCOPY || !pSrcDC || !pSrcDC->m_pState->pSurface || nWidth <= 0 || nHeight <= 0)
        return FALSE;
    cairo_t* pContext = m_pState->CreateContext();
    if (!pContext)
        return FALSE;
    const CState& src = *pSrcDC->m_pState;
    // Only pixels that exist on the source are copied; the rest of the target stays as it was.
    CRect rcSource(src.ptOrigin.x + xSrc, src.ptOrigin.y + ySrc, src.ptOrigin.x + xSrc + nWidth,
                   src.ptOrigin.y + ySrc + nHeight);
    CRect rcCopy = CRect::Intersection(rcSource, velk::gdi::SurfaceBounds(src.pSurface));
    cairo_surface_t* pSource = cairo_surface_reference(src.pSurface);
    if (src.pSurface == m_pState->pSurface) {
        // A surface cannot be its own source: copy the block aside first.
        cairo_surface_t* pCopy = velk::gdi::CreateOpaqueSurface(rcCopy.Width(), rcCopy.Height());
        if (pCopy) {
            cairo_t* pCopyContext = cairo_create(pCopy);
            cairo_set_source_surface(pCopyContext, pSource, -rcCopy.left, -rcCopy.top);
            cairo_paint(pCopyContext);
            cairo_destroy(pCopyContext);
            cairo_surface_set_device_offset(pCopy, -rcCopy.left, -rcCopy.top);
        }
        cairo_surface_destroy(pSource);
        pSource = pCopy;
    }
    if (pSource && !rcCopy.IsRectEmpty()) {
        const int dx = x - rcSource.left;
        const int dy = y - rcSource.top;
        cairo_set_operator(pContext, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(pContext, pSource, dx, dy);
        cairo_rectangle(pContext, rcCopy.left + dx, rcCopy.top + dy, rcCopy.Width(), rcCopy.Height());
        cairo_fill(pContext);
    }
    cairo_surface_destroy(pSource);
    cairo_destroy(pContext);
    return TRUE;
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    if (lpRect)
        FillSolidRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    // As on the desktop platform, the fill colour becomes the background colour.
    m_pState->crBk = clr;
    if (cx <= 0 || cy <= 0)
        return;
    cairo_t* pContext = m_pState->CreateContext();
    if (!pContext)
        return;
    velk::gdi::SetSourceColor(pContext, clr);
    cairo_rectangle(pContext, x, y, cx, cy);
    cairo_fill(pContext);
    cairo_destroy(pContext);
}

int CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    if (!lpRect || !pBrush || !pBrush->GetSafeHandle())
        return 0;
    COLORREF crBk = m_pState->crBk;
    FillSolidRect(lpRect, pBrush->GetColor());
    m_pState->crBk = crBk;
    return 1;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const CState& state = *m_pState;
    if (!state.pSurface)
        return CLR_INVALID;
    POINT pt{state.ptOrigin.x + x, state.ptOrigin.y + y};
    if (!velk::gdi::SurfaceBounds(state.pSurface).PtInRect(pt) || (state.clip && !state.clip->Contains(pt)))
        return CLR_INVALID;
    cairo_surface_flush(state.pSurface);
    const unsigned char* pRow = cairo_image_surface_get_data(state.pSurface) +
                                static_cast<std::ptrdiff_t>(pt.y) * cairo_image_surface_get_stride(state.pSurface);
    std::uint32_t nPixel;
    std::memcpy(&nPixel, pRow + static_cast<std::ptrdiff_t>(pt.x) * 4, sizeof nPixel);
    return RGB((nPixel >> 16) & 0xFF, (nPixel >> 8) & 0xFF, nPixel & 0xFF);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    FillSolidRect(x, y, 1, 1, crColor);
    return GetPixel(x, y);
}

COLORREF CDC::SetTextColor(COLORREF crColor) { return std::exchange(m_pState->crText, crColor); }
COLORREF CDC::GetTextColor() const { return m_pState->crText; }
COLORREF CDC::SetBkColor(COLORREF crColor) { return std::exchange(m_pState->crBk, crColor); }
COLORREF CDC::GetBkColor() const { return m_pState->crBk; }
int CDC::SetBkMode(int nBkMode) { return std::exchange(m_pState->nBkMode, nBkMode); }
int CDC::GetBkMode() const { return m_pState->nBkMode; }

namespace {

velk::gdi::CTextSpec DrawTextSpec(const std::string& strText, const CFont* pFont, const RECT& rc, UINT nFormat)
{
    velk::gdi::CTextSpec text;
    text.strText = strText;
    text.pFont = velk::gdi::FontDescriptionOf(pFont);
    text.dWidth = rc.right - rc.left;
    text.nHorizontal = (nFormat & DT_CENTER) ? 1 : (nFormat & DT_RIGHT) ? 2 : 0;
    text.bWrap = (nFormat & DT_WORDBREAK) && !(nFormat & DT_SINGLELINE);
    if (nFormat & DT_SINGLELINE) {
        text.dHeight = rc.bottom - rc.top;
        text.nVertical = (nFormat & DT_VCENTER) ? 1 : (nFormat & DT_BOTTOM) ? 2 : 0;
    }
    if (nFormat & DT_END_ELLIPSIS) {
        text.trim = velk::gdi::TextTrim::Character;
        text.bEllipsis = true;
    }
    return text;
}

} // namespace

int CDC::DrawText(const std::string& strText, LPRECT lpRect, UINT nFormat)
{
    if (!lpRect)
        return 0;
    cairo_t* pContext = (nFormat & DT_CALCRECT) ? nullptr : m_pState->CreateContext();
    velk::gdi::CTextLayout layout(pContext, DrawTextSpec(strText, m_pState->pFont, *lpRect, nFormat));
    velk::gdi::CTextBox box = layout.Box(lpRect->left, lpRect->top);
    if (nFormat & DT_CALCRECT) {
        lpRect->right = lpRect->left + static_cast<int>(std::ceil(box.width));
        lpRect->bottom = lpRect->top + static_cast<int>(std::ceil(box.height));
        return static_cast<int>(std::ceil(box.height));
    }
    if (!pContext)
        return static_cast<int>(std::ceil(box.height));
    if (!(nFormat & DT_NOCLIP)) {
        cairo_rectangle(pContext, lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top);
        cairo_clip(pContext);
    }
    if (m_pState->nBkMode == OPAQUE) {
        velk::gdi::SetSourceColor(pContext, m_pState->crBk);
        cairo_rectangle(pContext, box.x, box.y, box.width, box.height);
        cairo_fill(pContext);
    }
    velk::gdi::SetSourceColor(pContext, m_pState->crText);
    layout.Draw(pContext, lpRect->left, lpRect->top);
    cairo_destroy(pContext);
    return static_cast<int>(std::ceil(box.height));
}

CSize CDC::GetTextExtent(const std::string& strText) const
{
    velk::gdi::CTextSpec text;
    text.strText = strText;
    text.pFont = velk::gdi::FontDescriptionOf(m_pState->pFont);
    text.bWrap = false;
    velk::gdi::CTextLayout layout(nullptr, text);
    velk::gdi::CTextBox box = layout.Box(0, 0);
    return {static_cast<int>(std::ceil(box.width)), static_cast<int>(std::ceil(box.height))};
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    if (!hIcon || !hIcon->GetState())
        return FALSE;
    cairo_t* pContext = m_pState->CreateContext();
    if (!pContext)
        return FALSE;
    cairo_set_source_surface(pContext, hIcon->GetState()->pSurface, x, y);
    cairo_paint(pContext);
    cairo_destroy(pContext);
    return TRUE;
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    CRegion area = m_pState->VisibleArea();
    if (lpRect) {
        CRect rc = area.Bounds();
        if (!rc.IsRectEmpty())
            rc.OffsetRect(-m_pState->ptOrigin.x, -m_pState->ptOrigin.y);
        *lpRect = rc;
    }
    return velk::gdi::RegionKind(area);
}

CBitmap::CBitmap() = default;
CBitmap::~CBitmap() = default;

BOOL CBitmap::CreateCompatibleBitmap(CDC*, int nWidth, int nHeight)
{
    m_pState.reset();
    nWidth = std::max(nWidth, 0);
    nHeight = std::max(nHeight, 0);
    if (!velk::gdi::IsAllowedSurfaceSize(nWidth, nHeight))
        return FALSE;
    auto pState = std::make_unique<CState>();
    if (nWidth > 0 && nHeight > 0) {
        pState->pSurface = velk::gdi::CreateOpaqueSurface(nWidth, nHeight);
        if (!pState->pSurface)
            return FALSE;
    }
    m_pState = std::move(pState);
    return TRUE;
}

int CBitmap::GetBitmap(BITMAP* pBitMap) const
{
    if (!m_pState || !pBitMap)
        return 0;
    *pBitMap = BITMAP{};
    if (m_pState->pSurface) {
        pBitMap->bmWidth = cairo_image_surface_get_width(m_pState->pSurface);
        pBitMap->bmHeight = cairo_image_surface_get_height(m_pState->pSurface);
        pBitMap->bmWidthBytes = cairo_image_surface_get_stride(m_pState->pSurface);
    }
    return static_cast<int>(sizeof(BITMAP));
}

BOOL CBitmap::DeleteObject()
{
    BOOL bHad = m_pState != nullptr;
    m_pState.reset();
    return bHad;
}

HBITMAP CBitmap::GetSafeHandle() const { return m_pState ? const_cast<CBitmap*>(this) : nullptr; }

CBrush::CBrush() = default;
CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
CBrush::~CBrush() = default;

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    m_crColor = crColor & 0xFFFFFF;
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::DeleteObject() { return std::exchange(m_bCreated, false); }

HBRUSH CBrush::GetSafeHandle() const { return m_bCreated ? const_cast<CBrush*>(this) : nullptr; }

COLORREF GetSysColor(int nIndex)
{
    switch (nIndex) {
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWFRAME: return RGB(192, 191, 188);
    case COLOR_HIGHLIGHT: return RGB(53, 132, 228);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(240, 240, 240);
    case COLOR_BTNSHADOW: return RGB(160, 160, 160);
    case COLOR_GRAYTEXT: return RGB(146, 146, 146);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DLIGHT: return RGB(227, 227, 227);
    case COLOR_INFOBK: return RGB(255, 255, 225);
    case COLOR_SCROLLBAR: return RGB(200, 200, 200);
    default: return RGB(0, 0, 0);
    }
}

HBRUSH GetSysColorBrush(int nIndex)
{
    static std::array<CBrush, 32> brushes;
    if (nIndex < 0 || nIndex >= static_cast<int>(brushes.size()))
        return nullptr;
    CBrush& brush = brushes[static_cast<std::size_t>(nIndex)];
    if (!brush.GetSafeHandle())
        brush.CreateSolidBrush(GetSysColor(nIndex));
    return &brush;
}
