// Eight segmented level meters of a screen (32 segments, each coloured by
// the owner, as the received-level bars are) each given a new value that
// changes its lit segments, and so redrawn at once: the cost of one poll's
// meter update, in microseconds.

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>

#include "components/controls/SCLProgress.h"
#include "platform/classlib/Forms.h"

namespace {

// One application for every run of the benchmark, made on first use.
void Need_Application()
{
    static int argc = 1;
    static char name[] = "meters_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

TSCLProgress* Level_Meter(TForm& form, int index)
{
    auto* meter = new TSCLProgress(&form);
    meter->SetColor(clWhite);
    meter->Bevel()->SetMode(bmCustom);
    meter->Bevel()->SetBevelStyleOuter(bvShadow);
    meter->SmallBar()->SetAutoSize(false);
    meter->SmallBar()->SetByte(0, 32);
    meter->SmallBar()->SetByte(1, 1);
    meter->SmallBar()->SetByte(2, 1);
    meter->SetStyle(pgSmallBarColor);
    meter->SetMinValue(-40);
    meter->SetMaxValue(127);
    meter->OnGetColor = [](TObject*, BYTE nr, TColor& color) {
        color = nr < 10 ? clRed : nr < 20 ? clYellow : clLime;
    };
    meter->SetBounds(10, 10 + index * 20, 200, 14);
    meter->SetParent(&form);
    return meter;
}

void Segmented_Meters_New_Value(benchmark::State& state)
{
    Need_Application();
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 240, 200);
    std::array<TSCLProgress*, 8> meters{};
    for (int i = 0; i < 8; ++i)
        meters[static_cast<std::size_t>(i)] = Level_Meter(form, i);
    form.Show();
    Application->ProcessMessages();
    bool high = false;
    for (auto _ : state) {
        high = !high;
        for (TSCLProgress* meter : meters)
            meter->SetUserValue(high ? 100 : -20);
    }
    state.counters["draws"] = meters[0]->BarDraws();
}

} // namespace

BENCHMARK(Segmented_Meters_New_Value)->Unit(benchmark::kMicrosecond);
