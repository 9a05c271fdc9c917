#include "platform/classlib/Graphics_Bitmap.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include <algorithm>

#include "platform/classlib/Graphics_Bmp.h"
#include "platform/winapi/Gdi_Dc.h"

namespace {

constexpr std::uint32_t rgb_white = 0xFFFFFF;
// MaskBlt: keep the destination where the mask is white, copy the source elsewhere.
constexpr DWORD rop_keep_destination = 0x00AA0029;

BITMAPINFO Top_Down_Info(int width, int height, int bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

int Stride(int width, int bits) { return ((width * bits + 31) / 32) * 4; }

// COLORREF 0x00BBGGRR to a pixel 0x00RRGGBB.
std::uint32_t Pixel_Of(COLORREF color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

const std::vector<RGBQUAD> black_and_white = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};

bool Is_Black_And_White(const std::vector<RGBQUAD>& table)
{
    return !table.empty() && std::all_of(table.begin(), table.end(), [](const RGBQUAD& q) {
        int sum = q.rgbRed + q.rgbGreen + q.rgbBlue;
        return sum == 0 || sum == 3 * 255;
    });
}

int Bits_Of(TPixelFormat format)
{
    switch (format) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf32bit: return 32;
    default: return 24;
    }
}

} // namespace

// The canvas of a bitmap: a memory DC with the bitmap selected, made when
// first drawn with and dropped whenever the bitmap's handle changes.
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* owner) : bitmap(owner) {}
    ~TBitmapCanvas() override { Free_Context(); }

    void Free_Context()
    {
        if (!own_dc)
            return;
        SetHandle(nullptr);
        if (old_bitmap)
            SelectObject(own_dc, old_bitmap);
        DeleteDC(own_dc);
        own_dc = nullptr;
        old_bitmap = nullptr;
    }

protected:
    void CreateHandle() override
    {
        own_dc = CreateCompatibleDC(nullptr);
        if (own_dc && bitmap->storage.handle)
            old_bitmap = SelectObject(own_dc, bitmap->storage.handle);
        SetHandle(own_dc);
    }

private:
    TBitmap* bitmap;
    HDC own_dc = nullptr;
    HGDIOBJ old_bitmap = nullptr;
};

// ---- TGraphic --------------------------------------------------------------

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGraphic::SetTransparent(bool value)
{
    if (value == transparent)
        return;
    transparent = value;
    Changed();
}

