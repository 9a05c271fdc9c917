#pragma once
// What a framed top-level window asks of the window manager, as its style
// says: the Motif hints name exactly the frame's parts (title, system menu,
// minimise and maximise buttons, resizing border) and the actions they give
// (close, minimise, maximise, resize). Qt writes them only partly: a window
// with none of the buttons gets every action, and window managers then show
// minimise, maximise and close buttons on it. Nothing is written off X (the
// offscreen platform) nor on a frameless or child window.

#include <array>

#include "platform/winapi/WinTypes.h"

struct HWND__;

// The five values of _MOTIF_WM_HINTS (flags, functions, decorations, input
// mode, status) for a framed window of that style.
std::array<long, 5> Motif_Frame_Hints(DWORD style);

// Writes them on the window's X window, made now if it is not yet.
void X11_Write_Frame_Hints(HWND__* window);
