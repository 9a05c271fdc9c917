// Undo and redo: every change of the text leaves an entry that takes it back;
// taking one back is itself a change, recorded on the other stack.

#include "components/controls/SCLBaseEdit.h"

#include <algorithm>

#include "components/controls/SCLBaseEdit_Internal.h"

using sclbaseedit_internal::With_Mode;

// The entry goes on the redo stack while undoing, else on the undo stack
// (a new edit outside a redo forgets what could be redone).
TSCLUndoEntry* TSCLBaseEdit::Record_Change()
{
    auto* entry = new TSCLUndoEntry;
    entry->CaretPos = caret_pos;
    if (undoing) {
        redo_buffer.Put(entry);
        can_redo = true;
        return entry;
    }
    undo_buffer.Put(entry);
    can_undo = true;
    if (!redoing) {
        redo_buffer.Clear();
        can_redo = false;
    }
    return entry;
}

void TSCLBaseEdit::Take_Back(TSCLDynLIFOBuffer& Buffer, bool& Flag, bool& Can)
{
    if (!Can || Buffer.isEmpty())
        return;
    Flag = true;
    auto* entry = static_cast<TSCLUndoEntry*>(Buffer.Get());
    sel_start = entry->SelStart;
    sel_length = entry->InsertedLength;
    const bool insert_mode = SCLApplication->EditMode().Contains(emInsert);
    if (!insert_mode)
        SCLApplication->SetEditMode(With_Mode(SCLApplication->EditMode(), emInsert, true));
    SetSelText(entry->Removed);
    if (!insert_mode)
        SCLApplication->SetEditMode(With_Mode(SCLApplication->EditMode(), emInsert, false));
    Flag = false;
    Can = !Buffer.isEmpty();
    BeginUpdate();
    Move_Caret(entry->CaretPos);
    EndUpdate();
    sel_start = entry->SelStart;
    sel_length = std::min(entry->SelLength, GetLength() + 1 - sel_start);
    DrawText(-1);
    delete entry;
}

void TSCLBaseEdit::Undo()
{
    Take_Back(undo_buffer, undoing, can_undo);
}

void TSCLBaseEdit::Redo()
{
    Take_Back(redo_buffer, redoing, can_redo);
}

void TSCLBaseEdit::ClearUndo()
{
    undo_buffer.Clear();
    redo_buffer.Clear();
    can_undo = false;
    can_redo = false;
}
