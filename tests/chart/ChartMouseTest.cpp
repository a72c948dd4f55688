#include "ChartTestKit.h"

// Where a press starts a zoom or a scroll, what each direction setting moves, and several
// inputs handled before one paint, as a busy platform loop delivers them.

namespace {

// A tool that takes every press for itself, and one that counts the presses it receives.
class TGreedyTool : public TChartCustomTool {
  public:
    void ChartMouseEvent(TChartMouseEvent kind, TMouseButton, TShiftState, int, int) override {
        if (kind == cmeDown) ParentChart()->SetMouseConsumed(true);
    }
};
class TCountingTool : public TChartCustomTool {
  public:
    int Downs = 0;
    void ChartMouseEvent(TChartMouseEvent kind, TMouseButton, TShiftState, int, int) override {
        if (kind == cmeDown) ++Downs;
    }
};

class ChartMouse : public ChartApp {
  protected:
    void SetUpChart() {
        MakeChart(669, 328);
        chart->LeftAxis().Title().SetCaption("(小时)");
        auto* s = chart->AddSeries(std::make_unique<TChartSeries>());
        for (int i = 0; i < 10; ++i) s->AddPoint(i * 2);
        Paint();
        b0 = Shown(chart->BottomAxis());
        l0 = Shown(chart->LeftAxis());
    }
    // How far a drag between two pixels moves each axis, at the scale last drawn.
    double Dx(int from, int to) {
        return chart->BottomAxis().PositionToValue(from) - chart->BottomAxis().PositionToValue(to);
    }
    double Dy(int from, int to) {
        return chart->LeftAxis().PositionToValue(from) - chart->LeftAxis().PositionToValue(to);
    }
    void Press(TPoint at, TMouseButton button) {
        host.MouseMove(Window(), at.X, at.Y);
        host.MouseDown(Window(), at.X, at.Y, button);
    }
    void Drag(TPoint from, TPoint to, TMouseButton button = mbLeft) {
        Press(from, button);
        host.MouseMove(Window(), to.X, to.Y);
        host.MouseUp(Window(), to.X, to.Y, button);
        Paint();
    }
    struct TRange {
        double Lo, Hi;
    };
    TRange b0{}, l0{};  // the ranges first drawn
    static TRange Shown(const TChartAxis& a) { return {a.RangeMinimum(), a.RangeMaximum()}; }
    // The values under two pixels of an axis as it was last drawn.
    static TRange Between(const TChartAxis& a, int p1, int p2) {
        const double v1 = a.PositionToValue(p1), v2 = a.PositionToValue(p2);
        return {std::min(v1, v2), std::max(v1, v2)};
    }
    static void ExpectRange(const TChartAxis& a, TRange r) {
        EXPECT_NEAR(a.RangeMinimum(), r.Lo, 1e-9);
        EXPECT_NEAR(a.RangeMaximum(), r.Hi, 1e-9);
    }
};

TEST_F(ChartMouse, APressOnAnAxisOrItsTitleStartsZoomAndScroll) {
    SetUpChart();
    const TRect p = chart->PlotRect();
    const TChartAxis& left = chart->LeftAxis();
    // The title band at the far left, the label band, and the bottom axis's labels.
    const TPoint places[] = {{left.TitlePosition() - 3, left.AxisCenter()},
                             {left.LabelsPosition() - 2, p.Top + 30},
                             {300, chart->BottomAxis().LabelsPosition() + 3}};
    for (TPoint at : places) {
        Press(at, mbLeft);
        EXPECT_TRUE(chart->Zooming()) << at.X << "," << at.Y;
        host.MouseUp(Window(), at.X, at.Y);
        Press(at, mbRight);
        EXPECT_TRUE(chart->Scrolling()) << at.X << "," << at.Y;
        host.MouseUp(Window(), at.X, at.Y, mbRight);
    }
    // From the title band a drag into the plot zooms.
    Drag(places[0], {400, 250});
    EXPECT_TRUE(chart->Zoomed());
    // The panel's own margin, outside every axis, starts nothing.
    Press({3, p.Top + 30}, mbLeft);
    EXPECT_FALSE(chart->Zooming());
    host.MouseUp(Window(), 3, p.Top + 30);
    // A hidden axis takes no presses where its labels were.
    chart->LeftAxis().SetVisible(false);
    Paint();
    Press({5, chart->PlotRect().Top + 30}, mbLeft);
    EXPECT_FALSE(chart->Zooming());
}

TEST_F(ChartMouse, AToolThatConsumesThePressStopsZoomAndTheToolsAfterIt) {
    SetUpChart();
    auto* counter = chart->AddTool(std::make_unique<TCountingTool>());
    Press({200, 100}, mbLeft);
    EXPECT_TRUE(chart->Zooming());
    EXPECT_EQ(counter->Downs, 1);
    host.MouseUp(Window(), 200, 100);

    auto owned = chart->RemoveTool(counter);
    chart->AddTool(std::make_unique<TGreedyTool>());
    chart->AddTool(std::move(owned));
    const TRange bottom = Shown(chart->BottomAxis());
    Drag({200, 100}, {400, 250});
    EXPECT_FALSE(chart->Zoomed());
    EXPECT_EQ(counter->Downs, 1);
    ExpectRange(chart->BottomAxis(), bottom);
    Drag({300, 150}, {340, 130}, mbRight);
    ExpectRange(chart->BottomAxis(), bottom);
    EXPECT_FALSE(chart->SavedScalesPending());
}

TEST_F(ChartMouse, HorizontalOnlyAndVerticalOnlyZoomSpanTheWholePlotTheOtherWay) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    TChartAxis& left = chart->LeftAxis();
    const TRect p = chart->PlotRect();
    chart->Zoom().Direction = tzdHorizontal;
    // Barely any height: still a zoom, since height does not count.
    TRange wantB = Between(bottom, 200, 400), wantL = Between(left, p.Bottom, p.Top);
    Drag({200, 100}, {400, 103});
    EXPECT_TRUE(chart->Zoomed());
    ExpectRange(bottom, wantB);
    ExpectRange(left, wantL);
    chart->UndoZoom();
    Paint();

