// Bitmap creation and device-independent pixel transfer.

#include "platform/winapi/Gdi.h"

#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Objects.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Bigger than any surface the program makes; keeps broken sizes from asking for gigabytes.
constexpr int largest_side = 32768;

bool Supported_Depth(int bits_per_pixel) { return bits_per_pixel == 1 || bits_per_pixel == 24 || bits_per_pixel == 32; }

Gdi_Bitmap* New_Bitmap(int width, int height, int bits_per_pixel)
{
    if (width < 1 || height < 1 || width > largest_side || height > largest_side || !Supported_Depth(bits_per_pixel))
        return nullptr;
    auto* bitmap = new Gdi_Bitmap(width, height, bits_per_pixel);
    if (bitmap->image.isNull()) {
        delete bitmap;
        return nullptr;
    }
    return bitmap;
}

// The row length of a DIB of this header.
std::size_t Dib_Stride(const BITMAPINFOHEADER& header)
{
    return static_cast<std::size_t>((std::int64_t(header.biWidth) * header.biBitCount + 31) / 32 * 4);
}

bool Valid_Dib_Header(const BITMAPINFO* info)
{
    if (!info)
        return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biWidth > 0 && header.biHeight != 0 &&
           header.biHeight != std::numeric_limits<LONG>::min() && header.biPlanes == 1 && header.biCompression == BI_RGB &&
           (header.biBitCount == 24 || header.biBitCount == 32);
}

// The image row that DIB row `line` (0 = first in memory) is, for a bitmap of `height` rows.
int Image_Row(const BITMAPINFOHEADER& header, int height, int line)
{
    return header.biHeight > 0 ? height - 1 - line : line;
}

// 32-bit rows to or from a 32-bit DIB section move whole, the fourth byte with them.
bool Whole_Pixels(const Gdi_Bitmap& bitmap, const BITMAPINFOHEADER& header)
{
    return bitmap.Keeps_Fourth_Byte() && header.biBitCount == 32;
}

} // namespace

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height)
{
    Gdi_Dc* context = Gdi_Find_Dc(dc);
    if (!context || width < 0 || height < 0)
        return nullptr;
    if (width == 0 || height == 0)
        return New_Bitmap(1, 1, 1);
    // Compatible with what the DC draws on: a fresh memory DC holds a monochrome bitmap.
    return New_Bitmap(width, height, context->Is_Mono() ? 1 : 32);
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits)
{
    if (planes != 1)
        return nullptr;
    Gdi_Bitmap* bitmap = New_Bitmap(width, height, static_cast<int>(bits_per_pixel));
    if (!bitmap || !bits)
        return bitmap;
    // Device-dependent rows are padded to 16 bits.
    const std::size_t stride = static_cast<std::size_t>((width * static_cast<int>(bits_per_pixel) + 15) / 16 * 2);
    for (int y = 0; y < height; ++y)
        Gdi_Unpack_Row(static_cast<const uchar*>(bits) + stride * static_cast<std::size_t>(y), static_cast<int>(bits_per_pixel),
                       reinterpret_cast<QRgb*>(bitmap->image.scanLine(y)), width);
    return bitmap;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    if (!Valid_Dib_Header(info) || usage != DIB_RGB_COLORS || section)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    Gdi_Bitmap* bitmap = New_Bitmap(header.biWidth, std::abs(header.biHeight), header.biBitCount);
    if (!bitmap)
        return nullptr;
    bitmap->Make_Dib_Section(header.biHeight > 0);
    if (bits)
        *bits = bitmap->dib_bits.data();
    return bitmap;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT usage)
{
    Gdi_Bitmap* object = Gdi_Find<Gdi_Bitmap>(bitmap);
    if (!Gdi_Find_Dc(dc) || !object || !info || usage != DIB_RGB_COLORS)
        return 0;
    BITMAPINFOHEADER& header = info->bmiHeader;
    const int height = object->image.height();
    if (!bits) {
        // Asked for the format: describe the bitmap as a bottom-up DIB.
        if (header.biBitCount == 0)
            header.biBitCount = static_cast<WORD>(object->bits_pixel == 1 ? 1 : 32);
        header.biWidth = object->image.width();
        header.biHeight = height;
        header.biPlanes = 1;
        header.biCompression = BI_RGB;
        header.biSizeImage = static_cast<DWORD>(Dib_Stride(header) * static_cast<std::size_t>(height));
        return height;
    }
    if (!Valid_Dib_Header(info) || header.biWidth != object->image.width() || start >= static_cast<UINT>(height))
        return 0;
    object->Surface_Current();
    const UINT count = std::min<UINT>(lines, static_cast<UINT>(height) - start);
    std::vector<QRgb> row(static_cast<std::size_t>(header.biWidth));
    for (UINT line = 0; line < count; ++line) {
        const auto* pixels = reinterpret_cast<const QRgb*>(object->image.constScanLine(Image_Row(header, height, static_cast<int>(start + line))));
        uchar* out = static_cast<uchar*>(bits) + Dib_Stride(header) * line;
        if (Whole_Pixels(*object, header))
            std::memcpy(out, pixels, static_cast<std::size_t>(header.biWidth) * 4);
        else
            Gdi_Pack_Row(pixels, header.biWidth, header.biBitCount, out);
    }
    return static_cast<int>(count);
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage)
{
    Gdi_Bitmap* object = Gdi_Find<Gdi_Bitmap>(bitmap);
    if (!Gdi_Find_Dc(dc) || !object || !bits || !Valid_Dib_Header(info) || usage != DIB_RGB_COLORS)
        return 0;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const int height = object->image.height();
    if (header.biWidth != object->image.width() || start >= static_cast<UINT>(height))
        return 0;
    object->Surface_Current();
    const UINT count = std::min<UINT>(lines, static_cast<UINT>(height) - start);
    for (UINT line = 0; line < count; ++line) {
        auto* pixels = reinterpret_cast<QRgb*>(object->image.scanLine(Image_Row(header, height, static_cast<int>(start + line))));
        const uchar* in = static_cast<const uchar*>(bits) + Dib_Stride(header) * line;
        if (Whole_Pixels(*object, header)) {
            std::memcpy(pixels, in, static_cast<std::size_t>(header.biWidth) * 4);
            continue;
        }
        Gdi_Unpack_Row(in, header.biBitCount, pixels, header.biWidth);
        if (object->Keeps_Fourth_Byte())
            for (int x = 0; x < header.biWidth; ++x)
                pixels[x] &= 0xFFFFFFu;
        if (object->Is_Mono())
            for (int x = 0; x < header.biWidth; ++x)
                pixels[x] = Gdi_Mono_Pixel(pixels[x]);
    }
    object->Surface_Drawn();
    return static_cast<int>(count);
}
