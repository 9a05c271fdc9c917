#include "platform/winapi/Gdi_Blit.h"

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Dc.h"
#include "platform/winapi/Gdi_Raster.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

// The 32-byte vector code is always inlined into functions built for AVX2,
// so no such vector ever crosses a call: the compiler's warning about their
// calling convention (reported at the end of the file) does not apply.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace {

// Four pixels at a time, whatever the optimisation level the project is built with.
using Pixel_Vector = QRgb __attribute__((vector_size(16)));

// Every function that handles vectors is always inlined, even unoptimised:
// a 32-byte vector passed in a call from AVX2 code to default code would
// not arrive intact.
template <class Pixels>
__attribute__((always_inline)) inline Pixels Select(Pixels when, Pixels set, Pixels clear)
{
    return clear ^ (when & (set ^ clear));
}

// Bit (p * 4 + s * 2 + d) of the code is the result for those input bits;
// evaluated as a tree of selections that the compiler folds per code.
template <unsigned code, class Pixels>
__attribute__((always_inline)) inline Pixels Evaluate(Pixels p, Pixels s, Pixels d)
{
    constexpr auto bit = [](unsigned index) -> QRgb { return ((code >> index) & 1) ? 0xFFFFFFFFu : 0u; };
    const Pixels none = d ^ d;
    const Pixels p0_s0 = Select<Pixels>(d, none | bit(1), none | bit(0));
    const Pixels p0_s1 = Select<Pixels>(d, none | bit(3), none | bit(2));
    const Pixels p1_s0 = Select<Pixels>(d, none | bit(5), none | bit(4));
    const Pixels p1_s1 = Select<Pixels>(d, none | bit(7), none | bit(6));
    return Select<Pixels>(p, Select<Pixels>(s, p1_s1, p1_s0), Select<Pixels>(s, p0_s1, p0_s0));
}

// Eight pixels at a time where the processor has 32-byte vectors, sixteen
// where it has 64-byte ones (whose ternary logic instruction takes the
// operation code itself).
using Wide_Vector = QRgb __attribute__((vector_size(32)));
using Widest_Vector = QRgb __attribute__((vector_size(64)));

bool Has_Wide_Vectors()
{
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
}

bool Has_Widest_Vectors()
{
    static const bool avx512 = __builtin_cpu_supports("avx512f");
    return avx512;
}

// Sources either are the destination row itself or lie elsewhere: each block
// is read whole before it is written. A solid pattern is one pixel value,
// p[0], held in a register: the loop then reads two rows, not three.
// Answers where it stopped: the rest is shorter than one vector.
template <unsigned code, bool solid, class Vector>
__attribute__((always_inline)) inline int Rop_Loop(const QRgb* p, const QRgb* s, QRgb* d, int i, int count, QRgb fourth_byte)
{
    constexpr int lanes = sizeof(Vector) / sizeof(QRgb);
    Vector vp{};
    if constexpr (solid)
        vp = vp + p[0];
    for (; i + lanes <= count; i += lanes) {
        Vector vs, vd;
        if constexpr (!solid)
            std::memcpy(&vp, p + i, sizeof(vp));
        std::memcpy(&vs, s + i, sizeof(vs));
        std::memcpy(&vd, d + i, sizeof(vd));
        const Vector result = Evaluate<code>(vp, vs, vd) | fourth_byte;
        std::memcpy(d + i, &result, sizeof(result));
    }
    return i;
}

template <unsigned code, bool solid>
__attribute__((always_inline)) inline void Rop_Tail(const QRgb* p, const QRgb* s, QRgb* d, int i, int count, QRgb fourth_byte)
{
    for (; i < count; ++i)
        d[i] = Evaluate<code>(p[solid ? 0 : i], s[i], d[i]) | fourth_byte;
}

template <unsigned code, bool solid>
void Rop_Row(const QRgb* p, const QRgb* s, QRgb* d, int count, QRgb fourth_byte)
{
    Rop_Tail<code, solid>(p, s, d, Rop_Loop<code, solid, Pixel_Vector>(p, s, d, 0, count, fourth_byte), count, fourth_byte);
}

template <unsigned code, bool solid>
__attribute__((target("avx2"))) void Rop_Row_Wide(const QRgb* p, const QRgb* s, QRgb* d, int count, QRgb fourth_byte)
{
    int i = Rop_Loop<code, solid, Wide_Vector>(p, s, d, 0, count, fourth_byte);
    i = Rop_Loop<code, solid, Pixel_Vector>(p, s, d, i, count, fourth_byte);
    Rop_Tail<code, solid>(p, s, d, i, count, fourth_byte);
}

