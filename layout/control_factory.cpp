// The control factory's passes.
#include "layout/control_factory.h"

#include <memory>
#include <type_traits>

#include "controls/check_box_button.h"
#include "controls/radio_box_button.h"
#include "controls/show_image_ctrl.h"
#include "controls/show_task_list_ctrl.h"
#include "controls/show_text_ctrl.h"
#include "controls/show_text_image_ctrl.h"
#include "controls/standard_button.h"
#include "controls/standard_list_ctrl.h"

namespace {

// What a pass gives the frame once the window exists, in this order.
enum FrameFill : unsigned {
    FILL_IMAGE = 1,
    FILL_TEXT = 2,
    FILL_FONT = 4,
    FILL_TEXT_COLOR = 8,
    FILL_TOOLTIP = 16,
};

constexpr unsigned kButtonFill = FILL_IMAGE | FILL_TEXT | FILL_FONT | FILL_TEXT_COLOR;
inline constexpr const char* kStandardListCtrlClass = "StandardListCtrl";
inline constexpr const char* kShowTaskListCtrlClass = "ShowTaskListCtrl";

constexpr unsigned kTextFill = FILL_TEXT | FILL_FONT | FILL_TEXT_COLOR;

void FillBeforeWindow(CBasicPropertyFrame& frame, const ControlDescription& d)
{
    frame.SetFillColor(d.clrFill);
    frame.SetBorderColor(d.clrBorder);
    frame.SetPaintMode(d.nPaintMode);
}

void FillAfterWindow(CBasicPropertyFrame& frame, CWnd& wnd, const ControlDescription& d, unsigned nFill)
{
    if (nFill & FILL_IMAGE)
        frame.SetBackgroundImage(d.strBGImagePath, d.nSliceCount, 0, 0);
    if (nFill & FILL_TEXT)
        frame.SetText(d.strText, d.ptTextOffset.x, d.ptTextOffset.y);
    if (nFill & FILL_FONT)
        frame.SetTextFont(d.strFontName, d.nFontSize);
    if (nFill & FILL_TEXT_COLOR)
        frame.SetTextColor(d.clrText);
    if (nFill & FILL_TOOLTIP)
        frame.AttachToolTip(d.strNote, &wnd);
}

void PlaceAndShow(CWnd& wnd, const ControlDescription& d)
{
    wnd.MoveWindow(d.rcPos.left, d.rcPos.top, d.rcPos.Width(), d.rcPos.Height(), TRUE);
    wnd.ShowWindow(d.nShowCmd);
}

// One pass over the descriptions whose class name is exactly szClassName. A window that cannot
// be made still leaves its object filled and kept, so that it goes with the others.
template <LayoutControlClass TControl>
void CreateControlsOf(CBasicLayoutFrame& layoutFrame, CWnd* pParent, const char* szClassName, LayoutTable table,
                      unsigned nFill)
{
    for (const auto& [nControlID, d] : layoutFrame.GetDialogDescription().mapControls) {
        if (d.strClassName != szClassName)
            continue;
        auto pControl = std::make_unique<TControl>();
        FillBeforeWindow(*pControl, d);
        pControl->CreateEx(0, szClassName, "", d.dwStyle, d.rcPos, pParent, static_cast<UINT>(nControlID));
        FillAfterWindow(*pControl, *pControl, d, nFill);
        PlaceAndShow(*pControl, d);
        layoutFrame.AddLayoutControl(table, nControlID, std::move(pControl));
    }
}

// The list passes: their windows are platform list views; the device list takes a GDI font and
// a text colour in place of the frame's look.
template <LayoutControlClass TList>
void CreateListsOf(CBasicLayoutFrame& layoutFrame, CWnd* pParent, const char* szClassName)
{
    for (const auto& [nControlID, d] : layoutFrame.GetDialogDescription().mapControls) {
        if (d.strClassName != szClassName)
            continue;
        auto pList = std::make_unique<TList>();
        FillBeforeWindow(*pList, d);
        pList->CreateEx(0, d.dwStyle, d.rcPos, pParent, static_cast<UINT>(nControlID));
        if constexpr (std::is_same_v<TList, CStandardListCtrl>) {
            CFont* pFont = layoutFrame.CreateLayoutFont(d.strFontName, d.nFontSize);
            pList->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), TRUE);
            pList->SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(d.clrText));
        } else {
            FillAfterWindow(*pList, *pList, d, FILL_IMAGE);
        }
        PlaceAndShow(*pList, d);
        layoutFrame.AddLayoutControl(LayoutTable::Lists, nControlID, std::move(pList));
    }
}

} // namespace

void CreateStandardButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CStandardButton>(layoutFrame, pParent, kStandardButtonClass, LayoutTable::Buttons, kButtonFill);
}

void CreateRadioBoxButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CRadioBoxButton>(layoutFrame, pParent, kRadioBoxButtonClass, LayoutTable::Buttons, kButtonFill);
}

void CreateCheckBoxButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CCheckBoxButton>(layoutFrame, pParent, kCheckBoxButtonClass, LayoutTable::Buttons, kButtonFill);
}

void CreateDriftButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CDriftButton>(layoutFrame, pParent, kDriftButtonClass, LayoutTable::Buttons,
                                   kButtonFill | FILL_TOOLTIP);
}

void CreateShowTextCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CShowTextCtrl>(layoutFrame, pParent, kShowTextCtrlClass, LayoutTable::TextImage, kTextFill);
}

void CreateShowImageCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CShowImageCtrl>(layoutFrame, pParent, kShowImageCtrlClass, LayoutTable::TextImage, FILL_IMAGE);
}

void CreateShowTextImageCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateControlsOf<CShowTextImageCtrl>(layoutFrame, pParent, kShowTextImageCtrlClass, LayoutTable::TextImage,
                                         kButtonFill);
}

void CreateStandardListCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateListsOf<CStandardListCtrl>(layoutFrame, pParent, kStandardListCtrlClass);
}

void CreateShowTaskListCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateListsOf<CShowTaskListCtrl>(layoutFrame, pParent, kShowTaskListCtrlClass);
}

void RunControlPasses(CBasicLayoutFrame& layoutFrame, CWnd* pParent)
{
    CreateStandardButtons(layoutFrame, pParent);
    CreateRadioBoxButtons(layoutFrame, pParent);
    CreateCheckBoxButtons(layoutFrame, pParent);
    CreateDriftButtons(layoutFrame, pParent);
    CreateShowTextCtrls(layoutFrame, pParent);
    CreateShowImageCtrls(layoutFrame, pParent);
    CreateShowTextImageCtrls(layoutFrame, pParent);
    CreateStandardListCtrls(layoutFrame, pParent);
    CreateShowTaskListCtrls(layoutFrame, pParent);
}
