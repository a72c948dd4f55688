#pragma once

#include <cstdint>
#include <memory>

#include "chart/ChartPens.h"
#include "framework/CustomControl.h"
#include "framework/Panel.h"
#include "graphics/Bitmap.h"

enum TMarginUnits : std::uint8_t { muPercent, muPixels };

// The panel level of a chart: margins, frame, the plotting rectangle, and the finished
// picture kept off-screen. A paint of an unchanged chart copies the picture; RequestRepaint
// marks it stale, so several changes before the next paint give one draw.
class TCustomChartPanel : public TCustomControl, public TPanelBevels {
  public:
    explicit TCustomChartPanel(TComponent* owner = nullptr);
    ~TCustomChartPanel() override;

    int MarginLeft() const { return margins_.Left; }
    int MarginTop() const { return margins_.Top; }
    int MarginRight() const { return margins_.Right; }
    int MarginBottom() const { return margins_.Bottom; }
    void SetMargins(int left, int top, int right, int bottom);
    TMarginUnits MarginUnits() const { return marginUnits_; }
    void SetMarginUnits(TMarginUnits units);
    TChartPen& Border() { return border_; }
    bool BufferedDisplay() const { return buffered_; }

    // Marks the picture stale and asks for a paint; ignored while a draw runs.
    void RequestRepaint();
    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    bool PictureStale() const { return stale_; }
    // How many times the draw sequence ran (a paint from the picture does not count).
    int DrawCount() const { return drawCount_; }

    TRect PanelBounds() const { return panelBounds_; }
    TRect PlotRect() const { return plotRect_; }
    int PlotWidth() const { return plotRect_.Width(); }
    int PlotHeight() const { return plotRect_.Height(); }
    TPoint PlotCenter() const { return plotCenter_; }
    // Sets the plotting rectangle and recalculates its sizes.
    void SetPlotRect(const TRect& r);
    // The canvas of the off-screen picture, which every drawing step uses.
    TCanvas& ChartCanvas() { return picture_.Canvas(); }
    const TPixelBuffer& Picture() const { return picture_.Buffer(); }

    // Draws the whole chart into the picture now.
    void DrawPicture();

  protected:
    void Paint(TCanvas& canvas) override;
    void Resize() override;
    void ColorChanged() override;
    void BevelsChanged() override { RequestRepaint(); }
    // Background and frame, narrowing r to the inside of the frame.
    void PaintPanel(TCanvas& canvas, TRect& r);
    // PlotRect from the margins and the frame width.
    void CalcPlotRectFromMargins();
    // The whole draw sequence of a chart.
    virtual void DrawChart(TCanvas& canvas);
    int FrameWidth() const;

  private:
    TRect margins_{3, 4, 3, 4};
    TMarginUnits marginUnits_ = muPercent;
    TChartPen border_;
    bool buffered_ = true;
    bool autoRepaint_ = true;
    bool stale_ = true;
    int drawCount_ = 0;
    TRect panelBounds_;
    TRect plotRect_;
    TPoint plotCenter_;
    TBitmap picture_;
};
