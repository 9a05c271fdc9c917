#pragma once
// Mouse cursors: the standard shapes mapped to Qt's cursors, the program's
// own cursor images, the cursor position and the shape shown.

#include <functional>

#include "platform/winapi/WinTypes.h"

class QCursor;

struct HCURSOR__;
using HCURSOR = HCURSOR__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

inline LPCSTR const IDC_ARROW = MAKEINTRESOURCEA(32512);
inline LPCSTR const IDC_IBEAM = MAKEINTRESOURCEA(32513);
inline LPCSTR const IDC_WAIT = MAKEINTRESOURCEA(32514);
inline LPCSTR const IDC_CROSS = MAKEINTRESOURCEA(32515);
inline LPCSTR const IDC_UPARROW = MAKEINTRESOURCEA(32516);
inline LPCSTR const IDC_SIZE = MAKEINTRESOURCEA(32640);
inline LPCSTR const IDC_ICON = MAKEINTRESOURCEA(32641);
inline LPCSTR const IDC_SIZENWSE = MAKEINTRESOURCEA(32642);
inline LPCSTR const IDC_SIZENESW = MAKEINTRESOURCEA(32643);
inline LPCSTR const IDC_SIZEWE = MAKEINTRESOURCEA(32644);
inline LPCSTR const IDC_SIZENS = MAKEINTRESOURCEA(32645);
inline LPCSTR const IDC_SIZEALL = MAKEINTRESOURCEA(32646);
inline LPCSTR const IDC_NO = MAKEINTRESOURCEA(32648);
inline LPCSTR const IDC_HAND = MAKEINTRESOURCEA(32649);
inline LPCSTR const IDC_APPSTARTING = MAKEINTRESOURCEA(32650);
inline LPCSTR const IDC_HELP = MAKEINTRESOURCEA(32651);

// The program's own module for a null name: the instance its resources
// (cursors) are loaded with. No other module is known: null, last error
// ERROR_MOD_NOT_FOUND.
HINSTANCE GetModuleHandleA(LPCSTR module_name);

// A null instance with an IDC_ value gives the shared standard cursor; any
// other instance or name gives a cursor the program registered under that
// name or number (Register_Cursor_Resource), else null.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);
// Makes a cursor the program's own resource, found again by LoadCursorA
// with any non-null instance; a numbered one takes MAKEINTRESOURCEA(id).
void Register_Cursor_Resource(LPCSTR name, const QCursor& cursor);
// The same with the picture made by Make when the cursor is first used, so
// that cursors can be registered before the GUI exists (at start-up).
void Register_Cursor_Resource(LPCSTR name, std::function<QCursor()> Make);
BOOL DestroyCursor(HCURSOR cursor); // shared standard cursors stay

// Shows the cursor over the window under the mouse (or the capture
// window); null hides it. Answers the cursor shown before.
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
// The Qt cursor a handle stands for (Qt::ArrowCursor for null or stale).
QCursor Cursor_Shape(HCURSOR cursor);

BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
