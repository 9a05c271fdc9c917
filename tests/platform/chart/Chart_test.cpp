// The chart: axis mapping both ways, labels in the axis format, manual
// limits, series points and colours, the high function, what it paints,
// and a chart read from form text.

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "platform/chart/Chart.h"
#include "platform/chart/Series.h"
#include "platform/chart/TeeFunci.h"
#include "platform/classlib/Form_Reader.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Window.h"

namespace {

void Pump()
{
    for (int i = 0; i < 3; ++i)
        Application->ProcessMessages();
}

QRgb Rgb_Of(TColor color)
{
    const COLORREF rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

class Chart_Form : public TForm {
public:
    Chart_Form() : TForm(nullptr)
    {
        SetBorderStyle(bsNone);
        SetBounds(20, 20, 379, 300);
        chart = new TChart(this);
        chart->SetParent(this);
        chart->SetAlign(alClient);
        chart->SetColor(clSilver);
        chart->SetBackColor(clBlack);
        chart->SetMargin(TChart::Margin_Bottom, 5);
        chart->SetMargin(TChart::Margin_Left, 1);
        chart->SetMargin(TChart::Margin_Top, 3);
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
        for (TChartAxis* axis : {bottom, left})
            for (TChartAxisPen* pen : {axis->Axis(), axis->Grid(), axis->Ticks()})
                pen->SetColor(clGreen);
        series = new TFastLineSeries(this);
        series->SetSeriesColor(clLime);
        series->SetColorEachPoint(true);
        series->SetParentChart(chart);
    }
    QImage Shown()
    {
        Pump();
        return Window_Widget(Handle())->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    TChart* chart;
    TFastLineSeries* series;
};

struct English_Numbers {
    English_Numbers() { DecimalSeparator = '.'; ThousandSeparator = ','; }
    ~English_Numbers() { DecimalSeparator = decimal; ThousandSeparator = thousand; }
    char decimal = DecimalSeparator;
    char thousand = ThousandSeparator;
};

} // namespace

TEST(Chart, AxesMapValuesToPixelsAndBackAcrossThePlot)
{
    Chart_Form form;
    form.Show();
    const RECT plot = form.chart->ChartRect();
    ASSERT_GT(plot.right - plot.left, 100);
    TChartAxis* bottom = form.chart->BottomAxis();
    TChartAxis* left = form.chart->LeftAxis();
    EXPECT_EQ(bottom->CalcPosValue(2162.125), plot.left);
    EXPECT_EQ(bottom->CalcPosValue(2181.975), plot.right - 1);
    EXPECT_EQ(left->CalcPosValue(0.5), plot.top);
    EXPECT_EQ(left->CalcPosValue(-40.5), plot.bottom - 1);
    for (const int x : {plot.left, (plot.left + plot.right) / 2, plot.right - 1})
        EXPECT_EQ(bottom->CalcPosValue(bottom->CalcPosPoint(x)), x);
    for (const int y : {plot.top, (plot.top + plot.bottom) / 2, plot.bottom - 1})
        EXPECT_EQ(left->CalcPosValue(left->CalcPosPoint(y)), y);
    // A value far outside the limits maps outside the plot, where it is clipped.
    EXPECT_GT(left->CalcPosValue(-128.0), plot.bottom);
}

TEST(Chart, LabelsFollowTheAxisFormatAndTheDecimalSeparator)
{
    English_Numbers english;
    Chart_Form form;
    EXPECT_EQ(form.chart->BottomAxis()->LabelValue(2172.09875), "2172.1MHz");
    EXPECT_EQ(form.chart->BottomAxis()->LabelValue(2172.0), "2172MHz");
    EXPECT_EQ(form.chart->LeftAxis()->LabelValue(-12.34), "-12.3 dBc");
    DecimalSeparator = ',';
    EXPECT_EQ(form.chart->BottomAxis()->LabelValue(750.4), "750,4MHz");
}

TEST(Chart, AnAxisRefusesAMinimumAboveItsMaximum)
{
    Chart_Form form;
    TChartAxis* axis = form.chart->BottomAxis();
    EXPECT_THROW(axis->SetMinimum(2200.0), EChartException);
    EXPECT_THROW(axis->SetMaximum(2000.0), EChartException);
    EXPECT_THROW(axis->SetMinMax(3.0, 2.0), EChartException);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 2162.125);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 2181.975);
    axis->SetMaximum(2300.0);
    axis->SetMinimum(2200.0);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 2200.0);
}

