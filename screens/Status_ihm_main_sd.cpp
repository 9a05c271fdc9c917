#include "screens/Status_ihm_main_sd.h"

#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Sd_fields.h"
#include "screens/Wcu_ihm_main_sd.h"

namespace {

template <class Presenter>
bool Alarm_Of(const Presenter* presenter)
{
    return presenter && presenter->HasAlarm();
}

} // namespace

Status_IHM_Main_SD::Status_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                                       Sources sources)
    : Status_IHM_Main_SD_HD(previous, current, camera_count, "SD Ravivida Camera Ordexia", std::move(sources)),
      Wcu_Previous(&previous->SD.WCU), Wcu_Current(&current->SD.WCU), Amu1_Previous(&previous->SD.AMU1),
      Amu1_Current(&current->SD.AMU1), Amu2_Previous(&previous->SD.AMU2), Amu2_Current(&current->SD.AMU2)
{
}

bool Status_IHM_Main_SD::Any_Block_Alarm() const
{
    return Alarm_Of(S.PC) || Alarm_Of(S.WCU) || Alarm_Of(S.AMU1) || Alarm_Of(S.AMU2) || Alarm_Of(S.DE1) ||
           Alarm_Of(S.DE2) || Any_Alarm(S.Window_Alarms);
}

void Status_IHM_Main_SD::Log_Events(bool& stamped)
{
    const St_System_SD_AMU* previous[] = {Amu1_Previous, Amu2_Previous};
    const St_System_SD_AMU* current[] = {Amu1_Current, Amu2_Current};
    const bool validity_kept = Sd_Amu_Valid(*previous[0]) == Sd_Amu_Valid(*current[0]) &&
                               Sd_Amu_Valid(*previous[1]) == Sd_Amu_Valid(*current[1]);
    if (validity_kept && (Sd_Amu_Valid(*current[0]) || Sd_Amu_Valid(*current[1]))) {
        auto video_ok = [](const St_System_SD_AMU& amu1, const St_System_SD_AMU& amu2, const St_System_SD_WCU& wcu) {
            return Sd_Amu_Valid_Clear(amu1) || Sd_Amu_Valid_Clear(amu2) || Sd_Wcu_Video_Link_Ok(wcu);
        };
        const bool was_ok = video_ok(*previous[0], *previous[1], *Wcu_Previous);
        const bool is_ok = video_ok(*current[0], *current[1], *Wcu_Current);
        if (was_ok != is_ok) {
            Log_Video_Link_SD(is_ok, Messages(), stamped);
        }
    }
    for (int i = 0; i < 2; ++i) {
        const St_System_SD_AMU& before = *previous[i];
        const St_System_SD_AMU& now = *current[i];
        const bool broken = (Sd_Amu_Present(now) && !Sd_Amu_Polled(now) && Sd_Amu_Polled(before)) ||
                            (!Sd_Amu_Present(now) && Sd_Amu_Present(before) && Sd_Amu_Polled(now));
        Log_Triax_Down_Link_Break_SD(broken, static_cast<char>('1' + i), Messages(), stamped);
    }
}
