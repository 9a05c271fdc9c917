#pragma once
// What the detail windows of the blocks share: a borderless popup shown
// under its block's title button, whose lines each show a caption and a
// value, a status image or a meter, red with advice in their hint when
// something is wrong. The window keeps its block's alarm up to date on
// every refresh, also while hidden, so that the block's title turns red for
// a fault the user has not opened.
//
// A window describes each line as a Detail_Line computed from one state
// record; a refresh rewrites the lines whose description differs between
// the displayed copy and the current state, or all of them.

#include "platform/classlib/Class_Registry.h"
#include "platform/classlib/Forms.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

class St_System;
class TSCLCustomImageList;
class TSCLGroupBox;
class TSCLLImage;
class TSCLProgress;
class TSCLShapeButton;
class TSCLSimpleLabel;

inline constexpr TColor Detail_Normal_Colour = 0x000000;
inline constexpr TColor Detail_Fault_Colour = 0x0000FF;

// Status images: 0 off, 1 on or good, 2 second state, 3 fault.
enum Detail_Image { Detail_Image_Off = 0, Detail_Image_On = 1, Detail_Image_Second = 2, Detail_Image_Fault = 3 };

// What one line shows.
struct Detail_Line {
    std::string Value;
    int Image = Detail_Image_Off;
    int Meter = 0;
    // Caption and value red, and the window's alarm.
    bool Fault = false;
    std::string Hint;
    // The value (or meter) is shown; the caption is enabled.
    bool Value_Visible = true;
    bool Caption_Enabled = true;
    // A caption of its own; empty keeps the form's.
    std::string Caption;

    bool operator==(const Detail_Line&) const = default;
};

// The controls of one line; those a line does not have are null.
struct Detail_Widgets {
    TSCLSimpleLabel* Caption = nullptr;
    TSCLSimpleLabel* Value = nullptr;
    TSCLLImage* Image = nullptr;
    TSCLProgress* Meter = nullptr;
};

// A line of value text; a fault line is red with the alarm.
Detail_Line Value_Line(const std::string& value, bool fault = false, const std::string& hint = "");
// A line of status image image.
Detail_Line Image_Line(int image, bool fault = false, const std::string& hint = "");
// A meter's line, its caption greyed while the meter says nothing.
Detail_Line Meter_Line(int value, bool caption_enabled = true);
// Celsius/Fahrenheit, red beyond the limits.
Detail_Line Temperature_Line(int celsius);

// A meter whose line is wrong has a red bevel, as its caption.
void Show_Meter_Fault(TSCLProgress& meter, bool fault);

// Colour of bar nr of an audio level meter whose 0 dB reference mark sits
// mark_span pixels right of its -40 dB mark: bright green at the bottom,
// orange at the mark, red above it.
TColor Level_Meter_Colour(const TSCLProgress& meter, int mark_span, BYTE nr);

template <std::size_t N>
bool Any_Fault(const std::array<Detail_Line, N>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const Detail_Line& line) { return line.Fault; });
}

class Detail_Window : public TForm {
public:
    // After the block's presenter: hides the window when its block went
    // down; rewrites a shown window (every line on the first refresh after
    // it was shown); recomputes the alarm of a hidden one.
    void RefreshDisplay(bool blockActive);
    // The block's title button is enabled and the window sees an alarm.
    bool HasAlarm() const;

    TSCLGroupBox* GroupBoxForm = nullptr;

    // The form's own destruction hides and deactivates it: by then no
    // handler of this class may run.
    ~Detail_Window() override;

protected:
    // hide_key: the block's key, which also hides the window. current: the
    // polling thread's state; snapshot: the displayed copy.
    Detail_Window(TComponent* owner, TSCLShapeButton* title_button, char hide_key, St_System* current,
                  St_System* snapshot);
    // A table holding the group box and the handlers every window binds;
    // each window adds its own lines.
    static TForm_Table Common_Table();
    // Reads the form resource of the window's class, then lays the
    // background picture of the image list under the lines.
    void Read_Form(const TForm_Table& table, TSCLCustomImageList* image_list);

    // Rewrites the lines, all of them when full.
    virtual void Refresh_Lines(bool full) = 0;
    virtual void EvaluateAlarm() = 0;

    // Puts the line on its controls; a fault line raises the alarm.
    void Show_Line(const Detail_Widgets& widgets, const Detail_Line& line);
    // Every line on a full refresh (no lines before), else those that
    // differ from what they were.
    template <std::size_t N>
    void Show_Lines(const std::array<Detail_Widgets, N>& widgets, const std::array<Detail_Line, N>& lines,
                    const std::array<Detail_Line, N>* before)
    {
        for (std::size_t i = 0; i < N; ++i) {
            if (!before || (*before)[i] != lines[i]) {
                Show_Line(widgets[i], lines[i]);
            }
        }
    }

    bool Alarm = false;
    bool Initialised = false;
    St_System* Current;
    St_System* Snapshot;

private:
    void FormShow(TObject* Sender);
    void FormHide(TObject* Sender);
    void FormDeactivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // The HD windows' keys: Enter, Escape and the block's key close the
    // window (its title button comes up); R goes to the camera's page, whose
    // Ctrl+R toggles recording.
    void HdKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    // The title button released and the owner focused.
    void Give_Back();

    char Hide_Key;
    TSCLShapeButton* Title_Button;
};
