#include "platform/chart/Series.h"

#include "platform/chart/Chart.h"
#include "platform/chart/TeeFunci.h"
#include "platform/classlib/Class_Registry.h"

namespace {

const bool Series_Registered = [] {
    RegisterClass<TChartSeries>("TChartSeries")
        .Property("ColorEachPoint", Boolean_Type(), &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint,
                  false)
        .Component<TTeeFunction>("FunctionType", &TChartSeries::FunctionType, &TChartSeries::SetFunctionType)
        .Component<TChart>("ParentChart", &TChartSeries::ParentChart, &TChartSeries::SetParentChart)
        .Property("SeriesColor", Color_Type(), &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor, clRed)
        .Property("Title", String_Type(), &TChartSeries::Title, &TChartSeries::SetTitle, "")
        .Object("XValues", &TChartSeries::XValues)
        .Object("YValues", &TChartSeries::YValues)
        // Written inside the chart's block, a series joins that chart.
        .Parent_Rule([](TChartSeries& series, TComponent* parent) {
            auto* chart = dynamic_cast<TChart*>(parent);
            if (!chart)
                throw EPropertyError(series.Name() + " cannot be placed on " + parent->Name());
            series.SetParentChart(chart);
        });
    RegisterComponentClass<TFastLineSeries, TChartSeries>("TFastLineSeries");
    return true;
}();

} // namespace

TFastLineSeries::TFastLineSeries(TComponent* AOwner) : TChartSeries(AOwner)
{
    XValues()->SetOrder(loAscending);
}

void TFastLineSeries::DrawValues(TCanvas& canvas)
{
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetMode(pmCopy);
    for (int i = 0; i < Count(); ++i) {
        const int x = CalcXPos(i);
        const int y = CalcYPos(i);
        if (i == 0) {
            canvas.MoveTo(x, y);
            continue;
        }
        canvas.Pen()->SetColor(ValueColor(i));
        canvas.LineTo(x, y);
    }
}
