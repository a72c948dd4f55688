#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "chart/ChartPens.h"
#include "chart/ChartTypes.h"
#include "graphics/Canvas.h"

class TCustomChart;

enum TAxisKind : std::uint8_t { akBottom, akTop, akLeft, akRight, akDepth, akDepthTop };

class TChartAxisTitle {
  public:
    TChartAxisTitle(TCustomChartPanel* chart, int angle)
        : font_(chart), chart_(chart), angle_(angle) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int Angle() const { return angle_; }
    void SetAngle(int angle);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TChartFont& Font() { return font_; }
    const TChartFont& Font() const { return font_; }

  private:
    TChartFont font_;
    TCustomChartPanel* chart_;
    std::string caption_;
    int angle_;
    bool visible_ = true;
};

// A label the axis placed in its last draw.
struct TAxisLabel {
    double Value = 0;
    std::string Text;
    int Position = 0;
};

// One side of the plotting area: the range it shows, the mapping of values to pixels, the
// label step, the room its title, labels and ticks take, and their drawing.
class TChartAxis {
  public:
    // The smallest step the label search returns.
    static constexpr double MinimumStep = 1e-12;
    // Pixel positions are clamped to this, as the platform's 32-bit coordinates allow.
    static constexpr int PixelLimit = 67108863;

    TChartAxis(TCustomChart& chart, TAxisKind kind);
    virtual ~TChartAxis() = default;
    TChartAxis(const TChartAxis&) = delete;
    TChartAxis& operator=(const TChartAxis&) = delete;

    TAxisKind Kind() const { return kind_; }
    bool Horizontal() const { return kind_ == akBottom || kind_ == akTop; }
    bool OtherSide() const { return kind_ == akTop || kind_ == akRight; }
    bool IsDepthAxis() const { return kind_ == akDepth || kind_ == akDepthTop; }

