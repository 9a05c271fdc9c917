#include "screens/Hd_fields.h"

#include <cstddef>

bool Hd_Amu_Present(const St_System_HD_AMU& amu) { return amu.Is_Present(); }
int Hd_Amu_Mode_Value(const St_System_HD_AMU& amu) { return amu.Firmware_Version; }
int Hd_Amu_Synth_Value(const St_System_HD_AMU& amu) { return amu.Synth_Value; }
int Hd_Amu_Common_Range_Code(const St_System_HD_AMU& amu) { return amu.Common_Range_Code(); }

bool Hd_Amu_In_Use(const St_System_HD_WCU_Status& status, char amu)
{
    return amu == '1' ? status.Triax1_Link : status.Triax2_Link;
}

int Hd_Spectrum_Tuner_Choice(const St_System_HD& hd, char amu)
{
    return amu == '1' ? hd.Tuner_Choice_Amu1 : hd.Tuner_Choice_Amu2;
}

bool Hd_Spectrum_Present(const St_System_HD_Spectrum& spectrum) { return spectrum.Present; }

bool Hd_Wcu_Present(const St_System_HD_WCU& wcu) { return wcu.Present; }
bool Hd_Wcu_Data_Link_Ok(const St_System_HD_WCU& wcu) { return wcu.D2_Bit3_Held; }
bool Hd_Wcu_Data_Fault(const St_System_HD_WCU& wcu) { return wcu.D2_Bit0_Confirmed; }
int Hd_Wcu_Rx_Board_Version(const St_System_HD_WCU& wcu) { return wcu.D1; }
bool Hd_Wcu_Link_Present(const St_System_HD_WCU_Link& link) { return link.Present; }
int Hd_Wcu_Link_Event_Code(const St_System_HD_WCU_Link& link) { return link.Link_Event_Code; }
int Hd_Genlock_Gx_Version(const St_System_HD_WCU_Link& link) { return link.D13; }
int Hd_Genlock_Ii_Version(const St_System_HD_WCU_Link& link) { return link.D10; }
bool Hd_Wcu_Status_Present(const St_System_HD_WCU_Status& status) { return status.Present; }
int Hd_Triax_Board_Version(const St_System_HD_WCU_Status& status) { return status.D18; }
bool Hd_Wcu_Detail_Present(const St_System_HD_WCU_Detail& detail) { return detail.Present; }
int Hd_Audio_Wca_Version(const St_System_HD_WCU_Detail& detail) { return detail.D14; }
int Hd_Audio_Wcu_Version(const St_System_HD_WCU_Detail& detail) { return detail.D15; }
bool Hd_Amu_Up_Link_Ok(const St_System_HD_AMU& amu) { return amu.D24_Bit5; }
bool Hd_Amu_Up_Link_Fault(const St_System_HD_AMU& amu) { return amu.D24_Bit4; }
int Hd_Amu_Version(const St_System_HD_AMU& amu) { return amu.Firmware_Version; }
bool Hd_Wca_Present(const St_System_HD_WCA& wca) { return wca.Present; }
int Hd_Compression_Board_Version(const St_System_HD_WCA& wca) { return wca.D4; }
bool Hd_Wca_Status_Present(const St_System_HD_WCA_Status& status) { return status.Present; }
int Hd_Modulator_Board_Version(const St_System_HD_WCA_Status& status) { return status.D2; }
int Hd_Alarm_Battery_Level(const St_System_HD& hd) { return hd.Alarm_Battery_Level; }

