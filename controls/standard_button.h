// The drawn push button and the drifting button, which shows a tooltip; both leave their clicks
// to the platform's BN_CLICKED.
#pragma once

#include "controls/basic_button.h"

inline constexpr const char* kStandardButtonClass = "StandardButton";
inline constexpr const char* kDriftButtonClass = "DriftButton";

class CStandardButton : public CBasicButton {
public:
    // Registers "StandardButton".
    CStandardButton();
};

class CDriftButton : public CStandardButton {
public:
    // Registers "DriftButton" (and, as a standard button, "StandardButton").
    CDriftButton();
};
