#include <functional>
#include <set>
#include <vector>

#include "ChartTestKit.h"
#include "chart/BarSeries.h"

namespace {

class BarSeries : public ChartApp {
  protected:
    TBarSeries* bars = nullptr;
    // A chart whose plotting rectangle is the whole control, so the bottom axis is exactly
    // `width` long before the bar margins.
    void MakeBare(int width, int height = 200) {
        MakeChart(width, height);
        chart->SetAxisVisible(false);
        chart->SetBevelOuter(bvNone);
        chart->SetMarginUnits(muPixels);
        chart->SetMargins(0, 0, 0, 0);
        bars = chart->AddSeries(std::make_unique<TBarSeries>());
        bars->Marks().SetVisible(false);
        bars->SetColorEachPoint(true);
    }
    void MakeDrawn(int points, double value = 5) {
        MakeChart(669, 328);
        bars = chart->AddSeries(std::make_unique<TBarSeries>());
        bars->Marks().SetVisible(false);
        bars->SetColorEachPoint(true);
        bars->SetBarStyle(bsCylinder);
        for (int i = 0; i < points; ++i) bars->AddPoint(value + i);
        Paint();
    }
    // Flat bars in colours that all differ from the background, so that the pixels show them.
    void NoWhiteBars() {
        chart->SetPalette({clRed, clGreen, clBlue, clYellow});
        bars->SetBarStyle(bsRectangle);
        Paint();
    }
};

TEST_F(BarSeries, WidthRoundsHalvesToEvenAndIsMadeEven) {
    struct Case {
        int axisLength, points, width;
    };
    for (Case c : {Case{301, 2, 70}, Case{610, 9, 44}, Case{600, 9, 42}, Case{10, 1, 4},
                   Case{30, 1, 10}, Case{1, 1, 0}}) {
        MakeBare(c.axisLength);
        for (int i = 0; i < c.points; ++i) bars->AddPoint(i + 1);
        chart->DrawPicture();
        EXPECT_EQ(chart->BottomAxis().AxisLength(), c.axisLength);
        EXPECT_EQ(bars->SlotCount(), c.points + 1);
        EXPECT_EQ(bars->BarPixelWidth(), c.width) << c.axisLength << " " << c.points;
        chart = nullptr;
        form.reset();
    }
}

TEST_F(BarSeries, OnePointIsCentredOnTheBottomAxis) {
    MakeDrawn(1);
    const TChartAxis& bottom = chart->BottomAxis();
    EXPECT_EQ(bars->SlotCount(), 2);
    EXPECT_TRUE(bottom.ZeroRange());
    const int w = bars->BarPixelWidth();
    EXPECT_EQ(w % 2, 0);
    EXPECT_EQ(bars->XPosition(0), bottom.AxisCenter() - w / 2);
    // The label of the point's value axis runs from 0 to the value.
    EXPECT_EQ(chart->LeftAxis().RangeMinimum(), 0);
    EXPECT_EQ(chart->LeftAxis().RangeMaximum(), 5);
}

// The bars as drawn: the runs of non-white pixels along a row inside the plot.
std::vector<std::pair<int, int>> BarRuns(const std::function<TColor(int, int)>& pixel, TRect plot,
                                         int y) {
    std::vector<std::pair<int, int>> runs;
    for (int x = plot.Left + 1; x < plot.Right; ++x) {
        if (pixel(x, y) == clWhite) continue;
        if (!runs.empty() && runs.back().second == x - 1)
            runs.back().second = x;
        else
            runs.push_back({x, x});
    }
    return runs;
}

TEST_F(BarSeries, MarginsLeaveHalfABarBeyondTheOuterBarsAndHeightsFollowValues) {
    MakeDrawn(9);
    NoWhiteBars();
    Paint();
    const TRect p = chart->PlotRect();
    const auto runs = BarRuns([&](int x, int y) { return Pixel(x, y); }, p, p.Bottom - 3);
    ASSERT_EQ(runs.size(), 9u);
    const int w = runs[0].second - runs[0].first;
    EXPECT_EQ(w % 2, 0);
    EXPECT_NEAR(runs[0].first - p.Left, w / 2, 1);
    EXPECT_NEAR(p.Right - runs[8].second, w / 2, 1);
    for (std::size_t i = 1; i < runs.size(); ++i) {
        EXPECT_EQ(runs[i].second - runs[i].first, w) << i;
        EXPECT_NEAR(runs[i].first - runs[i - 1].first, runs[1].first - runs[0].first, 1) << i;
    }
    // Values 5 to 13 on an axis from 0 to 13: the last bar reaches the top of the plot.
    for (int i = 0; i < 9; ++i) {
        const int cx = (runs[i].first + runs[i].second) / 2;
        int top = p.Bottom - 3;
        while (top > p.Top && Pixel(cx, top - 1) != clWhite) --top;
        const double expected = p.Bottom - (5.0 + i) / 13 * (p.Bottom - p.Top);
        EXPECT_NEAR(top, expected, 1) << i;
    }
}

TEST_F(BarSeries, EveryDrawnPixelOfABarHitsItAndTheNextOneOutMisses) {
    MakeDrawn(5);
    NoWhiteBars();
    Paint();
    const TRect p = chart->PlotRect();
    const int y = p.Bottom - 3;
    const auto runs = BarRuns([&](int x, int yy) { return Pixel(x, yy); }, p, y);
    ASSERT_EQ(runs.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const auto [left, right] = runs[i];
        for (int x = left; x <= right; ++x) EXPECT_EQ(bars->HitTestPoint(x, y), i) << x;
        EXPECT_EQ(bars->HitTestPoint(left - 1, y), -1);
        EXPECT_EQ(bars->HitTestPoint(right + 1, y), -1);
        // Up the middle: the top outline row hits, the white row above it misses.
        const int cx = (left + right) / 2;
        int top = y;
        while (top > 0 && Pixel(cx, top - 1) != clWhite) --top;
        EXPECT_EQ(bars->HitTestPoint(cx, top), i);
        EXPECT_EQ(bars->HitTestPoint(cx, top - 1), -1);
        // The bars stand on the plot's bottom edge.
        EXPECT_EQ(bars->HitTestPoint(cx, p.Bottom), i);
        EXPECT_EQ(bars->HitTestPoint(cx, p.Bottom + 1), -1);
    }
}

TEST_F(BarSeries, ShownRangeAndHitTestAfterZoomAndScrollMatchAPlainSearch) {
    MakeChart(669, 328);
    bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->Marks().SetVisible(false);
    bars->SetColorEachPoint(true);
    const int n = 200;
    for (int i = 0; i < n; ++i) bars->AddPoint(1 + i % 5);
    NoWhiteBars();
    auto check = [&](const char* what) {
        SCOPED_TRACE(what);
        const TRect p = chart->PlotRect();
        const TChartAxis& bottom = chart->BottomAxis();
        const double lo = bottom.PositionToValue(p.Left), hi = bottom.PositionToValue(p.Right);
        int first = -1, last = -1;
        for (int i = 0; i < n; ++i) {
            if (bars->XValueAt(i) < lo || bars->XValueAt(i) > hi) continue;
            if (first < 0) first = i;
            last = i;
        }
        EXPECT_EQ(bars->FirstShownIndex(), first);
        EXPECT_EQ(bars->LastShownIndex(), last);
        EXPECT_GT(first, 0);
        EXPECT_LT(last, n - 1);
        const int y = p.Bottom - 2;
        for (int x = p.Left + 1; x < p.Right; ++x) {
            int expected = -1;
            for (int i = first; i <= last && expected < 0; ++i) {
                const TRect r = bars->ComputeBarRect(i);
                if (x >= r.Left && x < r.Right && y >= r.Top && y <= r.Bottom) expected = i;
            }
            ASSERT_EQ(bars->HitTestPoint(x, y), expected) << x;
            // What is hit is what is drawn.
            EXPECT_EQ(Pixel(x, y) != clWhite, expected >= 0) << x;
        }
    };
    auto drag = [&](TPoint from, TPoint to, TMouseButton button) {
        host.MouseMove(Window(), from.X, from.Y);
        host.MouseDown(Window(), from.X, from.Y, button);
        host.MouseMove(Window(), to.X, to.Y);
        host.MouseUp(Window(), to.X, to.Y, button);
        Paint();
    };
    const TRect p = chart->PlotRect();
    drag({250, p.Top + 2}, {420, p.Bottom - 1}, mbLeft);
    ASSERT_TRUE(chart->Zoomed());
    check("zoomed");
    drag({300, 150}, {370, 150}, mbRight);
    check("scrolled right");
    drag({370, 150}, {200, 150}, mbRight);
    check("scrolled left");
}

TEST_F(BarSeries, TheLabelBandFitsTheLabelsThatTheMarksRoomAdds) {
    // Values up to 99, labelled every 5: the room for the marks lifts the top of the axis past
    // 110, a label one digit wider than any below it.
    MakeChart(669, 328);
    chart->LeftAxis().Title().SetCaption("(小时)");
    bars = chart->AddSeries(std::make_unique<TBarSeries>());
    for (double v : {99.0, 30.0, 70.0}) bars->AddPoint(v);
    Paint();
    const TChartAxis& left = chart->LeftAxis();
    int at = -1;
    for (const auto& l : left.DrawnLabels())
        if (l.Text == "110") at = l.Position;
    ASSERT_GE(at, 0) << "no label 110";
    // The label's pixels stay right of the title band.
    int leftmost = left.LabelsPosition();
    for (int y = at - 8; y <= at + 8; ++y)
        for (int x = 2; x < left.LabelsPosition(); ++x)
            if (Pixel(x, y) != clWhite) leftmost = std::min(leftmost, x);
    EXPECT_LT(leftmost, left.LabelsPosition());
    EXPECT_GE(leftmost, left.TitlePosition());
}

TEST_F(BarSeries, ColoursLeftToRightAndTheWhiteBarShowsItsOutline) {
    MakeDrawn(6);
    const TColor expected[] = {clRed, clGreen, clYellow, clBlue, clWhite, clGray};
    for (int i = 0; i < 6; ++i) {
        const TRect r = bars->ComputeBarRect(i);
        const int cx = (r.Left + r.Right) / 2;
        const int cy = (r.Top + r.Bottom) / 2;
        EXPECT_EQ(Pixel(cx, cy), expected[i]) << i;
        // One-pixel black outline on all four sides.
        EXPECT_EQ(Pixel(r.Left, cy), clBlack) << i;
        EXPECT_EQ(Pixel(r.Right - 1, cy), clBlack) << i;
        EXPECT_EQ(Pixel(cx, r.Top), clBlack) << i;
        EXPECT_EQ(Pixel(r.Left - 1, cy), clWhite) << i;
        EXPECT_EQ(Pixel(r.Right, cy), clWhite) << i;
    }
}

TEST_F(BarSeries, AZeroBarIsALineOnTheOriginRowHitOnlyThere) {
    MakeChart(669, 328);
    bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->Marks().SetVisible(false);
    bars->SetColorEachPoint(true);
    bars->AddPoint(4);
    bars->AddPoint(0);
    bars->AddPoint(3);
    Paint();
    const int row = bars->OriginPosition(1);
    const int left = bars->XPosition(1);
    const int w = bars->BarPixelWidth();
    EXPECT_EQ(bars->HitTestPoint(left + w / 2, row), 1);
    EXPECT_EQ(bars->HitTestPoint(left + w / 2, row - 1), -1);
    EXPECT_EQ(bars->HitTestPoint(left + w / 2, row + 1), -1);
    // Drawn in its own colour (green), BarPixelWidth + 1 long, over the axis line's row.
    EXPECT_EQ(Pixel(left + 1, row + 1), clWhite);
    for (int x : {left + 1, left + w / 2, left + w - 1}) EXPECT_EQ(Pixel(x, row), clGreen) << x;
}

TEST_F(BarSeries, NoPointsNoHitAndClearingForgetsTheLastPaint) {
    MakeDrawn(0);
    EXPECT_EQ(bars->HitTestPoint(300, 150), -1);
    bars->AddPoint(5);
    Paint();
    const int x = bars->XPosition(0) + 1;
    const int y = bars->OriginPosition(0) - 1;
    EXPECT_EQ(bars->HitTestPoint(x, y), 0);
    bars->ClearPoints();
    EXPECT_EQ(bars->HitTestPoint(x, y), -1);
}

TEST_F(BarSeries, NegativeValuesHangDownAndSettingsShareAcrossBarSeries) {
    MakeDrawn(0);
    bars->AddPoint(-3);
    bars->AddPoint(2);
    Paint();
    EXPECT_EQ(chart->LeftAxis().RangeMinimum(), -3);
    EXPECT_EQ(chart->LeftAxis().RangeMaximum(), 2);
    EXPECT_GT(bars->YPosition(0), bars->OriginPosition(0));
    EXPECT_EQ(bars->HitTestPoint(bars->XPosition(0) + 2, bars->OriginPosition(0) + 3), 0);
    auto* second = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->SetSideMargins(false);
    EXPECT_FALSE(second->SideMargins());
    second->AddPoint(1);
    second->AddPoint(1);
    Paint();
    EXPECT_EQ(bars->SideBySideCount(), 2);
    EXPECT_EQ(second->SideBySidePosition(), 2);
    // Side by side: the second series' bar stands right of the first one's.
    EXPECT_EQ(second->XPosition(0), bars->XPosition(0) + bars->BarPixelWidth());
}

}  // namespace

