#include "shell/Fich_main_multi_cameras.h"

#include "shell/Fich_main.h"

TForm_Main_Multi_Cameras* Form_Main_Multi_Cameras = nullptr;

namespace {

constexpr int Page_Width = 791;
constexpr int Page_Height = 452;

} // namespace

TForm_Main_Multi_Cameras::TForm_Main_Multi_Cameras(TForm_Main* owner, std::atomic<int>* camera_count,
                                                   int* selected_count, bool* selected, THookHelpSystem** help_sd,
                                                   THookHelpSystem** help_hd)
    : TForm(owner), Camera_Count_Ref(camera_count), Selected_Count_Ref(selected_count), Selected_Ref(selected),
      Help_SD(help_sd), Help_HD(help_hd)
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
    LabelTitle->SetCaption("Cameras");
    LabelTitle->SetLeft((Page_Width - LabelTitle->Width()) / 2);
    LabelTitle->SetTop(20);
}

void TForm_Main_Multi_Cameras::Layout() {}

void TForm_Main_Multi_Cameras::Update_Camera(const St_System&, const Status_IHM_SD_HD&) {}

void TForm_Main_Multi_Cameras::Clear_Camera_Messages(int) {}
