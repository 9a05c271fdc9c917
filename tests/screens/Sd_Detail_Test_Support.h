#pragma once
// What the SD detail window tests share: a camera's two state records in a
// private settings folder, set to a sound system (WCU 1.1, AMUs 1.2 on video
// range 2 and data range 1, channels and modes as the WCU expects, audio
// stream with levels), and the block's title button, pressed.

#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics_Bitmap.h"
#include "platform/winapi/Window.h"
#include "screens/Detail_window.h"
#include "tests/support/Temp_Settings.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace sd_detail_test {

inline void Set_Sound_Amu(St_System_SD_AMU& amu)
{
    amu.Present = true;
    amu.Poll_Counter_Status = 20;
    amu.Poll_Counter_Data = 20;
    amu.Channel_Present = true;
    amu.Video_Channel_Valid = true;
    amu.Version_Major = 1;
    amu.Version_Minor = 2;
    amu.Versions_Compatible = true;
    amu.Temperature = 35;
    amu.Voltage_Raw = 100;
    amu.Video_Quality = 50;
    amu.Long_Triax = true;
    amu.Sw3_1_Off = false;
    amu.Sw3_2_Off = false;
    amu.Rc2_Setting = 0;
    amu.Video_Channel_Code = 46;
    amu.Data_Channel = 5;
    amu.Cofdm_Mode = 5;
}

inline void Set_Sound_System(St_System& state)
{
    state.Settings.Connected = true;
    state.Type.Wcu_Major = 1;
    state.Type.Wcu_Minor = 1;
    state.SD.Video_Range_Frequency = 2;
    state.SD.Data_Range_Frequency = 1;
    St_System_SD_WCU& wcu = state.SD.WCU;
    wcu.Link_Flag = true;
    wcu.Audio_Levels_Valid = true;
    wcu.Diversity_Dual = true;
    wcu.Audio_Option_On = true;
    wcu.Production_Mode = 3;
    wcu.Intercom_Volume_1 = 10;
    wcu.Intercom_Volume_2 = 20;
    wcu.Intercom_Volume_3 = 30;
    wcu.Audio_1_Level = 7020;
    wcu.Audio_2_Level = 702;
    wcu.Icom_Level_1 = 240;
    wcu.Icom_Level_2 = 96;
    wcu.Video_Channel_Index = 3;
    wcu.Data_Channel_Index = 5;
    wcu.Wcu_Cofdm_Mode = 5;
    Set_Sound_Amu(state.SD.AMU1);
    Set_Sound_Amu(state.SD.AMU2);
}

// A change to a sound system.
using Change = std::function<void(St_System&)>;

class Camera {
public:
    Camera()
    {
        Set_Sound_System(current);
        snapshot.Copy(current);
        title.SetGroupIndex(1);
        title.SetAllowAllUp(true);
        title.SetPressed(true);
    }

    // After a refresh the displayed copy is the current state.
    void Poll(Detail_Window& window, bool block_active = true)
    {
        window.RefreshDisplay(block_active);
        snapshot.Copy(current);
    }

    Temp_Settings settings;
    St_System current {0};
    St_System snapshot {0};
    TSCLShapeButton title {nullptr};
};

inline TColor Colour_Of(TSCLSimpleLabel* label)
{
    return label->Font()->Color();
}

// While it lives, the status images' list item of the global image list
// holds four 16 x 16 frames, each a block of its own colour on the key
// colour, which also sits in the frame's bottom-left pixel.
class Status_Strip {
public:
    static constexpr std::array<TColor, 4> Colours {clSilver, clLime, clYellow, clRed};

    Status_Strip()
    {
        TBitmap strip;
        strip.SetSize(16 * 4, 16);
        strip.Canvas()->Brush()->SetColor(clFuchsia);
        strip.Canvas()->FillRect(RECT {0, 0, 16 * 4, 16});
        for (int i = 0; i < 4; ++i) {
            strip.Canvas()->Brush()->SetColor(Colours[static_cast<std::size_t>(i)]);
            strip.Canvas()->FillRect(RECT {i * 16 + 2, 2, i * 16 + 14, 14});
        }
        TSCLImageList* list = SCLContainer->ImageList();
        list->Clear();
        list->Add();
        list->Items(list->Add())->ConvertBmpToIML(&strip, 4, false);
    }
    ~Status_Strip() { SCLContainer->ImageList()->Clear(); }
};

// The colour the screen shows at the centre of an image.
inline TColor Shown_Colour(TCustomForm* form, TSCLLImage* image)
{
    for (int i = 0; i < 3; ++i) {
        Application->ProcessMessages();
    }
    const QImage shown = Window_Widget(form->Handle())->grab().toImage();
    POINT centre {image->Width() / 2, image->Height() / 2};
    centre = image->ClientToScreen(centre);
    centre = form->ScreenToClient(centre);
    const QRgb rgb = shown.pixel(centre.x, centre.y);
    return static_cast<TColor>(RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)));
}

} // namespace sd_detail_test
