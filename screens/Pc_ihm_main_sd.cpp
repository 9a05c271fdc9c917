#include "screens/Pc_ihm_main_sd.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/Sclanictrl.h"
#include "link/St_system.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"
#include "shell/services/Screen_dpi.h"

namespace {

// From this many dots per inch the large pictures are used.
constexpr int Large_Dpi = 120;

bool Large_Screen()
{
    return Get_Screen_Dpi() >= Large_Dpi;
}

void Check_Only(TMenuItem* menu, int number)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetChecked(menu->Items(i)->Tag() == number);
    }
}

void Number_Items(TMenuItem* menu)
{
    for (int i = 0; i < menu->Count(); ++i) {
        menu->Items(i)->SetTag(i + 1);
    }
}

bool Some_Valid_Amu(const St_System_SD& sd, bool (*too_old)(const St_System_SD_AMU&))
{
    return (Sd_Amu_Valid(sd.AMU1) && too_old(sd.AMU1)) || (Sd_Amu_Valid(sd.AMU2) && too_old(sd.AMU2));
}

void Set_Range_Colour(TSCLGroupBox* group, TSCLSimpleLabel* label, TColor colour)
{
    group->CaptionFont()->SetColor(colour);
    label->Font()->SetColor(colour);
}

} // namespace

bool Is_Video_Range_Incompatible(const St_System_SD& sd)
{
    return Some_Valid_Amu(sd, [](const St_System_SD_AMU& amu) { return !Sd_Amu_After_1_1(amu); });
}

bool Is_Data_Range_Incompatible(const St_System_SD& sd)
{
    return Some_Valid_Amu(sd, [](const St_System_SD_AMU& amu) { return !Sd_Amu_After_1_0(amu); });
}

PC_IHM_Main_SD::PC_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                               const Widgets& widgets)
    : Camera_Count(camera_count), Sd_Previous(&previous->SD), Sd_Current(&current->SD),
      Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu1_Previous(&previous->SD.AMU1), Amu1_Current(&current->SD.AMU1), Amu2_Previous(&previous->SD.AMU2),
      Amu2_Current(&current->SD.AMU2), W(widgets)
{
    Number_Menu_Items();
    W.BackPanelMain->SetListIndex(Large_Screen() ? 1 : 0);
    W.ImageLogoQuorvale->SetListIndex(Large_Screen() ? 6 : 5);
    const bool port_set = Settings_Current->Port_Number != 0;
    ShowPortState(port_set);
    if (port_set) {
        UpdateLinkState(true);
    }
    UpdateMenus(true);
    UpdateCamerasCountMenu();
    UpdateFrequencyRanges(true);
    UpdatePCTitle();
}

void PC_IHM_Main_SD::Number_Menu_Items()
{
    Number_Items(W.MenuCom);
    W.MenuVideoFrequencyRange->SetTag(0);
    Number_Items(W.MenuVideoFrequencyRange);
    W.MenuDataFrequencyRange->SetTag(1);
    Number_Items(W.MenuDataFrequencyRange);
    Number_Items(W.MenuCamerasCount);
}

void PC_IHM_Main_SD::Update(bool full)
{
    const int port = Settings_Current->Port_Number;
    if (full || port != Settings_Previous->Port_Number) {
        ShowPortState(port != 0);
        if (port != 0) {
            UpdateLinkState(true);
        }
        EvaluateAlarm();
        UpdateCamerasCountMenu();
        UpdatePCTitle();
    } else {
        if (port != 0) {
            UpdateLinkState(false);
        }
        // Evaluated without a port too: a page never refreshed in full
        // would otherwise keep the alarm it was created with (clear).
        EvaluateAlarm();
    }
    UpdateMenus(false);
    UpdateFrequencyRanges(false);
}

void PC_IHM_Main_SD::ShowPortState(bool on)
{
    W.PanelFillAniCamera->SetVisible(on);
    W.LabelPCWCULink->SetEnabled(on);
    W.ImagePCWCULink->SetVisible(on);
    if (on) {
        Set_Frame_Shadow(W.GroupBoxPC, Active_Colour);
        return;
    }
    Set_Frame_Shadow(W.GroupBoxPC, Inactive_Frame_Colour);
    for (int i = 0; i < W.MenuCom->Count(); ++i) {
        W.MenuCom->Items(i)->SetChecked(false);
    }
}

void PC_IHM_Main_SD::UpdateLinkState(bool full)
{
    const bool connected = Settings_Current->Is_Connected();
    if (!full && connected == Settings_Previous->Is_Connected()) {
        return;
    }
    W.ImagePCWCULink->SetIndexedImageIndex(connected ? Block_Image::Good : Block_Image::Off);
    W.AniCamera->SetInterval(connected ? 50 : 300);
    W.AniCamera->SetListIndex(Large_Screen() ? (connected ? 5 : 4) : (connected ? 3 : 2));
    const std::string hint = LoadStr(connected ? 3008 : 3007) + std::to_string(Settings_Current->Port_Number);
    W.PanelFillAniCamera->SetHint(hint);
    W.AniCamera->SetHint(hint);
    W.AniCamera->Play();
}

