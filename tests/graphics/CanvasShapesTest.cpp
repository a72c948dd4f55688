#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "graphics/Canvas.h"
#include "graphics/CanvasPicture.h"

namespace {

class CanvasShapes : public ::testing::Test {
  protected:
    TPixelBuffer buffer_{12, 10};
    TCanvas canvas_{buffer_};
    std::string Shown(int w = 12, int h = 10) const { return Picture(buffer_, {0, 0, w, h}); }
};

TEST_F(CanvasShapes, FillRectCoversLeftTopButNotRightBottom) {
    canvas_.Brush().Color = clRed;
    canvas_.FillRect({2, 1, 5, 3});
    EXPECT_EQ(Shown(7, 4), Rows(".......", "..rrr..", "..rrr..", "......."));

    // Reversed corners and a clear brush draw nothing.
    TPixelBuffer before = buffer_;
    canvas_.FillRect({8, 5, 6, 7});
    canvas_.Brush().Style = bsClear;
    canvas_.FillRect({0, 0, 12, 10});
    EXPECT_EQ(Picture(buffer_, {0, 0, 12, 10}), Picture(before, {0, 0, 12, 10}));
}

TEST_F(CanvasShapes, RectangleOutlinesWithPenAndFillsInsideWithBrush) {
    canvas_.Brush().Color = clRed;
    canvas_.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Shown(7, 6), Rows(".......", ".#####.", ".#rrr#.", ".#rrr#.", ".#####.", "......."));
}

TEST_F(CanvasShapes, RectangleWithClearPenFillsSamePixelsAsFillRect) {
    canvas_.Brush().Color = clRed;
    canvas_.Pen().Style = psClear;
    canvas_.Rectangle(1, 1, 4, 3);
    EXPECT_EQ(Shown(5, 4), Rows(".....", ".rrr.", ".rrr.", "....."));
}

TEST_F(CanvasShapes, RectangleWithClearBrushLeavesInsideAlone) {
    canvas_.Brush().Color = clRed;
    canvas_.FillRect({0, 0, 12, 10});
    canvas_.Brush().Style = bsClear;
    canvas_.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Shown(6, 5), Rows("rrrrrr", "r####r", "r#rr#r", "r####r", "rrrrrr"));
}

TEST_F(CanvasShapes, WideRectanglePenIsCentredOnTheOutline) {
    canvas_.Pen().Width = 3;
    canvas_.Brush().Color = clRed;
    canvas_.Rectangle(2, 2, 9, 8);
    EXPECT_EQ(Shown(),
              Rows("............", ".#########..", ".#########..", ".#########..", ".###rrr###..",
                   ".###rrr###..", ".#########..", ".#########..", ".#########..", "............"));
}

TEST_F(CanvasShapes, LineToLeavesOutTheEndPointAndMovesThePen) {
    canvas_.MoveTo(1, 1);
    canvas_.LineTo(5, 1);
    EXPECT_EQ(canvas_.PenPos(), (TPoint{5, 1}));
    canvas_.LineTo(5, 4);
    canvas_.LineTo(1, 4);
    canvas_.LineTo(1, 1);
    // A closed path of lines sets every corner exactly once.
    EXPECT_EQ(Shown(7, 6), Rows(".......", ".#####.", ".#...#.", ".#...#.", ".#####.", "......."));
}

