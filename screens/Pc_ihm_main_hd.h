#pragma once
// The PC block of the HD page: the serial port's state, the link
// animation, the serial-port, camera-count, sound, record and battery
// threshold menus, the blinking recording LED, the PC title's hint and the
// PC alarm. The block is up while a serial port is chosen.

#include "screens/Pc_ihm_main_sd_hd.h"

class PC_WCU_File_HD;
class St_System_HD;

struct Pc_Hd_Widgets {
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

class PC_IHM_Main_HD : public PC_IHM_Main_SD_HD<PC_IHM_Main_HD, Pc_Hd_Widgets> {
public:
    // Numbers the menu items and draws the block at once; the alarm is
    // first evaluated by the first Update. A page without a recorder never
    // records.
    PC_IHM_Main_HD(St_System* previous, St_System* current, int colour_depth, const std::atomic<int>* camera_count,
                   const PC_WCU_File_HD* recorder, const Widgets& widgets);

    void Update(bool full);
    // Off, the record item and the recording LED too.
    void SetActive(bool on);
    using PC_IHM_Main_SD_HD::UpdateLinkState;
    // The serial-port and sound items, the record item with its LED and
    // the battery threshold.
    void UpdateMenus(bool force);
    using PC_IHM_Main_SD_HD::UpdatePCTitle;
    using PC_IHM_Main_SD_HD::UpdateCamerasCountMenu;
    void EvaluateAlarm();

private:
    void Update_Record_State(bool force);
    bool Is_Recording() const;

    int Blink_Counter = 0;
    const St_System_HD* Hd_Previous;
    const St_System_HD* Hd_Current;
    const PC_WCU_File_HD* Recorder;
};
