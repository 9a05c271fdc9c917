// The render tool: its --help lists every form and window of the program,
// and each one it lists draws into a PNG that shows something (neither
// empty nor one flat colour), without a word on its standard error.

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

struct Run_Result {
    int exit_code = -1;
    QString output;
    QString errors;
};

// The tool offscreen, with every folder it may write in inside `home`; a
// session without a runtime folder leaves XDG_RUNTIME_DIR unset.
Run_Result Run_Tool(const QStringList& arguments, const QString& home, bool runtime_folder = true)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    for (const char* folder : {"XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "HOME"}) {
        environment.insert(folder, home);
    }
    if (!runtime_folder) {
        environment.remove("XDG_RUNTIME_DIR");
    }
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.start(RENDER_FORM, arguments);
    Run_Result result;
    if (!tool.waitForFinished(120000)) {
        tool.kill();
        tool.waitForFinished();
        return result;
    }
    result.exit_code = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    result.output = QString::fromLocal8Bit(tool.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(tool.readAllStandardError());
    return result;
}

// The form names of --help: the first word of each line under "Forms:".
QStringList Listed_Forms(const QString& help)
{
    QStringList forms;
    bool listing = false;
    for (const QString& line : help.split('\n')) {
        if (line == "Forms:") {
            listing = true;
        } else if (listing && line.startsWith("  ")) {
            forms.push_back(line.trimmed().section(' ', 0, 0));
        }
    }
    return forms;
}

int Colour_Count(const QImage& image)
{
    std::set<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 3; ++y) {
        for (int x = 0; x < image.width() && colours.size() < 3; ++x) {
            colours.insert(image.pixel(x, y) & 0xFFFFFFu);
        }
    }
    return static_cast<int>(colours.size());
}

class Render_Form : public ::testing::Test {
protected:
    QTemporaryDir folder;
};

TEST_F(Render_Form, HelpListsEveryFormAndWindowOfTheProgram)
{
    const Run_Result help = Run_Tool({"--help"}, folder.path());
    ASSERT_EQ(help.exit_code, 0) << help.errors.toStdString();
    const QStringList forms = Listed_Forms(help.output);
    for (const char* expected :
         {"TForm_Main", "TForm_Cam_Select", "TForm_Main_Multi_Cameras", "TForm_Large_Camera", "TForm_Small_Camera",
          "TForm_Message_Box", "TForm_Main_SD", "TForm_WCU_SD", "TForm_AMU_SD1", "TForm_AMU_SD2", "TForm_DE_SD1",
          "TForm_DE_SD2", "TForm_Main_HD", "TForm_WCU_HD", "TForm_AMU_HD1", "TForm_AMU_HD2", "TForm_AMU_HD_Spectrum1",
          "TForm_AMU_HD_Spectrum2", "TForm_DE_HD1", "TForm_DE_HD2", "TForm_WCA_HD"}) {
        EXPECT_TRUE(forms.contains(expected)) << expected;
    }
}

TEST_F(Render_Form, EveryListedFormDrawsAPictureThatShowsSomething)
{
    const QStringList forms = Listed_Forms(Run_Tool({"--help"}, folder.path()).output);
    ASSERT_FALSE(forms.isEmpty());
    for (const QString& form : forms) {
        const QString picture = folder.filePath(form + ".png");
        const Run_Result run = Run_Tool({form, picture}, folder.path());
        EXPECT_EQ(run.exit_code, 0) << form.toStdString() << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.isEmpty()) << form.toStdString() << " says: " << run.errors.toStdString();
        const QImage image(picture);
        ASSERT_FALSE(image.isNull()) << form.toStdString();
        EXPECT_GE(image.width(), 20) << form.toStdString();
        EXPECT_GE(image.height(), 20) << form.toStdString();
        EXPECT_GE(Colour_Count(image), 3) << form.toStdString() << " is nearly one flat colour";
    }
}

TEST_F(Render_Form, WithoutARuntimeFolderTheToolSaysNothingOnItsStandardError)
{
    const Run_Result run = Run_Tool({"TForm_Main_HD", folder.filePath("hd.png")}, folder.path(), false);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
}

// The multi-camera page's help button, 29 x 25 at (44, 8): its caption lies
// whole inside the button's bevels, with a clear column on either side.
TEST_F(Render_Form, TheMultiCameraPagesHelpCaptionFitsItsButton)
{
    const QString picture = folder.filePath("multi.png");
    ASSERT_EQ(Run_Tool({"TForm_Main_Multi_Cameras", picture}, folder.path()).exit_code, 0);
    const QImage page = QImage(picture).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(page.isNull());
    const QRect inside(44 + 2, 8 + 2, 29 - 4, 25 - 4);
    const QRgb face = page.pixel(inside.left(), inside.top());
    int first = -1;
    int last = -1;
    for (int x = inside.left(); x <= inside.right(); ++x) {
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            if (qGray(page.pixel(x, y)) < qGray(face) / 2) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    ASSERT_GE(first, 0) << "no caption drawn";
    EXPECT_GT(first, inside.left()) << "the caption runs into the left bevel";
    EXPECT_LT(last, inside.right()) << "the caption runs into the right bevel";
    EXPECT_GE(last - first + 1, 18) << "the whole word";
}

// The spectrum windows draw the working spectrum: its current curve (green)
// and peak hold (yellow) stand in the black plot, not only the axes.
TEST_F(Render_Form, TheSpectrumWindowsDrawTheirCurves)
{
    for (const QString form : {"TForm_AMU_HD_Spectrum1", "TForm_AMU_HD_Spectrum2"}) {
        const QString picture = folder.filePath(form + ".png");
        ASSERT_EQ(Run_Tool({form, picture}, folder.path()).exit_code, 0) << form.toStdString();
        const QImage window = QImage(picture).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(window.isNull()) << form.toStdString();
        int green = 0;
        int yellow = 0;
        for (int y = 0; y < window.height(); ++y) {
            for (int x = 0; x < window.width(); ++x) {
                const QColor colour(window.pixel(x, y));
                const bool bright_green = colour.green() > 200 && colour.blue() < 100;
                green += bright_green && colour.red() < 100;
                yellow += bright_green && colour.red() > 200;
            }
        }
        EXPECT_GE(green, 40) << form.toStdString() << ": the current curve";
        EXPECT_GE(yellow, 40) << form.toStdString() << ": the peak-hold curve";
    }
}

TEST_F(Render_Form, AnUnknownFormIsRefusedWithAPointerToTheList)
{
    const Run_Result run = Run_Tool({"TForm_Nothing", folder.filePath("x.png")}, folder.path());
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_TRUE(run.errors.contains("unknown form TForm_Nothing")) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("--help"));
}

TEST_F(Render_Form, AStateAssignmentThatNamesNothingIsAnError)
{
    const Run_Result run =
        Run_Tool({"TForm_Main_SD", folder.filePath("x.png"), "--set", "Nothing=1"}, folder.path());
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_TRUE(run.errors.contains("unknown state name: Nothing")) << run.errors.toStdString();
}

} // namespace
