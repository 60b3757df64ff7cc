// Graphics over cairo and pango: shapes, gradients, scaled image parts and measured text.
#include "platform/graphics.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "platform/gdi_internal.h"
#include "platform/text_layout.h"

struct Brush::CImpl {
    cairo_pattern_t* pPattern = nullptr;
    ~CImpl() { cairo_pattern_destroy(pPattern); }
};

struct Image::CImpl {
    cairo_surface_t* pSurface = nullptr; // ARGB32
    ~CImpl() { cairo_surface_destroy(pSurface); }
};

struct Font::CImpl {
    PangoFontDescription* pDescription = nullptr;
    std::string strFamily;
    ~CImpl()
    {
        if (pDescription)
            pango_font_description_free(pDescription);
    }
};

struct Graphics::CImpl {
    cairo_t* pContext = nullptr;
    ~CImpl()
    {
        if (pContext)
            cairo_destroy(pContext);
    }
};

namespace {

void SetSourceArgb(cairo_t* pContext, ARGB color)
{
    cairo_set_source_rgba(pContext, ((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
}

void AddArgbStop(cairo_pattern_t* pPattern, double dOffset, ARGB color)
{
    cairo_pattern_add_color_stop_rgba(pPattern, dOffset, ((color >> 16) & 0xFF) / 255.0,
                                      ((color >> 8) & 0xFF) / 255.0, (color & 0xFF) / 255.0,
                                      ((color >> 24) & 0xFF) / 255.0);
}

velk::gdi::CTextSpec TextSpec(const std::string& strText, const Font& font, const RectF& layoutRect,
                              const StringFormat* pFormat)
{
    velk::gdi::CTextSpec wanted;
    wanted.strText = strText;
    wanted.pFont = font.Impl().pDescription;
    wanted.dWidth = layoutRect.Width;
    wanted.dHeight = layoutRect.Height;
    if (pFormat) {
        wanted.nHorizontal = static_cast<int>(pFormat->GetAlignment());
        wanted.nVertical = static_cast<int>(pFormat->GetLineAlignment());
        switch (pFormat->GetTrimming()) {
        case StringTrimming::None: break;
        case StringTrimming::Character: wanted.trim = velk::gdi::TextTrim::Character; break;
        case StringTrimming::Word: wanted.trim = velk::gdi::TextTrim::Word; break;
        case StringTrimming::EllipsisWord:
            wanted.trim = velk::gdi::TextTrim::Word;
            wanted.bEllipsis = true;
            break;
        case StringTrimming::EllipsisCharacter:
        case StringTrimming::EllipsisPath:
            wanted.trim = velk::gdi::TextTrim::Character;
            wanted.bEllipsis = true;
            break;
        }
    }
    return wanted;
}

} // namespace

Brush::Brush() : m_pImpl(std::make_unique<CImpl>()) {}
Brush::~Brush() = default;

SolidBrush::SolidBrush(ARGB color)
{
    m_pImpl->pPattern = cairo_pattern_create_rgba(((color >> 16) & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                                                  (color & 0xFF) / 255.0, ((color >> 24) & 0xFF) / 255.0);
}

LinearGradientBrush::LinearGradientBrush(const CRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode)
{
    if (mode == LinearGradientMode::Vertical)
        m_pImpl->pPattern = cairo_pattern_create_linear(0, rect.top, 0, rect.bottom);
    else
        m_pImpl->pPattern = cairo_pattern_create_linear(rect.left, 0, rect.right, 0);
    AddArgbStop(m_pImpl->pPattern, 0, color1);
    AddArgbStop(m_pImpl->pPattern, 1, color2);
    cairo_pattern_set_extend(m_pImpl->pPattern, CAIRO_EXTEND_REPEAT);
}

Image::Image() = default;

Image::Image(const std::string& strPath)
{
    std::vector<unsigned char> data;
    if (velk::gdi::ReadPictureFile(strPath, data))
        *this = FromMemory(data.data(), data.size());
}

Image Image::FromMemory(const void* pData, std::size_t nSize)
{
    Image image;
    if (cairo_surface_t* pSurface = velk::gdi::DecodePicture(pData, nSize)) {
        image.m_pImpl = std::make_unique<CImpl>();
        image.m_pImpl->pSurface = pSurface;
    }
    return image;
}

Image::Image(Image&& other) noexcept = default;
Image& Image::operator=(Image&& other) noexcept = default;
Image::~Image() = default;

int Image::GetWidth() const { return m_pImpl ? cairo_image_surface_get_width(m_pImpl->pSurface) : 0; }

int Image::GetHeight() const { return m_pImpl ? cairo_image_surface_get_height(m_pImpl->pSurface) : 0; }

Font::Font(const std::string& strFaceName, float emSize) : m_emSize(emSize), m_pImpl(std::make_unique<CImpl>())
{
    m_pImpl->strFamily = velk::gdi::ResolveFontFamily(strFaceName);
    if (IsAvailable()) {
        m_pImpl->pDescription = pango_font_description_new();
        pango_font_description_set_family(m_pImpl->pDescription, m_pImpl->strFamily.c_str());
        // Sizes beyond any screen are cut down: a layout file may say anything.
        pango_font_description_set_absolute_size(m_pImpl->pDescription, std::min(emSize, 2048.0f) * PANGO_SCALE);
    }
}

Font::~Font() = default;

bool Font::IsAvailable() const { return std::isfinite(m_emSize) && m_emSize > 0; }

std::string Font::GetFamilyName() const { return m_pImpl->strFamily; }

float Font::GetHeight() const
{
    if (!m_pImpl->pDescription)
        return 0;
    PangoFontMap* pMap = pango_cairo_font_map_get_default();
    PangoContext* pContext = pango_font_map_create_context(pMap);
    PangoFontMetrics* pMetrics = pango_context_get_metrics(pContext, m_pImpl->pDescription, nullptr);
    float height = static_cast<float>(pango_font_metrics_get_height(pMetrics)) / PANGO_SCALE;
    pango_font_metrics_unref(pMetrics);
    g_object_unref(pContext);
    return height;
}

Graphics::Graphics(CDC* pDC) : m_pImpl(std::make_unique<CImpl>())
{
    if (pDC)
        m_pImpl->pContext = pDC->GetState()->CreateContext();
    if (m_pImpl->pContext)
        cairo_set_antialias(m_pImpl->pContext, CAIRO_ANTIALIAS_NONE);
}

Graphics::~Graphics() = default;

Status Graphics::Report(Status status)
{
    if (status != Status::Ok)
        m_lastStatus = status;
    return status;
}

Status Graphics::SetSmoothingMode(SmoothingMode mode)
{
    if (mode != SmoothingMode::HighSpeed && mode != SmoothingMode::AntiAlias)
        return Report(Status::InvalidParameter);
    m_smoothing = mode;
    if (m_pImpl->pContext)
        cairo_set_antialias(m_pImpl->pContext,
                            mode == SmoothingMode::AntiAlias ? CAIRO_ANTIALIAS_GRAY : CAIRO_ANTIALIAS_NONE);
    return Status::Ok;
}

Status Graphics::FillRectangle(const Brush& brush, int x, int y, int width, int height)
{
    cairo_t* pContext = m_pImpl->pContext;
    if (!pContext || width < 0 || height < 0)
        return Report(Status::InvalidParameter);
    cairo_set_source(pContext, brush.Impl().pPattern);
    cairo_rectangle(pContext, x, y, width, height);
    cairo_fill(pContext);
    return Status::Ok;
}

Status Graphics::DrawRectangle(const Pen& pen, int x, int y, int width, int height)
{
    cairo_t* pContext = m_pImpl->pContext;
    if (!pContext || width < 0 || height < 0 || !(pen.GetWidth() > 0))
        return Report(Status::InvalidParameter);
    SetSourceArgb(pContext, pen.GetColor());
    cairo_set_line_width(pContext, pen.GetWidth());
    cairo_set_line_join(pContext, CAIRO_LINE_JOIN_MITER);
    cairo_rectangle(pContext, x + 0.5, y + 0.5, width, height);
    cairo_stroke(pContext);
    return Status::Ok;
}

Status Graphics::DrawLine(const Pen& pen, int x1, int y1, int x2, int y2)
{
    cairo_t* pContext = m_pImpl->pContext;
    if (!pContext || !(pen.GetWidth() > 0))
        return Report(Status::InvalidParameter);
    SetSourceArgb(pContext, pen.GetColor());
    cairo_set_line_width(pContext, pen.GetWidth());
    cairo_set_line_cap(pContext, CAIRO_LINE_CAP_SQUARE);
    cairo_move_to(pContext, x1 + 0.5, y1 + 0.5);
    cairo_line_to(pContext, x2 + 0.5, y2 + 0.5);
    cairo_stroke(pContext);
    cairo_set_line_cap(pContext, CAIRO_LINE_CAP_BUTT);
    return Status::Ok;
}

Status Graphics::DrawImage(const Image& image, int x, int y)
{
    return DrawImage(image, CRect(x, y, x + image.GetWidth(), y + image.GetHeight()), 0, 0, image.GetWidth(),
                     image.GetHeight());
}

Status Graphics::DrawImage(const Image& image, const CRect& rcDest, int srcX, int srcY, int srcWidth, int srcHeight)
{
    cairo_t* pContext = m_pImpl->pContext;
    if (!pContext || !image.Impl())
        return Report(Status::InvalidParameter);
    if (rcDest.Width() <= 0 || rcDest.Height() <= 0 || srcWidth <= 0 || srcHeight <= 0)
        return Report(Status::InvalidParameter);
    cairo_surface_t* pSurface = image.Impl()->pSurface;
    const CRect rcSource(srcX, srcY, srcX + srcWidth, srcY + srcHeight);
    const CRect rcPart = CRect::Intersection(rcSource, CRect(0, 0, image.GetWidth(), image.GetHeight()));
    if (rcPart.IsRectEmpty())
        return Status::Ok;
    // Only the part of the source that lies on the image is drawn, at the place it maps to.
    const double dScaleX = static_cast<double>(rcDest.Width()) / srcWidth;
    const double dScaleY = static_cast<double>(rcDest.Height()) / srcHeight;
    const double dLeft = rcDest.left + (rcPart.left - rcSource.left) * dScaleX;
    const double dTop = rcDest.top + (rcPart.top - rcSource.top) * dScaleY;
    cairo_surface_t* pPart =
        cairo_surface_create_for_rectangle(pSurface, rcPart.left, rcPart.top, rcPart.Width(), rcPart.Height());
    cairo_pattern_t* pPattern = cairo_pattern_create_for_surface(pPart);
    // Padding keeps scaled edges from sampling pixels outside the part.
    cairo_pattern_set_extend(pPattern, CAIRO_EXTEND_PAD);
    const bool bUnscaled = rcDest.Width() == srcWidth && rcDest.Height() == srcHeight;
    cairo_pattern_set_filter(pPattern, bUnscaled ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_BILINEAR);
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, 1 / dScaleX, 1 / dScaleY);
    cairo_matrix_translate(&matrix, -dLeft, -dTop);
    cairo_pattern_set_matrix(pPattern, &matrix);
    cairo_set_source(pContext, pPattern);
    cairo_rectangle(pContext, dLeft, dTop, rcPart.Width() * dScaleX, rcPart.Height() * dScaleY);
    cairo_fill(pContext);
    cairo_pattern_destroy(pPattern);
    cairo_surface_destroy(pPart);
    return Status::Ok;
}

Status Graphics::MeasureString(const std::string& strText, const Font& font, const RectF& layoutRect,
                               const StringFormat* pFormat, RectF* pBoundingBox)
{
    if (!pBoundingBox)
        return Report(Status::InvalidParameter);
    *pBoundingBox = RectF{layoutRect.X, layoutRect.Y, 0, 0};
    if (!font.IsAvailable())
        return Report(Status::InvalidParameter);
    velk::gdi::CTextLayout layout(m_pImpl->pContext, TextSpec(strText, font, layoutRect, pFormat));
    velk::gdi::CTextBox box = layout.Box(layoutRect.X, layoutRect.Y);
    *pBoundingBox = RectF{static_cast<float>(box.x), static_cast<float>(box.y), static_cast<float>(box.width),
                          static_cast<float>(box.height)};
    return Status::Ok;
}

Status Graphics::DrawString(const std::string& strText, const Font& font, const RectF& layoutRect,
                            const StringFormat* pFormat, const Brush& brush)
{
    cairo_t* pContext = m_pImpl->pContext;
    if (!pContext || !font.IsAvailable())
        return Report(Status::InvalidParameter);
    velk::gdi::CTextLayout layout(pContext, TextSpec(strText, font, layoutRect, pFormat));
    cairo_save(pContext);
    if (layoutRect.Width > 0 && layoutRect.Height > 0) {
        cairo_rectangle(pContext, layoutRect.X, layoutRect.Y, layoutRect.Width, layoutRect.Height);
        cairo_clip(pContext);
    }
    cairo_set_source(pContext, brush.Impl().pPattern);
    layout.Draw(pContext, layoutRect.X, layoutRect.Y);
    cairo_restore(pContext);
    return Status::Ok;
}
