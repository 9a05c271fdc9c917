#include "shell/services/Hh.h"

#include "shell/services/Hh_funcs.h"

#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Registry.h"

HMODULE HHCtrlHandle = nullptr;
THtmlHelpA HtmlHelpA;
THtmlHelpW HtmlHelpW;
THtmlHelpA HtmlHelp;
bool AutoLoadAPI = true;

namespace {

constexpr const char* Class_Key = "CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
constexpr const char* System_Root = "%SystemRoot%";
HKEY const Classes_Root = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000u));

// The library is the built-in back end: its loader stands in for
// LoadLibraryA, GetProcAddress and FreeLibrary of this one library.
HMODULE LoadLibraryA(LPCSTR Name)
{
    return hhctrl::Load_Library(Name);
}

template <typename Entry>
Entry Entry_Point(HMODULE Module, LPCSTR Name)
{
    return reinterpret_cast<Entry>(hhctrl::Get_Proc_Address(Module, Name));
}

std::string Registered_Path()
{
    const std::string path = Expand_System_Root(GetRegStr(Classes_Root, Class_Key, ""));
    return FileExists(path) ? path : std::string();
}

// Unit start and end.
struct Hh_Unit {
    Hh_Unit()
    {
        if (AutoLoadAPI)
            LoadHtmlHelp();
    }
    ~Hh_Unit() { UnloadHtmlHelp(); }
    Hh_Unit(const Hh_Unit&) = delete;
    Hh_Unit& operator=(const Hh_Unit&) = delete;
};
const Hh_Unit unit;

} // namespace

std::string Expand_System_Root(const std::string& Path)
{
    const std::size_t length = std::string(System_Root).size();
    if (Path.size() >= length && StrPosI(Path.substr(0, length), System_Root) == 1)
        return GetWinDir() + Path.substr(length);
    return Path;
}

std::string GetPathToHHCtrlOCX()
{
    const std::string path = Registered_Path();
    return path.empty() ? GetWinSysDir() + "\\" + hhctrl::Library_Name : path;
}

void LoadHtmlHelp()
{
    if (HHCtrlHandle)
        return;
    HHCtrlHandle = LoadLibraryA(hhctrl::Library_Name);
    if (!HHCtrlHandle) {
        const std::string path = GetPathToHHCtrlOCX();
        if (!path.empty() && FileExists(path))
            HHCtrlHandle = LoadLibraryA(path.c_str());
    }
    if (!HHCtrlHandle)
        return;
    HtmlHelpA = Entry_Point<THtmlHelpA::Procedure>(HHCtrlHandle, "HtmlHelpA");
    HtmlHelpW = Entry_Point<THtmlHelpW::Procedure>(HHCtrlHandle, "HtmlHelpW");
    HtmlHelp = Entry_Point<THtmlHelpA::Procedure>(HHCtrlHandle, "HtmlHelpA");
}

void UnloadHtmlHelp()
{
    if (!HHCtrlHandle)
        return;
    hhctrl::Free_Library(HHCtrlHandle);
    HHCtrlHandle = nullptr;
    HtmlHelpA = nullptr;
    HtmlHelpW = nullptr;
    HtmlHelp = nullptr;
}
