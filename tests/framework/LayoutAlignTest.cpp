#include "HeadlessApp.h"

namespace {

class LayoutAlign : public HeadlessApp {};

// A container whose children are aligned inside a margin, as bordered panels do.
class TInsetBox : public TCustomControl {
  public:
    explicit TInsetBox(int inset) : TCustomControl(nullptr), inset_(inset) {}

  protected:
    void AdjustClientRect(TRect& r) const override { r = r.Inflate(-inset_, -inset_); }

  private:
    int inset_;
};

TEST_F(LayoutAlign, DocksStackInPositionOrderAndClientTakesTheRest) {
    auto form = MakeShownForm(300, 200);
    auto* top2 = AddProbe(*form, "top2", Bounds(0, 50, 10, 20), clRed);
    auto* top1 = AddProbe(*form, "top1", Bounds(0, 10, 10, 30), clRed);
    auto* bottom = AddProbe(*form, "bottom", Bounds(0, 0, 10, 19), clRed);
    auto* left = AddProbe(*form, "left", Bounds(0, 0, 40, 10), clRed);
    auto* right = AddProbe(*form, "right", Bounds(0, 0, 25, 10), clRed);
    auto* client = AddProbe(*form, "client", Bounds(0, 0, 1, 1), clRed);
    form->DisableAlign();
    for (auto [c, a] : {std::pair{top2, alTop},
                        {top1, alTop},
                        {bottom, alBottom},
                        {left, alLeft},
                        {right, alRight},
                        {client, alClient}})
        c->SetAlign(a);
    form->EnableAlign();

    EXPECT_EQ(top1->BoundsRect(), Bounds(0, 0, 300, 30));
    EXPECT_EQ(top2->BoundsRect(), Bounds(0, 30, 300, 20));
    EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 181, 300, 19));
    EXPECT_EQ(left->BoundsRect(), Bounds(0, 50, 40, 131));
    EXPECT_EQ(right->BoundsRect(), Bounds(275, 50, 25, 131));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 50, 275, 181));
}

TEST_F(LayoutAlign, ResizeHidingAndInsetsRealign) {
    auto form = MakeShownForm(300, 200);
    auto* top = AddProbe(*form, "top", Bounds(0, 0, 10, 60), clRed);
    auto* client = AddProbe(*form, "client", Bounds(0, 0, 1, 1), clRed);
    top->SetAlign(alTop);
    client->SetAlign(alClient);

    host.Resize(WindowOf(*form), 400, 100);
    EXPECT_EQ(form->ClientWidth(), 400);
    EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 400, 60));
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 60, 400, 40));

    top->Hide();
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, 400, 100));
    top->Show();
    EXPECT_EQ(client->BoundsRect(), Bounds(0, 60, 400, 40));

    auto* box = form->InsertControl(std::make_unique<TInsetBox>(5));
    box->SetBounds(0, 0, 100, 80);
    auto* inner = AddProbe(*box, "inner", Bounds(0, 0, 1, 1), clRed);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Bounds(5, 5, 90, 70));
    box->SetBounds(0, 0, 50, 50);
    EXPECT_EQ(inner->BoundsRect(), Bounds(5, 5, 40, 40));
}

