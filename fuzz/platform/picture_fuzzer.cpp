// Pictures from untrusted files: decoding never crashes, and what decodes draws scaled and whole.
#include <cstddef>
#include <cstdint>

#include "platform/gdi.h"
#include "platform/graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    Image image = Image::FromMemory(pData, nSize);
    if (image.GetWidth() <= 0)
        return 0;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, 16, 16);
    dc.SelectObject(&bitmap);
    Graphics graphics(&dc);
    graphics.DrawImage(image, 0, 0);
    graphics.DrawImage(image, CRect(0, 0, 16, 16), image.GetWidth() / 2, image.GetHeight() / 2, image.GetWidth(),
                       image.GetHeight());
    return 0;
}
