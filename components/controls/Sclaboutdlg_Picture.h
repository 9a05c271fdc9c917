#pragma once
// The about box's picture control and separator line: the class library's
// image and bevel, reached here because their unit's names clash with the
// library's graphic names (bvNone, bvRaised ...) in one translation unit.

#include "platform/classlib/Controls.h"
#include "platform/classlib/Graphics_Bitmap.h"

// A picture control of Parent, named Name; stretching.
TGraphicControl* About_Make_Image(TWinControl* Parent, const char* Name);
// Shows a copy of Graphic; Stretch fills the control, else its own size.
void About_Show_Picture(TGraphicControl* Image, TGraphic* Graphic, bool Stretch);
TGraphic* About_Picture(TGraphicControl* Image);
bool About_Picture_Stretched(TGraphicControl* Image);
// A lowered line along the top of its bounds.
TGraphicControl* About_Make_Separator(TWinControl* Parent, const char* Name);
