#include "screens/Fich_main_sd.h"

#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLLEDLabel.h"
#include "components/controls/SCLLImage.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/foundations/Sclcont.h"
#include "link/Pc_wcu_file_sd.h"
#include "link/St_system.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/String_Table.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Fich_amu_sd.h"
#include "screens/Fich_de_sd.h"
#include "screens/Fich_wcu_sd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Status_ihm_main_sd.h"
#include "screens/Wcu_ihm_main_sd.h"
#include "shell/services/Menu_camera_name.h"
#include "shell/services/Screen_dpi.h"

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
    : Camera_Page(owner, help_hook, camera_count, snapshot, thread, current, 'F', "Wireless_Ordexia_SD_Help.chm")
{
    InitInheritedComponent(this, Table());
    for (auto [block, name] : {std::pair {&AMU1, "AMU1"}, std::pair {&AMU2, "AMU2"}}) {
        Find_Amu_Block(*block, name);
    }
    Prepare_Page(owner);
    Create_Detail_Windows(owner);
    if (Thread) {
        Saver = new PC_WCU_File_SD(*Thread, *Current, *MemoStatus, *SaveDialogFichierStatus);
    }
    Set_Help_Contexts();
    PopupMenuFrequencyRange->Items()->SetHelpContext(1001);
    Create_Presenters();
    Create_Summary(summary_out);
}

const TForm_Table& TForm_Main_SD::Table()
{
    using F = TForm_Main_SD;
    static const TForm_Table table =
        Common_Table()
            .Field("LEDVideoChannel", &F::LEDVideoChannel)
            .Field("LabelVideoChannel", &F::LabelVideoChannel)
            .Field("LEDDataChannel", &F::LEDDataChannel)
            .Field("LabelDataChannel", &F::LabelDataChannel)
            .Field("GroupBoxDE1", &F::GroupBoxDE1)
            .Field("LabelDE1TxEna", &F::LabelDE1TxEna)
            .Field("ImageDE1TxEna", &F::ImageDE1TxEna)
            .Field("GroupBoxDE2", &F::GroupBoxDE2)
            .Field("LabelDE2TxEna", &F::LabelDE2TxEna)
            .Field("ImageDE2TxEna", &F::ImageDE2TxEna)
            .Field("GroupFrequencyRange", &F::GroupFrequencyRange)
            .Field("GroupVideoFrequencyRange", &F::GroupVideoFrequencyRange)
            .Field("LabelVideoFrequencyRange", &F::LabelVideoFrequencyRange)
            .Field("GroupDataFrequencyRange", &F::GroupDataFrequencyRange)
            .Field("LabelDataFrequencyRange", &F::LabelDataFrequencyRange)
            .Field("PopupMenuFrequencyRange", &F::PopupMenuFrequencyRange)
            .Field("MenuVideoFrequencyRange", &F::MenuVideoFrequencyRange)
            .Field("MenuDataFrequencyRange", &F::MenuDataFrequencyRange)
            .Field("SelectAllMessages", &F::SelectAllMessages)
            .Field("CopyMessages", &F::CopyMessages)
            .Field("SaveAllMessages", &F::SaveAllMessages)
            .Handler("MenuFrequencyRangeClick", &F::MenuFrequencyRangeClick)
            .Handler("PopupMenuMemoStatusPopup", &F::PopupMenuMemoStatusPopup)
            .Handler("SelectAllMessagesClick", &F::SelectallMemoMessagesClick)
            .Handler("CopyMessagesClick", &F::CopyMemoMessagesClick)
            .Handler("SaveAllMessagesClick", &F::SaveMemoAllMessagesClick)
            .Handler("MenuNameClick", &F::MenuNameClick);
    return table;
}

// The AMU blocks share their layout: their components differ by the AMU's
// name (and the data emitter's digit) only.
void TForm_Main_SD::Find_Amu_Block(Amu_Block& block, const std::string& amu)
{
    const std::string de = amu == "AMU1" ? "DE1" : "DE2";
    const std::string triax = amu == "AMU1" ? "Triax1" : "Triax2";
    auto as = [this](auto*& field, const std::string& name) { Find_Component(field, name); };
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
    for (Detail_Window* window : {WCU_Window, AMU1_Window, AMU2_Window, DE1_Window, DE2_Window}) {
        Adapt_Form_To_Dpi(owner, window);
        window->SetCaption(Application->Title());
    }
    List_Block_Titles();
}

void TForm_Main_SD::Create_Presenters()
{
    PC_Presenter = new PC_IHM_Main_SD(
        Snapshot, Current, Colour_Depth, Camera_Count,
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

void TForm_Main_SD::RefreshDisplay(bool full)
{
    if (PC_Presenter) {
        PC_Presenter->Update(full);
    }
    Refresh_Block(WCU_Presenter, WCU_Window, full);
    Refresh_Block(AMU1_Presenter, AMU1_Window, full);
    Refresh_Block(AMU2_Presenter, AMU2_Window, full);
    Refresh_Block(DE1_Presenter, DE1_Window, full);
    Refresh_Block(DE2_Presenter, DE2_Window, full);
    Refresh_Status(full);
}

std::string TForm_Main_SD::About_Text() const
{
    return LoadStr(4000) + LoadStr(4001);
}

void TForm_Main_SD::Popup_Key_Menu()
{
    const int x = Main_Left() + GroupFrequencyRange->Left() + GroupVideoFrequencyRange->Left() + 6;
    const int y = Main_Top() + GroupFrequencyRange->Top() + GroupVideoFrequencyRange->Top() + 12;
    PopupMenuFrequencyRange->Popup(x, y);
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
    Enable_Memo_Items(SelectAllMessages, CopyMessages, SaveAllMessages);
}
