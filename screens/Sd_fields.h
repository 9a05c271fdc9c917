#pragma once
// Which record field each meaning of the SD screens reads. The presenters and
// detail windows read the SD records only through these, so that a meaning
// found to sit in another field is corrected here, in one line.

#include "link/St_system_sd.h"

#include <string>

// AMU (AMU1 or AMU2).
bool Sd_Amu_Present(const St_System_SD_AMU& amu);
bool Sd_Amu_Polled(const St_System_SD_AMU& amu);
bool Sd_Amu_Valid(const St_System_SD_AMU& amu);
bool Sd_Amu_Valid_Clear(const St_System_SD_AMU& amu);
bool Sd_Amu_Active(const St_System_SD_AMU& amu);
// Tuners 1..3; any other tuner reads clear.
bool Sd_Amu_Tuner_Locked(const St_System_SD_AMU& amu, int tuner);
bool Sd_Amu_Tuner_Error(const St_System_SD_AMU& amu, int tuner);
// No field reports it: every tuner in error stands for it.
bool Sd_Amu_All_Tuners(const St_System_SD_AMU& amu);
// 1, 2 or 4 for antenna 1, 2, 3; other values select none.
int Sd_Amu_Selected_Antenna(const St_System_SD_AMU& amu);
bool Sd_Amu_Test_Signal(const St_System_SD_AMU& amu);
int Sd_Amu_Rc1_Identifier(const St_System_SD_AMU& amu);
bool Sd_Amu_Rc1_Clash(const St_System_SD_AMU& amu);
bool Sd_Amu_Remote_Control_Ok(const St_System_SD_AMU& amu);
int Sd_Amu_Version_Major(const St_System_SD_AMU& amu);
int Sd_Amu_Version_Minor(const St_System_SD_AMU& amu);
bool Sd_Amu_Versions_Match(const St_System_SD_AMU& amu);
bool Sd_Amu_After_1_0(const St_System_SD_AMU& amu);
bool Sd_Amu_After_1_1(const St_System_SD_AMU& amu);
int Sd_Amu_Temperature(const St_System_SD_AMU& amu);
int Sd_Amu_Dc_In(const St_System_SD_AMU& amu);
int Sd_Amu_Triax_Qos(const St_System_SD_AMU& amu);
bool Sd_Amu_Long_Triax(const St_System_SD_AMU& amu);
bool Sd_Amu_Sw1_2_Test(const St_System_SD_AMU& amu);
bool Sd_Amu_Sw2_1_Off(const St_System_SD_AMU& amu);
bool Sd_Amu_Sw2_2_Off(const St_System_SD_AMU& amu);
bool Sd_Amu_Sw3_1_Off(const St_System_SD_AMU& amu);
bool Sd_Amu_Sw3_2_Off(const St_System_SD_AMU& amu);
int Sd_Amu_Rc2_Position(const St_System_SD_AMU& amu);
int Sd_Amu_Video_Channel_Code(const St_System_SD_AMU& amu);
int Sd_Amu_Data_Channel_Code(const St_System_SD_AMU& amu);
int Sd_Amu_Cofdm_Mode(const St_System_SD_AMU& amu);
// The data carrier frequency from the AMU's synthesiser values.
std::string Sd_Amu_Carrier_Frequency_Text(const St_System_SD_AMU& amu, int data_range);

// Data emitter (DE1 or DE2).
bool Sd_De_Tx_Enabled(const St_System_SD_DE& de);
bool Sd_De_Answers(const St_System_SD_DE& de);

// WCU.
bool Sd_Wcu_Cam_Lock(const St_System_SD_WCU& wcu);
int Sd_Wcu_Vqos(const St_System_SD_WCU& wcu);
int Sd_Wcu_Dqos(const St_System_SD_WCU& wcu);
// Quality values above 127 are not qualities and are not shown.
bool Sd_Is_Qos_Value(int qos);
bool Sd_Wcu_Video_Link_Ok(const St_System_SD_WCU& wcu);
// Data-activity rates R0 (any bit), R1, R2: 0, 1 or 2.
int Sd_Wcu_Rate_R0(const St_System_SD_WCU& wcu);
int Sd_Wcu_Rate_R1(const St_System_SD_WCU& wcu);
int Sd_Wcu_Rate_R2(const St_System_SD_WCU& wcu);
int Sd_Wcu_Video_Channel(const St_System_SD_WCU& wcu);
int Sd_Wcu_Data_Channel(const St_System_SD_WCU& wcu);
int Sd_Wcu_Cofdm_Mode(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Video_Standard_Pal(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Audio_Stream(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Audio_Delay_On(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Diversity_Dual(const St_System_SD_WCU& wcu);
int Sd_Wcu_Intercom_Routing(const St_System_SD_WCU& wcu);
// Volumes 1..3 (Prod, Prog, Eng); any other reads 0.
int Sd_Wcu_Icom_Volume(const St_System_SD_WCU& wcu, int volume);
bool Sd_Wcu_Levels_Valid(const St_System_SD_WCU& wcu);
// Audio 1 or 2; any other reads 0.
int Sd_Wcu_Audio_Level(const St_System_SD_WCU& wcu, int audio);
int Sd_Wcu_Icom_To_Wcu_Level(const St_System_SD_WCU& wcu);
int Sd_Wcu_Icom_To_Camera_Level(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Receive_Toggle(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Ocp_Toggle(const St_System_SD_WCU& wcu);
// No field reports them: they read set, so their lines show the toggles only.
bool Sd_Wcu_Receive_Flag(const St_System_SD_WCU& wcu);
bool Sd_Wcu_Ocp_Flag(const St_System_SD_WCU& wcu);
