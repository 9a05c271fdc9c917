#pragma once
// One AMU block of the SD page (AMU1 or AMU2): the AMU identifier display
// and its clash warning, the remote-control picture, the three tuners' lock
// and error pictures, the selected-antenna marks, the all-tuners mark, the
// frame, and the wire from the AMU to its data emitter.

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

class AMU_IHM_Main_SD {
public:
    // The widgets of AMU1 (the AMU2 block has the same with AMU2 and DE2 in
    // their names).
    struct Widgets {
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

    // unit '1' reads AMU1 and DE1, any other AMU2 and DE2. Starts greyed.
    AMU_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return Active && Alarm; }
    bool IsFrameActive() const;
    bool IsWireDEVisible() const;
    bool IsWireDEActive() const;
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

private:
    void SetActive(bool on);
    void RefreshValues(bool full);
    void RefreshIdentifier(bool full);
    void RefreshTuners(bool full);
    void ShowSelectedAntenna(int code, bool full);
    void UpdateAllTunersMarker(bool full);
    void PaintActive();
    void PaintInactive();
    void EvaluateAlarm();

    bool Alarm = false;
    bool Active = false;
    int Blink_Counter = 0;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_Type* Type_Current;
    const St_System_SD_AMU* Amu_Previous;
    const St_System_SD_AMU* Amu_Current;
    const St_System_SD_DE* De_Previous;
    const St_System_SD_DE* De_Current;
    Widgets W;
};
