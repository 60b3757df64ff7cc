// Building a window shape from a mask bitmap.
#include "controls/mask_region.h"

namespace {

void ToggleRun(CRgn& region, int nLeft, int nRight, int y)
{
    CRgn run;
    run.CreateRectRgn(nLeft, y, nRight, y + 1);
    region.CombineRgn(&region, &run, RGN_XOR);
}

void ToggleRowRuns(const CDC& maskDC, int nMaskWidth, int y, CRgn& region)
{
    int x = 0;
    while (x <= nMaskWidth) {
        if (maskDC.GetPixel(x, y) != kRegionMaskKey) {
            ++x;
            continue;
        }
        const int nStart = x;
        while (x <= nMaskWidth && maskDC.GetPixel(x, y) == kRegionMaskKey)
            ++x;
        ToggleRun(region, nStart, x, y);
    }
}

} // namespace

void BuildMaskRegion(const CDC& maskDC, int nMaskWidth, const CRect& rcClient, CRgn& region)
{
    region.DeleteObject();
    region.CreateRectRgnIndirect(&rcClient);
    for (int y = 0; y < kRegionMaskRows; ++y)
        ToggleRowRuns(maskDC, nMaskWidth, y, region);
}

bool BuildMaskRegionFromFile(const std::string& strPath, const CRect& rcClient, CRgn& region)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmapFile(strPath))
        return false;
    BITMAP info;
    bitmap.GetBitmap(&info);
    CDC maskDC;
    maskDC.CreateCompatibleDC(nullptr);
    CBitmap* pOld = maskDC.SelectObject(&bitmap);
    BuildMaskRegion(maskDC, info.bmWidth, rcClient, region);
    maskDC.SelectObject(pOld);
    return true;
}
