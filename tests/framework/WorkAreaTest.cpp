#include "HeadlessApp.h"
#include "framework/HintWindow.h"

namespace {

// A screen whose usable area starts away from (0, 0), as with a task bar at the top and left:
// centring and hint placement must measure from the area, not from the screen's corner.
class WorkArea : public ::testing::Test {
  protected:
    static constexpr TRect kArea{100, 40, 900, 640};
    THeadlessHost host{kArea};
    TApplication app{host};
    std::vector<std::string> log;

    std::unique_ptr<TForm> ShownForm(TPosition position, int w, int h) {
        auto form = MakeForm<TForm>();
        form->SetPosition(position);
        form->SetClientWidth(w);
        form->SetClientHeight(h);
        form->Show();
        return form;
    }
    THeadlessWindow& WindowOf(const TForm& form) {
        return *static_cast<THeadlessWindow*>(form.HostWindow());
    }
    // The screen rectangle of the hint shown for a control filling the form, with the mouse
    // at a client point.
    TRect HintAt(TForm& form, TPoint client) {
        auto* target =
            form.InsertControl(std::make_unique<TProbeOf<TCustomControl>>(log, "target", clSilver));
        target->SetBoundsRect(form.ClientRect());
        target->SetHint("a hint long enough to need some room on the screen");
        target->SetShowHint(true);
        host.MouseMove(WindowOf(form), client.X, client.Y);
        host.Advance(500);
        EXPECT_TRUE(app.Hints().Showing());
        auto* win = app.Hints().Window();
        return win ? WindowOf(*win).ClientBounds() : TRect{};
    }
};

TEST_F(WorkArea, FormsAreCentredInTheWorkArea) {
    for (TPosition p : {poScreenCenter, poDesktopCenter}) {
        auto form = ShownForm(p, 400, 300);
        EXPECT_EQ(form->Left(), 100 + (800 - form->Width()) / 2);
        EXPECT_EQ(form->Top(), 40 + (600 - form->Height()) / 2);
    }
    // Larger than the area: centred all the same, overlapping both edges evenly.
    auto big = ShownForm(poScreenCenter, 1000, 700);
    EXPECT_EQ(big->Left(), 100 + (800 - big->Width()) / 2);
    EXPECT_LT(big->Left(), 100);
}

TEST_F(WorkArea, HintsStayInsideTheWorkAreaAtEveryEdge) {
    struct TCase {
        TPoint FormAt;
        TPoint Mouse;
    } cases[] = {{{20, -40}, {5, 2}},      // left of and above the area
                 {{760, 560}, {120, 60}},  // right of and below it
                 {{300, 300}, {20, 20}}};  // well inside: just below the cursor
    for (const TCase& c : cases) {
        auto form = ShownForm(poDesigned, 150, 80);
        form->SetBounds(c.FormAt.X, c.FormAt.Y, form->Width(), form->Height());
        TRect hint = HintAt(*form, c.Mouse);
        ASSERT_FALSE(hint.IsEmpty());
        EXPECT_GE(hint.Left, kArea.Left);
        EXPECT_GE(hint.Top, kArea.Top);
        EXPECT_LE(hint.Right, kArea.Right);
        EXPECT_LE(hint.Bottom, kArea.Bottom);
        TPoint cursor = host.CursorPos();
        if (c.FormAt.X == 300) {
            EXPECT_EQ(hint.Left, cursor.X);
            EXPECT_EQ(hint.Top, cursor.Y + host.CursorHeight());
        } else if (c.FormAt.X == 20) {
            EXPECT_EQ(hint.Left, kArea.Left);
            EXPECT_EQ(hint.Top, kArea.Top);
        } else {
            // No room below the cursor: the hint sits right above it, clear of the pointer
            // (here the cursor is below the area, so the hint rests on the area's edge).
            EXPECT_EQ(hint.Right, kArea.Right);
            EXPECT_EQ(hint.Bottom, std::min(cursor.Y, kArea.Bottom));
            EXPECT_GT(cursor.Y, kArea.Bottom);
        }
        host.MouseLeave(WindowOf(*form));
        host.Advance(3000);
    }
}

}  // namespace
