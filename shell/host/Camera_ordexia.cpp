#include "shell/host/Camera_ordexia.h"

#include "link/St_system.h"
#include "link/Thread_polling_wcu.h"
#include "screens/Fich_main_hd.h"
#include "screens/Fich_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_main.h"

Camera_Ordexia::Camera_Ordexia(TForm_Main* owner, int index, std::atomic<int>* camera_count,
                               THookHelpSystem** help_sd, THookHelpSystem** help_hd)
    : Index(index), Camera_Count_Ref(camera_count), Help_SD(help_sd), Help_HD(help_hd), Owner(owner)
{
    Thread = new Thread_Polling_WCU(*owner, index, owner->Get_Polling_Camera_Count(), false);
    // The thread has not started: its state needs no lock yet.
    State = new St_System(*Thread->Lock_State());
}

Camera_Ordexia::~Camera_Ordexia()
{
    delete State;
}

void Camera_Ordexia::Create_Form()
{
    Create_Form_Of_Type();
    Thread->Resume();
}

void Camera_Ordexia::Recreate_Form(std::atomic<int>* camera_count)
{
    Camera_Count_Ref = camera_count;
    Create_Form_Of_Type();
}

void Camera_Ordexia::Create_Form_Of_Type()
{
    if (Is_Hd()) {
        Create_Hd_Form();
    } else {
        Create_Sd_Form();
    }
}

void Camera_Ordexia::Create_Sd_Form()
{
    Form_SD = new TForm_Main_SD(Owner, Help_SD, Camera_Count_Ref, &Summary, State, Thread);
}

void Camera_Ordexia::Create_Hd_Form()
{
    Form_HD = new TForm_Main_HD(Owner, Help_HD, Camera_Count_Ref, &Summary, State, Thread);
}

void Camera_Ordexia::Delete_Sd_Form()
{
    if (Form_SD != nullptr) {
        Form_SD->Close();
        delete Form_SD;
        Form_SD = nullptr;
    }
}

void Camera_Ordexia::Delete_Hd_Form()
{
    if (Form_HD != nullptr) {
        Form_HD->Close();
        delete Form_HD;
        Form_HD = nullptr;
    }
}

// Between a type change and its swap the snapshot's type no longer names
// the page that exists: the page is found by what exists, not by the type.
void Camera_Ordexia::Delete_Existing_Form()
{
    Delete_Sd_Form();
    Delete_Hd_Form();
    Summary = nullptr;
}

void Camera_Ordexia::Delete_Form()
{
    Delete_Existing_Form();
}

void Camera_Ordexia::Swap_Form()
{
    // The new page first: the old one still shows while the new one is built.
    if (Is_Hd()) {
        if (Form_HD == nullptr) {
            Create_Hd_Form();
        }
        Delete_Sd_Form();
    } else {
        if (Form_SD == nullptr) {
            Create_Sd_Form();
        }
        Delete_Hd_Form();
    }
}

bool Camera_Ordexia::Try_Release()
{
    if (Get_Form() != nullptr) {
        if (Thread != nullptr && !Thread->Is_Terminating()) {
            Thread->Stop();
        }
        return false;
    }
    delete State;
    State = nullptr;
    return true;
}

void Camera_Ordexia::Delete_Thread_And_Form()
{
    delete Thread;
    Thread = nullptr;
    Delete_Existing_Form();
}

void Camera_Ordexia::Resume_Polling()
{
    if (Thread != nullptr) {
        Thread->Resume_Polling();
    }
}

void Camera_Ordexia::Suspend_Polling()
{
    if (Thread != nullptr) {
        Thread->Suspend_Polling();
    }
}

DWORD Camera_Ordexia::Get_Thread_Id() const
{
    return Thread != nullptr ? Thread->Get_Thread_Id() : 0;
}

void Camera_Ordexia::Copy_State(const St_System& state)
{
    if (State != nullptr) {
        State->Copy(state);
    }
}

void Camera_Ordexia::Refresh_Form(bool full)
{
    if (Form_SD != nullptr) {
        Form_SD->RefreshDisplay(full);
    } else if (Form_HD != nullptr) {
        Form_HD->RefreshDisplay(full);
    }
}

void Camera_Ordexia::Clear_Messages()
{
    if (Form_SD != nullptr) {
        Form_SD->ClearStatusMessages();
    } else if (Form_HD != nullptr) {
        Form_HD->ClearStatusMessages();
    }
}

void Camera_Ordexia::Release_Shortcut_Buttons()
{
    if (Form_SD != nullptr) {
        Form_SD->ReleaseTitleButtons();
    } else if (Form_HD != nullptr) {
        Form_HD->ReleaseTitleButtons();
    }
}

void Camera_Ordexia::Forward_Message(TMessage& message)
{
    if (Form_SD != nullptr) {
        Form_SD->ForwardDispatch(message);
    } else if (Form_HD != nullptr) {
        Form_HD->WMQueryEndSession(message);
    }
}

void Camera_Ordexia::Set_Name(int number)
{
    if (Thread == nullptr) {
        return;
    }
    auto state = Thread->Lock_State();
    state->Settings.Set_Name(number);
    Copy_State(*state);
}

bool Camera_Ordexia::Is_Hd() const
{
    return State != nullptr && State->Type.System_Type != St_System_Type::Sd_System;
}

TForm* Camera_Ordexia::Get_Form() const
{
    if (Form_SD != nullptr) {
        return Form_SD;
    }
    return Form_HD;
}
