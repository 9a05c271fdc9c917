#include "screens/Fich_main_sd.h"

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
#include "link/Pc_wcu_file_sd.h"
#include "link/St_system.h"
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
#include "screens/Amu_ihm_main_sd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Fich_amu_sd.h"
#include "screens/Fich_de_sd.h"
#include "screens/Fich_wcu_sd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Status_ihm_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "screens/Title_button.h"
#include "screens/Wcu_ihm_main_sd.h"
#include "shell/Hh.h"
#include "shell/Hh_funcs.h"
#include "shell/Main_Window_Services.h"
#include "shell/Menu_camera_name.h"
#include "shell/Screen_dpi.h"

#include <QCoreApplication>

namespace {


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

TForm_Main_SD::TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread)
    : TForm_Main_SD(owner, help_hook, camera_count, summary_out, snapshot, thread, &*thread->Lock_State())
{
}

TForm_Main_SD::TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, St_System* current)
    : TForm_Main_SD(owner, help_hook, camera_count, summary_out, snapshot, nullptr, current)
{
}

TForm_Main_SD::TForm_Main_SD(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                             Status_IHM_SD_HD** summary_out, St_System* snapshot, Thread_Polling_WCU* thread,
                             St_System* current)
    : TForm(owner), Snapshot(snapshot), Current(current), Thread(thread), Camera_Count(camera_count),
      Help_Hook(help_hook)
{
    InitInheritedComponent(this, Table());
    for (auto [block, name] : {std::pair {&AMU1, "AMU1"}, std::pair {&AMU2, "AMU2"}}) {
        Find_Amu_Block(*block, name);
    }
    TSCLSysInfo* sys_info = Main_Window ? Main_Window->Get_Main_Sys_Info() : nullptr;
    Colour_Depth = sys_info ? sys_info->GetColorDepth() : 32;
    Adapt_Form_To_Dpi(owner, this);
    Apply_Colour_Depth();
    Camera_Name_Menu = new Menu_Camera_Name(this, MenuCamName, [this](TObject* sender) { MenuNameClick(sender); });
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
    Create_Detail_Windows(owner);
    if (Thread) {
        Saver = new PC_WCU_File_SD(*Thread, *Current, *MemoStatus, *SaveDialogFichierStatus);
    }
    SetHelpContext(1000);
    for (TPopupMenu* menu : {PopupMenuPC, PopupMenuFrequencyRange, PopupMenuMemoStatus, PopupCamName}) {
        menu->Items()->SetHelpContext(1001);
    }
    MemoStatus->SetHelpContext(1001);
    WCU_Window->SetHelpContext(1002);
    for (Detail_Window* window : std::initializer_list<Detail_Window*> {AMU1_Window, AMU2_Window}) {
        window->SetHelpContext(1003);
    }
    for (Detail_Window* window : std::initializer_list<Detail_Window*> {DE1_Window, DE2_Window}) {
        window->SetHelpContext(1004);
    }
    Create_Presenters();
    Summary = new Status_IHM_SD_HD;
    Summary->Camera_Index = static_cast<uint32_t>(Camera_Index());
    Summary->Camera_Number = &Snapshot->Settings.Name;
    Summary->Messages = Status_Presenter->Messages();
    if (summary_out) {
        *summary_out = Summary;
    }
}

TForm_Main_SD::~TForm_Main_SD()
{
    Free_All();
}