TEST(Chart, LabelsAreThinnedUntilTheyFitAndStayOnTheIncrement)
{
    Chart_Form form;
    form.Show();
    form.chart->ChartRect();
    TCanvas& canvas = *form.chart->Canvas();
    const double step = form.chart->BottomAxis()->Used_Increment(canvas);
    EXPECT_GT(step, 1.0); // twenty 1 MHz labels cannot fit in 379 pixels
    const std::vector<double> values = form.chart->BottomAxis()->Label_Values(canvas);
    ASSERT_GE(values.size(), 2u);
    EXPECT_GE(values.front(), 2162.125);
    EXPECT_LE(values.back(), 2181.975);
    const double ratio = values.front() / step;
    EXPECT_NEAR(ratio, std::round(ratio), 1e-9);
    EXPECT_EQ(form.chart->LeftAxis()->Label_Values(canvas).size(), 9u); // -40 .. 0 by 5
}

TEST(Chart, SeriesKeepPointsColoursAndValuesWrittenInPlace)
{
    Chart_Form form;
    TFastLineSeries& series = *form.series;
    EXPECT_EQ(series.AddXY(1.0, -10.0), 0);
    EXPECT_EQ(series.AddXY(2.0, -20.0, "", clRed), 1);
    EXPECT_EQ(series.Count(), 2);
    EXPECT_EQ(series.ValueColor(0), clLime);
    EXPECT_EQ(series.ValueColor(1), clRed);
    series.SetColorEachPoint(false);
    EXPECT_EQ(series.ValueColor(1), clLime);
    series.YValues()->SetValue(1, -5.0);
    EXPECT_DOUBLE_EQ(series.YValues()->Value(1), -5.0);
    series.Clear();
    EXPECT_EQ(series.Count(), 0);
}

TEST(Chart, TheHighFunctionTakesTheHighestSourceValueAndNothingWithoutSources)
{
    Chart_Form form;
    auto* other = new TFastLineSeries(&form);
    auto* high = new TFastLineSeries(&form);
    auto* function = new THighFunction(&form);
    high->SetFunctionType(function);
    EXPECT_EQ(function->ParentSeries(), high);
    high->AddXY(0.0, 7.0);
    function->ReCalculate(); // no source: the series stays as it is
    EXPECT_EQ(high->Count(), 1);
    for (int i = 0; i < 3; ++i) {
        form.series->AddXY(i, i * 10.0);
        other->AddXY(i, 15.0);
    }
    function->AddDataSource(form.series);
    function->AddDataSource(other);
    function->ReCalculate();
    ASSERT_EQ(high->Count(), 3);
    EXPECT_DOUBLE_EQ(high->YValues()->Value(0), 15.0);
    EXPECT_DOUBLE_EQ(high->YValues()->Value(2), 20.0);
    delete other; // a freed source leaves the function
    EXPECT_EQ(function->DataSources().size(), 1u);
    delete function;
    EXPECT_EQ(high->FunctionType(), nullptr);
}

TEST(Chart, PaintsPanelPlotGridAxisAndTheLineInTheirColours)
{
    Chart_Form form;
    form.Show();
    const RECT plot = form.chart->ChartRect();
    const int mid_y = (plot.top + plot.bottom) / 2;
    // A flat line at -20 dBc across the plot, its middle point in red.
    for (int i = 0; i < 200; ++i) {
        const double x = 2162.125 + i * 0.09975;
        form.series->AddXY(x, -20.0, "", i == 100 ? clRed : clChartDefault);
    }
    const QImage shown = form.Shown();
    const int line_y = form.chart->LeftAxis()->CalcPosValue(-20.0);
    EXPECT_EQ(shown.pixel(1, 1), Rgb_Of(clSilver));
    EXPECT_EQ(shown.pixel(plot.left + 3, mid_y + 3), Rgb_Of(clBlack));
    EXPECT_EQ(shown.pixel(plot.left + 10, line_y), Rgb_Of(clLime));
    const int red_x = form.series->CalcXPos(100);
    EXPECT_EQ(shown.pixel(red_x - 1, line_y), Rgb_Of(clRed)); // the segment ending there
    EXPECT_EQ(shown.pixel(plot.left - 1, mid_y), Rgb_Of(clGreen)); // left axis line
    EXPECT_EQ(shown.pixel((plot.left + plot.right) / 2, plot.bottom), Rgb_Of(clGreen)); // bottom axis line
    // A grid line at -20 dBc lies under the curve; the one at -10 dBc shows.
    const int grid_y = form.chart->LeftAxis()->CalcPosValue(-10.0);
    int green = 0;
    for (int x = plot.left; x < plot.right; ++x)
        green += shown.pixel(x, grid_y) == Rgb_Of(clGreen);
    EXPECT_GT(green, (plot.right - plot.left) / 4);
}

