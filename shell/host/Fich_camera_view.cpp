#include "shell/host/Fich_camera_view.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLGroupBox.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/controls/SCLSimplePanel.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/Pc_wcu_file_sd.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/classlib/String_Table.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_cam_select.h"
#include "shell/services/Main_Window_Services.h"
#include "shell/services/Menu_camera_name.h"
#include "shell/services/Screen_dpi.h"

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Lime = 0x00FF00;
constexpr TColor Silver = 0xC0C0C0;
constexpr TColor Grey = 0x808080;
constexpr TColor Black = 0x000000;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Navy = 0x800000;
constexpr TColor Active_Link = 0x9B0000;
constexpr int Minimum_Quality = 10;
constexpr int Help_Context = 1010;

// Which record field each meaning of the view reads.
int Hd_Link_Raw_Vqos(const St_System& state) { return state.HD.Wcu_Link.D0; }
bool Hd_Link_Freeze(const St_System& state) { return state.HD.Wcu_Link.D1_Bit2; }
int Hd_Wcu_Dqos(const St_System& state) { return state.HD.Wcu.D0_Bits6_0; }
bool Hd_Wcu_Data_Link_Break(const St_System& state) { return state.HD.Wcu.D2_Bit0_Confirmed; }

bool Is_Hd(const St_System& state) { return state.Type.System_Type == St_System_Type::Hd_System; }

void Set_Shape_Colour(TSCLBaseShape* shape, TColor colour)
{
    shape->ShapeFill()->Gradient()->SetEndColor(colour);
    shape->Brush()->SetColor(colour);
}

void Set_Equipment_Shape(bool present, bool alarm, TSCLShapeControl* shape)
{
    if (!present) {
        if (shape->Enabled()) {
            shape->SetEnabled(false);
            Set_Shape_Colour(shape, Silver);
        }
        return;
    }
    if (!shape->Enabled()) {
        shape->SetEnabled(true);
    }
    const TColor colour = alarm ? Red : Lime;
    if (shape->ShapeFill()->Gradient()->EndColor() != colour) {
        Set_Shape_Colour(shape, colour);
    }
}

void Set_Link_Shape(bool shown, bool active, TSCLShapeControl* shape)
{
    if (!shown) {
        if (shape->Visible()) {
            shape->SetVisible(false);
        }
        return;
    }
    if (!shape->Visible()) {
        shape->SetVisible(true);
    }
    TSCLGradient* gradient = shape->ShapeFill()->Gradient();
    if (active && gradient->EndColor() != Active_Link) {
        gradient->SetEndColor(Active_Link);
        gradient->SetColor(Active_Link);
        shape->Brush()->SetColor(Active_Link);
    } else if (!active && gradient->EndColor() != Black) {
        gradient->SetEndColor(Black);
        gradient->SetColor(Silver);
        shape->Brush()->SetColor(Grey);
    }
}

void Set_Visible(TControl* control, bool visible)
{
    if (control->Visible() != visible) {
        control->SetVisible(visible);
    }
}

void Set_Font_Colour(TControl* control, TColor colour)
{
    if (control->Font()->Color() != colour) {
        control->Font()->SetColor(colour);
    }
}

void Set_Position(TSCLProgress* meter, int value)
{
    if (meter->UserValue() != value) {
        meter->SetUserValue(value);
    }
}

void Set_Light(TSCLProgress* meter, TColor colour)
{
    if (meter->Bevel()->LightColor() != colour) {
        meter->Bevel()->SetColor(1, colour);
    }
}

// Enabled bars have a black caption beside them, disabled ones a grey one.
void Set_Meter_Enabled(TSCLProgress* meter, TSCLSimpleLabel* label, bool enabled)
{
    if (meter->Enabled() != enabled) {
        meter->SetEnabled(enabled);
        Set_Font_Colour(label, enabled ? Black : Grey);
    }
}

void Set_Hint(TControl* control, const std::string& hint)
{
    control->SetHint(hint);
}

} // namespace

