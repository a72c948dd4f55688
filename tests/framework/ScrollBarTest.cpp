#include "HeadlessApp.h"
#include "framework/ScrollBar.h"

namespace {

class ScrollBarTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form = MakeShownForm(300, 300, clWhite);
    TScrollBar* bar = nullptr;
    std::vector<std::pair<TScrollCode, int>> scrolls;

    // A vertical bar of 17 x 217 at (10, 10): buttons of 17, a track of 183.
    void SetUp() override {
        bar = form->InsertControl(std::make_unique<TScrollBar>());
        bar->SetKind(sbVertical);
        bar->SetBounds(10, 10, 17, 217);
        bar->SetParams(0, 0, 99, 10);
        bar->OnScroll = [this](TObject*, TScrollCode code, int& pos) {
            scrolls.emplace_back(code, pos);
        };
        host.Advance(1);
    }
    THeadlessWindow& W() { return WindowOf(*form); }
};

TEST_F(ScrollBarTest, ThumbShowsThePageShareAndThePosition) {
    struct Case {
        int position, min, max, page;
        TRect thumb;  // in the bar's client coordinates; empty: no thumb
        int clamped;
    };
    const Case cases[] = {
        {0, 0, 99, 10, Bounds(0, 17, 17, 18), 0},
        {90, 0, 99, 10, Bounds(0, 182, 17, 18), 90},   // the last page ends at the far button
        {500, 0, 99, 10, Bounds(0, 182, 17, 18), 90},  // clamped to Max - Page + 1
        {-5, 0, 99, 10, Bounds(0, 17, 17, 18), 0},
        {45, 0, 99, 10, Bounds(0, 99, 17, 18), 45},
        {0, 0, 99, 100, {}, 0},                     // the range fits one page: no thumb
        {0, 0, 99999, 1, Bounds(0, 17, 17, 8), 0},  // never thinner than 8
        {3, 5, 2, 0, {}, 5},                        // Max below Min collapses the range
    };
    for (const Case& c : cases) {
        bar->SetParams(c.position, c.min, c.max, c.page);
        EXPECT_EQ(bar->ThumbRect(), c.thumb) << c.position << " " << c.max << " " << c.page;
        EXPECT_EQ(bar->Position(), c.clamped);
    }
}

TEST_F(ScrollBarTest, ArrowStepsAndRepeatsWhileHeldOverIt) {
    host.MouseDown(W(), 18, 220);  // the down arrow
    EXPECT_EQ(bar->Position(), 1);
    host.Advance(399);
    EXPECT_EQ(bar->Position(), 1) << "no repeat before the delay";
    host.Advance(1);
    EXPECT_EQ(bar->Position(), 2);
    host.Advance(100);
    EXPECT_EQ(bar->Position(), 4) << "then every 50 ms";
    host.MouseMove(W(), 18, 100);  // off the arrow: repeating pauses
    host.Advance(200);
    EXPECT_EQ(bar->Position(), 4);
    host.MouseMove(W(), 18, 220);
    host.Advance(50);
    EXPECT_EQ(bar->Position(), 5);
    host.MouseUp(W(), 18, 220);
    host.Advance(1000);
    EXPECT_EQ(bar->Position(), 5) << "release stops it";
    ASSERT_FALSE(scrolls.empty());
    EXPECT_EQ(scrolls.front().first, scLineDown);
    EXPECT_EQ(scrolls.back().first, scEndScroll);

    host.Click(W(), 18, 12);  // the up arrow
    EXPECT_EQ(bar->Position(), 4);
}

TEST_F(ScrollBarTest, TrackClickPagesUntilTheThumbReachesThePointer) {
    // Track pixel 150 of the bar lies past the thumb (17..35).
    host.MouseDown(W(), 18, 160);
    EXPECT_EQ(bar->Position(), 10);
    host.Advance(2000);
    // The thumb now covers the pressed point, so paging stopped there.
    TRect thumb = bar->ThumbRect();
    EXPECT_TRUE(thumb.Top <= 150 && 150 < thumb.Bottom) << thumb.Top;
    int stopped = bar->Position();
    host.MouseUp(W(), 18, 160);
    EXPECT_GT(stopped, 10);
    host.Click(W(), 18, 15 + 17 + 1);  // the track just below the up arrow, above the thumb
    EXPECT_EQ(bar->Position(), stopped - 10);
}

