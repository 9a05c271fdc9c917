#include "screens/Fich_main_hd.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSimplePanel.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/controls/Sclaboutdlg.h"
#include "components/controls/Sclanictrl.h"
#include "components/foundations/Sclcont.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/Resources.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "screens/Amu_ihm_main_hd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_hd.h"
#include "screens/Detail_window.h"
#include "screens/Fich_amu_hd.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "screens/Fich_de_hd.h"
#include "screens/Fich_wca_hd.h"
#include "screens/Fich_wcu_hd.h"
#include "screens/Hd_fields.h"
#include "screens/Pc_ihm_main_hd.h"
#include "screens/Status_ihm_main_hd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "screens/Title_button.h"
#include "screens/Wca_ihm_main_hd.h"
#include "screens/Wcu_ihm_main_hd.h"
#include "shell/Hh.h"
#include "shell/Hh_funcs.h"
#include "shell/Main_Window_Services.h"
#include "shell/Menu_camera_name.h"
#include "shell/Screen_dpi.h"

#include <QCoreApplication>

namespace {

// Colour depths: up to this many bits per pixel the page draws plain fills.
constexpr int Few_Colours = 8;
constexpr int Medium_Colours = 16;

TForm* Main_Form()
{
    return Main_Window ? Main_Window->Get_Main_Form() : nullptr;
}

int Main_Left()
{
    TForm* form = Main_Form();
    return form ? form->Left() : 0;
}

int Main_Top()
{
    TForm* form = Main_Form();
    return form ? form->Top() : 0;
}

template <class T>
void Free(T*& owned)
{
    delete owned;
    owned = nullptr;
}

bool Ctrl_Up()
{
    return GetKeyState(VK_CONTROL) >= 0;
}

} // namespace

TForm_Main_HD::TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread)
    : TForm_Main_HD(owner, help_object, camera_count, summary_out, snapshot, thread, &*thread->Lock_State())
{
}

TForm_Main_HD::TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, St_System* current)
    : TForm_Main_HD(owner, help_object, camera_count, summary_out, snapshot, nullptr, current)
{
}

TForm_Main_HD::TForm_Main_HD(TComponent* owner, THookHelpSystem** help_object, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                             St_System* current)
    : TForm(owner), Snapshot(snapshot), Current(current), Thread(thread), Camera_Count(camera_count),
      Help_Object(help_object)
{
    InitInheritedComponent(this, Table());
    Find_Blocks();
    TSCLSysInfo* sys_info = Main_Window ? Main_Window->Get_Main_Sys_Info() : nullptr;
    Colour_Depth = sys_info ? sys_info->GetColorDepth() : 32;
    Adapt_Form_To_Dpi(owner, this);
    Apply_Colour_Depth();
    Camera_Name_Menu = new Menu_Camera_Name(this, MenuCamName, [this](TObject* sender) { MenuNameClick(sender); });
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
    Create_Windows(owner);
    if (Thread) {
        Frame_Recorder = new PC_WCU_File_HD(*Thread, *Current, *MemoStatus, *SaveDialogFichierStatus, Camera_Count);
    }
    Set_Help_Contexts();
    Create_Presenters();
    Summary = new Status_IHM_SD_HD;
    Summary->Camera_Index = static_cast<uint32_t>(Camera_Index());
    Summary->Camera_Number = &Snapshot->Settings.Name;
    Summary->Messages = Status_Presenter->Messages();
    if (summary_out) {
        *summary_out = Summary;
    }
}

TForm_Main_HD::~TForm_Main_HD()
{
    Free_All();
}

