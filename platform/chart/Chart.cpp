#include "platform/chart/Chart.h"

#include "platform/classlib/Class_Registry.h"
#include "platform/winapi/Gdi.h"

#include <algorithm>
#include <array>

namespace {

constexpr int Tick_Length = 4;
constexpr int Minor_Tick_Length = 2;
constexpr int Label_Gap = 2;

const char* const List_Order_Names[] = {"loNone", "loAscending", "loDescending"};

void Register_Engine()
{
    RegisterClass<TChartAxisPen>("TChartAxisPen")
        .Property("Color", Color_Type(), &TChartAxisPen::Color, &TChartAxisPen::SetColor)
        .Property("Visible", Boolean_Type(), &TChartAxisPen::Visible, &TChartAxisPen::SetVisible, true);
    RegisterClass<TChartAxis>("TChartAxis")
        .Property("Automatic", Boolean_Type(), &TChartAxis::Automatic, &TChartAxis::SetAutomatic, true)
        .Property("AutomaticMaximum", Boolean_Type(), &TChartAxis::AutomaticMaximum,
                  &TChartAxis::SetAutomaticMaximum, true)
        .Property("AutomaticMinimum", Boolean_Type(), &TChartAxis::AutomaticMinimum,
                  &TChartAxis::SetAutomaticMinimum, true)
        .Object("Axis", &TChartAxis::Axis)
        .Property("AxisValuesFormat", String_Type(), &TChartAxis::AxisValuesFormat,
                  &TChartAxis::SetAxisValuesFormat, "#,##0.###")
        .Object("Grid", &TChartAxis::Grid)
        .Property("Increment", Float_Type(), &TChartAxis::Increment, &TChartAxis::SetIncrement, 0.0)
        // Stored limits are read in any order: a resource may hold a
        // minimum above the maximum read before it.
        .Property("Maximum", Float_Type(), &TChartAxis::Maximum,
                  [](TChartAxis& axis, double value) {
                      axis.SetMinMax(std::min(axis.Minimum(), value), value);
                  },
                  0.0)
        .Property("Minimum", Float_Type(), &TChartAxis::Minimum,
                  [](TChartAxis& axis, double value) {
                      axis.SetMinMax(value, std::max(axis.Maximum(), value));
                  },
                  0.0)
        .Object("MinorTicks", &TChartAxis::MinorTicks)
        .Property("MinorTickCount", Integer_Type(0), &TChartAxis::MinorTickCount, &TChartAxis::SetMinorTickCount, 3)
        .Object("Ticks", &TChartAxis::Ticks)
        .Property("Visible", Boolean_Type(), &TChartAxis::Visible, &TChartAxis::SetVisible, true);
    RegisterClass<TChartValueList>("TChartValueList")
        .Property("Order", Enum_Type<TChartListOrder>(List_Order_Names), &TChartValueList::Order,
                  &TChartValueList::SetOrder);
    RegisterClass<TChartTitleOrLegend>("TChartTitleOrLegend")
        .Object("Text", &TChartTitleOrLegend::Text)
        .Property("Visible", Boolean_Type(), &TChartTitleOrLegend::Visible, &TChartTitleOrLegend::SetVisible, true);
    RegisterClass<TChartWall>("TChartWall")
        .Property("Color", Color_Type(), &TChartWall::Color, &TChartWall::SetColor, clChartDefault);
}

void Register_Chart()
{
    const auto margin = [](int side) {
        return std::pair {[side](TChart& chart) { return chart.Margin(side); },
                          [side](TChart& chart, int value) { chart.SetMargin(side, value); }};
    };
    const std::array<std::pair<const char*, int>, 4> margins {{{"MarginBottom", TChart::Margin_Bottom},
                                                               {"MarginLeft", TChart::Margin_Left},
                                                               {"MarginRight", TChart::Margin_Right},
                                                               {"MarginTop", TChart::Margin_Top}}};
    auto chart = RegisterComponentClass<TChart, TCustomControl>("TChart");
    chart.Property("AllowPanning", Boolean_Type(), &TChart::AllowPanning, &TChart::SetAllowPanning, true)
        .Property("AllowZoom", Boolean_Type(), &TChart::AllowZoom, &TChart::SetAllowZoom, true)
        .Property("BackColor", Color_Type(), &TChart::BackColor, &TChart::SetBackColor, clChartDefault)
        .Not_Stored()
        .Object("BackWall", &TChart::BackWall)
        .Object("BottomAxis", &TChart::BottomAxis)
        .Object("LeftAxis", &TChart::LeftAxis)
        .Object("Legend", &TChart::Legend)
        .Object("Title", &TChart::Title)
        .Property("View3D", Boolean_Type(), &TChart::View3D, &TChart::SetView3D, true);
    for (const auto& [name, side] : margins) {
        const auto [get, set] = margin(side);
        chart.Property(name, Integer_Type(0, 100), get, set, side == TChart::Margin_Left || side == TChart::Margin_Right ? 3 : 4);
    }
}

const bool Chart_Registered = [] {
    Register_Engine();
    Register_Chart();
    return true;
}();

} // namespace

