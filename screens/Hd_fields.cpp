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
