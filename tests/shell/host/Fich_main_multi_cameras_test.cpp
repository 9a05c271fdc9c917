// The multi-camera page on a real form, offscreen: where the views stand for
// each selection, the title alarm from the shown views only, the help
// button's message and dragging the main window.

#include "shell/host/Fich_main_multi_cameras.h"

#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeControl.h"
#include "components/foundations/Sclcont.h"
#include "link/St_system.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/StdCtrls_Memo.h"
#include "platform/winapi/Cursor.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/System_Metrics.h"
#include "platform/winapi/Window.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Fich_camera_view.h"
#include "shell/services/Hh.h"
#include "shell/services/Hh_funcs.h"
#include "shell/host/Main_container.h"
#include "tests/support/Fake_Main_Window.h"
#include "tests/support/Temp_Settings.h"

#include <QImage>
#include <QCoreApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Lime = 0x00FF00;

void Pump()
{
    for (int i = 0; i < 4; ++i) {
        Application->ProcessMessages();
    }
}

// The even cameras are SD, the odd ones HD.
class Mixed_Main_Window : public Fake_Main_Window {
public:
    bool Is_Sd_Camera(int camera_index) override { return camera_index % 2 == 0; }
};

// Four cameras, two SD and two HD, all up and well.
struct Cameras {
    Cameras()
    {
        for (int i = 0; i < 4; ++i) {
            states[i] = std::make_unique<St_System>(i);
            St_System& state = *states[i];
            state.Settings.Name = i + 1;
            state.Settings.Port_Number = i + 1;
            state.Settings.Connected = true;
            state.SD.WCU.Video_Qos = 90 - 20 * i;
            state.SD.WCU.Data_Qos = 100 - 15 * i;
            if (i % 2 == 1) {
                state.Type.System_Type = St_System_Type::Hd_System;
                state.Type.Wcu_Major = 2;
                state.Type.Wcu_Minor = 1;
                state.HD.Wcu_Link.D0 = 110 - 30 * i;
                state.HD.Wcu.D0_Bits6_0 = 80;
            }
            Status_IHM_SD_HD& s = summaries[i];
            s.Camera_Index = static_cast<uint32_t>(i);
            s.Camera_Number = &state.Settings.Name;
            s.Messages = &lines[i];
            s.Status_Active = 1;
            s.Status_Alarm = 0;
            s.PC_Alarm = 0;
            s.RS232_Visible = 1;
            s.WCU_Active = 1;
            s.WCU_Alarm = 0;
            s.AMU1_Active = s.AMU2_Active = s.DE1_Active = s.DE2_Active = 1;
            s.AMU1_Alarm = s.AMU2_Alarm = s.DE1_Alarm = s.DE2_Alarm = 0;
            s.Triax1_Visible = s.Triax2_Visible = s.Wire_DE1_Visible = s.Wire_DE2_Visible = 1;
            s.Triax1_Active = s.Wire_DE1_Active = 1;
            s.AMU1_Frame_Active = s.DE1_Frame_Active = 1;
            s.WCA_Active = i % 2;
            s.WCA_Alarm = 0;
            lines[i].Add("------- 12:00:0" + std::to_string(i) + " -------");
            lines[i].Add("WCU connected");
        }
    }
    std::array<std::unique_ptr<St_System>, 4> states;
    std::array<Status_IHM_SD_HD, 4> summaries;
    std::array<TStringList, 4> lines;
};

class Page : public ::testing::Test {
protected:
    Page()
    {
        main_window.form.SetBorderStyle(bsNone);
        main_window.form.SetBounds(100, 80, 791, 452);
        page = std::make_unique<TForm_Main_Multi_Cameras>(&main_window.form, &camera_count, &selected_count,
                                                          selected.data(), &help_sd, &help_hd);
    }

    void Select(std::array<bool, 4> flags)
    {
        selected = flags;
        selected_count = 0;
        for (bool flag : flags) {
            selected_count += flag ? 1 : 0;
        }
        page->Layout();
        for (int i = 0; i < 4; ++i) {
            page->Update_Camera(*cameras.states[i], cameras.summaries[i]);
        }
    }

    TColor Title() const { return page->ShapeControlTitleMultiCam->ShapeFill()->Gradient()->EndColor(); }

    Temp_Settings settings;
    Mixed_Main_Window main_window;
    Cameras cameras;
    std::atomic<int> camera_count {4};
    int selected_count = 1;
    std::array<bool, 4> selected {true, false, false, false};
    THookHelpSystem* help_sd = nullptr;
    THookHelpSystem* help_hd = nullptr;
    std::unique_ptr<TForm_Main_Multi_Cameras> page;
};

