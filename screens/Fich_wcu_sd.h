#pragma once
// The WCU's detail window of an SD camera: protocol version, video
// standard, data activity both ways, and the audio and intercom stream with
// its delay, mode, routing, volumes and levels.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>

class St_System;
class TSCLDrawEdge;

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

// The meters' scales: volumes 0..255, levels in dB.
inline constexpr int Wcu_Volume_Min = 0;
inline constexpr int Wcu_Volume_Max = 255;
inline constexpr int Wcu_Level_Min = -40;
inline constexpr int Wcu_Level_Max = 12;

// What each line shows for a camera's state.
Wcu_Sd_Lines Wcu_Sd_Line_Table(const St_System& state);

class TForm_WCU_SD : public Detail_Window {
public:
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_WCU_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelProtocolVersion = nullptr;
    TSCLSimpleLabel* LabelProtocolVersionv = nullptr;
    TSCLSimpleLabel* LabelStandard = nullptr;
    TSCLSimpleLabel* LabelStandardv = nullptr;
    TSCLSimpleLabel* LabelDataReceive = nullptr;
    TSCLLImage* ImageDataReceive = nullptr;
    TSCLSimpleLabel* LabelOcpRequest = nullptr;
    TSCLLImage* ImageOcpRequest = nullptr;
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
    // The level references follow the level captions.
    void Enable_Level_References(bool enabled);
    // Colour of bar nr of a level meter: green to orange up to the 0 dB
    // reference mark, red above it.
    void progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor);

    std::array<Detail_Widgets, Wcu_Sd_Line_Count> Widgets() const;

    St_System* Current;
    St_System* Snapshot;
};
