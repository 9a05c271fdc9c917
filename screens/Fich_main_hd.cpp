#include "screens/Fich_main_hd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLPanelFill.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSpeedButton.h"
#include "components/controls/Sclanictrl.h"
#include "components/foundations/Sclcont.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/String_Table.h"
#include "screens/Amu_ihm_main_hd.h"
#include "screens/De_ihm_main_hd.h"
#include "screens/Fich_amu_hd.h"
#include "screens/Fich_amu_hd_spectrum.h"
#include "screens/Fich_de_hd.h"
#include "screens/Fich_wca_hd.h"
#include "screens/Fich_wcu_hd.h"
#include "screens/Hd_fields.h"
#include "screens/Pc_ihm_main_hd.h"
#include "screens/Status_ihm_main_hd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "screens/Wca_ihm_main_hd.h"
#include "screens/Wcu_ihm_main_hd.h"
#include "shell/services/Menu_camera_name.h"
#include "shell/services/Screen_dpi.h"

#include <tuple>

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
    : Camera_Page(owner, help_object, camera_count, snapshot, thread, current, 'B', "Wireless_Ordexia_HD_Help.chm")
{
    InitInheritedComponent(this, Table());
    Find_Blocks();
    Prepare_Page(owner);
    Create_Windows(owner);
    if (Thread) {
        Saver = new PC_WCU_File_HD(*Thread, *Current, *MemoStatus, *SaveDialogFichierStatus, Camera_Count);
    }
    Set_Help_Contexts();
    Set_Hd_Help_Contexts();
    Create_Presenters();
    Create_Summary(summary_out);
}

TForm_Main_HD::~TForm_Main_HD()
{
    Free_All();
}

const TForm_Table& TForm_Main_HD::Table()
{
    using F = TForm_Main_HD;
    static const TForm_Table table =
        Common_Table()
            .Field("MenuStatusRecord", &F::MenuStatusRecord)
            .Field("PopupMenuAlarmBattery", &F::PopupMenuAlarmBattery)
            .Field("MenuAlarmBatThreshold", &F::MenuAlarmBatThreshold)
            .Field("SelectallMemoMessages", &F::SelectallMemoMessages)
            .Field("CopyMemoMessages", &F::CopyMemoMessages)
            .Field("SaveMemoAllMessages", &F::SaveMemoAllMessages)
            .Field("ImageCamera", &F::ImageCamera)
            .Field("ShapeButtonWCATitle", &F::ShapeButtonWCATitle)
            .Field("ImageStatusRecord", &F::ImageStatusRecord)
            .Field("LabelFreeze", &F::LabelFreeze)
            .Field("LabelVideoFreq", &F::LabelVideoFreq)
            .Field("LabelVideoFreqVal", &F::LabelVideoFreqVal)
            .Field("LabelDataFreq", &F::LabelDataFreq)
            .Field("LabelDataFreqVal", &F::LabelDataFreqVal)
            .Field("ImageStudioGenlock", &F::ImageStudioGenlock)
            .Field("LabelStudioGenlock", &F::LabelStudioGenlock)
            .Field("ShapeWCATally", &F::ShapeWCATally)
            .Field("PanelBackFillBattery", &F::PanelBackFillBattery)
            .Handler("MenuAlarmBatThresholdClick", &F::MenuAlarmBatThresholdClick)
            .Handler("ImageStatusRecordClick", &F::ImageStatusRecordClick)
            .Handler("PopupMenuMemoStatusPopup", &F::PopupMenuMemoStatusPopup)
            .Handler("SelectallMemoMessagesClick", &F::SelectallMemoMessagesClick)
            .Handler("CopyMemoMessagesClick", &F::CopyMemoMessagesClick)
            .Handler("SaveMemoAllMessagesClick", &F::SaveMemoAllMessagesClick)
            .Handler("ProgressVQOSGetColor", &F::ProgressVQOSGetColor);
    return table;
}