    TChartPen& Axis() { return axisPen_; }
    TChartPen& Ticks() { return ticks_; }
    TChartPen& MinorTicks() { return minorTicks_; }
    TChartPen& TicksInner() { return ticksInner_; }
    TChartPen& Grid() { return grid_; }
    TChartPen& MinorGrid() { return minorGrid_; }
    TChartAxisTitle& Title() { return title_; }
    const TChartAxisTitle& Title() const { return title_; }
    TChartFont& LabelsFont() { return labelsFont_; }
    const TChartFont& LabelsFont() const { return labelsFont_; }

    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return automaticMinimum_; }
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return automaticMaximum_; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return minimum_; }
    void SetMinimum(double value);
    double Maximum() const { return maximum_; }
    void SetMaximum(double value);
    // Sets both ends at once, the smaller becoming Minimum, without the setters' checks (which
    // a pair of values can fail half-way through).
    void SetMinMax(double a, double b);
    // Zoom and scroll: fixed ends, no automatic scaling, a range of at least 1e-10.
    void FixRange(double a, double b);
    double Increment() const { return increment_; }
    void SetIncrement(double value);
    const std::string& AxisValuesFormat() const { return valuesFormat_; }
    void SetAxisValuesFormat(const std::string& format);
    bool Labels() const { return labels_; }
    void SetLabels(bool value);
    int LabelsSeparation() const { return labelsSeparation_; }
    void SetLabelsSeparation(int value);
    int LabelsSize() const { return labelsSize_; }
    void SetLabelsSize(int value);
    TAxisLabelStyle LabelStyle() const { return labelStyle_; }
    void SetLabelStyle(TAxisLabelStyle style);
    bool LabelsOnAxis() const { return labelsOnAxis_; }
    void SetLabelsOnAxis(bool value);
    bool RoundFirstLabel() const { return roundFirstLabel_; }
    void SetRoundFirstLabel(bool value);
    int TickLength() const { return tickLength_; }
    void SetTickLength(int value);
    int TickInnerLength() const { return tickInnerLength_; }
    void SetTickInnerLength(int value);
    int MinorTickLength() const { return minorTickLength_; }
    void SetMinorTickLength(int value);
    int MinorTickCount() const { return minorTickCount_; }
    void SetMinorTickCount(int value);
    bool TickOnLabelsOnly() const { return tickOnLabelsOnly_; }
    void SetTickOnLabelsOnly(bool value);
    int TitleSize() const { return titleSize_; }
    void SetTitleSize(int value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    double StartPosition() const { return startPosition_; }
    void SetStartPosition(double value);
    double EndPosition() const { return endPosition_; }
    void SetEndPosition(double value);
    int MinimumOffset() const { return minimumOffset_; }
    void SetMinimumOffset(int value);
    int MaximumOffset() const { return maximumOffset_; }
    void SetMaximumOffset(int value);

    // Working state of the current draw.
    double RangeMinimum() const { return rangeMin_; }
    double RangeMaximum() const { return rangeMax_; }
    double RangeSize() const { return rangeSize_; }
    bool ZeroRange() const { return zeroRange_; }
    double PixelsPerUnit() const { return pixelsPerUnit_; }
    int AxisStart() const { return start_; }
    int AxisEnd() const { return end_; }
    int AxisLength() const { return end_ - start_; }
    int AxisCenter() const { return static_cast<int>((static_cast<long long>(start_) + end_) / 2); }
    int AxisPosition() const { return axisPosition_; }
    int LabelsPosition() const { return labelsPosition_; }
    int TitlePosition() const { return titlePosition_; }
    bool IsShown() const { return shown_; }
    const std::vector<int>& TickPositions() const { return tickPositions_; }
    // The labels placed by the last draw, in drawing order.
    const std::vector<TAxisLabel>& DrawnLabels() const { return drawnLabels_; }

    int ValueToPosition(double value) const;
    double PositionToValue(int position) const;
    std::string LabelText(double value) const;
    TAxisLabelStyle EffectiveLabelStyle() const;
    double ComputeIncrement();
    int MaxLabelsWidth();
    // 1, 2, 5 times a power of ten: the next step above x.
    static double NextStep(double x);

    // The draw sequence, called by the chart in this order.
    void CalcShown();
    void AdjustRange();
    void SetPositions();
    // Takes the axis's title band, label band (at least labelFloor pixels) and inner size
    // from the side of rect.
    void ReserveSpace(TRect& rect, int labelFloor = 0);
    // The label band the axis needs for its current range, and the one its last ReserveSpace took.
    int LabelBandSize();
    int LabelBand() const { return labelBand_; }
    // Whether a client pixel lies on the band the axis took for its title, labels and ticks.
    bool BandContains(int x, int y) const;
    // The ends a scroll moves from: a fixed end as set, an automatic one as last shown.
    double CurrentMinimum() const { return automaticMinimum_ ? rangeMin_ : minimum_; }
    double CurrentMaximum() const { return automaticMaximum_ ? rangeMax_ : maximum_; }
    void ApplyMargins(int a, int b);
    void Draw(TCanvas& canvas, bool setPosition);

  private:
    double SeriesExtreme(bool maximum) const;
    void RecalcRange();
    double IncrementForCount(long long n) const;
    double IncrementForLabelSize(int size) const;
    double StepUnit() const;
    int LabelExtent(TCanvas& canvas, const std::string& text) const;
    int LabelWidth(TCanvas& canvas, const std::string& text) const;
    int FontHeight(TCanvas& canvas) const;
    std::vector<double> ValueLabelValues(double step) const;
    bool SomeSeriesFits(long long n) const;
    void DrawValueLabels(TCanvas& canvas, double step);
    void DrawTextLabels(TCanvas& canvas);
    void PlaceLabel(TCanvas& canvas, int p, double value, const std::string& text);
    void DrawLabelText(TCanvas& canvas, int x, int y, int angle, const std::string& text);
    void DrawLinesAndTicks(TCanvas& canvas);
    void Changed() const;

    TCustomChart& chart_;
    TAxisKind kind_;
    TChartPen axisPen_;
    TChartPen ticks_;
    TChartPen minorTicks_;
    TChartPen ticksInner_;
    TChartPen grid_;
    TChartPen minorGrid_;
    TChartAxisTitle title_;
    TChartFont labelsFont_;

    bool automatic_ = true;
    bool automaticMinimum_ = true;
    bool automaticMaximum_ = true;
    double minimum_ = 0;
    double maximum_ = 0;
    double increment_ = 0;
    double workIncrement_ = 0;  // the step search's own increment during a draw
    std::string valuesFormat_ = "#,##0.###";
    bool labels_ = true;
    int labelsSeparation_ = 10;
    int labelsSize_ = 0;
    TAxisLabelStyle labelStyle_ = talAuto;
    bool labelsOnAxis_ = true;
    bool roundFirstLabel_ = true;
    int tickLength_ = 4;
    int tickInnerLength_ = 0;
    int minorTickLength_ = 2;
    int minorTickCount_ = 3;
    bool tickOnLabelsOnly_ = true;
    int titleSize_ = 0;
    bool visible_ = true;
    double startPosition_ = 0;
    double endPosition_ = 100;
    int minimumOffset_ = 0;
    int maximumOffset_ = 0;

    double rangeMin_ = 0;
    double rangeMax_ = 0;
    double rangeSize_ = 0;
    bool zeroRange_ = true;
    double pixelsPerUnit_ = 0;
    int start_ = 0;
    int end_ = 0;
    int axisPosition_ = 0;
    int labelsPosition_ = 0;
    int titlePosition_ = 0;
    int labelBand_ = 0;
    int bandOuter_ = 0;  // the side of the rectangle before ReserveSpace took from it
    int bandInner_ = 0;  // and after
    bool shown_ = false;
    std::vector<int> tickPositions_;
    std::vector<TAxisLabel> drawnLabels_;
};

class TChartDepthAxis : public TChartAxis {
  public:
    using TChartAxis::TChartAxis;
};