const TForm_Table& TForm_Main_SD::Table()
{
    using F = TForm_Main_SD;
    static const TForm_Table table =
        TForm_Table()
            .Field("BackPanelMain", &F::BackPanelMain)
            .Field("ShapeControlAppliTitle", &F::ShapeControlAppliTitle)
            .Field("SpeedButtonSystem", &F::SpeedButtonSystem)
            .Field("SpeedButtonHelp", &F::SpeedButtonHelp)
            .Field("SpeedButtonMinimize", &F::SpeedButtonMinimize)
            .Field("SpeedButtonClose", &F::SpeedButtonClose)
            .Field("ImageLogoQuorvale", &F::ImageLogoQuorvale)
            .Field("GroupBoxPC", &F::GroupBoxPC)
            .Field("ShapeButtonPCTitle", &F::ShapeButtonPCTitle)
            .Field("LabelPCWCULink", &F::LabelPCWCULink)
            .Field("ImagePCWCULink", &F::ImagePCWCULink)
            .Field("PanelFillAniCamera", &F::PanelFillAniCamera)
            .Field("AniCamera", &F::AniCamera)
            .Field("ShapeControlRS232", &F::ShapeControlRS232)
            .Field("ShapeControlPlugPCRS232", &F::ShapeControlPlugPCRS232)
            .Field("ShapeControlPlug1RS232", &F::ShapeControlPlug1RS232)
            .Field("ShapeControlPlug2RS232", &F::ShapeControlPlug2RS232)
            .Field("ShapeControlTriax1", &F::ShapeControlTriax1)
            .Field("ShapeControlPlug1Triax1", &F::ShapeControlPlug1Triax1)
            .Field("ShapeControlPlug2Triax1", &F::ShapeControlPlug2Triax1)
            .Field("ShapeControlTriax2", &F::ShapeControlTriax2)
            .Field("ShapeControlPlug1Triax2", &F::ShapeControlPlug1Triax2)
            .Field("ShapeControlPlug2Triax2", &F::ShapeControlPlug2Triax2)
            .Field("ShapeControlWireDE1", &F::ShapeControlWireDE1)
            .Field("ShapeControlPlug1DE1", &F::ShapeControlPlug1DE1)
            .Field("ShapeControlPlug2DE1", &F::ShapeControlPlug2DE1)
            .Field("ShapeControlWireDE2", &F::ShapeControlWireDE2)
            .Field("ShapeControlPlug1DE2", &F::ShapeControlPlug1DE2)
            .Field("ShapeControlPlug2DE2", &F::ShapeControlPlug2DE2)
            .Field("ShapeControl1Ant1", &F::ShapeControl1Ant1)
            .Field("ShapeControl2Ant1", &F::ShapeControl2Ant1)
            .Field("ShapeControl3Ant1", &F::ShapeControl3Ant1)
            .Field("ShapeControl1Ant2", &F::ShapeControl1Ant2)
            .Field("ShapeControl2Ant2", &F::ShapeControl2Ant2)
            .Field("ShapeControl3Ant2", &F::ShapeControl3Ant2)
            .Field("GroupBoxWCU", &F::GroupBoxWCU)
            .Field("ShapeButtonWCUTitle", &F::ShapeButtonWCUTitle)
            .Field("LabelVQOS", &F::LabelVQOS)
            .Field("ProgressVQOS", &F::ProgressVQOS)
            .Field("LabelDQOS", &F::LabelDQOS)
            .Field("ProgressDQOS", &F::ProgressDQOS)
            .Field("ImageCamWcuLock", &F::ImageCamWcuLock)
            .Field("LabelCamWCULock", &F::LabelCamWCULock)
            .Field("ImageDataActivity", &F::ImageDataActivity)
            .Field("LabelControlData", &F::LabelControlData)
            .Field("LEDVideoChannel", &F::LEDVideoChannel)
            .Field("LabelVideoChannel", &F::LabelVideoChannel)
            .Field("LEDDataChannel", &F::LEDDataChannel)
            .Field("LabelDataChannel", &F::LabelDataChannel)
            .Field("ShapeControlPlugWCURS232", &F::ShapeControlPlugWCURS232)
            .Field("ShapeControlPlugWCUTriax1", &F::ShapeControlPlugWCUTriax1)
            .Field("ShapeControlPlugWCUTriax2", &F::ShapeControlPlugWCUTriax2)
            .Field("DrawEdge1AMU1", &F::DrawEdge1AMU1)
            .Field("DrawEdge1AMU2", &F::DrawEdge1AMU2)
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
            .Field("GroupBoxDE1", &F::GroupBoxDE1)
            .Field("ShapeButtonDE1Title", &F::ShapeButtonDE1Title)
            .Field("LabelDE1TxEna", &F::LabelDE1TxEna)
            .Field("ImageDE1TxEna", &F::ImageDE1TxEna)
            .Field("GroupBoxDE2", &F::GroupBoxDE2)
            .Field("ShapeButtonDE2Title", &F::ShapeButtonDE2Title)
            .Field("LabelDE2TxEna", &F::LabelDE2TxEna)
            .Field("ImageDE2TxEna", &F::ImageDE2TxEna)
            .Field("GroupFrequencyRange", &F::GroupFrequencyRange)
            .Field("GroupVideoFrequencyRange", &F::GroupVideoFrequencyRange)
            .Field("LabelVideoFrequencyRange", &F::LabelVideoFrequencyRange)
            .Field("GroupDataFrequencyRange", &F::GroupDataFrequencyRange)
            .Field("LabelDataFrequencyRange", &F::LabelDataFrequencyRange)
            .Field("GroupStatus", &F::GroupStatus)
            .Field("SimplePanelStatus", &F::SimplePanelStatus)
            .Field("MemoStatus", &F::MemoStatus)
            .Field("SaveDialogFichierStatus", &F::SaveDialogFichierStatus)
            .Field("PopupMenuPC", &F::PopupMenuPC)
            .Field("MenuCom", &F::MenuCom)
            .Field("MenuCamerasCount", &F::MenuCamerasCount)
            .Field("MenuSound", &F::MenuSound)
            .Field("PopupMenuFrequencyRange", &F::PopupMenuFrequencyRange)
            .Field("MenuVideoFrequencyRange", &F::MenuVideoFrequencyRange)
            .Field("MenuDataFrequencyRange", &F::MenuDataFrequencyRange)
            .Field("PopupMenuMemoStatus", &F::PopupMenuMemoStatus)
            .Field("SelectAllMessages", &F::SelectAllMessages)
            .Field("CopyMessages", &F::CopyMessages)
            .Field("SaveAllMessages", &F::SaveAllMessages)
            .Field("ClearMemoAllMessages", &F::ClearMemoAllMessages)
            .Field("PopupCamName", &F::PopupCamName)
            .Field("MenuCamName", &F::MenuCamName)
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
            .Handler("MenuFrequencyRangeClick", &F::MenuFrequencyRangeClick)
            .Handler("PopupMenuMemoStatusPopup", &F::PopupMenuMemoStatusPopup)
            .Handler("SelectAllMessagesClick", &F::SelectAllMessagesClick)
            .Handler("CopyMessagesClick", &F::CopyMessagesClick)
            .Handler("SaveAllMessagesClick", &F::SaveAllMessagesClick)
            .Handler("ClearMemoAllMessagesClick", &F::ClearMemoAllMessagesClick)
            .Handler("MenuNameClick", &F::MenuNameClick)
            .Handler("SpeedButtonSystemClick", &F::SpeedButtonSystemClick)
            .Handler("SpeedButtonHelpClick", &F::SpeedButtonHelpClick)
            .Handler("SpeedButtonMinimizeClick", &F::SpeedButtonMinimizeClick)
            .Handler("SpeedButtonCloseClick", &F::SpeedButtonCloseClick);
    return table;
}

