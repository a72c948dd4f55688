#include <algorithm>
#include <cstring>

#include "graphics/CanvasRaster_p.h"

namespace raster {

void FillRun(TPixel* p, std::size_t count, TPixel value) {
    if ((value & 0xFF) * 0x01010101u == value) {
        std::memset(p, static_cast<int>(value & 0xFF), count * sizeof(TPixel));
        return;
    }
    // A plain loop is not vectorised at this optimisation level; seeding a block and copying
    // it onward lets the library's memcpy do the wide stores.
    constexpr std::size_t kSeed = 64, kMaxChunk = 2048;
    if (count <= kSeed) {
        std::fill_n(p, count, value);
        return;
    }
    std::fill_n(p, kSeed, value);
    for (std::size_t done = kSeed; done < count;) {
        const std::size_t chunk = std::min({done, count - done, kMaxChunk});
        std::memcpy(p + done, p, chunk * sizeof(TPixel));
        done += chunk;
    }
}

void FillArea(TPixelBuffer& buffer, const TClip& clip, const TRect& area, TPixel value) {
    const int width = buffer.Width();
    for (const TRect& c : clip.Rects()) {
        const TRect a = area.Intersect(c);
        if (a.IsEmpty()) continue;
        if (a.Width() == width) {
            // Whole rows lie back to back: one fill.
            FillRun(buffer.Row(a.Top), static_cast<std::size_t>(width) * a.Height(), value);
            continue;
        }
        // Later rows are copies of the first.
        const TPixel* first = buffer.Row(a.Top) + a.Left;
        FillRun(buffer.Row(a.Top) + a.Left, a.Width(), value);
        for (int y = a.Top + 1; y < a.Bottom; ++y) {
            std::memcpy(buffer.Row(y) + a.Left, first, sizeof(TPixel) * a.Width());
        }
    }
}

void ApplySpan(TPixel* p, int count, TPaint paint) {
    constexpr TPixel kRgb = 0x00FFFFFF;
    switch (paint.Op) {
        case opCopy:
            FillRun(p, static_cast<std::size_t>(count), paint.Value);
            break;
        case opNot:
            for (int i = 0; i < count; ++i) p[i] ^= kRgb;
            break;
        case opXor:
            for (int i = 0; i < count; ++i) p[i] ^= paint.Value & kRgb;
            break;
        case opNotXor:
            for (int i = 0; i < count; ++i) p[i] ^= ~paint.Value & kRgb;
            break;
    }
}

TRect ClampRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    static constexpr std::int64_t kLimit = std::int64_t(1) << 29;
    auto clamp = [](std::int64_t v) { return static_cast<int>(std::clamp(v, -kLimit, kLimit)); };
    return {clamp(l), clamp(t), clamp(r), clamp(b)};
}

TRect DeviceRect(const TCanvasState& state, const TRect& r) {
    return ClampRect(std::int64_t(r.Left) + state.Origin.X, std::int64_t(r.Top) + state.Origin.Y,
                     std::int64_t(r.Right) + state.Origin.X,
                     std::int64_t(r.Bottom) + state.Origin.Y);
}

TClip::TClip(const TPixelBuffer& buffer, const TCanvasState& state) {
    TRect whole{0, 0, buffer.Width(), buffer.Height()};
    if (whole.IsEmpty()) return;
    if (!state.Clipped) {
        rects_.push_back(whole);
    } else {
        for (const TRect& r : state.Clip.Rects()) {
            TRect c = r.Intersect(whole);
            if (!c.IsEmpty()) rects_.push_back(c);
        }
    }
    for (const TRect& r : rects_) bounds_ = bounds_.Union(r);
}

void TSpans::AddRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    const std::int64_t y1 = std::min<std::int64_t>(b, limit_.Bottom);
    for (std::int64_t y = std::max<std::int64_t>(t, limit_.Top); y < y1; ++y) Add(y, l, r);
}

void TSpans::Normalize() {
    if (spans_.empty()) return;
    std::sort(spans_.begin(), spans_.end(),
              [](const TSpan& a, const TSpan& b) { return a.Y != b.Y ? a.Y < b.Y : a.X0 < b.X0; });
    std::size_t out = 0;
    for (std::size_t i = 1; i < spans_.size(); ++i) {
        TSpan& last = spans_[out];
        const TSpan& s = spans_[i];
        if (s.Y == last.Y && s.X0 <= last.X1) {
            last.X1 = std::max(last.X1, s.X1);
        } else {
            spans_[++out] = s;
        }
    }
    spans_.resize(out + 1);
}

void TSpans::Subtract(const TSpans& other) {
    std::vector<TSpan> result;
    result.reserve(spans_.size());
    std::size_t j = 0;
    const auto& cut = other.spans_;
    for (TSpan s : spans_) {
        while (j < cut.size() && (cut[j].Y < s.Y || (cut[j].Y == s.Y && cut[j].X1 <= s.X0))) ++j;
        // Spans of one row are sorted and disjoint, so the cutters that matter follow j.
        for (std::size_t k = j; k < cut.size() && cut[k].Y == s.Y && cut[k].X0 < s.X1; ++k) {
            if (cut[k].X0 > s.X0) result.push_back({s.Y, s.X0, cut[k].X0});
            s.X0 = std::max(s.X0, cut[k].X1);
        }
        if (s.X0 < s.X1) result.push_back(s);
    }
    spans_ = std::move(result);
}

void TSpans::Paint(TPixelBuffer& buffer, const TClip& clip, TPaint paint) const {
    for (const TSpan& s : spans_) {
        TPixel* row = buffer.Row(s.Y);
        clip.ForSpan(s.Y, s.X0, s.X1, [&](int a, int b) { ApplySpan(row + a, b - a, paint); });
    }
}

}  // namespace raster
