#include "chart/ChartPens.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "chart/ChartPanel.h"
#include "chart/ChartSetters_p.h"

void TChartPart::Changed() const {
    if (chart_) chart_->RequestRepaint();
}

VIGIL_CHART_SETTER(TChartPen, Visible, visible_, bool, Changed())
VIGIL_CHART_SETTER(TChartPen, Color, color_, TColor, Changed())
void TChartPen::SetWidth(int width) {
    width = std::clamp(width, 0, 1000);
    if (StoreChanged(width_, width)) Changed();
}

VIGIL_CHART_SETTER(TChartPen, Style, style_, TPenStyle, Changed())
void TChartPen::Apply(TCanvas& canvas) const {
    canvas.Pen().Color = color_;
    canvas.Pen().Width = std::max(1, width_);
    canvas.Pen().Style = visible_ ? style_ : psClear;
    canvas.Pen().Mode = pmCopy;
}

VIGIL_CHART_SETTER(TChartBrush, Color, color_, TColor, Changed())
VIGIL_CHART_SETTER(TChartBrush, Style, style_, TBrushStyle, Changed())
TChartFont::TChartFont(TCustomChartPanel* chart) : TChartPart(chart) {
    font_.SetName("Arial");
    font_.SetSize(8);
    font_.SetColor(clBlack);
}

void TChartFont::SetFont(const TFont& font) {
    if (StoreChanged(font_, font)) Changed();
}

void TChartFont::SetSize(int points) {
    TFont f = font_;
    f.SetSize(points);
    SetFont(f);
}

void TChartFont::SetColor(TColor color) {
    TFont f = font_;
    f.SetColor(color);
    SetFont(f);
}
