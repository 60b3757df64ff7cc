// The template every drawn dialog is made from: a borderless, captionless popup, so that the
// look comes from the template and the layout and never from code.
#pragma once

#include "platform/dialog.h"

constexpr UINT IDD_BASIC_DIALOG = 201;

// The template as it is registered under IDD_BASIC_DIALOG.
CDialogTemplate BasicDialogTemplate();
// Makes IDD_BASIC_DIALOG known to the dialog machinery; later calls change nothing.
void RegisterBasicDialogTemplate();
