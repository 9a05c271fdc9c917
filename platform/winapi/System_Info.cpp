#include "platform/winapi/System_Info.h"

#include "platform/winapi/User_Folders.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/winapi/Kernel.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string& Fact_Root()
{
    static std::string root = "/";
    return root;
}

std::optional<std::string> Read_Fact(const std::string& relative)
{
    std::ifstream file(fs::path(Fact_Root()) / relative, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::optional<std::string> Read_Fact_Line(const std::string& relative)
{
    const auto text = Read_Fact(relative);
    return text ? std::optional(Trimmed(*text)) : std::nullopt;
}

// The value of the first "Key: value" line of a /proc table.
std::optional<std::string> Table_Value(const std::string& table, const std::string& key)
{
    std::istringstream lines(table);
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && Trimmed(line.substr(0, colon)) == key)
            return Trimmed(line.substr(colon + 1));
    }
    return std::nullopt;
}

std::optional<std::uint64_t> Parse_Unsigned(const std::string& text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data())
        return std::nullopt;
    return value;
}

// A /proc "Key:   1234 kB" entry in bytes.
std::optional<std::uint64_t> Kilobytes(const std::string& table, const std::string& key)
{
    const auto value = Table_Value(table, key);
    const auto number = value ? Parse_Unsigned(*value) : std::nullopt;
    return number ? std::optional(*number * 1024) : std::nullopt;
}

// The process's address space: its limit, else the user space of a 64-bit
// process (47 bits).
std::uint64_t Address_Space()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return limit.rlim_cur;
    return std::uint64_t{1} << 47;
}

// Copies text with its terminator when it fits in size; answers what a
// Windows string call answers: the length written, or the size needed.
DWORD Answer_Text(const std::string& text, LPSTR buffer, DWORD size)
{
    const auto needed = static_cast<DWORD>(text.size() + 1);
    if (buffer == nullptr || size < needed)
        return needed;
    std::memcpy(buffer, text.c_str(), needed);
    return needed - 1;
}

// The user's private temporary folder, never a shared one such as /tmp where
// another user could create a name first; empty when there is none.
std::string Temp_Folder()
{
    int error = 0;
    const std::string path = User_Temp_Folder(error).string();
    return path.empty() || path.ends_with('/') ? path : path + '/';
}

bool Create_New_File(const std::string& name)
{
    const int descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    close(descriptor);
    return true;
}

std::string Temp_File_Name(const std::string& path, const std::string& prefix, UINT number)
{
    std::array<char, 8> digits{};
    std::snprintf(digits.data(), digits.size(), "%X", number & 0xFFFF);
    std::string folder = path;
    if (!folder.empty() && !folder.ends_with('/'))
        folder += '/';
    return folder + prefix.substr(0, 3) + digits.data() + ".TMP";
}

// File-system magic numbers (statfs) of the kinds a drive type tells apart.
UINT Drive_Kind(long magic)
{
    switch (static_cast<unsigned long>(magic)) {
    case 0x6969:     // NFS
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x517B:     // SMB
        return DRIVE_REMOTE;
    case 0x9660:     // ISO 9660
    case 0x15013346: // UDF
        return DRIVE_CDROM;
    case 0x01021994: // tmpfs
    case 0x858458F6: // ramfs
        return DRIVE_RAMDISK;
    default:
        return DRIVE_FIXED;
    }
}

void Copy_Wide(const std::string& text, char16_t (&target)[32])
{
    std::fill(std::begin(target), std::end(target), u'\0');
    for (std::size_t i = 0; i < text.size() && i < 31; ++i)
        target[i] = static_cast<unsigned char>(text[i]);
}

struct Language {
    const char* code;
    LANGID primary;
    const char* name;
};

