#include "screens/Camera_page.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLDrawEdge.h"
#include "components/controls/SCLGroupBox.h"
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
#include "components/foundations/Sclsysinfo.h"
#include "link/Pc_wcu_file_hd.h"
#include "link/Pc_wcu_file_sd.h"
#include "link/St_system.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Window.h"
#include "screens/Amu_ihm_main_hd.h"
#include "screens/Amu_ihm_main_sd.h"
#include "screens/Block_paint.h"
#include "screens/De_ihm_main_hd.h"
#include "screens/De_ihm_main_sd.h"
#include "screens/Pc_ihm_main_hd.h"
#include "screens/Pc_ihm_main_sd.h"
#include "screens/Status_ihm_main_hd.h"
#include "screens/Status_ihm_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "screens/Title_button.h"
#include "screens/Wcu_ihm_main_hd.h"
#include "screens/Wcu_ihm_main_sd.h"
#include "shell/services/Hh.h"
#include "shell/services/Hh_funcs.h"
#include "shell/services/Main_Window_Services.h"
#include "shell/services/Menu_camera_name.h"
#include "shell/services/Screen_dpi.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

// Colour depths: up to this many bits per pixel the page draws plain fills.
constexpr int Few_Colours = 8;
constexpr int Medium_Colours = 16;

