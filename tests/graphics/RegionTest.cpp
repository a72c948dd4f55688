#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "graphics/Region.h"

namespace {

// Rectangles fall within [-kPad, kGrid - kPad) on both axes.
constexpr int kGrid = 32;
constexpr int kPad = 4;

// The reference model: a plain set of pixels, indexed from -kPad.
struct Pixels {
    bool Set[kGrid][kGrid] = {};
    void Apply(const TRect& r, bool value, bool keepOthers, bool onlyInside) {
        for (int y = 0; y < kGrid; ++y)
            for (int x = 0; x < kGrid; ++x) {
                const bool in = r.Contains({x - kPad, y - kPad});
                if (onlyInside)
                    Set[y][x] = Set[y][x] && in;
                else if (in)
                    Set[y][x] = value;
                else if (!keepOthers)
                    Set[y][x] = false;
            }
    }
};

// The representation is canonical: disjoint, sorted, banded, touching neighbours merged.
void ExpectCanonical(const TRegion& region) {
    const auto& rects = region.Rects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const TRect& r = rects[i];
        ASSERT_FALSE(r.IsEmpty());
        if (i == 0) continue;
        const TRect& p = rects[i - 1];
        if (p.Top == r.Top) {
            EXPECT_EQ(p.Bottom, r.Bottom);
            EXPECT_LT(p.Right, r.Left) << "touching rectangles in one band";
        } else {
            EXPECT_GE(r.Top, p.Bottom) << "bands overlap";
        }
    }
    for (std::size_t i = 0; i < rects.size(); ++i)
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_TRUE(rects[i].Intersect(rects[j]).IsEmpty());
}

TEST(Region, RandomOperationsAgreeWithAPixelModel) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-kPad, kGrid - kPad), op(0, 2);
    for (int round = 0; round < 60; ++round) {
        TRegion region;
        Pixels model;
        for (int step = 0; step < 12; ++step) {
            int a = coord(random), b = coord(random), c = coord(random), d = coord(random);
            const TRect r{std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
            switch (op(random)) {
                case 0:
                    region.Union(r), model.Apply(r, true, true, false);
                    break;
                case 1:
                    region.Intersect(r), model.Apply(r, true, true, true);
                    break;
                default:
                    region.Subtract(r), model.Apply(r, false, true, false);
                    break;
            }
            ExpectCanonical(region);
            TRect bounds;
            for (int y = 0; y < kGrid; ++y)
                for (int x = 0; x < kGrid; ++x) {
                    const int px = x - kPad, py = y - kPad;
                    ASSERT_EQ(region.Contains({px, py}), model.Set[y][x])
                        << "round " << round << " step " << step << " at " << px << "," << py;
                    if (model.Set[y][x]) bounds = bounds.Union({px, py, px + 1, py + 1});
                }
            EXPECT_EQ(region.Bounds(), bounds);
            EXPECT_EQ(region.IsEmpty(), bounds.IsEmpty());
        }
    }
}

TEST(Region, RegionOperandsCombineLikeTheirPixels) {
    TRegion ring({0, 0, 10, 10});
    ring.Subtract(TRect{3, 3, 7, 7});
    EXPECT_EQ(ring.Rects().size(), 4u);  // top band, two sides, bottom band
    TRegion cross({4, 0, 6, 10});
    cross.Union(TRect{0, 4, 10, 6});

    TRegion both = ring;
    both.Intersect(cross);
    EXPECT_TRUE(both.Contains({5, 1}));
    EXPECT_FALSE(both.Contains({5, 5}));
    EXPECT_FALSE(both.Contains({1, 1}));
    TRegion either = ring;
    either.Union(cross);
    EXPECT_EQ(either.Rects().size(), 9u);  // full, three, full, three, full
    EXPECT_TRUE(either.Contains({5, 5}));
    cross.Subtract(ring);
    EXPECT_EQ(cross.Bounds(), (TRect{3, 3, 7, 7}));
    EXPECT_EQ(cross.Rects().size(), 3u);
}

TEST(Region, UnionOfTouchingRectanglesMerges) {
    TRegion region({0, 0, 5, 2});
    region.Union(TRect{5, 0, 9, 2});
    region.Union(TRect{0, 2, 9, 4});
    ASSERT_EQ(region.Rects().size(), 1u);
    EXPECT_EQ(region.Rects()[0], (TRect{0, 0, 9, 4}));
    region.Union(TRect{2, 2, 1, 9});  // empty: no change
    EXPECT_EQ(region.Rects().size(), 1u);
}

TEST(Region, OffsetMovesAndSaturatesAtTheEdgeOfTheRange) {
    TRegion region({0, 0, 4, 4});
    region.Union(TRect{10, 10, 12, 12});
    region.Offset(3, -2);
    EXPECT_TRUE(region.Contains({3, -2}));
    EXPECT_TRUE(region.Contains({14, 9}));
    EXPECT_FALSE(region.Contains({0, 0}));
    region.Offset(INT_MAX - 14, 0);  // the second rectangle is cut to one column
    ExpectCanonical(region);
    EXPECT_EQ(region.Bounds().Right, INT_MAX);
    EXPECT_TRUE(region.Contains({INT_MAX - 1, 9}));
    EXPECT_TRUE(region.Contains({INT_MAX - 8, 1}));
    region.Offset(INT_MAX, 0);
    EXPECT_TRUE(region.IsEmpty());
}

TEST(Region, RectanglesSpanningTheWholeIntRangeWork) {
    TRegion plane({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
    plane.Subtract(TRect{-5, -5, 5, 5});
    ExpectCanonical(plane);
    EXPECT_EQ(plane.Rects().size(), 4u);
    EXPECT_FALSE(plane.Contains({0, 0}));
    EXPECT_TRUE(plane.Contains({INT_MIN, INT_MAX - 1}));
    plane.Union(TRect{-10, -1, 10, 1});
    EXPECT_TRUE(plane.Contains({0, 0}));
    plane.Intersect(TRect{INT_MAX - 1, 0, INT_MAX, 1});
    ASSERT_EQ(plane.Rects().size(), 1u);
    EXPECT_EQ(plane.Bounds(), (TRect{INT_MAX - 1, 0, INT_MAX, 1}));
}

TEST(Region, PolygonUsesTheAlternateRule) {
    const TRegion star = TRegion::FromPolygon({{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}});
    ExpectCanonical(star);
    EXPECT_FALSE(star.Contains({20, 21}));
    EXPECT_TRUE(star.Contains({20, 6}));
    EXPECT_TRUE(star.Contains({8, 15}));
    const TRegion square = TRegion::FromPolygon({{2, 3}, {9, 3}, {9, 8}, {2, 8}});
    ASSERT_EQ(square.Rects().size(), 1u);
    EXPECT_EQ(square.Rects()[0], (TRect{2, 3, 9, 8}));
    EXPECT_TRUE(TRegion::FromPolygon({{1, 1}, {5, 5}}).IsEmpty());
    // Absurd polygons finish and stay bounded.
    const TRegion huge = TRegion::FromPolygon({{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}});
    EXPECT_TRUE(huge.Contains({0, 0}));
}

}  // namespace
