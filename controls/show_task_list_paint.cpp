// The task list's painting: the rows band, each row with its selection, separator, cell texts,
// progress cells and status icon, and the rubber band over them.
#include "controls/show_task_list_ctrl.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr int kTextTop = 8;
constexpr int kTextHeight = 16;
constexpr int kIconLeft = 10;
constexpr int kIconTop = 6;
constexpr int kStateColumn = 2;
constexpr int kPercentColumn = 5;
constexpr int kFlagColumn = 14;
constexpr int kExtraColumn = 16;
constexpr ARGB kProgressTrackColor = 0xFFE3E8EE;
constexpr ARGB kProgressTrackBorder = 0xFFB9C6D3;
constexpr ARGB kProgressBarColor = 0xFF6FA8DC;

RectF RectOf(const CRect& rc)
{
    return {static_cast<float>(rc.left), static_cast<float>(rc.top), static_cast<float>(rc.Width()),
            static_cast<float>(rc.Height())};
}

// The whole number at the start of a percentage text, kept between 0 and 100.
int PercentOf(const std::string& strText)
{
    int nPercent = 0;
    std::from_chars(strText.data(), strText.data() + strText.size(), nPercent);
    return std::clamp(nPercent, 0, 100);
}

bool IsPercentText(const std::string& strText) { return !strText.empty() && strText.back() == '%'; }

} // namespace

void CShowTaskListCtrl::DrawList(CDC* pDC)
{
    {
        Graphics graphics(pDC);
        PaintByMode(GetParent(), this, &graphics, pDC);
    }
    DrawItems(pDC);
    m_header.RefreshParentSnapshot(pDC, &m_header, this);
}

void CShowTaskListCtrl::DrawItems(CDC* pDC)
{
    Graphics graphics(pDC);
    graphics.SetSmoothingMode(SmoothingMode::HighSpeed);
    const CRect rcBand = RowsBand();
    graphics.FillRectangle(SolidBrush(GetFillColor()), rcBand.left, rcBand.top, rcBand.Width(), rcBand.Height());
    const int nCount = GetItemCount();
    const int nFirst = std::max(m_nScrollY / kRowHeight, 0);
    const int nLast = std::min(nCount, (m_nScrollY + std::max(rcBand.Height(), 0)) / kRowHeight + 1);
    for (int nRow = nFirst; nRow < nLast; ++nRow)
        DrawRow(graphics, nRow);
    if (m_bBand)
        DrawRubberBand(graphics);
}

std::string CShowTaskListCtrl::CellText(int nRow, int nColumn) const
{
    if (nColumn == kProgressColumn && GetItemText(nRow, kStateColumn) == "J")
        return GetItemText(nRow, kPercentColumn) + "%";
    return GetItemText(nRow, nColumn);
}

void CShowTaskListCtrl::DrawRow(Graphics& graphics, int nRow)
{
    const CRect rcRow = RowRect(nRow);
    if (IsSelected(nRow))
        graphics.FillRectangle(SolidBrush(kSelectedRowColor), rcRow.left, rcRow.top, rcRow.Width(), rcRow.Height());
    graphics.DrawLine(Pen(kSeparatorColor, 1.0f), rcRow.left, rcRow.top - 1, rcRow.right - 1, rcRow.top - 1);
    int nLeft = -m_nScrollX;
    for (int i = 0, nColumns = ColumnCount(); i < nColumns; ++i) {
        const int nWidth = ColumnWidth(i);
        if (nWidth != 0)
            DrawCell(graphics, nRow, i, CRect(nLeft, rcRow.top, nLeft + nWidth, rcRow.bottom));
        nLeft += nWidth;
    }
    DrawStatusIcon(graphics, nRow, rcRow);
}

