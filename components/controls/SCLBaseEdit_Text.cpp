// Changing the edit engine's text: the one path every change takes (with its
// hooks, line-break keeping, OEM conversion and the maximum length) and the
// operations on a range of the text.

#include "components/controls/SCLBaseEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <QString>

#include "components/controls/SCLBaseEdit_Internal.h"

using sclbaseedit_internal::CR;
using sclbaseedit_internal::LF;

namespace {

// Text typed or pasted with OEM conversion: what has no place in the OEM
// (Western) code page does not survive the round trip.
std::string Oem_Round_Trip(const std::string& S)
{
    const QString wide = QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
    QString out;
    for (const QChar c : wide)
        out += c.unicode() < 0x100 ? c : QChar('?');
    return out.toUtf8().toStdString();
}

} // namespace

// ---- Changing the text -----------------------------------------------------

bool TSCLBaseEdit::AllowedOperation(const std::string&)
{
    return !read_only;
}

void TSCLBaseEdit::HandleInsertText(int, std::string&) {}

void TSCLBaseEdit::HandleReplaceText(const std::string&) {}

void TSCLBaseEdit::ChangedText(int Position)
{
    if (OnTextChangedAt)
        OnTextChangedAt(this, Position);
    if (OnChange)
        OnChange(this);
    DrawText(Position);
}

// A CR/LF pair is never split by a selection or by overwriting.
void TSCLBaseEdit::Keep_Line_Breaks_Whole()
{
    if (sel_length > 0) {
        if (Char_At(sel_start + sel_length - 1) == CR && Char_At(sel_start + sel_length) == LF)
            ++sel_length;
        if (Char_At(sel_start) == LF && Char_At(sel_start - 1) == CR) {
            --sel_start;
            ++sel_length;
        }
        return;
    }
    if (Char_At(sel_start) == LF && Char_At(sel_start - 1) == CR)
        --sel_start;
    if (!SCLApplication->EditMode().Contains(emInsert) && sel_start <= GetLength())
        sel_length = Char_At(sel_start) == CR && Char_At(sel_start + 1) == LF ? 2 : 1;
}

void TSCLBaseEdit::SetSelText(const std::string& Value)
{
    if (!AllowedOperation(Value))
        return;
    std::string s = oem_convert ? Oem_Round_Trip(Value) : Value;
    Keep_Line_Breaks_Whole();
    HandleInsertText(sel_start, s);
    const bool fits = max_length == 0 || GetLength() - sel_length + static_cast<int>(s.size()) <= max_length;
    if (!fits)
        s.clear();
    if (sel_length == 0 && s.empty())
        return; // nothing removed, nothing inserted: no change to record
    BeforeChangeText();
    TSCLUndoEntry* entry = Record_Change();
    const int start = sel_start;
    entry->SelStart = start;
    entry->SelLength = sel_length;
    entry->Removed = GetSelText();
    HandleReplaceText(entry->Removed);
    text.erase(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(sel_length));
    sel_length = 0;
    text.insert(static_cast<std::size_t>(start - 1), s);
    entry->Inserted = s;
    entry->InsertedLength = static_cast<int>(s.size());
    Set_Modified(true);
    ChangedText(start);
    BeginUpdate();
    Move_Caret(start + static_cast<int>(s.size()));
    sel_length = 0;
    EndUpdate();
    sel_start = caret_pos;
}

// ---- Ranges ----------------------------------------------------------------

void TSCLBaseEdit::Cut(int Start, int Length)
{
    Select(Start, Length);
    SetSelText("");
}

std::string TSCLBaseEdit::Copy(int Start, int Length) const
{
    if (Start < 1 || Start > GetLength() || Length <= 0)
        return {};
    return text.substr(static_cast<std::size_t>(Start - 1), static_cast<std::size_t>(Length));
}

void TSCLBaseEdit::Insert(int Position, const std::string& S)
{
    Select(Position, 0);
    SetSelText(S);
}

void TSCLBaseEdit::Add(const std::string& S)
{
    Insert(GetLength() + 1, S);
}

void TSCLBaseEdit::Replace(int Start, int Length, const std::string& S)
{
    Select(Start, Length);
    SetSelText(S);
}

void TSCLBaseEdit::Upper(int Start, int Length)
{
    std::string part = Copy(Start, Length);
    std::transform(part.begin(), part.end(), part.begin(), [](unsigned char c) { return std::toupper(c); });
    Replace(Start, Length, part);
}

void TSCLBaseEdit::Lower(int Start, int Length)
{
    std::string part = Copy(Start, Length);
    std::transform(part.begin(), part.end(), part.begin(), [](unsigned char c) { return std::tolower(c); });
    Replace(Start, Length, part);
}

int TSCLBaseEdit::GetSelTextBuf(char* Buffer, int BufSize)
{
    if (!Buffer || BufSize <= 0)
        return 0;
    const std::string selected = GetSelText();
    const int count = std::min(static_cast<int>(selected.size()), BufSize - 1);
    std::memcpy(Buffer, selected.data(), static_cast<std::size_t>(count));
    Buffer[count] = '\0';
    return count;
}

void TSCLBaseEdit::SetSelTextBuf(const char* Buffer)
{
    SetSelText(Buffer ? std::string(Buffer) : std::string());
}
