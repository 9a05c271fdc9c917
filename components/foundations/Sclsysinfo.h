#pragma once
// The system-information component: the facts of Sclsysin as read-only
// properties, read anew on each use. The main form holds one, and every
// form asks its ColorDepth to choose between gradient and flat fills.
//
// The desktop settings the display keeps (lock keys, beep, screen saver,
// keyboard rate) are read and changed on the X display; those Linux has no
// equivalent for (window animation, font smoothing, full-window dragging,
// snapping to the default button, the wallpaper, locale items) are refused
// as the system refuses them, and left as they are.

#include <memory>
#include <string>

#include "components/foundations/Sclcpuinfoobject.h"
#include "components/foundations/Sclcustomcomponent.h"
#include "components/foundations/Sclsysin.h"

class TSCLSysInfo : public TSCLCustomComponent {
public:
    explicit TSCLSysInfo(TComponent* AOwner);

    // Texts by index 0..15, in the order of the accessors below; empty for
    // any other index. The three free-resource percentages are "0 %".
    std::string GetInfoString(int Index) const;
    std::string CurrentUser() const { return GetInfoString(0); }
    std::string RegisteredCompany() const { return GetInfoString(1); }
    std::string RegisteredOwner() const { return GetInfoString(2); }
    std::string VersionWIN() const { return GetInfoString(3); }
    std::string WinPath() const { return GetInfoString(4); }
    std::string WinSysPath() const { return GetInfoString(5); }
    std::string FreeGdiRes() const { return GetInfoString(6); }
    std::string FreeUsrRes() const { return GetInfoString(7); }
    std::string FreeSysRes() const { return GetInfoString(8); }
    std::string MemoryLoaded() const { return GetInfoString(9); }
    std::string Platform() const { return GetInfoString(10); }
    std::string TempPath() const { return GetInfoString(11); }
    std::string Computername() const { return GetInfoString(12); }
    std::string ProcessorType() const { return GetInfoString(13); }
    std::string DefaultLanguageString() const { return GetInfoString(14); }
    std::string TimeZone() const { return GetInfoString(15); }

    // Numbers by index 0..12 (memory in KB, the screen saver delay in
    // minutes, the time-zone bias in minutes); 0 for any other index.
    std::int64_t GetInfoLongInt(int Index) const;
    std::int64_t BuildNumber() const { return GetInfoLongInt(0); }
    std::int64_t MemPhysTotal() const { return GetInfoLongInt(1); }
    std::int64_t MemPhysFree() const { return GetInfoLongInt(2); }
    std::int64_t MemVirtTotal() const { return GetInfoLongInt(3); }
    std::int64_t MemVirtFree() const { return GetInfoLongInt(4); }
    std::int64_t MemPageTotal() const { return GetInfoLongInt(5); }
    std::int64_t MemPageFree() const { return GetInfoLongInt(6); }
    std::int64_t ScreenSaverDelay() const { return GetInfoLongInt(7); }
    std::int64_t DefaultLanguageID() const { return GetInfoLongInt(8); }
    std::int64_t TimeZoneDiff() const { return GetInfoLongInt(9); }
    std::int64_t ScreenWidth() const { return GetInfoLongInt(10); }
    std::int64_t ScreenHeight() const { return GetInfoLongInt(11); }
    std::int64_t ScreenPPi() const { return GetInfoLongInt(12); }

    // Settings by index 0..9; false for any other index.
    bool GetInfoBool(int Index) const;
    // Changes a setting for the user and tells the desktop; a lock key only
    // when its state differs, by a synthesised press and release. Index 9
    // and unknown indexes change nothing.
    void SetInfoBool(int Index, bool Value);
    bool NumLockState() const { return GetInfoBool(0); }
    bool CapsLockState() const { return GetInfoBool(1); }
    bool ScrollLockState() const { return GetInfoBool(2); }
    bool WindowAnimation() const { return GetInfoBool(3); }
    bool WarningBeep() const { return GetInfoBool(4); }
    bool ScreenSaveActive() const { return GetInfoBool(5); }
    bool FontSmoothing() const { return GetInfoBool(6); }
    bool DragFullWindows() const { return GetInfoBool(7); }
    bool SnapToDefaultButton() const { return GetInfoBool(8); }
    bool PlusAvailable() const { return GetInfoBool(9); }

