#pragma once
// The SD page's title banner, the camera's global alarm (banner colour and
// beep) and the status-log lines each refresh adds to the status memo: the
// video link's changes and the triax down links' breaks.

#include "screens/Status_ihm_main_sd_hd.h"

#include <array>
#include <functional>

class AMU_IHM_Main_SD;
class DE_IHM_Main_SD;
class PC_IHM_Main_SD;
class St_System;
class St_System_SD_AMU;
class St_System_SD_WCU;
class WCU_IHM_Main_SD;

// What the global alarm and the banner read besides the records. The
// detail windows are asked through their alarm queries (WCU, AMU1, AMU2,
// DE1, DE2); a missing presenter or query counts as no alarm.
struct Status_Sd_Sources : Status_Banner_Sources {
    const PC_IHM_Main_SD* PC = nullptr;
    const WCU_IHM_Main_SD* WCU = nullptr;
    const AMU_IHM_Main_SD* AMU1 = nullptr;
    const AMU_IHM_Main_SD* AMU2 = nullptr;
    const DE_IHM_Main_SD* DE1 = nullptr;
    const DE_IHM_Main_SD* DE2 = nullptr;
    std::array<std::function<bool()>, 5> Window_Alarms;
};

class Status_IHM_Main_SD : public Status_IHM_Main_SD_HD<Status_IHM_Main_SD, Status_Sd_Sources> {
public:
    Status_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                       Sources sources);

private:
    friend class Status_IHM_Main_SD_HD<Status_IHM_Main_SD, Status_Sd_Sources>;

    bool Any_Block_Alarm() const;
    void Log_Events(bool& stamped);

    const St_System_SD_WCU* Wcu_Previous;
    const St_System_SD_WCU* Wcu_Current;
    const St_System_SD_AMU* Amu1_Previous;
    const St_System_SD_AMU* Amu1_Current;
    const St_System_SD_AMU* Amu2_Previous;
    const St_System_SD_AMU* Amu2_Current;
};