template <unsigned code, bool solid>
__attribute__((target("avx512f"))) void Rop_Row_Widest(const QRgb* p, const QRgb* s, QRgb* d, int count, QRgb fourth_byte)
{
    int i = Rop_Loop<code, solid, Widest_Vector>(p, s, d, 0, count, fourth_byte);
    i = Rop_Loop<code, solid, Wide_Vector>(p, s, d, i, count, fourth_byte);
    i = Rop_Loop<code, solid, Pixel_Vector>(p, s, d, i, count, fourth_byte);
    Rop_Tail<code, solid>(p, s, d, i, count, fourth_byte);
}

void Copy_Source_Row(const QRgb*, const QRgb* s, QRgb* d, int count, QRgb)
{
    std::memmove(d, s, static_cast<std::size_t>(count) * sizeof(QRgb));
}

void Copy_Pattern_Row(const QRgb* p, const QRgb*, QRgb* d, int count, QRgb)
{
    std::memmove(d, p, static_cast<std::size_t>(count) * sizeof(QRgb));
}

template <bool solid, std::size_t... codes>
constexpr std::array<Gdi_Rop_Row, 256> Make_Table(std::index_sequence<codes...>)
{
    return {&Rop_Row<codes, solid>...};
}

template <bool solid, std::size_t... codes>
constexpr std::array<Gdi_Rop_Row, 256> Make_Wide_Table(std::index_sequence<codes...>)
{
    return {&Rop_Row_Wide<codes, solid>...};
}

template <bool solid, std::size_t... codes>
constexpr std::array<Gdi_Rop_Row, 256> Make_Widest_Table(std::index_sequence<codes...>)
{
    return {&Rop_Row_Widest<codes, solid>...};
}

// The row functions for the widest vectors the processor has.
template <bool solid>
std::array<Gdi_Rop_Row, 256> Rop_Table()
{
    constexpr auto codes = std::make_index_sequence<256>{};
    auto made = Has_Widest_Vectors() ? Make_Widest_Table<solid>(codes)
                : Has_Wide_Vectors() ? Make_Wide_Table<solid>(codes)
                                     : Make_Table<solid>(codes);
    made[0xCC] = &Copy_Source_Row;
    if (!solid)
        made[0xF0] = &Copy_Pattern_Row;
    return made;
}

// For a pattern of one pixel value, p[0]: the rows read only it.
Gdi_Rop_Row Rop_Row_Solid_For(std::uint8_t code)
{
    static const std::array<Gdi_Rop_Row, 256> table = Rop_Table<true>();
    return table[code];
}

// How a destination coordinate maps to a source one: scaled by nearest
// neighbour, mirrored for extents of opposite signs.
struct Axis_Map {
    int dest_from;
    int dest_count;
    int source_from;
    int source_count;
    bool mirrored;

    int Source(int dest) const
    {
        if (Identity())
            return dest - dest_from + source_from;
        return At(std::int64_t(dest - dest_from) * source_count / dest_count);
    }
    bool Identity() const { return dest_count == source_count && !mirrored; }
    bool Shrinks() const { return dest_count < source_count; }
    // Every source coordinate that falls on one destination coordinate when
    // shrinking, within [0, size): the first and one past the last, in
    // increasing order.
    std::pair<int, int> Sources(int dest, int size) const
    {
        const std::int64_t first = std::int64_t(dest - dest_from) * source_count / dest_count;
        const std::int64_t end = std::max(first + 1, std::int64_t(dest - dest_from + 1) * source_count / dest_count);
        const int a = At(first);
        const int b = At(end - 1);
        return {std::max(std::min(a, b), 0), std::min(std::max(a, b) + 1, size)};
    }

private:
    int At(std::int64_t offset) const
    {
        return mirrored ? source_from + source_count - 1 - static_cast<int>(offset) : source_from + static_cast<int>(offset);
    }
};

// Normalises a start and a signed extent: answers the start and the positive
// extent (at most 2^29, beyond any surface) and whether it was negative.
std::tuple<int, int, bool> Normalise(int from, int extent)
{
    constexpr std::int64_t largest = std::int64_t(1) << 29;
    const std::int64_t size = std::min<std::int64_t>(std::abs(std::int64_t(extent)), largest);
    const std::int64_t start = extent < 0 ? std::int64_t(from) - size : from;
    return {static_cast<int>(std::clamp<std::int64_t>(start, INT_MIN, INT_MAX)), static_cast<int>(size), extent < 0};
}

// A stretch's negative extent counts down from its start inclusive: it covers
// from + extent + 1 .. from, one further than a half-open span ending at from.
int Stretch_Start(int from, int extent) { return extent < 0 && from < INT_MAX ? from + 1 : from; }

// All ones where a pixel is not zero, for single pixels and vectors alike.
inline QRgb Nonzero(QRgb pixel) { return pixel ? 0xFFFFFFFFu : 0u; }
template <class Vector>
__attribute__((always_inline)) inline Vector Nonzero(Vector pixels)
{
    return reinterpret_cast<Vector>(pixels != 0u);
}

