#pragma once
// The forms are designed at 96 dpi with fixed pixel layouts. On a screen of
// more dots per inch nothing moves: only fonts shrink or grow a little, and
// segmented progress bars take as many segments as their real length holds.

#include "platform/classlib/Classes_Component.h"

// The screen's horizontal logical dots per inch, read afresh at each call.
int Get_Screen_Dpi();
// From 120 dots per inch (large fonts) the forms show their large pictures.
bool Is_Large_Screen();

// Adjusts the components that form owns, in their order, for the screen's
// dots per inch. The owner is not used.
void Adapt_Form_To_Dpi(TComponent* owner, TComponent* form);

// The segment count that fills a bar of len pixels whose designed count is
// bar_count, with gaps of space pixels and a bevel of bevel pixels on each
// side; the designed count when no more fit. A count of 0 stays 0.
int Fitting_Bar_Count(int len, int bevel, int bar_count, int space);
