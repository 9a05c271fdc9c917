#include "screens/Fich_main_sd.h"

#include "screens/Status_ihm_sd_hd.h"

TForm_Main_SD::TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread)
    : TForm(owner), Snapshot(snapshot), Thread(thread), Camera_Count(camera_count), Help_Hook(help_hook)
{
    Summary = new Status_IHM_SD_HD;
    if (summary_out) {
        *summary_out = Summary;
    }
}

TForm_Main_SD::~TForm_Main_SD()
{
    delete Summary;
}

void TForm_Main_SD::RefreshDisplay(bool)
{
    UpdateBlockAlarms();
}

void TForm_Main_SD::UpdateBlockAlarms() {}

void TForm_Main_SD::SetTitleAlarmColour(TSCLShapeButton*, bool) {}

void TForm_Main_SD::ReleaseTitleButtons() {}

void TForm_Main_SD::ClearStatusMessages() {}

void TForm_Main_SD::Dispatch(TMessage& Message)
{
    TForm::Dispatch(Message);
}

void TForm_Main_SD::ForwardDispatch(TMessage& Message)
{
    TForm::Dispatch(Message);
}
