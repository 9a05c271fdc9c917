#include "platform/winapi/Gdi_Objects.h"

#include "platform/winapi/Gdi_Dc.h"

#include <algorithm>
#include <immintrin.h>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

std::mutex registry_mutex;
std::unordered_set<const void*>& Registry()
{
    static std::unordered_set<const void*> live;
    return live;
}

template <class T>
int Copy_Out(const T& value, int size, void* buffer)
{
    if (!buffer)
        return static_cast<int>(sizeof(T));
    if (size < static_cast<int>(sizeof(T)))
        return 0;
    std::memcpy(buffer, &value, sizeof(T));
    return static_cast<int>(sizeof(T));
}

template <class T>
T* Make_Stock(T* object)
{
    object->stock = true;
    return object;
}

LOGFONTA Stock_Font(LONG height, LONG weight, const char* face)
{
    LOGFONTA font;
    font.lfHeight = height;
    font.lfWeight = weight;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

// The twenty static colours of the default palette.
std::vector<PALETTEENTRY> Default_Palette()
{
    return {{0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0}, {0x00, 0x00, 0x80, 0},
            {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0}, {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0},
            {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0}, {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0},
            {0xFF, 0xFF, 0x00, 0}, {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0}};
}

Gdi_Object* Stock_Object(int index)
{
    // Built once, never deleted: they live as long as the program.
    static Gdi_Object* const stock[] = {
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_SOLID, 0xFFFFFF, 0})),
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_SOLID, 0xC0C0C0, 0})),
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_SOLID, 0x808080, 0})),
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_SOLID, 0x404040, 0})),
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_SOLID, 0x000000, 0})),
        Make_Stock(new Gdi_Brush(LOGBRUSH{BS_NULL, 0, 0})),
        Make_Stock(new Gdi_Pen(LOGPEN{PS_SOLID, {0, 0}, 0xFFFFFF})),
        Make_Stock(new Gdi_Pen(LOGPEN{PS_SOLID, {0, 0}, 0x000000})),
        Make_Stock(new Gdi_Pen(LOGPEN{PS_NULL, {0, 0}, 0x000000})),
        nullptr,
        nullptr,
        nullptr,
        nullptr,
        Make_Stock(new Gdi_Font(Stock_Font(16, 700, "System"))),
        nullptr,
        Make_Stock(new Gdi_Palette(Default_Palette())),
        nullptr,
        Make_Stock(new Gdi_Font(Stock_Font(-11, 400, "MS Sans Serif"))),
    };
    if (index < 0 || index >= static_cast<int>(std::size(stock)))
        return nullptr;
    return stock[index];
}

int Bitmap_Width_Bytes(int width, int bits_per_pixel)
{
    // BITMAP rows are padded to 16 bits, DIB rows to 32 bits.
    return ((width * bits_per_pixel + 15) / 16) * 2;
}

bool Replace_Selection(Gdi_Dc* dc, Gdi_Object* object, HGDIOBJ& previous)
{
    Gdi_Dc_State& state = dc->state;
    auto swap_in = [&](auto& slot, auto* replacement) {
        previous = slot;
        Gdi_Release(Gdi_Find_Object(slot));
        slot = replacement;
        Gdi_Hold(replacement);
    };
    switch (object->kind) {
    case Gdi_Kind::Pen:
        swap_in(state.pen, static_cast<Gdi_Pen*>(object));
        return true;
    case Gdi_Kind::Brush:
        swap_in(state.brush, static_cast<Gdi_Brush*>(object));
        return true;
    case Gdi_Kind::Font:
        swap_in(state.font, static_cast<Gdi_Font*>(object));
        return true;
    case Gdi_Kind::Bitmap: {
        auto* bitmap = static_cast<Gdi_Bitmap*>(object);
        // A bitmap lives in one memory DC at a time; only memory DCs take bitmaps.
        if (dc->Dc_Kind() != Gdi_Dc::Kind::Memory || (bitmap->selected_dc && bitmap->selected_dc != dc))
            return false;
        if (Gdi_Bitmap* old = dc->Selected_Bitmap())
            old->selected_dc = nullptr;
        swap_in(state.bitmap, bitmap);
        if (!bitmap->stock)
            bitmap->selected_dc = dc;
        return true;
    }
    default:
        return false;
    }
}

} // namespace

