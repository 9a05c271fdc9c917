#include "shell/host/Fich_main_multi_cameras.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/controls/Sclaboutdlg.h"
#include "components/foundations/Sclsysinfo.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_camera_view.h"
#include "shell/services/Hh.h"
#include "shell/services/Hh_funcs.h"
#include "shell/services/Main_Window_Services.h"
#include "shell/services/Screen_dpi.h"

#include <QCoreApplication>

TForm_Main_Multi_Cameras* Form_Main_Multi_Cameras = nullptr;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Lime = 0x00FF00;
constexpr int Help_Context = 1010;

TForm* Main_Form()
{
    return Main_Window ? Main_Window->Get_Main_Form() : nullptr;
}

bool Is_Title_Red(const TForm_Camera_View* view)
{
    return view && view->ShapeControlTitleCam->ShapeFill()->Gradient()->EndColor() == Red;
}

TForm_Camera_View* View_Of(const TSCLFormDisplay* display)
{
    return dynamic_cast<TForm_Camera_View*>(display->GetActiveForm());
}

} // namespace

std::string Help_Files_Missing_Text()
{
    const std::string folder = QCoreApplication::applicationDirPath().toStdString() + "/";
    return LoadStr(2017) + folder + "Wireless_Ordexia_SD_Help.chm" + "\n" + folder + "Wireless_Ordexia_HD_Help.chm";
}

TForm_Main_Multi_Cameras::TForm_Main_Multi_Cameras(TComponent* owner, std::atomic<int>* camera_count,
                                                   int* selected_count, bool* selected, THookHelpSystem** help_sd,
                                                   THookHelpSystem** help_hd)
    : TForm(owner), Camera_Count_Ref(camera_count), Selected_Count_Ref(selected_count), Selected_Ref(selected),
      Help_SD(help_sd), Help_HD(help_hd)
{
    InitInheritedComponent(this, Table());
    if (Main_Window && Main_Window->Get_Main_Sys_Info()) {
        Colour_Depth = Main_Window->Get_Main_Sys_Info()->GetColorDepth();
    }
    TSCLFormDisplay* large[4] = {SCLFormCamLargeDisplay1, SCLFormCamLargeDisplay2, SCLFormCamLargeDisplay3,
                                 SCLFormCamLargeDisplay4};
    TSCLFormDisplay* small[4] = {SCLFormCamSmallDisplay1, SCLFormCamSmallDisplay2, SCLFormCamSmallDisplay3,
                                 SCLFormCamSmallDisplay4};
    for (int i = 0; i < 4; ++i) {
        Large_Displays[i] = large[i];
        Small_Displays[i] = small[i];
    }
    for (int i = 0; i < 4; ++i) {
        Large_Displays[i]->AddFormExt(new TForm_Large_Camera(this, i, Selected_Count_Ref), true);
    }
    for (int i = 0; i < 4; ++i) {
        Small_Displays[i]->AddFormExt(new TForm_Small_Camera(this, i, Selected_Count_Ref), true);
    }
    // Hosting a view makes its display's window, shown whatever the display's
    // hidden state: showing and hiding again brings the window in line.
    for (TSCLFormDisplay* display : Large_Displays) {
        display->Show();
        display->Hide();
    }
    for (TSCLFormDisplay* display : Small_Displays) {
        display->Show();
        display->Hide();
    }
    Adapt_Form_To_Dpi(owner, this);
    Adapt_To_Colour_Depth();
    const bool high_dpi = Is_Large_Screen();
    BackPanelMain->SetListIndex(high_dpi ? 1 : 0);
    ImageLogoQuorvale->SetListIndex(high_dpi ? 8 : 7);
    SetHelpContext(Help_Context);
}

TForm_Main_Multi_Cameras::~TForm_Main_Multi_Cameras()
{
    // The form's own destructor would run OnDestroy after these fields are gone.
    OnDestroy = nullptr;
    FormDestroy(this);
    if (Form_Main_Multi_Cameras == this) {
        Form_Main_Multi_Cameras = nullptr;
    }
}

