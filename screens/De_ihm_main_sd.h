#pragma once
// One data-emitter block of the SD page (DE1 or DE2): the Tx picture, the
// antenna's colour and hint, the frame.

class St_System;
class St_System_Settings;
class St_System_SD_WCU;
class St_System_SD_AMU;
class St_System_SD_DE;
class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLLImage;

class DE_IHM_Main_SD {
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

    // unit '1' reads AMU1 and DE1, '2' AMU2 and DE2. Starts greyed.
    DE_IHM_Main_SD(St_System* previous, St_System* current, char unit, const Widgets& widgets);

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
    const St_System_SD_AMU* Amu_Previous;
    const St_System_SD_AMU* Amu_Current;
    const St_System_SD_DE* De_Previous;
    const St_System_SD_DE* De_Current;
    Widgets W;
};
