#pragma once
// One AMU block of the HD page (AMU1 or AMU2): the cell identifier display
// and its CW1 clash warning, the received signal strength meter (range by
// transmission mode, colour by adjacent-channel grade, hint by the tuner
// chosen in the spectrum window), the three receivers' lock pictures and
// labels with their type faults, the all-unlocked, video-link-error and
// profile-mismatch pictures, the frame and the wire to the data emitter.

#include "screens/Amu_ihm_main_sd_hd.h"

class St_System;
class St_System_HD;
class St_System_Settings;
class St_System_HD_AMU;
class St_System_HD_AMU_Stat;
class St_System_HD_WCU_Link;
class St_System_HD_WCU_Status;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLProgress;
class TSCLLImage;
class TSCLLEDLabel;

// The widgets of AMU1 (the AMU2 block has the same with AMU2 and DE2 in
// their names).
struct Amu_Hd_Widgets {
    TSCLGroupBox* GroupBoxAMU;
    TSCLGroupBox* GroupAMUTuners;
    TSCLSimpleLabel* LabelAMUCell;
    TSCLSimpleLabel* LabelAMURSSI;
    TSCLSimpleLabel* LabelAMULock;
    TSCLSimpleLabel* LabelAMUError;
    TSCLSimpleLabel* LabelAMUAntenna1;
    TSCLSimpleLabel* LabelAMUAntenna2;
    TSCLSimpleLabel* LabelAMUAntenna3;
    TSCLSimpleLabel* LabelAllUnlockedTunerAMU;
    TSCLSimpleLabel* LabelErrorRsFlagAMU;
    TSCLSimpleLabel* LabelProfileMismatchAMU;
    TSCLShapeButton* ShapeButtonAMUTitle;
    TSCLLImage* ImageLockAMUAnt1;
    TSCLLImage* ImageLockAMUAnt2;
    TSCLLImage* ImageLockAMUAnt3;
    TSCLLImage* ImageAllUnlockedTunerAMU;
    TSCLLImage* ImageErrorRsFlagAMU;
    TSCLLImage* ImageProfileMismatchAMU;
    TSCLLEDLabel* LEDAMUCell;
    TSCLProgress* ProgressAMURSSI;
    TSCLShapeControl* ShapeControlWireDE;
    TSCLShapeControl* ShapeControlPlug1DE;
    TSCLShapeControl* ShapeControlPlug2DE;
};

class AMU_IHM_Main_HD : public AMU_IHM_Main_SD_HD<AMU_IHM_Main_HD, Amu_Hd_Widgets> {
public:
    // unit '1' reads AMU1 and triax 1, any other AMU2 and triax 2. Starts greyed.
    AMU_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);

private:
    friend class Block_Presenter<AMU_IHM_Main_HD>;

    void SetActive(bool on);
    void RefreshValues(bool full);
    void RefreshRssi(bool full);
    void RefreshReceiverLabels(bool full);
    void RefreshFlagImages(bool full);
    void EvaluateAlarm();

    // What the RSSI meter shows of one record.
    struct Rssi_View {
        int Mode;
        int Choice;
        int Value;
        int Grade;
    };
    Rssi_View Rssi_Of(const St_System_HD& hd, const St_System_HD_AMU& amu, const St_System_HD_AMU_Stat& stat) const;

    char Unit;
    const St_System_HD* Hd_Previous;
    const St_System_HD* Hd_Current;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_HD_AMU* Amu_Previous;
    const St_System_HD_AMU* Amu_Current;
    const St_System_HD_AMU_Stat* Stat_Previous;
    const St_System_HD_AMU_Stat* Stat_Current;
    const St_System_HD_WCU_Link* Link_Previous;
    const St_System_HD_WCU_Link* Link_Current;
    const St_System_HD_WCU_Status* Status_Previous;
    const St_System_HD_WCU_Status* Status_Current;
};
