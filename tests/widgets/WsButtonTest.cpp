#include <gtest/gtest.h>

#include "framework/HeadlessApp.h"
#include "widgets/WsButton.h"
#include "widgets/WsColorMath.h"

namespace {

constexpr TColor kFace = RGB(190, 218, 241);
constexpr TColor kFrame = RGB(0, 60, 116);

class TFocusTarget : public TCustomControl {
  public:
    TFocusTarget() { SetTabStop(true); }
};

// The about box's close button: 89 x 25 at (20, 10) on a white form.
class WsButtonTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWsButton* button = nullptr;
    TFocusTarget* other = nullptr;
    int clicks = 0;

    void SetUp() override {
        form = MakeShownForm(200, 100, clWhite);
        other = form->InsertControl(std::make_unique<TFocusTarget>());
        other->SetBounds(150, 60, 20, 20);
        button = form->InsertControl(std::make_unique<TWsButton>());
        button->SetBounds(20, 10, 89, 25);
        button->SetCaption("关闭");
        button->SetColor(kFace);
        button->SetFrameColor(kFrame);
        button->SetHotTrack(true);
        button->OnClick = [this](TObject*) { ++clicks; };
        form->UpdateWindow();
    }
    THeadlessWindow& W() { return WindowOf(*form); }
    TColor At(int x, int y) { return W().PixelColor(20 + x, 10 + y); }
};

TEST_F(WsButtonTest, HotTrackFrameLeavesCornersToTheParent) {
    other->SetFocus();
    form->UpdateWindow();
    const TColor d20 = Darken(clBtnFace, 20), l20 = Lighten(clBtnFace, 20);
    struct Pixel {
        int x, y;
        TColor c;
    };
    for (Pixel p :
         {Pixel{0, 0, clWhite}, Pixel{1, 0, clWhite}, Pixel{0, 1, clWhite}, Pixel{88, 24, clWhite},
          Pixel{1, 1, d20}, Pixel{0, 12, d20}, Pixel{40, 0, d20}, Pixel{88, 12, l20},
          Pixel{40, 24, l20}, Pixel{87, 23, l20}, Pixel{1, 12, kFrame}, Pixel{40, 1, kFrame},
          Pixel{87, 12, kFrame}, Pixel{40, 23, kFrame}, Pixel{10, 22, Darken(kFace, 30)},
          Pixel{10, 21, Darken(kFace, 20)}, Pixel{10, 20, Darken(kFace, 10)}})
        EXPECT_EQ(At(p.x, p.y), ColorToRGB(p.c)) << p.x << "," << p.y;
    EXPECT_GE(GetBValue(At(10, 2)), GetBValue(Lighten(kFace, 30)) - 3u) << "shaded from light";
}

TEST_F(WsButtonTest, FocusRingHotRingAndPressedFaceFollowTheState) {
    button->SetFocus();
    form->UpdateWindow();
    const TColor h = clHighlight;
    const TColor l30 = Lighten(kFace, 30);
    EXPECT_EQ(At(10, 22), MixColors(h, l30, 160)) << "the focus ring's bottom row";
    EXPECT_TRUE(button->Active());
    EXPECT_EQ(At(3, 4), clBlack) << "the dotted focus rectangle";
    EXPECT_NE(At(3, 5), clBlack);

    host.MouseMove(W(), 20 + 40, 10 + 12);
    EXPECT_TRUE(button->PointerOverButton());
    EXPECT_EQ(At(10, 22), RGB(240, 155, 20)) << "the orange ring replaces the focus ring";
    EXPECT_EQ(At(3, 4), clBlack) << "the dotted rectangle stays";

    host.MouseDown(W(), 20 + 40, 10 + 12);
    EXPECT_TRUE(button->DrawPressed());
    EXPECT_EQ(At(10, 22), ColorToRGB(Darken(kFace, 10))) << "pressed: flat darker face";
    EXPECT_EQ(At(10, 12), ColorToRGB(Darken(kFace, 10)));
    host.MouseUp(W(), 20 + 40, 10 + 12);
    EXPECT_EQ(clicks, 1);

    host.MouseMove(W(), 190, 90);
    EXPECT_FALSE(button->PointerOverButton());
    EXPECT_EQ(At(10, 22), MixColors(h, l30, 160));
}

TEST_F(WsButtonTest, DisabledHotTrackButtonIsFramedFlat) {
    button->SetEnabled(false);
    form->UpdateWindow();
    EXPECT_EQ(At(1, 12), ColorToRGB(Darken(kFace, 80)));
    EXPECT_EQ(At(10, 12), kFace);
    EXPECT_EQ(At(0, 12), clWhite);
    host.Click(W(), 60, 22);
    host.PressKey(vkReturn);
    EXPECT_EQ(clicks, 0);
}

