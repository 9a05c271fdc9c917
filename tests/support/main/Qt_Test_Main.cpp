// The main of test programs whose tests need a QApplication on the main
// thread (widgets, windows, timers). They draw offscreen also when run by
// hand or listed by test discovery. Kept out of the support library, whose
// every object would otherwise offer a main to all test programs.

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
