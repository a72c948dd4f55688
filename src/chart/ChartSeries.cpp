#include "chart/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "base/NumberFormat.h"
#include "base/StoreChanged.h"
#include "chart/ChartAxis.h"
#include "chart/ChartSetters_p.h"
#include "chart/CustomChart.h"

void TCustomChartElement::SetActive(bool active) {
    if (StoreChanged(active_, active)) ActiveChanged();
}

void TCustomChartElement::RequestRepaint() const {
    if (chart_) chart_->RequestRepaint();
}

VIGIL_CHART_SETTER(TSeriesMarks, Style, style_, TSeriesMarksStyle, series_.RequestRepaint())
VIGIL_CHART_SETTER(TSeriesMarks, MultiLine, multiLine_, bool, series_.RequestRepaint())
VIGIL_CHART_SETTER(TSeriesMarks, Visible, visible_, bool, series_.RequestRepaint())
const std::string& TSeriesMarks::PointText(int i) const {
    static const std::string empty;
    return i >= 0 && i < static_cast<int>(texts_.size()) ? texts_[i] : empty;
}

void TSeriesMarks::SetPointText(int i, const std::string& text) {
    if (i < 0 || i >= series_.PointCount() || PointText(i) == text) return;
    if (static_cast<int>(texts_.size()) <= i) texts_.resize(i + 1);
    texts_[i] = text;
    series_.RequestRepaint();
}

TChartSeries::TChartSeries(TComponent* owner)
    : TCustomChartElement(owner),
      xValues_(std::make_unique<TChartValueList>(this, "X")),
      yValues_(std::make_unique<TChartValueList>(this, "Y")),
      marks_(*this) {
    xValues_->SetOrder(loAscending);
    lists_ = {xValues_.get(), yValues_.get()};
}

TChartSeries::~TChartSeries() = default;

int TChartSeries::AddPoint(double value, const std::string& label, TColor color) {
    if (yIsMandatory_) return AddPointXY(PointCount(), value, label, color);
    return AddPointXY(value, yValues_->Count(), label, color);
}

int TChartSeries::AddPointXY(double x, double y, const std::string& label, TColor color) {
    xValues_->Stage(x);
    yValues_->Stage(y);
    if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
    const int index = xValues_->InsertOrdered();
    for (std::size_t l = 1; l < lists_.size(); ++l)
        lists_[l]->InsertAt(index, lists_[l]->StagedValue());
    if (colorsPresent_) {
        colors_.insert(colors_.begin() + index, color);
    } else if (color != clDefault) {
        colors_.assign(static_cast<std::size_t>(PointCount() - 1), clDefault);
        colors_.insert(colors_.begin() + index, color);
        colorsPresent_ = true;
    }
    if (!label.empty() || !labels_.empty()) {
        if (static_cast<int>(labels_.size()) < index)
            labels_.Resize(static_cast<std::size_t>(index));
        labels_.Insert(static_cast<std::size_t>(index), label);
    }
    if (static_cast<int>(marks_.texts_.size()) > index)
        marks_.texts_.insert(marks_.texts_.begin() + index, std::string());
    if (updateDepth_ == 0) PointAdded(index);
    return index;
}

void TChartSeries::ReservePoints(int count, int labelBytes) {
    if (count <= 0) return;
    for (TChartValueList* l : lists_) l->Reserve(count);
    if (labelBytes > 0)
        labels_.Reserve(static_cast<std::size_t>(count),
                        static_cast<std::size_t>(count) * static_cast<std::size_t>(labelBytes));
}

void TChartSeries::PointAdded(int index) {
    if (OnAfterAdd) OnAfterAdd(this, index);
    NotifyLinked(TSeriesChange::scAdd, index);
    if (Active()) RequestRepaint();
}

void TChartSeries::ClearLists() {
    for (TChartValueList* l : lists_) l->EmptyList();
    colors_.clear();
    colors_.shrink_to_fit();
    colorsPresent_ = false;
    labels_.Clear();
    marks_.texts_.clear();
}

void TChartSeries::ClearPoints() {
    firstShown_ = lastShown_ = -1;
    ClearLists();
    if (OnClearValues) OnClearValues(this);
    NotifyLinked(TSeriesChange::scClear, -1);
    if (Active() && ParentChart() && !ParentChart()->Destroying()) RequestRepaint();
}

void TChartSeries::DeletePoint(int i) {
    // A negative index is as far out of bounds as one past the end.
    if (i < 0 || i >= PointCount())
        throw ChartException("Series Delete: ValueIndex " + std::to_string(i) +
                             " out of bounds (0 to " + std::to_string(PointCount() - 1) + ").");
    for (TChartValueList* l : lists_) l->DeleteAt(i);
    if (colorsPresent_ && static_cast<int>(colors_.size()) > i) colors_.erase(colors_.begin() + i);
    if (static_cast<int>(labels_.size()) > i) labels_.Erase(static_cast<std::size_t>(i));
    if (static_cast<int>(marks_.texts_.size()) > i) marks_.texts_.erase(marks_.texts_.begin() + i);
    NotifyLinked(TSeriesChange::scDelete, i);
    if (Active()) RequestRepaint();
}

