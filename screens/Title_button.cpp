#include "screens/Title_button.h"

#include "platform/winapi/Cursor.h"
#include "platform/winapi/Message.h"

bool Title_Was_Pressed(const TSCLShapeButton& title, bool key_click)
{
    return key_click || title.GroupIndex() == 0 ? title.Pressed() : !title.Pressed();
}

void Keep_Cursor_On_Title(const TSCLShapeButton& title, int main_left, int main_top)
{
    if (GetAsyncKeyState(VK_LBUTTON) >= 0)
        return;
    POINT cursor {};
    GetCursorPos(&cursor);
    const int original_x = cursor.x;
    const int left = main_left + title.Parent()->Left() + title.Left();
    if (cursor.x < left)
        SetCursorPos(left + 1, cursor.y);
    else if (cursor.x >= left + title.Width())
        SetCursorPos(left + title.Width() - 2, cursor.y);
    const int top = main_top + title.Parent()->Top() + title.Top();
    if (cursor.y < top)
        SetCursorPos(original_x, top + 1);
    else if (cursor.y >= top + title.Height())
        SetCursorPos(original_x, top + title.Height() - 2);
}

void Release_Title_By_Other_Button(TSCLShapeButton& title, TMouseButton button)
{
    if (title.Pressed() && (button == mbRight || button == mbMiddle))
        title.SetPressed(false);
}
