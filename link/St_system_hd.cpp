#include "link/St_system_hd.h"

#include "link/St_system.h"

#include <algorithm>

namespace {

// Polls in a row after which a WCU header flag is taken to have changed.
constexpr int Debounce_Polls = 5;

// The data channel must lie in this band (MHz, both ends included).
constexpr float Data_Band_Low = 454.0f;
constexpr float Data_Band_High = 462.0f;
// The only data mode whose channel the AMU reports as a frequency.
constexpr int Data_Mode_Frequency = 4;

// Holds the first non-zero range code met; a later different one is a
// mismatch. Tuners without a code (0) do not count.
class Held_Range_Code {
public:
    void Take(const std::array<int, 3>& codes)
    {
        for (const int code : codes) {
            if (code == 0) {
                continue;
            }
            if (Code == 0) {
                Code = code;
            } else if (code != Code) {
                Mismatch = true;
            }
        }
    }

    int Code = 0;
    bool Mismatch = false;
};

bool Has_No_Range_Code(const St_System_HD_AMU& amu)
{
    return std::ranges::all_of(amu.Range_Code, [](int code) { return code == 0; });
}

float As_Code(int code)
{
    return static_cast<float>(code);
}

void Update_Video_Frequency_Of_One(St_System_HD_AMU& amu, bool range_valid, St_System_HD_WCU_Status& status)
{
    Held_Range_Code held;
    held.Take(amu.Range_Code);
    if (held.Mismatch) {
        amu.Range_Mismatch = true;
        status.Video_Frequency = As_Code(Hd_Frequency_Mismatch);
        return;
    }
    if (held.Code == 0) {
        status.Video_Frequency = As_Code(Hd_No_Frequency);
    } else {
        status.Video_Frequency = range_valid
                                     ? static_cast<float>(Video_Frequency_Ghz(amu.Synth_Value, held.Code))
                                     : As_Code(Hd_Range_Not_Valid);
    }
    status.Video_Bandwidth = static_cast<float>(Bandwidth_Mhz(amu.Firmware_Version));
}

void Update_Video_Frequency_Of_Both(St_System_HD_AMU& amu1, St_System_HD_AMU& amu2, St_System_HD_WCU_Status& status)
{
    if (Has_No_Range_Code(amu1) || Has_No_Range_Code(amu2)) {
        status.Video_Frequency = As_Code(Hd_No_Frequency);
        status.Video_Bandwidth = static_cast<float>(Bandwidth_Mhz(amu1.Firmware_Version));
        return;
    }
    Held_Range_Code held;
    held.Take(amu1.Range_Code);
    held.Take(amu2.Range_Code);
    if (held.Mismatch) {
        amu1.Range_Mismatch = true;
        amu2.Range_Mismatch = true;
        status.Video_Frequency = As_Code(Hd_Frequency_Mismatch);
        return;
    }
    if (!status.Amu1_Range_Valid && !status.Amu2_Range_Valid) {
        status.Video_Frequency = As_Code(Hd_Range_Not_Valid);
    } else {
        const int synth = status.Amu1_Range_Valid ? amu1.Synth_Value : amu2.Synth_Value;
        status.Video_Frequency = static_cast<float>(Video_Frequency_Ghz(synth, held.Code));
    }
    status.Video_Bandwidth = static_cast<float>(Bandwidth_Mhz(amu1.Firmware_Version));
}

float Data_Frequency_Of(const St_System_HD_AMU& amu)
{
    return Data_Frequency_Mhz(amu.Data_Step_Mode, amu.Data_Freq_A, amu.Data_Freq_B, amu.Data_Freq_Hi,
                              amu.Data_Freq_Lo);
}

bool Is_In_Data_Band(float mhz)
{
    return mhz >= Data_Band_Low && mhz <= Data_Band_High;
}

bool Is_Data_Valid(const St_System_HD_AMU& amu)
{
    return amu.Data_Valid_A && amu.Data_Valid_B;
}

float Data_Frequency_Of_One(const St_System_HD_AMU& amu, bool range_valid)
{
    if (!range_valid) {
        return As_Code(Hd_Range_Not_Valid);
    }
    if (!Is_Data_Valid(amu)) {
        return As_Code(Hd_No_Frequency);
    }
    if (amu.Data_Mode_Code != Data_Mode_Frequency) {
        return As_Code(Hd_Invalid_Code);
    }
    const float mhz = Data_Frequency_Of(amu);
    return Is_In_Data_Band(mhz) ? mhz : As_Code(Hd_Frequency_Mismatch);
}

float Data_Frequency_Of_Both(const St_System_HD_AMU& amu1, const St_System_HD_AMU& amu2,
                             const St_System_HD_WCU_Status& status)
{
    if (!status.Amu1_Range_Valid && !status.Amu2_Range_Valid) {
        return As_Code(Hd_Range_Not_Valid);
    }
    if (!Is_Data_Valid(amu1) || !Is_Data_Valid(amu2)) {
        return As_Code(Hd_No_Frequency);
    }
    const float mhz = Data_Frequency_Of(status.Amu1_Range_Valid ? amu1 : amu2);
    if (amu1.Data_Mode_Code != amu2.Data_Mode_Code || !Is_In_Data_Band(mhz)) {
        return As_Code(Hd_Frequency_Mismatch);
    }
    return amu1.Data_Mode_Code == Data_Mode_Frequency ? mhz : As_Code(Hd_Invalid_Code);
}

} // namespace

