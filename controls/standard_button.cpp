// The push and drifting buttons' window classes.
#include "controls/standard_button.h"

CStandardButton::CStandardButton() { RegisterButtonClass(kStandardButtonClass); }

CDriftButton::CDriftButton() { RegisterButtonClass(kDriftButtonClass); }