const TForm_Table& TForm_Main_HD::Table()
{
    using F = TForm_Main_HD;
    static const TForm_Table table =
        TForm_Table()
            .Field("PopupMenuPC", &F::PopupMenuPC)
            .Field("MenuCom", &F::MenuCom)
            .Field("MenuCamerasCount", &F::MenuCamerasCount)
            .Field("MenuSound", &F::MenuSound)
            .Field("MenuStatusRecord", &F::MenuStatusRecord)
            .Field("PopupMenuAlarmBattery", &F::PopupMenuAlarmBattery)
            .Field("MenuAlarmBatThreshold", &F::MenuAlarmBatThreshold)
            .Field("PopupMenuMemoStatus", &F::PopupMenuMemoStatus)
            .Field("SelectallMemoMessages", &F::SelectallMemoMessages)
            .Field("CopyMemoMessages", &F::CopyMemoMessages)
            .Field("SaveMemoAllMessages", &F::SaveMemoAllMessages)
            .Field("ClearMemoAllMessages", &F::ClearMemoAllMessages)
            .Field("PopupCamName", &F::PopupCamName)
            .Field("MenuCamName", &F::MenuCamName)
            .Field("SaveDialogFichierStatus", &F::SaveDialogFichierStatus)
            .Field("SpeedButtonSystem", &F::SpeedButtonSystem)
            .Field("SpeedButtonHelp", &F::SpeedButtonHelp)
            .Field("SpeedButtonMinimize", &F::SpeedButtonMinimize)
            .Field("SpeedButtonClose", &F::SpeedButtonClose)
            .Field("ShapeControlAppliTitle", &F::ShapeControlAppliTitle)
            .Field("BackPanelMain", &F::BackPanelMain)
            .Field("ImageCamera", &F::ImageCamera)
            .Field("ImageLogoQuorvale", &F::ImageLogoQuorvale)
            .Field("ShapeControlPlug1Triax1", &F::ShapeControlPlug1Triax1)
            .Field("ShapeControlTriax1", &F::ShapeControlTriax1)
            .Field("ShapeControlPlug2Triax1", &F::ShapeControlPlug2Triax1)
            .Field("ShapeControlPlug1Triax2", &F::ShapeControlPlug1Triax2)
            .Field("ShapeControlTriax2", &F::ShapeControlTriax2)
            .Field("ShapeControlPlug2Triax2", &F::ShapeControlPlug2Triax2)
            .Field("ShapeControlPlug1DE1", &F::ShapeControlPlug1DE1)
            .Field("ShapeControlWireDE1", &F::ShapeControlWireDE1)
            .Field("ShapeControlPlug2DE1", &F::ShapeControlPlug2DE1)
            .Field("ShapeControlPlug1DE2", &F::ShapeControlPlug1DE2)
            .Field("ShapeControlWireDE2", &F::ShapeControlWireDE2)
            .Field("ShapeControlPlug2DE2", &F::ShapeControlPlug2DE2)
            .Field("ShapeControl1Ant1", &F::ShapeControl1Ant1)
            .Field("ShapeControl2Ant1", &F::ShapeControl2Ant1)
            .Field("ShapeControl3Ant1", &F::ShapeControl3Ant1)
            .Field("ShapeControl1Ant2", &F::ShapeControl1Ant2)
            .Field("ShapeControl2Ant2", &F::ShapeControl2Ant2)
            .Field("ShapeControl3Ant2", &F::ShapeControl3Ant2)
            .Field("ShapeControlPlugPCRS232", &F::ShapeControlPlugPCRS232)
            .Field("ShapeControlPlug1RS232", &F::ShapeControlPlug1RS232)
            .Field("ShapeControlRS232", &F::ShapeControlRS232)
            .Field("ShapeControlPlug2RS232", &F::ShapeControlPlug2RS232)
            .Field("ShapeButtonWCUTitle", &F::ShapeButtonWCUTitle)
            .Field("ShapeButtonAMU1Title", &F::ShapeButtonAMU1Title)
            .Field("ShapeButtonAMU2Title", &F::ShapeButtonAMU2Title)
            .Field("ShapeButtonDE1Title", &F::ShapeButtonDE1Title)
            .Field("ShapeButtonDE2Title", &F::ShapeButtonDE2Title)
            .Field("ShapeButtonWCATitle", &F::ShapeButtonWCATitle)
            .Field("ShapeButtonPCTitle", &F::ShapeButtonPCTitle)
            .Field("GroupBoxPC", &F::GroupBoxPC)
            .Field("LabelPCWCULink", &F::LabelPCWCULink)
            .Field("ImageStatusRecord", &F::ImageStatusRecord)
            .Field("ImagePCWCULink", &F::ImagePCWCULink)
            .Field("PanelFillAniCamera", &F::PanelFillAniCamera)
            .Field("AniCamera", &F::AniCamera)
            .Field("GroupBoxWCU", &F::GroupBoxWCU)
            .Field("LabelControlData", &F::LabelControlData)
            .Field("DrawEdge1AMU1", &F::DrawEdge1AMU1)
            .Field("DrawEdge1AMU2", &F::DrawEdge1AMU2)
            .Field("LabelVQOS", &F::LabelVQOS)
            .Field("ProgressVQOS", &F::ProgressVQOS)
            .Field("LabelFreeze", &F::LabelFreeze)
            .Field("ProgressDQOS", &F::ProgressDQOS)
            .Field("LabelDQOS", &F::LabelDQOS)
            .Field("ShapeControlPlugWCUTriax1", &F::ShapeControlPlugWCUTriax1)
            .Field("ShapeControlPlugWCUTriax2", &F::ShapeControlPlugWCUTriax2)
            .Field("ShapeControlPlugWCURS232", &F::ShapeControlPlugWCURS232)
            .Field("ImageCamWcuLock", &F::ImageCamWcuLock)
            .Field("LabelCamWCULock", &F::LabelCamWCULock)
            .Field("ImageDataActivity", &F::ImageDataActivity)
            .Field("LabelVideoFreq", &F::LabelVideoFreq)
            .Field("LabelVideoFreqVal", &F::LabelVideoFreqVal)
            .Field("LabelDataFreq", &F::LabelDataFreq)
            .Field("LabelDataFreqVal", &F::LabelDataFreqVal)
            .Field("ImageStudioGenlock", &F::ImageStudioGenlock)
            .Field("LabelStudioGenlock", &F::LabelStudioGenlock)
            .Field("GroupTriax1", &F::GroupTriax1)
            .Field("LabelAMU1Power", &F::LabelAMU1Power)
            .Field("ImageAMU1Power", &F::ImageAMU1Power)
            .Field("LabelAMU1Control", &F::LabelAMU1Control)
            .Field("ImageAMU1Status", &F::ImageAMU1Status)
            .Field("LabelAMU1Video", &F::LabelAMU1Video)
            .Field("ImageTriax1In", &F::ImageTriax1In)
            .Field("GroupTriax2", &F::GroupTriax2)
            .Field("LabelAMU2Power", &F::LabelAMU2Power)
            .Field("ImageAMU2Power", &F::ImageAMU2Power)
            .Field("LabelAMU2Control", &F::LabelAMU2Control)
            .Field("ImageAMU2Status", &F::ImageAMU2Status)
            .Field("LabelAMU2Video", &F::LabelAMU2Video)
            .Field("ImageTriax2In", &F::ImageTriax2In)
            .Field("ShapeWCATally", &F::ShapeWCATally)
            .Field("PanelBackFillBattery", &F::PanelBackFillBattery)
            .Field("GroupStatus", &F::GroupStatus)
            .Field("SimplePanelStatus", &F::SimplePanelStatus)
            .Field("MemoStatus", &F::MemoStatus)
            .Handler("FormActivate", &F::FormActivate)
            .Handler("FormClose", &F::FormClose)
            .Handler("FormKeyDown", &F::FormKeyDown)
            .Handler("PanelMouseDown", &F::PanelMouseDown)
            .Handler("PanelMouseMove", &F::PanelMouseMove)
            .Handler("PanelMouseUp", &F::PanelMouseUp)
            .Handler("ShapeButtonTitleClick", &F::ShapeButtonTitleClick)
            .Handler("ShapeButtonTitleMouseMove", &F::ShapeButtonTitleMouseMove)
            .Handler("ShapeButtonTitleMouseUp", &F::ShapeButtonTitleMouseUp)
            .Handler("PopupMenuPCPopup", &F::PopupMenuPCPopup)
            .Handler("MenuComClick", &F::MenuComClick)
            .Handler("MenuCamerasCountClick", &F::MenuCamerasCountClick)
            .Handler("MenuSoundClick", &F::MenuSoundClick)
            .Handler("MenuAlarmBatThresholdClick", &F::MenuAlarmBatThresholdClick)
            .Handler("ImageStatusRecordClick", &F::ImageStatusRecordClick)
            .Handler("PopupMenuMemoStatusPopup", &F::PopupMenuMemoStatusPopup)
            .Handler("SelectallMemoMessagesClick", &F::SelectallMemoMessagesClick)
            .Handler("CopyMemoMessagesClick", &F::CopyMemoMessagesClick)
            .Handler("SaveMemoAllMessagesClick", &F::SaveMemoAllMessagesClick)
            .Handler("ClearMemoAllMessagesClick", &F::ClearMemoAllMessagesClick)
            .Handler("ProgressVQOSGetColor", &F::ProgressVQOSGetColor)
            .Handler("SpeedButtonSystemClick", &F::SpeedButtonSystemClick)
            .Handler("SpeedButtonHelpClick", &F::SpeedButtonHelpClick)
            .Handler("SpeedButtonMinimizeClick", &F::SpeedButtonMinimizeClick)
            .Handler("SpeedButtonCloseClick", &F::SpeedButtonCloseClick);
    return table;
}

