// Shows the demonstration window of the platform layer: on the X11 desktop of $DISPLAY, or drawn
// by the headless host into a PNG.
// Usage: velk_platform_demo [--png OUTPUT.png | --exit-after MILLISECONDS]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "demo_dialog.h"
#include "platform/app.h"
#include "platform/host_headless.h"
#include "platform/message_loop.h"

namespace {

const char* IconPath() { return VELK_SOURCE_DIR "/app/resources/icon/48x48.png"; }

class CDemoApp : public CWinApp {
public:
    explicit CDemoApp(UINT nLifetime) : CWinApp("VELK platform demo"), m_nLifetime(nLifetime) {}

    BOOL InitInstance() override
    {
        CDemoDialog dialog(IconPath());
        dialog.nLifetime = m_nLifetime;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

private:
    UINT m_nLifetime;
};

int WritePicture(const char* szPath)
{
    CHeadlessHost host;
    CDemoDialog dialog(IconPath());
    if (!dialog.Create())
        return 1;
    host.PumpUntilIdle();
    if (!host.WritePng(&dialog, szPath)) {
        std::fprintf(stderr, "cannot write %s\n", szPath);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--png") == 0)
        return WritePicture(argv[2]);
    const bool bTimed = argc == 3 && std::strcmp(argv[1], "--exit-after") == 0;
    if (argc != 1 && !bTimed) {
        std::fprintf(stderr, "usage: %s [--png OUTPUT.png | --exit-after MILLISECONDS]\n", argv[0]);
        return 2;
    }
    CDemoApp app(bTimed ? static_cast<UINT>(std::strtoul(argv[2], nullptr, 10)) : 0);
    return AfxWinMain(app);
}
