#pragma once
// The HD page's title band, the camera's global alarm (band colour and
// beep) and the status-log lines each refresh adds to the status memo.

#include "link/St_system.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>

class PC_IHM_Main_HD;
class St_System;
class St_System_HD_AMU;
class St_System_HD_WCU;
class St_System_HD_WCU_Link;
class St_System_HD_WCU_Status;
class St_System_Settings;
class TMemo;
class TPopupMenu;
class TSCLShapeControl;
class TStringList;

class Status_IHM_Main_HD {
public:
    // What the global alarm and the band read besides the records. The
    // other blocks are asked through their alarm queries, in this order:
    // the WCU, AMU1, AMU2, DE1, DE2 and WCA presenters, then the WCU, AMU1,
    // AMU2, DE1, DE2 and WCA windows; a missing query counts as no alarm.
    struct Sources {
        const PC_IHM_Main_HD* PC = nullptr;
        std::array<std::function<bool()>, 12> Block_Alarms;
        TSCLShapeControl* ShapeControlAppliTitle = nullptr;
        TPopupMenu* PopupCamName = nullptr;
        // Checks the camera number in the camera-name menu.
        std::function<void(int)> Check_Camera_Name;
        TMemo* MemoStatus = nullptr;
    };

    Status_IHM_Main_HD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                       Sources sources);
    ~Status_IHM_Main_HD();

    void Update(bool full);
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return !Active || Alarm; }
    void SetActive(bool on);
    void UpdateAlarmAndMessages();
    void UpdateTitle();
    // The log lines the last refresh added.
    TStringList* Messages() const { return Message_List.get(); }

private:
    bool Any_Block_Alarm() const;
    void Show_Alarm_On_Band();
    void Log_Lines();
    void Log_Down_Links(bool& stamped);
    void Log_Up_Links(bool& stamped);

    std::unique_ptr<TStringList> Message_List;
    Log_Stamp log_stamp; // the status log's last time stamp
    bool Alarm = false;
    bool Active = false;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_HD_AMU* Amu1_Previous;
    const St_System_HD_AMU* Amu1_Current;
    const St_System_HD_AMU* Amu2_Previous;
    const St_System_HD_AMU* Amu2_Current;
    const St_System_HD_WCU_Status* Wcu_Status_Previous;
    const St_System_HD_WCU_Status* Wcu_Status_Current;
    const St_System_HD_WCU_Link* Wcu_Link_Current;
    const St_System_HD_WCU* Wcu_Previous;
    const St_System_HD_WCU* Wcu_Current;
    const std::atomic<int>* Camera_Count;
    Sources S;
};
