// A full repaint of a back panel holding 100 transparent windowless
// controls, each copying the background under it from the panel's back
// bitmap: the cost of one WM_PAINT of a screen tile of transparent
// controls, in microseconds.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

#include "components/controls/SCLBackPanel.h"
#include "components/controls/Sclbasegraphiccontrol.h"
#include "platform/classlib/Forms.h"

namespace {

// Paints only the background its parent offers under it.
class Transparent_Box : public TSCLBaseGraphicControl {
public:
    explicit Transparent_Box(TWinControl* parent) : TSCLBaseGraphicControl(parent) { SetParent(parent); }

protected:
    void Paint() override
    {
        TSCLBackProvider* provider = SCLParentBackProvider(this);
        if (!CheckOptimized() || !provider ||
            !provider->BackDrawArea(Canvas(), ClientRect(), POINT{Left(), Top()}, 0))
            FillControl();
    }
};

// One application for every run of the benchmark, made on first use.
void Need_Application()
{
    static int argc = 1;
    static char name[] = "panels_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

// A 64 x 64 picture of vertical stripes for the panel to tile.
std::unique_ptr<TBitmap> Stripes()
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(64, 64);
    for (int x = 0; x < 64; ++x) {
        bitmap->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(x * 4, 255 - x * 4, 128)));
        bitmap->Canvas()->FillRect(RECT{x, 0, x + 1, 64});
    }
    return bitmap;
}

void Back_Panel_Repaint(benchmark::State& state)
{
    Need_Application();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 800, 600);
    auto* list = new TSCLBitmapList(&form);
    list->Add();
    list->Items(0)->SetBitmap(Stripes().get());
    auto* panel = new TSCLBackPanel(&form);
    panel->SetBounds(0, 0, 800, 600);
    panel->SetParent(&form);
    panel->SetImageList(list);
    for (int i = 0; i < 100; ++i) {
        auto* box = new Transparent_Box(panel);
        box->SetBounds((i % 10) * 80, (i / 10) * 60, 78, 58);
    }
    form.Show();
    Application->ProcessMessages();
    for (auto _ : state) {
        InvalidateRect(panel->Handle(), nullptr, TRUE);
        UpdateWindow(panel->Handle());
    }
}

} // namespace

BENCHMARK(Back_Panel_Repaint)->Unit(benchmark::kMicrosecond);
