#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"
#include "graphics/CanvasRaster_p.h"

namespace {

class CanvasClip : public ::testing::Test {
  protected:
    TPixelBuffer buffer_{12, 10};
    TCanvas canvas_{buffer_};
    void FillAll(TColor c) {
        canvas_.Brush().Color = c;
        canvas_.FillRect({-100, -100, 100, 100});
    }
};

TEST_F(CanvasClip, IntersectLimitsDrawingAndResetGivesBackTheBuffer) {
    canvas_.IntersectClipRect({2, 1, 6, 4});
    canvas_.IntersectClipRect({4, 0, 12, 3});
    EXPECT_TRUE(canvas_.IsClipped());
    EXPECT_EQ(canvas_.ClipBounds(), (TRect{4, 1, 6, 3}));
    FillAll(clRed);
    EXPECT_EQ(Picture(buffer_, {0, 0, 8, 4}), Rows("........", "....rr..", "....rr..", "........"));

    canvas_.ResetClip();
    EXPECT_FALSE(canvas_.IsClipped());
    EXPECT_EQ(canvas_.ClipBounds(), (TRect{0, 0, 12, 10}));
    FillAll(clBlue);
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}, PixelFromRGB(clBlue)), 0);
}

TEST_F(CanvasClip, ExcludeCutsAHoleThatLinesAndFillsRespect) {
    canvas_.ExcludeClipRect({3, 2, 6, 4});
    FillAll(clRed);
    EXPECT_EQ(Picture(buffer_, {2, 1, 7, 5}), Rows("rrrrr", "r...r", "r...r", "rrrrr"));
    canvas_.MoveTo(0, 3);
    canvas_.LineTo(12, 3);
    EXPECT_EQ(Picture(buffer_, {0, 3, 12, 4}), Rows("###...######"));
    canvas_.SetPixels(4, 2, clBlue);  // in the hole
    canvas_.SetPixels(2, 2, clBlue);
    EXPECT_EQ(Picture(buffer_, {2, 2, 5, 3}), Rows("b.."));
    canvas_.ExcludeClipRect({0, 0, 12, 10});
    EXPECT_TRUE(canvas_.ClipBounds().IsEmpty());
    FillAll(clLime);
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}, PixelFromRGB(clLime)), 12 * 10);
}

TEST_F(CanvasClip, ClipIsTakenInLogicalCoordinatesAtCallTime) {
    canvas_.SetOrigin({5, 4});
    canvas_.IntersectClipRect({0, 0, 3, 2});  // buffer 5..7 x 4..5
    EXPECT_EQ(canvas_.ClipBounds(), (TRect{0, 0, 3, 2}));
    canvas_.SetOrigin({0, 0});
    // Moving the origin afterwards does not move the clip.
    EXPECT_EQ(canvas_.ClipBounds(), (TRect{5, 4, 8, 6}));
    FillAll(clRed);
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 6);
    EXPECT_EQ(InkCount(buffer_, {5, 4, 8, 6}), 6);

    canvas_.SetOrigin({-2, 1});
    canvas_.Brush().Color = clBlue;
    canvas_.FillRect({0, 0, 9, 4});  // buffer -2..6 x 1..4, clipped to 5..6 x 4
    EXPECT_EQ(Picture(buffer_, {4, 3, 9, 6}), Rows(".....", ".bbr.", ".rrr."));
}

TEST_F(CanvasClip, PolygonRegionClipsExactlyLikePolygonFills) {
    const std::vector<TPoint> shape{{1, 1}, {40, 6}, {12, 38}, {30, 30}, {3, 20}};
    TPixelBuffer filled(44, 44), clipped(44, 44);
    TCanvas a(filled), b(clipped);
    a.Pen().Style = psClear;
    a.Brush().Color = clRed;
    a.Polygon(shape);
    b.IntersectClipRegion(TRegion::FromPolygon(shape));
    b.Brush().Color = clRed;
    b.FillRect({0, 0, 44, 44});
    EXPECT_EQ(Picture(clipped, {0, 0, 44, 44}), Picture(filled, {0, 0, 44, 44}));
    EXPECT_GT(InkCount(filled, {0, 0, 44, 44}), 300);
}

