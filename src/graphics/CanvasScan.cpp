#include <algorithm>
#include <cmath>

#include "graphics/CanvasRaster_p.h"

namespace raster {
namespace {

// An edge with Y1 < Y2 and, while the scan is inside it, the first pixel at or right of the
// edge on the current row, kept exactly as Next = Q (ceil of (Q * Den - R) / Den) so each
// row costs one addition. A pixel is sampled at its own integer point, the point the pen's
// lines pass through, so a fill and its outline meet without a gap at any slope.
struct TEdge {
    std::int64_t X1, Y1, X2, Y2;
    std::int64_t Q = 0, R = 0, Den = 0, StepQ = 0, StepR = 0;

    // Row y meets the edge at X = X1 + (y - Y1) (X2 - X1) / (Y2 - Y1); the first pixel at or
    // right of it is ceil(X).
    void Start(std::int64_t y) {
        Den = Y2 - Y1;
        const Int128 num = Int128(X1) * Den + Int128(y - Y1) * (X2 - X1);
        Q = static_cast<std::int64_t>(CeilDiv(num, Den));
        R = static_cast<std::int64_t>(Int128(Q) * Den - num);
        const std::int64_t step = X2 - X1;
        StepQ = static_cast<std::int64_t>(FloorDiv(step, Den));
        StepR = step - StepQ * Den;
    }
    void Step() {
        Q += StepQ;
        R -= StepR;
        if (R < 0) R += Den, ++Q;
    }
};

}  // namespace

void ScanPolygon(const std::vector<TPoint64>& points, TSpans& out) {
    if (points.size() < 3) return;
    std::vector<TEdge> edges;
    edges.reserve(points.size());
    std::int64_t top = points[0].Y, bottom = points[0].Y;
    for (std::size_t i = 0; i < points.size(); ++i) {
        TPoint64 a = points[i], b = points[(i + 1) % points.size()];
        top = std::min(top, a.Y), bottom = std::max(bottom, a.Y);
        if (a.Y == b.Y) continue;
        if (a.Y > b.Y) std::swap(a, b);
        edges.push_back({a.X, a.Y, b.X, b.Y});
    }
    const TRect& lim = out.Limit();
    top = std::max<std::int64_t>(top, lim.Top);
    bottom = std::min<std::int64_t>(bottom, lim.Bottom);
    std::vector<std::int64_t> xs;
    for (std::int64_t y = top; y < bottom; ++y) {
        ++Steps();
        xs.clear();
        for (TEdge& e : edges) {
            if (y < e.Y1 || y >= e.Y2) continue;
            if (y == std::max(e.Y1, top)) {
                e.Start(y);
            } else {
                e.Step();
            }
            xs.push_back(e.Q);
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t k = 0; k + 1 < xs.size(); k += 2) out.Add(y, xs[k], xs[k + 1]);
    }
}

bool EllipseRow(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, std::int64_t y,
                std::int64_t& x0, std::int64_t& x1) {
    if (r <= l || b <= t || y < t || y >= b) return false;
    const double cx = (double(l) + double(r)) / 2, cy = (double(t) + double(b)) / 2;
    const double rx = (double(r) - double(l)) / 2, ry = (double(b) - double(t)) / 2;
    const double dy = (double(y) + 0.5 - cy) / ry;
    const double k = 1 - dy * dy;
    if (k <= 0) return false;
    x0 = static_cast<std::int64_t>(std::ceil(cx - rx * std::sqrt(k) - 0.5));
    x0 = std::max(x0, l);
    // Mirrored about the centre so both halves match pixel for pixel.
    x1 = l + r - x0;
    return x0 < x1;
}

}  // namespace raster