// The AMU and data-emitter blocks share their layouts: their components
// differ by the block's name only.
void TForm_Main_HD::Find_Blocks()
{
    auto as = [this](auto*& field, const std::string& name) {
        TComponent* component = FindComponent(name);
        if (!component) {
            throw EReadError("TForm_Main_HD: no component " + name);
        }
        field = dynamic_cast<std::remove_reference_t<decltype(field)>>(component);
        if (!field) {
            throw EReadError("TForm_Main_HD: " + name + " is of another class");
        }
    };
    for (auto [block, n] : {std::pair {&AMU1, '1'}, std::pair {&AMU2, '2'}}) {
        const std::string amu = std::string("AMU") + n;
        as(block->GroupBox, "GroupBox" + amu);
        as(block->LabelCell, "Label" + amu + "Cell");
        as(block->LEDCell, "LED" + amu + "Cell");
        as(block->PlugTriax, "ShapeControlPlug" + amu + "Triax" + n);
        as(block->PlugDE, "ShapeControlPlug" + amu + "DE" + n);
        as(block->Title, "ShapeButton" + amu + "Title");
        as(block->ProgressRSSI, "Progress" + amu + "RSSI");
        as(block->LabelRSSI, "Label" + amu + "RSSI");
        as(block->GroupTuners, "Group" + amu + "Tuners");
        as(block->LabelLock, "Label" + amu + "Lock");
        as(block->LabelError, "Label" + amu + "Error");
        as(block->LabelAntenna1, "Label" + amu + "Antenna1");
        as(block->LabelAntenna2, "Label" + amu + "Antenna2");
        as(block->LabelAntenna3, "Label" + amu + "Antenna3");
        as(block->ImageLock1, "ImageLock" + amu + "Ant1");
        as(block->ImageLock2, "ImageLock" + amu + "Ant2");
        as(block->ImageLock3, "ImageLock" + amu + "Ant3");
        as(block->ImageAllUnlockedTuner, "ImageAllUnlockedTuner" + amu);
        as(block->LabelAllUnlockedTuner, "LabelAllUnlockedTuner" + amu);
        as(block->ImageErrorRsFlag, "ImageErrorRsFlag" + amu);
        as(block->LabelErrorRsFlag, "LabelErrorRsFlag" + amu);
        as(block->ImageProfileMismatch, "ImageProfileMismatch" + amu);
        as(block->LabelProfileMismatch, "LabelProfileMismatch" + amu);
    }
    for (auto [block, n] : {std::pair {&DE1, '1'}, std::pair {&DE2, '2'}}) {
        const std::string de = std::string("DE") + n;
        as(block->GroupBox, "GroupBox" + de);
        as(block->ImageTxEna, "Image" + de + "TxEna");
        as(block->LabelTxEna, "Label" + de + "TxEna");
        as(block->PlugAMU, "ShapeControlPlug" + de + "AMU" + n);
        as(block->PlugAnt, "ShapeControlPlug" + de + "Ant" + n);
        block->Title = n == '1' ? ShapeButtonDE1Title : ShapeButtonDE2Title;
    }
    for (std::size_t i = 0; i < PanelFillBattery.size(); ++i) {
        as(PanelFillBattery[i], "PanelFillBattery" + std::to_string(i + 1));
    }
}

// Fewer colours: plain brushes instead of gradients, thinner bevels, no
// picture behind the link animation and an opaque camera.
void TForm_Main_HD::Apply_Colour_Depth()
{
    const bool rich = Colour_Depth > Few_Colours;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (component == ShapeControlAppliTitle) {
            ShapeControlAppliTitle->ShapeFill()->SetFillStyle(rich ? sfGradient : sfBrush);
            if (rich) {
                ShapeControlAppliTitle->ShapeFill()->Gradient()->SetColorCount(Colour_Depth > Medium_Colours ? 128 : 16);
            }
        } else if (auto* shape = dynamic_cast<TSCLShapeControl*>(component)) {
            shape->ShapeFill()->SetFillStyle(rich ? sfGradient : sfBrush);
            shape->Bevel()->SetWidth(rich ? 0 : 1);
        } else if (auto* button = dynamic_cast<TSCLShapeButton*>(component)) {
            button->ShapeFill()->SetFillStyle(rich ? sfGradient : sfBrush);
            button->Shape()->Bevel()->SetWidth(rich ? 2 : 1);
        }
    }
    if (!rich) {
        PanelFillAniCamera->SetImageList(nullptr);
    }
    AniCamera->SetForceTransparent(rich);
    AniCamera->SetTransparent(rich);
    const int dpi = Get_Screen_Dpi();
    const bool opaque_camera = !rich && (dpi == 96 || dpi == 120);
    ImageCamera->SetForceTransparent(!opaque_camera);
    ImageCamera->SetTransparent(!opaque_camera);
}

