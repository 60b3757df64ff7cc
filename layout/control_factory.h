// The control factory: turns a layout frame's control descriptions into drawn controls, one
// pass per control class. Each pass walks the descriptions in ascending id order, creates the
// controls of its class as children of the parent window, fills their property frames, places
// and shows them and hands them to the layout frame's tables. GUI thread only.
#pragma once

#include "layout/layout_frame.h"
#include "platform/window.h"

// Every pass below, in the order in which a dialog runs them.
void RunControlPasses(CBasicLayoutFrame& layoutFrame, CWnd* pParent);

void CreateStandardButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateRadioBoxButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateCheckBoxButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateDriftButtons(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateShowTextCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateShowImageCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateShowTextImageCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateStandardListCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
void CreateShowTaskListCtrls(CBasicLayoutFrame& layoutFrame, CWnd* pParent);
