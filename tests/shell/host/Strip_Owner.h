#pragma once
// The selection strip's owner for tests: a main window with a background and
// the strip's host, which records every selection it is asked to show.

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/foundations/Sclsysinfo.h"
#include "platform/classlib/Forms.h"
#include "shell/host/Fich_cam_select.h"

#include <utility>
#include <vector>

class Strip_Owner : public Cam_Select_Owner {
public:
    Strip_Owner()
    {
        main.SetBounds(0, 0, 791, 452);
        back->SetBounds(0, 0, 791, 452);
        back->SetParent(&main);
        host->SetBounds(590, 424, 199, 26);
        host->SetParent(back);
    }
    TForm* Owner_Form() override { return &main; }
    TSCLBackPanel* Back_Panel() override { return back; }
    TSCLSysInfo* Sys_Info() override { return sys_info; }
    void Show_Selection(int count, const bool selected[4]) override
    {
        shown.push_back({count, {selected[0], selected[1], selected[2], selected[3]}});
    }
    void Set_Camera_Name(int, int) override {}

    // How many cameras are shown, and which.
    using Selection = std::pair<int, std::vector<bool>>;
    TForm main {nullptr};
    TSCLBackPanel* back = new TSCLBackPanel(&main);
    TSCLFormDisplay* host = new TSCLFormDisplay(&main);
    TSCLSysInfo* sys_info = new TSCLSysInfo(&main);
    std::vector<Selection> shown;
};
