#include "components/foundations/Sclsysinfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/classlib/Forms.h"
#include "platform/winapi/System_Metrics.h"
#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/support/Temp_Settings.h"

namespace {

TEST(Sclsysinfo, FactsOfThisMachine)
{
    TComponent owner(nullptr);
    auto* info = new TSCLSysInfo(&owner);
    EXPECT_TRUE(info->ColorDepth() == 24 || info->ColorDepth() == 32);
    EXPECT_EQ(info->CurrentUser(), SCLSIUserName());
    EXPECT_EQ(info->VersionWIN(), SCLSIVersionStr());
    EXPECT_EQ(info->Platform(), "Windows NT");
    EXPECT_EQ(info->FreeSysRes(), "0 %");
    EXPECT_EQ(info->FreeGdiRes(), "0 %");
    EXPECT_TRUE(info->MemoryLoaded().ends_with(" %"));
    EXPECT_NE(info->TimeZone(), "");
    EXPECT_NE(info->DefaultLanguageString(), "");
    EXPECT_EQ(info->GetInfoString(16), "");

    EXPECT_GT(info->MemPhysTotal(), 64 * 1024);
    EXPECT_LE(info->MemPhysFree(), info->MemPhysTotal());
    EXPECT_GE(info->MemPageTotal(), info->MemPhysTotal());
    EXPECT_GT(info->ScreenWidth(), 0);
    EXPECT_GT(info->ScreenHeight(), 0);
    EXPECT_GT(info->ScreenPPi(), 0);
    EXPECT_EQ(info->GetInfoLongInt(13), 0);
    const RECT screen = info->GetScreenRect();
    EXPECT_EQ(screen.right, info->ScreenWidth());
    const RECT work = info->GetWorkRect();
    EXPECT_LE(work.right - work.left, screen.right);

    EXPECT_TRUE(info->PlusAvailable());
    EXPECT_FALSE(info->GetInfoBool(10));
    EXPECT_EQ(info->ProcessorNumber(), SCLSIProcessorCount());
    EXPECT_EQ(info->ProcessorInfo()->IDString(), TSCLCPUInfoObject().IDString());
    EXPECT_GE(info->KeyboardSpeed(), 0);

    // The fonts the program names map to installed families: never empty.
    TStrings* fonts = info->AllFonts();
    ASSERT_GT(fonts->Count(), 0);
    EXPECT_EQ(fonts, info->AllFonts());
    EXPECT_TRUE(fonts->IndexOf("DejaVu Sans") >= 0 || fonts->IndexOf("Liberation Sans") >= 0);
    for (int i = 1; i < fonts->Count(); ++i)
        EXPECT_LE(fonts->Strings(i - 1), fonts->Strings(i));
}

TEST(Sclsysinfo, EnvironmentAndDrives)
{
    TSCLSysInfo info(nullptr);
    ASSERT_TRUE(info.SetEnvironmentValue("SCL_SYSINFO_TEST", "value"));
    EXPECT_FALSE(info.SetEnvironmentValue("BAD=NAME", "x"));
    EXPECT_GE(info.Environment()->IndexOf("SCL_SYSINFO_TEST=value"), 0);
    EXPECT_EQ(info.GetEnvironmentValue("a %SCL_SYSINFO_TEST% b"), "a value b");
    EXPECT_EQ(info.GetEnvironmentValue("100% of %SCL_SYSINFO_TEST%"), "100% of value");
    EXPECT_EQ(info.GetEnvironmentValue("no %SCL_SYSINFO_NONE% here"), ""); // nothing to expand
    EXPECT_EQ(info.GetEnvironmentValue("%%"), "");
    unsetenv("SCL_SYSINFO_TEST");

    TStringList drives;
    info.GetDriveList(&drives);
    ASSERT_EQ(drives.Count(), 1);
    const TSCLDriveInfo root = info.GetDriveInfo(drives[0]);
    EXPECT_EQ(root.DriveType, 3);
    EXPECT_GT(root.DiskSize, 0u);
    EXPECT_LE(root.DiskFree, root.DiskSize);
    EXPECT_EQ(root.BytesPerSector, 512);
    const TSCLDriveInfo missing = info.GetDriveInfo("/no/such/folder");
    EXPECT_EQ(missing.DriveType, 1);
    EXPECT_EQ(missing.DiskSize, 0u);
    EXPECT_EQ(info.GetDriveTypeString(3), "fixed drive");
    EXPECT_EQ(info.GetDriveTypeString(7), "(inconnu)");
    EXPECT_EQ(info.GetDriveTypeString(0), "(inconnu)");

    const std::string temp = info.GetFileName();
    ASSERT_FALSE(temp.empty());
    EXPECT_TRUE(std::filesystem::exists(temp));
    std::filesystem::remove(temp);
}

// The C locale gives every item a known answer.
TEST(Sclsysinfo, LocaleItemsOfTheCLocale)
{
    const char* previous = std::getenv("LC_ALL");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("LC_ALL", "C", 1);
    TSCLSysInfo info(nullptr);
    EXPECT_EQ(info.LocaleDecimalSeparator(), ".");
    EXPECT_EQ(info.LocaleShortDateFormat(), "MM/dd/yy");
    EXPECT_EQ(info.LocaleDateSeparator(), "/");
    EXPECT_EQ(info.LocaleShortTimeFormat(), "HH:mm:ss");
    EXPECT_EQ(info.LocaleTimeSeparator(), ":");
    EXPECT_EQ(info.LocaleTime(), "1");
    EXPECT_EQ(info.LocaleMorningSymbol(), "AM");
    EXPECT_EQ(info.LocaleCalendarType(), "1");
    EXPECT_EQ(info.LocaleCurrencyDigits(), "Hallo"); // the C locale has no currency
    EXPECT_EQ(info.LocaleListSeparator(), "Hallo");
    EXPECT_EQ(info.GetLocalInfo(28), "Hallo");
    EXPECT_EQ(info.GetLocalInfo(-1), "Hallo");
    if (previous != nullptr)
        setenv("LC_ALL", saved.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

} // namespace

namespace {

// ---- Desktop settings, on an X server of the test's own --------------------

class Sclsysinfo_Desktop : public testing::Test {
protected:
    void SetUp() override
    {
        if (!display.Available())
            GTEST_SKIP() << "Xvfb is not installed";
    }
    Private_Display display;
    TSCLSysInfo info{nullptr};
};

TEST_F(Sclsysinfo_Desktop, LockKeysChangeOnlyWhenTheirStateDiffers)
{
    struct Key {
        int index;
        bool (*state)();
    };
    for (const Key key : {Key{0, SCLSINumLock}, Key{1, SCLSICapsLock}}) {
        ASSERT_FALSE(info.GetInfoBool(key.index));
        info.SetInfoBool(key.index, true);
        EXPECT_TRUE(info.GetInfoBool(key.index)) << key.index;
        EXPECT_TRUE(key.state());
        info.SetInfoBool(key.index, true); // already on: no toggle
        EXPECT_TRUE(info.GetInfoBool(key.index)) << key.index;
        info.SetInfoBool(key.index, false);
        EXPECT_FALSE(info.GetInfoBool(key.index)) << key.index;
    }
    EXPECT_EQ(GetSystemInfoString(itNumLock, 1, ""), "Off");
}

TEST_F(Sclsysinfo_Desktop, KeyboardRateBeepAndScreenSaver)
{
    info.SetKeyboardDelay(0);
    info.SetKeyboardSpeed(31);
    EXPECT_EQ(info.KeyboardDelay(), 0);
    EXPECT_EQ(info.KeyboardSpeed(), 31);
    info.SetKeyboardDelay(3);
    info.SetKeyboardSpeed(0);
    EXPECT_EQ(info.KeyboardDelay(), 3);
    EXPECT_EQ(info.KeyboardSpeed(), 0);

    info.SetInfoBool(4, false);
    EXPECT_FALSE(info.WarningBeep());
    info.SetInfoBool(4, true);
    EXPECT_TRUE(info.WarningBeep());

    ASSERT_TRUE(SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, 90, nullptr, 0));
    EXPECT_EQ(info.ScreenSaverDelay(), 1); // 90 seconds read as whole minutes
    EXPECT_EQ(SCLSIScreenSaverDelay(), 1);
    EXPECT_TRUE(info.ScreenSaveActive());
    info.SetInfoBool(5, false);
    EXPECT_FALSE(info.ScreenSaveActive());
    EXPECT_EQ(info.ScreenSaverDelay(), 0);
}

TEST(Sclsysinfo_NoDesktop, WithoutADisplayTheDesktopSettingsAreRefused)
{
    const No_Display none;
    TSCLSysInfo info(nullptr);
    EXPECT_FALSE(info.NumLockState());
    info.SetInfoBool(0, true); // no key goes anywhere
    EXPECT_FALSE(info.NumLockState());
    EXPECT_EQ(info.KeyboardDelay(), 0);
    info.SetKeyboardSpeed(10);
    EXPECT_EQ(info.KeyboardSpeed(), 0);
    EXPECT_FALSE(info.ScreenSaveActive());
    EXPECT_EQ(info.ScreenSaverDelay(), 0);
}

TEST(Sclsysinfo_NoDesktop, SettingsWithoutALinuxEquivalentStayAsTheyAre)
{
    TSCLSysInfo info(nullptr);
    const bool animation = info.WindowAnimation();
    const bool smoothing = info.FontSmoothing();
    const bool dragging = info.DragFullWindows();
    const bool snapping = info.SnapToDefaultButton();
    info.SetInfoBool(3, !animation);
    info.SetInfoBool(6, !smoothing);
    info.SetInfoBool(7, !dragging);
    info.SetInfoBool(8, !snapping);
    info.SetInfoBool(9, false); // read-only
    EXPECT_EQ(info.WindowAnimation(), animation);
    EXPECT_EQ(info.FontSmoothing(), smoothing);
    EXPECT_EQ(info.DragFullWindows(), dragging);
    EXPECT_EQ(info.SnapToDefaultButton(), snapping);
    EXPECT_TRUE(info.PlusAvailable());
    info.SetDesktopWallpaper("/no/such/picture.bmp");

    const std::string separator = info.LocaleDecimalSeparator();
    info.SetLocalInfo(15, separator == "," ? "." : ",");
    EXPECT_EQ(info.LocaleDecimalSeparator(), separator);
}

TEST(Sclsysinfo_NoDesktop, DefaultLanguageFromTheUsersLocale)
{
    struct Case {
        const char* lang;
        std::int64_t id;
        const char* name;
    };
    const char* previous = std::getenv("LC_ALL");
    const std::string saved = previous != nullptr ? previous : "";
    TSCLSysInfo info(nullptr);
    for (const Case c : {Case{"fr_FR.UTF-8", 0x040C, "French"}, Case{"de_DE.UTF-8", 0x0407, "German"},
                         Case{"C", 0x0409, "English"}, Case{"xx_YY", 0x0409, "English"}}) {
        setenv("LC_ALL", c.lang, 1);
        EXPECT_EQ(info.DefaultLanguageID(), c.id) << c.lang;
        EXPECT_EQ(info.DefaultLanguageString(), c.name) << c.lang;
    }
    if (previous != nullptr)
        setenv("LC_ALL", saved.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

// The print system of the test's own has no server: no printers, at once.
TEST(Sclsysinfo_NoDesktop, PrintersOfAPrintSystemWithoutServerAreNone)
{
    const std::filesystem::path folder = Make_Temp_Folder("cups");
    const char* previous = std::getenv("CUPS_SERVER");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("CUPS_SERVER", (folder / "missing.sock").c_str(), 1);
    TSCLSysInfo info(nullptr);
    TStrings* printers = info.AllPrinters();
    EXPECT_EQ(printers->Count(), 0);
    printers->Add("stale");
    EXPECT_EQ(info.AllPrinters()->Count(), 0);
    if (previous != nullptr)
        setenv("CUPS_SERVER", saved.c_str(), 1);
    else
        unsetenv("CUPS_SERVER");
    std::filesystem::remove_all(folder);
}

} // namespace