namespace {

class BarDegenerate : public ChartApp {};

TEST_F(BarDegenerate, MarginsWiderThanTheAxisAreSkipped) {
    MakeChart(300, 200);
    auto* bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->SetCustomBarWidth(400);
    for (int i = 0; i < 4; ++i) bars->AddPoint(i + 1);
    chart->DrawPicture();
    const TChartAxis& bottom = chart->BottomAxis();
    EXPECT_EQ(bars->BarPixelWidth(), 400);
    EXPECT_EQ(bottom.RangeMinimum(), 0);
    EXPECT_EQ(bottom.RangeMaximum(), 3);
}

TEST_F(BarDegenerate, AnAxisWithoutLengthMapsPixelsToItsMinimum) {
    MakeChart(300, 200);
    auto* bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->AddPoint(4);
    bars->AddPoint(6);
    chart->LeftAxis().SetStartPosition(50);
    chart->LeftAxis().SetEndPosition(50);
    chart->DrawPicture();
    const TChartAxis& left = chart->LeftAxis();
    EXPECT_EQ(left.AxisLength(), 0);
    for (int p : {-5, 0, 77, 1000}) EXPECT_EQ(left.PositionToValue(p), left.RangeMinimum());
    EXPECT_TRUE(left.DrawnLabels().empty());
    // A few pixels are no room for a label either.
    chart->LeftAxis().SetEndPosition(52);
    chart->DrawPicture();
    EXPECT_GT(left.AxisLength(), 0);
    EXPECT_TRUE(left.DrawnLabels().empty());
}

}  // namespace

