#include "platform/classlib/SysUtils.h"

#include <QLocale>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <limits>

namespace {

bool Is_Blank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

char Ascii_Or(QChar c, char fallback)
{
    return c.unicode() > 0 && c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : fallback;
}

char Locale_Decimal_Separator()
{
    const QString text = QLocale::system().decimalPoint();
    return text.size() == 1 ? Ascii_Or(text.front(), '.') : '.';
}

char Locale_Thousand_Separator()
{
    const QString text = QLocale::system().groupSeparator();
    return text.size() == 1 ? Ascii_Or(text.front(), ',') : ',';
}

std::string Hex_Digits(std::uint64_t value, int min_digits)
{
    std::string text;
    do {
        text.insert(text.begin(), "0123456789ABCDEF"[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < min_digits)
        text.insert(0, static_cast<std::size_t>(min_digits) - text.size(), '0');
    return text;
}

[[noreturn]] void Invalid_Integer(const std::string& text)
{
    throw EConvertError("'" + text + "' is not a valid integer value");
}

} // namespace

char DecimalSeparator = Locale_Decimal_Separator();
char ThousandSeparator = Locale_Thousand_Separator();

// ---- Integer and text conversions ----------------------------------------

std::string IntToStr(std::int64_t value) { return std::to_string(value); }

std::string IntToHex(std::int64_t value, int digits)
{
    const bool fits_32_bits = value < 0 && value >= std::numeric_limits<std::int32_t>::min();
    const std::uint64_t bits = fits_32_bits ? static_cast<std::uint32_t>(value) : static_cast<std::uint64_t>(value);
    return Hex_Digits(bits, digits);
}

bool TryStrToInt(const std::string& text, int& value)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return false;
    std::uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > 0xFFFFFFFFu)
            return false;
    }
    // Hexadecimal covers all 32 bits; decimal stays within the signed range.
    if (base == 10 && magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu))
        return false;
    const std::uint32_t bits = static_cast<std::uint32_t>(negative ? 0 - magnitude : magnitude);
    value = static_cast<std::int32_t>(bits);
    return true;
}

int StrToInt(const std::string& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        Invalid_Integer(text);
    return value;
}

int StrToIntDef(const std::string& text, int default_value)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : default_value;
}

std::string TrimLeft(const std::string& text)
{
    std::size_t first = 0;
    while (first < text.size() && Is_Blank(text[first]))
        ++first;
    return text.substr(first);
}

