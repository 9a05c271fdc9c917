#include "shell/host/Fich_main.h"

#include "components/controls/SCLBackPanel.h"
#include "components/controls/SCLFormDisplay.h"
#include "components/controls/SCLShapeButton.h"
#include "components/controls/Sclaboutdlg.h"
#include "components/foundations/Sclcont.h"
#include "link/Thread_polling_wcu.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Dialogs_Message_Box.h"
#include "platform/classlib/Dialog_Registry.h"
#include "platform/classlib/String_Table.h"
#include "platform/winapi/Kernel.h"
#include "platform/winapi/Message.h"
#include "platform/winapi/Window.h"
#include "screens/Fich_main_hd.h"
#include "screens/Fich_main_sd.h"
#include "screens/Status_ihm_sd_hd.h"
#include "shell/host/Camera_ordexia.h"
#include "shell/host/Fich_cam_select.h"
#include "shell/host/Fich_main_multi_cameras.h"
#include "tests/shell/host/Host_Test_Support.h"
#include "tests/support/Simulated_Wcu.h"
#include "tools/Hd_Wcu.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <future>

namespace {

using namespace host_test;

// The polling thread has found a WCU of that type: its own state says so,
// and the window gets it as from the thread's synchronised call.
void Report_Wcu_Type(TForm_Main& window, Camera_Ordexia& camera, int system_type)
{
    auto state = camera.Get_Thread()->Lock_State();
    state->Type.System_Type = system_type;
    window.Update_Camera_State(*state);
}

class Main_Form : public Host_Window {
protected:
    Camera_Ordexia& Camera(int index) { return *window->Get_Camera(index); }
    TSCLFormDisplay& Pages() { return *window->SCLFormDisplay; }
    // Camera pages in index order, then the multi-camera page.
    bool Pages_In_Order()
    {
        const int count = window->Get_Camera_Count();
        if (Pages().GetCount() != count + 1 || Pages().GetForms(count) != Form_Main_Multi_Cameras) {
            return false;
        }
        for (int index = 0; index < count; ++index) {
            if (Pages().GetForms(index) != Camera(index).Get_Form()) {
                return false;
            }
        }
        return true;
    }
    // Runs `during` inside the modal loop of a dialog the test opens.
    void While_Dialog_Open(const std::function<void()>& open, const std::function<void()>& during)
    {
        QTimer::singleShot(0, during);
        open();
    }
};

// ---- Construction and the form resource ---------------------------------

TEST_F(Main_Form, IsABorderlessSilverWindowTitledWithTheProgramsName)
{
    Create(1);
    EXPECT_EQ(window->BorderStyle(), bsNone);
    EXPECT_EQ(window->ClientWidth(), 791);
    EXPECT_EQ(window->ClientHeight(), 452);
    EXPECT_EQ(window->Color(), clSilver);
    EXPECT_EQ(window->Position(), poDesktopCenter);
    EXPECT_EQ(window->Caption(), LoadStr(1000));
    EXPECT_EQ(Application->Title(), LoadStr(1000));
    EXPECT_EQ(Application->HintPause(), 0);
    EXPECT_EQ(Application->HintHidePause(), 10000);
    EXPECT_EQ(::Main_Window, window.get());
    EXPECT_EQ(window->BackPanelFormDisplay->ListIndex(), 0) << "96 dpi";
    EXPECT_NE(window->MainContainer, nullptr);
    EXPECT_NE(window->MainSysInfo, nullptr);
    EXPECT_NE(window->MainFormShadow, nullptr);
    ASSERT_NE(window->Form_About, nullptr);
    EXPECT_EQ(window->Form_About->Version, "Version 2.3");
    EXPECT_EQ(window->Get_Form_About(), window->Form_About);
    EXPECT_GT(SCLContainer->BitmapList()->Count(), 1) << "the main container's pictures are loaded";
}

TEST_F(Main_Form, ShortcutButtonsAreReadWithTheirCaptionsHintsPlacesAndGroups)
{
    Create(1);
    struct Expected {
        TSCLShapeButton* Button;
        const char* Caption;
        const char* Hint;
        int Left;
        int Width;
        int Group;
    };
    const std::array<Expected, 7> buttons {{
        {window->ShapeButtonShortcutPCTitle, "&PC", "", 2, 29, 1},
        {window->ShapeButtonShortcutWCUTitle, "&WCU", "Ravivida Control Unit", 32, 48, 2},
        {window->ShapeButtonShortcutAMU1Title, "&AMU 1", "Antennas Management Unit 1", 81, 52, 3},
        {window->ShapeButtonShortcutAMU2Title, "A&MU 2", "Antennas Management Unit 2", 134, 52, 4},
        {window->ShapeButtonShortcutDE1Title, "&DE 1", "Data Emitter 1", 187, 38, 5},
        {window->ShapeButtonShortcutDE2Title, "D&E 2", "Data Emitter 2", 227, 38, 6},
        {window->ShapeButtonShortcutWCATitle, "W&CA", "Ravivida Camera Adapter", 267, 48, 7},
    }};
    for (const Expected& expected : buttons) {
        ASSERT_NE(expected.Button, nullptr) << expected.Caption;
        EXPECT_EQ(expected.Button->Caption(), expected.Caption);
        EXPECT_EQ(expected.Button->Hint(), expected.Hint) << expected.Caption;
        EXPECT_EQ(expected.Button->Left(), expected.Left) << expected.Caption;
        EXPECT_EQ(expected.Button->Width(), expected.Width) << expected.Caption;
        EXPECT_EQ(expected.Button->Top(), 2) << expected.Caption;
        EXPECT_EQ(expected.Button->Height(), 20) << expected.Caption;
        EXPECT_EQ(expected.Button->GroupIndex(), expected.Group) << expected.Caption;
        EXPECT_EQ(expected.Button->Parent(), window->BackPanelFormDisplay) << expected.Caption;
    }
    TSCLFormDisplay* strip_host = window->SCLFormCamSelect;
    EXPECT_EQ(strip_host->Left(), 590);
    EXPECT_EQ(strip_host->Top(), 424);
    EXPECT_EQ(strip_host->Width(), 199);
    EXPECT_EQ(strip_host->Height(), 26);
    EXPECT_FALSE(strip_host->Visible()) << "one camera";
}

TEST_F(Main_Form, ConstructionMakesEveryCameraWithItsThreadSuspendedAndNoPage)
{
    Create(3);
    ASSERT_EQ(window->Get_Camera_Count(), 3);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(Camera(index).Get_Index(), index);
        EXPECT_EQ(Camera(index).Get_Form(), nullptr);
        EXPECT_EQ(Camera(index).Get_Thread_Id(), 0u) << "not resumed before the page exists";
        EXPECT_EQ(Camera(index).Get_State()->Camera_Index, index);
    }
    EXPECT_EQ(Pages().GetCount(), 0);
    EXPECT_EQ(Form_Cam_Select->CameraCount, 3);
}

