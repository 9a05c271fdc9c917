// GDI transfer speed over a 1024 x 768 RGB32 surface, against a plain memcpy
// of the same bytes in the same run: SRCCOPY should reach half the memcpy's
// speed and a general raster code a quarter. Bytes are the surface's size.

#include <benchmark/benchmark.h>

#include "platform/winapi/Gdi.h"
#include "platform/winapi/Gdi_Dc.h"

#include <QImage>

#include <cstring>

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

void Set_Bytes(benchmark::State& state) { state.SetBytesProcessed(state.iterations() * Surface_Bytes); }

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

void Blit(benchmark::State& state, DWORD rop)
{
    QImage source = Surface(0xFF123456u);
    QImage dest = Surface(0xFF00FF00u);
    HDC source_dc = Create_Image_DC(&source);
    HDC dest_dc = Create_Image_DC(&dest);
    HBRUSH brush = CreateSolidBrush(0x808080);
    SelectObject(dest_dc, brush);
    for (auto _ : state) {
        BitBlt(dest_dc, 0, 0, Width, Height, source_dc, 0, 0, rop);
        benchmark::ClobberMemory();
    }
    Set_Bytes(state);
    DeleteDC(dest_dc);
    DeleteDC(source_dc);
    DeleteObject(brush);
}

void BitBlt_Srccopy(benchmark::State& state) { Blit(state, SRCCOPY); }
BENCHMARK(BitBlt_Srccopy);

void BitBlt_General_Code(benchmark::State& state) { Blit(state, 0x00E20746); }
BENCHMARK(BitBlt_General_Code);

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

} // namespace
