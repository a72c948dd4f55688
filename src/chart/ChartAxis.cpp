#include "chart/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/NumberFormat.h"
#include "base/Rounding.h"
#include "chart/ChartSetters_p.h"
#include "chart/CustomChart.h"

namespace {

// Ends beyond this are pulled in, so that a range size is always a finite number.
constexpr double kValueLimit = 1e300;
// The largest quotient value / step that still names a multiple of the step exactly.
constexpr double kExactQuotient = 1e15;
constexpr int kMaxLabels = 10000;

double SaneEnd(double v) {
    if (std::isnan(v)) return 0;
    return std::clamp(v, -kValueLimit, kValueLimit);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kLineSeparator) {
            lines.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size() || lines.empty()) lines.push_back(text.substr(start));
    return lines;
}

bool HasFraction(double v) {
    return std::floor(v) != v;
}

}  // namespace

void TChartAxisTitle::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    if (chart_) chart_->RequestRepaint();
}

void TChartAxisTitle::SetAngle(int angle) {
    angle = ((angle % 360) + 360) % 360;
    if (angle == angle_) return;
    angle_ = angle;
    if (chart_) chart_->RequestRepaint();
}

void TChartAxisTitle::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (chart_) chart_->RequestRepaint();
}

TChartAxis::TChartAxis(TCustomChart& chart, TAxisKind kind)
    : chart_(chart),
      kind_(kind),
      axisPen_(&chart, clBlack, 2),
      ticks_(&chart, clGray),
      minorTicks_(&chart, clGray),
      ticksInner_(&chart, clGray),
      grid_(&chart, clGray),
      minorGrid_(&chart, clGray, 1, false),
      title_(&chart, kind == akLeft    ? 90
                     : kind == akRight ? 270
                                       : 0),
      labelsFont_(&chart) {
    grid_.SetStyle(psDot);
    minorGrid_.SetStyle(psDot);
}

void TChartAxis::Changed() const {
    chart_.RequestRepaint();
}

VIGIL_CHART_SETTER(TChartAxis, AxisValuesFormat, valuesFormat_, const std::string&, Changed())
VIGIL_CHART_SETTER(TChartAxis, Labels, labels_, bool, Changed())
VIGIL_CHART_SETTER(TChartAxis, LabelStyle, labelStyle_, TAxisLabelStyle, Changed())
VIGIL_CHART_SETTER(TChartAxis, LabelsOnAxis, labelsOnAxis_, bool, Changed())
VIGIL_CHART_SETTER(TChartAxis, RoundFirstLabel, roundFirstLabel_, bool, Changed())
VIGIL_CHART_SETTER(TChartAxis, TickOnLabelsOnly, tickOnLabelsOnly_, bool, Changed())
VIGIL_CHART_SETTER(TChartAxis, Visible, visible_, bool, Changed())
VIGIL_CHART_SETTER(TChartAxis, MinimumOffset, minimumOffset_, int, Changed())
VIGIL_CHART_SETTER(TChartAxis, MaximumOffset, maximumOffset_, int, Changed())
VIGIL_CHART_SETTER(TChartAxis, StartPosition, startPosition_, double, Changed())
VIGIL_CHART_SETTER(TChartAxis, EndPosition, endPosition_, double, Changed())

// Lengths and counts cannot be negative; absurd sizes are cut to what a screen could hold.
#define VIGIL_AXIS_SIZE_SETTER(Name, field)   \
    void TChartAxis::Set##Name(int value) {   \
        value = std::clamp(value, 0, 100000); \
        if (value == field) return;           \
        field = value;                        \
        Changed();                            \
    }
VIGIL_AXIS_SIZE_SETTER(LabelsSize, labelsSize_)
VIGIL_AXIS_SIZE_SETTER(TickLength, tickLength_)
VIGIL_AXIS_SIZE_SETTER(TickInnerLength, tickInnerLength_)
VIGIL_AXIS_SIZE_SETTER(MinorTickLength, minorTickLength_)
VIGIL_AXIS_SIZE_SETTER(MinorTickCount, minorTickCount_)
VIGIL_AXIS_SIZE_SETTER(TitleSize, titleSize_)
#undef VIGIL_AXIS_SIZE_SETTER

