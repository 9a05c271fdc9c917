#pragma once
// Locale items of the user's locale (the environment's LC_ALL, LANG ...) as
// Windows names and writes them: formats in the library's letters
// ("dd/MM/yyyy", "HH:mm:ss"), group sizes as "3;0".
//
// The user's locale belongs to the desktop session: SetLocaleInfoA changes
// nothing and fails with ERROR_ACCESS_DENIED.

#include "platform/winapi/WinTypes.h"

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
constexpr LCID LOCALE_SYSTEM_DEFAULT = 0x0800;

constexpr LCTYPE LOCALE_IDIGITS = 0x0011;
constexpr LCTYPE LOCALE_ILZERO = 0x0012;
constexpr LCTYPE LOCALE_IMEASURE = 0x000D;
constexpr LCTYPE LOCALE_SDECIMAL = 0x000E;
constexpr LCTYPE LOCALE_STHOUSAND = 0x000F;
constexpr LCTYPE LOCALE_SGROUPING = 0x0010;
constexpr LCTYPE LOCALE_SLIST = 0x000C;
constexpr LCTYPE LOCALE_SCURRENCY = 0x0014;
constexpr LCTYPE LOCALE_SMONDECIMALSEP = 0x0016;
constexpr LCTYPE LOCALE_SMONTHOUSANDSEP = 0x0017;
constexpr LCTYPE LOCALE_SMONGROUPING = 0x0018;
constexpr LCTYPE LOCALE_ICURRDIGITS = 0x0019;
constexpr LCTYPE LOCALE_ICURRENCY = 0x001B;
constexpr LCTYPE LOCALE_INEGCURR = 0x001C;
constexpr LCTYPE LOCALE_SDATE = 0x001D;
constexpr LCTYPE LOCALE_STIME = 0x001E;
constexpr LCTYPE LOCALE_SSHORTDATE = 0x001F;
constexpr LCTYPE LOCALE_SLONGDATE = 0x0020;
constexpr LCTYPE LOCALE_ITIME = 0x0023;
constexpr LCTYPE LOCALE_S1159 = 0x0028;
constexpr LCTYPE LOCALE_S2359 = 0x0029;
constexpr LCTYPE LOCALE_SPOSITIVESIGN = 0x0050;
constexpr LCTYPE LOCALE_SNEGATIVESIGN = 0x0051;
constexpr LCTYPE LOCALE_ICALENDARTYPE = 0x1009;
constexpr LCTYPE LOCALE_IFIRSTDAYOFWEEK = 0x100C;
constexpr LCTYPE LOCALE_IFIRSTWEEKOFYEAR = 0x100D;
constexpr LCTYPE LOCALE_INEGNUMBER = 0x1010;
constexpr LCTYPE LOCALE_STIMEFORMAT = 0x1003;

// The calling thread's locale: the user's.
LCID GetThreadLocale();
// Answers the characters written with the terminator, or with data 0 the
// size needed; 0 with ERROR_INVALID_FLAGS for an item the locale does not
// give, ERROR_INSUFFICIENT_BUFFER when it does not fit.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size);
BOOL SetLocaleInfoA(LCID locale, LCTYPE type, LPCSTR data);