void St_System_HD_WCU::Reset()
{
    Present = false;
    D0_Bits6_0 = 0;
    D1 = 0;
    D2_Bit5 = false;
    D2_Bit4 = false;
    D2_Bit3 = true;
    D2_Bit3_Absent_Count = 0;
    D2_Bit3_Held = true;
    D2_Bit2 = false;
    D2_Bit1 = false;
    D2_Bit0 = false;
    D2_Bit0_Count = 0;
    D2_Bit0_Confirmed = false;
    D3 = 0;
    D4 = 0;
    D5_Lo = 0;
    D6_D7 = 0;
}

void St_System_HD_WCU::Debounce_Flags()
{
    if (D2_Bit3) {
        D2_Bit3_Absent_Count = 0;
        D2_Bit3_Held = true;
    } else {
        D2_Bit3_Absent_Count = std::min(D2_Bit3_Absent_Count + 1, Debounce_Polls);
        D2_Bit3_Held = D2_Bit3_Absent_Count < Debounce_Polls;
    }
    if (D2_Bit0) {
        D2_Bit0_Count = std::min(D2_Bit0_Count + 1, Debounce_Polls);
        D2_Bit0_Confirmed = D2_Bit0_Count == Debounce_Polls;
    } else {
        D2_Bit0_Count = 0;
        D2_Bit0_Confirmed = false;
    }
}

void St_System_HD_WCA::Reset()
{
    Present = false;
    D0_D1 = 0;
    Battery_Raw = 0;
    D4 = 0;
    D5_Bits6_4 = 0;
    D5_Lo = 0;
    D6_Bits7_6 = 0;
    D6_Bit5 = false;
    D6_Bit4 = false;
    D6_Bit3 = false;
    D6_Bit2 = false;
    D6_Bit1 = false;
    D6_Bit0 = false;
    D7 = 0;
}

void St_System_HD_WCA_Status::Reset()
{
    Present = false;
    D3 = 0;
    D2 = 0;
    D4 = 0;
    D5 = 0;
    D0_Bit7 = false;
    D0_Bit6 = false;
    D0_Bit5 = false;
    D0_Bit4 = false;
    D0_Bit3 = false;
    D0_Bit2 = false;
    D0_Bit1 = false;
    D0_Bit0 = false;
    D1_Bit7 = false;
    D1_Bit6 = false;
    D1_Bit5 = false;
    D1_Bit4 = false;
    D1_Bit3 = false;
    D1_Bit1 = false;
    D1_Bit0 = false;
    D6 = 0;
}