TSCLFormDisplay* Large(TForm_Main_Multi_Cameras& page, int i)
{
    return std::array {page.SCLFormCamLargeDisplay1, page.SCLFormCamLargeDisplay2, page.SCLFormCamLargeDisplay3,
                       page.SCLFormCamLargeDisplay4}[static_cast<size_t>(i)];
}

TSCLFormDisplay* Small(TForm_Main_Multi_Cameras& page, int i)
{
    return std::array {page.SCLFormCamSmallDisplay1, page.SCLFormCamSmallDisplay2, page.SCLFormCamSmallDisplay3,
                       page.SCLFormCamSmallDisplay4}[static_cast<size_t>(i)];
}

TEST_F(Page, TheSelectedLargeViewsStandWithEqualGaps)
{
    for (int set = 0; set < 16; ++set) {
        const std::array<bool, 4> flags {(set & 1) != 0, (set & 2) != 0, (set & 4) != 0, (set & 8) != 0};
        const int count = flags[0] + flags[1] + flags[2] + flags[3];
        if (count != 2 && count != 3) {
            continue;
        }
        SCOPED_TRACE(set);
        Select(flags);
        const std::vector<int> lefts = count == 2 ? std::vector<int> {79, 474} : std::vector<int> {20, 277, 534};
        size_t placed = 0;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(Large(*page, i)->Visible(), flags[static_cast<size_t>(i)]);
            EXPECT_FALSE(Small(*page, i)->Visible());
            if (flags[static_cast<size_t>(i)]) {
                EXPECT_EQ(Large(*page, i)->Left(), lefts[placed++]);
            }
        }
    }
}

TEST_F(Page, FourCamerasMakeATwoByTwoGrid)
{
    Select({true, true, true, true});
    const int expected[4][2] = {{24, 61}, {407, 61}, {24, 237}, {407, 237}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Large(*page, i)->Visible());
        EXPECT_TRUE(Small(*page, i)->Visible());
        EXPECT_EQ(Small(*page, i)->Left(), expected[i][0]);
        EXPECT_EQ(Small(*page, i)->Top(), expected[i][1]);
    }
}

TEST_F(Page, TheTitleAlarmCountsOnlyTheShownViews)
{
    cameras.summaries[1].Status_Alarm = 1;
    // Camera 2's view is hidden: its red title does not count.
    Select({true, false, false, true});
    EXPECT_EQ(Large(*page, 1)->GetActiveForm() != nullptr, true);
    EXPECT_FALSE(page->Get_Title_Alarm());
    EXPECT_EQ(Title(), Lime);
    Select({true, true, false, false});
    EXPECT_TRUE(page->Get_Title_Alarm());
    EXPECT_EQ(Title(), Red);
    cameras.summaries[1].Status_Alarm = 0;
    cameras.summaries[3].Status_Alarm = 1;
    Select({true, true, true, true});
    EXPECT_TRUE(page->Get_Title_Alarm());
    cameras.summaries[3].Status_Alarm = 0;
    Select({true, true, true, true});
    EXPECT_FALSE(page->Get_Title_Alarm());
    EXPECT_EQ(Title(), Lime);
}

TEST_F(Page, ClearingACamerasMessagesEmptiesBothItsViews)
{
    Select({true, true, false, false});
    page->Clear_Camera_Messages(1);
    EXPECT_EQ(page->Large_View(1)->MemoStatusCam->Lines()->Count(), 0);
    EXPECT_EQ(page->Small_View(1)->MemoStatusCam->Lines()->Count(), 0);
    EXPECT_EQ(page->Small_View(0)->MemoStatusCam->Lines()->Count(), 2);
}

// Runs act inside the dialog's own loop, once it is shown.
void While_Shown(std::function<void()> act)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(act), Qt::QueuedConnection);
}

// The text of the message box open now, which is then closed.
std::string Take_Message_Text()
{
    std::string text;
    for (const Modal_Dialog& dialog : Find_Modal_Dialogs(GetCurrentThreadId())) {
        if (auto* box = dynamic_cast<TCustomForm*>(FindControl(dialog.Window))) {
            if (auto* label = dynamic_cast<TLabel*>(box->FindComponent("LabelMessage"))) {
                text += label->Caption();
            }
        }
    }
    Close_Modal_Dialogs(GetCurrentThreadId());
    return text;
}

TEST_F(Page, HelpWithoutHelpFilesNamesBothExpectedFilesUnlessBusy)
{
    const std::string expected = Help_Files_Missing_Text();
    EXPECT_NE(expected.find("Help files not loaded :\n"), std::string::npos);
    EXPECT_NE(expected.find("/Wireless_Ordexia_SD_Help.chm\n"), std::string::npos);
    EXPECT_NE(expected.find("/Wireless_Ordexia_HD_Help.chm"), std::string::npos);

    std::string shown;
    While_Shown([&] { shown = Take_Message_Text(); });
    page->SpeedButtonHelpClick(nullptr);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(main_window.display_posts, 1);

    main_window.busy = true;
    bool dialog_open = false;
    While_Shown([&] { dialog_open = !Find_Modal_Dialogs(GetCurrentThreadId()).empty(); });
    page->SpeedButtonHelpClick(nullptr);
    Pump();
    EXPECT_FALSE(dialog_open);
    EXPECT_EQ(main_window.display_posts, 2);
}