// Construction ends with the start pause and nothing else waits in it.
// Simulated time counts every sleep and timed wait of this thread.
TEST_F(Main_Form, ConstructionEndsWithItsStartPause)
{
    TForm_Main::Start_Pause_Ms = 1000;
    Use_Simulated_Time(true);
    const std::int64_t before = Kernel_Time_Ns();
    Create(4);
    const std::int64_t paused_ns = Kernel_Time_Ns() - before;
    Use_Simulated_Time(false);
    TForm_Main::Start_Pause_Ms = 0;
    EXPECT_EQ(paused_ns, std::int64_t {1000} * 1000 * 1000);
}

// ---- Showing -----------------------------------------------------------

TEST_F(Main_Form, ShowingMakesEachPageAndStartsItsThreadThenShowsTheSelectedCamera)
{
    Create_And_Show(1);
    ASSERT_NE(Camera(0).Get_Form_SD(), nullptr);
    EXPECT_EQ(Camera(0).Get_Form_HD(), nullptr);
    EXPECT_NE(Camera(0).Get_Summary(), nullptr);
    EXPECT_TRUE(Pages_In_Order());
    EXPECT_EQ(Pages().ActiveFormIndex(), 0);
    EXPECT_TRUE(Threads_Running());
    EXPECT_EQ(window->Find_Camera_On_Port(0, 0), 0) << "one camera";
}

TEST_F(Main_Form, SeveralSelectedCamerasShowTheMultiCameraPage)
{
    Create_And_Show(3);
    const bool selected[4] = {true, false, true, false};
    window->Show_Selection(2, selected);
    EXPECT_EQ(Pages().ActiveFormIndex(), 3);
    const bool only_third[4] = {false, false, true, false};
    window->Show_Selection(1, only_third);
    EXPECT_EQ(Pages().ActiveFormIndex(), 2);
    const bool beyond[4] = {false, false, false, true};
    window->Show_Selection(1, beyond);
    EXPECT_EQ(Pages().ActiveFormIndex(), 2) << "no camera 4: nothing changes";
}

