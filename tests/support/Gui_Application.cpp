#include "tests/support/Gui_Application.h"

#include <QGuiApplication>

void Ensure_Gui_Application()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's statics may outlive a static application object.
    new QGuiApplication(argc, argv);
}