TEST_F(Page, HelpWithAHelpFileButNoHelpLibraryNamesTheLibrary)
{
    THookHelpSystem loaded("Wireless_Ordexia_HD_Help.chm", "", htHHAPI);
    help_hd = &loaded;
    const HMODULE library = HHCtrlHandle;
    HHCtrlHandle = nullptr;
    std::string shown;
    While_Shown([&] { shown = Take_Message_Text(); });
    page->SpeedButtonHelpClick(nullptr);
    HHCtrlHandle = library;
    help_hd = nullptr;
    EXPECT_EQ(shown, "Help library not loaded :\n" + GetPathToHHCtrlOCX());
    EXPECT_EQ(main_window.display_posts, 1);
}

TEST_F(Page, DraggingMovesTheMainWindowOnlyInsideTheShrunkWorkArea)
{
    RECT work {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int margin = GetSystemMetrics(SM_CYSMCAPTION);
    SetCursorPos(work.left + margin + 50, work.top + margin + 50);
    page->PanelMouseDown(nullptr, mbLeft, {}, 10, 10);
    page->PanelMouseMove(nullptr, {}, 30, 15);
    EXPECT_EQ(main_window.form.Left(), 120);
    EXPECT_EQ(main_window.form.Top(), 85);
    SetCursorPos(work.left + margin - 1, work.top + margin + 50);
    page->PanelMouseMove(nullptr, {}, 60, 60);
    EXPECT_EQ(main_window.form.Left(), 120);
    EXPECT_EQ(main_window.form.Top(), 85);
    page->PanelMouseUp(nullptr, mbLeft, {}, 60, 60);
    SetCursorPos(work.left + margin + 50, work.top + margin + 50);
    page->PanelMouseMove(nullptr, {}, 60, 60);
    EXPECT_EQ(main_window.form.Left(), 120);
}

// The right ends of the titles' gradients.
bool Is_Red(QRgb pixel)
{
    return qRed(pixel) > 220 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

bool Is_Lime(QRgb pixel)
{
    return qGreen(pixel) > 220 && qRed(pixel) < 40 && qBlue(pixel) < 40;
}

// The page as the user sees it, with the program's own pictures; saved for
// review when VIEWS_RENDER_DIR names a folder.
TEST_F(Page, RenderedWithTwoThreeAndFourCamerasOneInAlarm)
{
    TSCLContainerCtrl container(nullptr);
    Load_Main_Container(container);
    cameras.summaries[1].Status_Alarm = 1;
    cameras.summaries[1].AMU2_Alarm = 1;
    cameras.lines[1].Add("AMU2 : video link break");
    const std::vector<std::pair<std::string, std::array<bool, 4>>> selections = {
        {"2", {true, true, false, false}}, {"3", {true, true, false, true}}, {"4", {true, true, true, true}}};
    page->Show();
    for (const auto& [name, flags] : selections) {
        SCOPED_TRACE(name);
        Select(flags);
        Pump();
        const QImage shown = Window_Widget(page->Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (qEnvironmentVariableIsSet("VIEWS_RENDER_DIR")) {
            shown.save(qEnvironmentVariable("VIEWS_RENDER_DIR") + "/views-" + QString::fromStdString(name) + ".png");
        }
        // The page title is red; camera 2's view title too, camera 1's green.
        const TSCLShapeControl* title = page->ShapeControlTitleMultiCam;
        EXPECT_TRUE(Is_Red(shown.pixel(title->Left() + title->Width() - 12, title->Top() + title->Height() / 2)));
        for (int i : {0, 1}) {
            TSCLFormDisplay* display = name == "4" ? Small(*page, i) : Large(*page, i);
            const TSCLShapeControl* camera_title = page->Large_View(i)->ShapeControlTitleCam;
            if (name == "4") {
                camera_title = page->Small_View(i)->ShapeControlTitleCam;
            }
            const POINT at = page->ScreenToClient(display->ClientToScreen(
                POINT {camera_title->Left() + camera_title->Width() - 10, camera_title->Top() + 16}));
            EXPECT_TRUE(i == 1 ? Is_Red(shown.pixel(at.x, at.y)) : Is_Lime(shown.pixel(at.x, at.y))) << "camera " << i;
        }
    }
    page->Hide();
}

} // namespace
