// The program: its one application object, run on the desktop of $DISPLAY.
#include "app/dravonel_app.h"

namespace {

CDravonelApp theApp;

} // namespace

int main()
{
    return AfxWinMain(theApp);
}