bool Hd_Wcu_Data_Activity(const St_System_HD_WCU& wcu) { return wcu.D2_Bit3; }
bool Hd_Wcu_Video_Flag_1(const St_System_HD_WCU& wcu) { return wcu.D2_Bit2; }
bool Hd_Wcu_Video_Flag_2(const St_System_HD_WCU& wcu) { return wcu.D2_Bit1; }
int Hd_Wcu_Wca_Data_Channel_Steps(const St_System_HD_WCU& wcu) { return wcu.D6_D7; }
std::optional<bool> Hd_Wcu_Service_Data_Fault(const St_System_HD_WCU&) { return std::nullopt; }
std::optional<bool> Hd_Wcu_Service_Data_Activity(const St_System_HD_WCU&) { return std::nullopt; }
std::optional<bool> Hd_Wcu_Intercom_Flag(const St_System_HD_WCU&) { return std::nullopt; }
int Hd_Link_Transmission_Mode(const St_System_HD_WCU_Link& link) { return link.D8_Lo; }
int Hd_Link_Error_Value(const St_System_HD_WCU_Link& link) { return link.D8_Hi; }
bool Hd_Link_Video_Flag(const St_System_HD_WCU_Link& link) { return link.D12_Bit5; }
bool Hd_Wcu_Receive_Flag(const St_System_HD_WCU_Status&) { return true; }
bool Hd_Wcu_Receive_Toggle(const St_System_HD_WCU_Status& status) { return status.Toggle_A; }
bool Hd_Wcu_Ocp_Flag(const St_System_HD_WCU_Status&) { return true; }
bool Hd_Wcu_Ocp_Toggle(const St_System_HD_WCU_Status& status) { return status.Toggle_B; }
std::optional<bool> Hd_Wcu_On_Air(const St_System_HD_WCU_Status&) { return std::nullopt; }
float Hd_Wcu_Amu_Data_Frequency(const St_System_HD_WCU_Status& status) { return status.Data_Frequency; }
bool Hd_Audio_Stream(const St_System_HD_WCU_Detail& detail) { return detail.D3_Bit4; }
bool Hd_Audio_Dual(const St_System_HD_WCU_Detail& detail) { return detail.D3_Bit3; }
bool Hd_Audio_Delay_On(const St_System_HD_WCU_Detail& detail) { return detail.D3_Bit5; }
int Hd_Intercom_Routing(const St_System_HD_WCU_Detail& detail) { return detail.D3_Bits1_0; }

int Hd_Icom_Volume(const St_System_HD_WCU_Detail& detail, int n)
{
    return n == 1 ? detail.D4 : n == 2 ? detail.D5 : detail.D6;
}

int Hd_Audio_Level(const St_System_HD_WCU_Detail& detail, int n) { return n == 1 ? detail.D8_D9 : detail.D10_D11; }
int Hd_Icom_To_Wcu_Level(const St_System_HD_WCU_Detail& detail) { return detail.D12; }
int Hd_Icom_To_Camera_Level(const St_System_HD_WCU_Detail& detail) { return detail.D13; }
bool Hd_Amu_Versions_Match(const St_System_HD_AMU& amu) { return amu.Versions_Match; }
int Hd_Amu_Temperature(const St_System_HD_AMU& amu) { return amu.Temperature; }
int Hd_Amu_Dc_In(const St_System_HD_AMU& amu) { return amu.D13; }
int Hd_Amu_Triax_Qos(const St_System_HD_AMU& amu) { return amu.D17; }
bool Hd_Amu_Long_Triax(const St_System_HD_AMU& amu) { return amu.Long_Triax; }
std::optional<bool> Hd_Amu_Fan_Fault(const St_System_HD_AMU&) { return std::nullopt; }
std::optional<bool> Hd_Amu_Service_Data_Fault(const St_System_HD_AMU&) { return std::nullopt; }
std::optional<bool> Hd_Amu_Service_Data_Activity(const St_System_HD_AMU&) { return std::nullopt; }
std::optional<bool> Hd_Amu_Intercom_Flag(const St_System_HD_AMU&) { return std::nullopt; }
bool Hd_De_Present(const St_System_HD_AMU& amu) { return amu.Data_Valid_A; }
bool Hd_De_Programmed(const St_System_HD_AMU& amu) { return amu.Data_Valid_B; }
int Hd_De_Type(const St_System_HD_AMU& amu) { return amu.Data_Mode_Code; }

