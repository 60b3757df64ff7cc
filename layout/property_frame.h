// The look of a drawn window: paint mode, colours, a background image cut into slices, a font, a
// text with its offset, a copy of the parent's background, a tooltip. Every drawn dialog and
// control derives from it beside its platform window class; the frame paints only the background
// layers, the windows draw slices and texts themselves from its members. GUI thread only.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/gdi.h"
#include "platform/graphics.h"
#include "platform/window.h"

// Paint mode flags; the layers are drawn in the order parent background, fill, border, image.
constexpr int PAINT_MODE_BORDER = 1;
constexpr int PAINT_MODE_FILL = 2;
constexpr int PAINT_MODE_PARENT_BACKGROUND = 4;
constexpr int PAINT_MODE_IMAGE = 8;

// MoveBy's modes, for each direction.
constexpr int MOVE_MODE_KEEP = 1;
constexpr int MOVE_MODE_MOVE = 2;
constexpr int MOVE_MODE_STRETCH = 3;

// The window class of the platform's tooltip control.
inline constexpr const char* kToolTipClassName = "tooltips_class32";

class CBasicPropertyFrame {
public:
    // Slice count 1, white fill and border, black text, the face "宋体" at 12 pixels, no text, no
    // image, no snapshot, no tooltip, everything else 0.
    CBasicPropertyFrame();
    // Also destroys the tooltip window, which is owned by the served window's dialog and would
    // otherwise outlive the window it describes.
    virtual ~CBasicPropertyFrame();
    CBasicPropertyFrame(const CBasicPropertyFrame&) = delete;
    CBasicPropertyFrame& operator=(const CBasicPropertyFrame&) = delete;

    // Draws the layers the paint mode asks for into pDC (pGraphics draws on pDC): the parent's
    // background under pWnd from the snapshot (taken now when there is none), the fill, the
    // one-pixel outer ring and the whole image at 0,0 unscaled. A missing parent, window,
    // graphics or DC skips the layers that need it.
    virtual void PaintByMode(CWnd* pParent, CWnd* pWnd, Graphics* pGraphics, CDC* pDC);
    // Moves (mode 2) or stretches (mode 3) pWnd by dx and dy, or keeps a direction (mode 1); any
    // other mode in either direction changes nothing at all.
    virtual void MoveBy(CWnd* pWnd, int dx, int dy, int nHorizontalMode, int nVerticalMode);
    // The resize hook, with the change of client width and height; does nothing.
    virtual void OnResize(int dx, int dy);

    // Replaces the snapshot with the pixels of pParentDC under pWnd (pParentDC holds
    // pParentWnd's client area); nothing happens without a parent window or window.
    void RefreshParentSnapshot(CDC* pParentDC, CWnd* pWnd, CWnd* pParentWnd);
    // Gives pWnd a tooltip showing strText; without a tooltip window class pWnd gets none.
    void AttachToolTip(const std::string& strText, CWnd* pWnd);

    // Loads the picture at strPath (backslashes allowed) in place of the current image and
    // measures it; an unreadable file gives an image without pixels.
    void SetBackgroundImage(const std::string& strPath, int nSliceCount, int nOriginX, int nOriginY);
    // With an image: reads its size, sets the slice count (0 counts as 1) and the slice width.
    // Without an image it changes nothing.
    void MeasureImage(int nSliceCount);
    // Colours are given with red in the low byte and kept as opaque ARGB values.
    void SetFillColor(COLORREF clrFill);
    void SetBorderColor(COLORREF clrBorder);
    void SetTextColor(COLORREF clrText);
    // An empty text is a text; only a new frame has none.
    void SetText(const std::string& strText, int nOffsetX, int nOffsetY);
    // A face that is not installed resolves to the best installed match.
    void SetTextFont(const std::string& strFaceName, int nSize);
    void SetPaintMode(int nPaintMode) { m_nPaintMode = nPaintMode; }
    void SetCurrentSlice(int nSlice) { m_nCurrentSlice = nSlice; }
    void SetLastClientRect(const CRect& rcClient) { m_rcLastClient = rcClient; }
    void SetLayoutLoaded(bool bLoaded) { m_bLayoutLoaded = bLoaded ? TRUE : FALSE; }

    int GetPaintMode() const { return m_nPaintMode; }
    ARGB GetBorderColor() const { return m_clrBorder; }
    ARGB GetFillColor() const { return m_clrFill; }
    ARGB GetTextColor() const { return m_clrText; }
    // Null when no image was set.
    const Image* GetImage() const { return m_pImage.get(); }
    CPoint GetImageOrigin() const { return m_ptImageOrigin; }
    int GetImageWidth() const { return m_nImageWidth; }
    int GetImageHeight() const { return m_nImageHeight; }
    int GetSliceWidth() const { return m_nSliceWidth; }
    int GetSliceCount() const { return m_nSliceCount; }
    int GetCurrentSlice() const { return m_nCurrentSlice; }
    // Named apart from CWnd::GetFont, which every drawn window also inherits.
    const Font& GetTextFont() const { return *m_pFont; }
    // None until a text is set.
    const std::optional<std::string>& GetText() const { return m_strText; }
    CPoint GetTextOffset() const { return m_ptTextOffset; }
    CRect GetLastClientRect() const { return m_rcLastClient; }
    bool IsLayoutLoaded() const { return m_bLayoutLoaded != FALSE; }
    HWND GetToolTip() const { return m_hToolTip; }
    // The parent-background snapshot, or null while there is none.
    CDC* GetParentSnapshot() const { return m_pSnapshot ? &m_pSnapshot->dc : nullptr; }

private:
    // A memory DC with a bitmap of the window's size selected into it; the DC goes first.
    struct CSnapshot {
        CBitmap bitmap;
        CDC dc;
    };

    // A window object with a live window.
    static bool HasWindow(const CWnd* pWnd);
    void TakeSnapshot(CDC* pSourceDC, int x, int y, int nWidth, int nHeight);
    void PaintParentBackground(CWnd* pParent, CWnd* pWnd, CDC* pDC);
    void PaintFill(CWnd* pWnd, Graphics& graphics) const;
    void PaintBorder(CWnd* pWnd, Graphics& graphics) const;
    void PaintImage(Graphics& graphics) const;

    std::unique_ptr<CSnapshot> m_pSnapshot;
    int m_nPaintMode = 0;
    ARGB m_clrBorder = 0xFFFFFFFF;
    ARGB m_clrFill = 0xFFFFFFFF;
    std::unique_ptr<Image> m_pImage;
    CPoint m_ptImageOrigin;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nSliceWidth = 0;
    int m_nSliceCount = 1;
    int m_nCurrentSlice = 0;
    std::unique_ptr<Font> m_pFont;
    ARGB m_clrText = 0xFF000000;
    std::optional<std::string> m_strText;
    CPoint m_ptTextOffset;
    CRect m_rcLastClient;
    BOOL m_bLayoutLoaded = FALSE;
    HWND m_hToolTip = nullptr;
};
