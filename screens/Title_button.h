#pragma once
// What the block titles of the SD and HD pages share: the state a click
// found, the cursor held over a pressed title, and the release by the right
// or middle button.

#include "components/controls/SCLShapeButton.h"

// Whether the title was pressed before this click: a grouped button toggles
// before its click event, so a mouse click finds it already in its new
// state; a click made from the keyboard does not toggle it.
bool Title_Was_Pressed(const TSCLShapeButton& title, bool key_click);

// While the left button is held the cursor stays on the title, so the press
// cannot be dragged off it; (main_left, main_top) is the main window's place.
void Keep_Cursor_On_Title(const TSCLShapeButton& title, int main_left, int main_top);

// A pressed title let go by the right or middle button is released.
void Release_Title_By_Other_Button(TSCLShapeButton& title, TMouseButton button);
