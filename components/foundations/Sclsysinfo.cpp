#include "components/foundations/Sclsysinfo.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/Locale_Info.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Printers.h"
#include "platform/winapi/System_Info.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/X11_Desktop.h"

namespace {

// The main form holds one; its facts are read-only and never stored.
const bool Sys_Info_Registered = [] {
    RegisterComponentClass<TSCLSysInfo, TComponent>("TSCLSysInfo");
    return true;
}();

std::string Percent(DWORD Value)
{
    return Format("%d %%", static_cast<int>(Value));
}

std::int64_t Kilobytes(std::uint64_t Bytes)
{
    return static_cast<std::int64_t>(Bytes / 1024);
}

int Screen_Caps(int Index)
{
    const HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, Index);
    ReleaseDC(nullptr, screen);
    return value;
}

bool Desktop_Flag(UINT Action)
{
    BOOL value = FALSE;
    return SystemParametersInfoA(Action, 0, &value, 0) && value;
}

int Desktop_Number(UINT Action)
{
    int value = 0;
    return SystemParametersInfoA(Action, 0, &value, 0) ? value : 0;
}

bool Window_Animation()
{
    ANIMATIONINFO animation;
    return SystemParametersInfoA(SPI_GETANIMATION, sizeof animation, &animation, 0) && animation.iMinAnimate != 0;
}

// Written for the user's profile and announced to every program.
constexpr UINT Update_And_Broadcast = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;

void Set_Window_Animation(bool Value)
{
    ANIMATIONINFO animation;
    animation.iMinAnimate = Value ? 1 : 0;
    SystemParametersInfoA(SPI_SETANIMATION, sizeof animation, &animation, Update_And_Broadcast);
}

void Set_Desktop_Flag(UINT Action, bool Value)
{
    SystemParametersInfoA(Action, Value ? 1 : 0, nullptr, Update_And_Broadcast);
}

// Two synthesised events toggle the key: a press, then a release.
void Toggle_Lock_Key(int Key)
{
    constexpr BYTE Scan_Code = 0x45;
    keybd_event(static_cast<BYTE>(Key), Scan_Code, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(static_cast<BYTE>(Key), Scan_Code, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

void Set_Lock_Key(int Key, bool Current, bool Value)
{
    if (Current != Value)
        Toggle_Lock_Key(Key);
}

std::string Default_Language()
{
    std::array<char, 256> name{};
    VerLanguageNameA(GetSystemDefaultLangID(), name.data(), 255);
    return name.data();
}

void Fill_Sorted(TStringList& List, std::vector<std::string> Names)
{
    std::ranges::sort(Names);
    List.Clear();
    for (const std::string& name : Names)
        List.Add(name);
}

std::vector<std::string> Printer_Names()
{
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    std::vector<PRINTER_INFO_4A> records(needed / sizeof(PRINTER_INFO_4A) + 1);
    auto* buffer = reinterpret_cast<LPBYTE>(records.data());
    const auto size = static_cast<DWORD>(records.size() * sizeof(PRINTER_INFO_4A));
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer, size, &needed, &count))
        return {};
    std::vector<std::string> names;
    for (DWORD i = 0; i < count; ++i)
        names.emplace_back(records[i].pPrinterName);
    return names;
}

} // namespace

TSCLSysInfo::TSCLSysInfo(TComponent* AOwner)
    : TSCLCustomComponent(AOwner), processor_info(std::make_unique<TSCLCPUInfoObject>())
{
}

std::string TSCLSysInfo::GetInfoString(int Index) const
{
    switch (Index) {
    case 0: return SCLSIUserName();
    case 1: return SCLSIRegisteredCompany();
    case 2: return SCLSIRegisteredOwner();
    case 3: return SCLSIVersionStr();
    case 4: return SCLSIWindowsDirectory();
    case 5: return SCLSISystemDirectory();
    case 6:
    case 7:
    case 8: return Percent(0); // the NT family keeps no resource heaps
    case 9: return Percent(SCLSIMemLoaded() & 0xFF);
    case 10: return SCLSIPlatformStr();
    case 11: return SCLSITempPath();
    case 12: return SCLSIComputerName();
    case 13: return SCLSIProcessorTypeStr();
    case 14: return Default_Language();
    case 15: return SCLSIGetTimeZone();
    default: return {};
    }
}

std::int64_t TSCLSysInfo::GetInfoLongInt(int Index) const
{
    switch (Index) {
    case 0: return SCLSIBuildNr();
    case 1: return Kilobytes(SCLSIMemTotal());
    case 2: return Kilobytes(SCLSIMemFree());
    case 3: return Kilobytes(SCLSIMemVirtTotal());
    case 4: return Kilobytes(SCLSIMemVirtFree());
    case 5: return Kilobytes(SCLSIMemPageTotal());
    case 6: return Kilobytes(SCLSIMemPageFree());
    case 7: return SCLSIScreenSaverDelay();
    case 8: return SCLSISystemDefaultLanguageID();
    case 9: return SCLSIGetTimeZoneBias();
    case 10: return Screen_Caps(HORZRES);
    case 11: return Screen_Caps(VERTRES);
    case 12: return Screen_Caps(LOGPIXELSY);
    default: return 0;
    }
}

