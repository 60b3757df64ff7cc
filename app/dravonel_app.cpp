// Start-up and shutdown of the program.
#include "app/dravonel_app.h"

#include "app/language_table.h"
#include "discovery/device_manager.h"
#include "discovery/search_coordinator.h"
#include "platform/message_box.h"
#include "platform/remote_window.h"

CDravonelApp::CDravonelApp() = default;

CDravonelApp::~CDravonelApp() = default;

BOOL CDravonelApp::InitInstance()
{
    CWinApp::InitInstance();
    m_pInstanceMarker = std::make_unique<CInstanceMarker>(kProductName);
    const MarkerState nState = m_pInstanceMarker->GetState();
    if (nState == MarkerState::Failed)
        return FALSE;
    if (nState == MarkerState::AlreadyExists) {
        // A copy that is still starting has no window yet: then nothing is sent.
        CRemoteWindow running = CRemoteWindow::FindWindow(kProductName);
        if (running.IsValid())
            running.SendMessage(WM_BRING_TO_FRONT, 0, 0);
        return FALSE;
    }
    if (!PrepareDataFolder()) {
        ShowFailureMessage();
        return FALSE;
    }
    StartDeviceSearch();
    m_bSearchStarted = true;
    RunMainWindow();
    return FALSE;
}

int CDravonelApp::ExitInstance()
{
    if (m_bSearchStarted) {
        StopDeviceSearch();
        m_bSearchStarted = false;
    }
    m_pInstanceMarker.reset();
    return CWinApp::ExitInstance();
}

int CDravonelApp::GetLanguageIndex()
{
    return LanguageIndexOf(GetSystemLanguage());
}

void CDravonelApp::StartDeviceSearch()
{
    StartSearch(CSearchDeviceManager::Instance());
}

void CDravonelApp::StopDeviceSearch()
{
    StopSearch();
}

LANGID CDravonelApp::GetSystemLanguage()
{
    return GetSystemDefaultLangID();
}

void CDravonelApp::ShowFailureMessage()
{
    AfxMessageBox(FailureMessageOf(GetLanguageIndex()), MB_OK | MB_ICONWARNING);
}
