#include "tests/shell/host/program/Program_Desktop.h"

#include "link/St_system.h"

#include <cstdlib>

namespace fs = std::filesystem;

Form_Layout Layout_Of(const std::string& form_class)
{
    return Read_Form_Layout(fs::path(ORDEXIA_SOURCE_DIR) / "resources" / "forms" / form_class);
}

bool Coloured(const QColor& colour)
{
    return colour.hsvSaturation() > 100 && colour.value() > 80;
}

bool Black_Ink(const QColor& colour)
{
    return colour.value() < 60;
}

// The page's and the view's back panels each move their children inwards by
// their 2-pixel bevel.
Rectangle_On_Screen In_Small_View(int camera, const Rectangle_On_Screen& part)
{
    constexpr int Bevels = 2 + 2;
    const Rectangle_On_Screen display =
        Layout_Of("TForm_Main_Multi_Cameras").at("SCLFormCamSmallDisplay" + std::to_string(camera));
    return {display.Left + part.Left + Bevels, display.Top + part.Top + Bevels, part.Width, part.Height};
}

bool Lime(const QColor& colour)
{
    return colour.green() > 200 && colour.red() < 100 && colour.blue() < 100;
}

bool Reddish(const QColor& colour)
{
    return colour.red() > 180 && colour.green() < 100 && colour.blue() < 100;
}

bool Greenish(const QColor& colour)
{
    return colour.green() > 120 && colour.green() > colour.red() + 60 && colour.green() > colour.blue() + 60;
}

bool Ink(const QColor& colour)
{
    return colour.value() < 110 || colour.hsvSaturation() > 150;
}

double Lit_Share(const QImage& image, const Rectangle_On_Screen& meter, const std::function<bool(QColor)>& lit)
{
    const int y = meter.Top + meter.Height / 2;
    int rightmost = meter.Left - 1;
    for (int x = meter.Left; x < meter.Left + meter.Width; ++x)
        if (lit(image.pixelColor(x, y)))
            rightmost = x;
    return static_cast<double>(rightmost + 1 - meter.Left) / meter.Width;
}

Hd_Wcu Hd_Camera(BYTE raw_video_quality)
{
    Hd_Wcu wcu = Typical_Hd_Wcu();
    wcu.Blocks[Hd_Wcu::Wcu_Link].Data[0] = raw_video_quality;
    wcu.Blocks[Hd_Wcu::Wcu_Link].Data[1] &= static_cast<BYTE>(~0x04);
    return wcu;
}

Environment_Setting::Environment_Setting(const char* variable, const std::string& value) : name(variable)
{
    if (const char* old = std::getenv(name))
        previous = old;
    setenv(name, value.c_str(), 1);
}

Environment_Setting::~Environment_Setting()
{
    if (previous)
        setenv(name, previous->c_str(), 1);
    else
        unsetenv(name);
}

void Program_Desktop::SetUp()
{
    if (!display.Available())
        GTEST_SKIP() << "no Xvfb: the program's windows cannot be seen";
    screen = std::make_unique<X_Screen_Watch>();
}

Program_Desktop::~Program_Desktop()
{
    fs::remove_all(runtime);
}

void Program_Desktop::Use_Cameras(int cameras)
{
    for (int n = 1; n <= cameras; ++n) {
        wcus.push_back(std::make_unique<Wcu_Simulator>());
        ASSERT_TRUE(wcus.back()->Line().Publish(n));
        Reg_Write_Camera_Integer(Ordexia_Registry_Key, "Port_Number", n, n - 1);
    }
    Reg_Write_Integer(Ordexia_Registry_Key, "Camera_Count", cameras);
}

void Program_Desktop::Start(const std::string& error_output)
{
    program = std::make_unique<Program_Process>(executable, std::vector<std::string>{}, error_output);
    ASSERT_TRUE(Wait_Until([&] { return Main_Window() != 0; }, Program_Generous_Limit)) << "the main window shows";
}

unsigned long Program_Desktop::Program_Window(const std::function<bool(const X_Screen_Watch::Window_Seen&)>& pick)
{
    for (const X_Screen_Watch::Window_Seen& window : screen->Shown_Windows())
        if (window.Pid == program->Pid() && pick(window))
            return window.Id;
    return 0;
}

bool Is_Main_Window(const X_Screen_Watch::Window_Seen& window)
{
    return window.Width == 791 && window.Height == 452;
}

unsigned long Program_Desktop::Main_Window()
{
    return Program_Window(Is_Main_Window);
}

unsigned long Program_Desktop::Wait_For_Window(const std::function<bool(const X_Screen_Watch::Window_Seen&)>& pick)
{
    unsigned long found = 0;
    Wait_Until(
        [&] {
            found = Program_Window(pick);
            return found != 0;
        },
        Program_Generous_Limit);
    return found;
}

bool Program_Desktop::Screen_Shows(const std::string& artefact, const std::function<bool(const QImage&)>& check)
{
    QImage last;
    const bool shown = Wait_Until(
        [&] {
            last = Grab_Window(Main_Window());
            return !last.isNull() && check(last);
        },
        Program_Generous_Limit);
    Save_Artefact(last, artefact);
    picture = last;
    return shown;
}