// The source conversions, each written once for single pixels and vectors.
struct Mono_To_Colour {
    QRgb black;
    QRgb white;
    template <class T>
    __attribute__((always_inline)) T operator()(T pixels) const { return black ^ (Nonzero(pixels & 0xFFFFFFu) & (white ^ black)); }
};
struct Colour_To_Mono {
    QRgb key; // the source's background colour, which becomes white
    template <class T>
    __attribute__((always_inline)) T operator()(T pixels) const { return 0xFFFFFFFFu ^ (Nonzero((pixels ^ key) & 0xFFFFFFu) & 0xFFFFFFu); }
};
struct Retag {
    QRgb fourth_byte;
    template <class T>
    __attribute__((always_inline)) T operator()(T pixels) const { return (pixels & 0xFFFFFFu) | fourth_byte; }
};

// Answers where it stopped: the rest is shorter than one vector.
template <class Vector, class Convert>
__attribute__((always_inline)) inline int Convert_Loop(const QRgb* in, QRgb* out, int i, int count, Convert convert)
{
    constexpr int lanes = sizeof(Vector) / sizeof(QRgb);
    for (; i + lanes <= count; i += lanes) {
        Vector pixels;
        std::memcpy(&pixels, in + i, sizeof(pixels));
        pixels = convert(pixels);
        std::memcpy(out + i, &pixels, sizeof(pixels));
    }
    return i;
}

template <class Convert>
__attribute__((always_inline)) inline void Convert_Tail(const QRgb* in, QRgb* out, int i, int count, Convert convert)
{
    for (; i < count; ++i)
        out[i] = convert(in[i]);
}

template <class Convert>
void Convert_Run(const QRgb* in, QRgb* out, int count, Convert convert)
{
    Convert_Tail(in, out, Convert_Loop<Pixel_Vector>(in, out, 0, count, convert), count, convert);
}

template <class Convert>
__attribute__((target("avx2"))) void Convert_Run_Wide(const QRgb* in, QRgb* out, int count, Convert convert)
{
    int i = Convert_Loop<Wide_Vector>(in, out, 0, count, convert);
    i = Convert_Loop<Pixel_Vector>(in, out, i, count, convert);
    Convert_Tail(in, out, i, count, convert);
}

template <class Convert>
__attribute__((target("avx512f"))) void Convert_Run_Widest(const QRgb* in, QRgb* out, int count, Convert convert)
{
    int i = Convert_Loop<Widest_Vector>(in, out, 0, count, convert);
    i = Convert_Loop<Wide_Vector>(in, out, i, count, convert);
    i = Convert_Loop<Pixel_Vector>(in, out, i, count, convert);
    Convert_Tail(in, out, i, count, convert);
}

struct Source {
    Gdi_Pixel_Rows rows; // the source's pixels, or overlap_copy's
    QImage overlap_copy;
    QRgb text = 0;      // for monochrome to colour: what black becomes
    QRgb back = 0;      // ... and what white becomes
    QRgb source_back = 0;
    bool mono_to_color = false;
    bool color_to_mono = false;
    // Between a surface that keeps the fourth byte and one that does not,
    // pixels take the destination's: 0 (what GDI drew) or 0xFF.
    bool retag = false;
    QRgb fourth_byte = 0;

    bool Converts() const { return mono_to_color || color_to_mono || retag; }
    QRgb Convert(QRgb pixel) const
    {
        if (mono_to_color)
            return (pixel & 0xFFFFFFu) ? back : text;
        if (color_to_mono)
            return (pixel & 0xFFFFFFu) == (source_back & 0xFFFFFFu) ? 0xFFFFFFFFu : 0xFF000000u;
        return retag ? (pixel & 0xFFFFFFu) | fourth_byte : pixel;
    }
    // count pixels converted into out: row[first + i], or row[columns[i]]
    // when columns is given; a run of whole rows a vector at a time.
    void Convert_Row(const QRgb* row, int first, const int* columns, QRgb* out, int count) const
    {
        auto run = [&](auto convert) {
            if (columns) {
                for (int i = 0; i < count; ++i)
                    out[i] = convert(row[columns[i]]);
            } else if (Has_Widest_Vectors()) {
                Convert_Run_Widest(row + first, out, count, convert);
            } else if (Has_Wide_Vectors()) {
                Convert_Run_Wide(row + first, out, count, convert);
            } else {
                Convert_Run(row + first, out, count, convert);
            }
        };
        if (mono_to_color)
            run(Mono_To_Colour{text, back});
        else if (color_to_mono)
            run(Colour_To_Mono{source_back});
        else if (retag)
            run(Retag{fourth_byte});
        else if (columns)
            for (int i = 0; i < count; ++i)
                out[i] = row[columns[i]];
        else
            std::memcpy(out, row + first, static_cast<std::size_t>(count) * sizeof(QRgb));
    }
};

