#include "chart/AxisScale.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "base/NumberFormat.h"
#include "base/Rounding.h"

namespace {

// Ends beyond this are pulled in, so that a range size is always a finite number.
constexpr double kValueLimit = 1e300;
// The largest quotient value / step that still names a multiple of the step exactly.
constexpr double kExactQuotient = 1e15;
constexpr int kMaxLabels = 10000;

bool HasFraction(double v) {
    return std::floor(v) != v;
}

}  // namespace

double TAxisScale::SaneEnd(double v) {
    if (std::isnan(v)) return 0;
    return std::clamp(v, -kValueLimit, kValueLimit);
}

void TAxisScale::Recalc() {
    min_ = SaneEnd(min_);
    max_ = SaneEnd(max_);
    size_ = max_ - min_;
    zeroRange_ = size_ == 0;
    pixelsPerUnit_ = zeroRange_ ? 0 : Length() / size_;
}

void TAxisScale::SetRange(double minimum, double maximum) {
    min_ = minimum;
    max_ = maximum;
    Recalc();
}

void TAxisScale::SetSpan(int origin, int size, double startPercent, double endPercent) {
    auto at = [&](double percent) {
        return static_cast<int>(
            std::clamp<long long>(origin + Round(size * 0.01 * percent), -PixelLimit, PixelLimit));
    };
    start_ = at(startPercent);
    end_ = at(endPercent);
    Recalc();
}

int TAxisScale::ValueToPosition(double value) const {
    if (zeroRange_) return Center();
    const double d = (value - min_) * pixelsPerUnit_;
    double p = horizontal_ ? start_ + d : end_ - d;
    if (std::isnan(p)) return horizontal_ ? start_ : end_;
    if (p > PixelLimit) return PixelLimit;
    if (p < -PixelLimit) return -PixelLimit;
    return static_cast<int>(Round(p));
}

double TAxisScale::PositionToValue(int position) const {
    // An axis shorter than a pixel shows only its minimum.
    if (Length() < 1) return min_;
    const double t = (static_cast<double>(position) - start_) * size_ / Length();
    return horizontal_ ? min_ + t : max_ - t;
}

void TAxisScale::ApplyMargins(int a, int b) {
    if (zeroRange_) return;
    const int s0 = start_;
    const int e0 = end_;
    // Margins that leave no axis between them would turn the range inside out; negative ones
    // (offsets) stretch the span beyond the plot and so narrow the range.
    if (static_cast<long long>(a) + b >= Length()) return;
    start_ = s0 + a;
    end_ = e0 - b;
    Recalc();
    const double w1 = PositionToValue(s0);
    const double w2 = PositionToValue(e0);
    start_ = s0;
    end_ = e0;
    SetRange(std::min(w1, w2), std::max(w1, w2));
}

// ---- Label step ----

