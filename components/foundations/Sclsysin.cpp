#include "components/foundations/Sclsysin.h"

#include <algorithm>
#include <array>
#include <vector>

#include "components/foundations/Sclprocs.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/Version.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Locale_Info.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Priority.h"
#include "platform/winapi/Processor.h"
#include "platform/winapi/System_Info.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"

namespace {

MEMORYSTATUSEX Memory_Status()
{
    MEMORYSTATUSEX status;
    if (!GlobalMemoryStatusEx(&status))
        status = MEMORYSTATUSEX{};
    return status;
}

// Without a readable version the numbers are 0; the family stays NT.
OSVERSIONINFOA Version_Info()
{
    OSVERSIONINFOA info;
    if (!GetVersionExA(&info)) {
        info = OSVERSIONINFOA{};
        info.dwPlatformId = VER_PLATFORM_WIN32_NT;
    }
    return info;
}

SYSTEM_INFO System_Info()
{
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info;
}

bool Key_Toggled(int Key)
{
    return (GetKeyState(Key) & 0xFF) == 1;
}

std::string Known_Or_Unknown(const std::string& Text)
{
    return Text.empty() ? std::string(SCLSIUnknown) : Text;
}

std::string Current_Directory()
{
    std::vector<char> buffer(MAX_PATH);
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0)
        return {};
    if (length >= buffer.size()) {
        buffer.resize(length);
        if (GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data()) >= buffer.size())
            return {};
    }
    return buffer.data();
}

std::string Divided(std::uint64_t Value, std::int64_t Divisor)
{
    return IntToStr(static_cast<std::int64_t>(Value) / Divisor);
}

std::string On_Off(bool State)
{
    return State ? "On" : "Off";
}

std::string Info_Text(TSCLInfoType Type, std::int64_t Divisor, const std::string& DateFormat)
{
    switch (Type) {
    case itUser: return SCLSIUserName();
    case itWinDir: return SCLSIWindowsDirectory();
    case itCurrentDir32: return Current_Directory();
    case itCurrentDiskFree32: return Divided(SCLSIDriveInfo(Current_Directory()).DiskFree, Divisor);
    case itCurrentDiskSize32: return Divided(SCLSIDriveInfo(Current_Directory()).DiskSize, Divisor);
    case itSystemDir: return SCLSISystemDirectory();
    case itReg_Owner32: return SCLSIRegisteredOwner();
    case itReg_Company32: return SCLSIRegisteredCompany();
    case itVersion: return SCLSIVersionStr();
    case itColorDepth: return Divided(SCLSIColorDepth(), Divisor);
    case itScreenSaverDelay: return Divided(static_cast<std::uint64_t>(SCLSIScreenSaverDelay()), Divisor);
    case itMemSize: return Divided(SCLSIMemTotal(), Divisor);
    case itFreeSysRes: return Divided(static_cast<std::uint64_t>(SCLSIFreeSysRes()), Divisor);
    case itFreeGDIRes: return Divided(static_cast<std::uint64_t>(SCLSIFreeGDIRes()), Divisor);
    case itFreeUserRes: return Divided(static_cast<std::uint64_t>(SCLSIFreeUserRes()), Divisor);
    case itComputerName32: return SCLSIComputerName();
    case itMajorVerNr32: return Divided(SCLSIMajorVersionNr(), Divisor);
    case itBuildNr32: return Divided(SCLSIBuildNr(), Divisor);
    case itMemLoaded32: return Divided(SCLSIMemLoaded(), Divisor);
    case itMemFree32: return Divided(SCLSIMemFree(), Divisor);
    case itMemPageFree32: return Divided(SCLSIMemPageFree(), Divisor);
    case itMemPageTotal32: return Divided(SCLSIMemPageTotal(), Divisor);
    case itMemVirtFree32: return Divided(SCLSIMemVirtFree(), Divisor);
    case itMemVirtTotal32: return Divided(SCLSIMemVirtTotal(), Divisor);
    case itPlatformID32: return Divided(SCLSIPlatformID(), Divisor);
    case itPlatform32: return SCLSIPlatformStr();
    case itProcessorCont32: return Divided(static_cast<std::uint64_t>(SCLSIProcessorCount()), Divisor);
    case itProcessor32: return SCLSIProcessorTypeStr();
    case itTempPath32: return SCLSITempPath();
    case itDOSVersion: return "Win32";
    case itNumLock: return On_Off(SCLSINumLock());
    case itCapsLock: return On_Off(SCLSICapsLock());
    case itScroll: return On_Off(SCLSIScrollLock());
    case itCurrentDateTime: return FormatDateTime(DateFormat, Now());
    case itProgCompany: return SCLSIVersionInfo(viCompany);
    case itProgName: return SCLSIVersionInfo(viName);
    case itProgVersion: return SCLSIVersionInfo(viVersion);
    case itProgCopyright: return SCLSIVersionInfo(viCopyright);
    case itProgTrademark: return SCLSIVersionInfo(viTrademark);
    case itProgDescription: return SCLSIVersionInfo(viDescription);
    case itProgComments: return SCLSIVersionInfo(viComments);
    case itCPUSpeed: return FloatToStr(SCLSIGetCPUSpeed() / static_cast<double>(Divisor));
    }
    return {};
}