Gdi_Object::Gdi_Object(Gdi_Kind object_kind) : kind(object_kind)
{
    std::lock_guard lock(registry_mutex);
    Registry().insert(this);
}

Gdi_Object::~Gdi_Object()
{
    std::lock_guard lock(registry_mutex);
    Registry().erase(this);
}

Gdi_Object* Gdi_Find_Object(const void* handle)
{
    if (!handle)
        return nullptr;
    std::lock_guard lock(registry_mutex);
    if (!Registry().contains(handle))
        return nullptr;
    return static_cast<Gdi_Object*>(const_cast<void*>(handle));
}

void Gdi_Hold(Gdi_Object* object)
{
    if (object)
        ++object->holders;
}

void Gdi_Release(Gdi_Object* object)
{
    if (!object)
        return;
    --object->holders;
    if (object->holders <= 0 && object->delete_pending)
        delete object;
}

QRgb Gdi_Mono_Pixel(QRgb pixel)
{
    int luminance = (qRed(pixel) * 30 + qGreen(pixel) * 59 + qBlue(pixel) * 11) / 100;
    return luminance >= 128 ? 0xFFFFFFFFu : 0xFF000000u;
}

// ---- Objects -----------------------------------------------------------

Gdi_Pen::Gdi_Pen(const LOGPEN& pen) : Gdi_Object(Gdi_Kind::Pen), log_pen(pen) {}

int Gdi_Pen::Get_Object(int size, void* buffer) const { return Copy_Out(log_pen, size, buffer); }

Gdi_Brush::Gdi_Brush(const LOGBRUSH& brush) : Gdi_Object(Gdi_Kind::Brush), log_brush(brush) {}

Gdi_Brush::Gdi_Brush(const QImage& bitmap_pattern, bool is_mono)
    : Gdi_Object(Gdi_Kind::Brush), log_brush{BS_PATTERN, 0, 0}, pattern(bitmap_pattern), mono_pattern(is_mono)
{
}

int Gdi_Brush::Get_Object(int size, void* buffer) const { return Copy_Out(log_brush, size, buffer); }

Gdi_Font::Gdi_Font(const LOGFONTA& font) : Gdi_Object(Gdi_Kind::Font), log_font(font)
{
    log_font.lfFaceName[LF_FACESIZE - 1] = '\0';
}

int Gdi_Font::Get_Object(int size, void* buffer) const { return Copy_Out(log_font, size, buffer); }

Gdi_Bitmap::Gdi_Bitmap(int width, int height, int bits_per_pixel)
    : Gdi_Object(Gdi_Kind::Bitmap), image(width, height, QImage::Format_RGB32), bits_pixel(bits_per_pixel)
{
    image.fill(0xFF000000u);
}

int Gdi_Bitmap::Dib_Stride() const { return ((image.width() * bits_pixel + 31) / 32) * 4; }

int Gdi_Bitmap::Get_Object(int size, void* buffer) const
{
    BITMAP bitmap;
    bitmap.bmWidth = image.width();
    bitmap.bmHeight = image.height();
    bitmap.bmPlanes = 1;
    bitmap.bmBitsPixel = static_cast<WORD>(bits_pixel);
    bitmap.bmWidthBytes = dib_section ? Dib_Stride() : Bitmap_Width_Bytes(image.width(), bits_pixel);
    if (!dib_section || size < static_cast<int>(sizeof(DIBSECTION)))
        return Copy_Out(bitmap, size, buffer);
    // The object is never const itself: only this getter is.
    DIBSECTION section;
    bitmap.bmBits = const_cast<uchar*>(dib_bits.data());
    section.dsBm = bitmap;
    section.dsBmih.biSize = sizeof(BITMAPINFOHEADER);
    section.dsBmih.biWidth = image.width();
    section.dsBmih.biHeight = bottom_up ? image.height() : -image.height();
    section.dsBmih.biPlanes = 1;
    section.dsBmih.biBitCount = static_cast<WORD>(bits_pixel);
    section.dsBmih.biCompression = BI_RGB;
    section.dsBmih.biSizeImage = static_cast<DWORD>(dib_bits.size());
    return Copy_Out(section, size, buffer);
}

void Gdi_Bitmap::Make_Dib_Section(bool is_bottom_up)
{
    dib_section = true;
    bottom_up = is_bottom_up;
    // Zeroed memory matches the black surface a new bitmap starts with.
    dib_bits.assign(static_cast<std::size_t>(Dib_Stride()) * static_cast<std::size_t>(image.height()), 0);
    if (Image_Is_Home())
        image = QImage(dib_bits.data(), image.width(), image.height(), Dib_Stride(), QImage::Format_RGB32);
    else if (Keeps_Fourth_Byte())
        image.fill(0u);
}

