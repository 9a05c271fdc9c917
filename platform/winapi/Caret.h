#pragma once
// The caret: one per thread, owned by one window. The program's controls
// draw it themselves at its place while it is shown, and blink it with a
// timer of their own; its blink time belongs to this caret alone, so no
// desktop setting is read or changed.

#include "platform/winapi/Gdi.h"

// Blink time of a new caret, and the answer of GetCaretBlinkTime without one.
constexpr UINT Default_Caret_Blink_Time = 530;

// Replaces the thread's caret; the new one is hidden at (0, 0). A bitmap
// gives the caret's picture (its size wins), else width x height with
// zero meaning 1. FALSE for a null window.
BOOL CreateCaret(HWND window, HBITMAP bitmap, int width, int height);
// FALSE when the thread has no caret.
BOOL DestroyCaret();
// Shown after as many ShowCaret as HideCaret calls, counting the creation
// as one HideCaret. FALSE when the caret is another window's (or none);
// a shown caret is not shown twice.
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* point);
// The desktop's blink time, which the program never changes.
UINT GetCaretBlinkTime();
// Sets the blink time of the thread's caret only (Caret_Info::blink_time);
// FALSE without one or for 0.
BOOL SetCaretBlinkTime(UINT milliseconds);

// What a window drawing its caret needs to know.
struct Caret_Info {
    HWND window = nullptr;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
    POINT position{0, 0};
    bool shown = false;
    UINT blink_time = Default_Caret_Blink_Time;
};
// The thread's caret when it belongs to window; else nullptr.
const Caret_Info* Caret_Of(HWND window);
