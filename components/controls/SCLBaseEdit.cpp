// The edit engine's core: its registration, the settings, the caret and the
// selection, and the layout and painting. Changing the text, undo, the
// clipboard, words, search, keys, mouse and messages live in the
// SCLBaseEdit_*.cpp files beside this one.

#include "components/controls/SCLBaseEdit.h"

#include <algorithm>
#include <cstdlib>

#include "components/foundations/Sclclass.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Base_Edit_Registered = [] {
    RegisterClass<TSCLBaseEdit, TSCLCustomBevelPanel>("TSCLBaseEdit")
        .Object("Caret", &TSCLBaseEdit::Caret)
        .Property("FocusOnMouseAbove", Boolean_Type(), &TSCLBaseEdit::FocusOnMouseAbove,
                  [](TSCLBaseEdit& e, bool v) { e.SetBoolean(6, v); }, false)
        .Property("Flat", Boolean_Type(), &TSCLBaseEdit::Flat, &TSCLBaseEdit::SetFlat, false)
        .Property("HighlightBack", Color_Type(), &TSCLBaseEdit::HighlightBack, &TSCLBaseEdit::SetHighlightBack,
                  clHighlight)
        .Property("HighlightText", Color_Type(), &TSCLBaseEdit::HighlightText, &TSCLBaseEdit::SetHighlightText,
                  clHighlightText)
        .Property("ImeMode", Enum_Type<TSCLImeMode>(SCLImeModeNames), [](TSCLBaseEdit& e) { return e.ImeMode; },
                  [](TSCLBaseEdit& e, TSCLImeMode v) { e.ImeMode = v; }, imDontCare)
        .Property("ImeName", String_Type(), [](TSCLBaseEdit& e) { return e.ImeName; },
                  [](TSCLBaseEdit& e, const std::string& v) { e.ImeName = v; }, "")
        .Event("OnChange", &TSCLBaseEdit::OnChange)
        .Event("OnModified", &TSCLBaseEdit::OnModified)
        .Event("OnCursorPosChanged", &TSCLBaseEdit::OnCursorPosChanged)
        .Event("OnAfterEnter", &TSCLCustomControl::OnAfterEnter)
        .Event("OnAfterExit", &TSCLCustomControl::OnAfterExit)
        .Event("OnMouseEnter", &TSCLCustomControl::OnMouseEnter)
        .Event("OnMouseExit", &TSCLCustomControl::OnMouseExit);
    return true;
}();

void Delete_Entry(TObject*, void* Item)
{
    delete static_cast<TSCLUndoEntry*>(Item);
}

} // namespace

TSCLBaseEdit::TSCLBaseEdit(TComponent* AOwner)
    : TSCLCustomBevelPanel(AOwner), caret(std::make_unique<TSCLCaret>(this)),
      font_3d(std::make_unique<TSCL3DCaption>())
{
    TControlStyle style = ControlStyle();
    style.Exclude(csAcceptsControls);
    SetControlStyle(style);
    SetBounds(Left(), Top(), Width(), 21);
    Bevel()->SetMode(bmWindows);
    SetColor(clWhite);
    SetCursor(crIBeam);
    SetTabStop(true);
    font_3d->OnChange = [this](TObject* Sender) { GetChange(Sender); };
    undo_buffer.OnDestroyItem = Delete_Entry;
    redo_buffer.OnDestroyItem = Delete_Entry;
}

TSCLBaseEdit::~TSCLBaseEdit()
{
    Free_Selection_Timer();
    font_3d->OnChange = nullptr;
}

// ---- Settings --------------------------------------------------------------

int TSCLBaseEdit::GetInteger(int Index) const
{
    switch (Index) {
    case 0: return max_length;
    case 1: return sel_start;
    case 2: return sel_length;
    case 5: return caret_pos;
    default: return 0;
    }
}

void TSCLBaseEdit::SetInteger(int Index, int Value)
{
    switch (Index) {
    case 0: max_length = std::max(0, Value); break;
    case 1: sel_start = std::clamp(Value, 1, GetLength() + 1); break;
    case 2: {
        const int length = std::clamp(Value, 0, GetLength() + 1 - sel_start);
        if (length != sel_length) {
            sel_length = length;
            DrawText(-1);
        }
        break;
    }
    case 5:
        prev_caret_pos = caret_pos;
        caret_pos = std::clamp(Value, 1, GetLength() + 1);
        SetSelection();
        CursorPosChanged();
        break;
    default: break;
    }
}

bool TSCLBaseEdit::GetBoolean(int Index) const
{
    switch (Index) {
    case 0: return hide_selection;
    case 1: return read_only;
    case 2: return modified;
    case 4: return auto_select;
    case 5: return oem_convert;
    case 6: return focus_on_mouse_above;
    default: return false;
    }
}

