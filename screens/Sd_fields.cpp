#include "screens/Sd_fields.h"

bool Sd_Amu_Present(const St_System_SD_AMU& amu) { return amu.Is_Present(); }
bool Sd_Amu_Polled(const St_System_SD_AMU& amu) { return amu.Is_Polled(); }
bool Sd_Amu_Valid(const St_System_SD_AMU& amu) { return amu.Is_Valid(); }
bool Sd_Amu_Valid_Clear(const St_System_SD_AMU& amu) { return amu.Is_Valid_Clear(); }
bool Sd_Amu_Active(const St_System_SD_AMU& amu) { return amu.Is_Active(); }

bool Sd_Amu_Tuner_Locked(const St_System_SD_AMU& amu, int tuner)
{
    switch (tuner) {
    case 1: return amu.Receiver_Flag_1;
    case 2: return amu.Receiver_Flag_2;
    case 3: return amu.Receiver_Flag_3;
    default: return false;
    }
}

bool Sd_Amu_Tuner_Error(const St_System_SD_AMU& amu, int tuner)
{
    switch (tuner) {
    case 1: return amu.Receiver_State_1;
    case 2: return amu.Receiver_State_2;
    case 3: return amu.Receiver_State_3;
    default: return false;
    }
}

bool Sd_Amu_All_Tuners(const St_System_SD_AMU& amu)
{
    return amu.Receiver_State_1 && amu.Receiver_State_2 && amu.Receiver_State_3;
}

int Sd_Amu_Selected_Antenna(const St_System_SD_AMU& amu) { return amu.Status_Code; }
bool Sd_Amu_Test_Signal(const St_System_SD_AMU& amu) { return amu.Sw1_2_Test; }
int Sd_Amu_Rc1_Identifier(const St_System_SD_AMU& amu) { return amu.Identifier; }
bool Sd_Amu_Rc1_Clash(const St_System_SD_AMU& amu) { return amu.Same_Identifier; }
bool Sd_Amu_Remote_Control_Ok(const St_System_SD_AMU& amu) { return amu.Is_Channel_Valid(); }
int Sd_Amu_Version_Major(const St_System_SD_AMU& amu) { return amu.Version_Major; }
int Sd_Amu_Version_Minor(const St_System_SD_AMU& amu) { return amu.Version_Minor; }
bool Sd_Amu_Versions_Match(const St_System_SD_AMU& amu) { return amu.Versions_Compatible; }
bool Sd_Amu_After_1_0(const St_System_SD_AMU& amu) { return amu.Is_Version_After_1_0(); }
bool Sd_Amu_After_1_1(const St_System_SD_AMU& amu) { return amu.Is_Version_After_1_1(); }
int Sd_Amu_Temperature(const St_System_SD_AMU& amu) { return amu.Temperature; }
int Sd_Amu_Dc_In(const St_System_SD_AMU& amu) { return amu.Voltage_Raw; }
int Sd_Amu_Triax_Qos(const St_System_SD_AMU& amu) { return amu.Video_Quality; }
bool Sd_Amu_Long_Triax(const St_System_SD_AMU& amu) { return amu.Long_Triax; }
bool Sd_Amu_Sw1_2_Test(const St_System_SD_AMU& amu) { return amu.Sw1_2_Test; }
bool Sd_Amu_Sw2_1_Off(const St_System_SD_AMU& amu) { return (amu.Sw2_Setting & 0x20) != 0; }
bool Sd_Amu_Sw2_2_Off(const St_System_SD_AMU& amu) { return (amu.Sw2_Setting & 0x40) != 0; }
bool Sd_Amu_Sw3_1_Off(const St_System_SD_AMU& amu) { return amu.Sw3_1_Off; }
bool Sd_Amu_Sw3_2_Off(const St_System_SD_AMU& amu) { return amu.Sw3_2_Off; }
int Sd_Amu_Rc2_Position(const St_System_SD_AMU& amu) { return amu.Rc2_Setting; }
int Sd_Amu_Video_Channel_Code(const St_System_SD_AMU& amu) { return amu.Video_Channel_Code; }
int Sd_Amu_Data_Channel_Code(const St_System_SD_AMU& amu) { return amu.Data_Channel; }
int Sd_Amu_Cofdm_Mode(const St_System_SD_AMU& amu) { return amu.Cofdm_Mode; }

