#pragma once
// One data-emitter block of the SD page (DE1 or DE2), read from its AMU's
// and its own record: up while the WCU link holds, the AMU is present and
// polled and the emitter answers; the AMU's test flag is the test signal,
// and its active flag lights the frame.

#include "screens/De_ihm_main_sd_hd.h"

class St_System;
class St_System_Settings;
class St_System_SD_AMU;
class St_System_SD_DE;

class DE_IHM_Main_SD : public DE_IHM_Main_SD_HD {
public:
    // unit '1' reads AMU1 and DE1, '2' AMU2 and DE2. Starts greyed.
    DE_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);

private:
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_SD_AMU* Amu_Previous;
    const St_System_SD_AMU* Amu_Current;
    const St_System_SD_DE* De_Previous;
    const St_System_SD_DE* De_Current;
};
