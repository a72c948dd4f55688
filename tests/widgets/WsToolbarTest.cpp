#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/HeadlessApp.h"
#include "framework/Label.h"
#include "graphics/Bitmap.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsColorSets.h"
#include "widgets/WsSpacer.h"
#include "widgets/WsToolButton.h"
#include "widgets/WsToolbar.h"

namespace {

// A button that counts how often it is moved or sized.
class TCountingButton : public TWsToolButton {
  public:
    using TWsToolButton::TWsToolButton;
    int boundsSets = 0;
    int paints = 0;
    void SetBounds(int left, int top, int width, int height) override {
        if (left != Left() || top != Top() || width != Width() || height != Height()) ++boundsSets;
        TWsToolButton::SetBounds(left, top, width, height);
    }

  protected:
    void Paint(TCanvas& canvas) override {
        ++paints;
        TWsToolButton::Paint(canvas);
    }
};

TPixelBuffer SolidGlyph(TColor color) {
    return TPixelBuffer(32, 32, ColorToPixel(color));
}

// A window laid out like the program's: five 80 x 60 buttons (the help button hidden), three
// grooved 25 x 50 spacers and an 82 x 14 label on a gradient bar that sizes itself.
class WsToolbarWindow : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWsToolbar* bar = nullptr;
    TImageList* images = nullptr;
    std::vector<TCountingButton*> buttons;  // refresh, help, about, update, home, exit
    std::vector<TWsSpacer*> spacers;
    TLabel* version = nullptr;
    std::vector<std::string> clicks;

    void SetUp() override { Build(673, true); }

    void Build(int clientWidth, bool hideHelp) {
        buttons.clear();
        spacers.clear();
        form.reset();
        {
            TComponent::TLoadingScope loading;
            form = std::make_unique<TForm>();
            form->SetColor(clWindow);
            form->SetClientWidth(clientWidth);
            form->SetClientHeight(200);
            TFont arial;
            arial.SetName("Arial");
            arial.SetHeight(-11);
            form->SetFont(arial);
            images = form->Own(std::make_unique<TImageList>(form.get(), 32, 32));
            for (TColor c : {clRed, clBlue, clNavy, clGreen, clTeal, clMaroon})
                images->Add(SolidGlyph(c));
            bar = form->InsertControl(std::make_unique<TWsToolbar>(form.get()));
            bar->SetName("Bar");
            bar->SetBounds(0, 0, clientWidth, 60);
            bar->SetAutoSize(true);
            bar->SetAutoStyle(false);
            bar->SetBorderSides({sdTop, sdBottom});
            bar->SetVisualStyle(vsGradient);
            bar->SetImages(images);
            bar->SetShowButtonCaptions(true);
            const char* names[] = {"Refresh", "Help", "About", "Update", "Home", "Exit"};
            const char* captions[] = {"刷新(&R)", "帮助(&H)", "关于(&A)",
                                      "升级(&U)", "主页(&H)", "退出(&E)"};
            for (int i = 0; i < 6; ++i) {
                auto* b = bar->InsertControl(std::make_unique<TCountingButton>(form.get()));
                b->SetName(names[i]);
                b->SetUseToolbarButtonSize(false);
                b->SetBounds(500 - 80 * i, 0, 80, 60);  // placed anywhere: the order decides
                b->SetLayout(blGlyphTop);
                b->SetImageIndex(i);
                b->SetCaption(captions[i]);
                b->OnClick = [this, i, names](TObject*) { clicks.push_back(names[i]); };
                buttons.push_back(b);
            }
            if (hideHelp) buttons[1]->Hide();
            for (int i = 0; i < 3; ++i) {
                auto* s = bar->InsertControl(std::make_unique<TWsSpacer>(form.get()));
                s->SetName("Spacer" + std::to_string(i + 1));
                s->SetBounds(0, 0, 25, 50);
                s->SetGrooved(true);
                spacers.push_back(s);
            }
            version = bar->InsertControl(std::make_unique<TLabel>(form.get()));
            version->SetName("Version");
            version->SetAutoSize(false);
            version->SetBounds(0, 0, 82, 14);
            version->SetTransparent(true);
            version->SetCaption("版本 2.9");
            bar->SetToolbarControlNames({"Refresh", "Spacer1", "Help", "About", "Spacer2", "Update",
                                         "Home", "Spacer3", "Exit", "Version", "NoSuchControl"});
        }
        form->FinishCreate();
        form->Show();
    }
    THeadlessWindow& Window() { return WindowOf(*form); }
    TPoint Centre(const TControl* c) {
        const TPoint o = c->FormOrigin();
        return {o.X + c->Width() / 2, o.Y + c->Height() / 2};
    }
};

