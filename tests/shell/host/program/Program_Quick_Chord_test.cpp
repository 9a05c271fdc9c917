// Ctrl+R typed as one quick chord on the HD page, as a tool types it: Ctrl
// goes up while the program makes and shows the save dialog, before the
// dialog has the keyboard, so the release reaches the main window that the
// dialog now blocks. The program must hear it all the same: once the dialog
// is cancelled, the block keys, which work with Ctrl up only, open their
// windows at once.

#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Input.h"

namespace {

using Program_Quick_Chord = Program_Desktop;

bool Is_Main_Window(const X_Screen_Watch::Window_Seen& window)
{
    return window.Width == 791 && window.Height == 452;
}

} // namespace

TEST_F(Program_Quick_Chord, CtrlLetGoBeforeTheSaveDialogHasTheKeyboardIsUpAfterItSoWOpensTheWcuWindow)
{
    Use_Cameras(1);
    Hd_Camera(100).Load(Wcu());
    Start();
    const Rectangle_On_Screen vqos = Layout_Of("TForm_Main_HD").at("ProgressVQOS");
    ASSERT_TRUE(Screen_Shows("quick_chord_hd_page", [&](const QImage& image) {
        return Count_Pixels(image, vqos, Coloured) > 10;
    })) << "the HD page shows the polled camera, so that it can record";

    const unsigned long main_window = Main_Window();
    ASSERT_TRUE(Key_Down_Or_Up(main_window, "Control_L", true));
    ASSERT_TRUE(Press_Key(main_window, "r"));
    const unsigned long dialog =
        Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) { return !Is_Main_Window(window); });
    ASSERT_NE(dialog, 0u) << "Ctrl+R opens the save dialog";
    // The chord's last release, made certain to come once the dialog shows
    // and while the keyboard is still the main window's.
    ASSERT_TRUE(Key_Down_Or_Up(main_window, "Control_L", false));
    ASSERT_TRUE(Press_Key(dialog, "Escape"));
    const auto dialog_gone = [&] {
        return Program_Window([](const auto& window) { return !Is_Main_Window(window); }) == 0;
    };
    ASSERT_TRUE(Wait_Until(dialog_gone, Program_Generous_Limit)) << "Escape cancels the dialog";

    ASSERT_TRUE(Press_Key(main_window, "w"));
    // The borderless WCU window is its client area, 262 x 386.
    const unsigned long wcu_window = Wait_For_Window([](const X_Screen_Watch::Window_Seen& window) {
        return window.Width == 262 && window.Height == 386;
    });
    EXPECT_NE(wcu_window, 0u) << "W opens the WCU window";
    if (wcu_window != 0)
        Save_Artefact(Grab_Window(wcu_window), "quick_chord_wcu_window");
}
