#include "platform/winapi/Gdi_Raster.h"

#include <algorithm>
#include <cstring>

namespace {

// Eight rows of eight bits, bit 7 leftmost.
constexpr unsigned char hatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // horizontal
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // forward diagonal, top left to bottom right
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // backward diagonal
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // diagonal cross
};

int Wrap(int value, int period)
{
    int wrapped = value % period;
    return wrapped < 0 ? wrapped + period : wrapped;
}

// Makes a run periodic: the first `period` entries (already set) repeat to
// `count`, by doubling block moves.
template <class T>
void Repeat(T* run, int count, int period)
{
    for (int filled = period; filled < count;) {
        const int chunk = std::min(filled, count - filled);
        std::memcpy(run + filled, run, static_cast<std::size_t>(chunk) * sizeof(T));
        filled += chunk;
    }
}

} // namespace

QRgb Gdi_Mix(int rop2, QRgb pen, QRgb destination)
{
    // R2_ codes minus one are truth tables: bit (pen * 2 + destination).
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0x0F;
    auto all = [](unsigned bit) { return bit ? 0xFFFFFFFFu : 0u; };
    const QRgb when_pen_clear = all(table & 1) ^ (destination & (all(table & 1) ^ all(table & 2)));
    const QRgb when_pen_set = all(table & 4) ^ (destination & (all(table & 4) ^ all(table & 8)));
    return when_pen_clear ^ (pen & (when_pen_clear ^ when_pen_set));
}

Gdi_Raster::Gdi_Raster(Gdi_Dc& target) : Gdi_Raster(target, target.Surface().rect()) {}

Gdi_Raster::Gdi_Raster(Gdi_Dc& target, const QRect& touched)
    : dc(target), rows(target.Rows()), fourth_byte(target.Fourth_Byte()), drawable(target.Drawable_Region().intersected(touched))
{
    clip_rects.assign(drawable.begin(), drawable.end());
}

QRgb* Gdi_Raster::Scratch(int count)
{
    if (scratch.size() < static_cast<std::size_t>(count))
        scratch.resize(static_cast<std::size_t>(count));
    return scratch.data();
}

bool Gdi_Raster::Visible(int x, int y) const
{
    return std::any_of(clip_rects.begin(), clip_rects.end(), [&](const QRect& rect) {
        return x >= rect.left() && x <= rect.right() && y >= rect.top() && y <= rect.bottom();
    });
}

template <class Apply>
void Gdi_Raster::For_Visible_Spans(int y, int x_from, int x_to, Apply apply)
{
    for (const QRect& rect : clip_rects) {
        if (y < rect.top() || y > rect.bottom())
            continue;
        const int from = std::max(x_from, rect.left());
        const int to = std::min(x_to, rect.right() + 1);
        if (from < to)
            apply(from, to);
    }
}

void Gdi_Raster::Mix_Span(int y, int x_from, int x_to, QRgb pixel, int rop2)
{
    if (rop2 == R2_COPYPEN) {
        rows.Fill(y, x_from, x_to - x_from, pixel);
        return;
    }
    const int count = x_to - x_from;
    Gdi_Change_Pixels(rows, y, x_from, count, Scratch(count), true, [&](QRgb* run) {
        for (int i = 0; i < count; ++i)
            run[i] = Gdi_Mix(rop2, pixel, run[i]) | fourth_byte;
    });
}

void Gdi_Raster::Plot(int x, int y, QRgb pixel, int rop2)
{
    if (!Visible(x, y))
        return;
    if (rop2 == R2_COPYPEN)
        rows.Fill(y, x, 1, pixel | fourth_byte);
    else
        rows.Fill(y, x, 1, Gdi_Mix(rop2, pixel, rows.At(x, y)) | fourth_byte);
}

void Gdi_Raster::Plot_Region(const QRegion& region, QRgb pixel, int rop2)
{
    for (const QRect& rect : region.intersected(drawable))
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            For_Visible_Spans(y, rect.left(), rect.right() + 1, [&](int from, int to) { Mix_Span(y, from, to, pixel, rop2); });
}

