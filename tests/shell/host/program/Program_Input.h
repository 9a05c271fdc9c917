#pragma once
// A user's mouse and keyboard on the private X server, through the X test
// extension: the events reach the program as a real user's do.

#include <string>
#include <vector>

// Key names as X knows them ("Shift_L", "Control_L", "a", "Escape" ...).
using Held_Keys = std::vector<std::string>;

// Clicks the left button at the window's point (x, y) with the keys held.
// False when the display or its test extension cannot be used.
bool Click_At(unsigned long window, int x, int y, const Held_Keys& held = {});

// Clicks the right button at the window's point (x, y).
bool Right_Click_At(unsigned long window, int x, int y);

// Gives the window the keyboard focus and presses and releases the key with
// the other keys held.
bool Press_Key(unsigned long window, const std::string& key, const Held_Keys& held = {});

// Moves the pointer as a user's mouse, to a point of the screen.
void Move_Pointer_To(int x, int y);

// Double-clicks the left button at the window's point (x, y).
bool Double_Click_At(unsigned long window, int x, int y);

// Gives the window the keyboard focus and presses (down) or releases the
// key alone, as a user who holds it or lets it go there.
bool Key_Down_Or_Up(unsigned long window, const std::string& key, bool down);
