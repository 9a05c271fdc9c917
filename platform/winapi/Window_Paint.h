#pragma once
// Invalidation and the paint pass; the non-client area's default painting.

#include "platform/winapi/Window_Object.h"

// Sends WM_NCPAINT and WM_PAINT to every visible window that needs them,
// parents before children.
void Window_Paint_Pending();
void Window_Invalidate_All(HWND__* window, bool erase, bool frame);
// The default WM_NCPAINT: our own borders into the store.
void Window_Paint_Frame(HWND__* window);
// The default WM_ERASEBKGND: the class brush; false without one.
bool Window_Erase_Background(HWND__* window, HDC dc);
// Shows what was drawn through DCs still open since the last copy to the
// screen (called when the event loop goes idle).
void Window_Show_Drawn();
// Deletes the DCs still open over a window's stores.
void Window_Release_Dcs(HWND__* window);
