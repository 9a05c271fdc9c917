#pragma once
// The WCU block of the SD page and the cables around it: the RS-232 cable
// from the PC, the two triax cables, the camera lock and data-activity
// pictures, each triax group's power, control and video pictures, the video
// and data quality meters and the two channel displays. Computes the WCU
// block's alarm.

#include "screens/Wcu_ihm_main_sd_hd.h"

class St_System;
class St_System_Type;
class St_System_SD_WCU;
class St_System_SD_AMU;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLProgress;
class TSCLLImage;
class TSCLLEDLabel;

struct Wcu_Sd_Widgets {
    TSCLGroupBox* GroupBoxWCU;
    TSCLGroupBox* GroupTriax1;
    TSCLGroupBox* GroupTriax2;
    TSCLSimpleLabel* LabelControlData;
    TSCLSimpleLabel* LabelVQOS;
    TSCLSimpleLabel* LabelDQOS;
    TSCLSimpleLabel* LabelCamWCULock;
    TSCLSimpleLabel* LabelAMU1Power;
    TSCLSimpleLabel* LabelAMU1Video;
    TSCLSimpleLabel* LabelAMU1Control;
    TSCLSimpleLabel* LabelAMU2Power;
    TSCLSimpleLabel* LabelAMU2Video;
    TSCLSimpleLabel* LabelAMU2Control;
    TSCLSimpleLabel* LabelVideoChannel;
    TSCLSimpleLabel* LabelDataChannel;
    TSCLShapeButton* ShapeButtonWCUTitle;
    TSCLShapeControl* ShapeControlRS232;
    TSCLShapeControl* ShapeControlPlug1RS232;
    TSCLShapeControl* ShapeControlPlug2RS232;
    TSCLShapeControl* ShapeControlTriax1;
    TSCLShapeControl* ShapeControlPlug1Triax1;
    TSCLShapeControl* ShapeControlPlug2Triax1;
    TSCLShapeControl* ShapeControlTriax2;
    TSCLShapeControl* ShapeControlPlug1Triax2;
    TSCLShapeControl* ShapeControlPlug2Triax2;
    TSCLProgress* ProgressVQOS;
    TSCLProgress* ProgressDQOS;
    TSCLLImage* ImageAMU1Power;
    TSCLLImage* ImageAMU1Status;
    TSCLLImage* ImageTriax1In;
    TSCLLImage* ImageAMU2Power;
    TSCLLImage* ImageAMU2Status;
    TSCLLImage* ImageTriax2In;
    TSCLLImage* ImageCamWcuLock;
    TSCLLImage* ImageDataActivity;
    TSCLLEDLabel* LEDVideoChannel;
    TSCLLEDLabel* LEDDataChannel;
};

class WCU_IHM_Main_SD : public WCU_IHM_Main_SD_HD<WCU_IHM_Main_SD, Wcu_Sd_Widgets> {
public:
    // previous: the record shown; current: the record just polled. Starts greyed.
    WCU_IHM_Main_SD(St_System* previous, St_System* current, const Widgets& widgets);

private:
    friend class Block_Presenter<WCU_IHM_Main_SD>;

    void SetActive(bool on);
    void RefreshValues(bool full);
    void RefreshQuality(bool full, int previous, int current, TSCLProgress* meter);
    void RefreshChannels(bool full);
    void RefreshChannelsFromAmus(bool full);
    void UpdateCables(bool full);
    void EvaluateAlarm();

    const St_System_Type* Type_Current;
    const St_System_SD_WCU* Wcu_Previous;
    const St_System_SD_WCU* Wcu_Current;
    const St_System_SD_AMU* Amu1_Previous;
    const St_System_SD_AMU* Amu1_Current;
    const St_System_SD_AMU* Amu2_Previous;
    const St_System_SD_AMU* Amu2_Current;
};
