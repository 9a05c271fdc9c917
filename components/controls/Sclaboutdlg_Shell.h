#pragma once
// The about box the shell would show for the about dialog's standard style,
// made here since Linux has none: the name split at "#" (the part before it
// in the title bar, the part after it as the box's first line; without "#"
// the title reads "About " + the name and so does the first line), the
// icon, the copyright lines (a carriage return starts a line) and an OK
// button. Shown modally over Owner (or centred in the screen) and
// registered like every modal dialog, so the program can close it.

#include <string>

#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/Window.h"

// True once the box was shown and closed.
bool About_Shell_Box(HWND Owner, const std::string& Name, const std::string& Copyright, TIcon* Icon);
