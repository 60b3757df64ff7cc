// The message box dialog: its size follows the text, the warning mark stands left of it and the
// buttons sit at the bottom right.
#include "platform/message_box.h"

#include <algorithm>
#include <cstdio>

#include "platform/app.h"
#include "platform/button.h"
#include "platform/control_look.h"
#include "platform/dialog.h"
#include "platform/host.h"

namespace {

constexpr int kMargin = 18;
constexpr int kMarkSize = 40;
constexpr int kMarkGap = 16;
constexpr int kMaxTextWidth = 360;
constexpr int kMinTextWidth = 160;
constexpr int kButtonWidth = 86;
constexpr int kButtonHeight = 30;
constexpr int kButtonGap = 8;

class CMessageBoxDlg : public CDialog {
public:
    CMessageBoxDlg(const std::string& strText, const std::string& strCaption, UINT nType, CWnd* pOwner)
        : CDialog(MakeTemplate(strCaption), pOwner), m_strText(strText), m_nType(nType)
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        Arrange();
        return TRUE;
    }

    void OnCancel() override { EndDialog(HasCancel() ? IDCANCEL : IDOK); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            Paint();
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    static CDialogTemplate MakeTemplate(const std::string& strCaption)
    {
        CDialogTemplate dialogTemplate;
        dialogTemplate.dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
        dialogTemplate.strTitle = strCaption;
        return dialogTemplate;
    }

    bool HasCancel() const { return (m_nType & MB_TYPEMASK) == MB_OKCANCEL; }
    bool HasMark() const { return (m_nType & MB_ICONMASK) != 0; }

    void Arrange()
    {
        CClientDC dc(this);
        m_rcText = CRect(0, 0, kMaxTextWidth, 0);
        dc.DrawText(m_strText, &m_rcText, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        m_rcText.right = std::max(m_rcText.right, kMinTextWidth);
        const int nTextLeft = kMargin + (HasMark() ? kMarkSize + kMarkGap : 0);
        const int nBody = std::max(m_rcText.Height(), HasMark() ? kMarkSize : 0);
        m_rcText.OffsetRect(nTextLeft, kMargin + (nBody - m_rcText.Height()) / 2);
        const int nButtons = HasCancel() ? 2 : 1;
        const int nWidth = std::max(m_rcText.right + kMargin, kMargin * 2 + nButtons * kButtonWidth + kButtonGap);
        const int nHeight = kMargin + nBody + kMargin + kButtonHeight + kMargin;
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        MoveWindow(rcWindow.left, rcWindow.top, nWidth + (rcWindow.Width() - ClientWidth()), nHeight + (rcWindow.Height() - ClientHeight()));
        int nRight = nWidth - kMargin;
        if (HasCancel()) {
            m_cancel.Create("Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                            CRect(nRight - kButtonWidth, nHeight - kMargin - kButtonHeight, nRight, nHeight - kMargin), this, IDCANCEL);
            nRight -= kButtonWidth + kButtonGap;
        }
        m_ok.Create("OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                    CRect(nRight - kButtonWidth, nHeight - kMargin - kButtonHeight, nRight, nHeight - kMargin), this, IDOK);
        // The OK button comes first among the controls, so the run gives it the focus.
        m_ok.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }

    int ClientWidth() const
    {
        CRect rc;
        GetClientRect(&rc);
        return rc.Width();
    }
    int ClientHeight() const
    {
        CRect rc;
        GetClientRect(&rc);
        return rc.Height();
    }

    void Paint()
    {
        CPaintDC dc(this);
        if (HasMark())
            velk::look::DrawWarningMark(dc, MarkRect());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(velk::look::kText);
        CRect rcText = m_rcText;
        dc.DrawText(m_strText, &rcText, DT_WORDBREAK | DT_NOPREFIX);
    }

    CRect MarkRect() const
    {
        const int nTop = std::max(kMargin, m_rcText.top + (m_rcText.Height() - kMarkSize) / 2);
        return {kMargin, nTop, kMargin + kMarkSize, nTop + kMarkSize};
    }

    std::string m_strText;
    UINT m_nType;
    CRect m_rcText;
    CButton m_ok;
    CButton m_cancel;
};

} // namespace

int MessageBox(HWND hWndOwner, const std::string& strText, const std::string& strCaption, UINT nType)
{
    std::fprintf(stderr, "%s\n", strText.c_str());
    std::fflush(stderr);
    if (!GetWindowHost())
        return IDOK;
    CMessageBoxDlg box(strText, strCaption, nType, CWnd::FromHandle(hWndOwner));
    const INT_PTR nResult = box.DoModal();
    return nResult == IDCANCEL ? IDCANCEL : IDOK;
}

int AfxMessageBox(const std::string& strText, UINT nType)
{
    if (!(nType & MB_ICONMASK))
        nType |= MB_ICONEXCLAMATION;
    CWinApp* pApp = AfxGetApp();
    CWnd* pOwner = AfxGetMainWnd();
    return MessageBox(pOwner ? pOwner->GetSafeHwnd() : nullptr, strText, pApp ? pApp->m_strAppName : std::string(), nType);
}
