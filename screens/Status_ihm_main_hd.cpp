#include "screens/Status_ihm_main_hd.h"

#include "components/controls/SCLShapeControl.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"
#include "screens/Pc_ihm_main_hd.h"

namespace {

const char* const Band_Text = "HD Ravivida Camera Ordexia";

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
    : Message_List(std::make_unique<TStringList>()), Settings_Previous(&previous->Settings),
      Settings_Current(&current->Settings), Amu1_Previous(&previous->HD.Amu1), Amu1_Current(&current->HD.Amu1),
      Amu2_Previous(&previous->HD.Amu2), Amu2_Current(&current->HD.Amu2),
      Wcu_Status_Previous(&previous->HD.Wcu_Status), Wcu_Status_Current(&current->HD.Wcu_Status),
      Wcu_Link_Current(&current->HD.Wcu_Link), Wcu_Previous(&previous->HD.Wcu), Wcu_Current(&current->HD.Wcu),
      Camera_Count(camera_count), S(std::move(sources))
{
    SetActive(false);
}

Status_IHM_Main_HD::~Status_IHM_Main_HD() = default;

void Status_IHM_Main_HD::Update(bool full)
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

void Status_IHM_Main_HD::SetActive(bool on)
{
    Active = on;
    S.MemoStatus->Font()->SetColor(on ? Black_Colour : Grey_Colour);
}

void Status_IHM_Main_HD::UpdateAlarmAndMessages()
{
    Alarm = Any_Block_Alarm();
    Show_Alarm_On_Band();
    Log_Lines();
}

bool Status_IHM_Main_HD::Any_Block_Alarm() const
{
    bool alarm = S.PC && S.PC->HasAlarm();
    for (const std::function<bool()>& block_alarm : S.Block_Alarms) {
        alarm = alarm || (block_alarm && block_alarm());
    }
    return alarm;
}

// The band turns red once per change to alarm, and beeps then only.
void Status_IHM_Main_HD::Show_Alarm_On_Band()
{
    TSCLShapeControl* band = S.ShapeControlAppliTitle;
    const TColor target = Alarm ? Alarm_Colour : Good_Colour;
    if (band->ShapeFill()->Gradient()->EndColor() == target) {
        return;
    }
    band->ShapeFill()->Gradient()->SetEndColor(target);
    band->Brush()->SetColor(target);
    if (Alarm && Settings_Current->Is_Alarm_Sound()) {
        MessageBeep(0xFFFFFFFF);
    }
}

void Status_IHM_Main_HD::Log_Lines()
{
    bool stamped = log_stamp.Shows_Now();
    if (Hd_Wcu_Status_Present(*Wcu_Status_Current)) {
        Log_Down_Links(stamped);
    }
    if (Hd_Wcu_Link_Present(*Wcu_Link_Current)) {
        Log_Video_Link_HD(Hd_Wcu_Link_Event_Code(*Wcu_Link_Current), Message_List.get(), stamped);
    }
    Log_Up_Links(stamped);
    if (Hd_Wcu_Present(*Wcu_Current)) {
        const bool broken = Data_Link_Broken(*Wcu_Current);
        if (broken != Data_Link_Broken(*Wcu_Previous)) {
            Log_Data_Link(broken, Message_List.get(), stamped);
        }
    }
    log_stamp.Logged(*Message_List);
    for (int i = 0; i < Message_List->Count(); ++i) {
        S.MemoStatus->Lines()->Add(Message_List->Strings(i));
    }
}

void Status_IHM_Main_HD::Log_Down_Links(bool& stamped)
{
    const St_System_HD_WCU_Status& now = *Wcu_Status_Current;
    const St_System_HD_WCU_Status& before = *Wcu_Status_Previous;
    Log_Triax_Down_Link_Break_HD(Down_Link_Lost(now.Is_Triax1_Used(), now.Is_Triax1_Down_Link_Ok(),
                                                before.Is_Triax1_Used(), before.Is_Triax1_Down_Link_Ok()),
                                 '1', Message_List.get(), stamped);
    Log_Triax_Down_Link_Break_HD(Down_Link_Lost(now.Is_Triax2_Used(), now.Is_Triax2_Down_Link_Ok(),
                                                before.Is_Triax2_Used(), before.Is_Triax2_Down_Link_Ok()),
                                 '2', Message_List.get(), stamped);
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
                Log_Triax_Up_Link_Break(broken, digit, Message_List.get(), stamped);
            }
        }
        ++digit;
    }
}

void Status_IHM_Main_HD::UpdateTitle()
{
    TSCLShapeControl* band = S.ShapeControlAppliTitle;
    if (*Camera_Count == 1) {
        band->Caption()->SetCaption(Band_Text);
        band->SetPopupMenu(nullptr);
        band->SetHint(std::string());
        return;
    }
    const int number = Settings_Current->Name;
    band->Caption()->SetCaption(std::string(Band_Text) + " - CAM " + std::to_string(number));
    band->SetPopupMenu(S.PopupCamName);
    if (S.Check_Camera_Name) {
        S.Check_Camera_Name(number);
    }
    band->SetHint(LoadStr(3099));
}
