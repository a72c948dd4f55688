#include "HeadlessApp.h"
#include "framework/HintWindow.h"

namespace {

class HintService : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWinProbe* hinted = nullptr;
    TWinProbe* other = nullptr;

    void SetUp() override {
        form = MakeShownForm(300, 200, clWhite);
        hinted = AddProbe(*form, "hinted", Bounds(10, 10, 100, 50), clSilver);
        hinted->SetHint("Short text|the long help");
        hinted->SetShowHint(true);
        other = AddProbe(*form, "other", Bounds(150, 10, 100, 50), clSilver);
    }
    THeadlessWindow& W() { return WindowOf(*form); }
    bool Shown() { return app.Hints().Showing(); }
    THeadlessWindow* HintHostWindow() {
        auto* win = app.Hints().Window();
        return win ? &WindowOf(*win) : nullptr;
    }
};

TEST_F(HintService, AppearsAfterThePauseBelowTheCursorAndHidesAfterTheHidePause) {
    host.MouseMove(W(), 20, 20);
    host.Advance(499);
    EXPECT_FALSE(Shown());
    host.Advance(1);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(app.Hints().Text(), "Short text");

    THeadlessWindow* hw = HintHostWindow();
    ASSERT_NE(hw, nullptr);
    EXPECT_EQ(hw->Kind(), wkPopup);
    TPoint cursor = host.CursorPos();
    EXPECT_EQ(hw->ClientBounds().Left, cursor.X);
    EXPECT_EQ(hw->ClientBounds().Top, cursor.Y + host.CursorHeight());
    EXPECT_NE(host.ActiveWindow(), hw) << "a hint never takes the keyboard";
    TRect b = hw->ClientBounds();
    EXPECT_EQ(hw->PixelColor(b.Width() - 2, 1), ColorToRGB(clInfoBk));
    EXPECT_EQ(hw->PixelColor(0, 0), ColorToRGB(clWindowFrame));

    host.Advance(2499);
    EXPECT_TRUE(Shown());
    host.Advance(1);
    EXPECT_FALSE(Shown());
}

TEST_F(HintService, StaysHiddenWhileOnTheSameControlUntilTheMouseLeavesAndReturns) {
    host.MouseMove(W(), 20, 20);
    host.Advance(3000);
    EXPECT_FALSE(Shown());
    host.MouseMove(W(), 30, 30);
    host.Advance(1000);
    EXPECT_FALSE(Shown()) << "moving within the control brought the hint back";

    host.MouseMove(W(), 160, 20);  // a control without a hint
    host.Advance(1000);
    EXPECT_FALSE(Shown());
    host.MouseMove(W(), 20, 20);
    host.Advance(500);
    EXPECT_TRUE(Shown());
    host.MouseMove(W(), 5, 100);  // onto the bare form: the hint goes at once
    EXPECT_FALSE(Shown());
}

TEST_F(HintService, InputAndActivationCancelBothAShownAndAPendingHint) {
    struct TCase {
        const char* name;
        std::function<void()> act;
    };
    std::vector<TCase> cases = {
        {"key", [&] { host.PressKey(vkShift); }},
        {"press",
         [&] {
             host.MouseDown(W(), 20, 20);
             host.MouseUp(W(), 20, 20);
         }},
        {"wheel", [&] { host.Wheel(W(), 20, 20, 1); }},
        {"deactivate",
         [&] {
             host.Deactivate();
             host.Activate(W());
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        host.MouseMove(W(), 200, 150);
        host.MouseMove(W(), 20, 20);
        host.Advance(500);
        ASSERT_TRUE(Shown());
        c.act();
        EXPECT_FALSE(Shown());
        EXPECT_EQ(app.Hints().HintControl(), nullptr);

        host.MouseMove(W(), 200, 150);
        host.MouseMove(W(), 20, 20);
        host.Advance(300);
        c.act();
        host.Advance(1000);
        EXPECT_FALSE(Shown()) << "a pending hint survived";
        // After a cancel the next move over the same control starts a new pause.
        host.MouseMove(W(), 21, 21);
        host.Advance(500);
        EXPECT_TRUE(Shown());
    }
}

TEST_F(HintService, NoHintWithoutShowHintOrText) {
    hinted->SetShowHint(false);
    host.MouseMove(W(), 20, 20);
    host.Advance(1000);
    EXPECT_FALSE(Shown());
    hinted->SetShowHint(true);
    hinted->SetHint("|only the long part");
    host.MouseMove(W(), 200, 150);
    host.MouseMove(W(), 20, 20);
    host.Advance(1000);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(THintService::ShortHint("a|b|c"), "a");
    EXPECT_EQ(THintService::ShortHint("plain"), "plain");
}

TEST_F(HintService, ActivateHintRestartsThePauseWithTheNewTextAsAChartTipDoes) {
    other->SetShowHint(true);
    host.MouseMove(W(), 160, 20);
    // What a tip tool does on reaching a bar: cancel, set the text, ask for the hint here.
    auto tip = [&](const std::string& text) {
        app.CancelHint();
        other->SetHint(text);
        app.ActivateHint(other->ClientToScreen({10, 10}));
    };
    tip("2026-12-01 12.5");
    host.Advance(400);
    tip("2026-12-02 3");
    host.Advance(400);
    EXPECT_FALSE(Shown()) << "the second bar's tip must wait a whole pause";
    host.Advance(100);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(app.Hints().Text(), "2026-12-02 3");

    app.SetHintPause(50);
    app.SetHintHidePause(100);
    tip("2026-12-03 1");
    EXPECT_FALSE(Shown());
    host.Advance(50);
    EXPECT_TRUE(Shown());
    host.Advance(100);
    EXPECT_FALSE(Shown());
}

TEST_F(HintService, HintNearTheScreenEdgeStaysOnTheScreen) {
    form->SetBounds(1280 - 150, 800 - 60, 150, 60);
    auto* corner = AddProbe(*form, "corner", form->ClientRect(), clSilver);
    corner->SetHint("a hint that is wider than what is left of the screen");
    corner->SetShowHint(true);
    host.MouseMove(W(), 140, 20);
    host.Advance(500);
    ASSERT_TRUE(Shown());
    TRect b = HintHostWindow()->ClientBounds();
    EXPECT_LE(b.Right, 1280);
    EXPECT_LE(b.Bottom, 800);
    EXPECT_GE(b.Left, 0);
}

TEST_F(HintService, DestroyingTheHintedControlForgetsIt) {
    host.MouseMove(W(), 20, 20);
    host.Advance(200);
    form->RemoveControl(hinted).reset();
    host.Advance(1000);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(app.Hints().HintControl(), nullptr);
}

}  // namespace