TForm* Main_Form()
{
    return Main_Window ? Main_Window->Get_Main_Form() : nullptr;
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

template <class Parts>
Camera_Page<Parts>::Camera_Page(TComponent* owner, THookHelpSystem** help_hook, std::atomic<int>* camera_count,
                                St_System* snapshot, Thread_Polling_WCU* thread, St_System* current, WORD menu_key,
                                std::string help_file)
    : TForm(owner), Snapshot(snapshot), Current(current), Thread(thread), Camera_Count(camera_count),
      Menu_Key(menu_key), Help_File(std::move(help_file)), Help_Hook(help_hook)
{
}

// A page's own destructor frees its parts first; this frees what is left.
template <class Parts>
Camera_Page<Parts>::~Camera_Page()
{
    Camera_Page::Free_All();
}

template <class Parts>
TForm_Table Camera_Page<Parts>::Common_Table()
{
    using F = Camera_Page;
    return TForm_Table()
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
        .Field("ShapeButtonAMU1Title", &F::ShapeButtonAMU1Title)
        .Field("ShapeButtonAMU2Title", &F::ShapeButtonAMU2Title)
        .Field("ShapeButtonDE1Title", &F::ShapeButtonDE1Title)
        .Field("ShapeButtonDE2Title", &F::ShapeButtonDE2Title)
        .Field("GroupStatus", &F::GroupStatus)
        .Field("SimplePanelStatus", &F::SimplePanelStatus)
        .Field("MemoStatus", &F::MemoStatus)
        .Field("SaveDialogFichierStatus", &F::SaveDialogFichierStatus)
        .Field("PopupMenuPC", &F::PopupMenuPC)
        .Field("MenuCom", &F::MenuCom)
        .Field("MenuCamerasCount", &F::MenuCamerasCount)
        .Field("MenuSound", &F::MenuSound)
        .Field("PopupMenuMemoStatus", &F::PopupMenuMemoStatus)
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
        .Handler("ClearMemoAllMessagesClick", &F::ClearMemoAllMessagesClick)
        .Handler("SpeedButtonSystemClick", &F::SpeedButtonSystemClick)
        .Handler("SpeedButtonHelpClick", &F::SpeedButtonHelpClick)
        .Handler("SpeedButtonMinimizeClick", &F::SpeedButtonMinimizeClick)
        .Handler("SpeedButtonCloseClick", &F::SpeedButtonCloseClick);
}

template <class Parts>
void Camera_Page<Parts>::Prepare_Page(TComponent* owner)
{
    TSCLSysInfo* sys_info = Main_Window ? Main_Window->Get_Main_Sys_Info() : nullptr;
    Colour_Depth = sys_info ? sys_info->GetColorDepth() : 32;
    Adapt_Form_To_Dpi(owner, this);
    Apply_Colour_Depth();
    Camera_Name_Menu = new Menu_Camera_Name(this, MenuCamName, [this](TObject* sender) { MenuNameClick(sender); });
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
}

// Fewer colours: plain brushes instead of gradients, thinner bevels, and
// no picture behind the link animation.
template <class Parts>
void Camera_Page<Parts>::Apply_Colour_Depth()
{
    const bool rich = Colour_Depth > Few_Colours;
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (component == ShapeControlAppliTitle) {
            ShapeControlAppliTitle->ShapeFill()->SetFillStyle(rich ? sfGradient : sfBrush);
            if (rich) {
                const int colours = Colour_Depth > Medium_Colours ? 128 : 16;
                ShapeControlAppliTitle->ShapeFill()->Gradient()->SetColorCount(colours);
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
}

template <class Parts>
void Camera_Page<Parts>::List_Block_Titles()
{
    Block_Titles = {{ShapeButtonWCUTitle, &WCU_Window, 'W', false},
                    {ShapeButtonAMU1Title, &AMU1_Window, 'A', false},
                    {ShapeButtonAMU2Title, &AMU2_Window, 'M', false},
                    {ShapeButtonDE1Title, &DE1_Window, 'D', true},
                    {ShapeButtonDE2Title, &DE2_Window, 'E', true}};
}

template <class Parts>
void Camera_Page<Parts>::Set_Help_Contexts()
{
    SetHelpContext(1000);
    for (TPopupMenu* menu : {PopupMenuPC, PopupMenuMemoStatus, PopupCamName}) {
        menu->Items()->SetHelpContext(1001);
    }
    MemoStatus->SetHelpContext(1001);
    const std::pair<Detail_Window*, int> windows[] = {{WCU_Window, 1002}, {AMU1_Window, 1003}, {AMU2_Window, 1003},
                                                      {DE1_Window, 1004}, {DE2_Window, 1004}};
    for (auto [window, context] : windows) {
        window->SetHelpContext(context);
    }
}

template <class Parts>
void Camera_Page<Parts>::Create_Summary(Status_IHM_SD_HD** summary_out)
{
    Summary = new Status_IHM_SD_HD;
    Summary->Camera_Index = static_cast<uint32_t>(Camera_Index());
    Summary->Camera_Number = &Snapshot->Settings.Name;
    Summary->Messages = Status_Presenter->Messages();
    if (summary_out) {
        *summary_out = Summary;
    }
}

template <class Parts>
void Camera_Page<Parts>::Free_All()
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

template <class Parts>
void Camera_Page<Parts>::Refresh_Status(bool full)
{
    if (Status_Presenter) {
        Status_Presenter->Update(full);
    }
    UpdateBlockAlarms();
}

template <class Parts>
bool Camera_Page<Parts>::Window_Alarm(const Detail_Window* window)
{
    return window && window->HasAlarm();
}

template <class Parts>
void Camera_Page<Parts>::UpdateBlockAlarms()
{
    if (!Summary) {
        return;
    }
    Status_IHM_SD_HD& s = *Summary;
    s.Status_Active = Status_Presenter && Status_Presenter->IsActive();
    s.Status_Alarm = !Status_Presenter || Status_Presenter->HasAlarm();
    s.PC_Alarm = !PC_Presenter || PC_Presenter->HasAlarm();
    SetTitleAlarmColour(ShapeButtonPCTitle, s.PC_Alarm);

    const typename Parts::WCU* wcu = WCU_Presenter;
    Summarise_Block(wcu, WCU_Window, ShapeButtonWCUTitle, s.WCU_Active, s.WCU_Alarm);
    s.RS232_Visible = wcu && wcu->IsRs232CableVisible();
    s.Triax1_Visible = wcu && wcu->IsTriax1CableVisible();
    s.Triax1_Active = wcu && wcu->IsTriax1CableActive();
    s.Triax2_Visible = wcu && wcu->IsTriax2CableVisible();
    s.Triax2_Active = wcu && wcu->IsTriax2CableActive();

    struct Amu_Fields {
        const typename Parts::AMU* Presenter;
        const Detail_Window* Window;
        TSCLShapeButton* Title;
        uint8_t& Active;
        uint8_t& Frame_Active;
        uint8_t& Alarm;
        uint8_t& Wire_Visible;
        uint8_t& Wire_Active;
    };
    for (const Amu_Fields& amu :
         {Amu_Fields {AMU1_Presenter, AMU1_Window, ShapeButtonAMU1Title, s.AMU1_Active, s.AMU1_Frame_Active,
                      s.AMU1_Alarm, s.Wire_DE1_Visible, s.Wire_DE1_Active},
          Amu_Fields {AMU2_Presenter, AMU2_Window, ShapeButtonAMU2Title, s.AMU2_Active, s.AMU2_Frame_Active,
                      s.AMU2_Alarm, s.Wire_DE2_Visible, s.Wire_DE2_Active}}) {
        const typename Parts::AMU* p = amu.Presenter;
        Summarise_Block(p, amu.Window, amu.Title, amu.Active, amu.Alarm);
        amu.Frame_Active = p && p->IsFrameActive();
        amu.Wire_Visible = p && p->IsWireDEVisible();
        amu.Wire_Active = p && p->IsWireDEActive();
    }

    Summarise_Block(DE1_Presenter, DE1_Window, ShapeButtonDE1Title, s.DE1_Active, s.DE1_Alarm);
    s.DE1_Frame_Active = DE1_Presenter && DE1_Presenter->IsFrameActive();
    Summarise_Block(DE2_Presenter, DE2_Window, ShapeButtonDE2Title, s.DE2_Active, s.DE2_Alarm);
    s.DE2_Frame_Active = DE2_Presenter && DE2_Presenter->IsFrameActive();
}

template <class Parts>
void Camera_Page<Parts>::SetTitleAlarmColour(TSCLShapeButton* title, bool alarm)
{
    const TColor target = alarm ? Alarm_Colour : Good_Colour;
    if (Title_Colour(title) != target) {
        Set_Title_Colour(title, target);
    }
}

template <class Parts>
void Camera_Page<Parts>::ReleaseTitleButtons()
{
    for (const Block_Title& block : Block_Titles) {
        block.Title->SetPressed(false);
    }
}

template <class Parts>
void Camera_Page<Parts>::ClearStatusMessages()
{
    MemoStatus->Clear();
}

template <class Parts>
void Camera_Page<Parts>::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) {
        KeyMessage(Message);
        return;
    }
    TForm::Dispatch(Message);
}

template <class Parts>
void Camera_Page<Parts>::ForwardDispatch(TMessage& Message)
{
    TForm::Dispatch(Message);
}

// The page's menu opens once per press: the key's repeats are dropped.
template <class Parts>
void Camera_Page<Parts>::KeyMessage(TMessage& Message)
{
    if (Message.WParam != Menu_Key) {
        TForm::Dispatch(Message);
        return;
    }
    Drain_Key_Messages();
    Popup_Key_Menu();
}

template <class Parts>
void Camera_Page<Parts>::Drain_Key_Messages()
{
    MSG message;
    while (PeekMessageA(&message, Handle(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
}

template <class Parts>
int Camera_Page<Parts>::Camera_Index() const
{
    return Snapshot->Camera_Index;
}

template <class Parts>
int Camera_Page<Parts>::Main_Left()
{
    TForm* form = Main_Form();
    return form ? form->Left() : 0;
}

template <class Parts>
int Camera_Page<Parts>::Main_Top()
{
    TForm* form = Main_Form();
    return form ? form->Top() : 0;
}

template <class Parts>
void Camera_Page<Parts>::Page_Key(WORD)
{
}

template <class Parts>
void Camera_Page<Parts>::FormKeyDown(TObject*, WORD& Key, TShiftState)
{
    const auto block = std::find_if(Block_Titles.begin(), Block_Titles.end(),
                                     [Key](const Block_Title& b) { return b.Key == Key; });
    if (block != Block_Titles.end()) {
        Click_Title_From_Key(block->Title);
    } else if (Key == 'P') {
        Drop_Pc_Menu();
    } else if (Key == VK_DELETE) {
        if (!MemoStatus->Text().empty()) {
            ClearMemoAllMessages->Click();
        }
    } else {
        Page_Key(Key);
    }
    End_Drag();
}

template <class Parts>
void Camera_Page<Parts>::Click_Title_From_Key(TSCLShapeButton* title)
{
    if (title->Enabled() && Ctrl_Up()) {
        Key_Click = true;
        title->Click();
    }
}

// A click on the PC title, which drops its menu down.
template <class Parts>
void Camera_Page<Parts>::Drop_Pc_Menu()
{
    if (ShapeButtonPCTitle->Enabled() && Ctrl_Up()) {
        const LPARAM point = MAKELPARAM(static_cast<WORD>(ShapeButtonPCTitle->Left()),
                                        static_cast<WORD>(ShapeButtonPCTitle->Top()));
        PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(GroupBoxPC->Handle(), WM_LBUTTONUP, 0, point);
    }
}

template <class Parts>
void Camera_Page<Parts>::End_Drag()
{
    Drag.End();
}

template <class Parts>
void Camera_Page<Parts>::FormActivate(TObject*)
{
    const int left = Main_Left();
    const int top = Main_Top();
    for (const Block_Title& block : Block_Titles) {
        Release_Title_Button(block.Title, left, top);
    }
}

template <class Parts>
void Camera_Page<Parts>::FormClose(TObject*, TCloseAction&)
{
    Free_All();
}

template <class Parts>
void Camera_Page<Parts>::PanelMouseDown(TObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    Drag.Start(Button, X, Y);
}

template <class Parts>
void Camera_Page<Parts>::PanelMouseMove(TObject*, TShiftState, int X, int Y)
{
    Drag.Move(X, Y);
}

template <class Parts>
void Camera_Page<Parts>::PanelMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    End_Drag();
}

template <class Parts>
auto Camera_Page<Parts>::Block_Of(TObject* title) const -> const Block_Title*
{
    for (const Block_Title& block : Block_Titles) {
        if (block.Title == title) {
            return &block;
        }
    }
    return nullptr;
}

template <class Parts>
void Camera_Page<Parts>::Place_Window(const Block_Title& block) const
{
    const TSCLShapeButton* title = block.Title;
    Detail_Window* window = *block.Window;
    int left = Main_Left() + title->Parent()->Left() + title->Left();
    const int top = Main_Top() + title->Parent()->Top() + title->Top() + title->Height();
    if (block.Right_Aligned) {
        left = left - window->Width() + title->Width();
    }
    window->SetLeft(left);
    window->SetTop(top);
}

template <class Parts>
void Camera_Page<Parts>::ShapeButtonTitleClick(TObject* Sender)
{
    auto* title = dynamic_cast<TSCLShapeButton*>(Sender);
    const Block_Title* block = Block_Of(Sender);
    Detail_Window* window = block ? *block->Window : nullptr;
    if (title && Snapshot->Settings.Is_Connected()) {
        if (!Title_Was_Pressed(*title, Key_Click)) {
            if (Key_Click) {
                title->SetPressed(true);
            }
            if (window) {
                Place_Window(*block);
                window->Show();
            }
        } else if (window) {
            window->Hide();
        }
    }
    Key_Click = false;
}

template <class Parts>
void Camera_Page<Parts>::ShapeButtonTitleMouseMove(TObject* Sender, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Keep_Cursor_On_Title(*title, Main_Left(), Main_Top());
    }
}

template <class Parts>
void Camera_Page<Parts>::ShapeButtonTitleMouseUp(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    if (auto* title = dynamic_cast<TSCLShapeButton*>(Sender)) {
        Release_Title_By_Other_Button(*title, Button);
    }
}

template <class Parts>
void Camera_Page<Parts>::PopupMenuPCPopup(TObject*)
{
    const int left = Main_Left() + GroupBoxPC->Left() + ShapeButtonPCTitle->Left();
    PopupMenuPC->SetAlignment(left >= 0 ? paLeft : paCenter);
}

template <class Parts>
void Camera_Page<Parts>::MenuComClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Thread) {
        Thread->Set_Port_Number(item->Tag());
    }
}

