#pragma once
// What the HD detail window tests share: a camera's two state records in a
// private settings folder, set to a sound HD system (WCU 2.1, triax 1 up,
// audio stream in DUAL, both AMUs 2.1 on one receiver type with a
// 458 MHz data emitter of the known type, the WCA's data frequency the
// AMUs'), and the block's title button, pressed.

#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLSimpleLabel.h"
#include "link/St_system.h"
#include "screens/Detail_window.h"
#include "tests/support/Temp_Settings.h"

#include <functional>

namespace hd_detail_test {

// 458 MHz in 25 kHz steps.
inline constexpr int Steps_458_Mhz = 18320;

inline void Set_Sound_Amu(St_System_HD_AMU& amu)
{
    amu.Present = true;
    amu.Firmware_Version = 0x21;
    amu.Versions_Match = true;
    amu.Temperature = 35;
    amu.D13 = 100;
    amu.D17 = 50;
    amu.Long_Triax = true;
    amu.Data_Valid_A = true;
    amu.Data_Valid_B = true;
    amu.Data_Mode_Code = 4;
    amu.Data_Step_Mode = 0;
    amu.Data_Freq_Hi = Steps_458_Mhz / 256;
    amu.Data_Freq_Lo = Steps_458_Mhz % 256;
    amu.Range_Code = {51, 51, 51};
    amu.D1_Bits3_2 = 3;
    amu.D1_Bit1 = true;
    amu.D1_Bit0 = true;
    amu.D4_Hi = 1;
}

inline void Set_Sound_System(St_System& state)
{
    state.Settings.Connected = true;
    state.Type.System_Type = 1;
    state.Type.Wcu_Major = 2;
    state.Type.Wcu_Minor = 1;
    St_System_HD& hd = state.HD;
    hd.Wcu.Present = true;
    hd.Wcu.D2_Bit2 = true;
    hd.Wcu.D2_Bit1 = true;
    hd.Wcu.D6_D7 = Steps_458_Mhz;
    hd.Wcu_Link.Present = true;
    hd.Wcu_Link.D8_Lo = 2;
    hd.Wcu_Link.D12_Bit5 = true;
    St_System_HD_WCU_Status& status = hd.Wcu_Status;
    status.Present = true;
    status.Triax1_Used = true;
    status.D0_Bit0 = true;
    status.D1_Bit2 = true;
    status.D2_Bit4 = true;
    status.D2_Bit6 = true;
    status.Data_Frequency = 458.0f;
    St_System_HD_WCU_Detail& detail = hd.Wcu_Detail;
    detail.Present = true;
    detail.D3_Bit4 = true;
    detail.D3_Bit3 = true;
    detail.D3_Bits1_0 = 3;
    detail.D4 = 10;
    detail.D5 = 20;
    detail.D6 = 30;
    detail.D8_D9 = 7020;
    detail.D10_D11 = 702;
    detail.D12 = 240;
    detail.D13 = 96;
    hd.Wca.Present = true;
    hd.Wca.D6_Bit4 = true;
    hd.Wca.D6_Bits7_6 = 1;
    St_System_HD_WCA_Status& wca = hd.Wca_Status;
    wca.Present = true;
    wca.D3 = 40;
    wca.D1_Bit7 = wca.D1_Bit6 = wca.D1_Bit5 = wca.D1_Bit4 = wca.D1_Bit3 = wca.D1_Bit1 = wca.D1_Bit0 = true;
    Set_Sound_Amu(hd.Amu1);
    Set_Sound_Amu(hd.Amu2);
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

} // namespace hd_detail_test
