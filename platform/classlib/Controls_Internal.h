#pragma once
// What the Controls source files share; not part of the unit's interface.

#include "platform/classlib/Controls.h"

namespace controls_internal {

// A control that goes no longer holds the capture nor counts as the control
// under the mouse.
void Forget_Mouse_Control(TControl* control);
// A control that leaves its parent no longer holds the capture through it.
void Forget_Capture_Control(TControl* control);

} // namespace controls_internal
