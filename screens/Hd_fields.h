#pragma once
// Which record field each meaning of the HD screens reads. The HD windows
// read the HD records only through these, so that a meaning found to sit in
// another field is corrected here, in one line.

#include "link/St_system_hd.h"

#include <optional>

// AMU (AMU1 or AMU2).
bool Hd_Amu_Present(const St_System_HD_AMU& amu);
// The mode value: 22 or more selects the narrow spectrum step.
int Hd_Amu_Mode_Value(const St_System_HD_AMU& amu);
int Hd_Amu_Synth_Value(const St_System_HD_AMU& amu);
// The range code the three receivers agree on, -1 for none.
int Hd_Amu_Common_Range_Code(const St_System_HD_AMU& amu);

// WCU status: whether AMU '1' or '2' is in use.
bool Hd_Amu_In_Use(const St_System_HD_WCU_Status& status, char amu);

// The spectrum tuner of AMU '1' or '2' the user chose (0 the average).
int Hd_Spectrum_Tuner_Choice(const St_System_HD& hd, char amu);
bool Hd_Spectrum_Present(const St_System_HD_Spectrum& spectrum);

// HD page: the status log, the PC block and the about box.
bool Hd_Wcu_Present(const St_System_HD_WCU& wcu);
bool Hd_Wcu_Data_Link_Ok(const St_System_HD_WCU& wcu);
bool Hd_Wcu_Data_Fault(const St_System_HD_WCU& wcu);
int Hd_Wcu_Rx_Board_Version(const St_System_HD_WCU& wcu);
bool Hd_Wcu_Link_Present(const St_System_HD_WCU_Link& link);
int Hd_Wcu_Link_Event_Code(const St_System_HD_WCU_Link& link);
int Hd_Genlock_Gx_Version(const St_System_HD_WCU_Link& link);
int Hd_Genlock_Ii_Version(const St_System_HD_WCU_Link& link);
bool Hd_Wcu_Status_Present(const St_System_HD_WCU_Status& status);
int Hd_Triax_Board_Version(const St_System_HD_WCU_Status& status);
bool Hd_Wcu_Detail_Present(const St_System_HD_WCU_Detail& detail);
int Hd_Audio_Wca_Version(const St_System_HD_WCU_Detail& detail);
int Hd_Audio_Wcu_Version(const St_System_HD_WCU_Detail& detail);
bool Hd_Amu_Up_Link_Ok(const St_System_HD_AMU& amu);
bool Hd_Amu_Up_Link_Fault(const St_System_HD_AMU& amu);
int Hd_Amu_Version(const St_System_HD_AMU& amu);
bool Hd_Wca_Present(const St_System_HD_WCA& wca);
int Hd_Compression_Board_Version(const St_System_HD_WCA& wca);
bool Hd_Wca_Status_Present(const St_System_HD_WCA_Status& status);
int Hd_Modulator_Board_Version(const St_System_HD_WCA_Status& status);
int Hd_Alarm_Battery_Level(const St_System_HD& hd);