std::string TChartSeries::PointLabel(int i) const {
    return i >= 0 && i < static_cast<int>(labels_.size())
               ? std::string(labels_[static_cast<std::size_t>(i)])
               : std::string();
}

void TChartSeries::SetPointLabel(int i, const std::string& label) {
    if (i < 0 || i >= PointCount() || PointLabel(i) == label) return;
    if (static_cast<int>(labels_.size()) < PointCount())
        labels_.Resize(static_cast<std::size_t>(PointCount()));
    labels_.Set(static_cast<std::size_t>(i), label);
    RequestRepaint();
}

TColor TChartSeries::PointColor(int i) const {
    TColor c =
        colorsPresent_ && i >= 0 && i < static_cast<int>(colors_.size()) ? colors_[i] : clDefault;
    if (c != clDefault) return c;
    if (!colorEachPoint_) return workingColor_;
    if (ParentChart()) return ParentChart()->PaletteColor(i);
    const auto& palette = DefaultPalette();
    return palette[static_cast<std::size_t>(std::max(i, 0)) % palette.size()];
}

VIGIL_CHART_SETTER(TChartSeries, Title, title_, const std::string&, RequestRepaint())
VIGIL_CHART_SETTER(TChartSeries, ColorEachPoint, colorEachPoint_, bool, RequestRepaint())
void TChartSeries::SetSeriesColor(TColor color) {
    if (color == workingColor_ && storedColor_ == clDefault) return;
    if (!StoreChanged(storedColor_, color)) return;
    workingColor_ = color;
    if (ParentChart()) ParentChart()->SeriesColorChanged(*this);
    RequestRepaint();
}

VIGIL_CHART_SETTER(TChartSeries, ValueFormat, valueFormat_, const std::string&, RequestRepaint())
VIGIL_CHART_SETTER(TChartSeries, PercentFormat, percentFormat_, const std::string&,
                   RequestRepaint())
VIGIL_CHART_SETTER(TChartSeries, HorizAxis, horizAxis_, THorizAxis, RequestRepaint())
VIGIL_CHART_SETTER(TChartSeries, VertAxis, vertAxis_, TVertAxis, RequestRepaint())
TChartAxis* TChartSeries::GetHorizAxis() const {
    if (!ParentChart()) return nullptr;
    return horizAxis_ == aTopAxis ? &ParentChart()->TopAxis() : &ParentChart()->BottomAxis();
}

TChartAxis* TChartSeries::GetVertAxis() const {
    if (!ParentChart()) return nullptr;
    return vertAxis_ == aRightAxis ? &ParentChart()->RightAxis() : &ParentChart()->LeftAxis();
}

bool TChartSeries::AssociatedToAxis(const TChartAxis& axis) const {
    if (!ParentChart() || !UsesAxes()) return false;
    if (axis.Horizontal()) return horizAxis_ == aBothHorizAxis || GetHorizAxis() == &axis;
    return vertAxis_ == aBothVertAxis || GetVertAxis() == &axis;
}

void TChartSeries::EndUpdate() {
    if (updateDepth_ == 0) return;
    if (--updateDepth_ == 0) {
        NotifyLinked(TSeriesChange::scRefresh, -1);
        if (ParentChart()) ParentChart()->SeriesDataChanged(*this);
    }
}

void TChartSeries::NotifyLinked(TSeriesChange change, int index) {
    if (OnDataChange) OnDataChange(change, index);
}

std::string TChartSeries::FormatMarkValue(double v) const {
    return FormatFloat(valueFormat_, v);
}