struct Blit_Request {
    Gdi_Dc* dest;
    QRect dest_rect;     // device coordinates, normalised
    std::optional<Source> source;
    Axis_Map x_map{};
    Axis_Map y_map{};
    std::uint8_t fore;   // operation code where the mask is set (or everywhere)
    std::uint8_t back;   // where the mask is clear
    const QImage* mask = nullptr;
    QPoint mask_origin;  // mask pixel of the destination rectangle's top-left
    // Shrinking under BLACKONWHITE ANDs the source pixels that fall on one
    // destination pixel, under WHITEONBLACK ORs them; the other modes pick one.
    int combine_mode = COLORONCOLOR;
    // For a scaled or mirrored source: the source column of each destination
    // column from columns_from on, worked out once per call.
    std::vector<int> columns;
    int columns_from = 0;
    // Worked out once per call: a control-sized blit must not pay for them per row.
    Gdi_Pixel_Rows dest_rows;
    bool reads_dest = false; // the operation's result depends on the destination
    QRgb fourth_byte = 0;  // the destination's Gdi_Dc::Fourth_Byte
    // The destination's clip, device coordinates, or nullptr where the whole
    // surface is drawable: its rectangles are met one by one, no region is built.
    const QRegion* clip = nullptr;
    Gdi_Rop_Row fore_row = nullptr;
    Gdi_Rop_Row back_row = nullptr;
};

// The columns (or rows) of the destination whose source lies within the source surface.
std::pair<int, int> Valid_Range(const Axis_Map& map, int dest_from, int dest_to, int source_size)
{
    if (map.Identity()) {
        const int shift = map.source_from - map.dest_from;
        const int first = std::max(dest_from, -shift);
        return {first, std::max(first, std::min(dest_to, source_size - shift))};
    }
    int first = dest_from;
    while (first < dest_to && (map.Source(first) < 0 || map.Source(first) >= source_size))
        ++first;
    int last = dest_to;
    while (last > first && (map.Source(last - 1) < 0 || map.Source(last - 1) >= source_size))
        --last;
    return {first, last};
}

// Rows of scratch pixels, left unset: every use writes them before reading.
// They lie in the destination DC's scratch, kept between calls, so that a
// call allocates nothing.
struct Row_Buffers {
    QRgb* pattern = nullptr; // a plain brush's row, or a tall pattern's
    QRgb* source = nullptr;
    QRgb* other = nullptr;      // with a mask: the background operation's row
    QRgb* other_fore = nullptr; // ... and the foreground's
    QRgb* dest = nullptr;       // a 24-bit destination's run, unpacked
    QRgb* packed_source = nullptr;  // ... the source's run packed as it is
    QRgb* packed_pattern = nullptr; // ... and the pattern's
    QRgb* unpacked = nullptr; // a 24-bit source's row, where a scaled run reads it
};

Row_Buffers Take_Buffers(std::vector<QRgb>& scratch, int width, bool masked, bool packed_dest, int unpacked_width)
{
    const auto row = static_cast<std::size_t>(width);
    const std::size_t total = row * (2 + (masked ? 2 : 0) + (packed_dest ? 3 : 0)) + static_cast<std::size_t>(unpacked_width);
    if (scratch.size() < total)
        scratch.resize(total);
    QRgb* next = scratch.data();
    auto take = [&](std::size_t count) {
        QRgb* taken = next;
        next += count;
        return taken;
    };
    Row_Buffers buffers;
    buffers.pattern = take(row);
    buffers.source = take(row);
    buffers.other = masked ? take(row) : nullptr;
    buffers.other_fore = masked ? take(row) : nullptr;
    buffers.dest = packed_dest ? take(row) : nullptr;
    buffers.packed_source = packed_dest ? take(row) : nullptr;
    buffers.packed_pattern = packed_dest ? take(row) : nullptr;
    buffers.unpacked = unpacked_width > 0 ? take(static_cast<std::size_t>(unpacked_width)) : nullptr;
    return buffers;
}

// The AND or OR of the source pixels that fall on destination pixel (x, y).
QRgb Combined_Source(const Blit_Request& request, int x, int y)
{
    const Gdi_Pixel_Rows& rows = request.source->rows;
    const bool and_mode = request.combine_mode == BLACKONWHITE;
    QRgb combined = and_mode ? 0xFFFFFFFFu : 0u;
    const auto [row_from, row_to] = request.y_map.Sources(y, rows.height);
    const auto [column_from, column_to] = request.x_map.Sources(x, rows.width);
    for (int source_y = row_from; source_y < row_to; ++source_y)
        for (int source_x = column_from; source_x < column_to; ++source_x)
            combined = and_mode ? combined & rows.At(source_x, source_y) : combined | rows.At(source_x, source_y);
    return combined;
}

