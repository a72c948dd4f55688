#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSeries.h"
#include "chart/ChartTool.h"

struct TChartZoom {
    bool Allow = true;
    TMouseButton MouseButton = mbLeft;
    TZoomDirection Direction = tzdBoth;
    int MinimumPixels = 16;
    bool UpLeftZooms = false;
    TShiftState KeyShift = 0;
    TColor PenColor = clWhite;
};

// The frame of the plotting rectangle in 2-D.
class TChartWall {
  public:
    explicit TChartWall(TCustomChartPanel* chart) : chart_(chart), pen_(chart) {}

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TChartPen& Pen() { return pen_; }

  private:
    TCustomChartPanel* chart_;
    TChartPen pen_;
    bool visible_ = true;
    bool transparent_ = true;
    TColor color_ = clSilver;
};

// Visible flag and text of a title or the legend; this chart draws neither.
struct TChartTextBlock {
    bool Visible = true;
    std::string Text;
};

// The axis settings saved before the first zoom or scroll, which an undo brings back.
struct TSavedAxisRange {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};

// The chart: six axes, the series and tools it owns, the draw sequence (lay out, then draw),
// and zooming and scrolling with the mouse. It answers its axes' questions about the series.
class TCustomChart : public TCustomChartPanel, private TAxisSeries {
  public:
    explicit TCustomChart(TComponent* owner = nullptr);
    ~TCustomChart() override;

    TChartAxis& BottomAxis() { return *axes_[0]; }
    TChartAxis& TopAxis() { return *axes_[1]; }
    TChartAxis& LeftAxis() { return *axes_[2]; }
    TChartAxis& RightAxis() { return *axes_[3]; }
    TChartAxis& DepthAxis() { return *axes_[4]; }
    TChartAxis& DepthTopAxis() { return *axes_[5]; }
    // In the order bottom, top, left, right, depth, depth top.
    int AxisCount() const { return static_cast<int>(axes_.size()); }
    TChartAxis& Axes(int i) { return *axes_[i]; }

    // Takes a series over and puts it on this chart.
    template <class S>
    S* AddSeries(std::unique_ptr<S> series) {
        S* raw = series.get();
        AdoptSeries(std::unique_ptr<TChartSeries>(std::move(series)));
        return raw;
    }
    std::unique_ptr<TChartSeries> RemoveSeries(TChartSeries* series);
    int SeriesCount() const { return static_cast<int>(series_.size()); }
    TChartSeries& Series(int i) const { return *series_[i]; }
    int SeriesIndex(const TChartSeries& series) const;

    template <class T>
    T* AddTool(std::unique_ptr<T> tool) {
        T* raw = tool.get();
        AdoptTool(std::unique_ptr<TChartCustomTool>(std::move(tool)));
        return raw;
    }
    std::unique_ptr<TChartCustomTool> RemoveTool(TChartCustomTool* tool);
    int ToolCount() const { return static_cast<int>(tools_.size()); }
    TChartCustomTool& Tools(int i) const { return *tools_[i]; }

    // The colour of point i for series that colour each point.
    TColor PaletteColor(int i) const;
    // A palette of this chart's own; empty brings back the default one.
    void SetPalette(const std::vector<TColor>& palette);
    bool Destroying() const { return destroying_; }
    void SeriesColorChanged(TChartSeries&) {}
    void SeriesDataChanged(TChartSeries&) {}