bool TSCLSysInfo::GetInfoBool(int Index) const
{
    switch (Index) {
    case 0: return SCLSINumLock();
    case 1: return SCLSICapsLock();
    case 2: return SCLSIScrollLock();
    case 3: return Window_Animation();
    case 4: return Desktop_Flag(SPI_GETBEEP);
    case 5: return Desktop_Flag(SPI_GETSCREENSAVEACTIVE);
    case 6: return SCLSIWindowsExtension && Desktop_Flag(SPI_GETFONTSMOOTHING);
    case 7: return SCLSIWindowsExtension && Desktop_Flag(SPI_GETDRAGFULLWINDOWS);
    case 8: return SCLSIWindowsNT && Desktop_Flag(SPI_GETSNAPTODEFBUTTON);
    case 9: return SCLSIWindowsExtension;
    default: return false;
    }
}

void TSCLSysInfo::SetInfoBool(int Index, bool Value)
{
    switch (Index) {
    case 0: Set_Lock_Key(VK_NUMLOCK, SCLSINumLock(), Value); break;
    case 1: Set_Lock_Key(VK_CAPITAL, SCLSICapsLock(), Value); break;
    case 2: Set_Lock_Key(VK_SCROLL, SCLSIScrollLock(), Value); break;
    case 3: Set_Window_Animation(Value); break;
    case 4: Set_Desktop_Flag(SPI_SETBEEP, Value); break;
    case 5: Set_Desktop_Flag(SPI_SETSCREENSAVEACTIVE, Value); break;
    case 6:
        if (SCLSIWindowsExtension)
            Set_Desktop_Flag(SPI_SETFONTSMOOTHING, Value);
        break;
    case 7:
        if (SCLSIWindowsExtension)
            Set_Desktop_Flag(SPI_SETDRAGFULLWINDOWS, Value);
        break;
    case 8:
        if (SCLSIWindowsNT)
            Set_Desktop_Flag(SPI_SETSNAPTODEFBUTTON, Value);
        break;
    default: break;
    }
}

TStrings* TSCLSysInfo::AllFonts()
{
    std::vector<std::string> names;
    if (Screen != nullptr) {
        const TStrings* families = Screen->Fonts();
        for (int i = 0; i < families->Count(); ++i)
            names.push_back(families->Strings(i));
    }
    Fill_Sorted(fonts, std::move(names));
    return &fonts;
}

TStrings* TSCLSysInfo::AllPrinters()
{
    Fill_Sorted(printers, Printer_Names());
    return &printers;
}

TStrings* TSCLSysInfo::Environment()
{
    SCLSIEnvironment(&environment);
    return &environment;
}

int TSCLSysInfo::KeyboardDelay() const
{
    return Desktop_Number(SPI_GETKEYBOARDDELAY);
}

int TSCLSysInfo::KeyboardSpeed() const
{
    return Desktop_Number(SPI_GETKEYBOARDSPEED);
}

void TSCLSysInfo::SetKeyboardDelay(int Value)
{
    SystemParametersInfoA(SPI_SETKEYBOARDDELAY, static_cast<UINT>(Value), nullptr, Update_And_Broadcast);
}

void TSCLSysInfo::SetKeyboardSpeed(int Value)
{
    SystemParametersInfoA(SPI_SETKEYBOARDSPEED, static_cast<UINT>(Value), nullptr, Update_And_Broadcast);
}

void TSCLSysInfo::SetLocalInfo(int Index, const std::string& Value)
{
    const DWORD item = SCLLocaleItem(Index);
    if (item != 0)
        SetLocaleInfoA(GetThreadLocale(), item, Value.c_str());
}

std::string TSCLSysInfo::GetEnvironmentValue(const std::string& Text) const
{
    std::array<char, 256> expanded{};
    const DWORD size = ExpandEnvironmentStringsA(Text.c_str(), expanded.data(), expanded.size());
    if (size == 0 || size > expanded.size() || Text == expanded.data())
        return {};
    return expanded.data();
}

bool TSCLSysInfo::SetEnvironmentValue(const std::string& Name, const std::string& Value)
{
    return SetEnvironmentVariableA(Name.c_str(), Value.c_str()) != FALSE;
}

void TSCLSysInfo::SetDesktopWallpaper(const std::string& FileName)
{
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(FileName.c_str()), Update_And_Broadcast);
}

RECT TSCLSysInfo::GetScreenRect() const
{
    return {0, 0, Screen_Caps(HORZRES), Screen_Caps(VERTRES)};
}

RECT TSCLSysInfo::GetWorkRect() const
{
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
        area = GetScreenRect();
    return area;
}
