#pragma once
// The class library's system utilities: 8-bit strings, number and text
// conversions, Format, rounding, the exception classes, and date and time
// with a clock that tests can set.

#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

// 8-bit strings hold UTF-8.
using AnsiString = std::string;

// ---- Exceptions ----------------------------------------------------------

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
};

class EConvertError : public Exception {
    using Exception::Exception;
};
class EInvalidOp : public Exception {
    using Exception::Exception;
};
class EOutOfMemory : public Exception {
    using Exception::Exception;
};
class EListError : public Exception {
    using Exception::Exception;
};
class EStringListError : public Exception {
    using Exception::Exception;
};
class EStreamError : public Exception {
    using Exception::Exception;
};
class EFileStreamError : public EStreamError {
    using EStreamError::EStreamError;
};
class EFCreateError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EFOpenError : public EFileStreamError {
    using EFileStreamError::EFileStreamError;
};
class EReadError : public EStreamError {
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
    using EStreamError::EStreamError;
};

// ---- Integer and text conversions ----------------------------------------

std::string IntToStr(std::int64_t value);
// Upper-case hexadecimal, at least `digits` digits (zero padded). A negative
// value shows its 32-bit two's complement form, as the class library does.
std::string IntToHex(std::int64_t value, int digits);
// Decimal, or hexadecimal with a leading '$' or "0x"; leading and trailing
// blanks allowed. Raises EConvertError ("'x' is not a valid integer value").
int StrToInt(const std::string& text);
int StrToIntDef(const std::string& text, int default_value);
bool TryStrToInt(const std::string& text, int& value);

// Blanks and control characters (every byte up to 0x20) removed.
std::string Trim(const std::string& text);
std::string TrimLeft(const std::string& text);
std::string TrimRight(const std::string& text);
// ASCII letters only; other bytes (UTF-8 sequences) are left as they are.
std::string UpperCase(const std::string& text);
std::string LowerCase(const std::string& text);

// ---- Format --------------------------------------------------------------

// One argument of Format: an integer, a floating value, a string, a
// character or a pointer, with the kind it was given as.
class TVarRec {
public:
    enum class Kind { Integer, Int64, Extended, String, Char, Pointer };

    template <typename T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char>)
    TVarRec(T value)
        : kind(sizeof(T) <= 4 ? Kind::Integer : Kind::Int64)
        , integer(static_cast<std::int64_t>(value))
    {
    }
    TVarRec(double value) : kind(Kind::Extended), floating(value) {}
    TVarRec(char value) : kind(Kind::Char), character(value) {}
    TVarRec(const char* value) : kind(Kind::String), text(value ? value : "") {}
    TVarRec(std::string_view value) : kind(Kind::String), text(value) {}
    TVarRec(const std::string& value) : kind(Kind::String), text(value) {}
    TVarRec(const void* value) : kind(Kind::Pointer), pointer(value) {}

    Kind kind;
    std::int64_t integer = 0;
    double floating = 0.0;
    char character = 0;
    std::string_view text;
    const void* pointer = nullptr;
};

// The class library's Format: specifiers %[index:][-][0][width][.precision]
// with the types d, u, x, X, f, n, e, g, s, c, p and %% ; '*' takes a width
// or precision from the arguments. %f and %n default to 2 decimals. An
// argument of the wrong kind, a missing argument or a bad specifier raises
// EConvertError.
std::string Format(const std::string& format, std::initializer_list<TVarRec> args);

template <typename... Args>
std::string Format(const std::string& format, const Args&... args)
{
    return Format(format, {TVarRec(args)...});
}

// ---- Floating values -----------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// Digits are rounded to `precision` significant digits, halves away from
// zero on the value's exact decimal expansion; the decimal separator is '.'
// and the thousands separator ','.
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStr(double value);

// Halves to even (2.5 gives 2, 3.5 gives 4). Raises EInvalidOp when the
// value is not finite or beyond 64 bits.
std::int64_t Round(double value);
// Toward zero. Raises EInvalidOp as Round does.
std::int64_t Trunc(double value);

// ---- Date and time -------------------------------------------------------

// Days since 1899-12-30 00:00; the fraction is the time of day.
using TDateTime = double;

// The clock behind Now, Date and Time: local time by default. Tests set
// their own; an empty function restores the system clock.
using TClock_Function = std::function<TDateTime()>;
void Set_Clock(TClock_Function clock);

TDateTime Now();
TDateTime Date();
TDateTime Time();

TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// Patterns: yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, zzz, and literals in
// single or double quotes; mm right after h or hh means minutes. Other
// characters are copied.
std::string FormatDateTime(const std::string& format, TDateTime value);