constexpr std::array<Language, 24> Languages{{
    {"ar", 0x01, "Arabic"},    {"bg", 0x02, "Bulgarian"}, {"ca", 0x03, "Catalan"},   {"zh", 0x04, "Chinese"},
    {"cs", 0x05, "Czech"},     {"da", 0x06, "Danish"},    {"de", 0x07, "German"},    {"el", 0x08, "Greek"},
    {"en", 0x09, "English"},   {"es", 0x0A, "Spanish"},   {"fi", 0x0B, "Finnish"},   {"fr", 0x0C, "French"},
    {"he", 0x0D, "Hebrew"},    {"hu", 0x0E, "Hungarian"}, {"it", 0x10, "Italian"},   {"ja", 0x11, "Japanese"},
    {"ko", 0x12, "Korean"},    {"nl", 0x13, "Dutch"},     {"nb", 0x14, "Norwegian"}, {"pl", 0x15, "Polish"},
    {"pt", 0x16, "Portuguese"}, {"ru", 0x19, "Russian"},  {"sv", 0x1D, "Swedish"},   {"tr", 0x1F, "Turkish"},
}};

constexpr LANGID Sublang_Default = 1;
constexpr LANGID English = 0x09 | (Sublang_Default << 10);

// The language code of the user's message locale ("fr" of "fr_FR.UTF-8").
std::string Locale_Language_Code()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            const std::string name = value;
            return name.substr(0, name.find_first_of("_.@"));
        }
    }
    return {};
}

} // namespace

void Set_System_Fact_Root(const std::string& root)
{
    Fact_Root() = root;
}

// ---- Memory ------------------------------------------------------------------

