#include "screens/Status_ihm_main_hd.h"

#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "platform/classlib/Classes.h"
#include "screens/Hd_fields.h"
#include "screens/Pc_ihm_main_hd.h"

namespace {

// Broken while the AMU reports an up-link fault or no up link.
bool Up_Link_Broken(const St_System_HD_AMU& amu)
{
    return Hd_Amu_Up_Link_Fault(amu) || !Hd_Amu_Up_Link_Ok(amu);
}

bool Data_Link_Broken(const St_System_HD_WCU& wcu)
{
    return Hd_Wcu_Data_Fault(wcu) || !Hd_Wcu_Data_Link_Ok(wcu);
}

// A down link that was good and is no longer, or a link no longer used.
bool Down_Link_Lost(bool used_now, bool ok_now, bool used_before, bool ok_before)
{
    return (used_now && !ok_now && ok_before) || (!used_now && used_before);
}

} // namespace

Status_IHM_Main_HD::Status_IHM_Main_HD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                                       Sources sources)
    : Status_IHM_Main_SD_HD(previous, current, camera_count, "HD Ravivida Camera Ordexia", std::move(sources)),
      Amu1_Previous(&previous->HD.Amu1), Amu1_Current(&current->HD.Amu1), Amu2_Previous(&previous->HD.Amu2),
      Amu2_Current(&current->HD.Amu2), Wcu_Status_Previous(&previous->HD.Wcu_Status),
      Wcu_Status_Current(&current->HD.Wcu_Status), Wcu_Link_Current(&current->HD.Wcu_Link),
      Wcu_Previous(&previous->HD.Wcu), Wcu_Current(&current->HD.Wcu)
{
}

bool Status_IHM_Main_HD::Any_Block_Alarm() const
{
    return (S.PC && S.PC->HasAlarm()) || Any_Alarm(S.Block_Alarms);
}

void Status_IHM_Main_HD::Log_Events(bool& stamped)
{
    if (Hd_Wcu_Status_Present(*Wcu_Status_Current)) {
        Log_Down_Links(stamped);
    }
    if (Hd_Wcu_Link_Present(*Wcu_Link_Current)) {
        Log_Video_Link_HD(Hd_Wcu_Link_Event_Code(*Wcu_Link_Current), Messages(), stamped);
    }
    Log_Up_Links(stamped);
    if (Hd_Wcu_Present(*Wcu_Current)) {
        const bool broken = Data_Link_Broken(*Wcu_Current);
        if (broken != Data_Link_Broken(*Wcu_Previous)) {
            Log_Data_Link(broken, Messages(), stamped);
        }
    }
}

void Status_IHM_Main_HD::Log_Down_Links(bool& stamped)
{
    const St_System_HD_WCU_Status& now = *Wcu_Status_Current;
    const St_System_HD_WCU_Status& before = *Wcu_Status_Previous;
    for (char link : {'1', '2'}) {
        const bool lost = Down_Link_Lost(Hd_Triax_Used(now, link), Hd_Triax_Down_Link_Ok(now, link),
                                         Hd_Triax_Used(before, link), Hd_Triax_Down_Link_Ok(before, link));
        Log_Triax_Down_Link_Break_HD(lost, link, Messages(), stamped);
    }
}

void Status_IHM_Main_HD::Log_Up_Links(bool& stamped)
{
    const std::pair<const St_System_HD_AMU*, const St_System_HD_AMU*> amus[] = {{Amu1_Previous, Amu1_Current},
                                                                               {Amu2_Previous, Amu2_Current}};
    char digit = '1';
    for (auto [before, now] : amus) {
        if (Hd_Amu_Present(*before)) {
            const bool broken = Up_Link_Broken(*now);
            if (broken != Up_Link_Broken(*before)) {
                Log_Triax_Up_Link_Break(broken, digit, Messages(), stamped);
            }
        }
        ++digit;
    }
}
