#pragma once
// Dragging the borderless main window by the background of a page: the
// window follows the cursor only while the cursor stays inside the work
// area less one small caption height on every side, with the grab cursor
// showing meanwhile.

#include "platform/classlib/Controls.h"

class Window_Drag {
public:
    // A left-button press at (x, y) of the dragged control starts a drag.
    void Start(TMouseButton button, int x, int y);
    // The mouse at (x, y) of the same control: moves the main window.
    void Move(int x, int y);
    // Ends a drag that runs: the default cursor, the capture released.
    void End();
    bool Dragging() const { return dragging; }

private:
    bool dragging = false;
    int origin_x = 0;
    int origin_y = 0;
};
