// Keys after a modal dialog, as a user types them: on the HD page Ctrl+R
// opens the recording's save dialog and the dialog is cancelled; the block
// keys, which work with Ctrl up only, then open their windows at once,
// wherever Ctrl went up:
// - in the dialog, held until it had the keyboard;
// - on the main window, as a quick chord typed by a tool: Ctrl goes up while
//   the program makes and shows the dialog, so the release reaches the main
//   window that the dialog now blocks.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

#include <string>

namespace {

struct Ctrl_Release {
    const char* name;
    bool on_dialog;
};

class Program_Modal_Keys : public Program_Desktop, public ::testing::WithParamInterface<Ctrl_Release> {};

} // namespace

TEST_P(Program_Modal_Keys, CtrlLetGoWhileTheSaveDialogShowsIsUpAfterItSoWOpensTheWcuWindow)
{
    const std::string name = GetParam().name;
    Use_Cameras(1);
    Hd_Camera(100).Load(Wcu());
    Start();
    const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_HD").at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows("modal_keys_hd_page_" + name, [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "the HD page shows the polled camera, so that it can record";

    const unsigned long main_window = Main_Window();
    ASSERT_TRUE(Key_Down_Or_Up(main_window, "Control_L", true));
    ASSERT_TRUE(Press_Key(main_window, "r", {}));
    const unsigned long dialog =
        Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) { return !Is_Main_Window(window); });
    ASSERT_NE(dialog, 0u) << "Ctrl+R opens the save dialog";
    Save_Artefact(Grab_Window(dialog), "modal_keys_save_dialog_" + name);
    ASSERT_TRUE(Key_Down_Or_Up(GetParam().on_dialog ? dialog : main_window, "Control_L", false));
    ASSERT_TRUE(Press_Key(dialog, "Escape"));
    ASSERT_TRUE(Wait_Until([&] { return Program_Window([](const auto& window) { return !Is_Main_Window(window); }) == 0; },
                           Program_Generous_Limit))
        << "Escape cancels the dialog";

    ASSERT_TRUE(Press_Key(main_window, "w"));
    // The borderless WCU window is its client area, 262 x 386.
    const unsigned long wcu_window = Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) {
        return window.Width == 262 && window.Height == 386;
    });
    EXPECT_NE(wcu_window, 0u) << "W opens the WCU window";
    if (wcu_window != 0)
        Save_Artefact(Grab_Window(wcu_window), "modal_keys_wcu_window_" + name);
}

INSTANTIATE_TEST_SUITE_P(Where_Ctrl_Goes_Up, Program_Modal_Keys,
                         ::testing::Values(Ctrl_Release {"in_the_dialog", true},
                                           Ctrl_Release {"on_the_main_window", false}),
                         [](const auto& instance) { return std::string(instance.param.name); });
