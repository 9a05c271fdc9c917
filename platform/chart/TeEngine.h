#pragma once
// The chart engine: value lists, axes, series and series functions. The
// chart control that owns them is TChart (Chart.h); a series draws itself
// through its chart's axes. Only what the spectrum window uses, each whole.

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"

#include <string>
#include <vector>

class TChart;
class TCanvas;
class TTeeFunction;

// A point colour meaning "the series' own colour".
constexpr TColor clChartDefault = static_cast<TColor>(0x20000000);

class EChartException : public Exception {
    using Exception::Exception;
};

enum TChartListOrder { loNone, loAscending, loDescending };

class TChartValueList : public TPersistent {
public:
    int Count() const { return static_cast<int>(values.size()); }
    double Value(int index) const { return values.at(static_cast<std::size_t>(index)); }
    void SetValue(int index, double value) { values.at(static_cast<std::size_t>(index)) = value; }
    TChartListOrder Order() const { return order; }
    void SetOrder(TChartListOrder value) { order = value; }
    double MinValue() const;
    double MaxValue() const;

private:
    friend class TChartSeries;
    std::vector<double> values;
    TChartListOrder order = loNone;
};

// The pen of an axis line, its grid or its ticks.
class TChartAxisPen : public TPersistent {
public:
    explicit TChartAxisPen(TColor color) : color(color) {}
    TColor Color() const { return color; }
    void SetColor(TColor value);
    bool Visible() const { return visible; }
    void SetVisible(bool value);
    void Set_Owner(TChart* chart) { owner = chart; }

private:
    TColor color;
    bool visible = true;
    TChart* owner = nullptr;
};

class TChartAxis : public TPersistent {
public:
    TChartAxis(TChart* chart, bool horizontal);

    bool Horizontal() const { return horizontal; }
    bool Visible() const { return visible; }
    void SetVisible(bool value);

    // Automatic axes take their limits from the series' values.
    bool Automatic() const { return automatic; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return automatic_minimum; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return automatic_maximum; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return minimum; }
    double Maximum() const { return maximum; }
    // An axis refuses a minimum above its maximum (and a maximum below its
    // minimum) with EChartException, so callers order the two writes.
    void SetMinimum(double value);
    void SetMaximum(double value);
    void SetMinMax(double min, double max);
    // The limits in use: the manual ones, or the series' extremes.
    double Used_Minimum() const;
    double Used_Maximum() const;

    // Distance between labels; 0 chooses one. Labels that would overlap are
    // thinned to a wider multiple.
    double Increment() const { return increment; }
    void SetIncrement(double value);
    int MinorTickCount() const { return minor_tick_count; }
    void SetMinorTickCount(int value);
    const std::string& AxisValuesFormat() const { return values_format; }
    void SetAxisValuesFormat(const std::string& value);
    // A value as the axis labels show it.
    std::string LabelValue(double value) const;

    TChartAxisPen* Axis() { return &axis_pen; }
    TChartAxisPen* Grid() { return &grid_pen; }
    TChartAxisPen* Ticks() { return &ticks_pen; }
    TChartAxisPen* MinorTicks() { return &minor_ticks_pen; }

    // Pixel of a value in the chart's client coordinates, and back; the
    // axis spans the chart's plot rectangle.
    int CalcPosValue(double value) const;
    double CalcPosPoint(int position) const;

    // The label values from the minimum up, at the increment in use.
    std::vector<double> Label_Values(TCanvas& canvas) const;
    void Set_Span(int start, int end) { start_pos = start; end_pos = end; }
    int Start_Pos() const { return start_pos; }
    int End_Pos() const { return end_pos; }
    // The increment after thinning for labels of this canvas's font.
    double Used_Increment(TCanvas& canvas) const;

private:
    void Changed();
    double Label_Room(TCanvas& canvas, double step) const;

    TChart* chart;
    bool horizontal;
    bool visible = true;
    bool automatic = true;
    bool automatic_minimum = true;
    bool automatic_maximum = true;
    double minimum = 0.0;
    double maximum = 0.0;
    double increment = 0.0;
    int minor_tick_count = 3;
    std::string values_format = "#,##0.###";
    TChartAxisPen axis_pen {clBlack};
    TChartAxisPen grid_pen {clGray};
    TChartAxisPen ticks_pen {clDkGray};
    TChartAxisPen minor_ticks_pen {clDkGray};
    int start_pos = 0;
    int end_pos = 0;
};

class TChartSeries : public TComponent {
public:
    explicit TChartSeries(TComponent* AOwner);
    ~TChartSeries() override;

    TChart* ParentChart() const { return parent_chart; }
    void SetParentChart(TChart* chart);

    const std::string& Title() const { return title; }
    void SetTitle(const std::string& value) { title = value; }
    TColor SeriesColor() const { return series_color; }
    void SetSeriesColor(TColor value);
    bool ColorEachPoint() const { return color_each_point; }
    void SetColorEachPoint(bool value);

    TChartValueList* XValues() { return &x_values; }
    TChartValueList* YValues() { return &y_values; }
    int Count() const { return x_values.Count(); }
    // Appends a point; answers its index.
    int AddXY(double x, double y, const std::string& label = "", TColor color = clChartDefault);
    void Clear();
    // A point's colour, the series' own for clChartDefault or when points
    // are not coloured one by one.
    TColor ValueColor(int index) const;
    const std::string& XLabel(int index) const { return labels.at(static_cast<std::size_t>(index)); }

    // The series' function (owned by the form that reads it), or nullptr.
    TTeeFunction* FunctionType() const { return function_type; }
    void SetFunctionType(TTeeFunction* value);

    TChartAxis* GetHorizAxis() const;
    TChartAxis* GetVertAxis() const;
    int CalcXPos(int index) const;
    int CalcYPos(int index) const;
    double XScreenToValue(int x) const;
    double YScreenToValue(int y) const;
    // The values under the mouse cursor.
    void GetCursorValues(double& x, double& y) const;

    // Draws the points inside the chart's plot rectangle.
    virtual void DrawValues(TCanvas& canvas) = 0;

private:
    void Repaint_Chart();

    TChart* parent_chart = nullptr;
    std::string title;
    TColor series_color = clRed;
    bool color_each_point = false;
    TChartValueList x_values;
    TChartValueList y_values;
    std::vector<TColor> colors;
    std::vector<std::string> labels;
    TTeeFunction* function_type = nullptr;
};

// A calculation over source series whose result becomes the points of the
// series that carries it. Without a data source it leaves the series alone.
class TTeeFunction : public TComponent {
public:
    using TComponent::TComponent;
    ~TTeeFunction() override;

    TChartSeries* ParentSeries() const { return parent_series; }
    void SetParentSeries(TChartSeries* series);
    const std::vector<TChartSeries*>& DataSources() const { return data_sources; }
    // A source that is freed leaves the list by itself.
    void AddDataSource(TChartSeries* source);
    // Recomputes the parent series from the sources (nothing without one).
    void ReCalculate();

protected:
    // The function's value over the Y values of the sources at one index.
    virtual double Calculate(const std::vector<double>& values) const = 0;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TChartSeries* parent_series = nullptr;
    std::vector<TChartSeries*> data_sources;
};
