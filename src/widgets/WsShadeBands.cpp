#include <algorithm>
#include <array>
#include <cstring>

#include "widgets/WsShadeBands_p.h"

namespace {

constexpr int kStripWidth = 8;

// One run of lines whose colour steps from Far (at line Hi - 1) toward Near (toward Lo) in
// 16.16 fixed point; the line nearest Lo stops one step short of Near.
class TBandSegment {
  public:
    TBandSegment(long long lo, long long hi, TColor far, TColor near) : lo_(lo), hi_(hi) {
        const long long n = hi - lo;
        const std::array<unsigned, 3> f = {GetRValue(far), GetGValue(far), GetBValue(far)};
        const std::array<unsigned, 3> t = {GetRValue(near), GetGValue(near), GetBValue(near)};
        for (int c = 0; c < 3; ++c) {
            base_[c] = static_cast<long long>(f[c]) << 16;
            step_[c] = n <= 0 ? 0 : ((static_cast<long long>(t[c]) << 16) - base_[c]) / n;
        }
    }

    long long Lo() const { return lo_; }
    long long Hi() const { return hi_; }

    TColor ColorAt(long long line) const {
        const long long j = hi_ - 1 - line;
        auto channel = [&](int c) {
            return static_cast<unsigned>((base_[c] + j * step_[c]) >> 16) & 0xFF;
        };
        return RGB(channel(0), channel(1), channel(2));
    }

  private:
    long long lo_;
    long long hi_;
    std::array<long long, 3> base_{};
    std::array<long long, 3> step_{};
};

int GroupSize(std::uint8_t steps) {
    int g = steps;
    if (g > 8) g = 255 / g + 1;
    return std::max(g - 1, 0);
}

void FillLines(TCanvas& canvas, const TBandWindow& w, long long lo, long long hi, TColor color) {
    const int a = static_cast<int>(lo - w.First);
    const int b = static_cast<int>(hi - w.First);
    const int strip = std::min(kStripWidth, w.Across);
    canvas.Brush().Color = color;
    canvas.FillRect(w.Columns ? Rect(a, 0, b, strip) : Rect(0, a, strip, b));
}

// The lowest line of the run of `color` that reaches down from `from`. Every channel moves
// one way only, so the lines of one colour are contiguous and the run's end can be searched.
long long RunEnd(const TBandSegment& seg, long long from, TColor color) {
    long long lo = seg.Lo();
    long long hi = from;
    while (lo < hi) {
        const long long mid = lo + (hi - lo) / 2;
        if (seg.ColorAt(mid) == color)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// Bands are counted from the far end, as the grouping demands, but a band always ends at a
// change of colour, so there are at most a few hundred of them however long the segment is.
void ShadeSegment(TCanvas& canvas, const TBandWindow& w, const TBandSegment& seg, int group) {
    const long long visLo = std::max(seg.Lo(), w.First);
    const long long visHi = std::min(seg.Hi(), w.First + w.Count);
    if (visLo >= visHi) return;
    long long line = seg.Hi() - 1;
    while (line >= visLo) {
        const TColor color = seg.ColorAt(line);
        long long last = std::max(line - group, seg.Lo());
        if (last > seg.Lo() && seg.ColorAt(last - 1) == color) last = RunEnd(seg, last - 1, color);
        const long long lo = std::max(last, visLo);
        const long long hi = std::min(line + 1, visHi);
        if (lo < hi) FillLines(canvas, w, lo, hi, color);
        line = last - 1;
    }
}

// The strip is copied within the bitmap's own pixels: a canvas-to-itself copy would first
// take the whole source picture aside, once per doubling.
void CopyStripAcross(TPixelBuffer& buffer, const TBandWindow& w) {
    for (int copied = std::min(kStripWidth, w.Across); copied < w.Across; copied *= 2) {
        const int n = std::min(copied, w.Across - copied);
        if (w.Columns) {
            // Rows are contiguous, so a block of whole rows is one copy.
            std::memcpy(buffer.Row(copied), buffer.Row(0), sizeof(TPixel) * n * buffer.Width());
        } else {
            for (int y = 0; y < buffer.Height(); ++y)
                std::memcpy(buffer.Row(y) + copied, buffer.Row(y), sizeof(TPixel) * n);
        }
    }
}

}  // namespace

void ShadeBands(TCanvas& bitmapCanvas, const TBandWindow& window, bool centre, TColor start,
                TColor stop, std::uint8_t steps) {
    if (window.Count <= 0 || window.Across <= 0 || window.Extent <= 0) return;
    const int group = GroupSize(steps);
    const long long split = window.Extent / 2;
    const long long firstHi = centre ? split + 1 : window.Extent;
    ShadeSegment(bitmapCanvas, window, TBandSegment(0, firstHi, stop, start), group);
    if (centre)
        ShadeSegment(bitmapCanvas, window, TBandSegment(split + 1, window.Extent, start, stop),
                     group);
    CopyStripAcross(bitmapCanvas.Buffer(), window);
}
