#pragma once
// The help kit: the help object that answers the application's help
// requests with HTML Help, the help functions, the help debug log and the
// kit's string, folder, version, shell and registry utilities.
//
// The kit never shows anything itself: its errors go to the debug log
// "HHDebug.txt" only, which is off unless "debug.debug" lies beside the
// program or the program is started with "/debug" or "-debug".

#include "platform/classlib/Classes_Component.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Registry.h"
#include "platform/winapi/WinTypes.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

// How help is shown: the HtmlHelpA call (the only one the program uses), or
// the external viewers KeyHH.EXE or HH.EXE of the Windows folder.
enum THostType : BYTE { htHHAPI, htKeyHHexe, htHHexe };
// The prefix HHFormat puts in front of a help path.
enum TPrefixType : BYTE { ptNone, ptIE3, ptIE4 };

// HHContext and HHTopic results.
constexpr int HH_ERR_None = 0;
constexpr int HH_ERR_AllOK = HH_ERR_None;
constexpr int HH_ERR_HHNotInstalled = 1;
constexpr int HH_ERR_KeyHHexeNotFound = 2;
constexpr int HH_ERR_HHexeNotFound = 3;
// The help window did not open (missing file, unmapped context, topic not
// in the file).
constexpr int HH_ERR_TopicNotShown = 4;

// Application help commands (the Windows help command numbers).
constexpr WORD HELP_CONTEXT = 1;
constexpr WORD HELP_QUIT = 2;
constexpr WORD HELP_CONTENTS = 3;
constexpr WORD HELP_INDEX = 3;
constexpr WORD HELP_HELPONHELP = 4;
constexpr WORD HELP_SETCONTENTS = 5;
constexpr WORD HELP_SETINDEX = 5;
constexpr WORD HELP_CONTEXTPOPUP = 8;
constexpr WORD HELP_FORCEFILE = 9;
constexpr WORD HELP_CONTEXTMENU = 10;
constexpr WORD HELP_FINDER = 11;
constexpr WORD HELP_WM_HELP = 12;
constexpr WORD HELP_SETPOPUP_POS = 13;
constexpr WORD HELP_KEY = 257;
constexpr WORD HELP_COMMAND = 258;
constexpr WORD HELP_PARTIALKEY = 261;
constexpr WORD HELP_MULTIKEY = 513;
constexpr WORD HELP_SETWINPOS = 515;

// ---- The help object --------------------------------------------------------

// Bound to one help file; while it lives, the application's help requests
// come to HelpHook.
class THookHelpSystem : public TObject {
public:
    THookHelpSystem(const std::string& ChmFile, const std::string& WinDef, THostType HostType);
    // Closes every help window (htHHAPI) and gives the help event back.
    ~THookHelpSystem() override;

    // The application's help event: HELP_CONTEXT and HELP_CONTEXTPOPUP show
    // the context, HELP_SETPOPUP_POS keeps the point; any other command is
    // left to the class library (CallHelp true). Always answers true.
    bool HelpHook(WORD Command, int Data, bool& CallHelp);
    // Shows a context of the help file; answers the HHContext result. A
    // context not shown because the help file itself cannot be read is
    // reported through the unreadable-file report.
    int HelpContext(unsigned Context);
    int HelpTopic(const std::string& Topic);
    int HelpTopic2(const std::string& HelpFile, const std::string& Topic, const std::string& WinDef);
    int HelpTopic3(const std::string& Path);

    // The owner tells the user: the kit itself shows nothing. Error is the
    // errno that reading the file failed with, 0 for a damaged file.
    using Unreadable_File_Report = std::function<void(const std::string& File, int Error)>;
    void Set_Unreadable_File_Report(Unreadable_File_Report Report) { unreadable_report = std::move(Report); }

    const std::string& ChmFile() const { return chm_file; }
    const std::string& WinDef() const { return win_def; }
    THostType HostType() const { return host_type; }
    POINT PopupPos() const { return popup_pos; }

private:
    THelpEvent saved_help_event;
    std::string chm_file;
    std::string win_def;
    THostType host_type;
    POINT popup_pos{0, 0};
    std::function<void(int)> context_callback;
    std::function<void(POINT)> popup_callback;
    Unreadable_File_Report unreadable_report;
    bool chain = false;
};

// ---- Help functions -----------------------------------------------------------

int HHHelpContext(const std::string& HelpFile, unsigned ContextId, const std::string& WinDef, THostType HostType);
// 0 shown, 1 HTML Help not installed, 2 KeyHH.EXE missing, 3 HH.EXE missing,
// 4 the help window did not open.
int HHContext(const std::string& Path, unsigned ContextId, THostType HostType);
int HHDisplayTopic(const std::string& HelpFile, const std::string& Topic, const std::string& WinDef,
                   THostType HostType);
int HHTopic(const std::string& Path, THostType HostType);
// "file::/topic>window" with the prefix.
std::string HHFormat(const std::string& Chm, const std::string& Topic, const std::string& Window,
                     TPrefixType Prefix);
// The inverse of HHFormat.
void HHSplitCmdStr(const std::string& CmdStr, std::string& HelpFile, std::string& Topic, std::string& Window);
void HHSlitCmdStr(const std::string& CmdStr, std::string& HelpFile, std::string& Topic, std::string& Window);
// The text of an HHContext result, logged; nothing is shown.
void HHShowError(int Err);
std::string HHErrorText(int Err);
// Closes every help window when the library is loaded.
void HHCloseAll();

// ---- Debug log ------------------------------------------------------------------

