#include "graphics/Region.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "graphics/CanvasRaster_p.h"

// Rectangles are kept in bands: sorted by Top, then Left; the rectangles of a band share Top
// and Bottom, do not touch each other, and two neighbouring bands with the same columns are
// one band. So a set of pixels has exactly one representation and the boolean operations are
// a sweep over band boundaries.

namespace {

using TIntervals = std::vector<std::pair<int, int>>;

struct TBand {
    int Top;
    int Bottom;
    std::size_t Begin;
    std::size_t End;
};

std::vector<TBand> BandsOf(const std::vector<TRect>& rects) {
    std::vector<TBand> bands;
    for (std::size_t i = 0; i < rects.size();) {
        std::size_t j = i;
        while (j < rects.size() && rects[j].Top == rects[i].Top) ++j;
        bands.push_back({rects[i].Top, rects[i].Bottom, i, j});
        i = j;
    }
    return bands;
}

// Combines two sorted lists of disjoint intervals with keep(inA, inB).
template <class Keep>
void CombineIntervals(const std::vector<TRect>& a, std::size_t a0, std::size_t a1,
                      const std::vector<TRect>& b, std::size_t b0, std::size_t b1, Keep keep,
                      TIntervals& out) {
    out.clear();
    std::vector<int> xs;
    xs.reserve(2 * (a1 - a0 + b1 - b0));
    for (std::size_t i = a0; i < a1; ++i) xs.push_back(a[i].Left), xs.push_back(a[i].Right);
    for (std::size_t i = b0; i < b1; ++i) xs.push_back(b[i].Left), xs.push_back(b[i].Right);
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::size_t ia = a0, ib = b0;
    for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
        const int x0 = xs[k], x1 = xs[k + 1];
        while (ia < a1 && a[ia].Right <= x0) ++ia;
        while (ib < b1 && b[ib].Right <= x0) ++ib;
        const bool inA = ia < a1 && a[ia].Left <= x0;
        const bool inB = ib < b1 && b[ib].Left <= x0;
        if (!keep(inA, inB)) continue;
        if (!out.empty() && out.back().second == x0) {
            out.back().second = x1;
        } else {
            out.emplace_back(x0, x1);
        }
    }
}

// Appends a band, or lengthens the previous one when it ends at top with the same columns.
class TBandWriter {
  public:
    explicit TBandWriter(std::vector<TRect>& rects) : rects_(rects) {}
    void Add(int top, int bottom, const TIntervals& columns) {
        if (columns.empty()) return;
        if (lastBegin_ < rects_.size() && rects_[lastBegin_].Bottom == top &&
            rects_.size() - lastBegin_ == columns.size()) {
            bool same = true;
            for (std::size_t i = 0; i < columns.size() && same; ++i) {
                const TRect& r = rects_[lastBegin_ + i];
                same = r.Left == columns[i].first && r.Right == columns[i].second;
            }
            if (same) {
                for (std::size_t i = lastBegin_; i < rects_.size(); ++i) rects_[i].Bottom = bottom;
                return;
            }
        }
        lastBegin_ = rects_.size();
        for (const auto& c : columns) rects_.push_back({c.first, top, c.second, bottom});
    }

  private:
    std::vector<TRect>& rects_;
    std::size_t lastBegin_ = SIZE_MAX;
};

template <class Keep>
std::vector<TRect> Combine(const std::vector<TRect>& a, const std::vector<TRect>& b, Keep keep) {
    const std::vector<TBand> bandsA = BandsOf(a), bandsB = BandsOf(b);
    // Rows where the result can hold pixels; the sweep skips the rest without sorting them.
    int from = INT_MAX, to = INT_MIN;
    auto widen = [&](const std::vector<TBand>& bands) {
        if (bands.empty()) return;
        from = std::min(from, bands.front().Top), to = std::max(to, bands.back().Bottom);
    };
    if (keep(true, false)) widen(bandsA);
    if (keep(false, true)) widen(bandsB);
    if (keep(true, true) && !keep(true, false) && !keep(false, true) && !bandsA.empty() &&
        !bandsB.empty()) {
        from = std::max(bandsA.front().Top, bandsB.front().Top);
        to = std::min(bandsA.back().Bottom, bandsB.back().Bottom);
    }
    std::vector<int> ys;
    auto collect = [&](const std::vector<TBand>& bands) {
        for (const TBand& band : bands) {
            if (band.Bottom <= from || band.Top >= to) continue;
            ys.push_back(std::max(band.Top, from)), ys.push_back(std::min(band.Bottom, to));
        }
    };
    collect(bandsA);
    collect(bandsB);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<TRect> result;
    TBandWriter writer(result);
    TIntervals columns;
    std::size_t ia = 0, ib = 0;
    for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
        const int y0 = ys[k], y1 = ys[k + 1];
        while (ia < bandsA.size() && bandsA[ia].Bottom <= y0) ++ia;
        while (ib < bandsB.size() && bandsB[ib].Bottom <= y0) ++ib;
        const bool hasA = ia < bandsA.size() && bandsA[ia].Top <= y0;
        const bool hasB = ib < bandsB.size() && bandsB[ib].Top <= y0;
        if (!keep(hasA, hasB) && !(hasA && hasB)) continue;
        CombineIntervals(a, hasA ? bandsA[ia].Begin : 0, hasA ? bandsA[ia].End : 0, b,
                         hasB ? bandsB[ib].Begin : 0, hasB ? bandsB[ib].End : 0, keep, columns);
        writer.Add(y0, y1, columns);
    }
    return result;
}