std::string Sd_Amu_Carrier_Frequency_Text(const St_System_SD_AMU& amu, int data_range)
{
    return Carrier_Frequency_Text(amu.Data_Step_100_Khz, amu.Synth_Byte_10, amu.Synth_Byte_9, amu.Data_Channel,
                                  amu.Synth_Byte_8, data_range);
}

bool Sd_De_Tx_Enabled(const St_System_SD_DE& de) { return de.De_Flag; }
bool Sd_De_Answers(const St_System_SD_DE& de) { return de.Get_State(); }

bool Sd_Wcu_Cam_Lock(const St_System_SD_WCU& wcu) { return wcu.Wcu_Flag; }
int Sd_Wcu_Vqos(const St_System_SD_WCU& wcu) { return wcu.Video_Qos; }
int Sd_Wcu_Dqos(const St_System_SD_WCU& wcu) { return wcu.Data_Qos; }
bool Sd_Is_Qos_Value(int qos) { return qos >= 0 && qos <= 127; }
bool Sd_Wcu_Video_Link_Ok(const St_System_SD_WCU& wcu) { return wcu.Link_Flag; }
int Sd_Wcu_Rate_R0(const St_System_SD_WCU& wcu) { return wcu.Rate_Any; }
int Sd_Wcu_Rate_R1(const St_System_SD_WCU& wcu) { return wcu.Rate_A; }
int Sd_Wcu_Rate_R2(const St_System_SD_WCU& wcu) { return wcu.Rate_B; }
int Sd_Wcu_Video_Channel(const St_System_SD_WCU& wcu) { return wcu.Video_Channel_Index; }
int Sd_Wcu_Data_Channel(const St_System_SD_WCU& wcu) { return wcu.Data_Channel_Index; }
int Sd_Wcu_Cofdm_Mode(const St_System_SD_WCU& wcu) { return wcu.Wcu_Cofdm_Mode; }
bool Sd_Wcu_Video_Standard_Pal(const St_System_SD_WCU& wcu) { return wcu.Video_Standard_Pal; }
bool Sd_Wcu_Audio_Stream(const St_System_SD_WCU& wcu) { return wcu.Link_Flag; }
bool Sd_Wcu_Audio_Delay_On(const St_System_SD_WCU& wcu) { return wcu.Audio_Option_On; }
bool Sd_Wcu_Diversity_Dual(const St_System_SD_WCU& wcu) { return wcu.Diversity_Dual; }
int Sd_Wcu_Intercom_Routing(const St_System_SD_WCU& wcu) { return wcu.Production_Mode; }

int Sd_Wcu_Icom_Volume(const St_System_SD_WCU& wcu, int volume)
{
    switch (volume) {
    case 1: return wcu.Intercom_Volume_1;
    case 2: return wcu.Intercom_Volume_2;
    case 3: return wcu.Intercom_Volume_3;
    default: return 0;
    }
}

bool Sd_Wcu_Levels_Valid(const St_System_SD_WCU& wcu) { return wcu.Audio_Levels_Valid; }

int Sd_Wcu_Audio_Level(const St_System_SD_WCU& wcu, int audio)
{
    switch (audio) {
    case 1: return wcu.Audio_1_Level;
    case 2: return wcu.Audio_2_Level;
    default: return 0;
    }
}

int Sd_Wcu_Icom_To_Wcu_Level(const St_System_SD_WCU& wcu) { return wcu.Icom_Level_1; }
int Sd_Wcu_Icom_To_Camera_Level(const St_System_SD_WCU& wcu) { return wcu.Icom_Level_2; }
bool Sd_Wcu_Receive_Toggle(const St_System_SD_WCU& wcu) { return wcu.Data_Toggle_A; }
bool Sd_Wcu_Ocp_Toggle(const St_System_SD_WCU& wcu) { return wcu.Data_Toggle_B; }
bool Sd_Wcu_Receive_Flag(const St_System_SD_WCU&) { return true; }
bool Sd_Wcu_Ocp_Flag(const St_System_SD_WCU&) { return true; }
