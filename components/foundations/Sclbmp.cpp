#include "components/foundations/Sclbmp.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/classlib/SysUtils.h"

namespace {

constexpr std::int64_t Pixel_Bytes = 3;

void Check_Format(const TBitmap& Bitmap, const char* Name)
{
    if (Bitmap.PixelFormat() != pf24bit)
        throw ESCLWrongPixelFormat(std::string("Wrong PixelFormat in ") + Name + " bitmap!");
}

// Where the rectangle's top-left pixel lies in one bitmap.
struct Placement {
    TBitmap* Bitmap;
    std::int64_t X;
    std::int64_t Y;
};

// The offsets (columns C0..C1 - 1, rows R0..R1 - 1) of a W x H rectangle
// that fall inside every placed bitmap.
struct Area {
    std::int64_t C0;
    std::int64_t C1;
    std::int64_t R0;
    std::int64_t R1;
    bool Empty() const { return C0 >= C1 || R0 >= R1; }
    std::int64_t Width() const { return C1 - C0; }
    std::int64_t Height() const { return R1 - R0; }
};

template <std::size_t N>
Area Clip(const std::array<Placement, N>& Planes, std::int64_t W, std::int64_t H)
{
    Area area{0, W, 0, H};
    for (const Placement& plane : Planes) {
        area.C0 = std::max(area.C0, -plane.X);
        area.C1 = std::min(area.C1, plane.Bitmap->Width() - plane.X);
        area.R0 = std::max(area.R0, -plane.Y);
        area.R1 = std::min(area.R1, plane.Bitmap->Height() - plane.Y);
    }
    return area;
}

std::uint8_t* Pixel_At(TBitmap& Bitmap, std::int64_t X, std::int64_t Y)
{
    return static_cast<std::uint8_t*>(Bitmap.ScanLine(static_cast<int>(Y))) + X * Pixel_Bytes;
}

std::int64_t Width_Of(const RECT& Rect)
{
    return std::int64_t{Rect.right} - Rect.left;
}

std::int64_t Height_Of(const RECT& Rect)
{
    return std::int64_t{Rect.bottom} - Rect.top;
}

// Visits the clipped rectangle row by row, left to right, handing Op one
// pixel pointer per plane (the target last). Row pointers are fetched once
// per row.
template <std::size_t N, typename Op>
void Walk(const std::array<Placement, N>& Planes, std::int64_t W, std::int64_t H, Op op)
{
    const Area area = Clip(Planes, W, H);
    if (area.Empty())
        return;
    for (std::int64_t r = area.R0; r < area.R1; ++r) {
        std::array<std::uint8_t*, N> pixels;
        for (std::size_t i = 0; i < N; ++i)
            pixels[i] = Pixel_At(*Planes[i].Bitmap, Planes[i].X + area.C0, Planes[i].Y + r);
        for (std::int64_t c = area.C0; c < area.C1; ++c) {
            op(pixels);
            for (std::uint8_t*& pixel : pixels)
                pixel += Pixel_Bytes;
        }
    }
}

// Source and target of the one-source operations, checked and placed.
std::array<Placement, 2> Planes_Of(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin)
{
    Check_Format(Source, "Source");
    Check_Format(Target, "Target");
    return {Placement{&Source, Rect.left, Rect.top}, Placement{&Target, Origin.x, Origin.y}};
}

using Byte_Table = std::array<std::uint8_t, 256>;

// Each byte through one table, for invert and brightness.
void Map_Bytes(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, const Byte_Table& Table)
{
    Walk(Planes_Of(Source, Rect, Target, Origin), Width_Of(Rect), Height_Of(Rect), [&](auto& p) {
        for (int i = 0; i < 3; ++i)
            p[1][i] = Table[p[0][i]];
    });
}

Byte_Table Brightness_Table(TSCLBrightness Value)
{
    Byte_Table table;
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::clamp(i + Value, 0, 255));
    return table;
}

// A copy of the W x H rectangle, rows top first, as the flips read it before
// writing so that in place works.
std::vector<std::uint8_t> Copy_Rect(TBitmap& Source, std::int64_t Left, std::int64_t Top, std::int64_t W,
                                    std::int64_t H)
{
    std::vector<std::uint8_t> copy(static_cast<std::size_t>(W * H * Pixel_Bytes));
    const auto row_bytes = static_cast<std::size_t>(W * Pixel_Bytes);
    for (std::int64_t r = 0; r < H; ++r)
        std::memcpy(copy.data() + static_cast<std::size_t>(r) * row_bytes, Pixel_At(Source, Left, Top + r), row_bytes);
    return copy;
}

