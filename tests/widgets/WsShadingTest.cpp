#include <gtest/gtest.h>

#include <climits>

#include "widgets/WsCanvasProbe.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsShading.h"

namespace {

TColor Grey(unsigned v) {
    return RGB(v, v, v);
}

// Every pixel of each row (or column) of the area has one colour; returns that colour per line.
std::vector<TColor> LineColors(TProbeSurface& s, const TRect& area, bool columns) {
    std::vector<TColor> lines;
    const int count = columns ? area.Width() : area.Height();
    const int across = columns ? area.Height() : area.Width();
    for (int i = 0; i < count; ++i) {
        auto at = [&](int k) {
            return columns ? s.At(area.Left + i, area.Top + k) : s.At(area.Left + k, area.Top + i);
        };
        lines.push_back(at(0));
        for (int k = 0; k < across; ++k)
            EXPECT_EQ(at(k), lines.back()) << "line " << i << " at " << k;
    }
    return lines;
}

std::vector<TColor> RowColors(TProbeSurface& s, int left, int right, int top, int bottom) {
    return LineColors(s, Rect(left, top, right, bottom), false);
}

std::vector<TColor> ColumnColors(TProbeSurface& s, int left, int right, int top, int bottom) {
    return LineColors(s, Rect(left, top, right, bottom), true);
}

TEST(WsShadeBands, FourRowsEndShading) {
    TProbeSurface s(21, 4);  // wider than the 8-pixel strip and not a power of two
    ShadeRect(s.Canvas(), Rect(0, 0, 21, 4), gdHorizontalEnd, clWhite, clBlack);
    EXPECT_EQ(RowColors(s, 0, 21, 0, 4),
              (std::vector<TColor>{Grey(191), Grey(127), Grey(63), Grey(0)}));
}

TEST(WsShadeBands, TwoHundredFiftySixRowsNeverReachTheStart) {
    TProbeSurface s(9, 256);
    ShadeRect(s.Canvas(), Rect(0, 0, 9, 256), gdHorizontalEnd, clWhite, clBlack);
    const std::vector<TColor> rows = RowColors(s, 0, 9, 0, 256);
    EXPECT_EQ(rows[255], Grey(0));
    EXPECT_EQ(rows[254], Grey(0));
    EXPECT_EQ(rows[253], Grey(1));
    EXPECT_EQ(rows[0], Grey(254));
    for (int y = 1; y < 256; ++y) EXPECT_LE(GetRValue(rows[y]), GetRValue(rows[y - 1])) << y;
}

TEST(WsShadeBands, OneRowIsTheStopColour) {
    TProbeSurface s(5, 3);
    ShadeRect(s.Canvas(), Rect(1, 1, 4, 2), gdHorizontalEnd, clRed, RGB(10, 20, 30));
    EXPECT_EQ(RowColors(s, 1, 4, 1, 2), std::vector<TColor>{RGB(10, 20, 30)});
    EXPECT_EQ(s.At(0, 1), kUntouched);
    EXPECT_EQ(s.At(1, 0), kUntouched);
    EXPECT_EQ(s.At(4, 1), kUntouched);
    EXPECT_EQ(s.At(1, 2), kUntouched);
}

TEST(WsShadeBands, CentreShadingSplitsAtTheMiddleRow) {
    TProbeSurface s(10, 5);
    ShadeRect(s.Canvas(), Rect(0, 0, 10, 5), gdHorizontalCenter, clWhite, clBlack);
    // Rows 0-2 run toward the stop colour at row 2; rows 3-4 back to the start colour at row 4.
    EXPECT_EQ(RowColors(s, 0, 10, 0, 5),
              (std::vector<TColor>{Grey(170), Grey(85), Grey(0), Grey(127), Grey(255)}));
}

TEST(WsShadeBands, VerticalDirectionsShadeColumns) {
    TProbeSurface s(4, 19);
    ShadeRect(s.Canvas(), Rect(0, 0, 4, 19), gdVerticalEnd, clWhite, clBlack);
    EXPECT_EQ(ColumnColors(s, 0, 4, 0, 19),
              (std::vector<TColor>{Grey(191), Grey(127), Grey(63), Grey(0)}));

    TProbeSurface c(5, 3);
    ShadeRect(c.Canvas(), Rect(0, 0, 5, 3), gdVerticalCenter, clWhite, clBlack);
    EXPECT_EQ(ColumnColors(c, 0, 5, 0, 3),
              (std::vector<TColor>{Grey(170), Grey(85), Grey(0), Grey(127), Grey(255)}));
}

TEST(WsShadeBands, ChannelsStepIndependently) {
    TProbeSurface s(2, 4);
    ShadeRect(s.Canvas(), Rect(0, 0, 2, 4), gdHorizontalEnd, RGB(0, 100, 255), RGB(200, 100, 55));
    // Red falls toward 0, green stays, blue climbs toward 255, each one step short at row 0.
    EXPECT_EQ(RowColors(s, 0, 2, 0, 4),
              (std::vector<TColor>{RGB(50, 100, 205), RGB(100, 100, 155), RGB(150, 100, 105),
                                   RGB(200, 100, 55)}));
}

TEST(WsShadeBands, CoarserStepsGroupLinesFromTheFarEnd) {
    TProbeSurface s(3, 5);
    // steps 2 makes every band at least two lines, each in the colour of its bottom line.
    ShadeRect(s.Canvas(), Rect(0, 0, 3, 5), gdHorizontalEnd, RGB(250, 250, 250), clBlack, 2);
    EXPECT_EQ(RowColors(s, 0, 3, 0, 5),
              (std::vector<TColor>{Grey(200), Grey(100), Grey(100), Grey(0), Grey(0)}));
}

TEST(WsShadeBands, SystemToolBarShadingEnds) {
    TProbeSurface s(40, 60);
    const TShadeColors colors = PanelShadeColors(TDisplaySettings{}, gcsSystem);
    ShadeRect(s.Canvas(), Rect(0, 2, 40, 58), gdHorizontalEnd, colors.Start, colors.Stop);
    const std::vector<TColor> rows = RowColors(s, 0, 40, 2, 58);
    EXPECT_EQ(rows.back(), Darken(clBtnFace, 10));
    EXPECT_GE(GetRValue(rows.front()), 254u);
    EXPECT_EQ(GetRValue(rows.front()), GetBValue(rows.front()));
    EXPECT_EQ(s.At(0, 1), kUntouched);
    EXPECT_EQ(s.At(39, 58), kUntouched);
}

TEST(WsShading, EmptyRectanglesLeaveTheCanvasAlone) {
    TProbeSurface s(6, 6);
    for (TGradientDirection d : {gdHorizontalEnd, gdVerticalCenter, gdDiagonalUp, gdSquareBox}) {
        ShadeRect(s.Canvas(), Rect(1, 1, 1, 5), d, clWhite, clBlack);
        ShadeRect(s.Canvas(), Rect(1, 3, 5, 3), d, clWhite, clBlack);
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(s.At(x, y), kUntouched) << x << "," << y;
}

TEST(WsShading, ReversedRectangleShadesItsSizeFromLeftTop) {
    TProbeSurface s(8, 8);
    ShadeRect(s.Canvas(), Rect(2, 2, 0, 0), gdHorizontalEnd, clWhite, clBlack);
    EXPECT_EQ(s.At(1, 1), kUntouched);
    EXPECT_EQ(RowColors(s, 2, 4, 2, 4), (std::vector<TColor>{Grey(127), Grey(0)}));
    EXPECT_EQ(s.At(4, 2), kUntouched);
}

TEST(WsShading, EqualColoursGiveASolidFillInEveryDirection) {
    for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
        TProbeSurface s(17, 9);
        ShadeRect(s.Canvas(), Rect(0, 0, 17, 9), static_cast<TGradientDirection>(d), clBtnShadow,
                  RGB(160, 160, 160));
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 17; ++x)
                ASSERT_EQ(s.At(x, y), RGB(160, 160, 160))
                    << "direction " << d << " " << x << "," << y;
    }
}