Gdi_Pixel_Rows Gdi_Bitmap::Rows()
{
    if (!dib_section)
        return {image.bits(), image.bytesPerLine(), image.width(), image.height(), false};
    const std::ptrdiff_t stride = Dib_Stride();
    return {Open_Dib_Row(0), bottom_up ? -stride : stride, image.width(), image.height(), bits_pixel == 24};
}

void Gdi_Bitmap::Surface_Current(const QRect& area)
{
    if (Image_Is_Home())
        return;
    const QRect touched = area.intersected(image.rect());
    for (int y = touched.top(); y <= touched.bottom(); ++y)
        Load_Span(y, touched.left(), touched.right() + 1);
}

void Gdi_Bitmap::Surface_Drawn(const QRect& area)
{
    if (Image_Is_Home())
        return;
    const QRect touched = area.intersected(image.rect());
    for (int y = touched.top(); y <= touched.bottom(); ++y)
        Store_Span(y, touched.left(), touched.right() + 1);
}

uchar* Gdi_Bitmap::Open_Dib_Row(int y)
{
    return dib_bits.data() + static_cast<std::size_t>(bottom_up ? image.height() - 1 - y : y) * static_cast<std::size_t>(Dib_Stride());
}

void Gdi_Bitmap::Load_Span(int y, int x_from, int x_to)
{
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y)) + x_from;
    // The fourth byte of a 32-bit row stays as the caller left it.
    Rows().Read(y, x_from, x_to - x_from, pixels);
}

void Gdi_Bitmap::Store_Span(int y, int x_from, int x_to)
{
    Rows().Write(y, x_from, x_to - x_from, reinterpret_cast<const QRgb*>(image.constScanLine(y)) + x_from);
}

namespace {

// 24-bit rows move four pixels (12 bytes) at a time as one 8-byte and one
// 4-byte word; the rest pixel by pixel, touching nothing past the span.
QRgb Unpack_Pixel(const uchar* pixel)
{
    return 0xFF000000u | (static_cast<QRgb>(pixel[2]) << 16) | (static_cast<QRgb>(pixel[1]) << 8) | pixel[0];
}

void Unpack_24_Tail(const uchar* packed, QRgb* pixels, int x, int width)
{
    for (; x + 4 <= width; x += 4, packed += 12) {
        std::uint64_t low;
        std::uint32_t high;
        std::memcpy(&low, packed, 8);
        std::memcpy(&high, packed + 8, 4);
        pixels[x] = 0xFF000000u | static_cast<QRgb>(low & 0xFFFFFFu);
        pixels[x + 1] = 0xFF000000u | static_cast<QRgb>((low >> 24) & 0xFFFFFFu);
        pixels[x + 2] = 0xFF000000u | static_cast<QRgb>(((low >> 48) | (static_cast<std::uint64_t>(high) << 16)) & 0xFFFFFFu);
        pixels[x + 3] = 0xFF000000u | (high >> 8);
    }
    for (; x < width; ++x, packed += 3)
        pixels[x] = Unpack_Pixel(packed);
}

// Four pixels per byte shuffle where the processor has one; 16 bytes are
// read for 12, so the last group is left to the scalar tail.
__attribute__((target("ssse3"))) void Unpack_24_Shuffled(const uchar* packed, QRgb* pixels, int x, int width)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (; x + 6 <= width; x += 4, packed += 12) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels + x), _mm_or_si128(_mm_shuffle_epi8(bytes, spread), opaque));
    }
    Unpack_24_Tail(packed, pixels, x, width);
}

// Eight pixels per step with 32-byte vectors: the 24 bytes are moved into
// two lanes of 12, then spread. 32 bytes are read for 24, so the last groups
// are left to the narrower steps.
__attribute__((target("avx2"))) void Unpack_24_Wide(const uchar* packed, QRgb* pixels, int width)
{
    const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 0, 3, 4, 5, 0);
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9,
                                            10, 11, -1);
    const __m256i opaque = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    int x = 0;
    for (; x + 11 <= width; x += 8, packed += 24) {
        const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(packed)), lanes);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pixels + x), _mm256_or_si256(_mm256_shuffle_epi8(bytes, spread), opaque));
    }
    Unpack_24_Shuffled(packed, pixels, x, width);
}

