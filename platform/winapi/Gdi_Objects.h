#pragma once
// The objects behind GDI handles. Every live object is registered, so a
// handle can be checked before use; objects still selected into a device
// context (or held by a saved state) are deleted only when the last holder
// lets go, so DeleteObject never leaves a context pointing at freed memory.

#include "platform/winapi/Gdi.h"

#include <QFont>
#include <QImage>
#include <QRegion>

#include <array>
#include <cstddef>
#include <vector>

enum class Gdi_Kind { Pen, Brush, Font, Bitmap, Region, Palette };

struct Gdi_Object {
    explicit Gdi_Object(Gdi_Kind object_kind);
    virtual ~Gdi_Object();
    Gdi_Object(const Gdi_Object&) = delete;
    Gdi_Object& operator=(const Gdi_Object&) = delete;

    // GetObject: copies the logical description; a null buffer asks the size.
    virtual int Get_Object(int size, void* buffer) const = 0;

    const Gdi_Kind kind;
    bool stock = false;          // stock objects are never deleted
    int holders = 0;             // device-context states that hold the object
    bool delete_pending = false; // DeleteObject came while it was held
};

// The live object a handle names, or nullptr (unknown, deleted, other type).
Gdi_Object* Gdi_Find_Object(const void* handle);
// Each object type names its kind, so the check is a compare, not a dynamic cast.
template <class T>
T* Gdi_Find(const void* handle)
{
    Gdi_Object* object = Gdi_Find_Object(handle);
    return object && object->kind == T::object_kind ? static_cast<T*>(object) : nullptr;
}

// Holding: a device-context state takes and releases its objects through these.
void Gdi_Hold(Gdi_Object* object);
void Gdi_Release(Gdi_Object* object);

struct Gdi_Pen final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Pen;
    explicit Gdi_Pen(const LOGPEN& pen);
    int Get_Object(int size, void* buffer) const override;
    int Width() const { return log_pen.lopnWidth.x < 1 ? 1 : log_pen.lopnWidth.x; }
    int Style() const { return static_cast<int>(log_pen.lopnStyle & 0x0F); }
    LOGPEN log_pen;
};

struct Gdi_Brush final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Brush;
    explicit Gdi_Brush(const LOGBRUSH& brush);
    Gdi_Brush(const QImage& bitmap_pattern, bool mono_pattern);
    int Get_Object(int size, void* buffer) const override;
    LOGBRUSH log_brush;
    QImage pattern;           // BS_PATTERN: a copy of the bitmap, RGB32
    bool mono_pattern = false; // monochrome patterns draw in the DC's text and background colours

    // One period of rows of the brush laid out for an area, as the blit layer
    // last needed them: a control painted again with the same brush and
    // colours at the same place in the pattern reuses them.
    struct Laid_Out {
        struct Key {
            int x_phase = -1;
            int y_phase = -1;
            int width = 0;
            std::array<QRgb, 4> colors{}; // brush, text and background colours as they land, fourth byte
            int flags = 0;                // mono surface, opaque background
            bool operator==(const Key&) const = default;
        };
        Key key;
        std::vector<QRgb> pixels; // rows of `width` pixels, one per row of the period
    };
    mutable Laid_Out laid_out;
};

struct Text_Face;

// The text layer (Gdi_Text) turns log_font into qt_font on first use and
// keeps the face it drew with, so a call finds it without a lookup.
struct Gdi_Font final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Font;
    explicit Gdi_Font(const LOGFONTA& font);
    int Get_Object(int size, void* buffer) const override;
    LOGFONTA log_font;
    QFont qt_font;
    bool qt_font_ready = false;
    const Text_Face* text_face = nullptr;
};

// Where a surface's pixels lie for the drawing code: image row y starts at
// first + y * stride, so a bottom-up DIB section's rows run backwards
// through its memory. Pixels are 32 bits as a QImage RGB32 holds them, or,
// in a 24-bit DIB section, three bytes blue, green, red.
struct Gdi_Pixel_Rows {
    uchar* first = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    bool packed = false; // three bytes a pixel

    uchar* Row(int y) const { return first + static_cast<std::ptrdiff_t>(y) * stride; }
    // A 32-bit row: only when not packed.
    QRgb* Pixels(int y) const { return reinterpret_cast<QRgb*>(Row(y)); }
    // count pixels from (x, y) as RGB32 values, and back; a 24-bit write
    // drops the fourth byte.
    void Read(int y, int x, int count, QRgb* out) const;
    void Write(int y, int x, int count, const QRgb* in) const;
    void Fill(int y, int x, int count, QRgb pixel) const;
    QRgb At(int x, int y) const;
};