std::vector<TColor> Vqos_Colour_Table(int bar_count)
{
    std::vector<TColor> colours(static_cast<size_t>(std::max(bar_count, 0)), Navy);
    int quarter = 0;
    for (int i = 1; i < bar_count && quarter < 3; ++i) {
        const int q = static_cast<int>(static_cast<float>(i) * 4.0f / static_cast<float>(bar_count));
        if (q != quarter) {
            colours[static_cast<size_t>(i - 1)] = White;
            quarter = q;
        }
    }
    return colours;
}

TForm_Camera_View::TForm_Camera_View(TComponent* owner, int camera_index, int* cameras_selected)
    : TForm(owner), Camera_Index(camera_index), Cameras_Selected(cameras_selected)
{
}

TForm_Camera_View::~TForm_Camera_View()
{
    // The form's own destructor would run OnDestroy after these fields are gone.
    OnDestroy = nullptr;
    FormDestroy(this);
}

const TForm_Table& TForm_Camera_View::Table()
{
    using F = TForm_Camera_View;
    static const TForm_Table table =
        TForm_Table()
            .Field("BackPanelCam", &F::BackPanelCam)
            .Field("ShapeControlTitleCam", &F::ShapeControlTitleCam)
            .Field("ShapeControlPCCam", &F::ShapeControlPCCam)
            .Field("ShapeControlWCACam", &F::ShapeControlWCACam)
            .Field("ShapeControlWCUCam", &F::ShapeControlWCUCam)
            .Field("ShapeControlAMU1Cam", &F::ShapeControlAMU1Cam)
            .Field("ShapeControlAMU2Cam", &F::ShapeControlAMU2Cam)
            .Field("ShapeControlDE1Cam", &F::ShapeControlDE1Cam)
            .Field("ShapeControlDE2Cam", &F::ShapeControlDE2Cam)
            .Field("ShapeControlAMU1Select", &F::ShapeControlAMU1Select)
            .Field("ShapeControlAMU2Select", &F::ShapeControlAMU2Select)
            .Field("ShapeControlDE1Select", &F::ShapeControlDE1Select)
            .Field("ShapeControlDE2Select", &F::ShapeControlDE2Select)
            .Field("ShapeControlLinkRS232", &F::ShapeControlLinkRS232)
            .Field("ShapeControlLinkTriax1", &F::ShapeControlLinkTriax1)
            .Field("ShapeControlLinkTriax2", &F::ShapeControlLinkTriax2)
            .Field("ShapeControlLinkDE1", &F::ShapeControlLinkDE1)
            .Field("ShapeControlLinkDE2", &F::ShapeControlLinkDE2)
            .Field("LabelVQOSCam", &F::LabelVQOSCam)
            .Field("ProgressVQOSCam", &F::ProgressVQOSCam)
            .Field("LabelFreezeCam", &F::LabelFreezeCam)
            .Field("LabelDQOSCam", &F::LabelDQOSCam)
            .Field("ProgressDQOSCam", &F::ProgressDQOSCam)
            .Field("GroupStatusCam", &F::GroupStatusCam)
            .Field("SimplePanelStatusCam", &F::SimplePanelStatusCam)
            .Field("MemoStatusCam", &F::MemoStatusCam)
            .Field("SaveDialogFichierStatus", &F::SaveDialogFichierStatus)
            .Field("PopupMenuMemoStatusCam", &F::PopupMenuMemoStatusCam)
            .Field("SelectallMemoMessages", &F::SelectallMemoMessages)
            .Field("CopyMemoMessages", &F::CopyMemoMessages)
            .Field("SaveMemoAllMessages", &F::SaveMemoAllMessages)
            .Field("ClearMemoAllMessages", &F::ClearMemoAllMessages)
            .Field("PopupCamName", &F::PopupCamName)
            .Field("MenuCamName", &F::MenuCamName)
            .Handler("CamDblClick", &F::CamDblClick)
            .Handler("PopupMenuMemoStatusCamPopup", &F::PopupMenuMemoStatusCamPopup)
            .Handler("SelectallMemoMessagesClick", &F::SelectallMemoMessagesClick)
            .Handler("CopyMemoMessagesClick", &F::CopyMemoMessagesClick)
            .Handler("SaveMemoAllMessagesClick", &F::SaveMemoAllMessagesClick)
            .Handler("ClearMemoAllMessagesClick", &F::ClearMemoAllMessagesClick)
            .Handler("ProgressVQOSCamGetColor", &F::ProgressVQOSCamGetColor)
            .Handler("FormDestroy", &F::FormDestroy);
    return table;
}

