// The README's run command as a user types it: scripts/run.sh --simulate 1
// builds what it needs (nothing, once the tests are built: the two commands
// share one build), starts a simulated WCU and the program on it, and hands
// a SIGTERM on to the program, ending with its exit code.

#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/shell/host/program/Program_Desktop.h"
#include "tests/shell/host/program/Program_Process.h"
#include "tests/shell/host/program/Screen_Shot.h"
#include "tests/shell/host/program/X_Screen_Watch.h"
#include "tests/support/Temp_Settings.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// The command also configures the build folder and checks that it is up to
// date before it starts the program.
constexpr std::chrono::milliseconds Build_And_Start_Limit = 180s;

unsigned long Main_Window_Of_Anyone(X_Screen_Watch& screen)
{
    for (const X_Screen_Watch::Window_Seen& window : screen.Shown_Windows())
        if (window.Width == 791 && window.Height == 452)
            return window.Id;
    return 0;
}

} // namespace

TEST(Run_Command, ShowsAPolledSimulatedCameraAndEndsWithZeroOnSigterm)
{
    Private_Display display("1024x768x24");
    ASSERT_TRUE(display.Available()) << "Xvfb is installed by the project's setup";
    const fs::path runtime = Make_Temp_Folder("runtime");
    const fs::path simulation = Make_Temp_Folder("simulation");
    Environment_Setting runtime_variable("XDG_RUNTIME_DIR", runtime.string());
    Environment_Setting simulation_variable("ORDEXIA_SIMULATION_DIR", simulation.string());
    Environment_Setting build_variable("ORDEXIA_BUILD_DIR", fs::path(ORDEXIA_PROGRAM).parent_path().parent_path().string());
    Environment_Setting platform("QT_QPA_PLATFORM", "xcb");
    X_Screen_Watch screen;
    ASSERT_TRUE(screen.Open());

    Program_Process run("/bin/bash", {std::string(ORDEXIA_SOURCE_DIR) + "/scripts/run.sh", "--simulate", "1"});
    unsigned long window = 0;
    ASSERT_TRUE(Wait_Until([&] { return (window = Main_Window_Of_Anyone(screen)) != 0; }, Build_And_Start_Limit))
        << "the main window shows";

    // A healthy simulated SD camera, polled: its quality meters about three
    // quarters full and its lock green.
    const Form_Layout sd = Layout_Of("TForm_Main_SD");
    QImage picture;
    const bool polled = Wait_Until(
        [&] {
            picture = Grab_Window(window);
            return !picture.isNull() && Lit_Share(picture, sd.at("ProgressVQOS"), Coloured) > 0.5
                   && Lit_Share(picture, sd.at("ProgressDQOS"), Coloured) > 0.5
                   && Count_Pixels(picture, sd.at("ImageCamWcuLock"), Greenish) > 20;
        },
        Program_Generous_Limit);
    Save_Artefact(picture, "run_command_sd_page");
    EXPECT_TRUE(polled) << "video quality " << Lit_Share(picture, sd.at("ProgressVQOS"), Coloured);

    run.Signal(SIGTERM);
    EXPECT_EQ(run.Wait_Exit(Program_Generous_Limit), 0) << "the program closed and the command ended with its code";
    EXPECT_FALSE(fs::exists(fs::symlink_status(simulation / "Quorvale/Ravivida Ordexia/ports/COM1")))
        << "the simulator stopped with the program and took its port away";
    fs::remove_all(runtime);
    fs::remove_all(simulation);
}
