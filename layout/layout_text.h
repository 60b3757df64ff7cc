// The value forms of the layout file: integers, colours, rectangles, offsets and style names.
// Pure functions over text; none of them fails.
#pragma once

#include <string_view>

#include "platform/types.h"

// Decimal digits after optional white space and sign; stops at the first other character; no
// digits give 0; values beyond the 32-bit range clamp to its ends.
int ParseIntegerText(std::string_view text);

// "r,g,b" into a colour value with red in the low byte, each part cut to its low 8 bits; blue is
// read from the whole rest ("1,2,3,4" gives blue 3). Without two commas the colour is left.
void ParseColorText(std::string_view text, COLORREF& clrColor);

// "x,y,w,h" into left x, top y, right x + w, bottom y + h. One comma sets left only, two set left
// and top, three set all four; the height is read from the whole rest.
void ParseRectText(std::string_view text, RECT& rcRect);

// "x,y" into the offset; without a comma the offset is left.
void ParseOffsetText(std::string_view text, POINT& ptOffset);

// The OR of the values of every known style name that occurs anywhere in the text (case-sensitive;
// the bars between names are not needed).
DWORD ParseStyleText(std::string_view text);
