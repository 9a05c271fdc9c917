#include "screens/Pc_ihm_main_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

namespace {

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

PC_IHM_Main_SD::PC_IHM_Main_SD(St_System* previous, St_System* current, int colour_depth,
                               const std::atomic<int>* camera_count, const Widgets& widgets)
    : PC_IHM_Main_SD_HD(previous, current, colour_depth, camera_count, widgets), Sd_Previous(&previous->SD),
      Sd_Current(&current->SD), Amu1_Previous(&previous->SD.AMU1), Amu1_Current(&current->SD.AMU1),
      Amu2_Previous(&previous->SD.AMU2), Amu2_Current(&current->SD.AMU2)
{
    Number_Range_Items();
    ShowPortState(Settings_Current->Has_Port());
    Draw_Block();
    UpdateFrequencyRanges(true);
}

void PC_IHM_Main_SD::Number_Range_Items()
{
    W.MenuVideoFrequencyRange->SetTag(0);
    Number_Items(W.MenuVideoFrequencyRange, 1);
    W.MenuDataFrequencyRange->SetTag(1);
    Number_Items(W.MenuDataFrequencyRange, 1);
}

void PC_IHM_Main_SD::Update(bool full)
{
    const bool renewed = Is_Port_Renewed(full);
    if (renewed) {
        ShowPortState(Settings_Current->Has_Port());
    }
    Refresh_Block(renewed);
    UpdateFrequencyRanges(false);
}

void PC_IHM_Main_SD::UpdateFrequencyRanges(bool full)
{
    UpdateVideoRange(full);
    UpdateDataRange(full);
}

bool PC_IHM_Main_SD::Is_Range_Changed(int shown_range, int polled_range,
                                      bool (*newer)(const St_System_SD_AMU&)) const
{
    const auto amu_changed = [newer](const St_System_SD_AMU& shown, const St_System_SD_AMU& polled) {
        return Sd_Amu_Valid(shown) != Sd_Amu_Valid(polled) || newer(shown) != newer(polled);
    };
    return shown_range != polled_range || amu_changed(*Amu1_Previous, *Amu1_Current) ||
           amu_changed(*Amu2_Previous, *Amu2_Current);
}

void PC_IHM_Main_SD::UpdateVideoRange(bool full)
{
    const int range = Sd_Current->Video_Range_Frequency;
    if (!full && !Is_Range_Changed(Sd_Previous->Video_Range_Frequency, range, Sd_Amu_After_1_1)) {
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
    if (!full && !Is_Range_Changed(Sd_Previous->Data_Range_Frequency, range, Sd_Amu_After_1_0)) {
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

void PC_IHM_Main_SD::EvaluateAlarm()
{
    const St_System_SD& sd = *Sd_Current;
    const bool clear = Settings_Current->Has_Port() && Settings_Current->Is_Connected() &&
                       sd.Video_Range_Frequency != 0 &&
                       !(sd.Video_Range_Frequency == 4 && Is_Video_Range_Incompatible(sd)) &&
                       sd.Data_Range_Frequency != 0 && !(sd.Data_Range_Frequency == 2 && Is_Data_Range_Incompatible(sd));
    Alarm = !clear;
}