// The AMU blocks share their layout: their components differ by the AMU's
// name (and the data emitter's digit) only.
void TForm_Main_SD::Find_Amu_Block(Amu_Block& block, const std::string& amu)
{
    const std::string de = amu == "AMU1" ? "DE1" : "DE2";
    const std::string triax = amu == "AMU1" ? "Triax1" : "Triax2";
    auto find = [this](const std::string& name) {
        TComponent* component = FindComponent(name);
        if (!component) {
            throw EReadError("TForm_Main_SD: no component " + name);
        }
        return component;
    };
    auto as = [&find](auto*& field, const std::string& name) {
        field = dynamic_cast<std::remove_reference_t<decltype(field)>>(find(name));
        if (!field) {
            throw EReadError("TForm_Main_SD: " + name + " is of another class");
        }
    };
    as(block.GroupBox, "GroupBox" + amu);
    as(block.Title, "ShapeButton" + amu + "Title");
    as(block.LabelCell, "Label" + amu + "Cell");
    as(block.LEDCell, "LED" + amu + "Cell");
    as(block.LabelRemoteControl, "Label" + amu + "RemoteControl");
    as(block.ImageRemoteControl, "Image" + amu + "RemoteControl");
    as(block.PlugTriax, "ShapeControlPlug" + amu + triax);
    as(block.PlugDE, "ShapeControlPlug" + amu + de);
    as(block.GroupTuners, "Group" + amu + "Tuners");
    as(block.Ant1, "ShapeControl" + amu + "Ant1");
    as(block.Ant2, "ShapeControl" + amu + "Ant2");
    as(block.Ant3, "ShapeControl" + amu + "Ant3");
    as(block.Ant123, "ShapeControl" + amu + "Ant123");
    as(block.LabelAntenna1, "Label" + amu + "Antenna1");
    as(block.LabelAntenna2, "Label" + amu + "Antenna2");
    as(block.LabelAntenna3, "Label" + amu + "Antenna3");
    as(block.LabelLock, "Label" + amu + "Lock");
    as(block.LabelError, "Label" + amu + "Error");
    as(block.ImageLock1, "ImageLock" + amu + "Ant1");
    as(block.ImageLock2, "ImageLock" + amu + "Ant2");
    as(block.ImageLock3, "ImageLock" + amu + "Ant3");
    as(block.ImageError1, "ImageError" + amu + "Ant1");
    as(block.ImageError2, "ImageError" + amu + "Ant2");
    as(block.ImageError3, "ImageError" + amu + "Ant3");
}

