// Which slice of its image strip a drawn button shows for its state.
#pragma once

#include "platform/types.h"

// No slice: only the background and the text are drawn.
constexpr int kNoSlice = -1;

// The state a button is drawn in: the draw item's ODS_ flags and the button's own flags.
struct CButtonLook {
    UINT nItemState = 0;
    bool bHover = false;
    bool bChecked = false;
};

// Push, drift and radio buttons: 2 slices (normal, checked), 4 (normal, hover, pressed,
// disabled) or 5 (the four and checked).
int SelectButtonSlice(int nSliceCount, const CButtonLook& look);
// Check boxes: 2 slices (normal, checked) or 8 (the four push states, unchecked then checked).
int SelectCheckBoxSlice(int nSliceCount, const CButtonLook& look);
