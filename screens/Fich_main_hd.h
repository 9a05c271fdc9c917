#pragma once
// The supervision page of one HD camera. For now a plain borderless page
// titled "HD camera" that keeps the camera's block summary and answers
// what the main window asks of every HD page.
//
// Everything runs on the user-interface thread.

#include "platform/classlib/Forms.h"
#include "platform/classlib/StdCtrls.h"

#include <atomic>
#include <memory>

class THookHelpSystem;
class St_System;
class Thread_Polling_WCU;
struct Status_IHM_SD_HD;

class TForm_Main_HD : public TForm {
public:
    // The summary is created here and its address written to summary_out;
    // it lives as long as the form. The form owns neither the snapshot,
    // the thread, the camera count nor the help object.
    TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread);
    ~TForm_Main_HD() override;

    // After each poll (full false) or when everything must be redrawn.
    void RefreshDisplay(bool full);
    void ClearStatusMessages();
    void ReleaseTitleButtons();
    // The end of the user's logon, handed on by the main window.
    void WMQueryEndSession(TMessage& Message);
    // The size of the spectrum window, for the main window's placement.
    void GetSpectrumWindowSize(POINT& size) const;
    // The spectrum tuner (0 the average, 1..3) of AMU '1' or '2', for the polling thread.
    void SendTunerChoice(int choice, char amu);

    TLabel* LabelTitle = nullptr;

private:
    St_System* Snapshot;
    Thread_Polling_WCU* Thread;
    std::atomic<int>* Camera_Count;
    THookHelpSystem** Help_Object;
    std::unique_ptr<Status_IHM_SD_HD> Summary;
};
