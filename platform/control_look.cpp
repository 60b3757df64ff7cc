// Shapes of the standard controls' look, drawn with cairo (anti-aliased) on a CDC.
#include "platform/control_look.h"

#include "platform/gdi_internal.h"

#include <algorithm>
#include <cmath>

namespace velk::look {

namespace {

// A cairo context on the DC for the length of one shape.
class CShape {
public:
    explicit CShape(CDC& dc) : m_pContext(dc.GetState()->CreateContext()) {}
    ~CShape()
    {
        if (m_pContext)
            cairo_destroy(m_pContext);
    }
    CShape(const CShape&) = delete;
    CShape& operator=(const CShape&) = delete;

    cairo_t* get() const { return m_pContext; }
    explicit operator bool() const { return m_pContext != nullptr; }

private:
    cairo_t* m_pContext;
};

void SetColor(cairo_t* pContext, COLORREF clr)
{
    cairo_set_source_rgb(pContext, GetRValue(clr) / 255.0, GetGValue(clr) / 255.0, GetBValue(clr) / 255.0);
}

void RoundRectPath(cairo_t* pContext, double x, double y, double w, double h, double r)
{
    r = std::max(0.0, std::min({r, w / 2, h / 2}));
    cairo_new_sub_path(pContext);
    cairo_arc(pContext, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(pContext, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(pContext, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(pContext, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(pContext);
}

} // namespace

void FillRoundRect(CDC& dc, const CRect& rc, double dRadius, COLORREF clrTop, COLORREF clrBottom)
{
    CShape shape(dc);
    if (!shape || rc.IsRectEmpty())
        return;
    RoundRectPath(shape.get(), rc.left, rc.top, rc.Width(), rc.Height(), dRadius);
    if (clrTop == clrBottom) {
        SetColor(shape.get(), clrTop);
        cairo_fill(shape.get());
        return;
    }
    cairo_pattern_t* pGradient = cairo_pattern_create_linear(0, rc.top, 0, rc.bottom);
    cairo_pattern_add_color_stop_rgb(pGradient, 0, GetRValue(clrTop) / 255.0, GetGValue(clrTop) / 255.0,
                                     GetBValue(clrTop) / 255.0);
    cairo_pattern_add_color_stop_rgb(pGradient, 1, GetRValue(clrBottom) / 255.0, GetGValue(clrBottom) / 255.0,
                                     GetBValue(clrBottom) / 255.0);
    cairo_set_source(shape.get(), pGradient);
    cairo_fill(shape.get());
    cairo_pattern_destroy(pGradient);
}

void FrameRoundRect(CDC& dc, const CRect& rc, double dRadius, COLORREF clr)
{
    CShape shape(dc);
    if (!shape || rc.IsRectEmpty())
        return;
    RoundRectPath(shape.get(), rc.left + 0.5, rc.top + 0.5, rc.Width() - 1.0, rc.Height() - 1.0, dRadius);
    SetColor(shape.get(), clr);
    cairo_set_line_width(shape.get(), 1.0);
    cairo_stroke(shape.get());
}

void FillCircle(CDC& dc, const CRect& rcBounds, COLORREF clr)
{
    CShape shape(dc);
    if (!shape || rcBounds.IsRectEmpty())
        return;
    cairo_arc(shape.get(), rcBounds.left + rcBounds.Width() / 2.0, rcBounds.top + rcBounds.Height() / 2.0,
              std::min(rcBounds.Width(), rcBounds.Height()) / 2.0, 0, 2 * M_PI);
    SetColor(shape.get(), clr);
    cairo_fill(shape.get());
}

void FrameCircle(CDC& dc, const CRect& rcBounds, COLORREF clr)
{
    CShape shape(dc);
    if (!shape || rcBounds.IsRectEmpty())
        return;
    cairo_arc(shape.get(), rcBounds.left + rcBounds.Width() / 2.0, rcBounds.top + rcBounds.Height() / 2.0,
              std::min(rcBounds.Width(), rcBounds.Height()) / 2.0 - 0.5, 0, 2 * M_PI);
    SetColor(shape.get(), clr);
    cairo_set_line_width(shape.get(), 1.0);
    cairo_stroke(shape.get());
}

void DrawCheckMark(CDC& dc, const CRect& rc, COLORREF clr)
{
    CShape shape(dc);
    if (!shape || rc.IsRectEmpty())
        return;
    const double w = rc.Width();
    const double h = rc.Height();
    cairo_move_to(shape.get(), rc.left + w * 0.22, rc.top + h * 0.52);
    cairo_line_to(shape.get(), rc.left + w * 0.42, rc.top + h * 0.72);
    cairo_line_to(shape.get(), rc.left + w * 0.78, rc.top + h * 0.30);
    SetColor(shape.get(), clr);
    cairo_set_line_width(shape.get(), std::max(1.5, w / 7));
    cairo_set_line_cap(shape.get(), CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(shape.get(), CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(shape.get());
}

void DrawWarningMark(CDC& dc, const CRect& rc)
{
    CShape shape(dc);
    if (!shape || rc.IsRectEmpty())
        return;
    cairo_t* p = shape.get();
    const double w = rc.Width();
    const double h = rc.Height();
    const double x = rc.left;
    const double y = rc.top;
    cairo_move_to(p, x + w / 2, y + h * 0.06);
    cairo_line_to(p, x + w * 0.97, y + h * 0.92);
    cairo_line_to(p, x + w * 0.03, y + h * 0.92);
    cairo_close_path(p);
    cairo_set_line_join(p, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(p, std::max(1.5, w / 14));
    SetColor(p, kWarningFill);
    cairo_fill_preserve(p);
    SetColor(p, kWarningEdge);
    cairo_stroke(p);
    // The mark: a tapering bar and a dot.
    SetColor(p, kWarningMark);
    cairo_move_to(p, x + w * 0.455, y + h * 0.34);
    cairo_line_to(p, x + w * 0.545, y + h * 0.34);
    cairo_line_to(p, x + w * 0.525, y + h * 0.66);
    cairo_line_to(p, x + w * 0.475, y + h * 0.66);
    cairo_close_path(p);
    cairo_fill(p);
    cairo_arc(p, x + w / 2, y + h * 0.78, w * 0.055, 0, 2 * M_PI);
    cairo_fill(p);
}

} // namespace velk::look
