#include "screens/De_ihm_main_sd_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"

DE_IHM_Main_SD_HD::DE_IHM_Main_SD_HD(char unit, const Widgets& widgets) : Unit(unit == '1' ? '1' : '2'), W(widgets)
{
    SetActive(false);
}

bool DE_IHM_Main_SD_HD::IsFrameActive() const { return Frame_Shadow(W.GroupBoxDE) == Active_Colour; }

void DE_IHM_Main_SD_HD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonDETitle, ownerLeft, ownerTop);
}

void DE_IHM_Main_SD_HD::SetActive(bool on)
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

void DE_IHM_Main_SD_HD::RefreshValues(bool full)
{
    UpdateAntennaState(full);
    if (full || Shown.Amu_In_Use != Polled.Amu_In_Use) {
        if (Polled.Amu_In_Use) {
            PaintFrameActive();
        } else {
            PaintFrameInactive();
        }
    }
}

void DE_IHM_Main_SD_HD::UpdateAntennaState(bool full)
{
    const bool tx_on = Polled.Tx_On;
    const bool test_signal = Polled.Test_Signal;
    if (!full && Shown.Tx_On == tx_on && Shown.Test_Signal == test_signal) {
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
    W.ShapeControl2Ant->SetHint(LoadStr(3000) + Unit + LoadStr(suffix));
    W.ShapeControl3Ant->SetHint(W.ShapeControl2Ant->Hint());
}

void DE_IHM_Main_SD_HD::PaintFrameActive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Active_Colour);
}

void DE_IHM_Main_SD_HD::PaintFrameInactive()
{
    Set_Frame_Shadow(W.GroupBoxDE, Inactive_Frame_Colour);
}

void DE_IHM_Main_SD_HD::EvaluateAlarm()
{
    Alarm = Polled.Test_Signal;
}