// The flips: the part of Rect inside Source is mirrored into Target, where
// only the pixels inside Target are written. Mirror maps a pixel (c, r) of
// the W x H copy to the one that lands there.
template <typename Mirror>
void Flip(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, Mirror mirror)
{
    const auto planes = Planes_Of(Source, Rect, Target, Origin);
    const Area inside = Clip(std::array<Placement, 1>{planes[0]}, Width_Of(Rect), Height_Of(Rect));
    if (inside.Empty())
        return;
    const std::int64_t w = inside.Width();
    const std::int64_t h = inside.Height();
    const std::vector<std::uint8_t> copy = Copy_Rect(Source, Rect.left + inside.C0, Rect.top + inside.R0, w, h);
    const Placement target{&Target, Origin.x + inside.C0, Origin.y + inside.R0};
    const Area written = Clip(std::array<Placement, 1>{target}, w, h);
    if (written.Empty())
        return;
    for (std::int64_t r = written.R0; r < written.R1; ++r) {
        std::uint8_t* pixel = Pixel_At(Target, target.X + written.C0, target.Y + r);
        for (std::int64_t c = written.C0; c < written.C1; ++c, pixel += Pixel_Bytes) {
            const auto [from_c, from_r] = mirror(c, r, w, h);
            std::memcpy(pixel, copy.data() + (from_r * w + from_c) * Pixel_Bytes, Pixel_Bytes);
        }
    }
}

} // namespace

void SCLBMPGrayScale(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin)
{
    // Weights in hundredths per byte (blue, green, red), rounded once on the
    // sum so white stays 255.
    std::array<std::array<int, 256>, 3> weights;
    constexpr std::array<int, 3> percent{11, 59, 30};
    for (std::size_t b = 0; b < 3; ++b)
        for (int i = 0; i < 256; ++i)
            weights[b][static_cast<std::size_t>(i)] = i * percent[b];
    Walk(Planes_Of(Source, Rect, Target, Origin), Width_Of(Rect), Height_Of(Rect), [&](auto& p) {
        const int sum = weights[0][p[0][0]] + weights[1][p[0][1]] + weights[2][p[0][2]];
        const auto grey = static_cast<std::uint8_t>((sum + 50) / 100);
        p[1][0] = p[1][1] = p[1][2] = grey;
    });
}

void SCLBMPFlipHorizonzal(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin)
{
    Flip(Source, Rect, Target, Origin, [](std::int64_t c, std::int64_t r, std::int64_t, std::int64_t h) {
        return std::array<std::int64_t, 2>{c, h - 1 - r};
    });
}

void SCLBMPFlipVertical(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin)
{
    Flip(Source, Rect, Target, Origin, [](std::int64_t c, std::int64_t r, std::int64_t w, std::int64_t) {
        return std::array<std::int64_t, 2>{w - 1 - c, r};
    });
}

void SCLBMPInvert(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin)
{
    Byte_Table table;
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255 - i);
    Map_Bytes(Source, Rect, Target, Origin, table);
}

void SCLBMPBrightness(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, TSCLBrightness Value)
{
    Map_Bytes(Source, Rect, Target, Origin, Brightness_Table(Value));
}

void SCLBmpBrightnessEC(TBitmap& Source, const RECT& Rect, TBitmap& Target, const POINT& Origin, TSCLBrightness Value,
                        TColor ExcludeColor)
{
    const Byte_Table table = Brightness_Table(Value);
    const COLORREF rgb = ColorToRGB(ExcludeColor);
    // Pixels are stored blue, green, red.
    const std::array<std::uint8_t, 3> excluded{static_cast<std::uint8_t>(rgb >> 16),
                                               static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
    Walk(Planes_Of(Source, Rect, Target, Origin), Width_Of(Rect), Height_Of(Rect), [&](auto& p) {
        if (std::equal(excluded.begin(), excluded.end(), p[0]))
            return;
        for (int i = 0; i < 3; ++i)
            p[1][i] = table[p[0][i]];
    });
}

void SCLBMPAlphaBlend(TBitmap& Source1, TBitmap& Source2, const RECT& Rect, const POINT& Source2Origin,
                      TBitmap& Target, float Alpha, const POINT& TargetOrigin)
{
    Check_Format(Source1, "Source 1");
    Check_Format(Source2, "Source 2");
    Check_Format(Target, "Target");
    // round(d * Alpha) for d = -255..255, at index d + 255.
    std::array<std::int64_t, 511> steps;
    for (int d = -255; d <= 255; ++d)
        steps[static_cast<std::size_t>(d + 255)] = Round(static_cast<double>(d) * Alpha);
    const std::array<Placement, 3> planes{Placement{&Source1, Rect.left, Rect.top},
                                          Placement{&Source2, Source2Origin.x, Source2Origin.y},
                                          Placement{&Target, TargetOrigin.x, TargetOrigin.y}};
    Walk(planes, Width_Of(Rect), Height_Of(Rect), [&](auto& p) {
        for (int i = 0; i < 3; ++i) {
            const std::int64_t blended = p[1][i] + steps[static_cast<std::size_t>(p[0][i] - p[1][i] + 255)];
            p[2][i] = static_cast<std::uint8_t>(std::clamp<std::int64_t>(blended, 0, 255));
        }
    });
}