int SaturatedAdd(int v, int d, bool& clamped) {
    const std::int64_t sum = std::int64_t(v) + d;
    clamped = clamped || sum < INT_MIN || sum > INT_MAX;
    return static_cast<int>(std::clamp<std::int64_t>(sum, INT_MIN, INT_MAX));
}

// Polygons are scan-converted inside this box; it is far beyond any screen and keeps an absurd
// polygon from producing millions of bands.
constexpr int kPolygonLimit = 1 << 15;

}  // namespace

TRegion::TRegion(const TRect& r) {
    if (!r.IsEmpty()) rects_.push_back(r);
}

TRegion TRegion::FromPolygon(const std::vector<TPoint>& points) {
    raster::TSpans spans({-kPolygonLimit, -kPolygonLimit, kPolygonLimit, kPolygonLimit});
    std::vector<raster::TPoint64> device;
    device.reserve(points.size());
    for (TPoint p : points) device.push_back({p.X, p.Y});
    raster::ScanPolygon(device, spans);
    spans.Normalize();

    TRegion region;
    TBandWriter writer(region.rects_);
    TIntervals columns;
    const auto& items = spans.Items();
    for (std::size_t i = 0; i < items.size();) {
        const int y = items[i].Y;
        columns.clear();
        for (; i < items.size() && items[i].Y == y; ++i)
            columns.emplace_back(items[i].X0, items[i].X1);
        writer.Add(y, y + 1, columns);
    }
    return region;
}

bool TRegion::Contains(TPoint p) const {
    // Bottoms never decrease along the list, so the first rectangle reaching below p starts
    // the only band that can hold it.
    auto it = std::upper_bound(rects_.begin(), rects_.end(), p.Y,
                               [](int y, const TRect& r) { return y < r.Bottom; });
    for (; it != rects_.end() && it->Top <= p.Y; ++it) {
        if (it->Contains(p)) return true;
    }
    return false;
}

TRect TRegion::Bounds() const {
    TRect b;
    for (const TRect& r : rects_) b = b.Union(r);
    return b;
}

void TRegion::Union(const TRect& r) {
    Union(TRegion(r));
}
void TRegion::Intersect(const TRect& r) {
    Intersect(TRegion(r));
}
void TRegion::Subtract(const TRect& r) {
    Subtract(TRegion(r));
}

void TRegion::Union(const TRegion& other) {
    if (other.IsEmpty()) return;
    rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a || b; });
}

void TRegion::Intersect(const TRegion& other) {
    rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a && b; });
}

void TRegion::Subtract(const TRegion& other) {
    if (other.IsEmpty() || IsEmpty()) return;
    rects_ = Combine(rects_, other.rects_, [](bool a, bool b) { return a && !b; });
}

void TRegion::Offset(int dx, int dy) {
    bool clamped = false;
    for (TRect& r : rects_) {
        r = {SaturatedAdd(r.Left, dx, clamped), SaturatedAdd(r.Top, dy, clamped),
             SaturatedAdd(r.Right, dx, clamped), SaturatedAdd(r.Bottom, dy, clamped)};
    }
    if (!clamped) return;
    // Pushed against the edge of int's range, rectangles may have shrunk to nothing and
    // neighbouring bands may have become alike. Clamping keeps the order, so one pass mends it.
    std::vector<TRect> old = std::move(rects_);
    rects_.clear();
    TBandWriter writer(rects_);
    TIntervals columns;
    for (std::size_t i = 0; i < old.size();) {
        const TRect& first = old[i];
        columns.clear();
        for (; i < old.size() && old[i].Top == first.Top && old[i].Bottom == first.Bottom; ++i) {
            if (!old[i].IsEmpty()) columns.emplace_back(old[i].Left, old[i].Right);
        }
        if (first.Top < first.Bottom) writer.Add(first.Top, first.Bottom, columns);
    }
}
