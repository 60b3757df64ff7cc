// A start of the application whose search and window are inert: it prints "ended:" followed by
// what start-up did (" window", " start search", ...) and waits for its input to close.
#include "app/dravonel_app.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

class CInertApp : public CDravonelApp {
public:
    std::string strEvents;

protected:
    INT_PTR RunMainWindow() override
    {
        strEvents += " window";
        return IDOK;
    }
    void StartDeviceSearch() override { strEvents += " start search"; }
    void StopDeviceSearch() override { strEvents += " stop search"; }
};

} // namespace

int main()
{
    CInertApp app;
    app.InitInstance();
    app.ExitInstance();
    std::printf("ended:%s\n", app.strEvents.c_str());
    std::fflush(stdout);
    char c;
    while (read(STDIN_FILENO, &c, 1) > 0) { }
    return 0;
}
