#pragma once
// One data-emitter block of the HD page (DE1 or DE2), read from the record
// of the AMU it hangs on: up while the WCU link holds and the AMU and its
// emitter are present; a cleared normal-transmission flag is the test
// signal; the frame is lit while the WCU status names the AMU in use.

#include "screens/De_ihm_main_sd_hd.h"

class St_System;
class St_System_Settings;
class St_System_HD_AMU;
class St_System_HD_WCU_Status;

class DE_IHM_Main_HD : public DE_IHM_Main_SD_HD {
public:
    // unit '1' reads AMU1, any other AMU2. Starts greyed.
    DE_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);

private:
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_HD_AMU* Amu_Previous;
    const St_System_HD_AMU* Amu_Current;
    const St_System_HD_WCU_Status* Status_Previous;
    const St_System_HD_WCU_Status* Status_Current;
};
