#pragma once
// The desktop settings the X server keeps: the lock keys' indicators, key
// presses synthesised through the XTest extension, the keyboard's
// auto-repeat (XKB), the bell and the screen saver's time-out.
//
// Each call opens its own connection to the display that $DISPLAY names,
// so that nothing of this program's own windowing is disturbed. Without a
// display the queries and changes fail (ERROR_NOT_SUPPORTED) and
// synthesised keys go nowhere.

#include <optional>

#include "platform/winapi/WinTypes.h"

using ULONG_PTR = std::uintptr_t;

constexpr DWORD KEYEVENTF_EXTENDEDKEY = 0x0001;
constexpr DWORD KEYEVENTF_KEYUP = 0x0002;

// A press (or with KEYEVENTF_KEYUP a release) of a lock key: VK_NUMLOCK,
// VK_CAPITAL or VK_SCROLL; other keys are ignored. The scan code is not
// used: the display's own key for the lock is pressed.
void keybd_event(BYTE virtual_key, BYTE scan_code, DWORD flags, ULONG_PTR extra_info);

// Whether a lock key (VK_NUMLOCK, VK_CAPITAL, VK_SCROLL) is toggled on by
// the display's indicators; none without a display, for another key, or
// where the display has no such indicator.
std::optional<bool> X11_Lock_Key_Toggled(int virtual_key);

// SystemParametersInfoA for the parameters kept here: the keyboard delay
// (0..3, 250 ms steps from 250 ms) and speed (0..31, about 2.5 to 30
// repeats per second), the warning beep (the bell's volume), the screen
// saver's time-out (seconds) and active flag. None for any other action.
std::optional<BOOL> X11_Desktop_Parameter(UINT action, UINT param, void* value);
