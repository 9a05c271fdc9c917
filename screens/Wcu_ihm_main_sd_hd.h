#pragma once
// What the WCU blocks of the SD and HD pages share: the RS-232 cable from
// the PC, the frame, the title, the two quality meters, each triax group's
// power, control and video pictures and its cable to the AMU, and the
// data-activity picture. Each page reads these from its own records and
// adds what only it shows.
//
// Presenter is the page's WCU presenter; Block_Widgets its widgets, which
// name the shared ones alike.

#include "screens/Block_presenter.h"

#include <string>

class St_System;
class St_System_Settings;

// What a triax group shows of one record.
struct Wcu_Triax_View {
    // The power picture is lit and the cable shown.
    bool Used = false;
    // The control picture is good; with Link_Active, the cable is lit.
    bool Control_Ok = false;
    // The video picture is good.
    bool Video_Ok = false;
    bool Link_Active = false;
};

// The toggle rates of the data-activity bits (0, 1 or 2): any bit, bits A and B.
struct Wcu_Rates {
    int Any = 0;
    int A = 0;
    int B = 0;
};

template <class Presenter, class Block_Widgets>
class WCU_IHM_Main_SD_HD : public Block_Presenter<Presenter> {
public:
    using Widgets = Block_Widgets;

    // The block is up while the WCU link holds.
    void Update(bool full);
    bool IsRs232CableVisible() const;
    bool IsTriax1CableVisible() const;
    bool IsTriax2CableVisible() const;
    bool IsTriax1CableActive() const;
    bool IsTriax2CableActive() const;
    void ReleaseTitleButton(int ownerLeft, int ownerTop);

protected:
    // previous: the record shown; current: the record just polled.
    WCU_IHM_Main_SD_HD(St_System* previous, St_System* current, const Widgets& widgets);

    // What SetActive does alike on both pages: the RS-232 cable shown and
    // lit, the shared labels enabled; off, the shared pictures, the meters
    // and the triax cables cleared and the title greyed.
    void Set_Common_Active(bool on);
    // link '1' or '2'.
    void Refresh_Triax_Images(bool full, char link, const Wcu_Triax_View& shown, const Wcu_Triax_View& polled);
    void Update_Triax_Cable(bool full, char link, const Wcu_Triax_View& shown, const Wcu_Triax_View& polled);
    // The picture, and its hint: "Lit during OCP request" while rates A and
    // B run, else idle_hint, whose own sources changed when
    // idle_hint_changed.
    void Refresh_Data_Activity(bool full, const Wcu_Rates& shown, const Wcu_Rates& polled,
                               const std::string& idle_hint, bool idle_hint_changed);

    Widgets W;

private:
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
};
