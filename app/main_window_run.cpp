// The run of the main window. Until the window exists, start-up runs no window.
#include "app/dravonel_app.h"

INT_PTR CDravonelApp::RunMainWindow()
{
    return IDCANCEL;
}
