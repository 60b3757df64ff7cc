// The plain records of one dialog's description as the layout file gives it: the dialog's look,
// its controls by id and its strings by id.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/types.h"

// Orders texts as their UTF-16 code units would order them, so that the strings map iterates as
// the original program's did. For valid UTF-8 this is byte order, except that U+E000..U+FFFF come
// after the characters beyond U+FFFF (whose UTF-16 lead surrogates are smaller). Any byte
// sequence is ordered consistently, valid or not.
struct CUtf16CodeUnitLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
};

// One control of a dialog (a CtrlInfo element). Texts are UTF-8; paths are full paths.
struct ControlDescription {
    int nCtrlID = 0;
    std::string strBGImagePath;
    int nSliceCount = 0;
    std::string strFillColor;
    COLORREF clrFill = 0;
    std::string strBorderColor;
    COLORREF clrBorder = 0;
    int nPaintMode = 0;
    std::string strClassName;
    DWORD dwStyle = 0;
    std::string strNote;
    std::string strText;
    std::string strTextColor;
    COLORREF clrText = 0;
    CPoint ptTextOffset;
    std::string strFontName;
    int nFontSize = 0;
    int nPosType = 0;
    CRect rcPos;
    int nShowCmd = 0;

    bool operator==(const ControlDescription&) const = default;
};

using ControlDescriptionMap = std::map<int, ControlDescription>;
using LayoutStringMap = std::map<std::string, std::string, CUtf16CodeUnitLess>;

// One dialog (a DialogInfo element and its section). A new record is in the empty state: every
// text empty, every number, colour, offset and rectangle 0, both maps empty.
struct DialogDescription {
    int nDialogID = 0;
    std::string strBGImagePath;
    std::string strBGColor;
    COLORREF clrBG = 0;
    int nPaintMode = 0;
    std::string strText;
    std::string strNote;
    CRect rcPos;
    std::string strTextColor;
    COLORREF clrText = 0;
    CPoint ptTextOffset;
    std::string strFontName;
    int nFontSize = 0;
    ControlDescriptionMap mapControls;
    LayoutStringMap mapStrings;

    bool operator==(const DialogDescription&) const = default;
};
