#pragma once
// The HD page's title band, the camera's global alarm (band colour and
// beep) and the status-log lines each refresh adds to the status memo: the
// triax down and up links' breaks, the video link's events and the data
// link's changes.

#include "screens/Status_ihm_main_sd_hd.h"

#include <array>
#include <functional>

class PC_IHM_Main_HD;
class St_System;
class St_System_HD_AMU;
class St_System_HD_WCU;
class St_System_HD_WCU_Link;
class St_System_HD_WCU_Status;

// What the global alarm and the band read besides the records. The other
// blocks are asked through their alarm queries, in this order: the WCU,
// AMU1, AMU2, DE1, DE2 and WCA presenters, then the WCU, AMU1, AMU2, DE1,
// DE2 and WCA windows; a missing query counts as no alarm.
struct Status_Hd_Sources : Status_Banner_Sources {
    const PC_IHM_Main_HD* PC = nullptr;
    std::array<std::function<bool()>, 12> Block_Alarms;
};

class Status_IHM_Main_HD : public Status_IHM_Main_SD_HD<Status_IHM_Main_HD, Status_Hd_Sources> {
public:
    Status_IHM_Main_HD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                       Sources sources);

private:
    friend class Status_IHM_Main_SD_HD<Status_IHM_Main_HD, Status_Hd_Sources>;

    bool Any_Block_Alarm() const;
    void Log_Events(bool& stamped);
    void Log_Down_Links(bool& stamped);
    void Log_Up_Links(bool& stamped);

    const St_System_HD_AMU* Amu1_Previous;
    const St_System_HD_AMU* Amu1_Current;
    const St_System_HD_AMU* Amu2_Previous;
    const St_System_HD_AMU* Amu2_Current;
    const St_System_HD_WCU_Status* Wcu_Status_Previous;
    const St_System_HD_WCU_Status* Wcu_Status_Current;
    const St_System_HD_WCU_Link* Wcu_Link_Current;
    const St_System_HD_WCU* Wcu_Previous;
    const St_System_HD_WCU* Wcu_Current;
};
