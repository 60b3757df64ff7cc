// The property frame's state and setters, moving a child window and attaching a tooltip.
#include "layout/property_frame.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kDefaultFaceName = "宋体";
constexpr int kDefaultFontSize = 12;

bool IsMoveMode(int nMode) { return nMode >= MOVE_MODE_KEEP && nMode <= MOVE_MODE_STRETCH; }

// n + nDelta, kept within the integers (the window system clamps positions further).
int Shifted(int n, int nDelta)
{
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(n) + nDelta, INT_MIN, INT_MAX));
}

// Applies one direction's mode to the edges nLow (left or top) and nHigh (right or bottom).
void ApplyMoveMode(int nMode, int nDelta, int& nLow, int& nHigh)
{
    if (nMode == MOVE_MODE_MOVE)
        nLow = Shifted(nLow, nDelta);
    if (nMode == MOVE_MODE_MOVE || nMode == MOVE_MODE_STRETCH)
        nHigh = Shifted(nHigh, nDelta);
}

} // namespace

CBasicPropertyFrame::CBasicPropertyFrame()
    : m_pFont(std::make_unique<Font>(kDefaultFaceName, static_cast<float>(kDefaultFontSize)))
{
}

CBasicPropertyFrame::~CBasicPropertyFrame()
{
    if (IsWindow(m_hToolTip))
        DestroyWindow(m_hToolTip);
}

bool CBasicPropertyFrame::HasWindow(const CWnd* pWnd) { return pWnd && IsWindow(pWnd->GetSafeHwnd()); }

void CBasicPropertyFrame::OnResize(int, int) {}

void CBasicPropertyFrame::MoveBy(CWnd* pWnd, int dx, int dy, int nHorizontalMode, int nVerticalMode)
{
    if (!HasWindow(pWnd) || !IsMoveMode(nHorizontalMode) || !IsMoveMode(nVerticalMode))
        return;
    // The window rectangle, so that a window with a border keeps its size; a top-level window
    // stays in screen coordinates, which is what MoveWindow takes for it.
    CRect rc;
    pWnd->GetWindowRect(&rc);
    if (CWnd* pParent = (pWnd->GetStyle() & WS_CHILD) ? pWnd->GetParent() : nullptr)
        pParent->ScreenToClient(&rc);
    ApplyMoveMode(nHorizontalMode, dx, rc.left, rc.right);
    ApplyMoveMode(nVerticalMode, dy, rc.top, rc.bottom);
    pWnd->MoveWindow(&rc, TRUE);
}

void CBasicPropertyFrame::AttachToolTip(const std::string& strText, CWnd* pWnd)
{
    if (!HasWindow(pWnd))
        return;
    const CRect rcDefault(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    // The tooltip lives with its owner's window, not with a C++ object of ours: only its handle
    // is kept.
    if (IsWindow(m_hToolTip))
        DestroyWindow(m_hToolTip);
    m_hToolTip = nullptr;
    CWnd tip;
    if (!tip.CreateEx(0, kToolTipClassName, "", TTS_NOPREFIX, rcDefault, pWnd, 0))
        return;
    m_hToolTip = tip.UnsubclassWindow();
    TOOLINFO info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.uId = reinterpret_cast<UINT_PTR>(pWnd->GetSafeHwnd());
    info.lpszText = strText.c_str();
    SendMessage(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
    SendMessage(m_hToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CBasicPropertyFrame::SetBackgroundImage(const std::string& strPath, int nSliceCount, int nOriginX,
                                             int nOriginY)
{
    m_pImage.reset();
    m_ptImageOrigin = CPoint(nOriginX, nOriginY);
    m_pImage = std::make_unique<Image>(strPath);
    MeasureImage(nSliceCount);
}

void CBasicPropertyFrame::MeasureImage(int nSliceCount)
{
    if (!m_pImage)
        return;
    m_nImageWidth = m_pImage->GetWidth();
    m_nImageHeight = m_pImage->GetHeight();
    m_nSliceCount = nSliceCount == 0 ? 1 : nSliceCount;
    m_nSliceWidth = m_nImageWidth / m_nSliceCount;
}

void CBasicPropertyFrame::SetFillColor(COLORREF clrFill) { m_clrFill = ArgbFromColorRef(clrFill); }

void CBasicPropertyFrame::SetBorderColor(COLORREF clrBorder) { m_clrBorder = ArgbFromColorRef(clrBorder); }

void CBasicPropertyFrame::SetTextColor(COLORREF clrText) { m_clrText = ArgbFromColorRef(clrText); }

void CBasicPropertyFrame::SetText(const std::string& strText, int nOffsetX, int nOffsetY)
{
    m_strText = strText;
    m_ptTextOffset = CPoint(nOffsetX, nOffsetY);
}

void CBasicPropertyFrame::SetTextFont(const std::string& strFaceName, int nSize)
{
    m_pFont.reset();
    m_pFont = std::make_unique<Font>(strFaceName, static_cast<float>(nSize));
}
