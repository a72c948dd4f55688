#include "chart/CustomChart.h"

#include <algorithm>
#include <cmath>

#include "base/StoreChanged.h"
#include "chart/ChartSetters_p.h"
#include "framework/Keys.h"

TCustomChart::TCustomChart(TComponent* owner) : TCustomChartPanel(owner), backWall_(this) {
    const TAxisKind kinds[] = {akBottom, akTop, akLeft, akRight};
    TAxisSeries& series = *this;
    for (int i = 0; i < 4; ++i) axes_[i] = std::make_unique<TChartAxis>(*this, series, kinds[i]);
    axes_[4] = std::make_unique<TChartDepthAxis>(*this, series, akDepth);
    axes_[5] = std::make_unique<TChartDepthAxis>(*this, series, akDepthTop);
    title_.Text = "TChart";
}

TCustomChart::~TCustomChart() {
    destroying_ = true;
    tools_.clear();
    series_.clear();
}

VIGIL_CHART_SETTER(TCustomChart, View3D, view3D_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomChart, View3DWalls, view3DWalls_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomChart, AxisVisible, axisVisible_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomChart, AxisBehind, axisBehind_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TCustomChart, ClipPoints, clipPoints_, bool, RequestRepaint())
VIGIL_CHART_SETTER(TChartWall, Visible, visible_, bool, chart_->RequestRepaint())
VIGIL_CHART_SETTER(TChartWall, Transparent, transparent_, bool, chart_->RequestRepaint())
VIGIL_CHART_SETTER(TChartWall, Color, color_, TColor, chart_->RequestRepaint())

// ---- Series, tools, palette ----

void TCustomChart::AdoptSeries(std::unique_ptr<TChartSeries> series) {
    if (!series || series->chart_) return;
    TChartSeries& s = *series;
    s.chart_ = this;
    series_.push_back(std::move(series));
    if (s.StoredColor() == clDefault) PickSeriesColor(s);
    s.AddedToChart();
    RequestRepaint();
}

std::unique_ptr<TChartSeries> TCustomChart::RemoveSeries(TChartSeries* series) {
    auto it = std::find_if(series_.begin(), series_.end(),
                           [&](const auto& p) { return p.get() == series; });
    if (it == series_.end()) return nullptr;
    std::unique_ptr<TChartSeries> out = std::move(*it);
    series_.erase(it);
    out->chart_ = nullptr;
    for (auto& t : tools_)
        if (auto* ts = dynamic_cast<TChartCustomToolSeries*>(t.get()); ts && ts->series_ == series)
            ts->series_ = nullptr;
    RequestRepaint();
    return out;
}

int TCustomChart::SeriesIndex(const TChartSeries& series) const {
    for (std::size_t i = 0; i < series_.size(); ++i)
        if (series_[i].get() == &series) return static_cast<int>(i);
    return -1;
}

void TCustomChart::AdoptTool(std::unique_ptr<TChartCustomTool> tool) {
    if (!tool || tool->chart_) return;
    tool->chart_ = this;
    tools_.push_back(std::move(tool));
    RequestRepaint();
}

std::unique_ptr<TChartCustomTool> TCustomChart::RemoveTool(TChartCustomTool* tool) {
    auto it =
        std::find_if(tools_.begin(), tools_.end(), [&](const auto& p) { return p.get() == tool; });
    if (it == tools_.end()) return nullptr;
    std::unique_ptr<TChartCustomTool> out = std::move(*it);
    tools_.erase(it);
    out->chart_ = nullptr;
    RequestRepaint();
    return out;
}

TColor TCustomChart::PaletteColor(int i) const {
    const std::vector<TColor>& palette = palette_.empty() ? DefaultPalette() : palette_;
    return palette[static_cast<std::size_t>(std::max(i, 0)) % palette.size()];
}

void TCustomChart::SetPalette(const std::vector<TColor>& palette) {
    if (StoreChanged(palette_, palette)) RequestRepaint();
}