class TDLogFile : public TObject {
public:
    // An empty name means LogDir + "/HHDebug.txt". A folder that is missing,
    // not writable or not the user's own moves the file to the user's
    // private temporary folder; without one the log writes nothing. The file
    // is only ever written as a regular file of the user's, never through a
    // link.
    TDLogFile(const std::string& FileName, bool Enabled, bool TimeStamp, bool Header, bool Keep);

    // Deletes the file unless kept; writes the header when enabled.
    void Reset();
    // One line, enabled or not.
    void DebugOut(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
    // One line when enabled.
    void DebugOut2(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
    // Formats the text, offers it to MessageBox2 and logs it when enabled.
    void ReportError(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
    void Show();
    void CopyLogTo(const std::string& Path);

    const std::string& FileName() const { return file_name; }
    bool Enabled() const { return enabled; }
    void SetEnabled(bool Value) { enabled = Value; }

private:
    void Write_Header();

    std::string file_name;
    bool enabled;
    bool time_stamp;
    bool header;
    bool keep;
};

// Whether the log is switched on: "debug.debug" in ModuleDir, else an
// argument equal to "/debug" or "-debug" (any case).
bool Debug_Switch_On(const std::string& ModuleDir, const std::vector<std::string>& Arguments);

extern std::string _ModulePath;
extern std::string _ModuleDir;
extern std::string _ModuleName;
extern std::string _RunDir;
extern std::string LogDir;
extern bool _DebugMode;
extern std::string _hhVerStr;
extern WORD _hhMajVer;
extern WORD _hhMinVer;
extern WORD _hhBuildNo;
extern WORD _hhSubBuildNo;
extern bool _hhInstalled;
extern std::string _hhFriendlyVerStr;
extern std::string _ieVerStr;
extern bool _ieInstalled;
extern std::string _ieFriendlyVerStr;
extern TDLogFile* _HHDbgObj;

std::string GetLogDir();
void DebugOut(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
void DebugOut2(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
void ReportError(const std::string& Pattern, std::initializer_list<TVarRec> Args = {});
void ShowDebugFile();
void ResetDebugFile();
// The kit's silent message functions: nothing is shown; IDOK.
int MessageBox2(const std::string& Text, UINT Flags);
void ShowMessage2(const std::string& Text);

// ---- Strings (positions 1-based, 0 absent) -------------------------------------

int StrPosC(const std::string& S, const std::string& Part);
int StrPosI(const std::string& S, const std::string& Part);
int StrRepC(std::string& S, const std::string& Part, const std::string& Replacement);
int StrRepI(std::string& S, const std::string& Part, const std::string& Replacement);
int StrRepCA(std::string& S, const std::string& Part, const std::string& Replacement);
int StrRepIA(std::string& S, const std::string& Part, const std::string& Replacement);
std::string DosToUnix(const std::string& S);
std::string UnixToDos(const std::string& S);
void StripL(std::string& S, char C);
void StripR(std::string& S, char C);
void StripLR(std::string& S, char C);
std::string MkStr(char C, int Count);
std::string BoolToYN(bool Value);

// ---- Folders ----------------------------------------------------------------------

// There is no Windows folder on Linux: both answer "".
std::string GetWinDir();
std::string GetWinSysDir();
// The user's private temporary folder (GetTempPathA) without its trailing
// separator; "" when the user has none.
std::string GetWinTempDir();
// The folder may be written into, as the system says (no file is tried).
bool IsDirWritable(const std::string& Dir);
bool DirExists(const std::string& Dir);
// A folder of the system itself (/usr, /etc, ...), where no log is written.
bool Is_System_Folder(const std::string& Dir);
// An existing, writable folder of the user's own (nobody else may write
// into it, so no other user can create the log's name first) that is not a
// system folder.
bool Log_Folder_Usable(const std::string& Dir);

// ---- File versions -------------------------------------------------------------------

// The program itself and the HTML Help library carry a file version; any
// other file has none (empty string, zero parts).
void GetFileVer(const std::string& FileName, WORD& Major, WORD& Minor, std::string& VerStr, WORD& Build,
                WORD& SubBuild);
std::string GetFileVerStr(const std::string& FileName);
void GetIEVer(WORD& Major, WORD& Minor, WORD& Build, WORD& SubBuild, std::string& VerStr);
int VerCompare(WORD A1, WORD A2, WORD A3, WORD A4, WORD B1, WORD B2, WORD B3, WORD B4);
int Check_IE_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild);
int Check_HH_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild);
int Check_WMP_Version(WORD Major, WORD Minor, WORD Build, WORD SubBuild);
std::string GetHHFriendlyVer();
std::string GetIEFriendlyVer();
// The release names of an HTML Help library and a browser component version.
std::string HH_Friendly_Name(WORD Major, WORD Minor, WORD Build, WORD SubBuild);
std::string IE_Friendly_Name(WORD Major, WORD Minor, WORD Build, WORD SubBuild, const std::string& VerStr);

// ---- Shell and errors ----------------------------------------------------------------

// Opens a file or program through the desktop; false (reported to the log)
// on failure.
bool ShellExec(const std::string& FileName, const std::string& Params);
// "[Error:<code>] <text>" of GetLastError.
std::string GetLastErrorStr();
std::string Last_Error_Text(DWORD Code);

// ---- Registry strings -----------------------------------------------------------------

std::string GetRegStr(HKEY Root, const std::string& Key, const std::string& Name);
bool RegKeyNameExists(HKEY Root, const std::string& Key, const std::string& Name);
void PutRegStr(HKEY Root, const std::string& Key, const std::string& Name, const std::string& Text);
