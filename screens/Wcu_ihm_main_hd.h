#pragma once
// The WCU block of the HD page and the cables around it: the RS-232 cable
// from the PC, the two triax cables, the video and data frequencies with
// their fault hints and the ISM-band warning, the video quality meter with
// its quarter ticks and freeze mark, the data quality meter, the camera
// lock, studio genlock and data-activity pictures, each triax group's
// power, control and video pictures. Computes the WCU block's alarm.

#include "platform/classlib/Graphics.h"
#include "screens/Wcu_ihm_main_sd_hd.h"

#include <vector>

class St_System;
class St_System_Type;
class St_System_HD_AMU;
class St_System_HD_WCU_Status;
class St_System_HD_WCU_Link;
class St_System_HD_WCA;
class St_System_HD_WCU;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLProgress;
class TSCLLImage;

struct Wcu_Hd_Widgets {
    TSCLGroupBox* GroupBoxWCU;
    TSCLGroupBox* GroupTriax1;
    TSCLGroupBox* GroupTriax2;
    TSCLSimpleLabel* LabelControlData;
    TSCLSimpleLabel* LabelVQOS;
    TSCLSimpleLabel* LabelDQOS;
    TSCLSimpleLabel* LabelCamWCULock;
    TSCLSimpleLabel* LabelStudioGenlock;
    TSCLSimpleLabel* LabelAMU1Power;
    TSCLSimpleLabel* LabelAMU1Video;
    TSCLSimpleLabel* LabelAMU1Control;
    TSCLSimpleLabel* LabelAMU2Power;
    TSCLSimpleLabel* LabelAMU2Video;
    TSCLSimpleLabel* LabelAMU2Control;
    TSCLSimpleLabel* LabelVideoFreq;
    TSCLSimpleLabel* LabelVideoFreqVal;
    TSCLSimpleLabel* LabelDataFreq;
    TSCLSimpleLabel* LabelDataFreqVal;
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
    TSCLSimpleLabel* LabelFreeze;
    TSCLProgress* ProgressVQOS;
    TSCLProgress* ProgressDQOS;
    TSCLLImage* ImageAMU1Power;
    TSCLLImage* ImageAMU1Status;
    TSCLLImage* ImageTriax1In;
    TSCLLImage* ImageAMU2Power;
    TSCLLImage* ImageAMU2Status;
    TSCLLImage* ImageTriax2In;
    TSCLLImage* ImageCamWcuLock;
    TSCLLImage* ImageStudioGenlock;
    TSCLLImage* ImageDataActivity;
};

class WCU_IHM_Main_HD : public WCU_IHM_Main_SD_HD<WCU_IHM_Main_HD, Wcu_Hd_Widgets> {
public:
    // previous: the record shown; current: the record just polled. The
    // meters' places and the VQOS bar count are read as laid out now (after
    // the DPI adaptation). Starts greyed.
    WCU_IHM_Main_HD(St_System* previous, St_System* current, const Widgets& widgets);

    // The colour of VQOS bar bar_index (from 0): navy, white at each quarter.
    void GetVqosColor(int bar_index, TColor& colour) const;

private:
    friend class Block_Presenter<WCU_IHM_Main_HD>;

    void BuildVqosColourTable();
    void SetActive(bool on);
    void RefreshValues(bool full);
    void RefreshVideoFrequency(bool full);
    void RefreshDataFrequency(bool full);
    void RefreshGenlock(bool full);
    void RefreshDataActivity(bool full);
    void RefreshMeters(bool full);
    void UpdateCables(bool full);
    void EvaluateAlarm();

    int Label_Middle_Top;
    int Label_Dqos_Top;
    int Progress_Middle_Top;
    int Progress_Dqos_Top;
    std::vector<TColor> Vqos_Colours;
    const St_System_Type* Type_Previous;
    const St_System_Type* Type_Current;
    const St_System_HD_AMU* Amu1_Previous;
    const St_System_HD_AMU* Amu1_Current;
    const St_System_HD_AMU* Amu2_Previous;
    const St_System_HD_AMU* Amu2_Current;
    const St_System_HD_WCU_Status* Status_Previous;
    const St_System_HD_WCU_Status* Status_Current;
    const St_System_HD_WCU_Link* Link_Previous;
    const St_System_HD_WCU_Link* Link_Current;
    const St_System_HD_WCA* Wca_Previous;
    const St_System_HD_WCA* Wca_Current;
    const St_System_HD_WCU* Wcu_Previous;
    const St_System_HD_WCU* Wcu_Current;
};
