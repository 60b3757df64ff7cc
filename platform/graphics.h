// The drawn windows' 2D drawing: a Graphics object on a device context with smoothing, solid and
// gradient brushes, pens, rectangles, lines, images, fonts and string formats. Colours are ARGB.
// A failed call returns its status and leaves it in the Graphics object; drawing goes on.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/gdi.h"
#include "platform/types.h"

enum class Status {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    NotImplemented = 6,
    FileNotFound = 10,
};

enum class SmoothingMode { HighSpeed = 1, AntiAlias = 4 };
enum class LinearGradientMode { Horizontal = 0, Vertical = 1 };
enum class StringAlignment { Near = 0, Center = 1, Far = 2 };
enum class StringTrimming { None = 0, Character = 1, Word = 2, EllipsisCharacter = 3, EllipsisWord = 4, EllipsisPath = 5 };

struct RectF {
    float X = 0;
    float Y = 0;
    float Width = 0;
    float Height = 0;
};

class Brush {
public:
    virtual ~Brush();
    Brush(const Brush&) = delete;
    Brush& operator=(const Brush&) = delete;

    struct CImpl;
    const CImpl& Impl() const { return *m_pImpl; }

protected:
    Brush();
    std::unique_ptr<CImpl> m_pImpl;
};

class SolidBrush : public Brush {
public:
    explicit SolidBrush(ARGB color);
};

// Two colours across a rectangle (vertical: the first on top), repeated beyond it.
class LinearGradientBrush : public Brush {
public:
    LinearGradientBrush(const CRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
};

class Pen {
public:
    explicit Pen(ARGB color, float width = 1.0f) : m_color(color), m_width(width) {}
    ARGB GetColor() const { return m_color; }
    float GetWidth() const { return m_width; }

private:
    ARGB m_color;
    float m_width;
};

// A picture with alpha. One that cannot be read (missing, broken, hostile, too large) is 0 x 0 and
// draws nothing.
class Image {
public:
    Image();
    // PNG and the other formats the decoder reads; the path may use backslashes.
    explicit Image(const std::string& strPath);
    static Image FromMemory(const void* pData, std::size_t nSize);
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    ~Image();

    int GetWidth() const;
    int GetHeight() const;

    struct CImpl;
    const CImpl* Impl() const { return m_pImpl.get(); }

private:
    std::unique_ptr<CImpl> m_pImpl;
};

// A face name and an em size in pixels. A face that is not installed resolves to fontconfig's
// best match; a size that is not positive gives a font that draws no text.
class Font {
public:
    Font(const std::string& strFaceName, float emSize);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font();

    bool IsAvailable() const;
    // The family that the face resolved to.
    std::string GetFamilyName() const;
    float GetSize() const { return m_emSize; }
    // The distance between two lines, in pixels.
    float GetHeight() const;

    struct CImpl;
    const CImpl& Impl() const { return *m_pImpl; }

private:
    float m_emSize;
    std::unique_ptr<CImpl> m_pImpl;
};

class StringFormat {
public:
    void SetAlignment(StringAlignment align) { m_alignment = align; }
    void SetLineAlignment(StringAlignment align) { m_lineAlignment = align; }
    void SetTrimming(StringTrimming trimming) { m_trimming = trimming; }
    StringAlignment GetAlignment() const { return m_alignment; }
    StringAlignment GetLineAlignment() const { return m_lineAlignment; }
    StringTrimming GetTrimming() const { return m_trimming; }

private:
    StringAlignment m_alignment = StringAlignment::Near;
    StringAlignment m_lineAlignment = StringAlignment::Near;
    StringTrimming m_trimming = StringTrimming::None;
};

class Graphics {
public:
    // Draws into the device context (normally a paint's memory bitmap), at its origin and clip.
    explicit Graphics(CDC* pDC);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // High speed draws shapes without anti-aliasing (the default), anti-alias with it.
    Status SetSmoothingMode(SmoothingMode mode);
    SmoothingMode GetSmoothingMode() const { return m_smoothing; }

    Status FillRectangle(const Brush& brush, int x, int y, int width, int height);
    // One-pixel lines on pixel centres: covers columns x and x + width, rows y and y + height.
    Status DrawRectangle(const Pen& pen, int x, int y, int width, int height);
    // Covers both end points.
    Status DrawLine(const Pen& pen, int x1, int y1, int x2, int y2);
    // The whole image in its own size with its top-left corner at (x, y).
    Status DrawImage(const Image& image, int x, int y);
    // The source rectangle (pixels) onto the destination rectangle, scaled when the sizes differ
    // and copied pixel for pixel when they are equal.
    Status DrawImage(const Image& image, const CRect& rcDest, int srcX, int srcY, int srcWidth, int srcHeight);
    // The text's bounding rectangle for a layout rectangle (a width or height of 0: no limit);
    // without a format the text starts top-left and wraps at words.
    Status MeasureString(const std::string& strText, const Font& font, const RectF& layoutRect,
                         const StringFormat* pFormat, RectF* pBoundingBox);
    Status DrawString(const std::string& strText, const Font& font, const RectF& layoutRect,
                      const StringFormat* pFormat, const Brush& brush);

    // The status of the last call that failed (Ok if none did).
    Status GetLastStatus() const { return m_lastStatus; }

private:
    Status Report(Status status);

    struct CImpl;
    std::unique_ptr<CImpl> m_pImpl;
    SmoothingMode m_smoothing = SmoothingMode::HighSpeed;
    Status m_lastStatus = Status::Ok;
};