void TChartAxis::SetAutomatic(bool value) {
    if (value == automatic_ && value == automaticMinimum_ && value == automaticMaximum_) return;
    automatic_ = automaticMinimum_ = automaticMaximum_ = value;
    Changed();
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    if (value == automaticMinimum_) return;
    automaticMinimum_ = value;
    automatic_ = automaticMinimum_ && automaticMaximum_;
    Changed();
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    if (value == automaticMaximum_) return;
    automaticMaximum_ = value;
    automatic_ = automaticMinimum_ && automaticMaximum_;
    Changed();
}

void TChartAxis::SetMinimum(double value) {
    if (value == minimum_) return;
    if (value > maximum_) throw AxisException("Axis Minimum Value must be <= Maximum");
    minimum_ = value;
    Changed();
}

void TChartAxis::SetMaximum(double value) {
    if (value == maximum_) return;
    if (value < minimum_) throw AxisException("Axis Maximum Value must be >= Minimum");
    maximum_ = value;
    Changed();
}

void TChartAxis::SetMinMax(double a, double b) {
    if (std::isnan(a)) a = 0;
    if (std::isnan(b)) b = 0;
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    if (lo == minimum_ && hi == maximum_) return;
    minimum_ = lo;
    maximum_ = hi;
    Changed();
}

void TChartAxis::FixRange(double a, double b) {
    SetAutomatic(false);
    double lo = SaneEnd(std::min(a, b));
    double hi = SaneEnd(std::max(a, b));
    if (hi - lo < 1e-10) hi = lo + 1e-10;
    SetMinMax(lo, hi);
}

void TChartAxis::SetIncrement(double value) {
    if (value == increment_) return;
    if (value < 0) throw AxisException("Axis increment must be >= 0");
    if (std::isnan(value)) return;
    increment_ = value;
    Changed();
}

void TChartAxis::SetLabelsSeparation(int value) {
    if (value == labelsSeparation_) return;
    if (value < 0) throw AxisException("Labels Separation % must be greater than 0");
    labelsSeparation_ = value;
    Changed();
}

// ---- Range and mapping ----

void TChartAxis::CalcShown() {
    shown_ = false;
    if (!chart_.AxisVisible() || !visible_) return;
    if (IsDepthAxis()) {
        shown_ = chart_.View3D();
        return;
    }
    bool anyActive = false;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        const TChartSeries& s = chart_.Series(i);
        if (!s.Active()) continue;
        anyActive = true;
        if (!s.UsesAxes()) return;
        if (s.AssociatedToAxis(*this)) {
            shown_ = true;
            return;
        }
    }
    shown_ = !anyActive;
}

double TChartAxis::SeriesExtreme(bool maximum) const {
    bool anyActive = false;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        const TChartSeries& s = chart_.Series(i);
        if (s.Active() && s.AssociatedToAxis(*this)) anyActive = true;
    }
    double result = 0;
    bool first = true;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        TChartSeries& s = chart_.Series(i);
        if ((anyActive && !s.Active()) || s.PointCount() == 0 || !s.AssociatedToAxis(*this))
            continue;
        double v = Horizontal() ? (maximum ? s.XMaximum() : s.XMinimum())
                                : (maximum ? s.YMaximum() : s.YMinimum());
        // A NaN among the values says nothing about the range.
        if (std::isnan(v)) continue;
        result = first ? v : (maximum ? std::max(result, v) : std::min(result, v));
        first = false;
    }
    return result;
}

void TChartAxis::RecalcRange() {
    rangeMin_ = SaneEnd(rangeMin_);
    rangeMax_ = SaneEnd(rangeMax_);
    rangeSize_ = rangeMax_ - rangeMin_;
    zeroRange_ = rangeSize_ == 0;
    pixelsPerUnit_ = zeroRange_ ? 0 : AxisLength() / rangeSize_;
}

