#pragma once
// The WCU's detail window of an HD camera: protocol version, transmission
// profile, compression, on-air, the video stream, data activity both ways,
// and the audio and intercom stream with its delay, mode, routing, volumes
// and levels.
//
// Also what every HD detail window shares: its key handling and its line
// builders.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

class St_System;
class TSCLDrawEdge;

// Enter, Escape and the window's own key close it (its title button comes
// up); R goes to the camera's page, whose Ctrl+R toggles recording.
void Hd_Detail_Key_Down(TForm& window, WORD key, char hide_key);

// A line of status image image; a fault line is red with the alarm.
Detail_Line Hd_Image_Line(int image, bool fault = false, const std::string& hint = "");
Detail_Line Hd_Value_Line(const std::string& value, bool fault = false, const std::string& hint = "");
// A flag that must be set: image good or fault; a flag no field carries
// shows image 0.
Detail_Line Hd_Flag_Line(std::optional<bool> flag, int image_when_set, const std::string& hint_when_clear = "");
// Service data: fault image while faulty, else the second state while its
// toggles differ (activity), 0 while they agree.
Detail_Line Hd_Service_Data_Line(std::optional<bool> fault, std::optional<bool> activity);
// Celsius/Fahrenheit, red beyond the limits.
Detail_Line Hd_Temperature_Line(int celsius);

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

// The meters' scales: volumes 0..255, levels in dB.
inline constexpr int Wcu_Hd_Volume_Min = 0;
inline constexpr int Wcu_Hd_Volume_Max = 255;
inline constexpr int Wcu_Hd_Level_Min = -40;
inline constexpr int Wcu_Hd_Level_Max = 12;

// What each line shows for a camera's state.
Wcu_Hd_Lines Wcu_Hd_Line_Table(const St_System& state);

class TForm_WCU_HD : public Detail_Window {
public:
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_WCU_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelProtocolVersion = nullptr;
    TSCLSimpleLabel* LabelProtocolVersionv = nullptr;
    TSCLSimpleLabel* LabelTxProfile = nullptr;
    TSCLSimpleLabel* LabelTxProfilev = nullptr;
    TSCLSimpleLabel* LabelQualityLatency = nullptr;
    TSCLSimpleLabel* LabelQualityLatencyv = nullptr;
    TSCLSimpleLabel* LabelOnAir = nullptr;
    TSCLLImage* ImageOnAir = nullptr;
    TSCLSimpleLabel* LabelVideoStream = nullptr;
    TSCLLImage* ImageVideoStream = nullptr;
    TSCLSimpleLabel* LabelDataReceive = nullptr;
    TSCLLImage* ImageDataReceive = nullptr;
    TSCLSimpleLabel* LabelOcpRequest = nullptr;
    TSCLLImage* ImageOcpRequest = nullptr;
    TSCLGroupBox* GroupAudioIntercom = nullptr;
    TSCLSimpleLabel* LabelAudioStream = nullptr;
    TSCLLImage* ImageAudioStream = nullptr;
    TSCLSimpleLabel* LabelAudioDelay = nullptr;
    TSCLSimpleLabel* LabelAudioDelayv = nullptr;
    TSCLSimpleLabel* LabelMode = nullptr;
    TSCLSimpleLabel* LabelModev = nullptr;
    TSCLSimpleLabel* LabelIcomCamToWCU = nullptr;
    TSCLSimpleLabel* LabelIcomCamToWCUv = nullptr;
    TSCLSimpleLabel* LabelIcomProdVolume = nullptr;
    TSCLProgress* ProgIcomProdVolume = nullptr;
    TSCLSimpleLabel* LabelIcomProgVolume = nullptr;
    TSCLProgress* ProgIcomProgVolume = nullptr;
    TSCLSimpleLabel* LabelIcomEngVolume = nullptr;
    TSCLProgress* ProgIcomEngVolume = nullptr;
    TSCLSimpleLabel* LabelAudio1Level = nullptr;
    TSCLProgress* ProgFillAudio1 = nullptr;
    TSCLSimpleLabel* LabelAudio2Level = nullptr;
    TSCLProgress* ProgFillAudio2 = nullptr;
    TSCLSimpleLabel* LabelIcomToWCU = nullptr;
    TSCLProgress* ProgFillIcomToWCU = nullptr;
    TSCLSimpleLabel* LabelIcomToCam = nullptr;
    TSCLProgress* ProgFillIcomToWCA = nullptr;
    TSCLDrawEdge* DrawEdgeRefLevelAudioMin = nullptr;
    TSCLDrawEdge* DrawEdgeRefLevelAudioMax = nullptr;
    TSCLSimpleLabel* LabelRefLevelAudioMin = nullptr;
    TSCLSimpleLabel* LabelRefLevelAudioMax = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;
    void HdKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // The level references follow the level captions.
    void Enable_Level_References(bool enabled);
    // Colour of bar nr of a level meter: green to orange up to the 0 dB
    // reference mark, red above it.
    void progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor);

    std::array<Detail_Widgets, Wcu_Hd_Line_Count> Widgets() const;

    St_System* Current;
    St_System* Snapshot;
};
