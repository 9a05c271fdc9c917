#include "shell/services/Hh_funcs.h"

#include "shell/services/Hh.h"
#include "shell/services/Onhelpfix.h"

#include "platform/classlib/Classes.h"
#include "platform/classlib/DateUtils.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/winapi/Stored_File.h"
#include "platform/winapi/System_Info.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string _ModulePath;
std::string _ModuleDir;
std::string _ModuleName;
std::string _RunDir;
std::string LogDir;
bool _DebugMode = false;
std::string _hhVerStr;
WORD _hhMajVer = 0;
WORD _hhMinVer = 0;
WORD _hhBuildNo = 0;
WORD _hhSubBuildNo = 0;
bool _hhInstalled = false;
std::string _hhFriendlyVerStr;
std::string _ieVerStr;
bool _ieInstalled = false;
std::string _ieFriendlyVerStr;
TDLogFile* _HHDbgObj = nullptr;

namespace {

constexpr const char* Log_File_Name = "HHDebug.txt";
constexpr int Rule_Length = 80;

// The program's arguments, the first being the program as it was started.
std::vector<std::string> Command_Line()
{
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::string> arguments;
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = std::min(all.find('\0', start), all.size());
        arguments.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
}

std::string Joined(const std::vector<std::string>& parts, std::size_t first, const std::string& separator)
{
    std::string text;
    for (std::size_t i = first; i < parts.size(); ++i)
        text += (i > first ? separator : "") + parts[i];
    return text;
}

std::string Folder_Of(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string Name_Of(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Module_Path()
{
    std::error_code error;
    std::string path = fs::read_symlink("/proc/self/exe", error).string();
    return path.substr(0, 300);
}

std::string Hex4(unsigned Value)
{
    return "0x" + IntToHex(Value, 4);
}

std::string Operating_System_Line(const char* Pattern)
{
    OSVERSIONINFOA info;
    if (!GetVersionExA(&info))
        return Format(Pattern, {"Linux", 0, 0, 0, "No Service Pack"});
    const std::string service_pack = info.szCSDVersion[0] ? info.szCSDVersion : "No Service Pack";
    return Format(Pattern, {"Linux", info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, service_pack});
}

// Unit start and end: the switch, the version facts and the log object.
struct Hh_Funcs_Unit {
    Hh_Funcs_Unit()
    {
        const std::vector<std::string> arguments = Command_Line();
        _ModulePath = Module_Path();
        _ModuleDir = Folder_Of(_ModulePath);
        _ModuleName = Name_Of(_ModulePath);
        _RunDir = arguments.empty() ? std::string() : Folder_Of(fs::absolute(arguments[0]).string());
        LogDir = Log_Folder_Usable(_ModuleDir) ? _ModuleDir : GetWinTempDir();
        _DebugMode = Debug_Switch_On(_ModuleDir, arguments.empty() ? arguments
                                                                   : std::vector<std::string>(
                                                                         arguments.begin() + 1, arguments.end()));
        GetFileVer(GetPathToHHCtrlOCX(), _hhMajVer, _hhMinVer, _hhVerStr, _hhBuildNo, _hhSubBuildNo);
        _hhInstalled = !_hhVerStr.empty();
        _hhFriendlyVerStr = GetHHFriendlyVer();
        WORD major, minor, build, sub_build;
        GetIEVer(major, minor, build, sub_build, _ieVerStr);
        _ieInstalled = !_ieVerStr.empty();
        _ieFriendlyVerStr = GetIEFriendlyVer();
        _HHDbgObj = new TDLogFile(LogDir + "/" + Log_File_Name, _DebugMode, true, true, false);
        // The F1 bridge has no caller of its own; it lives with the kit.
        Onhelpfix_Start();
    }
    ~Hh_Funcs_Unit()
    {
        Onhelpfix_End();
        delete _HHDbgObj;
        _HHDbgObj = nullptr;
    }
    Hh_Funcs_Unit(const Hh_Funcs_Unit&) = delete;
    Hh_Funcs_Unit& operator=(const Hh_Funcs_Unit&) = delete;
};
const Hh_Funcs_Unit unit;

} // namespace

bool Debug_Switch_On(const std::string& ModuleDir, const std::vector<std::string>& Arguments)
{
    if (FileExists(ModuleDir + "/debug.debug"))
        return true;
    for (const std::string& argument : Arguments) {
        const std::string lower = LowerCase(argument);
        if (lower == "/debug" || lower == "-debug")
            return true;
    }
    return false;
}

// ---- The log ---------------------------------------------------------------------------

TDLogFile::TDLogFile(const std::string& FileName, bool Enabled, bool TimeStamp, bool Header, bool Keep)
    : file_name(FileName.empty() ? LogDir + "/" + Log_File_Name : FileName)
    , enabled(Enabled)
    , time_stamp(TimeStamp)
    , header(Header)
    , keep(Keep)
{
    const std::string folder = Folder_Of(file_name);
    if (!Log_Folder_Usable(folder)) {
        const std::string temporary = GetWinTempDir();
        file_name = temporary.empty() ? std::string() : temporary + "/" + Name_Of(file_name);
    }
    // An old log is made writable again for the user.
    Make_Own_File_Writable(file_name);
    Reset();
}

void TDLogFile::Reset()
{
    if (FileExists(file_name) && !keep)
        DeleteFile(file_name);
    if (enabled && header)
        Write_Header();
}

// The log is written only to a regular file of the user's, never through a
// link: the folder is the user's own, but the name may have been placed there
// before. A line that cannot be formatted is lost, as a failed write is, and
// the log is created all the same.
void TDLogFile::DebugOut(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    std::string line;
    try {
        const std::string prefix = time_stamp ? FormatDateTime("hh:nn:ss", Now()) + "   " : std::string();
        line = Args.size() == 0 ? Pattern : Format(Pattern, Args);
        if (line == "-" || line == "=")
            line = MkStr(line.front(), Rule_Length);
        if (!line.empty() && (line.front() == '!' || line.front() == '-' || line.front() == '='))
            line.erase(0, 1);
        else
            line = prefix + line;
        line += "\r\n";
    } catch (const Exception&) {
        line.clear();
    }
    if (!file_name.empty())
        Append_To_Own_File(file_name, line, fs::perms::owner_read | fs::perms::owner_write);
}

void TDLogFile::DebugOut2(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    if (enabled)
        DebugOut(Pattern, Args);
}

void TDLogFile::ReportError(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    std::string text = Pattern;
    try {
        text = Args.size() == 0 ? Pattern : Format(Pattern, Args);
    } catch (const Exception&) {
    }
    MessageBox2(text, 0);
    DebugOut2("%s", {text});
}

void TDLogFile::Show()
{
    if (FileExists(file_name))
        ShellExec(file_name, "");
    else
        ShowMessage2("File not found\r" + file_name + "\r" + "Debug Enabled = " + std::to_string(enabled ? 1 : 0));
}

void TDLogFile::CopyLogTo(const std::string& Path)
{
    TStringList lines;
    if (FileExists(file_name))
        lines.LoadFromFile(file_name);
    lines.SaveToFile(Path);
}

void TDLogFile::Write_Header()
{
    const std::vector<std::string> arguments = Command_Line();
    const std::string exe = arguments.empty() ? std::string() : arguments[0];
    const LANGID language = GetSystemDefaultLangID();
    const unsigned primary = language & 0x3FF, sub = language >> 10;
    DebugOut("=");
    DebugOut("!Log File:             %s", {file_name});
    DebugOut("!Date:                 %s", {FormatDateTime("dd/mm/yyyy hh:nn:ss", Now())});
    DebugOut(Operating_System_Line("!Operating System:      %s %d.%d (Build %d) %s"));
    DebugOut("!SysLocale.DefaultLCID: %s (%s)", {Hex4(language), std::to_string(language)});
    DebugOut("!SysLocale.PriLangID:   %s (%s)", {Hex4(primary), std::to_string(primary)});
    DebugOut("!SysLocale.SubLangID:   %s (%s)", {Hex4(sub), std::to_string(sub)});
    DebugOut("!DecimalSeparator:      %s", {std::string(1, DecimalSeparator)});
    DebugOut("-");
    DebugOut("!EXE Path =          %s", {exe});
    DebugOut("!EXE Version =       %s", {GetFileVerStr(exe)});
    DebugOut("!Cmdline Param(s) =  %s", {Joined(arguments, 1, " | ")});
    DebugOut("!Actual CmdLine =  %s", {Joined(arguments, 0, " ")});
    DebugOut("!_RunDir =           %s", {_RunDir});
    DebugOut("!_ModuleName =       %s", {_ModuleName});
    DebugOut("!_ModuleDir =        %s", {_ModuleDir});
    DebugOut("!_ModulePath =        %s", {_ModulePath});
    DebugOut("!Module Version =       %s", {GetFileVerStr(_ModulePath)});
    DebugOut("-");
    DebugOut("!_hhInstalled =      %s", {BoolToYN(_hhInstalled)});
    DebugOut("!_hhVerStr =         %s", {_hhVerStr});
    DebugOut("!_hhFriendlyVerStr = %s", {_hhFriendlyVerStr});
    DebugOut("-");
    DebugOut("!_ieInstalled =      %s", {BoolToYN(_ieInstalled)});
    DebugOut("!_ieVerStr =         %s", {_ieVerStr});
    DebugOut("!_ieFriendlyVerStr = %s", {_ieFriendlyVerStr});
    DebugOut("=");
}

// ---- Global wrappers --------------------------------------------------------------------

std::string GetLogDir()
{
    return LogDir;
}

void DebugOut(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    if (_HHDbgObj)
        _HHDbgObj->DebugOut(Pattern, Args);
}

void DebugOut2(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    if (_HHDbgObj)
        _HHDbgObj->DebugOut2(Pattern, Args);
}

void ReportError(const std::string& Pattern, std::initializer_list<TVarRec> Args)
{
    if (_HHDbgObj)
        _HHDbgObj->ReportError(Pattern, Args);
    else
        MessageBox2(Pattern, 0);
}

void ShowDebugFile()
{
    if (_HHDbgObj)
        _HHDbgObj->Show();
}

void ResetDebugFile()
{
    if (_HHDbgObj)
        _HHDbgObj->Reset();
}

int MessageBox2(const std::string& /*Text*/, UINT /*Flags*/)
{
    return IDOK;
}

void ShowMessage2(const std::string& Text)
{
    MessageBox2(Text, 0);
}
