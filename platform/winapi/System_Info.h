#pragma once
// The machine facts the system asks Windows for: memory, processors, the
// system's version, the computer's and user's names, the temporary folder,
// disks, the time zone, the environment and the default language.
//
// Linux answers them: the files of /proc (read under a fact root that
// tests can move), sysconf, the password database, statvfs and the
// environment. The system counts as the NT family, the kernel's release
// giving the version numbers and its version text the service-pack text.
// A fact that cannot be read fails the call as Windows fails it.

#include <string>

#include "platform/winapi/Kernel.h"
#include "platform/winapi/WinTypes.h"

using DWORDLONG = std::uint64_t;
using DWORD_PTR = std::uintptr_t;
using LANGID = WORD;
using LPCH = char*;

union ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    } u;
    ULONGLONG QuadPart;
};

constexpr DWORD MAX_PATH = 260;
constexpr DWORD ERROR_BUFFER_OVERFLOW = 111;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ENVVAR_NOT_FOUND = 203;

// The folder under which the /proc files are read: "/" for the machine's
// own. Tests point it at a folder of their own.
void Set_System_Fact_Root(const std::string& root);

// ---- Memory ------------------------------------------------------------------
// The paging figures are the commit figures (memory plus swap).

struct MEMORYSTATUSEX {
    DWORD dwLength = sizeof(MEMORYSTATUSEX);
    DWORD dwMemoryLoad = 0; // percent in use
    DWORDLONG ullTotalPhys = 0;
    DWORDLONG ullAvailPhys = 0;
    DWORDLONG ullTotalPageFile = 0;
    DWORDLONG ullAvailPageFile = 0;
    DWORDLONG ullTotalVirtual = 0;
    DWORDLONG ullAvailVirtual = 0;
    DWORDLONG ullAvailExtendedVirtual = 0;
};

// FALSE (ERROR_INVALID_PARAMETER) for a wrong dwLength, and
// (ERROR_NOT_SUPPORTED) when the memory table cannot be read.
BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* status);

// ---- Processors ----------------------------------------------------------------

constexpr DWORD PROCESSOR_INTEL_386 = 386;
constexpr DWORD PROCESSOR_INTEL_486 = 486;
constexpr DWORD PROCESSOR_INTEL_PENTIUM = 586;
constexpr WORD PROCESSOR_ARCHITECTURE_INTEL = 0;
constexpr WORD PROCESSOR_ARCHITECTURE_UNKNOWN = 0xFFFF;

struct SYSTEM_INFO {
    WORD wProcessorArchitecture = 0;
    WORD wReserved = 0;
    DWORD dwPageSize = 0;
    LPVOID lpMinimumApplicationAddress = nullptr;
    LPVOID lpMaximumApplicationAddress = nullptr;
    DWORD_PTR dwActiveProcessorMask = 0;
    DWORD dwNumberOfProcessors = 0;
    DWORD dwProcessorType = 0;
    DWORD dwAllocationGranularity = 0;
    WORD wProcessorLevel = 0;
    WORD wProcessorRevision = 0;
};

// An x86 processor reports itself as a 32-bit program on Windows sees it:
// PROCESSOR_INTEL_PENTIUM; any other processor type 0.
void GetSystemInfo(SYSTEM_INFO* info);

// ---- Version -------------------------------------------------------------------

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    DWORD dwMajorVersion = 0;
    DWORD dwMinorVersion = 0;
    DWORD dwBuildNumber = 0;
    DWORD dwPlatformId = 0;
    CHAR szCSDVersion[128] = {};
};
static_assert(sizeof(OSVERSIONINFOA) == 148);

// The kernel's release "major.minor.build-..." (numbers missing from it are
// 0) and its version text (cut to 127 characters); FALSE
// (ERROR_INVALID_PARAMETER) for a wrong size, (ERROR_NOT_SUPPORTED) when the
// release cannot be read.
BOOL GetVersionExA(OSVERSIONINFOA* info);

// ---- Names -----------------------------------------------------------------

constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;

// Size: the buffer's size in; out the name's length without its terminator,
// or on ERROR_BUFFER_OVERFLOW the size needed with it.
BOOL GetComputerNameA(LPSTR buffer, LPDWORD size);
// Size: the buffer's size in; out the characters written with the
// terminator, or on ERROR_INSUFFICIENT_BUFFER the size needed.
BOOL GetUserNameA(LPSTR buffer, LPDWORD size);

// ---- Folders and files ------------------------------------------------------

// The user's private temporary folder ($XDG_RUNTIME_DIR when private to the
// user, else a 0700 folder in the program's cache folder), with a trailing
// '/'; never a shared folder. Answers the length written without the
// terminator, or the size needed when the buffer is too small; 0 with
// ERROR_PATH_NOT_FOUND when the user has no such folder.
DWORD GetTempPathA(DWORD length, LPSTR buffer);
// Unique 0: a new empty file path + the prefix's first three characters +
// four hexadecimal digits + ".TMP", answering its number; 0 on failure.
// Otherwise only the name, from Unique.
UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR temp_file);
// As GetTempPathA.
DWORD GetCurrentDirectoryA(DWORD length, LPSTR buffer);

// ---- Disks --------------------------------------------------------------------
// One tree of folders stands in for the drives: its root "/" is the one
// drive, and any folder names the file system that holds it.

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

// "/" followed by two terminators; the length without the last one, or the
// size needed.
DWORD GetLogicalDriveStringsA(DWORD length, LPSTR buffer);
// DRIVE_NO_ROOT_DIR for a folder that does not exist; the kind of the file
// system that holds it otherwise (network, CD, memory, else fixed).
UINT GetDriveTypeA(LPCSTR root);
// 512-byte sectors; a cluster is the file system's fragment.
BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectors_per_cluster, LPDWORD bytes_per_sector,
                       LPDWORD free_clusters, LPDWORD total_clusters);
BOOL GetDiskFreeSpaceExA(LPCSTR directory, ULARGE_INTEGER* free_to_caller, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* total_free);

// ---- Time zone ------------------------------------------------------------------

struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

struct TIME_ZONE_INFORMATION {
    LONG Bias = 0; // UTC minus local standard time, in minutes
    char16_t StandardName[32] = {};
    SYSTEMTIME StandardDate;
    LONG StandardBias = 0;
    char16_t DaylightName[32] = {};
    SYSTEMTIME DaylightDate;
    LONG DaylightBias = 0;
};

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

// The zone of $TZ (else the system's); the transition dates are not filled.
DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* information);

// ---- Environment ---------------------------------------------------------------

// "name=value" entries, each ended by a terminator, and one more at the
// end; freed with FreeEnvironmentStringsA.
LPCH GetEnvironmentStringsA();
BOOL FreeEnvironmentStringsA(LPCH strings);
// %NAME% references replaced by their values (unknown names stay as they
// are). Answers the size needed with the terminator; writes only when it
// fits in size.
DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size);
// A null value removes the variable. FALSE (ERROR_INVALID_PARAMETER) for
// an empty name or one with '='.
BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value);

// ---- Languages -------------------------------------------------------------------

// The language of the user's locale ($LC_ALL, $LC_MESSAGES, $LANG) as a
// Windows language identifier (primary language, default sublanguage);
// 0x0409 (English) for the C locale and for a language without a number.
LANGID GetSystemDefaultLangID();
// The language's English name ("French"); "Language Neutral" for one it
// does not know. Answers the length written (without the terminator).
DWORD VerLanguageNameA(DWORD language, LPSTR buffer, DWORD size);
