#include "chart/BarSeries.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/Rounding.h"
#include "base/StoreChanged.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSetters_p.h"
#include "chart/CustomChart.h"

namespace {

// Round(percent * slot / 100) in integers, halves to even: 70 * 15 / 100 is exactly 10.5.
long long PercentOf(long long percent, long long slot) {
    const long long num = percent * slot;
    long long q = num / 100;
    long long r = num % 100;
    if (r < 0) {
        r += 100;
        --q;
    }
    if (r * 2 > 100 || (r * 2 == 100 && (q & 1))) ++q;
    return q;
}

TColor Darker(TColor c, int amount) {
    const TColor rgb = ColorToRGB(c);
    auto dim = [&](unsigned v) { return static_cast<unsigned>(std::max(0, int(v) - amount)); };
    return RGB(dim(GetRValue(rgb)), dim(GetGValue(rgb)), dim(GetBValue(rgb)));
}

}  // namespace

VIGIL_CHART_SETTER(TBarSeriesGradient, Visible, visible_, bool, Changed())
VIGIL_CHART_SETTER(TBarSeriesGradient, Direction, direction_, TChartGradientDirection, Changed())
VIGIL_CHART_SETTER(TBarSeriesGradient, StartColor, startColor_, TColor, Changed())
VIGIL_CHART_SETTER(TBarSeriesGradient, MidColor, midColor_, TColor, Changed())
VIGIL_CHART_SETTER(TChartShadow, Visible, visible_, bool, Changed())
VIGIL_CHART_SETTER(TChartShadow, Color, color_, TColor, Changed())
VIGIL_CHART_SETTER(TChartShadow, HorizSize, horizSize_, int, Changed())
VIGIL_CHART_SETTER(TChartShadow, VertSize, vertSize_, int, Changed())

TCustomBarSeries::TCustomBarSeries(TComponent* owner)
    : TChartSeries(owner),

      barBrush_(nullptr),
      barPen_(nullptr),
      tickLines_(nullptr, clBlack, 1, false),
      gradient_(nullptr),
      shadow_(nullptr) {
    YValues().SetName("Bar");
    Marks().SetVisible(true);
}

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
    Gradient().SetDirection(TChartGradientDirection::gdTopBottom);
}

void TBarSeries::SetCustomBarWidth(int width) {
    width = std::clamp(width, 0, 100000);
    if (StoreChanged(customBarWidth_, width)) RequestRepaint();
}

bool TCustomBarSeries::SameKind(const TChartSeries& other) const {
    return dynamic_cast<const TCustomBarSeries*>(&other) != nullptr;
}

template <class F>
void TCustomBarSeries::ForOtherBars(F&& fn) {
    if (!ParentChart()) return;
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
        auto* bar = dynamic_cast<TCustomBarSeries*>(&ParentChart()->Series(i));
        if (bar && bar != this) fn(*bar);
    }
}

void TCustomBarSeries::AddedToChart() {
    barBrush_.SetChart(ParentChart());
    barPen_.SetChart(ParentChart());
    tickLines_.SetChart(ParentChart());
    gradient_.SetChart(ParentChart());
    shadow_.SetChart(ParentChart());
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
        auto* first = dynamic_cast<TCustomBarSeries*>(&ParentChart()->Series(i));
        if (!first) continue;
        multiBar_ = first->multiBar_;
        sideMargins_ = first->sideMargins_;
        break;
    }
}

VIGIL_CHART_SETTER(TCustomBarSeries, AutoBarSize, autoBarSize_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, BarStyle, barStyle_, TBarStyle, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, OffsetPercent, offsetPercent_, int, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, UseYOrigin, useYOrigin_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, YOrigin, yOrigin_, double, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, StackGroup, stackGroup_, int, RequestRepaint())
VIGIL_CHART_SETTER(TCustomBarSeries, DarkPen, darkPen_, int, RequestRepaint())

void TCustomBarSeries::SetBarWidthPercent(int percent) {
    percent = std::clamp(percent, 1, 100);
    if (StoreChanged(barWidthPercent_, percent)) RequestRepaint();
}