void TForm_Main_SD::Create_Detail_Windows(TComponent* owner)
{
    TSCLCustomImageList* list = SCLContainer ? SCLContainer->BitmapList() : nullptr;
    WCU_Window = new TForm_WCU_SD(this, list, ShapeButtonWCUTitle, Current, Snapshot);
    AMU1_Window = new TForm_AMU_SD(this, list, AMU1.Title, '1', Current, Snapshot);
    AMU2_Window = new TForm_AMU_SD(this, list, AMU2.Title, '2', Current, Snapshot);
    DE1_Window = new TForm_DE_SD(this, list, ShapeButtonDE1Title, '1', Current, Snapshot);
    DE2_Window = new TForm_DE_SD(this, list, ShapeButtonDE2Title, '2', Current, Snapshot);
    for (Detail_Window* window : std::initializer_list<Detail_Window*> {WCU_Window, AMU1_Window, AMU2_Window,
                                                                        DE1_Window, DE2_Window}) {
        Adapt_Form_To_Dpi(owner, window);
        window->SetCaption(Application->Title());
    }
}

bool TForm_Main_SD::Window_Alarm(const Detail_Window* window)
{
    return window && window->HasAlarm();
}

// Fewer colours: plain brushes instead of gradients, thinner bevels, and
// no picture behind the link animation.
void TForm_Main_SD::Apply_Colour_Depth()
{
    const bool rich = Colour_Depth > 8;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (component == ShapeControlAppliTitle) {
            ShapeControlAppliTitle->ShapeFill()->SetFillStyle(rich ? sfGradient : sfBrush);
            ShapeControlAppliTitle->ShapeFill()->Gradient()->SetColorCount(Colour_Depth > 16 ? 128 : 16);
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
}

void TForm_Main_SD::Create_Presenters()
{
    PC_Presenter = new PC_IHM_Main_SD(
        Snapshot, Current, Camera_Count,
        {GroupVideoFrequencyRange, GroupDataFrequencyRange, MenuVideoFrequencyRange, MenuDataFrequencyRange,
         LabelVideoFrequencyRange, LabelDataFrequencyRange, PanelFillAniCamera, AniCamera, GroupBoxPC,
         ShapeButtonPCTitle, MenuCom, MenuCamerasCount, MenuSound, LabelPCWCULink, ImagePCWCULink, BackPanelMain,
         ImageLogoQuorvale});
    WCU_Presenter = new WCU_IHM_Main_SD(
        Snapshot, Current,
        {GroupBoxWCU, GroupTriax1, GroupTriax2, LabelControlData, LabelVQOS, LabelDQOS, LabelCamWCULock,
         LabelAMU1Power, LabelAMU1Video, LabelAMU1Control, LabelAMU2Power, LabelAMU2Video, LabelAMU2Control,
         LabelVideoChannel, LabelDataChannel, ShapeButtonWCUTitle, ShapeControlRS232, ShapeControlPlug1RS232,
         ShapeControlPlug2RS232, ShapeControlTriax1, ShapeControlPlug1Triax1, ShapeControlPlug2Triax1,
         ShapeControlTriax2, ShapeControlPlug1Triax2, ShapeControlPlug2Triax2, ProgressVQOS, ProgressDQOS,
         ImageAMU1Power, ImageAMU1Status, ImageTriax1In, ImageAMU2Power, ImageAMU2Status, ImageTriax2In,
         ImageCamWcuLock, ImageDataActivity, LEDVideoChannel, LEDDataChannel});
    auto amu_widgets = [](const Amu_Block& b, TSCLShapeControl* wire, TSCLShapeControl* plug1,
                          TSCLShapeControl* plug2) {
        return AMU_IHM_Main_SD::Widgets {b.GroupBox,     b.GroupTuners,   b.LabelCell,     b.LabelRemoteControl,
                                         b.LabelLock,    b.LabelError,    b.LabelAntenna1, b.LabelAntenna2,
                                         b.LabelAntenna3, b.Title,        b.ImageRemoteControl, b.ImageLock1,
                                         b.ImageLock2,   b.ImageLock3,    b.ImageError1,   b.ImageError2,
                                         b.ImageError3,  b.LEDCell,       wire,            plug1,
                                         plug2,          b.Ant123,        b.Ant1,          b.Ant2,
                                         b.Ant3};
    };
    AMU1_Presenter = new AMU_IHM_Main_SD(
        Snapshot, Current, '1', amu_widgets(AMU1, ShapeControlWireDE1, ShapeControlPlug1DE1, ShapeControlPlug2DE1));
    AMU2_Presenter = new AMU_IHM_Main_SD(
        Snapshot, Current, '2', amu_widgets(AMU2, ShapeControlWireDE2, ShapeControlPlug1DE2, ShapeControlPlug2DE2));
    DE1_Presenter = new DE_IHM_Main_SD(Snapshot, Current, '1',
                                       {GroupBoxDE1, LabelDE1TxEna, ShapeControl2Ant1, ShapeControl3Ant1,
                                        ShapeButtonDE1Title, ImageDE1TxEna});
    DE2_Presenter = new DE_IHM_Main_SD(Snapshot, Current, '2',
                                       {GroupBoxDE2, LabelDE2TxEna, ShapeControl2Ant2, ShapeControl3Ant2,
                                        ShapeButtonDE2Title, ImageDE2TxEna});
    Create_Status_Presenter();
}

void TForm_Main_SD::Create_Status_Presenter()
{
    Status_IHM_Main_SD::Sources sources;
    sources.PC = PC_Presenter;
    sources.WCU = WCU_Presenter;
    sources.AMU1 = AMU1_Presenter;
    sources.AMU2 = AMU2_Presenter;
    sources.DE1 = DE1_Presenter;
    sources.DE2 = DE2_Presenter;
    const Detail_Window* windows[] = {WCU_Window, AMU1_Window, AMU2_Window, DE1_Window, DE2_Window};
    for (std::size_t i = 0; i < sources.Window_Alarms.size(); ++i) {
        sources.Window_Alarms[i] = [window = windows[i]] { return Window_Alarm(window); };
    }
    sources.ShapeControlAppliTitle = ShapeControlAppliTitle;
    sources.PopupCamName = PopupCamName;
    sources.Check_Camera_Name = [menu = Camera_Name_Menu](int number) { menu->Check(number); };
    sources.MemoStatus = MemoStatus;
    Status_Presenter = new Status_IHM_Main_SD(Snapshot, Current, Camera_Count, std::move(sources));
}

// In the order the page's closing frees them: the summary and the status
// first, which read the others.
void TForm_Main_SD::Free_All()
{
    Free(Summary);
    Free(Status_Presenter);
    Free(WCU_Window);
    Free(AMU1_Window);
    Free(AMU2_Window);
    Free(DE1_Window);
    Free(DE2_Window);
    Free(Saver);
    Free(PC_Presenter);
    Free(WCU_Presenter);
    Free(AMU1_Presenter);
    Free(AMU2_Presenter);
    Free(DE1_Presenter);
    Free(DE2_Presenter);
    Free(Camera_Name_Menu);
}

int TForm_Main_SD::Camera_Index() const
{
    return Snapshot->Camera_Index;
}

void TForm_Main_SD::RefreshDisplay(bool full)
{
    if (PC_Presenter) {
        PC_Presenter->Update(full);
    }
    if (WCU_Presenter) {
        WCU_Presenter->Update(full);
        if (WCU_Window) {
            WCU_Window->RefreshDisplay(WCU_Presenter->IsActive());
        }
    }
    const std::pair<AMU_IHM_Main_SD*, Detail_Window*> amus[] = {{AMU1_Presenter, AMU1_Window},
                                                                 {AMU2_Presenter, AMU2_Window}};
    for (auto [amu, window] : amus) {
        if (amu) {
            amu->Update(full);
            if (window) {
                window->RefreshDisplay(amu->IsActive());
            }
        }
    }
    const std::pair<DE_IHM_Main_SD*, Detail_Window*> des[] = {{DE1_Presenter, DE1_Window}, {DE2_Presenter, DE2_Window}};
    for (auto [de, window] : des) {
        if (de) {
            de->Update(full);
            if (window) {
                window->RefreshDisplay(de->IsActive());
            }
        }
    }
    if (Status_Presenter) {
        Status_Presenter->Update(full);
    }
    UpdateBlockAlarms();
}

void TForm_Main_SD::UpdateBlockAlarms()
{
    if (!Summary) {
        return;
    }
    Status_IHM_SD_HD& s = *Summary;
    s.Status_Active = Status_Presenter && Status_Presenter->IsActive();
    s.Status_Alarm = !Status_Presenter || Status_Presenter->HasAlarm();
    s.PC_Alarm = !PC_Presenter || PC_Presenter->HasAlarm();
    SetTitleAlarmColour(ShapeButtonPCTitle, s.PC_Alarm);

    const WCU_IHM_Main_SD* wcu = WCU_Presenter;
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
        const AMU_IHM_Main_SD* Presenter;
        const Detail_Window* Window;
        TSCLShapeButton* Title;
        uint8_t& Active;
        uint8_t& Frame_Active;
        uint8_t& Alarm;
        uint8_t& Wire_Visible;
        uint8_t& Wire_Active;
    };
    for (const Amu_Fields& amu :
         {Amu_Fields {AMU1_Presenter, AMU1_Window, AMU1.Title, s.AMU1_Active, s.AMU1_Frame_Active, s.AMU1_Alarm, s.Wire_DE1_Visible,
                      s.Wire_DE1_Active},
          Amu_Fields {AMU2_Presenter, AMU2_Window, AMU2.Title, s.AMU2_Active, s.AMU2_Frame_Active, s.AMU2_Alarm, s.Wire_DE2_Visible,
                      s.Wire_DE2_Active}}) {
        const AMU_IHM_Main_SD* p = amu.Presenter;
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
        const DE_IHM_Main_SD* Presenter;
        const Detail_Window* Window;
        TSCLShapeButton* Title;
        uint8_t& Active;
        uint8_t& Frame_Active;
        uint8_t& Alarm;
    };
    for (const De_Fields& de : {De_Fields {DE1_Presenter, DE1_Window, ShapeButtonDE1Title, s.DE1_Active, s.DE1_Frame_Active,
                                           s.DE1_Alarm},
                                De_Fields {DE2_Presenter, DE2_Window, ShapeButtonDE2Title, s.DE2_Active, s.DE2_Frame_Active,
                                           s.DE2_Alarm}}) {
        const DE_IHM_Main_SD* p = de.Presenter;
        de.Active = p && p->IsActive();
        de.Frame_Active = p && p->IsFrameActive();
        de.Alarm = !p || p->HasAlarm() || Window_Alarm(de.Window);
        if (de.Active) {
            SetTitleAlarmColour(de.Title, de.Alarm);
        }
    }
}

