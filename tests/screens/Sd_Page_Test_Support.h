#pragma once
// What the SD page tests share: a camera's two records in a private settings
// folder, set to a working system (port 3, connected, WCU 1.0, both AMUs
// firmware 1.2 present, polled, valid on the same channels with AMU1 active,
// both data emitters answering with Tx on, ranges chosen, good qualities and
// data activity, nothing a detail window would find wrong), and the page
// itself, refreshed as the camera does (the snapshot takes the current
// record after each).

#include "link/St_system.h"
#include "screens/Fich_main_sd.h"
#include "tests/screens/Page_Test_Support.h"
#include "tests/support/Temp_Settings.h"

namespace sd_page_test {

inline void Set_Working_Amu(St_System_SD_AMU& amu, bool active)
{
    amu.Present = true;
    amu.Poll_Counter_Status = 20;
    amu.Poll_Counter_Data = 20;
    amu.Error = false;
    amu.Channel_Present = true;
    amu.Video_Channel_Valid = true;
    amu.Active = active;
    amu.Version_Major = 1;
    amu.Version_Minor = 2;
    amu.Versions_Compatible = true;
    amu.Receiver_Flag_1 = true;
    amu.Receiver_Flag_2 = true;
    amu.Status_Code = 1;
    amu.Identifier = 0xA;
    amu.Video_Channel_Code = 46;
    amu.Data_Channel = 5;
    amu.Cofdm_Mode = 5;
    amu.Temperature = 35;
    amu.Voltage_Raw = 100;
    amu.Video_Quality = 50;
    amu.Long_Triax = true;
}

inline void Set_Working_System(St_System& state)
{
    state.Settings.Port_Number = 3;
    state.Settings.Connected = true;
    state.Type.Wcu_Major = 1;
    state.Type.Wcu_Minor = 0;
    state.SD.Video_Range_Frequency = 2;
    state.SD.Data_Range_Frequency = 1;
    St_System_SD_WCU& wcu = state.SD.WCU;
    wcu.Wcu_Flag = true;
    wcu.Video_Qos = 90;
    wcu.Data_Qos = 80;
    wcu.Link_Flag = true;
    wcu.Rate_Any = 1;
    wcu.Rate_A = 1;
    wcu.Rate_B = 1;
    Set_Working_Amu(state.SD.AMU1, true);
    Set_Working_Amu(state.SD.AMU2, false);
    state.SD.DE1.State = true;
    state.SD.DE1.De_Flag = true;
    state.SD.DE2.State = true;
    state.SD.DE2.De_Flag = true;
}

using page_test::Change;

// Both records of one camera, the snapshot showing what `current` held at
// the last refresh.
struct Camera {
    Temp_Settings settings;
    St_System current {0};
    St_System snapshot {0};
};

struct Working_Camera : Camera {
    Working_Camera() { Set_Working_System(current); }
};

// An SD page over a working system.
struct Sd_Page : page_test::Page<Working_Camera, TForm_Main_SD> {
    Sd_Page() : Page(true) {}
};

} // namespace sd_page_test