TEST_F(Main_Form, AHdCameraGetsAnHdPage)
{
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "System_Type", St_System_Type::Hd_System, 0);
    Create_And_Show(1);
    EXPECT_NE(Camera(0).Get_Form_HD(), nullptr);
    EXPECT_EQ(Camera(0).Get_Form_SD(), nullptr);
    EXPECT_FALSE(window->Is_Sd_Camera(0));
    ASSERT_LT(Screen->Width(), 450 + 791) << "the test screen is too small for the spectrum windows";
    EXPECT_EQ(window->Position(), poDesktopCenter);
}

// ---- Camera count and names ---------------------------------------------

TEST_F(Main_Form, CameraCountGrowsAtOnceAndShrinksOneCameraPerEndedThread)
{
    Create_And_Show(1);
    window->Set_Camera_Count(4);
    ASSERT_EQ(window->Get_Camera_Count(), 4);
    EXPECT_TRUE(Pages_In_Order());
    EXPECT_EQ(Pages().ActiveFormIndex(), 0) << "camera 1 alone is selected";
    EXPECT_TRUE(window->SCLFormCamSelect->Visible());
    ASSERT_TRUE(Threads_Running());

    window->Set_Camera_Count(2);
    EXPECT_TRUE(Camera(3).Get_Thread()->Is_Terminating()) << "the last camera stops first";
    EXPECT_FALSE(Camera(2).Get_Thread()->Is_Terminating());
    ASSERT_TRUE(Pump_Until([&] { return window->Get_Camera_Count() == 3; }));
    EXPECT_TRUE(Camera(2).Get_Thread()->Is_Terminating()) << "the next one follows its end";
    EXPECT_FALSE(Camera(1).Get_Thread()->Is_Terminating());
    ASSERT_TRUE(Pump_Until([&] { return window->Get_Camera_Count() == 2; }));
    Pump_Pending();
    EXPECT_EQ(window->Get_Camera_Count(), 2);
    EXPECT_FALSE(Camera(1).Get_Thread()->Is_Terminating());
    EXPECT_TRUE(Pages_In_Order());

    int stored = 0;
    ASSERT_TRUE(Reg_Read_Integer(Ordexia_Registry_Key, "Camera_Count", &stored));
    EXPECT_EQ(stored, 2);
    EXPECT_EQ(*window->Get_Polling_Camera_Count(), 2) << "what the threads' messages count";
}

TEST_F(Main_Form, RenamingACameraStoresItsNumberAndShowsIt)
{
    Create_And_Show(2);
    window->Set_Camera_Name(1, 42);
    EXPECT_EQ(Camera(1).Get_State()->Settings.Name, 42);
    EXPECT_EQ(Camera(1).Get_Thread()->Lock_State()->Settings.Name, 42);
    EXPECT_EQ(*Camera(1).Get_Summary()->Camera_Number, 42);
    int stored = 0;
    ASSERT_TRUE(Reg_Read_Camera_Integer(Ordexia_Registry_Key, "Name", &stored, 1));
    EXPECT_EQ(stored, 42);
}