// HD detail windows. A meaning no field carries answers std::nullopt: its
// line shows image 0 without alarm; a flag no field carries but whose line
// must work reads as set (or clear) as noted.
// WCU header.
bool Hd_Wcu_Data_Activity(const St_System_HD_WCU& wcu);
bool Hd_Wcu_Video_Flag_1(const St_System_HD_WCU& wcu);
bool Hd_Wcu_Video_Flag_2(const St_System_HD_WCU& wcu);
int Hd_Wcu_Wca_Data_Channel_Steps(const St_System_HD_WCU& wcu);
std::optional<bool> Hd_Wcu_Service_Data_Fault(const St_System_HD_WCU& wcu);
// Whether the two service-data toggles differ (activity).
std::optional<bool> Hd_Wcu_Service_Data_Activity(const St_System_HD_WCU& wcu);
std::optional<bool> Hd_Wcu_Intercom_Flag(const St_System_HD_WCU& wcu);
// WCU link.
int Hd_Link_Transmission_Mode(const St_System_HD_WCU_Link& link);
int Hd_Link_Error_Value(const St_System_HD_WCU_Link& link);
bool Hd_Link_Video_Flag(const St_System_HD_WCU_Link& link);
// WCU status; the receive and OCP flags read as set.
bool Hd_Wcu_Receive_Flag(const St_System_HD_WCU_Status& status);
bool Hd_Wcu_Receive_Toggle(const St_System_HD_WCU_Status& status);
bool Hd_Wcu_Ocp_Flag(const St_System_HD_WCU_Status& status);
bool Hd_Wcu_Ocp_Toggle(const St_System_HD_WCU_Status& status);
std::optional<bool> Hd_Wcu_On_Air(const St_System_HD_WCU_Status& status);
// MHz, or a negative failure code.
float Hd_Wcu_Amu_Data_Frequency(const St_System_HD_WCU_Status& status);
// WCU detail (audio and intercom); volume n and audio level n are 1 to 3 and 1 to 2.
bool Hd_Audio_Stream(const St_System_HD_WCU_Detail& detail);
bool Hd_Audio_Dual(const St_System_HD_WCU_Detail& detail);
bool Hd_Audio_Delay_On(const St_System_HD_WCU_Detail& detail);
int Hd_Intercom_Routing(const St_System_HD_WCU_Detail& detail);
int Hd_Icom_Volume(const St_System_HD_WCU_Detail& detail, int n);
int Hd_Audio_Level(const St_System_HD_WCU_Detail& detail, int n);
int Hd_Icom_To_Wcu_Level(const St_System_HD_WCU_Detail& detail);
int Hd_Icom_To_Camera_Level(const St_System_HD_WCU_Detail& detail);
// AMU; the switch flags read true when the switch is wrong (or, for
// SW3-1/3-2, right when OFF). CW2 auto detection reads as clear.
bool Hd_Amu_Versions_Match(const St_System_HD_AMU& amu);
int Hd_Amu_Temperature(const St_System_HD_AMU& amu);
int Hd_Amu_Dc_In(const St_System_HD_AMU& amu);
int Hd_Amu_Triax_Qos(const St_System_HD_AMU& amu);
bool Hd_Amu_Long_Triax(const St_System_HD_AMU& amu);
std::optional<bool> Hd_Amu_Fan_Fault(const St_System_HD_AMU& amu);
std::optional<bool> Hd_Amu_Service_Data_Fault(const St_System_HD_AMU& amu);
std::optional<bool> Hd_Amu_Service_Data_Activity(const St_System_HD_AMU& amu);
std::optional<bool> Hd_Amu_Intercom_Flag(const St_System_HD_AMU& amu);
bool Hd_De_Present(const St_System_HD_AMU& amu);
bool Hd_De_Programmed(const St_System_HD_AMU& amu);
int Hd_De_Type(const St_System_HD_AMU& amu);
float Hd_De_Data_Frequency_Mhz(const St_System_HD_AMU& amu);
std::optional<bool> Hd_De_Booster(const St_System_HD_AMU& amu);
// Receiver type word of receiver 0 to 2.
int Hd_Amu_Receiver_Type(const St_System_HD_AMU& amu, int receiver);
bool Hd_Amu_Other_Amu_Type_Differs(const St_System_HD_AMU& amu);
bool Hd_Amu_Sw1_2_Test(const St_System_HD_AMU& amu);
bool Hd_Amu_Sw1_1_Test(const St_System_HD_AMU& amu);
// 0 to 3, 3 the right one.
int Hd_Amu_Sw2_Setting(const St_System_HD_AMU& amu);
bool Hd_Amu_Sw3_2_Off(const St_System_HD_AMU& amu);
bool Hd_Amu_Sw3_1_Off(const St_System_HD_AMU& amu);
bool Hd_Amu_Cw2_Auto(const St_System_HD_AMU& amu);
int Hd_Amu_Cw3_Position(const St_System_HD_AMU& amu);
// WCA and its status.
bool Hd_Wca_Tx_On(const St_System_HD_WCA& wca);
bool Hd_Wca_Tx_Fault(const St_System_HD_WCA& wca);
bool Hd_Wca_Compression_On(const St_System_HD_WCA& wca);
int Hd_Wca_Compression_Mode(const St_System_HD_WCA& wca);
int Hd_Wca_Temperature(const St_System_HD_WCA_Status& status);
// Every receiver fault flag clear and every lock flag set.
bool Hd_Wca_Receivers_Good(const St_System_HD_WCA_Status& status);