// The source pixels for a run of destination row y: straight from the source
// row when they need no change, else converted into `out`.
const QRgb* Source_Row(const Blit_Request& request, int y, int x_from, int count, QRgb* out, const Row_Buffers& buffers)
{
    const Source& source = *request.source;
    if (request.combine_mode != COLORONCOLOR) {
        for (int i = 0; i < count; ++i)
            out[i] = source.Convert(Combined_Source(request, x_from + i, y));
        return out;
    }
    const int source_y = request.y_map.Source(y);
    const bool identity = request.x_map.Identity();
    const int* columns = identity ? nullptr : request.columns.data() + (x_from - request.columns_from);
    int first = identity ? request.x_map.Source(x_from) : 0;
    const QRgb* row = nullptr;
    if (!source.rows.packed) {
        row = source.rows.Pixels(source_y);
    } else if (identity) {
        // A 24-bit source's run unpacks straight into out, and converts there.
        source.rows.Read(source_y, first, count, out);
        row = out;
        first = 0;
    } else {
        // The columns run one way: the first and last bound the ones read.
        const int low = std::min(columns[0], columns[count - 1]);
        const int high = std::max(columns[0], columns[count - 1]);
        source.rows.Read(source_y, low, high - low + 1, buffers.unpacked + low);
        row = buffers.unpacked;
    }
    if (identity && !source.Converts())
        return row + first;
    source.Convert_Row(row, first, columns, out, count);
    return out;
}

// The brush's pixels over the blit's columns: one row for a plain colour;
// for a hatch or a pattern, the rows of one vertical period made once (the
// brush repeats every `period` rows), or each row as it comes for a tall pattern.
int Wrap(int value, int period) { return ((value % period) + period) % period; }

class Pattern_Rows {
public:
    // The selected brush is held by the DC's state: it needs no lookup.
    Pattern_Rows(const Blit_Request& request, const QRect& area, QRgb* row_buffer)
        : brush(request.dest->state.brush), dest(request.dest), top(area.top()), left(area.left()), width(std::max(area.width(), 1)),
          pixels(row_buffer)
    {
        const bool used = Gdi_Rop_Uses_Pattern(request.fore) || Gdi_Rop_Uses_Pattern(request.back);
        if (!used || !brush || brush->log_brush.lbStyle == BS_NULL || brush->log_brush.lbStyle == BS_SOLID) {
            const bool solid = used && brush && brush->log_brush.lbStyle == BS_SOLID;
            Gdi_Fill_Pixels(pixels, width, solid ? request.dest->Surface_Pixel(brush->log_brush.lbColor) : request.fourth_byte);
            rows = pixels;
            return;
        }
        const bool pattern = brush->log_brush.lbStyle == BS_PATTERN;
        period = pattern ? brush->pattern.height() : 8;
        if (period > largest_cached_period) {
            painted.resize(static_cast<std::size_t>(width));
            return;
        }
        Gdi_Brush::Laid_Out& laid_out = brush->laid_out;
        const Gdi_Brush::Laid_Out::Key key = Key_For(pattern ? brush->pattern.width() : 8);
        if (!(laid_out.key == key)) {
            laid_out.key = key;
            laid_out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(period));
            painted.resize(laid_out.pixels.size());
            for (int row = 0; row < period; ++row)
                Gdi_Raster::Brush_Row(*dest, *brush, top + row, left, width, laid_out.pixels.data() + static_cast<std::ptrdiff_t>(row) * width,
                                      painted.data() + static_cast<std::ptrdiff_t>(row) * width);
        }
        rows = laid_out.pixels.data();
    }
    // Every row is one pixel value.
    bool Solid() const { return period == 0; }
    const QRgb* Row(int y, int x_from, int count)
    {
        if (period == 0)
            return rows + (x_from - left);
        if (period <= largest_cached_period)
            return rows + static_cast<std::ptrdiff_t>((y - top) % period) * width + (x_from - left);
        Gdi_Raster::Brush_Row(*dest, *brush, y, x_from, count, pixels, painted.data());
        return pixels;
    }

private:
    static constexpr int largest_cached_period = 64;

    // Everything the laid-out rows depend on: where the area starts in the
    // pattern, its width, and the colours the brush takes on this DC.
    Gdi_Brush::Laid_Out::Key Key_For(int pattern_width) const
    {
        const QPoint origin = dest->Origin() + QPoint(dest->state.brush_origin.x, dest->state.brush_origin.y);
        return {Wrap(left - origin.x(), pattern_width),
                Wrap(top - origin.y(), period),
                width,
                {dest->Surface_Pixel(brush->log_brush.lbColor), dest->Surface_Pixel(dest->state.text_color),
                 dest->Surface_Pixel(dest->state.bk_color), dest->Fourth_Byte()},
                (dest->Is_Mono() ? 1 : 0) | (dest->state.bk_mode == OPAQUE ? 2 : 0)};
    }

    const Gdi_Brush* brush;
    const Gdi_Dc* dest;
    int top;
    int left;
    int width;
    int period = 0; // 0: one row serves every row
    const QRgb* rows = nullptr;
    QRgb* pixels;                       // one row, for a plain brush or a tall pattern
    std::vector<unsigned char> painted; // only while brush rows are worked out
};

