// The common part of the text and image controls: child windows that paint double-buffered from
// their property frame and let a click in the dialog's top band drag the dialog. GUI thread only.
#pragma once

#include "layout/property_frame.h"
#include "platform/graphics.h"
#include "platform/window.h"

class CBasicCtrl : public CWnd, public CBasicPropertyFrame {
public:
    CBasicCtrl() = default;

    // Paints the whole client area into pDC, a memory DC of client size; nothing here.
    virtual void DrawControl(CDC* pDC);
    // After every size change: the resize hook while the layout is loaded, then the client
    // rectangle is remembered.
    virtual void OnClientResized(UINT nType, int cx, int cy);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Registers a plain class of that name with the arrow cursor; a name taken already stays.
    static void RegisterControlClass(const char* szClassName);
    // The text from its offset (-1 counts as 1), wrapped within that margin on both sides.
    void DrawControlText(Graphics& graphics);
    // The current slice of the image at the image origin, unscaled.
    void DrawImageSlice(Graphics& graphics);

private:
    void OnPaint();
    void OnLButtonDown(LPARAM lParam);
};
