// The application object: one running copy, the data folder written at every start, the device
// search around the main window.
#pragma once

#include <memory>
#include <string>

#include "platform/app.h"
#include "platform/instance_marker.h"
#include "platform/language.h"

// The product name: the single-instance marker's name and the main window's title.
inline constexpr const char* kProductName = "VELK WIFI DISK";
// Asks the running copy to bring its window to the front.
inline constexpr UINT WM_BRING_TO_FRONT = WM_USER + 100;

inline constexpr const char* kDataFolder = "\\VELKSearchTools";
inline constexpr const char* kPictureFolder = "\\VELKSearchTools\\Picture";
inline constexpr const char* kLayoutFile = "\\WndLayoutInfo.xml";

class CDravonelApp : public CWinApp {
public:
    CDravonelApp();
    ~CDravonelApp() override;

    // The whole start-up and the run of the main window; always FALSE, so that the program ends
    // after ExitInstance.
    BOOL InitInstance() override;
    // Stops the search (if it started) and gives up the single-instance marker.
    int ExitInstance() override;

    // 1 to 14, from the system language read anew at each call.
    int GetLanguageIndex();
    // The folder below which the data folder lies; empty when the system names none.
    std::string GetDataFolderRoot();
    // The data folder and the picture folder exist, the layout file and the eight pictures are
    // written.
    bool PrepareDataFolder();
    bool WriteLayoutFile();
    // Writes the pictures in order and stops at the first that fails.
    bool WritePictureFiles();
    // Writes the embedded file of that kind and number to path (a path in the system's notation),
    // replacing what is there; false when it is not embedded or cannot be written whole.
    bool ExtractResourceToFile(const char* szKind, int nNumber, const std::string& strPath);

protected:
    // Constructs the main window, makes it the main window and runs it modally.
    virtual INT_PTR RunMainWindow();
    // The process-wide search over the process-wide registry.
    virtual void StartDeviceSearch();
    virtual void StopDeviceSearch();
    // The system's default language identifier.
    virtual LANGID GetSystemLanguage();

private:
    bool MakeFolder(const std::string& strPath);
    void ShowFailureMessage();

    std::unique_ptr<CInstanceMarker> m_pInstanceMarker;
    bool m_bSearchStarted = false;
};
