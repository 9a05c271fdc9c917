#pragma once
// The supervision page of one SD camera: a borderless synoptic of the PC,
// the RS-232 cable, the WCU with its two triax groups, the two AMUs and
// their data emitters, the frequency ranges and the status log. Five
// presenters turn each poll into the blocks, five detail windows open under
// the block titles, and the block summary tells the rest of the program
// which blocks are up and in alarm.
//
// The page reads two records: the snapshot the camera keeps (what is shown)
// and the polling thread's record (what was just polled). Everything runs on
// the user-interface thread.

#include "platform/classlib/Forms.h"

#include <atomic>

class THookHelpSystem;
class TSCLShapeButton;
class St_System;
class Thread_Polling_WCU;
struct Status_IHM_SD_HD;

class TForm_Main_SD : public TForm {
public:
    // The summary is created here and its address written to summary_out;
    // it lives until the form closes. The form owns everything but the
    // snapshot, the thread, the camera count and the help hook.
    TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                  Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread);
    ~TForm_Main_SD() override;

    // After each poll (full false) or when everything must be redrawn.
    void RefreshDisplay(bool full);
    // Fills the block summary and colours the block titles by their alarms.
    void UpdateBlockAlarms();
    void SetTitleAlarmColour(TSCLShapeButton* title, bool alarm);
    // Unpresses the WCU, AMU and DE title buttons.
    void ReleaseTitleButtons();
    void ClearStatusMessages();

    void Dispatch(TMessage& Message) override;
    // Straight to the form's own handling, past the key interception.
    void ForwardDispatch(TMessage& Message);

private:
    St_System* Snapshot;
    Thread_Polling_WCU* Thread;
    std::atomic<int>* Camera_Count;
    THookHelpSystem** Help_Hook;
    Status_IHM_SD_HD* Summary = nullptr;
};
