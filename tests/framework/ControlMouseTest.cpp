#include "HeadlessApp.h"
#include "framework/Label.h"

namespace {

class ControlMouse : public HeadlessApp {};

TEST_F(ControlMouse, EnterAndLeaveFollowThePointerAcrossNestedControls) {
    auto form = MakeShownForm(200, 150);
    auto* panel = AddProbe(*form, "panel", Bounds(10, 10, 100, 100), clSilver);
    AddProbe<TGraphicProbe>(*panel, "label", Bounds(10, 10, 20, 20), clBlue);
    THeadlessWindow& w = WindowOf(*form);
    host.Advance(1);
    Take();

    host.MouseMove(w, 5, 5);
    host.MouseMove(w, 15, 15);
    host.MouseMove(w, 25, 25);
    host.MouseMove(w, 150, 20);
    EXPECT_EQ(Take(), (Lines{"enter panel", "move panel 5,5", "leave panel", "enter label",
                             "move label 5,5", "leave label"}));
    EXPECT_EQ(form->MouseControl(), form.get());

    host.MouseMove(w, 15, 15);
    host.MouseLeave(w);
    EXPECT_EQ(Take(), (Lines{"enter panel", "move panel 5,5", "leave panel"}));
    EXPECT_EQ(form->MouseControl(), nullptr);
}

TEST_F(ControlMouse, CaptureKeepsEventsWithThePressedControlAndClickNeedsReleaseInside) {
    auto form = MakeShownForm(200, 150);
    auto* a = AddProbe(*form, "a", Bounds(10, 10, 50, 50), clRed);
    AddProbe(*form, "b", Bounds(100, 10, 50, 50), clGreen);
    THeadlessWindow& w = WindowOf(*form);
    int clicks = 0;
    a->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, a);
        ++clicks;
    };

    host.MouseMove(w, 20, 20);
    host.MouseDown(w, 20, 20);
    EXPECT_TRUE(a->MouseCapture());
    EXPECT_TRUE(w.Captured());
    Take();
    host.MouseMove(w, 120, 20);  // over b, and then outside the window
    host.MouseMove(w, 500, -30);
    host.MouseUp(w, 500, -30);
    EXPECT_EQ(Take("move"), (Lines{"move a 110,10", "move a 490,-40"}));
    EXPECT_EQ(clicks, 0) << "released outside the control";
    EXPECT_FALSE(w.Captured());
    EXPECT_EQ(form->MouseControl(), nullptr) << "the pointer is outside the window";

    host.MouseMove(w, 20, 20);
    host.Click(w, 20, 20);
    EXPECT_EQ(clicks, 1);
    // The click comes before the release event, as controls expect.
    EXPECT_EQ(Take("down"), (Lines{"down a 10,10"}));

    host.MouseDown(w, 120, 20);  // pressed on b, released on a: nobody clicks
    host.MouseUp(w, 20, 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Take("click").empty());
}

TEST_F(ControlMouse, CaptureReleaseTellsTheControl) {
    struct TCaptureProbe : TWinProbe {
        using TWinProbe::TWinProbe;
        int lost = 0;
        void CaptureLost() override { ++lost; }
    };
    auto form = MakeShownForm(200, 150);
    auto* a = AddProbe<TCaptureProbe>(*form, "a", Bounds(10, 10, 50, 50), clRed);
    THeadlessWindow& w = WindowOf(*form);
    host.MouseDown(w, 20, 20);
    a->SetMouseCapture(false);  // a size grip hands the drag to the window frame like this
    EXPECT_EQ(a->lost, 1);
    EXPECT_FALSE(w.Captured());
    host.MouseUp(w, 20, 20);
    EXPECT_EQ(a->lost, 1);
}

TEST_F(ControlMouse, DisabledControlsGetNoMouseButStillTrackHover) {
    auto form = MakeShownForm(200, 150);
    auto* panel = AddProbe(*form, "panel", Bounds(10, 10, 100, 100), clSilver);
    auto* inner = AddProbe(*panel, "inner", Bounds(10, 10, 20, 20), clRed);
    panel->SetEnabled(false);
    THeadlessWindow& w = WindowOf(*form);
    int clicks = 0;
    inner->OnClick = [&](TObject*) { ++clicks; };
    host.Advance(1);
    Take();
    host.MouseMove(w, 25, 25);
    host.Click(w, 25, 25);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Take(), (Lines{"enter inner"}));
    EXPECT_FALSE(inner->MouseCapture());
}

TEST_F(ControlMouse, DoubleClickAndWheelBubbling) {
    auto form = MakeShownForm(200, 150);
    auto* outer = AddProbe(*form, "outer", Bounds(0, 0, 200, 150), clSilver);
    auto* inner = AddProbe(*outer, "inner", Bounds(10, 10, 50, 50), clRed);
    THeadlessWindow& w = WindowOf(*form);

    host.DoubleClick(w, 20, 20);
    EXPECT_EQ(Take("d"), (Lines{"down inner 10,10", "dblclick inner", "down inner 10,10 double"}));

    outer->takeWheel = true;
    host.Wheel(w, 20, 20, -2);
    EXPECT_EQ(Take("wheel"), (Lines{"wheel inner -240", "wheel outer -240"}));
    inner->takeWheel = true;
    host.Wheel(w, 20, 20, 1);
    EXPECT_EQ(Take("wheel"), (Lines{"wheel inner 120"}));
}