void TCustomBarSeries::SetMultiBar(TMultiBar value) {
    if (!StoreChanged(multiBar_, value)) return;
    ForOtherBars([&](TCustomBarSeries& b) { b.multiBar_ = value; });
    RequestRepaint();
}

void TCustomBarSeries::SetSideMargins(bool value) {
    if (!StoreChanged(sideMargins_, value)) return;
    ForOtherBars([&](TCustomBarSeries& b) { b.sideMargins_ = value; });
    RequestRepaint();
}

// ---- Layout ----

void TCustomBarSeries::PrepareForDraw() {
    sideBySidePosition_ = 1;
    pointsBefore_ = 0;
    sideBySideCount_ = 0;
    slotCount_ = -1;
    if (!ParentChart()) return;
    std::set<int> groups;
    std::set<int> groupsBefore;
    bool before = true;
    for (int i = 0; i < ParentChart()->SeriesCount(); ++i) {
        TChartSeries& s = ParentChart()->Series(i);
        if (&s == this) before = false;
        if (!s.Active() || !SameKind(s)) continue;
        const auto& bar = static_cast<const TCustomBarSeries&>(s);
        const int n = s.PointCount();
        if (slotCount_ == -1 || slotCount_ < n) slotCount_ = n + (sideMargins_ && n > 0 ? 1 : 0);
        switch (multiBar_) {
            case mbNone:
            case mbSelfStack:
                sideBySideCount_ = 1;
                break;
            case mbStacked:
            case mbStacked100:
                groups.insert(bar.stackGroup_);
                sideBySideCount_ = static_cast<int>(groups.size());
                if (before && groupsBefore.insert(bar.stackGroup_).second) ++sideBySidePosition_;
                break;
            case mbSide:
            case mbSideAll:
                ++sideBySideCount_;
                if (before) ++sideBySidePosition_;
                break;
        }
        if (before) pointsBefore_ += n;
    }
    if (multiBar_ == mbStacked || multiBar_ == mbStacked100) {
        // The place of this series' group among the groups met.
        sideBySidePosition_ =
            1 + static_cast<int>(std::distance(groups.begin(), groups.find(stackGroup_)));
    }
    sideBySideCount_ = std::max(1, sideBySideCount_);
}

void TCustomBarSeries::HorizontalMargins(int& left, int& right) {
    if (CustomWidth() != 0) {
        barPixelWidth_ = CustomWidth();
    } else if (slotCount_ <= 0) {
        barPixelWidth_ = 0;
    } else {
        const TChartAxis* axis = GetHorizAxis();
        const int length = axis ? std::max(0, axis->AxisLength()) : 0;
        long long slot = length / slotCount_;
        if (autoBarSize_ && axis) {
            const double span = axis->Maximum() + 2 - axis->Minimum();
            slot = span > 0 ? std::clamp<long long>(Round(length / span), 0, length) : 0;
        }
        long long width = PercentOf(barWidthPercent_, slot) / std::max(1, sideBySideCount_);
        if (width > 0 && (width & 1)) ++width;
        barPixelWidth_ = static_cast<int>(width);
    }
    int m = multiBar_ == mbSideAll ? barPixelWidth_ : barPixelWidth_ * sideBySideCount_;
    if (!sideMargins_) m /= 2;
    left = right = m;
}

void TCustomBarSeries::VerticalMargins(int& top, int& bottom) {
    top = bottom = 0;
    if (Marks().Visible()) {
        // Room for the marks above the bars: a line of text and the callout.
        top = 14 + 20;
    }
}

double TCustomBarSeries::XMinimum() {
    if (multiBar_ == mbSelfStack && ParentChart()) return ParentChart()->SeriesIndex(*this);
    return TChartSeries::XMinimum();
}

double TCustomBarSeries::XMaximum() {
    if (multiBar_ == mbSelfStack && ParentChart()) return ParentChart()->SeriesIndex(*this);
    if (multiBar_ == mbSideAll) return PointCount() + pointsBefore_ - 1;
    return TChartSeries::XMaximum();
}

double TCustomBarSeries::YMaximum() {
    double v = multiBar_ == mbStacked100 ? 100 : TChartSeries::YMaximum();
    if (useYOrigin_) v = std::max(v, yOrigin_);
    return v;
}