// Each kind of size change on its own (width only, height only, both) re-aligns the docked
// children and gives the form a back buffer of the new client size.
TEST_F(LayoutAlign, EveryKindOfResizeRealignsAndResizesTheBackBuffer) {
    auto form = MakeShownForm(300, 200);
    auto* bottom = AddProbe(*form, "bottom", Bounds(0, 0, 10, 19), clRed);
    auto* client = AddProbe(*form, "client", Bounds(0, 0, 1, 1), clBlue);
    bottom->SetAlign(alBottom);
    client->SetAlign(alClient);
    const TSize sizes[] = {{300, 260}, {340, 260}, {200, 120}, {200, 121}, {201, 121}};
    for (TSize s : sizes) {
        host.Resize(WindowOf(*form), s.cx, s.cy);
        EXPECT_EQ(bottom->BoundsRect(), Bounds(0, s.cy - 19, s.cx, 19)) << s.cx << "x" << s.cy;
        EXPECT_EQ(client->BoundsRect(), Bounds(0, 0, s.cx, s.cy - 19)) << s.cx << "x" << s.cy;
        host.Advance(20);
        const TPixelBuffer& shown = WindowOf(*form).Pixels();
        ASSERT_EQ(shown.Width(), s.cx);
        ASSERT_EQ(shown.Height(), s.cy);
        EXPECT_EQ(WindowOf(*form).PixelColor(s.cx - 1, s.cy - 1), clRed);
        EXPECT_EQ(WindowOf(*form).PixelColor(s.cx - 1, s.cy - 20), clBlue);
    }
    // Through the form's own setter as well as through the host.
    form->SetClientHeight(90);
    EXPECT_EQ(bottom->Top(), 71);
    EXPECT_EQ(client->Height(), 71);
}

TEST_F(LayoutAlign, SuspendedAlignmentRunsOnceWhenResumed) {
    auto form = MakeShownForm(300, 200);
    auto* a = AddProbe(*form, "a", Bounds(0, 0, 30, 10), clRed);
    auto* b = AddProbe(*form, "b", Bounds(100, 0, 30, 10), clRed);
    form->DisableAlign();
    a->SetAlign(alLeft);
    b->SetAlign(alLeft);
    EXPECT_EQ(a->Left(), 0);
    EXPECT_EQ(b->Left(), 100) << "moved while alignment was suspended";
    form->EnableAlign();
    EXPECT_EQ(b->BoundsRect(), Bounds(30, 0, 30, 200));
}

TEST_F(LayoutAlign, DocksLargerThanTheParentCollapseToZeroWithoutFailing) {
    auto form = MakeShownForm(50, 40);
    auto* top = AddProbe(*form, "top", Bounds(0, 0, 10, 100), clRed);
    auto* client = AddProbe(*form, "client", Bounds(0, 0, 1, 1), clRed);
    top->SetAlign(alTop);
    client->SetAlign(alClient);
    EXPECT_EQ(client->Width(), 50);
    EXPECT_EQ(client->Height(), 0);

    host.Resize(WindowOf(*form), 0, 0);
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 0, 0));
    EXPECT_EQ(top->Width(), 0);
    host.Advance(10);  // a zero-size window paints nothing and must not fail
    host.Resize(WindowOf(*form), -20, -5);
    EXPECT_EQ(form->ClientWidth(), 0);

    // Absurd sizes are cut down instead of allocating without end or overflowing edges.
    host.Resize(WindowOf(*form), 2'000'000'000, 2'000'000'000);
    EXPECT_LE(form->Width(), 8192);
    top->SetBounds(2'147'483'000, -2'147'483'000, 2'147'483'000, 5);
    EXPECT_GT(top->BoundsRect().Right, top->BoundsRect().Left);
    host.Advance(10);
}

}  // namespace

namespace {

TEST_F(LayoutAlign, BottomDocksKeepTheirOrderThroughResizes) {
    auto form = MakeShownForm(300, 200);
    auto* status = AddProbe(*form, "status", Bounds(0, 0, 10, 19), clRed);
    auto* tools = AddProbe(*form, "tools", Bounds(0, 0, 10, 30), clRed);
    status->SetAlign(alBottom);
    tools->SetAlign(alBottom);  // docked second: above the first
    ASSERT_EQ(status->BoundsRect(), Bounds(0, 181, 300, 19));
    ASSERT_EQ(tools->BoundsRect(), Bounds(0, 151, 300, 30));
    for (int height : {260, 120, 200}) {
        host.Resize(WindowOf(*form), 300, height);
        EXPECT_EQ(status->BoundsRect(), Bounds(0, height - 19, 300, 19)) << height;
        EXPECT_EQ(tools->BoundsRect(), Bounds(0, height - 49, 300, 30)) << height;
    }
}

}  // namespace
