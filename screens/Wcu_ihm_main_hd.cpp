#include "screens/Wcu_ihm_main_hd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"

namespace {

constexpr TColor Navy_Colour = 0x800000;
constexpr TColor Ism_Colour = 0xFF00FF;
// Data quality below this, or a raw video quality at or below the other, is red.
constexpr int Minimum_Data_Quality = 10;
constexpr int Maximum_Bad_Video_Quality = 12;
// The ISM band, GHz.
constexpr double Ism_Low_Ghz = 2.4;
constexpr double Ism_High_Ghz = 2.4835;

const std::string No_Value = "-----";
const std::string Fault_Value = "?????";

// A frequency that is one of the codes "none" (0) or a fault (-1 to -4).
bool Is_Frequency_Code(float value)
{
    return value == 0.0f || value == Hd_No_Frequency || value == Hd_Frequency_Mismatch || value == Hd_Invalid_Code ||
           value == Hd_Range_Not_Valid;
}

bool Overlaps_Ism(float ghz, float bandwidth_mhz)
{
    const double half_width_ghz = bandwidth_mhz * 0.001 * 0.5;
    return ghz + half_width_ghz >= Ism_Low_Ghz && ghz - half_width_ghz <= Ism_High_Ghz;
}

bool Genlock_Reference_Fault(const St_System_HD_WCU_Link& link)
{
    return Hd_Link_Genlock_Reference_Unknown(link) || Hd_Link_Genlock_Wrong_Standard(link);
}

bool Genlock_Changed(const St_System_HD_WCU_Link& a, const St_System_HD_WCU_Link& b)
{
    return Hd_Link_Genlock_In_Use(a) != Hd_Link_Genlock_In_Use(b) ||
           Hd_Link_Genlock_Reference_Unknown(a) != Hd_Link_Genlock_Reference_Unknown(b) ||
           Hd_Link_Genlock_Wrong_Standard(a) != Hd_Link_Genlock_Wrong_Standard(b) ||
           Hd_Link_Genlock_Pll_Locked(a) != Hd_Link_Genlock_Pll_Locked(b);
}

void Set_Label_Colours(TSCLSimpleLabel* name, TSCLSimpleLabel* value, TColor colour)
{
    name->Font()->SetColor(colour);
    value->Font()->SetColor(colour);
}

Wcu_Triax_View Hd_Triax_View(const St_System_HD_WCU_Status& status, char link)
{
    return {Hd_Triax_Used(status, link), Hd_Triax_Down_Link_Ok(status, link), Hd_Triax_Ok(status, link),
            Hd_Triax_Link_Bit(status, link)};
}

Wcu_Rates Hd_Rates(const St_System_HD_WCU_Status& status)
{
    return {Hd_Wcu_Rate_Any(status), Hd_Wcu_Rate_A(status), Hd_Wcu_Rate_B(status)};
}

} // namespace

WCU_IHM_Main_HD::WCU_IHM_Main_HD(St_System* previous, St_System* current, const Widgets& widgets)
    : WCU_IHM_Main_SD_HD(previous, current, widgets),
      Label_Middle_Top((widgets.LabelVQOS->Top() + widgets.LabelDQOS->Top()) / 2),
      Label_Dqos_Top(widgets.LabelDQOS->Top()),
      Progress_Middle_Top((widgets.ProgressVQOS->Top() + widgets.ProgressDQOS->Top()) / 2),
      Progress_Dqos_Top(widgets.ProgressDQOS->Top()), Type_Previous(&previous->Type), Type_Current(&current->Type),
      Amu1_Previous(&previous->HD.Amu1), Amu1_Current(&current->HD.Amu1), Amu2_Previous(&previous->HD.Amu2),
      Amu2_Current(&current->HD.Amu2), Status_Previous(&previous->HD.Wcu_Status),
      Status_Current(&current->HD.Wcu_Status), Link_Previous(&previous->HD.Wcu_Link),
      Link_Current(&current->HD.Wcu_Link), Wca_Previous(&previous->HD.Wca), Wca_Current(&current->HD.Wca),
      Wcu_Previous(&previous->HD.Wcu), Wcu_Current(&current->HD.Wcu)
{
    W.LabelFreeze->SetHeight(W.ProgressVQOS->Height() - 1);
    BuildVqosColourTable();
    SetActive(false);
}