void Unpack_24(const uchar* packed, QRgb* pixels, int width)
{
    static const bool wide = __builtin_cpu_supports("avx2");
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    if (wide)
        Unpack_24_Wide(packed, pixels, width);
    else if (shuffles)
        Unpack_24_Shuffled(packed, pixels, 0, width);
    else
        Unpack_24_Tail(packed, pixels, 0, width);
}

void Pack_24_Tail(const QRgb* pixels, int x, int width, uchar* packed)
{
    for (; x + 4 <= width; x += 4, packed += 12) {
        const std::uint64_t low = (pixels[x] & 0xFFFFFFu) | (static_cast<std::uint64_t>(pixels[x + 1] & 0xFFFFFFu) << 24) |
                                  (static_cast<std::uint64_t>(pixels[x + 2] & 0xFFFFu) << 48);
        const std::uint32_t high = ((pixels[x + 2] >> 16) & 0xFFu) | ((pixels[x + 3] & 0xFFFFFFu) << 8);
        std::memcpy(packed, &low, 8);
        std::memcpy(packed + 8, &high, 4);
    }
    for (; x < width; ++x, packed += 3) {
        packed[0] = static_cast<uchar>(qBlue(pixels[x]));
        packed[1] = static_cast<uchar>(qGreen(pixels[x]));
        packed[2] = static_cast<uchar>(qRed(pixels[x]));
    }
}

// Four pixels per byte shuffle; each 16-byte store runs 4 bytes past its
// 12, into pixels the next store writes, so the last group is left to the
// scalar tail.
__attribute__((target("ssse3"))) void Pack_24_Shuffled(const QRgb* pixels, int x, int width, uchar* packed)
{
    const __m128i squeeze = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    for (; x + 6 <= width; x += 4, packed += 12) {
        const __m128i quad = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(packed), _mm_shuffle_epi8(quad, squeeze));
    }
    Pack_24_Tail(pixels, x, width, packed);
}

// Eight pixels per step with 32-byte vectors: each lane squeezed to 12
// bytes, the lanes joined into 24. Each store runs 8 bytes past its 24, so
// the last groups are left to the narrower steps.
__attribute__((target("avx2"))) void Pack_24_Wide(const QRgb* pixels, int width, uchar* packed)
{
    const __m256i squeeze = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13,
                                             14, -1, -1, -1, -1);
    const __m256i join = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
    int x = 0;
    for (; x + 11 <= width; x += 8, packed += 24) {
        const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(packed), _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(eight, squeeze), join));
    }
    Pack_24_Shuffled(pixels, x, width, packed);
}

void Pack_24(const QRgb* pixels, int width, uchar* packed)
{
    static const bool wide = __builtin_cpu_supports("avx2");
    static const bool shuffles = __builtin_cpu_supports("ssse3");
    if (wide)
        Pack_24_Wide(pixels, width, packed);
    else if (shuffles)
        Pack_24_Shuffled(pixels, 0, width, packed);
    else
        Pack_24_Tail(pixels, 0, width, packed);
}

// One colour over a run of 24-bit pixels: four pixels laid out, then doubled
// by block moves (every copy starts on a pixel, so the pattern holds).
void Fill_24(uchar* packed, int count, QRgb pixel)
{
    const int first = std::min(count, 4);
    for (int x = 0; x < first; ++x) {
        packed[3 * x] = static_cast<uchar>(qBlue(pixel));
        packed[3 * x + 1] = static_cast<uchar>(qGreen(pixel));
        packed[3 * x + 2] = static_cast<uchar>(qRed(pixel));
    }
    const std::size_t total = static_cast<std::size_t>(count) * 3;
    for (std::size_t filled = static_cast<std::size_t>(first) * 3; filled < total;) {
        const std::size_t chunk = std::min(filled, total - filled);
        std::memcpy(packed + filled, packed, chunk);
        filled += chunk;
    }
}

} // namespace

// Doubling block moves: as fast as a copy at any optimisation level.
void Gdi_Fill_Pixels(QRgb* run, int count, QRgb value)
{
    const int first = std::min(count, 8);
    std::fill(run, run + first, value);
    for (int filled = first; filled < count;) {
        const int chunk = std::min(filled, count - filled);
        std::memcpy(run + filled, run, static_cast<std::size_t>(chunk) * sizeof(QRgb));
        filled += chunk;
    }
}