double TCustomBarSeries::YMinimum() {
    double v = multiBar_ == mbStacked100 ? 0 : TChartSeries::YMinimum();
    if (useYOrigin_) v = std::min(v, yOrigin_);
    return v;
}

// ---- Placement ----

int TCustomBarSeries::XPosition(int i) const {
    const TChartAxis* axis = GetHorizAxis();
    if (!axis) return 0;
    long long left;
    switch (multiBar_) {
        case mbNone:
            left = axis->ValueToPosition(XValueAt(i)) - barPixelWidth_ / 2;
            break;
        case mbSideAll:
            left = axis->ValueToPosition(i + pointsBefore_) - barPixelWidth_ / 2;
            break;
        case mbSelfStack:
            left = axis->ValueToPosition(ParentChart() ? ParentChart()->SeriesIndex(*this) : 0) -
                   barPixelWidth_ / 2;
            break;
        default:
            left = axis->ValueToPosition(XValueAt(i)) +
                   Round((sideBySidePosition_ - sideBySideCount_ * 0.5 - 1) * barPixelWidth_);
            break;
    }
    if (offsetPercent_ != 0) left += Round(offsetPercent_ * barPixelWidth_ * 0.01);
    return static_cast<int>(
        std::clamp<long long>(left, -TAxisScale::PixelLimit, TAxisScale::PixelLimit));
}

int TCustomBarSeries::YPosition(int i) const {
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->ValueToPosition(YValueAt(i)) : 0;
}

int TCustomBarSeries::OriginPosition(int) const {
    const TChartAxis* axis = GetVertAxis();
    if (!axis) return 0;
    return useYOrigin_ ? axis->ValueToPosition(yOrigin_) : axis->AxisEnd();
}

TRect TCustomBarSeries::ComputeBarRect(int i) const {
    TRect r;
    r.Left = XPosition(i);
    r.Right = r.Left + barPixelWidth_ + 1;
    r.Top = YPosition(i);
    r.Bottom = OriginPosition(i);
    if (!barPen_.Visible()) {
        if (r.Top > r.Bottom)
            ++r.Top;
        else
            ++r.Bottom;
        ++r.Right;
    }
    return r;
}

TBarStyle TCustomBarSeries::BarStyleOf(int i) {
    TBarStyle style = barStyle_;
    if (OnGetBarStyle) OnGetBarStyle(this, i, style);
    return style;
}

// ---- Drawing ----

// Many more bars than pixels put dozens of bars on the same columns, each painting over the
// last. A bar that later bars paint over entirely is left out; that needs plain solid boxes
// that cover their whole rectangle, with nothing drawn beside or across them.
bool TCustomBarSeries::LaterBarsCanCover() const {
    const bool flat = barStyle_ == bsRectangle || barStyle_ == bsCylinder ||
                      barStyle_ == bsRectGradient || barStyle_ == bsBevel;
    const bool shadow = shadow_.Visible() && std::max(shadow_.HorizSize(), shadow_.VertSize()) != 0;
    const bool solidPen = !barPen_.Visible() || barPen_.Style() == psSolid;
    return flat && !OnGetBarStyle && !shadow && !tickLines_.Visible() &&
           barBrush_.Style() == bsSolid && solidPen && DrawsForward();
}

// Bars are drawn in index order. Going backwards, the bars met on the same columns that end on
// the same row (the origin) paint every row from the highest top among them down to that row,
// so an earlier bar within those rows is covered.
std::vector<bool> TCustomBarSeries::CoveredBars(int first, int last) const {
    std::vector<bool> covered(static_cast<std::size_t>(last - first + 1), false);
    const int penWidth = std::max(1, barPen_.Width());
    bool open = false;
    int left = 0, right = 0, end = 0, top = 0;
    for (int i = last; i >= first; --i) {
        if (PointColor(i) == clNone) continue;  // draws nothing, covers nothing
        const TRect r = ComputeBarRect(i);
        const int s = std::min(r.Top, r.Bottom);
        const int e = std::max(r.Top, r.Bottom);
        // A bar of no height is a line on its end row, which a taller bar's box leaves out;
        // one narrower than the pen is an outline only.
        if (e == s || e - s < penWidth || r.Right - r.Left < penWidth) {
            open = false;
            continue;
        }
        if (open && r.Left == left && r.Right == right && e == end) {
            if (s >= top)
                covered[static_cast<std::size_t>(i - first)] = true;
            else
                top = s;
        } else {
            open = true;
            left = r.Left;
            right = r.Right;
            end = e;
            top = s;
        }
    }
    return covered;
}

