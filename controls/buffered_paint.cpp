// One paint of a drawn window through a memory bitmap.
#include "controls/buffered_paint.h"

void PaintBuffered(CWnd* pWnd, const std::function<void(CDC*)>& draw)
{
    CPaintDC dc(pWnd);
    CRect rcClient;
    pWnd->GetClientRect(&rcClient);
    CDC memoryDC;
    memoryDC.CreateCompatibleDC(&dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height());
    CBitmap* pOldBitmap = memoryDC.SelectObject(&bitmap);
    draw(&memoryDC);
    dc.BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(pOldBitmap);
}
