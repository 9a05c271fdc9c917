// Focus and the keyboard: the caret comes with the focus; the keys move the
// caret, type, delete, toggle insert and overwrite, and reach the clipboard.

#include "components/controls/SCLBaseEdit.h"

#include <cctype>

#include "components/controls/SCLBaseEdit_Internal.h"

using sclbaseedit_internal::CR;
using sclbaseedit_internal::LF;
using sclbaseedit_internal::With_Mode;

// ---- Focus -----------------------------------------------------------------

void TSCLBaseEdit::DoEnter()
{
    TSCLCustomBevelPanel::DoEnter();
    if (caret->Style() == csDefault) {
        Canvas()->Font()->Assign(Font());
        caret->SetWord(4, static_cast<WORD>(Canvas()->TextHeight("Qp")));
    }
    caret->BuildCaret();
    SetCaret();
    caret->Enable();
    if (auto_select)
        SelectAll();
    if (sel_length > 0)
        DrawText(-1);
}

void TSCLBaseEdit::DoExit()
{
    TSCLCustomBevelPanel::DoExit();
    if (hide_selection && sel_length > 0)
        DrawText(-1);
    caret->DestroyCaret();
}

// ---- Keys ------------------------------------------------------------------

void TSCLBaseEdit::Edit_Mode_From(TShiftState Shift)
{
    TSCLEditModes modes = SCLApplication->EditMode();
    const auto put = [&modes](TSCLEditMode mode, bool on) { modes = With_Mode(modes, mode, on); };
    put(emShift, Shift.Contains(ssShift));
    put(emCtrl, Shift.Contains(ssCtrl));
    put(emAlt, Shift.Contains(ssAlt));
    SCLApplication->SetEditMode(modes);
}

void TSCLBaseEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TSCLCustomBevelPanel::KeyDown(Key, Shift);
    Edit_Mode_From(Shift);
    if (Key != 0)
        GetCommandKey(Key);
}

void TSCLBaseEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    TSCLCustomBevelPanel::KeyUp(Key, Shift);
    Edit_Mode_From(Shift);
}

void TSCLBaseEdit::KeyPress(char& Key)
{
    TSCLCustomBevelPanel::KeyPress(Key);
    const auto code = static_cast<unsigned char>(Key);
    if (code <= 31)
        return;
    char typed = Key;
    if (char_case == ecUpperCase && code < 0x80)
        typed = static_cast<char>(std::toupper(code));
    else if (char_case == ecLowerCase && code < 0x80)
        typed = static_cast<char>(std::tolower(code));
    SetSelText(std::string(1, typed));
}

void TSCLBaseEdit::Step_Caret(int Delta)
{
    int target = caret_pos + Delta;
    if (Delta < 0 && Char_At(target) == LF && Char_At(target - 1) == CR)
        --target;
    if (Delta > 0 && Char_At(caret_pos) == CR && Char_At(caret_pos + 1) == LF)
        ++target;
    Move_Caret(target);
}

void TSCLBaseEdit::GetCommandKey(WORD& Key)
{
    if (!Enabled())
        return;
    const TSCLEditModes modes = SCLApplication->EditMode();
    const bool shift = modes.Contains(emShift);
    const bool ctrl = modes.Contains(emCtrl);
    const bool alt = modes.Contains(emAlt);
    const int old_length = sel_length;
    switch (Key) {
    case VK_INSERT:
        if (shift)
            PasteFromClipboard();
        else if (ctrl)
            CopyToClipboard();
        else if (!alt)
            SCLApplication->SetEditMode(With_Mode(modes, emInsert, !modes.Contains(emInsert)));
        break;
    case VK_DELETE:
        if (shift) {
            CutToClipboard();
        } else if (!read_only && !text.empty()) {
            if (sel_length == 0 && caret_pos > GetLength())
                break; // nothing after the caret: no change, nothing to undo
            if (sel_length == 0)
                Select(caret_pos, 1);
            SetSelText("");
        }
        break;
    case VK_BACK:
        if (read_only || (caret_pos == 1 && sel_length == 0))
            break;
        if (sel_length == 0) {
            const int back = Char_At(caret_pos - 1) == LF && Char_At(caret_pos - 2) == CR ? 2 : 1;
            Select(caret_pos - back, back);
        }
        SetSelText("");
        break;
    case 'A':
    case 'C':
    case 'V':
    case 'X':
        if (!ctrl)
            return;
        if (Key == 'A')
            SelectAll();
        else if (Key == 'C')
            CopyToClipboard();
        else if (Key == 'V')
            PasteFromClipboard();
        else
            CutToClipboard();
        Key = 0;
        break;
    case VK_LEFT:
        Step_Caret(-1);
        if (ctrl)
            GotoPrevWord();
        break;
    case VK_RIGHT:
        Step_Caret(1);
        if (ctrl)
            GotoNextWord();
        break;
    case VK_HOME:
        if (ctrl)
            Move_Caret(1);
        else
            GotoParaStart();
        break;
    case VK_END: GotoParaEnd(); break;
    case VK_ESCAPE: SetInteger(2, 0); break;
    default: return;
    }
    if (old_length != sel_length)
        DrawText(caret_pos);
}