void TSCLBaseEdit::SetBoolean(int Index, bool Value)
{
    switch (Index) {
    case 0: hide_selection = Value; break;
    case 1: read_only = Value; break;
    case 2: Set_Modified(Value); break;
    case 4: auto_select = Value; break;
    case 5: oem_convert = Value; break;
    case 6: focus_on_mouse_above = Value; break;
    default: break;
    }
}

void TSCLBaseEdit::Set_Modified(bool Value)
{
    if (modified == Value)
        return;
    modified = Value;
    if (OnModified)
        OnModified(this);
}

void TSCLBaseEdit::SetAlignment(TAlignment Value)
{
    if (Value == alignment)
        return;
    alignment = Value;
    DoAlignmentChange();
    Invalidate();
}

void TSCLBaseEdit::SetHighlightBack(TColor Value)
{
    highlight_back = Value;
    DrawText(-1);
}

void TSCLBaseEdit::SetHighlightText(TColor Value)
{
    highlight_text = Value;
    DrawText(-1);
}

void TSCLBaseEdit::GetChange(TObject* Sender)
{
    TSCLCustomBevelPanel::GetChange(Sender);
    SetupRects();
}

void TSCLBaseEdit::EndUpdate()
{
    if (update_count > 0)
        --update_count;
}

// ---- Caret and selection ---------------------------------------------------

// Shift held, or the left button selecting: the selection follows the caret.
bool TSCLBaseEdit::Extends_Selection() const
{
    return selecting || SCLApplication->EditMode().Contains(emShift);
}

// The end of the selection that stays put while the caret moves.
int TSCLBaseEdit::Anchor() const
{
    if (sel_length == 0)
        return prev_caret_pos;
    return prev_caret_pos == sel_start ? sel_start + sel_length : sel_start;
}

void TSCLBaseEdit::SetSelection()
{
    if (update_count > 0)
        return;
    const int old_length = sel_length;
    if (Extends_Selection()) {
        const int anchor = std::clamp(Anchor(), 1, GetLength() + 1);
        sel_start = std::min(anchor, caret_pos);
        sel_length = std::abs(caret_pos - anchor);
    } else {
        sel_start = caret_pos;
        sel_length = 0;
    }
    if (old_length != sel_length || old_length != 0)
        DrawText(-1);
}

void TSCLBaseEdit::CursorPosChanged()
{
    SetCaret();
    if (OnCursorPosChanged)
        OnCursorPosChanged(this);
}

void TSCLBaseEdit::Move_Caret(int Position)
{
    SetInteger(5, Position);
}

char TSCLBaseEdit::Char_At(int Position) const
{
    return Position >= 1 && Position <= GetLength() ? text[static_cast<std::size_t>(Position - 1)] : '\0';
}

bool TSCLBaseEdit::Is_Delimiter(int Position) const
{
    return WordDelimiters.count(Char_At(Position)) != 0;
}

void TSCLBaseEdit::Select(int Start, int Length)
{
    sel_start = std::clamp(Start, 1, GetLength() + 1);
    sel_length = std::clamp(Length, 0, GetLength() + 1 - sel_start);
    prev_caret_pos = caret_pos;
    caret_pos = sel_start + sel_length;
    DrawText(-1);
}

void TSCLBaseEdit::SelectAll()
{
    Select(1, GetLength());
}

std::string TSCLBaseEdit::GetSelText() const
{
    return text.substr(static_cast<std::size_t>(sel_start - 1), static_cast<std::size_t>(sel_length));
}

void TSCLBaseEdit::ClearSelection()
{
    if (sel_length > 0)
        SetSelText("");
}

void TSCLBaseEdit::Clear()
{
    SelectAll();
    SetSelText("");
}

void TSCLBaseEdit::SetText(const std::string& Value)
{
    SelectAll();
    SetSelText(Value);
    SetNewText(text);
}

// ---- Layout and painting ---------------------------------------------------

void TSCLBaseEdit::SetupRects()
{
    text_rect = BeveledRect();
    ModifyTextRect(text_rect);
    paint_rect = ClientRect();
    ModifyPaintRect(paint_rect);
}

int TSCLBaseEdit::RowHeight()
{
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextHeight("Qp");
}

int TSCLBaseEdit::RowWidth(int Count)
{
    Canvas()->Font()->Assign(Font());
    return Canvas()->TextWidth(text.substr(0, static_cast<std::size_t>(std::clamp(Count, 0, GetLength()))));
}

void TSCLBaseEdit::Paint()
{
    SetupRects();
    TSCLCustomBevelPanel::Paint();
    DrawText(-1);
    caret->Paint(Canvas());
}