// The AMU and data-emitter blocks share their layouts: their components
// differ by the block's name only.
void TForm_Main_HD::Find_Blocks()
{
    auto as = [this](auto*& field, const std::string& name) { Find_Component(field, name); };
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

// Also an opaque camera with few colours at the screen resolutions its
// picture was drawn for.
void TForm_Main_HD::Apply_Colour_Depth()
{
    Camera_Page::Apply_Colour_Depth();
    const int dpi = Get_Screen_Dpi();
    const bool opaque_camera = Colour_Depth <= 8 && (dpi == 96 || dpi == 120);
    ImageCamera->SetForceTransparent(!opaque_camera);
    ImageCamera->SetTransparent(!opaque_camera);
}

void TForm_Main_HD::Create_Windows(TComponent* owner)
{
    TSCLCustomImageList* list = SCLContainer ? SCLContainer->BitmapList() : nullptr;
    WCU_Window = new TForm_WCU_HD(this, list, ShapeButtonWCUTitle, Current, Snapshot);
    Adapt_Form_To_Dpi(owner, WCU_Window);
    const std::tuple<TForm_AMU_HD_Spectrum**, Detail_Window**, TSCLShapeButton*, char> amus[] = {
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
    for (Detail_Window* window : {WCU_Window, AMU1_Window, AMU2_Window, DE1_Window, DE2_Window, WCA_Window}) {
        window->SetCaption(Application->Title());
    }
    List_Block_Titles();
    Block_Titles.push_back({ShapeButtonWCATitle, &WCA_Window, 'C', true});
}

void TForm_Main_HD::Set_Hd_Help_Contexts()
{
    PopupMenuAlarmBattery->Items()->SetHelpContext(1005);
    WCA_Window->SetHelpContext(1005);
    for (TForm_AMU_HD_Spectrum* spectrum : {AMU1_Spectrum, AMU2_Spectrum}) {
        spectrum->SetHelpContext(1006);
        if (spectrum->ComboBoxTuner) {
            spectrum->ComboBoxTuner->SetHelpContext(1006);
        }
    }
}

void TForm_Main_HD::Create_Presenters()
{
    PC_Presenter = new PC_IHM_Main_HD(Snapshot, Current, Colour_Depth, Camera_Count, Saver,
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

void TForm_Main_HD::Free_All()
{
    if (Saver && Saver->Is_Recording()) {
        Saver->Stop_Recording(false);
    }
    Camera_Page::Free_All();
    for (TForm_AMU_HD_Spectrum** spectrum : {&AMU1_Spectrum, &AMU2_Spectrum}) {
        delete *spectrum;
        *spectrum = nullptr;
    }
    delete WCA_Window;
    WCA_Window = nullptr;
    delete WCA_Presenter;
    WCA_Presenter = nullptr;
}

void TForm_Main_HD::RefreshDisplay(bool full)
{
    if (Saver) {
        Saver->Record_Frame();
    }
    if (PC_Presenter) {
        PC_Presenter->Update(full);
    }
    Refresh_Block(WCU_Presenter, WCU_Window, full);
    if (Refresh_Block(AMU1_Presenter, AMU1_Window, full)) {
        AMU1_Spectrum->RefreshDisplay(full);
    }
    if (Refresh_Block(AMU2_Presenter, AMU2_Window, full)) {
        AMU2_Spectrum->RefreshDisplay(full);
    }
    Refresh_Block(DE1_Presenter, DE1_Window, full);
    Refresh_Block(DE2_Presenter, DE2_Window, full);
    Refresh_Block(WCA_Presenter, WCA_Window, full);
    Refresh_Status(full);
}

void TForm_Main_HD::UpdateBlockAlarms()
{
    Camera_Page::UpdateBlockAlarms();
    if (!Summary) {
        return;
    }
    Summarise_Block(WCA_Presenter, WCA_Window, ShapeButtonWCATitle, Summary->WCA_Active, Summary->WCA_Alarm);
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

void TForm_Main_HD::Popup_Key_Menu()
{
    const TSCLPanelFill* middle = PanelFillBattery[2];
    PopupMenuAlarmBattery->Popup(Main_Left() + middle->Left() - middle->Width(), Main_Top() + middle->Top());
}

void TForm_Main_HD::Page_Key(WORD key)
{
    const bool ctrl_down = GetKeyState(VK_CONTROL) < 0;
    if (key == 'R' && ctrl_down && MenuStatusRecord->Enabled() && Thread && Saver) {
        Thread->Record(!MenuStatusRecord->Checked(), *Saver);
    }
}

void TForm_Main_HD::MenuAlarmBatThresholdClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Thread) {
        Thread->Set_Alarm_Battery_Level(item->Tag());
    }
}

void TForm_Main_HD::ImageStatusRecordClick(TObject*)
{
    if (Thread && Saver) {
        Thread->Record(false, *Saver);
    }
}

void TForm_Main_HD::PopupMenuMemoStatusPopup(TObject*)
{
    Enable_Memo_Items(SelectallMemoMessages, CopyMemoMessages, SaveMemoAllMessages);
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