const TForm_Table& TForm_Main_Multi_Cameras::Table()
{
    using F = TForm_Main_Multi_Cameras;
    static const TForm_Table table = TForm_Table()
                                         .Field("BackPanelMain", &F::BackPanelMain)
                                         .Field("SpeedButtonClose", &F::SpeedButtonClose)
                                         .Field("SpeedButtonMinimize", &F::SpeedButtonMinimize)
                                         .Field("SpeedButtonSystem", &F::SpeedButtonSystem)
                                         .Field("SpeedButtonHelp", &F::SpeedButtonHelp)
                                         .Field("ShapeControlTitleMultiCam", &F::ShapeControlTitleMultiCam)
                                         .Field("ImageLogoQuorvale", &F::ImageLogoQuorvale)
                                         .Field("SCLFormCamLargeDisplay1", &F::SCLFormCamLargeDisplay1)
                                         .Field("SCLFormCamLargeDisplay2", &F::SCLFormCamLargeDisplay2)
                                         .Field("SCLFormCamLargeDisplay3", &F::SCLFormCamLargeDisplay3)
                                         .Field("SCLFormCamLargeDisplay4", &F::SCLFormCamLargeDisplay4)
                                         .Field("SCLFormCamSmallDisplay1", &F::SCLFormCamSmallDisplay1)
                                         .Field("SCLFormCamSmallDisplay2", &F::SCLFormCamSmallDisplay2)
                                         .Field("SCLFormCamSmallDisplay3", &F::SCLFormCamSmallDisplay3)
                                         .Field("SCLFormCamSmallDisplay4", &F::SCLFormCamSmallDisplay4)
                                         .Handler("SpeedButtonCloseClick", &F::SpeedButtonCloseClick)
                                         .Handler("SpeedButtonMinimizeClick", &F::SpeedButtonMinimizeClick)
                                         .Handler("SpeedButtonSystemClick", &F::SpeedButtonSystemClick)
                                         .Handler("SpeedButtonHelpClick", &F::SpeedButtonHelpClick)
                                         .Handler("PanelMouseDown", &F::PanelMouseDown)
                                         .Handler("PanelMouseMove", &F::PanelMouseMove)
                                         .Handler("PanelMouseUp", &F::PanelMouseUp)
                                         .Handler("FormDestroy", &F::FormDestroy);
    return table;
}

TForm_Camera_View* TForm_Main_Multi_Cameras::Large_View(int i) const
{
    return i >= 0 && i < 4 && Large_Displays[i] ? View_Of(Large_Displays[i]) : nullptr;
}

TForm_Camera_View* TForm_Main_Multi_Cameras::Small_View(int i) const
{
    return i >= 0 && i < 4 && Small_Displays[i] ? View_Of(Small_Displays[i]) : nullptr;
}

void TForm_Main_Multi_Cameras::Layout()
{
    const int selected_count = *Selected_Count_Ref;
    if (selected_count == 2 || selected_count == 3) {
        Place_Selected(selected_count);
        for (TSCLFormDisplay* display : Small_Displays) {
            display->SetVisible(false);
        }
    } else if (selected_count == 4) {
        for (int i = 0; i < 4; ++i) {
            Large_Displays[i]->SetVisible(false);
            Small_Displays[i]->SetVisible(true);
        }
    }
}

// Equal gaps between the selected large views and at both ends.
void TForm_Main_Multi_Cameras::Place_Selected(int selected_count)
{
    int placed = 0;
    for (int i = 0; i < 4; ++i) {
        TSCLFormDisplay* display = Large_Displays[i];
        display->SetVisible(Selected_Ref[i]);
        if (!Selected_Ref[i]) {
            continue;
        }
        const int w = display->Width();
        const int gap = (Width() - selected_count * w) / 4;
        ++placed;
        // Two views leave the middle gap twice as wide as the outer ones.
        const int gaps = selected_count == 2 && placed == 2 ? 3 : placed;
        display->SetLeft(gaps * gap + (placed - 1) * w);
    }
}

