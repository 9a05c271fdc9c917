#include "screens/De_ihm_main_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

DE_IHM_Main_SD::DE_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : Unit(unit == '1' ? '1' : '2'), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu_Previous(unit == '1' ? &previous->SD.AMU1 : &previous->SD.AMU2),
      Amu_Current(unit == '1' ? &current->SD.AMU1 : &current->SD.AMU2),
      De_Previous(unit == '1' ? &previous->SD.DE1 : &previous->SD.DE2),
      De_Current(unit == '1' ? &current->SD.DE1 : &current->SD.DE2), W(widgets)
{
    SetActive(false);
}

void DE_IHM_Main_SD::Update(bool full)
{
    auto up_in = [](const St_System_Settings& settings, const St_System_SD_AMU& amu, const St_System_SD_DE& de) {
        return settings.Is_Connected() && Sd_Amu_Present(amu) && Sd_Amu_Polled(amu) && Sd_De_Answers(de);
    };
    const bool up = up_in(*Settings_Current, *Amu_Current, *De_Current);
    const bool same_gate = Settings_Previous->Is_Connected() == Settings_Current->Is_Connected() &&
                           Sd_Amu_Present(*Amu_Previous) == Sd_Amu_Present(*Amu_Current) &&
                           Sd_Amu_Polled(*Amu_Previous) == Sd_Amu_Polled(*Amu_Current) &&
                           Sd_De_Answers(*De_Previous) == Sd_De_Answers(*De_Current);
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

bool DE_IHM_Main_SD::IsFrameActive() const { return Frame_Shadow(W.GroupBoxDE) == Active_Colour; }

void DE_IHM_Main_SD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonDETitle, ownerLeft, ownerTop);
}

void DE_IHM_Main_SD::SetActive(bool on)
{
    Active = on;
    W.LabelDETxEna->SetEnabled(on);
    W.ShapeControl2Ant->SetShowHint(on);
    W.ShapeControl3Ant->SetShowHint(on);
    W.ShapeButtonDETitle->SetEnabled(on);
    if (on) {
        return;
    }
    W.ImageDETxEna->SetIndexedImageIndex(Block_Image::Off);
    W.ShapeControl2Ant->SetHint(std::string());
    W.ShapeControl3Ant->SetHint(std::string());
    Paint_Cable(W.ShapeControl3Ant, false);
    PaintFrameInactive();
    Grey_Title(W.ShapeButtonDETitle);
}

void DE_IHM_Main_SD::RefreshValues(bool full)
{
    UpdateAntennaState(full);
    if (full || Sd_Amu_Active(*Amu_Previous) != Sd_Amu_Active(*Amu_Current)) {
        if (Sd_Amu_Active(*Amu_Current)) {
            PaintFrameActive();
        } else {
            PaintFrameInactive();
        }
    }
}

void DE_IHM_Main_SD::UpdateAntennaState(bool full)
{
    const bool tx_on = Sd_De_Tx_Enabled(*De_Current);
    const bool test_signal = Sd_Amu_Test_Signal(*Amu_Current);
    if (!full && Sd_De_Tx_Enabled(*De_Previous) == tx_on && Sd_Amu_Test_Signal(*Amu_Previous) == test_signal) {
        return;
    }
    int suffix = 3002;
    if (tx_on && test_signal) {
        suffix = 3003;
        Set_Shape_Colours(W.ShapeControl3Ant, 0x000080, 0x0000FF, 0x0000FF);
    } else if (tx_on) {
        suffix = 3001;
        Set_Shape_Colours(W.ShapeControl3Ant, 0x00FF00, 0x008000, 0x00FF00);
    } else {
        Paint_Cable(W.ShapeControl3Ant, false);
    }
    W.ImageDETxEna->SetIndexedImageIndex(tx_on ? Block_Image::Good : Block_Image::Off);
    const std::string hint = LoadStr(3000) + Unit + LoadStr(suffix);
    W.ShapeControl2Ant->SetHint(hint);
    W.ShapeControl3Ant->SetHint(W.ShapeControl2Ant->Hint());
}

void DE_IHM_Main_SD::PaintFrameActive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Active_Colour);
}

void DE_IHM_Main_SD::PaintFrameInactive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Inactive_Frame_Colour);
}

void DE_IHM_Main_SD::EvaluateAlarm()
{
    Alarm = Sd_Amu_Test_Signal(*Amu_Current);
}
