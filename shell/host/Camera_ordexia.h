#pragma once
// One camera of the main window: its polling thread, the snapshot copy of
// the camera's state (what its screens show), its SD or HD page and the
// block summary that page writes. The page that exists matches the
// snapshot's system type, except between a type change and the swap that
// follows it; in that interval every operation acts on whichever page exists.
//
// Everything runs on the user-interface thread.

#include "platform/classlib/Controls_Messages.h"
#include "platform/winapi/WinTypes.h"

#include <atomic>

class St_System;
class TForm;
class TForm_Main;
class TForm_Main_HD;
class TForm_Main_SD;
class THookHelpSystem;
class Thread_Polling_WCU;
struct Status_IHM_SD_HD;

class Camera_Ordexia {
public:
    // The thread is made suspended; it loads the camera's settings. The
    // snapshot starts as a copy of the thread's state; no page yet.
    Camera_Ordexia(TForm_Main* owner, int index, std::atomic<int>* camera_count, THookHelpSystem** help_sd,
                   THookHelpSystem** help_hd);
    // The thread and the page are gone by then.
    ~Camera_Ordexia();
    Camera_Ordexia(const Camera_Ordexia&) = delete;
    Camera_Ordexia& operator=(const Camera_Ordexia&) = delete;

    // Makes the page of the snapshot's type, then starts polling: polling
    // never starts before the camera has a page.
    void Create_Form();
    // The same after a display change, the thread running on.
    void Recreate_Form(std::atomic<int>* camera_count);
    void Delete_Form();
    // Makes the page of the snapshot's type (unless it exists) before it
    // deletes the other one.
    void Swap_Form();
    // With a page left: asks the thread to stop (once) and answers false.
    // Without: lets the snapshot go and answers true.
    bool Try_Release();
    // After the thread has ended: deletes it, then the page.
    void Delete_Thread_And_Form();

    void Resume_Polling();
    void Suspend_Polling();
    // 0 without a running thread.
    DWORD Get_Thread_Id() const;
    void Copy_State(const St_System& state);
    void Refresh_Form(bool full);
    void Clear_Messages();
    void Release_Shortcut_Buttons();
    void Forward_Message(TMessage& message);
    // Stores the camera number (and its registry value), then the snapshot.
    void Set_Name(int number);

    int Get_Index() const { return Index; }
    bool Is_Hd() const;
    bool Is_Sd() const { return !Is_Hd(); }
    // The page, SD or HD; null for none.
    TForm* Get_Form() const;
    TForm_Main_SD* Get_Form_SD() const { return Form_SD; }
    TForm_Main_HD* Get_Form_HD() const { return Form_HD; }
    St_System* Get_State() const { return State; }
    Status_IHM_SD_HD* Get_Summary() const { return Summary; }
    Thread_Polling_WCU* Get_Thread() const { return Thread; }

private:
    void Create_Form_Of_Type();
    void Create_Sd_Form();
    void Create_Hd_Form();
    void Delete_Sd_Form();
    void Delete_Hd_Form();
    void Delete_Existing_Form();

    int Index;
    std::atomic<int>* Camera_Count_Ref;
    THookHelpSystem** Help_SD;
    THookHelpSystem** Help_HD;
    St_System* State = nullptr;
    Thread_Polling_WCU* Thread = nullptr;
    TForm_Main_SD* Form_SD = nullptr;
    TForm_Main_HD* Form_HD = nullptr;
    Status_IHM_SD_HD* Summary = nullptr;
    TForm_Main* Owner;
};
