#pragma once

#include "graphics/Canvas.h"
#include "graphics/Font.h"

class TCustomChartPanel;

// The parts of a chart that draw (pens, fonts, brushes) ask their chart to repaint when a
// setting changes; a part without a chart just stores.
class TChartPart {
  public:
    explicit TChartPart(TCustomChartPanel* chart) : chart_(chart) {}
    TCustomChartPanel* Chart() const { return chart_; }
    void SetChart(TCustomChartPanel* chart) { chart_ = chart; }

  protected:
    void Changed() const;

  private:
    TCustomChartPanel* chart_;
};

class TChartPen : public TChartPart {
  public:
    TChartPen(TCustomChartPanel* chart, TColor color = clBlack, int width = 1, bool visible = true)
        : TChartPart(chart), color_(color), width_(width), visible_(visible) {}

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    // Puts the pen on a canvas; an invisible pen becomes a clear one.
    void Apply(TCanvas& canvas) const;

  private:
    TColor color_;
    int width_;
    bool visible_;
    TPenStyle style_ = psSolid;
};

class TChartBrush : public TChartPart {
  public:
    TChartBrush(TCustomChartPanel* chart, TColor color = clDefault)
        : TChartPart(chart), color_(color) {}

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);

  private:
    TColor color_;
    TBrushStyle style_ = bsSolid;
};

// Chart fonts start as Arial, 8 points, black.
class TChartFont : public TChartPart {
  public:
    explicit TChartFont(TCustomChartPanel* chart);

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    int Size() const { return font_.Size(); }
    void SetSize(int points);
    TColor Color() const { return font_.Color(); }
    void SetColor(TColor color);

  private:
    TFont font_;
};