void WCU_IHM_Main_HD::BuildVqosColourTable()
{
    const int bars = W.ProgressVQOS->SmallBar()->BarCount();
    Vqos_Colours.assign(static_cast<std::size_t>(bars), Navy_Colour);
    int quarter = 0;
    for (int i = 1; i < bars && quarter < 3; ++i) {
        const float f = static_cast<float>(i) * 4.0f / static_cast<float>(bars);
        if (static_cast<int>(f) != quarter) {
            Vqos_Colours[static_cast<std::size_t>(i - 1)] = White_Colour;
            quarter = static_cast<int>(f);
        }
    }
}

void WCU_IHM_Main_HD::GetVqosColor(int bar_index, TColor& colour) const
{
    const bool in_table = bar_index >= 0 && bar_index < static_cast<int>(Vqos_Colours.size());
    colour = in_table ? Vqos_Colours[static_cast<std::size_t>(bar_index)] : Navy_Colour;
}

void WCU_IHM_Main_HD::SetActive(bool on)
{
    Set_Common_Active(on);
    for (TSCLSimpleLabel* label :
         {W.LabelStudioGenlock, W.LabelVideoFreq, W.LabelVideoFreqVal, W.LabelDataFreq, W.LabelDataFreqVal}) {
        label->SetEnabled(on);
    }
    W.LabelVideoFreqVal->SetCaption(std::string());
    W.LabelDataFreqVal->SetCaption(std::string());
    for (TControl* control : std::initializer_list<TControl*> {W.ImageStudioGenlock, W.LabelVideoFreq,
                                                               W.LabelVideoFreqVal, W.LabelDataFreq,
                                                               W.LabelDataFreqVal}) {
        control->SetShowHint(on);
    }
    if (on) {
        return;
    }
    W.ImageStudioGenlock->SetIndexedImageIndex(Block_Image::Off);
    W.LabelFreeze->SetVisible(false);
}

void WCU_IHM_Main_HD::RefreshValues(bool full)
{
    RefreshVideoFrequency(full);
    RefreshDataFrequency(full);
    const bool cam_lock = Hd_Link_Camera_Lock(*Link_Current) && Hd_Wca_Camera_Lock(*Wca_Current);
    if (full || Hd_Link_Camera_Lock(*Link_Previous) != Hd_Link_Camera_Lock(*Link_Current) ||
        Hd_Wca_Camera_Lock(*Wca_Previous) != Hd_Wca_Camera_Lock(*Wca_Current)) {
        W.ImageCamWcuLock->SetIndexedImageIndex(cam_lock ? Block_Image::Good : Block_Image::Fault);
    }
    RefreshGenlock(full);
    Refresh_Triax_Images(full, '1', Hd_Triax_View(*Status_Previous, '1'), Hd_Triax_View(*Status_Current, '1'));
    Refresh_Triax_Images(full, '2', Hd_Triax_View(*Status_Previous, '2'), Hd_Triax_View(*Status_Current, '2'));
    RefreshDataActivity(full);
    RefreshMeters(full);
    UpdateCables(full);
}

void WCU_IHM_Main_HD::RefreshVideoFrequency(bool full)
{
    const St_System_HD_WCU_Status& previous = *Status_Previous;
    const St_System_HD_WCU_Status& current = *Status_Current;
    // The bandwidth counts too: it alone can move the spectrum into the ISM band.
    const bool changed = Hd_Wcu_Video_Frequency_Ghz(previous) != Hd_Wcu_Video_Frequency_Ghz(current) ||
                         Hd_Wcu_Video_Bandwidth_Mhz(previous) != Hd_Wcu_Video_Bandwidth_Mhz(current) ||
                         Hd_Amu_Present(*Amu1_Previous) != Hd_Amu_Present(*Amu1_Current) ||
                         Hd_Amu_Present(*Amu2_Previous) != Hd_Amu_Present(*Amu2_Current);
    if (!full && !changed) {
        return;
    }
    const float ghz = Hd_Wcu_Video_Frequency_Ghz(current);
    const bool both = Hd_Amu_Present(*Amu1_Current) && Hd_Amu_Present(*Amu2_Current);
    std::string text = Fault_Value;
    std::string hint;
    TColor name_colour = Alarm_Colour;
    TColor value_colour = Alarm_Colour;
    if (ghz == 0.0f) {
        text = No_Value;
        name_colour = value_colour = Black_Colour;
    } else if (ghz == Hd_Invalid_Code) {
        hint = LoadStr(3045);
    } else if (ghz == Hd_No_Frequency) {
        hint = LoadStr(both ? 3033 : 3034);
    } else if (ghz == Hd_Frequency_Mismatch) {
        hint = LoadStr(both ? 3035 : 3036);
    } else if (ghz == Hd_Range_Not_Valid) {
        hint = LoadStr(3087);
    } else {
        text = Format("%.1f MHz", {static_cast<double>(ghz) * 1000.0});
        name_colour = Black_Colour;
        const bool ism = Overlaps_Ism(ghz, Hd_Wcu_Video_Bandwidth_Mhz(current));
        hint = ism ? LoadStr(3103) : std::string();
        value_colour = ism ? Ism_Colour : Black_Colour;
    }
    W.LabelVideoFreqVal->SetCaption(text);
    W.LabelVideoFreq->SetHint(hint);
    W.LabelVideoFreqVal->SetHint(W.LabelVideoFreq->Hint());
    W.LabelVideoFreq->Font()->SetColor(name_colour);
    W.LabelVideoFreqVal->Font()->SetColor(value_colour);
}

