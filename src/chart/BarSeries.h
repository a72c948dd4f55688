#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "chart/ChartPens.h"
#include "chart/ChartSeries.h"

enum TBarStyle : std::uint8_t {
    bsRectangle,
    bsPyramid,
    bsInvPyramid,
    bsCylinder,
    bsEllipse,
    bsArrow,
    bsRectGradient,
    bsCone,
    bsBevel,
    bsSlantCube,
    bsDiamond,
    bsInvArrow,
    bsInvCone,
};

enum TMultiBar : std::uint8_t { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };

enum class TChartGradientDirection : std::uint8_t {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft
};

// The fill gradient of bsRectGradient bars.
class TBarSeriesGradient : public TChartPart {
  public:
    using TChartPart::TChartPart;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TChartGradientDirection Direction() const { return direction_; }
    void SetDirection(TChartGradientDirection direction);
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor color);
    TColor MidColor() const { return midColor_; }
    void SetMidColor(TColor color);

  private:
    bool visible_ = true;
    TChartGradientDirection direction_ = TChartGradientDirection::gdTopBottom;
    TColor startColor_ = clWhite;
    TColor midColor_ = clNone;
};

class TChartShadow : public TChartPart {
  public:
    using TChartPart::TChartPart;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int size);
    int VertSize() const { return vertSize_; }
    void SetVertSize(int size);

  private:
    bool visible_ = true;
    TColor color_ = 0x808080;
    int horizSize_ = 0;
    int vertSize_ = 0;
};

using TGetBarStyleEvent = std::function<void(TChartSeries* series, int index, TBarStyle& style)>;

// One vertical bar per point, standing on YOrigin and centred on the point's X position.
class TCustomBarSeries : public TChartSeries {
  public:
    explicit TCustomBarSeries(TComponent* owner = nullptr);

    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int percent);
    bool AutoBarSize() const { return autoBarSize_; }
    void SetAutoBarSize(bool value);
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle style);
    TMultiBar MultiBar() const { return multiBar_; }
    void SetMultiBar(TMultiBar value);
    bool SideMargins() const { return sideMargins_; }
    void SetSideMargins(bool value);
    int OffsetPercent() const { return offsetPercent_; }
    void SetOffsetPercent(int percent);
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value);
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value);
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int group);
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int amount);
    TChartBrush& BarBrush() { return barBrush_; }
    TChartPen& BarPen() { return barPen_; }
    TChartPen& TickLines() { return tickLines_; }
    // Used by bsRectGradient only.
    TBarSeriesGradient& Gradient() { return gradient_; }
    TChartShadow& Shadow() { return shadow_; }

    // Working state of the last paint.
    int SideBySideCount() const { return sideBySideCount_; }
    int SideBySidePosition() const { return sideBySidePosition_; }
    int SlotCount() const { return slotCount_; }
    int PointsBefore() const { return pointsBefore_; }
    int BarPixelWidth() const { return barPixelWidth_; }
    TRect BarRect() const { return barRect_; }

    void PrepareForDraw() override;
    void HorizontalMargins(int& left, int& right) override;
    void VerticalMargins(int& top, int& bottom) override;
    void DrawAllPoints(TCanvas& canvas) override;
    void DrawPoint(TCanvas& canvas, int i) override;
    double XMinimum() override;
    double XMaximum() override;
    double YMinimum() override;
    double YMaximum() override;
    int XPosition(int i) const override;
    int YPosition(int i) const override;
    int HitTestPoint(int x, int y) const override;

    int OriginPosition(int i) const;
    TRect ComputeBarRect(int i) const;
    bool PointInBar(int i, int x, int y) const;
    TBarStyle BarStyleOf(int i);

    TGetBarStyleEvent OnGetBarStyle;

  protected:
    void AddedToChart() override;
    virtual int CustomWidth() const { return 0; }
    void DrawBarShape(TCanvas& canvas, int i, int start, int end);
    void FillBarRectangle(TCanvas& canvas, TColor color, int left, int top, int right, int bottom);

  private:
    bool SameKind(const TChartSeries& other) const;
    bool LaterBarsCanCover() const;
    std::vector<bool> CoveredBars(int first, int last) const;
    // Copies a shared setting to the other bar series of the chart.
    template <class F>
    void ForOtherBars(F&& fn);

    int barWidthPercent_ = 70;
    bool autoBarSize_ = false;
    TBarStyle barStyle_ = bsRectangle;
    TMultiBar multiBar_ = mbSide;
    bool sideMargins_ = true;
    int offsetPercent_ = 0;
    bool useYOrigin_ = true;
    double yOrigin_ = 0;
    int stackGroup_ = 0;
    int darkPen_ = 0;
    TChartBrush barBrush_;
    TChartPen barPen_;
    TChartPen tickLines_;
    TBarSeriesGradient gradient_;
    TChartShadow shadow_;

    int sideBySideCount_ = 1;
    int sideBySidePosition_ = 1;
    int slotCount_ = -1;
    int pointsBefore_ = 0;
    int barPixelWidth_ = 0;
    TRect barRect_;
    TColor currentBarColor_ = clNone;
    TColor penOverride_ = clNone;  // the shadow's outline colour while it is painted
};

class TBarSeries : public TCustomBarSeries {
  public:
    explicit TBarSeries(TComponent* owner = nullptr);

    int CustomBarWidth() const { return customBarWidth_; }
    void SetCustomBarWidth(int width);

  protected:
    int CustomWidth() const override { return customBarWidth_; }

  private:
    int customBarWidth_ = 0;
};