void TChartAxis::AdjustRange() {
    if (automatic_ || automaticMaximum_) maximum_ = SeriesExtreme(true);
    if (automatic_ || automaticMinimum_) minimum_ = SeriesExtreme(false);
    rangeMax_ = maximum_;
    rangeMin_ = minimum_;
    RecalcRange();
}

void TChartAxis::SetPositions() {
    const TRect plot = chart_.PlotRect();
    const int origin = Horizontal() ? plot.Left : plot.Top;
    const int size = Horizontal() ? plot.Width() : plot.Height();
    auto at = [&](double percent) {
        return static_cast<int>(
            std::clamp<long long>(origin + Round(size * 0.01 * percent), -PixelLimit, PixelLimit));
    };
    start_ = at(startPosition_);
    end_ = at(endPosition_);
    RecalcRange();
}

int TChartAxis::ValueToPosition(double value) const {
    if (zeroRange_) return AxisCenter();
    const double d = (value - rangeMin_) * pixelsPerUnit_;
    double p = Horizontal() ? start_ + d : end_ - d;
    if (std::isnan(p)) return Horizontal() ? start_ : end_;
    if (p > PixelLimit) return PixelLimit;
    if (p < -PixelLimit) return -PixelLimit;
    return static_cast<int>(Round(p));
}

double TChartAxis::PositionToValue(int position) const {
    // An axis shorter than a pixel shows only its minimum.
    if (AxisLength() < 1) return rangeMin_;
    const double t = (static_cast<double>(position) - start_) * rangeSize_ / AxisLength();
    return Horizontal() ? rangeMin_ + t : rangeMax_ - t;
}

void TChartAxis::ApplyMargins(int a, int b) {
    if (zeroRange_) return;
    const int s0 = start_;
    const int e0 = end_;
    // Margins that leave no axis between them would turn the range inside out; negative ones
    // (offsets) stretch the span beyond the plot and so narrow the range.
    if (static_cast<long long>(a) + b >= AxisLength()) return;
    start_ = s0 + a;
    end_ = e0 - b;
    RecalcRange();
    const double w1 = PositionToValue(s0);
    const double w2 = PositionToValue(e0);
    SetPositions();
    rangeMin_ = std::min(w1, w2);
    rangeMax_ = std::max(w1, w2);
    RecalcRange();
}

// ---- Label step ----

double TChartAxis::NextStep(double x) {
    if (!(x > 0) || std::isinf(x)) return 1;
    // Mantissa and exponent in one step: dividing by ten over and over drifts, and a drifted
    // 4.999... would give 5 again instead of moving on to 10.
    int exponent = static_cast<int>(std::floor(std::log10(x)));
    auto power = [](int e) { return std::pow(10.0, std::abs(e)); };
    double mantissa = exponent >= 0 ? x / power(exponent) : x * power(exponent);
    if (mantissa < 1) {
        mantissa *= 10;
        --exponent;
    } else if (mantissa >= 10) {
        mantissa /= 10;
        ++exponent;
    }
    constexpr double kSlack = 1e-9;
    if (mantissa >= 10 - kSlack) {
        mantissa = 1;
        ++exponent;
    }
    const double base = mantissa < 2 - kSlack ? 2 : mantissa < 5 - kSlack ? 5 : 10;
    return exponent >= 0 ? base * power(exponent) : base / power(exponent);
}

bool TChartAxis::SomeSeriesFits(long long n) const {
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        const TChartSeries& s = chart_.Series(i);
        if (!s.Active() || !s.AssociatedToAxis(*this)) continue;
        const bool xAlong = Horizontal() == s.YIsMandatory();
        if (xAlong && s.PointCount() <= n) return true;
    }
    return false;
}