void Gdi_Raster::Brush_Row(const Gdi_Dc& dc, const Gdi_Brush& brush, int y, int x_from, int count, QRgb* pixels, unsigned char* painted)
{
    if (count <= 0)
        return;
    const QRgb fourth_byte = dc.Fourth_Byte();
    const QPoint origin = dc.Origin() + QPoint(dc.state.brush_origin.x, dc.state.brush_origin.y);
    const QRgb fore = dc.Surface_Pixel(brush.log_brush.lbColor);
    switch (brush.log_brush.lbStyle) {
    case BS_HATCHED: {
        // One period of eight pixels worked out, then repeated.
        const QRgb back = dc.Surface_Pixel(dc.state.bk_color);
        const bool opaque_gaps = dc.state.bk_mode == OPAQUE;
        const auto& hatch = hatches[std::min<std::uintptr_t>(brush.log_brush.lbHatch, 5)];
        const unsigned row_bits = hatch[Wrap(y - origin.y(), 8)];
        const int period = std::min(count, 8);
        for (int i = 0; i < period; ++i) {
            const bool line = (row_bits >> (7 - Wrap(x_from + i - origin.x(), 8))) & 1;
            pixels[i] = line ? fore : back;
            painted[i] = line || opaque_gaps ? 1 : 0;
        }
        Repeat(pixels, count, period);
        Repeat(painted, count, period);
        return;
    }
    case BS_PATTERN: {
        // Monochrome patterns take the DC's colours: black bits the text colour, white the background.
        const QImage& pattern = brush.pattern;
        const QRgb text = dc.Surface_Pixel(dc.state.text_color);
        const QRgb back = dc.Surface_Pixel(dc.state.bk_color);
        const auto* row = reinterpret_cast<const QRgb*>(pattern.constScanLine(Wrap(y - origin.y(), pattern.height())));
        const int period = std::min(count, pattern.width());
        for (int i = 0; i < period; ++i) {
            const QRgb source = row[Wrap(x_from + i - origin.x(), pattern.width())];
            if (brush.mono_pattern)
                pixels[i] = (source & 0xFFFFFFu) ? back : text;
            else
                pixels[i] = dc.Is_Mono() ? Gdi_Mono_Pixel(source) : (source & 0xFFFFFFu) | fourth_byte;
        }
        Repeat(pixels, count, period);
        std::memset(painted, 1, static_cast<std::size_t>(count));
        return;
    }
    case BS_NULL:
        std::memset(painted, 0, static_cast<std::size_t>(count));
        return;
    default:
        Gdi_Fill_Pixels(pixels, count, fore);
        std::memset(painted, 1, static_cast<std::size_t>(count));
        return;
    }
}

void Gdi_Raster::Fill_Span(int y, int x_from, int x_to, const Gdi_Brush& brush, int rop2)
{
    if (brush.log_brush.lbStyle == BS_NULL)
        return;
    if (brush.log_brush.lbStyle == BS_SOLID) {
        const QRgb pixel = dc.Surface_Pixel(brush.log_brush.lbColor);
        For_Visible_Spans(y, x_from, x_to, [&](int from, int to) { Mix_Span(y, from, to, pixel, rop2); });
        return;
    }
    For_Visible_Spans(y, x_from, x_to, [&](int from, int to) {
        const int count = to - from;
        brush_pixels.resize(static_cast<std::size_t>(count));
        brush_painted.resize(static_cast<std::size_t>(count));
        Brush_Row(dc, brush, y, from, count, brush_pixels.data(), brush_painted.data());
        Gdi_Change_Pixels(rows, y, from, count, Scratch(count), true, [&](QRgb* run) {
            for (int i = 0; i < count; ++i)
                if (brush_painted[static_cast<std::size_t>(i)])
                    run[i] = Gdi_Mix(rop2, brush_pixels[static_cast<std::size_t>(i)], run[i]) | fourth_byte;
        });
    });
}

void Gdi_Raster::Fill_Region(const QRegion& region, const Gdi_Brush& brush, int rop2)
{
    for (const QRect& rect : region.intersected(drawable))
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            Fill_Span(y, rect.left(), rect.right() + 1, brush, rop2);
}