TEST_F(CanvasShapes, DiagonalLineStepsOncePerColumnNearTheIdealLine) {
    for (TPoint end : {TPoint{11, 4}, TPoint{0, 9}, TPoint{3, 9}, TPoint{11, 9}}) {
        buffer_.Resize(12, 10);
        const TPoint start{end.X == 0 ? 11 : 0, 0};
        canvas_.MoveTo(start.X, start.Y);
        canvas_.LineTo(end.X, end.Y);
        const int dx = end.X - start.X, dy = end.Y - start.Y;
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        const int steps = std::max(std::abs(dx), std::abs(dy));
        EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), steps) << end.X << "," << end.Y;
        for (int i = 0; i < steps; ++i) {
            // At each step along the major axis exactly one pixel, within half a pixel of the line.
            int hits = 0;
            for (int j = 0; j < (xMajor ? 10 : 12); ++j) {
                const int x = xMajor ? start.X + (dx > 0 ? i : -i) : j;
                const int y = xMajor ? j : start.Y + i;
                if (canvas_.Pixels(x, y) != clBlack) continue;
                ++hits;
                const double ideal = xMajor ? start.Y + double(dy) * i / std::abs(dx)
                                            : start.X + double(dx) * i / std::abs(dy);
                EXPECT_LE(std::abs((xMajor ? y : x) - ideal), 0.5) << i;
            }
            EXPECT_EQ(hits, 1) << "step " << i;
        }
        EXPECT_NE(canvas_.Pixels(start.X, start.Y), clWhite);
        EXPECT_EQ(canvas_.Pixels(end.X, end.Y), clWhite);
    }
}

TEST_F(CanvasShapes, PolylineDrawsEveryVertexButTheLast) {
    canvas_.Polyline({{1, 1}, {4, 1}, {4, 3}, {2, 3}});
    EXPECT_EQ(Shown(6, 5), Rows("......", ".####.", "....#.", "...##.", "......"));
}

TEST_F(CanvasShapes, WidePenIsCentredAndReachesPastTheEnds) {
    canvas_.Pen().Width = 3;
    canvas_.MoveTo(3, 4);
    canvas_.LineTo(8, 4);
    EXPECT_EQ(Shown(11, 7), Rows("...........", "...........", "...........", "..#######..",
                                 "..#######..", "..#######..", "..........."));
    buffer_.Resize(12, 10);
    canvas_.MoveTo(5, 2);
    canvas_.LineTo(5, 7);
    EXPECT_EQ(Shown(9, 10), Rows(".........", "....###..", "....###..", "....###..", "....###..",
                                 "....###..", "....###..", "....###..", ".........", "........."));
}

TEST_F(CanvasShapes, WideDiagonalKeepsItsWidthAcrossTheLine) {
    TPixelBuffer big(60, 60);
    TCanvas c(big);
    c.Pen().Width = 6;
    c.MoveTo(10, 10);
    c.LineTo(50, 50);
    // A 45-degree stroke 6 wide crosses each column in the middle over 6 * sqrt(2) pixels.
    for (int x = 20; x < 40; ++x) EXPECT_EQ(InkCount(big, {x, 0, x + 1, 60}), 8) << x;
}

TEST_F(CanvasShapes, ClearPenOrNoneColourDrawsNothing) {
    canvas_.Pen().Style = psClear;
    canvas_.MoveTo(0, 0);
    canvas_.LineTo(10, 8);
    canvas_.Polyline({{0, 5}, {11, 5}});
    canvas_.Brush().Style = bsClear;
    canvas_.Rectangle(1, 1, 8, 8);
    canvas_.Pen().Style = psSolid;
    canvas_.Pen().Color = clNone;
    canvas_.Ellipse({1, 1, 8, 8});
    canvas_.Polygon({{0, 0}, {10, 0}, {5, 9}});
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 0);
}

TEST_F(CanvasShapes, DottedPenAlternatesAndRunsOnRoundCorners) {
    canvas_.Pen().Style = psDot;
    canvas_.MoveTo(1, 1);
    canvas_.LineTo(10, 1);
    EXPECT_EQ(Shown(12, 2), Rows("............", ".#.#.#.#.#.."));

    buffer_.Resize(12, 10);
    canvas_.Brush().Style = bsClear;
    canvas_.Rectangle(1, 1, 6, 6);
    // 16 perimeter pixels, every second one set, the pattern unbroken at the corners.
    EXPECT_EQ(Shown(7, 7),
              Rows(".......", ".#.#.#.", ".......", ".#...#.", ".......", ".#.#.#.", "......."));
}

TEST_F(CanvasShapes, DashedPenUsesLongRuns) {
    TPixelBuffer wide(60, 1);
    TCanvas c(wide);
    c.Pen().Style = psDash;
    c.MoveTo(0, 0);
    c.LineTo(60, 0);
    for (int x = 0; x < 60; ++x) EXPECT_EQ(c.Pixels(x, 0) == clBlack, x % 24 < 18) << x;
}

