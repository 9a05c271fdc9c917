#include "link/St_system.h"

#include "platform/classlib/Classes.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Registry.h"
#include "platform/winapi/Registry_Store.h"
#include "tests/support/Fixed_Log_Clock.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

std::string Read_Text(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Stores a text where an integer belongs.
void Store_Text(const std::string& name, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Ordexia_Registry_Key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

int Stored(const std::string& name, int camera_index)
{
    int value = -12345;
    EXPECT_TRUE(Reg_Read_Camera_Integer(Ordexia_Registry_Key, name, &value, camera_index)) << name;
    return value;
}

struct Setting {
    const char* name;
    int low;
    int high;
    int default_camera_1;
    int default_camera_3;
    std::function<int(const St_System&)> field;
};

const Setting Settings[] = {
    {"Name", 1, 99, 1, 3, [](const St_System& s) { return s.Settings.Name; }},
    {"Port_Number", 0, 16, 1, 0, [](const St_System& s) { return s.Settings.Port_Number; }},
    {"Alarm_Sound", 0, 1, 0, 0, [](const St_System& s) { return s.Settings.Alarm_Sound; }},
    {"System_Type", 0, 1, 0, 0, [](const St_System& s) { return s.Type.System_Type; }},
    {"Video_Range_Frequency", 1, 4, 0, 0, [](const St_System& s) { return s.SD.Video_Range_Frequency; }},
    {"Data_Range_Frequency", 1, 2, 0, 0, [](const St_System& s) { return s.SD.Data_Range_Frequency; }},
    {"Alarm_Battery_Level", 0, 6, 3, 3, [](const St_System& s) { return s.HD.Alarm_Battery_Level; }},
};

enum class Stored_As { Missing, Text, Below, Above, Low, High };

TEST(St_System, EveryCameraSettingIsLoadedAndRepaired)
{
    const Stored_As kinds[] = {Stored_As::Missing, Stored_As::Text, Stored_As::Below,
                               Stored_As::Above,   Stored_As::Low,  Stored_As::High};
    for (const int camera : {0, 2}) {
        for (const Stored_As kind : kinds) {
            SCOPED_TRACE("camera " + std::to_string(camera) + ", case " + std::to_string(static_cast<int>(kind)));
            Temp_Settings temp;
            for (const Setting& setting : Settings) {
                const std::string name = std::string(setting.name) + "_Cam" + std::to_string(camera + 1);
                const int values[] = {0, 0, setting.low - 1, setting.high + 1, setting.low, setting.high};
                if (kind == Stored_As::Text) {
                    Store_Text(name, "1");
                } else if (kind != Stored_As::Missing) {
                    ASSERT_TRUE(Reg_Write_Integer(Ordexia_Registry_Key, name, values[static_cast<int>(kind)]));
                }
            }
            const St_System system(camera);
            for (const Setting& setting : Settings) {
                SCOPED_TRACE(setting.name);
                const int fallback = camera == 0 ? setting.default_camera_1 : setting.default_camera_3;
                const int expected = kind == Stored_As::Low ? setting.low : kind == Stored_As::High ? setting.high : fallback;
                EXPECT_EQ(setting.field(system), expected);
                EXPECT_EQ(Stored(setting.name, camera), expected);
            }
        }
    }
}

TEST(St_System, FirstStartWritesTheDefaultsInLoadingOrder)
{
    Temp_Settings temp;
    const St_System first(0);
    const St_System second(1);
    EXPECT_EQ(Read_Text(Registry_Store::File_Path()),
              "[Software\\Quorvale\\Ravivida Ordexia]\n"
              "Name_Cam1=1\nPort_Number_Cam1=1\nAlarm_Sound_Cam1=0\nSystem_Type_Cam1=0\n"
              "Video_Range_Frequency_Cam1=0\nData_Range_Frequency_Cam1=0\nAlarm_Battery_Level_Cam1=3\n"
              "Name_Cam2=2\nPort_Number_Cam2=0\nAlarm_Sound_Cam2=0\nSystem_Type_Cam2=0\n"
              "Video_Range_Frequency_Cam2=0\nData_Range_Frequency_Cam2=0\nAlarm_Battery_Level_Cam2=3\n");
}

TEST(St_System, RegistryFunctionsAnswerFalseOnFailure)
{
    Temp_Settings temp;
    int value = 77;
    EXPECT_FALSE(Reg_Read_Integer(Ordexia_Registry_Key, "Camera_Count", &value));
    ASSERT_TRUE(Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", 2));
    EXPECT_FALSE(Reg_Read_Integer("\\Software\\Other", "Camera_Count", &value));
    EXPECT_EQ(value, 77);
    EXPECT_TRUE(Reg_Read_Integer(Ordexia_Registry_Key, "Camera_Count", &value));
    EXPECT_EQ(value, 2);

    // The settings folder cannot be made: writes fail, the values in memory stay.
    St_System system(0);
    std::filesystem::remove_all(temp.Config_Home());
    std::ofstream(temp.Config_Home()) << "not a folder";
    EXPECT_FALSE(Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", 3));
    EXPECT_FALSE(system.Settings.Set_Port_Number(5));
    EXPECT_EQ(system.Settings.Port_Number, 5);
    EXPECT_FALSE(system.SD.Set_Range_Frequency(0, 2));
    EXPECT_EQ(system.SD.Video_Range_Frequency, 2);
}

TEST(St_System, SettersStoreAndWriteTheirValues)
{
    Temp_Settings temp;
    St_System system(1);
    EXPECT_TRUE(system.Settings.Set_Port_Number(0));
    EXPECT_FALSE(system.Settings.Has_Port());
    EXPECT_TRUE(system.Settings.Set_Name(42));
    EXPECT_TRUE(system.Settings.Set_Alarm_Sound(1));
    EXPECT_TRUE(system.Settings.Is_Alarm_Sound());
    EXPECT_TRUE(system.SD.Set_Range_Frequency(0, 4));
    EXPECT_TRUE(system.SD.Set_Range_Frequency(1, 2));
    EXPECT_TRUE(system.HD.Set_Alarm_Battery_Level(6));
    EXPECT_FALSE(system.HD.Set_Alarm_Battery_Level(7));
    EXPECT_EQ(system.HD.Alarm_Battery_Level, 6);

    const St_System reloaded(1);
    EXPECT_EQ(reloaded.Settings.Port_Number, 0);
    EXPECT_EQ(reloaded.Settings.Name, 42);
    EXPECT_EQ(reloaded.Settings.Alarm_Sound, 1);
    EXPECT_EQ(reloaded.SD.Video_Range_Frequency, 4);
    EXPECT_EQ(reloaded.SD.Data_Range_Frequency, 2);
    EXPECT_EQ(reloaded.HD.Alarm_Battery_Level, 6);
}

TEST(St_System, ResetKeepsTheSettingsAndClearsDecodedState)
{
    Temp_Settings temp;
    St_System system(0);
    system.Settings.Set_Name(9);
    system.Settings.Connected = true;
    system.Type.System_Type = 1;
    system.Type.Wcu_Major = 2;
    system.Type.Wcu_Minor = 1;
    system.SD.Set_Range_Frequency(0, 3);
    system.SD.AMU1.Present = true;
    system.SD.WCU.Rate_A = 2;
    system.HD.Set_Tuner_Choice(5, '1');
    system.HD.Wcu_Link.Link_Event_Code = 4;
    system.HD.Amu2_Stat.Rx_Level[1] = 10;
    system.HD.Amu1_Spectrum.Current[7] = 3;

    system.Reset();

    EXPECT_EQ(system.Camera_Index, 0);
    EXPECT_EQ(system.Settings.Name, 9);
    EXPECT_EQ(system.Settings.Port_Number, 1);
    EXPECT_FALSE(system.Settings.Is_Connected());
    EXPECT_EQ(system.Type.System_Type, 1);
    EXPECT_EQ(system.Type.Wcu_Major, 0);
    EXPECT_EQ(system.Type.Wcu_Minor, 0);
    EXPECT_EQ(system.SD.Video_Range_Frequency, 3);
    EXPECT_FALSE(system.SD.AMU1.Present);
    EXPECT_EQ(system.SD.WCU.Rate_A, 1);
    EXPECT_EQ(system.HD.Tuner_Choice_Amu1, 5);
    EXPECT_EQ(system.HD.Alarm_Battery_Level, 3);
    EXPECT_EQ(system.HD.Wcu_Link.Link_Event_Code, 0);
    EXPECT_EQ(system.HD.Amu2_Stat.Rx_Level[1], 255);
    EXPECT_EQ(system.HD.Amu1_Spectrum.Current[7], St_System_HD_Spectrum::Empty_Point);
}

TEST(St_System, CopyConstructionCopiesAllAndCopyKeepsTheCameraIndex)
{
    Temp_Settings temp;
    St_System current(2);
    current.Settings.Connected = true;
    current.Type.Wcu_Major = 1;
    current.SD.AMU2.Temperature = -5;
    current.HD.Tuner_Choice_Amu2 = 3;
    const int raw[3] = {55, 55, 55};
    current.HD.Amu1_Stat.Rssi_Buffer->Add(raw);

    const St_System first_snapshot(current);
    EXPECT_EQ(first_snapshot.Camera_Index, 2);
    EXPECT_EQ(first_snapshot.Settings.Index, 2);
    EXPECT_TRUE(first_snapshot.Settings.Connected);
    EXPECT_EQ(first_snapshot.SD.AMU2.Temperature, -5);
    EXPECT_NE(first_snapshot.HD.Amu1_Stat.Rssi_Buffer, current.HD.Amu1_Stat.Rssi_Buffer);
    EXPECT_EQ(first_snapshot.HD.Amu1_Stat.Rssi_Buffer->Get(0), 200);
    EXPECT_EQ(first_snapshot.HD.Amu1_Stat.Rssi_Buffer->Count, 0);

    St_System snapshot(0);
    snapshot.Copy(current);
    EXPECT_EQ(snapshot.Camera_Index, 0);
    EXPECT_EQ(snapshot.Settings.Index, 0);
    EXPECT_EQ(snapshot.Type.Index, 0);
    EXPECT_EQ(snapshot.SD.Index, 0);
    EXPECT_EQ(snapshot.HD.Index, 0);
    EXPECT_EQ(snapshot.Settings.Name, 3);
    EXPECT_EQ(snapshot.Type.Wcu_Major, 1);
    EXPECT_EQ(snapshot.HD.Tuner_Choice_Amu2, 3);
    EXPECT_EQ(snapshot.HD.Amu1_Stat.Rssi_Buffer->Get(0), 200);
}

TEST(St_System_Type, PredicatesOverTypeWords)
{
    struct Case {
        int word;
        bool after_v1;
        bool after_v2;
        bool known;
        bool hd;
        int system_type;
    };
    const Case cases[] = {
        {0x000, false, false, false, false, 0}, {0x0FF, false, false, false, false, 0},
        {0x100, false, false, true, false, 0},  {0x101, true, false, true, false, 0},
        {0x102, true, false, false, false, 0},  {0x200, true, false, true, true, 1},
        {0x201, true, true, true, true, 1},     {0x202, true, true, true, true, 1},
        {0x203, true, true, false, false, 0},   {0xFFFF, true, true, false, false, 0},
    };
    Temp_Settings temp;
    St_System_Type type(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        type.System_Type = 1 - c.system_type;
        type.Wcu_Major = c.word >> 8;
        type.Wcu_Minor = c.word & 0xFF;
        EXPECT_EQ(type.Is_Sd_Wcu_After_V1(), c.after_v1);
        EXPECT_EQ(type.Is_Hd_Wcu_After_V2(), c.after_v2);
        EXPECT_EQ(type.Is_Known_Wcu(), c.known);
        EXPECT_EQ(type.Is_Hd_Wcu(), c.hd);
        type.Update_System_Type();
        EXPECT_EQ(type.System_Type, c.system_type);
        EXPECT_EQ(Stored("System_Type", 3), c.system_type);
    }
    type.Wcu_Major = 2;
    type.Wcu_Minor = 10;
    EXPECT_EQ(type.Get_Wcu_Version_Text(), "2.10");
}

TEST(Temperature, TextsTruncateTowardZeroAndAlarmOutsideTheBounds)
{
    struct Case {
        int celsius;
        const char* celsius_text;
        const char* fahrenheit_text;
        bool alarm;
    };
    const Case cases[] = {
        {-20, "-20°C", "-3°F", true},  {-19, "-19°C", "-1°F", true}, {-18, "-18°C", "0°F", true},
        {-16, "-16°C", "3°F", true},   {-15, "-15°C", "5°F", false}, {0, "0°C", "32°F", false},
        {25, "25°C", "77°F", false},   {75, "75°C", "167°F", false}, {76, "76°C", "169°F", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.celsius);
        EXPECT_EQ(Temperature_Celsius_Text(c.celsius), c.celsius_text);
        EXPECT_EQ(Temperature_Fahrenheit_Text(c.celsius), c.fahrenheit_text);
        EXPECT_EQ(Is_Temperature_Alarm(c.celsius), c.alarm);
    }
}

using Log_Time_Stamp_Test = Fixed_Log_Clock;

TEST_F(Log_Time_Stamp_Test, OneStampPerSecondAndPerLog)
{
    TStringList camera_1;
    TStringList camera_2;
    EXPECT_TRUE(Log_Time_Stamp(&camera_1));
    camera_1.Add("Video link OK");
    EXPECT_FALSE(Log_Time_Stamp(&camera_1));
    EXPECT_TRUE(Log_Time_Stamp(&camera_2));
    At(14, 3, 28);
    EXPECT_TRUE(Log_Time_Stamp(&camera_1));
    EXPECT_EQ(camera_1.Text(), "------- 14:03:27 -------\r\nVideo link OK\r\n------- 14:03:28 -------\r\n");
    EXPECT_EQ(camera_2.Text(), "------- 14:03:27 -------\r\n");
}

} // namespace
