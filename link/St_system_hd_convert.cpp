#include "link/St_system_hd_convert.h"

#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"

#include <cmath>

namespace {

constexpr int First_Range_Code = 50;
constexpr int Last_Range_Code = 55;

// Per range code 50..55: how the video channel follows the synthesizer's
// base frequency f. Code 50 is the only inverted band (2700 - f).
struct Range {
    double Sign;
    double Offset;
    const char* Text;
};

constexpr std::array<Range, 6> Ranges{{
    {-1.0, 2700.0, "2,0/2,2 GHz"},
    {1.0, 1700.0, "2,2/2,4 GHz"},
    {1.0, 1900.0, "2,4/2,5 GHz"},
    {1.0, 2000.0, "2,5/2,7 GHz"},
    {1.0, 2200.0, "2,7/2,9 GHz"},
    {1.0, 1800.0, "2,3/2,5 GHz"},
}};

const Range* Find_Range(int code)
{
    if (code < First_Range_Code || code > Last_Range_Code) {
        return nullptr;
    }
    return &Ranges[static_cast<std::size_t>(code - First_Range_Code)];
}

// MHz of the video channel's centre; 0 for an unknown code.
double Centre_Mhz(int synth, int range_code)
{
    const Range* range = Find_Range(range_code);
    return range ? range->Sign * Synth_Base_Frequency(synth) + range->Offset : 0.0;
}

// Meter range and grading thresholds of one transmission mode.
struct Mode_Limits {
    int Clamp_Min;
    int Clamp_Max;
    int Level_Threshold;
    double Grade_1_Limit;
    double Grade_2_Limit;
};

// Modes 1..6; every other mode takes the neutral row, which never grades.
constexpr Mode_Limits Neutral_Mode{0, 255, 256, 128.0, 128.0};
constexpr std::array<Mode_Limits, 6> Modes{{
    {58, 188, 10, 6.0, 12.0},
    {77, 207, 14, 4.0, 10.0},
    {78, 208, 18, 3.0, 8.0},
    {58, 188, 10, 6.0, 12.0},
    {80, 210, 14, 4.0, 10.0},
    {81, 211, 18, 3.0, 8.0},
}};

const Mode_Limits& Limits_Of(int mode)
{
    return mode >= 1 && mode <= static_cast<int>(Modes.size()) ? Modes[static_cast<std::size_t>(mode - 1)]
                                                                 : Neutral_Mode;
}

constexpr std::array<double, 7> Battery_Alarm_Voltages{14.25, 14.0, 13.75, 13.5, 13.25, 13.0, 12.0};
// The level a missing or broken setting is repaired to.
constexpr int Default_Battery_Level = 3;

// The text of a small code, or the empty text outside the table.
template <std::size_t N>
std::string Text_Of(const std::array<const char*, N>& texts, int index)
{
    return index >= 0 && index < static_cast<int>(N) ? texts[static_cast<std::size_t>(index)] : "";
}

// Quality 1..100 on the meter's four straight pieces, joined at 12 (25 %),
// 20 (50 %) and 60 (75 %).
double Unrounded_Percent(int quality)
{
    if (quality < 13) {
        return quality * 2.0833333333333335;
    }
    if (quality < 21) {
        return (quality - 12) * 3.125 + 25.0;
    }
    if (quality < 61) {
        return (quality - 20) * 0.625 + 50.0;
    }
    return (quality - 60) * 0.625 + 75.0;
}

} // namespace

// ---- Frequencies and ranges -------------------------------------------------

double Synth_Base_Frequency(int synth)
{
    return synth * 0.5 + 472.0;
}

double Video_Frequency_Ghz(int synth, int range_code)
{
    return Find_Range(range_code) ? Centre_Mhz(synth, range_code) * 0.001 : Hd_Invalid_Code;
}

int Range_Code(int code)
{
    return Find_Range(code) ? code : Hd_Invalid_Code;
}

std::string Hd_Range_Text(int code)
{
    const Range* range = Find_Range(code);
    return range ? range->Text : "unknown";
}

double Bandwidth_Mhz(int firmware_version)
{
    return firmware_version >= 0x16 ? 17.381407 : 19.65125;
}

double Spectrum_Step_Mhz(int firmware_version)
{
    return firmware_version >= 0x16 ? 0.08734375 : 0.09875;
}

double Spectrum_Start_Mhz(int synth, int range_code, int firmware_version)
{
    return Centre_Mhz(synth, range_code) - Spectrum_Step_Mhz(firmware_version) * 200 * 0.5;
}

float Data_Frequency_Mhz(int step_mode, int a, int b, int hi, int lo)
{
    const double step = step_mode == 0 ? 0.025 : step_mode == 1 ? 0.1 : 0.05;
    return static_cast<float>((hi * 256 + lo + b * 128 + a) * step);
}