double TChartAxis::IncrementForCount(long long n) const {
    if (n < 1) return MinimumStep;
    double s;
    if (workIncrement_ > 0) {
        s = workIncrement_;
    } else if (rangeSize_ != 0) {
        s = std::fabs(rangeSize_) / static_cast<double>(n + 1);
        if (rangeSize_ >= 1 && SomeSeriesFits(n)) s = std::max(s, 1.0);
    } else {
        s = 1;
    }
    if (labelsSeparation_ >= 1) {
        long long c = n + 1;
        // Each round at least doubles s, so this ends after a few hundred rounds at most.
        for (int round = 0; round < 4000; ++round) {
            const double q = rangeSize_ / s;
            if (std::fabs(q) < 2147483647.0) {
                c = Round(q);
                if (c > n) s = NextStep(s);
            } else {
                s = NextStep(s);
            }
            if (c <= n || s > rangeSize_ || std::isinf(s)) break;
        }
    }
    if (std::isinf(s)) return rangeSize_;
    return std::max(s, MinimumStep);
}

double TChartAxis::IncrementForLabelSize(int size) const {
    long long n = 1;
    if (size > 0) {
        double room = size;
        if (labelsSeparation_ > 0) room += Round(labelsSeparation_ * 0.01 * size);
        n = Round(AxisLength() / room);
        // No room for a single value label: none is drawn (a tiny step would pile thousands
        // of them onto a few pixels once it is raised to the format's last digit). A zero
        // range has one label whatever the step, and text labels only need a step above 0.
        if (n < 1 && !zeroRange_ && EffectiveLabelStyle() == talValue) return 0;
    }
    return IncrementForCount(n);
}

// A step finer than the last digit the format shows would repeat the same label.
double TChartAxis::StepUnit() const {
    const std::string& f = valuesFormat_;
    const std::size_t section = std::min(f.find(';'), f.size());
    const std::size_t dot = f.find('.');
    if (dot == std::string::npos || dot > section) return 1;
    if (f.find_first_of("eE", 0) < section) return 0;
    int digits = 0;
    for (std::size_t i = dot + 1; i < section && (f[i] == '0' || f[i] == '#'); ++i) ++digits;
    return std::pow(10.0, -digits);
}

int TChartAxis::FontHeight(TCanvas& canvas) const {
    return canvas.TextHeight("W");
}

int TChartAxis::LabelWidth(TCanvas& canvas, const std::string& text) const {
    int widest = 0;
    for (const std::string& line : SplitLines(text))
        widest = std::max(widest, canvas.TextWidth(line));
    return widest;
}

int TChartAxis::LabelExtent(TCanvas& canvas, const std::string& text) const {
    const int lines = static_cast<int>(SplitLines(text).size());
    // Labels are drawn level: along a horizontal axis a label takes its width, along a
    // vertical one its lines.
    if (Horizontal()) return LabelWidth(canvas, text);
    return FontHeight(canvas) * lines;
}

double TChartAxis::ComputeIncrement() {
    TCanvas& canvas = chart_.ChartCanvas();
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    auto measure = [&](std::initializer_list<double> values) {
        int size = 0;
        for (double v : values) size = std::max(size, LabelExtent(canvas, LabelText(v)));
        return size;
    };
    workIncrement_ = increment_;
    const double lo = rangeMin_;
    const double hi = rangeMax_;
    double mid = (lo + hi) * 0.5;
    for (int i = 0; i < 2100 && !HasFraction(mid) && mid != 0; ++i) mid *= 0.5;
    double s = IncrementForLabelSize(measure({lo, mid, hi}));
    if (increment_ == 0 && s >= 2) {
        // Once more from a step of 1, so that the step climbs 1, 2, 5, 10, ... until the
        // labels fit.
        workIncrement_ = 1;
        const double rlo = static_cast<double>(Round(rangeMin_));
        const double rhi = static_cast<double>(Trunc(rangeMax_));
        s = IncrementForLabelSize(measure({rlo, (rlo + rhi) * 0.5, rhi, rhi - 1, rlo + 1}));
        workIncrement_ = 0;
    }
    workIncrement_ = 0;
    return s > 0 ? std::max(s, StepUnit()) : 0;
}

