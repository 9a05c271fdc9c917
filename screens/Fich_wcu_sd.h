#pragma once
// The WCU's detail window of an SD camera: protocol version, video
// standard, data activity both ways, and the audio and intercom stream with
// its delay, mode, routing, volumes and levels.

#include "screens/Wcu_detail_window.h"

#include <array>
#include <cstddef>

class St_System;

enum Wcu_Sd_Line : std::size_t {
    Wcu_Protocol_Version,
    Wcu_Standard,
    Wcu_Data_Receive,
    Wcu_Ocp_Request,
    Wcu_Audio_Stream,
    Wcu_Audio_Delay,
    Wcu_Mode,
    Wcu_Icom_Cam_To_Wcu,
    Wcu_Icom_Prod_Volume,
    Wcu_Icom_Prog_Volume,
    Wcu_Icom_Eng_Volume,
    Wcu_Audio_1_Level,
    Wcu_Audio_2_Level,
    Wcu_Icom_To_Wcu,
    Wcu_Icom_To_Cam,
    Wcu_Sd_Line_Count
};
using Wcu_Sd_Lines = std::array<Detail_Line, Wcu_Sd_Line_Count>;
static_assert(Wcu_Sd_Line_Count - Wcu_Audio_Stream == Wcu_Audio::Line_Count);

// What each line shows for a camera's state.
Wcu_Sd_Lines Wcu_Sd_Line_Table(const St_System& state);

class TForm_WCU_SD : public Wcu_Detail_Window {
public:
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_WCU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelStandard = nullptr;
    TSCLSimpleLabel* LabelStandardv = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, Wcu_Sd_Line_Count> Widgets() const;
};
