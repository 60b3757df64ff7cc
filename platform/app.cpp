// The application object and the program's start on the attached host or the X11 desktop.
#include "platform/app.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/host_x11.h"
#include "platform/message_loop.h"

namespace {

CWinApp* g_pApp = nullptr;

std::string ProgramName() { return program_invocation_short_name ? program_invocation_short_name : "program"; }

} // namespace

CWinApp::CWinApp(const std::string& strAppName) : m_strAppName(strAppName.empty() ? ProgramName() : strAppName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run()
{
    MSG msg;
    for (;;) {
        if (m_pMainWnd && !m_pMainWnd->GetSafeHwnd())
            break;
        if (!GetMessage(&msg)) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        DispatchMessage(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp ? g_pApp->m_pMainWnd : nullptr; }

int AfxWinMain(CWinApp& app)
{
    std::unique_ptr<CX11Host> pDesktop;
    if (!GetWindowHost()) {
        pDesktop = CX11Host::Open();
        if (!pDesktop) {
            const char* szDisplay = std::getenv("DISPLAY");
            std::fprintf(stderr, "%s: cannot open the display %s\n", app.m_strAppName.c_str(),
                         szDisplay && *szDisplay ? szDisplay : "(DISPLAY is not set)");
            return 1;
        }
        PublishWindowTitles();
    }
    const int nExitCode = app.InitInstance() ? app.Run() : app.ExitInstance();
    app.m_pMainWnd = nullptr;
    return nExitCode;
}