void TForm_Main_SD::SetTitleAlarmColour(TSCLShapeButton* title, bool alarm)
{
    const TColor target = alarm ? Alarm_Colour : Good_Colour;
    if (Title_Colour(title) != target) {
        Set_Title_Colour(title, target);
    }
}

void TForm_Main_SD::ReleaseTitleButtons()
{
    for (TSCLShapeButton* title : {ShapeButtonWCUTitle, AMU1.Title, AMU2.Title, ShapeButtonDE1Title,
                                   ShapeButtonDE2Title}) {
        title->SetPressed(false);
    }
}

void TForm_Main_SD::ClearStatusMessages()
{
    MemoStatus->Clear();
}

void TForm_Main_SD::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) {
        KeyMessage(Message);
        return;
    }
    TForm::Dispatch(Message);
}

void TForm_Main_SD::ForwardDispatch(TMessage& Message)
{
    TForm::Dispatch(Message);
}

// The range menu opens once per press: the key's repeats are dropped.
void TForm_Main_SD::KeyMessage(TMessage& Message)
{
    if (Message.WParam != 'F') {
        TForm::Dispatch(Message);
        return;
    }
    Drain_Key_Messages();
    const int x = Main_Left() + GroupFrequencyRange->Left() + GroupVideoFrequencyRange->Left() + 6;
    const int y = Main_Top() + GroupFrequencyRange->Top() + GroupVideoFrequencyRange->Top() + 12;
    PopupMenuFrequencyRange->Popup(x, y);
}