template <class Parts>
void Camera_Page<Parts>::MenuCamerasCountClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Count(item->Tag());
    }
}

template <class Parts>
void Camera_Page<Parts>::MenuSoundClick(TObject*)
{
    if (Thread) {
        Thread->Set_Alarm_Sound(!MenuSound->Checked());
    }
}

template <class Parts>
void Camera_Page<Parts>::MenuNameClick(TObject* Sender)
{
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (item && !item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Name(Camera_Index(), item->Tag());
    }
}

template <class Parts>
void Camera_Page<Parts>::Enable_Memo_Items(TMenuItem* select_all, TMenuItem* copy, TMenuItem* save_all)
{
    const bool has_text = !MemoStatus->Text().empty();
    select_all->SetEnabled(has_text);
    save_all->SetEnabled(has_text);
    ClearMemoAllMessages->SetEnabled(has_text);
    copy->SetEnabled(MemoStatus->SelLength() > 0);
}

template <class Parts>
void Camera_Page<Parts>::SelectallMemoMessagesClick(TObject*)
{
    MemoStatus->SelectAll();
}

template <class Parts>
void Camera_Page<Parts>::CopyMemoMessagesClick(TObject*)
{
    MemoStatus->CopyToClipboard();
}

template <class Parts>
void Camera_Page<Parts>::SaveMemoAllMessagesClick(TObject*)
{
    if (Saver) {
        Saver->Save_Memo();
    }
}

