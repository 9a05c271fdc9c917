#pragma once
// One data-emitter block (DE1 or DE2) as the SD and the HD page both show
// it: the Tx picture, the antenna's colour and hint (enabled, disabled, or
// sending a test signal) and the frame, lit while the AMU the emitter hangs
// on is the one in use. The pages differ only in the records they read:
// each hands the block what the record shown and the record just polled
// say.

#include "screens/Block_presenter.h"

#include <array>
#include <cstddef>

class TSCLGroupBox;
class TSCLSimpleLabel;
class TSCLShapeButton;
class TSCLShapeControl;
class TSCLLImage;

class DE_IHM_Main_SD_HD : public Block_Presenter<DE_IHM_Main_SD_HD> {
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

    bool IsFrameActive() const;
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

protected:
    // What the block shows of one record.
    struct Record_View {
        bool Tx_On = false;
        // A red antenna and the block's alarm.
        bool Test_Signal = false;
        // The AMU the emitter hangs on is the one in use: the frame is lit.
        bool Amu_In_Use = false;
    };

    // unit: '1' or '2', the antenna's number in its hint. Starts greyed.
    DE_IHM_Main_SD_HD(char unit, const Widgets& widgets);

    // The sources of the block's gate (see Block_presenter.h) and what the
    // block shows, of the record shown and of the record just polled.
    template <std::size_t N>
    void Show(bool full, const std::array<bool, N>& shown_gate, const std::array<bool, N>& polled_gate,
              const Record_View& shown, const Record_View& polled)
    {
        Shown = shown;
        Polled = polled;
        Refresh(full, shown_gate, polled_gate);
    }

    const char Unit;

private:
    friend class Block_Presenter<DE_IHM_Main_SD_HD>;

    void SetActive(bool on);
    void RefreshValues(bool full);
    void UpdateAntennaState(bool full);
    void PaintFrameActive();
    void PaintFrameInactive();
    void EvaluateAlarm();

    Widgets W;
    Record_View Shown;
    Record_View Polled;
};