void St_System_HD_AMU::Reset()
{
    Present = false;
    Firmware_Version = 0;
    Versions_Match = true;
    D1_Bit5 = false;
    D1_Bit4 = false;
    D1_Bits3_2 = 0;
    D1_Bit1 = false;
    D1_Bit0 = false;
    D2_Bit2 = false;
    D2_Bit1 = false;
    D2_Bit0 = false;
    D3_Bit5 = false;
    D3_Bit4 = false;
    D3_Bit3 = false;
    D3_Bit0 = false;
    D3_Bit1 = false;
    D3_Bit2 = false;
    D4_Hi = 0;
    Amu_Identifier = 0;
    D5_Bit2 = false;
    Data_Valid_A = false;
    D5_Bit0 = false;
    Data_Step_Mode = 0;
    Data_Freq_A = 0;
    Data_Freq_B = 0;
    Data_Freq_Lo = 0;
    Data_Freq_Hi = 0;
    Synth_Value = 0;
    D11 = 0;
    Temperature = 0;
    D13 = 0;
    D14 = 0;
    D15 = 0;
    D16 = 0;
    D17 = 0;
    D18_Hi = 0;
    Data_Mode_Code = 0;
    Range_Code.fill(0);
    D22 = 0;
    D23 = 0;
    D24_Bit5 = true;
    D24_Bit4 = false;
    D24_Bit3 = false;
    D24_Bit6 = false;
    Data_Valid_B = false;
    D24_Bit1 = false;
    Long_Triax = false;
    Same_Identifier = false;
    Range_Mismatch = false;
}

int St_System_HD_AMU::Common_Range_Code() const
{
    Held_Range_Code held;
    held.Take(Range_Code);
    return held.Code != 0 && !held.Mismatch ? held.Code : Hd_No_Frequency;
}

// ---- St_System_HD_AMU_Stat -------------------------------------------------

St_System_HD_AMU_Stat::St_System_HD_AMU_Stat()
    : Rssi_Buffer(std::make_unique<RSSI_AMU_Buffer>())
{
    Reset();
}

St_System_HD_AMU_Stat::St_System_HD_AMU_Stat(const St_System_HD_AMU_Stat& source)
    : Rssi_Buffer(std::make_unique<RSSI_AMU_Buffer>())
{
    *this = source;
}

St_System_HD_AMU_Stat& St_System_HD_AMU_Stat::operator=(const St_System_HD_AMU_Stat& source)
{
    Present = source.Present;
    D0_Bits7_6 = source.D0_Bits7_6;
    D0_Bit5 = source.D0_Bit5;
    D0_Bits4_0 = source.D0_Bits4_0;
    Rx_G0_Bits5_4 = source.Rx_G0_Bits5_4;
    Rx_Value = source.Rx_Value;
    Rx_G2 = source.Rx_G2;
    Rx_G3 = source.Rx_G3;
    Rx_Level = source.Rx_Level;
    Rx_G5 = source.Rx_G5;
    D19 = source.D19;
    D20 = source.D20;
    Rx_Ext_Signed = source.Rx_Ext_Signed;
    Rx_Ext = source.Rx_Ext;
    D27 = source.D27;
    *Rssi_Buffer = *source.Rssi_Buffer;
    return *this;
}

void St_System_HD_AMU_Stat::Reset()
{
    Present = false;
    D0_Bits7_6 = 0;
    D0_Bit5 = false;
    D0_Bits4_0 = 0;
    Rx_G0_Bits5_4.fill(0);
    Rx_Value.fill(0);
    Rx_G2.fill(0);
    Rx_G3.fill(0);
    Rx_Level.fill(255);
    Rx_G5.fill(0);
    D19 = 0;
    D20 = 0;
    Rx_Ext_Signed.fill(0);
    Rx_Ext.fill(0);
    D27 = 0;
    Rssi_Buffer->Reset();
}

