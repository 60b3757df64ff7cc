// The common part of the drawn buttons: owner-drawn platform buttons that paint one slice of
// their image strip for their state, track the pointer for a hover look, keep their own check
// state and draw a text centred on every axis whose offset is 0. GUI thread only.
#pragma once

#include "controls/button_slices.h"
#include "layout/property_frame.h"
#include "platform/button.h"
#include "platform/graphics.h"

class CBasicButton : public CButton, public CBasicPropertyFrame {
public:
    CBasicButton() = default;

    // Adds the owner-draw type to the style.
    void PreSubclassWindow() override;
    // Only DrawButton.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Hooks for the pointer; they do nothing here.
    virtual void OnMouseMoved(UINT nFlags, int x, int y);
    virtual void OnMouseLeft();
    virtual void OnMouseHovered(UINT nFlags, int x, int y);
    // Paints the button double-buffered: background layers, the state's slice, the text.
    virtual void DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct);
    // The text, one pixel further right and down while pressed.
    virtual void DrawButtonText(Graphics* pGraphics, LPDRAWITEMSTRUCT lpDrawItemStruct);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool IsHovering() const { return m_nHover != 0; }
    bool IsChecked() const { return m_nChecked != 0; }

protected:
    // Registers a copy of the platform's button class under strClassName with the hand cursor.
    static void RegisterButtonClass(const char* szClassName);
    CButtonLook LookOf(const DRAWITEMSTRUCT& drawItem) const;
    // DrawButton with the slice already chosen (kNoSlice: none).
    void DrawButtonWithSlice(LPDRAWITEMSTRUCT lpDrawItemStruct, int nSlice);
    // The text at its offset, shifted by one pixel while pressed when bShiftPressed.
    void DrawTextOfButton(Graphics* pGraphics, const DRAWITEMSTRUCT& drawItem, bool bShiftPressed);

private:
    void OnMouseMove(WPARAM wParam, LPARAM lParam);

    int m_nHover = 0;
    int m_nChecked = 0;
};

// Where a button's text starts: an offset component of 0 centres the text on that axis (the
// division truncating), any other is the distance from the edge; bPressed adds one pixel.
CPoint ButtonTextOrigin(const CSize& client, float fTextWidth, float fTextHeight, const CPoint& ptOffset,
                        bool bPressed);