TForm_Large_Camera::TForm_Large_Camera(TComponent* owner, int camera_index, int* cameras_selected)
    : TForm_Camera_View(owner, camera_index, cameras_selected)
{
    InitInheritedComponent(this, Table());
    Build();
}

TForm_Small_Camera::TForm_Small_Camera(TComponent* owner, int camera_index, int* cameras_selected)
    : TForm_Camera_View(owner, camera_index, cameras_selected)
{
    InitInheritedComponent(this, Table());
    Build();
}

void TForm_Camera_View::Build()
{
    if (Main_Window && Main_Window->Get_Main_Sys_Info()) {
        Colour_Depth = Main_Window->Get_Main_Sys_Info()->GetColorDepth();
    }
    Dqos_Label_Top_Alone = (LabelVQOSCam->Top() + LabelDQOSCam->Top()) / 2;
    Dqos_Label_Top = LabelDQOSCam->Top();
    Dqos_Bar_Top_Alone = (ProgressVQOSCam->Top() + ProgressDQOSCam->Top()) / 2;
    Dqos_Bar_Top = ProgressDQOSCam->Top();
    Adapt_Form_To_Dpi(Owner(), this);
    Adapt_To_Colour_Depth();
    Camera_Name_Menu = std::make_unique<Menu_Camera_Name>(PopupCamName, MenuCamName,
                                                          [this](TObject* item) { MenuNameClick(item); });
    LabelFreezeCam->SetHeight(ProgressVQOSCam->Height() - 1);
    Build_Vqos_Colours();
    SetHelpContext(Help_Context);
    for (int i = 0; i < PopupMenuMemoStatusCam->Items()->Count(); ++i) {
        PopupMenuMemoStatusCam->Items()->Items(i)->SetHelpContext(Help_Context);
    }
    MemoStatusCam->SetHelpContext(Help_Context);
    Bind_Double_Clicks();
}

// Any control of the view, the memo included, answers a double click.
void TForm_Camera_View::Bind_Double_Clicks()
{
    for (int i = 0; i < ComponentCount(); ++i) {
        if (auto* control = dynamic_cast<TControl*>(Components(i))) {
            control->OnDblClick = [this](TObject* sender) { CamDblClick(sender); };
        }
    }
}

void TForm_Camera_View::Adapt_To_Colour_Depth()
{
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* shape = dynamic_cast<TSCLShapeControl*>(Components(i));
        if (!shape || shape->Color() == Navy) {
            continue;
        }
        TSCLShapeFill* fill = shape->ShapeFill();
        if (shape->Name().find("ShapeControlLink") != std::string::npos) {
            fill->SetFillStyle(Colour_Depth <= 8 ? sfBrush : sfGradient);
            shape->Bevel()->SetWidth(Colour_Depth <= 8 ? 1 : 0);
        } else if (Colour_Depth <= 8) {
            fill->SetFillStyle(sfBrush);
        } else {
            fill->SetFillStyle(sfGradient);
            fill->Gradient()->SetColorCount(Colour_Depth <= 16 ? 16 : 128);
        }
    }
}

void TForm_Camera_View::Build_Vqos_Colours()
{
    Vqos_Colours = Vqos_Colour_Table(ProgressVQOSCam->SmallBar()->BarCount());
}

