#include "screens/Status_ihm_main_sd_hd.h"

#include "components/controls/SCLShapeControl.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Block_paint.h"
#include "screens/Status_ihm_main_hd.h"
#include "screens/Status_ihm_main_sd.h"

template <class Presenter, class Page_Sources>
Status_IHM_Main_SD_HD<Presenter, Page_Sources>::Status_IHM_Main_SD_HD(St_System* previous, St_System* current,
                                                                      const std::atomic<int>* camera_count,
                                                                      const char* banner_text, Sources sources)
    : S(std::move(sources)), Message_List(std::make_unique<TStringList>()), Settings_Previous(&previous->Settings),
      Settings_Current(&current->Settings), Camera_Count(camera_count), Banner_Text(banner_text)
{
    SetActive(false);
}

template <class Presenter, class Page_Sources>
Status_IHM_Main_SD_HD<Presenter, Page_Sources>::~Status_IHM_Main_SD_HD() = default;

template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::Update(bool full)
{
    if (full) {
        UpdateTitle();
    }
    Message_List->Clear();
    const bool connected = Settings_Current->Is_Connected();
    if (!full && connected == Settings_Previous->Is_Connected()) {
        if (connected) {
            UpdateAlarmAndMessages();
        }
        return;
    }
    SetActive(connected);
    UpdateAlarmAndMessages();
}

template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::SetActive(bool on)
{
    Active = on;
    S.MemoStatus->Font()->SetColor(on ? Black_Colour : Grey_Colour);
}

template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::UpdateAlarmAndMessages()
{
    Alarm = static_cast<const Presenter&>(*this).Any_Block_Alarm();
    Show_Alarm_On_Banner();
    Log_Lines();
}

// The banner turns red once per change to alarm, and beeps then only.
template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::Show_Alarm_On_Banner()
{
    TSCLShapeControl* banner = S.ShapeControlAppliTitle;
    const TColor target = Alarm ? Alarm_Colour : Good_Colour;
    if (banner->ShapeFill()->Gradient()->EndColor() == target) {
        return;
    }
    banner->ShapeFill()->Gradient()->SetEndColor(target);
    banner->Brush()->SetColor(target);
    if (Alarm && Settings_Current->Is_Alarm_Sound()) {
        MessageBeep(0xFFFFFFFF);
    }
}

// One time stamp heads the lines of a refresh, unless the log's last
// stamp already shows the current second.
template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::Log_Lines()
{
    bool stamped = log_stamp.Shows_Now();
    static_cast<Presenter&>(*this).Log_Events(stamped);
    log_stamp.Logged(*Message_List);
    for (int i = 0; i < Message_List->Count(); ++i) {
        S.MemoStatus->Lines()->Add(Message_List->Strings(i));
    }
}

template <class Presenter, class Page_Sources>
void Status_IHM_Main_SD_HD<Presenter, Page_Sources>::UpdateTitle()
{
    TSCLShapeControl* banner = S.ShapeControlAppliTitle;
    if (*Camera_Count == 1) {
        banner->Caption()->SetCaption(Banner_Text);
        banner->SetPopupMenu(nullptr);
        banner->SetHint(std::string());
        return;
    }
    const int number = Settings_Current->Name;
    banner->Caption()->SetCaption(std::string(Banner_Text) + " - CAM " + std::to_string(number));
    banner->SetPopupMenu(S.PopupCamName);
    if (S.Check_Camera_Name) {
        S.Check_Camera_Name(number);
    }
    banner->SetHint(LoadStr(3099));
}

template class Status_IHM_Main_SD_HD<Status_IHM_Main_SD, Status_Sd_Sources>;
template class Status_IHM_Main_SD_HD<Status_IHM_Main_HD, Status_Hd_Sources>;
