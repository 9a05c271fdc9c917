#include "shell/services/Hh_funcs.h"

#include "shell/services/Hh.h"

#include "platform/classlib/Classes.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Version.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Shell.h"
#include "platform/winapi/Stored_File.h"
#include "platform/winapi/System_Info.h"
#include "platform/winapi/User_Folders.h"
#include "platform/winapi/Window.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

// ---- Strings ------------------------------------------------------------------------

int StrPosC(const std::string& S, const std::string& Part)
{
    const auto found = S.find(Part);
    return found == std::string::npos ? 0 : static_cast<int>(found) + 1;
}

int StrPosI(const std::string& S, const std::string& Part)
{
    return StrPosC(UpperCase(S), UpperCase(Part));
}

namespace {

int Replace_First(std::string& S, int Position, const std::string& Part, const std::string& Replacement)
{
    if (Position > 0)
        S.replace(static_cast<std::size_t>(Position - 1), Part.size(), Replacement);
    return Position;
}

} // namespace

int StrRepC(std::string& S, const std::string& Part, const std::string& Replacement)
{
    return Part.empty() ? 0 : Replace_First(S, StrPosC(S, Part), Part, Replacement);
}

int StrRepI(std::string& S, const std::string& Part, const std::string& Replacement)
{
    return Part.empty() ? 0 : Replace_First(S, StrPosI(S, Part), Part, Replacement);
}

// A replacement that holds the part again would never end: each round
// searches only after the text just put in.
namespace {

int Replace_All(std::string& S, const std::string& Part, const std::string& Replacement, bool IgnoreCase)
{
    if (Part.empty())
        return 0;
    const std::string wanted = IgnoreCase ? UpperCase(Part) : Part;
    int count = 0;
    std::size_t from = 0;
    while (true) {
        const std::string haystack = IgnoreCase ? UpperCase(S) : S;
        const auto found = haystack.find(wanted, from);
        if (found == std::string::npos)
            return count;
        S.replace(found, Part.size(), Replacement);
        from = found + Replacement.size();
        ++count;
    }
}

} // namespace

int StrRepCA(std::string& S, const std::string& Part, const std::string& Replacement)
{
    return Replace_All(S, Part, Replacement, false);
}

int StrRepIA(std::string& S, const std::string& Part, const std::string& Replacement)
{
    return Replace_All(S, Part, Replacement, true);
}