void TCustomBarSeries::DrawAllPoints(TCanvas& canvas) {
    if (!LaterBarsCanCover()) {
        TChartSeries::DrawAllPoints(canvas);
        return;
    }
    const int first = FirstShownIndex();
    const int last = std::min(LastShownIndex(), PointCount() - 1);
    if (first < 0 || last < first) return;
    const std::vector<bool> covered = CoveredBars(first, last);
    for (int i = first; i <= last; ++i)
        if (!covered[static_cast<std::size_t>(i - first)]) DrawPoint(canvas, i);
}

void TCustomBarSeries::DrawPoint(TCanvas& canvas, int i) {
    currentBarColor_ = PointColor(i);
    if (currentBarColor_ == clNone) return;
    barRect_ = ComputeBarRect(i);
    if (shadow_.Visible() && std::max(shadow_.HorizSize(), shadow_.VertSize()) != 0) {
        const TRect saved = barRect_;
        currentBarColor_ = shadow_.Color();
        barRect_ = barRect_.Offset(shadow_.HorizSize(), 0);
        if (barRect_.Top < barRect_.Bottom)
            barRect_.Top += shadow_.VertSize();
        else
            barRect_.Bottom -= shadow_.VertSize();
        penOverride_ = shadow_.Color();
        DrawBarShape(canvas, i, std::min(barRect_.Top, barRect_.Bottom),
                     std::max(barRect_.Top, barRect_.Bottom));
        penOverride_ = clNone;
        barRect_ = saved;
        currentBarColor_ = PointColor(i);
    }
    DrawBarShape(canvas, i, std::min(barRect_.Top, barRect_.Bottom),
                 std::max(barRect_.Top, barRect_.Bottom));
}

void TCustomBarSeries::DrawBarShape(TCanvas& canvas, int i, int start, int end) {
    TCanvasStateSaver saver(canvas);
    barPen_.Apply(canvas);
    if (darkPen_ > 0) canvas.Pen().Color = Darker(currentBarColor_, darkPen_);
    if (penOverride_ != clNone) canvas.Pen().Color = penOverride_;
    TColor back = barBrush_.Color();
    if (back == clDefault && ParentChart()) back = ParentChart()->Color();
    TColor color = currentBarColor_;
    if (barBrush_.Style() != bsSolid && color == back)
        color = ColorToRGB(back) == clBlack ? clWhite : clBlack;
    canvas.Brush().Color = color;
    canvas.Brush().Style = barBrush_.Style();
    const TRect r = barRect_;
    const int centre = (r.Left + r.Right) / 2;
    const int middle = (start + end) / 2;
    switch (BarStyleOf(i)) {
        case bsPyramid:
        case bsCone:
            canvas.Polygon({{r.Left, end}, {centre, start}, {r.Right, end}});
            break;
        case bsInvPyramid:
        case bsInvCone:
            canvas.Polygon({{r.Left, start}, {centre, end}, {r.Right, start}});
            break;
        case bsEllipse:
            canvas.Ellipse({r.Left, start, r.Right, end});
            break;
        case bsArrow:
        case bsInvArrow: {
            const bool up = BarStyleOf(i) == bsArrow;
            const int tip = up ? start : end;
            const int base = up ? end : start;
            const int head = std::min((r.Right - r.Left) / 2, std::abs(end - start));
            const int neck = up ? tip + head : tip - head;
            const int q = (r.Right - r.Left) / 4;
            canvas.Polygon({{centre, tip},
                            {r.Right, neck},
                            {r.Right - q, neck},
                            {r.Right - q, base},
                            {r.Left + q, base},
                            {r.Left + q, neck},
                            {r.Left, neck}});
            break;
        }
        case bsDiamond:
            canvas.Polygon({{centre, start}, {r.Right, middle}, {centre, end}, {r.Left, middle}});
            break;
        case bsSlantCube:
            FillBarRectangle(canvas, color, r.Left, start, r.Right, end);
            canvas.MoveTo(centre, r.Top);
            canvas.LineTo(centre, r.Bottom);
            break;
        default:
            FillBarRectangle(canvas, color, r.Left, start, r.Right, end);
            break;
    }
    if (tickLines_.Visible() && GetVertAxis()) {
        tickLines_.Apply(canvas);
        for (int t : GetVertAxis()->TickPositions()) {
            if (t <= start || t >= end) continue;
            canvas.MoveTo(r.Left, t);
            canvas.LineTo(r.Right, t);
        }
    }
}

