// The mouse: selecting with the left button (repeated while it is held),
// dragging the selected text and dropping it, the word under a double click,
// the context menu, and the focus that follows the mouse.

#include "components/controls/SCLBaseEdit.h"

#include "components/controls/SCLBaseEdit_Internal.h"

using sclbaseedit_internal::LF;

namespace {

constexpr WORD Selection_Interval = 200;

} // namespace

void TSCLBaseEdit::Free_Selection_Timer()
{
    if (selection_timer)
        SCLApplication->RemoveTimer(selection_timer);
    selection_timer = 0;
}

void TSCLBaseEdit::DoLeftMouseBtn()
{
    const int position = CalcMousePos(mouse_point);
    if (TextDrag && !dragging && !selecting && sel_length > 0 && position > sel_start &&
        position < sel_start + sel_length) {
        dragging = true;
        saved_cursor = Screen->Cursor();
        Screen->SetCursor(crDrag);
        return;
    }
    if (position != caret_pos)
        Move_Caret(position);
}

void TSCLBaseEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled())
        return;
    if (CanFocus())
        SetFocus();
    mouse_point = POINT{X, Y};
    if (Shift.Contains(ssDouble))
        return; // the double click's word selection stands
    DoLeftMouseBtn();
    selecting = !dragging;
    Free_Selection_Timer();
    selection_timer = SCLApplication->AddTimer(Selection_Interval, [this](TObject*) {
        if (selecting)
            DoLeftMouseBtn();
    });
}

void TSCLBaseEdit::MouseMove(TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseMove(Shift, X, Y);
    if (!Shift.Contains(ssLeft) || Shift.Contains(ssRight) || Shift.Contains(ssMiddle))
        return;
    mouse_point = POINT{X, Y};
    if (dragging)
        return;
    const int position = CalcMousePos(mouse_point);
    if (position != caret_pos) {
        Move_Caret(position);
        DrawText(caret_pos);
    }
}

void TSCLBaseEdit::Drop_Text(int Position)
{
    if (Position >= sel_start && Position <= sel_start + sel_length) {
        Move_Caret(Position);
        return;
    }
    const std::string moved = GetSelText();
    const int length = sel_length;
    SetSelText("");
    if (Position > sel_start) {
        Position -= length;
        if (Char_At(Position) == LF)
            --Position;
    }
    Select(Position, 0);
    SetSelText(moved);
}

void TSCLBaseEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TSCLCustomBevelPanel::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) {
        Free_Selection_Timer();
        selecting = false;
        if (dragging) {
            dragging = false;
            Screen->SetCursor(saved_cursor);
            Drop_Text(CalcMousePos(POINT{X, Y}));
        }
        return;
    }
    if (Button != mbRight || !Enabled() || PopupMenu())
        return;
    std::unique_ptr<TPopupMenu> menu = CreateEditMenu();
    const POINT at = ClientToScreen(POINT{X, Y});
    menu->Popup(at.x, at.y);
    Application->ProcessMessages();
}

void TSCLBaseEdit::DblClick()
{
    TSCLCustomBevelPanel::DblClick();
    if (Enabled() && WordSelect)
        SelectCurrentWord();
}

void TSCLBaseEdit::MouseEnter()
{
    TSCLCustomBevelPanel::MouseEnter();
    if (focus_on_mouse_above && Enabled() && CanFocus())
        SetFocus();
}
