#include "graphics/Canvas.h"

#include <algorithm>
#include <climits>

#include "graphics/CanvasRaster_p.h"

using raster::TClip;

TCanvas::TCanvas(TPixelBuffer& buffer) : buffer_(&buffer) {}

TColor TCanvas::Pixels(int x, int y) const {
    const std::int64_t dx = std::int64_t(x) + state_.Origin.X,
                       dy = std::int64_t(y) + state_.Origin.Y;
    if (dx < 0 || dy < 0 || dx >= Width() || dy >= Height()) return clNone;
    return RGBFromPixel(buffer_->Row(static_cast<int>(dy))[dx]);
}

void TCanvas::SetPixels(int x, int y, TColor c) {
    const std::int64_t dx = std::int64_t(x) + state_.Origin.X,
                       dy = std::int64_t(y) + state_.Origin.Y;
    if (c == clNone || dx < 0 || dy < 0 || dx >= Width() || dy >= Height()) return;
    const int px = static_cast<int>(dx), py = static_cast<int>(dy);
    if (!state_.Clipped) {
        buffer_->Row(py)[px] = ColorToPixel(c);
        return;
    }
    const TClip clip(*buffer_, state_);
    clip.ForSpan(py, px, px + 1, [&](int, int) { buffer_->Row(py)[px] = ColorToPixel(c); });
}

void TCanvas::FillPixels(const TRect& r, TPixel value) {
    raster::FillArea(*buffer_, TClip(*buffer_, state_), raster::DeviceRect(state_, r), value);
}

void TCanvas::FillRect(const TRect& r) {
    if (state_.Brush.Style == bsClear || state_.Brush.Color == clNone) return;
    FillPixels(r, ColorToPixel(state_.Brush.Color));
}

namespace {

void EnsureClipped(TCanvasState& state, const TPixelBuffer& buffer) {
    if (state.Clipped) return;
    state.Clip = TRegion(TRect{0, 0, buffer.Width(), buffer.Height()});
    state.Clipped = true;
}

}  // namespace

void TCanvas::IntersectClipRect(const TRect& r) {
    EnsureClipped(state_, *buffer_);
    state_.Clip.Intersect(raster::DeviceRect(state_, r));
}

void TCanvas::ExcludeClipRect(const TRect& r) {
    EnsureClipped(state_, *buffer_);
    state_.Clip.Subtract(raster::DeviceRect(state_, r));
}

void TCanvas::IntersectClipRegion(const TRegion& region) {
    TRegion moved = region;
    moved.Offset(state_.Origin.X, state_.Origin.Y);
    EnsureClipped(state_, *buffer_);
    state_.Clip.Intersect(moved);
}

void TCanvas::ResetClip() {
    state_.Clipped = false;
    state_.Clip.Clear();
}

TRect TCanvas::ClipBounds() const {
    const TClip clip(*buffer_, state_);
    const TRect& b = clip.Bounds();
    if (b.IsEmpty()) return {};
    auto logical = [](int v, int origin) {
        return static_cast<int>(
            std::clamp<std::int64_t>(std::int64_t(v) - origin, INT_MIN, INT_MAX));
    };
    return {logical(b.Left, state_.Origin.X), logical(b.Top, state_.Origin.Y),
            logical(b.Right, state_.Origin.X), logical(b.Bottom, state_.Origin.Y)};
}
