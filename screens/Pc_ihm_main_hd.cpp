#include "screens/Pc_ihm_main_hd.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclanictrl.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/St_system.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"
#include "shell/services/Screen_dpi.h"

namespace {

// From this many dots per inch the large pictures are used.
constexpr int Large_Dpi = 120;
// The recording LED changes its picture every this many refreshes.
constexpr int Blink_Period = 3;

bool Large_Screen()
{
    return Get_Screen_Dpi() >= Large_Dpi;
}

void Check_Only(TMenuItem* menu, int tag)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetChecked(menu->Items(i)->Tag() == tag);
    }
}

void Number_Items(TMenuItem* menu, int first)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetTag(first + i);
    }
}

} // namespace

PC_IHM_Main_HD::PC_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth,
                               const std::atomic<int>* camera_count, const PC_WCU_File_HD* recorder,
                               const Widgets& widgets)
    : Colour_Depth(colour_depth), Camera_Count(camera_count), Hd_Previous(&previous->HD), Hd_Current(&current->HD),
      Settings_Previous(&previous->Settings), Settings_Current(&current->Settings), Recorder(recorder), W(widgets)
{
    Number_Menu_Items();
    W.BackPanelMain->SetListIndex(Large_Screen() ? 1 : 0);
    W.ImageLogoQuorvale->SetListIndex(Large_Screen() ? 6 : 5);
    if (Settings_Current->Has_Port()) {
        SetActive(true);
        UpdateLinkState(true);
    } else {
        SetActive(false);
    }
    UpdateMenus(true);
    UpdateCamerasCountMenu();
    UpdatePCTitle();
}

void PC_IHM_Main_HD::Number_Menu_Items()
{
    Number_Items(W.MenuCom, 1);
    Number_Items(W.MenuAlarmBatThreshold, 0);
    Number_Items(W.MenuCamerasCount, 1);
}

void PC_IHM_Main_HD::Update(bool full)
{
    const int port = Settings_Current->Port_Number;
    if (!full && port == Settings_Previous->Port_Number) {
        if (port != 0) {
            UpdateLinkState(false);
        }
        // Evaluated without a port too: a page never refreshed in full
        // would otherwise keep the clear alarm it was created with.
        EvaluateAlarm();
        UpdateMenus(false);
        return;
    }
    SetActive(port != 0);
    if (port != 0) {
        UpdateLinkState(true);
    }
    EvaluateAlarm();
    UpdateCamerasCountMenu();
    UpdatePCTitle();
    UpdateMenus(false);
}

void PC_IHM_Main_HD::SetActive(bool on)
{
    W.PanelFillAniCamera->SetVisible(on);
    W.LabelPCWCULink->SetEnabled(on);
    W.ImagePCWCULink->SetVisible(on);
    if (on) {
        Set_Frame_Shadow(W.GroupBoxPC, Active_Colour);
        return;
    }
    for (int i = 0; i < W.MenuCom->Count(); ++i) {
        W.MenuCom->Items(i)->SetChecked(false);
    }
    W.MenuStatusRecord->SetEnabled(false);
    W.MenuStatusRecord->SetChecked(false);
    W.ImageStatusRecord->SetVisible(false);
    Set_Frame_Shadow(W.GroupBoxPC, Inactive_Frame_Colour);
}

void PC_IHM_Main_HD::UpdateLinkState(bool force)
{
    const bool connected = Settings_Current->Is_Connected();
    if (!force && connected == Settings_Previous->Is_Connected()) {
        return;
    }
    W.ImagePCWCULink->SetIndexedImageIndex(connected ? Block_Image::Good : Block_Image::Off);
    W.AniCamera->SetInterval(connected ? 50 : 300);
    W.AniCamera->SetListIndex((connected ? 3 : 2) + (Large_Screen() ? 2 : 0));
    W.AniCamera->Play();
    const std::string hint = LoadStr(connected ? 3008 : 3007) + std::to_string(Settings_Current->Port_Number);
    W.PanelFillAniCamera->SetHint(hint);
    W.AniCamera->SetHint(hint);
}

void PC_IHM_Main_HD::UpdateMenus(bool force)
{
    const int port = Settings_Current->Port_Number;
    const bool sound = Settings_Current->Is_Alarm_Sound();
    if (force || port != Settings_Previous->Port_Number || sound != Settings_Previous->Is_Alarm_Sound()) {
        W.MenuCom->SetEnabled(true);
        Check_Only(W.MenuCom, port);
        W.MenuSound->SetChecked(sound);
    }
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
        if (connected && recording && ++Blink_Counter % Blink_Period == 0) {
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

void PC_IHM_Main_HD::UpdatePCTitle()
{
    const int port = Settings_Current->Port_Number;
    if (port != 0) {
        W.ShapeButtonPCTitle->SetHint(LoadStr(3005) + std::to_string(port) + LoadStr(3006));
        if (Title_Colour(W.ShapeButtonPCTitle) != Good_Colour) {
            Set_Title_Colour(W.ShapeButtonPCTitle, Good_Colour);
        }
    } else if (Title_Colour(W.ShapeButtonPCTitle) != Alarm_Colour) {
        W.ShapeButtonPCTitle->SetHint(LoadStr(3004));
        Set_Title_Colour(W.ShapeButtonPCTitle, Alarm_Colour);
    }
}

void PC_IHM_Main_HD::UpdateCamerasCountMenu()
{
    Check_Only(W.MenuCamerasCount, *Camera_Count);
}

void PC_IHM_Main_HD::EvaluateAlarm()
{
    Alarm = !Settings_Current->Has_Port() || !Settings_Current->Is_Connected();
}
