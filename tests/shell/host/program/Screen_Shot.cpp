#include "tests/shell/host/program/Screen_Shot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <filesystem>

QImage Grab_Window(unsigned long window)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return {};
    QImage image;
    XWindowAttributes attributes {};
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
        XImage* shot = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                                 static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
        if (shot != nullptr) {
            image = QImage(attributes.width, attributes.height, QImage::Format_RGB32);
            for (int y = 0; y < attributes.height; ++y)
                for (int x = 0; x < attributes.width; ++x)
                    image.setPixel(x, y, static_cast<QRgb>(XGetPixel(shot, x, y) & 0xFFFFFF));
            XDestroyImage(shot);
        }
    }
    XCloseDisplay(display);
    return image;
}

void Save_Artefact(const QImage& image, const std::string& name)
{
    const char* folder = std::getenv("ORDEXIA_ARTEFACTS");
    const std::filesystem::path target = folder != nullptr ? folder : ORDEXIA_ARTEFACTS;
    std::filesystem::create_directories(target);
    image.save(QString::fromStdString((target / (name + ".png")).string()), "PNG");
}
