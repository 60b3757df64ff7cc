// What the drawn main window pays per paint for its controls' backgrounds: handing every button
// and text or image control a fresh snapshot, and one control copying its snapshot back.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "layout/layout_frame.h"
#include "layout/layout_reader.h"
#include "platform/host_headless.h"

namespace {

constexpr const char* kClassName = "VelkBenchPlain";

class CBenchControl : public CWnd, public CBasicPropertyFrame {};

// The English layout's dialog (328 x 245) with a window for every control it describes.
struct CMainWindowScene {
    CMainWindowScene()
    {
        WNDCLASS wc;
        wc.lpszClassName = kClassName;
        AfxRegisterClass(&wc);
        ReadLayoutFile(description, std::string(VELK_SOURCE_DIR) + "/app/resources/layout/150.xml", 201, "Standard");
        dialog.CreateEx(0, kClassName, "", WS_POPUP | WS_VISIBLE, description.rcPos, nullptr, 0);
        for (const auto& [nID, control] : description.mapControls) {
            auto pControl = std::make_unique<CBenchControl>();
            pControl->CreateEx(0, kClassName, "", WS_CHILD | WS_VISIBLE, control.rcPos, &dialog, nID);
            pControl->SetPaintMode(control.nPaintMode);
            const LayoutTable table = control.strClassName.find("Button") != std::string::npos ? LayoutTable::Buttons
                                      : control.strClassName.find("List") != std::string::npos ? LayoutTable::Lists
                                                                                               : LayoutTable::TextImage;
            frame.AddLayoutControl(table, nID, std::move(pControl));
        }
        background.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&background, description.rcPos.Width(), description.rcPos.Height());
        background.SelectObject(&bitmap);
        background.FillSolidRect(0, 0, description.rcPos.Width(), description.rcPos.Height(), RGB(40, 90, 160));
    }

    CHeadlessHost host;
    DialogDescription description;
    CWnd dialog;
    CBasicLayoutFrame frame;
    CBitmap bitmap;
    CDC background;
};

void BM_RefreshControlBackgrounds(benchmark::State& state)
{
    CMainWindowScene scene;
    for (auto _ : state)
        scene.frame.RefreshControlBackgrounds(&scene.background, &scene.dialog);
    state.SetItemsProcessed(state.iterations() * 8);
}
BENCHMARK(BM_RefreshControlBackgrounds);

// The wait message (2106, 280 x 15) painting the parent's background from its snapshot.
void BM_PaintParentBackgroundFromSnapshot(benchmark::State& state)
{
    CMainWindowScene scene;
    scene.frame.RefreshControlBackgrounds(&scene.background, &scene.dialog);
    CLayoutControl* pControl = scene.frame.FindTextImageControl(2106);
    CBitmap bitmap;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    bitmap.CreateCompatibleBitmap(&dc, 280, 15);
    dc.SelectObject(&bitmap);
    Graphics graphics(&dc);
    for (auto _ : state)
        pControl->Frame()->PaintByMode(&scene.dialog, pControl->Wnd(), &graphics, &dc);
}
BENCHMARK(BM_PaintParentBackgroundFromSnapshot);

} // namespace

BENCHMARK_MAIN();
