#include <algorithm>

#include "graphics/Canvas.h"
#include "graphics/CanvasRaster_p.h"

using raster::TClip;
using raster::TSpans;

namespace {

bool PenVisible(const TPen& pen) {
    return pen.Style != psClear && pen.Color != clNone;
}
bool BrushVisible(const TBrush& brush) {
    return brush.Style != bsClear && brush.Color != clNone;
}

// One outlined and filled shape under construction: its clip and the spans of brush and pen.
struct TShape {
    // Copying paints straight away; shapes add their brush's spans before their pen's where
    // the two overlap.
    TShape(TPixelBuffer& buffer, const TCanvasState& state)
        : Clip(buffer, state),
          Brush(Clip.Bounds()),
          Pen(Clip.Bounds()),
          WithBrush(BrushVisible(state.Brush)),
          WithPen(PenVisible(state.Pen)) {
        if (state.Pen.Mode != pmCopy) return;
        if (WithBrush)
            Brush.PaintAsAdded(buffer, Clip, raster::PaintFor(pmCopy, state.Brush.Color));
        if (WithPen) Pen.PaintAsAdded(buffer, Clip, raster::PaintFor(pmCopy, state.Pen.Color));
    }

    // In a combining mode every pixel must be touched once, so overlaps are merged and the
    // pen's pixels taken out of the brush's before anything is painted.
    void Paint(TPixelBuffer& buffer, const TCanvasState& state) {
        if (state.Pen.Mode == pmCopy) return;
        Pen.Normalize();
        Brush.Normalize();
        Brush.Subtract(Pen);
        if (WithBrush)
            Brush.Paint(buffer, Clip, raster::PaintFor(state.Pen.Mode, state.Brush.Color));
        if (WithPen) Pen.Paint(buffer, Clip, raster::PaintFor(state.Pen.Mode, state.Pen.Color));
    }

    TClip Clip;
    TSpans Brush;
    TSpans Pen;
    bool WithBrush;
    bool WithPen;
};

void StrokePath(const TCanvasState& state, const std::vector<raster::TPoint64>& points, bool closed,
                TSpans& out) {
    std::int64_t phase = 0;
    const std::size_t segments = closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < segments; ++i) {
        const raster::TPoint64 a = points[i], b = points[(i + 1) % points.size()];
        raster::TStroke s{a.X, a.Y, b.X, b.Y, state.Pen.Width, state.Pen.Style, false};
        phase = raster::StrokeSegment(s, phase, out);
    }
}

std::vector<raster::TPoint64> DevicePoints(const TCanvasState& state,
                                           const std::vector<TPoint>& points) {
    std::vector<raster::TPoint64> result;
    result.reserve(points.size());
    for (TPoint p : points) result.push_back(raster::DevicePoint(state, p));
    return result;
}

TRect Normalized(TRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

}  // namespace

void TCanvas::MoveTo(int x, int y) {
    state_.PenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    const TPoint from = state_.PenPos;
    state_.PenPos = {x, y};
    if (!PenVisible(state_.Pen)) return;
    Polyline({from, {x, y}});
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    TShape shape(*buffer_, state_);
    if (points.size() < 2 || !shape.WithPen || shape.Clip.IsEmpty()) return;
    shape.WithBrush = false;
    StrokePath(state_, DevicePoints(state_, points), false, shape.Pen);
    shape.Paint(*buffer_, state_);
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    TShape shape(*buffer_, state_);
    if (points.size() < 2 || shape.Clip.IsEmpty()) return;
    const auto device = DevicePoints(state_, points);
    if (shape.WithBrush) raster::ScanPolygon(device, shape.Brush);
    if (shape.WithPen) StrokePath(state_, device, true, shape.Pen);
    shape.Paint(*buffer_, state_);
}

void TCanvas::Rectangle(const TRect& rect) {
    const TRect r = raster::DeviceRect(state_, Normalized(rect));
    TShape shape(*buffer_, state_);
    if (r.IsEmpty() || shape.Clip.IsEmpty()) return;
    // The pen's ring lies between outer and inner; the brush fills inner.
    TRect outer = r, inner = r;
    if (shape.WithPen) {
        const int w = std::clamp(state_.Pen.Width, 1, TPixelBuffer::kMaxSide);
        const int a = (w - 1) / 2;
        outer = r.Inflate(a, a);
        inner = outer.Inflate(-w, -w);
        if (inner.IsEmpty()) inner = {outer.Left, outer.Bottom, outer.Left, outer.Bottom};
    }
    const bool solidRing = !shape.WithPen || state_.Pen.Style == psSolid;
    if (state_.Pen.Mode == pmCopy && solidRing) {
        // The usual case (a chart's bars, a control's frame) as four bands and a block.
        auto fill = [&](const TRect& area, TColor c) {
            raster::FillArea(*buffer_, shape.Clip, area, ColorToPixel(c));
        };
        if (shape.WithBrush) fill(inner, state_.Brush.Color);
        if (!shape.WithPen) return;
        fill({outer.Left, outer.Top, outer.Right, inner.Top}, state_.Pen.Color);
        fill({outer.Left, inner.Bottom, outer.Right, outer.Bottom}, state_.Pen.Color);
        fill({outer.Left, inner.Top, inner.Left, inner.Bottom}, state_.Pen.Color);
        fill({inner.Right, inner.Top, outer.Right, inner.Bottom}, state_.Pen.Color);
        return;
    }
    if (shape.WithPen && solidRing) {
        shape.Pen.AddRect(outer.Left, outer.Top, outer.Right, outer.Bottom);
        TSpans hole(shape.Clip.Bounds());
        hole.AddRect(inner.Left, inner.Top, inner.Right, inner.Bottom);
        shape.Pen.Subtract(hole);
    } else if (shape.WithPen) {
        const std::int64_t l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
        StrokePath(state_, {{l, t}, {rr, t}, {rr, b}, {l, b}}, true, shape.Pen);
    }
    if (shape.WithBrush) shape.Brush.AddRect(inner.Left, inner.Top, inner.Right, inner.Bottom);
    shape.Paint(*buffer_, state_);
}