void WCU_IHM_Main_HD::RefreshDataFrequency(bool full)
{
    const float mhz = Hd_Wcu_Amu_Data_Frequency(*Status_Current);
    const bool changed = Hd_Wcu_Amu_Data_Frequency(*Status_Previous) != mhz ||
                         Hd_Amu_Present(*Amu1_Previous) != Hd_Amu_Present(*Amu1_Current) ||
                         Hd_Amu_Present(*Amu2_Previous) != Hd_Amu_Present(*Amu2_Current);
    if (!full && !changed) {
        return;
    }
    const bool both = Hd_Amu_Present(*Amu1_Current) && Hd_Amu_Present(*Amu2_Current);
    std::string text = Fault_Value;
    std::string hint;
    TColor colour = Alarm_Colour;
    if (mhz == 0.0f) {
        text = No_Value;
        colour = Black_Colour;
    } else if (mhz == Hd_Range_Not_Valid) {
        hint = LoadStr(3087);
    } else if (mhz == Hd_No_Frequency) {
        hint = LoadStr(3037) + LoadStr(both ? 3038 : 3039);
    } else if (mhz == Hd_Frequency_Mismatch) {
        hint = LoadStr(3040) + LoadStr(both ? 3041 : 3042);
    } else if (mhz == Hd_Invalid_Code) {
        hint = LoadStr(3040) + LoadStr(both ? 3043 : 3044);
    } else {
        text = Format("%.2f MHz", {static_cast<double>(mhz)});
        colour = Black_Colour;
    }
    W.LabelDataFreqVal->SetCaption(text);
    W.LabelDataFreq->SetHint(hint);
    W.LabelDataFreqVal->SetHint(W.LabelDataFreq->Hint());
    Set_Label_Colours(W.LabelDataFreq, W.LabelDataFreqVal, colour);
}

void WCU_IHM_Main_HD::RefreshGenlock(bool full)
{
    if (!full && !Genlock_Changed(*Link_Previous, *Link_Current)) {
        return;
    }
    const bool in_use = Hd_Link_Genlock_In_Use(*Link_Current);
    const bool locked = Hd_Link_Genlock_Pll_Locked(*Link_Current);
    const bool reference_fault = Genlock_Reference_Fault(*Link_Current);
    int image = Block_Image::Fault;
    if (in_use && locked && !reference_fault) {
        image = Block_Image::Good;
    } else if (!in_use && locked) {
        image = Block_Image::Off;
    }
    W.ImageStudioGenlock->SetIndexedImageIndex(image);
    std::string hint;
    if (in_use && reference_fault) {
        hint = LoadStr(3047);
    } else if (!locked) {
        hint = LoadStr(3046);
    }
    W.ImageStudioGenlock->SetHint(hint);
}

void WCU_IHM_Main_HD::RefreshDataActivity(bool full)
{
    const St_System_HD_WCU& before = *Wcu_Previous;
    const St_System_HD_WCU& now = *Wcu_Current;
    const bool header_changed =
        Hd_Wcu_Present(before) != Hd_Wcu_Present(now) || Hd_Wcu_Data_Activity(before) != Hd_Wcu_Data_Activity(now);
    const bool header_data_link = Hd_Wcu_Present(now) && Hd_Wcu_Data_Activity(now);
    Refresh_Data_Activity(full, Hd_Rates(*Status_Previous), Hd_Rates(*Status_Current),
                          header_data_link ? LoadStr(3095) : std::string(), header_changed);
}

