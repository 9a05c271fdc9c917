#include "platform/chart/TeEngine.h"

#include "platform/chart/Chart.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/SysUtils.h"
#include "platform/winapi/Cursor.h"

#include <algorithm>
#include <cmath>

double TChartValueList::MinValue() const
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double TChartValueList::MaxValue() const
{
    return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
}

// ---- Axis pens ---------------------------------------------------------------

void TChartAxisPen::SetColor(TColor value)
{
    if (value == color)
        return;
    color = value;
    if (owner)
        owner->Invalidate();
}

void TChartAxisPen::SetVisible(bool value)
{
    if (value == visible)
        return;
    visible = value;
    if (owner)
        owner->Invalidate();
}

// ---- Axes ----------------------------------------------------------------------

TChartAxis::TChartAxis(TChart* chart, bool horizontal) : chart(chart), horizontal(horizontal)
{
    for (TChartAxisPen* pen : {&axis_pen, &grid_pen, &ticks_pen, &minor_ticks_pen})
        pen->Set_Owner(chart);
}

void TChartAxis::Changed()
{
    if (chart)
        chart->Invalidate();
}

void TChartAxis::SetVisible(bool value)
{
    if (value != visible) {
        visible = value;
        Changed();
    }
}

void TChartAxis::SetAutomatic(bool value)
{
    automatic = value;
    automatic_minimum = value;
    automatic_maximum = value;
    Changed();
}

void TChartAxis::SetAutomaticMinimum(bool value)
{
    automatic_minimum = value;
    Changed();
}

void TChartAxis::SetAutomaticMaximum(bool value)
{
    automatic_maximum = value;
    Changed();
}

void TChartAxis::SetMinimum(double value)
{
    if (value > maximum)
        throw EChartException("Axis minimum " + FloatToStr(value) + " lies above its maximum " + FloatToStr(maximum));
    minimum = value;
    Changed();
}

void TChartAxis::SetMaximum(double value)
{
    if (value < minimum)
        throw EChartException("Axis maximum " + FloatToStr(value) + " lies below its minimum " + FloatToStr(minimum));
    maximum = value;
    Changed();
}

void TChartAxis::SetMinMax(double min, double max)
{
    if (min > max)
        throw EChartException("Axis minimum " + FloatToStr(min) + " lies above its maximum " + FloatToStr(max));
    minimum = min;
    maximum = max;
    Changed();
}

double TChartAxis::Used_Minimum() const
{
    if (!(automatic && automatic_minimum) || !chart)
        return minimum;
    return chart->Series_Extreme(horizontal, false).value_or(minimum);
}

double TChartAxis::Used_Maximum() const
{
    if (!(automatic && automatic_maximum) || !chart)
        return maximum;
    return chart->Series_Extreme(horizontal, true).value_or(maximum);
}

void TChartAxis::SetIncrement(double value)
{
    increment = std::max(0.0, value);
    Changed();
}

void TChartAxis::SetMinorTickCount(int value)
{
    minor_tick_count = std::max(0, value);
    Changed();
}

void TChartAxis::SetAxisValuesFormat(const std::string& value)
{
    values_format = value;
    Changed();
}

std::string TChartAxis::LabelValue(double value) const
{
    return FormatFloat(values_format, value);
}

int TChartAxis::CalcPosValue(double value) const
{
    const double min = Used_Minimum();
    const double range = Used_Maximum() - min;
    if (range <= 0.0)
        return horizontal ? start_pos : end_pos;
    const double offset = (value - min) * (end_pos - start_pos) / range;
    const double clamped = std::clamp(offset, -1e6, 1e6);
    const int step = static_cast<int>(Round(clamped));
    return horizontal ? start_pos + step : end_pos - step;
}

double TChartAxis::CalcPosPoint(int position) const
{
    const double min = Used_Minimum();
    const int size = end_pos - start_pos;
    if (size <= 0)
        return min;
    const double range = Used_Maximum() - min;
    const int offset = horizontal ? position - start_pos : end_pos - position;
    return min + offset * range / size;
}

// Pixels one label needs along the axis at this step, a gap included.
double TChartAxis::Label_Room(TCanvas& canvas, double step) const
{
    if (!horizontal)
        return canvas.TextHeight("0") + 2.0;
    double widest = 0.0;
    const double min = Used_Minimum();
    const double first = std::ceil(min / step - 1e-9) * step;
    for (double value = first; value <= Used_Maximum() + step * 1e-9; value += step)
        widest = std::max(widest, static_cast<double>(canvas.TextWidth(LabelValue(value))));
    return widest + 6.0;
}

double TChartAxis::Used_Increment(TCanvas& canvas) const
{
    const double range = Used_Maximum() - Used_Minimum();
    const int size = end_pos - start_pos;
    if (range <= 0.0 || size <= 0)
        return 0.0;
    double step = increment > 0.0 ? increment : range / 10.0;
    // Thinned through 1, 2, 5 times powers of ten until the labels fit.
    static constexpr double factors[] = {1.0, 2.0, 5.0};
    for (double decade = 1.0; decade < 1e9; decade *= 10.0)
        for (const double factor : factors) {
            const double candidate = step * factor * decade;
            if (candidate * size / range >= Label_Room(canvas, candidate))
                return candidate;
        }
    return range;
}

