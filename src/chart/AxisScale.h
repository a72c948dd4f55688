#pragma once

#include <functional>
#include <string>
#include <vector>

// A label an axis places: its value, its text and where it stands along the axis.
struct TAxisLabel {
    double Value = 0;
    std::string Text;
    int Position = 0;
};

// Where the labels and ticks of an axis stand, in drawing order.
struct TAxisMarks {
    std::vector<TAxisLabel> Labels;
    std::vector<int> Ticks;
};

// What decides the label step: the axis's own increment (0 for automatic), the room left
// between labels in percent of their size, whether the labels are values (text labels only
// need a step above 0), the fewest points of a series laid along the axis, and the finest step
// the value format still tells apart (0 for none).
struct TAxisStepRule {
    double Increment = 0;
    int LabelsSeparation = 10;
    bool ValueLabels = true;
    long long FewestPointsAlong = -1;  // -1: no series laid along the axis
    double FinestStep = 1;
};

// Which marks an axis places: labels at all, labels on the ends of the axis, and ticks only
// where a label stands.
struct TAxisMarkRule {
    bool Labels = true;
    bool LabelsOnAxis = true;
    bool TickOnLabelsOnly = true;
    int LabelsSeparation = 10;
};

// Calls its argument with every text label candidate (value, text), in order; candidates flow
// one at a time so a long series never has them all held at once.
using TAxisLabelVisit = std::function<void(double value, const std::string& text)>;
using TAxisLabelCandidates = std::function<void(const TAxisLabelVisit& visit)>;

// The geometry of one axis without any drawing: the value range it shows, the pixels it spans,
// the mapping between the two, the label step and where labels and ticks stand. Text sizes
// come from the caller, so it needs neither a canvas nor a chart.
class TAxisScale {
  public:
    // The smallest step the label search returns.
    static constexpr double MinimumStep = 1e-12;
    // Pixel positions are clamped to this, as the platform's 32-bit coordinates allow.
    static constexpr int PixelLimit = 67108863;

    using TValueExtent = std::function<int(double value)>;
    using TValueText = std::function<std::string(double value)>;
    using TTextExtent = std::function<int(const std::string& text)>;

    // Horizontal values grow to the right, vertical ones upwards.
    explicit TAxisScale(bool horizontal) : horizontal_(horizontal) {}

    bool Horizontal() const { return horizontal_; }
    double Minimum() const { return min_; }
    double Maximum() const { return max_; }
    double Size() const { return size_; }
    bool ZeroRange() const { return zeroRange_; }
    double PixelsPerUnit() const { return pixelsPerUnit_; }
    int Start() const { return start_; }
    int End() const { return end_; }
    int Length() const { return end_ - start_; }
    int Center() const { return static_cast<int>((static_cast<long long>(start_) + end_) / 2); }

    // An end as a range holds it: beyond +-1e300 pulled in, NaN as 0, so a size stays finite.
    static double SaneEnd(double v);
    void SetRange(double minimum, double maximum);
    // The span from startPercent to endPercent of size pixels after origin.
    void SetSpan(int origin, int size, double startPercent, double endPercent);
    // Narrows the span by a pixels at its start and b at its end and widens the range so that
    // the old span keeps showing the same values; does nothing when nothing would be left.
    void ApplyMargins(int a, int b);

    int ValueToPosition(double value) const;
    double PositionToValue(int position) const;

    // 1, 2, 5 times a power of ten: the next step above x.
    static double NextStep(double x);
    // The step between value labels whose extents extent gives, for the current range and
    // span; 0 when not even one label has room.
    double LabelStep(const TAxisStepRule& rule, const TValueExtent& extent) const;
    // The values labelled at step, from the top down; with roundFirst, multiples of the step.
    std::vector<double> LabelValues(double step, bool roundFirst) const;
    // The value labels and ticks at step.
    TAxisMarks ValueMarks(double step, bool roundFirst, const TAxisMarkRule& rule,
                          const TValueText& text) const;
    // Text labels of candidates in order, each placed unless it would crowd the last one placed.
    TAxisMarks TextMarks(const TAxisLabelCandidates& candidates, const TAxisMarkRule& rule,
                         const TTextExtent& extent) const;

  private:
    void Recalc();
    double IncrementForCount(long long n, double work, const TAxisStepRule& rule) const;
    double IncrementForLabelSize(int size, double work, const TAxisStepRule& rule) const;

    bool horizontal_;
    double min_ = 0;
    double max_ = 0;
    double size_ = 0;
    bool zeroRange_ = true;
    double pixelsPerUnit_ = 0;
    int start_ = 0;
    int end_ = 0;
};
