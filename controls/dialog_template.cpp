// The drawn dialogs' template.
#include "controls/dialog_template.h"

CDialogTemplate BasicDialogTemplate()
{
    CDialogTemplate dialogTemplate;
    dialogTemplate.dwStyle = WS_POPUP | WS_VISIBLE | DS_SETFONT | DS_FIXEDSYS;
    dialogTemplate.dwExStyle = WS_EX_APPWINDOW;
    dialogTemplate.cx = 320;
    dialogTemplate.cy = 200;
    dialogTemplate.strTitle.clear();
    dialogTemplate.strFaceName = "MS Shell Dlg";
    dialogTemplate.nPointSize = 9;
    return dialogTemplate;
}

void RegisterBasicDialogTemplate()
{
    // The registry refuses a number it already holds, which is what a repeated call needs.
    RegisterDialogTemplate(IDD_BASIC_DIALOG, BasicDialogTemplate());
}