void TGraphic::LoadFromFile(const std::string& file_name)
{
    TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TGraphic::SaveToFile(const std::string& file_name)
{
    TMemoryStream data;
    SaveToStream(data);
    data.SaveToFile(file_name);
}

// ---- TBitmap: storage --------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::~TBitmap()
{
    canvas.reset();
    if (storage.handle)
        DeleteObject(storage.handle);
    if (palette)
        DeleteObject(palette);
}

TBitmap::Storage TBitmap::Make_Storage(int new_width, int new_height, TPixelFormat new_format, bool mono)
{
    Storage made{std::max(0, new_width), std::max(0, new_height), new_format, mono, nullptr, false};
    if (made.width == 0 || made.height == 0)
        return made;
    if (mono) {
        std::vector<std::uint8_t> white(static_cast<std::size_t>(Stride(made.width, 1)) * made.height, 0xFF);
        made.handle = CreateBitmap(made.width, made.height, 1, 1, white.data());
    } else {
        BITMAPINFO info = Top_Down_Info(made.width, made.height, new_format == pf24bit ? 24 : 32);
        // No raw bits pointer: scan lines reach the memory row by row.
        made.handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
        if (Gdi_Bitmap* section = Gdi_Find<Gdi_Bitmap>(made.handle)) {
            // White as a brush paints it: a 32-bit section's fourth byte 0.
            section->image.fill(section->Keeps_Fourth_Byte() ? 0x00FFFFFFu : 0xFFFFFFFFu);
            section->Surface_Drawn();
        }
        made.scan_lines = new_format == pf24bit || new_format == pf32bit;
    }
    if (!made.handle)
        throw EInvalidGraphicOperation("Out of system resources");
    return made;
}

void TBitmap::Free_Context()
{
    if (canvas)
        static_cast<TBitmapCanvas*>(canvas.get())->Free_Context();
}

void TBitmap::Replace(const Storage& next, const Pixels& pixels)
{
    Free_Context();
    if (storage.handle)
        DeleteObject(storage.handle);
    if (palette)
        DeleteObject(palette);
    palette = nullptr;
    storage = next;
    if (storage.handle && pixels.size() == static_cast<std::size_t>(storage.width) * storage.height) {
        BITMAPINFO info = Top_Down_Info(storage.width, storage.height, 32);
        HDC dc = CreateCompatibleDC(nullptr);
        SetDIBits(dc, storage.handle, 0, static_cast<UINT>(storage.height), pixels.data(), &info, DIB_RGB_COLORS);
        DeleteDC(dc);
    }
}

TBitmap::Pixels TBitmap::Read_Pixels() const
{
    if (!storage.handle)
        return {};
    Pixels pixels(static_cast<std::size_t>(storage.width) * storage.height);
    BITMAPINFO info = Top_Down_Info(storage.width, storage.height, 32);
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, storage.handle, 0, static_cast<UINT>(storage.height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    for (std::uint32_t& pixel : pixels)
        pixel &= rgb_white;
    return pixels;
}

// ---- TBitmap: size and format ----------------------------------------------

void TBitmap::SetSize(int new_width, int new_height)
{
    new_width = std::max(0, new_width);
    new_height = std::max(0, new_height);
    if (new_width == storage.width && new_height == storage.height)
        return;
    Pixels old = Read_Pixels();
    Pixels resized(static_cast<std::size_t>(new_width) * new_height, rgb_white);
    int keep_width = std::min(new_width, storage.width);
    for (int y = 0; y < std::min(new_height, storage.height) && !old.empty(); ++y)
        std::copy_n(old.begin() + static_cast<std::ptrdiff_t>(y) * storage.width, keep_width,
                    resized.begin() + static_cast<std::ptrdiff_t>(y) * new_width);
    Replace(Make_Storage(new_width, new_height, storage.format, storage.mono), resized);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat value)
{
    if (value == storage.format)
        return;
    if (value == pf15bit || value == pf16bit || value == pfCustom)
        throw EInvalidGraphicOperation("Pixel format not supported");
    Pixels pixels = Read_Pixels();
    std::vector<RGBQUAD> table;
    if (value == pf1bit)
        table = black_and_white;
    else if (value == pf4bit || value == pf8bit)
        table = Bmp_Color_Table(pixels, Bits_Of(value));
    if (!table.empty())
        Bmp_Reduce(pixels, table);
    Replace(Make_Storage(storage.width, storage.height, value, value == pf1bit), pixels);
    color_table = table;
    Changed();
}

void* TBitmap::ScanLine(int row)
{
    Gdi_Bitmap* section = storage.scan_lines ? Gdi_Find<Gdi_Bitmap>(storage.handle) : nullptr;
    if (!section)
        throw EInvalidGraphicOperation("Scan lines need a 24 or 32 bit bitmap");
    if (row < 0 || row >= storage.height)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return section->Open_Dib_Row(row);
}

TCanvas* TBitmap::Canvas()
{
    if (!canvas)
        canvas = std::make_unique<TBitmapCanvas>(this);
    return canvas.get();
}

// ---- TBitmap: transparency and monochrome --------------------------------------

TColor TBitmap::TransparentColor()
{
    if (transparent_mode == tmFixed)
        return transparent_color;
    if (Empty())
        return clDefault;
    return Canvas()->Pixels(0, storage.height - 1);
}

void TBitmap::SetTransparentColor(TColor value)
{
    transparent_color = value;
    transparent_mode = value == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode value)
{
    if (value == transparent_mode)
        return;
    transparent_color = value == tmFixed ? TransparentColor() : clDefault;
    transparent_mode = value;
    Changed();
}

void TBitmap::SetMonochrome(bool value)
{
    if (value == storage.mono)
        return;
    Pixels pixels = Read_Pixels();
    if (value)
        for (std::uint32_t& pixel : pixels)
            pixel = pixel == rgb_white ? rgb_white : 0;
    TPixelFormat next_format = value ? pf1bit : pfDevice;
    Replace(Make_Storage(storage.width, storage.height, next_format, value), pixels);
    color_table = value ? black_and_white : std::vector<RGBQUAD>();
    Changed();
}

void TBitmap::Mask(TColor color)
{
    Pixels pixels = Read_Pixels();
    std::uint32_t masked = Pixel_Of(ColorToRGB(color));
    for (std::uint32_t& pixel : pixels)
        pixel = pixel == masked ? rgb_white : 0;
    Replace(Make_Storage(storage.width, storage.height, pf1bit, true), pixels);
    color_table = black_and_white;
    Changed();
}

// ---- TBitmap: handles ----------------------------------------------------------

HBITMAP TBitmap::Handle() { return storage.handle; }

void TBitmap::SetHandle(HBITMAP value)
{
    if (value == storage.handle)
        return;
    Storage taken;
    if (value) {
        // Read directly, not through GetObject, which would hand out the raw
        // memory and so end the section's lazy syncing.
        const Gdi_Bitmap* bitmap = Gdi_Find<Gdi_Bitmap>(value);
        if (!bitmap)
            throw EInvalidGraphic("Bitmap handle is not valid");
        taken = Storage{bitmap->image.width(), bitmap->image.height(), pfDevice, bitmap->Is_Mono(), value, false};
        if (taken.mono)
            taken.format = pf1bit;
        if (bitmap->dib_section && !bitmap->bottom_up && (bitmap->bits_pixel == 24 || bitmap->bits_pixel == 32)) {
            taken.format = bitmap->bits_pixel == 24 ? pf24bit : pf32bit;
            taken.scan_lines = true;
        }
    }
    Replace(taken, {});
    color_table = taken.mono ? black_and_white : std::vector<RGBQUAD>();
    Changed();
}

HBITMAP TBitmap::ReleaseHandle()
{
    Free_Context();
    HBITMAP released = storage.handle;
    storage.handle = nullptr;
    Replace(Storage{0, 0, storage.format, storage.mono, nullptr, false}, {});
    Changed();
    return released;
}

HPALETTE TBitmap::Palette()
{
    if (palette || color_table.empty())
        return palette;
    std::vector<std::uint8_t> buffer(sizeof(LOGPALETTE) + color_table.size() * sizeof(PALETTEENTRY));
    auto* log_palette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    log_palette->palVersion = 0x300;
    log_palette->palNumEntries = static_cast<WORD>(color_table.size());
    for (std::size_t i = 0; i < color_table.size(); ++i)
        log_palette->palPalEntry[i] = PALETTEENTRY{color_table[i].rgbRed, color_table[i].rgbGreen, color_table[i].rgbBlue, 0};
    palette = CreatePalette(log_palette);
    return palette;
}

// ---- TBitmap: copying and drawing ----------------------------------------------

void TBitmap::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TBitmap*>(Source);
    if (Source && !source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    if (!source) {
        Replace(Storage{}, {});
        color_table.clear();
        Changed();
        return;
    }
    const Storage& from = source->storage;
    Replace(Make_Storage(from.width, from.height, from.format, from.mono), source->Read_Pixels());
    color_table = source->color_table;
    transparent_color = source->transparent_color;
    transparent_mode = source->transparent_mode;
    SetTransparent(source->Transparent());
    Changed();
}

void TBitmap::Draw(TCanvas* target, const RECT& rect)
{
    if (Empty() || !target)
        return;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    HDC dest = target->Handle();
    if (!Transparent()) {
        SetStretchBltMode(dest, COLORONCOLOR);
        StretchBlt(dest, rect.left, rect.top, width, height, Canvas()->Handle(), 0, 0, storage.width, storage.height,
                   target->CopyMode());
        return;
    }
    // The picture and its mask are brought to the target's size first, as
    // MaskBlt does not stretch.
    TBitmap image;
    image.SetSize(width, height);
    SetStretchBltMode(image.Canvas()->Handle(), COLORONCOLOR);
    StretchBlt(image.Canvas()->Handle(), 0, 0, width, height, Canvas()->Handle(), 0, 0, storage.width, storage.height,
               SRCCOPY);
    TBitmap mask;
    mask.Assign(&image);
    mask.Mask(TransparentColor());
    MaskBlt(dest, rect.left, rect.top, width, height, image.Canvas()->Handle(), 0, 0, mask.Handle(), 0, 0,
            MAKEROP4(rop_keep_destination, SRCCOPY));
}

// ---- TBitmap: files --------------------------------------------------------------

void TBitmap::LoadFromStream(TStream& stream)
{
    if (stream.Size() == stream.Position()) {
        Assign(nullptr);
        return;
    }
    Bmp_Picture picture = Read_Bmp(stream);
    static constexpr TPixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit};
    static constexpr int bit_counts[] = {1, 4, 8, 24, 32};
    TPixelFormat next_format = formats[std::find(std::begin(bit_counts), std::end(bit_counts), picture.bits_per_pixel) -
                                       std::begin(bit_counts)];
    bool mono = next_format == pf1bit && Is_Black_And_White(picture.color_table);
    Replace(Make_Storage(picture.width, picture.height, next_format, mono), picture.pixels);
    color_table = picture.color_table;
    Changed();
}

void TBitmap::SaveToStream(TStream& stream)
{
    if (Empty())
        return;
    Bmp_Picture picture;
    picture.width = storage.width;
    picture.height = storage.height;
    picture.bits_per_pixel = Bits_Of(storage.format);
    picture.pixels = Read_Pixels();
    if (picture.bits_per_pixel <= 8)
        picture.color_table = Bmp_Color_Table(picture.pixels, picture.bits_per_pixel, color_table);
    Write_Bmp(stream, picture);
}

// ---- TIcon -----------------------------------------------------------------------

struct TIcon::Picture {
    QImage image; // ARGB32, premultiplied
};

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

bool TIcon::Empty() const { return !picture || picture->image.isNull(); }
int TIcon::Width() const { return Empty() ? 0 : picture->image.width(); }
int TIcon::Height() const { return Empty() ? 0 : picture->image.height(); }

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TIcon*>(Source);
    if (Source && !source) {
        TPersistent::Assign(Source);
        return;
    }
    if (source == this)
        return;
    picture = source && source->picture ? std::make_unique<Picture>(*source->picture) : nullptr;
    Changed();
}

void TIcon::Draw(TCanvas* canvas, const RECT& rect)
{
    if (Empty() || !canvas)
        return;
    Gdi_Dc* dc = Gdi_Find_Dc(canvas->Handle());
    if (!dc)
        return;
    Gdi_Access access(dc);
    QPainter painter(&dc->Surface());
    painter.setClipRegion(dc->Drawable_Region());
    painter.translate(dc->Origin());
    painter.drawImage(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), picture->image);
}

void TIcon::LoadFromStream(TStream& stream)
{
    std::int64_t remaining = stream.Size() - stream.Position();
    QByteArray bytes(static_cast<qsizetype>(std::max<std::int64_t>(0, remaining)), '\0');
    stream.ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    QImage image;
    if (!image.loadFromData(bytes, "ICO"))
        throw EInvalidGraphic("Icon image is not valid");
    picture = std::make_unique<Picture>(Picture{image.convertToFormat(QImage::Format_ARGB32_Premultiplied)});
    Changed();
}

void TIcon::SaveToStream(TStream& stream)
{
    if (Empty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture->image.save(&buffer, "ICO"))
        throw EInvalidGraphic("Icon image is not valid");
    stream.WriteBuffer(bytes.constData(), static_cast<int>(bytes.size()));
}