void Gdi_Unpack_Row(const uchar* packed, int bits_per_pixel, QRgb* pixels, int width)
{
    if (bits_per_pixel == 24) {
        Unpack_24(packed, pixels, width);
        return;
    }
    for (int x = 0; x < width; ++x) {
        if (bits_per_pixel == 1) {
            pixels[x] = ((packed[x / 8] >> (7 - x % 8)) & 1) ? 0xFFFFFFFFu : 0xFF000000u;
            continue;
        }
        pixels[x] = Unpack_Pixel(packed + static_cast<std::ptrdiff_t>(x) * (bits_per_pixel / 8));
    }
}

void Gdi_Pack_Row(const QRgb* pixels, int width, int bits_per_pixel, uchar* packed)
{
    if (bits_per_pixel == 24) {
        Pack_24(pixels, width, packed);
        return;
    }
    for (int x = 0; x < width; ++x) {
        if (bits_per_pixel == 1) {
            const uchar bit = static_cast<uchar>(0x80 >> (x % 8));
            packed[x / 8] = static_cast<uchar>((pixels[x] & 0xFFFFFFu) ? packed[x / 8] | bit : packed[x / 8] & ~bit);
            continue;
        }
        uchar* pixel = packed + static_cast<std::ptrdiff_t>(x) * (bits_per_pixel / 8);
        pixel[0] = static_cast<uchar>(qBlue(pixels[x]));
        pixel[1] = static_cast<uchar>(qGreen(pixels[x]));
        pixel[2] = static_cast<uchar>(qRed(pixels[x]));
        if (bits_per_pixel == 32)
            pixel[3] = 0;
    }
}

void Gdi_Pixel_Rows::Read(int y, int x, int count, QRgb* out) const
{
    if (count <= 0)
        return;
    if (packed)
        Unpack_24(Row(y) + static_cast<std::ptrdiff_t>(x) * 3, out, count);
    else
        std::memcpy(out, Pixels(y) + x, static_cast<std::size_t>(count) * sizeof(QRgb));
}

void Gdi_Pixel_Rows::Write(int y, int x, int count, const QRgb* in) const
{
    if (count <= 0)
        return;
    if (packed)
        Pack_24(in, count, Row(y) + static_cast<std::ptrdiff_t>(x) * 3);
    else
        std::memcpy(Pixels(y) + x, in, static_cast<std::size_t>(count) * sizeof(QRgb));
}

void Gdi_Pixel_Rows::Fill(int y, int x, int count, QRgb pixel) const
{
    if (count <= 0)
        return;
    if (packed)
        Fill_24(Row(y) + static_cast<std::ptrdiff_t>(x) * 3, count, pixel);
    else
        Gdi_Fill_Pixels(Pixels(y) + x, count, pixel);
}

QRgb Gdi_Pixel_Rows::At(int x, int y) const
{
    return packed ? Unpack_Pixel(Row(y) + static_cast<std::ptrdiff_t>(x) * 3) : Pixels(y)[x];
}

Gdi_Region::Gdi_Region(const QRegion& initial) : Gdi_Object(Gdi_Kind::Region), region(initial) {}

int Gdi_Region::Get_Object(int, void*) const { return 0; }

Gdi_Palette::Gdi_Palette(std::vector<PALETTEENTRY> palette_entries)
    : Gdi_Object(Gdi_Kind::Palette), entries(std::move(palette_entries))
{
}

int Gdi_Palette::Get_Object(int size, void* buffer) const
{
    return Copy_Out(static_cast<WORD>(entries.size()), size, buffer);
}

Gdi_Bitmap* Gdi_Stock_Bitmap()
{
    static Gdi_Bitmap* const bitmap = [] {
        auto* one_pixel = Make_Stock(new Gdi_Bitmap(1, 1, 1));
        one_pixel->image.fill(0xFFFFFFFFu);
        return one_pixel;
    }();
    return bitmap;
}

// ---- Calls -------------------------------------------------------------

HPEN CreatePen(int style, int width, COLORREF color)
{
    LOGPEN pen{static_cast<UINT>(style), {width, 0}, color};
    return CreatePenIndirect(&pen);
}

HPEN CreatePenIndirect(const LOGPEN* pen)
{
    if (!pen || (pen->lopnStyle & 0x0F) > PS_INSIDEFRAME)
        return nullptr;
    return new Gdi_Pen(*pen);
}

