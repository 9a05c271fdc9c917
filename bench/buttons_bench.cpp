// Hover over a shape button filled with a gradient and carrying a caption:
// one mouse move onto the button and one off it, each repainting the face
// at once as the state machine does, in microseconds per enter and leave.

#include <QApplication>

#include <benchmark/benchmark.h>

#include "components/controls/SCLShapeButton.h"
#include "components/foundations/Sclclass.h"
#include "platform/classlib/Forms.h"

namespace {

// One application for every run of the benchmark, made on first use.
void Need_Application()
{
    static int argc = 1;
    static char name[] = "buttons_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

void Shape_Button_Hover(benchmark::State& state)
{
    Need_Application();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* button = new TSCLShapeButton(&form);
    button->SetBounds(20, 20, 120, 40);
    button->SetParent(&form);
    button->SetMode(sbmShapeFill);
    button->SetShapeStyle(sbs3D);
    button->ShapeFill()->SetFillStyle(sfGradient);
    button->ShapeFill()->Gradient()->SetColor(clWhite);
    button->ShapeFill()->Gradient()->SetEndColor(clSilver);
    button->Shape()->SetShape(stRoundRect);
    button->SetAllowMouseOver(true);
    button->SetEnterColorChange(true);
    button->SetEnterColor(clBlue);
    button->SetCaption("&AMU 1");
    button->Font()->SetStyle(TFontStyles{fsBold});
    form.Show();
    Application->ProcessMessages();
    const HWND window = form.Handle();
    for (auto _ : state) {
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(80, 40)); // enter: repaint
        SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(180, 80)); // off the button
        button->Perform(CM_MOUSELEAVE, 0, 0);                        // leave: repaint
    }
    SCLApplication->TimerPool()->UpdateMainTimer(false);
}

} // namespace

BENCHMARK(Shape_Button_Hover)->Unit(benchmark::kMicrosecond);