std::string TrimRight(const std::string& text)
{
    std::size_t end = text.size();
    while (end > 0 && Is_Blank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string UpperCase(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return result;
}

std::string LowerCase(const std::string& text)
{
    std::string result = text;
    for (char& c : result)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return result;
}

// ---- Files -----------------------------------------------------------------

int FileCreate(const std::string& file_name)
{
    return ::open(file_name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

int FileWrite(int handle, const void* buffer, int count)
{
    if (count < 0)
        return -1;
    ssize_t written;
    do
        written = ::write(handle, buffer, static_cast<std::size_t>(count));
    while (written < 0 && errno == EINTR);
    return static_cast<int>(written);
}

void FileClose(int handle)
{
    if (handle >= 0)
        ::close(handle);
}

bool FileExists(const std::string& file_name)
{
    struct stat status{};
    return ::stat(file_name.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool DeleteFile(const std::string& file_name) { return ::unlink(file_name.c_str()) == 0; }

// ---- Rounding ------------------------------------------------------------

namespace {

std::int64_t Checked_Int64(double value)
{
    // 2^63 is exactly representable; everything at or beyond it overflows.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(value) || value >= limit || value < -limit)
        throw EInvalidOp("Invalid floating point operation");
    return static_cast<std::int64_t>(value);
}

} // namespace

std::int64_t Round(double value)
{
    // Built from floor and an exact comparison so that the process's rounding
    // mode (which nearbyint would follow) cannot change the result. The
    // fraction of a finite double is exactly representable.
    if (!std::isfinite(value))
        return Checked_Int64(value);
    const double whole = std::floor(value);
    const double fraction = value - whole;
    const bool up = fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0);
    return Checked_Int64(up ? whole + 1.0 : whole);
}

std::int64_t Trunc(double value) { return Checked_Int64(std::trunc(value)); }

// ---- Floating values -----------------------------------------------------

namespace {

// A finite value as decimal digits: 0.d1d2d3... × 10^exponent. No digits
// means zero; trailing zeros are dropped.
struct Decimal_Digits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void Drop_Trailing_Zeros(Decimal_Digits& number)
{
    while (!number.digits.empty() && number.digits.back() == '0')
        number.digits.pop_back();
    if (number.digits.empty()) {
        number.negative = false;
        number.exponent = 0;
    }
}

// The value's decimal expansion, correct far beyond a double's 17 digits, so
// that rounding below sees where a half really lies.
Decimal_Digits To_Decimal(double value)
{
    Decimal_Digits number;
    number.negative = std::signbit(value);
    char text[64];
    std::snprintf(text, sizeof text, "%.40e", std::fabs(value));
    const std::string expansion = text;
    const std::size_t e = expansion.find('e');
    number.digits = expansion.substr(0, 1) + expansion.substr(2, e - 2);
    number.exponent = std::atoi(expansion.c_str() + e + 1) + 1;
    Drop_Trailing_Zeros(number);
    return number;
}

// Keeps the first `count` digits, rounding the rest half away from zero.
void Round_Digits(Decimal_Digits& number, int count)
{
    if (count < 0 || number.digits.empty()) {
        number.digits.clear();
    } else if (static_cast<std::size_t>(count) < number.digits.size()) {
        const bool up = number.digits[static_cast<std::size_t>(count)] >= '5';
        number.digits.resize(static_cast<std::size_t>(count));
        if (up) {
            std::size_t i = number.digits.size();
            while (i > 0 && number.digits[i - 1] == '9')
                number.digits[--i] = '0';
            if (i == 0) {
                number.digits.insert(number.digits.begin(), '1');
                ++number.exponent;
            } else {
                ++number.digits[i - 1];
            }
        }
    }
    Drop_Trailing_Zeros(number);
}

char Digit_At(const Decimal_Digits& number, int index)
{
    return index >= 0 && index < static_cast<int>(number.digits.size()) ? number.digits[static_cast<std::size_t>(index)] : '0';
}

std::string Group_Thousands(const std::string& integer_part)
{
    std::string grouped;
    const std::size_t length = integer_part.size();
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += ThousandSeparator;
        grouped += integer_part[i];
    }
    return grouped;
}

// Fixed notation of an already rounded number with `decimals` decimals.
std::string Fixed_Text(const Decimal_Digits& number, int decimals, bool thousands)
{
    std::string integer_part;
    for (int i = 0; i < number.exponent; ++i)
        integer_part += Digit_At(number, i);
    if (integer_part.empty())
        integer_part = "0";
    std::string text = number.negative ? "-" : "";
    text += thousands ? Group_Thousands(integer_part) : integer_part;
    if (decimals > 0) {
        text += DecimalSeparator;
        for (int i = 0; i < decimals; ++i)
            text += Digit_At(number, number.exponent + i);
    }
    return text;
}

std::string Exponent_Text(int exponent, int min_digits, bool always_signed)
{
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < min_digits)
        digits.insert(0, static_cast<std::size_t>(min_digits) - digits.size(), '0');
    const char* sign = exponent < 0 ? "-" : always_signed ? "+" : "";
    return "E" + std::string(sign) + digits;
}

// Scientific notation with `mantissa_digits` digits (at least those held).
std::string Scientific_Text(const Decimal_Digits& number, int mantissa_digits, int exponent_digits, bool always_signed)
{
    std::string text = number.negative ? "-" : "";
    text += Digit_At(number, 0);
    if (mantissa_digits > 1) {
        text += DecimalSeparator;
        for (int i = 1; i < mantissa_digits; ++i)
            text += Digit_At(number, i);
    }
    const int exponent = number.digits.empty() ? 0 : number.exponent - 1;
    return text + Exponent_Text(exponent, exponent_digits, always_signed);
}

std::string General_Text(Decimal_Digits number, int precision, int exponent_digits)
{
    Round_Digits(number, precision);
    const int held = static_cast<int>(number.digits.size());
    if (number.exponent > precision || number.exponent < -3)
        return Scientific_Text(number, held, exponent_digits, false);
    return Fixed_Text(number, std::max(0, held - number.exponent), false);
}

} // namespace

std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    precision = std::clamp(precision, 1, 18);
    Decimal_Digits number = To_Decimal(value);
    switch (format) {
    case ffGeneral:
        return General_Text(number, precision, std::clamp(digits, 0, 4));
    case ffExponent:
        Round_Digits(number, precision);
        return Scientific_Text(number, precision, std::clamp(digits, 0, 4), true);
    case ffFixed:
    case ffNumber:
        Round_Digits(number, precision);
        if (number.exponent > precision)
            return Scientific_Text(number, precision, std::clamp(digits, 0, 4), true);
        digits = std::clamp(digits, 0, 18);
        Round_Digits(number, number.exponent + digits);
        return Fixed_Text(number, digits, format == ffNumber);
    }
    return {};
}

std::string FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }

namespace {

// One section of a FormatFloat picture: the text before the first digit
// placeholder, the text after the last one, and the placeholder counts.
struct Float_Picture {
    std::string prefix;
    std::string suffix;
    int integer_zeros = 0;
    int decimal_zeros = 0;
    int decimal_places = 0;
    bool thousands = false;
};

// Quoted text ('...' or "...") is literal; the quotes are not shown.
Float_Picture Parse_Picture(const std::string& section)
{
    Float_Picture picture;
    bool seen_digit = false;
    bool after_point = false;
    std::string pending;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = section.find(c, i + 1);
            pending += section.substr(i + 1, (end == std::string::npos ? section.size() : end) - i - 1);
            i = end == std::string::npos ? section.size() : end;
        } else if (c == '0' || c == '#') {
            if (!seen_digit)
                picture.prefix += pending;
            pending.clear();
            seen_digit = true;
            if (after_point) {
                ++picture.decimal_places;
                if (c == '0')
                    picture.decimal_zeros = picture.decimal_places;
            } else if (c == '0') {
                ++picture.integer_zeros;
            }
        } else if (c == '.' && !after_point) {
            after_point = true;
        } else if (c == ',' && !after_point) {
            picture.thousands = true;
        } else {
            pending += c;
        }
    }
    if (seen_digit)
        picture.suffix = pending;
    else
        picture.prefix = pending;
    return picture;
}

