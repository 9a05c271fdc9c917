#pragma once
// What the HD page tests share: a camera's two records in a private settings
// folder set to a working HD system (port 3, connected, WCU 2.2, every HD
// block answering with nothing wrong, battery threshold level 2), and the
// page itself in a main window that logs what the page asks of it,
// refreshed as the camera does (the snapshot takes the current record after
// each).

#include "link/St_system.h"
#include "screens/Fich_main_hd.h"
#include "tests/screens/Hd_Detail_Test_Support.h"
#include "tests/screens/Page_Test_Support.h"
#include "tests/support/Temp_Settings.h"

namespace hd_page_test {

// The detail windows' sound system, with what the page's blocks read on
// top: distinct AMU identifiers, receivers 1 and 2 locked, data emitters
// transmitting normally, good links and qualities, data activity, known
// frequencies and a battery above its threshold.
inline void Set_Hd_Page_Test_System(St_System& state)
{
    hd_detail_test::Set_Sound_System(state);
    state.Settings.Port_Number = 3;
    state.Type.Wcu_Minor = 2;
    St_System_HD& hd = state.HD;
    hd.Wcu.D0_Bits6_0 = 80;
    hd.Wcu.D2_Bit3 = hd.Wcu.D2_Bit3_Held = true;
    hd.Wcu_Link.D2_Bit2 = hd.Wcu_Link.D2_Bit1 = true;
    hd.Wcu_Link.D0 = 60;
    hd.Wca.D6_Bit5 = true;
    hd.Wca.Battery_Raw = 157;
    St_System_HD_WCU_Status& status = hd.Wcu_Status;
    status.Triax1_Link = true;
    status.Video_Frequency = 2.2f;
    status.Video_Bandwidth = 17.381407f;
    status.Toggle_Rate_Any = status.Toggle_Rate_A = status.Toggle_Rate_B = 1;
    int identifier = 0xA;
    for (St_System_HD_AMU* amu : {&hd.Amu1, &hd.Amu2}) {
        amu->Amu_Identifier = identifier++;
        amu->D3_Bit5 = amu->D3_Bit0 = amu->D3_Bit4 = amu->D3_Bit1 = true;
        amu->D5_Bit0 = amu->D5_Bit2 = true;
        amu->D24_Bit5 = true;
    }
    hd.Alarm_Battery_Level = 2;
}

using page_test::Change;

// A camera's two records over a working system, shown since the last poll.
struct Working_Camera {
    Working_Camera()
    {
        Set_Hd_Page_Test_System(current);
        snapshot.Copy(current);
    }

    Temp_Settings settings;
    St_System current {0};
    St_System snapshot {0};
};

// An HD page over a working system.
struct Hd_Page : page_test::Page<Working_Camera, TForm_Main_HD> {
    Hd_Page() : Page(false) {}
};

} // namespace hd_page_test