void CShowTaskListCtrl::DrawCell(Graphics& graphics, int nRow, int nColumn, const CRect& rcCell)
{
    const std::string strText = CellText(nRow, nColumn);
    if (nColumn == kProgressColumn && IsPercentText(strText)) {
        DrawProgress(graphics, strText, rcCell);
        return;
    }
    StringFormat format;
    format.SetLineAlignment(StringAlignment::Center);
    format.SetTrimming(StringTrimming::EllipsisWord);
    const CRect rcText(rcCell.left, rcCell.top + kTextTop, rcCell.right, rcCell.top + kTextTop + kTextHeight);
    graphics.DrawString(strText, GetTextFont(), RectOf(rcText), &format, SolidBrush(CBasicPropertyFrame::GetTextColor()));
}

void CShowTaskListCtrl::DrawProgress(Graphics& graphics, const std::string& strText, const CRect& rcCell)
{
    const int nWidth = m_szProgress.cx > 0 ? m_szProgress.cx : rcCell.Width() - 2 * m_ptProgressOffset.x;
    const CRect rcBar(CPoint(rcCell.left + m_ptProgressOffset.x, rcCell.top + m_ptProgressOffset.y),
                      CSize(std::max(nWidth, 0), m_szProgress.cy));
    const int nFilled = rcBar.Width() * PercentOf(strText) / 100;
    if (m_progressTrack.GetWidth() > 0) {
        graphics.DrawImage(m_progressTrack, rcBar, 0, 0, m_progressTrack.GetWidth(), m_progressTrack.GetHeight());
    } else {
        graphics.FillRectangle(SolidBrush(kProgressTrackColor), rcBar.left, rcBar.top, rcBar.Width(), rcBar.Height());
        graphics.DrawRectangle(Pen(kProgressTrackBorder, 1.0f), rcBar.left, rcBar.top, rcBar.Width() - 1,
                               rcBar.Height() - 1);
    }
    if (nFilled > 0 && m_progressBar.GetWidth() > 0) {
        // The bar picture's left part, as much of it as the percentage covers.
        const int nSource = m_progressBar.GetWidth() * PercentOf(strText) / 100;
        graphics.DrawImage(m_progressBar, CRect(rcBar.left, rcBar.top, rcBar.left + nFilled, rcBar.bottom), 0, 0,
                           std::max(nSource, 1), m_progressBar.GetHeight());
    } else if (nFilled > 0) {
        graphics.FillRectangle(SolidBrush(kProgressBarColor), rcBar.left, rcBar.top, nFilled, rcBar.Height());
    }
    StringFormat format;
    format.SetAlignment(StringAlignment::Center);
    format.SetLineAlignment(StringAlignment::Center);
    graphics.DrawString(strText, m_percentFont, RectOf(rcBar), &format, SolidBrush(CBasicPropertyFrame::GetTextColor()));
}

void CShowTaskListCtrl::DrawStatusIcon(Graphics& graphics, int nRow, const CRect& rcRow)
{
    const Image* pImage = GetImage();
    const int nSlice = TaskStatusSlice(GetItemText(nRow, kStateColumn), GetItemText(nRow, kFlagColumn),
                                       GetItemText(nRow, kExtraColumn));
    // A strip with fewer slices has no icon for the missing ones.
    if (!pImage || nSlice < 0 || nSlice >= GetSliceCount() || GetSliceWidth() <= 0)
        return;
    const CPoint ptOrigin = GetImageOrigin();
    const CRect rcDest(CPoint(ptOrigin.x + rcRow.left - m_nScrollX + kIconLeft, ptOrigin.y + rcRow.top + kIconTop),
                       CSize(GetSliceWidth(), GetImageHeight()));
    graphics.DrawImage(*pImage, rcDest, GetSliceWidth() * nSlice, 0, GetSliceWidth(), GetImageHeight());
}

void CShowTaskListCtrl::DrawRubberBand(Graphics& graphics)
{
    const CRect rc = BandRect();
    if (rc.IsRectEmpty())
        return;
    graphics.FillRectangle(SolidBrush(kBandFillColor), rc.left, rc.top, rc.Width(), rc.Height());
    graphics.DrawRectangle(Pen(kBandBorderColor, 1.0f), rc.left, rc.top, rc.Width() - 1, rc.Height() - 1);
}
