#pragma once
// A small RGB32 surface with an image DC over it, read back as a pixel map.

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Dc.h"
#include "tests/support/Pixel_Map.h"

#include <QImage>

#include <map>
#include <string>

// The characters the maps use: white '.', black '#', anything unlisted '?'.
inline const std::map<COLORREF, char> default_legend{{0xFFFFFF, '.'}, {0x000000, '#'}};

class Gdi_Test_Surface {
public:
    Gdi_Test_Surface(int width, int height, COLORREF fill = 0xFFFFFF) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(Gdi_To_Pixel(fill));
        dc = Create_Image_DC(&image);
    }
    ~Gdi_Test_Surface() { DeleteDC(dc); }
    Gdi_Test_Surface(const Gdi_Test_Surface&) = delete;
    Gdi_Test_Surface& operator=(const Gdi_Test_Surface&) = delete;

    COLORREF At(int x, int y) const { return Gdi_To_Colorref(image.pixel(x, y)); }

    std::string Map(const std::map<COLORREF, char>& legend = default_legend) const
    {
        return Pixel_Map(image.width(), image.height(), [&](int x, int y) {
            auto found = legend.find(At(x, y));
            return found == legend.end() ? '?' : found->second;
        });
    }

    QImage image;
    HDC dc = nullptr;
};

// Selects an object for a scope and puts the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : target(dc), previous(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(target, previous); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC target;
    HGDIOBJ previous;
};
