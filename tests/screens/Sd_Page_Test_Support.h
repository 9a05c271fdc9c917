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
#include "tools/Render_State.h"

namespace sd_page_test {

// The render tool's working camera, on port 3 and without audio levels.
inline void Set_Page_Test_System(St_System& state)
{
    ::Set_Working_System(state);
    state.Settings.Port_Number = 3;
    state.SD.WCU.Audio_Levels_Valid = false;
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
    Working_Camera() { Set_Page_Test_System(current); }
};

// An SD page over a working system.
struct Sd_Page : page_test::Page<Working_Camera, TForm_Main_SD> {
    Sd_Page() : Page(true) {}
};

} // namespace sd_page_test
