#pragma once
// Date and time as the class library keeps them, and the clock behind Now,
// which tests can set.

#include <functional>
#include <string>

// Days since 1899-12-30 00:00; the fraction is the time of day (for a
// negative value, its absolute fraction).
using TDateTime = double;

// The clock behind Now, Date and Time: local time by default. Tests set
// their own; an empty function restores the system clock.
using TClock_Function = std::function<TDateTime()>;
void Set_Clock(TClock_Function clock);

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Raise EConvertError for a date or time that does not exist.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
// Rounded to the nearest millisecond.
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);

// Patterns, in either case: yyyy, yy, mm, m, dd, d, hh, h, nn, n, ss, s, zzz,
// z, and literals between single or double quotes; m or mm after an hour
// field means minutes. Other characters, ':' and '/' included, are copied.
std::string FormatDateTime(const std::string& format, TDateTime value);
