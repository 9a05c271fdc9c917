// GDI transfer speed over a 1024 x 768 RGB32 surface and over a control-sized
// 200 x 30 one, against a plain memcpy of the same bytes in the same run:
// SRCCOPY should reach half the memcpy's speed; every ternary code a quarter
// with a colour source and 0.15 with a monochrome source or a pattern brush.
// A call on a DIB section whose memory was handed out costs what it costs
// on any bitmap, whatever the section's depth and row order. Bytes are the
// destination area's size. Figures (polygons, lines) are timed per call on a
// control-sized surface.

#include <benchmark/benchmark.h>

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Dc.h"

#include <QImage>

#include <cstring>
#include <functional>

namespace {

constexpr int Width = 1024;
constexpr int Height = 768;
constexpr std::int64_t Surface_Bytes = std::int64_t(Width) * Height * 4;

QImage Surface(QRgb fill)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Set_Bytes(benchmark::State& state, int width = Width, int height = Height)
{
    state.SetBytesProcessed(state.iterations() * std::int64_t(width) * height * 4);
}

void Memcpy_Surface(benchmark::State& state)
{
    QImage source = Surface(0xFF123456u);
    QImage dest = Surface(0xFF000000u);
    for (auto _ : state) {
        std::memcpy(dest.bits(), source.constBits(), static_cast<std::size_t>(Surface_Bytes));
        benchmark::ClobberMemory();
    }
    Set_Bytes(state);
}
BENCHMARK(Memcpy_Surface);

enum class Source_Kind { Colour, Mono, None };
enum class Brush_Kind { Solid, Hatched, Pattern };

// A memory DC over a bitmap of the given kind, filled with a two-colour check.
struct Memory_Source {
    Memory_Source(Source_Kind kind, int width, int height)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = kind == Source_Kind::Mono ? CreateBitmap(width, height, 1, 1, nullptr) : Colour_Bitmap(width, height);
        old = SelectObject(dc, bitmap);
        HBRUSH check = CreateHatchBrush(HS_DIAGCROSS, 0x000000);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, check);
        DeleteObject(check);
    }
    ~Memory_Source()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    static HBITMAP Colour_Bitmap(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        HBITMAP made = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        return made;
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
};

HBRUSH Make_Brush(Brush_Kind kind)
{
    switch (kind) {
    case Brush_Kind::Hatched:
        return CreateHatchBrush(HS_CROSS, 0x0000FF);
    case Brush_Kind::Pattern: {
        const unsigned char bits[16] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0};
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
        HBRUSH brush = CreatePatternBrush(pattern);
        DeleteObject(pattern);
        return brush;
    }
    case Brush_Kind::Solid:
        break;
    }
    return CreateSolidBrush(0x808080);
}

void Blit(benchmark::State& state, DWORD rop, Source_Kind source_kind, Brush_Kind brush_kind, int width, int height)
{
    Memory_Source source(source_kind, width, height);
    QImage dest(width, height, QImage::Format_RGB32);
    dest.fill(0xFF00FF00u);
    HDC dest_dc = Create_Image_DC(&dest);
    HBRUSH brush = Make_Brush(brush_kind);
    SelectObject(dest_dc, brush);
    SetTextColor(dest_dc, 0x000080);
    SetBkColor(dest_dc, 0xC0C0C0);
    for (auto _ : state) {
        BitBlt(dest_dc, 0, 0, width, height, source.dc, 0, 0, rop);
        benchmark::ClobberMemory();
    }
    Set_Bytes(state, width, height);
    DeleteDC(dest_dc);
    DeleteObject(brush);
}

constexpr DWORD general_code = 0x00E20746; // destination where the source is clear, pattern where set

void BitBlt_Srccopy(benchmark::State& state) { Blit(state, SRCCOPY, Source_Kind::Colour, Brush_Kind::Solid, Width, Height); }
BENCHMARK(BitBlt_Srccopy);

void BitBlt_General_Code(benchmark::State& state) { Blit(state, general_code, Source_Kind::Colour, Brush_Kind::Solid, Width, Height); }
BENCHMARK(BitBlt_General_Code);

void BitBlt_General_Code_Mono_Source(benchmark::State& state) { Blit(state, general_code, Source_Kind::Mono, Brush_Kind::Solid, Width, Height); }
BENCHMARK(BitBlt_General_Code_Mono_Source);

void BitBlt_General_Code_Hatched_Brush(benchmark::State& state)
{
    Blit(state, general_code, Source_Kind::Colour, Brush_Kind::Hatched, Width, Height);
}
BENCHMARK(BitBlt_General_Code_Hatched_Brush);

