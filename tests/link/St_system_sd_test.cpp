#include "link/St_system_sd.h"

#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/SysUtils.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

namespace {

TEST(St_System_SD, ResetKeepsTheRangesAndRestoresPowerOnValues)
{
    Temp_Settings temp;
    ASSERT_TRUE(Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Video_Range_Frequency", 7, 0));
    St_System_SD block(0);
    EXPECT_EQ(block.Video_Range_Frequency, 0);
    int stored = -1;
    ASSERT_TRUE(Reg_Read_Camera_Integer(Ordexia_Registry_Key, "Video_Range_Frequency", &stored, 0));
    EXPECT_EQ(stored, 0);

    block.Video_Range_Frequency = 3;
    block.WCU.Video_Standard_Pal = false;
    block.WCU.Rate_Any = block.WCU.Rate_A = block.WCU.Rate_B = 0;
    block.AMU1.Versions_Compatible = false;
    block.DE2.State = true;
    block.Flags.Flag_3 = true;
    block.Reset();
    EXPECT_EQ(block.Video_Range_Frequency, 3);
    EXPECT_TRUE(block.WCU.Video_Standard_Pal);
    EXPECT_EQ(block.WCU.Rate_Any + block.WCU.Rate_A + block.WCU.Rate_B, 3);
    EXPECT_TRUE(block.AMU1.Versions_Compatible);
    EXPECT_FALSE(block.DE2.Get_State());
    EXPECT_FALSE(block.Flags.Flag_3);
}

St_System_SD_AMU Valid_Amu(int major, int minor, int identifier)
{
    St_System_SD_AMU amu;
    amu.Present = true;
    amu.Poll_Counter_Data = 20;
    amu.Version_Major = major;
    amu.Version_Minor = minor;
    amu.Identifier = identifier;
    return amu;
}

TEST(St_System_SD, AmuChecksCompareOnlyTwoValidAmus)
{
    Temp_Settings temp;
    St_System_SD block(0);
    block.AMU1 = Valid_Amu(1, 2, 5);
    block.AMU2 = Valid_Amu(1, 1, 5);
    block.Check_Amu_Versions();
    block.Check_Amu_Settings();
    EXPECT_FALSE(block.AMU1.Versions_Compatible);
    EXPECT_FALSE(block.AMU2.Versions_Compatible);
    EXPECT_TRUE(block.AMU1.Same_Identifier);
    EXPECT_TRUE(block.AMU2.Same_Identifier);

    block.AMU2.Poll_Counter_Data = 0;
    block.Check_Amu_Versions();
    block.Check_Amu_Settings();
    EXPECT_TRUE(block.AMU1.Versions_Compatible && block.AMU2.Versions_Compatible);
    EXPECT_FALSE(block.AMU1.Same_Identifier || block.AMU2.Same_Identifier);
}

TEST(St_System_SD_AMU, Predicates)
{
    St_System_SD_AMU amu;
    EXPECT_FALSE(amu.Is_Polled());
    amu.Present = true;
    amu.Poll_Counter_Data = 3;
    EXPECT_TRUE(amu.Is_Valid());
    EXPECT_FALSE(amu.Is_Valid_Clear()); // the status counter has run out
    amu.Poll_Counter_Status = 1;
    EXPECT_TRUE(amu.Is_Valid_Clear());
    amu.Error = true;
    EXPECT_FALSE(amu.Is_Valid_Clear());

    amu.Version_Major = 1;
    amu.Version_Minor = 1;
    EXPECT_TRUE(amu.Is_Version_After_1_0());
    EXPECT_FALSE(amu.Is_Version_After_1_1());
    amu.Version_Minor = 2;
    EXPECT_TRUE(amu.Is_Version_After_1_1());
    EXPECT_EQ(amu.Get_Version_Text(), "1.2");
}

TEST(Sd_Converters, LevelsAndDecibels)
{
    struct Level {
        int raw;
        const char* text;
        bool alarm;
    };
    const Level levels[] = {{0, "", true},      {5, "", true},      {6, "70V", true},    {100, "53V", false},
                            {222, "32V", false}, {223, "31V", true}, {88, "56V", true},   {89, "55V", false}};
    for (const Level& l : levels) {
        EXPECT_EQ(Level_Text(l.raw), l.text) << l.raw;
        EXPECT_EQ(Is_Level_Alarm_SD(l.raw), l.alarm) << l.raw;
    }
    EXPECT_EQ(Ratio_To_Db_7020_SD(7020, -40, 0), 0);
    EXPECT_EQ(Ratio_To_Db_7020_SD(702, -40, 0), -20);
    EXPECT_EQ(Ratio_To_Db_7020_SD(0, -40, 0), -40);
    EXPECT_EQ(Ratio_To_Db_7020_SD(1, -40, 0), -40);
    EXPECT_EQ(Ratio_To_Db_7020_SD(70200, -40, 6), 6);
    EXPECT_EQ(Ratio_To_Db_96_SD(960, -40, 40), 20);
    EXPECT_EQ(Meter_Db_240(24, -40, 40), -20);
}

TEST(Sd_Converters, ChannelsAndFrequencies)
{
    EXPECT_EQ(Channel_Digit_Text(22), "0");
    EXPECT_EQ(Channel_Digit_Text(111), "C");
    EXPECT_EQ(Channel_Digit_Text(33), "");
    EXPECT_EQ(Channel_Frequency_Text(118, 1), "2362");
    EXPECT_EQ(Channel_Frequency_Text(132, 4), "2880");
    EXPECT_EQ(Channel_Frequency_Text(118, 5), "");
    EXPECT_EQ(Channel_Frequency_Text(118, 0), "");
    EXPECT_TRUE(Is_Channel_Selected(3, 46, true));
    EXPECT_FALSE(Is_Channel_Selected(3, 47, true));
    EXPECT_TRUE(Is_Channel_Selected(3, 47, false));
    EXPECT_FALSE(Is_Channel_Selected(-1, 47, true));
    EXPECT_TRUE(Is_Same_Or_Disabled_De(2, 2, true));
    EXPECT_FALSE(Is_Match_Or_Disabled(2, 3, true));
    EXPECT_TRUE(Is_Same_Or_Disabled_Amu(2, 3, false));

    const char previous = DecimalSeparator;
    DecimalSeparator = ',';
    EXPECT_EQ(Carrier_Frequency_Text(false, 0x43, 0x20, 0, 0, 1), "429,6 MHz");
    EXPECT_EQ(Carrier_Frequency_Text(true, 0x10, 0, 4, 1, 1), "422,8 MHz"); // (4096 + 4 + 128) x 0.1
    DecimalSeparator = previous;
    EXPECT_EQ(Carrier_Frequency_Text(false, 0, 0, 11, 0, 2), "456,15 MHz");
    EXPECT_EQ(Carrier_Frequency_Text(false, 0, 0, 16, 0, 2), "");
    EXPECT_EQ(Carrier_Frequency_Text(false, 0x43, 0x20, 0, 0, 0), "");
}

TEST(Sd_Converters, TextsOutsideTheirTables)
{
    EXPECT_EQ(Video_Range_Text(1), "2,2 - 2,4 GHz");
    EXPECT_EQ(Video_Range_Text(4), "2,7 - 2,9 GHz");
    EXPECT_EQ(Video_Range_Text(0), "?????");
    EXPECT_EQ(Video_Range_Text(5), "?????");
    EXPECT_EQ(Data_Range_Text(2), "455,0 - 456,7 MHz");
    EXPECT_EQ(Data_Range_Text(3), "?????");
    EXPECT_EQ(Production_Mode_Text_SD(3), "PROD + ENG");
    EXPECT_EQ(Production_Mode_Text_SD(4), "");
    EXPECT_EQ(Production_Mode_Text_SD(-1), "");
    EXPECT_EQ(Guard_Interval_Text(15), "1/32");
    EXPECT_EQ(Modulation_Text(16), "");
    EXPECT_EQ(Code_Rate_Text(0), "2/3");
    EXPECT_EQ(Video_Standard_Text(false), "NTSC");
    EXPECT_EQ(Diversity_Text_SD(true), "DUAL");
    EXPECT_TRUE(Is_Data_Band_Matching(1, 0));
    EXPECT_TRUE(Is_Data_Band_Matching(2, 1));
    EXPECT_FALSE(Is_Data_Band_Matching(2, 0));
    EXPECT_FALSE(Is_Data_Band_Matching(0, 0));
}

TEST(Sd_Converters, SwitchAdvice)
{
    // Per range 0..5: SW3-1 right with (off, up to 1.1), (on, up to 1.1), (off, above), (on, above).
    struct Sw3_1 {
        int range;
        bool expected[4];
    };
    const Sw3_1 sw3_1[] = {
        {0, {false, false, false, false}}, {1, {false, true, false, true}}, {2, {true, false, true, false}},
        {3, {false, true, false, true}},   {4, {true, true, true, false}},  {5, {false, false, false, false}},
    };
    for (const Sw3_1& c : sw3_1) {
        EXPECT_EQ(Is_SW3_1_Setting_Right(c.range, false, false), c.expected[0]) << c.range;
        EXPECT_EQ(Is_SW3_1_Setting_Right(c.range, true, false), c.expected[1]) << c.range;
        EXPECT_EQ(Is_SW3_1_Setting_Right(c.range, false, true), c.expected[2]) << c.range;
        EXPECT_EQ(Is_SW3_1_Setting_Right(c.range, true, true), c.expected[3]) << c.range;
    }
    // SW3-2 with firmware 1.0, 1.1 and above, off then on.
    struct Sw3_2 {
        int range;
        bool expected[6];
    };
    const Sw3_2 sw3_2[] = {
        {0, {true, true, true, false, false, false}}, {1, {true, true, true, false, true, false}},
        {3, {true, true, true, false, true, false}},  {4, {true, true, true, true, false, true}},
    };
    for (const Sw3_2& c : sw3_2) {
        EXPECT_EQ(Is_SW3_2_Setting_Right(c.range, false, false, false), c.expected[0]) << c.range;
        EXPECT_EQ(Is_SW3_2_Setting_Right(c.range, true, false, false), c.expected[1]) << c.range;
        EXPECT_EQ(Is_SW3_2_Setting_Right(c.range, false, true, false), c.expected[2]) << c.range;
        EXPECT_EQ(Is_SW3_2_Setting_Right(c.range, true, true, false), c.expected[3]) << c.range;
        EXPECT_EQ(Is_SW3_2_Setting_Right(c.range, false, true, true), c.expected[4]) << c.range;
        EXPECT_EQ(Is_Amu_Switch_B_Ok(c.range, true, true, true), c.expected[5]) << c.range;
    }
}

TEST(Sd_Log, WritersOfOneRefreshShareOneStamp)
{
    const TDateTime time = EncodeDate(2026, 12, 10) + EncodeTime(9, 5, 1, 0);
    Set_Clock([time] { return time; });
    TStringList log;
    bool stamped = false;
    Log_Video_Link_SD(false, &log, stamped);
    Log_Triax_Down_Link_Break_SD(false, '1', &log, stamped);
    Log_Triax_Down_Link_Break_SD(true, '2', &log, stamped);
    bool next_refresh = false;
    Log_Video_Link_SD(true, &log, next_refresh);
    Set_Clock({});
    EXPECT_TRUE(stamped);
    EXPECT_FALSE(next_refresh);
    EXPECT_EQ(log.Text(), "------- 09:05:01 -------\r\nVideo link break\r\nTriax2 down link break\r\nVideo link OK\r\n");
}

} // namespace
