#include "shell/services/Hh_funcs.h"

#include "shell/services/Hh.h"

#include "platform/htmlhelp/Chm_File.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Window.h"

namespace {

std::string Help_Command_Name(WORD Command)
{
    switch (Command) {
    case HELP_CONTEXT: return "HELP_CONTEXT";
    case HELP_QUIT: return "HELP_QUIT";
    case HELP_INDEX: return "HELP_INDEX or HELP_CONTENTS";
    case HELP_HELPONHELP: return "HELP_HELPONHELP";
    case HELP_SETCONTENTS: return "HELP_SETINDEX or HELP_SETCONTENTS";
    case HELP_CONTEXTPOPUP: return "HELP_CONTEXTPOPUP";
    case HELP_FORCEFILE: return "HELP_FORCEFILE";
    case HELP_CONTEXTMENU: return "HELP_CONTEXTMENU";
    case HELP_FINDER: return "HELP_FINDER";
    case HELP_WM_HELP: return "HELP_WM_HELP";
    case HELP_SETPOPUP_POS: return "HELP_SETPOPUP_POS";
    case HELP_KEY: return "HELP_KEY";
    case HELP_COMMAND: return "HELP_COMMAND";
    case HELP_PARTIALKEY: return "HELP_PARTIALKEY";
    case HELP_MULTIKEY: return "HELP_MULTIKEY";
    case HELP_SETWINPOS: return "HELP_SETWINPOS";
    default: return "??";
    }
}

TPrefixType Prefix_For(THostType HostType)
{
    return HostType == htHHexe ? ptIE3 : ptNone;
}

// Runs an external viewer of the Windows folder; there is none on Linux,
// so these answer "missing" there.
int Run_Viewer(const char* Viewer, const std::string& Params, int Missing)
{
    const std::string exe = GetWinDir() + "\\" + Viewer;
    if (!FileExists(exe))
        return Missing;
    ShellExec(exe, Params);
    return HH_ERR_AllOK;
}

} // namespace

// ---- The help object ------------------------------------------------------------------

THookHelpSystem::THookHelpSystem(const std::string& ChmFile, const std::string& WinDef, THostType HostType)
    : chm_file(ChmFile), win_def(WinDef), host_type(HostType)
{
    if (Application) {
        saved_help_event = Application->OnHelp;
        Application->OnHelp = [this](WORD Command, std::intptr_t Data, bool& CallHelp) {
            return HelpHook(Command, static_cast<int>(Data), CallHelp);
        };
    }
    DebugOut2("THookHelpSystem.Create(\"%s\",\"%s\", %d)", {chm_file, win_def, static_cast<int>(host_type)});
}

THookHelpSystem::~THookHelpSystem()
{
    if (host_type == htHHAPI)
        HHCloseAll();
    if (Application)
        Application->OnHelp = saved_help_event;
    DebugOut2("THookHelpSystem.Destroy");
}

bool THookHelpSystem::HelpHook(WORD Command, int Data, bool& CallHelp)
{
    DebugOut2("THookHelpSystem.HelpHook(%s, %d)",
              {Help_Command_Name(Command) + " (" + std::to_string(Command) + ")", Data});
    CallHelp = false;
    switch (Command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
        if (context_callback)
            context_callback(Data);
        HelpContext(static_cast<unsigned>(Data));
        break;
    case HELP_SETPOPUP_POS:
        popup_pos = {static_cast<SHORT>(LOWORD(static_cast<DWORD>(Data))),
                     static_cast<SHORT>(HIWORD(static_cast<DWORD>(Data)))};
        if (popup_callback)
            popup_callback(popup_pos);
        break;
    default:
        CallHelp = true;
        break;
    }
    return true;
}

int THookHelpSystem::HelpContext(unsigned Context)
{
    const int result = HHHelpContext(chm_file, Context, win_def, host_type);
    HHShowError(result);
    if (result == HH_ERR_TopicNotShown && unreadable_report)
        if (const std::optional<int> fault = Chm_File::Fault(chm_file))
            unreadable_report(chm_file, *fault);
    return result;
}

int THookHelpSystem::HelpTopic(const std::string& Topic)
{
    const int result = HHDisplayTopic(chm_file, Topic, win_def, host_type);
    HHShowError(result);
    return result;
}

int THookHelpSystem::HelpTopic2(const std::string& HelpFile, const std::string& Topic, const std::string& WinDef)
{
    return HHDisplayTopic(HelpFile, Topic, WinDef, host_type);
}

int THookHelpSystem::HelpTopic3(const std::string& Path)
{
    return HHTopic(Path, host_type);
}

// ---- Help functions -----------------------------------------------------------------------

int HHHelpContext(const std::string& HelpFile, unsigned ContextId, const std::string& WinDef, THostType HostType)
{
    DebugOut2("HHHelpContext(\"%s\", %d, \"%s\", %d)", {HelpFile, ContextId, WinDef, static_cast<int>(HostType)});
    return HHContext(HHFormat(HelpFile, "", WinDef, Prefix_For(HostType)), ContextId, HostType);
}

