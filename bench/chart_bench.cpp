// The spectrum chart after a poll: the 200 points of the carrier and of the
// peak-hold curve rewritten in place and the chart repainted, in
// microseconds.

#include <QApplication>

#include <benchmark/benchmark.h>

#include "platform/chart/Chart.h"
#include "platform/chart/Series.h"
#include "platform/classlib/Forms.h"

namespace {

void Need_Application()
{
    static int argc = 1;
    static char name[] = "chart_bench";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

struct Spectrum_Chart {
    Spectrum_Chart() : form(nullptr)
    {
        form.SetBorderStyle(bsNone);
        form.SetBounds(0, 0, 379, 307);
        chart = new TChart(&form);
        chart->SetParent(&form);
        chart->SetAlign(alClient);
        chart->SetColor(clSilver);
        chart->SetBackColor(clBlack);
        TChartAxis* bottom = chart->BottomAxis();
        bottom->SetAutomatic(false);
        bottom->SetMinMax(2162.125, 2181.975);
        bottom->SetIncrement(1);
        bottom->SetMinorTickCount(4);
        bottom->SetAxisValuesFormat("###0.#MHz");
        TChartAxis* left = chart->LeftAxis();
        left->SetAutomatic(false);
        left->SetMinMax(-40.5, 0.5);
        left->SetIncrement(5);
        left->SetAxisValuesFormat("#,##0.# dBc");
        for (TColor colour : {clLime, clYellow}) {
            auto* series = new TFastLineSeries(&form);
            series->SetSeriesColor(colour);
            series->SetColorEachPoint(colour == clLime);
            series->SetParentChart(chart);
            for (int i = 0; i < 200; ++i)
                series->AddXY(2162.125 + i * 0.09875, -128.0);
            curves.push_back(series);
        }
        form.Show();
        Application->ProcessMessages();
    }
    TForm form;
    TChart* chart;
    std::vector<TFastLineSeries*> curves;
};

void Chart_Redraw_After_A_Poll(benchmark::State& state)
{
    Need_Application();
    Spectrum_Chart spectrum;
    int poll = 0;
    for (auto _ : state) {
        ++poll;
        for (TFastLineSeries* series : spectrum.curves)
            for (int i = 0; i < 200; ++i)
                series->YValues()->SetValue(i, -35.0 + (i * 7 + poll) % 30);
        spectrum.chart->Repaint();
    }
}
BENCHMARK(Chart_Redraw_After_A_Poll)->Unit(benchmark::kMicrosecond);

} // namespace