void TForm_Main_SD::Drain_Key_Messages()
{
    MSG message;
    while (PeekMessageA(&message, Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

void TForm_Main_SD::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    switch (Key) {
    case 'W': Click_Title_From_Key(ShapeButtonWCUTitle); break;
    case 'A': Click_Title_From_Key(AMU1.Title); break;
    case 'M': Click_Title_From_Key(AMU2.Title); break;
    case 'D': Click_Title_From_Key(ShapeButtonDE1Title); break;
    case 'E': Click_Title_From_Key(ShapeButtonDE2Title); break;
    case 'P':
        if (ShapeButtonPCTitle->Enabled() && Ctrl_Up()) {
            const LPARAM point = MAKELPARAM(static_cast<WORD>(ShapeButtonPCTitle->Left()),
                                            static_cast<WORD>(ShapeButtonPCTitle->Top()));
            PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
            PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONUP, 0, point);
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

void TForm_Main_SD::Click_Title_From_Key(TSCLShapeButton* title)
{
    if (title->Enabled() && Ctrl_Up()) {
        Key_Click = true;
        title->Click();
    }
}

void TForm_Main_SD::End_Drag()
{
    Drag.End();
}

void TForm_Main_SD::FormActivate(TObject*)
{
    const int left = Main_Left();
    const int top = Main_Top();
    WCU_Presenter->ReleaseTitleButton(left, top);
    AMU1_Presenter->ReleaseTitleButton(left, top);
    AMU2_Presenter->ReleaseTitleButton(left, top);
    DE1_Presenter->ReleaseTitleButton(left, top);
    DE2_Presenter->ReleaseTitleButton(left, top);
}

void TForm_Main_SD::FormClose(TObject*, TCloseAction&)
{
    Free_All();
}

void TForm_Main_SD::PanelMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    Drag.Start(Button, X, Y);
}

void TForm_Main_SD::PanelMouseMove(TObject*, TShiftState, int X, int Y)
{
    Drag.Move(X, Y);
}

void TForm_Main_SD::PanelMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    End_Drag();
}

Detail_Window* TForm_Main_SD::Window_Of(TObject* title) const
{
    if (title == ShapeButtonWCUTitle) {
        return WCU_Window;
    }
    if (title == AMU1.Title) {
        return AMU1_Window;
    }
    if (title == AMU2.Title) {
        return AMU2_Window;
    }
    if (title == ShapeButtonDE1Title) {
        return DE1_Window;
    }
    if (title == ShapeButtonDE2Title) {
        return DE2_Window;
    }
    return nullptr;
}

// Under the title; a data emitter's window ends at the title's right edge.
void TForm_Main_SD::Place_Window(Detail_Window* window, TSCLShapeButton* title) const
{
    int left = Main_Left() + title->Parent()->Left() + title->Left();
    const int top = Main_Top() + title->Parent()->Top() + title->Top() + title->Height();
    if (window == static_cast<Detail_Window*>(DE1_Window) || window == static_cast<Detail_Window*>(DE2_Window)) {
        left = left - window->Width() + title->Width();
    }
    window->SetLeft(left);
    window->SetTop(top);
}

void TForm_Main_SD::ShapeButtonTitleClick(TObject* Sender)
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

void TForm_Main_SD::ShapeButtonTitleMouseMove(TObject* Sender, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Keep_Cursor_On_Title(*title, Main_Left(), Main_Top());
    }
}

void TForm_Main_SD::ShapeButtonTitleMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Release_Title_By_Other_Button(*title, Button);
    }
}

