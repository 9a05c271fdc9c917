// The camera views on real forms, offscreen: the colour table of the video
// quality meter, what an update draws for each selected count, the meters'
// thresholds and rows, the memo's popup and the double click.

#include "shell/host/Fich_camera_view.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLProgress.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/SCLShapeControl.h"
#include "components/controls/SCLSimpleLabel.h"
#include "components/foundations/Sclsysinfo.h"
#include "link/St_system.h"
#include "link/St_system_hd_convert.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/winapi/Kernel.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_cam_select.h"
#include "tests/shell/host/Strip_Owner.h"
#include "tests/support/Fake_Main_Window.h"
#include "tests/support/Temp_Settings.h"

#include <QApplication>
#include <QFileDialog>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor White = 0xFFFFFF;
constexpr TColor Navy = 0x800000;
constexpr TColor Lime = 0x00FF00;

void Pump()
{
    for (int i = 0; i < 4; ++i) {
        Application->ProcessMessages();
    }
}

std::set<int> White_Bars(const std::vector<TColor>& colours)
{
    std::set<int> white;
    for (size_t i = 0; i < colours.size(); ++i) {
        if (colours[i] == White) {
            white.insert(static_cast<int>(i));
        } else {
            EXPECT_EQ(colours[i], Navy) << "bar " << i;
        }
    }
    return white;
}

TEST(Vqos_Colours, OneWhiteBarEndsEachQuarterOfTheScale)
{
    EXPECT_EQ(White_Bars(Vqos_Colour_Table(32)), (std::set<int> {7, 15, 23}));
    EXPECT_EQ(White_Bars(Vqos_Colour_Table(10)), (std::set<int> {2, 4, 7}));
    EXPECT_EQ(White_Bars(Vqos_Colour_Table(3)), (std::set<int> {0, 1}));
    EXPECT_TRUE(Vqos_Colour_Table(0).empty());
}

// One camera's state and summary, a large and a small view of it.
class View : public ::testing::Test {
protected:
    View()
    {
        state.Settings.Name = 7;
        summary.Camera_Index = 0;
        summary.Camera_Number = &state.Settings.Name;
        summary.Messages = &lines;
        Set_Everything_Up();
        large = std::make_unique<TForm_Large_Camera>(&main_window.form, 0, &selected);
        small = std::make_unique<TForm_Small_Camera>(&main_window.form, 0, &selected);
    }

    void Set_Everything_Up()
    {
        summary.Status_Active = 1;
        summary.Status_Alarm = 0;
        summary.PC_Alarm = 0;
        summary.WCU_Active = 1;
        summary.WCU_Alarm = 0;
        summary.RS232_Visible = 1;
        state.SD.WCU.Video_Qos = 100;
        state.SD.WCU.Data_Qos = 100;
    }

    void Set_Hd(int wcu_type)
    {
        state.Type.System_Type = St_System_Type::Hd_System;
        state.Type.Wcu_Major = wcu_type >> 8;
        state.Type.Wcu_Minor = wcu_type & 0xFF;
        state.HD.Wcu_Link.D0 = 100;
        state.HD.Wcu.D0_Bits6_0 = 100;
        main_window.sd = false;
    }

    void Update(const std::vector<std::string>& new_lines = {})
    {
        lines.Clear();
        for (const std::string& line : new_lines) {
            lines.Add(line);
        }
        large->Update_Camera(&state, &summary);
        small->Update_Camera(&state, &summary);
    }

    Temp_Settings settings;
    Fake_Main_Window main_window;
    St_System state {0};
    TStringList lines;
    Status_IHM_SD_HD summary;
    int selected = 2;
    std::unique_ptr<TForm_Large_Camera> large;
    std::unique_ptr<TForm_Small_Camera> small;
};

TEST_F(View, OnlyTheLayoutShownForTheSelectedCountRedrawsButBothKeepTheWholeLog)
{
    const struct {
        int selected;
        bool large_drawn;
        bool small_drawn;
    } cases[] = {{1, false, false}, {2, true, false}, {3, true, false}, {4, false, true}};
    int line = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        selected = c.selected;
        state.Settings.Name = 10 + c.selected;
        const std::string expected = "CAM " + std::to_string(state.Settings.Name);
        const std::string large_before = large->ShapeControlTitleCam->Caption()->Caption();
        const std::string small_before = small->ShapeControlTitleCam->Caption()->Caption();
        Update({"line " + std::to_string(line), "line " + std::to_string(line + 1)});
        line += 2;
        EXPECT_EQ(large->ShapeControlTitleCam->Caption()->Caption(), c.large_drawn ? expected : large_before);
        EXPECT_EQ(small->ShapeControlTitleCam->Caption()->Caption(), c.small_drawn ? expected : small_before);
        EXPECT_EQ(large->MemoStatusCam->Lines()->Count(), line);
        EXPECT_EQ(small->MemoStatusCam->Lines()->Count(), line);
    }
    EXPECT_EQ(small->MemoStatusCam->Lines()->Strings(7), "line 7");
    EXPECT_EQ(large->BackPanelCam->Hint(), "Double click to\ndisplay camera 13");
}