TEST_F(CanvasShapes, PolygonAlternateFillLeavesStarCentreEmpty) {
    TPixelBuffer big(40, 40);
    TCanvas c(big);
    c.Pen().Style = psClear;
    c.Brush().Color = clRed;
    // A five-pointed star drawn in one stroke: its pentagon centre is crossed twice.
    c.Polygon({{20, 2}, {31, 36}, {2, 14}, {38, 14}, {9, 36}});
    EXPECT_EQ(c.Pixels(20, 21), clWhite);
    EXPECT_EQ(c.Pixels(20, 6), clRed);    // a tip
    EXPECT_EQ(c.Pixels(8, 15), clRed);    // an arm
    EXPECT_EQ(c.Pixels(2, 30), clWhite);  // outside
}

TEST_F(CanvasShapes, PolygonFillMatchesFillRectAndOutlineClosesThePath) {
    canvas_.Pen().Style = psClear;
    canvas_.Brush().Color = clRed;
    canvas_.Polygon({{2, 2}, {8, 2}, {8, 6}, {2, 6}});
    TPixelBuffer filled(12, 10);
    TCanvas reference(filled);
    reference.Brush().Color = clRed;
    reference.FillRect({2, 2, 8, 6});
    EXPECT_EQ(Shown(), Picture(filled, {0, 0, 12, 10}));

    buffer_.Resize(12, 10);
    canvas_.Pen().Style = psSolid;
    canvas_.Polygon({{1, 1}, {4, 1}, {4, 3}, {1, 3}});
    EXPECT_EQ(Shown(6, 5), Rows("......", ".####.", ".#rr#.", ".####.", "......"));
}

TEST_F(CanvasShapes, EllipseStaysInItsRectangleAndIsSymmetric) {
    TPixelBuffer big(30, 30);
    TCanvas c(big);
    c.Brush().Color = clRed;
    c.Ellipse({3, 4, 22, 15});
    EXPECT_EQ(InkCount(big, {0, 0, 30, 30}), InkCount(big, {3, 4, 22, 15}));
    for (TPoint p : {TPoint{3, 9}, TPoint{21, 9}, TPoint{12, 4}, TPoint{12, 14}}) {
        EXPECT_EQ(c.Pixels(p.X, p.Y), clBlack) << p.X << "," << p.Y;  // touches every side
    }
    EXPECT_EQ(c.Pixels(12, 9), clRed);
    EXPECT_EQ(c.Pixels(3, 4), clWhite);  // corners stay out
    for (int y = 4; y < 15; ++y) {
        for (int x = 3; x < 22; ++x) {
            EXPECT_EQ(c.Pixels(x, y), c.Pixels(3 + 21 - x, y)) << x << "," << y;
            EXPECT_EQ(c.Pixels(x, y), c.Pixels(x, 4 + 14 - y)) << x << "," << y;
        }
    }
}

TEST_F(CanvasShapes, EllipseOutlineIsClosedOnePixelRing) {
    TPixelBuffer big(30, 30);
    TCanvas c(big);
    c.Brush().Style = bsClear;
    c.Ellipse({2, 2, 27, 20});
    // Walking any row from the outside in meets exactly one outline run on each side.
    for (int y = 3; y < 19; ++y) {
        int runs = 0;
        for (int x = 0; x < 30; ++x)
            runs += c.Pixels(x, y) == clBlack && c.Pixels(x - 1, y) != clBlack;
        EXPECT_EQ(runs, 2) << y;
    }
    EXPECT_EQ(c.Pixels(14, 11), clWhite);
}

TEST_F(CanvasShapes, FocusRectInvertsEverySecondOutlinePixelAndUndoesItself) {
    canvas_.DrawFocusRect({1, 1, 6, 5});
    EXPECT_EQ(Shown(7, 6), Rows(".......", ".#.#.#.", ".......", ".#...#.", "..#.#..", "......."));
    canvas_.DrawFocusRect({1, 1, 6, 5});
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 0);
}

