#pragma once

#include <string>

#include "framework/GraphicControl.h"
#include "history/ReportFigures.h"
#include "history/UsageHours.h"

// The map "使用时段": a row per weekday (Monday at the top) and a column per hour, each cell
// shaded by the awake time that fell in it, from clWindow (none) to a deep blue (the largest
// cell), a clBtnShadow grid between the cells, hour labels above every third column, weekday
// labels on the left and a maroon band over the quiet hours. Pointing at a cell shows its
// figures as a tip through the application's hint service.
class TUsageMap : public TGraphicControl {
  public:
    // Cell sizes and where the first cell's top-left corner lies inside the control.
    static constexpr int kCellWidth = 24;
    static constexpr int kCellHeight = 20;
    static constexpr int kGrid = 1;
    static constexpr int kCellsLeft = 48;
    static constexpr int kCellsTop = 40;
    static constexpr int kBandHeight = 3;
    static constexpr TColor kFullColor = RGB(0, 70, 160);

    explicit TUsageMap(TComponent* owner = nullptr);

    void SetHours(const TUsageHours& hours, const TQuietHours& quiet);
    const TUsageHours& Hours() const { return hours_; }

    // The cell's rectangle in the control's client pixels (without the grid).
    static TRect CellRect(int weekday, int hour);
    // The cell under a client point; false off the cells (on the grid as well).
    static bool CellAt(TPoint p, int& weekday, int& hour);
    // The colour of a cell of the given seconds when the largest cell holds largest.
    static TColor CellColor(std::int64_t seconds, std::int64_t largest);
    // The tip of a cell: "周三 23:00-24:00  3 时10 分 (5 天)".
    std::string TipText(int weekday, int hour) const;
    // Whether the hour's column lies in the quiet hours.
    bool QuietHour(int hour) const;

  protected:
    void Paint(TCanvas& canvas) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;

  private:
    void CancelTip();

    TUsageHours hours_;
    TQuietHours quiet_;
    std::int64_t largest_ = 0;
};