std::string TChartAxis::LabelText(double value) const {
    return FormatFloat(valuesFormat_, value);
}

TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const {
    if (labelStyle_ != talAuto) return labelStyle_;
    TAxisLabelStyle style = talNone;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        const TChartSeries& s = chart_.Series(i);
        if (!s.Active() || !s.AssociatedToAxis(*this)) continue;
        style = talValue;
        const bool carriesX = Horizontal() == s.YIsMandatory();
        if (carriesX && s.HasLabels()) {
            for (int p = 0; p < s.PointCount(); ++p)
                if (!s.PointLabel(p).empty()) return talText;
        }
    }
    return style;
}

// ---- Labels ----

std::vector<double> TChartAxis::ValueLabelValues(double step) const {
    std::vector<double> values;
    if (!(step > 0) || rangeMax_ < rangeMin_) return values;
    if (std::fabs(rangeSize_ / step) >= kMaxLabels) return values;
    double top = rangeMax_;
    double k = 0;
    bool multiples = false;
    if (roundFirstLabel_ && FloatToStr(rangeMin_) != FloatToStr(rangeMax_)) {
        const double q = rangeMax_ / step;
        if (std::fabs(q) <= kExactQuotient) {
            // The largest multiple of the step not above the maximum, allowing for the
            // rounding of the division (1.2 / 0.1 is 11.999...).
            k = std::floor(q);
            if ((k + 1) * step - rangeMax_ <= 1e-9 * step) k += 1;
            top = k * step;
            multiples = true;
        }
    }
    auto at = [&](int j) { return multiples ? (k - j) * step : top - j * step; };
    if (zeroRange_ || std::fabs(rangeMax_ - rangeMin_) < 1e-10 ||
        FloatToStr(at(0)) == FloatToStr(at(1))) {
        values.push_back(at(0));
        return values;
    }
    const double limit = rangeMin_ - 1e-9 * step;
    for (int j = 0; j <= kMaxLabels + 1; ++j) {
        const double v = at(j);
        if (!(v >= limit)) break;
        values.push_back(v);
    }
    return values;
}

int TChartAxis::MaxLabelsWidth() {
    TCanvas& canvas = chart_.ChartCanvas();
    switch (EffectiveLabelStyle()) {
        case talNone:
            return 0;
        case talValue: {
            const double s = ComputeIncrement();
            TCanvasStateSaver saver(canvas);
            canvas.Font() = labelsFont_.Font();
            // Every label that will be drawn, not only the two ends: a middle one can be the
            // widest ("6.5" between "7" and "0").
            std::vector<double> values = ValueLabelValues(s);
            if (values.empty()) values = {rangeMin_, rangeMax_};
            int widest = 0;
            for (double v : values) widest = std::max(widest, LabelWidth(canvas, LabelText(v)));
            return widest + canvas.TextWidth(" ");
        }
        case talText:
        case talMark: {
            TCanvasStateSaver saver(canvas);
            canvas.Font() = labelsFont_.Font();
            int widest = 0;
            for (int i = 0; i < chart_.SeriesCount(); ++i) {
                TChartSeries& s = chart_.Series(i);
                if (!s.Active() || !s.AssociatedToAxis(*this)) continue;
                for (int p = 0; p < s.PointCount(); ++p) {
                    const std::string text =
                        EffectiveLabelStyle() == talMark ? s.MarkText(p) : s.PointLabel(p);
                    if (!text.empty()) widest = std::max(widest, LabelWidth(canvas, text));
                }
            }
            return widest;
        }
        case talAuto:
            break;
    }
    return 0;
}

int TChartAxis::LabelBandSize() {
    if (labelsSize_ != 0) return labelsSize_;
    TCanvas& canvas = chart_.ChartCanvas();
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    // Labels are drawn level: a horizontal axis needs a line of text, a vertical one the widest.
    if (Horizontal()) return FontHeight(canvas);
    return MaxLabelsWidth();
}