TEST_F(Main_Form, FindsTheNumberOfTheFirstOtherCameraOnAPort)
{
    Create(3);
    const std::array<std::pair<int, int>, 3> cameras {{{3, 11}, {5, 12}, {3, 13}}};
    for (int index = 0; index < 3; ++index) {
        St_System_Settings& settings = Camera(index).Get_State()->Settings;
        settings.Port_Number = cameras[static_cast<std::size_t>(index)].first;
        settings.Name = cameras[static_cast<std::size_t>(index)].second;
    }
    struct Case {
        int Camera;
        int Port;
        int Found;
    };
    for (const Case& test : {Case {0, 3, 13}, Case {2, 3, 11}, Case {1, 3, 11}, Case {1, 5, 0}, Case {0, 7, 0}}) {
        EXPECT_EQ(window->Find_Camera_On_Port(test.Camera, test.Port), test.Found)
            << "camera " << test.Camera << " port " << test.Port;
    }
    // A polling thread asks from its own thread: answered on the window's.
    auto answer = std::async(std::launch::async, [&] { return window->Find_Camera_On_Port(0, 3); });
    ASSERT_TRUE(Pump_Until([&] { return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    EXPECT_EQ(answer.get(), 13);
}

TEST_F(Main_Form, VersionTextIsMajorDotBuild)
{
    Create(1);
    EXPECT_EQ(window->Get_Version_Text(), "2.3");
}

// ---- SD/HD swap ----------------------------------------------------------

TEST_F(Main_Form, ATypeChangeOnAHiddenPageSwapsAtOnceAndKeepsTheShownPage)
{
    Create_And_Show(2);
    TForm* old_page = Camera(1).Get_Form();
    Report_Wcu_Type(*window, Camera(1), St_System_Type::Hd_System);
    EXPECT_TRUE(window->Is_Type_Change_Pending(1));
    EXPECT_TRUE(window->Is_Busy(1));
    EXPECT_FALSE(window->Is_Busy(0));
    EXPECT_TRUE(Camera(1).Is_Hd()) << "the snapshot holds the new state";
    ASSERT_TRUE(Pump_Until([&] { return !window->Is_Type_Change_Pending(1); }));
    EXPECT_NE(Camera(1).Get_Form_HD(), nullptr);
    EXPECT_EQ(Camera(1).Get_Form_SD(), nullptr);
    EXPECT_NE(Camera(1).Get_Form(), old_page);
    EXPECT_TRUE(Pages_In_Order());
    EXPECT_EQ(Pages().ActiveFormIndex(), 0);
}

TEST_F(Main_Form, ATypeChangeOnTheShownPageWaitsForItsOpenSaveDialog)
{
    Create_And_Show(1);
    TSaveDialog dialog(nullptr);
    bool returned_early = false;
    While_Dialog_Open([&] { returned_early = dialog.Execute(); },
                      [&] { Report_Wcu_Type(*window, Camera(0), St_System_Type::Hd_System); });
    EXPECT_FALSE(returned_early) << "the dialog was closed by the window";
    Pump_Pending();
    EXPECT_TRUE(window->Is_Type_Change_Pending(0)) << "nothing posted while the dialog was open";
    EXPECT_NE(Camera(0).Get_Form_SD(), nullptr);

    EXPECT_TRUE(window->Post_Pending_Change(0));
    ASSERT_TRUE(Pump_Until([&] { return !window->Is_Type_Change_Pending(0); }));
    EXPECT_NE(Camera(0).Get_Form_HD(), nullptr);
    EXPECT_EQ(Pages().ActiveFormIndex(), 0) << "the swap keeps the shown page";
    EXPECT_EQ(Pages().GetActiveForm(), Camera(0).Get_Form());
    EXPECT_FALSE(window->Post_Pending_Change(0));
}

TEST_F(Main_Form, ASwapCommandWithoutItsPendingChangeOrOutsideTheCamerasIsIgnored)
{
    Create_And_Show(1);
    TForm* page = Camera(0).Get_Form();
    for (LPARAM argument : {LPARAM {0}, LPARAM {4}, LPARAM {-1}}) {
        PostMessageA(window->Handle(), WM_USER, TForm_Main::Type_Change_Command, argument);
    }
    PostMessageA(window->Handle(), WM_USER, TForm_Main::Thread_Ended_Command, 7);
    PostMessageA(window->Handle(), WM_USER, TForm_Main::Display_Change_Command, 3);
    TForm_Cam_Select* strip = Form_Cam_Select;
    Pump_Pending();
    EXPECT_EQ(Camera(0).Get_Form(), page);
    EXPECT_EQ(Form_Cam_Select, strip) << "no rebuild without a pending display change";
    EXPECT_EQ(window->Get_Camera_Count(), 1);
}

// ---- Display change ---------------------------------------------------------

TEST_F(Main_Form, ADisplayChangeWithoutDialogsRebuildsEveryFormOnce)
{
    Create_And_Show(2);
    ASSERT_TRUE(Threads_Running());
    // Marked, as a new form may take the freed one's address.
    Form_Cam_Select->SetTag(1);
    Form_Main_Multi_Cameras->SetTag(1);
    Camera(0).Get_Form()->SetTag(1);
    const std::array<DWORD, 2> threads {Camera(0).Get_Thread_Id(), Camera(1).Get_Thread_Id()};
    window->Perform(WM_DISPLAYCHANGE, 32, 0);
    EXPECT_TRUE(window->Is_Display_Change_Pending());
    EXPECT_TRUE(window->Is_Busy_Global());
    PostMessageA(window->Handle(), WM_USER, TForm_Main::Display_Change_Command, 3);
    ASSERT_TRUE(Pump_Until([&] { return !window->Is_Display_Change_Pending(); }));
    TForm_Cam_Select* new_strip = Form_Cam_Select;
    Pump_Pending();
    EXPECT_EQ(Form_Cam_Select, new_strip) << "a second (3, 3) runs nothing";
    EXPECT_EQ(new_strip->Tag(), 0);
    EXPECT_EQ(Form_Main_Multi_Cameras->Tag(), 0);
    EXPECT_EQ(Camera(0).Get_Form()->Tag(), 0);
    EXPECT_EQ(window->SCLFormCamSelect->GetActiveForm(), new_strip);
    EXPECT_TRUE(Pages_In_Order());
    EXPECT_EQ(Pages().ActiveFormIndex(), 0);
    EXPECT_TRUE(window->ShapeButtonShortcutWCATitle->Visible());
    for (int index = 0; index < 2; ++index) {
        EXPECT_EQ(Camera(index).Get_Thread_Id(), threads[static_cast<std::size_t>(index)]) << "threads run on";
        EXPECT_EQ(Camera(index).Get_Thread()->Get_Camera_Count(), 2) << "read after the old strip is gone";
    }
}

TEST_F(Main_Form, ADisplayChangeClosesAMessageBoxAndWaitsForItsOwner)
{
    Create_And_Show(1);
    Form_Cam_Select->SetTag(1);
    int answer = -1;
    While_Dialog_Open([&] { answer = MessageBoxA(nullptr, "Open", "Box", MB_OK | MB_ICONERROR); },
                      [&] { window->Perform(WM_DISPLAYCHANGE, 32, 0); });
    EXPECT_NE(answer, -1) << "the box returned";
    Pump_Pending();
    EXPECT_EQ(Form_Cam_Select->Tag(), 1) << "the rebuild waits for the box's owner";
    EXPECT_TRUE(window->Is_Busy(0));
    EXPECT_TRUE(window->Post_Pending_Change(0));
    ASSERT_TRUE(Pump_Until([&] { return !window->Is_Display_Change_Pending(); }));
    EXPECT_EQ(Form_Cam_Select->Tag(), 0);
}

TEST_F(Main_Form, ADisplayChangeAsksAPollingThreadsDialogToClose)
{
    Create_And_Show(1);
    ASSERT_TRUE(Threads_Running());
    const DWORD polling_thread = Camera(0).Get_Thread_Id();
    TForm dialog(nullptr);
    TModalResult result = mrNone;
    While_Dialog_Open(
        [&] {
            Dialog_Owner_Scope scope(polling_thread);
            result = dialog.ShowModal();
        },
        [&] { window->Perform(WM_DISPLAYCHANGE, 32, 0); });
    EXPECT_EQ(result, mrCancel) << "sent WM_CLOSE";
    Pump_Pending();
    EXPECT_TRUE(window->Is_Display_Change_Pending());
    EXPECT_TRUE(window->Post_Pending_Display_Change());
    ASSERT_TRUE(Pump_Until([&] { return !window->Is_Display_Change_Pending(); }));
    EXPECT_FALSE(window->Post_Pending_Display_Change());
}

// ---- Session end, power --------------------------------------------------------

TEST_F(Main_Form, TheEndOfTheLogonKeepsEveryCameraBusyUntilTheSessionGoesOn)
{
    Create_And_Show(2);
    EXPECT_FALSE(window->Is_Busy(1));
    const LRESULT result = window->Perform(WM_QUERYENDSESSION, 0, 0);
    EXPECT_EQ(result, 1) << "the forms let the session end";
    EXPECT_TRUE(window->Is_Session_Ending());
    EXPECT_TRUE(window->Is_Busy(0));
    EXPECT_TRUE(window->Is_Busy(1));
    EXPECT_TRUE(window->Is_Busy_Global());
    EXPECT_FALSE(window->Post_Pending_Change(0)) << "nothing to post";
    window->Perform(WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(window->Is_Busy_Global()) << "the session ends";
    // The log-off was called off: dialogs may open again.
    window->Perform(WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(window->Is_Session_Ending());
    EXPECT_FALSE(window->Is_Busy(0));
    EXPECT_FALSE(window->Is_Busy_Global());
}

// ---- Shut-down ---------------------------------------------------------------

TEST_F(Main_Form, ClosingHidesAtOnceAndEndsOnlyAfterEveryThreadHasEnded)
{
    Create_And_Show(2);
    ASSERT_TRUE(Threads_Running());
    window->Close();
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->Get_Camera_Count(), 2) << "the close is refused until the threads end";
    EXPECT_TRUE(Camera(0).Get_Thread()->Is_Terminating());
    EXPECT_TRUE(Camera(1).Get_Thread()->Is_Terminating());
    ASSERT_TRUE(Pump_Until([&] { return window->Get_Camera_Count() == 0; }));
    EXPECT_EQ(Pages().GetCount(), 0);
    EXPECT_EQ(window->SCLFormCamSelect->GetCount(), 0);
    EXPECT_EQ(Form_Cam_Select, nullptr);
    EXPECT_EQ(Form_Main_Multi_Cameras, nullptr);
}

// ---- Help files ---------------------------------------------------------------

// The build puts the help files beside the program, as this test program.
TEST_F(Main_Form, TheHelpFileBesideTheProgramIsLoadedOneSystemAtATime)
{
    Create(1);
    window->Load_Help_File(0);
    EXPECT_NE(window->Get_Help(0), nullptr);
    window->Load_Help_File(1);
    EXPECT_NE(window->Get_Help(1), nullptr);
    EXPECT_EQ(window->Get_Help(0), nullptr);
    window->Unload_Help_File(1);
    EXPECT_EQ(window->Get_Help(1), nullptr);
}

// ---- Against a simulated WCU ------------------------------------------------

class Host_Polling : public Main_Form {
protected:
    bool Connected(int system_type)
    {
        const St_System* state = Camera(0).Get_State();
        return state->Settings.Connected && state->Type.System_Type == system_type;
    }

    // An in-process line on simulated time: the camera's polls never
    // depend on when its thread runs.
    Simulated_Wcu wcu {3, Wcu_Line::In_Process};
};

TEST_F(Host_Polling, TheShownCameraFollowsItsWcuFromSdToHd)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    Create_And_Show(1);
    ASSERT_TRUE(Pump_Until([&] { return Connected(St_System_Type::Sd_System); }));
    ASSERT_NE(Camera(0).Get_Form_SD(), nullptr);

    Typical_Hd_Wcu().Load(wcu.Simulator());
    wcu.Simulator().Set_Answer('%', {});
    ASSERT_TRUE(Pump_Until([&] { return Camera(0).Get_Form_HD() != nullptr && !window->Is_Type_Change_Pending(0); }));
    EXPECT_EQ(Camera(0).Get_Form_SD(), nullptr);
    EXPECT_TRUE(Pages_In_Order());
    EXPECT_EQ(Pages().GetActiveForm(), Camera(0).Get_Form());
    EXPECT_TRUE(Pump_Until([&] { return Connected(St_System_Type::Hd_System); }));
    int stored = -1;
    ASSERT_TRUE(Reg_Read_Camera_Integer(Ordexia_Registry_Key, "System_Type", &stored, 0));
    EXPECT_EQ(stored, St_System_Type::Hd_System);
}

TEST_F(Host_Polling, SuspendStopsPollingAndResumeReconnects)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    Create_And_Show(1);
    ASSERT_TRUE(Pump_Until([&] { return Connected(St_System_Type::Sd_System); }));
    window->Perform(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    ASSERT_TRUE(Pump_Until([&] { return !Camera(0).Get_State()->Settings.Connected; })) << "reset and shown once";
    window->Perform(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0);
    ASSERT_TRUE(Pump_Until([&] { return Connected(St_System_Type::Sd_System); }));
    constexpr WPARAM power_status_change = 0x000A;
    window->Perform(WM_POWERBROADCAST, power_status_change, 0);
    EXPECT_FALSE(Camera(0).Get_Thread()->Is_Terminating());
    EXPECT_TRUE(Connected(St_System_Type::Sd_System)) << "other power events change nothing";
}

TEST_F(Host_Polling, ClosingWhilePollingEndsOnceTheThreadHasEnded)
{
    Typical_Sd_Wcu().Load(wcu.Simulator());
    Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", wcu.Com_Number(), 0);
    Create_And_Show(1);
    ASSERT_TRUE(Pump_Until([&] { return Connected(St_System_Type::Sd_System); }));
    window->Close();
    EXPECT_FALSE(window->Visible());
    EXPECT_EQ(window->Get_Camera_Count(), 1);
    ASSERT_TRUE(Pump_Until([&] { return window->Get_Camera_Count() == 0; }));
    EXPECT_EQ(Pages().GetCount(), 0);
}

} // namespace
