#include "screens/Amu_ihm_main_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

namespace {

constexpr TColor Identifier_Colour = 0x008000;
// The clashing identifier blinks: this many refreshes lit, as many dark.
constexpr int Blink_Period = 4;

} // namespace

AMU_IHM_Main_SD::AMU_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : Settings_Previous(&previous->Settings), Settings_Current(&current->Settings), Type_Current(&current->Type),
      Amu_Previous(unit == '1' ? &previous->SD.AMU1 : &previous->SD.AMU2),
      Amu_Current(unit == '1' ? &current->SD.AMU1 : &current->SD.AMU2),
      De_Previous(unit == '1' ? &previous->SD.DE1 : &previous->SD.DE2),
      De_Current(unit == '1' ? &current->SD.DE1 : &current->SD.DE2), W(widgets)
{
    SetActive(false);
}

void AMU_IHM_Main_SD::Update(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    const bool up = Settings_Current->Is_Connected() && Sd_Amu_Present(current) && Sd_Amu_Polled(current);
    const bool same_gate = Settings_Previous->Is_Connected() == Settings_Current->Is_Connected() &&
                           Sd_Amu_Present(previous) == Sd_Amu_Present(current) &&
                           Sd_Amu_Polled(previous) == Sd_Amu_Polled(current);
    if (!full && same_gate) {
        if (up) {
            RefreshValues(false);
            EvaluateAlarm();
        }
        return;
    }
    SetActive(up);
    if (up) {
        RefreshValues(true);
    }
    EvaluateAlarm();
}

bool AMU_IHM_Main_SD::IsFrameActive() const { return Frame_Shadow(W.GroupBoxAMU) == Active_Colour; }
bool AMU_IHM_Main_SD::IsWireDEVisible() const { return W.ShapeControlWireDE->Visible(); }
bool AMU_IHM_Main_SD::IsWireDEActive() const { return Is_Cable_Active(W.ShapeControlWireDE); }

void AMU_IHM_Main_SD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonAMUTitle, ownerLeft, ownerTop);
}

void AMU_IHM_Main_SD::SetActive(bool on)
{
    Active = on;
    for (TControl* wire : {W.ShapeControlWireDE, W.ShapeControlPlug1DE, W.ShapeControlPlug2DE}) {
        wire->SetVisible(on);
    }
    for (TControl* control : std::initializer_list<TControl*> {
             W.LabelAMUCell, W.LabelAMURemoteControl, W.LabelAMULock, W.LabelAMUError, W.LabelAMUAntenna1,
             W.LabelAMUAntenna2, W.LabelAMUAntenna3, W.GroupAMUTuners, W.ShapeButtonAMUTitle}) {
        control->SetEnabled(on);
    }
    W.LabelAMUCell->SetShowHint(on);
    W.LEDAMUCell->SetShowHint(on);
    if (on) {
        return;
    }
    for (TSCLLImage* image : {W.ImageAMURemoteControl, W.ImageLockAMUAnt1, W.ImageLockAMUAnt2, W.ImageLockAMUAnt3,
                              W.ImageErrorAMUAnt1, W.ImageErrorAMUAnt2, W.ImageErrorAMUAnt3}) {
        image->SetIndexedImageIndex(Block_Image::Off);
    }
    W.LEDAMUCell->SetEnabled(false);
    for (TControl* mark : {W.ShapeControlAMUAnt123, W.ShapeControlAMUAnt1, W.ShapeControlAMUAnt2,
                           W.ShapeControlAMUAnt3}) {
        mark->SetVisible(false);
    }
    for (TSCLSimpleLabel* label : {W.LabelAMUAntenna1, W.LabelAMUAntenna2, W.LabelAMUAntenna3}) {
        label->Font()->SetStyle(TFontStyles {});
    }
    PaintInactive();
    Grey_Title(W.ShapeButtonAMUTitle);
}