void PC_IHM_Main_SD::UpdateMenus(bool full)
{
    const bool sound = Settings_Current->Is_Alarm_Sound();
    if (!full && Settings_Previous->Port_Number == Settings_Current->Port_Number &&
        Settings_Previous->Is_Alarm_Sound() == sound) {
        return;
    }
    W.MenuCom->SetEnabled(true);
    Check_Only(W.MenuCom, Settings_Current->Port_Number);
    W.MenuSound->SetChecked(sound);
}

void PC_IHM_Main_SD::UpdateCamerasCountMenu()
{
    Check_Only(W.MenuCamerasCount, *Camera_Count);
}

void PC_IHM_Main_SD::UpdateFrequencyRanges(bool full)
{
    UpdateVideoRange(full);
    UpdateDataRange(full);
}

void PC_IHM_Main_SD::UpdateVideoRange(bool full)
{
    const int range = Sd_Current->Video_Range_Frequency;
    const bool changed = range != Sd_Previous->Video_Range_Frequency ||
                         Sd_Amu_Valid(*Amu1_Previous) != Sd_Amu_Valid(*Amu1_Current) ||
                         Sd_Amu_Valid(*Amu2_Previous) != Sd_Amu_Valid(*Amu2_Current) ||
                         Sd_Amu_After_1_1(*Amu1_Previous) != Sd_Amu_After_1_1(*Amu1_Current) ||
                         Sd_Amu_After_1_1(*Amu2_Previous) != Sd_Amu_After_1_1(*Amu2_Current);
    if (!full && !changed) {
        return;
    }
    Check_Only(W.MenuVideoFrequencyRange, range);
    W.LabelVideoFrequencyRange->SetCaption(Video_Range_Text(range));
    if (range == 0) {
        Set_Range_Colour(W.GroupVideoFrequencyRange, W.LabelVideoFrequencyRange, Alarm_Colour);
        W.GroupVideoFrequencyRange->SetHint(LoadStr(3022));
    } else if (range == 4 && Is_Video_Range_Incompatible(*Sd_Current)) {
        Set_Range_Colour(W.GroupVideoFrequencyRange, W.LabelVideoFrequencyRange, Alarm_Colour);
        W.GroupVideoFrequencyRange->SetHint(LoadStr(3079) + Video_Range_Text(4) + LoadStr(3019) + LoadStr(3084));
    } else {
        Set_Range_Colour(W.GroupVideoFrequencyRange, W.LabelVideoFrequencyRange, Black_Colour);
        W.GroupVideoFrequencyRange->SetHint(LoadStr(3028));
    }
}

void PC_IHM_Main_SD::UpdateDataRange(bool full)
{
    const int range = Sd_Current->Data_Range_Frequency;
    const bool changed = range != Sd_Previous->Data_Range_Frequency ||
                         Sd_Amu_Valid(*Amu1_Previous) != Sd_Amu_Valid(*Amu1_Current) ||
                         Sd_Amu_Valid(*Amu2_Previous) != Sd_Amu_Valid(*Amu2_Current) ||
                         Sd_Amu_After_1_0(*Amu1_Previous) != Sd_Amu_After_1_0(*Amu1_Current) ||
                         Sd_Amu_After_1_0(*Amu2_Previous) != Sd_Amu_After_1_0(*Amu2_Current);
    if (!full && !changed) {
        return;
    }
    Check_Only(W.MenuDataFrequencyRange, range);
    W.LabelDataFrequencyRange->SetCaption(Data_Range_Text(range));
    const bool bad = range == 2 && Is_Data_Range_Incompatible(*Sd_Current);
    if (range != 0 && !bad) {
        Set_Range_Colour(W.GroupDataFrequencyRange, W.LabelDataFrequencyRange, Black_Colour);
        W.GroupDataFrequencyRange->SetHint(LoadStr(3028));
        return;
    }
    Set_Range_Colour(W.GroupDataFrequencyRange, W.LabelDataFrequencyRange, Alarm_Colour);
    W.GroupDataFrequencyRange->SetHint(LoadStr(range != 0 ? 3027 : 3023));
}

void PC_IHM_Main_SD::UpdatePCTitle()
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

void PC_IHM_Main_SD::EvaluateAlarm()
{
    const St_System_SD& sd = *Sd_Current;
    const bool clear = Settings_Current->Port_Number != 0 && Settings_Current->Is_Connected() &&
                       sd.Video_Range_Frequency != 0 &&
                       !(sd.Video_Range_Frequency == 4 && Is_Video_Range_Incompatible(sd)) &&
                       sd.Data_Range_Frequency != 0 && !(sd.Data_Range_Frequency == 2 && Is_Data_Range_Incompatible(sd));
    Alarm = !clear;
}
