// The edit-control messages, answered from the engine's own state.

#include "components/controls/SCLBaseEdit.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/winapi/Edit_Messages.h"

LRESULT TSCLBaseEdit::Answer_Edit_Message(TMessage& Message, bool& Handled)
{
    Handled = true;
    const auto w = static_cast<int>(Message.WParam);
    const auto l = static_cast<int>(Message.LParam);
    switch (Message.Msg) {
    case EM_CANUNDO: return can_undo;
    case EM_UNDO: Undo(); return can_undo;
    case EM_EMPTYUNDOBUFFER: undo_buffer.Clear(); can_undo = false; return 0;
    case EM_GETSEL: {
        const DWORD start = static_cast<DWORD>(sel_start - 1);
        const DWORD end = static_cast<DWORD>(sel_start + sel_length - 1);
        if (Message.WParam)
            *reinterpret_cast<DWORD*>(Message.WParam) = start;
        if (Message.LParam)
            *reinterpret_cast<DWORD*>(Message.LParam) = end;
        return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
    }
    case EM_SETSEL:
        if (w == -1)
            SetInteger(2, 0);
        else if (w == 0 && l == -1)
            SelectAll();
        else
            Select(std::min(w, l) + 1, std::abs(l - w));
        return 0;
    case EM_REPLACESEL:
        SetSelText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
        if (Message.WParam == 0) {
            undo_buffer.Clear();
            can_undo = false;
        }
        return 0;
    case EM_GETMODIFY: return modified;
    case EM_SETMODIFY: Set_Modified(Message.WParam != 0); return 0;
    case EM_SETREADONLY: read_only = Message.WParam != 0; return 1;
    case EM_LIMITTEXT: SetInteger(0, w); return 0;
    case EM_GETLIMITTEXT: return max_length;
    case EM_GETLINE: {
        // The first word of the buffer tells how many characters it holds.
        auto* buffer = reinterpret_cast<char*>(Message.LParam);
        if (!buffer)
            return 0;
        WORD size = 0;
        std::memcpy(&size, buffer, sizeof size);
        const int count = std::min<int>(size, GetLength());
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
        return count;
    }
    case EM_GETLINECOUNT: return 1;
    case EM_LINEFROMCHAR:
    case EM_LINEINDEX: return 0;
    case EM_LINELENGTH: return GetLength();
    case EM_GETRECT:
        if (Message.LParam)
            *reinterpret_cast<RECT*>(Message.LParam) = text_rect;
        return 0;
    case EM_CHARFROMPOS: {
        const POINT p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        return MAKELONG(static_cast<WORD>(CalcMouseCol(p.x)), static_cast<WORD>(CalcMouseRow(p.y)));
    }
    case EM_POSFROMCHAR: return MAKELONG(static_cast<WORD>(RowWidth(w) + text_rect.left), 0);
    case EM_GETFIRSTVISIBLELINE:
    case EM_GETHANDLE:
    case EM_GETMARGINS:
    case EM_GETPASSWORDCHAR:
    case EM_GETTHUMB:
    case EM_GETWORDBREAKPROC:
    case EM_FMTLINES:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET:
    case EM_SETHANDLE:
    case EM_SETMARGINS:
    case EM_SETPASSWORDCHAR:
    case EM_SETRECT:
    case EM_SETRECTNP:
    case EM_SETTABSTOPS:
    case EM_SETWORDBREAKPROC: return 0;
    case WM_SETTEXT: SetText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : ""); return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char*>(Message.LParam);
        if (!buffer || w <= 0)
            return 0;
        const int count = std::min(GetLength(), w - 1);
        std::memcpy(buffer, text.data(), static_cast<std::size_t>(count));
        buffer[count] = '\0';
        return count;
    }
    case WM_GETTEXTLENGTH: return GetLength();
    case WM_CLEAR: ClearSelection(); return 0;
    case WM_COPY: CopyToClipboard(); return 0;
    case WM_CUT: CutToClipboard(); return 0;
    case WM_PASTE: PasteFromClipboard(); return 0;
    default: Handled = false; return 0;
    }
}

void TSCLBaseEdit::Dispatch(TMessage& Message)
{
    bool handled = false;
    const LRESULT result = Answer_Edit_Message(Message, handled);
    if (handled) {
        Message.Result = result;
        return;
    }
    TSCLCustomBevelPanel::Dispatch(Message);
    if (Message.Msg == WM_GETDLGCODE)
        Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}
