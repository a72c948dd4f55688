#include <cmath>

#include "ChartTestKit.h"

namespace {

class ZoomScroll : public ChartApp {
  protected:
    TChartSeries* series = nullptr;
    void SetUpChart() {
        MakeChart(669, 328);
        series = chart->AddSeries(std::make_unique<TChartSeries>());
        for (int i = 0; i < 10; ++i) series->AddPoint(i * 2);
        Paint();
    }
    void Drag(TPoint from, TPoint to, TMouseButton button = mbLeft) {
        host.MouseMove(Window(), from.X, from.Y);
        host.MouseDown(Window(), from.X, from.Y, button);
        host.MouseMove(Window(), (from.X + to.X) / 2, (from.Y + to.Y) / 2);
        host.MouseMove(Window(), to.X, to.Y);
        host.MouseUp(Window(), to.X, to.Y, button);
        Paint();
    }
};

TEST_F(ZoomScroll, DragRightZoomsAndDragUpLeftUndoes) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    TChartAxis& left = chart->LeftAxis();
    const double x1 = bottom.PositionToValue(200), x2 = bottom.PositionToValue(400);
    const double y1 = left.PositionToValue(250), y2 = left.PositionToValue(100);
    Drag({200, 100}, {400, 250});
    EXPECT_TRUE(chart->Zoomed());
    EXPECT_FALSE(bottom.Automatic());
    EXPECT_NEAR(bottom.RangeMinimum(), x1, 1e-9);
    EXPECT_NEAR(bottom.RangeMaximum(), x2, 1e-9);
    EXPECT_NEAR(left.RangeMinimum(), y1, 1e-9);
    EXPECT_NEAR(left.RangeMaximum(), y2, 1e-9);
    // The rubber band is gone from the picture.
    EXPECT_EQ(Pixel(300, 100), clWhite);

    Drag({400, 250}, {200, 100});
    EXPECT_FALSE(chart->Zoomed());
    EXPECT_TRUE(bottom.Automatic());
    EXPECT_TRUE(left.Automatic());
    EXPECT_EQ(left.RangeMaximum(), 18);
    EXPECT_EQ(left.RangeMinimum(), 0);
}

TEST_F(ZoomScroll, SmallDragsAndUndoWithoutZoomChangeNothing) {
    SetUpChart();
    Drag({200, 100}, {216, 200});
    EXPECT_FALSE(chart->Zoomed());
    EXPECT_TRUE(chart->LeftAxis().Automatic());
    Drag({400, 250}, {200, 100});
    EXPECT_TRUE(chart->BottomAxis().Automatic());
    EXPECT_FALSE(chart->SavedScalesPending());
}

TEST_F(ZoomScroll, RightDragScrollsBothAxesWithTheMouse) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    TChartAxis& left = chart->LeftAxis();
    const double bMin = bottom.RangeMinimum(), bMax = bottom.RangeMaximum();
    const double lMin = left.RangeMinimum(), lMax = left.RangeMaximum();
    const double dx = bottom.PositionToValue(300) - bottom.PositionToValue(340);
    const double dy = left.PositionToValue(150) - left.PositionToValue(130);
    host.MouseMove(Window(), 300, 150);
    host.MouseDown(Window(), 300, 150, mbRight);
    host.MouseMove(Window(), 340, 130);
    host.MouseUp(Window(), 340, 130, mbRight);
    Paint();
    EXPECT_FALSE(chart->Scrolling());
    EXPECT_NEAR(bottom.RangeMinimum(), bMin + dx, 1e-9);
    EXPECT_NEAR(bottom.RangeMaximum(), bMax + dx, 1e-9);
    EXPECT_NEAR(left.RangeMinimum(), lMin + dy, 1e-9);
    EXPECT_NEAR(left.RangeMaximum(), lMax + dy, 1e-9);
}

TEST_F(ZoomScroll, UndoAfterScrollingPastTheSavedRangeRestoresWithoutError) {
    SetUpChart();
    TChartAxis& left = chart->LeftAxis();
    // Scroll far down: the new minimum lies above the saved maximum.
    for (int i = 0; i < 6; ++i) {
        host.MouseMove(Window(), 300, 40);
        host.MouseDown(Window(), 300, 40, mbRight);
        host.MouseMove(Window(), 300, 280);
        host.MouseUp(Window(), 300, 280, mbRight);
        Paint();
    }
    ASSERT_GT(left.Minimum(), 18);
    EXPECT_NO_THROW(chart->UndoZoom());
    Paint();
    EXPECT_TRUE(left.Automatic());
    EXPECT_EQ(left.Minimum(), 0);
    EXPECT_EQ(left.Maximum(), 18);
    EXPECT_NO_THROW(chart->UndoZoom());
}

TEST_F(ZoomScroll, WheelMovesTheLeftAxisByThreePercentAndUndoBringsAutomaticBack) {
    SetUpChart();
    TChartAxis& left = chart->LeftAxis();
    host.Wheel(Window(), 300, 150, -1);
    Paint();
    EXPECT_NEAR(left.RangeMinimum(), 0.54, 1e-9);
    EXPECT_NEAR(left.RangeMaximum(), 18.54, 1e-9);
    host.Wheel(Window(), 300, 150, 2);
    Paint();
    EXPECT_NEAR(left.RangeMinimum(), 0.54 - 2 * 0.54, 1e-9);
    EXPECT_FALSE(left.Automatic());
    chart->UndoZoom();
    Paint();
    EXPECT_TRUE(left.Automatic());
    EXPECT_EQ(left.RangeMaximum(), 18);
}

TEST_F(ZoomScroll, ZoomIsKeptWhenTheSeriesIsReloaded) {
    SetUpChart();
    Drag({200, 100}, {400, 250});
    const double lo = chart->BottomAxis().RangeMinimum();
    series->ClearPoints();
    for (int i = 0; i < 10; ++i) series->AddPoint(i * 3);
    Paint();
    EXPECT_DOUBLE_EQ(chart->BottomAxis().RangeMinimum(), lo);
}

}  // namespace
