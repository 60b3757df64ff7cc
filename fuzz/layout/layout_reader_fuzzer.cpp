// Arbitrary bytes as a layout file, and the same bytes as the text of every value form.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "layout/layout_reader.h"
#include "layout/layout_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DialogDescription description;
    try {
        ReadLayoutBuffer(description, bytes, 201, "Standard");
    } catch (const CLayoutReadError&) {
        // A missing attribute is a reported outcome, not a fault.
    }
    COLORREF clrColor = 0;
    ParseColorText(bytes, clrColor);
    RECT rcRect{};
    ParseRectText(bytes, rcRect);
    POINT ptOffset{};
    ParseOffsetText(bytes, ptOffset);
    ParseStyleText(bytes);
    ParseIntegerText(bytes);
    return 0;
}
