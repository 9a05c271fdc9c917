#include "screens/Wcu_ihm_main_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

namespace {

// Quality meters show a red bevel below this value.
constexpr int Minimum_Quality = 10;

int Image_Good_Or_Fault(bool good)
{
    return good ? Block_Image::Good : Block_Image::Fault;
}

std::string Hex_Text(int value)
{
    return Format("%X", {value});
}

} // namespace

WCU_IHM_Main_SD::WCU_IHM_Main_SD(St_System* previous, St_System* current, const Widgets& widgets)
    : Settings_Previous(&previous->Settings), Settings_Current(&current->Settings), Type_Current(&current->Type),
      Wcu_Previous(&previous->SD.WCU), Wcu_Current(&current->SD.WCU), Amu1_Previous(&previous->SD.AMU1),
      Amu1_Current(&current->SD.AMU1), Amu2_Previous(&previous->SD.AMU2), Amu2_Current(&current->SD.AMU2),
      W(widgets)
{
    SetActive(false);
}

void WCU_IHM_Main_SD::Update(bool full)
{
    const bool connected = Settings_Current->Is_Connected();
    if (!full && connected == Settings_Previous->Is_Connected()) {
        if (connected) {
            RefreshValues(false);
            EvaluateAlarm();
        }
        return;
    }
    SetActive(connected);
    if (connected) {
        RefreshValues(true);
    }
    EvaluateAlarm();
}

bool WCU_IHM_Main_SD::IsRs232CableVisible() const { return W.ShapeControlRS232->Visible(); }
bool WCU_IHM_Main_SD::IsTriax1CableVisible() const { return W.ShapeControlTriax1->Visible(); }
bool WCU_IHM_Main_SD::IsTriax2CableVisible() const { return W.ShapeControlTriax2->Visible(); }
bool WCU_IHM_Main_SD::IsTriax1CableActive() const { return Is_Cable_Active(W.ShapeControlTriax1); }
bool WCU_IHM_Main_SD::IsTriax2CableActive() const { return Is_Cable_Active(W.ShapeControlTriax2); }

void WCU_IHM_Main_SD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonWCUTitle, ownerLeft, ownerTop);
}

