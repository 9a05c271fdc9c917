// Paragraph and word navigation, word selection and counting; words end at
// WordDelimiters.

#include "components/controls/SCLBaseEdit.h"

#include "components/controls/SCLBaseEdit_Internal.h"

using sclbaseedit_internal::CR;
using sclbaseedit_internal::LF;

void TSCLBaseEdit::GotoParaStart()
{
    int position = caret_pos;
    while (position > 1 && Char_At(position - 1) != LF)
        --position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoParaEnd()
{
    int position = caret_pos;
    while (position <= GetLength() && Char_At(position) != CR)
        ++position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoNextWord()
{
    int position = caret_pos;
    if (Is_Delimiter(position))
        ++position;
    while (position <= GetLength() && !Is_Delimiter(position))
        ++position;
    Move_Caret(position);
}

void TSCLBaseEdit::GotoPrevWord()
{
    int position = caret_pos;
    if (Is_Delimiter(position - 1))
        --position;
    while (position > 1 && !Is_Delimiter(position - 1))
        --position;
    Move_Caret(position);
}

std::pair<int, int> TSCLBaseEdit::Current_Word() const
{
    int from = caret_pos;
    if (Is_Delimiter(from) && from > 1)
        --from;
    int start = from;
    while (start > 1 && !Is_Delimiter(start - 1))
        --start;
    int end = from;
    while (end <= GetLength() && !Is_Delimiter(end))
        ++end;
    return {start, end - start};
}

void TSCLBaseEdit::SelectCurrentWord()
{
    const auto [start, length] = Current_Word();
    Select(start, length);
}

void TSCLBaseEdit::SelectLeftWord()
{
    int start = caret_pos;
    while (start > 1 && !Is_Delimiter(start - 1))
        --start;
    const int end = caret_pos;
    Select(start, end - start);
}

void TSCLBaseEdit::SelectRightWord()
{
    int end = caret_pos;
    while (end <= GetLength() && !Is_Delimiter(end))
        ++end;
    if (end <= GetLength())
        ++end; // the delimiter belongs to the word on its left
    Select(caret_pos, end - caret_pos);
}

int TSCLBaseEdit::CountWords() const
{
    int words = 0;
    bool in_word = false;
    for (int i = 1; i <= GetLength(); ++i) {
        const bool delimiter = Is_Delimiter(i) || Char_At(i) == CR || Char_At(i) == LF;
        if (!delimiter && !in_word)
            ++words;
        in_word = !delimiter;
    }
    return words;
}

std::string TSCLBaseEdit::GetCurrentWord() const
{
    const auto [start, length] = Current_Word();
    return Copy(start, length);
}