void TForm_Main_HD::Create_Windows(TComponent* owner)
{
    TSCLCustomImageList* list = SCLContainer ? SCLContainer->BitmapList() : nullptr;
    WCU_Window = new TForm_WCU_HD(this, list, ShapeButtonWCUTitle, Current, Snapshot);
    Adapt_Form_To_Dpi(owner, WCU_Window);
    const std::tuple<TForm_AMU_HD_Spectrum**, TForm_AMU_HD**, TSCLShapeButton*, char> amus[] = {
        {&AMU1_Spectrum, &AMU1_Window, AMU1.Title, '1'}, {&AMU2_Spectrum, &AMU2_Window, AMU2.Title, '2'}};
    for (auto [spectrum, window, title, amu] : amus) {
        *spectrum = new TForm_AMU_HD_Spectrum(this, Snapshot, Current, amu, Colour_Depth, Camera_Count);
        Adapt_Form_To_Dpi(owner, *spectrum);
        *window = new TForm_AMU_HD(this, *spectrum, list, title, amu, Current, Snapshot);
        Adapt_Form_To_Dpi(owner, *window);
    }
    DE1_Window = new TForm_DE_HD(this, list, DE1.Title, '1', Current, Snapshot);
    Adapt_Form_To_Dpi(owner, DE1_Window);
    DE2_Window = new TForm_DE_HD(this, list, DE2.Title, '2', Current, Snapshot);
    Adapt_Form_To_Dpi(owner, DE2_Window);
    WCA_Window = new TForm_WCA_HD(this, list, ShapeButtonWCATitle, Current, Snapshot);
    Adapt_Form_To_Dpi(owner, WCA_Window);
    for (Detail_Window* window : std::initializer_list<Detail_Window*> {WCU_Window, AMU1_Window, AMU2_Window,
                                                                        DE1_Window, DE2_Window, WCA_Window}) {
        window->SetCaption(Application->Title());
    }
}

bool TForm_Main_HD::Window_Alarm(const Detail_Window* window)
{
    return window && window->HasAlarm();
}

void TForm_Main_HD::Set_Help_Contexts()
{
    SetHelpContext(1000);
    for (TPopupMenu* menu : {PopupMenuPC, PopupMenuMemoStatus, PopupCamName}) {
        menu->Items()->SetHelpContext(1001);
    }
    MemoStatus->SetHelpContext(1001);
    PopupMenuAlarmBattery->Items()->SetHelpContext(1005);
    const std::pair<Detail_Window*, int> windows[] = {{WCU_Window, 1002}, {AMU1_Window, 1003}, {AMU2_Window, 1003},
                                                      {DE1_Window, 1004}, {DE2_Window, 1004}, {WCA_Window, 1005}};
    for (auto [window, context] : windows) {
        window->SetHelpContext(context);
    }
    for (TForm_AMU_HD_Spectrum* spectrum : {AMU1_Spectrum, AMU2_Spectrum}) {
        spectrum->SetHelpContext(1006);
        if (spectrum->ComboBoxTuner) {
            spectrum->ComboBoxTuner->SetHelpContext(1006);
        }
    }
}

void TForm_Main_HD::Create_Presenters()
{
    PC_Presenter = new PC_IHM_Main_HD(Snapshot, Current, Colour_Depth, Camera_Count, Frame_Recorder,
                                      {MenuAlarmBatThreshold, PanelFillAniCamera, AniCamera, GroupBoxPC,
                                       ShapeButtonPCTitle, MenuCom, MenuCamerasCount, MenuSound, MenuStatusRecord,
                                       LabelPCWCULink, ImageStatusRecord, ImagePCWCULink, BackPanelMain,
                                       ImageLogoQuorvale});
    Create_Block_Presenters();
    Create_Status_Presenter();
}

