#pragma once
// What the AMU's detail windows of the SD and the HD camera share: the
// AMU they show, the firmware, temperature, voltage, triax quality and
// pre-emphasis lines, and the quality meter whose bevel turns red with its
// line.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>

// The triax quality meter's scale and its alarm threshold.
inline constexpr int Amu_Qos_Min = 0;
inline constexpr int Amu_Qos_Max = 127;
inline constexpr int Amu_Qos_Alarm_Below = 10;

class Amu_Detail_Window : public Detail_Window {
public:
    TSCLSimpleLabel* LabelFirmwareVersion = nullptr;
    TSCLSimpleLabel* LabelFirmwareVersionv = nullptr;
    TSCLSimpleLabel* LabelTemperature = nullptr;
    TSCLSimpleLabel* LabelTemperaturev = nullptr;
    TSCLSimpleLabel* LabelVoltage = nullptr;
    TSCLSimpleLabel* LabelVoltagev = nullptr;
    TSCLSimpleLabel* LabelTriaxQOS = nullptr;
    TSCLProgress* ProgressTriaxQOS = nullptr;
    TSCLSimpleLabel* LabelPreaccAMU = nullptr;
    TSCLLImage* ImagePreaccAMU = nullptr;

protected:
    // amu: '1' or '2'. current: the polling thread's state; snapshot: the
    // displayed copy.
    Amu_Detail_Window(TComponent* owner, TSCLShapeButton* title_button, char amu, St_System* current,
                      St_System* snapshot);

    // The common table with the shared lines' components.
    static TForm_Table Amu_Table();
    // Reads the window's form and scales its quality meter.
    void Read_Amu_Form(const TForm_Table& table, TSCLCustomImageList* image_list);
    // The lines that changed (all when full), and the quality meter's bevel
    // with the quality line qos.
    template <std::size_t N>
    void Show_Amu_Lines(const std::array<Detail_Widgets, N>& widgets, const std::array<Detail_Line, N>& lines,
                        const std::array<Detail_Line, N>& before, bool full, std::size_t qos)
    {
        Show_Lines(widgets, lines, full ? nullptr : &before);
        if (full || lines[qos] != before[qos]) {
            Show_Meter_Fault(*ProgressTriaxQOS, lines[qos].Fault);
        }
    }

    char Amu;
};