void AMU_IHM_Main_SD::RefreshValues(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    const bool de_changed = Sd_De_Answers(*De_Previous) != Sd_De_Answers(*De_Current);
    RefreshIdentifier(full);
    if (full || de_changed) {
        for (TControl* wire : {W.ShapeControlWireDE, W.ShapeControlPlug1DE, W.ShapeControlPlug2DE}) {
            wire->SetVisible(Sd_De_Answers(*De_Current));
        }
    }
    RefreshTuners(full);
    if (full || Sd_Amu_Remote_Control_Ok(previous) != Sd_Amu_Remote_Control_Ok(current)) {
        W.ImageAMURemoteControl->SetIndexedImageIndex(Sd_Amu_Remote_Control_Ok(current) ? Block_Image::Good
                                                                                          : Block_Image::Fault);
    }
    for (int code : {1, 2, 4}) {
        ShowSelectedAntenna(code, full);
    }
    UpdateAllTunersMarker(full);
    if (full || Sd_Amu_Active(previous) != Sd_Amu_Active(current) || de_changed) {
        if (Sd_Amu_Active(current)) {
            PaintActive();
        } else {
            PaintInactive();
        }
    }
}

void AMU_IHM_Main_SD::RefreshIdentifier(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    if (full || Sd_Amu_Rc1_Identifier(previous) != Sd_Amu_Rc1_Identifier(current)) {
        W.LEDAMUCell->SetCaption(Format("%X", {Sd_Amu_Rc1_Identifier(current)}));
    }
    const bool clash = Sd_Amu_Rc1_Clash(current);
    if (full || Sd_Amu_Rc1_Clash(previous) != clash) {
        W.LEDAMUCell->SetEnabled(true);
        Blink_Counter = 0;
        W.LEDAMUCell->LED()->SetColor(0, clash ? Alarm_Colour : Identifier_Colour);
        W.LabelAMUCell->Font()->SetColor(clash ? Alarm_Colour : Black_Colour);
        const std::string hint = LoadStr(clash ? 3017 : 3018);
        W.LabelAMUCell->SetHint(hint);
        W.LEDAMUCell->SetHint(hint);
    } else if (clash) {
        ++Blink_Counter;
        if (Blink_Counter % Blink_Period == 0) {
            W.LEDAMUCell->SetEnabled(!W.LEDAMUCell->Enabled());
        }
    }
}

void AMU_IHM_Main_SD::RefreshTuners(bool full)
{
    const St_System_SD_AMU& previous = *Amu_Previous;
    const St_System_SD_AMU& current = *Amu_Current;
    TSCLLImage* const locks[] = {W.ImageLockAMUAnt1, W.ImageLockAMUAnt2, W.ImageLockAMUAnt3};
    TSCLLImage* const errors[] = {W.ImageErrorAMUAnt1, W.ImageErrorAMUAnt2, W.ImageErrorAMUAnt3};
    for (int tuner = 1; tuner <= 3; ++tuner) {
        if (full || Sd_Amu_Tuner_Locked(previous, tuner) != Sd_Amu_Tuner_Locked(current, tuner)) {
            locks[tuner - 1]->SetIndexedImageIndex(Sd_Amu_Tuner_Locked(current, tuner) ? Block_Image::Good : Block_Image::Off);
        }
    }
    for (int tuner = 1; tuner <= 3; ++tuner) {
        if (full || Sd_Amu_Tuner_Error(previous, tuner) != Sd_Amu_Tuner_Error(current, tuner)) {
            errors[tuner - 1]->SetIndexedImageIndex(Sd_Amu_Tuner_Error(current, tuner) ? Block_Image::Fault : Block_Image::Off);
        }
    }
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

void AMU_IHM_Main_SD::PaintActive()
{
    Set_Frame_Shadow(W.GroupBoxAMU, Active_Colour);
    if (Sd_De_Answers(*De_Current)) {
        Paint_Cable(W.ShapeControlWireDE, true);
    }
}

void AMU_IHM_Main_SD::PaintInactive()
{
    Set_Frame_Shadow(W.GroupBoxAMU, Inactive_Frame_Colour);
    if (Sd_De_Answers(*De_Current)) {
        Paint_Cable(W.ShapeControlWireDE, false);
    }
}

void AMU_IHM_Main_SD::EvaluateAlarm()
{
    Alarm = Sd_Amu_Rc1_Clash(*Amu_Current) || !Sd_De_Answers(*De_Current);
}