TEST_F(CanvasShapes, PixelsReadsPlainColoursAndNoneOutside) {
    canvas_.SetPixels(3, 2, clBtnFace);
    EXPECT_EQ(canvas_.Pixels(3, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas_.Pixels(-1, 0), clNone);
    EXPECT_EQ(canvas_.Pixels(12, 0), clNone);
    EXPECT_EQ(canvas_.Pixels(0, 10), clNone);
    canvas_.SetOrigin({5, 5});
    canvas_.SetPixels(1, 1, clBlue);
    EXPECT_EQ(RGBFromPixel(buffer_.Row(6)[6]), clBlue);
    EXPECT_EQ(canvas_.Pixels(1, 1), clBlue);
    canvas_.SetPixels(-6, 0, clBlue);  // left of the buffer: ignored
    EXPECT_EQ(InkCount(buffer_, {0, 0, 12, 10}), 2);
}

}  // namespace

namespace {

// Triangles with 45-degree sides (a sort arrow): the fill meets the outline with no gap, so
// in one colour each row is one run, two pixels narrower than the row below.
TEST_F(CanvasShapes, PolygonWithFortyFiveDegreeSidesLeavesNoGapInsideItsOutline) {
    TPixelBuffer big(20, 12);
    TCanvas canvas(big);
    canvas.Pen().Color = clRed;
    canvas.Brush().Color = clRed;
    canvas.Polygon({{4, 0}, {0, 4}, {8, 4}});
    canvas.Polygon({{10, 5}, {18, 5}, {14, 9}});
    EXPECT_EQ(Picture(big, {0, 0, 20, 10}),
              Rows("....r...............",  //
                   "...rrr..............",  //
                   "..rrrrr.............",  //
                   ".rrrrrrr............",  //
                   "rrrrrrrrr...........",  //
                   "..........rrrrrrrrr.",  //
                   "...........rrrrrrr..",  //
                   "............rrrrr...",  //
                   ".............rrr....",  //
                   "..............r....."));
    // The fill alone lies inside the outline: a blue brush shows no white inside red.
    TPixelBuffer split(12, 8);
    TCanvas other(split);
    other.Pen().Color = clRed;
    other.Brush().Color = clBlue;
    other.Polygon({{5, 0}, {0, 5}, {10, 5}});
    for (int y = 0; y <= 5; ++y) {
        const std::string row = Picture(split, {0, y, 12, y + 1});
        const auto first = row.find_first_not_of('.'), last = row.find_last_not_of(".\n");
        if (first == std::string::npos) continue;
        EXPECT_EQ(row.find('.', first), last + 1) << "row " << y << ": " << row;
    }
}

}  // namespace

namespace {

// Corners given right-to-left or bottom-up name the same rectangle.
TEST_F(CanvasShapes, RectangleAndEllipseTakeTheirCornersInAnyOrder) {
    auto drawn = [](auto draw) {
        TPixelBuffer b(12, 10);
        TCanvas c(b);
        c.Brush().Color = clRed;
        draw(c);
        return Picture(b, {0, 0, 12, 10});
    };
    const std::string rect = drawn([](TCanvas& c) { c.Rectangle(1, 1, 9, 7); });
    const std::string ellipse = drawn([](TCanvas& c) { c.Ellipse({1, 1, 11, 9}); });
    ASSERT_NE(rect, drawn([](TCanvas&) {}));
    ASSERT_NE(ellipse, drawn([](TCanvas&) {}));
    EXPECT_EQ(drawn([](TCanvas& c) { c.Rectangle(9, 7, 1, 1); }), rect);
    EXPECT_EQ(drawn([](TCanvas& c) { c.Rectangle(1, 7, 9, 1); }), rect);
    EXPECT_EQ(drawn([](TCanvas& c) { c.Rectangle(9, 1, 1, 7); }), rect);
    EXPECT_EQ(drawn([](TCanvas& c) { c.Ellipse({11, 9, 1, 1}); }), ellipse);
    EXPECT_EQ(drawn([](TCanvas& c) { c.Ellipse({1, 9, 11, 1}); }), ellipse);
}

}  // namespace