    BYTE GetColorDepth() const { return SCLSIColorDepth(); }
    BYTE ColorDepth() const { return GetColorDepth(); }
    int ProcessorNumber() const { return SCLSIProcessorCount(); }
    TSCLCPUInfoObject* ProcessorInfo() const { return processor_info.get(); }
    // The screen's font families, sorted; owned by the component.
    TStrings* AllFonts();
    // The process environment, read anew; owned by the component.
    TStrings* Environment();
    // The printers, sorted; owned by the component.
    TStrings* AllPrinters();
    // 0..3 and 0..31 as the desktop keeps them; 0 when it cannot be read.
    int KeyboardDelay() const;
    void SetKeyboardDelay(int Value);
    int KeyboardSpeed() const;
    void SetKeyboardSpeed(int Value);

    // Locale items by index 0..27 (SCLGetLocalInfo).
    std::string GetLocalInfo(int Index) const { return SCLGetLocalInfo(Index); }
    // Writes the locale item (the user's locale stays as it is here).
    void SetLocalInfo(int Index, const std::string& Value);
    std::string LocaleCalendarType() const { return GetLocalInfo(0); }
    std::string LocaleCurrencyDigits() const { return GetLocalInfo(1); }
    std::string LocaleICurrency() const { return GetLocalInfo(2); }
    std::string LocaleDigits() const { return GetLocalInfo(3); }
    std::string LocaleFirstDayOfWeek() const { return GetLocalInfo(4); }
    std::string LocaleFirstWeekOfYear() const { return GetLocalInfo(5); }
    std::string LocaleZero() const { return GetLocalInfo(6); }
    std::string LocaleMeasureSystem() const { return GetLocalInfo(7); }
    std::string LocaleNegativeCurrencyFormat() const { return GetLocalInfo(8); }
    std::string LocaleNegativeNumberFormat() const { return GetLocalInfo(9); }
    std::string LocaleTime() const { return GetLocalInfo(10); }
    std::string LocaleMorningSymbol() const { return GetLocalInfo(11); }
    std::string LocaleAfternoonSymbol() const { return GetLocalInfo(12); }
    std::string LocaleCurrencySymbol() const { return GetLocalInfo(13); }
    std::string LocaleDateSeparator() const { return GetLocalInfo(14); }
    std::string LocaleDecimalSeparator() const { return GetLocalInfo(15); }
    std::string LocaleNumericGrouping() const { return GetLocalInfo(16); }
    std::string LocaleListSeparator() const { return GetLocalInfo(17); }
    std::string LocaleLongDateFormat() const { return GetLocalInfo(18); }
    std::string LocaleMonthDecimalSeparator() const { return GetLocalInfo(19); }
    std::string LocaleCurrencyGrouping() const { return GetLocalInfo(20); }
    std::string LocaleThousandSeparator() const { return GetLocalInfo(21); }
    std::string LocaleNegativeSign() const { return GetLocalInfo(22); }
    std::string LocalePositiveSign() const { return GetLocalInfo(23); }
    std::string LocaleShortDateFormat() const { return GetLocalInfo(24); }
    std::string LocaleThousand() const { return GetLocalInfo(25); }
    std::string LocaleTimeSeparator() const { return GetLocalInfo(26); }
    std::string LocaleShortTimeFormat() const { return GetLocalInfo(27); }

    // Text with its %NAME% references expanded (at most 255 characters);
    // empty when expansion changed nothing.
    std::string GetEnvironmentValue(const std::string& Text) const;
    bool SetEnvironmentValue(const std::string& Name, const std::string& Value);
    void GetDriveList(TStrings* List) const { SCLSIDriveList(List); }
    TSCLDriveInfo GetDriveInfo(const std::string& Drive) const { return SCLSIDriveInfo(Drive); }
    std::string GetDriveTypeString(int Type) const { return SCLSIDriveTypeStr(Type); }
    // A new temporary file; empty on failure.
    std::string GetFileName() const { return SCLSITempFile(); }
    // The desktop's wallpaper (refused here: nothing changes).
    void SetDesktopWallpaper(const std::string& FileName);
    RECT GetScreenRect() const;
    RECT GetWorkRect() const;

private:
    std::unique_ptr<TSCLCPUInfoObject> processor_info;
    TStringList fonts;
    TStringList printers;
    TStringList environment;
};
