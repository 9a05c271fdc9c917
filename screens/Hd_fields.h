#pragma once
// Which record field each meaning of the HD screens reads. The HD windows
// read the HD records only through these, so that a meaning found to sit in
// another field is corrected here, in one line.

#include "link/St_system_hd.h"

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
