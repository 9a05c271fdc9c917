#include "link/St_system_hd_convert.h"

#include "platform/classlib/Classes.h"
#include "platform/classlib/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

TEST(Hd_Converters, RangeCodes)
{
    struct Case {
        int code;
        double ghz;
        int range_code;
        const char* text;
        double centre_mhz;
    };
    // Synthesizer 100: base frequency 522 MHz.
    const Case cases[] = {
        {50, 2.178, 50, "2,0/2,2 GHz", 2178.0},  {51, 2.222, 51, "2,2/2,4 GHz", 2222.0},
        {52, 2.422, 52, "2,4/2,5 GHz", 2422.0},  {53, 2.522, 53, "2,5/2,7 GHz", 2522.0},
        {54, 2.722, 54, "2,7/2,9 GHz", 2722.0},  {55, 2.322, 55, "2,3/2,5 GHz", 2322.0},
        {49, -3.0, -3, "unknown", 0.0},          {56, -3.0, -3, "unknown", 0.0},
        {0, -3.0, -3, "unknown", 0.0},           {-1, -3.0, -3, "unknown", 0.0},
    };
    EXPECT_DOUBLE_EQ(Synth_Base_Frequency(100), 522.0);
    EXPECT_DOUBLE_EQ(Synth_Base_Frequency(511), 727.5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_NEAR(Video_Frequency_Ghz(100, c.code), c.ghz, 1e-12);
        EXPECT_EQ(Range_Code(c.code), c.range_code);
        EXPECT_EQ(Hd_Range_Text(c.code), c.text);
        EXPECT_NEAR(Spectrum_Start_Mhz(100, c.code, 0x16), c.centre_mhz - 100 * 0.08734375, 1e-9);
        EXPECT_NEAR(Spectrum_Start_Mhz(100, c.code, 0x15), c.centre_mhz - 100 * 0.09875, 1e-9);
    }
    EXPECT_EQ(Hd_Range_Text(-2), "unknown");
    EXPECT_EQ(Hd_Range_Text(-4), "unknown");
}

TEST(Hd_Converters, FirmwareSelectsBandwidthAndSpectrumStep)
{
    const std::pair<int, bool> cases[] = {{0, false}, {0x15, false}, {0x16, true}, {0x30, true}};
    for (const auto& [firmware, narrow] : cases) {
        SCOPED_TRACE(firmware);
        EXPECT_DOUBLE_EQ(Bandwidth_Mhz(firmware), narrow ? 17.381407 : 19.65125);
        EXPECT_DOUBLE_EQ(Spectrum_Step_Mhz(firmware), narrow ? 0.08734375 : 0.09875);
    }
}

TEST(Hd_Converters, DataFrequencySteps)
{
    struct Case {
        int step_mode;
        int a;
        int b;
        int hi;
        int lo;
        float mhz;
    };
    const Case cases[] = {
        {0, 1, 1, 1, 1, 9.65f},     // (256 + 1 + 128 + 1) steps of 25 kHz
        {1, 0, 0, 0, 10, 1.0f},     {2, 0, 0, 0, 10, 0.5f}, {7, 0, 2, 0, 0, 12.8f},
        {0, 0, 0, 70, 240, 454.0f}, {0, 0, 0, 72, 48, 462.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step_mode << ' ' << c.hi << ' ' << c.lo);
        EXPECT_FLOAT_EQ(Data_Frequency_Mhz(c.step_mode, c.a, c.b, c.hi, c.lo), c.mhz);
    }
    EXPECT_EQ(Data_Frequency_Mhz(0, 0, 0, 70, 240), 454.0f);
    EXPECT_DOUBLE_EQ(Steps_25khz_To_Mhz(40), 1.0);
}

TEST(Hd_Converters, LevelsAndQuality)
{
    const std::pair<int, float> db[] = {{0, 70.0f}, {5, 70.0f}, {6, 69.92f}, {100, 53.0f}, {255, 25.1f}};
    for (const auto& [level, expected] : db) {
        EXPECT_FLOAT_EQ(Level_Db(level), expected) << level;
    }
    const std::pair<int, bool> alarm[] = {{0, true}, {88, true}, {89, false}, {101, false}, {222, false}, {223, true}};
    for (const auto& [level, expected] : alarm) {
        EXPECT_EQ(Is_Level_Alarm_HD(level), expected) << level;
    }
    const std::pair<int, int> percent[] = {{-5, 0},  {0, 0},   {1, 2},   {12, 25},   {13, 28},   {20, 50},
                                           {21, 51}, {60, 75}, {61, 76}, {100, 100}, {101, 100}, {127, 100}};
    for (const auto& [quality, expected] : percent) {
        EXPECT_EQ(Quality_Percent(quality), expected) << quality;
    }
}

