// Draws a dialog built from the shipped English layout, over fixture pictures of the shipped
// pictures' sizes, through the headless host into a PNG.
// Usage: velk_controls_demo_png OUTPUT.png [DATA-FOLDER]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "layout_dialog.h"
#include "platform/host_headless.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [DATA-FOLDER]\n", argv[0]);
        return 2;
    }
    const std::string strRoot =
        argc > 2 ? argv[2] : (std::filesystem::temp_directory_path() / "velk-controls-demo").string();
    ::setenv("XDG_DATA_HOME", strRoot.c_str(), 1);
    WriteDataFolder(strRoot, ShippedEnglishLayout());
    CHeadlessHost host;
    CLayoutDialog dialog;
    if (!dialog.Build()) {
        std::fprintf(stderr, "the dialog could not be made\n");
        return 1;
    }
    host.PumpUntilIdle();
    if (!host.WritePng(&dialog, argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
