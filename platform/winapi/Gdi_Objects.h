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

// Pixels are kept as a top-down RGB32 image, the surface every drawing call
// uses. A monochrome bitmap holds only black and white pixels. A top-down
// 32-bit DIB section's image lies over its caller-visible memory itself, so
// drawing and callers share every byte and nothing is ever converted. Other
// DIB sections (24 bits, or bottom-up) keep the memory apart and sync the
// two lazily, row by row: GDI drawing leaves the memory behind and a row is
// packed only when a caller opens it; a row a caller opened is unpacked
// before the next GDI access. Once their raw memory has been handed out
// (CreateDIBSection's bits, GetObject's bmBits) the caller may write it at
// any time, so the memory becomes the pixels' home: each GDI access brings
// in just the area it touches and writes that area back after, so a call
// costs in proportion to what it draws, not to the bitmap's size.
struct Gdi_Bitmap final : Gdi_Object {
    static constexpr Gdi_Kind object_kind = Gdi_Kind::Bitmap;
    Gdi_Bitmap(int width, int height, int bits_per_pixel);
    int Get_Object(int size, void* buffer) const override;
    bool Is_Mono() const { return bits_pixel == 1; }
    // A 32-bit DIB section: its surface pixels carry the memory's fourth byte.
    bool Keeps_Fourth_Byte() const { return dib_section && bits_pixel == 32; }
    int Dib_Stride() const;
    void Make_Dib_Section(bool is_bottom_up);
    // Before GDI reads or draws the area (image coordinates) of the surface.
    void Surface_Current(const QRect& area);
    void Surface_Current() { Surface_Current(image.rect()); }
    // After GDI had the area: whatever it drew there is newer than the memory.
    void Surface_Drawn(const QRect& area);
    void Surface_Drawn() { Surface_Drawn(image.rect()); }
    // The memory of image row y (0 <= y < height) of a DIB section, up to
    // date, for the caller to read and write until the next GDI access.
    uchar* Open_Dib_Row(int y);
    // The raw memory goes to a caller: from now on it may change at any time.
    void Expose_Memory();

    QImage image;
    int bits_pixel = 32;
    bool dib_section = false;
    bool bottom_up = false;
    std::vector<uchar> dib_bits;
    class Gdi_Dc* selected_dc = nullptr;

private:
    enum class Row_State : uchar { Same, Surface_Newer, Memory_Newer };
    uchar* Dib_Row(int y);
    void Load_Row(int y) { Load_Span(y, 0, image.width()); }
    void Store_Row(int y) { Store_Span(y, 0, image.width()); }
    // Pixels [x_from, x_to) of row y, between memory and surface.
    void Load_Span(int y, int x_from, int x_to);
    void Store_Span(int y, int x_from, int x_to);

    bool Shares_Memory() const { return Keeps_Fourth_Byte() && !bottom_up; }

    std::vector<Row_State> row_states; // one per image row of a DIB section
    int memory_newer_rows = 0;
    bool memory_exposed = false;
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