TEST(Hd_Converters, ModeTablesCoverEveryMode)
{
    struct Case {
        int mode;
        int low;
        int high;
    };
    const Case cases[] = {
        {0, 0, 255},   {1, 58, 188},  {2, 77, 207}, {3, 78, 208},  {4, 58, 188},
        {5, 80, 210},  {6, 81, 211},  {7, 0, 255},  {15, 0, 255},  {16, 0, 255},
        {-1, 0, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(Clamp_By_Mode(-10, c.mode), c.low);
        EXPECT_EQ(Clamp_By_Mode(c.low, c.mode), c.low);
        EXPECT_EQ(Clamp_By_Mode(150, c.mode), 150);
        EXPECT_EQ(Clamp_By_Mode(c.high, c.mode), c.high);
        EXPECT_EQ(Clamp_By_Mode(400, c.mode), c.high);
    }
}

TEST(Hd_Converters, VideoQualityGrade)
{
    struct Case {
        const char* name;
        bool enabled;
        std::array<int, 3> values;
        std::array<int, 3> levels;
        std::array<bool, 3> used;
        int mode;
        int grade;
    };
    const Case cases[] = {
        {"weak third tuner left out", true, {30, -30, 99}, {20, 20, 5}, {true, true, true}, 2, 2},
        {"grading disabled", false, {30, -30, 99}, {20, 20, 5}, {true, true, true}, 2, 0},
        {"no tuner counted", true, {99, 99, 99}, {13, 13, 13}, {true, true, true}, 2, 0},
        {"unused tuners left out", true, {99, 99, 8}, {50, 50, 50}, {false, false, true}, 2, 0},
        {"level at the threshold counts", true, {24, 0, 0}, {14, 0, 0}, {true, false, false}, 2, 2},
        {"grade-2 limit is strict", true, {20, 0, 0}, {14, 0, 0}, {true, false, false}, 2, 1},
        {"grade-1 limit is strict", true, {8, 0, 0}, {14, 0, 0}, {true, false, false}, 2, 0},
        {"mean is not truncated", true, {13, 0, 0}, {10, 0, 0}, {true, false, false}, 1, 1},
        {"mode 0 never grades", true, {999, 999, 999}, {255, 255, 255}, {true, true, true}, 0, 0},
        {"mode 7 never grades", true, {999, 999, 999}, {255, 255, 255}, {true, true, true}, 7, 0},
        {"unknown mode never grades", true, {999, 999, 999}, {255, 255, 255}, {true, true, true}, 99, 0},
        {"extreme values", true, {std::numeric_limits<int>::min(), 0, 0}, {255, 0, 0}, {true, false, false}, 3, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Video_Quality_Grade(c.enabled, c.values, c.levels, c.used[0], c.used[1], c.used[2], c.mode), c.grade)
            << c.name;
    }
}

TEST(Hd_Converters, RatiosToDecibels)
{
    using Ratio = int (*)(int, int, int);
    struct Case {
        Ratio ratio;
        Ratio meter;
        int reference;
    };
    const Case cases[] = {
        {Ratio_To_Db_7020_HD, Meter_Db_7020_HD, 7020},
        {Ratio_To_Db_96_HD, Meter_Db_96_HD, 96},
        {Ratio_To_Db_240_HD, Meter_Db_240_HD, 240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reference);
        for (const Ratio convert : {c.ratio, c.meter}) {
            EXPECT_EQ(convert(c.reference, -30, 30), 0);
            EXPECT_EQ(convert(0, -30, 30), -30);
            EXPECT_EQ(convert(-5, -30, 30), -30);
            EXPECT_EQ(convert(c.reference * 10, -30, 30), 20);
            EXPECT_EQ(convert(c.reference * 1000, -30, 30), 30);
            EXPECT_EQ(convert(1, -10, 30), -10);
        }
    }
}

TEST(Hd_Converters, BatteryVoltagesForEveryLevel)
{
    EXPECT_DOUBLE_EQ(Battery_Voltage(0), 10.5);
    EXPECT_DOUBLE_EQ(Battery_Voltage(341), 20.5);
    EXPECT_DOUBLE_EQ(Battery_Voltage(1023), 40.5);
    const std::pair<int, double> alarms[] = {{0, 14.25}, {1, 14.0}, {2, 13.75}, {3, 13.5},  {4, 13.25},
                                             {5, 13.0},  {6, 12.0}, {-1, 13.5}, {7, 13.5}, {1000, 13.5}};
    for (const auto& [level, volts] : alarms) {
        EXPECT_DOUBLE_EQ(Battery_Alarm_Voltage(level), volts) << level;
    }
}

TEST(Hd_Converters, Texts)
{
    const char* const transmission[] = {"",             "Outdoor / HiR", "Outdoor / Std", "Outdoor / HiQ",
                                        "Indoor / HiR", "Indoor / Std",  "Indoor / HiQ",  ""};
    for (int mode = 0; mode < 8; ++mode) {
        EXPECT_EQ(Transmission_Mode_Text(mode), transmission[mode]) << mode;
    }
    EXPECT_EQ(Transmission_Mode_Text(-1), "");
    EXPECT_EQ(Transmission_Mode_Text(std::numeric_limits<int>::min()), "");
    const char* const compression[] = {"Std", "Q + (H)", "Q + (V)", "Q + (T)", ""};
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_EQ(Compression_Mode_Text(true, mode), compression[mode]) << mode;
        EXPECT_EQ(Compression_Mode_Text(false, mode), "-----") << mode;
    }
    EXPECT_EQ(Compression_Mode_Text(true, -1), "");
    const char* const production[] = {"OFF", "PROD", "ENG", "PROD+ENG", ""};
    for (int mode = 0; mode < 5; ++mode) {
        EXPECT_EQ(Production_Mode_Text_HD(mode), production[mode]) << mode;
    }
    EXPECT_EQ(Production_Mode_Text_HD(-1), "");
    EXPECT_EQ(Diversity_Text_HD(true), "DUAL");
    EXPECT_EQ(Diversity_Text_HD(false), "SINGLE");
    EXPECT_EQ(Hd_Version_Text(0x21), "2.1");
    EXPECT_EQ(Hd_Version_Text(0x16), "1.6");
    EXPECT_EQ(Hd_Version_Text(0xAF), "10.15");
    EXPECT_EQ(Hd_Version_Text(0), "0.0");
}

