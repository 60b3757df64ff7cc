// Inside the drawing layer: cairo surfaces and regions behind the GDI objects. Only platform/
// sources include this header.
#pragma once

// The layer's own headers come first: glib defines TRUE and FALSE as macros.
#include "platform/gdi.h"

#include <cairo.h>
#include <pango/pango.h>

#include <optional>
#include <string>
#include <vector>

namespace velk::gdi {

// Surfaces above these sizes are refused: sizes come from layout files and pictures.
constexpr int kMaxSurfaceSide = 16384;
constexpr long long kMaxSurfacePixels = 1LL << 26;
bool IsAllowedSurfaceSize(int nWidth, int nHeight);

// An opaque (RGB24) surface, cleared to black; null for sizes that are not allowed.
cairo_surface_t* CreateOpaqueSurface(int nWidth, int nHeight);

// An owned cairo region (rectangles in some pixel coordinate system).
class CRegion {
public:
    CRegion();
    explicit CRegion(const RECT& rc);
    CRegion(const CRegion& other);
    CRegion& operator=(const CRegion& other);
    ~CRegion();

    cairo_region_t* Get() const { return m_pRegion; }
    bool IsEmpty() const;
    CRect Bounds() const;
    bool Contains(POINT pt) const;
    std::vector<CRect> Rects() const;
    bool Equals(const CRegion& other) const;
    void Clear();
    void Union(const CRegion& other);
    void UnionRect(const RECT& rc);
    void Intersect(const CRegion& other);
    void IntersectRect(const RECT& rc);
    void Subtract(const CRegion& other);
    void Xor(const CRegion& other);
    void Translate(int dx, int dy);

private:
    cairo_region_t* m_pRegion;
};

// The kind of a region as GDI reports it.
int RegionKind(const CRegion& region);

} // namespace velk::gdi

struct CRgn::CState {
    velk::gdi::CRegion region;
};

struct CBitmap::CState {
    cairo_surface_t* pSurface = nullptr; // RGB24, owned reference
    ~CState();
};

struct CFont::CState {
    LOGFONT logFont;
    PangoFontDescription* pDescription = nullptr; // resolved face, em size in pixels
    ~CState();
};

struct CIcon::CState {
    cairo_surface_t* pSurface = nullptr; // ARGB32, owned reference
    ~CState();
};

struct CDC::CState {
    cairo_surface_t* pSurface = nullptr; // referenced; null draws nothing
    POINT ptOrigin;                      // where the DC's (0, 0) lies on the surface
    std::optional<velk::gdi::CRegion> clip; // surface coordinates; none: the whole surface
    bool bMemory = false;
    CBitmap defaultBitmap;
    CBitmap* pBitmap = nullptr;
    CFont* pFont = nullptr;
    CBrush* pBrush = nullptr;
    COLORREF crText = 0;
    COLORREF crBk = 0xFFFFFF;
    int nBkMode = OPAQUE;

    ~CState();
    void SetSurface(cairo_surface_t* pNew);
    // A cairo context at the DC's origin, clipped to its clip; null when there is no surface.
    cairo_t* CreateContext() const;
    // The visible area of the DC in surface coordinates.
    velk::gdi::CRegion VisibleArea() const;
};

namespace velk::gdi {

// Makes a window DC: it draws on pSurface with the DC's (0, 0) at ptOrigin, inside clip.
void InitTargetDC(CDC& dc, cairo_surface_t* pSurface, POINT ptOrigin, const CRegion& clip);

// The font description of a font, or the layer's default font when there is none.
const PangoFontDescription* FontDescriptionOf(const CFont* pFont);
// Resolves a face name through fontconfig to the best installed family.
std::string ResolveFontFamily(const std::string& strFace);

// Decodes a picture (any format the decoder reads) into a premultiplied ARGB32 surface; null for
// data that is unreadable, hostile or too large.
cairo_surface_t* DecodePicture(const void* pData, std::size_t nSize);
// Reads a whole file (backslash paths allowed), refusing files above a size limit.
bool ReadPictureFile(const std::string& strPath, std::vector<unsigned char>& data);

} // namespace velk::gdi
