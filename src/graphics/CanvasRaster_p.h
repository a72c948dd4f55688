#pragma once

// The canvas's inner machinery: shapes are turned into clipped horizontal spans in buffer
// coordinates, then painted in one pass. Collecting spans first lets the inverting modes merge
// overlaps, so no pixel is inverted twice within one call.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "graphics/Canvas.h"

namespace raster {

__extension__ typedef __int128 Int128;

// Rounds toward minus infinity; b > 0.
inline Int128 FloorDiv(Int128 a, Int128 b) {
    Int128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}
inline Int128 CeilDiv(Int128 a, Int128 b) {
    return -FloorDiv(-a, b);
}

// Steps the rasteriser has taken on this thread: spans offered and polygon rows scanned.
// Every loop over rows or pixels takes one per turn, so the count bounds a call's work
// whatever the machine's speed.
inline std::uint64_t& Steps() {
    static thread_local std::uint64_t steps = 0;
    return steps;
}

struct TPoint64 {
    std::int64_t X;
    std::int64_t Y;
};

enum TOp : std::uint8_t { opCopy, opNot, opXor, opNotXor };

struct TPaint {
    TOp Op = opCopy;
    TPixel Value = 0;
};

inline TPaint PaintFor(TPenMode mode, TColor color) {
    TPixel value = ColorToPixel(color);
    switch (mode) {
        case pmNot:
            return {opNot, value};
        case pmXor:
            return {opXor, value};
        case pmNotXor:
            return {opNotXor, value};
        default:
            return {opCopy, value};
    }
}

// Sets count pixels to value, as fast as memset where the run is long.
void FillRun(TPixel* p, std::size_t count, TPixel value);
void ApplySpan(TPixel* p, int count, TPaint paint);

// A logical rectangle moved by the origin into buffer coordinates and kept well inside int's
// range, which changes nothing a buffer can show.
TRect DeviceRect(const TCanvasState& state, const TRect& r);
TRect ClampRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);
inline TPoint64 DevicePoint(const TCanvasState& state, TPoint p) {
    return {std::int64_t(p.X) + state.Origin.X, std::int64_t(p.Y) + state.Origin.Y};
}

// The canvas's clip as buffer-coordinate rectangles, already cut to the buffer.
class TClip {
  public:
    TClip(const TPixelBuffer& buffer, const TCanvasState& state);
    const std::vector<TRect>& Rects() const { return rects_; }
    const TRect& Bounds() const { return bounds_; }
    bool IsEmpty() const { return rects_.empty(); }

    // Calls f(x0, x1) for each piece of row y's span [x0, x1) that lies inside the clip.
    template <class F>
    void ForSpan(int y, int x0, int x1, F&& f) const {
        // Banded rectangles: bottoms never decrease, so row y's band is found by search.
        auto it = rects_.begin();
        if (rects_.size() > 4) {
            it = std::partition_point(rects_.begin(), rects_.end(),
                                      [y](const TRect& r) { return r.Bottom <= y; });
        }
        for (; it != rects_.end() && it->Top <= y; ++it) {
            if (y >= it->Bottom) continue;
            const int a = std::max(x0, it->Left), b = std::min(x1, it->Right);
            if (a < b) f(a, b);
        }
    }

  private:
    std::vector<TRect> rects_;
    TRect bounds_;
};

// Copies value into the buffer-coordinate area, clipped.
void FillArea(TPixelBuffer& buffer, const TClip& clip, const TRect& area, TPixel value);

struct TSpan {
    int Y;
    int X0;
    int X1;
};

// Spans of one shape, cut to the clip's bounding box as they are added.
class TSpans {
  public:
    explicit TSpans(const TRect& limit) : limit_(limit) {}
    const TRect& Limit() const { return limit_; }
    // From now on spans are painted as they are added instead of collected; for copying,
    // where painting a pixel twice does no harm.
    void PaintAsAdded(TPixelBuffer& buffer, const TClip& clip, TPaint paint) {
        buffer_ = &buffer, clip_ = &clip, paint_ = paint;
    }
    void Add(std::int64_t y, std::int64_t x0, std::int64_t x1) {
        ++Steps();
        if (y < limit_.Top || y >= limit_.Bottom) return;
        if (x0 < limit_.Left) x0 = limit_.Left;
        if (x1 > limit_.Right) x1 = limit_.Right;
        if (x0 >= x1) return;
        const int row = static_cast<int>(y);
        if (buffer_) {
            TPixel* p = buffer_->Row(row);
            clip_->ForSpan(row, static_cast<int>(x0), static_cast<int>(x1),
                           [&](int a, int b) { ApplySpan(p + a, b - a, paint_); });
        } else {
            spans_.push_back({row, static_cast<int>(x0), static_cast<int>(x1)});
        }
    }
    bool IsEmpty() const { return spans_.empty(); }
    // Adds the rows of [l, r) x [t, b) that fall inside the limit.
    void AddRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);
    // Sorts and merges overlapping spans so that each pixel appears once.
    void Normalize();
    // Removes the pixels of other; both must be normalised.
    void Subtract(const TSpans& other);
    void Paint(TPixelBuffer& buffer, const TClip& clip, TPaint paint) const;
    const std::vector<TSpan>& Items() const { return spans_; }

  private:
    TRect limit_;
    std::vector<TSpan> spans_;
    TPixelBuffer* buffer_ = nullptr;
    const TClip* clip_ = nullptr;
    TPaint paint_;
};

// One line segment in buffer coordinates, for the stroker.
struct TStroke {
    std::int64_t X0, Y0, X1, Y1;
    int Width = 1;
    TPenStyle Style = psSolid;
    bool IncludeEnd = false;
};

// Adds the pixels of the segment; the pattern continues from phase. Returns the phase after
// the segment, so that a polyline's pattern runs on.
std::int64_t StrokeSegment(const TStroke& s, std::int64_t phase, TSpans& out);

// Scan-converts a closed polygon with the alternate rule: a pixel is inside when its own
// point (x, y), the point a pen's line through it passes, is inside or on a left or top edge,
// so an axis-aligned polygon (l,t)-(r,b) covers l..r-1 x t..b-1. Rows outside limit are
// skipped without work.
void ScanPolygon(const std::vector<TPoint64>& points, TSpans& out);

// Row span [x0, x1) of the ellipse inscribed in r (pixel centres inside); false when row y
// misses it.
bool EllipseRow(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, std::int64_t y,
                std::int64_t& x0, std::int64_t& x1);

}  // namespace raster