TEST(WsShading, DiagonalsRunCornerToCorner) {
    TProbeSurface down(12, 7);
    ShadeRect(down.Canvas(), Rect(0, 0, 12, 7), gdDiagonalDown, clRed, clBlue);
    EXPECT_EQ(down.At(0, 0), clRed);
    EXPECT_EQ(down.At(11, 6), clBlue);
    EXPECT_EQ(down.At(3, 2), down.At(2, 3));  // one colour along each diagonal

    TProbeSurface up(12, 7);
    ShadeRect(up.Canvas(), Rect(0, 0, 12, 7), gdDiagonalUp, clRed, clBlue);
    EXPECT_EQ(up.At(0, 6), clRed);
    EXPECT_EQ(up.At(11, 0), clBlue);
    EXPECT_EQ(up.At(3, 3), up.At(4, 4));
}

TEST(WsShading, BoxesKeepTheStartOutsideAndTheStopInside) {
    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        TProbeSurface s(21, 13);
        ShadeRect(s.Canvas(), Rect(0, 0, 21, 13), d, clWhite, clBlack);
        for (auto [x, y] : {std::pair{0, 0}, {20, 0}, {0, 12}, {20, 12}})
            EXPECT_EQ(s.At(x, y), clWhite) << "direction " << int(d);
        EXPECT_EQ(s.At(10, 6), clBlack) << "direction " << int(d);
        // The quarters mirror each other.
        EXPECT_EQ(s.At(3, 2), s.At(17, 10)) << "direction " << int(d);
        EXPECT_EQ(s.At(3, 2), s.At(17, 2)) << "direction " << int(d);
    }
}

