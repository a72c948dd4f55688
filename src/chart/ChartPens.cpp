#include "chart/ChartPens.h"

#include <algorithm>

#include "chart/ChartPanel.h"

void TChartPart::Changed() const {
    if (chart_) chart_->RequestRepaint();
}

void TChartPen::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    Changed();
}

void TChartPen::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TChartPen::SetWidth(int width) {
    width = std::clamp(width, 0, 1000);
    if (width == width_) return;
    width_ = width;
    Changed();
}

void TChartPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TChartPen::Apply(TCanvas& canvas) const {
    canvas.Pen().Color = color_;
    canvas.Pen().Width = std::max(1, width_);
    canvas.Pen().Style = visible_ ? style_ : psClear;
    canvas.Pen().Mode = pmCopy;
}

void TChartBrush::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TChartBrush::SetStyle(TBrushStyle style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

TChartFont::TChartFont(TCustomChartPanel* chart) : TChartPart(chart) {
    font_.SetName("Arial");
    font_.SetSize(8);
    font_.SetColor(clBlack);
}

void TChartFont::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    Changed();
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
