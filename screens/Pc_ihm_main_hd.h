#pragma once
// The PC block of the HD page: the serial port's state, the link
// animation, the serial-port, camera-count, sound, record and battery
// threshold menus, the blinking recording LED, the PC title's hint and the
// PC alarm. The block is up while a serial port is chosen.

#include <atomic>

class PC_WCU_File_HD;
class St_System;
class St_System_HD;
class St_System_Settings;
class TMenuItem;
class TSCLAniCtrl;
class TSCLBackPanel;
class TSCLGroupBox;
class TSCLLImage;
class TSCLPanelFill;
class TSCLShapeButton;
class TSCLSimpleLabel;

class PC_IHM_Main_HD {
public:
    struct Widgets {
        TMenuItem* MenuAlarmBatThreshold;
        TSCLPanelFill* PanelFillAniCamera;
        TSCLAniCtrl* AniCamera;
        TSCLGroupBox* GroupBoxPC;
        TSCLShapeButton* ShapeButtonPCTitle;
        TMenuItem* MenuCom;
        TMenuItem* MenuCamerasCount;
        TMenuItem* MenuSound;
        TMenuItem* MenuStatusRecord;
        TSCLSimpleLabel* LabelPCWCULink;
        TSCLLImage* ImageStatusRecord;
        TSCLLImage* ImagePCWCULink;
        TSCLBackPanel* BackPanelMain;
        TSCLLImage* ImageLogoQuorvale;
    };

    // Numbers the menu items and draws the block at once; the alarm is
    // first evaluated by the first Update. A page without a recorder never
    // records.
    PC_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth, const std::atomic<int>* camera_count,
                   const PC_WCU_File_HD* recorder, const Widgets& widgets);

    void Update(bool full);
    bool HasAlarm() const { return Alarm; }
    void SetActive(bool on);
    void UpdateLinkState(bool force);
    void UpdateMenus(bool force);
    void UpdatePCTitle();
    void UpdateCamerasCountMenu();
    void EvaluateAlarm();

private:
    void Number_Menu_Items();
    void Update_Record_State(bool force);
    bool Is_Recording() const;

    bool Alarm = false;
    int Colour_Depth;
    const std::atomic<int>* Camera_Count;
    int Blink_Counter = 0;
    const St_System_HD* Hd_Previous;
    const St_System_HD* Hd_Current;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const PC_WCU_File_HD* Recorder;
    Widgets W;
};
