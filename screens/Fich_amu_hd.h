#pragma once
// One AMU's detail window of an HD camera: firmware, temperature, voltage,
// fan, pre-emphasis, triax quality, service and intercom data to the
// camera, the data emitter and the RF receivers it finds, and its switches
// and wheels with what to change. Its button opens the AMU's spectrum
// analyser.

#include "screens/Amu_detail_window.h"

#include <array>
#include <cstddef>

class St_System;
class St_System_HD_AMU;
class TForm_AMU_HD_Spectrum;
class TSCLSpeedButton;

enum Amu_Hd_Line : std::size_t {
    Amu_Hd_Firmware_Version,
    Amu_Hd_Temperature,
    Amu_Hd_Voltage,
    Amu_Hd_Fan,
    Amu_Hd_Pre_Emphasis,
    Amu_Hd_Triax_Qos,
    Amu_Hd_Service_Data,
    Amu_Hd_Intercom_Data,
    Amu_Hd_Data_Emitter,
    Amu_Hd_Rf_Receivers,
    Amu_Hd_Switches,
    Amu_Hd_Rotary_Wheels,
    Amu_Hd_Line_Count
};
using Amu_Hd_Lines = std::array<Detail_Line, Amu_Hd_Line_Count>;

// The data emitters the system knows work from 454 to 462 MHz.
inline constexpr double Amu_Hd_De_Min_Mhz = 454.0;
inline constexpr double Amu_Hd_De_Max_Mhz = 462.0;
inline constexpr int Amu_Hd_De_Known_Type = 4;

// AMU '1' or '2' of a camera's state.
const St_System_HD_AMU& Amu_Hd_Record(const St_System& state, char amu);

// What each line shows for AMU '1' or '2'. The switches and wheels give
// advice but no alarm.
Amu_Hd_Lines Amu_Hd_Line_Table(const St_System& state, char amu);

class TForm_AMU_HD : public Amu_Detail_Window {
public:
    // spectrum: the AMU's spectrum window (not owned). amu: '1' or '2'.
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_AMU_HD(TComponent* owner, TForm_AMU_HD_Spectrum* spectrum, TSCLCustomImageList* image_list,
                 TSCLShapeButton* title_button, char amu, St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelFan = nullptr;
    TSCLLImage* ImageFan = nullptr;
    TSCLSimpleLabel* LabelServiceData = nullptr;
    TSCLLImage* ImageServiceData = nullptr;
    TSCLSimpleLabel* LabelIntercomData = nullptr;
    TSCLLImage* ImageIntercomData = nullptr;
    TSCLSimpleLabel* LabelDataEmitter = nullptr;
    TSCLLImage* ImageDataEmitter = nullptr;
    TSCLSimpleLabel* LabelRFReceivers = nullptr;
    TSCLLImage* ImageRFReceivers = nullptr;
    TSCLSimpleLabel* LabelSwitches = nullptr;
    TSCLLImage* ImageSwitches = nullptr;
    TSCLSimpleLabel* LabelRotaryWheels = nullptr;
    TSCLLImage* ImageRotaryWheels = nullptr;
    TSCLSpeedButton* SpeedButtonSpectrumAnalyser = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;
    // Opens the spectrum window; one never shown yet is shown, hidden and
    // shown again.
    void SpeedButtonSpectrumAnalyserClick(TObject* Sender);

    std::array<Detail_Widgets, Amu_Hd_Line_Count> Widgets() const;

    TForm_AMU_HD_Spectrum* Spectrum;
};
