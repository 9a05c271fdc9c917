#pragma once
// The PC block of the SD page: the serial port's state, the link
// animation, the serial-port, sound and camera-count menu checks, the
// frequency-range box with its advice, the PC title's hint and the PC alarm.

#include "screens/Pc_ihm_main_sd_hd.h"

class St_System_SD;
class St_System_SD_AMU;

struct Pc_Sd_Widgets {
    TSCLGroupBox* GroupVideoFrequencyRange;
    TSCLGroupBox* GroupDataFrequencyRange;
    TMenuItem* MenuVideoFrequencyRange;
    TMenuItem* MenuDataFrequencyRange;
    TSCLSimpleLabel* LabelVideoFrequencyRange;
    TSCLSimpleLabel* LabelDataFrequencyRange;
    TSCLPanelFill* PanelFillAniCamera;
    TSCLAniCtrl* AniCamera;
    TSCLGroupBox* GroupBoxPC;
    TSCLShapeButton* ShapeButtonPCTitle;
    TMenuItem* MenuCom;
    TMenuItem* MenuCamerasCount;
    TMenuItem* MenuSound;
    TSCLSimpleLabel* LabelPCWCULink;
    TSCLLImage* ImagePCWCULink;
    TSCLBackPanel* BackPanelMain;
    TSCLLImage* ImageLogoQuorvale;
};

class PC_IHM_Main_SD : public PC_IHM_Main_SD_HD<PC_IHM_Main_SD, Pc_Sd_Widgets> {
public:
    // Numbers the menu items and draws the block at once; the alarm is
    // first evaluated by the first Update.
    PC_IHM_Main_SD(St_System* previous, St_System* current, int colour_depth, const std::atomic<int>* camera_count,
                   const Widgets& widgets);

    void Update(bool full);

private:
    friend class PC_IHM_Main_SD_HD<PC_IHM_Main_SD, Pc_Sd_Widgets>;

    void UpdateFrequencyRanges(bool full);
    void UpdateVideoRange(bool full);
    void UpdateDataRange(bool full);
    // Whether a range box is drawn afresh: its range changed, or for either
    // AMU its validity or the firmware test newer gives.
    bool Is_Range_Changed(int shown_range, int polled_range, bool (*newer)(const St_System_SD_AMU&)) const;
    void EvaluateAlarm();
    void Number_Range_Items();

    const St_System_SD* Sd_Previous;
    const St_System_SD* Sd_Current;
    const St_System_SD_AMU* Amu1_Previous;
    const St_System_SD_AMU* Amu1_Current;
    const St_System_SD_AMU* Amu2_Previous;
    const St_System_SD_AMU* Amu2_Current;
};

// Whether a valid AMU of the record runs firmware too old for video range 4
// (1.1 or older), or for data range 2 (1.0 or older).
bool Is_Video_Range_Incompatible(const St_System_SD& sd);
bool Is_Data_Range_Incompatible(const St_System_SD& sd);