float Hd_De_Data_Frequency_Mhz(const St_System_HD_AMU& amu)
{
    return Data_Frequency_Mhz(amu.Data_Step_Mode, amu.Data_Freq_A, amu.Data_Freq_B, amu.Data_Freq_Hi,
                              amu.Data_Freq_Lo);
}

std::optional<bool> Hd_De_Booster(const St_System_HD_AMU&) { return std::nullopt; }

int Hd_Amu_Receiver_Type(const St_System_HD_AMU& amu, int receiver)
{
    return amu.Range_Code[static_cast<std::size_t>(receiver)];
}

bool Hd_Amu_Other_Amu_Type_Differs(const St_System_HD_AMU& amu) { return amu.Range_Mismatch; }
bool Hd_Amu_Sw1_2_Test(const St_System_HD_AMU& amu) { return amu.D1_Bit5; }
bool Hd_Amu_Sw1_1_Test(const St_System_HD_AMU& amu) { return amu.D1_Bit4; }
int Hd_Amu_Sw2_Setting(const St_System_HD_AMU& amu) { return amu.D1_Bits3_2; }
bool Hd_Amu_Sw3_2_Off(const St_System_HD_AMU& amu) { return amu.D1_Bit1; }
bool Hd_Amu_Sw3_1_Off(const St_System_HD_AMU& amu) { return amu.D1_Bit0; }
bool Hd_Amu_Cw2_Auto(const St_System_HD_AMU&) { return false; }
int Hd_Amu_Cw3_Position(const St_System_HD_AMU& amu) { return amu.D4_Hi; }
bool Hd_Wca_Tx_On(const St_System_HD_WCA& wca) { return wca.D6_Bit4; }
bool Hd_Wca_Tx_Fault(const St_System_HD_WCA& wca) { return wca.D6_Bit3; }
bool Hd_Wca_Compression_On(const St_System_HD_WCA& wca) { return wca.Present; }
int Hd_Wca_Compression_Mode(const St_System_HD_WCA& wca) { return wca.D6_Bits7_6; }
int Hd_Wca_Temperature(const St_System_HD_WCA_Status& status) { return status.D3; }

bool Hd_Wca_Receivers_Good(const St_System_HD_WCA_Status& s)
{
    const bool faults = s.D0_Bit7 || s.D0_Bit6 || s.D0_Bit5 || s.D0_Bit4 || s.D0_Bit3 || s.D0_Bit2 || s.D0_Bit1 ||
                        s.D0_Bit0;
    const bool locked = s.D1_Bit7 && s.D1_Bit6 && s.D1_Bit5 && s.D1_Bit4 && s.D1_Bit3 && s.D1_Bit1 && s.D1_Bit0;
    return !faults && locked;
}

float Hd_Wcu_Video_Frequency_Ghz(const St_System_HD_WCU_Status& status) { return status.Video_Frequency; }
float Hd_Wcu_Video_Bandwidth_Mhz(const St_System_HD_WCU_Status& status) { return status.Video_Bandwidth; }

bool Hd_Triax_Used(const St_System_HD_WCU_Status& status, char link)
{
    return link == '1' ? status.Is_Triax1_Used() : status.Is_Triax2_Used();
}

bool Hd_Triax_Down_Link_Ok(const St_System_HD_WCU_Status& status, char link)
{
    return link == '1' ? status.Is_Triax1_Down_Link_Ok() : status.Is_Triax2_Down_Link_Ok();
}

bool Hd_Triax_Ok(const St_System_HD_WCU_Status& status, char link)
{
    return link == '1' ? status.Is_Triax1_Ok() : status.Is_Triax2_Ok();
}

bool Hd_Triax_Link_Bit(const St_System_HD_WCU_Status& status, char link)
{
    return link == '1' ? status.Triax1_Link_Bit() : status.Triax2_Link_Bit();
}

