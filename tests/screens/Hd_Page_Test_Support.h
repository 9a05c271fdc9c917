#pragma once
// What the HD page tests share: a camera's two records in a private settings
// folder set to a working HD system (port 3, connected, WCU 2.2, every HD
// block answering with good links, battery threshold level 2), a main
// window that logs what the page asks of it, and the page itself, refreshed
// as the camera does (the snapshot takes the current record after each).

#include "link/St_system.h"
#include "platform/classlib/Forms.h"
#include "screens/Fich_main_hd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/Main_Window_Services.h"
#include "tests/support/Temp_Settings.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hd_page_test {

inline void Set_Working_Hd_System(St_System& state)
{
    state.Settings.Port_Number = 3;
    state.Settings.Connected = true;
    state.Type.System_Type = St_System_Type::Hd_System;
    state.Type.Wcu_Major = 2;
    state.Type.Wcu_Minor = 2;
    St_System_HD& hd = state.HD;
    hd.Wcu.Present = true;
    hd.Wcu.D2_Bit3_Held = true;
    hd.Wcu_Status.Present = true;
    hd.Wcu_Status.Triax1_Used = true;
    hd.Wcu_Status.D0_Bit0 = hd.Wcu_Status.D1_Bit2 = hd.Wcu_Status.D2_Bit4 = true;
    hd.Wcu_Link.Present = true;
    hd.Amu1.Present = hd.Amu2.Present = true;
    hd.Amu1.D24_Bit5 = hd.Amu2.D24_Bit5 = true;
    hd.Wca.Present = hd.Wca_Status.Present = true;
    hd.Alarm_Battery_Level = 2;
}

using Change = std::function<void(St_System&)>;

// The main window as the page sees it: a plain form, and a log of what the
// page asked of it.
class Fake_Main_Window : public Main_Window_Services {
public:
    Fake_Main_Window() { Main_Window = this; }
    ~Fake_Main_Window() override { Main_Window = nullptr; }

    TForm* Get_Main_Form() override { return &form; }
    TSCLSysInfo* Get_Main_Sys_Info() override { return nullptr; }
    TSCLAboutDlg* Get_Form_About() override { return about; }
    void Set_Camera_Count(int count) override { camera_counts.push_back(count); }
    void Set_Camera_Name(int camera_index, int number) override { names.push_back(camera_index * 100 + number); }
    void Clear_Camera_Messages(int camera_index) override { cleared.push_back(camera_index); }
    bool Is_Sd_Camera(int) override { return false; }
    void Release_Shortcut_Buttons() override {}
    HWND Get_Active_Page_Window() override { return nullptr; }
    bool Is_Busy(int) override { return busy; }
    bool Is_Busy_Global() override { return busy; }
    bool Post_Pending_Change(int camera_index) override
    {
        pending.push_back(camera_index);
        return false;
    }
    bool Post_Pending_Display_Change() override { return false; }
    std::string Get_Version_Text() override { return "2.3"; }

    TForm form {nullptr};
    TSCLAboutDlg* about = nullptr;
    bool busy = false;
    std::vector<int> camera_counts;
    std::vector<int> names;
    std::vector<int> cleared;
    std::vector<int> pending;
};

// An HD page without a polling thread over a working system, shown since
// the last poll, in a main window at (40, 30).
struct Hd_Page {
    Hd_Page()
    {
        Set_Working_Hd_System(current);
        snapshot.Copy(current);
        main_window.form.SetBounds(40, 30, 791, 452);
        form = std::make_unique<TForm_Main_HD>(&main_window.form, nullptr, &camera_count, &summary, &snapshot,
                                               &current);
    }
    void Refresh(const Change& change, bool full = false)
    {
        change(current);
        form->RefreshDisplay(full);
        snapshot.Copy(current);
    }
    void Key(WORD key)
    {
        TMessage message {WM_KEYDOWN, key, 0, 0};
        form->Dispatch(message);
    }

    Temp_Settings settings;
    St_System current {0};
    St_System snapshot {0};
    Fake_Main_Window main_window;
    std::atomic<int> camera_count {1};
    Status_IHM_SD_HD* summary = nullptr;
    std::unique_ptr<TForm_Main_HD> form;
};

} // namespace hd_page_test