void BitBlt_General_Code_Pattern_Brush(benchmark::State& state)
{
    Blit(state, general_code, Source_Kind::Colour, Brush_Kind::Pattern, Width, Height);
}
BENCHMARK(BitBlt_General_Code_Pattern_Brush);

void PatBlt_Patinvert_Pattern_Brush(benchmark::State& state) { Blit(state, PATINVERT, Source_Kind::None, Brush_Kind::Pattern, Width, Height); }
BENCHMARK(PatBlt_Patinvert_Pattern_Brush);

// Control-sized blits: the fixed cost of a call shows here.
constexpr int Control_Width = 200;
constexpr int Control_Height = 30;

void Memcpy_Control(benchmark::State& state)
{
    QImage source(Control_Width, Control_Height, QImage::Format_RGB32);
    QImage dest(Control_Width, Control_Height, QImage::Format_RGB32);
    source.fill(0xFF123456u);
    for (auto _ : state) {
        std::memcpy(dest.bits(), source.constBits(), static_cast<std::size_t>(source.sizeInBytes()));
        benchmark::ClobberMemory();
    }
    Set_Bytes(state, Control_Width, Control_Height);
}
BENCHMARK(Memcpy_Control);

void BitBlt_Srccopy_Control(benchmark::State& state)
{
    Blit(state, SRCCOPY, Source_Kind::Colour, Brush_Kind::Solid, Control_Width, Control_Height);
}
BENCHMARK(BitBlt_Srccopy_Control);

void BitBlt_General_Code_Control(benchmark::State& state)
{
    Blit(state, general_code, Source_Kind::Colour, Brush_Kind::Solid, Control_Width, Control_Height);
}
BENCHMARK(BitBlt_General_Code_Control);

void BitBlt_General_Code_Mono_Source_Control(benchmark::State& state)
{
    Blit(state, general_code, Source_Kind::Mono, Brush_Kind::Solid, Control_Width, Control_Height);
}
BENCHMARK(BitBlt_General_Code_Mono_Source_Control);

void BitBlt_General_Code_Pattern_Brush_Control(benchmark::State& state)
{
    Blit(state, general_code, Source_Kind::Colour, Brush_Kind::Pattern, Control_Width, Control_Height);
}
BENCHMARK(BitBlt_General_Code_Pattern_Brush_Control);

// A blit into a 32-bit DIB section whose memory the caller holds: the same
// cost as into any surface, no conversion around the call.
void BitBlt_Srccopy_Into_Handed_Out_Dib(benchmark::State& state)
{
    QImage source = Surface(0xFF123456u);
    HDC source_dc = Create_Image_DC(&source);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dest_dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dest_dc, section);
    for (auto _ : state) {
        BitBlt(dest_dc, 0, 0, Width, Height, source_dc, 0, 0, SRCCOPY);
        static_cast<std::uint32_t*>(bits)[0] ^= 1; // the caller writes the memory between calls
        benchmark::ClobberMemory();
    }
    Set_Bytes(state);
    SelectObject(dest_dc, old);
    DeleteObject(section);
    DeleteDC(dest_dc);
    DeleteDC(source_dc);
}
BENCHMARK(BitBlt_Srccopy_Into_Handed_Out_Dib);

// A control-sized blit and fill into a 1024 x 768 bitmap of each layout: an
// ordinary bitmap, then DIB sections whose memory the caller holds and
// writes between calls (32 bits top-down; 24 bits top-down and bottom-up;
// 32 bits bottom-up). Every section is drawn in its own memory, so each
// costs about what it costs on the ordinary bitmap.
enum class Layout { Plain, Dib32, Dib24, Dib24_Bottom_Up, Dib32_Bottom_Up };

