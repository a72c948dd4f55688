// The chart's layout step and what its axes read from the series.
#include <algorithm>
#include <cmath>

#include "chart/CustomChart.h"

void TCustomChart::Layout(TCanvas& canvas) {
    for (auto& s : series_)
        if (s->Active()) s->PrepareForDraw();
    LayoutAxes(canvas);
    // Text labels stand at the points the series show, so those are known before they are placed.
    for (auto& s : series_)
        if (s->Active()) s->ComputeShownRange();
    for (auto& a : axes_)
        if (a->IsShown()) a->PlaceMarks(canvas, PlotRect());
}

void TCustomChart::LayoutAxes(TCanvas& canvas) {
    const TRect start = PlotRect();
    std::array<int, 5> floors{};
    ReserveAxisSpace(canvas, floors);
    ApplySeriesMargins();
    // The series margins widen the ranges, and a wider range can have wider labels ("10" where
    // "9" was measured): measured again on the final ranges, a band that grew is laid out anew.
    bool grew = false;
    for (int i = 0; i < 5; ++i) {
        if (!axes_[i]->IsShown() || !axes_[i]->Labels()) continue;
        const int need = axes_[i]->LabelBandSize(canvas);
        if (need > axes_[i]->LabelBand()) {
            floors[i] = need;
            grew = true;
        }
    }
    if (!grew) return;
    SetPlotRect(start);
    ReserveAxisSpace(canvas, floors);
    ApplySeriesMargins();
}

void TCustomChart::ReserveAxisSpace(TCanvas& canvas, const std::array<int, 5>& labelFloors) {
    for (auto& a : axes_) {
        a->SetShown(AxisShown(*a));
        a->AdjustRange(SeriesExtreme(*a, false), SeriesExtreme(*a, true));
    }
    for (auto& a : axes_) a->SetPositions(PlotRect());
    TRect r = PlotRect();
    for (int i = 0; i < 5; ++i) {
        if (!axes_[i]->IsShown()) continue;
        TRect copy = r;
        axes_[i]->ReserveSpace(canvas, copy, labelFloors[i]);
        if (!copy.Intersect(r).IsEmpty()) r = copy.Intersect(r);
    }
    SetPlotRect(r);
    for (auto& a : axes_) a->SetPositions(PlotRect());
}

void TCustomChart::ApplySeriesMargins() {
    for (auto& axis : axes_) {
        if (axis->IsDepthAxis()) continue;
        int a = 0, b = 0;
        for (auto& s : series_) {
            if (!s->Active() || !s->AssociatedToAxis(*axis)) continue;
            int m1 = 0, m2 = 0;
            if (axis->Horizontal()) {
                s->HorizontalMargins(m1, m2);
                if (axis->AutomaticMinimum()) a = std::max(a, m1);
                if (axis->AutomaticMaximum()) b = std::max(b, m2);
            } else {
                s->VerticalMargins(m1, m2);
                if (axis->AutomaticMaximum()) a = std::max(a, m1);
                if (axis->AutomaticMinimum()) b = std::max(b, m2);
            }
        }
        if (axis->Horizontal()) {
            a += axis->MinimumOffset();
            b += axis->MaximumOffset();
        } else {
            a += axis->MaximumOffset();
            b += axis->MinimumOffset();
        }
        axis->ApplyMargins(a, b);
    }
}

// ---- What the axes read from the series ----

bool TCustomChart::AxisShown(const TChartAxis& axis) const {
    if (!axisVisible_ || !axis.Visible()) return false;
    if (axis.IsDepthAxis()) return view3D_;
    bool anyActive = false;
    for (const auto& s : series_) {
        if (!s->Active()) continue;
        anyActive = true;
        if (!s->UsesAxes()) return false;
        if (s->AssociatedToAxis(axis)) return true;
    }
    return !anyActive;
}

double TCustomChart::SeriesExtreme(const TChartAxis& axis, bool maximum) const {
    const bool anyActive = std::any_of(series_.begin(), series_.end(), [&](const auto& s) {
        return s->Active() && s->AssociatedToAxis(axis);
    });
    double result = 0;
    bool first = true;
    for (const auto& s : series_) {
        if ((anyActive && !s->Active()) || s->PointCount() == 0 || !s->AssociatedToAxis(axis))
            continue;
        double v = axis.Horizontal() ? (maximum ? s->XMaximum() : s->XMinimum())
                                     : (maximum ? s->YMaximum() : s->YMinimum());
        // A NaN among the values says nothing about the range.
        if (std::isnan(v)) continue;
        result = first ? v : (maximum ? std::max(result, v) : std::min(result, v));
        first = false;
    }
    return result;
}

TAxisLabelStyle TCustomChart::AutomaticLabelStyle(const TChartAxis& axis) const {
    TAxisLabelStyle style = talNone;
    for (const auto& s : series_) {
        if (!s->Active() || !s->AssociatedToAxis(axis)) continue;
        style = talValue;
        const bool carriesX = axis.Horizontal() == s->YIsMandatory();
        if (carriesX && s->HasLabels()) {
            for (int p = 0; p < s->PointCount(); ++p)
                if (!s->PointLabel(p).empty()) return talText;
        }
    }
    return style;
}

long long TCustomChart::FewestPointsAlong(const TChartAxis& axis) const {
    long long fewest = -1;
    for (const auto& s : series_) {
        if (!s->Active() || !s->AssociatedToAxis(axis)) continue;
        if (axis.Horizontal() != s->YIsMandatory()) continue;
        const long long n = s->PointCount();
        fewest = fewest < 0 ? n : std::min(fewest, n);
    }
    return fewest;
}

void TCustomChart::EachPointText(const TChartAxis& axis, bool marks,
                                 const std::function<void(const std::string&)>& visit) {
    for (auto& s : series_) {
        if (!s->Active() || !s->AssociatedToAxis(axis)) continue;
        for (int p = 0; p < s->PointCount(); ++p) {
            const std::string text = marks ? s->MarkText(p) : s->PointLabel(p);
            if (!text.empty()) visit(text);
        }
    }
}

void TCustomChart::EachShownPointText(const TChartAxis& axis, bool marks,
                                      const TAxisLabelVisit& visit) {
    std::vector<TChartSeries*> on;
    int first = -1, last = -1;
    for (auto& s : series_) {
        if (!s->Active() || !s->AssociatedToAxis(axis)) continue;
        on.push_back(s.get());
        if (s->FirstShownIndex() >= 0)
            first = first < 0 ? s->FirstShownIndex() : std::min(first, s->FirstShownIndex());
        last = std::max(last, s->LastShownIndex());
    }
    if (first < 0 || last < 0) return;
    for (int i = first; i <= last; ++i) {
        for (TChartSeries* s : on) {
            if (i < s->FirstShownIndex() || i > s->LastShownIndex() || i >= s->PointCount())
                continue;
            const std::string text = marks ? s->MarkText(i) : s->PointLabel(i);
            if (text.empty()) continue;
            visit(axis.Horizontal() ? s->XValueAt(i) : s->YValueAt(i), text);
            break;
        }
    }
}