// ---- St_System_HD_Spectrum -------------------------------------------------

void St_System_HD_Spectrum::Reset(bool clear_curves)
{
    Present = false;
    if (clear_curves) {
        Clear_Curves();
    }
}

void St_System_HD_Spectrum::Clear_Curves()
{
    Current.fill(Empty_Point);
    Peak.fill(Empty_Point);
}

void St_System_HD_Spectrum::Reset_Peak()
{
    Peak.fill(Empty_Point);
}

void St_System_HD_Spectrum::Update_Peak(int first, int count)
{
    const int begin = std::clamp(first, 0, Points);
    const int end = std::clamp(first + std::max(count, 0), begin, Points);
    for (auto i = static_cast<std::size_t>(begin); i < static_cast<std::size_t>(end); ++i) {
        Peak[i] = std::max(Peak[i], Current[i]);
    }
}

// ---- WCU status, detail and link -------------------------------------------

void St_System_HD_WCU_Status::Reset()
{
    Present = false;
    D0_Bit7 = false;
    D0_Bit6 = false;
    Amu1_Range_Valid = false;
    Amu2_Range_Valid = false;
    Toggle_B = false;
    Toggle_A = false;
    D0_Bit0 = false;
    D0_Bit1 = false;
    Triax1_Link = false;
    Triax2_Link = false;
    D1_Bit2 = false;
    D1_Bit3 = false;
    D1_Bit6 = false;
    D1_Bit7 = false;
    Triax1_Used = false;
    Triax2_Used = false;
    D2_Bit6 = false;
    D2_Bit7 = false;
    D2_Bit4 = false;
    D2_Bit5 = false;
    D2_Lo = 0;
    D16_Hi = 0;
    D16_Lo = 0;
    D17_Lo = 0;
    D17_Bit5 = false;
    D17_Bit4 = false;
    D18 = 0;
    Video_Frequency = 0.0f;
    Video_Bandwidth = Default_Video_Bandwidth;
    Data_Frequency = 0.0f;
    Toggle_Rate_Any = 1;
    Toggle_Rate_A = 1;
    Toggle_Rate_B = 1;
}

void St_System_HD_WCU_Detail::Reset()
{
    Present = false;
    D3_Bit5 = false;
    D3_Bit4 = false;
    D3_Bit3 = false;
    D3_Bit2 = false;
    D3_Bits1_0 = 0;
    D4 = 0;
    D5 = 0;
    D6 = 0;
    D7 = 0;
    D8_D9 = 0;
    D10_D11 = 0;
    D12 = 0;
    D13 = 0;
    D14 = 0;
    D15 = 0;
}

void St_System_HD_WCU_Link::Reset()
{
    Present = false;
    D1_Bit2 = false;
    D1_Bit0 = false;
    D1_Bit1 = false;
    D2_Bit0 = false;
    D2_Bit1 = false;
    D2_Bit2 = false;
    D2_Bit3 = false;
    D2_Bit4 = false;
    D2_Bit5 = false;
    D2_Bit6 = false;
    D0 = 0;
    D3 = 0;
    D4 = 0;
    D5 = 0;
    D6 = 0;
    D8_Lo = 0;
    D8_Hi = 0;
    D7_Lo = 0;
    D10 = 0;
    D11_Bits6_4 = 0;
    D11_Lo = 0;
    D12_Bit5 = false;
    D12_Bit3 = false;
    D12_Bit2 = false;
    D12_Bit1 = false;
    D12_Bit0 = false;
    D12_Bit4 = false;
    Link_Event_Code = 0;
    D13 = 0;
}

// ---- Block ------------------------------------------------------------------

St_System_HD::St_System_HD(int camera_index)
    : Index(camera_index)
    , Alarm_Battery_Level(Load_Camera_Integer("Alarm_Battery_Level", 0, Max_Alarm_Battery_Level, 3, camera_index))
    , Tuner_Choice_Amu1(0)
    , Tuner_Choice_Amu2(0)
{
    Reset();
}

