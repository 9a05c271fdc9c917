#include "screens/Wca_ihm_main_hd.h"

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSpeedButton.h"
#include "link/St_system.h"
#include "platform/classlib/String_Table.h"
#include "platform/classlib/SysUtils.h"
#include "screens/Block_paint.h"
#include "screens/Hd_fields.h"

#include <string>

namespace {

// At or above this the battery voltage is too high.
constexpr float Overvoltage_Volts = 17.5f;
// An alarmed gauge flashes on every fourth refresh.
constexpr int Blink_Period = 4;

// The camera picture of the list by colour depth and DPI: on, then off.
int Camera_List_Index(bool on, int colour_depth, int screen_dpi)
{
    int first = 15;
    if (colour_depth > 8) {
        first = 9;
    } else if (screen_dpi == 96) {
        first = 11;
    } else if (screen_dpi == 120) {
        first = 13;
    }
    return on ? first : first + 1;
}

// Segments lit for volts against the alarm threshold.
int Lit_Segments(float volts, float threshold)
{
    if (volts <= threshold - 0.5f) {
        return 0;
    }
    if (volts <= threshold - 0.25f) {
        return 1;
    }
    if (volts <= threshold) {
        return 2;
    }
    if (volts <= threshold + 0.5f) {
        return 3;
    }
    return volts <= threshold + 1.5f ? 4 : 5;
}

TColor Level_Colour(std::size_t segment, int lit)
{
    return static_cast<int>(segment) < lit ? Good_Colour : Alarm_Colour;
}

} // namespace

WCA_IHM_Main_HD::WCA_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth, int screen_dpi,
                                 const Widgets& widgets)
    : Colour_Depth(colour_depth), Screen_Dpi(screen_dpi), Hd_Previous(&previous->HD), Hd_Current(&current->HD),
      Settings_Previous(&previous->Settings), Settings_Current(&current->Settings),
      Status_Previous(&previous->HD.Wca_Status), Status_Current(&current->HD.Wca_Status), W(widgets),
      Segments {widgets.PanelFillBattery1, widgets.PanelFillBattery2, widgets.PanelFillBattery3,
                widgets.PanelFillBattery4, widgets.PanelFillBattery5}
{
    SetActive(false);
}

void WCA_IHM_Main_HD::Update(bool full)
{
    Refresh(full, std::array {Settings_Previous->Is_Connected(), Hd_Wca_Status_Present(*Status_Previous)},
            std::array {Settings_Current->Is_Connected(), Hd_Wca_Status_Present(*Status_Current)});
}

void WCA_IHM_Main_HD::ReleaseTitleButton(int ownerLeft, int ownerTop)
{
    Release_Title_Button(W.ShapeButtonWCATitle, ownerLeft, ownerTop);
}

void WCA_IHM_Main_HD::SetActive(bool on)
{
    Active = on;
    W.ImageCamera->SetListIndex(Camera_List_Index(on, Colour_Depth, Screen_Dpi));
    W.ImageCamera->SetHint(on ? std::string() : LoadStr(3078));
    W.PanelBackFillBattery->SetShowHint(on);
    W.PanelBackFillBattery->SetEnabled(on);
    for (TSCLPanelFill* segment : Segments) {
        segment->SetShowHint(on);
        segment->SetVisible(on);
    }
    W.ShapeWCATally->SetEnabled(on);
    W.ShapeButtonWCATitle->SetEnabled(on);
    if (!on) {
        Last_Lit_Count = 0;
        W.ShapeWCATally->ShapeFill()->Gradient()->SetEndColor(Silver_Colour);
        Grey_Title(W.ShapeButtonWCATitle);
    }
    if (W.ImageCamera->ForceTransparent()) {
        return;
    }
    // An opaque picture painted over them: bring them back on top.
    W.SpeedButtonMinimize->Repaint();
    W.SpeedButtonClose->Repaint();
    W.ShapeWCATally->Repaint();
    W.PanelBackFillBattery->Repaint();
    for (TSCLPanelFill* segment : Segments) {
        if (segment->Visible()) {
            segment->Repaint();
        }
    }
}

