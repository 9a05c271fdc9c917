#include "components/foundations/Sclsysin.h"

#include <langinfo.h>
#include <locale.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <ctime>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "components/foundations/Sclprocs.h"
#include "platform/classlib/SysUtils.h"
#include "platform/classlib/Version.h"
#include "platform/winapi/Gdi.h"

namespace fs = std::filesystem;

namespace {

std::string& Fact_Root()
{
    static std::string root = "/";
    return root;
}

std::optional<std::string> Read_Fact(const std::string& Relative)
{
    std::ifstream file(fs::path(Fact_Root()) / Relative, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Read_Fact_Line(const std::string& Relative)
{
    return Trim(Read_Fact(Relative).value_or(""));
}

// The value of the first "Key : value" line of a /proc table.
std::optional<std::string> Table_Value(const std::string& Table, const std::string& Key)
{
    std::istringstream lines(Table);
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && Trim(line.substr(0, colon)) == Key)
            return Trim(line.substr(colon + 1));
    }
    return std::nullopt;
}

std::optional<std::uint64_t> Parse_Unsigned(const std::string& Text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), value);
    if (error != std::errc() || end == Text.data())
        return std::nullopt;
    return value;
}

// A /proc "Key:   1234 kB" entry in bytes.
std::optional<std::uint64_t> Kilobytes(const std::string& Table, const std::string& Key)
{
    const auto value = Table_Value(Table, Key);
    if (!value)
        return std::nullopt;
    const auto number = Parse_Unsigned(*value);
    return number ? std::optional(*number * 1024) : std::nullopt;
}

struct Memory_Status {
    std::uint64_t total = 0;
    std::uint64_t free = 0;
    std::uint64_t page_total = 0;
    std::uint64_t page_free = 0;
    std::uint64_t virt_total = 0;
    std::uint64_t virt_free = 0;
};

// The process's address space: its limit, else the user space of a 64-bit
// process (47 bits).
std::uint64_t Address_Space()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return limit.rlim_cur;
    return std::uint64_t{1} << 47;
}

Memory_Status Read_Memory_Status()
{
    Memory_Status status;
    const std::string meminfo = Read_Fact("proc/meminfo").value_or("");
    if (const auto total = Kilobytes(meminfo, "MemTotal")) {
        status.total = *total;
        status.free = Kilobytes(meminfo, "MemAvailable").value_or(Kilobytes(meminfo, "MemFree").value_or(0));
        status.page_total = status.total + Kilobytes(meminfo, "SwapTotal").value_or(0);
        status.page_free = status.free + Kilobytes(meminfo, "SwapFree").value_or(0);
    }
    if (const auto used = Kilobytes(Read_Fact("proc/self/status").value_or(""), "VmSize")) {
        status.virt_total = Address_Space();
        status.virt_free = status.virt_total - std::min(*used, status.virt_total);
    }
    return status;
}

struct Kernel_Release {
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
};

// "6.1.0-18-amd64" gives 6, 1, 0; numbers missing from the text stay 0.
Kernel_Release Read_Kernel_Release()
{
    const std::string release = Read_Fact_Line("proc/sys/kernel/osrelease");
    std::array<DWORD, 3> numbers{};
    const char* at = release.data();
    const char* const end = release.data() + release.size();
    for (DWORD& number : numbers) {
        const auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc() || next == end || *next != '.')
            break;
        at = next + 1;
    }
    return {numbers[0], numbers[1], numbers[2]};
}

std::string Cpuinfo_Value(const std::string& Key)
{
    return Table_Value(Read_Fact("proc/cpuinfo").value_or(""), Key).value_or("");
}

bool Lock_Led_Lit(const std::string& Suffix)
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(Fact_Root()) / "sys/class/leds", error)) {
        const std::string name = entry.path().filename().string();
        if (name.ends_with(Suffix)
            && Parse_Unsigned(Read_Fact_Line("sys/class/leds/" + name + "/brightness")).value_or(0) != 0)
            return true;
    }
    return false;
}

std::string Known_Or_Unknown(const std::string& Text)
{
    return Text.empty() ? std::string(SCLSIUnknown) : Text;
}

struct Disk_Space {
    std::uint64_t size = 0;
    std::uint64_t free = 0;
};