// A change to count pixels from (x, y): `change` gets them as RGB32 values
// (a 32-bit row's own, or a 24-bit row's unpacked into scratch and packed
// back after); with `reads` false it only writes them.
template <class Change>
inline void Gdi_Change_Pixels(const Gdi_Pixel_Rows& rows, int y, int x, int count, QRgb* scratch, bool reads, Change change)
{
    if (!rows.packed) {
        change(rows.Pixels(y) + x);
        return;
    }
    if (reads)
        rows.Read(y, x, count, scratch);
    change(scratch);
    rows.Write(y, x, count, scratch);
}

// A bitmap's pixels have one home, which every drawing call works on in
// place: an ordinary bitmap's RGB32 image, a DIB section's memory (24 or 32
// bits, top-down or bottom-up), so that a caller holding the memory and GDI
// always see the same pixels and nothing is converted between them. A
// top-down 32-bit section's image lies over its memory; other sections keep
// the image only for code that needs a QImage (a QPainter), which brackets
// its use with Surface_Current and Surface_Drawn to bring in and write back
// the area it touches.
struct Gdi_Bitmap final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Bitmap;
    Gdi_Bitmap(int width, int height, int bits_per_pixel);
    int Get_Object(int size, void* buffer) const override;
    bool Is_Mono() const { return bits_pixel == 1; }
    // A 32-bit DIB section: its surface pixels carry the memory's fourth byte.
    bool Keeps_Fourth_Byte() const { return dib_section && bits_pixel == 32; }
    int Dib_Stride() const;
    void Make_Dib_Section(bool is_bottom_up);
    Gdi_Pixel_Rows Rows();
    // Before a QImage user reads or draws the area (image coordinates) of the image.
    void Surface_Current(const QRect& area);
    void Surface_Current() { Surface_Current(image.rect()); }
    // After it had the area: what it drew goes home.
    void Surface_Drawn(const QRect& area);
    void Surface_Drawn() { Surface_Drawn(image.rect()); }
    // The memory of image row y (0 <= y < height) of a DIB section.
    uchar* Open_Dib_Row(int y);

    QImage image;
    int bits_pixel = 32;
    bool dib_section = false;
    bool bottom_up = false;
    std::vector<uchar> dib_bits;
    class Gdi_Dc* selected_dc = nullptr;

private:
    // Pixels [x_from, x_to) of row y, between memory and image.
    void Load_Span(int y, int x_from, int x_to);
    void Store_Span(int y, int x_from, int x_to);

    // The image is the memory itself: nothing to bring in or write back.
    bool Image_Is_Home() const { return !dib_section || (Keeps_Fourth_Byte() && !bottom_up); }
};

struct Gdi_Region final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Region;
    explicit Gdi_Region(const QRegion& initial = QRegion());
    int Get_Object(int size, void* buffer) const override;
    QRegion region;
};

struct Gdi_Palette final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Palette;
    explicit Gdi_Palette(std::vector<PALETTEENTRY> palette_entries);
    int Get_Object(int size, void* buffer) const override;
    std::vector<PALETTEENTRY> entries;
};

// Rows of device-independent pixels (1 bit with 1 = white, leftmost pixel in
// the high bit; 24-bit blue, green, red; 32-bit blue, green, red, unused) to
// and from RGB32 pixels.
void Gdi_Unpack_Row(const uchar* packed, int bits_per_pixel, QRgb* pixels, int width);
void Gdi_Pack_Row(const QRgb* pixels, int width, int bits_per_pixel, uchar* packed);

// A run of count pixels of one value.
void Gdi_Fill_Pixels(QRgb* run, int count, QRgb value);

// The 1x1 monochrome bitmap a new memory DC starts with.
Gdi_Bitmap* Gdi_Stock_Bitmap();

// Colour helpers shared by the drawing units: COLORREF is 0x00BBGGRR, a
// QImage RGB32 pixel 0xFFRRGGBB.
constexpr QRgb Gdi_To_Pixel(COLORREF color)
{
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
constexpr COLORREF Gdi_To_Colorref(QRgb pixel)
{
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}
// What a colour becomes on a monochrome surface: the nearer of black and white.
QRgb Gdi_Mono_Pixel(QRgb pixel);
