#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "graphics/Canvas.h"
#include "graphics/CanvasRaster_p.h"

using raster::TClip;

namespace {

// Source-over with straight alpha.
inline TPixel Blend(TPixel dst, TPixel src) {
    const unsigned a = src >> 24;
    if (a == 255) return src;
    if (a == 0) return dst;
    const unsigned na = 255 - a;
    auto channel = [&](int shift) {
        const unsigned s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        return ((s * a + d * na + 127) / 255) << shift;
    };
    const unsigned da = dst >> 24;
    const unsigned outA = a + (da * na + 127) / 255;
    return (outA << 24) | channel(16) | channel(8) | channel(0);
}

// The source pixels a copy reads, taken aside first when they live in the buffer being written,
// so overlapping copies read the picture as it was before the call.
const TPixelBuffer& StableSource(const TPixelBuffer& source, const TPixelBuffer& dest,
                                 TPixelBuffer& copy) {
    if (&source != &dest) return source;
    copy = source;
    return copy;
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect) {
    const TRect d = raster::DeviceRect(state_, dest);
    const TRect s = raster::DeviceRect(source.state_, sourceRect);
    const TClip clip(*buffer_, state_);
    if (d.IsEmpty() || s.IsEmpty() || clip.IsEmpty()) return;
    TPixelBuffer copy;
    const TPixelBuffer& src = StableSource(*source.buffer_, *buffer_, copy);
    const TRect srcBounds{0, 0, src.Width(), src.Height()};

    const auto width = [](const TRect& r) { return std::int64_t(r.Right) - r.Left; };
    const auto height = [](const TRect& r) { return std::int64_t(r.Bottom) - r.Top; };
    if (width(dest) == width(sourceRect) && height(dest) == height(sourceRect)) {
        const std::int64_t shiftX = std::int64_t(sourceRect.Left) + source.state_.Origin.X -
                                    (std::int64_t(dest.Left) + state_.Origin.X);
        const std::int64_t shiftY = std::int64_t(sourceRect.Top) + source.state_.Origin.Y -
                                    (std::int64_t(dest.Top) + state_.Origin.Y);
        // Beyond this no destination pixel inside a buffer has a source pixel inside one.
        constexpr std::int64_t kFar = std::int64_t(1) << 29;
        if (std::abs(shiftX) > kFar || std::abs(shiftY) > kFar) return;
        const int dx = static_cast<int>(shiftX), dy = static_cast<int>(shiftY);
        // Only the destination pixels whose source pixel exists.
        const TRect area = d.Intersect(srcBounds.Offset(-dx, -dy));
        for (const TRect& c : clip.Rects()) {
            const TRect a = area.Intersect(c);
            if (a.IsEmpty()) continue;
            for (int y = a.Top; y < a.Bottom; ++y) {
                std::memcpy(buffer_->Row(y) + a.Left, src.Row(y + dy) + a.Left + dx,
                            sizeof(TPixel) * a.Width());
            }
        }
        return;
    }

    // Nearest neighbour: destination pixel i of n takes source pixel floor((i + 0.5) * m / n).
    auto map = [](int i, int n, int m) {
        return static_cast<int>((2 * std::int64_t(i) + 1) * m / (2 * std::int64_t(n)));
    };
    for (const TRect& c : clip.Rects()) {
        const TRect a = d.Intersect(c);
        if (a.IsEmpty()) continue;
        std::vector<int> columns(a.Width());
        for (int x = a.Left; x < a.Right; ++x)
            columns[x - a.Left] = s.Left + map(x - d.Left, d.Width(), s.Width());
        for (int y = a.Top; y < a.Bottom; ++y) {
            const int sy = s.Top + map(y - d.Top, d.Height(), s.Height());
            if (sy < 0 || sy >= src.Height()) continue;
            const TPixel* from = src.Row(sy);
            TPixel* to = buffer_->Row(y);
            for (int x = a.Left; x < a.Right; ++x) {
                const int sx = columns[x - a.Left];
                if (sx >= 0 && sx < src.Width()) to[x] = from[sx];
            }
        }
    }
}

void TCanvas::Draw(int x, int y, const TPixelBuffer& image, bool alphaBlend) {
    const std::int64_t left = std::int64_t(x) + state_.Origin.X,
                       top = std::int64_t(y) + state_.Origin.Y;
    const TRect d = raster::ClampRect(left, top, left + image.Width(), top + image.Height());
    const TClip clip(*buffer_, state_);
    if (d.IsEmpty() || clip.IsEmpty()) return;
    TPixelBuffer copy;
    const TPixelBuffer& src = StableSource(image, *buffer_, copy);
    for (const TRect& c : clip.Rects()) {
        const TRect a = d.Intersect(c);
        if (a.IsEmpty()) continue;
        for (int row = a.Top; row < a.Bottom; ++row) {
            const TPixel* from = src.Row(static_cast<int>(row - top)) + (a.Left - left);
            TPixel* to = buffer_->Row(row) + a.Left;
            if (!alphaBlend) {
                std::memcpy(to, from, sizeof(TPixel) * a.Width());
                continue;
            }
            for (int i = 0; i < a.Width(); ++i) to[i] = Blend(to[i], from[i]);
        }
    }
}

void TCanvas::BlendMask(int x, int y, int w, int h, const std::uint8_t* mask, int pitch, TColor c) {
    if (!mask || w <= 0 || h <= 0 || pitch < w || c == clNone) return;
    const std::int64_t left = std::int64_t(x) + state_.Origin.X,
                       top = std::int64_t(y) + state_.Origin.Y;
    const TRect d = raster::ClampRect(left, top, left + w, top + h);
    const TClip clip(*buffer_, state_);
    if (d.IsEmpty() || clip.IsEmpty()) return;
    const TPixel rgb = ColorToPixel(c) & 0x00FFFFFF;
    for (const TRect& r : clip.Rects()) {
        const TRect a = d.Intersect(r);
        if (a.IsEmpty()) continue;
        for (int row = a.Top; row < a.Bottom; ++row) {
            const std::uint8_t* m = mask + static_cast<std::size_t>(row - top) * pitch +
                                    static_cast<std::size_t>(a.Left - left);
            TPixel* to = buffer_->Row(row) + a.Left;
            for (int i = 0; i < a.Width(); ++i) {
                if (m[i]) to[i] = Blend(to[i], (TPixel(m[i]) << 24) | rgb);
            }
        }
    }
}