constexpr std::array<DWORD, 28> Locale_Items{
    LOCALE_ICALENDARTYPE, LOCALE_ICURRDIGITS, LOCALE_ICURRENCY, LOCALE_IDIGITS, LOCALE_IFIRSTDAYOFWEEK,
    LOCALE_IFIRSTWEEKOFYEAR, LOCALE_ILZERO, LOCALE_IMEASURE, LOCALE_INEGCURR, LOCALE_INEGNUMBER, LOCALE_ITIME,
    LOCALE_S1159, LOCALE_S2359, LOCALE_SCURRENCY, LOCALE_SDATE, LOCALE_SDECIMAL, LOCALE_SGROUPING, LOCALE_SLIST,
    LOCALE_SLONGDATE, LOCALE_SMONDECIMALSEP, LOCALE_SMONGROUPING, LOCALE_SMONTHOUSANDSEP, LOCALE_SNEGATIVESIGN,
    LOCALE_SPOSITIVESIGN, LOCALE_SSHORTDATE, LOCALE_STHOUSAND, LOCALE_STIME, LOCALE_STIMEFORMAT};

// Restores the calling thread's and the process's priority when it goes.
class Raised_Priority {
public:
    Raised_Priority()
        : priority_class(GetPriorityClass(GetCurrentProcess())), priority(GetThreadPriority(GetCurrentThread()))
    {
        SetPriorityClass(GetCurrentProcess(), REALTIME_PRIORITY_CLASS);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    }
    ~Raised_Priority()
    {
        SetThreadPriority(GetCurrentThread(), priority);
        SetPriorityClass(GetCurrentProcess(), priority_class);
    }
    Raised_Priority(const Raised_Priority&) = delete;
    Raised_Priority& operator=(const Raised_Priority&) = delete;

private:
    DWORD priority_class;
    int priority;
};

} // namespace

// ---- Display and input --------------------------------------------------

BYTE SCLSIColorDepth()
{
    const HDC screen = GetDC(nullptr);
    const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return static_cast<BYTE>(depth);
}

bool SCLSIStretchBltPossible()
{
    const HDC screen = GetDC(nullptr);
    const bool possible = (GetDeviceCaps(screen, RASTERCAPS) & RC_STRETCHBLT) != 0;
    ReleaseDC(nullptr, screen);
    return possible;
}

int SCLSIScreenSaverDelay()
{
    int seconds = 0;
    return SystemParametersInfoA(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0) ? seconds / 60 : 0;
}

bool SCLSINumLock() { return Key_Toggled(VK_NUMLOCK); }
bool SCLSICapsLock() { return Key_Toggled(VK_CAPITAL); }
bool SCLSIScrollLock() { return Key_Toggled(VK_SCROLL); }
int SCLSIIconWidth() { return GetSystemMetrics(SM_CXICON); }
int SCLSIIconHeight() { return GetSystemMetrics(SM_CYICON); }
int SCLSISmallIconWidth() { return GetSystemMetrics(SM_CXSMICON); }
int SCLSISmallIconHeight() { return GetSystemMetrics(SM_CYSMICON); }

HANDLE SCLSISystemIconListHandle(bool)
{
    return nullptr;
}

// ---- Memory -------------------------------------------------------------

std::uint64_t SCLSIMemTotal() { return Memory_Status().ullTotalPhys; }
std::uint64_t SCLSIMemFree() { return Memory_Status().ullAvailPhys; }
DWORD SCLSIMemLoaded() { return Memory_Status().dwMemoryLoad; }
std::uint64_t SCLSIMemPageTotal() { return Memory_Status().ullTotalPageFile; }
std::uint64_t SCLSIMemPageFree() { return Memory_Status().ullAvailPageFile; }
std::uint64_t SCLSIMemVirtTotal() { return Memory_Status().ullTotalVirtual; }
std::uint64_t SCLSIMemVirtFree() { return Memory_Status().ullAvailVirtual; }

