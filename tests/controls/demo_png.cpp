// Draws a dialog built from the shipped English layout, over fixture pictures of the shipped
// pictures' sizes, through the headless host into a PNG.
// Usage: velk_controls_demo_png OUTPUT.png [DATA-FOLDER]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "controls/standard_list_ctrl.h"
#include "layout_dialog.h"
#include "platform/host_headless.h"
#include "tests/platform/picture_files.h"

namespace {

// What the program's window adds to its device list: columns named by the layout's strings and
// a header picture (here a fixture of its own).
void DressDeviceList(CLayoutDialog& dialog, const std::string& strRoot)
{
    CLayoutControl* pControl = dialog.FindListControl(2105);
    auto* pList = pControl ? pControl->As<CStandardListCtrl>() : nullptr;
    if (!pList)
        return;
    const std::string strHeader = strRoot + "/header.png";
    WritePng(strHeader, 60, 25, [](int, int y) { return Rgba(40, 90 + 2 * y, 150); });
    pList->GetHeader().SetBackgroundImage(strHeader, 1, 0, 0);
    pList->SetHeaderTextColor(dialog.GetLayoutString("SEARCH_DEVICE_LIST_HEADER_FONT_COLOR"));
    const char* ids[] = {"SEARCH_DEVICE_LIST_ITEM_NAME", "SEARCH_DEVICE_LIST_ITEM_IP", "SEARCH_DEVICE_LIST_ITEM_TYPE"};
    for (int i = 0; i < 3; ++i)
        pList->InsertColumn(i, dialog.GetLayoutString(ids[i]), LVCFMT_LEFT, 100);
    pList->InsertItem(0, "velk-disk");
    pList->SetItemText(0, 1, "192.168.1.5");
    pList->SetItemText(0, 2, "WiFi Disk");
}

} // namespace

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
    DressDeviceList(dialog, strRoot);
    host.PumpUntilIdle();
    if (!host.WritePng(&dialog, argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
