// The window shape cut from a mask bitmap: runs of the key colour in the mask's top rows are
// taken out of the client rectangle.
#pragma once

#include <string>

#include "platform/gdi.h"

// The colour that marks the pixels cut out of the window.
constexpr COLORREF kRegionMaskKey = RGB(210, 10, 10);
// Only the mask's top rows shape the window: the rounded corners lie there.
constexpr int kRegionMaskRows = 35;

// region := rcClient with every key run of pMaskDC's top rows toggled (exclusive or), scanning
// nMaskWidth + 1 positions of each row; pixels outside the mask never match.
void BuildMaskRegion(const CDC& maskDC, int nMaskWidth, const CRect& rcClient, CRgn& region);
// The same from a bitmap file; false when the file cannot be loaded as a bitmap.
bool BuildMaskRegionFromFile(const std::string& strPath, const CRect& rcClient, CRgn& region);