int SCLSIFreeSysRes() { return 100; }
int SCLSIFreeGDIRes() { return 100; }
int SCLSIFreeUserRes() { return 100; }

// ---- Versions and platform ----------------------------------------------

DWORD SCLSIMajorVersionNr() { return Version_Info().dwMajorVersion; }
DWORD SCLSIMinorVersionNr() { return Version_Info().dwMinorVersion; }
WORD SCLSIBuildNr() { return static_cast<WORD>(Version_Info().dwBuildNumber); }
std::string SCLSIVersionString() { return Version_Info().szCSDVersion; }

std::string SCLSIVersionStr()
{
    const OSVERSIONINFOA info = Version_Info();
    return Format("%d.%d", info.dwMajorVersion, info.dwMinorVersion);
}

double SCLSIVersionNr()
{
    const OSVERSIONINFOA info = Version_Info();
    double scale = 10.0;
    for (DWORD rest = info.dwMinorVersion / 10; rest != 0; rest /= 10)
        scale *= 10.0;
    return info.dwMajorVersion + info.dwMinorVersion / scale;
}

DWORD SCLSIPlatformID()
{
    return Version_Info().dwPlatformId;
}

std::string SCLSIPlatformStr()
{
    switch (SCLSIPlatformID()) {
    case VER_PLATFORM_WIN32s: return "Win32s";
    case VER_PLATFORM_WIN32_WINDOWS: return "Windows 95";
    case VER_PLATFORM_WIN32_NT: return "Windows NT";
    default: return SCLSIUnknown;
    }
}

bool SCLSIOLDWindowsNT()
{
    const OSVERSIONINFOA info = Version_Info();
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion < 4;
}

int SCLSIProcessorCount()
{
    return static_cast<int>(System_Info().dwNumberOfProcessors);
}

std::string SCLSIProcessorTypeStr()
{
    const DWORD type = System_Info().dwProcessorType;
    switch (type) {
    case PROCESSOR_INTEL_386: return "Intel 386";
    case PROCESSOR_INTEL_486: return "Intel 486";
    case PROCESSOR_INTEL_PENTIUM: return "Intel Pentium";
    case 2000:
    case 3000:
    case 4000: return "Mips R" + std::to_string(type);
    case 21064: return "Alpha 21064";
    default: return std::to_string(type);
    }
}

double SCLSIGetCPUSpeed()
{
    std::uint64_t cycles = 0;
    {
        const Raised_Priority raised;
        Sleep(10);
        const std::uint64_t start = Read_Time_Stamp_Counter();
        Sleep(500);
        cycles = Read_Time_Stamp_Counter() - start;
    }
    return static_cast<double>(static_cast<DWORD>(cycles)) / 500000.0;
}

// ---- Names and places ---------------------------------------------------

std::string SCLSIComputerName()
{
    std::array<char, MAX_COMPUTERNAME_LENGTH + 1> name{};
    DWORD size = name.size();
    if (!GetComputerNameA(name.data(), &size))
        return SCLSIUnknown;
    return std::string(name.data(), size);
}

std::string SCLSIUserName()
{
    std::array<char, 63> name{};
    DWORD size = name.size();
    if (!GetUserNameA(name.data(), &size) || size == 0)
        return SCLSIUnknown;
    return std::string(name.data(), size - 1);
}

// No registration record exists here.
std::string SCLSIRegisteredOwner()
{
    return SCLSIUnknown;
}

std::string SCLSIRegisteredCompany()
{
    return SCLSIUnknown;
}

std::string SCLSIWindowsDirectory()
{
    return SCLWindowsDirectory();
}

std::string SCLSISystemDirectory()
{
    return SCLSystemDirectory();
}

std::string SCLSITempPath()
{
    std::array<char, MAX_PATH> path{};
    const DWORD length = GetTempPathA(path.size(), path.data());
    return length > 0 && length < path.size() ? std::string(path.data(), length) : std::string();
}

std::string SCLSITempFile()
{
    std::array<char, MAX_PATH + 16> name{};
    const std::string folder = SCLSITempPath();
    if (folder.empty() || GetTempFileNameA(folder.c_str(), "tmp", 0, name.data()) == 0)
        return {};
    return name.data();
}

// ---- The program's version facts ----------------------------------------

std::string SCLSIVersionInfo(TSCLVersionInfoType Type)
{
    if (Type != viVersion)
        return {};
    const TFileVersion& v = ProgramFileVersion;
    return Format("%d.%d.%d.%d", v.Major, v.Minor, v.Build, v.SubBuild);
}

// ---- Generic access -----------------------------------------------------

