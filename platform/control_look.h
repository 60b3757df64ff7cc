// Inside the window layer: the look of the standard controls (a light desktop theme) and the few
// shapes they are drawn with, on a CDC in its coordinates and clip.
#pragma once

#include "platform/gdi.h"

namespace velk::look {

constexpr COLORREF kText = RGB(46, 52, 54);
constexpr COLORREF kDisabledText = RGB(146, 146, 146);
constexpr COLORREF kButtonTop = RGB(250, 250, 249);
constexpr COLORREF kButtonBottom = RGB(237, 235, 233);
constexpr COLORREF kButtonHotTop = RGB(253, 253, 253);
constexpr COLORREF kButtonHotBottom = RGB(244, 243, 242);
constexpr COLORREF kButtonPressed = RGB(218, 214, 210);
constexpr COLORREF kButtonDisabled = RGB(246, 245, 244);
constexpr COLORREF kBorder = RGB(200, 194, 188);
constexpr COLORREF kFocusBorder = RGB(98, 160, 234);
constexpr COLORREF kAccent = RGB(53, 132, 228);
constexpr COLORREF kSelection = RGB(214, 229, 249);
constexpr COLORREF kSelectionFocused = RGB(196, 218, 247);
constexpr COLORREF kGrid = RGB(232, 232, 232);
constexpr COLORREF kHeaderBk = RGB(250, 250, 250);
constexpr COLORREF kHeaderLine = RGB(218, 218, 218);
constexpr COLORREF kHeaderText = RGB(85, 87, 83);
constexpr COLORREF kTrough = RGB(243, 243, 243);
constexpr COLORREF kThumb = RGB(172, 172, 172);
constexpr COLORREF kThumbHot = RGB(135, 135, 135);
constexpr COLORREF kThumbActive = RGB(100, 100, 100);
constexpr COLORREF kTipBk = RGB(50, 50, 50);
constexpr COLORREF kTipText = RGB(250, 250, 250);
constexpr COLORREF kWarningFill = RGB(246, 192, 28);
constexpr COLORREF kWarningEdge = RGB(205, 146, 0);
constexpr COLORREF kWarningMark = RGB(60, 45, 10);

// A rounded rectangle filled from top to bottom (one colour when both are the same); the outline
// lies on the rectangle's outermost pixels.
void FillRoundRect(CDC& dc, const CRect& rc, double dRadius, COLORREF clrTop, COLORREF clrBottom);
void FrameRoundRect(CDC& dc, const CRect& rc, double dRadius, COLORREF clr);
void FillCircle(CDC& dc, const CRect& rcBounds, COLORREF clr);
void FrameCircle(CDC& dc, const CRect& rcBounds, COLORREF clr);
// A tick inside rc.
void DrawCheckMark(CDC& dc, const CRect& rc, COLORREF clr);
// A warning triangle with an exclamation mark, filling rc.
void DrawWarningMark(CDC& dc, const CRect& rc);

} // namespace velk::look
