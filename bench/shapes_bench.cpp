// Shape painting cost in microseconds: a 100 x 40 octagon outlined and
// drawn as a shape control draws it on every paint, its body showing a
// prepared 16-colour gradient through the mask, with a one-pixel offset
// bevel. The outline is recalculated each time, as after a settings change.

#include <benchmark/benchmark.h>

#include "components/controls/SCLShapeControl.h"
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

// A shape control's paint of the same octagon as the forms set it: the
// gradient and the shape over it are prepared once (the first paint), then
// each paint copies the shape keyed on the control's colour.
void Shape_Control_Paint(benchmark::State& state)
{
    TSCLShapeControl shape(nullptr);
    shape.SetBounds(0, 0, 100, 40);
    shape.SetColor(clSilver);
    shape.SetShape(stOctagon);
    shape.SetMode(scmShapeFill);
    shape.Shadow()->SetStyle(hssNone);
    shape.Bevel()->SetStyle(sbOffset);
    shape.Bevel()->SetWidth(1);
    shape.ShapeFill()->Gradient()->SetColor(clNavy);
    shape.ShapeFill()->Gradient()->SetEndColor(clAqua);
    shape.ShapeFill()->SetFillStyle(sfGradient);
    TBitmap target;
    target.SetSize(100, 40);
    for (auto _ : state)
        shape.PaintToCanvas(target.Canvas());
}
BENCHMARK(Shape_Control_Paint)->Unit(benchmark::kMicrosecond);

} // namespace
