#pragma once
// The shell services a polling benchmark needs answered and nothing more:
// no dialogs, no pages, no windows. A benchmark says only what it does with
// each state handed over.

#include <atomic>
#include <memory>
#include <string>

#include "link/Shell_Services.h"

class Silent_Shell : public Shell_Services {
public:
    bool Is_Busy(int) override { return false; }
    bool Post_Pending_Change(int) override { return false; }
    int Find_Camera_On_Port(int, int) override { return 0; }
    std::string Get_Version_Text() override { return "2.3"; }
    int Get_Active_Page_Index() override { return -1; }
    HWND Get_Active_Form_Window() override { return nullptr; }
    HWND Get_Main_Window() override { return nullptr; }
    BOOL Post_Message(HWND, UINT, WPARAM, LPARAM) override { return TRUE; }
    int Message_Box(const std::string&, const std::string&, UINT) override { return 1; }
    std::unique_ptr<Modeless_Message_Box> Show_Message_Box(const std::string&, const std::string&, UINT,
                                                           const St_System_Settings&, const std::atomic<int>*) override
    {
        return nullptr;
    }
};
