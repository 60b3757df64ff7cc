// The layout-built test dialog and its data folder.
#include "layout_dialog.h"

#include <filesystem>

#include "layout/control_factory.h"
#include "tests/platform/picture_files.h"

namespace {

std::uint32_t Opaque(COLORREF clr) { return Rgba(GetRValue(clr), GetGValue(clr), GetBValue(clr)); }

void WriteSlices(const std::string& strPath, int nSliceWidth, int nHeight, COLORREF (*color)(int))
{
    WritePng(strPath, 4 * nSliceWidth, nHeight, [&](int x, int) { return Opaque(color(x / nSliceWidth)); });
}

} // namespace

COLORREF BackgroundColorAt(int x, int y) { return RGB(20 + x / 4, 40 + y / 4, 120); }

COLORREF CloseSliceColor(int nSlice) { return RGB(200, 40 * nSlice, 40); }

COLORREF ButtonSliceColor(int nSlice) { return RGB(40, 60, 100 + 40 * nSlice); }

std::string ShippedEnglishLayout() { return std::string(VELK_SOURCE_DIR) + "/app/resources/layout/150.xml"; }

void WriteDataFolder(const std::string& strRoot, const std::string& strLayoutSource)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(strRoot) / "VELKSearchTools";
    const fs::path pictures = folder / "Picture";
    fs::create_directories(pictures);
    fs::copy_file(strLayoutSource, folder / "WndLayoutInfo.xml", fs::copy_options::overwrite_existing);
    WritePng((pictures / "SearchDevice_BlackGround.png").string(), 328, 245,
             [](int x, int y) { return Opaque(BackgroundColorAt(x, y)); });
    WritePng((pictures / "logo.png").string(), 16, 16, [](int, int) { return Opaque(kLogoColor); });
    WritePng((pictures / "Brush.png").string(), 280, 15, [](int, int) { return Opaque(kBrushColor); });
    WriteSlices((pictures / "close.png").string(), 11, 11, CloseSliceColor);
    WriteSlices((pictures / "ButtonMax.png").string(), 79, 23, ButtonSliceColor);
}

void CLayoutDialog::ApplyControlDescriptions()
{
    ReleaseLayoutControls();
    RunControlPasses(*this, this);
    BindControls();
}

void CLayoutDialog::DrawBackground(CDC* pDC)
{
    Graphics graphics(pDC);
    graphics.SetSmoothingMode(SmoothingMode::AntiAlias);
    PaintByMode(GetParent(), this, &graphics, pDC);
    RefreshControlBackgrounds(pDC, this);
}

bool CLayoutDialog::Build()
{
    if (!Create())
        return false;
    LoadLayout("\\VELKSearchTools\\WndLayoutInfo.xml", 201, "Standard");
    return true;
}