bool TChartAxis::BandContains(int x, int y) const {
    const int lo = std::min(bandOuter_, bandInner_);
    const int hi = std::max(bandOuter_, bandInner_);
    const int across = Horizontal() ? y : x;
    const int along = Horizontal() ? x : y;
    return across >= lo && across <= hi && along >= start_ && along <= end_;
}

void TChartAxis::ReserveSpace(TRect& rect, int labelFloor) {
    TCanvas& canvas = chart_.ChartCanvas();
    auto side = [&] {
        switch (kind_) {
            case akBottom:
                return rect.Bottom;
            case akTop:
                return rect.Top;
            case akLeft:
                return rect.Left;
            case akRight:
                return rect.Right;
            default:
                return 0;
        }
    };
    bandOuter_ = side();
    auto take = [&](int size) {
        switch (kind_) {
            case akBottom:
                rect.Bottom -= size;
                return rect.Bottom;
            case akTop:
                rect.Top += size;
                return rect.Top;
            case akLeft:
                rect.Left += size;
                return rect.Left;
            case akRight:
                rect.Right -= size;
                return rect.Right;
            default:
                return 0;
        }
    };
    auto levelSize = [&](int angle, const TFont& font, auto&& width) {
        TCanvasStateSaver saver(canvas);
        canvas.Font() = font;
        const bool across = angle == 90 || angle == 270;
        const bool level = angle == 0 || angle == 180;
        if ((!Horizontal() && across) || (Horizontal() && level)) return FontHeight(canvas);
        return width();
    };
    if (title_.Visible() && !title_.Caption().empty()) {
        int size = titleSize_;
        if (size == 0)
            size = levelSize(title_.Angle(), title_.Font().Font(),
                             [&] { return canvas.TextWidth(title_.Caption()); });
        titlePosition_ = take(size);
    }
    labelBand_ = 0;
    if (labels_) {
        labelBand_ = std::max(LabelBandSize(), labelFloor);
        labelsPosition_ = take(labelBand_);
    }
    int inner = 0;
    if (axisPen_.Visible()) inner += axisPen_.Width() + 1;
    if (ticks_.Visible()) inner += tickLength_;
    if (minorTicks_.Visible()) inner = std::max(inner, minorTickLength_);
    if (inner > 0) take(inner);
    bandInner_ = side();
}

void TChartAxis::PlaceLabel(TCanvas& canvas, int p, double value, const std::string& text) {
    if (tickOnLabelsOnly_) tickPositions_.push_back(p);
    drawnLabels_.push_back({value, text, p});
    canvas.Font() = labelsFont_.Font();
    if (Horizontal())
        DrawLabelText(canvas, p, labelsPosition_, 0, text);
    else
        DrawLabelText(canvas, labelsPosition_, p, 0, text);
}

void TChartAxis::DrawValueLabels(TCanvas& canvas, double step) {
    for (double v : ValueLabelValues(step)) {
        const int p = ValueToPosition(v);
        if (labelsOnAxis_ || (p > start_ && p < end_)) {
            if (labels_)
                PlaceLabel(canvas, p, v, LabelText(v));
            else if (tickOnLabelsOnly_)
                tickPositions_.push_back(p);
        }
        if (!tickOnLabelsOnly_) tickPositions_.push_back(p);
    }
}