TEST_F(WsButtonTest, MouseClickCountsOnlyWhenReleasedInside) {
    THeadlessWindow& w = W();
    host.MouseDown(w, 60, 22);
    host.MouseMove(w, 150, 22);
    EXPECT_FALSE(button->DrawPressed()) << "off the button it shows released";
    host.MouseUp(w, 150, 22);
    EXPECT_EQ(clicks, 0);

    host.MouseDown(w, 60, 22);
    host.MouseMove(w, 150, 22);
    host.MouseMove(w, 61, 22);
    EXPECT_TRUE(button->DrawPressed());
    host.MouseUp(w, 61, 22);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->DrawPressed());
    EXPECT_TRUE(button->Focused()) << "a press takes the focus";
}

TEST_F(WsButtonTest, SpaceClicksOnceAndStrayReleasesDoNothing) {
    button->SetFocus();
    host.KeyDown(vkSpace);
    EXPECT_TRUE(button->DrawPressed());
    EXPECT_TRUE(button->SpacePressed());
    host.KeyUp(vkSpace);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->SpacePressed());
    host.KeyUp(vkSpace);
    EXPECT_EQ(clicks, 1) << "a second release is not a second click";

    // Tab away while space is held cancels.
    host.KeyDown(vkSpace);
    host.PressKey(vkTab);
    EXPECT_FALSE(button->Focused());
    button->SetFocus();
    host.KeyUp(vkSpace);
    EXPECT_EQ(clicks, 1);

    // A mouse press takes over from a held space bar.
    host.KeyDown(vkSpace);
    host.MouseDown(W(), 60, 22);
    host.MouseUp(W(), 150, 22);
    host.KeyUp(vkSpace);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WsButtonTest, EnterEscapeAndAcceleratorFollowActiveCancelAndCaption) {
    button->SetFocus();
    host.PressKey(vkReturn);
    EXPECT_EQ(clicks, 1) << "the focused button is Active";
    host.PressKey(vkEscape);
    EXPECT_EQ(clicks, 1) << "not a Cancel button";
    button->SetCancel(true);
    host.PressKey(vkEscape);
    EXPECT_EQ(clicks, 2);
    host.PressKey(vkReturn, ssShift);
    EXPECT_EQ(clicks, 2) << "modifiers leave Enter to the form";

    other->SetFocus();
    EXPECT_FALSE(button->Active());
    host.PressKey(vkReturn);
    EXPECT_EQ(clicks, 2);
    button->SetDefault(true);
    EXPECT_TRUE(button->Active()) << "the default button is Active when no button has focus";
    host.PressKey(vkReturn);
    EXPECT_EQ(clicks, 3);

    auto* second = form->InsertControl(std::make_unique<TWsButton>());
    second->SetBounds(120, 10, 20, 20);
    second->SetFocus();
    EXPECT_FALSE(button->Active()) << "another focused button takes Enter";

    button->SetCaption("&Close");
    host.PressKey('C', ssAlt);
    EXPECT_EQ(clicks, 4);
}

TEST_F(WsButtonTest, ModalResultReachesTheFormBeforeOnClick) {
    button->SetModalResult(mrOk);
    TModalResult seen = mrNone;
    button->OnClick = [&](TObject*) { seen = form->ModalResult(); };
    host.Click(W(), 60, 22);
    EXPECT_EQ(seen, mrOk);
}

TEST_F(WsButtonTest, HandlerThatFreesTheButtonLeavesNothingToTouch) {
    std::unique_ptr<TControl> removed;
    auto freeing = [&](TObject*) {
        removed = form->RemoveControl(button);
        removed.reset();
    };
    button->OnClick = freeing;
    host.Click(W(), 60, 22);
    EXPECT_EQ(form->ControlCount(), 1);

    for (TKey key : {vkSpace, vkReturn}) {
        button = form->InsertControl(std::make_unique<TWsButton>());
        button->SetBounds(20, 10, 89, 25);
        button->OnClick = freeing;
        button->SetFocus();
        host.PressKey(key);
        EXPECT_EQ(form->ControlCount(), 1) << "key " << key;
    }
}

}  // namespace

namespace {

TEST_F(WsButtonTest, ClassicButtonShowsItsFrameByState) {
    button->SetHotTrack(false);
    button->SetColor(clBtnFace);
    other->SetFocus();
    form->UpdateWindow();
    struct Pixel {
        int x, y;
        TColor c;
    };
    auto expect = [&](std::initializer_list<Pixel> pixels, const char* state) {
        form->UpdateWindow();
        for (Pixel p : pixels)
            EXPECT_EQ(At(p.x, p.y), ColorToRGB(p.c)) << state << " " << p.x << "," << p.y;
    };
    expect({{0, 0, clBtnHighlight},
            {88, 12, cl3DDkShadow},
            {1, 1, cl3DLight},
            {87, 12, clBtnShadow},
            {10, 12, clBtnFace}},
           "up");
    button->SetFocus();
    expect({{0, 0, clWindowFrame},
            {88, 24, clWindowFrame},
            {1, 1, clBtnHighlight},
            {87, 12, cl3DDkShadow}},
           "focused");
    host.MouseDown(W(), 60, 22);
    expect({{0, 0, clBtnText}, {88, 12, clBtnText}, {1, 1, clBtnShadow}, {87, 12, clBtnShadow}},
           "pressed");
    host.MouseUp(W(), 60, 22);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
