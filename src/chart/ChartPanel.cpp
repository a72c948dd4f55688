#include "chart/ChartPanel.h"

#include <algorithm>

#include "base/StoreChanged.h"
#include "chart/ChartSetters_p.h"
#include "graphics/Frame3D.h"

TCustomChartPanel::TCustomChartPanel(TComponent* owner)
    : TCustomControl(owner), border_(this, clBlack, 1, false) {
    SetControlStyle(ControlStyle() | csOpaque);
    SetBounds(0, 0, 400, 250);
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetMargins(int left, int top, int right, int bottom) {
    TRect m{left, top, right, bottom};
    if (StoreChanged(margins_, m)) RequestRepaint();
}

VIGIL_CHART_SETTER(TCustomChartPanel, MarginUnits, marginUnits_, TMarginUnits, RequestRepaint())

void TCustomChartPanel::RequestRepaint() {
    if (!autoRepaint_) return;
    stale_ = true;
    Invalidate();
}

void TCustomChartPanel::Resize() {
    // The picture has the old size: the next paint draws afresh.
    stale_ = true;
    TCustomControl::Resize();
}

void TCustomChartPanel::ColorChanged() {
    RequestRepaint();
}

int TCustomChartPanel::FrameWidth() const {
    return BevelInset() + (border_.Visible() ? border_.Width() : 0);
}

void TCustomChartPanel::SetPlotRect(const TRect& r) {
    TRect p = r;
    p.Left = std::max(p.Left, panelBounds_.Left);
    p.Top = std::max(p.Top, panelBounds_.Top);
    // A collapsed rectangle keeps one pixel, never more than the panel has.
    if (p.Right <= p.Left) p.Right = p.Left + 1;
    if (p.Bottom <= p.Top) p.Bottom = p.Top + 1;
    plotRect_ = p;
    plotCenter_ = {p.Left + p.Width() / 2, p.Top + p.Height() / 2};
}

void TCustomChartPanel::CalcPlotRectFromMargins() {
    const int w = panelBounds_.Width();
    const int h = panelBounds_.Height();
    const int f = FrameWidth();
    TRect m = margins_;
    if (marginUnits_ == muPercent) {
        auto percent = [](int value, int size) {
            return static_cast<int>(static_cast<long long>(value) * size / 100);
        };
        m = {percent(m.Left, w), percent(m.Top, h), percent(m.Right, w), percent(m.Bottom, h)};
    }
    SetPlotRect({panelBounds_.Left + m.Left + f, panelBounds_.Top + m.Top + f,
                 panelBounds_.Right - f - m.Right, panelBounds_.Bottom - f - m.Bottom});
}

void TCustomChartPanel::PaintPanel(TCanvas& canvas, TRect& r) {
    canvas.Brush().Color = Color();
    canvas.Brush().Style = bsSolid;
    canvas.FillRect(r);
    if (border_.Visible()) {
        for (int i = 0; i < border_.Width() && !r.IsEmpty(); ++i) {
            TRect inner = r;
            Frame3D(canvas, inner, border_.Color(), border_.Color(), 1);
            r = inner;
        }
    }
    PaintBevels(canvas, r);
}

void TCustomChartPanel::DrawChart(TCanvas& canvas) {
    TRect r = panelBounds_;
    PaintPanel(canvas, r);
}

void TCustomChartPanel::DrawPicture() {
    const int w = std::max(0, Width());
    const int h = std::max(0, Height());
    picture_.SetSize(w + 1, h + 1);
    panelBounds_ = {0, 0, w, h};
    TCanvas& canvas = picture_.Canvas();
    canvas.RestoreState(TCanvasState{});
    CalcPlotRectFromMargins();
    // Whatever the draw does, automatic repaint comes back on afterwards.
    struct TRepaintGuard {
        bool& flag;
        ~TRepaintGuard() { flag = true; }
    } guard{autoRepaint_};
    autoRepaint_ = false;
    ++drawCount_;
    DrawChart(canvas);
    // Only a finished picture is fresh: after a draw that threw, the next paint draws again.
    stale_ = false;
}

void TCustomChartPanel::Paint(TCanvas& canvas) {
    if (stale_ || picture_.Width() != Width() + 1 || picture_.Height() != Height() + 1)
        DrawPicture();
    const TRect client = ClientRect();
    canvas.CopyRect(client, picture_.Canvas(), client);
}