void TForm_Main_Multi_Cameras::Update_Camera(const St_System& state, const Status_IHM_SD_HD& summary)
{
    const int i = static_cast<int>(summary.Camera_Index);
    if (i < 0 || i > 3) {
        return;
    }
    for (TForm_Camera_View* view : {Large_View(i), Small_View(i)}) {
        if (view) {
            view->Update_Camera(&state, &summary);
        }
    }
    if (*Selected_Count_Ref == 1) {
        return;
    }
    Title_Alarm = Find_Title_Alarm();
    const TColor colour = Title_Alarm ? Red : Lime;
    if (ShapeControlTitleMultiCam->ShapeFill()->Gradient()->EndColor() != colour) {
        ShapeControlTitleMultiCam->ShapeFill()->Gradient()->SetEndColor(colour);
        ShapeControlTitleMultiCam->Brush()->SetColor(colour);
    }
}

// Only the views shown count: the small ones with four cameras, else the
// visible large ones.
bool TForm_Main_Multi_Cameras::Find_Title_Alarm() const
{
    const bool grid = *Selected_Count_Ref == 4;
    for (int i = 0; i < 4; ++i) {
        if (grid ? Is_Title_Red(Small_View(i)) : Large_Displays[i]->Visible() && Is_Title_Red(Large_View(i))) {
            return true;
        }
    }
    return false;
}

void TForm_Main_Multi_Cameras::Clear_Camera_Messages(int camera_index)
{
    for (TForm_Camera_View* view : {Large_View(camera_index), Small_View(camera_index)}) {
        if (view) {
            view->Clear_Messages();
        }
    }
}

void TForm_Main_Multi_Cameras::Adapt_To_Colour_Depth()
{
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* shape = dynamic_cast<TSCLShapeControl*>(Components(i));
        if (!shape) {
            continue;
        }
        if (Colour_Depth <= 8) {
            shape->ShapeFill()->SetFillStyle(sfBrush);
        } else {
            shape->ShapeFill()->SetFillStyle(sfGradient);
            shape->ShapeFill()->Gradient()->SetColorCount(Colour_Depth <= 16 ? 16 : 128);
        }
    }
}

void TForm_Main_Multi_Cameras::PanelMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    Drag.Start(Button, X, Y);
}

void TForm_Main_Multi_Cameras::PanelMouseMove(TObject*, TShiftState, int X, int Y)
{
    Drag.Move(X, Y);
}

void TForm_Main_Multi_Cameras::PanelMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    Drag.End();
}

void TForm_Main_Multi_Cameras::SpeedButtonCloseClick(TObject*)
{
    if (TForm* main_form = Main_Form()) {
        main_form->Close();
    }
}

void TForm_Main_Multi_Cameras::SpeedButtonMinimizeClick(TObject*)
{
    Application->Minimize();
}

void TForm_Main_Multi_Cameras::SpeedButtonSystemClick(TObject*)
{
    if (!Main_Window) {
        return;
    }
    if (TSCLAboutDlg* about = Main_Window->Get_Form_About()) {
        about->Description = LoadStr(4000) + ".";
        if (!Main_Window->Is_Busy_Global()) {
            about->Execute();
        }
    }
    Main_Window->Post_Pending_Display_Change();
}

// A loaded help file without the help library is not a missing file: each
// fault is named as it is.
void TForm_Main_Multi_Cameras::SpeedButtonHelpClick(TObject*)
{
    THookHelpSystem* loaded = nullptr;
    for (THookHelpSystem** help : {Help_SD, Help_HD}) {
        if (!loaded && help && *help) {
            loaded = *help;
        }
    }
    if (loaded && HHCtrlHandle) {
        loaded->HelpContext(Help_Context);
        return;
    }
    if (!Main_Window) {
        return;
    }
    if (!Main_Window->Is_Busy_Global()) {
        const std::string text = loaded ? LoadStr(2022) + GetPathToHHCtrlOCX() : Help_Files_Missing_Text();
        Application->MessageBox(text.c_str(), LoadStr(1000).c_str(), MB_ICONERROR);
    }
    Main_Window->Post_Pending_Display_Change();
}

void TForm_Main_Multi_Cameras::FormDestroy(TObject*)
{
    for (TSCLFormDisplay* display : Large_Displays) {
        if (display && display->GetActiveForm()) {
            display->RemoveForm(display->GetActiveForm(), true);
        }
    }
    for (TSCLFormDisplay* display : Small_Displays) {
        if (display && display->GetActiveForm()) {
            display->RemoveForm(display->GetActiveForm(), true);
        }
    }
}
