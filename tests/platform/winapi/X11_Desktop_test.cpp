#include "platform/winapi/X11_Desktop.h"

#include <gtest/gtest.h>

#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/support/Gui_Application.h"

namespace {

int Get_Int(UINT action)
{
    int value = -1;
    EXPECT_EQ(SystemParametersInfoA(action, 0, &value, 0), TRUE) << action;
    return value;
}

BOOL Set(UINT action, UINT value)
{
    return SystemParametersInfoA(action, value, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

void Press(int key)
{
    keybd_event(static_cast<BYTE>(key), 0x45, KEYEVENTF_EXTENDEDKEY, 0);
    keybd_event(static_cast<BYTE>(key), 0x45, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
}

class X11Desktop : public testing::Test {
protected:
    void SetUp() override
    {
        Ensure_Gui_Application();
        if (!display.Available())
            GTEST_SKIP() << "Xvfb is not installed";
    }
    Private_Display display;
};

TEST_F(X11Desktop, KeyboardDelayAndSpeedKeepTheirSteps)
{
    for (UINT delay = 0; delay <= 3; ++delay) {
        ASSERT_EQ(Set(SPI_SETKEYBOARDDELAY, delay), TRUE);
        EXPECT_EQ(Get_Int(SPI_GETKEYBOARDDELAY), static_cast<int>(delay));
    }
    for (UINT speed : {0u, 1u, 15u, 30u, 31u}) {
        ASSERT_EQ(Set(SPI_SETKEYBOARDSPEED, speed), TRUE);
        EXPECT_EQ(Get_Int(SPI_GETKEYBOARDSPEED), static_cast<int>(speed));
    }
    // Out of range: the largest step.
    ASSERT_EQ(Set(SPI_SETKEYBOARDDELAY, 9), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETKEYBOARDDELAY), 3);
}

TEST_F(X11Desktop, ScreenSaverTimeOutAndActiveFlag)
{
    ASSERT_EQ(Set(SPI_SETSCREENSAVETIMEOUT, 90), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVETIMEOUT), 90);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVEACTIVE), TRUE);
    ASSERT_EQ(Set(SPI_SETSCREENSAVEACTIVE, FALSE), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVEACTIVE), FALSE);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVETIMEOUT), 0);
    ASSERT_EQ(Set(SPI_SETSCREENSAVEACTIVE, TRUE), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVEACTIVE), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETSCREENSAVETIMEOUT), 600);
}

TEST_F(X11Desktop, WarningBeepFollowsTheBell)
{
    ASSERT_EQ(Set(SPI_SETBEEP, FALSE), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETBEEP), FALSE);
    ASSERT_EQ(Set(SPI_SETBEEP, TRUE), TRUE);
    EXPECT_EQ(Get_Int(SPI_GETBEEP), TRUE);
}

TEST_F(X11Desktop, ASynthesisedPressTogglesALockKey)
{
    for (int key : {VK_NUMLOCK, VK_CAPITAL}) {
        ASSERT_EQ(X11_Lock_Key_Toggled(key), std::optional(false)) << key;
        EXPECT_EQ(GetKeyState(key) & 1, 0);
        Press(key);
        EXPECT_EQ(X11_Lock_Key_Toggled(key), std::optional(true)) << key;
        EXPECT_EQ(GetKeyState(key) & 1, 1);
        Press(key);
        EXPECT_EQ(X11_Lock_Key_Toggled(key), std::optional(false)) << key;
    }
    EXPECT_EQ(X11_Lock_Key_Toggled(VK_SHIFT), std::nullopt);
}

TEST(X11Desktop_Without, WithoutADisplayEverythingIsRefused)
{
    const No_Display none;
    for (UINT action : {SPI_GETKEYBOARDDELAY, SPI_GETKEYBOARDSPEED, SPI_GETSCREENSAVETIMEOUT, SPI_GETSCREENSAVEACTIVE,
                        SPI_GETBEEP}) {
        int value = 7;
        SetLastError(0);
        EXPECT_EQ(SystemParametersInfoA(action, 0, &value, 0), FALSE) << action;
        EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
        EXPECT_EQ(value, 7);
    }
    EXPECT_EQ(Set(SPI_SETKEYBOARDSPEED, 3), FALSE);
    EXPECT_EQ(X11_Lock_Key_Toggled(VK_NUMLOCK), std::nullopt);
    Press(VK_NUMLOCK); // goes nowhere
}

TEST(X11Desktop_Without, SettingsWithoutALinuxEquivalentAreRefused)
{
    for (UINT action : {SPI_SETANIMATION, SPI_SETFONTSMOOTHING, SPI_SETDRAGFULLWINDOWS, SPI_SETSNAPTODEFBUTTON,
                        SPI_SETDESKWALLPAPER}) {
        SetLastError(0);
        EXPECT_EQ(SystemParametersInfoA(action, 1, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE), FALSE) << action;
        EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    }
}

} // namespace
