// Shows a red elliptic form over a blue form on the X server it is given
// and reads the screen back: the corners of the shaped form's window, which
// lie outside its ellipse, must show the blue form behind it. Exit status 0
// when the pixels are right; the picture is saved to the path given, if any.

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>

#include <cstdio>

#include "components/controls/Sclregion.h"
#include "platform/classlib/Forms.h"

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;

class Plain_Form : public TForm {
public:
    Plain_Form(RECT bounds, TColor color) : TForm(nullptr)
    {
        SetBorderStyle(bsNone);
        SetBoundsRect(bounds);
        SetColor(color);
    }
};

QImage Screen_Shot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

bool Check(const QImage& shot, int x, int y, QRgb expected)
{
    const QRgb seen = shot.pixel(x, y) | 0xFF000000;
    if (seen == expected)
        return true;
    std::printf("pixel (%d, %d) is %08X, expected %08X\n", x, y, seen, expected);
    return false;
}

bool Pixels_Right(const QImage& shot, bool report)
{
    // The shaped form stands at (60, 60), 120 x 80.
    const auto check = [&](int x, int y, QRgb expected) {
        return report ? Check(shot, x, y, expected) : (shot.pixel(x, y) | 0xFF000000) == expected;
    };
    const bool centre = check(120, 100, Red);
    const bool corners = check(62, 62, Blue) && check(177, 62, Blue) && check(62, 137, Blue) && check(177, 137, Blue);
    const bool edges = check(61, 100, Red) && check(120, 61, Red);
    const bool beside = check(190, 100, Blue);
    return centre && corners && edges && beside;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    Plain_Form behind(RECT{0, 0, 320, 240}, clBlue);
    behind.Show();
    Plain_Form shaped(RECT{60, 60, 180, 140}, clRed);
    auto* shape = new TSCLFormShape(&shaped);
    shape->Region()->SetRegionShape(rsElliptic);
    shape->Loaded();
    shaped.Show();
    // The server shows the windows once it has handled their mapping: look
    // until the picture settles, for at most ten seconds.
    QImage shot;
    for (int round = 0; round < 1000; ++round) {
        QCoreApplication::processEvents();
        shot = Screen_Shot();
        if (Pixels_Right(shot, false))
            break;
        QThread::msleep(10);
    }
    if (argc > 1)
        shot.save(argv[1]);
    const bool right = Pixels_Right(shot, true);
    std::printf("%s\n", right ? "pixels right" : "pixels wrong");
    return right ? 0 : 1;
}
