// A full repaint of a window holding 200 windowless controls, each filling
// its rectangle and drawing a 10-character text: the cost of one WM_PAINT
// of a busy form, in microseconds.

#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"

namespace {

class Text_Box : public TGraphicControl {
public:
    explicit Text_Box(TWinControl* parent) : TGraphicControl(parent) { SetParent(parent); }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(clSilver);
        Canvas()->FillRect(ClientRect());
        Canvas()->TextOut(2, 2, "Channel 12");
    }
};

// One application for every run of the benchmark, made on first use.
void Need_Application()
{
    static int argc = 1;
    static char name[] = "controls_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

void Full_Repaint(benchmark::State& state)
{
    Need_Application();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 800, 600);
    for (int i = 0; i < 200; ++i) {
        auto* box = new Text_Box(&form);
        box->SetBounds((i % 10) * 80, (i / 10) * 30, 78, 28);
    }
    form.Show();
    Application->ProcessMessages();
    for (auto _ : state) {
        InvalidateRect(form.Handle(), nullptr, TRUE);
        UpdateWindow(form.Handle());
    }
}

} // namespace

BENCHMARK(Full_Repaint)->Unit(benchmark::kMicrosecond);
