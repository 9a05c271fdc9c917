#include "screens/Amu_ihm_main_hd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"

#include <array>

namespace {

// The RSSI meter's full range, narrowed by the transmission mode.
constexpr int Rssi_Floor = 0;
constexpr int Rssi_Ceiling = 255;

TColor Grade_Colour(int grade)
{
    switch (grade) {
    case 1: return 0xFF00FF;
    case 2: return Alarm_Colour;
    default: return 0x800000;
    }
}

std::string Tuner_Choice_Text(int choice)
{
    return choice >= 0 && choice <= 3 ? LoadStr(3091 + choice) : std::string();
}

std::string Grade_Text(int grade)
{
    switch (grade) {
    case 1: return LoadStr(3097);
    case 2: return LoadStr(3098);
    default: return std::string();
    }
}

std::array<int, 3> Range_Codes(const St_System_HD_AMU& amu)
{
    return {Hd_Amu_Receiver_Type(amu, 0), Hd_Amu_Receiver_Type(amu, 1), Hd_Amu_Receiver_Type(amu, 2)};
}

void Show_Receiver_Label(TSCLSimpleLabel* label, bool fault, const std::string& hint)
{
    label->Font()->SetColor(fault ? Alarm_Colour : Black_Colour);
    label->Font()->SetStyle(fault ? TFontStyles {fsBold} : TFontStyles {});
    label->SetHint(hint);
}

Amu_Common_View Hd_Amu_Common_View(const St_System_HD_AMU& amu, const St_System_HD_WCU_Status& status, char unit)
{
    return {Hd_Amu_Cell_Identifier(amu),
            Hd_Amu_Cw1_Clash(amu),
            {Hd_Amu_Receiver_Locked(amu, 1), Hd_Amu_Receiver_Locked(amu, 2), Hd_Amu_Receiver_Locked(amu, 3)},
            Hd_De_Wire(amu),
            Hd_Triax_Link_Bit(status, unit)};
}

} // namespace

AMU_IHM_Main_HD::AMU_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : AMU_IHM_Main_SD_HD(widgets, 3048, 3049), Unit(unit == '1' ? '1' : '2'), Hd_Previous(&previous->HD),
      Hd_Current(&current->HD), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu_Previous(Unit == '1' ? &previous->HD.Amu1 : &previous->HD.Amu2),
      Amu_Current(Unit == '1' ? &current->HD.Amu1 : &current->HD.Amu2),
      Stat_Previous(Unit == '1' ? &previous->HD.Amu1_Stat : &previous->HD.Amu2_Stat),
      Stat_Current(Unit == '1' ? &current->HD.Amu1_Stat : &current->HD.Amu2_Stat),
      Link_Previous(&previous->HD.Wcu_Link), Link_Current(&current->HD.Wcu_Link),
      Status_Previous(&previous->HD.Wcu_Status), Status_Current(&current->HD.Wcu_Status)
{
    SetActive(false);
}

void AMU_IHM_Main_HD::Update(bool full)
{
    auto gate = [](const St_System_Settings& settings, const St_System_HD_AMU& amu) {
        return std::array {settings.Is_Connected(), Hd_Amu_Present(amu)};
    };
    Refresh(full, gate(*Settings_Previous, *Amu_Previous), gate(*Settings_Current, *Amu_Current));
}

void AMU_IHM_Main_HD::SetActive(bool on)
{
    Set_Common_Active(on, Hd_De_Wire(*Amu_Current));
    for (TControl* control : std::initializer_list<TControl*> {W.LabelAMURSSI, W.LabelAllUnlockedTunerAMU,
                                                               W.LabelErrorRsFlagAMU, W.LabelProfileMismatchAMU,
                                                               W.ProgressAMURSSI}) {
        control->SetEnabled(on);
    }
    for (TControl* control : std::initializer_list<TControl*> {
             W.LabelAMURSSI, W.ProgressAMURSSI, W.LabelAMUAntenna1, W.LabelAMUAntenna2, W.LabelAMUAntenna3,
             W.LabelAllUnlockedTunerAMU, W.LabelErrorRsFlagAMU, W.LabelProfileMismatchAMU,
             W.ImageAllUnlockedTunerAMU, W.ImageErrorRsFlagAMU, W.ImageProfileMismatchAMU}) {
        control->SetShowHint(on);
    }
    if (on) {
        return;
    }
    for (TSCLLImage* image : {W.ImageAllUnlockedTunerAMU, W.ImageErrorRsFlagAMU, W.ImageProfileMismatchAMU}) {
        image->SetIndexedImageIndex(Block_Image::Off);
    }
    W.ProgressAMURSSI->SetUserValue(W.ProgressAMURSSI->MinValue());
}

void AMU_IHM_Main_HD::RefreshValues(bool full)
{
    Refresh_Common(full, Hd_Amu_Common_View(*Amu_Previous, *Status_Previous, Unit),
                   Hd_Amu_Common_View(*Amu_Current, *Status_Current, Unit));
    RefreshRssi(full);
    RefreshReceiverLabels(full);
    RefreshFlagImages(full);
}