std::string DosToUnix(const std::string& S)
{
    std::string result = S;
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string UnixToDos(const std::string& S)
{
    std::string result = S;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

void StripL(std::string& S, char C)
{
    S.erase(0, std::min(S.find_first_not_of(C), S.size()));
}

void StripR(std::string& S, char C)
{
    const auto last = S.find_last_not_of(C);
    S.erase(last == std::string::npos ? 0 : last + 1);
}

void StripLR(std::string& S, char C)
{
    StripL(S, C);
    StripR(S, C);
}

std::string MkStr(char C, int Count)
{
    return Count <= 0 ? std::string() : std::string(static_cast<std::size_t>(Count), C);
}

std::string BoolToYN(bool Value)
{
    return Value ? "YES" : "NO";
}

// ---- Folders ------------------------------------------------------------------------

std::string GetWinDir()
{
    return {};
}

std::string GetWinSysDir()
{
    return {};
}

std::string GetWinTempDir()
{
    char buffer[300] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    std::string folder = length > 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
    StripR(folder, '/');
    return DirExists(folder) ? folder : std::string();
}

// Asked of the system, not tried with a file: a probe file of a fixed name
// in a shared folder could be another user's link.
bool IsDirWritable(const std::string& Dir)
{
    std::string folder = Dir;
    StripR(folder, '/');
    return !folder.empty() && Is_Folder_Writable(folder);
}

bool DirExists(const std::string& Dir)
{
    std::error_code error;
    return !Dir.empty() && fs::is_directory(Dir, error);
}

// Folders of the system that a log must never be written into.
bool Is_System_Folder(const std::string& Dir)
{
    static const std::array<const char*, 10> roots = {"/usr", "/bin", "/sbin", "/lib", "/lib32",
                                                      "/lib64", "/etc", "/boot", "/opt", "/var"};
    std::error_code error;
    const std::string folder = fs::weakly_canonical(Dir, error).string();
    return std::any_of(roots.begin(), roots.end(), [&](const char* root) {
        const std::string prefix = root;
        return folder == prefix || folder.rfind(prefix + "/", 0) == 0;
    });
}

bool Log_Folder_Usable(const std::string& Dir)
{
    return DirExists(Dir) && Is_Own_Folder(Dir) && IsDirWritable(Dir) && !Is_System_Folder(Dir);
}

// ---- File versions ---------------------------------------------------------------------

namespace {

bool Is_Running_Program(const std::string& FileName)
{
    std::error_code error;
    return !FileName.empty() && fs::equivalent(FileName, "/proc/self/exe", error);
}

std::string Version_Text(WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    return Format("%d.%d.%d.%d", Major, Minor, Build, SubBuild);
}

} // namespace

void GetFileVer(const std::string& FileName, WORD& Major, WORD& Minor, std::string& VerStr, WORD& Build,
                WORD& SubBuild)
{
    Major = Minor = Build = SubBuild = 0;
    VerStr.clear();
    WORD parts[4] = {};
    if (Is_Running_Program(FileName)) {
        parts[0] = static_cast<WORD>(ProgramFileVersion.Major);
        parts[1] = static_cast<WORD>(ProgramFileVersion.Minor);
        parts[2] = static_cast<WORD>(ProgramFileVersion.Build);
        parts[3] = static_cast<WORD>(ProgramFileVersion.SubBuild);
    } else if (!hhctrl::File_Version(FileName, parts)) {
        return;
    }
    Major = parts[0];
    Minor = parts[1];
    Build = parts[2];
    SubBuild = parts[3];
    VerStr = Version_Text(Major, Minor, Build, SubBuild);
}

std::string GetFileVerStr(const std::string& FileName)
{
    WORD major, minor, build, sub_build;
    std::string text;
    GetFileVer(FileName, major, minor, text, build, sub_build);
    return text;
}

void GetIEVer(WORD& Major, WORD& Minor, WORD& Build, WORD& SubBuild, std::string& VerStr)
{
    GetFileVer(GetWinSysDir() + "\\Shdocvw.dll", Major, Minor, VerStr, Build, SubBuild);
    if (Major == 4 && Minor < 71 && Build == 0) {
        Build = SubBuild;
        SubBuild = 0;
        VerStr = Version_Text(Major, Minor, Build, SubBuild);
    }
}

int VerCompare(WORD A1, WORD A2, WORD A3, WORD A4, WORD B1, WORD B2, WORD B3, WORD B4)
{
    const std::array<WORD, 4> a{A1, A2, A3, A4}, b{B1, B2, B3, B4};
    return a == b ? 0 : (a > b ? 1 : -1);
}

namespace {

int Check_Version(const std::string& FileName, WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    WORD major, minor, build, sub_build;
    std::string text;
    GetFileVer(FileName, major, minor, text, build, sub_build);
    if (text.empty())
        return -1;
    return VerCompare(major, minor, build, sub_build, Major, Minor, Build, SubBuild);
}

struct Release {
    WORD version[4];
    const char* name;
};

bool Reaches(const WORD (&have)[4], const WORD (&threshold)[4])
{
    return VerCompare(have[0], have[1], have[2], have[3], threshold[0], threshold[1], threshold[2], threshold[3]) >=
           0;
}

} // namespace

int Check_IE_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    return Check_Version(GetWinSysDir() + "\\Shdocvw.dll", Major, Minor, Build, SubBuild);
}

int Check_HH_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    return Check_Version(GetPathToHHCtrlOCX(), Major, Minor, Build, SubBuild);
}

int Check_WMP_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    const int old_player = Check_Version(GetWinSysDir() + "\\msdxm.ocx", Major, Minor, Build, SubBuild);
    return old_player != -1 ? old_player
                            : Check_Version(GetWinSysDir() + "\\wmp.ocx", Major, Minor, Build, SubBuild);
}