std::string TChartSeries::MarkText(int i) {
    std::string own = marks_.PointText(i);
    if (!own.empty()) {
        if (own.back() == '\n') own.pop_back();
        if (!own.empty() && own.back() == '\r') own.pop_back();
        return own;
    }
    const std::string sep = marks_.MultiLine() ? std::string(1, kLineSeparator) : " ";
    const double value = MarkValue(i);
    const std::string valueText = FormatMarkValue(value);
    std::string labelText = PointLabel(i);
    if (labelText.empty()) labelText = valueText;
    auto percent = [&] {
        const double total = MandatoryList().TotalAbsValue();
        return FormatFloat(percentFormat_, total == 0 ? 100.0 : std::fabs(value) * 100 / total);
    };
    auto percentTotal = [&] {
        return percent() + (marks_.MultiLine() ? std::string(1, kLineSeparator) : " ") + "of " +
               FormatMarkValue(MandatoryList().TotalAbsValue());
    };
    auto xText = [&] {
        const TChartAxis* axis = GetHorizAxis();
        return axis ? axis->LabelText(XValueAt(i)) : FormatMarkValue(XValueAt(i));
    };
    auto oneLine = [](std::string s) {
        std::replace(s.begin(), s.end(), kLineSeparator, ' ');
        std::replace(s.begin(), s.end(), '\n', ' ');
        return s;
    };
    std::string text;
    switch (marks_.Style()) {
        case smsValue:
            text = valueText;
            break;
        case smsPercent:
            text = percent();
            break;
        case smsLabel:
            text = labelText;
            break;
        case smsLabelPercent:
            text = labelText + sep + percent();
            break;
        case smsLabelValue:
            text = labelText + sep + valueText;
            break;
        // Without a legend, a point's legend line is its label.
        case smsLegend:
            text = marks_.MultiLine() ? labelText : oneLine(labelText);
            break;
        case smsPercentTotal:
            text = percentTotal();
            break;
        case smsLabelPercentTotal:
            text = labelText + sep + percentTotal();
            break;
        case smsXValue:
            text = xText();
            break;
        case smsXY:
            text = xText() + sep + valueText;
            break;
        case smsSeriesTitle:
            text = oneLine(title_);
            if (text.empty()) text = Name();
            if (text.empty() && ParentChart())
                text = "Series" + std::to_string(ParentChart()->SeriesIndex(*this) + 1);
            break;
        case smsPointIndex:
            text = std::to_string(i);
            break;
        case smsPercentRelative: {
            // A first value of 0 has no ratio to show; 0 % says so without dividing by it.
            const double first = MarkValue(0);
            double ratio = 100;
            if (i != 0) ratio = first == 0 ? 0 : value * 100 / first;
            text = FormatFloat(percentFormat_, ratio);
            break;
        }
    }
    if (OnGetMarkText) OnGetMarkText(this, i, text);
    return text;
}

void TChartSeries::ComputeShownRange() {
    firstShown_ = lastShown_ = -1;
    const int n = PointCount();
    if (n == 0) return;
    const TChartAxis* axis = GetHorizAxis();
    if (xValues_->Order() == loNone || !axis || !ParentChart()) {
        firstShown_ = 0;
        lastShown_ = n - 1;
        return;
    }
    const TRect plot = ParentChart()->PlotRect();
    double lo = axis->PositionToValue(plot.Left);
    double hi = axis->PositionToValue(plot.Right);
    if (lo > hi) std::swap(lo, hi);
    const bool descending = xValues_->Order() == loDescending;
    // Binary searches: the X values are sorted, so the shown range costs log n.
    int first = -1;
    {
        int a = 0, b = n;
        while (a < b) {
            int m = a + (b - a) / 2;
            bool before = descending ? !(XValueAt(m) <= hi) : XValueAt(m) < lo;
            if (before)
                a = m + 1;
            else
                b = m;
        }
        first = a < n ? a : -1;
    }
    if (first < 0) return;
    int a = first, b = n;
    while (a < b) {
        int m = a + (b - a) / 2;
        bool inside = descending ? XValueAt(m) >= lo : XValueAt(m) <= hi;
        if (inside)
            a = m + 1;
        else
            b = m;
    }
    firstShown_ = first;
    lastShown_ = a - 1;
    if (lastShown_ < firstShown_) firstShown_ = lastShown_ = -1;
}

void TChartSeries::DrawAllPoints(TCanvas& canvas) {
    if (firstShown_ < 0) return;
    const int last = std::min(lastShown_, PointCount() - 1);
    if (DrawsForward())
        for (int i = firstShown_; i <= last; ++i) DrawPoint(canvas, i);
    else
        for (int i = last; i >= firstShown_; --i) DrawPoint(canvas, i);
}

int TChartSeries::XPosition(int i) const {
    const TChartAxis* axis = GetHorizAxis();
    return axis ? axis->ValueToPosition(XValueAt(i)) : 0;
}

int TChartSeries::YPosition(int i) const {
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->ValueToPosition(YValueAt(i)) : 0;
}

void TChartSeries::SortColumnsBy(TChartValueList& list) {
    const int n = list.Count();
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const bool descending = list.Order() == loDescending;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return descending ? list[a] > list[b] : list[a] < list[b];
    });
    for (TChartValueList* l : lists_) {
        std::vector<double> sorted(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) sorted[i] = (*l)[order[i]];
        for (int i = 0; i < n; ++i) l->SetValue(i, sorted[i]);
    }
    auto permute = [&](auto& column) {
        if (static_cast<int>(column.size()) < n) column.resize(static_cast<std::size_t>(n));
        auto copy = column;
        for (int i = 0; i < n; ++i) column[i] = copy[order[i]];
    };
    if (colorsPresent_) permute(colors_);
    if (!labels_.empty()) {
        labels_.Resize(static_cast<std::size_t>(n));
        labels_.Permute(order);
    }
    RequestRepaint();
}