AMU_IHM_Main_HD::Rssi_View AMU_IHM_Main_HD::Rssi_Of(const St_System_HD& hd, const St_System_HD_AMU& amu,
                                                    const St_System_HD_AMU_Stat& stat) const
{
    Rssi_View view {};
    view.Mode = Hd_Link_Transmission_Mode(hd.Wcu_Link);
    view.Choice = Hd_Spectrum_Tuner_Choice(hd, Unit);
    view.Value = Clamp_By_Mode(Hd_Amu_Rssi(stat, view.Choice), view.Mode);
    view.Grade = Video_Quality_Grade(Hd_Amu_Grading_Enabled(amu), Hd_Amu_Grade_Values(stat),
                                     Hd_Amu_Receiver_Levels(stat), Hd_Amu_Receiver_Locked(amu, 1),
                                     Hd_Amu_Receiver_Locked(amu, 2), Hd_Amu_Receiver_Locked(amu, 3), view.Mode);
    return view;
}

void AMU_IHM_Main_HD::RefreshRssi(bool full)
{
    const Rssi_View previous = Rssi_Of(*Hd_Previous, *Amu_Previous, *Stat_Previous);
    const Rssi_View current = Rssi_Of(*Hd_Current, *Amu_Current, *Stat_Current);
    TSCLProgress* meter = W.ProgressAMURSSI;
    const bool mode_changed = previous.Mode != current.Mode;
    if (full || mode_changed) {
        meter->SetMaxValue(Rssi_Ceiling);
        meter->SetMinValue(Rssi_Floor);
        // The mode's limits are the clamp of the full range's ends.
        meter->SetMaxValue(Clamp_By_Mode(Rssi_Ceiling, current.Mode));
        meter->SetMinValue(Clamp_By_Mode(Rssi_Floor, current.Mode));
    }
    if (full || mode_changed || previous.Value != current.Value) {
        meter->SetUserValue(current.Value);
    }
    if (full || previous.Grade != current.Grade) {
        meter->SetBarColor(Grade_Colour(current.Grade));
        meter->SmallBar()->SetBarColor(Grade_Colour(current.Grade));
    }
    if (full || previous.Choice != current.Choice || previous.Grade != current.Grade) {
        W.LabelAMURSSI->SetHint(LoadStr(3090) + Tuner_Choice_Text(current.Choice) + Grade_Text(current.Grade));
        meter->SetHint(W.LabelAMURSSI->Hint());
    }
}

void AMU_IHM_Main_HD::RefreshReceiverLabels(bool full)
{
    const std::array<int, 3> codes = Range_Codes(*Amu_Current);
    const bool mismatch = Hd_Amu_Other_Amu_Type_Differs(*Amu_Current);
    if (!full && Range_Codes(*Amu_Previous) == codes && Hd_Amu_Other_Amu_Type_Differs(*Amu_Previous) == mismatch) {
        return;
    }
    const std::array<TSCLSimpleLabel*, 3> labels {W.LabelAMUAntenna1, W.LabelAMUAntenna2, W.LabelAMUAntenna3};
    const bool one_missing = codes[0] == 0 || codes[1] == 0 || codes[2] == 0;
    const bool all_equal = codes[0] == codes[1] && codes[1] == codes[2];
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (one_missing) {
            const bool missing = codes[i] == 0;
            Show_Receiver_Label(labels[i], missing, missing ? LoadStr(3070) : std::string());
        } else if (!all_equal) {
            Show_Receiver_Label(labels[i], true, LoadStr(3051) + LoadStr(3071) + Hd_Range_Text(codes[i]));
        } else if (Range_Code(codes[i]) == Hd_Invalid_Code) {
            Show_Receiver_Label(labels[i], true, LoadStr(3052));
        } else if (mismatch) {
            Show_Receiver_Label(labels[i], true, LoadStr(3053) + LoadStr(3072) + Hd_Range_Text(codes[i]));
        } else {
            Show_Receiver_Label(labels[i], false, std::string());
        }
    }
}

void AMU_IHM_Main_HD::RefreshFlagImages(bool full)
{
    const St_System_HD_AMU& previous = *Amu_Previous;
    const St_System_HD_AMU& current = *Amu_Current;
    Refresh_Flag_Image(full, W.ImageAllUnlockedTunerAMU, Hd_Amu_All_Unlocked(previous), Hd_Amu_All_Unlocked(current));
    Refresh_Flag_Image(full, W.ImageErrorRsFlagAMU, Hd_Amu_Video_Link_Error(previous),
                       Hd_Amu_Video_Link_Error(current));
    Refresh_Flag_Image(full, W.ImageProfileMismatchAMU, Hd_Amu_Profile_Mismatch(previous),
                       Hd_Amu_Profile_Mismatch(current));
}

void AMU_IHM_Main_HD::EvaluateAlarm()
{
    const St_System_HD_AMU& amu = *Amu_Current;
    const std::array<int, 3> codes = Range_Codes(amu);
    const bool types_good = codes[0] != 0 && codes[0] == codes[1] && codes[1] == codes[2] &&
                            Range_Code(codes[0]) != Hd_Invalid_Code && !Hd_Amu_Other_Amu_Type_Differs(amu);
    Alarm = Hd_Amu_Cw1_Clash(amu) || !types_good;
}
