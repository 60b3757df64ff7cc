// The drawn headers' dividers, item texts and hover tracking.
#include "controls/header_decor.h"

#include <vector>

namespace {

// Up to 256 characters of UTF-8.
constexpr int kItemTextBytes = 256 * 4;
constexpr int kTextTop = 3;
constexpr DWORD kHoverTime = 1;

} // namespace

void CHeaderDecor::SetDividerImage(const std::string& strPath)
{
    m_pDivider = std::make_unique<Image>(strPath);
    m_nDividerWidth = m_pDivider->GetWidth();
    m_nDividerHeight = m_pDivider->GetHeight();
}

void CHeaderDecor::OnMouseMove(CWnd* pHeader)
{
    if (m_bHover)
        return;
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = pHeader->GetSafeHwnd();
    track.dwHoverTime = kHoverTime;
    m_bHover = _TrackMouseEvent(&track) != FALSE;
}

void CHeaderDecor::OnMouseLeave(CWnd* pHeader)
{
    m_bHover = false;
    pHeader->Invalidate(TRUE);
}

void CHeaderDecor::DrawItems(const CHeaderCtrl& header, const CBasicPropertyFrame& frame, Graphics& graphics,
                             int nDividerTop) const
{
    const SolidBrush brush(frame.GetTextColor());
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    format.SetLineAlignment(StringAlignment::Center);
    const int nCount = header.GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        std::vector<char> text(kItemTextBytes, '\0');
        HDITEM item;
        item.mask = HDI_TEXT;
        item.pszText = text.data();
        item.cchTextMax = kItemTextBytes;
        CRect rcItem;
        if (!header.GetItem(i, &item) || !header.GetItemRect(i, &rcItem))
            return;
        if (rcItem.right == rcItem.left)
            continue;
        if (m_pDivider)
            graphics.DrawImage(*m_pDivider, rcItem.right - m_nScrollOffset, rcItem.top + nDividerTop);
        const RectF rcText{static_cast<float>(rcItem.left - m_nScrollOffset), static_cast<float>(rcItem.top + kTextTop),
                           static_cast<float>(rcItem.Width()), static_cast<float>(rcItem.Height() - kTextTop)};
        graphics.DrawString(text.data(), frame.GetTextFont(), rcText, &format, brush);
    }
}
