#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chart/AxisScale.h"
#include "chart/ChartPens.h"
#include "chart/ChartTypes.h"
#include "graphics/Canvas.h"

class TChartAxis;

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

// What an axis reads from the series laid against it; the chart that owns the axis answers.
class TAxisSeries {
  public:
    // Value labels when a series lies on the axis, text labels when one carries point labels
    // along it, none without series.
    virtual TAxisLabelStyle AutomaticLabelStyle(const TChartAxis& axis) const = 0;
    // The fewest points of a series laid along the axis, -1 when there is none.
    virtual long long FewestPointsAlong(const TChartAxis& axis) const = 0;
    // Calls visit with every non-empty point text (marks or labels) of the series on the axis.
    virtual void EachPointText(const TChartAxis& axis, bool marks,
                               const std::function<void(const std::string&)>& visit) = 0;
    // For each point index the series show, calls visit with the value and text of the first
    // series that has a text there, in index order.
    virtual void EachShownPointText(const TChartAxis& axis, bool marks,
                                    const TAxisLabelVisit& visit) = 0;

  protected:
    ~TAxisSeries() = default;
};

// One side of the plotting area: its settings, the scale it lays out for the current range
// and plot, the room its title, labels and ticks take, and their drawing. The chart lays every
// axis out before any of them draws.
class TChartAxis {
  public:
    TChartAxis(TCustomChartPanel& chart, TAxisSeries& series, TAxisKind kind);
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

    // The layout of the current draw.
    const TAxisScale& Scale() const { return scale_; }
    double RangeMinimum() const { return scale_.Minimum(); }
    double RangeMaximum() const { return scale_.Maximum(); }
    double RangeSize() const { return scale_.Size(); }
    bool ZeroRange() const { return scale_.ZeroRange(); }
    int AxisStart() const { return scale_.Start(); }
    int AxisEnd() const { return scale_.End(); }
    int AxisLength() const { return scale_.Length(); }
    int AxisCenter() const { return scale_.Center(); }
    int ValueToPosition(double value) const { return scale_.ValueToPosition(value); }
    double PositionToValue(int position) const { return scale_.PositionToValue(position); }
    int AxisPosition() const { return axisPosition_; }
    int LabelsPosition() const { return labelsPosition_; }
    int TitlePosition() const { return titlePosition_; }
    bool IsShown() const { return shown_; }
    const std::vector<int>& TickPositions() const { return marks_.Ticks; }
    // The labels placed for the last draw, in drawing order.
    const std::vector<TAxisLabel>& DrawnLabels() const { return marks_.Labels; }

    std::string LabelText(double value) const;
    TAxisLabelStyle EffectiveLabelStyle() const;

    // The layout sequence, run by the chart for every axis before any draws. canvas only
    // measures text.
    void SetShown(bool shown) { shown_ = shown; }
    // The range from the fixed ends and, for automatic ones, the series' extremes.
    void AdjustRange(double seriesMinimum, double seriesMaximum);
    void SetPositions(const TRect& plot);
    // Takes the axis's title band, label band (at least labelFloor pixels) and inner size
    // from the side of rect.
    void ReserveSpace(TCanvas& canvas, TRect& rect, int labelFloor = 0);
    // The label band the axis needs for its current range, and the one its last ReserveSpace took.
    int LabelBandSize(TCanvas& canvas);
    int LabelBand() const { return labelBand_; }
    void ApplyMargins(int a, int b) { scale_.ApplyMargins(a, b); }
    // Places labels and ticks on the final range, once the series know what they show.
    void PlaceMarks(TCanvas& canvas, const TRect& plot);
    // Whether a client pixel lies on the band the axis took for its title, labels and ticks.
    bool BandContains(int x, int y) const;
    // The ends a scroll moves from: a fixed end as set, an automatic one as last shown.
    double CurrentMinimum() const { return automaticMinimum_ ? RangeMinimum() : minimum_; }
    double CurrentMaximum() const { return automaticMaximum_ ? RangeMaximum() : maximum_; }

    // Draws what the layout placed.
    void Draw(TCanvas& canvas, const TRect& plot);

  private:
    TAxisStepRule StepRule() const;
    TAxisMarkRule MarkRule() const;
    double LabelStep(TCanvas& canvas) const;
    int MaxLabelsWidth(TCanvas& canvas);
    int LabelExtent(TCanvas& canvas, const std::string& text) const;
    void DrawLabelText(TCanvas& canvas, int x, int y, int angle, const std::string& text);
    void DrawLinesAndTicks(TCanvas& canvas, const TRect& plot);
    void Changed() const;

    TCustomChartPanel& chart_;
    TAxisSeries& series_;
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

    TAxisScale scale_;
    int axisPosition_ = 0;
    int labelsPosition_ = 0;
    int titlePosition_ = 0;
    int labelBand_ = 0;
    int bandOuter_ = 0;  // the side of the rectangle before ReserveSpace took from it
    int bandInner_ = 0;  // and after
    bool shown_ = false;
    TAxisMarks marks_;
};

class TChartDepthAxis : public TChartAxis {
  public:
    using TChartAxis::TChartAxis;
};