void TChartAxis::DrawTextLabels(TCanvas& canvas) {
    const bool marks = EffectiveLabelStyle() == talMark;
    std::vector<TChartSeries*> series;
    int first = -1, last = -1;
    for (int i = 0; i < chart_.SeriesCount(); ++i) {
        TChartSeries& s = chart_.Series(i);
        if (!s.Active() || !s.AssociatedToAxis(*this)) continue;
        series.push_back(&s);
        if (s.FirstShownIndex() >= 0)
            first = first < 0 ? s.FirstShownIndex() : std::min(first, s.FirstShownIndex());
        last = std::max(last, s.LastShownIndex());
    }
    if (first < 0 || last < 0) return;
    int lastPos = -1;
    int lastHalf = 0;
    canvas.Font() = labelsFont_.Font();
    for (int i = first; i <= last; ++i) {
        std::string text;
        double value = 0;
        bool found = false;
        for (TChartSeries* s : series) {
            if (i < s->FirstShownIndex() || i > s->LastShownIndex() || i >= s->PointCount())
                continue;
            text = marks ? s->MarkText(i) : s->PointLabel(i);
            if (text.empty()) continue;
            value = Horizontal() ? s->XValueAt(i) : s->YValueAt(i);
            found = true;
            break;
        }
        if (!found || !(value >= rangeMin_ && value <= rangeMax_)) continue;
        const int p = ValueToPosition(value);
        if (!tickOnLabelsOnly_) tickPositions_.push_back(p);
        if (!labels_) continue;
        if (labelsSeparation_ != 0 && lastPos != -1 && p >= lastPos &&
            p < static_cast<long long>(lastPos) + lastHalf)
            continue;  // too close whatever its size: spares measuring it
        int size = LabelExtent(canvas, text);
        if (labelsSeparation_ != 0 && lastPos != -1) {
            size = static_cast<int>((size + Trunc(size * 0.02 * labelsSeparation_)) / 2);
            const bool fits = (p >= lastPos && p - size >= lastPos + lastHalf) ||
                              (p < lastPos && p + size <= lastPos - lastHalf);
            if (!fits) continue;
            PlaceLabel(canvas, p, value, text);
            lastPos = p;
            lastHalf = size;
        } else {
            PlaceLabel(canvas, p, value, text);
            lastPos = p;
            lastHalf = size / 2;
        }
    }
}

void TChartAxis::DrawLabelText(TCanvas& canvas, int x, int y, int angle, const std::string& text) {
    TCanvasStateSaver saver(canvas);
    const std::vector<std::string> lines = SplitLines(text);
    const int n = static_cast<int>(lines.size());
    const int fh = FontHeight(canvas);
    canvas.Brush().Style = bsClear;
    if (angle == 90 || angle == 270) {
        TFont font = canvas.Font();
        font.SetOrientation(angle * 10);
        canvas.Font() = font;
        canvas.SetTextAlign(taCenter | taTop);
        // Read upwards, the text's top faces away from the plot; each line steps towards it.
        const int sign = angle == 90 ? 1 : -1;
        int at = x - sign * static_cast<int>(Round(static_cast<double>(fh) * n));
        for (const std::string& line : lines) {
            canvas.TextOut(at, y, line);
            at += sign * fh;
        }
        return;
    }
    unsigned align = taLeft | taTop;
    switch (kind_) {
        case akBottom:
            align = taCenter | taTop;
            y -= fh;
            break;
        case akTop:
            align = taCenter | taBottom;
            y -= static_cast<int>(Round(static_cast<double>(fh) * n));
            break;
        case akLeft:
        case akRight:
            align = (kind_ == akLeft ? taRight : taLeft) | taTop;
            y -= fh / 2 + static_cast<int>(Round(fh * 0.5 * (n + 1)));
            break;
        default:
            break;
    }
    canvas.SetTextAlign(align);
    for (const std::string& line : lines) {
        y += fh;
        canvas.TextOut(x, y, line);
    }
}

// ---- Drawing ----

void TChartAxis::Draw(TCanvas& canvas, bool setPosition) {
    TCanvasStateSaver saver(canvas);
    if (setPosition) {
        const TRect plot = chart_.PlotRect();
        switch (kind_) {
            case akBottom:
                axisPosition_ = plot.Bottom;
                break;
            case akTop:
                axisPosition_ = plot.Top;
                break;
            case akLeft:
                axisPosition_ = plot.Left;
                break;
            case akRight:
                axisPosition_ = plot.Right;
                break;
            default:
                break;
        }
    }
    if (title_.Visible() && !title_.Caption().empty()) {
        canvas.Font() = title_.Font().Font();
        if (Horizontal())
            DrawLabelText(canvas, AxisCenter(), titlePosition_, title_.Angle(), title_.Caption());
        else
            DrawLabelText(canvas, titlePosition_, AxisCenter(), title_.Angle(), title_.Caption());
    }
    tickPositions_.clear();
    drawnLabels_.clear();
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style != talNone) {
        canvas.Font() = labelsFont_.Font();
        const double step = ComputeIncrement();
        // Text labels only need a positive step and a range that is not inside out.
        if (style == talValue)
            DrawValueLabels(canvas, step);
        else if (step > 0 && rangeMax_ >= rangeMin_)
            DrawTextLabels(canvas);
    }
    DrawLinesAndTicks(canvas);
}