TEST_F(View, ShapesFollowTheSummary)
{
    summary.AMU1_Active = 1;
    summary.AMU1_Alarm = 1;
    summary.AMU1_Frame_Active = 1;
    summary.Triax1_Visible = 1;
    summary.Triax1_Active = 1;
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->ShapeFill()->Gradient()->EndColor(), Lime);
    EXPECT_EQ(large->ShapeControlAMU1Cam->ShapeFill()->Gradient()->EndColor(), Red);
    EXPECT_TRUE(large->ShapeControlAMU1Cam->Enabled());
    EXPECT_TRUE(large->ShapeControlAMU1Select->Visible());
    EXPECT_FALSE(large->ShapeControlAMU2Select->Visible());
    EXPECT_FALSE(large->ShapeControlAMU2Cam->Enabled());
    EXPECT_EQ(large->ShapeControlAMU2Cam->Brush()->Color(), static_cast<TColor>(0xC0C0C0));
    EXPECT_TRUE(large->ShapeControlLinkTriax1->Visible());
    EXPECT_EQ(large->ShapeControlLinkTriax1->Brush()->Color(), static_cast<TColor>(0x9B0000));
    EXPECT_FALSE(large->ShapeControlLinkTriax2->Visible());
    EXPECT_TRUE(large->ShapeControlLinkRS232->Visible());
    EXPECT_EQ(large->ShapeControlLinkRS232->Brush()->Color(), static_cast<TColor>(0x808080));
    EXPECT_FALSE(large->ShapeControlWCACam->Visible());

    summary.Status_Alarm = 1;
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->ShapeFill()->Gradient()->EndColor(), Red);
}

TEST_F(View, HintsTellThePortAndTheConnection)
{
    state.Settings.Port_Number = 0;
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->Hint(), "No valid PC serial\nport is selected");
    state.Settings.Port_Number = 3;
    state.Settings.Connected = false;
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->Hint(), "Serial port Com3 is used");
    EXPECT_EQ(large->ShapeControlPCCam->Hint(), "Serial port Com3 is used");
    state.Settings.Connected = true;
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->Hint(), "SD camera\nSerial port Com3 is used");
    Set_Hd(0x201);
    Update();
    EXPECT_EQ(large->ShapeControlTitleCam->Hint(), "HD camera\nSerial port Com3 is used");
}

TEST_F(View, MeterThresholds)
{
    const struct {
        const char* what;
        bool hd;
        int vqos;
        int dqos;
        bool link_break;
        TColor vqos_light;
        TColor dqos_light;
    } cases[] = {
        {"HD raw 12", true, 12, 50, false, Red, White},       {"HD raw 13", true, 13, 50, false, White, White},
        {"HD DQOS 9", true, 50, 9, false, White, Red},        {"HD DQOS 10", true, 50, 10, false, White, White},
        {"HD data link break", true, 50, 100, true, White, Red}, {"SD 9", false, 9, 9, false, Red, Red},
        {"SD 10", false, 10, 10, false, White, White},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.hd) {
            Set_Hd(0x201);
            state.HD.Wcu_Link.D0 = c.vqos;
            state.HD.Wcu.D0_Bits6_0 = c.dqos;
            state.HD.Wcu.D2_Bit0_Confirmed = c.link_break;
        } else {
            state.Type.System_Type = St_System_Type::Sd_System;
            state.SD.WCU.Video_Qos = c.vqos;
            state.SD.WCU.Data_Qos = c.dqos;
        }
        Update();
        EXPECT_EQ(large->ProgressVQOSCam->Bevel()->LightColor(), c.vqos_light);
        EXPECT_EQ(large->ProgressDQOSCam->Bevel()->LightColor(), c.dqos_light);
        EXPECT_EQ(large->ProgressVQOSCam->UserValue(), c.hd ? Quality_Percent(c.vqos) : c.vqos);
        EXPECT_EQ(large->ProgressDQOSCam->UserValue(), c.link_break ? 0 : c.dqos);
        EXPECT_EQ(large->ProgressVQOSCam->MaxValue(), c.hd ? 100 : 127);
    }
}

