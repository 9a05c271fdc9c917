#include "platform/winapi/Locale_Info.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Info.h"

namespace {

constexpr DWORD ERROR_INVALID_FLAGS = 1004;

std::string Text_Item(nl_item item, locale_t locale)
{
    return nl_langinfo_l(item, locale);
}

// A one-byte number of the locale; none where it is not given (CHAR_MAX,
// or -1 as the C locale writes it).
std::optional<int> Byte_Item(nl_item item, locale_t locale)
{
    const int value = static_cast<signed char>(*nl_langinfo_l(item, locale));
    return value == CHAR_MAX || value < 0 ? std::nullopt : std::optional(value);
}

// A strftime pattern written as the library writes formats: "%d/%m/%Y"
// gives "dd/MM/yyyy", "%H:%M:%S" gives "HH:mm:ss".
std::string Library_Format(const std::string& pattern)
{
    static const std::array<std::pair<char, const char*>, 18> fields{{
        {'d', "dd"}, {'e', "d"}, {'m', "MM"}, {'y', "yy"}, {'Y', "yyyy"}, {'b', "MMM"}, {'h', "MMM"},
        {'B', "MMMM"}, {'a', "ddd"}, {'A', "dddd"}, {'H', "HH"}, {'I', "hh"}, {'M', "mm"}, {'S', "ss"},
        {'p', "tt"}, {'T', "HH:mm:ss"}, {'R', "HH:mm"}, {'D', "MM/dd/yy"},
    }};
    std::string format;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            format += pattern[i];
            continue;
        }
        // Skip the flags and modifiers between '%' and the field letter.
        while (i + 1 < pattern.size() && std::string_view("EO-_0^#").find(pattern[i + 1]) != std::string_view::npos)
            ++i;
        if (++i >= pattern.size())
            break;
        const auto field = std::ranges::find(fields, pattern[i], &std::pair<char, const char*>::first);
        if (field != fields.end())
            format += field->second;
    }
    return format;
}

// The first character of a format that is no field letter: "dd/MM/yy" gives "/".
std::string Format_Separator(const std::string& format)
{
    const auto found = std::ranges::find_if(format, [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); });
    return found == format.end() ? std::string() : std::string(1, *found);
}

// Group sizes as "3;0": each size, then 0 when the last one repeats.
std::optional<std::string> Grouping(nl_item item, locale_t locale)
{
    const std::string sizes = Text_Item(item, locale);
    if (sizes.empty())
        return std::nullopt;
    std::string text;
    for (char size : sizes) {
        if (static_cast<signed char>(size) == CHAR_MAX || static_cast<signed char>(size) < 0)
            return text;
        text += std::to_string(static_cast<unsigned char>(size)) + ";";
    }
    return text + "0";
}

std::optional<std::string> Number_Text(std::optional<int> value)
{
    return value ? std::optional(std::to_string(*value)) : std::nullopt;
}

std::optional<std::string> Currency_Position(locale_t locale)
{
    const auto precedes = Byte_Item(P_CS_PRECEDES, locale);
    const auto spaced = Byte_Item(P_SEP_BY_SPACE, locale);
    if (!precedes || !spaced)
        return std::nullopt;
    return std::to_string((*precedes != 0 ? 0 : 1) + (*spaced != 0 ? 2 : 0));
}

// 1 = Sunday in the locale; 0 = Monday in Windows' numbering.
std::optional<std::string> First_Day_Of_Week(locale_t locale)
{
    const auto first = Byte_Item(_NL_TIME_FIRST_WEEKDAY, locale);
    return first && *first >= 1 && *first <= 7 ? std::optional(std::to_string((*first + 5) % 7)) : std::nullopt;
}

std::optional<std::string> Measure(locale_t locale)
{
    const auto measure = Byte_Item(_NL_MEASUREMENT_MEASUREMENT, locale);
    return measure ? std::optional(std::string(*measure == 2 ? "1" : "0")) : std::nullopt;
}

std::optional<std::string> Locale_Item(LCTYPE type, locale_t locale)
{
    switch (type) {
    case LOCALE_ICALENDARTYPE: return "1"; // the Gregorian calendar
    case LOCALE_ICURRDIGITS: return Number_Text(Byte_Item(FRAC_DIGITS, locale));
    case LOCALE_ICURRENCY: return Currency_Position(locale);
    case LOCALE_IFIRSTDAYOFWEEK: return First_Day_Of_Week(locale);
    case LOCALE_IMEASURE: return Measure(locale);
    case LOCALE_ITIME: return Library_Format(Text_Item(T_FMT, locale)).find("HH") != std::string::npos ? "1" : "0";
    case LOCALE_S1159: return Text_Item(AM_STR, locale);
    case LOCALE_S2359: return Text_Item(PM_STR, locale);
    case LOCALE_SCURRENCY: return Text_Item(CURRENCY_SYMBOL, locale);
    case LOCALE_SDATE: return Format_Separator(Library_Format(Text_Item(D_FMT, locale)));
    case LOCALE_SDECIMAL: return Text_Item(RADIXCHAR, locale);
    case LOCALE_SGROUPING: return Grouping(GROUPING, locale);
    case LOCALE_SMONDECIMALSEP: return Text_Item(MON_DECIMAL_POINT, locale);
    case LOCALE_SMONGROUPING: return Grouping(MON_GROUPING, locale);
    case LOCALE_SMONTHOUSANDSEP: return Text_Item(MON_THOUSANDS_SEP, locale);
    case LOCALE_SNEGATIVESIGN: return Text_Item(NEGATIVE_SIGN, locale);
    case LOCALE_SPOSITIVESIGN: return Text_Item(POSITIVE_SIGN, locale);
    case LOCALE_SSHORTDATE: return Library_Format(Text_Item(D_FMT, locale));
    case LOCALE_STHOUSAND: return Text_Item(THOUSEP, locale);
    case LOCALE_STIME: return Format_Separator(Library_Format(Text_Item(T_FMT, locale)));
    case LOCALE_STIMEFORMAT: return Library_Format(Text_Item(T_FMT, locale));
    default: return std::nullopt;
    }
}

std::optional<std::string> User_Locale_Item(LCTYPE type)
{
    const locale_t user = newlocale(LC_ALL_MASK, "", nullptr);
    const locale_t used = user != nullptr ? user : newlocale(LC_ALL_MASK, "C", nullptr);
    const std::optional<std::string> value = used != nullptr ? Locale_Item(type, used) : std::nullopt;
    if (used != nullptr)
        freelocale(used);
    return value;
}

} // namespace

LCID GetThreadLocale()
{
    return LOCALE_USER_DEFAULT;
}

int GetLocaleInfoA(LCID, LCTYPE type, LPSTR data, int size)
{
    const std::optional<std::string> value = User_Locale_Item(type);
    if (!value) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const int needed = static_cast<int>(value->size()) + 1;
    if (size == 0)
        return needed;
    if (data == nullptr || size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, value->c_str(), static_cast<std::size_t>(needed));
    return needed;
}

BOOL SetLocaleInfoA(LCID, LCTYPE, LPCSTR)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}
