#pragma once
// Unique component names and handle creation for the library's controls.

#include <string>

#include "platform/classlib/Controls.h"

// BaseName without a leading "T" or "t", followed by the first number from 1
// that no component owned by Owner has as its name (without regard to
// case); number 1 without an Owner. "TSCLLabel" gives "SCLLabel1".
std::string SCLUniqueName(const std::string& BaseName, const TComponent* Owner);

// Makes the control's window if it has none yet; nothing without a control.
void SCLCreateHandle(TWinControl* Control);
