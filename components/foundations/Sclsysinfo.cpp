#include "components/foundations/Sclsysinfo.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/classlib/Forms.h"
#include "platform/winapi/Gdi.h"
#include "platform/winapi/System_Metrics.h"

namespace {

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

// The user's language as "English (United States)", from the locale the
// environment names.
std::string Default_Language()
{
    const locale_t user = newlocale(LC_ALL_MASK, "", nullptr);
    if (user == nullptr)
        return SCLSIUnknown;
    const std::string language = nl_langinfo_l(_NL_IDENTIFICATION_LANGUAGE, user);
    const std::string territory = nl_langinfo_l(_NL_IDENTIFICATION_TERRITORY, user);
    freelocale(user);
    if (language.empty())
        return SCLSIUnknown;
    return territory.empty() ? language : language + " (" + territory + ")";
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
    case 8: return 0; // languages have names here, no Windows numbers
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

TStrings* TSCLSysInfo::AllFonts()
{
    std::vector<std::string> names;
    if (Screen != nullptr) {
        const TStrings* families = Screen->Fonts();
        for (int i = 0; i < families->Count(); ++i)
            names.push_back(families->Strings(i));
    }
    std::ranges::sort(names);
    fonts.Clear();
    for (const std::string& name : names)
        fonts.Add(name);
    return &fonts;
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

std::string TSCLSysInfo::GetEnvironmentValue(const std::string& Text) const
{
    std::string expanded;
    bool changed = false;
    std::size_t at = 0;
    while (at < Text.size()) {
        const std::size_t open = Text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : Text.find('%', open + 1);
        if (close == std::string::npos)
            break;
        expanded += Text.substr(at, open - at);
        const char* value = std::getenv(Text.substr(open + 1, close - open - 1).c_str());
        if (value != nullptr && close > open + 1) {
            expanded += value;
            changed = true;
            at = close + 1;
        } else {
            expanded += '%'; // not a reference: the second '%' may open one
            at = open + 1;
        }
    }
    return changed ? expanded + Text.substr(at) : std::string();
}

bool TSCLSysInfo::SetEnvironmentValue(const std::string& Name, const std::string& Value)
{
    return !Name.empty() && Name.find('=') == std::string::npos && setenv(Name.c_str(), Value.c_str(), 1) == 0;
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