void St_System_HD::Copy(const St_System_HD& source)
{
    Wcu = source.Wcu;
    Wca = source.Wca;
    Wca_Status = source.Wca_Status;
    Amu1 = source.Amu1;
    Amu1_Stat = source.Amu1_Stat;
    Amu1_Spectrum = source.Amu1_Spectrum;
    Amu2 = source.Amu2;
    Amu2_Stat = source.Amu2_Stat;
    Amu2_Spectrum = source.Amu2_Spectrum;
    Wcu_Status = source.Wcu_Status;
    Wcu_Detail = source.Wcu_Detail;
    Wcu_Link = source.Wcu_Link;
    Alarm_Battery_Level = source.Alarm_Battery_Level;
    Tuner_Choice_Amu1 = source.Tuner_Choice_Amu1;
    Tuner_Choice_Amu2 = source.Tuner_Choice_Amu2;
}

void St_System_HD::Reset()
{
    Wcu.Reset();
    Wca.Reset();
    Wca_Status.Reset();
    Amu1.Reset();
    Amu1_Stat.Reset();
    Amu1_Spectrum.Reset(true);
    Amu2.Reset();
    Amu2_Stat.Reset();
    Amu2_Spectrum.Reset(true);
    Wcu_Status.Reset();
    Wcu_Detail.Reset();
    Wcu_Link.Reset();
}

bool St_System_HD::Set_Alarm_Battery_Level(int level)
{
    if (level < 0 || level > Max_Alarm_Battery_Level) {
        return false;
    }
    Alarm_Battery_Level = level;
    return Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Alarm_Battery_Level", level, Index);
}

void St_System_HD::Set_Tuner_Choice(int tuner, char side)
{
    if (tuner < 0 || tuner > Max_Tuner_Choice) {
        return;
    }
    (side == '1' ? Tuner_Choice_Amu1 : Tuner_Choice_Amu2) = tuner;
}

// ---- Derivations ------------------------------------------------------------

void St_System_HD::Check_Amu_Versions()
{
    const bool match = !(Amu1.Present && Amu2.Present) || Amu1.Firmware_Version == Amu2.Firmware_Version;
    Amu1.Versions_Match = match;
    Amu2.Versions_Match = match;
}

void St_System_HD::Check_Amu_Settings()
{
    const bool same = Amu1.Present && Amu2.Present && Amu1.Amu_Identifier == Amu2.Amu_Identifier;
    Amu1.Same_Identifier = same;
    Amu2.Same_Identifier = same;
}

void St_System_HD::Update_Video_Frequency()
{
    Amu1.Range_Mismatch = false;
    Amu2.Range_Mismatch = false;
    if (Amu1.Present && Amu2.Present) {
        Update_Video_Frequency_Of_Both(Amu1, Amu2, Wcu_Status);
    } else if (Amu1.Present) {
        Update_Video_Frequency_Of_One(Amu1, Wcu_Status.Amu1_Range_Valid, Wcu_Status);
    } else if (Amu2.Present) {
        Update_Video_Frequency_Of_One(Amu2, Wcu_Status.Amu2_Range_Valid, Wcu_Status);
    } else {
        Wcu_Status.Video_Frequency = 0.0f;
        Wcu_Status.Video_Bandwidth = St_System_HD_WCU_Status::Default_Video_Bandwidth;
    }
}

void St_System_HD::Update_Data_Frequency()
{
    float& mhz = Wcu_Status.Data_Frequency;
    if (Amu1.Present && Amu2.Present) {
        mhz = Data_Frequency_Of_Both(Amu1, Amu2, Wcu_Status);
    } else if (Amu1.Present) {
        mhz = Data_Frequency_Of_One(Amu1, Wcu_Status.Amu1_Range_Valid);
    } else if (Amu2.Present) {
        mhz = Data_Frequency_Of_One(Amu2, Wcu_Status.Amu2_Range_Valid);
    } else {
        mhz = 0.0f;
    }
}
