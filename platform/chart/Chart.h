#pragma once
// The chart control: a panel whose plot rectangle shows series against a
// bottom and a left axis, with grid, ticks and labels, drawn with our own
// canvas so that it looks the same offscreen and on screen. Its canvas
// stays available to the owner for drawing over the plot (a cross-hair).

#include "platform/chart/TeEngine.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Controls.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TChart;

// A part of the chart that can be shown or hidden (legend, title).
class TChartTitleOrLegend : public TPersistent {
public:
    explicit TChartTitleOrLegend(bool visible) : visible(visible) {}
    bool Visible() const { return visible; }
    void SetVisible(bool value) { visible = value; }
    TStringList* Text() { return &text; }

private:
    bool visible;
    TStringList text;
};

// The wall behind the plot; its colour is the chart's back colour.
class TChartWall : public TPersistent {
public:
    explicit TChartWall(TChart* chart) : chart(chart) {}
    TColor Color() const;
    void SetColor(TColor value);

private:
    TChart* chart;
};

class TChart : public TCustomControl {
public:
    explicit TChart(TComponent* AOwner);
    ~TChart() override;

    TChartAxis* BottomAxis() { return bottom_axis.get(); }
    TChartAxis* LeftAxis() { return left_axis.get(); }

    // The plot's background; clChartDefault leaves the panel colour.
    TColor BackColor() const { return back_color; }
    void SetBackColor(TColor value);
    // The legend and the title are kept as settings; the chart draws neither.
    TChartTitleOrLegend* Legend() { return &legend; }
    TChartTitleOrLegend* Title() { return &title; }
    TChartWall* BackWall() { return &back_wall; }
    bool View3D() const { return view_3d; }
    void SetView3D(bool value) { view_3d = value; }
    bool AllowZoom() const { return allow_zoom; }
    void SetAllowZoom(bool value) { allow_zoom = value; }
    bool AllowPanning() const { return allow_panning; }
    void SetAllowPanning(bool value) { allow_panning = value; }

    // Margins in percent of the client width (left, right) or height.
    int Margin(int side) const { return margins[side]; }
    void SetMargin(int side, int value);
    enum Margin_Side { Margin_Left, Margin_Top, Margin_Right, Margin_Bottom };

    // The cursor to show again when the plot gives the pointer back.
    TCursor OriginalCursor() const { return original_cursor; }
    void SetOriginalCursor(TCursor value) { original_cursor = value; }

    int SeriesCount() const { return static_cast<int>(series.size()); }
    TChartSeries* Series(int index) const { return series.at(static_cast<std::size_t>(index)); }
    void AddSeries(TChartSeries* added);
    void RemoveSeries(TChartSeries* removed);

    // The plot rectangle in client coordinates, for the present size.
    RECT ChartRect();
    // Places the plot and the axes for the present size and limits.
    void Update_Layout();
    // The smallest or largest value of every series on one axis, if any.
    std::optional<double> Series_Extreme(bool horizontal, bool largest) const;

protected:
    void Paint() override;

private:
    void Draw_Back(TCanvas& canvas, const RECT& plot);
    void Draw_Grid(TCanvas& canvas, TChartAxis& axis, const RECT& plot);
    void Draw_Axis(TCanvas& canvas, TChartAxis& axis, const RECT& plot);
    void Draw_Series(TCanvas& canvas, const RECT& plot);
    int Left_Label_Width(TCanvas& canvas);

    std::unique_ptr<TChartAxis> bottom_axis;
    std::unique_ptr<TChartAxis> left_axis;
    TColor back_color = clChartDefault;
    TChartTitleOrLegend legend {true};
    TChartTitleOrLegend title {true};
    TChartWall back_wall {this};
    bool view_3d = true;
    bool allow_zoom = true;
    bool allow_panning = true;
    int margins[4] = {3, 4, 3, 4};
    TCursor original_cursor = crDefault;
    std::vector<TChartSeries*> series;
    RECT plot_rect {};
};
