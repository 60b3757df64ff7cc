// The message box: a small modal dialog with a warning mark, the text and an OK button (with
// MB_OKCANCEL also Cancel). The text also goes to standard error, so that it is seen where no
// desktop shows it.
#pragma once

#include <string>

#include "platform/window.h"

// IDOK or IDCANCEL (Escape and closing the box give IDCANCEL when there is a Cancel button, else
// IDOK). Every MB_ICON kind shows the warning mark; without one, no mark. Without a host the text
// only goes to standard error and the answer is IDOK.
int MessageBox(HWND hWndOwner, const std::string& strText, const std::string& strCaption, UINT nType = MB_OK);
// MessageBox with the application's name as caption, owned by the main window (if it has one);
// the warning mark when nType names no icon.
int AfxMessageBox(const std::string& strText, UINT nType = MB_OK);