void TForm_Main_SD::PopupMenuPCPopup(TObject*)
{
    const int left = Main_Left() + GroupBoxPC->Left() + ShapeButtonPCTitle->Left();
    PopupMenuPC->SetAlignment(left >= 0 ? paLeft : paCenter);
}

void TForm_Main_SD::MenuComClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Thread) {
        Thread->Set_Port_Number(item->Tag());
    }
}

void TForm_Main_SD::MenuCamerasCountClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Count(item->Tag());
    }
}

void TForm_Main_SD::MenuSoundClick(TObject*)
{
    if (Thread) {
        Thread->Set_Alarm_Sound(!MenuSound->Checked());
    }
}

void TForm_Main_SD::MenuFrequencyRangeClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && item->Parent() && Thread) {
        Thread->Set_Range_Frequency(item->Parent()->Tag(), item->Tag());
    }
}

void TForm_Main_SD::PopupMenuMemoStatusPopup(TObject*)
{
    const bool has_text = !MemoStatus->Text().empty();
    SelectAllMessages->SetEnabled(has_text);
    SaveAllMessages->SetEnabled(has_text);
    ClearMemoAllMessages->SetEnabled(has_text);
    CopyMessages->SetEnabled(MemoStatus->SelLength() > 0);
}

void TForm_Main_SD::SelectAllMessagesClick(TObject*)
{
    MemoStatus->SelectAll();
}