TColor TChartWall::Color() const { return chart->BackColor(); }
void TChartWall::SetColor(TColor value) { chart->SetBackColor(value); }

TChart::TChart(TComponent* AOwner)
    : TCustomControl(AOwner)
    , bottom_axis(std::make_unique<TChartAxis>(this, true))
    , left_axis(std::make_unique<TChartAxis>(this, false))
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 400, 250);
}

TChart::~TChart()
{
    while (!series.empty())
        series.back()->SetParentChart(nullptr);
}

void TChart::SetBackColor(TColor value)
{
    if (value != back_color) {
        back_color = value;
        Invalidate();
    }
}

void TChart::SetMargin(int side, int value)
{
    margins[side] = std::clamp(value, 0, 100);
    Invalidate();
}

void TChart::AddSeries(TChartSeries* added)
{
    if (std::find(series.begin(), series.end(), added) == series.end())
        series.push_back(added);
    if (added->ParentChart() != this)
        added->SetParentChart(this);
    Invalidate();
}

void TChart::RemoveSeries(TChartSeries* removed)
{
    std::erase(series, removed);
    if (removed->ParentChart() == this)
        removed->SetParentChart(nullptr);
    Invalidate();
}

std::optional<double> TChart::Series_Extreme(bool horizontal, bool largest) const
{
    std::optional<double> extreme;
    for (TChartSeries* each : series) {
        if (each->Count() == 0)
            continue;
        TChartValueList* values = horizontal ? each->XValues() : each->YValues();
        const double value = largest ? values->MaxValue() : values->MinValue();
        extreme = !extreme ? value : largest ? std::max(*extreme, value) : std::min(*extreme, value);
    }
    return extreme;
}

int TChart::Left_Label_Width(TCanvas& canvas)
{
    int widest = 0;
    for (const double value : left_axis->Label_Values(canvas))
        widest = std::max(widest, canvas.TextWidth(left_axis->LabelValue(value)));
    return widest;
}

void TChart::Update_Layout()
{
    TCanvas& canvas = *Canvas();
    canvas.SetFont(Font());
    const int width = ClientWidth();
    const int height = ClientHeight();
    RECT plot {margins[Margin_Left] * width / 100, margins[Margin_Top] * height / 100,
               width - margins[Margin_Right] * width / 100, height - margins[Margin_Bottom] * height / 100};
    if (bottom_axis->Visible())
        plot.bottom -= canvas.TextHeight("0") + Tick_Length + Label_Gap;
    left_axis->Set_Span(plot.top, plot.bottom - 1);
    if (left_axis->Visible())
        plot.left += Left_Label_Width(canvas) + Tick_Length + Label_Gap + 1;
    plot.right = std::max(plot.right, plot.left + 1);
    plot.bottom = std::max(plot.bottom, plot.top + 1);
    bottom_axis->Set_Span(plot.left, plot.right - 1);
    left_axis->Set_Span(plot.top, plot.bottom - 1);
    plot_rect = plot;
}

RECT TChart::ChartRect()
{
    Update_Layout();
    return plot_rect;
}

