#pragma once
// The spectrum analyser of one HD AMU: the 200-point spectrum the WCU
// reports for the AMU's chosen tuner, a peak-hold curve, a freeze switch, the
// tuner choice and a cross-hair read-out of level, RF and IF under the mouse.
// The HD page makes two, one per AMU, and refreshes them on every poll. The
// window reads the camera's snapshot and current state; it writes only its
// AMU's spectrum curves in the current state (clear, peak reset, peak hold).
//
// Everything runs on the user-interface thread.

#include "components/controls/SCLComboBox.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "platform/chart/Chart.h"
#include "platform/chart/Series.h"
#include "platform/chart/TeeFunci.h"
#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"

#include <atomic>
#include <string>

class TForm_AMU_HD_Spectrum : public TForm {
public:
    TForm_AMU_HD_Spectrum(TComponent* owner, St_System* snapshot, St_System* current, char amu_char,
                          int colour_depth, const std::atomic<int>* camera_count);

    void RefreshDisplay(bool full);
    bool WasShown() const { return was_shown; }
    // The window's initial and smallest size.
    POINT GetInitialSize() const { return POINT {min_width, min_height}; }
    void UpdateCaption();

    // The frequency of chart point 0..199: the centre ± 100 steps, the centre
    // itself left out.
    double FrequencyAt(int index) const;
    // The cross-hair through (x, y) of the chart, in XOR: drawn twice, it is gone.
    void DrawCrossHair(int x, int y);
    // The read-out for a point of the plot at frequency x and level y.
    std::string Cross_Value_Text(double x, double y) const;

    // A plain panel (the class library's); only its place is used.
    TWinControl* PanelTopGraph = nullptr;
    TSCLComboBox* ComboBoxTuner = nullptr;
    TSCLShapeButton* ShapeButtonMaxHold = nullptr;
    TSCLShapeButton* ShapeButtonResetMaxHold = nullptr;
    TSCLShapeButton* ShapeButtonFreeze = nullptr;
    TChart* ChartSpectrum = nullptr;
    TFastLineSeries* Series1 = nullptr;
    TFastLineSeries* Series2 = nullptr;
    THighFunction* HighFunction1 = nullptr;
    TSCLSimpleLabel* LabelCrossValue = nullptr;

private:
    static const TForm_Table& Table();

    void FormActivate(TObject* Sender);
    void FormCanResize(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormHide(TObject* Sender);
    void FormShow(TObject* Sender);
    void CtrlKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void CtrlKeyUp(TObject* Sender, WORD& Key, TShiftState Shift);
    void ComboBoxTunerChange(TObject* Sender);
    void ShapeButtonMaxHoldClick(TObject* Sender);
    void ShapeButtonMaxHoldMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ShapeButtonResetMaxHoldClick(TObject* Sender);
    void ShapeButtonFreezeClick(TObject* Sender);
    void ShapeButtonFreezeMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ChartSpectrumMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void BtnMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    void Place_Window(int camera_index);
    void Adapt_Label();
    void Adapt_Buttons(int colour_depth);
    bool Data_Available(const St_System& state) const;
    bool Shows_Data(const St_System& state, int range_code) const;
    void SetChartActive(bool on);
    void RescaleAxis();
    void DrawSpectrum(bool with_peak);
    void RedrawSpectrum(bool place_label);
    void Place_Label();
    void UpdateChartCursor();
    void Set_Chart_Cursor(TCursor cursor);
    POINT Mouse_In_Chart();
    bool In_Plot(POINT point);
    double Step_Mhz() const;
    double Centre_Mhz() const;
    void Set_Curve(TFastLineSeries& series, const std::array<int, St_System_HD_Spectrum::Points>& points);
    void Release_Toggle(TSCLShapeButton& button, TMouseButton mouse_button);
    void Post_Key_To_Page(WORD key);

    bool initialised = false;
    bool was_shown = false;
    St_System* previous;
    St_System* current_state;
    St_System_HD_AMU* previous_amu;
    St_System_HD_AMU* current_amu;
    St_System_HD_WCU_Status* previous_wcu_status;
    St_System_HD_WCU_Status* current_wcu_status;
    St_System_HD_Spectrum* previous_spectrum;
    St_System_HD_Spectrum* current_spectrum;
    const std::atomic<int>* camera_count;
    char amu_char;
    int min_width = 0;
    int min_height = 0;
    int last_range_code = -1;
    double start_mhz = 0.0;
    int synth_word = 0;
    TColor cross_xor_mask = 0xFFFFFF;
    TPenStyle cross_pen_style = psSolid;
};
