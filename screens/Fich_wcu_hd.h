#pragma once
// The WCU's detail window of an HD camera: protocol version, transmission
// profile, compression, on-air, the video stream, data activity both ways,
// and the audio and intercom stream with its delay, mode, routing, volumes
// and levels.
//
// Also the line builders every HD detail window shares.

#include "screens/Wcu_detail_window.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

class St_System;

// A flag that must be set: image good or fault; a flag no field carries
// shows image 0.
Detail_Line Hd_Flag_Line(std::optional<bool> flag, int image_when_set, const std::string& hint_when_clear = "");
// Service data: fault image while faulty, else the second state while its
// toggles differ (activity), 0 while they agree.
Detail_Line Hd_Service_Data_Line(std::optional<bool> fault, std::optional<bool> activity);

enum Wcu_Hd_Line : std::size_t {
    Wcu_Hd_Protocol_Version,
    Wcu_Hd_Tx_Profile,
    Wcu_Hd_Quality_Latency,
    Wcu_Hd_On_Air,
    Wcu_Hd_Video_Stream,
    Wcu_Hd_Data_Receive,
    Wcu_Hd_Ocp_Request,
    Wcu_Hd_Audio_Stream,
    Wcu_Hd_Audio_Delay,
    Wcu_Hd_Mode,
    Wcu_Hd_Icom_Cam_To_Wcu,
    Wcu_Hd_Icom_Prod_Volume,
    Wcu_Hd_Icom_Prog_Volume,
    Wcu_Hd_Icom_Eng_Volume,
    Wcu_Hd_Audio_1_Level,
    Wcu_Hd_Audio_2_Level,
    Wcu_Hd_Icom_To_Wcu,
    Wcu_Hd_Icom_To_Cam,
    Wcu_Hd_Line_Count
};
using Wcu_Hd_Lines = std::array<Detail_Line, Wcu_Hd_Line_Count>;
static_assert(Wcu_Hd_Line_Count - Wcu_Hd_Audio_Stream == Wcu_Audio::Line_Count);

// What each line shows for a camera's state.
Wcu_Hd_Lines Wcu_Hd_Line_Table(const St_System& state);

class TForm_WCU_HD : public Wcu_Detail_Window {
public:
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_WCU_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelTxProfile = nullptr;
    TSCLSimpleLabel* LabelTxProfilev = nullptr;
    TSCLSimpleLabel* LabelQualityLatency = nullptr;
    TSCLSimpleLabel* LabelQualityLatencyv = nullptr;
    TSCLSimpleLabel* LabelOnAir = nullptr;
    TSCLLImage* ImageOnAir = nullptr;
    TSCLSimpleLabel* LabelVideoStream = nullptr;
    TSCLLImage* ImageVideoStream = nullptr;
    TSCLGroupBox* GroupAudioIntercom = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, Wcu_Hd_Line_Count> Widgets() const;
};
