// Plain value types that the platform layer and the system's code share: colours, points, sizes,
// rectangles and message parameters. No desktop library stands behind this header.
#pragma once

#include <algorithm>
#include <cstdint>

using UINT = unsigned int;
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG = std::int32_t;
using UINT_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;
using ATOM = WORD;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// A GDI-side colour: red in the low byte, then green, then blue.
using COLORREF = std::uint32_t;
// A graphics-side colour: alpha in the high byte, then red, green and blue.
using ARGB = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }

// The opaque ARGB value of a GDI-side colour.
constexpr ARGB ArgbFromColorRef(COLORREF c)
{
    return 0xFF000000u | (ARGB(GetRValue(c)) << 16) | (ARGB(GetGValue(c)) << 8) | GetBValue(c);
}

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int lo, int hi)
{
    return static_cast<LPARAM>(static_cast<DWORD>((lo & 0xFFFF) | ((hi & 0xFFFF) << 16)));
}
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return static_cast<WPARAM>(MAKELPARAM(lo, hi)); }
// Signed client coordinates packed into a message parameter.
constexpr int GET_X_LPARAM(LPARAM lp) { return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(lp))); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(lp))); }

struct POINT {
    int x = 0;
    int y = 0;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
};

struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

using LPINT = int*;
using LPPOINT = POINT*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;

constexpr bool operator==(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }
constexpr bool operator==(const SIZE& a, const SIZE& b) { return a.cx == b.cx && a.cy == b.cy; }
constexpr bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class CPoint : public POINT {
public:
    constexpr CPoint() = default;
    constexpr CPoint(int nX, int nY) : POINT{nX, nY} {}
    constexpr CPoint(const POINT& pt) : POINT(pt) {}
};

class CSize : public SIZE {
public:
    constexpr CSize() = default;
    constexpr CSize(int nCx, int nCy) : SIZE{nCx, nCy} {}
    constexpr CSize(const SIZE& size) : SIZE(size) {}
};

class CRect : public RECT {
public:
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& rc) : RECT(rc) {}
    constexpr CRect(POINT topLeft, SIZE size)
        : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool PtInRect(POINT pt) const
    {
        return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom;
    }
    constexpr void OffsetRect(int dx, int dy)
    {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    constexpr void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    constexpr void DeflateRect(int dx, int dy)
    {
        left += dx;
        right -= dx;
        top += dy;
        bottom -= dy;
    }
    constexpr void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    // The overlap of two rectangles; empty (all zero) when they do not overlap.
    static constexpr CRect Intersection(const RECT& a, const RECT& b)
    {
        CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom));
        return r.IsRectEmpty() ? CRect() : r;
    }
};