TEST_F(ScrollBarTest, ThumbDragFollowsThePointerAndClampsAtTheEnds) {
    host.MouseDown(W(), 18, 10 + 20);  // 3 pixels into the thumb
    host.MouseMove(W(), 18, 10 + 20 + 82);
    EXPECT_EQ(bar->Position(), 45);
    EXPECT_EQ(scrolls.back().first, scTrack);
    host.MouseMove(W(), 18, 290);  // beyond the far end
    EXPECT_EQ(bar->Position(), 90);
    host.MouseMove(W(), 18, -50);
    EXPECT_EQ(bar->Position(), 0);
    host.MouseMove(W(), 18, 10 + 20 + 82);
    host.MouseUp(W(), 18, 10 + 20 + 82);
    EXPECT_EQ(bar->Position(), 45);
    ASSERT_GE(scrolls.size(), 2u);
    EXPECT_EQ(scrolls[scrolls.size() - 2].first, scPosition);
    EXPECT_EQ(scrolls.back().first, scEndScroll);
}

TEST_F(ScrollBarTest, HandlerMayChangeTheNewPosition) {
    bar->OnScroll = [](TObject*, TScrollCode, int& pos) { pos = pos / 5 * 5; };
    host.Click(W(), 18, 220);
    EXPECT_EQ(bar->Position(), 0) << "1 rounds down to 0";
    host.Click(W(), 18, 160);
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(ScrollBarTest, ArrowsAreBlackWhenActiveAndEtchedWithoutARange) {
    // The glyph's middle row: the arrow's centre column of the down button.
    auto centre = [&] { return W().PixelColor(10 + 8, 10 + 217 - 17 + 8); };
    EXPECT_EQ(centre(), ColorToRGB(clBtnText));
    EXPECT_EQ(W().PixelColor(10, 10), ColorToRGB(cl3DLight)) << "the raised button edge";
    EXPECT_EQ(W().PixelColor(10 + 16, 10 + 16), ColorToRGB(cl3DDkShadow));
    bar->SetParams(0, 0, 5, 10);
    host.Advance(1);
    EXPECT_EQ(centre(), ColorToRGB(clBtnShadow));
    host.Click(W(), 18, 220);
    EXPECT_EQ(bar->Position(), 0) << "nothing to scroll";
    EXPECT_TRUE(scrolls.empty());
}

TEST_F(ScrollBarTest, TrackIsACheckerboardOfFaceAndHighlight) {
    bar->SetParams(0, 0, 99, 10);
    host.Advance(1);
    TColor a = W().PixelColor(15, 120), b = W().PixelColor(16, 120);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == ColorToRGB(clBtnFace) && b == ColorToRGB(clBtnHighlight)) ||
                (b == ColorToRGB(clBtnFace) && a == ColorToRGB(clBtnHighlight)));
    EXPECT_EQ(W().PixelColor(15, 121), b);
}

TEST_F(ScrollBarTest, TinyAndEmptyBarsNeitherCrashNorScroll) {
    for (TSize size : {TSize{17, 0}, TSize{0, 0}, TSize{17, 20}, TSize{17, 34}, TSize{17, 40}}) {
        bar->SetBounds(10, 10, size.cx, size.cy);
        host.Advance(1);
        host.Click(W(), 18, 12);
        host.Click(W(), 18, 10 + size.cy / 2);
        host.Click(W(), 18, 10 + size.cy - 1);
        EXPECT_GE(bar->Position(), 0);
        EXPECT_LE(bar->Position(), 90);
        EXPECT_LE(bar->ThumbRect().Bottom, size.cy);
    }
    bar->SetParams(0, INT32_MIN, INT32_MAX, 3);
    bar->SetPosition(INT32_MAX);
    EXPECT_EQ(bar->Position(), bar->MaxPosition());
}

TEST_F(ScrollBarTest, HorizontalKindRunsAlongTheWidth) {
    bar->SetKind(sbHorizontal);
    EXPECT_EQ(bar->Width(), 217);
    EXPECT_EQ(bar->Height(), 17);
    EXPECT_EQ(bar->ThumbRect(), Bounds(17, 0, 18, 17));
    host.Click(W(), 10 + 210, 18);
    EXPECT_EQ(bar->Position(), 1);
}

}  // namespace
