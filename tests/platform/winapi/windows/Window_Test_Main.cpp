// The window tests need one QApplication for the whole run.

#include "tests/platform/winapi/windows/Window_Test_Support.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the program outside ctest's environment too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Register_Recorder_Classes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