void TCanvas::Ellipse(const TRect& rect) {
    const TRect r = raster::DeviceRect(state_, Normalized(rect));
    TShape shape(*buffer_, state_);
    if (r.IsEmpty() || shape.Clip.IsEmpty()) return;
    TSpans &brush = shape.Brush, &pen = shape.Pen;
    const bool withPen = shape.WithPen;
    const TRect& lim = shape.Clip.Bounds();
    const int w = std::clamp(state_.Pen.Width, 1, TPixelBuffer::kMaxSide);
    std::int64_t x0, x1, i0, i1, n0, n1;
    if (withPen && w == 1) {
        // The outline is every pixel of the shape with a neighbour outside it.
        for (int y = std::max(r.Top, lim.Top); y < std::min(r.Bottom, lim.Bottom); ++y) {
            if (!raster::EllipseRow(r.Left, r.Top, r.Right, r.Bottom, y, x0, x1)) continue;
            i0 = x0 + 1, i1 = x1 - 1;
            for (int ny : {y - 1, y + 1}) {
                if (!raster::EllipseRow(r.Left, r.Top, r.Right, r.Bottom, ny, n0, n1))
                    n0 = n1 = 0, i1 = i0;
                i0 = std::max(i0, n0), i1 = std::min(i1, n1);
            }
            if (i0 >= i1) i0 = i1 = x1;
            pen.Add(y, x0, i0);
            pen.Add(y, i1, x1);
            brush.Add(y, i0, i1);
        }
    } else {
        const int a = withPen ? (w - 1) / 2 : 0;
        const TRect outer = r.Inflate(a, a);
        const TRect inner = withPen ? outer.Inflate(-w, -w) : r;
        for (int y = std::max(outer.Top, lim.Top); y < std::min(outer.Bottom, lim.Bottom); ++y) {
            if (!raster::EllipseRow(inner.Left, inner.Top, inner.Right, inner.Bottom, y, i0, i1)) {
                i0 = i1 = 0;
            }
            brush.Add(y, i0, i1);
            if (!withPen ||
                !raster::EllipseRow(outer.Left, outer.Top, outer.Right, outer.Bottom, y, x0, x1))
                continue;
            if (i0 >= i1) i0 = i1 = x1;
            pen.Add(y, x0, i0);
            pen.Add(y, i1, x1);
        }
    }
    shape.Paint(*buffer_, state_);
}

void TCanvas::DrawFocusRect(const TRect& rect) {
    const TRect r = raster::DeviceRect(state_, rect);
    const TClip clip(*buffer_, state_);
    if (r.IsEmpty() || clip.IsEmpty()) return;
    const TRect& lim = clip.Bounds();
    TSpans dots(lim);
    // Every pixel whose distance from the top-left corner along both axes sums to an even
    // number: a checkerboard that puts every second pixel on each edge.
    auto odd = [&](int x, int y) { return ((x ^ r.Left ^ y ^ r.Top) & 1) != 0; };
    auto row = [&](int y) {
        int x = std::max(r.Left, lim.Left);
        if (odd(x, y)) ++x;
        for (; x < std::min(r.Right, lim.Right); x += 2) dots.Add(y, x, x + 1);
    };
    auto column = [&](int x) {
        int y = std::max(r.Top + 1, lim.Top);
        if (odd(x, y)) ++y;
        for (; y < std::min(r.Bottom - 1, lim.Bottom); y += 2) dots.Add(y, x, x + 1);
    };
    if (r.Top >= lim.Top && r.Top < lim.Bottom) row(r.Top);
    if (r.Height() > 1 && r.Bottom - 1 >= lim.Top && r.Bottom - 1 < lim.Bottom) row(r.Bottom - 1);
    column(r.Left);
    if (r.Width() > 1) column(r.Right - 1);
    dots.Normalize();
    dots.Paint(*buffer_, clip, {raster::opNot, 0});
}
