// LZRW speed on a 1 MB bitmap-like stream, through the compressed stream
// routines the library's lists use. Bytes per second are reported as MB/s.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "components/foundations/Sclstreamutils.h"

namespace {

constexpr int Width = 512;
constexpr int Height = 512;
constexpr int Pixel_Bytes = 4;

// A 512 x 512 32-bit picture: flat panels, a vertical gradient, framed
// buttons and a noisy photo-like corner, as the library's stored bitmaps mix.
std::vector<std::uint8_t> Bitmap_Like()
{
    std::vector<std::uint8_t> pixels(Width * Height * Pixel_Bytes);
    std::uint32_t seed = 2024;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            std::uint8_t* p = &pixels[static_cast<std::size_t>((y * Width + x) * Pixel_Bytes)];
            seed = seed * 1664525u + 1013904223u;
            std::uint8_t b = 0xC0, g = 0xC0, r = 0xC0;
            if (y < 64) {
                b = static_cast<std::uint8_t>(0x80 + y);
                g = r = static_cast<std::uint8_t>(y * 2);
            } else if (x % 128 < 4 || y % 96 < 2) {
                b = g = r = 0x80;
            } else if (x >= 384 && y >= 384) {
                b = static_cast<std::uint8_t>((x + (seed >> 28)) & 0xFF);
                g = static_cast<std::uint8_t>((y + (seed >> 26)) & 0xFF);
                r = static_cast<std::uint8_t>(seed >> 24);
            }
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = 0;
        }
    }
    return pixels;
}

void Fill(TMemoryStream& stream, const std::vector<std::uint8_t>& bytes)
{
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

void BM_LZRW_Compress(benchmark::State& state)
{
    const auto pixels = Bitmap_Like();
    TMemoryStream source;
    Fill(source, pixels);
    TMemoryStream packed;
    for (auto _ : state) {
        source.SetPosition(0);
        packed.Clear();
        SaveCompressedStream(source, packed, source.Size());
        benchmark::DoNotOptimize(packed.Memory());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pixels.size()));
    state.counters["ratio"] = static_cast<double>(packed.Size()) / static_cast<double>(pixels.size());
}
BENCHMARK(BM_LZRW_Compress)->Unit(benchmark::kMillisecond);

void BM_LZRW_Decompress(benchmark::State& state)
{
    const auto pixels = Bitmap_Like();
    TMemoryStream source;
    Fill(source, pixels);
    TMemoryStream packed;
    SaveCompressedStream(source, packed, source.Size());
    TMemoryStream unpacked;
    for (auto _ : state) {
        packed.SetPosition(0);
        unpacked.Clear();
        LoadCompressedStream(packed, unpacked);
        benchmark::DoNotOptimize(unpacked.Memory());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pixels.size()));
}
BENCHMARK(BM_LZRW_Decompress)->Unit(benchmark::kMillisecond);

} // namespace
