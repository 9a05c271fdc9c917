#pragma once
// The program's message queue: posted messages and Qt's input as messages,
// served one per wake-up event from Qt's event loop on the UI thread.

#include "platform/winapi/Message.h"

#include <array>
#include <cstdint>
#include <string>

// A key or button as an input message leaves it.
struct Key_Change {
    BYTE key = 0;
    bool down = false;
    std::uint64_t order = 0; // when the input came, among all input
};

struct Queued_Message {
    MSG msg;
    bool mouse = false;    // mouse input: a tracked window the cursor left hears of it first
    bool hit_test = false; // mouse input not under capture: WM_NCHITTEST and WM_SETCURSOR first
    // Key input that came behind mouse input still queued: it goes to the
    // window with the focus once that input is handled (hwnd null till then).
    bool to_focus = false;
    std::string chars;     // a key's characters, queued when the key is dispatched
    // The keys and buttons as the input left them, for GetKeyState once the
    // message is retrieved: a key its own change, the mouse the buttons and
    // modifiers it was made with.
    std::array<Key_Change, 5> keys{};
    std::uint8_t key_count = 0;
};

bool On_Ui_Thread();
void Queue_Post(Queued_Message entry);
// Whether mouse input waits in the queue, to be handled before what comes now.
bool Queue_Holds_Mouse_Input();
// Drops the queued messages of a window that is being destroyed.
void Queue_Remove_Window(HWND window);
// Asks for a paint pass from the event loop, after the pending input.
void Queue_Schedule_Paint();
// The message being handled, for GetMessagePos and GetMessageTime.
void Queue_Set_Current(const MSG& message);
