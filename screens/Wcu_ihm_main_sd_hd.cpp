#include "screens/Wcu_ihm_main_sd_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Wcu_ihm_main_hd.h"
#include "screens/Wcu_ihm_main_sd.h"

namespace {

int Wcu_Good_Or_Fault(bool good)
{
    return good ? Block_Image::Good : Block_Image::Fault;
}

} // namespace

template <class Presenter, class Block_Widgets>
WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::WCU_IHM_Main_SD_HD(St_System* previous, St_System* current,
                                                                 const Widgets& widgets)
    : W(widgets), Settings_Previous(&previous->Settings), Settings_Current(&current->Settings)
{
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Update(bool full)
{
    this->Refresh(full, std::array {Settings_Previous->Is_Connected()}, std::array {Settings_Current->Is_Connected()});
}

template <class Presenter, class Block_Widgets>
bool WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsRs232CableVisible() const
{
    return W.ShapeControlRS232->Visible();
}

template <class Presenter, class Block_Widgets>
bool WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsTriax1CableVisible() const
{
    return W.ShapeControlTriax1->Visible();
}

template <class Presenter, class Block_Widgets>
bool WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsTriax2CableVisible() const
{
    return W.ShapeControlTriax2->Visible();
}

template <class Presenter, class Block_Widgets>
bool WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsTriax1CableActive() const
{
    return Is_Cable_Active(W.ShapeControlTriax1);
}

template <class Presenter, class Block_Widgets>
bool WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::IsTriax2CableActive() const
{
    return Is_Cable_Active(W.ShapeControlTriax2);
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonWCUTitle, ownerLeft, ownerTop);
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Set_Common_Active(bool on)
{
    this->Active = on;
    for (TControl* cable : {W.ShapeControlRS232, W.ShapeControlPlug1RS232, W.ShapeControlPlug2RS232}) {
        cable->SetVisible(on);
    }
    for (TControl* control : std::initializer_list<TControl*> {
             W.LabelVQOS, W.LabelDQOS, W.LabelCamWCULock, W.LabelControlData, W.GroupTriax1, W.GroupTriax2,
             W.LabelAMU1Power, W.LabelAMU1Control, W.LabelAMU1Video, W.LabelAMU2Power, W.LabelAMU2Control,
             W.LabelAMU2Video, W.ProgressVQOS, W.ProgressDQOS, W.ShapeButtonWCUTitle}) {
        control->SetEnabled(on);
    }
    W.ImageDataActivity->SetShowHint(on);
    if (on) {
        Set_Frame_Shadow(W.GroupBoxWCU, Active_Colour);
        Paint_Cable(W.ShapeControlRS232, true);
        return;
    }
    Set_Frame_Shadow(W.GroupBoxWCU, Inactive_Frame_Colour);
    for (TSCLLImage* image : {W.ImageAMU1Power, W.ImageAMU1Status, W.ImageTriax1In, W.ImageAMU2Power,
                              W.ImageAMU2Status, W.ImageTriax2In, W.ImageCamWcuLock, W.ImageDataActivity}) {
        image->SetIndexedImageIndex(Block_Image::Off);
    }
    for (TSCLProgress* meter : {W.ProgressVQOS, W.ProgressDQOS}) {
        meter->SetUserValue(meter->MinValue());
        meter->Bevel()->SetColor(1, White_Colour);
    }
    for (TControl* cable : {W.ShapeControlTriax1, W.ShapeControlPlug1Triax1, W.ShapeControlPlug2Triax1,
                            W.ShapeControlTriax2, W.ShapeControlPlug1Triax2, W.ShapeControlPlug2Triax2}) {
        cable->SetVisible(false);
    }
    Grey_Title(W.ShapeButtonWCUTitle);
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Refresh_Triax_Images(bool full, char link,
                                                                       const Wcu_Triax_View& shown,
                                                                       const Wcu_Triax_View& polled)
{
    const bool first = link == '1';
    if (full || shown.Used != polled.Used) {
        (first ? W.ImageAMU1Power : W.ImageAMU2Power)
            ->SetIndexedImageIndex(polled.Used ? Block_Image::Good : Block_Image::Off);
    }
    if (full || shown.Control_Ok != polled.Control_Ok) {
        (first ? W.ImageAMU1Status : W.ImageAMU2Status)->SetIndexedImageIndex(Wcu_Good_Or_Fault(polled.Control_Ok));
    }
    if (full || shown.Video_Ok != polled.Video_Ok) {
        (first ? W.ImageTriax1In : W.ImageTriax2In)->SetIndexedImageIndex(Wcu_Good_Or_Fault(polled.Video_Ok));
    }
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Update_Triax_Cable(bool full, char link,
                                                                     const Wcu_Triax_View& shown,
                                                                     const Wcu_Triax_View& polled)
{
    const bool used = polled.Used;
    const bool changed = shown.Used != used || (used && (shown.Control_Ok != polled.Control_Ok ||
                                                         shown.Link_Active != polled.Link_Active));
    if (!full && !changed) {
        return;
    }
    const bool first = link == '1';
    TSCLShapeControl* cable = first ? W.ShapeControlTriax1 : W.ShapeControlTriax2;
    for (TSCLShapeControl* shape : {cable, first ? W.ShapeControlPlug1Triax1 : W.ShapeControlPlug1Triax2,
                                    first ? W.ShapeControlPlug2Triax1 : W.ShapeControlPlug2Triax2}) {
        shape->SetVisible(used);
    }
    if (used) {
        Paint_Cable(cable, polled.Control_Ok && polled.Link_Active);
    }
}

template <class Presenter, class Block_Widgets>
void WCU_IHM_Main_SD_HD<Presenter, Block_Widgets>::Refresh_Data_Activity(bool full, const Wcu_Rates& shown,
                                                                        const Wcu_Rates& polled,
                                                                        const std::string& idle_hint,
                                                                        bool idle_hint_changed)
{
    const bool rates_changed = shown.A != polled.A || shown.B != polled.B;
    const bool running = polled.A != 0 && polled.B != 0;
    if (full || rates_changed || shown.Any != polled.Any) {
        int image = Block_Image::Fault;
        if (running) {
            image = polled.Any == 2 ? Block_Image::Second : Block_Image::Off;
        }
        W.ImageDataActivity->SetIndexedImageIndex(image);
    }
    if (full || rates_changed || idle_hint_changed) {
        W.ImageDataActivity->SetHint(running ? LoadStr(3096) : idle_hint);
    }
}

template class WCU_IHM_Main_SD_HD<WCU_IHM_Main_SD, Wcu_Sd_Widgets>;
template class WCU_IHM_Main_SD_HD<WCU_IHM_Main_HD, Wcu_Hd_Widgets>;
