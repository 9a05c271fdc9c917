#pragma once
// The camera adapter's detail window of an HD camera: its temperature, its
// receivers and transmitter, the video stream, service and intercom data
// from the WCU, and whether its data frequency is the AMUs'.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>

class St_System;

enum Wca_Hd_Line : std::size_t {
    Wca_Hd_Temperature,
    Wca_Hd_Rx_Status,
    Wca_Hd_Tx_Status,
    Wca_Hd_Video_Stream,
    Wca_Hd_Service_Data,
    Wca_Hd_Intercom_Data,
    Wca_Hd_Data_Frequency,
    Wca_Hd_Line_Count
};
using Wca_Hd_Lines = std::array<Detail_Line, Wca_Hd_Line_Count>;

// What each line shows for a camera's state.
Wca_Hd_Lines Wca_Hd_Line_Table(const St_System& state);

class TForm_WCA_HD : public Detail_Window {
public:
    // current: the polling thread's state; snapshot: the displayed copy.
    TForm_WCA_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button,
                 St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelTemperature = nullptr;
    TSCLSimpleLabel* LabelTemperaturev = nullptr;
    TSCLSimpleLabel* LabelRxStatus = nullptr;
    TSCLLImage* ImageRxStatus = nullptr;
    TSCLSimpleLabel* LabelTxStatus = nullptr;
    TSCLLImage* ImageTxStatus = nullptr;
    TSCLSimpleLabel* LabelVideoStream = nullptr;
    TSCLLImage* ImageVideoStream = nullptr;
    TSCLSimpleLabel* LabelServiceData = nullptr;
    TSCLLImage* ImageServiceData = nullptr;
    TSCLSimpleLabel* LabelIntercomData = nullptr;
    TSCLLImage* ImageIntercomData = nullptr;
    TSCLSimpleLabel* LabelDataFrequency = nullptr;
    TSCLSimpleLabel* LabelDataFrequencyv = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, Wca_Hd_Line_Count> Widgets() const;

};