TEST(Chart, PointsBelowTheAxisAreClippedToThePlot)
{
    Chart_Form form;
    form.Show();
    const RECT plot = form.chart->ChartRect();
    form.series->AddXY(2165.0, -128.0);
    form.series->AddXY(2175.0, -128.0);
    const QImage shown = form.Shown();
    for (int y = plot.bottom + 1; y < shown.height(); ++y)
        ASSERT_NE(shown.pixel(form.series->CalcXPos(0) + 5, y), Rgb_Of(clLime)) << y;
}

TEST(Chart, AChartIsReadFromFormTextWithItsAxesSeriesAndFunction)
{
    const char* text = R"(object Form_Chart: TForm
  Left = 0
  Top = 0
  Width = 379
  Height = 300
  object ChartSpectrum: TChart
    Left = 0
    Top = 0
    Width = 379
    Height = 300
    BackWall.Color = clBlack
    Legend.Visible = False
    Title.Visible = False
    View3D = False
    AllowZoom = False
    AllowPanning = False
    MarginBottom = 5
    MarginLeft = 1
    MarginTop = 3
    BottomAxis.Automatic = False
    BottomAxis.AutomaticMaximum = False
    BottomAxis.AutomaticMinimum = False
    BottomAxis.Maximum = 9.975
    BottomAxis.Minimum = -9.875
    BottomAxis.Increment = 1
    BottomAxis.MinorTickCount = 4
    BottomAxis.AxisValuesFormat = '###0.#MHz'
    BottomAxis.Axis.Color = clGreen
    BottomAxis.Grid.Color = clGreen
    BottomAxis.Visible = False
    LeftAxis.Automatic = False
    LeftAxis.AutomaticMaximum = False
    LeftAxis.AutomaticMinimum = False
    LeftAxis.Minimum = -40.5
    LeftAxis.Maximum = 0.5
    LeftAxis.Increment = 5
    LeftAxis.AxisValuesFormat = '#,##0.# dBc'
    Color = clSilver
    object Series1: TFastLineSeries
      Title = 'Carrier'
      SeriesColor = clLime
      ColorEachPoint = True
      XValues.Order = loAscending
      YValues.Order = loNone
      object HighFunction1: THighFunction
      end
    end
    object Series2: TFastLineSeries
      Title = 'Max hold'
      SeriesColor = clYellow
    end
  end
end
)";
    TForm form(nullptr);
    ReadComponentText(text, "Form_Chart", &form, TForm_Table {});
    auto* chart = dynamic_cast<TChart*>(form.FindComponent("ChartSpectrum"));
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->BackColor(), clBlack);
    EXPECT_FALSE(chart->Legend()->Visible());
    EXPECT_FALSE(chart->View3D());
    EXPECT_EQ(chart->Margin(TChart::Margin_Bottom), 5);
    EXPECT_DOUBLE_EQ(chart->BottomAxis()->Minimum(), -9.875);
    EXPECT_DOUBLE_EQ(chart->BottomAxis()->Maximum(), 9.975);
    EXPECT_FALSE(chart->BottomAxis()->Visible());
    EXPECT_DOUBLE_EQ(chart->LeftAxis()->Minimum(), -40.5);
    EXPECT_EQ(chart->LeftAxis()->AxisValuesFormat(), "#,##0.# dBc");
    ASSERT_EQ(chart->SeriesCount(), 2);
    EXPECT_EQ(chart->Series(0)->Title(), "Carrier");
    EXPECT_TRUE(chart->Series(0)->ColorEachPoint());
    EXPECT_EQ(chart->Series(1)->SeriesColor(), clYellow);
    EXPECT_NE(dynamic_cast<THighFunction*>(chart->Series(0)->FunctionType()), nullptr);
}