HBITMAP Make_Layout(Layout layout, void** bits)
{
    if (layout == Layout::Plain)
        return Memory_Source::Colour_Bitmap(Width, Height);
    const bool bottom_up = layout == Layout::Dib24_Bottom_Up || layout == Layout::Dib32_Bottom_Up;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, bottom_up ? Height : -Height, 1, WORD(layout == Layout::Dib32 || layout == Layout::Dib32_Bottom_Up ? 32 : 24),
                      BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

void Control_Calls_Into_Layout(benchmark::State& state, const std::function<void(HDC)>& call)
{
    void* bits = nullptr;
    HBITMAP bitmap = Make_Layout(static_cast<Layout>(state.range(0)), &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (auto _ : state) {
        call(dc);
        if (bits)
            static_cast<unsigned char*>(bits)[0] ^= 1; // the caller writes the memory between calls
        benchmark::ClobberMemory();
    }
    Set_Bytes(state, Control_Width, Control_Height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void BitBlt_Srccopy_Control_Into_Layout(benchmark::State& state)
{
    Memory_Source source(Source_Kind::Colour, Control_Width, Control_Height);
    Control_Calls_Into_Layout(state, [&](HDC dc) { BitBlt(dc, 300, 200, Control_Width, Control_Height, source.dc, 0, 0, SRCCOPY); });
}
BENCHMARK(BitBlt_Srccopy_Control_Into_Layout)->DenseRange(0, 4);

// A call that reads the destination too: on a 24-bit section the operation
// works on the memory's bytes, with the source and pattern packed alike.
void BitBlt_General_Code_Control_Into_Layout(benchmark::State& state)
{
    Memory_Source source(Source_Kind::Colour, Control_Width, Control_Height);
    HBRUSH brush = CreateSolidBrush(0x808080);
    Control_Calls_Into_Layout(state, [&](HDC dc) {
        SelectObject(dc, brush);
        BitBlt(dc, 300, 200, Control_Width, Control_Height, source.dc, 0, 0, general_code);
    });
    DeleteObject(brush);
}
BENCHMARK(BitBlt_General_Code_Control_Into_Layout)->DenseRange(0, 4);

void FillRect_Control_Into_Layout(benchmark::State& state)
{
    HBRUSH brush = CreateSolidBrush(0x0000FF);
    const RECT control{300, 200, 300 + Control_Width, 200 + Control_Height};
    Control_Calls_Into_Layout(state, [&](HDC dc) { FillRect(dc, &control, brush); });
    DeleteObject(brush);
}
BENCHMARK(FillRect_Control_Into_Layout)->DenseRange(0, 4);

void FillRect_Surface(benchmark::State& state)
{
    QImage dest = Surface(0xFF000000u);
    HDC dc = Create_Image_DC(&dest);
    HBRUSH brush = CreateSolidBrush(0x0000FF);
    const RECT all{0, 0, Width, Height};
    for (auto _ : state) {
        FillRect(dc, &all, brush);
        benchmark::ClobberMemory();
    }
    Set_Bytes(state);
    DeleteDC(dc);
    DeleteObject(brush);
}
BENCHMARK(FillRect_Surface);

// ---- Shapes: a 100 x 40 octagon, as the library's shape controls draw them ----

const POINT octagon[] = {{12, 0}, {88, 0}, {100, 12}, {100, 28}, {88, 40}, {12, 40}, {0, 28}, {0, 12}};

// A pen and brush on a 100 x 40 surface, for one figure call per iteration.
void Shape(benchmark::State& state, int pen_style, const std::function<void(HDC)>& draw)
{
    QImage dest(101, 41, QImage::Format_RGB32);
    dest.fill(0xFFC0C0C0u);
    HDC dc = Create_Image_DC(&dest);
    HPEN pen = CreatePen(pen_style, 1, 0xFFFFFF);
    HBRUSH brush = CreateSolidBrush(0x800000);
    HGDIOBJ old_pen = SelectObject(dc, pen);
    HGDIOBJ old_brush = SelectObject(dc, brush);
    for (auto _ : state) {
        draw(dc);
        benchmark::ClobberMemory();
    }
    SelectObject(dc, old_pen);
    SelectObject(dc, old_brush);
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteDC(dc);
}

void Polygon_Octagon(benchmark::State& state)
{
    Shape(state, PS_SOLID, [](HDC dc) { Polygon(dc, octagon, 8); });
}
BENCHMARK(Polygon_Octagon)->Unit(benchmark::kMicrosecond);

void Polygon_Octagon_Without_Pen(benchmark::State& state)
{
    Shape(state, PS_NULL, [](HDC dc) { Polygon(dc, octagon, 8); });
}
BENCHMARK(Polygon_Octagon_Without_Pen)->Unit(benchmark::kMicrosecond);

void Polyline_Octagon(benchmark::State& state)
{
    Shape(state, PS_SOLID, [](HDC dc) { Polyline(dc, octagon, 8); });
}
BENCHMARK(Polyline_Octagon)->Unit(benchmark::kMicrosecond);

void LineTo_Diagonal(benchmark::State& state)
{
    Shape(state, PS_DOT, [](HDC dc) {
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 100, 40);
    });
}
BENCHMARK(LineTo_Diagonal)->Unit(benchmark::kMicrosecond);

} // namespace
