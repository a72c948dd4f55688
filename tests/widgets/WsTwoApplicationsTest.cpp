#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"
#include "widgets/WsButton.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsLabel.h"

namespace {

constexpr TColor kFace = RGB(190, 218, 241);

// One application on its own host: a white form with a button (not focused, not hot, so its
// face is shaded on a full-colour screen) and a blinking label.
struct TSide {
    THeadlessHost host;
    TApplication app{host};
    std::unique_ptr<TForm> form = MakeForm<TForm>(&app);
    TWsButton* button = nullptr;
    TWsLabel* label = nullptr;

    TSide() {
        form->SetColor(clWhite);
        form->SetClientWidth(200);
        form->SetClientHeight(100);
        form->Show();
        button = form->InsertControl(std::make_unique<TWsButton>());
        button->SetBounds(20, 10, 89, 25);
        button->SetColor(kFace);
        button->SetHotTrack(true);
        label = form->InsertControl(std::make_unique<TWsLabel>());
        label->SetBounds(20, 50, 80, 13);
        label->SetCaption("label");
        label->SetBlinkColor(clRed);
        form->UpdateWindow();
    }
    TColor FaceTop() {
        form->UpdateWindow();
        return static_cast<THeadlessWindow*>(form->HostWindow())->PixelColor(20 + 10, 10 + 2);
    }
};

TEST(WsTwoApplications, AColourSettingReachesOnlyTheWidgetsOfItsApplication) {
    TSide one;
    TSide two;
    ASSERT_NE(one.FaceTop(), kFace) << "shaded from light on a full-colour screen";
    one.app.Display().FullColor = false;
    one.button->Invalidate();
    two.button->Invalidate();
    EXPECT_EQ(one.FaceTop(), kFace) << "few colours: a flat face";
    EXPECT_NE(two.FaceTop(), kFace) << "the other application's button stays shaded";
}

TEST(WsTwoApplications, ABlinkingLabelFollowsTheClockOfItsOwnApplication) {
    TSide one;
    TSide two;
    const TColor text = one.label->TextColor();
    one.label->SetBlinking(true);
    two.host.Advance(TWsLabel::BlinkIntervalMs * 3);
    EXPECT_EQ(one.label->TextColor(), text) << "another application's time does not blink it";
    EXPECT_EQ(two.app.NextDeadline(), kNoDeadline);
    one.host.Advance(TWsLabel::BlinkIntervalMs);
    EXPECT_EQ(one.label->TextColor(), clRed);
    one.label->SetBlinking(false);
    EXPECT_EQ(one.app.NextDeadline(), kNoDeadline) << "its timer stopped in its application";
}

}  // namespace