void TForm_Camera_View::Update_Camera(const St_System* state, const Status_IHM_SD_HD* summary)
{
    if (!state || !summary) {
        return;
    }
    if (Cameras_Selected && Is_Shown_For(*Cameras_Selected)) {
        Show_Title(*summary);
        Show_Hints(*state);
        Show_Shapes(*state, *summary);
        const bool hd = Is_Hd(*state);
        if ((ProgressVQOSCam->MaxValue() == 100) != hd) {
            ProgressVQOSCam->SetUserValue(ProgressVQOSCam->MinValue());
            ProgressVQOSCam->SetMaxValue(hd ? 100 : 127);
        }
        if (!summary->WCU_Active) {
            Show_Vqos_Absent(!hd);
        } else if (hd) {
            Show_Vqos_Hd(*state);
        } else {
            Show_Vqos_Sd(*state);
        }
        Show_Dqos(*state, *summary);
        Set_Font_Colour(MemoStatusCam, summary->Status_Active ? Black : Grey);
    }
    Append_Log(*summary);
}

void TForm_Camera_View::Show_Title(const Status_IHM_SD_HD& summary)
{
    const int number = summary.Camera_Number ? *summary.Camera_Number : 0;
    Title_Text = "CAM " + std::to_string(number);
    if (ShapeControlTitleCam->Caption()->Caption() == Title_Text) {
        return;
    }
    ShapeControlTitleCam->Caption()->SetCaption(Title_Text);
    Camera_Name_Menu->Check(number);
    BackPanelCam->SetHint(LoadStr(3102) + std::to_string(number));
}

void TForm_Camera_View::Show_Hints(const St_System& state)
{
    const St_System_Settings& settings = state.Settings;
    if (!settings.Has_Port()) {
        Set_Hint(ShapeControlTitleCam, LoadStr(3004));
        Set_Hint(ShapeControlPCCam, LoadStr(3004));
        return;
    }
    const std::string port = std::to_string(settings.Port_Number);
    const std::string used = LoadStr(3005) + port + LoadStr(3006);
    if (settings.Is_Connected()) {
        Set_Hint(ShapeControlTitleCam, LoadStr(Is_Hd(state) ? 3101 : 3100) + port + LoadStr(3006));
    } else {
        Set_Hint(ShapeControlTitleCam, used);
    }
    Set_Hint(ShapeControlPCCam, used);
}

void TForm_Camera_View::Show_Shapes(const St_System& state, const Status_IHM_SD_HD& summary)
{
    Set_Equipment_Shape(true, summary.Status_Alarm, ShapeControlTitleCam);
    Set_Equipment_Shape(true, summary.PC_Alarm, ShapeControlPCCam);
    Set_Link_Shape(summary.RS232_Visible, false, ShapeControlLinkRS232);
    Set_Equipment_Shape(summary.WCU_Active, summary.WCU_Alarm, ShapeControlWCUCam);
    Set_Link_Shape(summary.Triax1_Visible, summary.Triax1_Active, ShapeControlLinkTriax1);
    Set_Link_Shape(summary.Triax2_Visible, summary.Triax2_Active, ShapeControlLinkTriax2);
    Set_Equipment_Shape(summary.AMU1_Active, summary.AMU1_Alarm, ShapeControlAMU1Cam);
    Set_Visible(ShapeControlAMU1Select, summary.AMU1_Frame_Active);
    Set_Link_Shape(summary.Wire_DE1_Visible, summary.Wire_DE1_Active, ShapeControlLinkDE1);
    Set_Equipment_Shape(summary.AMU2_Active, summary.AMU2_Alarm, ShapeControlAMU2Cam);
    Set_Visible(ShapeControlAMU2Select, summary.AMU2_Frame_Active);
    Set_Link_Shape(summary.Wire_DE2_Visible, summary.Wire_DE2_Active, ShapeControlLinkDE2);
    Set_Equipment_Shape(summary.DE1_Active, summary.DE1_Alarm, ShapeControlDE1Cam);
    Set_Visible(ShapeControlDE1Select, summary.DE1_Frame_Active);
    Set_Equipment_Shape(summary.DE2_Active, summary.DE2_Alarm, ShapeControlDE2Cam);
    Set_Visible(ShapeControlDE2Select, summary.DE2_Frame_Active);
    const bool hd = Is_Hd(state);
    Set_Visible(ShapeControlWCACam, hd);
    if (hd) {
        Set_Equipment_Shape(summary.WCA_Active, summary.WCA_Alarm, ShapeControlWCACam);
    }
}