namespace {

class BarShadow : public ChartApp {};

TEST_F(BarShadow, AVisibleShadowIsOffsetBehindTheBarAndSettersRepaintOnChange) {
    MakeChart(669, 328);
    auto* bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->Marks().SetVisible(false);
    bars->SetColorEachPoint(true);
    bars->AddPoint(5);
    bars->AddPoint(3);
    Paint();
    ASSERT_FALSE(chart->PictureStale());
    bars->Shadow().SetColor(0x888888);
    EXPECT_TRUE(chart->PictureStale());
    Paint();
    // Sizes 0 draw no shadow.
    const TRect r = bars->ComputeBarRect(0);
    const int midY = (r.Top + r.Bottom) / 2;
    EXPECT_EQ(Pixel(r.Right + 2, midY), clWhite);
    bars->Shadow().SetHorizSize(4);
    bars->Shadow().SetVertSize(4);
    Paint();
    EXPECT_EQ(Pixel(r.Right + 2, midY), 0x888888u);
    EXPECT_EQ(Pixel(r.Right + 2, r.Top + 1), clWhite);  // lowered by VertSize
    EXPECT_EQ(Pixel(r.Left + 2, midY), clRed);          // the bar stays in front
    bars->Shadow().SetHorizSize(4);
    EXPECT_FALSE(chart->PictureStale());
}

}  // namespace

