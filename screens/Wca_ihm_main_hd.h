#pragma once
// The camera-adapter (WCA) block of the HD page: the camera picture (by
// colour depth and screen DPI), the five-segment battery gauge with its
// blinking alarm and hint around the chosen threshold, and the "On Air"
// tally.

#include "screens/Block_presenter.h"

#include <array>
#include <optional>

class St_System;
class St_System_HD;
class St_System_Settings;
class St_System_HD_WCA;
class St_System_HD_WCA_Status;
class TSCLLImage;
class TSCLPanelFill;
class TSCLShapeControl;
class TSCLShapeButton;
class TSCLSpeedButton;

class WCA_IHM_Main_HD : public Block_Presenter<WCA_IHM_Main_HD> {
public:
    struct Widgets {
        TSCLLImage* ImageCamera;
        TSCLPanelFill* PanelBackFillBattery;
        // The gauge's segments, top (5) to bottom (1).
        TSCLPanelFill* PanelFillBattery5;
        TSCLPanelFill* PanelFillBattery4;
        TSCLPanelFill* PanelFillBattery3;
        TSCLPanelFill* PanelFillBattery2;
        TSCLPanelFill* PanelFillBattery1;
        TSCLShapeControl* ShapeWCATally;
        TSCLShapeButton* ShapeButtonWCATitle;
        // They lie over the camera picture and are repainted with it.
        TSCLSpeedButton* SpeedButtonMinimize;
        TSCLSpeedButton* SpeedButtonClose;
    };

    // colour_depth in bits per pixel; screen_dpi as Get_Screen_Dpi answers.
    // Starts greyed.
    WCA_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth, int screen_dpi,
                    const Widgets& widgets);

    void Update(bool full);
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

private:
    friend class Block_Presenter<WCA_IHM_Main_HD>;

    void SetActive(bool on);
    void RefreshValues(bool full);
    void UpdateBattery(bool full);
    void ColourSegments(bool full, int lit);
    void EvaluateAlarm();

    int Colour_Depth;
    int Screen_Dpi;
    int Last_Lit_Count = 0;
    int Blink_Counter = 0;
    float Battery_Volts = 0.0f;
    float Threshold_Volts = 0.0f;
    bool Battery_Alarm = false;
    const St_System_HD* Hd_Previous;
    const St_System_HD* Hd_Current;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_HD_WCA_Status* Status_Previous;
    const St_System_HD_WCA_Status* Status_Current;
    Widgets W;
    // Bottom to top, the order the gauge is drawn in.
    std::array<TSCLPanelFill*, 5> Segments;
};
