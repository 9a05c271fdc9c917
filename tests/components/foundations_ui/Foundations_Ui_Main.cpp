// The pool, window-procedure and system-information tests need a
// QApplication on the main thread: the pool's ticks and the hooked forms
// go through windows. They draw offscreen also when run by hand.

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
