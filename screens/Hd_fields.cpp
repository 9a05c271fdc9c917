#include "screens/Hd_fields.h"

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