    bool View3D() const { return view3D_; }
    void SetView3D(bool value);
    bool View3DWalls() const { return view3DWalls_; }
    void SetView3DWalls(bool value);
    bool AxisVisible() const { return axisVisible_; }
    void SetAxisVisible(bool value);
    bool AxisBehind() const { return axisBehind_; }
    void SetAxisBehind(bool value);
    bool ClipPoints() const { return clipPoints_; }
    void SetClipPoints(bool value);
    TChartWall& BackWall() { return backWall_; }
    TChartTextBlock& Title() { return title_; }
    TChartTextBlock& Legend() { return legend_; }
    TChartZoom& Zoom() { return zoom_; }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode mode) { allowPanning_ = mode; }
    TMouseButton ScrollMouseButton() const { return scrollButton_; }
    void SetScrollMouseButton(TMouseButton button) { scrollButton_ = button; }

    // Zoom and scroll state.
    bool Zoomed() const { return zoomed_; }
    bool Zooming() const { return zooming_; }
    bool Scrolling() const { return scrolling_; }
    bool SavedScalesPending() const { return scalesSaved_; }
    bool MouseConsumed() const { return mouseConsumed_; }
    void SetMouseConsumed(bool value) { mouseConsumed_ = value; }
    // Zooms into a rectangle of client pixels.
    void ZoomRect(TRect r);
    // Brings back the axis settings saved before the first zoom or scroll.
    void UndoZoom();

    // The point of the first active series that the keyboard is on (Left, Right, Home, End
    // move it while the chart has the focus), or -1.
    int FocusedPoint() const { return focusedPoint_; }
    void SetFocusedPoint(int index);
    // A picture of a chart: the description reads its range, the point under the keyboard
    // and the tip when one shows.
    void DescribeAccessible(TAccDescription& d) const override;

    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnScroll;
    TNotifyEvent OnBeforeDrawChart;
    TNotifyEvent OnBeforeDrawSeries;
    TNotifyEvent OnAfterDraw;

  protected:
    void DrawChart(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    bool MouseWheel(TShiftState shift, int delta, TPoint pos) override;
    void MouseLeave() override;
    void KeyDown(TKey& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

  private:
    void AdoptSeries(std::unique_ptr<TChartSeries> series);
    void AdoptTool(std::unique_ptr<TChartCustomTool> tool);
    void PickSeriesColor(TChartSeries& series);
    void BroadcastToolEvent(TChartToolEvent event);
    // The layout step: plot rectangle, axis bands, ranges with the series margins, and the
    // labels and ticks, all before anything draws.
    void Layout(TCanvas& canvas);
    void LayoutAxes(TCanvas& canvas);
    void ReserveAxisSpace(TCanvas& canvas, const std::array<int, 5>& labelFloors);
    void ApplySeriesMargins();
    bool AxisShown(const TChartAxis& axis) const;
    double SeriesExtreme(const TChartAxis& axis, bool maximum) const;
    TAxisLabelStyle AutomaticLabelStyle(const TChartAxis& axis) const override;
    long long FewestPointsAlong(const TChartAxis& axis) const override;
    void EachPointText(const TChartAxis& axis, bool marks,
                       const std::function<void(const std::string&)>& visit) override;
    void EachShownPointText(const TChartAxis& axis, bool marks,
                            const TAxisLabelVisit& visit) override;
    void DrawWalls(TCanvas& canvas);
    void DrawAxes(TCanvas& canvas);
    void DrawSeries(TCanvas& canvas);
    void SaveScales();
    TRect NormalZoomRect() const;
    void DrawZoomRect();
    bool HasActiveSeries() const;
    bool SomeSeriesUsesAxes() const;
    bool InsideChartPart(int x, int y) const;
    // The series the keyboard moves through, or null.
    TChartSeries* FocusSeries() const;
    void DrawFocusedPoint(TCanvas& canvas);

    std::array<std::unique_ptr<TChartAxis>, 6> axes_;
    std::vector<std::unique_ptr<TChartSeries>> series_;
    std::vector<std::unique_ptr<TChartCustomTool>> tools_;
    std::vector<TColor> palette_;
    TChartWall backWall_;
    TChartTextBlock title_;
    TChartTextBlock legend_;
    TChartZoom zoom_;
    TPanningMode allowPanning_ = pmBoth;
    TMouseButton scrollButton_ = mbRight;
    bool view3D_ = true;
    bool view3DWalls_ = true;
    bool axisVisible_ = true;
    bool axisBehind_ = true;
    bool clipPoints_ = true;
    bool destroying_ = false;

    bool mouseConsumed_ = false;
    bool zoomed_ = false;
    bool zooming_ = false;
    bool zoomDrawn_ = false;
    TPoint zoomStart_;
    TPoint zoomEnd_;
    bool scrolling_ = false;
    TPoint scrollAnchor_;
    bool scalesSaved_ = false;
    int focusedPoint_ = -1;
    std::array<TSavedAxisRange, 6> savedScales_;
};

// The chart as windows place it.
class TChart : public TCustomChart {
  public:
    explicit TChart(TComponent* owner = nullptr) : TCustomChart(owner) {}
};
