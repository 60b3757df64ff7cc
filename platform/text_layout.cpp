// Laid-out text over pango: wrapping at words, alignment on both axes, trimming with an ellipsis.
#include "platform/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace velk::gdi {

namespace {

constexpr const char* kEllipsis = "\u2026";

double Units(int nPangoUnits) { return static_cast<double>(nPangoUnits) / PANGO_SCALE; }

std::string WithoutTrailingSpace(std::string strText)
{
    while (!strText.empty() && (strText.back() == ' ' || strText.back() == '\t' || strText.back() == '\n'))
        strText.pop_back();
    return strText;
}

} // namespace

std::string ValidUtf8(const std::string& strText)
{
    if (g_utf8_validate(strText.data(), static_cast<gssize>(strText.size()), nullptr))
        return strText;
    gchar* pValid = g_utf8_make_valid(strText.data(), static_cast<gssize>(strText.size()));
    std::string strValid(pValid);
    g_free(pValid);
    return strValid;
}

CTextLayout::CTextLayout(cairo_t* pContext, const CTextSpec& wanted) : m_spec(wanted)
{
    m_spec.strText = ValidUtf8(wanted.strText);
    m_bEmpty = m_spec.strText.empty() || !m_spec.pFont;
    if (!pContext) {
        m_pScratchSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        m_pScratch = cairo_create(m_pScratchSurface);
        pContext = m_pScratch;
    }
    m_pLayout = pango_cairo_create_layout(pContext);
    if (m_spec.pFont)
        pango_layout_set_font_description(m_pLayout, m_spec.pFont);
    Build(m_spec.strText);
    if (!Fits() && m_spec.trim != TextTrim::None)
        Trim();
}

CTextLayout::~CTextLayout()
{
    g_object_unref(m_pLayout);
    if (m_pScratch)
        cairo_destroy(m_pScratch);
    if (m_pScratchSurface)
        cairo_surface_destroy(m_pScratchSurface);
}

void CTextLayout::Build(const std::string& strText)
{
    pango_layout_set_text(m_pLayout, strText.c_str(), static_cast<int>(strText.size()));
    m_bLayoutWidth = false;
    pango_layout_set_width(m_pLayout, -1);
    pango_layout_set_ellipsize(m_pLayout, PANGO_ELLIPSIZE_NONE);
    pango_layout_set_single_paragraph_mode(m_pLayout, !m_spec.bWrap);
    if (m_spec.dWidth > 0 && (m_spec.bWrap || (m_spec.bEllipsis && m_spec.trim == TextTrim::Character))) {
        m_bLayoutWidth = true;
        pango_layout_set_width(m_pLayout, static_cast<int>(std::lround(m_spec.dWidth * PANGO_SCALE)));
        if (m_spec.bWrap)
            pango_layout_set_wrap(m_pLayout, PANGO_WRAP_WORD_CHAR);
        else
            pango_layout_set_ellipsize(m_pLayout, PANGO_ELLIPSIZE_END);
    }
    static const PangoAlignment alignments[] = {PANGO_ALIGN_LEFT, PANGO_ALIGN_CENTER, PANGO_ALIGN_RIGHT};
    pango_layout_set_alignment(m_pLayout, alignments[std::clamp(m_spec.nHorizontal, 0, 2)]);
}

bool CTextLayout::Fits() const
{
    if (m_spec.dHeight <= 0 || !m_spec.bWrap)
        return true;
    PangoRectangle logical;
    pango_layout_line_get_extents(pango_layout_get_line_readonly(m_pLayout, 0), nullptr, &logical);
    const double dLine = std::max(1.0, Units(logical.height));
    // At least one line always shows, even when it is taller than the rectangle.
    const int nMaxLines = std::max(1, static_cast<int>(std::floor(m_spec.dHeight / dLine + 1e-6)));
    return LineCount() <= nMaxLines;
}

void CTextLayout::Trim()
{
    const std::string strFull = m_spec.strText;
    int nAttrs = 0;
    const PangoLogAttr* pAttrs = pango_layout_get_log_attrs_readonly(m_pLayout, &nAttrs);
    std::vector<std::size_t> cuts;
    for (int i = 1; i < nAttrs; ++i) {
        bool bCut = m_spec.trim == TextTrim::Word ? pAttrs[i].is_line_break : pAttrs[i].is_cursor_position;
        if (bCut)
            cuts.push_back(static_cast<std::size_t>(g_utf8_offset_to_pointer(strFull.c_str(), i) - strFull.c_str()));
    }
    auto candidate = [&](std::size_t nBytes) {
        return WithoutTrailingSpace(strFull.substr(0, nBytes)) + (m_spec.bEllipsis ? kEllipsis : "");
    };
    // The longest cut that still fits; fitting shrinks with the text, so halving finds it.
    std::size_t nLow = 0;
    std::size_t nHigh = cuts.size();
    while (nLow < nHigh) {
        std::size_t nMiddle = (nLow + nHigh + 1) / 2;
        Build(candidate(cuts[nMiddle - 1]));
        if (Fits())
            nLow = nMiddle;
        else
            nHigh = nMiddle - 1;
    }
    Build(nLow == 0 ? candidate(0) : candidate(cuts[nLow - 1]));
}

int CTextLayout::LineCount() const { return pango_layout_get_line_count(m_pLayout); }

CTextBox CTextLayout::Box(double x, double y) const
{
    if (m_bEmpty)
        return {x, y, 0, 0};
    PangoRectangle logical;
    pango_layout_get_extents(m_pLayout, nullptr, &logical);
    CTextBox box;
    box.width = Units(logical.width);
    box.height = Units(logical.height);
    if (m_bLayoutWidth) {
        box.x = x + Units(logical.x);
    } else {
        const double dSpace = m_spec.dWidth > 0 ? m_spec.dWidth - box.width : -box.width;
        box.x = m_spec.nHorizontal == 1 ? x + dSpace / 2 : m_spec.nHorizontal == 2 ? x + dSpace : x;
    }
    const double dSpace = m_spec.dHeight > 0 ? m_spec.dHeight - box.height : -box.height;
    box.y = m_spec.nVertical == 1 ? y + dSpace / 2 : m_spec.nVertical == 2 ? y + dSpace : y;
    return box;
}

void CTextLayout::Draw(cairo_t* pContext, double x, double y) const
{
    if (m_bEmpty)
        return;
    PangoRectangle logical;
    pango_layout_get_extents(m_pLayout, nullptr, &logical);
    CTextBox box = Box(x, y);
    cairo_move_to(pContext, box.x - Units(logical.x), box.y - Units(logical.y));
    pango_cairo_update_layout(pContext, m_pLayout);
    pango_cairo_show_layout(pContext, m_pLayout);
}

} // namespace velk::gdi