void WCU_IHM_Main_HD::RefreshMeters(bool full)
{
    const bool after_v2 = Type_Current->Is_Hd_Wcu_After_V2();
    const bool type_changed = Type_Previous->Is_Hd_Wcu_After_V2() != after_v2;
    if (full || type_changed) {
        W.LabelVQOS->SetVisible(after_v2);
        W.ProgressVQOS->SetVisible(after_v2);
        W.LabelDQOS->SetTop(after_v2 ? Label_Dqos_Top : Label_Middle_Top);
        W.ProgressDQOS->SetTop(after_v2 ? Progress_Dqos_Top : Progress_Middle_Top);
    }
    const int raw = Hd_Link_Raw_Video_Quality(*Link_Current);
    const bool raw_changed = Hd_Link_Raw_Video_Quality(*Link_Previous) != raw;
    if ((full || type_changed || raw_changed) && after_v2) {
        W.ProgressVQOS->SetUserValue(Quality_Percent(raw));
        W.ProgressVQOS->Bevel()->SetColor(1, raw <= Maximum_Bad_Video_Quality ? Alarm_Colour : White_Colour);
    }
    const bool fault = Hd_Wcu_Data_Fault(*Wcu_Current);
    if (full || Hd_Wcu_Data_Quality(*Wcu_Previous) != Hd_Wcu_Data_Quality(*Wcu_Current) ||
        Hd_Wcu_Data_Fault(*Wcu_Previous) != fault) {
        TSCLProgress* meter = W.ProgressDQOS;
        meter->SetUserValue(fault ? meter->MinValue() : Hd_Wcu_Data_Quality(*Wcu_Current));
        const bool red = fault || meter->UserValue() < Minimum_Data_Quality;
        meter->Bevel()->SetColor(1, red ? Alarm_Colour : White_Colour);
    }
    if ((full || type_changed) && !after_v2) {
        W.LabelFreeze->SetVisible(false);
    }
    const bool freeze_changed = Hd_Link_Freeze(*Link_Previous) != Hd_Link_Freeze(*Link_Current);
    if ((full || type_changed || freeze_changed || raw_changed) && after_v2) {
        W.LabelFreeze->SetVisible(Hd_Link_Freeze(*Link_Current));
        W.LabelFreeze->Repaint();
    }
}

void WCU_IHM_Main_HD::UpdateCables(bool full)
{
    Update_Triax_Cable(full, '1', Hd_Triax_View(*Status_Previous, '1'), Hd_Triax_View(*Status_Current, '1'));
    Update_Triax_Cable(full, '2', Hd_Triax_View(*Status_Previous, '2'), Hd_Triax_View(*Status_Current, '2'));
}

void WCU_IHM_Main_HD::EvaluateAlarm()
{
    const St_System_HD_WCU_Status& status = *Status_Current;
    const St_System_HD_WCU_Link& link = *Link_Current;
    const bool frequencies_known =
        !Is_Frequency_Code(Hd_Wcu_Video_Frequency_Ghz(status)) && !Is_Frequency_Code(Hd_Wcu_Amu_Data_Frequency(status));
    const bool in_use = Hd_Link_Genlock_In_Use(link);
    const bool locked = Hd_Link_Genlock_Pll_Locked(link);
    const bool genlock_good = !(!in_use && !locked) && !(in_use && (!locked || Genlock_Reference_Fault(link)));
    const bool used1 = Hd_Triax_Used(status, '1');
    const bool used2 = Hd_Triax_Used(status, '2');
    const bool down1 = Hd_Triax_Down_Link_Ok(status, '1');
    const bool down2 = Hd_Triax_Down_Link_Ok(status, '2');
    const bool triax_good = (used1 || used2) && (!used1 || down1) && (!used2 || down2) && (down1 || down2) &&
                            (Hd_Triax_Ok(status, '1') || Hd_Triax_Ok(status, '2'));
    const bool data_active = Hd_Wcu_Rate_A(status) != 0 && Hd_Wcu_Rate_B(status) != 0;
    const bool video_quality_good =
        !Type_Current->Is_Hd_Wcu_After_V2() || Hd_Link_Raw_Video_Quality(link) > Maximum_Bad_Video_Quality;
    const bool data_quality_good =
        Hd_Wcu_Data_Quality(*Wcu_Current) >= Minimum_Data_Quality && !Hd_Wcu_Data_Fault(*Wcu_Current);
    const bool clear = frequencies_known && !Hd_Link_Freeze(link) && Hd_Link_Camera_Lock(link) &&
                       Hd_Wca_Camera_Lock(*Wca_Current) && genlock_good && triax_good && data_active &&
                       video_quality_good && data_quality_good;
    Alarm = !clear;
}
