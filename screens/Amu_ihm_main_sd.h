#pragma once
// One AMU block of the SD page (AMU1 or AMU2): the AMU identifier display
// and its clash warning, the remote-control picture, the three tuners' lock
// and error pictures, the selected-antenna marks, the all-tuners mark, the
// frame, and the wire from the AMU to its data emitter.

#include "screens/Amu_ihm_main_sd_hd.h"

class St_System;
class St_System_Settings;
class St_System_Type;
class St_System_SD_AMU;
class St_System_SD_DE;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLLImage;
class TSCLLEDLabel;

// The widgets of AMU1 (the AMU2 block has the same with AMU2 and DE2 in
// their names).
struct Amu_Sd_Widgets {
    TSCLGroupBox* GroupBoxAMU;
    TSCLGroupBox* GroupAMUTuners;
    TSCLSimpleLabel* LabelAMUCell;
    TSCLSimpleLabel* LabelAMURemoteControl;
    TSCLSimpleLabel* LabelAMULock;
    TSCLSimpleLabel* LabelAMUError;
    TSCLSimpleLabel* LabelAMUAntenna1;
    TSCLSimpleLabel* LabelAMUAntenna2;
    TSCLSimpleLabel* LabelAMUAntenna3;
    TSCLShapeButton* ShapeButtonAMUTitle;
    TSCLLImage* ImageAMURemoteControl;
    TSCLLImage* ImageLockAMUAnt1;
    TSCLLImage* ImageLockAMUAnt2;
    TSCLLImage* ImageLockAMUAnt3;
    TSCLLImage* ImageErrorAMUAnt1;
    TSCLLImage* ImageErrorAMUAnt2;
    TSCLLImage* ImageErrorAMUAnt3;
    TSCLLEDLabel* LEDAMUCell;
    TSCLShapeControl* ShapeControlWireDE;
    TSCLShapeControl* ShapeControlPlug1DE;
    TSCLShapeControl* ShapeControlPlug2DE;
    TSCLShapeControl* ShapeControlAMUAnt123;
    TSCLShapeControl* ShapeControlAMUAnt1;
    TSCLShapeControl* ShapeControlAMUAnt2;
    TSCLShapeControl* ShapeControlAMUAnt3;
};

class AMU_IHM_Main_SD : public AMU_IHM_Main_SD_HD<AMU_IHM_Main_SD, Amu_Sd_Widgets> {
public:
    // unit '1' reads AMU1 and DE1, any other AMU2 and DE2. Starts greyed.
    AMU_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);

private:
    friend class Block_Presenter<AMU_IHM_Main_SD>;

    void SetActive(bool on);
    void RefreshValues(bool full);
    void ShowSelectedAntenna(int code, bool full);
    void UpdateAllTunersMarker(bool full);
    void EvaluateAlarm();

    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_Type* Type_Current;
    const St_System_SD_AMU* Amu_Previous;
    const St_System_SD_AMU* Amu_Current;
    const St_System_SD_DE* De_Previous;
    const St_System_SD_DE* De_Current;
};
