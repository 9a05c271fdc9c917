#include "screens/Amu_ihm_main_sd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

namespace {

Amu_Common_View Sd_Amu_Common_View(const St_System_SD_AMU& amu, const St_System_SD_DE& de)
{
    return {Sd_Amu_Rc1_Identifier(amu),
            Sd_Amu_Rc1_Clash(amu),
            {Sd_Amu_Tuner_Locked(amu, 1), Sd_Amu_Tuner_Locked(amu, 2), Sd_Amu_Tuner_Locked(amu, 3)},
            Sd_De_Answers(de),
            Sd_Amu_Active(amu)};
}

} // namespace

AMU_IHM_Main_SD::AMU_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : AMU_IHM_Main_SD_HD(widgets, 3017, 3018), Settings_Previous(&previous->Settings),
      Settings_Current(&current->Settings), Type_Current(&current->Type),
      Amu_Previous(unit == '1' ? &previous->SD.AMU1 : &previous->SD.AMU2),
      Amu_Current(unit == '1' ? &current->SD.AMU1 : &current->SD.AMU2),
      De_Previous(unit == '1' ? &previous->SD.DE1 : &previous->SD.DE2),
      De_Current(unit == '1' ? &current->SD.DE1 : &current->SD.DE2)
{
    SetActive(false);
}

void AMU_IHM_Main_SD::Update(bool full)
{
    auto gate = [](const St_System_Settings& settings, const St_System_SD_AMU& amu) {
        return std::array {settings.Is_Connected(), Sd_Amu_Present(amu), Sd_Amu_Polled(amu)};
    };
    Refresh(full, gate(*Settings_Previous, *Amu_Previous), gate(*Settings_Current, *Amu_Current));
}

void AMU_IHM_Main_SD::SetActive(bool on)
{
    Set_Common_Active(on, Sd_De_Answers(*De_Current));
    W.LabelAMURemoteControl->SetEnabled(on);
    if (on) {
        return;
    }
    for (TSCLLImage* image :
         {W.ImageAMURemoteControl, W.ImageErrorAMUAnt1, W.ImageErrorAMUAnt2, W.ImageErrorAMUAnt3}) {
        image->SetIndexedImageIndex(Block_Image::Off);
    }
    for (TControl* mark : {W.ShapeControlAMUAnt123, W.ShapeControlAMUAnt1, W.ShapeControlAMUAnt2,
                           W.ShapeControlAMUAnt3}) {
        mark->SetVisible(false);
    }
    for (TSCLSimpleLabel* label : {W.LabelAMUAntenna1, W.LabelAMUAntenna2, W.LabelAMUAntenna3}) {
        label->Font()->SetStyle(TFontStyles {});
    }
}

void AMU_IHM_Main_SD::RefreshValues(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    Refresh_Common(full, Sd_Amu_Common_View(previous, *De_Previous), Sd_Amu_Common_View(current, *De_Current));
    TSCLLImage* const errors[] = {W.ImageErrorAMUAnt1, W.ImageErrorAMUAnt2, W.ImageErrorAMUAnt3};
    for (int tuner = 1; tuner <= 3; ++tuner) {
        Refresh_Flag_Image(full, errors[tuner - 1], Sd_Amu_Tuner_Error(previous, tuner),
                           Sd_Amu_Tuner_Error(current, tuner));
    }
    if (full || Sd_Amu_Remote_Control_Ok(previous) != Sd_Amu_Remote_Control_Ok(current)) {
        W.ImageAMURemoteControl->SetIndexedImageIndex(Sd_Amu_Remote_Control_Ok(current) ? Block_Image::Good
                                                                                          : Block_Image::Fault);
    }
    for (int code : {1, 2, 4}) {
        ShowSelectedAntenna(code, full);
    }
    UpdateAllTunersMarker(full);
}

void AMU_IHM_Main_SD::ShowSelectedAntenna(int code, bool full)
{
    const int selected = Sd_Amu_Selected_Antenna(*Amu_Current);
    if (!full && Sd_Amu_Selected_Antenna(*Amu_Previous) == selected) {
        return;
    }
    TSCLShapeControl* shape = code == 1 ? W.ShapeControlAMUAnt1 : code == 2 ? W.ShapeControlAMUAnt2
                                                                            : W.ShapeControlAMUAnt3;
    TSCLSimpleLabel* label = code == 1 ? W.LabelAMUAntenna1 : code == 2 ? W.LabelAMUAntenna2 : W.LabelAMUAntenna3;
    shape->SetVisible(selected == code);
    label->Font()->SetStyle(shape->Visible() ? TFontStyles {fsBold} : TFontStyles {});
}

void AMU_IHM_Main_SD::UpdateAllTunersMarker(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    if (Type_Current->Is_Sd_Wcu_After_V1()) {
        if (full || Sd_Amu_All_Tuners(previous) != Sd_Amu_All_Tuners(current)) {
            W.ShapeControlAMUAnt123->SetVisible(Sd_Amu_All_Tuners(current));
        }
        return;
    }
    auto all_in_error = [](const St_System_SD_AMU& amu) {
        return Sd_Amu_Tuner_Error(amu, 1) && Sd_Amu_Tuner_Error(amu, 2) && Sd_Amu_Tuner_Error(amu, 3);
    };
    if (full || all_in_error(previous) != all_in_error(current)) {
        W.ShapeControlAMUAnt123->SetVisible(all_in_error(current));
    }
}

void AMU_IHM_Main_SD::EvaluateAlarm()
{
    Alarm = Sd_Amu_Rc1_Clash(*Amu_Current) || !Sd_De_Answers(*De_Current);
}