Disk_Space Current_Disk_Space()
{
    struct statvfs facts {};
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (error || statvfs(current.c_str(), &facts) != 0)
        return {};
    return {std::uint64_t{facts.f_blocks} * facts.f_frsize, std::uint64_t{facts.f_bavail} * facts.f_frsize};
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
    case itCurrentDir32: {
        std::error_code error;
        return fs::current_path(error).string();
    }
    case itCurrentDiskFree32: return Divided(Current_Disk_Space().free, Divisor);
    case itCurrentDiskSize32: return Divided(Current_Disk_Space().size, Divisor);
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

// ---- Locale items ----

std::string Text_Item(nl_item Item, locale_t Locale)
{
    return nl_langinfo_l(Item, Locale);
}

// A one-byte number of the locale; none where it is not given (CHAR_MAX,
// or -1 as the C locale writes it).
std::optional<int> Byte_Item(nl_item Item, locale_t Locale)
{
    const int value = static_cast<signed char>(*nl_langinfo_l(Item, Locale));
    return value == CHAR_MAX || value < 0 ? std::nullopt : std::optional(value);
}

// A strftime pattern written as the library writes formats: "%d/%m/%Y"
// gives "dd/MM/yyyy", "%H:%M:%S" gives "HH:mm:ss".
std::string Library_Format(const std::string& Pattern)
{
    static const std::array<std::pair<char, const char*>, 18> fields{{
        {'d', "dd"}, {'e', "d"}, {'m', "MM"}, {'y', "yy"}, {'Y', "yyyy"}, {'b', "MMM"}, {'h', "MMM"},
        {'B', "MMMM"}, {'a', "ddd"}, {'A', "dddd"}, {'H', "HH"}, {'I', "hh"}, {'M', "mm"}, {'S', "ss"},
        {'p', "tt"}, {'T', "HH:mm:ss"}, {'R', "HH:mm"}, {'D', "MM/dd/yy"},
    }};
    std::string format;
    for (std::size_t i = 0; i < Pattern.size(); ++i) {
        if (Pattern[i] != '%') {
            format += Pattern[i];
            continue;
        }
        // Skip the flags and modifiers between '%' and the field letter.
        while (i + 1 < Pattern.size() && std::string_view("EO-_0^#").find(Pattern[i + 1]) != std::string_view::npos)
            ++i;
        if (++i >= Pattern.size())
            break;
        const auto field = std::ranges::find(fields, Pattern[i], &std::pair<char, const char*>::first);
        if (field != fields.end())
            format += field->second;
    }
    return format;
}

// The first character of a format that is no field letter: "dd/MM/yy" gives "/".
std::string Format_Separator(const std::string& Format)
{
    const auto found = std::ranges::find_if(Format, [](char c) { return !std::isalpha(static_cast<unsigned char>(c)); });
    return found == Format.end() ? std::string() : std::string(1, *found);
}

// Group sizes as "3;0": each size, then 0 when the last one repeats.
std::optional<std::string> Grouping(nl_item Item, locale_t Locale)
{
    const std::string sizes = Text_Item(Item, Locale);
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

std::optional<std::string> Number_Text(std::optional<int> Value)
{
    return Value ? std::optional(std::to_string(*Value)) : std::nullopt;
}

std::optional<std::string> Locale_Item(int Index, locale_t Locale)
{
    switch (Index) {
    case 0: return "1"; // the Gregorian calendar
    case 1: return Number_Text(Byte_Item(FRAC_DIGITS, Locale));
    case 2: {
        const auto precedes = Byte_Item(P_CS_PRECEDES, Locale);
        const auto spaced = Byte_Item(P_SEP_BY_SPACE, Locale);
        if (!precedes || !spaced)
            return std::nullopt;
        return std::to_string((*precedes != 0 ? 0 : 1) + (*spaced != 0 ? 2 : 0));
    }
    case 4: {
        // 1 = Sunday here; 0 = Monday in the library's numbering.
        const auto first = Byte_Item(_NL_TIME_FIRST_WEEKDAY, Locale);
        return first && *first >= 1 && *first <= 7 ? std::optional(std::to_string((*first + 5) % 7)) : std::nullopt;
    }
    case 7: {
        const auto measure = Byte_Item(_NL_MEASUREMENT_MEASUREMENT, Locale);
        return measure ? std::optional(std::string(*measure == 2 ? "1" : "0")) : std::nullopt;
    }
    case 10: return Library_Format(Text_Item(T_FMT, Locale)).find("HH") != std::string::npos ? "1" : "0";
    case 11: return Text_Item(AM_STR, Locale);
    case 12: return Text_Item(PM_STR, Locale);
    case 13: return Text_Item(CURRENCY_SYMBOL, Locale);
    case 14: return Format_Separator(Library_Format(Text_Item(D_FMT, Locale)));
    case 15: return Text_Item(RADIXCHAR, Locale);
    case 16: return Grouping(GROUPING, Locale);
    case 19: return Text_Item(MON_DECIMAL_POINT, Locale);
    case 20: return Grouping(MON_GROUPING, Locale);
    case 21: return Text_Item(MON_THOUSANDS_SEP, Locale);
    case 22: return Text_Item(NEGATIVE_SIGN, Locale);
    case 23: return Text_Item(POSITIVE_SIGN, Locale);
    case 24: return Library_Format(Text_Item(D_FMT, Locale));
    case 25: return Text_Item(THOUSEP, Locale);
    case 26: return Format_Separator(Library_Format(Text_Item(T_FMT, Locale)));
    case 27: return Library_Format(Text_Item(T_FMT, Locale));
    default: return std::nullopt;
    }
}

} // namespace

void SCLSISetFactRoot(const std::string& Root)
{
    Fact_Root() = Root;
}

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
    return 0;
}

bool SCLSINumLock()
{
    return Lock_Led_Lit("::numlock");
}