template <class Parts>
void Camera_Page<Parts>::ClearMemoAllMessagesClick(TObject*)
{
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index());
    }
}

template <class Parts>
void Camera_Page<Parts>::SpeedButtonSystemClick(TObject*)
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

template <class Parts>
void Camera_Page<Parts>::SpeedButtonHelpClick(TObject*)
{
    if (Help_Hook && *Help_Hook && HHCtrlHandle) {
        (*Help_Hook)->HelpContext(1000);
        return;
    }
    if (!Main_Window) {
        return;
    }
    if (!Main_Window->Is_Busy(Camera_Index())) {
        Show_Help_Not_Loaded();
    }
    Main_Window->Post_Pending_Change(Camera_Index());
}

template <class Parts>
void Camera_Page<Parts>::Show_Help_Not_Loaded()
{
    std::string text = LoadStr(2016) + QCoreApplication::applicationDirPath().toStdString() + "/" + Help_File;
    if (*Camera_Count != 1) {
        text = "Camera " + std::to_string(Snapshot->Settings.Name) + "\n" + text;
    }
    Application->MessageBox(text.c_str(), LoadStr(1000).c_str(), MB_ICONERROR);
}

template <class Parts>
void Camera_Page<Parts>::SpeedButtonMinimizeClick(TObject*)
{
    Application->Minimize();
}

template <class Parts>
void Camera_Page<Parts>::SpeedButtonCloseClick(TObject*)
{
    if (TForm* main_form = Main_Form()) {
        main_form->Close();
    }
}

template class Camera_Page<Sd_Page_Parts>;
template class Camera_Page<Hd_Page_Parts>;