void TForm_Main_HD::Create_Block_Presenters()
{
    WCU_Presenter = new WCU_IHM_Main_HD(
        Snapshot, Current,
        {GroupBoxWCU,         GroupTriax1,          GroupTriax2,          LabelControlData,
         LabelVQOS,           LabelDQOS,            LabelCamWCULock,      LabelStudioGenlock,
         LabelAMU1Power,      LabelAMU1Video,       LabelAMU1Control,     LabelAMU2Power,
         LabelAMU2Video,      LabelAMU2Control,     LabelVideoFreq,       LabelVideoFreqVal,
         LabelDataFreq,       LabelDataFreqVal,     ShapeButtonWCUTitle,  ShapeControlRS232,
         ShapeControlPlug1RS232, ShapeControlPlug2RS232, ShapeControlTriax1, ShapeControlPlug1Triax1,
         ShapeControlPlug2Triax1, ShapeControlTriax2, ShapeControlPlug1Triax2, ShapeControlPlug2Triax2,
         LabelFreeze,         ProgressVQOS,         ProgressDQOS,         ImageAMU1Power,
         ImageAMU1Status,     ImageTriax1In,        ImageAMU2Power,       ImageAMU2Status,
         ImageTriax2In,       ImageCamWcuLock,      ImageStudioGenlock,   ImageDataActivity});
    auto amu_widgets = [](const Amu_Block& b, TSCLShapeControl* wire, TSCLShapeControl* plug1,
                          TSCLShapeControl* plug2) {
        return AMU_IHM_Main_HD::Widgets {
            b.GroupBox,          b.GroupTuners,          b.LabelCell,           b.LabelRSSI,
            b.LabelLock,         b.LabelError,           b.LabelAntenna1,       b.LabelAntenna2,
            b.LabelAntenna3,     b.LabelAllUnlockedTuner, b.LabelErrorRsFlag,   b.LabelProfileMismatch,
            b.Title,             b.ImageLock1,           b.ImageLock2,          b.ImageLock3,
            b.ImageAllUnlockedTuner, b.ImageErrorRsFlag, b.ImageProfileMismatch, b.LEDCell,
            b.ProgressRSSI,      wire,                   plug1,                 plug2};
    };
    AMU1_Presenter = new AMU_IHM_Main_HD(
        Snapshot, Current, '1', amu_widgets(AMU1, ShapeControlWireDE1, ShapeControlPlug1DE1, ShapeControlPlug2DE1));
    AMU2_Presenter = new AMU_IHM_Main_HD(
        Snapshot, Current, '2', amu_widgets(AMU2, ShapeControlWireDE2, ShapeControlPlug1DE2, ShapeControlPlug2DE2));
    DE1_Presenter = new DE_IHM_Main_HD(Snapshot, Current, '1',
                                       {DE1.GroupBox, DE1.LabelTxEna, ShapeControl2Ant1, ShapeControl3Ant1,
                                        DE1.Title, DE1.ImageTxEna});
    DE2_Presenter = new DE_IHM_Main_HD(Snapshot, Current, '2',
                                       {DE2.GroupBox, DE2.LabelTxEna, ShapeControl2Ant2, ShapeControl3Ant2,
                                        DE2.Title, DE2.ImageTxEna});
    WCA_Presenter = new WCA_IHM_Main_HD(Snapshot, Current, Colour_Depth, Get_Screen_Dpi(),
                                        {ImageCamera, PanelBackFillBattery, PanelFillBattery[4], PanelFillBattery[3],
                                         PanelFillBattery[2], PanelFillBattery[1], PanelFillBattery[0], ShapeWCATally,
                                         ShapeButtonWCATitle, SpeedButtonMinimize, SpeedButtonClose});
}

void TForm_Main_HD::Create_Status_Presenter()
{
    Status_IHM_Main_HD::Sources sources;
    sources.PC = PC_Presenter;
    sources.Block_Alarms = {
        [p = WCU_Presenter] { return p->HasAlarm(); },  [p = AMU1_Presenter] { return p->HasAlarm(); },
        [p = AMU2_Presenter] { return p->HasAlarm(); }, [p = DE1_Presenter] { return p->HasAlarm(); },
        [p = DE2_Presenter] { return p->HasAlarm(); },  [p = WCA_Presenter] { return p->HasAlarm(); },
        [w = WCU_Window] { return Window_Alarm(w); },   [w = AMU1_Window] { return Window_Alarm(w); },
        [w = AMU2_Window] { return Window_Alarm(w); },  [w = DE1_Window] { return Window_Alarm(w); },
        [w = DE2_Window] { return Window_Alarm(w); },   [w = WCA_Window] { return Window_Alarm(w); }};
    sources.ShapeControlAppliTitle = ShapeControlAppliTitle;
    sources.PopupCamName = PopupCamName;
    sources.Check_Camera_Name = [menu = Camera_Name_Menu](int number) { menu->Check(number); };
    sources.MemoStatus = MemoStatus;
    Status_Presenter = new Status_IHM_Main_HD(Snapshot, Current, Camera_Count, std::move(sources));
}

// In the order the page's closing frees them: a running recording ends
// with its trailer first, then the summary and the status, which read the
// others.
void TForm_Main_HD::Free_All()
{
    if (Frame_Recorder && Frame_Recorder->Is_Recording()) {
        Frame_Recorder->Stop_Recording(false);
    }
    Free(Summary);
    Free(Status_Presenter);
    Free(WCU_Window);
    Free(AMU1_Window);
    Free(AMU2_Window);
    Free(AMU1_Spectrum);
    Free(AMU2_Spectrum);
    Free(DE1_Window);
    Free(DE2_Window);
    Free(WCA_Window);
    Free(Frame_Recorder);
    Free(PC_Presenter);
    Free(WCU_Presenter);
    Free(AMU1_Presenter);
    Free(AMU2_Presenter);
    Free(DE1_Presenter);
    Free(DE2_Presenter);
    Free(WCA_Presenter);
    Free(Camera_Name_Menu);
}

int TForm_Main_HD::Camera_Index() const
{
    return Snapshot->Camera_Index;
}

void TForm_Main_HD::RefreshDisplay(bool full)
{
    if (Frame_Recorder) {
        Frame_Recorder->Record_Frame();
    }
    if (PC_Presenter) {
        PC_Presenter->Update(full);
    }
    if (WCU_Presenter) {
        WCU_Presenter->Update(full);
        WCU_Window->RefreshDisplay(WCU_Presenter->IsActive());
    }
    const std::tuple<AMU_IHM_Main_HD*, TForm_AMU_HD*, TForm_AMU_HD_Spectrum*> amus[] = {
        {AMU1_Presenter, AMU1_Window, AMU1_Spectrum}, {AMU2_Presenter, AMU2_Window, AMU2_Spectrum}};
    for (auto [amu, window, spectrum] : amus) {
        if (amu) {
            amu->Update(full);
            window->RefreshDisplay(amu->IsActive());
            spectrum->RefreshDisplay(full);
        }
    }
    const std::pair<DE_IHM_Main_HD*, TForm_DE_HD*> des[] = {{DE1_Presenter, DE1_Window}, {DE2_Presenter, DE2_Window}};
    for (auto [de, window] : des) {
        if (de) {
            de->Update(full);
            window->RefreshDisplay(de->IsActive());
        }
    }
    if (WCA_Presenter) {
        WCA_Presenter->Update(full);
        WCA_Window->RefreshDisplay(WCA_Presenter->IsActive());
    }
    if (Status_Presenter) {
        Status_Presenter->Update(full);
    }
    UpdateBlockAlarms();
}