TEST_F(ControlMouse, CursorFollowsTheControlAndItsParents) {
    auto form = MakeShownForm(200, 150);
    auto* panel = AddProbe(*form, "panel", Bounds(0, 0, 100, 100), clSilver);
    auto* inner = AddProbe(*panel, "inner", Bounds(10, 10, 40, 40), clRed);
    auto* link = AddProbe<TGraphicProbe>(*form, "link", Bounds(120, 10, 40, 20), clBlue);
    panel->SetCursor(crSizeNWSE);
    RegisterCursor(26000, crHandPoint);
    link->SetCursor(26000);
    THeadlessWindow& w = WindowOf(*form);

    host.MouseMove(w, 150, 120);
    EXPECT_EQ(w.Cursor(), crArrow);
    host.MouseMove(w, 20, 20);
    EXPECT_EQ(w.Cursor(), crSizeNWSE) << "inner has no cursor of its own";
    inner->SetCursor(crIBeam);
    EXPECT_EQ(w.Cursor(), crIBeam) << "a new cursor shows at once under the mouse";
    inner->cursorRight = crSizeAll;
    host.MouseMove(w, 45, 20);
    EXPECT_EQ(w.Cursor(), crSizeAll);
    host.MouseMove(w, 130, 15);
    EXPECT_EQ(w.Cursor(), crHandPoint);
}

TEST_F(ControlMouse, DestroyedControlsAreForgotten) {
    auto form = MakeShownForm(200, 150);
    auto* a = AddProbe(*form, "a", Bounds(10, 10, 50, 50), clRed);
    THeadlessWindow& w = WindowOf(*form);
    host.MouseMove(w, 20, 20);
    host.MouseDown(w, 20, 20);
    a->SetFocus();
    auto owned = form->RemoveControl(a);
    owned.reset();
    EXPECT_EQ(form->MouseControl(), nullptr);
    EXPECT_EQ(form->CaptureControl(), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    host.MouseMove(w, 25, 25);
    host.MouseUp(w, 25, 25);
    host.PressKey(vkSpace);
}

}  // namespace

namespace {

// A control with a size grip in its bottom-right corner, as a status bar has.
class TGripProbe : public TWinProbe {
  public:
    using TWinProbe::TWinProbe;

  protected:
    TFrameHit FrameHitAt(TPoint p) const override {
        return p.X >= Width() - 13 ? fhSizeBottomRight : fhClient;
    }
};

TEST_F(ControlMouse, ASizeGripHandsThePressToTheFrameOfASizeableWindow) {
    auto form = MakeShownForm(200, 150);
    auto* bar = AddProbe<TGripProbe>(*form, "bar", Bounds(0, 131, 200, 19), clSilver);
    bar->SetAlign(alBottom);
    THeadlessWindow& w = WindowOf(*form);
    Take();
    host.MouseDown(w, 195, 140);
    host.MouseMove(w, 225, 160);
    host.MouseUp(w, 225, 160);
    EXPECT_TRUE(Take("down").empty()) << "the grip's press reached the control";
    EXPECT_EQ(form->ClientWidth(), 230);
    EXPECT_EQ(form->ClientHeight(), 170);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 151, 230, 19));

    form->SetBorderStyle(bsDialog);  // a fixed window has no sizing: the control gets it
    host.MouseDown(w, 225, 160);
    host.MouseUp(w, 225, 160);
    EXPECT_EQ(Take("down"), (Lines{"down bar 225,9"}));
    EXPECT_EQ(form->ClientWidth(), 230);
}

}  // namespace

namespace {

// Labels do not take the mouse capture, so a release lands on whatever lies under it.
TEST_F(ControlMouse, AReleaseAfterAPressElsewhereClicksNothing) {
    auto form = MakeShownForm(200, 150);
    int clicksA = 0, clicksB = 0;
    auto label = [&](int left, int& clicks) {
        auto* l = form->InsertControl(std::make_unique<TLabel>());
        l->SetAutoSize(false);
        l->SetBounds(left, 10, 50, 20);
        l->SetCaption("label");
        l->OnClick = [&clicks](TObject*) { ++clicks; };
        return l;
    };
    label(10, clicksA);
    label(100, clicksB);
    THeadlessWindow& w = WindowOf(*form);
    host.MouseDown(w, 20, 15);   // on a
    host.MouseUp(w, 110, 15);    // on b
    host.MouseDown(w, 20, 100);  // on the form
    host.MouseUp(w, 20, 15);     // on a
    EXPECT_EQ(clicksA, 0);
    EXPECT_EQ(clicksB, 0);
    host.Advance(1000);
    host.Click(w, 20, 15);
    EXPECT_EQ(clicksA, 1) << "pressed and released on the same label";
}

}  // namespace