TEST_F(View, AnOlderHdWcuHasNoVideoQualityRowAndTheDataRowSitsMidway)
{
    const int label_top = large->LabelDQOSCam->Top();
    const int bar_top = large->ProgressDQOSCam->Top();
    const int midway_label = (large->LabelVQOSCam->Top() + label_top) / 2;
    const int midway_bar = (large->ProgressVQOSCam->Top() + bar_top) / 2;
    Set_Hd(0x201);
    state.HD.Wcu_Link.D1_Bit2 = true;
    state.HD.Wcu_Link.D0 = 60;
    Update();
    EXPECT_TRUE(large->LabelFreezeCam->Visible());

    Set_Hd(0x200);
    state.HD.Wcu_Link.D0 = 70;
    Update();
    EXPECT_FALSE(large->LabelVQOSCam->Visible());
    EXPECT_FALSE(large->ProgressVQOSCam->Visible());
    EXPECT_FALSE(large->LabelFreezeCam->Visible());
    EXPECT_EQ(large->LabelDQOSCam->Top(), midway_label);
    EXPECT_EQ(large->ProgressDQOSCam->Top(), midway_bar);

    Set_Hd(0x201);
    Update();
    EXPECT_TRUE(large->LabelVQOSCam->Visible());
    EXPECT_TRUE(large->LabelFreezeCam->Visible());
    EXPECT_EQ(large->LabelDQOSCam->Top(), label_top);
    EXPECT_EQ(large->ProgressDQOSCam->Top(), bar_top);
}

TEST_F(View, AnAbsentWcuEmptiesAndGreysBothMeters)
{
    Update();
    summary.WCU_Active = 0;
    Update();
    for (TSCLProgress* meter : {large->ProgressVQOSCam, large->ProgressDQOSCam}) {
        EXPECT_FALSE(meter->Enabled());
        EXPECT_EQ(meter->UserValue(), meter->MinValue());
        EXPECT_EQ(meter->Bevel()->LightColor(), White);
    }
    EXPECT_EQ(large->LabelVQOSCam->Font()->Color(), static_cast<TColor>(0x808080));
    EXPECT_EQ(large->LabelDQOSCam->Font()->Color(), static_cast<TColor>(0x808080));
}

TEST_F(View, VideoQualityBarsAreNavyForSdAndQuarteredForHd)
{
    const std::vector<TColor> table = Vqos_Colour_Table(large->ProgressVQOSCam->SmallBar()->BarCount());
    ASSERT_EQ(large->Get_Vqos_Colours(), table);
    const BYTE white_bar = static_cast<BYTE>(*White_Bars(table).begin());
    TColor colour = 0;
    main_window.sd = true;
    large->ProgressVQOSCamGetColor(nullptr, white_bar, colour);
    EXPECT_EQ(colour, Navy);
    main_window.sd = false;
    large->ProgressVQOSCamGetColor(nullptr, white_bar, colour);
    EXPECT_EQ(colour, White);
    large->ProgressVQOSCamGetColor(nullptr, 200, colour);
    EXPECT_EQ(colour, Navy);
}

TEST_F(View, TheMemoPopupOffersWhatTheMemoHolds)
{
    large->PopupMenuMemoStatusCamPopup(nullptr);
    for (TMenuItem* item : {large->SelectallMemoMessages, large->CopyMemoMessages, large->SaveMemoAllMessages,
                            large->ClearMemoAllMessages}) {
        EXPECT_FALSE(item->Enabled());
    }
    large->Show();
    Update({"first", "second"});
    large->PopupMenuMemoStatusCamPopup(nullptr);
    EXPECT_TRUE(large->SelectallMemoMessages->Enabled());
    EXPECT_TRUE(large->SaveMemoAllMessages->Enabled());
    EXPECT_TRUE(large->ClearMemoAllMessages->Enabled());
    EXPECT_FALSE(large->CopyMemoMessages->Enabled());
    large->SelectallMemoMessagesClick(nullptr);
    large->PopupMenuMemoStatusCamPopup(nullptr);
    EXPECT_TRUE(large->CopyMemoMessages->Enabled());
    EXPECT_EQ(large->ClearMemoAllMessages->ShortCut(), 46);

    large->ClearMemoAllMessagesClick(nullptr);
    EXPECT_EQ(main_window.cleared, std::vector<int> {0});
    large->Clear_Messages();
    EXPECT_TRUE(large->MemoStatusCam->Text().empty());
}

