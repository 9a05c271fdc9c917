#pragma once
// One data-emitter block of the HD page (DE1 or DE2): the Tx picture, the
// antenna's colour and hint (enabled, disabled, or sending a test signal),
// and the frame, lit while the AMU it hangs on is the one in use.

class St_System;
class St_System_Settings;
class St_System_HD_AMU;
class St_System_HD_WCU_Status;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLLImage;

class DE_IHM_Main_HD {
public:
    // The widgets of DE1 (DE2 has the same with DE2 and Ant2 in their names).
    struct Widgets {
        TSCLGroupBox* GroupBoxDE;
        TSCLSimpleLabel* LabelDETxEna;
        TSCLShapeControl* ShapeControl2Ant;
        TSCLShapeControl* ShapeControl3Ant;
        TSCLShapeButton* ShapeButtonDETitle;
        TSCLLImage* ImageDETxEna;
    };

    // unit '1' reads AMU1, any other AMU2. Starts greyed.
    DE_IHM_Main_HD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

    void Update(bool full);
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return Active && Alarm; }
    bool IsFrameActive() const;
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

private:
    void SetActive(bool on);
    void RefreshValues(bool full);
    void UpdateAntennaState(bool full);
    void PaintFrameActive();
    void PaintFrameInactive();
    void EvaluateAlarm();

    bool Alarm = false;
    bool Active = false;
    char Unit;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_HD_AMU* Amu_Previous;
    const St_System_HD_AMU* Amu_Current;
    const St_System_HD_WCU_Status* Status_Previous;
    const St_System_HD_WCU_Status* Status_Current;
    Widgets W;
};
