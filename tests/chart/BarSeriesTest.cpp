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

TEST_F(BarSeries, MarginsLeaveHalfABarBeyondTheOuterBars) {
    MakeDrawn(9);
    const TChartAxis& bottom = chart->BottomAxis();
    const int w = bars->BarPixelWidth();
    EXPECT_NEAR(bottom.ValueToPosition(0) - bottom.AxisStart(), w, 1);
    EXPECT_NEAR(bottom.AxisEnd() - bottom.ValueToPosition(8), w, 1);
    const TRect r = bars->ComputeBarRect(3);
    EXPECT_EQ(r.Right, r.Left + w + 1);
    EXPECT_EQ(r.Top, chart->LeftAxis().ValueToPosition(8));
    EXPECT_EQ(r.Bottom, chart->LeftAxis().ValueToPosition(0));
}

TEST_F(BarSeries, EdgePixelsHitAndOneFurtherMisses) {
    MakeDrawn(5);
    for (int i = 0; i < 5; ++i) {
        const int left = bars->XPosition(i);
        const int right = left + bars->BarPixelWidth();
        const int y = (bars->YPosition(i) + bars->OriginPosition(i)) / 2;
        EXPECT_EQ(bars->HitTestPoint(left, y), i);
        EXPECT_EQ(bars->HitTestPoint(right, y), i);
        EXPECT_EQ(bars->HitTestPoint(left - 1, y), -1);
        EXPECT_EQ(bars->HitTestPoint(right + 1, y), -1);
        EXPECT_EQ(bars->HitTestPoint(left, bars->YPosition(i)), i);
        EXPECT_EQ(bars->HitTestPoint(left, bars->YPosition(i) - 1), -1);
        EXPECT_EQ(bars->HitTestPoint(left, bars->OriginPosition(i) + 1), -1);
    }
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