// HD page blocks: WCU, AMU, DE and WCA.
// WCU status; link '1' or '2' names the triax.
float Hd_Wcu_Video_Frequency_Ghz(const St_System_HD_WCU_Status& status);
float Hd_Wcu_Video_Bandwidth_Mhz(const St_System_HD_WCU_Status& status);
bool Hd_Triax_Used(const St_System_HD_WCU_Status& status, char link);
bool Hd_Triax_Down_Link_Ok(const St_System_HD_WCU_Status& status, char link);
bool Hd_Triax_Ok(const St_System_HD_WCU_Status& status, char link);
bool Hd_Triax_Link_Bit(const St_System_HD_WCU_Status& status, char link);
// Data-activity rates, 0, 1 or 2.
int Hd_Wcu_Rate_Any(const St_System_HD_WCU_Status& status);
int Hd_Wcu_Rate_A(const St_System_HD_WCU_Status& status);
int Hd_Wcu_Rate_B(const St_System_HD_WCU_Status& status);
// WCU header: data quality 0..127.
int Hd_Wcu_Data_Quality(const St_System_HD_WCU& wcu);
// WCU link.
bool Hd_Link_Freeze(const St_System_HD_WCU_Link& link);
bool Hd_Link_Genlock_In_Use(const St_System_HD_WCU_Link& link);
bool Hd_Link_Genlock_Reference_Unknown(const St_System_HD_WCU_Link& link);
bool Hd_Link_Genlock_Wrong_Standard(const St_System_HD_WCU_Link& link);
bool Hd_Link_Genlock_Pll_Locked(const St_System_HD_WCU_Link& link);
bool Hd_Link_Camera_Lock(const St_System_HD_WCU_Link& link);
int Hd_Link_Raw_Video_Quality(const St_System_HD_WCU_Link& link);
// WCA; the battery only while the WCA record is there.
bool Hd_Wca_Camera_Lock(const St_System_HD_WCA& wca);
bool Hd_Wca_Tally(const St_System_HD_WCA& wca);
std::optional<int> Hd_Wca_Battery_Raw(const St_System_HD_WCA& wca);
// AMU; receiver 1 to 3.
int Hd_Amu_Cell_Identifier(const St_System_HD_AMU& amu);
bool Hd_Amu_Cw1_Clash(const St_System_HD_AMU& amu);
bool Hd_Amu_Receiver_Locked(const St_System_HD_AMU& amu, int receiver);
bool Hd_Amu_All_Unlocked(const St_System_HD_AMU& amu);
bool Hd_Amu_Video_Link_Error(const St_System_HD_AMU& amu);
bool Hd_Amu_Profile_Mismatch(const St_System_HD_AMU& amu);
bool Hd_Amu_Grading_Enabled(const St_System_HD_AMU& amu);
// AMU levels: the receivers' level bytes (255 none), the grade values, and
// the RSSI meter's smoothed level for a tuner choice (0 the average).
std::array<int, 3> Hd_Amu_Receiver_Levels(const St_System_HD_AMU_Stat& stat);
std::array<int, 3> Hd_Amu_Grade_Values(const St_System_HD_AMU_Stat& stat);
int Hd_Amu_Rssi(const St_System_HD_AMU_Stat& stat, int tuner_choice);
// The data emitter hanging on an AMU.
bool Hd_De_Wire(const St_System_HD_AMU& amu);
bool Hd_De_Tx_On(const St_System_HD_AMU& amu);
// Clear while the data emitter sends a test signal.
bool Hd_De_Normal_Transmission(const St_System_HD_AMU& amu);
