#pragma once
// A line through the points in their order, one pixel wide; with colours
// per point each segment takes the colour of the point it ends at.

#include "platform/chart/TeEngine.h"

class TFastLineSeries : public TChartSeries {
public:
    explicit TFastLineSeries(TComponent* AOwner);
    void DrawValues(TCanvas& canvas) override;
};
