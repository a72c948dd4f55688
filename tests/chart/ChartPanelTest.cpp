#include <cmath>
#include <limits>
#include <stdexcept>

#include "ChartTestKit.h"

namespace {

class ChartPanel : public ChartApp {};

TEST_F(ChartPanel, DefaultMarginsFrameAndBackWall) {
    TChart& c = MakeChart(669, 328);
    c.SetAxisVisible(false);
    Paint();
    EXPECT_EQ(c.PlotRect(), Rect(21, 14, 648, 314));
    // Raised bevel: light top-left, shadow bottom-right; white inside.
    EXPECT_EQ(Pixel(0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(668, 327), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(668, 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(5, 5), clWhite);
    // The back wall: its lines lie on PlotRect's left, top, right and bottom.
    EXPECT_EQ(Pixel(21, 14), clBlack);
    EXPECT_EQ(Pixel(648, 100), clBlack);
    EXPECT_EQ(Pixel(300, 314), clBlack);
    EXPECT_EQ(Pixel(649, 100), clWhite);
    EXPECT_EQ(Pixel(300, 315), clWhite);
    EXPECT_EQ(Pixel(22, 15), clWhite);
}

TEST_F(ChartPanel, PixelMarginsAndFrameWidth) {
    TChart& c = MakeChart(200, 100);
    c.SetAxisVisible(false);
    c.SetMarginUnits(muPixels);
    c.SetMargins(5, 6, 7, 8);
    c.SetBevelInner(bvLowered);
    c.SetBorderWidth(2);
    Paint();
    // Frame: outer bevel 1 + border 2 + inner bevel 1.
    EXPECT_EQ(c.PlotRect(), Rect(5 + 4, 6 + 4, 200 - 7 - 4, 100 - 8 - 4));
}

TEST_F(ChartPanel, BevelChangesRedrawThePicture) {
    TChart& c = MakeChart(200, 100);
    c.SetAxisVisible(false);
    Paint();
    c.SetBevelWidth(3);
    EXPECT_TRUE(c.PictureStale());
    Paint();
    EXPECT_EQ(Pixel(2, 2), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(Pixel(197, 97), ColorToRGB(clBtnShadow));
    EXPECT_EQ(Pixel(3, 3), clWhite);
    c.SetBevelOuter(bvLowered);
    EXPECT_TRUE(c.PictureStale());
    Paint();
    EXPECT_EQ(Pixel(2, 2), ColorToRGB(clBtnShadow));
}

TEST_F(ChartPanel, SeveralChangesGiveOneDrawAndAnUnchangedChartIsCopied) {
    TChart& c = MakeChart(300, 200);
    auto* s = c.AddSeries(std::make_unique<TChartSeries>());
    Paint();
    const int draws = c.DrawCount();
    EXPECT_FALSE(c.PictureStale());
    s->ClearPoints();
    for (int i = 0; i < 5; ++i) s->AddPoint(i);
    c.LeftAxis().SetTickLength(5);
    c.LeftAxis().SetTickLength(5);
    EXPECT_TRUE(c.PictureStale());
    Paint();
    EXPECT_EQ(c.DrawCount(), draws + 1);
    // Uncovered by another window: a paint copies the picture.
    c.Invalidate();
    Paint();
    EXPECT_EQ(c.DrawCount(), draws + 1);
    // Setting a value it already has changes nothing.
    c.SetView3D(false);
    c.LeftAxis().Title().SetCaption("");
    EXPECT_FALSE(c.PictureStale());
}

TEST_F(ChartPanel, ASizeChangeDrawsAtTheNewSize) {
    TChart& c = MakeChart(300, 200);
    Paint();
    const int draws = c.DrawCount();
    c.SetBounds(0, 0, 250, 150);
    Paint();
    EXPECT_EQ(c.DrawCount(), draws + 1);
    EXPECT_EQ(c.Picture().Width(), 251);
    EXPECT_EQ(c.Picture().Height(), 151);
    EXPECT_EQ(Pixel(249, 149), ColorToRGB(clBtnShadow));
}

TEST_F(ChartPanel, ACollapsedPlotKeepsOnePixel) {
    TChart& c = MakeChart(300, 200);
    auto* s = c.AddSeries(std::make_unique<TChartSeries>());
    s->AddPoint(3, "2026-01-01");
    s->AddPoint(5, "2026-01-02");
    for (TSize size : {TSize{40, 30}, TSize{3, 3}, TSize{1, 1}, TSize{0, 0}}) {
        c.SetBounds(0, 0, size.cx, size.cy);
        c.DrawPicture();
        const TRect p = c.PlotRect();
        EXPECT_GE(p.Width(), 1) << size.cx;
        EXPECT_GE(p.Height(), 1) << size.cy;
        EXPECT_LE(p.Width(), std::max(1, size.cx)) << size.cx;
        EXPECT_GE(p.Left, 0);
    }
}

TEST_F(ChartPanel, ADrawThatThrowsTurnsAutomaticRepaintBackOn) {
    TChart& c = MakeChart(300, 200);
    c.OnBeforeDrawChart = [](TObject*) { throw std::runtime_error("boom"); };
    EXPECT_THROW(c.DrawPicture(), std::runtime_error);
    EXPECT_TRUE(c.AutoRepaint());
    c.OnBeforeDrawChart = nullptr;
    c.SetView3D(true);
    EXPECT_TRUE(c.PictureStale());
}

TEST_F(ChartPanel, APictureLeftHalfDrawnByAThrowIsDrawnAgainByTheNextPaint) {
    TChart& c = MakeChart(300, 200);
    c.SetAxisVisible(false);
    Paint();
    const TRect p = c.PlotRect();
    ASSERT_EQ(Pixel(p.Left, 100), clBlack);
    // The throw comes after the background, before the back wall.
    bool fail = true;
    c.OnBeforeDrawChart = [&](TObject*) {
        if (fail) throw std::runtime_error("boom");
    };
    c.SetColor(clYellow);
    EXPECT_THROW(c.DrawPicture(), std::runtime_error);
    EXPECT_TRUE(c.PictureStale());
    fail = false;
    const int draws = c.DrawCount();
    c.Invalidate();
    Paint();
    EXPECT_EQ(c.DrawCount(), draws + 1);
    EXPECT_EQ(Pixel(p.Left, 100), clBlack);
    EXPECT_EQ(Pixel(p.Left + 5, 100), clYellow);
}

TEST_F(ChartPanel, ToolsReceiveTheDrawingStepsInOrder) {
    struct TRecorder : TChartCustomTool {
        std::vector<int>* events;
        void ChartEvent(TChartToolEvent e) override { events->push_back(e); }
    };
    TChart& c = MakeChart(300, 200);
    std::vector<int> events;
    auto tool = std::make_unique<TRecorder>();
    tool->events = &events;
    c.AddTool(std::move(tool));
    c.AddSeries(std::make_unique<TChartSeries>())->AddPoint(1);
    c.DrawPicture();
    EXPECT_EQ(events, (std::vector<int>{cteBeforeDraw, cteBeforeAxes, cteBeforeSeries,
                                        cteAfterSeries, cteAfterDraw}));
    events.clear();
    c.SetAxisBehind(false);
    c.DrawPicture();
    EXPECT_EQ(events, (std::vector<int>{cteBeforeDraw, cteBeforeSeries, cteAfterSeries,
                                        cteBeforeAxes, cteAfterDraw}));
}

}  // namespace
