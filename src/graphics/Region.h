#pragma once

#include <vector>

#include "graphics/Geometry.h"

// A set of pixels held as disjoint rectangles. Used for clipping and for invalid areas.
class TRegion {
  public:
    TRegion() = default;
    explicit TRegion(const TRect& r);
    // The pixels inside the polygon by the alternate (even-odd) rule, with the same pixel
    // coverage as TCanvas::Polygon's fill.
    static TRegion FromPolygon(const std::vector<TPoint>& points);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(TPoint p) const;
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return rects_; }

    void Union(const TRect& r);
    void Union(const TRegion& other);
    void Intersect(const TRect& r);
    void Intersect(const TRegion& other);
    void Subtract(const TRect& r);
    void Subtract(const TRegion& other);
    void Offset(int dx, int dy);
    void Clear() { rects_.clear(); }

  private:
    std::vector<TRect> rects_;  // disjoint, non-empty
};
