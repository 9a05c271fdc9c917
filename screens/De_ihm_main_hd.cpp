#include "screens/De_ihm_main_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"

DE_IHM_Main_HD::DE_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets)
    : Unit(unit == '1' ? '1' : '2'), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Amu_Previous(Unit == '1' ? &previous->HD.Amu1 : &previous->HD.Amu2),
      Amu_Current(Unit == '1' ? &current->HD.Amu1 : &current->HD.Amu2),
      Status_Previous(&previous->HD.Wcu_Status), Status_Current(&current->HD.Wcu_Status), W(widgets)
{
    SetActive(false);
}

void DE_IHM_Main_HD::Update(bool full)
{
    auto up_in = [](const St_System_Settings& settings, const St_System_HD_AMU& amu) {
        return settings.Is_Connected() && Hd_Amu_Present(amu) && Hd_De_Present(amu);
    };
    const bool up = up_in(*Settings_Current, *Amu_Current);
    const bool same_gate = Settings_Previous->Is_Connected() == Settings_Current->Is_Connected() &&
                           Hd_Amu_Present(*Amu_Previous) == Hd_Amu_Present(*Amu_Current) &&
                           Hd_De_Present(*Amu_Previous) == Hd_De_Present(*Amu_Current);
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

bool DE_IHM_Main_HD::IsFrameActive() const { return Frame_Shadow(W.GroupBoxDE) == Active_Colour; }

void DE_IHM_Main_HD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonDETitle, ownerLeft, ownerTop);
}

void DE_IHM_Main_HD::SetActive(bool on)
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

void DE_IHM_Main_HD::RefreshValues(bool full)
{
    UpdateAntennaState(full);
    const bool in_use = Hd_Amu_In_Use(*Status_Current, Unit);
    if (full || Hd_Amu_In_Use(*Status_Previous, Unit) != in_use) {
        if (in_use) {
            PaintFrameActive();
        } else {
            PaintFrameInactive();
        }
    }
}

void DE_IHM_Main_HD::UpdateAntennaState(bool full)
{
    const bool tx_on = Hd_De_Tx_On(*Amu_Current);
    const bool normal = Hd_De_Normal_Transmission(*Amu_Current);
    if (!full && Hd_De_Tx_On(*Amu_Previous) == tx_on && Hd_De_Normal_Transmission(*Amu_Previous) == normal) {
        return;
    }
    int suffix = 3002;
    if (tx_on && !normal) {
        suffix = 3003;
        Set_Shape_Colours(W.ShapeControl3Ant, 0x000080, 0x0000FF, 0x0000FF);
    } else if (tx_on) {
        suffix = 3001;
        Set_Shape_Colours(W.ShapeControl3Ant, 0x00FF00, 0x008000, 0x00FF00);
    } else {
        Paint_Cable(W.ShapeControl3Ant, false);
    }
    W.ImageDETxEna->SetIndexedImageIndex(tx_on ? Block_Image::Good : Block_Image::Off);
    W.ShapeControl2Ant->SetHint(LoadStr(3000) + Unit + LoadStr(suffix));
    W.ShapeControl3Ant->SetHint(W.ShapeControl2Ant->Hint());
}

void DE_IHM_Main_HD::PaintFrameActive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Active_Colour);
}

void DE_IHM_Main_HD::PaintFrameInactive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Inactive_Frame_Colour);
}

void DE_IHM_Main_HD::EvaluateAlarm()
{
    Alarm = !Hd_De_Normal_Transmission(*Amu_Current);
}
