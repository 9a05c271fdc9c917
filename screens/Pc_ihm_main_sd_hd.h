#pragma once
// What the PC blocks of the SD and HD pages share: the serial port's state,
// the link animation, the serial-port, sound and camera-count menu checks,
// the PC title's hint and the pictures chosen by the screen's resolution.
// Each page adds its own menus, boxes and alarm rule.
//
// Presenter is the page's PC presenter: it gives this base its
// EvaluateAlarm and, where it has more menus than the serial-port and sound
// ones, its own UpdateMenus (bool full), as a friend. Block_Widgets are its
// widgets, which name the shared ones alike.

#include <atomic>

class St_System;
class St_System_Settings;
// The kinds of the shared widgets.
class TMenuItem;
class TSCLAniCtrl;
class TSCLBackPanel;
class TSCLGroupBox;
class TSCLLImage;
class TSCLPanelFill;
class TSCLShapeButton;
class TSCLSimpleLabel;

template <class Presenter, class Block_Widgets>
class PC_IHM_Main_SD_HD {
public:
    using Widgets = Block_Widgets;

    bool HasAlarm() const { return Alarm; }

protected:
    // previous: the record shown; current: the record just polled;
    // colour_depth: the screen's, in bits. Numbers the serial-port and
    // camera-count items and picks the pictures.
    PC_IHM_Main_SD_HD(St_System* previous, St_System* current, int colour_depth,
                      const std::atomic<int>* camera_count, const Widgets& widgets);

    // A full refresh or another port: the port's state is shown afresh.
    bool Is_Port_Renewed(bool full) const;
    // What the page's constructor draws once the port's state is shown: the
    // link, the menus, all rewritten, and the title. The alarm stays clear.
    void Draw_Block();
    // What Update does once the port's state is shown afresh (renewed) or
    // left: the link, the alarm, the camera-count menu and the title when
    // renewed, and the menus whose sources changed.
    void Refresh_Block(bool renewed);

    // The frame, the link picture and animation shown while a port is
    // chosen; without one, no serial-port item checked.
    void ShowPortState(bool on);
    void UpdateLinkState(bool full);
    // The serial-port and sound items.
    void UpdateMenus(bool full);
    void UpdateCamerasCountMenu();
    void UpdatePCTitle();

    // Checks the items whose tag is tag, and only them.
    static void Check_Only(TMenuItem* menu, int tag);
    // Tags the items first, first + 1, ... in menu order.
    static void Number_Items(TMenuItem* menu, int first);

    bool Alarm = false;
    int Colour_Depth;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    Widgets W;

private:
    const std::atomic<int>* Camera_Count;
};
