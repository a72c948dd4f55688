#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "graphics/CanvasRaster_p.h"

namespace raster {
namespace {

// On/off run lengths by pen style; the first run is on.
struct TPattern {
    int Runs[6];
    int Count;
};
constexpr TPattern kPatterns[] = {
    {{}, 0},                  // psSolid
    {{18, 6}, 2},             // psDash
    {{1, 1}, 2},              // psDot
    {{9, 6, 3, 6}, 4},        // psDashDot
    {{9, 3, 3, 3, 3, 3}, 6},  // psDashDotDot
};

bool PatternOn(TPenStyle style, std::int64_t pos) {
    if (static_cast<std::size_t>(style) >= std::size(kPatterns) || kPatterns[style].Count == 0) {
        return true;
    }
    const TPattern& pattern = kPatterns[style];
    int period = 0;
    for (int i = 0; i < pattern.Count; ++i) period += pattern.Runs[i];
    std::int64_t p = pos % period;
    if (p < 0) p += period;
    for (int i = 0; i < pattern.Count; ++i) {
        if (p < pattern.Runs[i]) return i % 2 == 0;
        p -= pattern.Runs[i];
    }
    return true;
}

// The stepping of one segment: at step i the major coordinate is A0 + SA * i and the minor one
// B0 + SB * Off(i), Off(i) = floor((2iB + A) / 2A), i.e. the ideal line rounded half up.
struct TStepper {
    std::int64_t A, B;
    Int128 Off(std::int64_t i) const {
        return A == 0 ? 0 : FloorDiv(Int128(2) * i * B + A, Int128(2) * A);
    }
    // First i in [lo, hi) with Off(i) >= v (hi when none); Off never decreases.
    std::int64_t FirstAtLeast(std::int64_t lo, std::int64_t hi, Int128 v) const {
        while (lo < hi) {
            std::int64_t mid = lo + (hi - lo) / 2;
            if (Off(mid) >= v)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
};

}  // namespace

std::int64_t StrokeSegment(const TStroke& s, std::int64_t phase, TSpans& out) {
    const std::int64_t dx = s.X1 - s.X0, dy = s.Y1 - s.Y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t A = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t B = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int sa = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const std::int64_t a0 = xMajor ? s.X0 : s.Y0;
    const std::int64_t b0 = xMajor ? s.Y0 : s.X0;
    const std::int64_t w = std::max(1, s.Width);
    const std::int64_t n = A + (s.IncludeEnd ? 1 : 0);
    if (n == 0) return phase;

    // A wide pen reaches half its width past both ends and is w thick across the line.
    const std::int64_t iStart = w > 1 ? -(w / 2) : 0;
    const std::int64_t iEnd = n + (w > 1 ? (w - 1) / 2 : 0);
    std::int64_t across = 1;
    if (w > 1) {
        across = A == 0 ? w
                        : std::llround(static_cast<double>(w) * std::hypot(double(A), double(B)) /
                                       static_cast<double>(A));
    }
    const std::int64_t half = across / 2;

    const TRect& lim = out.Limit();
    const std::int64_t ma = xMajor ? lim.Top : lim.Left, mb = xMajor ? lim.Bottom : lim.Right;
    const std::int64_t Ma = xMajor ? lim.Left : lim.Top, Mb = xMajor ? lim.Right : lim.Bottom;
    std::int64_t i0, i1;
    if (sa > 0) {
        i0 = std::max(iStart, Ma - a0), i1 = std::min(iEnd, Mb - a0);
    } else {
        i0 = std::max(iStart, a0 - Mb + 1), i1 = std::min(iEnd, a0 - Ma + 1);
    }
    // Steps whose cross-section misses the limit on the minor axis are skipped by search.
    const TStepper step{A, B};
    Int128 lowOff, highOff;
    if (sb > 0) {
        lowOff = Int128(ma) + half - across + 1 - b0, highOff = Int128(mb) + half - b0;
    } else {
        lowOff = Int128(b0) - mb - half + 1, highOff = Int128(b0) - ma - half + across;
    }
    if (i0 < i1) {
        std::int64_t first = step.FirstAtLeast(i0, i1, lowOff);
        i1 = step.FirstAtLeast(first, i1, highOff);
        i0 = first;
    }
    const std::int64_t advance = phase + n;
    if (i0 >= i1) return advance;

    if (B == 0 && s.Style == psSolid) {
        // Straight along an axis: whole spans.
        const std::int64_t lo = sa > 0 ? a0 + i0 : a0 - i1 + 1;
        const std::int64_t hi = sa > 0 ? a0 + i1 : a0 - i0 + 1;
        const std::int64_t m0 = std::max(b0 - half, ma), m1 = std::min(b0 - half + across, mb);
        if (xMajor) {
            for (std::int64_t m = m0; m < m1; ++m) out.Add(m, lo, hi);
        } else {
            for (std::int64_t y = lo; y < hi; ++y) out.Add(y, b0 - half, b0 - half + across);
        }
        return advance;
    }

    const Int128 q = Int128(2) * i0 * B + A;
    std::int64_t off = A == 0 ? 0 : static_cast<std::int64_t>(FloorDiv(q, Int128(2) * A));
    std::int64_t rem = A == 0 ? 0 : static_cast<std::int64_t>(q - Int128(off) * 2 * A);
    for (std::int64_t i = i0; i < i1; ++i) {
        if (PatternOn(s.Style, (phase + i - iStart) / w)) {
            const std::int64_t major = a0 + sa * i;
            const std::int64_t minor = b0 + sb * off - half;
            if (xMajor) {
                const std::int64_t m1 = std::min(minor + across, mb);
                for (std::int64_t m = std::max(minor, ma); m < m1; ++m)
                    out.Add(m, major, major + 1);
            } else {
                out.Add(major, minor, minor + across);
            }
        }
        rem += 2 * B;
        if (rem >= 2 * A) rem -= 2 * A, ++off;
    }
    return advance;
}

}  // namespace raster
