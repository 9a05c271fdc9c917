#pragma once
// The PC block of the SD page: the serial port's state, the link
// animation, the serial-port, sound and camera-count menu checks, the
// frequency-range box with its advice, the PC title's hint and the PC alarm.

#include <atomic>

class St_System;
class St_System_Settings;
class St_System_SD;
class St_System_SD_AMU;
class TMenuItem;
class TSCLAniCtrl;
class TSCLBackPanel;
class TSCLGroupBox;
class TSCLLImage;
class TSCLPanelFill;
class TSCLShapeButton;
class TSCLSimpleLabel;

class PC_IHM_Main_SD {
public:
    struct Widgets {
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

    // Numbers the menu items and draws the block at once; the alarm is
    // first evaluated by the first Update.
    PC_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                   const Widgets& widgets);

    void Update(bool full);
    bool HasAlarm() const { return Alarm; }

private:
    void ShowPortState(bool on);
    void UpdateLinkState(bool full);
    void UpdateMenus(bool full);
    void UpdateCamerasCountMenu();
    void UpdateFrequencyRanges(bool full);
    void UpdateVideoRange(bool full);
    void UpdateDataRange(bool full);
    void UpdatePCTitle();
    void EvaluateAlarm();
    void Number_Menu_Items();

    bool Alarm = false;
    const std::atomic<int>* Camera_Count;
    const St_System_SD* Sd_Previous;
    const St_System_SD* Sd_Current;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_SD_AMU* Amu1_Previous;
    const St_System_SD_AMU* Amu1_Current;
    const St_System_SD_AMU* Amu2_Previous;
    const St_System_SD_AMU* Amu2_Current;
    Widgets W;
};

// Whether a valid AMU of the record runs firmware too old for video range 4
// (1.1 or older), or for data range 2 (1.0 or older).
bool Is_Video_Range_Incompatible(const St_System_SD& sd);
bool Is_Data_Range_Incompatible(const St_System_SD& sd);
