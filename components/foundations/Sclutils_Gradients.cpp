// Colour lists, their palettes and the gradient painter: one filled shape
// per colour step, largest first, so each step covers the previous one's
// far part.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "components/foundations/Sclutils.h"
#include "components/foundations/Sclutils_Internal.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/MulDiv.h"

using namespace sclutils;

namespace {

int Channel(COLORREF color, int shift) { return static_cast<int>((color >> shift) & 0xFF); }

COLORREF Pack(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// A colour a palette-managed DC matches against the realised palette.
constexpr TColor palette_relative = 0x02000000;

// What the painter draws into: the caller's canvas at the rectangle's
// corner, or an off-screen bitmap at (0, 0) copied over at the end.
struct Surface {
    TCanvas* canvas;
    POINT origin;
};

class Gradient_Painter {
public:
    Gradient_Painter(TCanvas* canvas, POINT origin, int width, int height, int count)
        : canvas(canvas), ox(origin.x), oy(origin.y), w(width), h(height), n(count)
    {
    }

    void Paint(TSCLGradientStyle style, const TSCLColorList& colors, TColor color_flag)
    {
        canvas->Pen()->SetStyle(psClear);
        canvas->Brush()->SetStyle(bsSolid);
        if (style == gstHorizontal) {
            for (int i = 0; i < n; ++i)
                Step(style, i, colors[static_cast<std::size_t>(i)] | color_flag);
            return;
        }
        for (int i = n - 1; i >= 0; --i)
            Step(style, i, colors[static_cast<std::size_t>(i)] | color_flag);
    }

private:
    int Part(int i, int size) const { return MulDiv(i, size, n); }

    void Rect_From(int left, int top, int right, int bottom)
    {
        canvas->Rectangle(ox + left, oy + top, ox + right, oy + bottom);
    }

    void Step(TSCLGradientStyle style, int i, TColor color)
    {
        canvas->Brush()->SetColor(color);
        const int dx = Part(i + 1, w);
        const int dy = Part(i + 1, h);
        const int cx = w / 2;
        const int cy = h / 2;
        switch (style) {
        case gstHorizontal:
            canvas->FillRect(RECT{ox + Part(i, w), oy, ox + dx, oy + h});
            break;
        case gstVertical:
            canvas->FillRect(RECT{ox, oy + Part(i, h), ox + w, oy + dy});
            break;
        case gstSquare:
            Rect_From(cx - dx / 2, cy - dy / 2, cx + dx / 2 + 2, cy + dy / 2 + 2);
            break;
        case gstElliptic: {
            const int a = static_cast<int>(Round(dx / 1.4));
            const int b = static_cast<int>(Round(dy / 1.4));
            canvas->Ellipse(ox + cx - a, oy + cy - b, ox + cx + a + 2, oy + cy + b + 2);
            break;
        }
        case gstTopLeft:
            Rect_From(0, 0, 1 + dx, 1 + dy);
            break;
        case gstTopRight:
            Rect_From(w - dx, 1 + dy, w + 1, 0);
            break;
        case gstBottomLeft:
            Rect_From(1 + dx, h - dy, 0, h + 1);
            break;
        case gstBottomRight:
            Rect_From(w - dx, h - dy, w + 1, h + 1);
            break;
        case gstTopLeftDiagonal:
            Diagonal(0, 1, 2 * dx, 2 * dy);
            break;
        case gstTopRightDiagonal:
            Diagonal(w + 1, 0, -2 * dx, 2 * dy);
            break;
        }
    }

    // A band from the corner (x, 0) along the top edge and down to the
    // row bottom + dy, slanting away from the corner.
    void Diagonal(int x, int bottom, int dx, int dy)
    {
        const std::array<POINT, 4> band{
            {{ox + x, oy}, {ox + x + dx, oy}, {ox + x, oy + bottom + dy}, {ox + x - dx, oy + bottom + dy}}};
        canvas->Polygon(band);
    }

    TCanvas* canvas;
    int ox;
    int oy;
    int w;
    int h;
    int n;
};

} // namespace

TColor SCLGradientGetColor(TColor Color1, TColor Color2, int Position, int Count)
{
    const COLORREF c1 = ColorToRGB(Color1);
    const COLORREF c2 = ColorToRGB(Color2);
    if (Count == 0)
        return c1;
    auto mix = [&](int shift) {
        const int a = Channel(c1, shift);
        const int b = Channel(c2, shift);
        return static_cast<int>(Round(a + static_cast<double>(b - a) * Position / Count));
    };
    return Pack(mix(0), mix(8), mix(16));
}

void SCLGradientCreateColorList(TColor Color1, TColor Color2, BYTE Count, TSCLColorList* List, bool First)
{
    if (!List || Count == 0)
        return;
    const COLORREF c1 = ColorToRGB(Color1);
    const COLORREF c2 = ColorToRGB(Color2);
    if (First)
        List->clear();
    // One step is the start colour itself (there is no step to divide by).
    if (Count == 1) {
        if (First)
            List->push_back(c1);
        return;
    }
    auto step = [&](int i, int shift) {
        const int a = Channel(c1, shift);
        return a + MulDiv(i, Channel(c2, shift) - a, Count - 1);
    };
    for (int i = First ? 0 : 1; i < Count; ++i)
        List->push_back(Pack(step(i, 0), step(i, 8), step(i, 16)));
}

HPALETTE SCLGradientCreatePalette(const TSCLColorList* List)
{
    if (!List || List->empty())
        return nullptr;
    const std::size_t count = std::min<std::size_t>(List->size(), 0xFFFF);
    std::vector<std::byte> memory(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = new (memory.data()) LOGPALETTE;
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    PALETTEENTRY* entries = palette->palPalEntry;
    for (std::size_t i = 0; i < count; ++i) {
        const COLORREF c = (*List)[i];
        entries[i] = PALETTEENTRY{static_cast<BYTE>(Channel(c, 0)), static_cast<BYTE>(Channel(c, 8)),
                                  static_cast<BYTE>(Channel(c, 16)), PC_NOCOLLAPSE};
    }
    return CreatePalette(palette);
}

void SCLGradientPaint(TCanvas* Canvas, const RECT& Rect, TColor Color1, TColor Color2, BYTE ColorCount,
                      TSCLGradientStyle Style, WORD Flags, int Offset)
{
    TSCLColorList colors;
    SCLGradientCreateColorList(Color1, Color2, ColorCount, &colors, true);
    HPALETTE palette = (Flags & SCLGD_PALETTE) ? SCLGradientCreatePalette(&colors) : nullptr;
    SCLGradientPaintExt(Canvas, Rect, Style, &colors, palette, Flags, Offset);
    if (palette)
        DeleteObject(palette);
}

void SCLGradientPaintExt(TCanvas* Canvas, const RECT& Rect, TSCLGradientStyle Style, const TSCLColorList* Colors,
                         HPALETTE Palette, WORD Flags, int Offset)
{
    if (!Canvas || !Colors || Colors->empty() || Is_Empty(Rect))
        return;
    const int w = Width_Of(Rect);
    const int h = Height_Of(Rect);
    const int n = static_cast<int>(std::min<std::size_t>(Colors->size(), 0xFFFF));
    TColor color_flag = 0;
    const bool with_palette = (Flags & SCLGD_PALETTE) && Palette && Palette_Allowed();
    std::unique_ptr<TBitmap> off_screen;
    std::optional<Clip_Scope> clip;
    Surface surface{Canvas, POINT{Rect.left, Rect.top}};
    if (Flags & SCLGD_OFFSCREEN) {
        off_screen = std::make_unique<TBitmap>();
        off_screen->SetSize(w, h);
        surface = Surface{off_screen->Canvas(), POINT{0, 0}};
    } else if (Flags & SCLGD_CLIP) {
        const POINT o = Unpack_Offset(Offset);
        clip.emplace(Canvas->Handle(), RECT{Rect.left + o.x, Rect.top + o.y, Rect.right + o.x, Rect.bottom + o.y});
    }
    HPALETTE previous = nullptr;
    if (with_palette) {
        // The caller deletes the palette: the canvas gets its own back below.
        previous = SelectPalette(Canvas->Handle(), Palette, FALSE);
        RealizePalette(Canvas->Handle());
        color_flag = palette_relative;
    }
    Gradient_Painter(surface.canvas, surface.origin, w, h, n).Paint(Style, *Colors, color_flag);
    if (off_screen)
        BitBlt(Canvas->Handle(), Rect.left, Rect.top, w, h, off_screen->Canvas()->Handle(), 0, 0, SRCCOPY);
    if (with_palette)
        SelectPalette(Canvas->Handle(), previous, FALSE);
}

void SCLSuperGradientPaint(TCanvas* Canvas, const RECT& Rect, std::span<const TColor> Colors, BYTE ColorCount,
                           TSCLGradientStyle Style, WORD Flags, int Offset)
{
    if (Colors.size() < 2)
        return;
    const std::size_t pairs = Colors.size() - 1;
    const auto per_pair = static_cast<BYTE>(ColorCount / pairs);
    TSCLColorList list;
    for (std::size_t k = 0; k < pairs; ++k)
        SCLGradientCreateColorList(Colors[k], Colors[k + 1], per_pair, &list, false);
    SCLGradientPaintExt(Canvas, Rect, Style, &list, nullptr, Flags, Offset);
}