std::vector<int> Lefts(const std::vector<TCountingButton*>& buttons) {
    std::vector<int> lefts;
    for (const auto* b : buttons) lefts.push_back(b->Left());
    return lefts;
}

TEST_F(WsToolbarWindow, LaysTheControlsOutInTheStoredOrder) {
    EXPECT_EQ(bar->ToolbarControls().Count(), 10);  // the unknown name is dropped
    EXPECT_EQ(bar->Height(), 60);
    // The hidden help button takes no room.
    const std::vector<int> expected = {4, buttons[1]->Left(), 109, 214, 294, 399};
    EXPECT_EQ(Lefts(buttons), expected);
    for (const auto* b : buttons) {
        if (!b->Visible()) continue;
        EXPECT_EQ(b->Top(), 0) << b->Name();
    }
    EXPECT_EQ(spacers[0]->BoundsRect(), Bounds(84, 5, 25, 50));
    EXPECT_EQ(spacers[1]->BoundsRect(), Bounds(189, 5, 25, 50));
    EXPECT_EQ(spacers[2]->BoundsRect(), Bounds(374, 5, 25, 50));
    EXPECT_EQ(version->BoundsRect(), Bounds(479, 23, 82, 14));

    // Showing the help button again puts it back in its place and moves the rest on.
    buttons[1]->Show();
    EXPECT_EQ(buttons[1]->Left(), 109);
    EXPECT_EQ(buttons[2]->Left(), 189);
    EXPECT_EQ(version->Left(), 559);
    buttons[1]->Hide();
    EXPECT_EQ(buttons[2]->Left(), 109);
}

TEST_F(WsToolbarWindow, WrapsTheLastControlBelow565PixelsAndGrows) {
    host.Resize(Window(), 565, 200);
    EXPECT_EQ(bar->Height(), 60);
    EXPECT_EQ(version->BoundsRect().TopLeft(), (TPoint{479, 23}));
    host.Resize(Window(), 564, 200);
    EXPECT_EQ(version->BoundsRect(), Bounds(4, 48, 82, 14));
    EXPECT_EQ(bar->Height(), 62);
    EXPECT_EQ(buttons[0]->Top(), 0);
    // The control below the bar moves down with it (the form re-aligns).
    host.Resize(Window(), 673, 200);
    EXPECT_EQ(bar->Height(), 60);
    EXPECT_EQ(version->BoundsRect().TopLeft(), (TPoint{479, 23}));
}

TEST_F(WsToolbarWindow, ALayoutPassMovesEachControlOnceAndOnlyWhenItChanges) {
    for (auto* b : buttons) b->boundsSets = 0;
    const int passes = bar->LayoutPasses();
    bar->LayoutControls();
    EXPECT_EQ(bar->LayoutPasses(), passes + 1);
    for (const auto* b : buttons) EXPECT_EQ(b->boundsSets, 0) << b->Name();
    // Moving one button by hand asks for a layout that puts it back, once.
    buttons[3]->SetLeft(300);
    EXPECT_EQ(buttons[3]->Left(), 214);
    EXPECT_EQ(buttons[3]->boundsSets, 2);  // the hand move and the one move back
    for (int i : {0, 2, 4, 5}) EXPECT_EQ(buttons[i]->boundsSets, 0) << buttons[i]->Name();
}