    chart->Zoom().Direction = tzdVertical;
    wantB = Between(bottom, p.Left, p.Right);
    wantL = Between(left, 250, 100);
    Drag({200, 100}, {202, 250});
    EXPECT_TRUE(chart->Zoomed());
    ExpectRange(bottom, wantB);
    ExpectRange(left, wantL);
    // Downwards is forwards for a vertical zoom: dragging up undoes, however wide.
    Drag({200, 250}, {500, 100});
    EXPECT_FALSE(chart->Zoomed());
    EXPECT_TRUE(left.Automatic());
}

TEST_F(ChartMouse, UpLeftDragZoomsIntoTheSameRectangleWhenAllowed) {
    SetUpChart();
    chart->Zoom().UpLeftZooms = true;
    const TRange wantB = Between(chart->BottomAxis(), 200, 400);
    const TRange wantL = Between(chart->LeftAxis(), 250, 100);
    Drag({400, 250}, {200, 100});
    EXPECT_TRUE(chart->Zoomed());
    ExpectRange(chart->BottomAxis(), wantB);
    ExpectRange(chart->LeftAxis(), wantL);
}

TEST_F(ChartMouse, PanningModesMoveOnlyTheirDirection) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    TChartAxis& left = chart->LeftAxis();
    const double dx = Dx(300, 340), dy = Dy(150, 130);

    chart->SetAllowPanning(pmHorizontal);
    Drag({300, 150}, {340, 130}, mbRight);
    ExpectRange(bottom, {b0.Lo + dx, b0.Hi + dx});
    ExpectRange(left, l0);
    EXPECT_TRUE(left.Automatic());
    // The wheel scrolls vertically only, so here it does nothing.
    host.Wheel(Window(), 300, 150, -1);
    Paint();
    ExpectRange(left, l0);
    chart->UndoZoom();
    Paint();

    chart->SetAllowPanning(pmVertical);
    Drag({300, 150}, {340, 130}, mbRight);
    ExpectRange(bottom, b0);
    EXPECT_TRUE(bottom.Automatic());
    ExpectRange(left, {l0.Lo + dy, l0.Hi + dy});
    chart->UndoZoom();
    Paint();

    chart->SetAllowPanning(pmNone);
    Drag({300, 150}, {340, 130}, mbRight);
    ExpectRange(bottom, b0);
    ExpectRange(left, l0);
    EXPECT_FALSE(chart->SavedScalesPending());
}

TEST_F(ChartMouse, LeavingThePlotEndsTheScroll) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    const double step = Dx(300, 340);
    Press({300, 150}, mbRight);
    host.MouseMove(Window(), 340, 150);
    EXPECT_NEAR(bottom.RangeMinimum(), b0.Lo + step, 1e-9);
    // Out over the left axis: the scroll ends there and coming back moves nothing.
    host.MouseMove(Window(), chart->PlotRect().Left - 5, 150);
    EXPECT_FALSE(chart->Scrolling());
    host.MouseMove(Window(), 400, 150);
    host.MouseUp(Window(), 400, 150, mbRight);
    Paint();
    EXPECT_NEAR(bottom.RangeMinimum(), b0.Lo + step, 1e-9);
}

TEST_F(ChartMouse, SeveralDragMovesBeforeOnePaintFollowThePointer) {
    SetUpChart();
    TChartAxis& bottom = chart->BottomAxis();
    TChartAxis& left = chart->LeftAxis();
    const double dx = Dx(300, 360), dy = Dy(150, 120);
    const int draws = chart->DrawCount();
    host.BeginBatch();
    Press({300, 150}, mbRight);
    for (int i = 1; i <= 3; ++i) host.MouseMove(Window(), 300 + 20 * i, 150 - 10 * i);
    host.MouseUp(Window(), 360, 120, mbRight);
    host.EndBatch();
    EXPECT_EQ(chart->DrawCount(), draws + 1);
    ExpectRange(bottom, {b0.Lo + dx, b0.Hi + dx});
    ExpectRange(left, {l0.Lo + dy, l0.Hi + dy});
    // A second drag continues from there, again in one paint.
    host.BeginBatch();
    Press({360, 120}, mbRight);
    host.MouseMove(Window(), 330, 135);
    host.MouseMove(Window(), 300, 150);
    host.MouseUp(Window(), 300, 150, mbRight);
    host.EndBatch();
    ExpectRange(bottom, b0);
    ExpectRange(left, l0);
}

TEST_F(ChartMouse, SeveralWheelStepsBeforeOnePaintEachMoveThreePercent) {
    SetUpChart();
    TChartAxis& left = chart->LeftAxis();
    host.BeginBatch();
    host.Wheel(Window(), 300, 150, -1);
    host.Wheel(Window(), 300, 150, -1);
    const int draws = chart->DrawCount();
    host.Wheel(Window(), 300, 150, -1);
    EXPECT_EQ(chart->DrawCount(), draws);
    host.EndBatch();
    EXPECT_EQ(chart->DrawCount(), draws + 1);
    // Each step is 3 % of a range 18 wide.
    ExpectRange(left, {3 * 0.54, 18 + 3 * 0.54});
    host.BeginBatch();
    host.Wheel(Window(), 300, 150, 2);
    host.Wheel(Window(), 300, 150, 1);
    host.EndBatch();
    ExpectRange(left, {0, 18});
}

}  // namespace
