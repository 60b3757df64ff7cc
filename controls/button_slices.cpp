// The slice tables of the drawn buttons.
#include "controls/button_slices.h"

#include "platform/messages.h"

namespace {

// 0 normal, 1 hover, 2 pressed, 3 disabled; disabled wins over pressed, pressed over hover.
int PushStateSlice(const CButtonLook& look)
{
    if (look.nItemState & ODS_DISABLED)
        return 3;
    if (look.nItemState & ODS_SELECTED)
        return 2;
    return look.bHover ? 1 : 0;
}

} // namespace

int SelectButtonSlice(int nSliceCount, const CButtonLook& look)
{
    switch (nSliceCount) {
    case 2: return look.bChecked ? 1 : 0;
    case 4: return PushStateSlice(look);
    case 5: return look.bChecked ? 4 : PushStateSlice(look);
    default: return kNoSlice;
    }
}

int SelectCheckBoxSlice(int nSliceCount, const CButtonLook& look)
{
    switch (nSliceCount) {
    case 2: return look.bChecked ? 1 : 0;
    case 8: return (look.bChecked ? 4 : 0) + PushStateSlice(look);
    default: return kNoSlice;
    }
}