std::string Picture_Number(const Float_Picture& picture, Decimal_Digits number)
{
    Round_Digits(number, number.exponent + picture.decimal_places);
    std::string integer_part;
    for (int i = 0; i < number.exponent; ++i)
        integer_part += Digit_At(number, i);
    if (static_cast<int>(integer_part.size()) < picture.integer_zeros)
        integer_part.insert(0, static_cast<std::size_t>(picture.integer_zeros) - integer_part.size(), '0');
    std::string decimals;
    for (int i = 0; i < picture.decimal_places; ++i)
        decimals += Digit_At(number, number.exponent + i);
    while (static_cast<int>(decimals.size()) > picture.decimal_zeros && decimals.back() == '0')
        decimals.pop_back();
    std::string text = picture.thousands ? Group_Thousands(integer_part) : integer_part;
    if (!decimals.empty())
        text += DecimalSeparator + decimals;
    // A value that rounds to nothing shown carries no sign.
    const bool shows_sign = number.negative && !number.digits.empty();
    return (shows_sign ? "-" : "") + text;
}

std::vector<std::string> Picture_Sections(const std::string& format)
{
    std::vector<std::string> sections(1);
    char quote = 0;
    for (const char c : format) {
        if (quote)
            quote = c == quote ? 0 : quote;
        else if (c == '\'' || c == '"')
            quote = c;
        else if (c == ';') {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

} // namespace

std::string FormatFloat(const std::string& format, double value)
{
    if (!std::isfinite(value) || format.empty())
        return FloatToStr(value);
    const std::vector<std::string> sections = Picture_Sections(format);
    Decimal_Digits number = To_Decimal(value);
    const Float_Picture positive = Parse_Picture(sections[0]);
    Decimal_Digits rounded = number;
    Round_Digits(rounded, rounded.exponent + positive.decimal_places);
    if (rounded.digits.empty() && sections.size() > 2 && !sections[2].empty()) {
        const Float_Picture zero = Parse_Picture(sections[2]);
        return zero.prefix + Picture_Number(zero, Decimal_Digits {}) + zero.suffix;
    }
    if (number.negative && sections.size() > 1 && !sections[1].empty()) {
        const Float_Picture negative = Parse_Picture(sections[1]);
        number.negative = false;
        return negative.prefix + Picture_Number(negative, number) + negative.suffix;
    }
    return positive.prefix + Picture_Number(positive, number) + positive.suffix;
}

// ---- Format --------------------------------------------------------------

namespace {

struct Format_Spec {
    bool left = false;
    bool zero = false;
    int width = -1;
    int precision = -1;
    char type = 0; // lower case
};

class Formatter {
public:
    Formatter(const std::string& format_text, std::initializer_list<TVarRec> arguments)
        : format(format_text), args(arguments.begin()), arg_count(arguments.size())
    {
    }

    std::string Run();

private:
    void Specifier();
    int Number_Or_Star();
    const TVarRec& Next_Argument();
    std::string Convert(const Format_Spec& spec, const TVarRec& arg) const;
    std::string Convert_Integer(const Format_Spec& spec, const TVarRec& arg) const;
    std::string Convert_Float(const Format_Spec& spec, const TVarRec& arg) const;
    std::string Convert_Text(const Format_Spec& spec, const TVarRec& arg) const;
    [[noreturn]] void Invalid() const;

    const std::string& format;
    const TVarRec* args;
    std::size_t arg_count;
    std::size_t next_arg = 0;
    std::size_t pos = 0;
    std::size_t spec_start = 0;
    std::string out;
};

bool Is_Digit(char c) { return c >= '0' && c <= '9'; }

std::size_t Character_Count(const std::string& text)
{
    std::size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

// At most `limit` characters, never cutting a UTF-8 sequence.
std::string Leading_Characters(std::string_view text, std::size_t limit)
{
    std::size_t count = 0;
    std::size_t end = 0;
    while (end < text.size()) {
        if ((static_cast<unsigned char>(text[end]) & 0xC0) != 0x80 && count++ == limit)
            break;
        ++end;
    }
    return std::string(text.substr(0, end));
}

std::string Pad(std::string text, const Format_Spec& spec, bool numeric)
{
    const std::size_t length = Character_Count(text);
    if (spec.width < 0 || length >= static_cast<std::size_t>(spec.width))
        return text;
    const std::size_t fill = static_cast<std::size_t>(spec.width) - length;
    if (spec.left)
        return text + std::string(fill, ' ');
    if (spec.zero && numeric) {
        const std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
        return text.insert(sign, fill, '0');
    }
    return std::string(fill, ' ') + text;
}

std::string Formatter::Run()
{
    while (pos < format.size()) {
        const char c = format[pos++];
        if (c != '%')
            out += c;
        else if (pos < format.size() && format[pos] == '%')
            out += format[pos++];
        else
            Specifier();
    }
    return out;
}

void Formatter::Invalid() const
{
    const std::size_t end = std::min(pos, format.size());
    throw EConvertError("Format '" + format.substr(spec_start, end - spec_start) + "' invalid or incompatible with argument");
}

const TVarRec& Formatter::Next_Argument()
{
    if (next_arg >= arg_count)
        throw EConvertError("No argument for format '" + format.substr(spec_start, pos - spec_start) + "'");
    return args[next_arg++];
}

// A decimal number, '*' (taken from the next integer argument), or -1 when
// neither is there.
int Formatter::Number_Or_Star()
{
    if (pos < format.size() && format[pos] == '*') {
        ++pos;
        const TVarRec& arg = Next_Argument();
        if (arg.kind != TVarRec::Kind::Integer)
            Invalid();
        return static_cast<int>(arg.integer);
    }
    if (pos >= format.size() || !Is_Digit(format[pos]))
        return -1;
    int value = 0;
    while (pos < format.size() && Is_Digit(format[pos])) {
        value = value * 10 + (format[pos++] - '0');
        if (value > 0xFFFF)
            Invalid();
    }
    return value;
}

void Formatter::Specifier()
{
    spec_start = pos - 1;
    Format_Spec spec;
    std::size_t digits_end = pos;
    while (digits_end < format.size() && Is_Digit(format[digits_end]))
        ++digits_end;
    if (digits_end > pos && digits_end < format.size() && format[digits_end] == ':') {
        next_arg = static_cast<std::size_t>(Number_Or_Star());
        ++pos;
    }
    for (; pos < format.size() && (format[pos] == '-' || format[pos] == '0'); ++pos)
        (format[pos] == '-' ? spec.left : spec.zero) = true;
    spec.width = Number_Or_Star();
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        spec.precision = std::max(0, Number_Or_Star());
    }
    if (pos >= format.size())
        Invalid();
    const char type = format[pos++];
    spec.type = static_cast<char>(type >= 'A' && type <= 'Z' ? type - 'A' + 'a' : type);
    out += Convert(spec, Next_Argument());
}

std::string Formatter::Convert(const Format_Spec& spec, const TVarRec& arg) const
{
    switch (spec.type) {
    case 'd':
    case 'u':
    case 'x':
        return Pad(Convert_Integer(spec, arg), spec, true);
    case 'f':
    case 'n':
    case 'e':
    case 'g':
        return Pad(Convert_Float(spec, arg), spec, true);
    case 's':
    case 'c':
    case 'p':
        return Pad(Convert_Text(spec, arg), spec, false);
    default:
        Invalid();
    }
}

std::string Formatter::Convert_Integer(const Format_Spec& spec, const TVarRec& arg) const
{
    if (arg.kind != TVarRec::Kind::Integer && arg.kind != TVarRec::Kind::Int64)
        Invalid();
    const bool is_32_bits = arg.kind == TVarRec::Kind::Integer;
    const std::uint64_t bits = is_32_bits ? static_cast<std::uint32_t>(arg.integer) : static_cast<std::uint64_t>(arg.integer);
    const int min_digits = std::max(spec.precision, 0);
    if (spec.type == 'x')
        return Hex_Digits(bits, min_digits);
    const bool negative = spec.type == 'd' && arg.integer < 0;
    const std::uint64_t magnitude = spec.type == 'u' ? bits
                                  : negative         ? 0 - static_cast<std::uint64_t>(arg.integer)
                                                     : static_cast<std::uint64_t>(arg.integer);
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < min_digits)
        digits.insert(0, static_cast<std::size_t>(min_digits) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string Formatter::Convert_Float(const Format_Spec& spec, const TVarRec& arg) const
{
    if (arg.kind != TVarRec::Kind::Extended)
        Invalid();
    constexpr int double_digits = 15;
    switch (spec.type) {
    case 'e':
        return FloatToStrF(arg.floating, ffExponent, spec.precision < 0 ? double_digits : spec.precision, 3);
    case 'g':
        return FloatToStrF(arg.floating, ffGeneral, spec.precision < 0 ? double_digits : spec.precision, 0);
    default:
        return FloatToStrF(arg.floating, spec.type == 'n' ? ffNumber : ffFixed, double_digits,
                           spec.precision < 0 ? 2 : spec.precision);
    }
}

std::string Formatter::Convert_Text(const Format_Spec& spec, const TVarRec& arg) const
{
    if (spec.type == 'p') {
        if (arg.kind != TVarRec::Kind::Pointer)
            Invalid();
        return Hex_Digits(reinterpret_cast<std::uintptr_t>(arg.pointer), static_cast<int>(sizeof(void*) * 2));
    }
    if (arg.kind == TVarRec::Kind::Char)
        return std::string(1, arg.character);
    if (spec.type != 's' || arg.kind != TVarRec::Kind::String)
        Invalid();
    return spec.precision < 0 ? std::string(arg.text) : Leading_Characters(arg.text, static_cast<std::size_t>(spec.precision));
}

} // namespace

std::string Format(const std::string& format, std::initializer_list<TVarRec> args)
{
    return Formatter(format, args).Run();
}