int HHContext(const std::string& Path, unsigned ContextId, THostType HostType)
{
    DebugOut2("ShowContext(\"%s\", %d)", {Path, ContextId});
    int result = HH_ERR_AllOK;
    if (!_hhInstalled || !HtmlHelp) {
        result = HH_ERR_HHNotInstalled;
    } else if (HostType == htHHAPI) {
        HWND window = HtmlHelp(GetDesktopWindow(), Path.c_str(), HH_HELP_CONTEXT, ContextId);
        if (window)
            SetForegroundWindow(window);
        else
            result = HH_ERR_TopicNotShown;
    } else if (HostType == htKeyHHexe) {
        result = Run_Viewer("KeyHH.EXE", "-win -#mapid " + std::to_string(ContextId) + " " + Path,
                            HH_ERR_KeyHHexeNotFound);
    } else {
        result = Run_Viewer("HH.EXE", "-mapid " + std::to_string(ContextId) + " " + Path, HH_ERR_HHexeNotFound);
    }
    DebugOut2("  returned - %d", {result});
    return result;
}

int HHDisplayTopic(const std::string& HelpFile, const std::string& Topic, const std::string& WinDef,
                   THostType HostType)
{
    DebugOut2("HHHelpContext(\"%s\", %s, \"%s\", %d)", {HelpFile, Topic, WinDef, static_cast<int>(HostType)});
    return HHTopic(HHFormat(HelpFile, Topic, WinDef, Prefix_For(HostType)), HostType);
}

int HHTopic(const std::string& Path, THostType HostType)
{
    DebugOut2("ShowTopic(\"%s\", %d)", {Path, static_cast<int>(HostType)});
    int result = HH_ERR_AllOK;
    if (!_hhInstalled || !HtmlHelp) {
        result = HH_ERR_HHNotInstalled;
    } else if (HostType == htHHAPI) {
        HWND window = HtmlHelp(GetDesktopWindow(), Path.c_str(), HH_DISPLAY_TOPIC, 0);
        if (window)
            SetForegroundWindow(window);
        else
            result = HH_ERR_TopicNotShown;
    } else if (HostType == htKeyHHexe) {
        result = Run_Viewer("KeyHH.EXE", "-win " + Path, HH_ERR_KeyHHexeNotFound);
    } else {
        result = Run_Viewer("HH.EXE", Path, HH_ERR_HHexeNotFound);
    }
    DebugOut2("  returned - %d", {result});
    return result;
}

std::string HHFormat(const std::string& Chm, const std::string& Topic, const std::string& Window,
                     TPrefixType Prefix)
{
    std::string chm = Chm, topic = Topic, window = Window;
    for (std::string* part : {&chm, &topic, &window}) {
        StrRepCA(*part, "%20", " ");
        StripLR(*part, ' ');
    }
    std::string result = chm;
    if (!topic.empty()) {
        topic = DosToUnix(topic);
        if (topic.front() != '/')
            topic.insert(topic.begin(), '/');
        result = chm.empty() ? topic : chm + "::" + topic;
    }
    if (!window.empty())
        result += ">" + window;
    if (Prefix == ptIE3)
        result = "mk:@MSITStore:" + result;
    else if (Prefix == ptIE4)
        result = "ms-its:" + result;
    return result;
}

void HHSplitCmdStr(const std::string& CmdStr, std::string& HelpFile, std::string& Topic, std::string& Window)
{
    std::string rest = CmdStr;
    StrRepCA(rest, "%20", " ");
    Window.clear();
    Topic.clear();
    if (const int window = StrPosC(rest, ">"); window > 0) {
        Window = rest.substr(static_cast<std::size_t>(window));
        rest.erase(static_cast<std::size_t>(window - 1));
    }
    if (const int topic = StrPosC(rest, "::"); topic > 0) {
        Topic = DosToUnix(rest.substr(static_cast<std::size_t>(topic + 1)));
        rest.erase(static_cast<std::size_t>(topic - 1));
    }
    if (const int its = StrPosI(rest, "its:"); its > 0)
        rest.erase(0, static_cast<std::size_t>(its + 3));
    else if (const int store = StrPosI(rest, "store:"); store > 0)
        rest.erase(0, static_cast<std::size_t>(store + 5));
    HelpFile = rest;
    for (std::string* part : {&HelpFile, &Topic, &Window})
        StripLR(*part, ' ');
}

void HHSlitCmdStr(const std::string& CmdStr, std::string& HelpFile, std::string& Topic, std::string& Window)
{
    HHSplitCmdStr(CmdStr, HelpFile, Topic, Window);
}

std::string HHErrorText(int Err)
{
    switch (Err) {
    case HH_ERR_HHNotInstalled: return "MS Html Help is not installed on this PC.";
    case HH_ERR_KeyHHexeNotFound: return "System file KeyHH.EXE was not found in the Windows folder.";
    case HH_ERR_HHexeNotFound: return "System file HH.EXE was not found in the Windows folder.";
    default: return "Unknown error returned by HHHelpContext";
    }
}

void HHShowError(int Err)
{
    if (Err == HH_ERR_AllOK)
        return;
    const std::string text = HHErrorText(Err);
    MessageBox2(text, 0);
    DebugOut2("HHShowError(%d), \"%s\"", {Err, text});
}

void HHCloseAll()
{
    if (!HHCtrlHandle)
        return;
    HtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
    Sleep(0);
}
