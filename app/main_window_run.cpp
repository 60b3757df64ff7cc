// The run of the main window: it is the application's main window until its modal run ends.
#include "app/dravonel_app.h"
#include "app/dravonel_dlg.h"

INT_PTR CDravonelApp::RunMainWindow()
{
    CDravonelDlg dialog;
    m_pMainWnd = &dialog;
    const INT_PTR nResult = dialog.DoModal();
    m_pMainWnd = nullptr;
    return nResult;
}
