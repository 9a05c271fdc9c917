#pragma once
// Handle operations on any windowed control, for library code that frees
// the windows of hidden hosted forms and makes them again when needed.

#include "platform/classlib/Controls.h"

class TSCLResWinControl {
public:
    TSCLResWinControl() = delete;

    // Makes the control's window if it has none.
    static void CreateHandle(TWinControl* Control);
    // Destroys the control's window and its children's; the control keeps
    // its bounds, caption and children and gets a new window when next needed.
    static void FreeResources(TWinControl* Control);
};