double Steps_25khz_To_Mhz(int steps)
{
    return steps * 0.025;
}

// ---- Levels, quality and battery --------------------------------------------

float Level_Db(int level)
{
    const double db = 71.0 - level * 0.18;
    return static_cast<float>(db > 70.0 ? 70.0 : db);
}

bool Is_Level_Alarm_HD(int level)
{
    return Is_Level_Alarm_SD(level);
}

int Quality_Percent(int quality)
{
    if (quality < 1) {
        return 0;
    }
    if (quality > 100) {
        return 100;
    }
    return static_cast<int>(Trunc(Unrounded_Percent(quality) + 0.5));
}

int Clamp_By_Mode(int value, int mode)
{
    const Mode_Limits& limits = Limits_Of(mode);
    if (value < limits.Clamp_Min) {
        return limits.Clamp_Min;
    }
    return value > limits.Clamp_Max ? limits.Clamp_Max : value;
}

int Video_Quality_Grade(bool enabled, const std::array<int, 3>& values, const std::array<int, 3>& levels, bool use1,
                        bool use2, bool use3, int mode)
{
    if (!enabled) {
        return 0;
    }
    const Mode_Limits& limits = Limits_Of(mode);
    const std::array<bool, 3> used{use1, use2, use3};
    double sum = 0.0;
    int count = 0;
    for (std::size_t tuner = 0; tuner < used.size(); ++tuner) {
        if (used[tuner] && levels[tuner] >= limits.Level_Threshold) {
            sum += std::fabs(static_cast<double>(values[tuner]));
            ++count;
        }
    }
    if (count == 0) {
        return 0;
    }
    const double mean = sum / (count * 2);
    if (mean > limits.Grade_2_Limit) {
        return 2;
    }
    return mean > limits.Grade_1_Limit ? 1 : 0;
}

// The HD meters read the same scales as the SD ones.
int Ratio_To_Db_7020_HD(int x, int lo, int hi)
{
    return Ratio_To_Db_7020_SD(x, lo, hi);
}

int Ratio_To_Db_96_HD(int x, int lo, int hi)
{
    return Ratio_To_Db_96_SD(x, lo, hi);
}

int Ratio_To_Db_240_HD(int x, int lo, int hi)
{
    return Ratio_To_Db_240_SD(x, lo, hi);
}

double Battery_Voltage(int raw)
{
    return raw * 0.029325513196480937 + 10.5;
}

double Battery_Alarm_Voltage(int level)
{
    const bool known = level >= 0 && level < static_cast<int>(Battery_Alarm_Voltages.size());
    return Battery_Alarm_Voltages[static_cast<std::size_t>(known ? level : Default_Battery_Level)];
}

// ---- Texts --------------------------------------------------------------------

std::string Transmission_Mode_Text(int mode)
{
    // Mode 0 has no name.
    static constexpr std::array<const char*, 7> Texts{
        "", "Outdoor / HiR", "Outdoor / Std", "Outdoor / HiQ", "Indoor / HiR", "Indoor / Std", "Indoor / HiQ"};
    return Text_Of(Texts, mode);
}

std::string Compression_Mode_Text(bool on, int mode)
{
    static constexpr std::array<const char*, 4> Texts{"Std", "Q + (H)", "Q + (V)", "Q + (T)"};
    return on ? Text_Of(Texts, mode) : "-----";
}

std::string Production_Mode_Text_HD(int mode)
{
    static constexpr std::array<const char*, 4> Texts{"OFF", "PROD", "ENG", "PROD+ENG"};
    return Text_Of(Texts, mode);
}

std::string Diversity_Text_HD(bool dual)
{
    return dual ? "DUAL" : "SINGLE";
}

std::string Hd_Version_Text(int version_byte)
{
    return IntToStr((version_byte >> 4) & 0x0F) + "." + IntToStr(version_byte & 0x0F);
}

// ---- Status log ---------------------------------------------------------------

void Log_Data_Link(bool broken, TStrings* list, bool& stamped)
{
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(broken ? 4013 : 4014));
}

void Log_Triax_Up_Link_Break(bool happened, char triax, TStrings* list, bool& stamped)
{
    if (!happened) {
        return;
    }
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(4015) + triax + LoadStr(4016));
}

void Log_Triax_Down_Link_Break_HD(bool happened, char triax, TStrings* list, bool& stamped)
{
    if (!happened) {
        return;
    }
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(4021) + triax + LoadStr(4022));
}

void Log_Video_Link_HD(int link_event_code, TStrings* list, bool& stamped)
{
    if (link_event_code == 3) {
        list->Add(LoadStr(4018));
        return;
    }
    const int text = link_event_code == 1 ? 4017 : link_event_code == 4 ? 4019 : link_event_code == 13 ? 4020 : 0;
    if (text == 0) {
        return;
    }
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(text));
}
