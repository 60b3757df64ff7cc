// Inside the drawing layer: one laid-out text (pango) for measuring and drawing, with wrapping,
// alignment and trimming, shared by CDC::DrawText and Graphics.
#pragma once

#include "platform/types.h"

#include <cairo.h>
#include <pango/pango.h>

#include <string>

namespace velk::gdi {

enum class TextTrim { None, Character, Word };

struct CTextSpec {
    std::string strText;
    const PangoFontDescription* pFont = nullptr;
    double dWidth = 0;  // <= 0: no width (no wrapping, no horizontal trimming)
    double dHeight = 0; // <= 0: no height limit
    int nHorizontal = 0; // 0 near, 1 centre, 2 far
    int nVertical = 0;
    bool bWrap = true;
    TextTrim trim = TextTrim::None;
    bool bEllipsis = false;
};

struct CTextBox {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

class CTextLayout {
public:
    // Lays the text out for drawing on pContext (null: for measuring only).
    CTextLayout(cairo_t* pContext, const CTextSpec& wanted);
    ~CTextLayout();
    CTextLayout(const CTextLayout&) = delete;
    CTextLayout& operator=(const CTextLayout&) = delete;

    // Where the text lies for a layout rectangle whose top-left corner is (x, y).
    CTextBox Box(double x, double y) const;
    void Draw(cairo_t* pContext, double x, double y) const;
    int LineCount() const;

private:
    void Build(const std::string& strText);
    bool Fits() const;
    void Trim();

    CTextSpec m_spec;
    cairo_t* m_pScratch = nullptr;
    cairo_surface_t* m_pScratchSurface = nullptr;
    PangoLayout* m_pLayout = nullptr;
    bool m_bLayoutWidth = false;
    bool m_bEmpty = false;
};

// Replaces invalid UTF-8 with U+FFFD.
std::string ValidUtf8(const std::string& strText);

} // namespace velk::gdi
