#pragma once
// Qt's input and window events turned into window messages, and the state
// they leave: capture, focus, activation, keys, the double-click record.

#include "platform/winapi/Message_Queue.h"
#include "platform/winapi/Window_Object.h"

class QEvent;

// A Qt event that reached a window's widget; true when it was consumed.
bool Window_Input_Event(HWND window, QEvent* event);
// The program took an input message from the queue (or it was dropped
// unread): GetKeyState now answers the keys as that input left them.
void Window_Retrieve_Keys(const Queued_Message& entry);
// Readies a queued mouse message for dispatch: WM_NCHITTEST, activation by
// the click (WM_MOUSEACTIVATE) and WM_SETCURSOR, and the non-client form of
// the message outside the client area. False when it is to be dropped.
bool Window_Prepare_Mouse(Queued_Message& entry);
// The window that key input goes to now: the focus, else the active window;
// null when there is none or it takes no input.
HWND Window_Keyboard_Target();
// Sends WM_MOUSELEAVE to the tracked window when the cursor, at a screen
// point, is no longer over it; tracking then ends.
void Window_Check_Leave(POINT point);
// Activation moves to the top-level window (null: none of ours is active).
void Window_Activate(HWND top_level, WORD how);
// A window is going away: capture, focus, activation and tracking leave it.
void Window_Input_Forget(HWND window);
