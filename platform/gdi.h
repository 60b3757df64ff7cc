// GDI-side drawing: device contexts over pixel surfaces, memory bitmaps, block copies, regions,
// fonts, solid brushes, icons and bitmap files. Colours are COLORREF values (red in the low byte).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/handles.h"
#include "platform/types.h"

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Region combination modes and results.
constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;
constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// System colours.
constexpr int COLOR_SCROLLBAR = 0;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;
constexpr int COLOR_3DLIGHT = 22;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;
COLORREF GetSysColor(int nIndex);
// A brush of a system colour, owned by the layer (never deleted by callers).
HBRUSH GetSysColorBrush(int nIndex);

// The face-name field holds LF_FACESIZE - 1 characters (of up to four UTF-8 bytes each) and a NUL.
constexpr int LF_FACESIZE = 32;
constexpr LONG FW_NORMAL = 400;
constexpr LONG FW_BOLD = 700;

struct LOGFONT {
    LONG lfHeight = 0; // > 0: cell height in pixels; < 0: character (em) height; 0: default
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0; // 0 counts as FW_NORMAL
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE * 4] = {};
};

// Copies at most LF_FACESIZE - 1 characters of a UTF-8 face name into lf, cutting only between
// characters, always terminated. Returns false when the name had to be cut.
bool SetLogFontFaceName(LOGFONT& lf, std::string_view faceName);

struct BITMAP {
    LONG bmType = 0;
    LONG bmWidth = 0;
    LONG bmHeight = 0;
    LONG bmWidthBytes = 0;
    WORD bmPlanes = 1;
    WORD bmBitsPixel = 32;
    void* bmBits = nullptr;
};

// A region of pixels: a set of rectangles.
class CRgn {
public:
    CRgn();
    ~CRgn();
    CRgn(const CRgn&) = delete;
    CRgn& operator=(const CRgn&) = delete;

    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    // this = pRgn1 <mode> pRgn2 (pRgn2 unused for RGN_COPY); returns the kind of the result.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    int OffsetRgn(int x, int y);
    BOOL PtInRegion(int x, int y) const;
    BOOL EqualRgn(const CRgn* pRgn) const;
    // The bounding box; returns the kind of the region.
    int GetRgnBox(LPRECT lpRect) const;
    BOOL DeleteObject();
    HRGN GetSafeHandle() const;

    struct CState;
    CState* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CState> m_pState;
};

class CBrush {
public:
    CBrush();
    explicit CBrush(COLORREF crColor);
    ~CBrush();
    CBrush(const CBrush&) = delete;
    CBrush& operator=(const CBrush&) = delete;

    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL DeleteObject();
    HBRUSH GetSafeHandle() const;
    COLORREF GetColor() const { return m_crColor; }

private:
    bool m_bCreated = false;
    COLORREF m_crColor = 0;
};

class CFont {
public:
    CFont();
    ~CFont();
    CFont(const CFont&) = delete;
    CFont& operator=(const CFont&) = delete;

    // Makes the font; a face that is not installed resolves to the best installed match.
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont);
    int GetLogFont(LOGFONT* pLogFont) const;
    BOOL DeleteObject();
    HFONT GetSafeHandle() const;

    struct CState;
    CState* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CState> m_pState;
};

// A pixel bitmap without alpha (what GDI draws into).
class CBitmap {
public:
    CBitmap();
    ~CBitmap();
    CBitmap(const CBitmap&) = delete;
    CBitmap& operator=(const CBitmap&) = delete;

    // A bitmap of the given size for pDC (contents black); fails for sizes the layer refuses.
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // Loads a Windows bitmap file (BMP); the path may use backslashes.
    BOOL LoadBitmapFile(const std::string& strPath);
    // Fills in width and height; 0 when there is no bitmap.
    int GetBitmap(BITMAP* pBitMap) const;
    BOOL DeleteObject();
    HBITMAP GetSafeHandle() const;

    struct CState;
    CState* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CState> m_pState;
};

// A window icon: a picture with alpha.
class CIcon {
public:
    CIcon();
    ~CIcon();
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    // Any picture format the image decoder reads (PNG, BMP, ...); false leaves no icon.
    BOOL LoadFromFile(const std::string& strPath);
    BOOL LoadFromMemory(const void* pData, std::size_t nSize);
    int GetWidth() const;
    int GetHeight() const;
    HICON GetSafeHandle() const;

    struct CState;
    CState* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CState> m_pState;
};

// A drawing target: a surface with an origin and a clip. Memory DCs draw into the bitmap selected
// into them; window DCs come from the window system and draw into a top-level window's frame.
class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    static CDC* FromHandle(HDC hDC) { return hDC; }
    HDC GetSafeHdc() { return this; }

    // A memory DC that draws nothing until a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // Each returns the object selected before (for a memory DC, first its empty default bitmap).
    CBitmap* SelectObject(CBitmap* pBitmap);
    CFont* SelectObject(CFont* pFont);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* GetCurrentFont() const;

    // Copies pixels (SRCCOPY only) from pSrcDC at (xSrc, ySrc) to (x, y).
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    int FillRect(LPCRECT lpRect, CBrush* pBrush);
    // CLR_INVALID outside the surface and the clip.
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT point) const { return GetPixel(point.x, point.y); }
    COLORREF SetPixel(int x, int y, COLORREF crColor);

    COLORREF SetTextColor(COLORREF crColor);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF crColor);
    COLORREF GetBkColor() const;
    int SetBkMode(int nBkMode);
    int GetBkMode() const;

    // Text in the selected font and text colour (DT_ formats); returns the text height.
    int DrawText(const std::string& strText, LPRECT lpRect, UINT nFormat);
    CSize GetTextExtent(const std::string& strText) const;
    BOOL DrawIcon(int x, int y, HICON hIcon);
    // The clip's bounding box in this DC's coordinates; returns the kind of the clip.
    int GetClipBox(LPRECT lpRect) const;

    struct CState;
    CState* GetState() const { return m_pState.get(); }

private:
    std::unique_ptr<CState> m_pState;
};
