#include "screens/Fich_main_hd.h"

#include "link/St_system.h"
#include "link/Thread_polling_wcu.h"
#include "screens/Status_ihm_sd_hd.h"

namespace {

constexpr int Page_Width = 791;
constexpr int Page_Height = 452;
// The spectrum window's designed size.
constexpr POINT Spectrum_Window_Size {450, 300};

} // namespace

TForm_Main_HD::TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread)
    : TForm(owner), Snapshot(snapshot), Thread(thread), Camera_Count(camera_count), Help_Object(help_object),
      Summary(std::make_unique<Status_IHM_SD_HD>())
{
    SetBorderStyle(bsNone);
    SetColor(clSilver);
    SetClientWidth(Page_Width);
    SetClientHeight(Page_Height);
    LabelTitle = new TLabel(this);
    LabelTitle->SetName("LabelTitle");
    LabelTitle->SetParent(this);
    LabelTitle->Font()->SetHeight(-16);
    LabelTitle->Font()->SetStyle(TFontStyles {fsBold});
    LabelTitle->SetCaption("HD camera");
    LabelTitle->SetLeft((Page_Width - LabelTitle->Width()) / 2);
    LabelTitle->SetTop(20);
    Summary->Camera_Index = static_cast<uint32_t>(Snapshot->Camera_Index);
    Summary->Camera_Number = &Snapshot->Settings.Name;
    *summary_out = Summary.get();
}

TForm_Main_HD::~TForm_Main_HD() = default;

void TForm_Main_HD::RefreshDisplay(bool)
{
    Summary->Status_Active = Snapshot->Settings.Connected ? 1 : 0;
}

void TForm_Main_HD::ClearStatusMessages() {}

void TForm_Main_HD::ReleaseTitleButtons() {}

void TForm_Main_HD::WMQueryEndSession(TMessage& Message)
{
    TForm::Dispatch(Message);
}

void TForm_Main_HD::GetSpectrumWindowSize(POINT& size) const
{
    size = Spectrum_Window_Size;
}

void TForm_Main_HD::SendTunerChoice(int choice, char amu) { Thread->Set_Tuner_Choice(choice, amu); }