TEST_F(CanvasClip, RegionClipFollowsTheOrigin) {
    canvas_.SetOrigin({4, 3});
    TRegion region({0, 0, 2, 2});
    region.Union(TRect{3, 3, 4, 4});
    canvas_.IntersectClipRegion(region);
    canvas_.SetOrigin({0, 0});
    FillAll(clRed);
    EXPECT_EQ(Picture(buffer_, {3, 2, 9, 8}),
              Rows("......", ".rr...", ".rr...", "......", "....r.", "......"));
}

TEST_F(CanvasClip, StateSaverRestoresPenBrushOriginPenPosAndClip) {
    canvas_.Pen().Color = clRed;
    canvas_.Brush().Color = clLime;
    canvas_.MoveTo(1, 2);
    canvas_.IntersectClipRect({0, 0, 6, 6});
    {
        TCanvasStateSaver saver(canvas_);
        canvas_.Pen().Color = clBlue;
        canvas_.Pen().Width = 4;
        canvas_.Pen().Mode = pmNot;
        canvas_.Brush().Style = bsClear;
        canvas_.SetOrigin({3, 3});
        canvas_.MoveTo(7, 7);
        canvas_.ExcludeClipRect({0, 0, 1, 1});
        canvas_.ResetClip();
        canvas_.IntersectClipRect({0, 0, 1, 1});
    }
    EXPECT_EQ(canvas_.Pen().Color, clRed);
    EXPECT_EQ(canvas_.Pen().Width, 1);
    EXPECT_EQ(canvas_.Pen().Mode, pmCopy);
    EXPECT_EQ(canvas_.Brush().Style, bsSolid);
    EXPECT_EQ(canvas_.Origin(), (TPoint{0, 0}));
    EXPECT_EQ(canvas_.PenPos(), (TPoint{1, 2}));
    EXPECT_EQ(canvas_.ClipBounds(), (TRect{0, 0, 6, 6}));
    FillAll(clLime);
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 36);
}

// Draws one of everything at the given coordinates; nothing may write outside the buffer.
void DrawEverything(TCanvas& c, int a, int b, int w) {
    c.Pen().Width = w;
    c.MoveTo(a, b);
    c.LineTo(b, a);
    c.LineTo(a, a);
    c.Polyline({{a, b}, {b, b}, {0, 0}, {a, 0}});
    c.Polygon({{a, a}, {b, a}, {b, b}, {0, b}});
    c.Rectangle(a, a, b, b);
    c.Ellipse({a, a, b, b});
    c.FillRect({a, a, b, b});
    c.DrawFocusRect({a, a, b, b});
    c.SetPixels(a, b, clRed);
    c.IntersectClipRect({a, a, b, b});
    c.ExcludeClipRect({a, b, b, a});
    if (w < 3) c.IntersectClipRegion(TRegion::FromPolygon({{a, a}, {b, b}, {a, b}}));
    (void)c.Pixels(a, b);
    (void)c.ClipBounds();
    c.ResetClip();
}

TEST_F(CanvasClip, AbsurdCoordinatesNeverWriteOutOfBoundsOrHang) {
    const int values[] = {INT_MIN, INT_MIN / 2, -1, 0, 5, INT_MAX / 2, INT_MAX};
    TPixelBuffer empty(0, 0);
    TCanvas none(empty);
    // The rasteriser's steps, not the time, bound the work: the same on any machine.
    std::uint64_t worst = 0;
    auto measured = [&](auto draw) {
        const std::uint64_t before = raster::Steps();
        draw();
        worst = std::max(worst, raster::Steps() - before);
    };
    for (int a : values) {
        for (int b : values) {
            for (int w : {1, 3, INT_MAX}) {
                measured([&] { DrawEverything(canvas_, a, b, w); });
                measured([&] { DrawEverything(none, a, b, w); });
            }
            for (TPoint origin : {TPoint{INT_MAX, INT_MAX}, TPoint{INT_MIN, 7}}) {
                TCanvasStateSaver saver(canvas_);
                canvas_.SetOrigin(origin);
                measured([&] { DrawEverything(canvas_, a, b, 2); });
            }
        }
    }
    EXPECT_EQ(empty.Width(), 0);
    // A pen as wide as the largest buffer offers a span per row of its width.
    EXPECT_LT(worst, 1000000u) << "steps bounded by the buffer and pen sizes, never billions";
}