class Hd_Log : public ::testing::Test {
protected:
    void SetUp() override { At(9, 5, 1); }
    void TearDown() override { Set_Clock({}); }
    static void At(int hour, int minute, int second)
    {
        const TDateTime time = EncodeDate(2026, 12, 10) + EncodeTime(hour, minute, second, 0);
        Set_Clock([time] { return time; });
    }
};

TEST_F(Hd_Log, EachLineOnAFreshLog)
{
    using Writer = std::function<void(TStrings*, bool&)>;
    const std::string stamp = "------- 09:05:01 -------\r\n";
    struct Case {
        const char* name;
        Writer write;
        std::string text;
    };
    const Case cases[] = {
        {"data link broken", [](TStrings* l, bool& s) { Log_Data_Link(true, l, s); }, stamp + "Data link break\r\n"},
        {"data link good", [](TStrings* l, bool& s) { Log_Data_Link(false, l, s); }, stamp + "Data link OK\r\n"},
        {"up link break", [](TStrings* l, bool& s) { Log_Triax_Up_Link_Break(true, '1', l, s); },
         stamp + "Triax1 up link break\r\n"},
        {"no up link break", [](TStrings* l, bool& s) { Log_Triax_Up_Link_Break(false, '1', l, s); }, ""},
        {"down link break", [](TStrings* l, bool& s) { Log_Triax_Down_Link_Break_HD(true, '2', l, s); },
         stamp + "Triax2 down link break\r\n"},
        {"no down link break", [](TStrings* l, bool& s) { Log_Triax_Down_Link_Break_HD(false, '2', l, s); }, ""},
        {"WCU reset", [](TStrings* l, bool& s) { Log_Video_Link_HD(1, l, s); }, stamp + "WCU reset\r\n"},
        {"waiting", [](TStrings* l, bool& s) { Log_Video_Link_HD(3, l, s); }, "Wait for video link\r\n"},
        {"video good", [](TStrings* l, bool& s) { Log_Video_Link_HD(4, l, s); }, stamp + "Video link OK\r\n"},
        {"video broken", [](TStrings* l, bool& s) { Log_Video_Link_HD(13, l, s); }, stamp + "Video link break\r\n"},
        {"no event", [](TStrings* l, bool& s) { Log_Video_Link_HD(0, l, s); }, ""},
        {"other event", [](TStrings* l, bool& s) { Log_Video_Link_HD(2, l, s); }, ""},
        {"unknown event", [](TStrings* l, bool& s) { Log_Video_Link_HD(-1, l, s); }, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList log;
        bool stamped = false;
        c.write(&log, stamped);
        EXPECT_EQ(log.Text(), c.text);
        EXPECT_EQ(stamped, c.text.starts_with("-------"));
    }
}

TEST_F(Hd_Log, OneStampPerRefreshAndSecond)
{
    TStringList log;
    bool stamped = false;
    Log_Video_Link_HD(3, &log, stamped);
    EXPECT_FALSE(stamped);
    Log_Data_Link(false, &log, stamped);
    Log_Triax_Up_Link_Break(true, '2', &log, stamped);
    EXPECT_TRUE(stamped);

    bool same_second = false;
    Log_Video_Link_HD(4, &log, same_second);
    EXPECT_FALSE(same_second);

    At(9, 5, 2);
    bool next_second = false;
    Log_Data_Link(true, &log, next_second);
    Log_Triax_Down_Link_Break_HD(true, '1', &log, next_second);
    EXPECT_EQ(log.Text(), "Wait for video link\r\n"
                          "------- 09:05:01 -------\r\n"
                          "Data link OK\r\n"
                          "Triax2 up link break\r\n"
                          "Video link OK\r\n"
                          "------- 09:05:02 -------\r\n"
                          "Data link break\r\n"
                          "Triax1 down link break\r\n");
}

} // namespace