// A plain copy converts straight into the destination, or, on a 24-bit one,
// packs straight from the source's pixels.
void Copy_Span(const Blit_Request& request, int y, int from, int count, const Row_Buffers& buffers)
{
    const Gdi_Pixel_Rows& rows = request.dest_rows;
    if (rows.packed) {
        rows.Write(y, from, count, Source_Row(request, y, from, count, buffers.source, buffers));
        return;
    }
    QRgb* dest = rows.Pixels(y) + from;
    const QRgb* source = Source_Row(request, y, from, count, dest, buffers);
    if (source != dest)
        std::memmove(dest, source, static_cast<std::size_t>(count) * sizeof(QRgb));
}

void Blit_Span(const Blit_Request& request, Pattern_Rows& patterns, int y, int from, int to, const Row_Buffers& buffers)
{
    const int count = to - from;
    const QRgb* pattern = patterns.Row(y, from, count);
    const QRgb fourth_byte = request.fourth_byte;
    Gdi_Change_Pixels(request.dest_rows, y, from, count, buffers.dest, request.reads_dest, [&](QRgb* dest) {
        const QRgb* source = request.source ? Source_Row(request, y, from, count, buffers.source, buffers) : dest;
        if (!request.mask) {
            request.fore_row(pattern, source, dest, count, fourth_byte);
            return;
        }
        // Both operations on copies of the destination, then the mask picks per pixel.
        std::copy_n(dest, count, buffers.other);
        std::copy_n(dest, count, buffers.other_fore);
        request.fore_row(pattern, source, buffers.other_fore, count, fourth_byte);
        request.back_row(pattern, source, buffers.other, count, fourth_byte);
        const auto* mask_row = reinterpret_cast<const QRgb*>(request.mask->constScanLine(y - request.dest_rect.top() + request.mask_origin.y()));
        const int mask_x = request.mask_origin.x() - request.dest_rect.left();
        for (int i = 0; i < count; ++i)
            dest[i] = (mask_row[from + i + mask_x] & 0xFFFFFFu) ? buffers.other_fore[i] : buffers.other[i];
    });
}

// A 24-bit destination without a mask. Raster operations work bit by bit,
// so in the middle of each run, whole words of four pixels from a word
// boundary, they run on the memory itself, with the source and pattern
// packed alike; the few pixels at either end go through 32 bits.
void Blit_Packed_Rect(const Blit_Request& request, Pattern_Rows& patterns, const QRect& rect, const Row_Buffers& buffers)
{
    const int from = rect.left();
    const int to = rect.right() + 1;
    const int middle_from = std::min((from + 3) / 4 * 4, to);
    const int middle_to = std::max(to / 4 * 4, middle_from);
    const int count = middle_to - middle_from;
    const int words = count / 4 * 3;
    const Gdi_Rop_Row rop = Gdi_Rop_Row_For(request.fore);
    auto* packed_pattern = reinterpret_cast<uchar*>(buffers.packed_pattern);
    if (words > 0 && patterns.Solid())
        Gdi_Pack_Row(patterns.Row(rect.top(), middle_from, count), count, 24, packed_pattern);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        if (from < middle_from)
            Blit_Span(request, patterns, y, from, middle_from, buffers);
        if (words > 0) {
            auto* dest = reinterpret_cast<QRgb*>(request.dest_rows.Row(y) + std::ptrdiff_t(middle_from) * 3);
            if (!patterns.Solid())
                Gdi_Pack_Row(patterns.Row(y, middle_from, count), count, 24, packed_pattern);
            const QRgb* source = dest;
            if (request.source) {
                Gdi_Pack_Row(Source_Row(request, y, middle_from, count, buffers.source, buffers), count, 24,
                             reinterpret_cast<uchar*>(buffers.packed_source));
                source = buffers.packed_source;
            }
            rop(buffers.packed_pattern, source, dest, words, 0);
        }
        if (middle_to < to)
            Blit_Span(request, patterns, y, middle_to, to, buffers);
    }
}

// One drawable rectangle of the area, row by row. A 32-bit destination's
// rows are worked on in place, and so are a 32-bit source's that need no
// conversion.
void Blit_Rect(const Blit_Request& request, Pattern_Rows& patterns, const QRect& rect, const Row_Buffers& buffers)
{
    const int from = rect.left();
    const int count = rect.width();
    if (request.source && request.fore == 0xCC && !request.mask) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            Copy_Span(request, y, from, count, buffers);
        return;
    }
    if (request.dest_rows.packed && !request.mask) {
        Blit_Packed_Rect(request, patterns, rect, buffers);
        return;
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        Blit_Span(request, patterns, y, from, from + count, buffers);
}