bool SCLSICapsLock()
{
    return Lock_Led_Lit("::capslock");
}

bool SCLSIScrollLock()
{
    return Lock_Led_Lit("::scrolllock");
}

// ---- Memory -------------------------------------------------------------

std::uint64_t SCLSIMemTotal() { return Read_Memory_Status().total; }
std::uint64_t SCLSIMemFree() { return Read_Memory_Status().free; }
std::uint64_t SCLSIMemPageTotal() { return Read_Memory_Status().page_total; }
std::uint64_t SCLSIMemPageFree() { return Read_Memory_Status().page_free; }
std::uint64_t SCLSIMemVirtTotal() { return Read_Memory_Status().virt_total; }
std::uint64_t SCLSIMemVirtFree() { return Read_Memory_Status().virt_free; }

DWORD SCLSIMemLoaded()
{
    const Memory_Status status = Read_Memory_Status();
    return status.total == 0 ? 0 : static_cast<DWORD>((status.total - status.free) * 100 / status.total);
}

int SCLSIFreeSysRes() { return 100; }
int SCLSIFreeGDIRes() { return 100; }
int SCLSIFreeUserRes() { return 100; }

// ---- Versions and platform ----------------------------------------------

DWORD SCLSIMajorVersionNr() { return Read_Kernel_Release().major; }
DWORD SCLSIMinorVersionNr() { return Read_Kernel_Release().minor; }
WORD SCLSIBuildNr() { return static_cast<WORD>(Read_Kernel_Release().build); }

std::string SCLSIVersionString()
{
    return Read_Fact_Line("proc/sys/kernel/version");
}

std::string SCLSIVersionStr()
{
    const Kernel_Release release = Read_Kernel_Release();
    return Format("%d.%d", release.major, release.minor);
}

double SCLSIVersionNr()
{
    const Kernel_Release release = Read_Kernel_Release();
    double scale = 10.0;
    for (DWORD rest = release.minor / 10; rest != 0; rest /= 10)
        scale *= 10.0;
    return release.major + release.minor / scale;
}

DWORD SCLSIPlatformID()
{
    return 2;
}

std::string SCLSIPlatformStr()
{
    return Known_Or_Unknown(Read_Fact_Line("proc/sys/kernel/ostype"));
}

bool SCLSIOLDWindowsNT()
{
    return false;
}

int SCLSIProcessorCount()
{
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? static_cast<int>(count) : 1;
}

std::string SCLSIProcessorTypeStr()
{
    return Known_Or_Unknown(Cpuinfo_Value("model name"));
}

double SCLSIGetCPUSpeed()
{
    const std::string text = Cpuinfo_Value("cpu MHz");
    double speed = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), speed);
    return error == std::errc() ? speed : 0.0;
}

// ---- Names and places ---------------------------------------------------

std::string SCLSIComputerName()
{
    return Known_Or_Unknown(Read_Fact_Line("proc/sys/kernel/hostname"));
}

std::string SCLSIUserName()
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return SCLSIUnknown;
    return Known_Or_Unknown(found->pw_name ? found->pw_name : "");
}

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
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    return path.ends_with('/') ? path : path + '/';
}

std::string SCLSITempFile()
{
    std::string name = SCLSITempPath() + "tmpXXXXXX";
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0)
        return {};
    close(descriptor);
    return name;
}

// ---- The program's version facts ----------------------------------------

std::string SCLSIVersionInfo(TSCLVersionInfoType Type)
{
    if (Type != viVersion)
        return {};
    const TFileVersion& v = Program_File_Version;
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
    List->Add("/");
}

TSCLDriveInfo SCLSIDriveInfo(const std::string& Drive)
{
    TSCLDriveInfo info;
    struct statvfs facts {};
    if (Drive.empty() || statvfs(Drive.c_str(), &facts) != 0) {
        info.DriveType = 1;
        return info;
    }
    constexpr int Sector = 512;
    info.DriveType = 3;
    info.DiskSize = std::uint64_t{facts.f_blocks} * facts.f_frsize;
    info.DiskFree = std::uint64_t{facts.f_bavail} * facts.f_frsize;
    info.BytesPerSector = Sector;
    info.SectorsPerCluster = std::max(1, static_cast<int>(facts.f_frsize / Sector));
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
    for (char** entry = environ; *entry != nullptr; ++entry)
        List->Add(*entry);
}

std::string SCLSIGetTimeZone()
{
    tzset();
    return Known_Or_Unknown(tzname[0] != nullptr ? tzname[0] : "");
}

int SCLSIGetTimeZoneBias()
{
    tzset();
    return static_cast<int>(timezone / 60);
}

std::string SCLGetLocalInfo(int Index)
{
    const locale_t user = newlocale(LC_ALL_MASK, "", nullptr);
    const locale_t used = user != nullptr ? user : newlocale(LC_ALL_MASK, "C", nullptr);
    const std::optional<std::string> value = used != nullptr ? Locale_Item(Index, used) : std::nullopt;
    if (used != nullptr)
        freelocale(used);
    return value.value_or("Hallo");
}
