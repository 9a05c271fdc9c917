#pragma once
// A user's desktop for the program's end-to-end tests: a private X server,
// simulated WCUs behind COM1..n, the real executable started on it, and
// pictures of its windows read from outside and kept as artefacts. Control
// positions come from the form texts the program is built with, so a
// layout change moves the checks with it.

#include "tests/platform/winapi/Test_Private_Display.h"
#include "tests/shell/host/program/Form_Layout.h"
#include "tests/shell/host/program/Program_Process.h"
#include "tests/shell/host/program/Screen_Shot.h"
#include "tests/shell/host/program/X_Screen_Watch.h"
#include "tests/support/Temp_Settings.h"
#include "tools/Hd_Wcu.h"
#include "tools/Sd_Wcu.h"
#include "tools/Wcu_Simulator.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Far beyond a start and a few polls on a loaded machine under sanitizers.
inline constexpr std::chrono::milliseconds Program_Generous_Limit{120'000};

// Where the program's form of that class puts its controls.
Form_Layout Layout_Of(const std::string& form_class);

// Colours the checks look for on the light pages.
bool Coloured(const QColor& colour);
bool Lime(const QColor& colour);
bool Reddish(const QColor& colour);
bool Greenish(const QColor& colour);
// Text of any colour.
bool Ink(const QColor& colour);
// Black text, as the views' titles and the buttons' captions.
bool Black_Ink(const QColor& colour);

// A part of camera n's small view on the multi-camera page, placed there by
// the view's display.
Rectangle_On_Screen In_Small_View(int camera, const Rectangle_On_Screen& part);

// How far a horizontal meter is lit: its rightmost lit column along its
// middle row, as a share of its width.
double Lit_Share(const QImage& image, const Rectangle_On_Screen& meter, const std::function<bool(QColor)>& lit);

// An HD camera whose link reports that raw video quality, the picture not frozen.
Hd_Wcu Hd_Camera(BYTE raw_video_quality);

// Sets an environment variable for its lifetime and puts the old value back.
class Environment_Setting {
public:
    Environment_Setting(const char* variable, const std::string& value);
    ~Environment_Setting();
    Environment_Setting(const Environment_Setting&) = delete;
    Environment_Setting& operator=(const Environment_Setting&) = delete;

private:
    const char* name;
    std::optional<std::string> previous;
};

// The program's borderless 791 x 452 main window.
bool Is_Main_Window(const X_Screen_Watch::Window_Seen& window);

// A user's desktop with `cameras` simulated WCUs behind COM1..n, each the
// port of the camera with its number.
class Program_Desktop : public ::testing::Test {
protected:
    void SetUp() override;
    ~Program_Desktop() override;

    void Use_Cameras(int cameras);
    Wcu_Simulator& Wcu(int camera = 1) { return *wcus.at(static_cast<std::size_t>(camera - 1)); }

    // Starts the program and waits for its main window; its standard error
    // goes to that file when one is named.
    void Start(const std::string& error_output = {});
    // The program's shown top-level window that `pick` chooses; 0 while none shows.
    unsigned long Program_Window(const std::function<bool(const X_Screen_Watch::Window_Seen&)>& pick);
    // The program's borderless 791 x 452 main window; 0 while none shows.
    unsigned long Main_Window();
    // The program's shown window that `pick` chooses, once it shows; 0 when
    // none does within the generous limit.
    unsigned long Wait_For_Window(const std::function<bool(const X_Screen_Watch::Window_Seen&)>& pick);

    // Grabs the main window until the picture passes the check or the limit
    // passes, and keeps the last picture as the test's artefact.
    bool Screen_Shows(const std::string& artefact, const std::function<bool(const QImage&)>& check);

    std::filesystem::path runtime = Make_Temp_Folder("runtime");
    Environment_Setting runtime_variable{"XDG_RUNTIME_DIR", runtime.string()};
    Temp_Settings settings;
    Private_Display display{"1024x768x24"};
    Environment_Setting platform{"QT_QPA_PLATFORM", "xcb"};
    std::unique_ptr<X_Screen_Watch> screen;
    std::vector<std::unique_ptr<Wcu_Simulator>> wcus;
    // The executable Start runs: the build's, unless a test runs a copy.
    std::string executable = ORDEXIA_PROGRAM;
    std::unique_ptr<Program_Process> program;
    QImage picture; // the last one taken, for the failure's message
};