void TForm_Main_HD::UpdateBlockAlarms()
{
    if (!Summary) {
        return;
    }
    Status_IHM_SD_HD& s = *Summary;
    s.Status_Active = Status_Presenter && Status_Presenter->IsActive();
    s.Status_Alarm = !Status_Presenter || Status_Presenter->HasAlarm();
    s.PC_Alarm = !PC_Presenter || PC_Presenter->HasAlarm();
    SetTitleAlarmColour(ShapeButtonPCTitle, s.PC_Alarm);

    const WCU_IHM_Main_HD* wcu = WCU_Presenter;
    s.WCU_Active = wcu && wcu->IsActive();
    s.WCU_Alarm = !wcu || wcu->HasAlarm() || Window_Alarm(WCU_Window);
    s.RS232_Visible = wcu && wcu->IsRs232CableVisible();
    s.Triax1_Visible = wcu && wcu->IsTriax1CableVisible();
    s.Triax1_Active = wcu && wcu->IsTriax1CableActive();
    s.Triax2_Visible = wcu && wcu->IsTriax2CableVisible();
    s.Triax2_Active = wcu && wcu->IsTriax2CableActive();
    if (s.WCU_Active) {
        SetTitleAlarmColour(ShapeButtonWCUTitle, s.WCU_Alarm);
    }

    struct Amu_Fields {
        const AMU_IHM_Main_HD* Presenter;
        const Detail_Window* Window;
        TSCLShapeButton* Title;
        uint8_t& Active;
        uint8_t& Frame_Active;
        uint8_t& Alarm;
        uint8_t& Wire_Visible;
        uint8_t& Wire_Active;
    };
    for (const Amu_Fields& amu :
         {Amu_Fields {AMU1_Presenter, AMU1_Window, AMU1.Title, s.AMU1_Active, s.AMU1_Frame_Active, s.AMU1_Alarm,
                      s.Wire_DE1_Visible, s.Wire_DE1_Active},
          Amu_Fields {AMU2_Presenter, AMU2_Window, AMU2.Title, s.AMU2_Active, s.AMU2_Frame_Active, s.AMU2_Alarm,
                      s.Wire_DE2_Visible, s.Wire_DE2_Active}}) {
        const AMU_IHM_Main_HD* p = amu.Presenter;
        amu.Active = p && p->IsActive();
        amu.Frame_Active = p && p->IsFrameActive();
        amu.Alarm = !p || p->HasAlarm() || Window_Alarm(amu.Window);
        amu.Wire_Visible = p && p->IsWireDEVisible();
        amu.Wire_Active = p && p->IsWireDEActive();
        if (amu.Active) {
            SetTitleAlarmColour(amu.Title, amu.Alarm);
        }
    }

    struct De_Fields {
        const DE_IHM_Main_HD* Presenter;
        const Detail_Window* Window;
        TSCLShapeButton* Title;
        uint8_t& Active;
        uint8_t& Frame_Active;
        uint8_t& Alarm;
    };
    for (const De_Fields& de : {De_Fields {DE1_Presenter, DE1_Window, DE1.Title, s.DE1_Active, s.DE1_Frame_Active,
                                           s.DE1_Alarm},
                                De_Fields {DE2_Presenter, DE2_Window, DE2.Title, s.DE2_Active, s.DE2_Frame_Active,
                                           s.DE2_Alarm}}) {
        const DE_IHM_Main_HD* p = de.Presenter;
        de.Active = p && p->IsActive();
        de.Frame_Active = p && p->IsFrameActive();
        de.Alarm = !p || p->HasAlarm() || Window_Alarm(de.Window);
        if (de.Active) {
            SetTitleAlarmColour(de.Title, de.Alarm);
        }
    }

    s.WCA_Active = WCA_Presenter && WCA_Presenter->IsActive();
    s.WCA_Alarm = !WCA_Presenter || WCA_Presenter->HasAlarm() || Window_Alarm(WCA_Window);
    if (s.WCA_Active) {
        SetTitleAlarmColour(ShapeButtonWCATitle, s.WCA_Alarm);
    }
}

void TForm_Main_HD::SetTitleAlarmColour(TSCLShapeButton* title, bool alarm)
{
    const TColor target = alarm ? Alarm_Colour : Good_Colour;
    if (Title_Colour(title) != target) {
        Set_Title_Colour(title, target);
    }
}

void TForm_Main_HD::ReleaseTitleButtons()
{
    for (TSCLShapeButton* title : {ShapeButtonWCUTitle, AMU1.Title, AMU2.Title, DE1.Title, DE2.Title,
                                   ShapeButtonWCATitle}) {
        title->SetPressed(false);
    }
}

void TForm_Main_HD::ClearStatusMessages()
{
    MemoStatus->Clear();
}

// The record item carries no action of its own: its click is the logon's
// end only. The form's close stops a running recording.
void TForm_Main_HD::WMQueryEndSession(TMessage& Message)
{
    if (MenuStatusRecord->Checked()) {
        MenuStatusRecord->Click();
    }
    TForm::Dispatch(Message);
}

void TForm_Main_HD::GetSpectrumWindowSize(POINT& size) const
{
    size = AMU1_Spectrum->GetInitialSize();
}

void TForm_Main_HD::SendTunerChoice(int choice, char amu)
{
    if (Thread) {
        Thread->Set_Tuner_Choice(choice, amu);
    }
}