double TAxisScale::NextStep(double x) {
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

// The step for at most n labels, searched from work when it is set.
double TAxisScale::IncrementForCount(long long n, double work, const TAxisStepRule& rule) const {
    if (n < 1) return MinimumStep;
    double s;
    if (work > 0) {
        s = work;
    } else if (size_ != 0) {
        s = std::fabs(size_) / static_cast<double>(n + 1);
        // A series with no more points than labels: no step finer than one point.
        const bool fits = rule.FewestPointsAlong >= 0 && rule.FewestPointsAlong <= n;
        if (size_ >= 1 && fits) s = std::max(s, 1.0);
    } else {
        s = 1;
    }
    if (rule.LabelsSeparation >= 1) {
        long long c = n + 1;
        // Each round at least doubles s, so this ends after a few hundred rounds at most.
        for (int round = 0; round < 4000; ++round) {
            const double q = size_ / s;
            if (std::fabs(q) < 2147483647.0) {
                c = Round(q);
                if (c > n) s = NextStep(s);
            } else {
                s = NextStep(s);
            }
            if (c <= n || s > size_ || std::isinf(s)) break;
        }
    }
    if (std::isinf(s)) return size_;
    return std::max(s, MinimumStep);
}

double TAxisScale::IncrementForLabelSize(int size, double work, const TAxisStepRule& rule) const {
    long long n = 1;
    if (size > 0) {
        double room = size;
        if (rule.LabelsSeparation > 0) room += Round(rule.LabelsSeparation * 0.01 * size);
        n = Round(Length() / room);
        // No room for a single value label: none is drawn (a tiny step would pile thousands
        // of them onto a few pixels once it is raised to the format's last digit). A zero
        // range has one label whatever the step, and text labels only need a step above 0.
        if (n < 1 && !zeroRange_ && rule.ValueLabels) return 0;
    }
    return IncrementForCount(n, work, rule);
}

double TAxisScale::LabelStep(const TAxisStepRule& rule, const TValueExtent& extent) const {
    auto measure = [&](std::initializer_list<double> values) {
        int size = 0;
        for (double v : values) size = std::max(size, extent(v));
        return size;
    };
    double mid = (min_ + max_) * 0.5;
    for (int i = 0; i < 2100 && !HasFraction(mid) && mid != 0; ++i) mid *= 0.5;
    double s = IncrementForLabelSize(measure({min_, mid, max_}), rule.Increment, rule);
    if (rule.Increment == 0 && s >= 2) {
        // Once more from a step of 1, so that the step climbs 1, 2, 5, 10, ... until the
        // labels fit.
        const double lo = static_cast<double>(Round(min_));
        const double hi = static_cast<double>(Trunc(max_));
        s = IncrementForLabelSize(measure({lo, (lo + hi) * 0.5, hi, hi - 1, lo + 1}), 1, rule);
    }
    return s > 0 ? std::max(s, rule.FinestStep) : 0;
}

// ---- Label positions ----

std::vector<double> TAxisScale::LabelValues(double step, bool roundFirst) const {
    std::vector<double> values;
    if (!(step > 0) || max_ < min_) return values;
    if (std::fabs(size_ / step) >= kMaxLabels) return values;
    double top = max_;
    double k = 0;
    bool multiples = false;
    if (roundFirst && FloatToStr(min_) != FloatToStr(max_)) {
        const double q = max_ / step;
        if (std::fabs(q) <= kExactQuotient) {
            // The largest multiple of the step not above the maximum, allowing for the
            // rounding of the division (1.2 / 0.1 is 11.999...).
            k = std::floor(q);
            if ((k + 1) * step - max_ <= 1e-9 * step) k += 1;
            top = k * step;
            multiples = true;
        }
    }
    auto at = [&](int j) { return multiples ? (k - j) * step : top - j * step; };
    if (zeroRange_ || std::fabs(max_ - min_) < 1e-10 || FloatToStr(at(0)) == FloatToStr(at(1))) {
        values.push_back(at(0));
        return values;
    }
    const double limit = min_ - 1e-9 * step;
    for (int j = 0; j <= kMaxLabels + 1; ++j) {
        const double v = at(j);
        if (!(v >= limit)) break;
        values.push_back(v);
    }
    return values;
}

TAxisMarks TAxisScale::ValueMarks(double step, bool roundFirst, const TAxisMarkRule& rule,
                                  const TValueText& text) const {
    TAxisMarks marks;
    for (double v : LabelValues(step, roundFirst)) {
        const int p = ValueToPosition(v);
        if (rule.LabelsOnAxis || (p > start_ && p < end_)) {
            if (rule.TickOnLabelsOnly) marks.Ticks.push_back(p);
            if (rule.Labels) marks.Labels.push_back({v, text(v), p});
        }
        if (!rule.TickOnLabelsOnly) marks.Ticks.push_back(p);
    }
    return marks;
}

TAxisMarks TAxisScale::TextMarks(const TAxisLabelCandidates& candidates, const TAxisMarkRule& rule,
                                 const TTextExtent& extent) const {
    TAxisMarks marks;
    int lastPos = -1;
    int lastHalf = 0;
    auto place = [&](double value, const std::string& text, int p, int half) {
        if (rule.TickOnLabelsOnly) marks.Ticks.push_back(p);
        marks.Labels.push_back({value, text, p});
        lastPos = p;
        lastHalf = half;
    };
    candidates([&](double value, const std::string& text) {
        if (!(value >= min_ && value <= max_)) return;
        const int p = ValueToPosition(value);
        if (!rule.TickOnLabelsOnly) marks.Ticks.push_back(p);
        if (!rule.Labels) return;
        const bool crowding = rule.LabelsSeparation != 0 && lastPos != -1;
        if (crowding && p >= lastPos && p < static_cast<long long>(lastPos) + lastHalf)
            return;  // too close whatever its size: spares measuring it
        int size = extent(text);
        if (!crowding) {
            place(value, text, p, size / 2);
            return;
        }
        size = static_cast<int>((size + Trunc(size * 0.02 * rule.LabelsSeparation)) / 2);
        const bool fits = (p >= lastPos && p - size >= lastPos + lastHalf) ||
                          (p < lastPos && p + size <= lastPos - lastHalf);
        if (fits) place(value, text, p, size);
    });
    return marks;
}