std::string HH_Friendly_Name(WORD Major, WORD Minor, WORD Build, WORD SubBuild)
{
    static const Release releases[] = {
        {{5, 2, 3626, 0}, "1.4"},   {{4, 74, 9273, 0}, "1.33"}, {{4, 74, 8857, 0}, "1.32"},
        {{4, 74, 8793, 0}, "1.31"}, {{4, 74, 8702, 0}, "1.3"},  {{4, 73, 8561, 0}, "1.22"},
        {{4, 73, 8474, 0}, "1.21a"}, {{4, 73, 8412, 0}, "1.21"}, {{4, 73, 8252, 0}, "1.2"},
        {{4, 72, 8164, 0}, "1.1b"}, {{4, 72, 7325, 0}, "1.1a"}, {{4, 72, 7323, 0}, "1.1"},
        {{4, 72, 7290, 0}, "1.0"},
    };
    const int against_14a = VerCompare(Major, Minor, Build, SubBuild, 5, 2, 3669, 0);
    if (against_14a > 0)
        return "> 1.4a";
    if (against_14a == 0)
        return "1.4a";
    const WORD have[4] = {Major, Minor, Build, SubBuild};
    for (const Release& release : releases)
        if (Reaches(have, release.version))
            return release.name;
    return "< 1.0";
}

std::string IE_Friendly_Name(WORD Major, WORD Minor, WORD Build, WORD SubBuild, const std::string& VerStr)
{
    static const Release releases[] = {
        {{6, 0, 3790, 0}, "Internet Explorer 6 (Windows Server 2003)"},
        {{6, 0, 3718, 0}, "Internet Explorer 6 (Windows Server 2003 RC2)"},
        {{6, 0, 3663, 0}, "Internet Explorer 6 (Windows Server 2003 RC1)"},
        {{6, 0, 2900, 2180}, "Internet Explorer 6 (Windows XP SP2)"},
        {{6, 0, 2800, 1106}, "Internet Explorer 6 SP1"},
        {{6, 0, 2600, 1}, "Internet Explorer 6 (Windows XP + minor update)"},
        {{6, 0, 2600, 0}, "Internet Explorer 6 (Windows XP)"},
        {{6, 0, 2479, 6}, "Internet Explorer 6 Public Preview (Beta) Refresh"},
        {{6, 0, 2462, 0}, "Internet Explorer 6 Public Preview (Beta)"},
        {{5, 50, 4807, 2300}, "Internet Explorer 5.5 Service Pack 2"},
        {{5, 50, 4522, 1800}, "Internet Explorer 5.5 Service Pack 1"},
        {{5, 50, 4522, 1000}, "Internet Explorer 5.5 Service Pack 1"},
        {{5, 50, 4308, 2900}, "Internet Explorer 5.5 Advanced Security Privacy Beta"},
        {{5, 50, 4134, 600}, "Internet Explorer 5.5"},
        {{5, 50, 4134, 100}, "Internet Explorer 5.5 for Windows Me (4.90.3000)"},
        {{5, 50, 4030, 2400}, "Internet Explorer 5.5 & Internet Tools Beta"},
        {{5, 50, 3825, 1300}, "Internet Explorer 5.5 Developer Preview"},
        {{5, 0, 3103, 1000}, "Internet Explorer 5.01"},
        {{5, 0, 2920, 0}, "Internet Explorer 5.01"},
        {{5, 0, 2919, 3800}, "Internet Explorer 5.01 (Windows 2000 RC2, build 5.00.2128)"},
        {{5, 0, 2919, 800}, "Internet Explorer 5.01 (Windows 2000 RC1, build 5.00.2072)"},
        {{5, 0, 2721, 1400}, "Internet Explorer 5.0 updated"},
        {{5, 0, 2615, 200}, "Internet Explorer 5.0 updated"},
        {{5, 0, 2614, 3500}, "Internet Explorer 5.0b"},
        {{5, 0, 2314, 1003}, "Internet Explorer 5.0a"},
        {{5, 0, 2014, 216}, "Internet Explorer 5.0"},
        {{5, 0, 910, 1309}, "Internet Explorer 5 Beta (Beta 2)"},
        {{5, 0, 518, 10}, "Internet Explorer 5 Developer Preview (Beta 1)"},
        {{4, 72, 3612, 1713}, "Internet Explorer 4.01 Service Pack 2 (SP2)"},
        {{4, 72, 3110, 8}, "Internet Explorer 4.01 Service Pack 1 (SP1)"},
        {{4, 72, 2106, 8}, "Internet Explorer 4.01"},
        {{4, 71, 1712, 6}, "Internet Explorer 4.0"},
        {{4, 71, 1008, 3}, "Internet Explorer 4.0 Platform Preview 2.0 (PP2)"},
        {{4, 71, 544, 0}, "Internet Explorer 4.0 Platform Preview 1.0 (PP1)"},
        {{4, 70, 1300, 0}, "Internet Explorer 3.02"},
        {{4, 70, 1215, 0}, "Internet Explorer 3.01"},
        {{4, 70, 1158, 0}, "Internet Explorer 3.0 (OSR2)"},
        {{4, 70, 1155, 0}, "Internet Explorer 3.0"},
        {{4, 40, 520, 0}, "Internet Explorer 2.0"},
        {{4, 40, 308, 0}, "Internet Explorer 1.0 (Plus!)"},
    };
    if (VerStr.empty())
        return {};
    if (Major >= 7)
        return ">= Internet Explorer " + VerStr;
    const WORD have[4] = {Major, Minor, Build, SubBuild};
    for (const Release& release : releases)
        if (Reaches(have, release.version))
            return release.name;
    return "< Internet Explorer 1.0 (Plus!)";
}