void TForm_Main_HD::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) {
        KeyMessage(Message);
        return;
    }
    TForm::Dispatch(Message);
}

// The battery menu opens once per press: the key's repeats are dropped.
void TForm_Main_HD::KeyMessage(TMessage& Message)
{
    if (Message.WParam != 'B') {
        TForm::Dispatch(Message);
        return;
    }
    Drain_Key_Messages();
    const TSCLPanelFill* middle = PanelFillBattery[2];
    PopupMenuAlarmBattery->Popup(Main_Left() + middle->Left() - middle->Width(), Main_Top() + middle->Top());
}

void TForm_Main_HD::Drain_Key_Messages()
{
    MSG message;
    while (PeekMessageA(&message, Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

void TForm_Main_HD::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    switch (Key) {
    case 'W': Click_Title_From_Key(ShapeButtonWCUTitle); break;
    case 'A': Click_Title_From_Key(AMU1.Title); break;
    case 'M': Click_Title_From_Key(AMU2.Title); break;
    case 'D': Click_Title_From_Key(DE1.Title); break;
    case 'E': Click_Title_From_Key(DE2.Title); break;
    case 'C': Click_Title_From_Key(ShapeButtonWCATitle); break;
    case 'P':
        if (ShapeButtonPCTitle->Enabled() && Ctrl_Up()) {
            const LPARAM point = MAKELPARAM(static_cast<WORD>(ShapeButtonPCTitle->Left()),
                                            static_cast<WORD>(ShapeButtonPCTitle->Top()));
            PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
            PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONUP, 0, point);
        }
        break;
    case 'R':
        if (!Ctrl_Up() && MenuStatusRecord->Enabled() && Thread && Frame_Recorder) {
            Thread->Record(!MenuStatusRecord->Checked(), *Frame_Recorder);
        }
        break;
    case VK_DELETE:
        if (!MemoStatus->Text().empty()) {
            ClearMemoAllMessages->Click();
        }
        break;
    default: break;
    }
    End_Drag();
}

void TForm_Main_HD::Click_Title_From_Key(TSCLShapeButton* title)
{
    if (title->Enabled() && Ctrl_Up()) {
        Key_Click = true;
        title->Click();
    }
}

void TForm_Main_HD::End_Drag()
{
    Drag.End();
}

void TForm_Main_HD::FormActivate(TObject*)
{
    const int left = Main_Left();
    const int top = Main_Top();
    WCU_Presenter->ReleaseTitleButton(left, top);
    AMU1_Presenter->ReleaseTitleButton(left, top);
    AMU2_Presenter->ReleaseTitleButton(left, top);
    DE1_Presenter->ReleaseTitleButton(left, top);
    DE2_Presenter->ReleaseTitleButton(left, top);
    WCA_Presenter->ReleaseTitleButton(left, top);
}

void TForm_Main_HD::FormClose(TObject*, TCloseAction&)
{
    Free_All();
}

void TForm_Main_HD::PanelMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    Drag.Start(Button, X, Y);
}

void TForm_Main_HD::PanelMouseMove(TObject*, TShiftState, int X, int Y)
{
    Drag.Move(X, Y);
}

void TForm_Main_HD::PanelMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    End_Drag();
}

Detail_Window* TForm_Main_HD::Window_Of(TObject* title) const
{
    const std::pair<const TSCLShapeButton*, Detail_Window*> windows[] = {
        {ShapeButtonWCUTitle, WCU_Window}, {AMU1.Title, AMU1_Window}, {AMU2.Title, AMU2_Window},
        {DE1.Title, DE1_Window},           {DE2.Title, DE2_Window},   {ShapeButtonWCATitle, WCA_Window}};
    for (auto [button, window] : windows) {
        if (button == title) {
            return window;
        }
    }
    return nullptr;
}

// Under the title; the data emitters' and the adapter's windows end at the
// title's right edge.
void TForm_Main_HD::Place_Window(Detail_Window* window, TSCLShapeButton* title) const
{
    int left = Main_Left() + title->Parent()->Left() + title->Left();
    const int top = Main_Top() + title->Parent()->Top() + title->Top() + title->Height();
    if (window == static_cast<Detail_Window*>(DE1_Window) || window == static_cast<Detail_Window*>(DE2_Window) ||
        window == static_cast<Detail_Window*>(WCA_Window)) {
        left = left - window->Width() + title->Width();
    }
    window->SetLeft(left);
    window->SetTop(top);
}

void TForm_Main_HD::ShapeButtonTitleClick(TObject* Sender)
{
    auto* title = dynamic_cast<TSCLShapeButton*>(Sender);
    Detail_Window* window = Window_Of(Sender);
    if (title && Snapshot->Settings.Is_Connected()) {
        if (!Title_Was_Pressed(*title, Key_Click)) {
            if (Key_Click) {
                title->SetPressed(true);
            }
            if (window) {
                Place_Window(window, title);
                window->Show();
            }
        } else if (window) {
            window->Hide();
        }
    }
    Key_Click = false;
}

void TForm_Main_HD::ShapeButtonTitleMouseMove(TObject* Sender, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Keep_Cursor_On_Title(*title, Main_Left(), Main_Top());
    }
}

void TForm_Main_HD::ShapeButtonTitleMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Release_Title_By_Other_Button(*title, Button);
    }
}

void TForm_Main_HD::PopupMenuPCPopup(TObject*)
{
    const int left = Main_Left() + GroupBoxPC->Left() + ShapeButtonPCTitle->Left();
    PopupMenuPC->SetAlignment(left >= 0 ? paLeft : paCenter);
}

void TForm_Main_HD::MenuComClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Thread) {
        Thread->Set_Port_Number(item->Tag());
    }
}

void TForm_Main_HD::MenuCamerasCountClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Count(item->Tag());
    }
}

void TForm_Main_HD::MenuSoundClick(TObject*)
{
    if (Thread) {
        Thread->Set_Alarm_Sound(!MenuSound->Checked());
    }
}

