#pragma once
// The SD page's title banner, the camera's global alarm (banner colour and
// beep) and the status-log lines each refresh adds to the status memo.

#include "link/St_system.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>

class AMU_IHM_Main_SD;
class DE_IHM_Main_SD;
class PC_IHM_Main_SD;
class St_System;
class St_System_SD_AMU;
class St_System_SD_WCU;
class St_System_Settings;
class TMemo;
class TPopupMenu;
class TSCLShapeControl;
class TStringList;
class WCU_IHM_Main_SD;

class Status_IHM_Main_SD {
public:
    // What the global alarm and the banner read besides the records. The
    // detail windows are asked through their alarm queries (WCU, AMU1,
    // AMU2, DE1, DE2); a missing presenter or query counts as no alarm.
    struct Sources {
        const PC_IHM_Main_SD* PC = nullptr;
        const WCU_IHM_Main_SD* WCU = nullptr;
        const AMU_IHM_Main_SD* AMU1 = nullptr;
        const AMU_IHM_Main_SD* AMU2 = nullptr;
        const DE_IHM_Main_SD* DE1 = nullptr;
        const DE_IHM_Main_SD* DE2 = nullptr;
        std::array<std::function<bool()>, 5> Window_Alarms;
        TSCLShapeControl* ShapeControlAppliTitle = nullptr;
        TPopupMenu* PopupCamName = nullptr;
        // Checks the camera number in the camera-name menu.
        std::function<void(int)> Check_Camera_Name;
        TMemo* MemoStatus = nullptr;
    };

    Status_IHM_Main_SD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                       Sources sources);
    ~Status_IHM_Main_SD();

    void Update(bool full);
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return !Active || Alarm; }
    // The log lines the last refresh added.
    TStringList* Messages() const { return Message_List.get(); }

private:
    void SetActive(bool on);
    void UpdateAlarmAndMessages();
    bool Any_Block_Alarm() const;
    void Show_Alarm_On_Banner();
    void Log_Lines();
    void UpdateTitle();

    std::unique_ptr<TStringList> Message_List;
    Log_Stamp log_stamp; // the status log's last time stamp
    bool Alarm = false;
    bool Active = false;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const St_System_SD_WCU* Wcu_Previous;
    const St_System_SD_WCU* Wcu_Current;
    const St_System_SD_AMU* Amu1_Previous;
    const St_System_SD_AMU* Amu1_Current;
    const St_System_SD_AMU* Amu2_Previous;
    const St_System_SD_AMU* Amu2_Current;
    const std::atomic<int>* Camera_Count;
    Sources S;
};
