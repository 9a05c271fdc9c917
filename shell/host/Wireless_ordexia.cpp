// Wireless Ordexia: the program's entry.

#include "platform/classlib/Forms.h"
#include "shell/host/Fich_main.h"
#include "shell/host/Start_up.h"

#include <QApplication>

#include <string>

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return Start_Program({Program_Folder(), [] { Application->CreateForm(Form_Main); }});
}

int main(int argc, char** argv)
{
    // The forms draw in device pixels and adapt to the screen's DPI by their
    // own rules; Qt's scaling would enlarge them a second time.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    Give_Toolkit_A_Runtime_Folder();
    QApplication application(argc, argv);
    std::string command_line;
    for (int i = 1; i < argc; ++i)
        command_line += (i > 1 ? " " : "") + std::string(argv[i]);
    const int result = WinMain(nullptr, nullptr, command_line.data(), SW_SHOWNORMAL);
    // The application's forms go while their windows' application still exists.
    Application->DestroyComponents();
    return result;
}