void TCustomChart::PickSeriesColor(TChartSeries& series) {
    const std::vector<TColor>& palette = palette_.empty() ? DefaultPalette() : palette_;
    for (TColor c : palette) {
        if (c == Color() || c == backWall_.Color()) continue;
        bool used = false;
        for (const auto& s : series_)
            if (s.get() != &series && s->SeriesColor() == c) used = true;
        if (!used) {
            series.SetWorkingColor(c);
            return;
        }
    }
    series.SetWorkingColor(palette.back());
}

bool TCustomChart::HasActiveSeries() const {
    return std::any_of(series_.begin(), series_.end(), [](const auto& s) { return s->Active(); });
}

bool TCustomChart::SomeSeriesUsesAxes() const {
    return std::any_of(series_.begin(), series_.end(),
                       [](const auto& s) { return s->Active() && s->UsesAxes(); });
}

void TCustomChart::BroadcastToolEvent(TChartToolEvent event) {
    for (std::size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i]->Active()) tools_[i]->ChartEvent(event);
}

// ---- Drawing ----

void TCustomChart::DrawChart(TCanvas& canvas) {
    TRect inside = PanelBounds();
    PaintPanel(canvas, inside);
    BroadcastToolEvent(cteBeforeDraw);
    if (OnBeforeDrawChart) OnBeforeDrawChart(this);
    Layout(canvas);
    DrawWalls(canvas);
    if (axisBehind_) {
        BroadcastToolEvent(cteBeforeAxes);
        DrawAxes(canvas);
    }
    BroadcastToolEvent(cteBeforeSeries);
    if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
    DrawSeries(canvas);
    BroadcastToolEvent(cteAfterSeries);
    if (!axisBehind_) {
        BroadcastToolEvent(cteBeforeAxes);
        DrawAxes(canvas);
    }
    DrawFocusedPoint(canvas);
    zoomDrawn_ = false;
    if (zooming_) DrawZoomRect();
    BroadcastToolEvent(cteAfterDraw);
    canvas.RestoreState(TCanvasState{});
    if (OnAfterDraw) OnAfterDraw(this);
}

void TCustomChart::DrawWalls(TCanvas& canvas) {
    if (!(SomeSeriesUsesAxes() || !HasActiveSeries()) || !view3DWalls_ || !backWall_.Visible())
        return;
    TCanvasStateSaver saver(canvas);
    backWall_.Pen().Apply(canvas);
    canvas.Brush().Style = backWall_.Transparent() ? bsClear : bsSolid;
    canvas.Brush().Color = backWall_.Color();
    const TRect p = PlotRect();
    canvas.Rectangle(p.Left, p.Top, p.Right + 1, p.Bottom + 1);
}

void TCustomChart::DrawAxes(TCanvas& canvas) {
    if (!axisVisible_) return;
    for (auto& a : axes_)
        if (a->IsShown()) a->Draw(canvas, PlotRect());
}

void TCustomChart::DrawSeries(TCanvas& canvas) {
    for (auto& s : series_) {
        if (!s->Active()) continue;
        s->ComputeShownRange();
        if (s->FirstShownIndex() == -1) continue;
        TCanvasStateSaver saver(canvas);
        if (s->UsesAxes() && clipPoints_) {
            const TRect p = PlotRect();
            canvas.IntersectClipRect({p.Left, p.Top, p.Right, p.Bottom + 1});
        }
        s->DrawAllPoints(canvas);
    }
}

// ---- Zoom and scroll ----

void TCustomChart::SaveScales() {
    if (scalesSaved_) return;
    for (std::size_t i = 0; i < axes_.size(); ++i) {
        const TChartAxis& a = *axes_[i];
        savedScales_[i] = {a.Automatic(), a.AutomaticMinimum(), a.AutomaticMaximum(), a.Minimum(),
                           a.Maximum()};
    }
    scalesSaved_ = true;
}

void TCustomChart::ZoomRect(TRect r) {
    SaveScales();
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    for (auto& a : axes_) {
        if (a->IsDepthAxis()) continue;
        if (a->Horizontal())
            a->FixRange(a->PositionToValue(r.Left), a->PositionToValue(r.Right));
        else
            a->FixRange(a->PositionToValue(r.Bottom), a->PositionToValue(r.Top));
    }
    zoomed_ = true;
    if (OnZoom) OnZoom(this);
    RequestRepaint();
}

