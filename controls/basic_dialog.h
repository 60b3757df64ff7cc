// A dialog drawn entirely by itself from its layout description: it paints its client area
// double-buffered, takes its look, title and size from the description and places the children
// of its template as the description says. GUI thread only.
#pragma once

#include <string>

#include "layout/layout_frame.h"
#include "layout/property_frame.h"
#include "platform/dialog.h"

class CBasicDialog : public CDialog, public CBasicPropertyFrame, public CBasicLayoutFrame {
public:
    // A dialog of template 201 without a parent.
    CBasicDialog();

    // Paints the whole client area into pDC, a memory DC of client size; here it only fills it
    // with the description's background colour.
    virtual void DrawBackground(CDC* pDC);
    // After every size change, with the new client size: the resize hook while the layout is
    // loaded, then the client rectangle is remembered.
    virtual void OnClientResized(UINT nType, int cx, int cy);
    // Rounded corners of 5 x 5 pixels.
    virtual void ApplyRoundRegion();

    BOOL OnInitDialog() override;
    // The layout frame's load, then the layout counts as loaded.
    void LoadLayout(std::string strRelativePath, int nDialogID, std::string strSection) override;
    // Image, colours, paint mode, font, text and title of the description, and its size.
    void ApplyDialogDescription() override;
    // Releases what an earlier run made, then moves, shows, titles and gives a font to every
    // template child that the description names.
    void ApplyControlDescriptions() override;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);

    // The brush answered for the dialog's own background; one per dialog.
    CBrush m_brushBackground;
};
