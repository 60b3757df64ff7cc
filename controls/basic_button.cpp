// The drawn buttons' common part: class copies, hover tracking, check state and drawing.
#include "controls/basic_button.h"

namespace {

// The pointer must rest this long before the hover look shows.
constexpr DWORD kHoverTime = 1;

} // namespace

void CBasicButton::RegisterButtonClass(const char* szClassName)
{
    WNDCLASS wc;
    if (!GetClassInfo(WC_BUTTON, &wc))
        return;
    wc.lpszClassName = szClassName;
    wc.hCursor = LoadCursor(IDC_HAND);
    AfxRegisterClass(&wc);
}

void CBasicButton::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

void CBasicButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) { DrawButton(lpDrawItemStruct); }

void CBasicButton::OnMouseMoved(UINT, int, int) {}

void CBasicButton::OnMouseLeft() {}

void CBasicButton::OnMouseHovered(UINT, int, int) {}

CButtonLook CBasicButton::LookOf(const DRAWITEMSTRUCT& drawItem) const
{
    return CButtonLook{drawItem.itemState, m_nHover != 0, m_nChecked != 0};
}

void CBasicButton::DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct)
        DrawButtonWithSlice(lpDrawItemStruct, SelectButtonSlice(GetSliceCount(), LookOf(*lpDrawItemStruct)));
}

void CBasicButton::DrawButtonWithSlice(LPDRAWITEMSTRUCT lpDrawItemStruct, int nSlice)
{
    CDC* pItemDC = lpDrawItemStruct ? CDC::FromHandle(lpDrawItemStruct->hDC) : nullptr;
    if (!pItemDC)
        return;
    CRect rc;
    GetClientRect(&rc);
    CDC memoryDC;
    memoryDC.CreateCompatibleDC(pItemDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pItemDC, rc.Width(), rc.Height());
    CBitmap* pOld = memoryDC.SelectObject(&bitmap);
    {
        Graphics graphics(&memoryDC);
        PaintByMode(GetParent(), this, &graphics, &memoryDC);
        if (nSlice != kNoSlice && GetImage()) {
            const CPoint ptOrigin = GetImageOrigin();
            const CRect rcDest(ptOrigin.x, ptOrigin.y, ptOrigin.x + GetSliceWidth(), ptOrigin.y + GetImageHeight());
            graphics.DrawImage(*GetImage(), rcDest, nSlice * GetSliceWidth(), 0, GetSliceWidth(), GetImageHeight());
        }
        DrawButtonText(&graphics, lpDrawItemStruct);
    }
    pItemDC->BitBlt(0, 0, rc.Width(), rc.Height(), &memoryDC, 0, 0, SRCCOPY);
    memoryDC.SelectObject(pOld);
}

void CBasicButton::DrawButtonText(Graphics* pGraphics, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (pGraphics && lpDrawItemStruct)
        DrawTextOfButton(pGraphics, *lpDrawItemStruct, true);
}

void CBasicButton::DrawTextOfButton(Graphics* pGraphics, const DRAWITEMSTRUCT& drawItem, bool bShiftPressed)
{
    if (!GetText() || !GetTextFont().IsAvailable())
        return;
    const std::string& strText = *GetText();
    const SolidBrush brush(GetTextColor());
    RectF bound;
    pGraphics->MeasureString(strText, GetTextFont(), RectF{}, nullptr, &bound);
    CRect rc;
    GetClientRect(&rc);
    const bool bPressed = bShiftPressed && (drawItem.itemState & ODS_SELECTED);
    const CPoint pt = ButtonTextOrigin(rc.Size(), bound.Width, bound.Height, GetTextOffset(), bPressed);
    pGraphics->DrawString(strText, GetTextFont(), RectF{static_cast<float>(pt.x), static_cast<float>(pt.y), 0, 0},
                          nullptr, brush);
}

CPoint ButtonTextOrigin(const CSize& client, float fTextWidth, float fTextHeight, const CPoint& ptOffset,
                        bool bPressed)
{
    const int x = ptOffset.x != 0 ? ptOffset.x : (client.cx - static_cast<int>(fTextWidth)) / 2;
    const int y = ptOffset.y != 0 ? ptOffset.y : (client.cy - static_cast<int>(fTextHeight)) / 2;
    return bPressed ? CPoint(x + 1, y + 1) : CPoint(x, y);
}

void CBasicButton::OnMouseMove(WPARAM wParam, LPARAM lParam)
{
    if (m_nHover == 0) {
        m_nHover = 1;
        TRACKMOUSEEVENT track;
        track.dwFlags = TME_HOVER | TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = kHoverTime;
        // A failed request leaves the flag clear, so that the next move asks again.
        m_nHover = _TrackMouseEvent(&track);
    }
    OnMouseMoved(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

LRESULT CBasicButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(wParam, lParam); break;
    case WM_MOUSELEAVE:
        m_nHover = 0;
        OnMouseLeft();
        Invalidate(TRUE);
        break;
    case WM_MOUSEHOVER:
        OnMouseHovered(static_cast<UINT>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        Invalidate(TRUE);
        break;
    case BM_SETCHECK:
        m_nChecked = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
        Invalidate(TRUE);
        return 0;
    case BM_GETCHECK: return m_nChecked;
    default: break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
