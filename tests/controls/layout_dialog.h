// A dialog built from a layout as the program's window builds it, over fixture pictures of the
// shipped pictures' sizes in a data folder of its own. Shared by the tests and the PNG demo.
#pragma once

#include <string>

#include "controls/none_border_dlg.h"

// The fixture pictures' colours, so that a pixel tells which picture and slice it comes from.
constexpr COLORREF kLogoColor = RGB(250, 200, 0);
constexpr COLORREF kBrushColor = RGB(30, 160, 60);
COLORREF BackgroundColorAt(int x, int y);
// Slice n of close.png (4 slices of 11 x 11) and of ButtonMax.png (4 slices of 79 x 23).
COLORREF CloseSliceColor(int nSlice);
COLORREF ButtonSliceColor(int nSlice);

// Writes the layout file and the pictures below strRoot as the program's data folder holds them.
void WriteDataFolder(const std::string& strRoot, const std::string& strLayoutSource);
// The shipped English layout variant.
std::string ShippedEnglishLayout();

// Creates its controls through the factory and paints its background by its paint mode, giving
// every control the background under it.
class CLayoutDialog : public CBasicNoneBorderDlg {
public:
    void ApplyControlDescriptions() override;
    void DrawBackground(CDC* pDC) override;
    // Makes the window (modeless) and loads the layout of the data folder.
    bool Build();
};
