#pragma once
// One data emitter's detail window of an HD camera: whether the emitter was
// programmed and whether the RF data booster is there, read from the AMU
// the emitter hangs on.

#include "screens/Detail_window.h"

#include <array>
#include <cstddef>

class St_System;

enum De_Hd_Line : std::size_t { De_Hd_Status, De_Hd_Booster, De_Hd_Line_Count };
using De_Hd_Lines = std::array<Detail_Line, De_Hd_Line_Count>;

// What each line shows for DE '1' or '2' of a camera's state.
De_Hd_Lines De_Hd_Line_Table(const St_System& state, char de);

class TForm_DE_HD : public Detail_Window {
public:
    // de: '1' or '2'. current: the polling thread's state; snapshot: the
    // displayed copy.
    TForm_DE_HD(TComponent* owner, TSCLCustomImageList* image_list, TSCLShapeButton* title_button, char de,
                St_System* current, St_System* snapshot);

    TSCLSimpleLabel* LabelStatus = nullptr;
    TSCLLImage* ImageStatus = nullptr;
    TSCLSimpleLabel* LabelBooster = nullptr;
    TSCLLImage* ImageBooster = nullptr;

private:
    static const TForm_Table& Table();
    void Refresh_Lines(bool full) override;
    void EvaluateAlarm() override;

    std::array<Detail_Widgets, De_Hd_Line_Count> Widgets() const;

    char De;
};
