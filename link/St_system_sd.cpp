#include "link/St_system_sd.h"

#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"

#include <array>
#include <cmath>
#include <optional>

namespace {

// The video channels: code, digit and frequency text in each video range.
struct Channel {
    int Code;
    const char* Digit;
    std::array<const char*, 4> Frequency;
};

constexpr std::array<Channel, 16> Channels{{
    {22, "0", {"2200", "2394", "2500", "2720"}},
    {32, "1", {"2212", "2404", "2512", "2730"}},
    {39, "2", {"2225", "2411", "2525", "2740"}},
    {46, "3", {"2237", "2418", "2537", "2750"}},
    {53, "4", {"2250", "2425", "2550", "2760"}},
    {60, "5", {"2262", "2432", "2562", "2770"}},
    {67, "6", {"2275", "2439", "2575", "2780"}},
    {74, "7", {"2287", "2446", "2587", "2790"}},
    {81, "8", {"2300", "2453", "2600", "2810"}},
    {88, "9", {"2312", "2460", "2612", "2820"}},
    {95, "A", {"2325", "2467", "2625", "2830"}},
    {102, "B", {"2337", "2474", "2637", "2840"}},
    {111, "C", {"2350", "2483", "2650", "2850"}},
    {118, "D", {"2362", "2490", "2662", "2860"}},
    {125, "E", {"2375", "2497", "2675", "2870"}},
    {132, "F", {"2387", "2504", "2687", "2880"}},
}};

// The 455 MHz band's data channels.
constexpr std::array<const char*, 16> Band_455_Channels{
    "455 MHz",   "455,1 MHz", "455,2 MHz",  "455,3 MHz",  "455,4 MHz",  "455,5 MHz",  "455,6 MHz", "455,7 MHz",
    "455,8 MHz", "455,9 MHz", "456 MHz",    "456,15 MHz", "456,25 MHz", "456,4 MHz",  "456,55 MHz", "456,7 MHz",
};

constexpr std::array<const char*, 4> Video_Ranges{"2,2 - 2,4 GHz", "2,4 - 2,5 GHz", "2,5 - 2,7 GHz", "2,7 - 2,9 GHz"};
constexpr std::array<const char*, 2> Data_Ranges{"433,1 - 434,6 MHz", "455,0 - 456,7 MHz"};

std::optional<int> Channel_Row(int code)
{
    for (std::size_t row = 0; row < Channels.size(); ++row) {
        if (Channels[row].Code == code) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

// The level shown from a raw voltage byte.
int Level_Volts(int voltage_raw)
{
    return 71 - static_cast<int>(Trunc(voltage_raw * 0.18));
}

int Ratio_To_Db(int x, int lo, int hi, double reference)
{
    if (x <= 0) {
        return lo;
    }
    const double db = std::floor(20.0 * std::log10(x / reference) + 0.5);
    if (db < lo) {
        return lo;
    }
    return db > hi ? hi : static_cast<int>(db);
}

bool Is_Cofdm_Mode(int mode)
{
    return mode >= 0 && mode <= 15;
}

} // namespace

// ---- Records ----------------------------------------------------------------

void St_System_SD_WCU::Reset()
{
    Wcu_Flag = false;
    Data_Toggle_A = false;
    Data_Toggle_B = false;
    Video_Standard_Pal = true;
    Wcu_Code = 0;
    Video_Qos = 0;
    Production_Mode = 0;
    Wcu_Flag_2 = false;
    Diversity_Dual = false;
    Link_Flag = false;
    Audio_Option_On = false;
    Intercom_Volume_1 = 0;
    Intercom_Volume_2 = 0;
    Intercom_Volume_3 = 0;
    Data_Qos = 0;
    Audio_1_Level = 0;
    Audio_2_Level = 0;
    Icom_Level_1 = 0;
    Icom_Level_2 = 0;
    Status_Byte_15 = 0;
    Status_Byte_16 = 0;
    Video_Channel_Index = 0;
    Data_Channel_Index = 0;
    Wcu_Cofdm_Mode = 0;
    Audio_Levels_Valid = false;
    Rate_Any = 1;
    Rate_A = 1;
    Rate_B = 1;
}

void St_System_SD_AMU::Reset()
{
    Poll_Counter_Status = 0;
    Channel_Present = false;
    Present = false;
    Poll_Counter_Data = 0;
    Receiver_Flag_1 = false;
    Receiver_Flag_2 = false;
    Receiver_Flag_3 = false;
    Receiver_State_1 = false;
    Receiver_State_2 = false;
    Receiver_State_3 = false;
    Video_Channel_Valid = false;
    Error = false;
    Status_Code = 0;
    Active = false;
    Version_Major = 0;
    Version_Minor = 0;
    Versions_Compatible = true;
    Identifier = 0;
    Same_Identifier = false;
    Sw1_2_Test = false;
    Flag_6_3 = false;
    Long_Triax = false;
    Sw2_Setting = 0;
    Data_Step_100_Khz = false;
    Data_Channel = 0;
    Synth_Byte_8 = 0;
    Synth_Byte_9 = 0;
    Synth_Byte_10 = 0;
    Video_Channel_Code = 0;
    Cofdm_Mode = 0;
    Sw3_1_Off = false;
    Sw3_2_Off = false;
    Temperature = 0;
    Voltage_Raw = 0;
    Status_Byte_15 = 0;
    Status_Byte_16 = 0;
    Status_Byte_17 = 0;
    Video_Quality = 0;
    Nibble_19_Low = 0;
    Rc2_Setting = 0;
}

std::string St_System_SD_AMU::Get_Version_Text() const
{
    return IntToStr(Version_Major) + "." + IntToStr(Version_Minor);
}

void St_System_SD_DE::Reset()
{
    De_Flag = false;
    State = false;
}

void St_System_SD_Flags::Reset()
{
    Flag_1 = false;
    Flag_2 = false;
    Flag_3 = false;
}

// ---- Block ------------------------------------------------------------------

St_System_SD::St_System_SD(int camera_index)
    : Index(camera_index)
    , Video_Range_Frequency(Load_Camera_Integer("Video_Range_Frequency", 1, 4, 0, camera_index))
    , Data_Range_Frequency(Load_Camera_Integer("Data_Range_Frequency", 1, 2, 0, camera_index))
{
    Reset();
}

void St_System_SD::Copy(const St_System_SD& source)
{
    WCU = source.WCU;
    AMU1 = source.AMU1;
    AMU2 = source.AMU2;
    DE1 = source.DE1;
    DE2 = source.DE2;
    Flags = source.Flags;
    Video_Range_Frequency = source.Video_Range_Frequency;
    Data_Range_Frequency = source.Data_Range_Frequency;
}

void St_System_SD::Reset()
{
    WCU.Reset();
    Flags.Reset();
    AMU1.Reset();
    AMU2.Reset();
    DE1.Reset();
    DE2.Reset();
}

bool St_System_SD::Set_Range_Frequency(int kind, int value)
{
    if (kind == 0) {
        Video_Range_Frequency = value;
        return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Video_Range_Frequency", value, Index);
    }
    Data_Range_Frequency = value;
    return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Data_Range_Frequency", value, Index);
}

void St_System_SD::Check_Amu_Versions()
{
    const bool compatible = !(AMU1.Is_Valid() && AMU2.Is_Valid()) ||
                            (AMU1.Version_Major == AMU2.Version_Major && AMU1.Version_Minor == AMU2.Version_Minor);
    AMU1.Versions_Compatible = compatible;
    AMU2.Versions_Compatible = compatible;
}

void St_System_SD::Check_Amu_Settings()
{
    const bool same = AMU1.Is_Valid() && AMU2.Is_Valid() && AMU1.Identifier == AMU2.Identifier;
    AMU1.Same_Identifier = same;
    AMU2.Same_Identifier = same;
}

// ---- Converters -------------------------------------------------------------

std::string Level_Text(int voltage_raw)
{
    const int volts = Level_Volts(voltage_raw);
    return volts > 70 ? std::string() : IntToStr(volts) + "V";
}

bool Is_Level_Alarm_SD(int voltage_raw)
{
    const int volts = Level_Volts(voltage_raw);
    return volts > 55 || volts < 32;
}

std::string Carrier_Frequency_Text(bool step_100_khz, int high, int low, int channel, int mid, int range)
{
    if (range == 1) {
        const double step = step_100_khz ? 100.0 : 25.0;
        const double mhz = (high * 256.0 + low + channel + mid * 128.0) * step * 0.001;
        return FloatToStr(mhz) + " MHz";
    }
    if (range == 2 && channel >= 0 && channel < static_cast<int>(Band_455_Channels.size())) {
        return Band_455_Channels[static_cast<std::size_t>(channel)];
    }
    return {};
}

std::string Guard_Interval_Text(int cofdm_mode)
{
    return Is_Cofdm_Mode(cofdm_mode) ? "1/32" : "";
}

std::string Modulation_Text(int cofdm_mode)
{
    return Is_Cofdm_Mode(cofdm_mode) ? "64 QAM" : "";
}

std::string Code_Rate_Text(int cofdm_mode)
{
    return Is_Cofdm_Mode(cofdm_mode) ? "2/3" : "";
}

std::string Video_Standard_Text(bool pal)
{
    return pal ? "PAL" : "NTSC";
}

std::string Production_Mode_Text_SD(int mode)
{
    static constexpr std::array<const char*, 4> Modes{"OFF", "PROD", "ENG", "PROD + ENG"};
    return mode >= 0 && mode < static_cast<int>(Modes.size()) ? Modes[static_cast<std::size_t>(mode)] : "";
}

std::string Diversity_Text_SD(bool dual)
{
    return dual ? "DUAL" : "SINGLE";
}

int Ratio_To_Db_7020_SD(int x, int lo, int hi)
{
    return Ratio_To_Db(x, lo, hi, 7020.0);
}

int Ratio_To_Db_96_SD(int x, int lo, int hi)
{
    return Ratio_To_Db(x, lo, hi, 96.0);
}

int Ratio_To_Db_240_SD(int x, int lo, int hi)
{
    return Ratio_To_Db(x, lo, hi, 240.0);
}

std::string Channel_Digit_Text(int channel_code)
{
    const auto row = Channel_Row(channel_code);
    return row ? Channels[static_cast<std::size_t>(*row)].Digit : "";
}

std::string Channel_Frequency_Text(int channel_code, int video_range)
{
    const auto row = Channel_Row(channel_code);
    if (!row || video_range < 1 || video_range > 4) {
        return {};
    }
    return Channels[static_cast<std::size_t>(*row)].Frequency[static_cast<std::size_t>(video_range - 1)];
}

bool Is_Channel_Selected(int index, int channel_code, bool enabled)
{
    return !enabled || Channel_Row(channel_code) == index;
}

bool Is_Same_Or_Disabled_De(int a, int b, bool enabled)
{
    return !enabled || a == b;
}

bool Is_Same_Or_Disabled_Amu(int a, int b, bool enabled)
{
    return !enabled || a == b;
}

bool Is_SW3_1_Setting_Right(int video_range, bool sw3_1_off, bool after_1_1)
{
    switch (video_range) {
    case 1:
    case 3:
        return sw3_1_off;
    case 2:
        return !sw3_1_off;
    case 4:
        return !after_1_1 || !sw3_1_off;
    default:
        return false;
    }
}

bool Is_SW3_2_Setting_Right(int video_range, bool sw3_2_off, bool after_1_0, bool after_1_1)
{
    if (!after_1_0) {
        return true;
    }
    if (!after_1_1) {
        return video_range == 4 || !sw3_2_off;
    }
    if (video_range == 4) {
        return sw3_2_off;
    }
    return video_range >= 1 && video_range <= 3 && !sw3_2_off;
}

std::string Video_Range_Text(int video_range)
{
    return video_range >= 1 && video_range <= 4 ? Video_Ranges[static_cast<std::size_t>(video_range - 1)] : "?????";
}

std::string Data_Range_Text(int data_range)
{
    return data_range >= 1 && data_range <= 2 ? Data_Ranges[static_cast<std::size_t>(data_range - 1)] : "?????";
}

bool Is_Data_Band_Matching(int data_range, int rc2_setting)
{
    return (data_range == 1 && rc2_setting == 0) || (data_range == 2 && rc2_setting == 1);
}

// ---- Status log -------------------------------------------------------------

void Log_Video_Link_SD(bool ok, TStrings* list, bool& stamped)
{
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(ok ? 4019 : 4020));
}

void Log_Triax_Down_Link_Break_SD(bool broken, char digit, TStrings* list, bool& stamped)
{
    if (!broken) {
        return;
    }
    Log_Time_Stamp_Once(list, stamped);
    list->Add(LoadStr(4021) + digit + LoadStr(4022));
}
