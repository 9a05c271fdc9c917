#include "screens/Pc_ihm_main_hd.h"

#include "components/controls/SCLLImage.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/St_system.h"
#include "platform/classlib/Menus.h"
#include "screens/Hd_fields.h"

namespace {

// The recording LED changes its picture every this many refreshes.
constexpr int Record_Blink_Period = 3;

} // namespace

PC_IHM_Main_HD::PC_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth,
                               const std::atomic<int>* camera_count, const PC_WCU_File_HD* recorder,
                               const Widgets& widgets)
    : PC_IHM_Main_SD_HD(previous, current, colour_depth, camera_count, widgets), Hd_Previous(&previous->HD),
      Hd_Current(&current->HD), Recorder(recorder)
{
    Number_Items(W.MenuAlarmBatThreshold, 0);
    SetActive(Settings_Current->Has_Port());
    Draw_Block();
}

void PC_IHM_Main_HD::Update(bool full)
{
    const bool renewed = Is_Port_Renewed(full);
    if (renewed) {
        SetActive(Settings_Current->Has_Port());
    }
    Refresh_Block(renewed);
}

void PC_IHM_Main_HD::SetActive(bool on)
{
    ShowPortState(on);
    if (on) {
        return;
    }
    W.MenuStatusRecord->SetEnabled(false);
    W.MenuStatusRecord->SetChecked(false);
    W.ImageStatusRecord->SetVisible(false);
}

void PC_IHM_Main_HD::UpdateMenus(bool force)
{
    PC_IHM_Main_SD_HD::UpdateMenus(force);
    Update_Record_State(force);
    const int level = Hd_Alarm_Battery_Level(*Hd_Current);
    if (force || level != Hd_Alarm_Battery_Level(*Hd_Previous)) {
        Check_Only(W.MenuAlarmBatThreshold, level);
    }
}

// While nothing changes a running recording's LED blinks; any change sets
// the record item and the LED from the recorder afresh.
void PC_IHM_Main_HD::Update_Record_State(bool force)
{
    const bool connected = Settings_Current->Is_Connected();
    const bool recording = Is_Recording();
    if (!force && connected == Settings_Previous->Is_Connected() && recording == W.MenuStatusRecord->Checked()) {
        if (connected && recording && ++Blink_Counter % Record_Blink_Period == 0) {
            W.ImageStatusRecord->SetIndexedImageIndex(W.ImageStatusRecord->ImageIndex() == 0 ? 1 : 0);
        }
        return;
    }
    W.MenuStatusRecord->SetEnabled(Settings_Current->Has_Port() && connected);
    W.MenuStatusRecord->SetChecked(connected && recording);
    W.ImageStatusRecord->SetVisible(connected && recording);
    if (connected) {
        W.ImageStatusRecord->SetIndexedImageIndex(0);
        Blink_Counter = 0;
    }
}

bool PC_IHM_Main_HD::Is_Recording() const
{
    return Recorder && Recorder->Is_Recording();
}

void PC_IHM_Main_HD::EvaluateAlarm()
{
    Alarm = !Settings_Current->Has_Port() || !Settings_Current->Is_Connected();
}