HBRUSH CreateSolidBrush(COLORREF color) { return new Gdi_Brush(LOGBRUSH{BS_SOLID, color, 0}); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    return new Gdi_Brush(LOGBRUSH{BS_HATCHED, color, static_cast<std::uintptr_t>(hatch)});
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    Gdi_Bitmap* source = Gdi_Find<Gdi_Bitmap>(bitmap);
    if (!source || source->image.isNull())
        return nullptr;
    // The brush keeps its own copy: the bitmap may be deleted afterwards.
    source->Surface_Current();
    auto* brush = new Gdi_Brush(source->image.copy(), source->Is_Mono());
    brush->log_brush.lbHatch = reinterpret_cast<std::uintptr_t>(bitmap);
    return brush;
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
    if (!brush)
        return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
        return new Gdi_Brush(LOGBRUSH{BS_NULL, 0, 0});
    case BS_HATCHED:
        return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
        return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
        return nullptr;
    }
}

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
    if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0)
        return nullptr;
    return new Gdi_Palette(std::vector<PALETTEENTRY>(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries)
{
    Gdi_Palette* object = Gdi_Find<Gdi_Palette>(palette);
    if (!object)
        return 0;
    if (!entries)
        return static_cast<UINT>(object->entries.size());
    if (start >= object->entries.size())
        return 0;
    UINT copied = std::min<UINT>(count, static_cast<UINT>(object->entries.size()) - start);
    std::copy_n(object->entries.begin() + start, copied, entries);
    return copied;
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Palette* object = Gdi_Find<Gdi_Palette>(palette);
    if (!context || !object)
        return nullptr;
    HPALETTE previous = context->state.palette;
    Gdi_Release(Gdi_Find_Object(previous));
    context->state.palette = palette;
    Gdi_Hold(object);
    return previous;
}

// A 32-bit surface has no hardware palette: nothing to map.
UINT RealizePalette(HDC dc) { return Gdi_Find_Dc(dc) ? 0 : GDI_ERROR; }

HGDIOBJ GetStockObject(int index) { return Stock_Object(index); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    Gdi_Object* selected = Gdi_Find_Object(object);
    if (!context || !selected)
        return nullptr;
    if (selected->kind == Gdi_Kind::Region)
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SelectClipRgn(dc, static_cast<HRGN>(object))));
    HGDIOBJ previous = nullptr;
    if (!Replace_Selection(context, selected, previous))
        return nullptr;
    return previous;
}

BOOL DeleteObject(HGDIOBJ object)
{
    Gdi_Object* target = Gdi_Find_Object(object);
    if (!target)
        return FALSE;
    if (target->stock)
        return TRUE;
    if (target->holders > 0) {
        target->delete_pending = true;
        return TRUE;
    }
    delete target;
    return TRUE;
}

int GetObjectA(HGDIOBJ object, int size, LPVOID buffer)
{
    Gdi_Object* target = Gdi_Find_Object(object);
    if (!target || size < 0)
        return 0;
    return target->Get_Object(size, buffer);
}

DWORD GetObjectType(HGDIOBJ object)
{
    if (Gdi_Dc* dc = Gdi_Find_Dc(static_cast<HDC>(object)))
        return dc->Dc_Kind() == Gdi_Dc::Kind::Memory ? OBJ_MEMDC : OBJ_DC;
    Gdi_Object* target = Gdi_Find_Object(object);
    if (!target)
        return 0;
    switch (target->kind) {
    case Gdi_Kind::Pen:
        return OBJ_PEN;
    case Gdi_Kind::Brush:
        return OBJ_BRUSH;
    case Gdi_Kind::Font:
        return OBJ_FONT;
    case Gdi_Kind::Bitmap:
        return OBJ_BITMAP;
    case Gdi_Kind::Region:
        return OBJ_REGION;
    case Gdi_Kind::Palette:
        return OBJ_PAL;
    }
    return 0;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context)
        return nullptr;
    switch (type) {
    case OBJ_PEN:
        return context->state.pen;
    case OBJ_BRUSH:
        return context->state.brush;
    case OBJ_FONT:
        return context->state.font;
    case OBJ_BITMAP:
        return context->state.bitmap;
    case OBJ_PAL:
        return context->state.palette;
    default:
        return nullptr;
    }
}
