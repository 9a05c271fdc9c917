// Shows a real top-level window with a bordered, painted child on the X
// server it is given, then reads the screen's pixels back. Exit status 0
// when they are right; the picture is saved to the path given, if any.

#include "platform/winapi/Window.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <cstdio>

namespace {

LRESULT Child_Procedure(HWND window, UINT message, WPARAM w_param, LPARAM l_param)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, w_param, l_param);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &client, red);
    DeleteObject(red);
    EndPaint(window, &paint);
    return 0;
}

void Register(LPCSTR name, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSA window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hbrBackground = background;
    window_class.lpszClassName = name;
    RegisterClassA(&window_class);
}

bool Check(const QImage& shot, int x, int y, QRgb expected)
{
    const QRgb seen = shot.pixel(x, y) | 0xFF000000;
    if (seen == expected)
        return true;
    std::printf("pixel (%d, %d) is %08X, expected %08X\n", x, y, seen, expected);
    return false;
}

void Run_Loop_For(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    Register("Screenshot_Top", DefWindowProcA, blue);
    Register("Screenshot_Child", Child_Procedure, nullptr);
    HWND top = CreateWindowExA(0, "Screenshot_Top", "Screenshot", WS_POPUP | WS_VISIBLE, 40, 30, 160, 120, nullptr,
                               nullptr, nullptr, nullptr);
    CreateWindowExA(0, "Screenshot_Child", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 20, 20, 60, 40, top, nullptr,
                    nullptr, nullptr);
    QWindow* native = Window_Widget(top)->windowHandle();
    for (int round = 0; round < 500 && !(native && native->isExposed()); ++round) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    for (int round = 0; round < 50; ++round) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    // A DC kept open: what is drawn through it shows once the loop goes idle.
    HDC dc = GetDCEx(top, nullptr, 0);
    Run_Loop_For(100);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    const RECT square{120, 80, 150, 110};
    FillRect(dc, &square, green);
    DeleteObject(green);
    Run_Loop_For(300);
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0, 40, 30, 160, 120).toImage();
    ReleaseDC(top, dc);
    if (argc > 1)
        shot.save(argv[1]);
    const bool right = Check(shot, 5, 5, 0xFF0000FF) && Check(shot, 20, 20, 0xFF000000) &&
                       Check(shot, 79, 59, 0xFF000000) && Check(shot, 50, 40, 0xFFFF0000) &&
                       Check(shot, 81, 40, 0xFF0000FF) && Check(shot, 120, 80, 0xFF00FF00) &&
                       Check(shot, 149, 109, 0xFF00FF00);
    std::printf("%s\n", right ? "pixels right" : "pixels wrong");
    DestroyWindow(top);
    DeleteObject(blue);
    return right ? 0 : 1;
}