std::string GetHHFriendlyVer()
{
    WORD major, minor, build, sub_build;
    std::string text;
    GetFileVer(GetPathToHHCtrlOCX(), major, minor, text, build, sub_build);
    return text.empty() ? std::string() : HH_Friendly_Name(major, minor, build, sub_build);
}

std::string GetIEFriendlyVer()
{
    WORD major, minor, build, sub_build;
    std::string text;
    GetIEVer(major, minor, build, sub_build, text);
    return IE_Friendly_Name(major, minor, build, sub_build, text);
}

// ---- Shell and errors ----------------------------------------------------------------

std::string Last_Error_Text(DWORD Code)
{
    switch (Code) {
    case 2: return "File Not Found";
    case 3: return "Path Not Found";
    case 5: return "Access Denied";
    case 8: return "Insufficient Memory";
    case 19: return "Media Is Write Protected";
    case 21: return "Device Not Ready";
    case 32:
    case 33: return "File In Use";
    case 39:
    case 112: return "Disk Full";
    case 1150: return "Windows Version Incorrect";
    case 1151: return "Not A Windows Or MSDos Program";
    case 276:
    case 1005:
    case 1392:
    case 1393: return "Corrupt File Or Disk";
    case 1009:
    case 1358: return "Corrupt Registry";
    default: return "General Failure";
    }
}

std::string GetLastErrorStr()
{
    const DWORD code = GetLastError();
    return "[Error:" + std::to_string(code) + "] " + Last_Error_Text(code);
}

bool ShellExec(const std::string& FileName, const std::string& Params)
{
    HWND owner = nullptr;
    if (Screen && Screen->ActiveForm())
        owner = Screen->ActiveForm()->Handle();
    else if (Application && Application->MainForm())
        owner = Application->MainForm()->Handle();
    SetLastError(ERROR_SUCCESS);
    const int result = Shell_Result(
        ShellExecuteA(owner, "open", FileName.c_str(), Params.c_str(), nullptr, SW_SHOWDEFAULT));
    if (result > 32)
        return true;
    ReportError("Function ShellExecute(%s)\rReturned: %s", {FileName + ", " + Params, GetLastErrorStr()});
    return false;
}

// ---- Registry strings -----------------------------------------------------------------

namespace {

// The key open for reading with its value's text, when both exist.
bool Read_Registry_String(HKEY Root, const std::string& Key, const std::string& Name, std::string& Text)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(Root, Key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = REG_NONE, size = 0;
    bool found = RegQueryValueExA(key, Name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (found && type == REG_SZ && size > 0) {
        std::string buffer(size, '\0');
        found = RegQueryValueExA(key, Name.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()),
                                 &size) == ERROR_SUCCESS;
        Text = buffer.substr(0, buffer.find('\0'));
    }
    RegCloseKey(key);
    return found;
}

} // namespace

std::string GetRegStr(HKEY Root, const std::string& Key, const std::string& Name)
{
    std::string text;
    return Read_Registry_String(Root, Key, Name, text) ? text : std::string();
}

bool RegKeyNameExists(HKEY Root, const std::string& Key, const std::string& Name)
{
    std::string text;
    return Read_Registry_String(Root, Key, Name, text);
}

void PutRegStr(HKEY Root, const std::string& Key, const std::string& Name, const std::string& Text)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(Root, Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Text.c_str()),
                   static_cast<DWORD>(Text.size() + 1));
    RegCloseKey(key);
}
