// A real top-level window on an X server (Xvfb), checked by its pixels.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <gtest/gtest.h>

TEST(Window_Screenshot, A_Real_Window_Shows_Its_Painted_Child)
{
    const QString xvfb_run = QStandardPaths::findExecutable("xvfb-run");
    if (xvfb_run.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed";
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(xvfb_run, {"-a", "-s", "-screen 0 640x480x24", WINDOW_SCREENSHOT_PROGRAM});
    ASSERT_TRUE(program.waitForFinished(120000)) << "the program did not finish";
    const QByteArray output = program.readAll();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << output.toStdString();
}
