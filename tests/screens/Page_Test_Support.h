#pragma once
// What the SD and HD page tests share: the main window as a page sees it, a
// plain form, and a log of what the page asked of it.

#include "platform/classlib/Forms.h"
#include "shell/Main_Window_Services.h"

#include <string>
#include <vector>

namespace page_test {

class Fake_Main_Window : public Main_Window_Services {
public:
    // sd_camera: what the window answers for the kind of every camera.
    explicit Fake_Main_Window(bool sd_camera) : sd(sd_camera) { Main_Window = this; }
    ~Fake_Main_Window() override { Main_Window = nullptr; }

    TForm* Get_Main_Form() override { return &form; }
    TSCLSysInfo* Get_Main_Sys_Info() override { return nullptr; }
    TSCLAboutDlg* Get_Form_About() override { return about; }
    void Set_Camera_Count(int count) override { camera_counts.push_back(count); }
    void Set_Camera_Name(int camera_index, int number) override { names.push_back(camera_index * 100 + number); }
    void Clear_Camera_Messages(int camera_index) override { cleared.push_back(camera_index); }
    bool Is_Sd_Camera(int) override { return sd; }
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

private:
    bool sd;
};

} // namespace page_test