void TCustomBarSeries::FillBarRectangle(TCanvas& canvas, TColor color, int left, int top, int right,
                                        int bottom) {
    TCanvasStateSaver saver(canvas);
    canvas.Brush().Color = color;
    const bool solid = canvas.Brush().Style == bsSolid;
    auto penInBrushColour = [&] {
        canvas.Pen().Color = color;
        if (canvas.Pen().Style == psClear) canvas.Pen().Style = psSolid;
    };
    if (solid && (left == right || top == bottom)) {
        // A bar of no height is a line in its own colour on the origin row.
        penInBrushColour();
        canvas.MoveTo(left, top);
        canvas.LineTo(right, bottom);
    } else if (solid && (std::abs(right - left) < canvas.Pen().Width ||
                         std::abs(bottom - top) < canvas.Pen().Width)) {
        penInBrushColour();
        canvas.Brush().Style = bsClear;
    }
    canvas.Rectangle(left, top, right, bottom);
}

// ---- Hit testing ----

bool TCustomBarSeries::PointInBar(int i, int x, int y) const {
    const int left = XPosition(i);
    const long long right = static_cast<long long>(left) + barPixelWidth_;
    if (x < left || x > right) return false;
    int a = YPosition(i);
    int b = OriginPosition(i);
    if (a > b) std::swap(a, b);
    switch (barStyle_) {
        case bsEllipse: {
            const double cx = (left + right) / 2.0, cy = (a + b) / 2.0;
            const double rx = std::max(0.5, (right - left) / 2.0),
                         ry = std::max(0.5, (b - a) / 2.0);
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            return dx * dx + dy * dy <= 1.0;
        }
        case bsPyramid:
        case bsCone:
        case bsInvPyramid:
        case bsInvCone: {
            if (y < a || y > b) return false;
            const bool apexUp = barStyle_ == bsPyramid || barStyle_ == bsCone;
            // The half-width allowed at this row grows from the apex to the base.
            const double height = std::max(1, b - a);
            const double fromApex = apexUp ? y - a : b - y;
            const double half = (right - left) / 2.0 * fromApex / height;
            return std::fabs(x - (left + right) / 2.0) <= half + 0.5;
        }
        default:
            return y >= a && y <= b;
    }
}

int TCustomBarSeries::HitTestPoint(int x, int y) const {
    if (FirstShownIndex() < 0 || LastShownIndex() < 0) return -1;
    const int last = std::min(LastShownIndex(), PointCount() - 1);
    int i = FirstShownIndex();
    // Bars in ascending X order stand left to right: skip those that end before x.
    if (XValues().Order() == loAscending && (multiBar_ == mbSide || multiBar_ == mbNone ||
                                             multiBar_ == mbStacked || multiBar_ == mbStacked100)) {
        int lo = i, hi = last + 1;
        while (lo < hi) {
            const int mid = lo + (hi - lo) / 2;
            if (static_cast<long long>(XPosition(mid)) + barPixelWidth_ < x)
                lo = mid + 1;
            else
                hi = mid;
        }
        i = lo;
        for (; i <= last && XPosition(i) <= x; ++i)
            if (PointInBar(i, x, y)) return i;
        return -1;
    }
    for (; i <= last; ++i)
        if (PointInBar(i, x, y)) return i;
    return -1;
}