int Hd_Wcu_Rate_Any(const St_System_HD_WCU_Status& status) { return status.Toggle_Rate_Any; }
int Hd_Wcu_Rate_A(const St_System_HD_WCU_Status& status) { return status.Toggle_Rate_A; }
int Hd_Wcu_Rate_B(const St_System_HD_WCU_Status& status) { return status.Toggle_Rate_B; }
int Hd_Wcu_Data_Quality(const St_System_HD_WCU& wcu) { return wcu.D0_Bits6_0; }
bool Hd_Link_Freeze(const St_System_HD_WCU_Link& link) { return link.D1_Bit2; }
bool Hd_Link_Genlock_In_Use(const St_System_HD_WCU_Link& link) { return link.D1_Bit0; }
bool Hd_Link_Genlock_Reference_Unknown(const St_System_HD_WCU_Link& link) { return link.D1_Bit1; }
bool Hd_Link_Genlock_Wrong_Standard(const St_System_HD_WCU_Link& link) { return link.D2_Bit0; }
bool Hd_Link_Genlock_Pll_Locked(const St_System_HD_WCU_Link& link) { return link.D2_Bit1; }
bool Hd_Link_Camera_Lock(const St_System_HD_WCU_Link& link) { return link.D2_Bit2; }
int Hd_Link_Raw_Video_Quality(const St_System_HD_WCU_Link& link) { return link.D0; }
bool Hd_Wca_Camera_Lock(const St_System_HD_WCA& wca) { return wca.D6_Bit5; }
bool Hd_Wca_Tally(const St_System_HD_WCA& wca) { return wca.D6_Bit2; }

std::optional<int> Hd_Wca_Battery_Raw(const St_System_HD_WCA& wca)
{
    if (!wca.Present) {
        return std::nullopt;
    }
    return wca.Battery_Raw;
}

int Hd_Amu_Cell_Identifier(const St_System_HD_AMU& amu) { return amu.Amu_Identifier; }
bool Hd_Amu_Cw1_Clash(const St_System_HD_AMU& amu) { return amu.Same_Identifier; }

bool Hd_Amu_Receiver_Locked(const St_System_HD_AMU& amu, int receiver)
{
    switch (receiver) {
    case 1: return amu.D3_Bit5 && amu.D3_Bit0;
    case 2: return amu.D3_Bit4 && amu.D3_Bit1;
    case 3: return amu.D3_Bit3 && amu.D3_Bit2;
    default: return false;
    }
}

bool Hd_Amu_All_Unlocked(const St_System_HD_AMU& amu) { return amu.D2_Bit2; }
bool Hd_Amu_Video_Link_Error(const St_System_HD_AMU& amu) { return amu.D2_Bit1; }
bool Hd_Amu_Profile_Mismatch(const St_System_HD_AMU& amu) { return amu.D2_Bit0; }
bool Hd_Amu_Grading_Enabled(const St_System_HD_AMU& amu) { return amu.Is_Grading_Enabled(); }
std::array<int, 3> Hd_Amu_Receiver_Levels(const St_System_HD_AMU_Stat& stat) { return stat.Rx_Level; }
std::array<int, 3> Hd_Amu_Grade_Values(const St_System_HD_AMU_Stat& stat) { return stat.Rx_Ext_Signed; }

int Hd_Amu_Rssi(const St_System_HD_AMU_Stat& stat, int tuner_choice)
{
    return stat.Rssi_Buffer ? stat.Rssi_Buffer->Get(tuner_choice) : 0;
}

bool Hd_De_Wire(const St_System_HD_AMU& amu) { return amu.Data_Valid_A; }
bool Hd_De_Tx_On(const St_System_HD_AMU& amu) { return amu.D5_Bit0; }
bool Hd_De_Normal_Transmission(const St_System_HD_AMU& amu) { return amu.D5_Bit2; }
