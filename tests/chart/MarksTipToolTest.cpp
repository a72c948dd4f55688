#include "ChartTestKit.h"
#include "chart/BarSeries.h"
#include "chart/MarksTipTool.h"
#include "framework/HintWindow.h"

namespace {

class MarksTip : public ChartApp {
  protected:
    TBarSeries* bars = nullptr;
    TMarksTipTool* tool = nullptr;
    int cancels = 0;

    void SetUpChart() {
        MakeChart(669, 328);
        bars = chart->AddSeries(std::make_unique<TBarSeries>());
        bars->Marks().SetVisible(false);
        bars->SetColorEachPoint(true);
        bars->AddPoint(12.5, "2026-12-01");
        bars->AddPoint(1234.5678, "2026-12-02");
        bars->AddPoint(0, "2026-12-03");
        tool = chart->AddTool(std::make_unique<TMarksTipTool>());
        tool->SetStyle(smsLabelValue);
        tool->OnCancelHint = [this](TMarksTipTool*) { ++cancels; };
        Paint();
    }
    TPoint Inside(int i) const {
        return {bars->XPosition(i) + bars->BarPixelWidth() / 2,
                (bars->YPosition(i) + bars->OriginPosition(i)) / 2};
    }
    void MoveTo(TPoint p) { host.MouseMove(Window(), p.X, p.Y); }
    bool Showing() { return app.Hints().Showing(); }
    std::string Shown() { return Showing() ? app.Hints().Text() : std::string(); }
};

TEST_F(MarksTip, ShowsBarAfterThePauseThenTheNextBarAfterANewPause) {
    SetUpChart();
    MoveTo(Inside(0));
    EXPECT_EQ(chart->Hint(), "2026-12-01 12.5");
    host.Advance(499);
    EXPECT_FALSE(Showing());
    host.Advance(2);
    EXPECT_EQ(Shown(), "2026-12-01 12.5");
    MoveTo(Inside(1));
    EXPECT_FALSE(Showing());
    host.Advance(499);
    EXPECT_FALSE(Showing());
    host.Advance(2);
    EXPECT_EQ(Shown(), "2026-12-02 1,234.568");
}

TEST_F(MarksTip, AtTheFootOfTheScreenTheTipGoesAboveThePointer) {
    SetUpChart();
    // The window moved down until the foot of the first bar is 6 pixels above the screen's
    // bottom edge.
    const TPoint at{Inside(0).X, bars->OriginPosition(0) - 2};
    MoveTo(at);
    form->SetBounds(100, form->Top() + 794 - host.CursorPos().Y, form->Width(), form->Height());
    Paint();
    MoveTo(at);
    host.Advance(501);
    ASSERT_EQ(Shown(), "2026-12-01 12.5");
    const TRect tip = WindowOf(*app.Hints().Window()).ClientBounds();
    const TPoint cursor = host.CursorPos();
    ASSERT_GT(cursor.Y + host.CursorHeight() + tip.Height(), 800) << "room below the pointer";
    EXPECT_EQ(tip.Bottom, cursor.Y);
    EXPECT_LE(tip.Bottom, 800);
    // Away from the edge it hangs below the cursor as usual.
    form->SetBounds(100, 100, form->Width(), form->Height());
    Paint();
    MoveTo(Inside(1));
    host.Advance(501);
    ASSERT_EQ(Shown(), "2026-12-02 1,234.568");
    EXPECT_EQ(WindowOf(*app.Hints().Window()).ClientBounds().Top,
              host.CursorPos().Y + host.CursorHeight());
}

TEST_F(MarksTip, HidesAfterHideDelayAndStaysHiddenInsideTheSameBar) {
    SetUpChart();
    MoveTo(Inside(0));
    host.Advance(501);
    ASSERT_TRUE(Showing());
    host.Advance(2500);
    EXPECT_FALSE(Showing());
    TPoint p = Inside(0);
    MoveTo({p.X + 1, p.Y});
    MoveTo({p.X, p.Y + 2});
    host.Advance(1000);
    EXPECT_FALSE(Showing());
    // Leaving the bar and coming back shows it again.
    MoveTo({5, 5});
    MoveTo(p);
    host.Advance(501);
    EXPECT_EQ(Shown(), "2026-12-01 12.5");
}

TEST_F(MarksTip, EmptyAreaCancelsTheTip) {
    SetUpChart();
    MoveTo(Inside(0));
    host.Advance(501);
    ASSERT_TRUE(Showing());
    const int before = cancels;
    MoveTo({chart->PlotRect().Left + 2, chart->PlotRect().Top + 2});
    EXPECT_FALSE(Showing());
    EXPECT_EQ(chart->Hint(), "");
    EXPECT_GT(cancels, before);
    host.Advance(1000);
    EXPECT_FALSE(Showing());
}

TEST_F(MarksTip, ZeroBarOnlyOnTheOriginRow) {
    SetUpChart();
    const int row = bars->OriginPosition(2);
    const int x = bars->XPosition(2) + 2;
    MoveTo({x, row - 1});
    EXPECT_EQ(chart->Hint(), "");
    MoveTo({x, row});
    EXPECT_EQ(chart->Hint(), "2026-12-03 0");
}

TEST_F(MarksTip, ComputingATipNeitherRepaintsNorChangesTheSeriesMarks) {
    SetUpChart();
    const int draws = chart->DrawCount();
    MoveTo(Inside(1));
    EXPECT_EQ(bars->Marks().Style(), smsLabel);
    EXPECT_FALSE(chart->PictureStale());
    host.Advance(600);
    EXPECT_EQ(chart->DrawCount(), draws);
}

TEST_F(MarksTip, TextBeforeTheBarIsShownAndGetTextCanChangeIt) {
    SetUpChart();
    tool->OnGetText = [](TMarksTipTool*, std::string& t) { t = "short|long " + t; };
    MoveTo(Inside(0));
    host.Advance(501);
    EXPECT_EQ(Shown(), "short");
}

TEST_F(MarksTip, ClickActionIgnoresMovesAndSetsTheTextOnAPress) {
    SetUpChart();
    tool->SetMouseAction(mtmClick);
    MoveTo(Inside(0));
    EXPECT_EQ(chart->Hint(), "");
    const TPoint p = Inside(1);
    host.MouseDown(Window(), p.X, p.Y);
    host.MouseUp(Window(), p.X, p.Y);
    EXPECT_EQ(chart->Hint(), "2026-12-02 1,234.568");
    MoveTo({p.X + 1, p.Y});
    host.Advance(501);
    EXPECT_EQ(Shown(), "2026-12-02 1,234.568");
}

TEST_F(MarksTip, DelaysAreTheApplicationsAndDeactivatingCancels) {
    SetUpChart();
    tool->SetMouseDelay(100);
    EXPECT_EQ(app.HintPause(), 100);
    tool->SetHideDelay(700);
    EXPECT_EQ(app.HintHidePause(), 700);
    MoveTo(Inside(0));
    host.Advance(101);
    EXPECT_TRUE(Showing());
    tool->SetActive(false);
    EXPECT_FALSE(Showing());
    EXPECT_EQ(chart->Hint(), "");
    MoveTo(Inside(1));
    EXPECT_EQ(chart->Hint(), "");
}

TEST_F(MarksTip, NoPaintYetMeansNoPoint) {
    MakeChart(669, 328);
    bars = chart->AddSeries(std::make_unique<TBarSeries>());
    bars->AddPoint(5, "x");
    tool = chart->AddTool(std::make_unique<TMarksTipTool>());
    tool->ChartMouseEvent(cmeMove, mbLeft, 0, 300, 200);
    EXPECT_EQ(chart->Hint(), "");
}

}  // namespace
