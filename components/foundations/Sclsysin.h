#pragma once
// Facts about the machine and the running program: display colour depth,
// operating-system version and flags, memory, processor, user, computer and
// folders, the program's version facts and a generic text form of each fact.
//
// The facts come from the platform's Windows calls (memory status, system
// and version information, names, disks, locale, key states, desktop
// parameters). Queries never raise: a call that fails gives a fixed value,
// "(inconnu)" for names, 0 for numbers, the empty string for version texts.

#include <cstdint>
#include <string>

#include "platform/classlib/Classes.h"
#include "platform/winapi/WinTypes.h"

// ---- Operating-system flags ---------------------------------------------
// This system counts as the newest of the NT family: the library's forms
// and drawing take their NT-family branches.

inline constexpr bool SCLSIWindows95 = false;
inline constexpr bool SCLSIWindows98 = false;
inline constexpr bool SCLSIWindowsNT = true;
inline constexpr bool SCLSIWindows2000 = true;
inline constexpr bool SCLSIWindowsExtension = true;

// The text of unknown names, platforms and drive types.
inline constexpr const char* SCLSIUnknown = "(inconnu)";

// ---- Display and input --------------------------------------------------

// Bits per pixel times colour planes of the screen's device context: the
// screen's own depth (24 or 32), which decides between gradient and flat
// fills.
BYTE SCLSIColorDepth();
// Whether the screen's device context can stretch blocks.
bool SCLSIStretchBltPossible();
// The screen saver's time-out in whole minutes; 0 without a display.
int SCLSIScreenSaverDelay();
// True while the key is toggled on.
bool SCLSINumLock();
bool SCLSICapsLock();
bool SCLSIScrollLock();
int SCLSIIconWidth();
int SCLSIIconHeight();
int SCLSISmallIconWidth();
int SCLSISmallIconHeight();
// The shell keeps no system image list here: a null handle.
HANDLE SCLSISystemIconListHandle(bool Large);

// ---- Memory, in bytes ---------------------------------------------------
// The paging figures are the commit figures (memory plus swap), as the
// paging-file figures were.

std::uint64_t SCLSIMemTotal();
std::uint64_t SCLSIMemFree();
DWORD SCLSIMemLoaded(); // percent in use
std::uint64_t SCLSIMemPageTotal();
std::uint64_t SCLSIMemPageFree();
std::uint64_t SCLSIMemVirtTotal();
std::uint64_t SCLSIMemVirtFree();

// Percent of the 16-bit resource heaps free: there are none, so always 100.
int SCLSIFreeSysRes();
int SCLSIFreeGDIRes();
int SCLSIFreeUserRes();

// ---- Versions and platform ----------------------------------------------
// The kernel's release "major.minor.build-..." and its version text; the
// system counts as the NT family.

DWORD SCLSIMajorVersionNr();
DWORD SCLSIMinorVersionNr();
WORD SCLSIBuildNr();
std::string SCLSIVersionString();
std::string SCLSIVersionStr(); // "major.minor"
double SCLSIVersionNr();        // 4.10 gives 4.1, 6.0 gives 6.0
DWORD SCLSIPlatformID();        // 2: the NT family
std::string SCLSIPlatformStr(); // "Win32s", "Windows 95", "Windows NT", else "(inconnu)"
bool SCLSIOLDWindowsNT();
int SCLSIProcessorCount();
// By the processor type: "Intel 386", "Intel 486", "Intel Pentium" (any
// x86 processor), "Mips R" and the type, "Alpha 21064", else the type.
std::string SCLSIProcessorTypeStr();
// The processor's clock in MHz: time-stamp counter cycles over 500 ms,
// counted at real-time priority. Blocks the caller for about 510 ms.
double SCLSIGetCPUSpeed();

// ---- Names and places ---------------------------------------------------

std::string SCLSIComputerName();
std::string SCLSIUserName();
// No registration record exists here: "(inconnu)".
std::string SCLSIRegisteredOwner();
std::string SCLSIRegisteredCompany();
std::string SCLSIWindowsDirectory();
std::string SCLSISystemDirectory();
// $TMPDIR or /tmp, with a trailing '/'.
std::string SCLSITempPath();
// A new empty file "tmpXXXXXX" in the temp path; empty on failure.
std::string SCLSITempFile();

