#pragma once
// The class library's system utilities: 8-bit strings, number and text
// conversions, Format, rounding, the exception classes, and date and time
// with a clock that tests can set.

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/classlib/DateUtils.h"

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
// Decimal, or hexadecimal after '$' or "0x" (up to 32 bits, so "$FFFFFFFF"
// is -1); an optional sign and leading blanks, nothing after the digits.
// Raises EConvertError ("'x' is not a valid integer value").
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

// The separators of numbers formatted at run time, taken from the user's
// locale at start (ASCII only; others fall back to '.' and ',').
extern char DecimalSeparator;
extern char ThousandSeparator;

// ---- Files -----------------------------------------------------------------

// File handles of the class library's file functions: -1 means failure.
// Creates or empties the file, open for reading and writing.
int FileCreate(const std::string& file_name);
// Answers the number of bytes written (possibly short), or -1.
int FileWrite(int handle, const void* buffer, int count);
void FileClose(int handle);
// True for an existing file that is not a folder.
bool FileExists(const std::string& file_name);
bool DeleteFile(const std::string& file_name);

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
// with the types d, u, x, f, n, e, g, s, c, p (upper or lower case) and %%;
// '*' takes a width or precision from the arguments. Hexadecimal digits are
// upper case; %u and %x of a 32-bit argument work on its 32 bits. %d takes
// the precision as a minimum digit count, %s as a maximum length. Floating
// values are taken to 15 significant digits, then %f and %n to `precision`
// decimals (2 by default), %e to `precision` digits (15 by default, exponent
// of 3 digits), %g to general form. '0' pads numbers with zeros after the
// sign; widths count characters, not bytes. An argument of the wrong kind, a
// missing argument or a bad specifier raises EConvertError.
std::string Format(const std::string& format, std::initializer_list<TVarRec> args);

template <typename... Args>
std::string Format(const std::string& format, const Args&... args)
{
    return Format(format, {TVarRec(args)...});
}

// ---- Floating values -----------------------------------------------------

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber };

// Digits are rounded to `precision` significant digits (at most 18), then to
// `digits` decimals (ffFixed, ffNumber), halves away from zero each time on
// the decimal digits. ffFixed and ffNumber switch to ffExponent when the
// value has more than `precision` integer digits; ffGeneral takes the
// shorter of fixed and scientific form without trailing zeros (scientific
// when the exponent exceeds `precision` or the value is below 0.0001), its
// exponent at least `digits` digits long; ffExponent writes `precision`
// digits and a signed exponent of at least `digits` digits. Infinite and
// undefined values give "INF", "-INF" and "NAN".
std::string FloatToStrF(double value, TFloatFormat format, int precision, int digits);
std::string FloatToStr(double value);
// The class library's picture formatting: '0' a digit always shown, '#' a
// digit shown when significant, '.' the decimal separator (at the first
// point), ',' anywhere before it groups thousands; quoted text and any other
// character are shown as they stand before or after the number. Up to three
// sections "positive;negative;zero"; the value is rounded half away from zero
// to the decimals the picture holds.
std::string FormatFloat(const std::string& format, double value);

// Halves to even (2.5 gives 2, 3.5 gives 4). Raises EInvalidOp when the
// value is not finite or beyond 64 bits.
std::int64_t Round(double value);
// Toward zero. Raises EInvalidOp as Round does.
std::int64_t Trunc(double value);
