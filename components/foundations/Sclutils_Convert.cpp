// Rectangle alignment and the conversions between fonts, rectangles,
// points and strings that the ini control stores.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "components/foundations/Sclstrings.h"
#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"

using namespace sclutils;

namespace {

char list_separator = ',';

std::string Strip_Brackets(std::string part)
{
    part = SCLTrim(part);
    if (!part.empty() && part.front() == '[')
        part.erase(0, 1);
    if (!part.empty() && part.back() == ']')
        part.pop_back();
    return SCLTrim(part);
}

} // namespace

RECT SCLAlignRect(TSCLAlignment Alignment, const RECT& Source, const RECT& Target)
{
    const int sw = Width_Of(Source);
    const int sh = Height_Of(Source);
    const int column = static_cast<int>(Alignment) % 3;
    const int row = static_cast<int>(Alignment) / 3;
    const std::array<int, 3> dx{0, (Width_Of(Target) - sw) / 2, Width_Of(Target) - sw};
    const std::array<int, 3> dy{0, (Height_Of(Target) - sh) / 2, Height_Of(Target) - sh};
    const int left = Target.left + dx[static_cast<std::size_t>(column)];
    const int top = Target.top + dy[static_cast<std::size_t>(std::min(row, 2))];
    return RECT{left, top, left + sw, top + sh};
}

char SCLListSeparator() { return list_separator; }

void SCLSetListSeparator(char Separator) { list_separator = Separator; }

std::string SCLRectToString(const RECT& Rect)
{
    const std::array<int, 4> values{Rect.left, Rect.top, Rect.right, Rect.bottom};
    return SCLCodeInt(values, list_separator);
}

RECT SCLStringToRect(const std::string& S)
{
    TStringList parts;
    SCLParseToStrList(S, list_separator, &parts);
    if (parts.Count() != 4)
        return RECT{};
    return RECT{StrToIntDef(parts[0], 0), StrToIntDef(parts[1], 0), StrToIntDef(parts[2], 0),
                StrToIntDef(parts[3], 0)};
}

std::string SCLPointToString(const POINT& P)
{
    return "[" + std::to_string(P.x) + list_separator + std::to_string(P.y) + "]";
}

POINT SCLStringToPoint(const std::string& S)
{
    const auto at = S.find(list_separator);
    if (at == std::string::npos)
        return POINT{0, 0};
    return POINT{StrToIntDef(Strip_Brackets(S.substr(0, at)), 0), StrToIntDef(Strip_Brackets(S.substr(at + 1)), 0)};
}

std::string SCLFontToString(TFont* Font)
{
    if (!Font)
        return {};
    const TFontStyles style = Font->Style();
    auto flag = [&](TFontStyle s) { return std::string(style.Contains(s) ? "1" : "0"); };
    const std::array<std::string, 7> fields{Font->Name(), std::to_string(Font->Size()),
                                            ColorToString(Font->Color()), flag(fsBold), flag(fsItalic),
                                            flag(fsUnderline), flag(fsStrikeOut)};
    return SCLCodeString(fields, list_separator);
}

void SCLStringToFont(const std::string& S, TFont* Font)
{
    TStringList fields;
    SCLParseToStrList(S, list_separator, &fields);
    if (!Font || fields.Count() != 7)
        return;
    // Every field is read before the font changes, so a bad flag leaves it whole.
    const TColor color = StringToColor(fields[2]);
    TFontStyles style;
    const std::array<TFontStyle, 4> flags{fsBold, fsItalic, fsUnderline, fsStrikeOut};
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (StrToInt(fields[static_cast<int>(i) + 3]) != 0)
            style.Include(flags[i]);
    Font->SetName(fields[0]);
    Font->SetSize(StrToIntDef(fields[1], 10));
    Font->SetColor(color);
    Font->SetStyle(style);
}

void SCLParseToStrList(const std::string& S, char Separator, TStrings* List)
{
    if (!List)
        return;
    List->Clear();
    std::size_t start = 0;
    while (start < S.size()) {
        const auto at = S.find(Separator, start);
        if (at == std::string::npos) {
            List->Add(S.substr(start));
            return;
        }
        List->Add(S.substr(start, at - start));
        start = at + 1;
    }
}

void SCLGetDivider(TStrings* List, int N)
{
    if (!List)
        return;
    List->Clear();
    if (N < 2)
        return;
    std::vector<int> divisors;
    for (std::int64_t d = 1; d * d <= N; ++d) {
        if (N % d != 0)
            continue;
        divisors.push_back(static_cast<int>(d));
        // A perfect square's root is its own partner and is listed once.
        if (d * d != N)
            divisors.push_back(static_cast<int>(N / d));
    }
    std::sort(divisors.begin(), divisors.end());
    for (int d : divisors)
        List->Add(std::to_string(d));
}
