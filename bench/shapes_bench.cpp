// Shape painting cost in microseconds: a 100 x 40 octagon outlined and
// drawn as a shape control draws it on every paint, its body showing a
// prepared 16-colour gradient through the mask, with a one-pixel offset
// bevel. The outline is recalculated each time, as after a settings change.

#include <benchmark/benchmark.h>

#include "components/controls/Sclgrapa.h"
#include "components/foundations/Sclutils.h"

namespace {

void Gradient_Octagon_With_Bevel(benchmark::State& state)
{
    const RECT rect{0, 0, 100, 40};
    TBitmap fill;
    fill.SetSize(100, 40);
    SCLGradientPaint(fill.Canvas(), rect, clNavy, clAqua, 16, gstVertical, 0, 0);
    TBitmap target;
    target.SetSize(100, 40);
    target.Canvas()->Brush()->SetColor(clSilver);
    target.Canvas()->FillRect(rect);
    TSCLShapeBevel bevel;
    bevel.Width = 1;
    bevel.Kind = TSCLShapeBevelKind::Offset;
    bevel.LightColor = clWhite;
    bevel.ShadowColor = clGray;
    const TSCLShapeShadow shadow{hssNone, 6, clBtnShadow};
    TBrush brush;
    TSCLPointList outline;
    for (auto _ : state) {
        SCLShapeCalc(rect, stOctagon, nullptr, false, 0, &bevel, &shadow, &outline);
        SCLShapeDraw(rect, target.Canvas(), stOctagon, nullptr, &outline, false, &brush, 0, bevel, &shadow, &fill,
                     clSilver, clWhite);
    }
}
BENCHMARK(Gradient_Octagon_With_Bevel)->Unit(benchmark::kMicrosecond);

} // namespace
