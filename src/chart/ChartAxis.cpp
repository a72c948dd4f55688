#include "chart/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/NumberFormat.h"
#include "base/Rounding.h"
#include "base/StoreChanged.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSetters_p.h"

namespace {

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

int FontHeight(TCanvas& canvas) {
    return canvas.TextHeight("W");
}

int LabelWidth(TCanvas& canvas, const std::string& text) {
    int widest = 0;
    for (const std::string& line : SplitLines(text))
        widest = std::max(widest, canvas.TextWidth(line));
    return widest;
}

// A step finer than the last digit the format shows would repeat the same label.
double FinestStep(const std::string& format) {
    const std::string& f = format;
    const std::size_t section = std::min(f.find(';'), f.size());
    const std::size_t dot = f.find('.');
    if (dot == std::string::npos || dot > section) return 1;
    if (f.find_first_of("eE", 0) < section) return 0;
    int digits = 0;
    for (std::size_t i = dot + 1; i < section && (f[i] == '0' || f[i] == '#'); ++i) ++digits;
    return std::pow(10.0, -digits);
}

}  // namespace

void TChartAxisTitle::SetCaption(const std::string& caption) {
    if (StoreChanged(caption_, caption) && chart_) chart_->RequestRepaint();
}

void TChartAxisTitle::SetAngle(int angle) {
    angle = ((angle % 360) + 360) % 360;
    if (StoreChanged(angle_, angle) && chart_) chart_->RequestRepaint();
}

void TChartAxisTitle::SetVisible(bool visible) {
    if (StoreChanged(visible_, visible) && chart_) chart_->RequestRepaint();
}

TChartAxis::TChartAxis(TCustomChartPanel& chart, TAxisSeries& series, TAxisKind kind)
    : chart_(chart),
      series_(series),
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
      labelsFont_(&chart),
      scale_(kind == akBottom || kind == akTop) {
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
#define VIGIL_AXIS_SIZE_SETTER(Name, field)                               \
    void TChartAxis::Set##Name(int value) {                               \
        if (StoreChanged(field, std::clamp(value, 0, 100000))) Changed(); \
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
    if (!StoreChanged(automaticMinimum_, value)) return;
    automatic_ = automaticMinimum_ && automaticMaximum_;
    Changed();
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    if (!StoreChanged(automaticMaximum_, value)) return;
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
    double lo = TAxisScale::SaneEnd(std::min(a, b));
    double hi = TAxisScale::SaneEnd(std::max(a, b));
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

// ---- Layout ----

std::string TChartAxis::LabelText(double value) const {
    return FormatFloat(valuesFormat_, value);
}

TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const {
    return labelStyle_ != talAuto ? labelStyle_ : series_.AutomaticLabelStyle(*this);
}

void TChartAxis::AdjustRange(double seriesMinimum, double seriesMaximum) {
    if (automatic_ || automaticMaximum_) maximum_ = seriesMaximum;
    if (automatic_ || automaticMinimum_) minimum_ = seriesMinimum;
    scale_.SetRange(minimum_, maximum_);
}

void TChartAxis::SetPositions(const TRect& plot) {
    if (Horizontal())
        scale_.SetSpan(plot.Left, plot.Width(), startPosition_, endPosition_);
    else
        scale_.SetSpan(plot.Top, plot.Height(), startPosition_, endPosition_);
}

TAxisStepRule TChartAxis::StepRule() const {
    return {increment_, labelsSeparation_, EffectiveLabelStyle() == talValue,
            series_.FewestPointsAlong(*this), FinestStep(valuesFormat_)};
}

TAxisMarkRule TChartAxis::MarkRule() const {
    return {labels_, labelsOnAxis_, tickOnLabelsOnly_, labelsSeparation_};
}

int TChartAxis::LabelExtent(TCanvas& canvas, const std::string& text) const {
    const int lines = static_cast<int>(SplitLines(text).size());
    // Labels are drawn level: along a horizontal axis a label takes its width, along a
    // vertical one its lines.
    if (Horizontal()) return LabelWidth(canvas, text);
    return FontHeight(canvas) * lines;
}

double TChartAxis::LabelStep(TCanvas& canvas) const {
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    return scale_.LabelStep(StepRule(),
                            [&](double v) { return LabelExtent(canvas, LabelText(v)); });
}

int TChartAxis::MaxLabelsWidth(TCanvas& canvas) {
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == talNone || style == talAuto) return 0;
    const double step = style == talValue ? LabelStep(canvas) : 0;
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    int widest = 0;
    if (style != talValue) {
        series_.EachPointText(*this, style == talMark, [&](const std::string& text) {
            widest = std::max(widest, LabelWidth(canvas, text));
        });
        return widest;
    }
    // Every label that will be drawn, not only the two ends: a middle one can be the widest
    // ("6.5" between "7" and "0").
    std::vector<double> values = scale_.LabelValues(step, roundFirstLabel_);
    if (values.empty()) values = {RangeMinimum(), RangeMaximum()};
    for (double v : values) widest = std::max(widest, LabelWidth(canvas, LabelText(v)));
    return widest + canvas.TextWidth(" ");
}

