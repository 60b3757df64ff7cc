// A memory DC with a white bitmap, the drawing target of the drawing tests.
#pragma once

#include "platform/gdi.h"

class CCanvas {
public:
    CCanvas(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight)
    {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, nWidth, nHeight);
        dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
    }
    COLORREF At(int x, int y) const { return dc.GetPixel(x, y); }
    // How many pixels differ from white.
    int Ink() const
    {
        int n = 0;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
                n += At(x, y) != RGB(255, 255, 255);
        return n;
    }
    // The columns [left, right) that hold ink.
    std::pair<int, int> InkColumns() const
    {
        int nLeft = m_nWidth;
        int nRight = 0;
        for (int y = 0; y < m_nHeight; ++y)
            for (int x = 0; x < m_nWidth; ++x)
                if (At(x, y) != RGB(255, 255, 255)) {
                    nLeft = std::min(nLeft, x);
                    nRight = std::max(nRight, x + 1);
                }
        return {nLeft, nRight};
    }

    CDC dc;
    CBitmap bitmap;

private:
    int m_nWidth;
    int m_nHeight;
};