namespace {

class BarCrowd : public ChartApp {
  protected:
    // The plotting area of a chart of many more bars than pixels, as drawn.
    std::vector<TColor> PlotPixels(bool perBarStyle) {
        MakeChart(400, 250);
        auto* bars = chart->AddSeries(std::make_unique<TBarSeries>());
        bars->Marks().SetVisible(false);
        bars->SetColorEachPoint(true);
        bars->SetBarStyle(bsCylinder);
        // The style asked bar by bar: every bar is drawn, the plain way.
        if (perBarStyle) bars->OnGetBarStyle = [](TChartSeries*, int, TBarStyle&) {};
        unsigned seed = 7;
        for (int i = 0; i < 20000; ++i) {
            seed = seed * 1103515245u + 12345u;
            const int r = static_cast<int>(seed >> 16) % 1000;
            // Mostly positive, some zero, some negative, a few with no colour at all.
            const double v = r < 50 ? 0 : r < 150 ? -(r % 7) : (r % 97) / 10.0;
            bars->AddPoint(v, "", r % 251 == 0 ? clNone : clDefault);
        }
        Paint();
        const TRect p = chart->PlotRect();
        std::vector<TColor> out;
        for (int y = p.Top; y <= p.Bottom; ++y)
            for (int x = p.Left; x <= p.Right; ++x) out.push_back(Pixel(x, y));
        return out;
    }
};

TEST_F(BarCrowd, LeavingOutCoveredBarsChangesNoPixel) {
    const std::vector<TColor> all = PlotPixels(true);
    const std::vector<TColor> culled = PlotPixels(false);
    ASSERT_EQ(all.size(), culled.size());
    int differ = 0;
    for (std::size_t i = 0; i < all.size(); ++i) differ += all[i] != culled[i];
    EXPECT_EQ(differ, 0);
    // Not a blank picture: bars of several colours above and below the origin.
    std::set<TColor> colours(all.begin(), all.end());
    EXPECT_GE(colours.size(), 5u);
}

}  // namespace