TEST_F(CanvasClip, LineAcrossTheWholeIntRangeStillHitsTheBuffer) {
    canvas_.MoveTo(INT_MIN, INT_MIN);
    canvas_.LineTo(INT_MAX, INT_MAX);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(canvas_.Pixels(i, i), clBlack) << i;
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 10);

    // Far-off endpoints must not shift the pixels that the same line drawn short would set.
    TPixelBuffer near(12, 10), far(12, 10);
    TCanvas n(near), f(far);
    n.MoveTo(0, 0);
    n.LineTo(12, 5);
    f.MoveTo(-1200000000, -500000000);
    f.LineTo(1200000000, 500000000);
    EXPECT_EQ(Picture(far, {0, 0, 12, 10}), Picture(near, {0, 0, 12, 10}));
    EXPECT_EQ(InkCount(far, {0, 0, 12, 10}), 12);
}

TEST_F(CanvasClip, ResizingTheBufferUnderAClipStaysSafe) {
    canvas_.IntersectClipRect({0, 0, 12, 10});
    buffer_.Resize(4, 3);
    FillAll(clRed);
    EXPECT_EQ(InkCount(buffer_, {0, 0, 4, 3}), 12);
    buffer_.Resize(-5, 100);
    EXPECT_EQ(buffer_.Width(), 0);
    EXPECT_EQ(buffer_.Height(), 0);
    FillAll(clRed);
    canvas_.LineTo(100, 100);
    EXPECT_EQ(canvas_.Pixels(0, 0), clNone);
}

}  // namespace

namespace {

// A shape whose top lies above the canvas or above the clip rectangle fills exactly the part
// of the same shape drawn whole on a taller canvas.
TEST(CanvasClipEdges, PolygonCutAtEverySideMatchesTheWholeShape) {
    const std::vector<std::vector<TPoint>> shapes{
        {{3, -9}, {27, 4}, {20, 30}, {1, 22}, {12, 10}},
        {{-5, -14}, {40, -14}, {10, 40}},
        {{14, -12}, {29, 20}, {0, 20}},
        {{2, -3}, {25, -1}, {28, 29}, {5, 26}, {14, 2}, {0, 12}},
        {{20, -14}, {-10, 44}, {44, 10}, {-12, 5}, {30, 40}}};
    for (const std::vector<TPoint>& shape : shapes) {
        TPixelBuffer whole(60, 60);
        TCanvas w(whole);
        w.SetOrigin({15, 15});
        w.Pen().Style = psClear;
        w.Brush().Color = clRed;
        w.Polygon(shape);
        struct TCase {
            TPoint Origin;
            TRect Clip;  // in canvas coordinates; empty for none
        } cases[] = {{{0, 0}, {}},
                     {{-10, 0}, {}},
                     {{0, -12}, {}},
                     {{8, 6}, {}},
                     {{0, 0}, {0, 2, 30, 30}},
                     {{0, 0}, {5, 0, 30, 30}},
                     {{0, 0}, {0, 0, 14, 30}},
                     {{0, 0}, {0, 0, 30, 9}},
                     {{3, 5}, {4, 7, 20, 17}}};
        for (const TCase& c : cases) {
            TPixelBuffer part(30, 30);
            TCanvas p(part);
            p.SetOrigin(c.Origin);
            if (!c.Clip.IsEmpty()) p.IntersectClipRect(c.Clip);
            p.Pen().Style = psClear;
            p.Brush().Color = clRed;
            p.Polygon(shape);
            // The clip rectangle is given in logical coordinates and moves with the origin.
            TRect visible =
                c.Clip.IsEmpty() ? TRect{0, 0, 30, 30} : c.Clip.Offset(c.Origin.X, c.Origin.Y);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 30; ++x) {
                    bool inside = x >= visible.Left && x < visible.Right && y >= visible.Top &&
                                  y < visible.Bottom;
                    TPixel expected =
                        inside ? whole.Row(y - c.Origin.Y + 15)[x - c.Origin.X + 15] : 0xFFFFFFFFu;
                    ASSERT_EQ(part.Row(y)[x], expected)
                        << x << "," << y << " origin " << c.Origin.X << "," << c.Origin.Y
                        << " shape " << shape[0].X;
                }
        }
    }
}

}  // namespace
