#include "shell/services/Window_drag.h"

#include "platform/classlib/Forms.h"
#include "platform/classlib/Resources.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "shell/services/Main_Window_Services.h"

namespace {

// The screen cursor slot of the grab cursor the pages drag with.
constexpr TCursor Grab_Cursor = 5;

} // namespace

void Window_Drag::Start(TMouseButton button, int x, int y)
{
    if (button != mbLeft)
        return;
    dragging = true;
    origin_x = x;
    origin_y = y;
    if (!Screen->Cursors(Grab_Cursor)) {
        Register_Cursor_Resources();
        Screen->SetCursors(Grab_Cursor, LoadCursorA(nullptr, "GRABCURSOR"));
    }
    Screen->SetCursor(Grab_Cursor);
}

void Window_Drag::Move(int x, int y)
{
    TForm* main_form = Main_Window ? Main_Window->Get_Main_Form() : nullptr;
    if (!dragging || !main_form)
        return;
    RECT work {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int margin = GetSystemMetrics(SM_CYSMCAPTION);
    const POINT cursor = Mouse->CursorPos();
    const bool inside = cursor.x >= work.left + margin && cursor.x < work.right - margin &&
                        cursor.y >= work.top + margin && cursor.y < work.bottom - margin;
    if (inside) {
        main_form->SetLeft(main_form->Left() + x - origin_x);
        main_form->SetTop(main_form->Top() + y - origin_y);
    }
}

void Window_Drag::End()
{
    if (!dragging)
        return;
    dragging = false;
    Screen->SetCursor(crDefault);
    ReleaseCapture();
}