void TCustomChart::UndoZoom() {
    if (!scalesSaved_) return;
    for (std::size_t i = 0; i < axes_.size(); ++i) {
        TChartAxis& a = *axes_[i];
        if (a.IsDepthAxis()) continue;
        const TSavedAxisRange& s = savedScales_[i];
        // Both ends together: restoring them one by one can fail the Minimum <= Maximum check
        // half-way when the axis was scrolled past the saved range.
        a.SetMinMax(s.Minimum, s.Maximum);
        a.SetAutomaticMinimum(s.AutomaticMinimum);
        a.SetAutomaticMaximum(s.AutomaticMaximum);
        if (s.Automatic) a.SetAutomatic(true);
    }
    scalesSaved_ = false;
    if (OnUndoZoom) OnUndoZoom(this);
    RequestRepaint();
    zoomed_ = false;
}

TRect TCustomChart::NormalZoomRect() const {
    TRect r{zoomStart_.X, zoomStart_.Y, zoomEnd_.X, zoomEnd_.Y};
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

// Inverting: drawn twice, the picture is back as it was.
void TCustomChart::DrawZoomRect() {
    TCanvas& canvas = ChartCanvas();
    TCanvasStateSaver saver(canvas);
    canvas.ResetClip();
    canvas.Pen().Color = zoom_.PenColor ^ (0xFFFFFFu - ColorToRGB(Color()));
    canvas.Pen().Width = 1;
    canvas.Pen().Style = psSolid;
    canvas.Pen().Mode = pmXor;
    canvas.Brush().Style = bsClear;
    const TRect r = NormalZoomRect();
    canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
    zoomDrawn_ = !zoomDrawn_;
    Invalidate();
}

bool TCustomChart::InsideChartPart(int x, int y) const {
    const TRect p = PlotRect();
    if (x >= p.Left && x <= p.Right && y >= p.Top && y <= p.Bottom && HasActiveSeries())
        return true;
    for (auto it = series_.rbegin(); it != series_.rend(); ++it)
        if ((*it)->Active() && (*it)->HitTestPoint(x, y) >= 0) return true;
    // An axis with its title, labels and ticks, as the last draw laid them out.
    if (axisVisible_)
        for (int i = 0; i < 5; ++i)
            if (axes_[i]->IsShown() && axes_[i]->BandContains(x, y)) return true;
    return false;
}

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    mouseConsumed_ = false;
    TCustomChartPanel::MouseDown(button, shift, x, y);
    if (mouseConsumed_ || zooming_ || scrolling_) return;
    for (std::size_t i = 0; i < tools_.size() && !mouseConsumed_; ++i)
        if (tools_[i]->Active()) tools_[i]->ChartMouseEvent(cmeDown, button, shift, x, y);
    if (mouseConsumed_ || !InsideChartPart(x, y) || !SomeSeriesUsesAxes()) return;
    if (zoom_.Allow && button == zoom_.MouseButton && (shift & zoom_.KeyShift) == zoom_.KeyShift) {
        const TRect p = PlotRect();
        zoomStart_ = zoomEnd_ = {x, y};
        if (zoom_.Direction == tzdHorizontal) {
            zoomStart_.Y = p.Top;
            zoomEnd_.Y = p.Bottom;
        } else if (zoom_.Direction == tzdVertical) {
            zoomStart_.X = p.Left;
            zoomEnd_.X = p.Right;
        }
        zooming_ = true;
        DrawZoomRect();
    } else if (allowPanning_ != pmNone && button == scrollButton_) {
        scrollAnchor_ = {x, y};
        scrolling_ = true;
    }
}

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
    mouseConsumed_ = false;
    TCustomChartPanel::MouseMove(shift, x, y);
    for (std::size_t i = 0; i < tools_.size() && !mouseConsumed_; ++i)
        if (tools_[i]->Active()) tools_[i]->ChartMouseEvent(cmeMove, mbLeft, shift, x, y);
    if (mouseConsumed_) return;
    if (zooming_) {
        TPoint end{x, y};
        const TRect p = PlotRect();
        if (zoom_.Direction == tzdHorizontal) end.Y = p.Bottom;
        if (zoom_.Direction == tzdVertical) end.X = p.Right;
        if (end == zoomEnd_) return;
        if (zoomDrawn_) DrawZoomRect();
        zoomEnd_ = end;
        DrawZoomRect();
        return;
    }
    if (!scrolling_) return;
    const TRect p = PlotRect();
    if (x < p.Left || x > p.Right || y < p.Top || y > p.Bottom) {
        scrolling_ = false;
        return;
    }
    if (TPoint{x, y} == scrollAnchor_) return;
    SaveScales();
    const bool horizontal = allowPanning_ == pmHorizontal || allowPanning_ == pmBoth;
    const bool vertical = allowPanning_ == pmVertical || allowPanning_ == pmBoth;
    for (auto& a : axes_) {
        if (a->IsDepthAxis()) continue;
        const bool h = a->Horizontal();
        if (h ? !(horizontal && x != scrollAnchor_.X) : !(vertical && y != scrollAnchor_.Y))
            continue;
        const double d = h ? a->PositionToValue(scrollAnchor_.X) - a->PositionToValue(x)
                           : a->PositionToValue(scrollAnchor_.Y) - a->PositionToValue(y);
        // From the current ends, not the last drawn ones: several moves can come before a
        // paint. An automatic end starts where it was shown, margins included, so the picture
        // slides with the mouse.
        a->FixRange(a->CurrentMinimum() + d, a->CurrentMaximum() + d);
    }
    scrollAnchor_ = {x, y};
    if (OnScroll) OnScroll(this);
    RequestRepaint();
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    mouseConsumed_ = false;
    TCustomChartPanel::MouseUp(button, shift, x, y);
    if (zooming_ && button == zoom_.MouseButton) {
        zooming_ = false;
        if (zoomDrawn_) DrawZoomRect();
        const TRect p = PlotRect();
        zoomEnd_ = {x, y};
        if (zoom_.Direction == tzdHorizontal) zoomEnd_.Y = p.Bottom;
        if (zoom_.Direction == tzdVertical) zoomEnd_.X = p.Right;
        const int w = zoomEnd_.X - zoomStart_.X;
        const int h = zoomEnd_.Y - zoomStart_.Y;
        const bool wide = std::abs(w) > zoom_.MinimumPixels || zoom_.Direction == tzdVertical;
        const bool high = std::abs(h) > zoom_.MinimumPixels || zoom_.Direction == tzdHorizontal;
        if (wide && high) {
            const bool forward = zoom_.Direction == tzdVertical ? h > 0 : w > 0;
            if (zoom_.UpLeftZooms || forward)
                ZoomRect(NormalZoomRect());
            else
                UndoZoom();
        }
        Invalidate();
    }
    scrolling_ = false;
    for (std::size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i]->Active()) tools_[i]->ChartMouseEvent(cmeUp, button, shift, x, y);
}

bool TCustomChart::MouseWheel(TShiftState shift, int delta, TPoint pos) {
    bool handled = false;
    if (OnMouseWheel) OnMouseWheel(this, shift, delta, pos, handled);
    for (std::size_t i = 0; i < tools_.size(); ++i)
        if (tools_[i]->Active()) tools_[i]->ChartMouseWheel(delta, pos);
    if (allowPanning_ != pmVertical && allowPanning_ != pmBoth) return handled;
    if (delta == 0) return true;
    // Saved first, as a drag scroll does, so that an undo brings automatic scaling back.
    SaveScales();
    const double notches = delta / static_cast<double>(WheelDelta);
    for (auto& a : axes_) {
        if (a->IsDepthAxis() || a->Horizontal()) continue;
        const double lo = a->CurrentMinimum();
        const double hi = a->CurrentMaximum();
        const double d = -notches * 0.03 * (hi - lo);
        a->FixRange(lo + d, hi + d);
    }
    RequestRepaint();
    return true;
}

void TCustomChart::MouseLeave() {
    scrolling_ = false;
    BroadcastToolEvent(cteMouseLeave);
    TCustomChartPanel::MouseLeave();
}
