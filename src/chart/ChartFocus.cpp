// The chart under the keyboard: a focused point that the arrow keys move, its focus
// rectangle, and the chart's description for assistive technology.
#include <algorithm>

#include "base/NumberFormat.h"
#include "chart/BarSeries.h"
#include "chart/CustomChart.h"
#include "framework/Accessible.h"

TChartSeries* TCustomChart::FocusSeries() const {
    for (const auto& s : series_) {
        if (s->Active() && s->PointCount() > 0) return s.get();
    }
    return nullptr;
}

void TCustomChart::SetFocusedPoint(int index) {
    TChartSeries* s = FocusSeries();
    index = s ? std::clamp(index, -1, s->PointCount() - 1) : -1;
    if (index == focusedPoint_) return;
    focusedPoint_ = index;
    RequestRepaint();
    AccessibleChanged(aeDescription);
}

void TCustomChart::KeyDown(TKey& key, TShiftState shift) {
    TCustomChartPanel::KeyDown(key, shift);
    TChartSeries* s = FocusSeries();
    if (!s || key == 0) return;
    const int last = s->PointCount() - 1;
    const int at = std::clamp(focusedPoint_, 0, last);
    int to = -2;
    if (key == vkLeft) to = std::max(at - 1, 0);
    if (key == vkRight) to = focusedPoint_ < 0 ? 0 : std::min(at + 1, last);
    if (key == vkHome) to = 0;
    if (key == vkEnd) to = last;
    if (to == -2) return;
    SetFocusedPoint(to);
    key = 0;
}

void TCustomChart::DoEnter() {
    TCustomChartPanel::DoEnter();
    if (focusedPoint_ < 0 && FocusSeries()) SetFocusedPoint(0);
    RequestRepaint();
}

void TCustomChart::DoExit() {
    TCustomChartPanel::DoExit();
    RequestRepaint();
}

void TCustomChart::DrawFocusedPoint(TCanvas& canvas) {
    TChartSeries* s = FocusSeries();
    if (!Focused() || !s || focusedPoint_ < 0 || focusedPoint_ >= s->PointCount()) return;
    TRect r;
    if (auto* bars = dynamic_cast<TCustomBarSeries*>(s)) {
        r = bars->ComputeBarRect(focusedPoint_);
    } else {
        const int x = s->XPosition(focusedPoint_), y = s->YPosition(focusedPoint_);
        r = {x - 4, y - 4, x + 5, y + 5};
    }
    // Two pixels clear of the bar, so that the dotted frame does not hide its edge.
    canvas.DrawFocusRect({r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2});
}

void TCustomChart::DescribeAccessible(TAccDescription& d) const {
    TCustomChartPanel::DescribeAccessible(d);
    d.Role = arChart;
    std::string tip = d.Description;
    d.Description.clear();
    auto add = [&d](const std::string& part) {
        if (part.empty()) return;
        if (!d.Description.empty()) d.Description += "; ";
        d.Description += part;
    };
    if (title_.Visible) add(title_.Text);
    if (TChartSeries* s = FocusSeries()) {
        const int last = s->PointCount() - 1;
        const std::string unit = axes_[2]->Title().Caption();
        add(s->PointLabel(0) + " – " + s->PointLabel(last) + ", " +
            FloatToStr(s->YValues().MinimumValue()) + " – " +
            FloatToStr(s->YValues().MaximumValue()) + (unit.empty() ? "" : " " + unit));
        if (focusedPoint_ >= 0 && focusedPoint_ <= last) {
            add(s->PointLabel(focusedPoint_) + ": " + FloatToStr(s->YValueAt(focusedPoint_)));
        }
    }
    add(tip);
}
