#include "screens/Status_ihm_main_sd.h"

#include "components/controls/SCLShapeControl.h"
#include "link/St_system.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Sd_fields.h"
#include "screens/Wcu_ihm_main_sd.h"

namespace {

const char* const Banner_Text = "SD Ravivida Camera Ordexia";

template <class Presenter>
bool Alarm_Of(const Presenter* presenter)
{
    return presenter && presenter->HasAlarm();
}

} // namespace

Status_IHM_Main_SD::Status_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                                       Sources sources)
    : Message_List(std::make_unique<TStringList>()), Settings_Previous(&previous->Settings),
      Settings_Current(&current->Settings), Wcu_Previous(&previous->SD.WCU), Wcu_Current(&current->SD.WCU),
      Amu1_Previous(&previous->SD.AMU1), Amu1_Current(&current->SD.AMU1), Amu2_Previous(&previous->SD.AMU2),
      Amu2_Current(&current->SD.AMU2), Camera_Count(camera_count), S(std::move(sources))
{
    SetActive(false);
}

Status_IHM_Main_SD::~Status_IHM_Main_SD() = default;

void Status_IHM_Main_SD::Update(bool full)
{
    if (full) {
        UpdateTitle();
    }
    Message_List->Clear();
    const bool connected = Settings_Current->Is_Connected();
    if (!full && connected == Settings_Previous->Is_Connected()) {
        if (connected) {
            UpdateAlarmAndMessages();
        }
        return;
    }
    SetActive(connected);
    UpdateAlarmAndMessages();
}

void Status_IHM_Main_SD::SetActive(bool on)
{
    Active = on;
    S.MemoStatus->Font()->SetColor(on ? Black_Colour : Grey_Colour);
}

void Status_IHM_Main_SD::UpdateAlarmAndMessages()
{
    Alarm = Any_Block_Alarm();
    Show_Alarm_On_Banner();
    Log_Lines();
}

bool Status_IHM_Main_SD::Any_Block_Alarm() const
{
    bool alarm = Alarm_Of(S.PC) || Alarm_Of(S.WCU) || Alarm_Of(S.AMU1) || Alarm_Of(S.AMU2) || Alarm_Of(S.DE1) ||
                 Alarm_Of(S.DE2);
    for (const std::function<bool()>& window_alarm : S.Window_Alarms) {
        alarm = alarm || (window_alarm && window_alarm());
    }
    return alarm;
}

// The banner turns red once per change to alarm, and beeps then only.
void Status_IHM_Main_SD::Show_Alarm_On_Banner()
{
    TSCLShapeControl* banner = S.ShapeControlAppliTitle;
    const TColor target = Alarm ? Alarm_Colour : Good_Colour;
    if (banner->ShapeFill()->Gradient()->EndColor() == target) {
        return;
    }
    banner->ShapeFill()->Gradient()->SetEndColor(target);
    banner->Brush()->SetColor(target);
    if (Alarm && Settings_Current->Is_Alarm_Sound()) {
        MessageBeep(0xFFFFFFFF);
    }
}

void Status_IHM_Main_SD::Log_Lines()
{
    bool stamped = log_stamp.Shows_Now();
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
            Log_Video_Link_SD(is_ok, Message_List.get(), stamped);
        }
    }
    for (int i = 0; i < 2; ++i) {
        const St_System_SD_AMU& before = *previous[i];
        const St_System_SD_AMU& now = *current[i];
        const bool broken = (Sd_Amu_Present(now) && !Sd_Amu_Polled(now) && Sd_Amu_Polled(before)) ||
                            (!Sd_Amu_Present(now) && Sd_Amu_Present(before) && Sd_Amu_Polled(now));
        Log_Triax_Down_Link_Break_SD(broken, static_cast<char>('1' + i), Message_List.get(), stamped);
    }
    log_stamp.Logged(*Message_List);
    for (int i = 0; i < Message_List->Count(); ++i) {
        S.MemoStatus->Lines()->Add(Message_List->Strings(i));
    }
}

void Status_IHM_Main_SD::UpdateTitle()
{
    TSCLShapeControl* banner = S.ShapeControlAppliTitle;
    if (*Camera_Count == 1) {
        banner->Caption()->SetCaption(Banner_Text);
        banner->SetPopupMenu(nullptr);
        banner->SetHint(std::string());
        return;
    }
    const int number = Settings_Current->Name;
    banner->Caption()->SetCaption(std::string(Banner_Text) + " - CAM " + std::to_string(number));
    banner->SetPopupMenu(S.PopupCamName);
    if (S.Check_Camera_Name) {
        S.Check_Camera_Name(number);
    }
    banner->SetHint(LoadStr(3099));
}
