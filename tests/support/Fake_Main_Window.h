#pragma once
// The main window as the camera screens and views see it: a plain form that
// stands for it, and a log of what they asked of it. It takes the place of
// the single main window for its lifetime.

#include "platform/classlib/Forms.h"
#include "platform/winapi/Message.h"
#include "shell/services/Main_Window_Services.h"

#include <string>
#include <utility>
#include <vector>

class Fake_Main_Window : public Main_Window_Services {
public:
    // sd_cameras: what the window answers for the kind of every camera.
    explicit Fake_Main_Window(bool sd_cameras = true) : sd(sd_cameras) { Main_Window = this; }
    ~Fake_Main_Window() override { Main_Window = nullptr; }

    TForm* Get_Main_Form() override { return &form; }
    TSCLSysInfo* Get_Main_Sys_Info() override { return nullptr; }
    TSCLAboutDlg* Get_Form_About() override { return about; }
    void Set_Camera_Count(int count) override { camera_counts.push_back(count); }
    void Set_Camera_Name(int camera_index, int number) override { names.push_back(camera_index * 100 + number); }
    void Clear_Camera_Messages(int camera_index) override { cleared.push_back(camera_index); }
    bool Is_Sd_Camera(int) override { return sd; }
    void Release_Shortcut_Buttons() override {}
    HWND Get_Active_Page_Window() override { return form_is_page ? form.Handle() : nullptr; }
    bool Is_Busy(int) override { return busy; }
    bool Is_Busy_Global() override { return busy; }
    bool Post_Pending_Change(int camera_index) override
    {
        pending.push_back(camera_index);
        return false;
    }
    bool Post_Pending_Display_Change() override
    {
        ++display_posts;
        return false;
    }
    std::string Get_Version_Text() override { return "2.3"; }

    // The keys posted to the form, as (key, lParam), taken off the queue.
    std::vector<std::pair<WPARAM, LPARAM>> Posted_Keys()
    {
        std::vector<std::pair<WPARAM, LPARAM>> keys;
        MSG message;
        while (PeekMessageA(&message, form.Handle(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE)) {
            keys.emplace_back(message.wParam, message.lParam);
        }
        return keys;
    }

    TForm form {nullptr};
    TSCLAboutDlg* about = nullptr;
    bool sd;
    bool busy = false;
    // The form is the page shown, so tool windows hand it their keys.
    bool form_is_page = false;
    std::vector<int> camera_counts;
    std::vector<int> names;
    std::vector<int> cleared;
    std::vector<int> pending;
    int display_posts = 0;
};