// ---- Drives ---------------------------------------------------------------
// One tree of folders stands in for the drives: its root "/" is the one
// drive, and any folder names the file system that holds it (so a drive
// is named by its whole path, not by its first three characters).

struct TSCLDriveInfo {
    int DriveType = 0; // 1: no such folder, 3: a mounted file system
    std::uint64_t DiskSize = 0;
    std::uint64_t DiskFree = 0; // available to this user
    int SectorsPerCluster = 0;
    int BytesPerSector = 0;
};

// Clears List and adds "/" (nothing without a list).
void SCLSIDriveList(TStrings* List);
TSCLDriveInfo SCLSIDriveInfo(const std::string& Drive);
// 1 "no root directory", 2 "removable", 3 "fixed drive", 4 "remote
// (network) drive", 5 "CD-ROM", 6 "ramdisk", else "(inconnu)".
std::string SCLSIDriveTypeStr(int Type);

// ---- Environment, time zone and locale ------------------------------------

// Clears List and adds each "name=value" of the process environment, in
// order (nothing without a list).
void SCLSIEnvironment(TStrings* List);
// The standard-time name of the local time zone ("CET"), "(inconnu)"
// without one; and its bias: UTC minus local standard time, in minutes.
std::string SCLSIGetTimeZone();
int SCLSIGetTimeZoneBias();
// The user's language as a Windows language identifier (0x0409 English).
WORD SCLSISystemDefaultLanguageID();
// One locale item of the user's locale (the environment's LC_ALL, LANG ...),
// by index 0..27 in the order calendar type, currency digits, currency
// format, digits, first day of week, first week of year, leading zero,
// measure, negative currency, negative number, time format flag, morning
// and afternoon symbols, currency symbol, date separator, decimal
// separator, grouping, list separator, long date, monetary decimal
// separator, monetary grouping, monetary thousand separator, negative and
// positive sign, short date, thousand separator, time separator, time
// format. Formats are written as the library writes them ("dd/MM/yyyy",
// "HH:mm:ss"). "Hallo" for an item the locale does not give.
std::string SCLGetLocalInfo(int Index);
// The locale item (LOCALE_...) behind an index; 0 outside 0..27.
DWORD SCLLocaleItem(int Index);

// ---- The program's version facts ----------------------------------------

enum TSCLVersionInfoType { viCompany, viName, viVersion, viCopyright, viTrademark, viDescription, viComments };

// The program carries only its file version ("2.0.3.0" for viVersion); the
// other values are empty.
std::string SCLSIVersionInfo(TSCLVersionInfoType Type);

// ---- Generic access -----------------------------------------------------

enum TSCLInfoType {
    itUser, itWinDir, itCurrentDir32, itCurrentDiskFree32, itCurrentDiskSize32, itSystemDir,
    itReg_Owner32, itReg_Company32, itVersion, itColorDepth, itScreenSaverDelay, itMemSize,
    itFreeSysRes, itFreeGDIRes, itFreeUserRes, itComputerName32, itMajorVerNr32, itBuildNr32,
    itMemLoaded32, itMemFree32, itMemPageFree32, itMemPageTotal32, itMemVirtFree32, itMemVirtTotal32,
    itPlatformID32, itPlatform32, itProcessorCont32, itProcessor32, itTempPath32, itDOSVersion,
    itNumLock, itCapsLock, itScroll, itCurrentDateTime, itProgCompany, itProgName, itProgVersion,
    itProgCopyright, itProgTrademark, itProgDescription, itProgComments, itCPUSpeed
};

// The label of an info type ("Username", "Memory size", ...).
std::string SCLSIInfoToString(TSCLInfoType Type);
// The value of an info type as text, at most 2047 characters. Numbers are
// divided by Divisor (0 counts as 1); DateFormat formats itCurrentDateTime.
std::string GetSystemInfoString(TSCLInfoType Type, int Divisor, const std::string& DateFormat);