TEST(WsShading, OnlyTheVisiblePartIsBuiltYetItMatchesTheWhole) {
    // Rows 2 and 3 of a four-row shading, the first two above the canvas.
    TProbeSurface s(10, 2);
    ShadeRect(s.Canvas(), Rect(0, -2, 10, 2), gdHorizontalEnd, clWhite, clBlack);
    EXPECT_EQ(RowColors(s, 0, 10, 0, 2), (std::vector<TColor>{Grey(63), Grey(0)}));

    TProbeSurface o(10, 2);
    o.Canvas().SetOrigin({0, -2});  // the same seen through a moved origin
    ShadeRect(o.Canvas(), Rect(0, 0, 10, 4), gdHorizontalEnd, clWhite, clBlack);
    EXPECT_EQ(RowColors(o, 0, 10, 2, 4), (std::vector<TColor>{Grey(63), Grey(0)}));
    o.Canvas().SetOrigin({0, 0});
    EXPECT_EQ(RowColors(o, 0, 10, 0, 2), (std::vector<TColor>{Grey(63), Grey(0)}));
}

TEST(WsShading, AbsurdRectanglesFinishQuickly) {
    TProbeSurface s(16, 16);
    const TRect huge = Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d)
        for (std::uint8_t steps : {1, 2, 200})
            ShadeRect(s.Canvas(), huge, static_cast<TGradientDirection>(d), clWhite, clBlack,
                      steps);
    // Deep inside a 4-billion-row ramp neighbouring rows share a colour.
    ShadeRect(s.Canvas(), huge, gdHorizontalEnd, clWhite, clBlack);
    EXPECT_EQ(s.At(0, 0), s.At(0, 15));
    EXPECT_NE(s.At(0, 0), kUntouched);
}

TEST(WsShading, KeepsToTheCallersClipAndState) {
    TProbeSurface s(10, 4);
    TStateProbe::Dress(s.Canvas(), Rect(2, 0, 5, 4));
    TStateProbe probe(s.Canvas());
    ShadeRect(s.Canvas(), Rect(0, 0, 10, 4), gdHorizontalEnd, clWhite, clBlack);
    probe.ExpectUnchanged(s.Canvas());
    EXPECT_EQ(s.At(1, 3), kUntouched);
    EXPECT_EQ(s.At(5, 0), kUntouched);
    EXPECT_EQ(RowColors(s, 2, 5, 0, 4),
              (std::vector<TColor>{Grey(191), Grey(127), Grey(63), Grey(0)}));
}

class WsFrameRing : public ::testing::Test {
  protected:
    TDisplaySettings display;
};

TEST_F(WsFrameRing, ShadesOnlyTheOuterTwoPixels) {
    TProbeSurface s(10, 8);
    TStateProbe::Dress(s.Canvas(), Rect(0, 0, 9, 8));
    TStateProbe probe(s.Canvas());
    ShadeFrameRing(display, s.Canvas(), Rect(0, 0, 10, 8), gdHorizontalEnd, clWhite, clBlack);
    probe.ExpectUnchanged(s.Canvas());  // the caller's clip comes back, not an empty one
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 9; ++x) {
            const bool ring = x < 2 || x >= 8 || y < 2 || y >= 6;
            if (ring)
                EXPECT_NE(s.At(x, y), kUntouched) << x << "," << y;
            else
                EXPECT_EQ(s.At(x, y), kUntouched) << x << "," << y;
        }
    EXPECT_EQ(s.At(9, 0), kUntouched);  // outside the caller's clip
    EXPECT_EQ(s.At(0, 7), clBlack);
}

TEST_F(WsFrameRing, NothingOnFewColourScreens) {
    display.FullColor = false;
    TProbeSurface s(6, 6);
    ShadeFrameRing(display, s.Canvas(), Rect(0, 0, 6, 6), gdHorizontalEnd, clWhite, clBlack);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) ASSERT_EQ(s.At(x, y), kUntouched);
}

}  // namespace