BOOL GlobalMemoryStatusEx(MEMORYSTATUSEX* status)
{
    if (status == nullptr || status->dwLength != sizeof(MEMORYSTATUSEX)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string meminfo = Read_Fact("proc/meminfo").value_or("");
    const auto total = Kilobytes(meminfo, "MemTotal");
    const auto used = Kilobytes(Read_Fact("proc/self/status").value_or(""), "VmSize");
    if (!total || *total == 0 || !used) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    MEMORYSTATUSEX facts;
    facts.ullTotalPhys = *total;
    facts.ullAvailPhys = std::min(*total, Kilobytes(meminfo, "MemAvailable").value_or(Kilobytes(meminfo, "MemFree").value_or(0)));
    facts.dwMemoryLoad = static_cast<DWORD>((facts.ullTotalPhys - facts.ullAvailPhys) * 100 / facts.ullTotalPhys);
    facts.ullTotalPageFile = facts.ullTotalPhys + Kilobytes(meminfo, "SwapTotal").value_or(0);
    facts.ullAvailPageFile = facts.ullAvailPhys + Kilobytes(meminfo, "SwapFree").value_or(0);
    facts.ullTotalVirtual = Address_Space();
    facts.ullAvailVirtual = facts.ullTotalVirtual - std::min(*used, facts.ullTotalVirtual);
    *status = facts;
    return TRUE;
}

// ---- Processors ----------------------------------------------------------------

void GetSystemInfo(SYSTEM_INFO* info)
{
    if (info == nullptr)
        return;
    *info = SYSTEM_INFO{};
    const long page = sysconf(_SC_PAGESIZE);
    const long count = sysconf(_SC_NPROCESSORS_ONLN);
    info->dwPageSize = page > 0 ? static_cast<DWORD>(page) : 4096;
    info->dwAllocationGranularity = 65536;
    info->dwNumberOfProcessors = count > 0 ? static_cast<DWORD>(count) : 1;
    info->dwActiveProcessorMask = info->dwNumberOfProcessors >= 64
                                      ? ~DWORD_PTR{0}
                                      : (DWORD_PTR{1} << info->dwNumberOfProcessors) - 1;
#if defined(__i386__) || defined(__x86_64__)
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_INTEL;
    info->dwProcessorType = PROCESSOR_INTEL_PENTIUM;
    info->wProcessorLevel = 6;
#else
    info->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_UNKNOWN;
#endif
}

// ---- Version -------------------------------------------------------------------

BOOL GetVersionExA(OSVERSIONINFOA* info)
{
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto release = Read_Fact_Line("proc/sys/kernel/osrelease");
    if (!release || release->empty()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    std::array<DWORD, 3> numbers{};
    const char* at = release->data();
    const char* const end = release->data() + release->size();
    for (DWORD& number : numbers) {
        const auto [next, error] = std::from_chars(at, end, number);
        if (error != std::errc() || next == end || *next != '.')
            break;
        at = next + 1;
    }
    info->dwMajorVersion = numbers[0];
    info->dwMinorVersion = numbers[1];
    info->dwBuildNumber = numbers[2];
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    const std::string text = Read_Fact_Line("proc/sys/kernel/version").value_or("").substr(0, 127);
    std::fill(std::begin(info->szCSDVersion), std::end(info->szCSDVersion), '\0');
    std::memcpy(info->szCSDVersion, text.data(), text.size());
    return TRUE;
}

// ---- Names -----------------------------------------------------------------

BOOL GetComputerNameA(LPSTR buffer, LPDWORD size)
{
    if (size == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = Read_Fact_Line("proc/sys/kernel/hostname").value_or("");
    if (name.empty()) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    const DWORD written = Answer_Text(name, buffer, *size);
    if (written > name.size()) {
        *size = written;
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    *size = written;
    return TRUE;
}

BOOL GetUserNameA(LPSTR buffer, LPDWORD size)
{
    if (size == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> record(16384);
    if (getpwuid_r(geteuid(), &entry, record.data(), record.size(), &found) != 0 || found == nullptr
        || found->pw_name == nullptr) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    const std::string name = found->pw_name;
    const DWORD written = Answer_Text(name, buffer, *size);
    if (written > name.size()) {
        *size = written;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *size = written + 1;
    return TRUE;
}

// ---- Folders and files ------------------------------------------------------

DWORD GetTempPathA(DWORD length, LPSTR buffer)
{
    const std::string folder = Temp_Folder();
    if (folder.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return Answer_Text(folder, buffer, length);
}

UINT GetTempFileNameA(LPCSTR path, LPCSTR prefix, UINT unique, LPSTR temp_file)
{
    if (path == nullptr || temp_file == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string stem = prefix != nullptr ? prefix : "";
    if (unique != 0) {
        const std::string name = Temp_File_Name(path, stem, unique);
        std::memcpy(temp_file, name.c_str(), name.size() + 1);
        return unique;
    }
    const UINT start = static_cast<UINT>(GetTickCount() ^ static_cast<UINT>(getpid())) & 0xFFFF;
    for (UINT step = 0; step < 0x10000; ++step) {
        const UINT number = ((start + step) & 0xFFFF) == 0 ? 1 : (start + step) & 0xFFFF;
        const std::string name = Temp_File_Name(path, stem, number);
        if (Create_New_File(name)) {
            std::memcpy(temp_file, name.c_str(), name.size() + 1);
            return number;
        }
        if (errno != EEXIST)
            break;
    }
    SetLastError(ERROR_PATH_NOT_FOUND);
    return 0;
}

DWORD GetCurrentDirectoryA(DWORD length, LPSTR buffer)
{
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (error) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return 0;
    }
    return Answer_Text(current.string(), buffer, length);
}

// ---- Disks --------------------------------------------------------------------

DWORD GetLogicalDriveStringsA(DWORD length, LPSTR buffer)
{
    constexpr char drives[] = {'/', '\0', '\0'};
    if (buffer == nullptr || length < sizeof drives)
        return sizeof drives;
    std::memcpy(buffer, drives, sizeof drives);
    return sizeof drives - 1;
}

UINT GetDriveTypeA(LPCSTR root)
{
    struct statfs facts {};
    if (root == nullptr || *root == '\0' || statfs(root, &facts) != 0)
        return DRIVE_NO_ROOT_DIR;
    return Drive_Kind(static_cast<long>(facts.f_type));
}

BOOL GetDiskFreeSpaceA(LPCSTR root, LPDWORD sectors_per_cluster, LPDWORD bytes_per_sector,
                       LPDWORD free_clusters, LPDWORD total_clusters)
{
    struct statvfs facts {};
    if (root == nullptr || statvfs(root, &facts) != 0) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    constexpr DWORD Sector = 512;
    const auto clamp = [](std::uint64_t value) { return static_cast<DWORD>(std::min<std::uint64_t>(value, 0xFFFFFFFF)); };
    if (sectors_per_cluster)
        *sectors_per_cluster = std::max<DWORD>(1, clamp(facts.f_frsize / Sector));
    if (bytes_per_sector)
        *bytes_per_sector = Sector;
    if (free_clusters)
        *free_clusters = clamp(facts.f_bavail);
    if (total_clusters)
        *total_clusters = clamp(facts.f_blocks);
    return TRUE;
}

BOOL GetDiskFreeSpaceExA(LPCSTR directory, ULARGE_INTEGER* free_to_caller, ULARGE_INTEGER* total,
                         ULARGE_INTEGER* total_free)
{
    struct statvfs facts {};
    if (directory == nullptr || statvfs(directory, &facts) != 0) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (free_to_caller)
        free_to_caller->QuadPart = std::uint64_t{facts.f_bavail} * facts.f_frsize;
    if (total)
        total->QuadPart = std::uint64_t{facts.f_blocks} * facts.f_frsize;
    if (total_free)
        total_free->QuadPart = std::uint64_t{facts.f_bfree} * facts.f_frsize;
    return TRUE;
}

// ---- Time zone ------------------------------------------------------------------

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* information)
{
    if (information == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    tzset();
    *information = TIME_ZONE_INFORMATION{};
    information->Bias = static_cast<LONG>(timezone / 60);
    Copy_Wide(tzname[0] != nullptr ? tzname[0] : "", information->StandardName);
    Copy_Wide(tzname[1] != nullptr ? tzname[1] : "", information->DaylightName);
    information->DaylightBias = daylight ? -60 : 0;
    return TIME_ZONE_ID_UNKNOWN;
}

// ---- Environment ---------------------------------------------------------------

LPCH GetEnvironmentStringsA()
{
    std::string block;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        block += *entry;
        block += '\0';
    }
    block += '\0';
    auto* strings = new char[block.size()];
    std::memcpy(strings, block.data(), block.size());
    return strings;
}

BOOL FreeEnvironmentStringsA(LPCH strings)
{
    delete[] strings;
    return TRUE;
}

DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size)
{
    if (source == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string text = source;
    std::string expanded;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos)
            break;
        expanded += text.substr(at, open - at);
        const char* value = close > open + 1 ? std::getenv(text.substr(open + 1, close - open - 1).c_str()) : nullptr;
        if (value != nullptr) {
            expanded += value;
            at = close + 1;
        } else {
            expanded += '%'; // not a reference: the second '%' may open one
            at = open + 1;
        }
    }
    expanded += text.substr(std::min(at, text.size()));
    const auto needed = static_cast<DWORD>(expanded.size() + 1);
    if (destination != nullptr && size >= needed)
        std::memcpy(destination, expanded.c_str(), needed);
    return needed;
}

BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value)
{
    if (name == nullptr || *name == '\0' || std::strchr(name, '=') != nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (value == nullptr) {
        if (std::getenv(name) == nullptr) {
            SetLastError(ERROR_ENVVAR_NOT_FOUND);
            return FALSE;
        }
        return unsetenv(name) == 0 ? TRUE : FALSE;
    }
    return setenv(name, value, 1) == 0 ? TRUE : FALSE;
}

// ---- Languages -------------------------------------------------------------------

LANGID GetSystemDefaultLangID()
{
    const std::string code = Locale_Language_Code();
    const auto found = std::ranges::find_if(Languages, [&](const Language& l) { return code == l.code; });
    return found == Languages.end() ? English : static_cast<LANGID>(found->primary | (Sublang_Default << 10));
}

DWORD VerLanguageNameA(DWORD language, LPSTR buffer, DWORD size)
{
    const auto primary = static_cast<LANGID>(language & 0x3FF);
    const auto found = std::ranges::find_if(Languages, [&](const Language& l) { return l.primary == primary; });
    const std::string name = found == Languages.end() ? "Language Neutral" : found->name;
    if (buffer == nullptr || size == 0)
        return static_cast<DWORD>(name.size());
    const std::size_t count = std::min<std::size_t>(name.size(), size - 1);
    std::memcpy(buffer, name.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}