void TForm_Main_SD::CopyMessagesClick(TObject*)
{
    MemoStatus->CopyToClipboard();
}

void TForm_Main_SD::SaveAllMessagesClick(TObject*)
{
    if (Saver) {
        Saver->Save_Memo();
    }
}

void TForm_Main_SD::ClearMemoAllMessagesClick(TObject*)
{
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
}

void TForm_Main_SD::MenuNameClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Name(Camera_Index(), item->Tag());
    }
}

void TForm_Main_SD::SpeedButtonSystemClick(TObject*)
{
    if (!Main_Window) {
        return;
    }
    if (TSCLAboutDlg* about = Main_Window->Get_Form_About()) {
        about->Description = LoadStr(4000) + LoadStr(4001);
        if (!Main_Window->Is_Busy(Camera_Index())) {
            about->Execute();
        }
    }
    Main_Window->Post_Pending_Change(Camera_Index());
}

void TForm_Main_SD::SpeedButtonHelpClick(TObject*)
{
    if (Help_Hook && *Help_Hook && HHCtrlHandle) {
        (*Help_Hook)->HelpContext(1000);
        return;
    }
    if (!Main_Window) {
        return;
    }
    if (!Main_Window->Is_Busy(Camera_Index())) {
        std::string text = LoadStr(2016) + QCoreApplication::applicationDirPath().toStdString() + "/" +
                           "Wireless_Ordexia_SD_Help.chm";
        if (*Camera_Count != 1) {
            text = "Camera " + std::to_string(Snapshot->Settings.Name) + "\n" + text;
        }
        Application->MessageBox(text.c_str(), LoadStr(1000).c_str(), MB_ICONERROR);
    }
    Main_Window->Post_Pending_Change(Camera_Index());
}

void TForm_Main_SD::SpeedButtonMinimizeClick(TObject*)
{
    Application->Minimize();
}

void TForm_Main_SD::SpeedButtonCloseClick(TObject*)
{
    if (TForm* main_form = Main_Form()) {
        main_form->Close();
    }
}
