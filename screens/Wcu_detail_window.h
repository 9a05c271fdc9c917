#pragma once
// What the WCU's detail windows of the SD and the HD camera share: the
// protocol version, data activity both ways, and the audio and intercom
// group (stream, delay, mode, routing, three volumes and four levels, with
// the level meters' reference marks).

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>

class TSCLDrawEdge;

// The meters' scales: volumes 0..255, levels in dB.
inline constexpr int Wcu_Volume_Min = 0;
inline constexpr int Wcu_Volume_Max = 255;
inline constexpr int Wcu_Level_Min = -40;
inline constexpr int Wcu_Level_Max = 12;

// The audio and intercom lines, in the order both windows end with them.
namespace Wcu_Audio {
enum Line : std::size_t {
    Stream,
    Delay,
    Mode,
    Icom_Cam_To_Wcu,
    Prod_Volume,
    Prog_Volume,
    Eng_Volume,
    Level_1,
    Level_2,
    Icom_To_Wcu,
    Icom_To_Cam,
    Line_Count
};
} // namespace Wcu_Audio

// What the audio and intercom group shows, read from the WCU's record.
struct Wcu_Audio_Values {
    bool Stream = false;
    // The level meters show levels.
    bool Levels_Live = false;
    bool Dual = false;
    bool Delay_On = false;
    std::string Mode;
    std::string Icom_Routing;
    // Production, programme and engineering intercom.
    std::array<int, 3> Volumes {};
    // Audio 1, audio 2, intercom to the WCU and to the camera, in dB.
    std::array<int, 4> Levels_Db {};
};

// The group's lines: a missing stream is a fault and empties the group;
// audio 2 shows its level in dual mode only.
void Fill_Wcu_Audio_Lines(const Wcu_Audio_Values& values, std::span<Detail_Line, Wcu_Audio::Line_Count> lines);

// Data activity one way: a fault while the flag is clear, else the image
// the toggle picks.
Detail_Line Wcu_Activity_Line(bool flag, bool toggle, int image_when_set, int image_when_clear,
                              const std::string& hint_when_clear = "");

class Wcu_Detail_Window : public Detail_Window {
public:
    TSCLSimpleLabel* LabelProtocolVersion = nullptr;
    TSCLSimpleLabel* LabelProtocolVersionv = nullptr;
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

protected:
    // current: the polling thread's state; snapshot: the displayed copy.
    Wcu_Detail_Window(TComponent* owner, TSCLShapeButton* title_button, St_System* current, St_System* snapshot);

    // The common table with the shared lines' components.
    static TForm_Table Wcu_Table();
    // Reads the window's form and scales its meters.
    void Read_Wcu_Form(const TForm_Table& table, TSCLCustomImageList* image_list);
    void Fill_Audio_Widgets(std::span<Detail_Widgets, Wcu_Audio::Line_Count> widgets) const;
    // The level references follow the level captions.
    void Enable_Level_References(bool enabled);

private:
    // Colour of bar nr of a level meter: green to orange up to the 0 dB
    // reference mark, red above it.
    void progressBarGetColor(TObject* Sender, BYTE nr, TColor& aColor);
};
