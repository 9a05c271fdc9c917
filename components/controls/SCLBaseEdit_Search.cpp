// Search, and search and replace, over the edit engine's text.

#include "components/controls/SCLBaseEdit.h"

#include <algorithm>
#include <cctype>

bool TSCLBaseEdit::Search(const std::string& What, TSCLSearchStart Start, bool IgnoreCase, bool WholeWord,
                          TSCLSearchDirection Direction)
{
    if (What.empty() || What.size() > text.size())
        return false;
    const auto fold = [IgnoreCase](std::string s) {
        if (IgnoreCase)
            std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
        return s;
    };
    const std::string haystack = fold(text);
    const std::string needle = fold(What);
    const int last = GetLength() - static_cast<int>(What.size()) + 1;
    int position = Start == stTop ? 1 : Start == stBottom ? last : caret_pos;
    if (Start == stCursor && Direction == sdUp)
        position = std::min(caret_pos - 1, last);
    const int step = Direction == sdDown ? 1 : -1;
    for (; position >= 1 && position <= last; position += step) {
        if (haystack.compare(static_cast<std::size_t>(position - 1), needle.size(), needle) != 0)
            continue;
        const int after = position + static_cast<int>(What.size());
        if (WholeWord && ((position > 1 && !Is_Delimiter(position - 1)) || (after <= GetLength() && !Is_Delimiter(after))))
            continue;
        Select(position, static_cast<int>(What.size()));
        CursorPosChanged();
        return true;
    }
    return false;
}

int TSCLBaseEdit::SearchAndReplace(const std::string& What, const std::string& With, TSCLSearchStart Start,
                                   bool IgnoreCase, bool WholeWord, TSCLSearchDirection Direction, bool All)
{
    int count = 0;
    while (Search(What, Start, IgnoreCase, WholeWord, Direction)) {
        SetSelText(With);
        ++count;
        if (!All)
            break;
        Start = stCursor;
        if (Direction == sdUp)
            Move_Caret(caret_pos - static_cast<int>(With.size()));
    }
    return count;
}