void TChart::Paint()
{
    TCanvas& canvas = *Canvas();
    Update_Layout();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    Draw_Back(canvas, plot_rect);
    Draw_Grid(canvas, *bottom_axis, plot_rect);
    Draw_Grid(canvas, *left_axis, plot_rect);
    Draw_Series(canvas, plot_rect);
    Draw_Axis(canvas, *bottom_axis, plot_rect);
    Draw_Axis(canvas, *left_axis, plot_rect);
}

void TChart::Draw_Back(TCanvas& canvas, const RECT& plot)
{
    if (back_color == clChartDefault)
        return;
    canvas.Brush()->SetColor(back_color);
    canvas.FillRect(plot);
}

void TChart::Draw_Grid(TCanvas& canvas, TChartAxis& axis, const RECT& plot)
{
    if (!axis.Visible() || !axis.Grid()->Visible())
        return;
    canvas.Pen()->SetColor(axis.Grid()->Color());
    canvas.Pen()->SetStyle(psDot);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetMode(pmCopy);
    canvas.Brush()->SetStyle(bsClear);
    for (const double value : axis.Label_Values(canvas)) {
        const int position = axis.CalcPosValue(value);
        if (axis.Horizontal()) {
            canvas.MoveTo(position, plot.top);
            canvas.LineTo(position, plot.bottom);
        } else {
            canvas.MoveTo(plot.left, position);
            canvas.LineTo(plot.right, position);
        }
    }
    canvas.Pen()->SetStyle(psSolid);
}

void TChart::Draw_Series(TCanvas& canvas, const RECT& plot)
{
    HDC dc = canvas.Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, plot.left, plot.top, plot.right, plot.bottom);
    for (TChartSeries* each : series)
        each->DrawValues(canvas);
    RestoreDC(dc, saved);
}

void TChart::Draw_Axis(TCanvas& canvas, TChartAxis& axis, const RECT& plot)
{
    if (!axis.Visible())
        return;
    const bool horizontal = axis.Horizontal();
    const int line = horizontal ? plot.bottom : plot.left - 1;
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    if (axis.Axis()->Visible()) {
        canvas.Pen()->SetColor(axis.Axis()->Color());
        if (horizontal) {
            canvas.MoveTo(plot.left - 1, line);
            canvas.LineTo(plot.right, line);
        } else {
            canvas.MoveTo(line, plot.top);
            canvas.LineTo(line, plot.bottom + 1);
        }
    }
    const auto tick = [&](double value, int length) {
        const int position = axis.CalcPosValue(value);
        if (horizontal) {
            canvas.MoveTo(position, line + 1);
            canvas.LineTo(position, line + 1 + length);
        } else {
            canvas.MoveTo(line - 1, position);
            canvas.LineTo(line - 1 - length, position);
        }
    };
    const std::vector<double> values = axis.Label_Values(canvas);
    const double step = axis.Used_Increment(canvas);
    if (axis.MinorTicks()->Visible() && axis.MinorTickCount() > 0 && step > 0.0) {
        canvas.Pen()->SetColor(axis.MinorTicks()->Color());
        const double minor = step / (axis.MinorTickCount() + 1);
        const double min = axis.Used_Minimum();
        const double max = axis.Used_Maximum();
        for (double value = (values.empty() ? min : values.front() - step) + minor; value <= max; value += minor)
            if (value >= min)
                tick(value, Minor_Tick_Length);
    }
    if (axis.Ticks()->Visible()) {
        canvas.Pen()->SetColor(axis.Ticks()->Color());
        for (const double value : values)
            tick(value, Tick_Length);
    }
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetFont(Font());
    for (const double value : values) {
        const std::string text = axis.LabelValue(value);
        const int position = axis.CalcPosValue(value);
        const SIZE size = canvas.TextExtent(text);
        if (horizontal)
            canvas.TextOut(position - size.cx / 2, line + 1 + Tick_Length + Label_Gap, text);
        else
            canvas.TextOut(line - 1 - Tick_Length - Label_Gap - size.cx, position - size.cy / 2, text);
    }
}