TEST_F(View, SavingWhileBusyShowsNoDialogAndLetsThePendingChangeRun)
{
    Update({"a line"});
    main_window.busy = true;
    large->SaveMemoAllMessagesClick(nullptr);
    EXPECT_EQ(main_window.pending, std::vector<int> {0});
    EXPECT_EQ(large->SaveDialogFichierStatus->Filter(), "Text file (*.txt)|*.txt");
}

// Runs act inside the next modal loop's first turn.
void While_Shown(std::function<void()> act)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(act), Qt::QueuedConnection);
}

// Accepts the open save dialog with that file name.
void Accept_Save_Dialog(const std::string& name)
{
    auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(shown, nullptr);
    shown->selectFile(QString::fromStdString(name));
    static_cast<QDialog*>(shown)->accept();
}

// Waits, turn after turn, for a message box; takes its text and closes it.
void Take_Message_Box(std::string& text, int turns_left = 2000)
{
    While_Shown([&text, turns_left] {
        for (const Modal_Dialog& dialog : Find_Modal_Dialogs(GetCurrentThreadId())) {
            auto* box = dynamic_cast<TCustomForm*>(FindControl(dialog.Window));
            auto* label = box ? dynamic_cast<TLabel*>(box->FindComponent("LabelMessage")) : nullptr;
            if (label) {
                text = label->Caption();
                Close_Modal_Dialogs(GetCurrentThreadId());
                return;
            }
        }
        if (turns_left > 0) {
            Take_Message_Box(text, turns_left - 1);
        }
    });
}

TEST_F(View, SavingWritesEveryLineWithCrLf)
{
    const std::filesystem::path folder = Make_Temp_Folder("view_save");
    Update({"first", "second"});
    large->SaveDialogFichierStatus->SetInitialDir(folder.string());
    While_Shown([] { Accept_Save_Dialog("log"); });
    large->SaveMemoAllMessagesClick(nullptr);
    std::ifstream file(folder / "log.txt", std::ios::binary);
    const std::string saved((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(saved, "first\r\nsecond\r\n");
    EXPECT_EQ(main_window.pending, std::vector<int> {0});
    std::filesystem::remove_all(folder);
}

// The folder chosen goes away while the dialog closes.
TEST_F(View, AFileThatCannotBeWrittenIsReported)
{
    const std::filesystem::path folder = Make_Temp_Folder("view_save");
    Update({"first"});
    large->SaveDialogFichierStatus->SetInitialDir(folder.string());
    std::string reported;
    While_Shown([&reported, &folder] {
        Accept_Save_Dialog("gone");
        std::filesystem::remove_all(folder);
        Take_Message_Box(reported);
    });
    large->SaveMemoAllMessagesClick(nullptr);
    EXPECT_EQ(reported, "Error creating file :\n" + (folder / "gone.txt").string());
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(View, ACameraNumberItemNamesTheCameraUnlessAlreadyChecked)
{
    Update();
    TMenuItem* root = large->MenuCamName;
    ASSERT_GT(root->Count(), 0);
    TMenuItem* seven = nullptr;
    TMenuItem* eight = nullptr;
    for (int i = 0; i < root->Count(); ++i) {
        for (int j = 0; j < root->Items(i)->Count(); ++j) {
            TMenuItem* item = root->Items(i)->Items(j);
            if (item->Tag() == 7) {
                seven = item;
            } else if (item->Tag() == 8) {
                eight = item;
            }
        }
    }
    ASSERT_TRUE(seven && eight);
    EXPECT_TRUE(seven->Checked());
    large->MenuNameClick(seven);
    large->MenuNameClick(eight);
    EXPECT_EQ(main_window.names, std::vector<int> {8});
}

TEST_F(View, ADoubleClickClicksThatCamerasStripButton)
{
    ASSERT_TRUE(Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", 4));
    Strip_Owner owner;
    owner.main.Show();
    Form_Cam_Select = new TForm_Cam_Select(&owner, owner.host);
    owner.host->AddFormExt(Form_Cam_Select, true);
    Form_Cam_Select->Layout(-1);
    Pump();
    TForm_Large_Camera third(&main_window.form, 2, &selected);
    third.MemoStatusCam->OnDblClick(third.MemoStatusCam);
    Pump();
    const std::vector<Strip_Owner::Selection> third_alone {{1, {false, false, true, false}}};
    EXPECT_EQ(owner.shown, third_alone);
    owner.host->RemoveForm(Form_Cam_Select, true);
    Form_Cam_Select = nullptr;
}

} // namespace