void WCU_IHM_Main_SD::SetActive(bool on)
{
    Active = on;
    for (TControl* cable : {W.ShapeControlRS232, W.ShapeControlPlug1RS232, W.ShapeControlPlug2RS232}) {
        cable->SetVisible(on);
    }
    for (TControl* control : std::initializer_list<TControl*> {
             W.LabelVQOS, W.LabelDQOS, W.LabelCamWCULock, W.LabelControlData, W.GroupTriax1, W.GroupTriax2,
             W.LabelAMU1Power, W.LabelAMU1Control, W.LabelAMU1Video, W.LabelAMU2Power, W.LabelAMU2Control,
             W.LabelAMU2Video, W.LabelVideoChannel, W.LabelDataChannel, W.ProgressVQOS, W.ProgressDQOS,
             W.LEDVideoChannel, W.LEDDataChannel, W.ShapeButtonWCUTitle}) {
        control->SetEnabled(on);
    }
    W.ImageDataActivity->SetShowHint(on);
    if (on) {
        Set_Frame_Shadow(W.GroupBoxWCU, Active_Colour);
        Set_Shape_Colours(W.ShapeControlRS232, Active_Colour, Active_Colour, Active_Colour);
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

void WCU_IHM_Main_SD::RefreshValues(bool full)
{
    if (full || Sd_Wcu_Cam_Lock(*Wcu_Previous) != Sd_Wcu_Cam_Lock(*Wcu_Current)) {
        W.ImageCamWcuLock->SetIndexedImageIndex(Image_Good_Or_Fault(Sd_Wcu_Cam_Lock(*Wcu_Current)));
    }
    RefreshTriaxImages(full, *Amu1_Previous, *Amu1_Current, W.ImageAMU1Power, W.ImageAMU1Status, W.ImageTriax1In);
    RefreshTriaxImages(full, *Amu2_Previous, *Amu2_Current, W.ImageAMU2Power, W.ImageAMU2Status, W.ImageTriax2In);
    RefreshDataActivity(full);
    RefreshQuality(full, Sd_Wcu_Vqos(*Wcu_Previous), Sd_Wcu_Vqos(*Wcu_Current), W.ProgressVQOS);
    RefreshQuality(full, Sd_Wcu_Dqos(*Wcu_Previous), Sd_Wcu_Dqos(*Wcu_Current), W.ProgressDQOS);
    RefreshChannels(full);
    UpdateCables(full);
}

void WCU_IHM_Main_SD::RefreshTriaxImages(bool full, const St_System_SD_AMU& previous,
                                         const St_System_SD_AMU& current, TSCLLImage* power, TSCLLImage* status,
                                         TSCLLImage* video)
{
    if (full || Sd_Amu_Present(previous) != Sd_Amu_Present(current)) {
        power->SetIndexedImageIndex(Sd_Amu_Present(current) ? Block_Image::Good : Block_Image::Off);
    }
    if (full || Sd_Amu_Polled(previous) != Sd_Amu_Polled(current)) {
        status->SetIndexedImageIndex(Image_Good_Or_Fault(Sd_Amu_Polled(current)));
    }
    if (full || Sd_Amu_Valid_Clear(previous) != Sd_Amu_Valid_Clear(current)) {
        video->SetIndexedImageIndex(Image_Good_Or_Fault(Sd_Amu_Valid_Clear(current)));
    }
}

void WCU_IHM_Main_SD::RefreshDataActivity(bool full)
{
    const St_System_SD_WCU& previous = *Wcu_Previous;
    const St_System_SD_WCU& current = *Wcu_Current;
    const bool r1_r2_changed =
        Sd_Wcu_Rate_R1(previous) != Sd_Wcu_Rate_R1(current) || Sd_Wcu_Rate_R2(previous) != Sd_Wcu_Rate_R2(current);
    const bool idle = Sd_Wcu_Rate_R2(current) == 0 || Sd_Wcu_Rate_R1(current) == 0;
    if (full || r1_r2_changed || Sd_Wcu_Rate_R0(previous) != Sd_Wcu_Rate_R0(current)) {
        int image = Block_Image::Off;
        if (idle) {
            image = Block_Image::Fault;
        } else if (Sd_Wcu_Rate_R0(current) == 2) {
            image = Block_Image::Second;
        }
        W.ImageDataActivity->SetIndexedImageIndex(image);
    }
    if (full || r1_r2_changed) {
        W.ImageDataActivity->SetHint(idle ? std::string() : LoadStr(3096));
    }
}

void WCU_IHM_Main_SD::RefreshQuality(bool full, int previous, int current, TSCLProgress* meter)
{
    if (!full && previous == current) {
        return;
    }
    if (Sd_Is_Qos_Value(current)) {
        meter->SetUserValue(current);
    }
    meter->Bevel()->SetColor(1, meter->UserValue() < Minimum_Quality ? Alarm_Colour : White_Colour);
}

void WCU_IHM_Main_SD::RefreshChannels(bool full)
{
    if (!Type_Current->Is_Sd_Wcu_After_V1()) {
        RefreshChannelsFromAmus(full);
        return;
    }
    if (full || Sd_Wcu_Video_Channel(*Wcu_Previous) != Sd_Wcu_Video_Channel(*Wcu_Current)) {
        W.LEDVideoChannel->SetCaption(Hex_Text(Sd_Wcu_Video_Channel(*Wcu_Current)));
    }
    if (full || Sd_Wcu_Data_Channel(*Wcu_Previous) != Sd_Wcu_Data_Channel(*Wcu_Current)) {
        W.LEDDataChannel->SetCaption(Hex_Text(Sd_Wcu_Data_Channel(*Wcu_Current)));
    }
}

namespace {

// What a channel display shows of the valid AMUs' channels: the shared
// channel, "-" when they differ, the one valid AMU's, or nothing.
template <class Code, class Text>
std::string Channel_Text(const St_System_SD_AMU& amu1, const St_System_SD_AMU& amu2, Code code, Text text)
{
    const bool valid1 = Sd_Amu_Valid(amu1);
    const bool valid2 = Sd_Amu_Valid(amu2);
    if (valid1 && valid2) {
        return code(amu1) == code(amu2) ? text(code(amu1)) : std::string("-");
    }
    if (valid1 || valid2) {
        return text(code(valid1 ? amu1 : amu2));
    }
    return std::string();
}

// A channel display's sources changed: an AMU's validity, or a valid AMU's code.
template <class Code>
bool Channel_Changed(const St_System_SD_AMU& previous, const St_System_SD_AMU& current, Code code)
{
    return Sd_Amu_Valid(previous) != Sd_Amu_Valid(current) ||
           (Sd_Amu_Valid(current) && code(previous) != code(current));
}

} // namespace

void WCU_IHM_Main_SD::RefreshChannelsFromAmus(bool full)
{
    const St_System_SD_AMU& amu1 = *Amu1_Current;
    const St_System_SD_AMU& amu2 = *Amu2_Current;
    if (full || Channel_Changed(*Amu1_Previous, amu1, Sd_Amu_Video_Channel_Code) ||
        Channel_Changed(*Amu2_Previous, amu2, Sd_Amu_Video_Channel_Code)) {
        W.LEDVideoChannel->SetCaption(Channel_Text(amu1, amu2, Sd_Amu_Video_Channel_Code, Channel_Digit_Text));
    }
    if (full || Channel_Changed(*Amu1_Previous, amu1, Sd_Amu_Data_Channel_Code) ||
        Channel_Changed(*Amu2_Previous, amu2, Sd_Amu_Data_Channel_Code)) {
        W.LEDDataChannel->SetCaption(Channel_Text(amu1, amu2, Sd_Amu_Data_Channel_Code, Hex_Text));
    }
}

void WCU_IHM_Main_SD::UpdateCables(bool full)
{
    UpdateCable(full, *Amu1_Previous, *Amu1_Current, W.ShapeControlTriax1, W.ShapeControlPlug1Triax1,
                W.ShapeControlPlug2Triax1);
    UpdateCable(full, *Amu2_Previous, *Amu2_Current, W.ShapeControlTriax2, W.ShapeControlPlug1Triax2,
                W.ShapeControlPlug2Triax2);
}

void WCU_IHM_Main_SD::UpdateCable(bool full, const St_System_SD_AMU& previous, const St_System_SD_AMU& current,
                                  TSCLShapeControl* cable, TSCLShapeControl* plug1, TSCLShapeControl* plug2)
{
    const bool present = Sd_Amu_Present(current);
    const bool changed = Sd_Amu_Present(previous) != present ||
                         (present && (Sd_Amu_Polled(previous) != Sd_Amu_Polled(current) ||
                                      Sd_Amu_Active(previous) != Sd_Amu_Active(current)));
    if (!full && !changed) {
        return;
    }
    for (TSCLShapeControl* shape : {cable, plug1, plug2}) {
        shape->SetVisible(present);
    }
    if (present) {
        Paint_Cable(cable, Sd_Amu_Polled(current) && Sd_Amu_Active(current));
    }
}

void WCU_IHM_Main_SD::EvaluateAlarm()
{
    const St_System_SD_WCU& wcu = *Wcu_Current;
    const St_System_SD_AMU& amu1 = *Amu1_Current;
    const St_System_SD_AMU& amu2 = *Amu2_Current;
    const bool channels_agree = Type_Current->Is_Sd_Wcu_After_V1() || !Sd_Amu_Valid(amu1) || !Sd_Amu_Valid(amu2) ||
                                (Sd_Amu_Video_Channel_Code(amu1) == Sd_Amu_Video_Channel_Code(amu2) &&
                                 Sd_Amu_Data_Channel_Code(amu1) == Sd_Amu_Data_Channel_Code(amu2));
    const bool clear =
        Sd_Wcu_Cam_Lock(wcu) && (Sd_Amu_Present(amu1) || Sd_Amu_Present(amu2)) &&
        (!Sd_Amu_Present(amu1) || Sd_Amu_Polled(amu1)) && (!Sd_Amu_Present(amu2) || Sd_Amu_Polled(amu2)) &&
        (Sd_Amu_Polled(amu1) || Sd_Amu_Polled(amu2)) && (Sd_Amu_Valid_Clear(amu1) || Sd_Amu_Valid_Clear(amu2)) &&
        Sd_Wcu_Rate_R2(wcu) != 0 && Sd_Wcu_Rate_R1(wcu) != 0 && Sd_Wcu_Vqos(wcu) >= Minimum_Quality &&
        Sd_Wcu_Dqos(wcu) >= Minimum_Quality && channels_agree;
    Alarm = !clear;
}