void TChartAxis::DrawLinesAndTicks(TCanvas& canvas) {
    const int pos = axisPosition_;
    // Outward is down for the bottom axis, left for the left axis.
    const int outward = kind_ == akBottom || kind_ == akRight ? 1 : -1;
    // A pen w wide covers pos - w/2 ... pos - w/2 + w - 1; ticks start on the first pixel
    // beyond it.
    const int width = axisPen_.Visible() ? std::max(1, axisPen_.Width()) : 1;
    const int outside = outward > 0 ? pos - width / 2 + width : pos - width / 2 - 1;
    const int inside = outward > 0 ? pos - width / 2 - 1 : pos - width / 2 + width;
    auto line = [&](int along, int from, int length) {
        if (length <= 0) return;
        if (Horizontal()) {
            canvas.MoveTo(along, from);
            canvas.LineTo(along, from + outward * length);
        } else {
            canvas.MoveTo(from, along);
            canvas.LineTo(from + outward * length, along);
        }
    };
    if (axisPen_.Visible()) {
        axisPen_.Apply(canvas);
        if (Horizontal()) {
            canvas.MoveTo(start_, pos);
            canvas.LineTo(end_, pos);
        } else {
            canvas.MoveTo(pos, start_);
            canvas.LineTo(pos, end_);
        }
    }
    if (ticks_.Visible()) {
        ticks_.Apply(canvas);
        for (int t : tickPositions_) line(t, outside, tickLength_);
    }
    if (grid_.Visible()) {
        grid_.Apply(canvas);
        const TRect plot = chart_.PlotRect();
        for (int t : tickPositions_) {
            if (t <= start_ || t >= end_) continue;
            if (Horizontal()) {
                canvas.MoveTo(t, plot.Top);
                canvas.LineTo(t, plot.Bottom);
            } else {
                canvas.MoveTo(plot.Left, t);
                canvas.LineTo(plot.Right, t);
            }
        }
    }
    if (ticksInner_.Visible() && tickInnerLength_ > 0) {
        ticksInner_.Apply(canvas);
        for (int t : tickPositions_) {
            if (Horizontal()) {
                canvas.MoveTo(t, inside);
                canvas.LineTo(t, inside - outward * tickInnerLength_);
            } else {
                canvas.MoveTo(inside, t);
                canvas.LineTo(inside - outward * tickInnerLength_, t);
            }
        }
    }
    const std::size_t k = tickPositions_.size();
    if (minorTicks_.Visible() && k > 0 && minorTickCount_ > 0) {
        minorTicks_.Apply(canvas);
        auto minor = [&](long long t) {
            if (t > start_ && t < end_) line(static_cast<int>(t), outside, minorTickLength_);
        };
        const auto& t = tickPositions_;
        if (k > 1) {
            const double g = static_cast<double>(t[1] - t[0]) / (minorTickCount_ + 1);
            for (int d = 1; d <= minorTickCount_; ++d) {
                minor(t[0] - Round(d * g));
                minor(t[k - 1] + Round(d * g));
            }
        }
        for (std::size_t i = 1; i < k; ++i) {
            const double g = static_cast<double>(t[i] - t[i - 1]) / (minorTickCount_ + 1);
            for (int j = 1; j <= minorTickCount_; ++j) minor(t[i] - Round(g * j));
        }
    }
}