void TForm_Camera_View::Place_Dqos_Row(bool alone)
{
    LabelDQOSCam->SetTop(alone ? Dqos_Label_Top_Alone : Dqos_Label_Top);
    ProgressDQOSCam->SetTop(alone ? Dqos_Bar_Top_Alone : Dqos_Bar_Top);
}

void TForm_Camera_View::Show_Vqos_Sd(const St_System& state)
{
    if (!LabelVQOSCam->Visible()) {
        LabelVQOSCam->SetVisible(true);
        ProgressVQOSCam->SetVisible(true);
        Place_Dqos_Row(false);
    }
    Set_Meter_Enabled(ProgressVQOSCam, LabelVQOSCam, true);
    Set_Font_Colour(LabelVQOSCam, Black);
    Set_Position(ProgressVQOSCam, state.SD.WCU.Video_Qos);
    Set_Light(ProgressVQOSCam, ProgressVQOSCam->UserValue() < Minimum_Quality ? Red : White);
    Set_Visible(LabelFreezeCam, false);
}

void TForm_Camera_View::Show_Vqos_Hd(const St_System& state)
{
    const bool newer = state.Type.Is_Hd_Wcu_After_V2();
    if (newer != LabelVQOSCam->Visible()) {
        LabelVQOSCam->SetVisible(newer);
        ProgressVQOSCam->SetVisible(newer);
        Place_Dqos_Row(!newer);
    }
    if (LabelFreezeCam->Visible() && !newer) {
        LabelFreezeCam->SetVisible(false);
    }
    if (!LabelVQOSCam->Visible()) {
        return;
    }
    Set_Meter_Enabled(ProgressVQOSCam, LabelVQOSCam, true);
    const int raw = Hd_Link_Raw_Vqos(state);
    Set_Light(ProgressVQOSCam, static_cast<float>(raw) > 12.0f ? White : Red);
    const int percent = Quality_Percent(raw);
    const bool freeze = Hd_Link_Freeze(state);
    if (percent != ProgressVQOSCam->UserValue()) {
        ProgressVQOSCam->SetUserValue(percent);
        if (newer) {
            LabelFreezeCam->SetVisible(freeze);
            LabelFreezeCam->Repaint();
        }
    } else if (newer && LabelFreezeCam->Visible() != freeze) {
        LabelFreezeCam->SetVisible(freeze);
        LabelFreezeCam->Repaint();
    }
}

void TForm_Camera_View::Show_Vqos_Absent(bool sd)
{
    if (sd && !LabelVQOSCam->Visible()) {
        LabelVQOSCam->SetVisible(true);
        ProgressVQOSCam->SetVisible(true);
        Place_Dqos_Row(false);
    }
    if (sd || LabelVQOSCam->Visible()) {
        Set_Meter_Enabled(ProgressVQOSCam, LabelVQOSCam, false);
        Set_Position(ProgressVQOSCam, ProgressVQOSCam->MinValue());
        Set_Light(ProgressVQOSCam, White);
    }
    Set_Visible(LabelFreezeCam, false);
}

