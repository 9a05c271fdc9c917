// Drawing-utility costs in microseconds: a 32 x 32 glyph drawn transparently
// (mask and image made, then the AND and OR passes), as every button glyph
// and transparent image is drawn, and a 16-colour gradient over 200 x 30, the
// size of a panel title. Both draw onto a canvas over a plain surface, as a
// control paints into its window's back store.

#include <benchmark/benchmark.h>

#include <QImage>

#include "components/foundations/Sclutils.h"
#include "platform/winapi/Gdi_Dc.h"

namespace {

// A canvas over a QImage, like a window's paint canvas.
class Surface_Canvas {
public:
    Surface_Canvas(int width, int height) : image(width, height, QImage::Format_RGB32)
    {
        image.fill(0xFFC0C0C0u);
        dc = Create_Image_DC(&image);
        canvas.SetHandle(dc);
    }
    ~Surface_Canvas()
    {
        canvas.SetHandle(nullptr);
        DeleteDC(dc);
    }
    Surface_Canvas(const Surface_Canvas&) = delete;
    Surface_Canvas& operator=(const Surface_Canvas&) = delete;

    TCanvas canvas;

private:
    QImage image;
    HDC dc;
};

void Transparent_Glyph_32(benchmark::State& state)
{
    TBitmap glyph;
    SCLBmpCreateFromRect(&glyph, RECT{0, 0, 32, 32}, clFuchsia);
    glyph.Canvas()->Brush()->SetColor(clNavy);
    glyph.Canvas()->FillRect(RECT{4, 4, 28, 28});
    Surface_Canvas target(64, 64);
    RECT painted;
    for (auto _ : state)
        SCLBmpDraw(&target.canvas, RECT{16, 16, 48, 48}, &glyph, SCLBD_TRANSPARENT, clFuchsia, painted);
}
BENCHMARK(Transparent_Glyph_32)->Unit(benchmark::kMicrosecond);

void Gradient_16_Colours(benchmark::State& state)
{
    Surface_Canvas target(200, 30);
    for (auto _ : state)
        SCLGradientPaint(&target.canvas, RECT{0, 0, 200, 30}, clNavy, clAqua, 16,
                         static_cast<TSCLGradientStyle>(state.range(0)), 0, 0);
}
BENCHMARK(Gradient_16_Colours)->Arg(gstHorizontal)->Arg(gstElliptic)->Unit(benchmark::kMicrosecond);

} // namespace
