// CDialog: a top-level window of the dialog class "#32770" made from a template, with its modal
// run. DoModal creates the window hidden, sends WM_SETFONT (DS_SETFONT) and WM_INITDIALOG
// (OnInitDialog), places it (centred on its owner or the work area unless it moved itself),
// shows it and runs the loop until EndDialog; then it destroys the window and returns the result.
//
// In the run, Enter becomes WM_COMMAND with IDOK (or the default or focused push button's id) and
// Escape WM_COMMAND with IDCANCEL, both with BN_CLICKED, so the dialog's own handlers see them;
// WM_CLOSE becomes IDCANCEL too. CDialog answers IDOK with OnOK and IDCANCEL with OnCancel,
// which end the run with that result. A control that answers WM_GETDLGCODE with
// DLGC_WANTALLKEYS keeps both keys.
#pragma once

#include <optional>
#include <string>

#include "platform/window.h"

// What a dialog is made from. Positions and sizes are in dialog units (a quarter of the font's
// average character width, an eighth of its height); x = CW_USEDEFAULT lets the run place it.
struct CDialogTemplate {
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    DWORD dwExStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int cx = 0;
    int cy = 0;
    std::string strTitle;
    // With DS_SETFONT: the dialog's font (a face that is not installed resolves to the best match).
    std::string strFaceName = "MS Shell Dlg";
    int nPointSize = 8;
};

// Makes a template known by its number (what a dialog resource is on the desktop platform);
// FALSE when the number is taken.
BOOL RegisterDialogTemplate(UINT nIDTemplate, const CDialogTemplate& dialogTemplate);

class CDialog : public CWnd {
public:
    using CWnd::Create;
    CDialog();
    // A dialog of a registered template; pParentWnd owns it (null: the application's main window,
    // when there is one).
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd = nullptr);

    // The modal run; the EndDialog result, or -1 when the dialog could not be made (unknown
    // template, no host) or was destroyed or the loop got WM_QUIT (which is posted again).
    virtual INT_PTR DoModal();
    // The same window without a run of its own (modeless): made, set up, placed and shown.
    BOOL Create();
    // WM_INITDIALOG; TRUE lets the run give the focus to the first WS_TABSTOP control.
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // Ends the modal run with nResult once the current message is handled.
    void EndDialog(int nResult);

    // Offered every message of the modal run before it is dispatched; TRUE: handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Enter and Escape for this dialog and its controls (see above).
    BOOL IsDialogMessage(MSG* pMsg);
    // Dialog units to pixels with this dialog's font.
    void MapDialogRect(LPRECT lpRect) const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    std::optional<CDialogTemplate> FindTemplate() const;
    CWnd* Owner() const;
    bool CreateFromTemplate(const CDialogTemplate& dialogTemplate, CWnd* pOwner);
    void Place(const CDialogTemplate& dialogTemplate, POINT ptBeforeInit);
    void SendCommand(int nID);

    std::optional<CDialogTemplate> m_template;
    CFont m_font;
    bool m_bInModal = false;
    bool m_bEnded = false;
    int m_nModalResult = -1;
};