// The whole area is drawable: no clip, or one clip rectangle around it.
bool Wholly_Drawable(const Blit_Request& request, const QRect& area)
{
    return !request.clip || (request.clip->rectCount() == 1 && request.clip->boundingRect().contains(area));
}

// A plain copy between whole rows of equal layout is one block move, from
// the rows' lowest address (the bottom row's where rows run backwards).
bool Copy_Whole_Rows(const Blit_Request& request, const QRect& area)
{
    if (!request.source || request.fore != 0xCC || request.back != 0xCC || !request.x_map.Identity() || !request.y_map.Identity() ||
        request.source->Converts())
        return false;
    const Gdi_Pixel_Rows& from = request.source->rows;
    const Gdi_Pixel_Rows& to = request.dest_rows;
    if (!Wholly_Drawable(request, area) || area.left() != 0 || area.width() != to.width || request.x_map.Source(0) != 0 ||
        from.width != to.width || from.stride != to.stride || from.packed != to.packed)
        return false;
    const int lowest = to.stride < 0 ? area.bottom() : area.top();
    std::memmove(to.Row(lowest), from.Row(request.y_map.Source(lowest)),
                 static_cast<std::size_t>(std::abs(to.stride)) * static_cast<std::size_t>(area.height()));
    return true;
}

// The destination's pixels the call may touch: its rectangle within the
// surface and the clip's bounds, and, with a source, where the source lies
// within its surface.
QRect Touched_Area(const Blit_Request& request)
{
    const QRect surface(0, 0, request.dest_rows.width, request.dest_rows.height);
    QRect area = request.dest_rect.intersected(request.clip ? request.clip->boundingRect().intersected(surface) : surface);
    if (!request.source)
        return area;
    const Gdi_Pixel_Rows& rows = request.source->rows;
    auto [x_first, x_last] = Valid_Range(request.x_map, area.left(), area.right() + 1, rows.width);
    auto [y_first, y_last] = Valid_Range(request.y_map, area.top(), area.bottom() + 1, rows.height);
    return QRect(QPoint(x_first, y_first), QPoint(x_last - 1, y_last - 1));
}

BOOL Run_Blit(Blit_Request& request)
{
    Gdi_Dc& dest = *request.dest;
    request.reads_dest = request.mask || Gdi_Rop_Uses_Dest(request.fore);
    request.fourth_byte = dest.Fourth_Byte();
    request.clip = dest.state.clipped ? &dest.state.clip : nullptr;
    const QRect area = Touched_Area(request);
    if (area.isEmpty() || Copy_Whole_Rows(request, area))
        return TRUE;
    if (request.source && !request.x_map.Identity()) {
        request.columns_from = area.left();
        request.columns.resize(static_cast<std::size_t>(area.width()));
        for (int x = area.left(); x <= area.right(); ++x)
            request.columns[static_cast<std::size_t>(x - area.left())] = request.x_map.Source(x);
    }
    const bool unpacks_scaled = request.source && request.source->rows.packed && !request.x_map.Identity();
    const Row_Buffers buffers = Take_Buffers(dest.scratch, area.width(), request.mask != nullptr, request.dest_rows.packed,
                                             unpacks_scaled ? request.source->rows.width : 0);
    Pattern_Rows patterns(request, area, buffers.pattern);
    const auto row_for = patterns.Solid() ? &Rop_Row_Solid_For : &Gdi_Rop_Row_For;
    request.fore_row = row_for(request.fore);
    request.back_row = row_for(request.back);
    if (!request.clip) {
        Blit_Rect(request, patterns, area, buffers);
        return TRUE;
    }
    for (const QRect& rect : *request.clip) {
        const QRect part = rect.intersected(area);
        if (!part.isEmpty())
            Blit_Rect(request, patterns, part, buffers);
    }
    return TRUE;
}

// Reading and writing one surface where the areas overlap: the source reads
// a copy of its rows.
void Copy_Overlapped_Rows(Source& source, const QRect& source_rect)
{
    const Gdi_Pixel_Rows& rows = source.rows;
    source.overlap_copy = QImage(rows.width, rows.height, QImage::Format_RGB32);
    if (source.overlap_copy.isNull())
        return;
    const int top = std::max(source_rect.top(), 0);
    const int bottom = std::min(source_rect.bottom(), rows.height - 1);
    for (int y = top; y <= bottom; ++y)
        rows.Read(y, 0, rows.width, reinterpret_cast<QRgb*>(source.overlap_copy.scanLine(y)));
    source.rows = {source.overlap_copy.bits(), source.overlap_copy.bytesPerLine(), rows.width, rows.height, false};
}

