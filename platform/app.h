// CWinApp: the application object, and the start of a program. AfxWinMain runs InitInstance; when
// it returns FALSE (a program that runs its main window as a modal dialog inside InitInstance),
// ExitInstance follows at once and its result is the exit code; otherwise Run's loop goes on
// until WM_QUIT or until the main window is gone, and then ExitInstance.
//
// AfxWinMain uses the host that is attached (tests attach a CHeadlessHost first); with none, it
// opens the X11 desktop of $DISPLAY, publishes titled top-level windows in the window directory
// (PublishWindowTitles) and closes the desktop again at the end. Without a display it says so on
// standard error and returns 1 before InitInstance.
#pragma once

#include <string>

#include "platform/window.h"

class CWinApp {
public:
    // Becomes the process's application object (AfxGetApp). An empty name stands for the
    // program's file name.
    explicit CWinApp(const std::string& strAppName = {});
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up; FALSE ends the program after ExitInstance.
    virtual BOOL InitInstance();
    // The loop: messages until WM_QUIT or the main window is destroyed; then ExitInstance.
    virtual int Run();
    // Shutdown; the exit code of the program (the WM_QUIT code, 0 by default).
    virtual int ExitInstance();

    // The window whose end ends Run; also the owner of message boxes and dialogs without one.
    CWnd* m_pMainWnd = nullptr;
    // The caption of AfxMessageBox.
    std::string m_strAppName;

protected:
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Runs the application: see above.
int AfxWinMain(CWinApp& app);
