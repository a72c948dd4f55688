#include "HeadlessApp.h"

namespace {

class PaintOrder : public HeadlessApp {};

TEST_F(PaintOrder, PresentedFrameShowsFormChildrenAndWindowlessControls) {
    auto form = MakeShownForm(200, 150, clWhite);
    AddProbe(*form, "win", Bounds(10, 10, 40, 30), clRed);
    AddProbe<TGraphicProbe>(*form, "graphic", Bounds(60, 10, 20, 20), clBlue);
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(0, 0), clWhite);
    EXPECT_EQ(w.PixelColor(10, 10), clRed);
    EXPECT_EQ(w.PixelColor(49, 39), clRed);
    EXPECT_EQ(w.PixelColor(50, 40), clWhite);
    EXPECT_EQ(w.PixelColor(60, 10), clBlue);
    EXPECT_EQ(w.PixelColor(80, 10), clWhite);
}

TEST_F(PaintOrder, OnlyWhatWasInvalidatedIsRepaintedAndPresented) {
    auto form = MakeShownForm();
    auto* a = AddProbe(*form, "a", Bounds(10, 10, 40, 30), clRed);
    auto* b = AddProbe(*form, "b", Bounds(100, 10, 40, 30), clGreen);
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    int presents = w.PresentCount();
    int aPaints = a->Paints();
    int bPaints = b->Paints();

    host.Advance(5000);
    EXPECT_EQ(w.PresentCount(), presents) << "an idle window presented again";
    EXPECT_EQ(a->Paints(), aPaints);

    a->SetFill(clYellow);
    host.Advance(1);
    EXPECT_EQ(a->Paints(), aPaints + 1);
    EXPECT_EQ(b->Paints(), bPaints);
    EXPECT_EQ(w.PresentCount(), presents + 1);
    EXPECT_EQ(w.LastPresentBounds(), Bounds(10, 10, 40, 30));
    EXPECT_EQ(w.PixelColor(20, 20), clYellow);

    // A part of a control: only that part is painted.
    b->InvalidateRect(Bounds(5, 5, 10, 10));
    b->Update();
    EXPECT_EQ(b->LastClip(), Bounds(5, 5, 10, 10));
    EXPECT_EQ(w.LastPresentBounds(), Bounds(105, 15, 10, 10));
}

TEST_F(PaintOrder, FrontToBackWithChildrenAndSiblingsClipped) {
    auto form = MakeShownForm(200, 150, clWhite);
    auto* parent = AddProbe(*form, "parent", Bounds(0, 0, 200, 150), clSilver);
    AddProbe(*parent, "child", Bounds(10, 10, 50, 50), clRed);
    AddProbe<TGraphicProbe>(*parent, "graphic", Bounds(100, 10, 20, 20), clBlue);
    auto* front = AddProbe(*parent, "front", Bounds(40, 40, 50, 50), clGreen);
    host.Advance(1);
    Take();

    parent->Invalidate();
    host.Advance(1);
    // Windowed controls paint front to back, each clipped to what is left; windowless ones
    // paint on their parent after it.
    EXPECT_EQ(Take("paint"),
              (Lines{"paint front", "paint child", "paint parent", "paint graphic"}));
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(45, 45), clGreen) << "the front sibling covers the one behind";
    EXPECT_EQ(w.PixelColor(15, 15), clRed) << "the parent painted over its child";
    EXPECT_EQ(w.PixelColor(5, 5), clSilver);
    EXPECT_EQ(w.PixelColor(105, 15), clBlue);

    // Repainting the back sibling repaints only the overlap of the front one.
    auto* child = static_cast<TWinProbe*>(parent->FindChildControl("child"));
    child->Invalidate();
    host.Advance(1);
    EXPECT_EQ(front->LastClip(), Bounds(0, 0, 20, 20));
    EXPECT_EQ(w.PixelColor(45, 45), clGreen);
}

TEST_F(PaintOrder, WindowedControlsStayAboveWindowlessSiblings) {
    auto form = MakeShownForm(200, 150, clWhite);
    AddProbe(*form, "win", Bounds(10, 10, 40, 40), clRed);
    auto* g = AddProbe<TGraphicProbe>(*form, "graphic", Bounds(30, 30, 40, 40), clBlue);
    g->BringToFront();
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);
    EXPECT_EQ(w.PixelColor(35, 35), clRed);
    EXPECT_EQ(w.PixelColor(60, 60), clBlue);
}

TEST_F(PaintOrder, SendToBackAndBringToFrontMoveOneSiblingToAnEnd) {
    auto form = MakeShownForm(200, 150, clWhite);
    auto* a = AddProbe(*form, "a", Bounds(10, 10, 40, 40), clRed);
    auto* b = AddProbe(*form, "b", Bounds(20, 20, 40, 40), clGreen);
    auto* c = AddProbe(*form, "c", Bounds(30, 30, 40, 40), clBlue);
    const auto order = [&] {
        std::vector<TControl*> list;
        for (int i = 0; i < form->ControlCount(); ++i) list.push_back(form->Controls(i));
        return list;
    };
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);

    b->SendToBack();
    EXPECT_EQ(order(), (std::vector<TControl*>{b, a, c}));
    c->SendToBack();
    EXPECT_EQ(order(), (std::vector<TControl*>{c, b, a}));
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(35, 35), clRed) << "the front sibling covers the others";

    c->BringToFront();
    EXPECT_EQ(order(), (std::vector<TControl*>{b, a, c}));
    b->BringToFront();
    EXPECT_EQ(order(), (std::vector<TControl*>{a, c, b}));
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(35, 35), clGreen);
    EXPECT_EQ(w.PixelColor(65, 65), clBlue);

    b->BringToFront();  // already in front: the order stays
    EXPECT_EQ(order(), (std::vector<TControl*>{a, c, b}));
}

TEST_F(PaintOrder, HidingMovingAndRemovingRepaintTheUncoveredArea) {
    auto form = MakeShownForm(200, 150, clWhite);
    auto* a = AddProbe(*form, "a", Bounds(10, 10, 40, 30), clRed);
    host.Advance(1);
    THeadlessWindow& w = WindowOf(*form);

    a->Hide();
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(20, 20), clWhite);
    int paints = a->Paints();
    a->Invalidate();  // a hidden control has nothing to repaint
    host.Advance(1);
    EXPECT_EQ(a->Paints(), paints);

    a->Show();
    a->SetBounds(100, 100, 20, 20);
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(20, 20), clWhite);
    EXPECT_EQ(w.PixelColor(105, 105), clRed);

    auto removed = form->RemoveControl(a);
    ASSERT_EQ(removed.get(), a);
    EXPECT_EQ(removed->Parent(), nullptr);
    host.Advance(1);
    EXPECT_EQ(w.PixelColor(105, 105), clWhite);
}

TEST_F(PaintOrder, ExposeRepresentsWithoutRepainting) {
    auto form = MakeShownForm(100, 80);
    auto* a = AddProbe(*form, "a", Bounds(0, 0, 100, 80), clRed);
    host.Advance(1);
    int paints = a->Paints();
    THeadlessWindow& w = WindowOf(*form);
    w.Events().HostExposed();
    EXPECT_EQ(a->Paints(), paints);
    EXPECT_EQ(w.LastPresentBounds(), Bounds(0, 0, 100, 80));
}

}  // namespace