void Prepare_Source(Source& source, const Blit_Request& request, Gdi_Dc& source_dc, const QRect& source_rect)
{
    const Gdi_Dc& dest = *request.dest;
    source.rows = source_dc.Rows();
    if (source.rows.first == request.dest_rows.first && source_rect.intersects(request.dest_rect))
        Copy_Overlapped_Rows(source, source_rect);
    const bool source_mono = source_dc.Is_Mono();
    const bool dest_mono = dest.Is_Mono();
    source.mono_to_color = source_mono && !dest_mono;
    source.color_to_mono = !source_mono && dest_mono;
    source.text = dest.Surface_Pixel(dest.state.text_color);
    source.back = dest.Surface_Pixel(dest.state.bk_color);
    source.source_back = source_dc.Surface_Pixel(source_dc.state.bk_color);
    source.fourth_byte = dest.Fourth_Byte();
    source.retag = source.fourth_byte != source_dc.Fourth_Byte();
}

BOOL Transfer(HDC dest, int x, int y, int width, int height, HDC source, int x_source, int y_source, int width_source,
              int height_source, std::uint8_t fore, std::uint8_t back, const QImage* mask, QPoint mask_origin)
{
    Gdi_Dc* dest_dc = Gdi_Find_Dc(dest);
    if (!dest_dc)
        return FALSE;
    const bool needs_source = Gdi_Rop_Uses_Source(fore) || Gdi_Rop_Uses_Source(back);
    Gdi_Dc* source_dc = needs_source ? Gdi_Find_Dc(source) : nullptr;
    if (needs_source && !source_dc)
        return FALSE;
    auto [dx, dw, dest_mirrored] = Normalise(x, width);
    auto [dy, dh, dest_flipped] = Normalise(y, height);
    auto [sx, sw, source_mirrored] = Normalise(x_source, width_source);
    auto [sy, sh, source_flipped] = Normalise(y_source, height_source);
    if (dw == 0 || dh == 0 || (needs_source && (sw == 0 || sh == 0)))
        return TRUE;
    Blit_Request request{dest_dc, QRect(dest_dc->To_Device(dx, dy), QSize(dw, dh)), std::nullopt, {}, {}, fore, back, mask, mask_origin,
                         COLORONCOLOR, {}, 0, dest_dc->Rows(), false, 0, nullptr, nullptr, nullptr};
    if (source_dc) {
        const QPoint source_at = source_dc->To_Device(sx, sy);
        Prepare_Source(request.source.emplace(), request, *source_dc, QRect(source_at, QSize(sw, sh)));
        request.x_map = {request.dest_rect.left(), dw, source_at.x(), sw, dest_mirrored != source_mirrored};
        request.y_map = {request.dest_rect.top(), dh, source_at.y(), sh, dest_flipped != source_flipped};
        const int mode = dest_dc->state.stretch_mode;
        if ((mode == BLACKONWHITE || mode == WHITEONBLACK) && (request.x_map.Shrinks() || request.y_map.Shrinks()))
            request.combine_mode = mode;
    }
    return Run_Blit(request);
}

} // namespace

Gdi_Rop_Row Gdi_Rop_Row_For(std::uint8_t code)
{
    static const std::array<Gdi_Rop_Row, 256> table = Rop_Table<false>();
    return table[code];
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int x_source, int y_source, DWORD rop)
{
    const auto code = static_cast<std::uint8_t>(rop >> 16);
    return Transfer(dest, x, y, width, height, source, x_source, y_source, width, height, code, code, nullptr, QPoint());
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int x_source, int y_source, int width_source,
                int height_source, DWORD rop)
{
    const auto code = static_cast<std::uint8_t>(rop >> 16);
    return Transfer(dest, Stretch_Start(x, width), Stretch_Start(y, height), width, height, source,
                    Stretch_Start(x_source, width_source), Stretch_Start(y_source, height_source), width_source,
                    height_source, code, code, nullptr, QPoint());
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop)
{
    const auto code = static_cast<std::uint8_t>(rop >> 16);
    if (Gdi_Rop_Uses_Source(code))
        return FALSE;
    return Transfer(dc, x, y, width, height, nullptr, 0, 0, width, height, code, code, nullptr, QPoint());
}

BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC source, int x_source, int y_source, HBITMAP mask,
             int x_mask, int y_mask, DWORD rop4)
{
    const auto fore = static_cast<std::uint8_t>(rop4 >> 16);
    const auto back = static_cast<std::uint8_t>(rop4 >> 24);
    if (!mask)
        return BitBlt(dest, x, y, width, height, source, x_source, y_source, rop4 & 0x00FFFFFF);
    Gdi_Bitmap* mask_bitmap = Gdi_Find<Gdi_Bitmap>(mask);
    // The mask must be monochrome and cover the whole area.
    if (!mask_bitmap || !mask_bitmap->Is_Mono() || width < 0 || height < 0 || x_mask < 0 || y_mask < 0 ||
        x_mask + width > mask_bitmap->image.width() || y_mask + height > mask_bitmap->image.height())
        return FALSE;
    return Transfer(dest, x, y, width, height, source, x_source, y_source, width, height, fore, back, &mask_bitmap->image,
                    QPoint(x_mask, y_mask));
}