void TForm_Main_HD::MenuAlarmBatThresholdClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Thread) {
        Thread->Set_Alarm_Battery_Level(item->Tag());
    }
}

void TForm_Main_HD::MenuNameClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Name(Camera_Index(), item->Tag());
    }
}

void TForm_Main_HD::ImageStatusRecordClick(TObject*)
{
    if (Thread && Frame_Recorder) {
        Thread->Record(false, *Frame_Recorder);
    }
}

void TForm_Main_HD::PopupMenuMemoStatusPopup(TObject*)
{
    const bool has_text = !MemoStatus->Text().empty();
    SelectallMemoMessages->SetEnabled(has_text);
    SaveMemoAllMessages->SetEnabled(has_text);
    ClearMemoAllMessages->SetEnabled(has_text);
    CopyMemoMessages->SetEnabled(MemoStatus->SelLength() > 0);
}

void TForm_Main_HD::SelectallMemoMessagesClick(TObject*)
{
    MemoStatus->SelectAll();
}

void TForm_Main_HD::CopyMemoMessagesClick(TObject*)
{
    MemoStatus->CopyToClipboard();
}

void TForm_Main_HD::SaveMemoAllMessagesClick(TObject*)
{
    if (Frame_Recorder) {
        Frame_Recorder->Save_Memo();
    }
}

void TForm_Main_HD::ClearMemoAllMessagesClick(TObject*)
{
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
}

void TForm_Main_HD::ProgressVQOSGetColor(TObject*, BYTE bar, TColor& colour)
{
    if (WCU_Presenter) {
        WCU_Presenter->GetVqosColor(bar, colour);
    }
}

// The program's description, then, while the WCU answers, the camera and
// the versions of the boards that answered.
std::string TForm_Main_HD::About_Text() const
{
    std::string text = LoadStr(4000) + LoadStr(4002);
    if (!Snapshot->Settings.Is_Connected()) {
        return text;
    }
    text += *Camera_Count == 1 ? "\n\n" : "\n\nCamera " + std::to_string(Snapshot->Settings.Name) + "\n";
    const St_System_HD& hd = Snapshot->HD;
    if (Hd_Wca_Status_Present(hd.Wca_Status)) {
        text += LoadStr(4003) + Hd_Version_Text(Hd_Modulator_Board_Version(hd.Wca_Status));
        if (Hd_Wca_Present(hd.Wca)) {
            text += LoadStr(4004) + Hd_Version_Text(Hd_Compression_Board_Version(hd.Wca));
        }
        if (Hd_Wcu_Present(hd.Wcu)) {
            text += LoadStr(4005) + Hd_Version_Text(Hd_Wcu_Rx_Board_Version(hd.Wcu));
        }
        text += "\n";
    }
    if (Hd_Amu_Present(hd.Amu1)) {
        text += LoadStr(4006) + Hd_Version_Text(Hd_Amu_Version(hd.Amu1));
        if (Hd_Amu_Present(hd.Amu2)) {
            text += " / " + LoadStr(4007) + Hd_Version_Text(Hd_Amu_Version(hd.Amu2));
        }
        text += "\n";
    } else if (Hd_Amu_Present(hd.Amu2)) {
        text += LoadStr(4007) + Hd_Version_Text(Hd_Amu_Version(hd.Amu2)) + "\n";
    }
    if (Hd_Wcu_Link_Present(hd.Wcu_Link)) {
        text += LoadStr(4008) + Hd_Version_Text(Hd_Genlock_Gx_Version(hd.Wcu_Link)) + LoadStr(4009) +
                Hd_Version_Text(Hd_Genlock_Ii_Version(hd.Wcu_Link));
        if (Hd_Wcu_Status_Present(hd.Wcu_Status)) {
            text += LoadStr(4010) + Hd_Version_Text(Hd_Triax_Board_Version(hd.Wcu_Status));
        }
        text += "\n";
    }
    if (Hd_Wcu_Detail_Present(hd.Wcu_Detail)) {
        text += LoadStr(4011) + Hd_Version_Text(Hd_Audio_Wca_Version(hd.Wcu_Detail)) + LoadStr(4012) +
                Hd_Version_Text(Hd_Audio_Wcu_Version(hd.Wcu_Detail));
    }
    return text;
}

void TForm_Main_HD::SpeedButtonSystemClick(TObject*)
{
    if (!Main_Window) {
        return;
    }
    if (TSCLAboutDlg* about = Main_Window->Get_Form_About()) {
        about->Description = About_Text();
        if (!Main_Window->Is_Busy(Camera_Index())) {
            about->Execute();
        }
    }
    Main_Window->Post_Pending_Change(Camera_Index());
}

void TForm_Main_HD::SpeedButtonHelpClick(TObject*)
{
    if (Help_Object && *Help_Object && HHCtrlHandle) {
        (*Help_Object)->HelpContext(1000);
        return;
    }
    if (!Main_Window) {
        return;
    }
    if (!Main_Window->Is_Busy(Camera_Index())) {
        std::string text = LoadStr(2016) + QCoreApplication::applicationDirPath().toStdString() + "/" +
                           "Wireless_Ordexia_HD_Help.chm";
        if (*Camera_Count != 1) {
            text = "Camera " + std::to_string(Snapshot->Settings.Name) + "\n" + text;
        }
        Application->MessageBox(text.c_str(), LoadStr(1000).c_str(), MB_ICONERROR);
    }
    Main_Window->Post_Pending_Change(Camera_Index());
}

void TForm_Main_HD::SpeedButtonMinimizeClick(TObject*)
{
    Application->Minimize();
}

void TForm_Main_HD::SpeedButtonCloseClick(TObject*)
{
    if (TForm* main_form = Main_Form()) {
        main_form->Close();
    }
}
