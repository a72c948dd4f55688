#pragma once

#include "chart/ChartSeries.h"
#include "chart/ChartTypes.h"
#include "framework/Keys.h"

// A chart tool: the chart hands it its drawing steps and the mouse, in tools-list order.
class TChartCustomTool : public TCustomChartElement {
  public:
    explicit TChartCustomTool(TComponent* owner = nullptr) : TCustomChartElement(owner) {}

    // Called at the drawing steps of the chart's draw sequence.
    virtual void ChartEvent(TChartToolEvent) {}
    virtual void ChartMouseEvent(TChartMouseEvent, TMouseButton, TShiftState, int, int) {}
    virtual void ChartMouseWheel(int, TPoint) {}
};

// A tool that may be tied to one series.
class TChartCustomToolSeries : public TChartCustomTool {
  public:
    using TChartCustomTool::TChartCustomTool;

    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* series) { series_ = series; }

  private:
    friend class TCustomChart;
    TChartSeries* series_ = nullptr;
};
