#include <gtest/gtest.h>

#include <vector>

#include "widgets/WsCanvasProbe.h"
#include "widgets/WsShading.h"

namespace {

// The colour of each row of the area, which must be the same all across the row.
std::vector<TColor> Rows(TProbeSurface& s, const TRect& area) {
    std::vector<TColor> rows;
    for (int y = area.Top; y < area.Bottom; ++y) {
        rows.push_back(s.At(area.Left, y));
        for (int x = area.Left; x < area.Right; ++x)
            EXPECT_EQ(s.At(x, y), rows.back()) << "row " << y << " at " << x;
    }
    return rows;
}

// Each channel moves from the stop colour (last row) toward the start colour by a whole
// (stop - start) / rows per row, rounded down, so the first row stops one step short of the start.
TEST(WsShadingEdges, RampChannelsArePixelExact) {
    struct Case {
        TColor Start, Stop;
        std::vector<TColor> Expected;  // top row first
    };
    const Case cases[] = {
        {RGB(10, 200, 77),
         RGB(240, 30, 130),
         {RGB(42, 175, 84), RGB(75, 151, 92), RGB(108, 127, 99), RGB(141, 102, 107),
          RGB(174, 78, 114), RGB(207, 54, 122), RGB(240, 30, 130)}},
        {clBlack, RGB(100, 100, 100), {RGB(33, 33, 33), RGB(66, 66, 66), RGB(100, 100, 100)}},
        {RGB(255, 128, 1),
         RGB(0, 129, 254),
         {RGB(212, 128, 43), RGB(170, 128, 85), RGB(127, 128, 127), RGB(85, 128, 169),
          RGB(42, 128, 211), RGB(0, 129, 254)}},
    };
    for (const Case& c : cases) {
        const int n = static_cast<int>(c.Expected.size());
        TProbeSurface s(13, n + 2);
        ShadeRect(s.Canvas(), Rect(1, 1, 12, n + 1), gdHorizontalEnd, c.Start, c.Stop);
        EXPECT_EQ(Rows(s, Rect(1, 1, 12, n + 1)), c.Expected) << "rows " << n;
        EXPECT_EQ(s.At(0, 1), kUntouched);
        EXPECT_EQ(s.At(12, 1), kUntouched);
        EXPECT_EQ(s.At(1, 0), kUntouched);
        EXPECT_EQ(s.At(1, n + 1), kUntouched);
    }
}

// Coarser steps group lines into bands counted from the stop end, each band in the colour of its
// line nearest the stop. Up to 8 steps a band holds steps lines; above 8
// the band holds 255 / steps + 1 lines.
TEST(WsShadingEdges, BandsBeyondEightStepsHold255OverStepsPlusOneLines) {
    struct Case {
        int Steps;
        int Band;  // lines per band
    };
    const Case cases[] = {{1, 1}, {2, 2}, {8, 8}, {9, 29}, {16, 16}, {50, 6}, {100, 3}, {255, 2}};
    constexpr int kRows = 40;
    for (const Case& c : cases) {
        TProbeSurface s(10, kRows);
        ShadeRect(s.Canvas(), Rect(0, 0, 10, kRows), gdHorizontalEnd, clWhite, clBlack,
                  static_cast<std::uint8_t>(c.Steps));
        std::vector<TColor> expected;
        for (int y = 0; y < kRows; ++y) {
            // Lines from the stop end; white over 40 rows climbs 255 / 40 = 6.375 per line.
            const int j = (kRows - 1 - y) / c.Band * c.Band;
            const int v = j * 255 / kRows;
            expected.push_back(RGB(v, v, v));
        }
        EXPECT_EQ(Rows(s, Rect(0, 0, 10, kRows)), expected) << "steps " << c.Steps;
    }
}

}  // namespace
