#pragma once
// The device-context object behind an HDC: a drawing state over one RGB32
// QImage. A memory DC draws into the bitmap selected into it; an image DC
// into a QImage owned by someone else (a window's back store); the screen DC
// into a scratch image of the screen's size.
//
// Coordinates: device = logical - window origin + viewport origin (MM_TEXT
// only). The clip region is kept in device coordinates, as GDI does, so
// moving an origin after a clip was set does not move the clip.

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Objects.h"

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <vector>

struct Gdi_Dc_State {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr; // the text layer draws with it
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    COLORREF text_color = 0x000000;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretch_mode = BLACKONWHITE;
    int poly_fill_mode = ALTERNATE;
    int char_extra = 0;
    UINT text_align = 0; // TA_ flags, set by the text layer's SetTextAlign
    POINT current_position;
    POINT window_origin;
    POINT viewport_origin;
    POINT brush_origin;
    bool clipped = false; // without a clip the whole surface is drawable
    QRegion clip;         // device coordinates

    void Hold_Objects() const;
    void Release_Objects() const;
};

class Gdi_Dc {
public:
    enum class Kind { Memory, Image, Screen };

    Gdi_Dc(Kind dc_kind, QImage* image);
    ~Gdi_Dc();
    Gdi_Dc(const Gdi_Dc&) = delete;
    Gdi_Dc& operator=(const Gdi_Dc&) = delete;

    Kind Dc_Kind() const { return kind; }
    // The image drawn into: the selected bitmap's for a memory DC (see
    // Gdi_Access for a DIB section's).
    QImage& Surface();
    const QImage& Surface() const;
    // Where the drawing code reads and writes the surface's pixels, in place:
    // a DIB section's own memory, whatever its depth and row order.
    Gdi_Pixel_Rows Rows();
    bool Is_Mono() const; // a memory DC over a monochrome bitmap
    Gdi_Bitmap* Selected_Bitmap() const;

    // device = logical + Origin(); To_Device keeps results within +-2^28 so
    // that wild coordinates cannot overflow the arithmetic after it.
    QPoint Origin() const;
    QPoint To_Device(int x, int y) const;
    QRect To_Device(const RECT& rect) const;
    // Where drawing may touch pixels: the clip (if any) within the surface, device coordinates.
    QRegion Drawable_Region() const;

    // A colour as it lands on this surface (black or white on a monochrome
    // one), its fourth byte as Fourth_Byte() says.
    QRgb Surface_Pixel(COLORREF color) const;
    // The RGB value of a colour here: a palette index (bit 24 set, whatever
    // else the high byte holds) takes the selected palette's entry, a DIB
    // colour-table index (0x10FF flag) has no table on a 32-bit surface and
    // gives black, PALETTERGB (0x02) is plain RGB.
    COLORREF Resolved_Color(COLORREF color) const;
    // A 32-bit DIB section's surface keeps each pixel's fourth byte, as its
    // memory does: drawn colours have 0 there and raster operations work on
    // all 32 bits. Every other surface keeps it 0xFF, as QImage's RGB32
    // wants. The byte that raster results are ORed with: 0 or 0xFF000000.
    QRgb Fourth_Byte() const;

    // Bracket a use of Surface() as a QImage (a QPainter's) in an area,
    // device coordinates: a DIB section whose memory is not that image
    // brings the area in before and writes it back after. Code that works
    // through Rows() needs no bracket.
    void Begin_Access(const QRect& area);
    void End_Access(const QRect& area);

    Gdi_Dc_State state;
    std::vector<Gdi_Dc_State> saved_states;
    // Rows of pixels a drawing call works in, kept between calls so that a
    // call allocates nothing.
    std::vector<QRgb> scratch;

private:
    Kind kind;
    QImage* external_image;
};

// Bracketing for a scope: Gdi_Access access(dc, touched); ... use
// dc->Surface() within touched (the whole surface when not given).
class Gdi_Access {
public:
    explicit Gdi_Access(Gdi_Dc* dc) : Gdi_Access(dc, dc->Surface().rect()) {}
    Gdi_Access(Gdi_Dc* dc, const QRect& touched) : accessed(dc), area(touched) { accessed->Begin_Access(area); }
    ~Gdi_Access() { accessed->End_Access(area); }
    Gdi_Access(const Gdi_Access&) = delete;
    Gdi_Access& operator=(const Gdi_Access&) = delete;

private:
    Gdi_Dc* accessed;
    QRect area;
};

// The live DC a handle names, or nullptr.
Gdi_Dc* Gdi_Find_Dc(HDC dc);

// A DC over any RGB32 image (a window's back store); the image must outlive
// the DC, which DeleteDC ends. nullptr for a null image or another format.
HDC Create_Image_DC(QImage* image);