TEST_F(WsToolbarWindow, GrooveRowsAndShadingOfTheBar) {
    const THeadlessWindow& w = Window();
    for (int x : {0, 90, 300, 672}) {
        EXPECT_EQ(w.PixelColor(x, 0), ColorToRGB(clBtnShadow)) << x;
        EXPECT_EQ(w.PixelColor(x, 1), ColorToRGB(clBtnHighlight)) << x;
        EXPECT_EQ(w.PixelColor(x, 58), ColorToRGB(clBtnShadow)) << x;
        EXPECT_EQ(w.PixelColor(x, 59), ColorToRGB(clBtnHighlight)) << x;
    }
    // Rows 2 to 57 run from about the window colour down to the darkened face.
    EXPECT_EQ(w.PixelColor(650, 57), Darken(clBtnFace, 10));
    EXPECT_GE(GetRValue(w.PixelColor(650, 2)), 253u);
    for (int y = 3; y < 58; ++y)
        EXPECT_LE(GetRValue(w.PixelColor(650, y)), GetRValue(w.PixelColor(650, y - 1))) << y;
    // The spacer's groove: columns 11 and 12, rows 1 to 49 of the spacer.
    EXPECT_EQ(w.PixelColor(95, 6), ColorToRGB(clBtnShadow));
    EXPECT_EQ(w.PixelColor(96, 6), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(w.PixelColor(95, 54), ColorToRGB(clBtnShadow));
    EXPECT_NE(w.PixelColor(95, 5), ColorToRGB(clBtnShadow));
    EXPECT_NE(w.PixelColor(95, 55), ColorToRGB(clBtnShadow));
    EXPECT_NE(w.PixelColor(94, 30), ColorToRGB(clBtnShadow));
}

TEST_F(WsToolbarWindow, HoverHighlightsPressInvertsReleaseInsideClicksOnce) {
    TCountingButton* about = buttons[2];
    const TPoint c = Centre(about);
    const TSelectionColors sel = SelectionShadeColors(TDisplaySettings{}, gcsSystem);
    host.MouseMove(Window(), c.X, c.Y);
    EXPECT_TRUE(about->PointerOver());
    const THeadlessWindow& w = Window();
    // Only the hovered button was repainted.
    EXPECT_EQ(w.LastPresentBounds(), about->BoundsRect());
    const int l = about->Left();
    EXPECT_EQ(w.PixelColor(l, 30), ColorToRGB(clHighlight));
    EXPECT_EQ(w.PixelColor(l + 79, 30), ColorToRGB(clHighlight));
    EXPECT_EQ(w.PixelColor(l + 40, 0), ColorToRGB(clHighlight));
    EXPECT_EQ(w.PixelColor(l + 40, 59), ColorToRGB(clHighlight));
    // Lighter at the top; the bottom row inside the frame is the stop colour.
    EXPECT_EQ(w.PixelColor(l + 3, 58), sel.Stop);
    EXPECT_GT(GetRValue(w.PixelColor(l + 3, 1)), GetRValue(w.PixelColor(l + 3, 58)));

    host.MouseDown(Window(), c.X, c.Y);
    EXPECT_EQ(about->ToolButtonState(), tbsDown);
    EXPECT_EQ(w.PixelColor(l + 3, 58), sel.Start) << "pressed, the shading turns upside down";
    EXPECT_LT(GetRValue(w.PixelColor(l + 3, 1)), GetRValue(w.PixelColor(l + 3, 58)));
    EXPECT_TRUE(clicks.empty());

    host.MouseUp(Window(), c.X, c.Y);
    EXPECT_EQ(clicks, (std::vector<std::string>{"About"}));
    EXPECT_EQ(about->ToolButtonState(), tbsUp);
    EXPECT_TRUE(about->PointerOver());  // still under the pointer: highlighted again
    EXPECT_EQ(w.PixelColor(l, 30), ColorToRGB(clHighlight));
}

TEST_F(WsToolbarWindow, ReleaseOutsideClicksNothingAndTheCaptureSurvivesLeaving) {
    TCountingButton* update = buttons[3];
    const TPoint c = Centre(update);
    host.MouseMove(Window(), c.X, c.Y);
    host.MouseDown(Window(), c.X, c.Y);
    host.MouseMove(Window(), c.X, 150);  // off the button, below the bar
    EXPECT_EQ(update->ToolButtonState(), tbsUp);
    EXPECT_FALSE(update->PointerOver());
    EXPECT_TRUE(update->PressActive());
    host.MouseMove(Window(), c.X, c.Y);  // back in while still pressed
    EXPECT_EQ(update->ToolButtonState(), tbsDown);
    host.MouseMove(Window(), c.X, 150);
    host.MouseUp(Window(), c.X, 150);
    EXPECT_TRUE(clicks.empty());
    EXPECT_FALSE(update->PressActive());
    EXPECT_FALSE(update->PointerOver());
    const int l = update->Left();
    EXPECT_NE(Window().PixelColor(l, 30), ColorToRGB(clHighlight));  // unhighlighted
}

TEST_F(WsToolbarWindow, OtherButtonsAndDisabledButtonsDoNotPress) {
    TCountingButton* exit = buttons[5];
    const TPoint c = Centre(exit);
    host.MouseMove(Window(), c.X, c.Y);
    host.Click(Window(), c.X, c.Y, mbRight);
    EXPECT_TRUE(clicks.empty());
    exit->SetEnabled(false);
    host.MouseMove(Window(), c.X + 1, c.Y);
    host.Click(Window(), c.X, c.Y);
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(exit->ToolButtonState(), tbsDisabled);
    // No highlight over a disabled button, and its glyph is greyed.
    EXPECT_NE(Window().PixelColor(exit->Left(), 30), ColorToRGB(clHighlight));
    const TColor glyph = Window().PixelColor(exit->Left() + 24 + 16, 5 + 16);
    EXPECT_EQ(GetRValue(glyph), GetGValue(glyph));
    EXPECT_EQ(GetGValue(glyph), GetBValue(glyph));
}

TEST_F(WsToolbarWindow, GlyphAndCaptionPlacesOfAGlyphTopButton) {
    TBitmap surface(80, 60);
    surface.Canvas().Font() = buttons[0]->Font();
    const auto layout = buttons[0]->ContentLayout(surface.Canvas());
    EXPECT_EQ(layout.Glyph, Bounds(24, 5, 32, 32));
    EXPECT_EQ(layout.Text.Top, 41);
    EXPECT_EQ(layout.Text.Height(), 14);
    EXPECT_EQ(layout.Text.Left + layout.Text.Right, 2 + 78);  // centred across the content
    // The glyph is drawn there: its colour fills (24, 5) to (55, 36) of the button.
    const int l = buttons[0]->Left();
    EXPECT_EQ(Window().PixelColor(l + 24, 5), clRed);
    EXPECT_EQ(Window().PixelColor(l + 55, 36), clRed);
    EXPECT_NE(Window().PixelColor(l + 23, 5), clRed);
    EXPECT_NE(Window().PixelColor(l + 24, 37), clRed);

    // With no caption text the glyph is centred; without a glyph nothing is drawn for it.
    buttons[0]->SetCaption("");
    EXPECT_EQ(buttons[0]->ContentLayout(surface.Canvas()).Glyph, Bounds(24, 14, 32, 32));
    buttons[0]->SetImageIndex(-1);
    EXPECT_EQ(buttons[0]->ContentLayout(surface.Canvas()).Glyph.Width(), 0);
}

TEST_F(WsToolbarWindow, AcceleratorsSkipHiddenButtons) {
    host.PressKey('H', ssAlt);  // the hidden help button shares the letter with the home page
    EXPECT_EQ(clicks, (std::vector<std::string>{"Home"}));
    host.PressKey('R', ssAlt);
    EXPECT_EQ(clicks, (std::vector<std::string>{"Home", "Refresh"}));
    buttons[0]->SetEnabled(false);
    host.PressKey('R', ssAlt);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(WsToolbarWindow, AClickThatClosesTheWindowLeavesTheButtonAlone) {
    TCountingButton* exit = buttons[5];
    exit->OnClick = [this](TObject*) { form->Close(); };
    const TPoint c = Centre(exit);
    host.MouseMove(Window(), c.X, c.Y);
    host.Click(Window(), c.X, c.Y);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(exit->PointerOver());
    EXPECT_FALSE(exit->PressActive());
    EXPECT_EQ(exit->ToolButtonState(), tbsUp);
    form.reset();  // tearing the bar down lays nothing out and touches no freed control
}

TEST_F(WsToolbarWindow, RemovedControlsLeaveTheOrderAndTheRestCloseUp) {
    auto removed = bar->RemoveControl(buttons[0]);
    ASSERT_TRUE(removed);
    EXPECT_EQ(bar->ToolbarControls().IndexOf(removed.get()), -1);
    EXPECT_EQ(spacers[0]->Left(), 4);
    EXPECT_EQ(buttons[2]->Left(), 29);
    // A new child goes to the end of the order.
    auto* extra = bar->InsertControl(std::make_unique<TWsSpacer>(form.get()));
    extra->SetBounds(0, 0, 10, 20);
    EXPECT_EQ(bar->ToolbarControls()[bar->ToolbarControls().Count() - 1].Control, extra);
    EXPECT_EQ(extra->Left(), version->Left() + 82);
    bar->MoveToolbarControl(bar->ToolbarControls().Count() - 1, 0);
    EXPECT_EQ(extra->Left(), 4);
}

TEST(WsToolbarControlList, NamesUniqueWithoutCaseControlsByIdentity) {
    TGraphicControl a, b, c, unnamed1, unnamed2;
    a.SetName("Alpha");
    b.SetName("ALPHA");
    c.SetName("Gamma");
    TWsToolbarControlList list;
    EXPECT_TRUE(list.Add(&a));
    EXPECT_FALSE(list.Add(&a));
    EXPECT_FALSE(list.Add(&b));
    EXPECT_TRUE(list.Add(&c));
    EXPECT_TRUE(list.Add(&unnamed1));
    EXPECT_TRUE(list.Add(&unnamed2));
    EXPECT_EQ(list.IndexOfName("gamma"), 1);
    list.Move(1, 10);
    EXPECT_EQ(list[3].Control, &c);
    EXPECT_TRUE(list.Remove(&a));
    EXPECT_FALSE(list.Remove(&a));
    EXPECT_EQ(list.Count(), 3);
}

class WsToolbarSettings : public HeadlessApp {};

TEST_F(WsToolbarSettings, ButtonsFollowTheBarOnlyWhileTheirFlagsAreSet) {
    auto form = MakeShownForm(400, 200);
    auto* bar = form->InsertControl(std::make_unique<TWsToolbar>());
    auto* follower = bar->InsertControl(std::make_unique<TWsToolButton>());
    auto* own = bar->InsertControl(std::make_unique<TWsToolButton>());
    own->SetLayout(blGlyphBottom);
    own->SetBounds(0, 0, 50, 30);
    EXPECT_FALSE(own->UseToolbarButtonLayout());
    EXPECT_FALSE(own->UseToolbarButtonSize());

    bar->SetTextOptions(ttoShowTextLabels);
    EXPECT_EQ(bar->RowHeight(), 40);
    EXPECT_EQ(follower->Layout(), blGlyphTop);
    EXPECT_TRUE(follower->ShowCaption());
    EXPECT_EQ(follower->Width(), 60);
    EXPECT_EQ(follower->Height(), 40);
    EXPECT_TRUE(follower->UseToolbarButtonSize());  // copying does not clear the flag
    EXPECT_EQ(own->Layout(), blGlyphBottom);
    EXPECT_EQ(own->Width(), 50);
    EXPECT_TRUE(own->ShowCaption());  // it still follows the caption setting

    bar->SetButtonWidth(70);  // a direct setting ends the preset
    EXPECT_EQ(bar->TextOptions(), ttoCustom);
    EXPECT_EQ(follower->Width(), 70);

    bar->SetVisualStyle(vsGradient);
    EXPECT_EQ(follower->VisualStyle(), vsGradient);
    own->SetUseToolbarVisualStyle(false);
    bar->SetVisualStyle(vsClassic);
    EXPECT_EQ(own->VisualStyle(), vsGradient);
    EXPECT_EQ(follower->VisualStyle(), vsClassic);

    // A caption widens a following button to the text plus 8 in the glyph-top layout.
    follower->SetCaption("A very long caption");
    EXPECT_GT(follower->Width(), 70);
}

TEST_F(WsToolbarSettings, AutoStyleFollowsTheAlignmentUntilABorderIsSet) {
    auto form = MakeShownForm(400, 200);
    auto* bar = form->InsertControl(std::make_unique<TWsToolbar>());
    EXPECT_TRUE(bar->AutoStyle());
    EXPECT_EQ(bar->BorderOuter(), fsGroove);
    EXPECT_EQ(bar->BorderSides(), (TSides{sdTop}));
    bar->SetAlign(alBottom);
    bar->LayoutControls();
    EXPECT_EQ(bar->BorderSides(), (TSides{sdBottom}));
    bar->SetShowDivider(false);
    EXPECT_EQ(bar->BorderOuter(), fsNone);
    EXPECT_TRUE(bar->AutoStyle());
    bar->SetBorderSides({sdLeft, sdRight});
    EXPECT_FALSE(bar->AutoStyle());
    bar->SetAlign(alTop);
    bar->LayoutControls();
    EXPECT_EQ(bar->BorderSides(), (TSides{sdLeft, sdRight}));
}

TEST_F(WsToolbarSettings, AutoResizeByRowsAndColumns) {
    auto form = MakeShownForm(400, 300);
    auto* bar = form->InsertControl(std::make_unique<TWsToolbar>());
    for (int i = 0; i < 3; ++i)
        bar->InsertControl(std::make_unique<TWsSpacer>())->SetBounds(0, 0, 30, 20);
    EXPECT_EQ(bar->Height(), 25 + 4);  // one row, no AutoSize
    EXPECT_EQ(bar->Controls(1)->BoundsRect(), Bounds(34, 2 + 12 - 10, 30, 20));
    bar->SetWidth(80);  // does nothing: aligned to the top, the form gives the width
    bar->SetAlign(alNone);
    bar->SetBounds(0, 0, 80, 29);
    EXPECT_EQ(bar->Height(), 25 * 2 + 4);  // two 30-wide controls fit in 80 less the margins
    bar->SetAlign(alLeft);
    bar->SetOrientation(orVertical);
    // Columns: a left-aligned vertical bar is as wide as its columns.
    EXPECT_EQ(bar->Width(), 25 * 1 + 2 + 2);
    EXPECT_EQ(bar->Controls(0)->Top(), 4);
    EXPECT_EQ(bar->Controls(2)->Top(), 4 + 20 + 20);
}

TEST_F(WsToolbarSettings, AnOpenMenuPushesTheGlyphInOnlyOnAButtonWithoutItsOwnClick) {
    auto form = MakeShownForm(400, 200);
    TImageList images(nullptr, 16, 16);
    images.Add(TPixelBuffer(16, 16, ColorToPixel(clRed)));
    auto* bar = form->InsertControl(std::make_unique<TWsToolbar>());
    bar->SetVisualStyle(vsClassic);
    bar->SetImages(&images);
    auto* button = bar->InsertControl(std::make_unique<TWsToolButton>());
    button->SetToolStyle(tsDropDown);
    button->SetImageIndex(0);
    THeadlessWindow& w = WindowOf(*form);
    // The glyph's top-left corner on the screen.
    auto glyphCorner = [&] {
        form->UpdateWindow();
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 400; ++x)
                if (w.PixelColor(x, y) == clRed) return TPoint{x, y};
        return TPoint{-1, -1};
    };
    const TPoint rest = glyphCorner();
    ASSERT_GE(rest.X, 0);
    TPoint open{-1, -1};
    button->OnDropDown = [&](TObject*) {
        EXPECT_EQ(button->ToolButtonState(), tbsMenuOpen);
        open = glyphCorner();
    };
    const TPoint arrow = {button->Left() + button->Width() - 5, button->Top() + 5};
    const TPoint body = {button->Left() + 5, button->Top() + 5};
    host.Click(w, body.X, body.Y);  // no click of its own: anywhere opens the menu
    EXPECT_EQ(open, (TPoint{rest.X + 1, rest.Y + 1}));
    button->OnClick = [](TObject*) {};
    open = {-1, -1};
    host.Advance(500);
    host.Click(w, arrow.X, arrow.Y);
    EXPECT_EQ(open, rest) << "the button body stays up while its menu part is open";
}

TEST_F(WsToolbarSettings, GroupedButtonsLatchOneAtATime) {
    auto form = MakeShownForm(400, 200);
    auto* bar = form->InsertControl(std::make_unique<TWsToolbar>());
    bar->SetVisualStyle(vsGradient);
    auto* a = bar->InsertControl(std::make_unique<TWsToolButton>());
    auto* b = bar->InsertControl(std::make_unique<TWsToolButton>());
    a->SetDown(true);
    EXPECT_FALSE(a->Down());  // not grouped: cannot be down
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    THeadlessWindow& w = WindowOf(*form);
    const TPoint ca = {a->Left() + 5, a->Top() + 5};
    const TPoint cb = {b->Left() + 5, b->Top() + 5};
    host.MouseMove(w, ca.X, ca.Y);
    host.Click(w, ca.X, ca.Y);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->ToolButtonState(), tbsExclusive);
    host.Click(w, ca.X, ca.Y);
    EXPECT_TRUE(a->Down());  // a down button goes up only when all may be up
    host.MouseMove(w, cb.X, cb.Y);
    host.Click(w, cb.X, cb.Y);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->ToolButtonState(), tbsUp);
    // A latched button away from the mouse is framed and shaded darker at the top.
    host.MouseMove(w, 300, 150);
    EXPECT_EQ(w.PixelColor(b->Left(), b->Top() + 10), ColorToRGB(clHighlight));
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());  // the group shares it
    host.MouseMove(w, cb.X, cb.Y);
    host.Click(w, cb.X, cb.Y);
    EXPECT_FALSE(b->Down());
}

}  // namespace
