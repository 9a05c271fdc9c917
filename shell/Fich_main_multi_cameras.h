#pragma once
// The page shown when more than one camera is selected: the selected
// cameras side by side. For now a plain page titled "Cameras" that
// answers what the main window asks of it.
//
// Everything runs on the user-interface thread.

#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"

#include <atomic>

class St_System;
class TForm_Main;
class THookHelpSystem;
struct Status_IHM_SD_HD;

class TForm_Main_Multi_Cameras : public TForm {
public:
    // The counts and flags are the selection strip's, the help fields the
    // main window's; all outlive the page.
    TForm_Main_Multi_Cameras(TForm_Main* owner, std::atomic<int>* camera_count, int* selected_count,
                             bool* selected, THookHelpSystem** help_sd, THookHelpSystem** help_hd);

    // Places the camera views for the current selection.
    void Layout();
    // Camera summary.Camera_Index's views show its new state.
    void Update_Camera(const St_System& state, const Status_IHM_SD_HD& summary);
    void Clear_Camera_Messages(int camera_index);

    TLabel* LabelTitle = nullptr;

private:
    std::atomic<int>* Camera_Count_Ref;
    int* Selected_Count_Ref;
    bool* Selected_Ref;
    THookHelpSystem** Help_SD;
    THookHelpSystem** Help_HD;
};

extern TForm_Main_Multi_Cameras* Form_Main_Multi_Cameras;