int TChartAxis::LabelBandSize(TCanvas& canvas) {
    if (labelsSize_ != 0) return labelsSize_;
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    // Labels are drawn level: a horizontal axis needs a line of text, a vertical one the widest.
    if (Horizontal()) return FontHeight(canvas);
    return MaxLabelsWidth(canvas);
}

bool TChartAxis::BandContains(int x, int y) const {
    const int lo = std::min(bandOuter_, bandInner_);
    const int hi = std::max(bandOuter_, bandInner_);
    const int across = Horizontal() ? y : x;
    const int along = Horizontal() ? x : y;
    return across >= lo && across <= hi && along >= AxisStart() && along <= AxisEnd();
}

void TChartAxis::ReserveSpace(TCanvas& canvas, TRect& rect, int labelFloor) {
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
        labelBand_ = std::max(LabelBandSize(canvas), labelFloor);
        labelsPosition_ = take(labelBand_);
    }
    int inner = 0;
    if (axisPen_.Visible()) inner += axisPen_.Width() + 1;
    if (ticks_.Visible()) inner += tickLength_;
    if (minorTicks_.Visible()) inner = std::max(inner, minorTickLength_);
    if (inner > 0) take(inner);
    bandInner_ = side();
}

void TChartAxis::PlaceMarks(TCanvas& canvas, const TRect& plot) {
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
    marks_ = {};
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == talNone) return;
    const double step = LabelStep(canvas);
    if (style == talValue) {
        marks_ = scale_.ValueMarks(step, roundFirstLabel_, MarkRule(),
                                   [&](double v) { return LabelText(v); });
        return;
    }
    // Text labels only need a positive step and a range that is not inside out.
    if (!(step > 0) || RangeMaximum() < RangeMinimum()) return;
    TCanvasStateSaver saver(canvas);
    canvas.Font() = labelsFont_.Font();
    const bool marks = style == talMark;
    marks_ = scale_.TextMarks(
        [&](const TAxisLabelVisit& visit) { series_.EachShownPointText(*this, marks, visit); },
        MarkRule(), [&](const std::string& text) { return LabelExtent(canvas, text); });
}

// ---- Drawing ----

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

void TChartAxis::Draw(TCanvas& canvas, const TRect& plot) {
    TCanvasStateSaver saver(canvas);
    if (title_.Visible() && !title_.Caption().empty()) {
        canvas.Font() = title_.Font().Font();
        if (Horizontal())
            DrawLabelText(canvas, AxisCenter(), titlePosition_, title_.Angle(), title_.Caption());
        else
            DrawLabelText(canvas, titlePosition_, AxisCenter(), title_.Angle(), title_.Caption());
    }
    canvas.Font() = labelsFont_.Font();
    for (const TAxisLabel& label : marks_.Labels) {
        if (Horizontal())
            DrawLabelText(canvas, label.Position, labelsPosition_, 0, label.Text);
        else
            DrawLabelText(canvas, labelsPosition_, label.Position, 0, label.Text);
    }
    DrawLinesAndTicks(canvas, plot);
}

void TChartAxis::DrawLinesAndTicks(TCanvas& canvas, const TRect& plot) {
    const int pos = axisPosition_;
    const int start = AxisStart();
    const int end = AxisEnd();
    const std::vector<int>& ticks = marks_.Ticks;
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
            canvas.MoveTo(start, pos);
            canvas.LineTo(end, pos);
        } else {
            canvas.MoveTo(pos, start);
            canvas.LineTo(pos, end);
        }
    }
    if (ticks_.Visible()) {
        ticks_.Apply(canvas);
        for (int t : ticks) line(t, outside, tickLength_);
    }
    if (grid_.Visible()) {
        grid_.Apply(canvas);
        for (int t : ticks) {
            if (t <= start || t >= end) continue;
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
        for (int t : ticks) {
            if (Horizontal()) {
                canvas.MoveTo(t, inside);
                canvas.LineTo(t, inside - outward * tickInnerLength_);
            } else {
                canvas.MoveTo(inside, t);
                canvas.LineTo(inside - outward * tickInnerLength_, t);
            }
        }
    }
    const std::size_t k = ticks.size();
    if (minorTicks_.Visible() && k > 0 && minorTickCount_ > 0) {
        minorTicks_.Apply(canvas);
        auto minor = [&](long long t) {
            if (t > start && t < end) line(static_cast<int>(t), outside, minorTickLength_);
        };
        const auto& t = ticks;
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
