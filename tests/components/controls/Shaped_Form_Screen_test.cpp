// A shaped form on a real X server of the test's own: outside its region
// the screen shows what lies behind it.

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include "tests/platform/winapi/Test_Private_Display.h"

TEST(ShapedFormScreen, PixelsOutsideTheRegionShowTheWindowBehind)
{
    Private_Display display;
    if (!display.Available())
        GTEST_SKIP() << "Xvfb is not installed";
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments;
    if (qEnvironmentVariableIsSet("CONTROLS_RENDER_SHAPE"))
        arguments << qEnvironmentVariable("CONTROLS_RENDER_SHAPE");
    program.start(SHAPED_FORM_SCREEN_PROGRAM, arguments);
    ASSERT_TRUE(program.waitForFinished(120000)) << "the program did not finish";
    const QByteArray output = program.readAll();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << output.toStdString();
}