std::vector<double> TChartAxis::Label_Values(TCanvas& canvas) const
{
    std::vector<double> values;
    const double step = Used_Increment(canvas);
    if (step <= 0.0)
        return values;
    const double max = Used_Maximum();
    const double first = std::ceil(Used_Minimum() / step - 1e-9) * step;
    for (int i = 0;; ++i) {
        const double value = first + i * step;
        if (value > max + step * 1e-9)
            break;
        values.push_back(std::fabs(value) < step * 1e-9 ? 0.0 : value);
    }
    return values;
}

// ---- Series --------------------------------------------------------------------

TChartSeries::TChartSeries(TComponent* AOwner) : TComponent(AOwner) {}

TChartSeries::~TChartSeries()
{
    if (function_type)
        function_type->SetParentSeries(nullptr);
    SetParentChart(nullptr);
}

void TChartSeries::SetParentChart(TChart* chart)
{
    if (chart == parent_chart)
        return;
    TChart* old = parent_chart;
    parent_chart = chart;
    if (old)
        old->RemoveSeries(this);
    if (chart)
        chart->AddSeries(this);
}

void TChartSeries::Repaint_Chart()
{
    if (parent_chart)
        parent_chart->Invalidate();
}

void TChartSeries::SetSeriesColor(TColor value)
{
    series_color = value;
    Repaint_Chart();
}

void TChartSeries::SetColorEachPoint(bool value)
{
    color_each_point = value;
    Repaint_Chart();
}

int TChartSeries::AddXY(double x, double y, const std::string& label, TColor color)
{
    x_values.values.push_back(x);
    y_values.values.push_back(y);
    labels.push_back(label);
    colors.push_back(color);
    Repaint_Chart();
    return Count() - 1;
}

void TChartSeries::Clear()
{
    x_values.values.clear();
    y_values.values.clear();
    labels.clear();
    colors.clear();
    Repaint_Chart();
}

TColor TChartSeries::ValueColor(int index) const
{
    const TColor color = colors.at(static_cast<std::size_t>(index));
    return color_each_point && color != clChartDefault ? color : series_color;
}

void TChartSeries::SetFunctionType(TTeeFunction* value)
{
    if (value == function_type)
        return;
    TTeeFunction* old = function_type;
    function_type = value;
    if (old)
        old->SetParentSeries(nullptr);
    if (value)
        value->SetParentSeries(this);
}

TChartAxis* TChartSeries::GetHorizAxis() const { return parent_chart ? parent_chart->BottomAxis() : nullptr; }
TChartAxis* TChartSeries::GetVertAxis() const { return parent_chart ? parent_chart->LeftAxis() : nullptr; }

int TChartSeries::CalcXPos(int index) const
{
    const TChartAxis* axis = GetHorizAxis();
    return axis ? axis->CalcPosValue(x_values.Value(index)) : 0;
}

int TChartSeries::CalcYPos(int index) const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->CalcPosValue(y_values.Value(index)) : 0;
}

double TChartSeries::XScreenToValue(int x) const
{
    const TChartAxis* axis = GetHorizAxis();
    return axis ? axis->CalcPosPoint(x) : 0.0;
}

double TChartSeries::YScreenToValue(int y) const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->CalcPosPoint(y) : 0.0;
}

void TChartSeries::GetCursorValues(double& x, double& y) const
{
    x = 0.0;
    y = 0.0;
    POINT cursor {};
    if (!parent_chart || !GetCursorPos(&cursor))
        return;
    const POINT point = parent_chart->ScreenToClient(cursor);
    parent_chart->Update_Layout();
    x = XScreenToValue(point.x);
    y = YScreenToValue(point.y);
}

// ---- Functions -------------------------------------------------------------------

TTeeFunction::~TTeeFunction()
{
    if (parent_series)
        parent_series->SetFunctionType(nullptr);
}

void TTeeFunction::SetParentSeries(TChartSeries* series)
{
    if (series == parent_series)
        return;
    TChartSeries* old = parent_series;
    parent_series = series;
    if (old && old->FunctionType() == this)
        old->SetFunctionType(nullptr);
    if (series && series->FunctionType() != this)
        series->SetFunctionType(this);
}

void TTeeFunction::AddDataSource(TChartSeries* source)
{
    data_sources.push_back(source);
    source->FreeNotification(this);
}

void TTeeFunction::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove)
        std::erase(data_sources, AComponent);
}

void TTeeFunction::ReCalculate()
{
    if (!parent_series || data_sources.empty())
        return;
    int count = data_sources.front()->Count();
    for (const TChartSeries* source : data_sources)
        count = std::min(count, source->Count());
    TChartSeries& target = *parent_series;
    target.Clear();
    TChartSeries& first = *data_sources.front();
    for (int i = 0; i < count; ++i) {
        std::vector<double> values;
        for (TChartSeries* source : data_sources)
            values.push_back(source->YValues()->Value(i));
        target.AddXY(first.XValues()->Value(i), Calculate(values));
    }
}