std::string SCLSIInfoToString(TSCLInfoType Type)
{
    static constexpr std::array<const char*, 42> labels{
        "Username", "Windows directory", "Current directory", "Free space on current disk",
        "Disk size of current Disk", "System directory", "Registered owner", "Registered company", "Version",
        "Colordepth (in bits)", "Screensaver delay", "Memory size", "Free system resources", "Free GDI resources",
        "Free user resources", "Computername", "Major version", "Build", "Memory loaded", "Memory free",
        "Free memory pages", "Total memory pages", "Free virtual memory", "Total virtual memory", "Platform ID",
        "Platform", "Number of processors", "Processor", "Temp path", "DOS version", "NumLock", "CapsLock",
        "ScrollLock", "Date and time", "CompanyName", "ProductName", "ProductVersion", "LegalCopyright",
        "LegalTrademark", "FileDescription", "Comments", "CPU Speed"};
    const auto index = static_cast<std::size_t>(Type);
    return index < labels.size() ? labels[index] : std::string();
}

std::string GetSystemInfoString(TSCLInfoType Type, int Divisor, const std::string& DateFormat)
{
    return Info_Text(Type, Divisor == 0 ? 1 : Divisor, DateFormat).substr(0, 2047);
}

// ---- Drives ---------------------------------------------------------------

void SCLSIDriveList(TStrings* List)
{
    if (List == nullptr)
        return;
    List->Clear();
    std::array<char, 255> drives{};
    const DWORD length = GetLogicalDriveStringsA(254, drives.data());
    if (length == 0 || length > 254)
        return;
    for (std::size_t at = 0; at < length && drives[at] != '\0';) {
        const std::string root = drives.data() + at;
        List->Add(root);
        at += root.size() + 1;
    }
}

TSCLDriveInfo SCLSIDriveInfo(const std::string& Drive)
{
    TSCLDriveInfo info;
    info.DriveType = static_cast<int>(GetDriveTypeA(Drive.c_str()));
    if (info.DriveType <= 1)
        return info;
    DWORD sectors_per_cluster = 0;
    DWORD bytes_per_sector = 0;
    if (GetDiskFreeSpaceA(Drive.c_str(), &sectors_per_cluster, &bytes_per_sector, nullptr, nullptr)) {
        info.SectorsPerCluster = static_cast<int>(sectors_per_cluster);
        info.BytesPerSector = static_cast<int>(bytes_per_sector);
    }
    ULARGE_INTEGER free{};
    ULARGE_INTEGER total{};
    if (GetDiskFreeSpaceExA(Drive.c_str(), &free, &total, nullptr)) {
        info.DiskSize = total.QuadPart;
        info.DiskFree = free.QuadPart;
    }
    return info;
}

std::string SCLSIDriveTypeStr(int Type)
{
    static constexpr std::array<const char*, 6> names{
        "no root directory", "removable", "fixed drive", "remote (network) drive", "CD-ROM", "ramdisk"};
    return Type >= 1 && Type <= 6 ? names[static_cast<std::size_t>(Type - 1)] : SCLSIUnknown;
}

// ---- Environment, time zone and locale ------------------------------------

void SCLSIEnvironment(TStrings* List)
{
    if (List == nullptr)
        return;
    List->Clear();
    const LPCH block = GetEnvironmentStringsA();
    for (const char* entry = block; entry != nullptr && *entry != '\0';) {
        const std::string text = entry;
        List->Add(text);
        entry += text.size() + 1;
    }
    FreeEnvironmentStringsA(block);
}

std::string SCLSIGetTimeZone()
{
    TIME_ZONE_INFORMATION zone;
    if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID)
        return SCLSIUnknown;
    std::string name;
    for (const char16_t c : zone.StandardName) {
        if (c == u'\0')
            break;
        name += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return Known_Or_Unknown(name);
}

int SCLSIGetTimeZoneBias()
{
    TIME_ZONE_INFORMATION zone;
    return GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID ? 0 : zone.Bias;
}

WORD SCLSISystemDefaultLanguageID()
{
    return GetSystemDefaultLangID();
}

DWORD SCLLocaleItem(int Index)
{
    return Index >= 0 && Index < static_cast<int>(Locale_Items.size()) ? Locale_Items[static_cast<std::size_t>(Index)]
                                                                        : 0;
}

std::string SCLGetLocalInfo(int Index)
{
    std::array<char, 256> value{};
    const DWORD item = SCLLocaleItem(Index);
    if (item == 0 || GetLocaleInfoA(GetThreadLocale(), item, value.data(), value.size()) == 0)
        return "Hallo";
    return value.data();
}
