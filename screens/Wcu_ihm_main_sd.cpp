#include "screens/Wcu_ihm_main_sd.h"

#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Block_paint.h"
#include "screens/Sd_fields.h"

namespace {

// Quality meters show a red bevel below this value.
constexpr int Minimum_Quality = 10;

Wcu_Triax_View Sd_Triax_View(const St_System_SD_AMU& amu)
{
    return {Sd_Amu_Present(amu), Sd_Amu_Polled(amu), Sd_Amu_Valid_Clear(amu), Sd_Amu_Active(amu)};
}

Wcu_Rates Sd_Rates(const St_System_SD_WCU& wcu)
{
    return {Sd_Wcu_Rate_R0(wcu), Sd_Wcu_Rate_R1(wcu), Sd_Wcu_Rate_R2(wcu)};
}

std::string Hex_Text(int value)
{
    return Format("%X", {value});
}

} // namespace

WCU_IHM_Main_SD::WCU_IHM_Main_SD(St_System* previous, St_System* current, const Widgets& widgets)
    : WCU_IHM_Main_SD_HD(previous, current, widgets), Type_Current(&current->Type), Wcu_Previous(&previous->SD.WCU),
      Wcu_Current(&current->SD.WCU), Amu1_Previous(&previous->SD.AMU1), Amu1_Current(&current->SD.AMU1),
      Amu2_Previous(&previous->SD.AMU2), Amu2_Current(&current->SD.AMU2)
{
    SetActive(false);
}

void WCU_IHM_Main_SD::SetActive(bool on)
{
    Set_Common_Active(on);
    for (TControl* control : std::initializer_list<TControl*> {W.LabelVideoChannel, W.LabelDataChannel,
                                                               W.LEDVideoChannel, W.LEDDataChannel}) {
        control->SetEnabled(on);
    }
}

void WCU_IHM_Main_SD::RefreshValues(bool full)
{
    if (full || Sd_Wcu_Cam_Lock(*Wcu_Previous) != Sd_Wcu_Cam_Lock(*Wcu_Current)) {
        W.ImageCamWcuLock->SetIndexedImageIndex(Sd_Wcu_Cam_Lock(*Wcu_Current) ? Block_Image::Good
                                                                               : Block_Image::Fault);
    }
    Refresh_Triax_Images(full, '1', Sd_Triax_View(*Amu1_Previous), Sd_Triax_View(*Amu1_Current));
    Refresh_Triax_Images(full, '2', Sd_Triax_View(*Amu2_Previous), Sd_Triax_View(*Amu2_Current));
    Refresh_Data_Activity(full, Sd_Rates(*Wcu_Previous), Sd_Rates(*Wcu_Current), std::string(), false);
    RefreshQuality(full, Sd_Wcu_Vqos(*Wcu_Previous), Sd_Wcu_Vqos(*Wcu_Current), W.ProgressVQOS);
    RefreshQuality(full, Sd_Wcu_Dqos(*Wcu_Previous), Sd_Wcu_Dqos(*Wcu_Current), W.ProgressDQOS);
    RefreshChannels(full);
    UpdateCables(full);
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
    Update_Triax_Cable(full, '1', Sd_Triax_View(*Amu1_Previous), Sd_Triax_View(*Amu1_Current));
    Update_Triax_Cable(full, '2', Sd_Triax_View(*Amu2_Previous), Sd_Triax_View(*Amu2_Current));
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