void TForm_Camera_View::Show_Dqos(const St_System& state, const Status_IHM_SD_HD& summary)
{
    const bool present = summary.WCU_Active;
    Set_Meter_Enabled(ProgressDQOSCam, LabelDQOSCam, present);
    if (!present) {
        Set_Position(ProgressDQOSCam, ProgressDQOSCam->MinValue());
        Set_Light(ProgressDQOSCam, White);
        return;
    }
    if (!Is_Hd(state)) {
        Set_Position(ProgressDQOSCam, state.SD.WCU.Data_Qos);
        Set_Light(ProgressDQOSCam, ProgressDQOSCam->UserValue() < Minimum_Quality ? Red : White);
        return;
    }
    const bool broken = Hd_Wcu_Data_Link_Break(state);
    Set_Position(ProgressDQOSCam, broken ? ProgressDQOSCam->MinValue() : Hd_Wcu_Dqos(state));
    Set_Light(ProgressDQOSCam, broken || ProgressDQOSCam->UserValue() < Minimum_Quality ? Red : White);
}

void TForm_Camera_View::Append_Log(const Status_IHM_SD_HD& summary)
{
    if (!summary.Messages) {
        return;
    }
    for (int i = 0; i < summary.Messages->Count(); ++i) {
        MemoStatusCam->Lines()->Add(summary.Messages->Strings(i));
    }
}

void TForm_Camera_View::Clear_Messages()
{
    MemoStatusCam->Clear();
}

void TForm_Camera_View::CamDblClick(TObject*)
{
    if (Form_Cam_Select) {
        Form_Cam_Select->Click_Camera_Button(Camera_Index);
    }
}

void TForm_Camera_View::PopupMenuMemoStatusCamPopup(TObject*)
{
    const bool has_text = !MemoStatusCam->Text().empty();
    SelectallMemoMessages->SetEnabled(has_text);
    SaveMemoAllMessages->SetEnabled(has_text);
    ClearMemoAllMessages->SetEnabled(has_text);
    CopyMemoMessages->SetEnabled(MemoStatusCam->SelLength() > 0);
}

void TForm_Camera_View::SelectallMemoMessagesClick(TObject*)
{
    MemoStatusCam->SelectAll();
}

void TForm_Camera_View::CopyMemoMessagesClick(TObject*)
{
    MemoStatusCam->CopyToClipboard();
}

// The file replaces an old one only once wholly written; a failure is
// reported, not silently dropped.
void TForm_Camera_View::SaveMemoAllMessagesClick(TObject*)
{
    if (MemoStatusCam->Text().empty() || !Main_Window) {
        return;
    }
    Set_Save_Filter(*SaveDialogFichierStatus, "Text file", "txt");
    if (Main_Window->Is_Busy(Camera_Index) || !SaveDialogFichierStatus->Execute()) {
        Main_Window->Post_Pending_Change(Camera_Index);
        return;
    }
    if (Main_Window->Post_Pending_Change(Camera_Index)) {
        return;
    }
    try {
        MemoStatusCam->Lines()->SaveToFile(SaveDialogFichierStatus->FileName());
    } catch (const Exception&) {
        if (!Main_Window->Is_Busy(Camera_Index)) {
            Application->MessageBox((LoadStr(2015) + SaveDialogFichierStatus->FileName()).c_str(),
                                    LoadStr(1000).c_str(), MB_ICONERROR | MB_OK);
        }
        Main_Window->Post_Pending_Change(Camera_Index);
    }
}

void TForm_Camera_View::ClearMemoAllMessagesClick(TObject*)
{
    if (Main_Window) {
        Main_Window->Clear_Camera_Messages(Camera_Index);
    }
}

void TForm_Camera_View::MenuNameClick(TObject* Sender)
{
    auto* item = static_cast<TMenuItem*>(Sender);
    if (!item->Checked() && Main_Window) {
        Main_Window->Set_Camera_Name(Camera_Index, item->Tag());
    }
}

void TForm_Camera_View::ProgressVQOSCamGetColor(TObject*, BYTE nr, TColor& aColor)
{
    const bool sd = !Main_Window || Main_Window->Is_Sd_Camera(Camera_Index);
    aColor = Vqos_Colours.empty() || sd || nr >= Vqos_Colours.size() ? Navy : Vqos_Colours[nr];
}

void TForm_Camera_View::FormDestroy(TObject*)
{
    Vqos_Colours.clear();
    Camera_Name_Menu.reset();
}
