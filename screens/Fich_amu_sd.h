#pragma once
// One AMU's detail window of an SD camera: firmware, temperature, voltage,
// triax quality, pre-emphasis, the switches and the RC2 wheel checked
// against the user's frequency ranges, and the video channel and COFDM
// parameters checked against what the WCU expects. Each wrong setting tells
// the user, in its line's hint, what to change.

#include "screens/Amu_detail_window.h"

#include <array>
#include <cstddef>

class St_System;
class St_System_SD_AMU;

enum Amu_Sd_Line : std::size_t {
    Amu_Firmware_Version,
    Amu_Temperature,
    Amu_Voltage,
    Amu_Triax_Qos,
    Amu_Pre_Emphasis,
    Amu_Switches_Sw3,
    Amu_Switch_Sw1_2,
    Amu_Switches_Sw2,
    Amu_Rotary_Wheel_Rc2,
    Amu_Video_Frequency,
    Amu_Video_Channel,
    Amu_Cofdm,
    Amu_Guard,
    Amu_Constellation,
    Amu_Code_Rate,
    Amu_Sd_Line_Count
};
using Amu_Sd_Lines = std::array<Detail_Line, Amu_Sd_Line_Count>;

// AMU '1' or '2' of a camera's state.
const St_System_SD_AMU& Amu_Sd_Record(const St_System& state, char amu);

// What each line shows for AMU '1' or '2' of a camera's state.
Amu_Sd_Lines Amu_Sd_Line_Table(const St_System& state, char amu);

class TForm_AMU_SD : public Amu_Detail_Window {
public:
    // amu: '1' or '2'. current: the polling thread's state; snapshot: the
    // displayed copy.
    TForm_AMU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button, char amu,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelSwitchSW3 = nullptr;
    TSCLSimpleLabel* LabelSwitchSW3v = nullptr;
    TSCLSimpleLabel* LabelSwitchSW1_2 = nullptr;
    TSCLSimpleLabel* LabelSwitchSW1_2v = nullptr;
    TSCLSimpleLabel* LabelSwitchSW2 = nullptr;
    TSCLSimpleLabel* LabelSwitchSW2v = nullptr;
    TSCLSimpleLabel* LabelRotaryWheelRC2 = nullptr;
    TSCLSimpleLabel* LabelRotaryWheelRC2v = nullptr;
    TSCLSimpleLabel* LabelVideoFrequency = nullptr;
    TSCLSimpleLabel* LabelVideoFrequencyv = nullptr;
    TSCLSimpleLabel* LabelVideoChannel = nullptr;
    TSCLSimpleLabel* LabelVideoChannelv = nullptr;
    TSCLGroupBox* GroupVideoParams = nullptr;
    TSCLSimpleLabel* LabelCofdm = nullptr;
    TSCLSimpleLabel* LabelCofdmv = nullptr;
    TSCLSimpleLabel* LabelGuard = nullptr;
    TSCLSimpleLabel* LabelGuardv = nullptr;
    TSCLSimpleLabel* LabelConstellation = nullptr;
    TSCLSimpleLabel* LabelConstellationv = nullptr;
    TSCLSimpleLabel* LabelCodeRate = nullptr;
    TSCLSimpleLabel* LabelCodeRatev = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, Amu_Sd_Line_Count> Widgets() const;
};
