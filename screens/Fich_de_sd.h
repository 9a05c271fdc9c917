#pragma once
// One data emitter's detail window of an SD camera: its data channel as
// the WCU expects it and the data carrier frequency, read from the AMU the
// emitter hangs on, with advice when the frequency cannot be known.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>

class St_System;

enum De_Sd_Line : std::size_t { De_Data_Channel, De_Data_Frequency, De_Sd_Line_Count };
using De_Sd_Lines = std::array<Detail_Line, De_Sd_Line_Count>;

// What each line shows for DE '1' or '2' of a camera's state.
De_Sd_Lines De_Sd_Line_Table(const St_System& state, char de);

class TForm_DE_SD : public Detail_Window {
public:
    // de: '1' or '2'. current: the polling thread's state; snapshot: the
    // displayed copy.
    TForm_DE_SD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button, char de,
                St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelDataChannel = nullptr;
    TSCLSimpleLabel* LabelDataChannelv = nullptr;
    TSCLSimpleLabel* LabelDataFrequency = nullptr;
    TSCLSimpleLabel* LabelDataFrequencyv = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, De_Sd_Line_Count> Widgets() const;

    char De;
};
