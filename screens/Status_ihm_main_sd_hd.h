#pragma once
// What the status presenters of the SD and HD pages share: the title
// banner (the camera's number and the camera-name menu on it while there
// are several cameras), the camera's global alarm shown on the banner,
// with one beep per change to alarm, and the status-log lines each refresh
// collects and appends to the status memo. Each page asks its own blocks
// for their alarms and logs its own events.
//
// Presenter is the page's status presenter: it gives this base its
// Any_Block_Alarm () and Log_Events (bool& stamped), as a friend.
// Page_Sources are the page's sources, which hold the banner's.

#include "link/St_system.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>

class St_System;
class St_System_Settings;
class TMemo;
class TPopupMenu;
class TSCLShapeControl;
class TStringList;

// What the banner and the log are drawn on.
struct Status_Banner_Sources {
    TSCLShapeControl* ShapeControlAppliTitle = nullptr;
    TPopupMenu* PopupCamName = nullptr;
    // Checks the camera number in the camera-name menu.
    std::function<void(int)> Check_Camera_Name;
    TMemo* MemoStatus = nullptr;
};

template <class Presenter, class Page_Sources>
class Status_IHM_Main_SD_HD {
public:
    using Sources = Page_Sources;

    void Update(bool full);
    bool IsActive() const { return Active; }
    bool HasAlarm() const { return !Active || Alarm; }
    // The log lines the last refresh added.
    TStringList* Messages() const { return Message_List.get(); }

protected:
    // banner_text: the banner's caption, which names the camera after it
    // while there are several. Starts inactive.
    Status_IHM_Main_SD_HD(St_System* previous, St_System* current, const std::atomic<int>* camera_count,
                          const char* banner_text, Sources sources);
    ~Status_IHM_Main_SD_HD();

    // Some query answers an alarm; a missing query counts as none.
    template <std::size_t N>
    static bool Any_Alarm(const std::array<std::function<bool()>, N>& alarms)
    {
        return std::ranges::any_of(alarms, [](const std::function<bool()>& alarm) { return alarm && alarm(); });
    }

    Sources S;

private:
    void SetActive(bool on);
    void UpdateAlarmAndMessages();
    void Show_Alarm_On_Banner();
    void Log_Lines();
    void UpdateTitle();

    std::unique_ptr<TStringList> Message_List;
    Log_Stamp log_stamp; // the status log's last time stamp
    bool Alarm = false;
    bool Active = false;
    const St_System_Settings* Settings_Previous;
    const St_System_Settings* Settings_Current;
    const std::atomic<int>* Camera_Count;
    const char* Banner_Text;
};