void WCA_IHM_Main_HD::RefreshValues(bool full)
{
    UpdateBattery(full);
    const bool tally = Hd_Wca_Tally(Hd_Current->Wca);
    if (full || Hd_Wca_Tally(Hd_Previous->Wca) != tally) {
        W.ShapeWCATally->ShapeFill()->Gradient()->SetEndColor(tally ? Alarm_Colour : Silver_Colour);
    }
}

void WCA_IHM_Main_HD::UpdateBattery(bool full)
{
    const std::optional<int> raw = Hd_Wca_Battery_Raw(Hd_Current->Wca);
    const int level = Hd_Alarm_Battery_Level(*Hd_Current);
    Battery_Volts = raw ? static_cast<float>(Battery_Voltage(*raw)) : 0.0f;
    Threshold_Volts = static_cast<float>(Battery_Alarm_Voltage(level));
    // Without the WCA record there is no battery to judge.
    Battery_Alarm = raw && (Battery_Volts <= Threshold_Volts || Battery_Volts >= Overvoltage_Volts);
    Blink_Counter = Battery_Alarm ? Blink_Counter + 1 : -1;
    const bool flash_now = Battery_Alarm && Blink_Counter % Blink_Period == 0;
    const bool unchanged = level == Hd_Alarm_Battery_Level(*Hd_Previous) && raw == Hd_Wca_Battery_Raw(Hd_Previous->Wca);
    if (!full && unchanged && !flash_now) {
        return;
    }
    const int lit = raw ? Lit_Segments(Battery_Volts, Threshold_Volts) : 0;
    std::string hint;
    if (raw) {
        hint = LoadStr(3069) + Format("%.2fV", {static_cast<double>(Battery_Volts)}) +
               LoadStr(Battery_Volts >= Overvoltage_Volts ? 3088 : 3089);
    }
    W.PanelBackFillBattery->SetHint(hint);
    for (TSCLPanelFill* segment : Segments) {
        segment->SetHint(hint);
    }
    ColourSegments(full, lit);
    Last_Lit_Count = lit;
}

void WCA_IHM_Main_HD::ColourSegments(bool full, int lit)
{
    const bool bottom_white = Segments[0]->Color() == White_Colour;
    if (Battery_Alarm && Blink_Counter % Blink_Period == 0) {
        if (Battery_Volts >= Overvoltage_Volts) {
            // The whole gauge flashes red and lime.
            const TColor colour = Segments[0]->Color() == Alarm_Colour ? Good_Colour : Alarm_Colour;
            for (TSCLPanelFill* segment : Segments) {
                segment->SetColor(colour);
            }
            return;
        }
        // The gauge flashes between white and its levels.
        for (std::size_t i = 0; i < Segments.size(); ++i) {
            const bool white = Segments[i]->Color() == White_Colour;
            Segments[i]->SetColor(white ? Level_Colour(i, lit) : White_Colour);
        }
        return;
    }
    if (Battery_Alarm && (bottom_white || (!full && lit == Last_Lit_Count))) {
        return;
    }
    for (std::size_t i = 0; i < Segments.size(); ++i) {
        Segments[i]->SetColor(Level_Colour(i, lit));
    }
}

void WCA_IHM_Main_HD::EvaluateAlarm()
{
    const std::optional<int> raw = Hd_Wca_Battery_Raw(Hd_Current->Wca);
    if (!raw) {
        Alarm = false;
        return;
    }
    const float volts = static_cast<float>(Battery_Voltage(*raw));
    const float threshold = static_cast<float>(Battery_Alarm_Voltage(Hd_Alarm_Battery_Level(*Hd_Current)));
    Alarm = volts <= threshold || volts >= Overvoltage_Volts;
}
