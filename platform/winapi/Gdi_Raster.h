#pragma once
// The pixel layer under the drawing calls: puts pen pixels and brush spans
// onto a DC's surface, in device coordinates, through the DC's clip and with
// a binary raster operation (the DC's pen mix, or plain copy).

#include "platform/winapi/Gdi_Dc.h"

#include <QRegion>

#include <vector>

// The result of a pen mix (R2_ code) of a pen pixel over a destination pixel, on all 32 bits.
QRgb Gdi_Mix(int rop2, QRgb pen, QRgb destination);

class Gdi_Raster {
public:
    // Draws on the DC's pixels in place, within `touched` (device
    // coordinates), by default the whole surface.
    explicit Gdi_Raster(Gdi_Dc& target);
    Gdi_Raster(Gdi_Dc& target, const QRect& touched);
    Gdi_Raster(const Gdi_Raster&) = delete;
    Gdi_Raster& operator=(const Gdi_Raster&) = delete;

    Gdi_Dc& Dc() { return dc; }

    void Plot(int x, int y, QRgb pixel, int rop2);
    // Pixels [x_from, x_to) of row y from a brush.
    void Fill_Span(int y, int x_from, int x_to, const Gdi_Brush& brush, int rop2);
    void Fill_Region(const QRegion& region, const Gdi_Brush& brush, int rop2);
    void Plot_Region(const QRegion& region, QRgb pixel, int rop2);
    // The brush's pixels on dc for a run of a row; false where a transparent hatch gap leaves the surface alone.
    static void Brush_Row(const Gdi_Dc& dc, const Gdi_Brush& brush, int y, int x_from, int count, QRgb* pixels, unsigned char* painted);

private:
    bool Visible(int x, int y) const;
    template <class Apply>
    void For_Visible_Spans(int y, int x_from, int x_to, Apply apply);
    // Pixels [x_from, x_to) of row y: one colour through a mix.
    void Mix_Span(int y, int x_from, int x_to, QRgb pixel, int rop2);
    QRgb* Scratch(int count);

    Gdi_Dc& dc;
    Gdi_Pixel_Rows rows;
    QRgb fourth_byte;              // ORed into every mixed pixel: Gdi_Dc::Fourth_Byte
    QRegion drawable;              // device coordinates, within the surface and the touched area
    std::vector<QRect> clip_rects; // its rectangles
    std::vector<QRgb> scratch;     // a run of pixels being worked on
    std::vector<QRgb> brush_pixels;
    std::vector<unsigned char> brush_painted;
};
