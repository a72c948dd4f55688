#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/HeadlessApp.h"
#include "widgets/WsColorMath.h"
#include "widgets/WsPageControl.h"
#include "widgets/WsTabSheet.h"

namespace {

constexpr TColor kLine = RGB(160, 160, 160);  // clBtnShadow
constexpr TColor kBack = RGB(227, 227, 227);  // cl3DLight
constexpr TColor kWhite = RGB(255, 255, 255);
constexpr TColor kOrange = RGB(240, 155, 20);

TFont BoldArial() {
    TFont f;
    f.SetName("Arial");
    f.SetHeight(-11);
    f.SetStyle(fsBold);
    return f;
}

// A focusable control on a page, standing in for the list view.
class TFocusable : public TCustomControl {
  public:
    TFocusable() { SetTabStop(true); }
};

// The main window's page control: 673 x 396, round tabs "日志" and "图表".
class WsPageControlTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form;
    TWsPageControl* pc = nullptr;
    TWsTabSheet* sheet1 = nullptr;
    TWsTabSheet* sheet2 = nullptr;
    TFocusable* list = nullptr;
    int changes = 0;
    int tabClicks = 0;

    void SetUp() override {
        form = MakeShownForm(700, 420, clWindow);
        pc = form->InsertControl(std::make_unique<TWsPageControl>());
        pc->SetBounds(0, 0, 673, 396);
        pc->SetParentColor(true);
        pc->SetTabStyle(tsRoundCorners);
        pc->SetBackgroundColor(cl3DLight);
        pc->TabColors().SetHighlightBar(clWindow);
        pc->TextColors().SetSelected(clBlue);
        pc->SetTextAlignmentVertical(vaTop);
        pc->SetFont(BoldArial());
        sheet1 = AddSheet("日志", 6);
        sheet2 = AddSheet("图表", 7);
        list = sheet1->InsertControl(std::make_unique<TFocusable>());
        list->SetBounds(0, 40, 200, 100);
        pc->SetActivePage(sheet1);
        pc->OnChange = [this](TObject*) { ++changes; };
        pc->OnTabClick = [this](TObject*) { ++tabClicks; };
        form->UpdateWindow();
    }
    TWsTabSheet* AddSheet(const char* caption, int image) {
        auto* s = pc->InsertControl(std::make_unique<TWsTabSheet>());
        s->SetCaption(caption);
        s->SetColor(clWindow);
        s->SetImageIndex(image);
        return s;
    }
    TColor At(int x, int y) { return WindowOf(*form).PixelColor(x, y); }
    TPoint Middle(int tab) {
        TRect r = pc->DrawnTabRect(tab);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void ClickTab(int tab) {
        TPoint p = Middle(tab);
        host.Click(WindowOf(*form), p.X, p.Y);
    }
    // Where dark caption ink lies inside a rectangle (empty when none).
    TRect Ink(const TRect& area, bool (*isInk)(TColor)) {
        TRect ink;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (isInk(At(x, y))) ink = ink.Union(Rect(x, y, x + 1, y + 1));
        return ink;
    }
};

bool Bluish(TColor c) {
    return GetBValue(c) > 200 && GetRValue(c) < 150;
}
bool Darkish(TColor c) {
    return GetRValue(c) < 120 && GetGValue(c) < 120 && GetBValue(c) < 120;
}

TEST_F(WsPageControlTest, LaysOutTheConfiguredTabsCardAndPageArea) {
    EXPECT_EQ(pc->FixedDimension(), 20);
    EXPECT_EQ(pc->StripHeight(), 23);
    TRect first = pc->DrawnTabRect(0), second = pc->DrawnTabRect(1);
    EXPECT_EQ(first.Left, 0) << "the selected first tab moves from x 2 to x 0";
    EXPECT_EQ(first.Top, 1);
    EXPECT_EQ(first.Bottom, 23);
    EXPECT_EQ(second.Top, 3);
    EXPECT_EQ(second.Bottom, 23);
    EXPECT_EQ(sheet1->BoundsRect(), Bounds(1, 24, 669, 369));
    EXPECT_EQ(sheet2->BoundsRect(), Bounds(1, 24, 669, 369)) << "hidden pages are laid out too";
    EXPECT_TRUE(sheet1->Visible());
    EXPECT_FALSE(sheet2->Visible());

    // Unselected, the first tab sits 2 pixels to the right and is 4 pixels narrower.
    pc->SetTabIndex(1);
    TRect plain = pc->DrawnTabRect(0);
    EXPECT_EQ(plain.Left, 2);
    EXPECT_EQ(plain.Top, 3);
    EXPECT_EQ(first.Width(), plain.Width() + 4);
    // Tabs sit two pixels apart, and the gap does not move with the lifted tab.
    TRect lifted = pc->DrawnTabRect(1);
    EXPECT_EQ(lifted.Left, plain.Right + 2 - 2);
}

TEST_F(WsPageControlTest, DrawsOutlinesCardFrameAndOpenEdgeUnderTheSelectedTab) {
    TRect sel = pc->DrawnTabRect(0);    // (0, 1, R, 23)
    TRect other = pc->DrawnTabRect(1);  // (L, 3, R, 23)
    // Selected tab: top row at y 1, rounded corners, sides down to row 22.
    EXPECT_EQ(At(sel.Left + 2, 1), kLine);
    EXPECT_EQ(At(sel.Left + 1, 2), kLine);
    EXPECT_EQ(At(sel.Left, 3), kLine);
    EXPECT_EQ(At(sel.Left, 22), kLine);
    EXPECT_EQ(At(sel.Right, 22), kLine);
    EXPECT_EQ(At(sel.Left, 1), kBack) << "the corner is cut";
    EXPECT_EQ(At(sel.Left + 4, 0), kBack);
    // The card's top row is open under the selected tab and closed under the other.
    EXPECT_EQ(At(sel.Left, 23), kLine);
    EXPECT_EQ(At(sel.Left + 1, 23), kWhite);
    EXPECT_EQ(At(sel.Right - 1, 23), kWhite);
    EXPECT_EQ(At(sel.Right, 23), kLine);
    EXPECT_EQ(At(other.Left + 5, 23), kLine);
    // Unselected tab: top row at y 3, shaded from white to clBtnFace at its bottom row.
    EXPECT_EQ(At(other.Left + 5, 3), kLine);
    EXPECT_EQ(At(other.Left + 5, 2), kBack);
    EXPECT_EQ(At(other.Left + 3, 22), RGB(240, 240, 240));
    EXPECT_GE(GetRValue(At(other.Left + 3, 4)), 250);
    // Card frame corners; the page covers the inside.
    for (TPoint p : {TPoint{670, 23}, TPoint{670, 393}, TPoint{0, 393}, TPoint{0, 200}})
        EXPECT_EQ(At(p.X, p.Y), kLine) << p.X << "," << p.Y;
    EXPECT_EQ(At(669, 392), kWhite);
}

TEST_F(WsPageControlTest, ShadowBlendsBlackIntoWhatLiesBehindAlongRightAndBottom) {
    // Behind the control is the white form, not the control's own light grey fill.
    for (TColor behind : {kWhite, TColor(clYellow)}) {
        form->SetColor(behind);
        form->UpdateWindow();
        const TColor inner = MixColors(clBlack, behind, 30);
        const TColor outer = MixColors(clBlack, behind, 15);
        EXPECT_EQ(At(671, 200), inner);
        EXPECT_EQ(At(300, 394), inner);
        EXPECT_EQ(At(672, 200), outer);
        EXPECT_EQ(At(300, 395), outer);
        EXPECT_EQ(At(671, 23), kBack) << "the shadow starts below the card's top";
        EXPECT_EQ(At(0, 394), kBack) << "and is offset from its left edge";
        EXPECT_EQ(At(2, 394), inner);
        EXPECT_EQ(At(2, 395), kBack);
    }
}

TEST_F(WsPageControlTest, CaptionsSitInsideTheirTabsInTheirColours) {
    TRect sel = pc->DrawnTabRect(0), other = pc->DrawnTabRect(1);
    TRect blue = Ink(Rect(sel.Left + 1, sel.Top + 1, sel.Right, 23), Bluish);
    ASSERT_FALSE(blue.IsEmpty()) << "the selected caption is blue";
    EXPECT_GE(blue.Left, sel.Left + 10);
    EXPECT_LE(blue.Right, sel.Right - 8 + 1);
    EXPECT_GE(blue.Top, 4);
    TRect dark = Ink(Rect(other.Left + 1, other.Top + 1, other.Right, 23), Darkish);
    ASSERT_FALSE(dark.IsEmpty()) << "the other caption is in button text";
    EXPECT_GE(dark.Left, other.Left + 10);
    EXPECT_LE(dark.Right, other.Right - 8 + 1);
    EXPECT_GE(dark.Top, 6);
    EXPECT_TRUE(Ink(Rect(other.Left + 1, other.Top + 1, other.Right, 23), Bluish).IsEmpty());
    // Each tab is its caption plus 18: the two captions are equally wide here.
    EXPECT_EQ(sel.Width() - 4, other.Width());
}

TEST_F(WsPageControlTest, ClickKeysAndCtrlTabSwitchPagesThroughOneRoutine) {
    int pageChanges = 0;
    pc->OnPageChange = [&](TObject*) { ++pageChanges; };
    ClickTab(1);
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_EQ(pc->ActivePage(), sheet2);
    EXPECT_TRUE(sheet2->Visible());
    EXPECT_FALSE(sheet1->Visible());
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(pageChanges, 1);
    EXPECT_EQ(tabClicks, 1);

    // Clicking the selected tab focuses the control and changes nothing.
    ClickTab(1);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(pc->Focused());
    EXPECT_EQ(tabClicks, 2);

    struct Step {
        TKey key;
        int expected;
    };
    for (Step s : {Step{vkRight, 0}, Step{vkRight, 1}, Step{vkLeft, 0}, Step{vkLeft, 1},
                   Step{vkUp, 0}, Step{vkDown, 1}, Step{vkHome, 0}, Step{vkEnd, 1}}) {
        host.PressKey(s.key);
        EXPECT_EQ(pc->TabIndex(), s.expected) << "key " << s.key;
        EXPECT_EQ(pc->ActivePage(), pc->PageOfTab(s.expected));
    }
    EXPECT_EQ(tabClicks, 2 + 8) << "a key selection raises OnTabClick";

    // Ctrl+Tab from a control inside a page.
    pc->SetActivePage(sheet1);
    list->SetFocus();
    host.PressKey(vkTab, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), sheet2);
    EXPECT_TRUE(pc->Focused()) << "the focus left the hidden page for the control";
    host.PressKey(vkTab, ssCtrl | ssShift);
    EXPECT_EQ(pc->ActivePage(), sheet1);
    host.PressKey(vkTab, ssCtrl);
    host.PressKey(vkTab, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), sheet1) << "wraps";
}

TEST_F(WsPageControlTest, CtrlTabOutsideTheControlIsLeftAlone) {
    auto* outside = form->InsertControl(std::make_unique<TFocusable>());
    outside->SetBounds(680, 0, 10, 10);
    outside->SetFocus();
    host.PressKey(vkTab, ssCtrl);
    EXPECT_EQ(pc->ActivePage(), sheet1);
}

TEST_F(WsPageControlTest, RefusedChangeLeavesTabPageAndFocusAsTheyWere) {
    int asked = 0;
    pc->OnChanging = [&](TObject*, int, bool& allow) {
        ++asked;
        allow = false;
    };
    list->SetFocus();
    ClickTab(1);
    host.PressKey(vkTab, ssCtrl);
    pc->SetTabIndex(1);
    pc->SetActivePage(sheet2);
    EXPECT_EQ(asked, 4);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_EQ(pc->ActivePage(), sheet1);
    EXPECT_TRUE(sheet1->Visible());
    EXPECT_FALSE(sheet2->Visible());
    EXPECT_TRUE(list->Focused());
    EXPECT_EQ(changes, 0);
}

TEST_F(WsPageControlTest, KeySearchEndsWhenNothingElseCanBeSelected) {
    pc->OnChanging = [](TObject*, int, bool& allow) { allow = false; };
    pc->SetFocus();
    host.PressKey(vkRight);
    EXPECT_EQ(pc->TabIndex(), 0);
    // With no tab selected the search has no tab to come back to.
    pc->SetTabIndex(-1);
    EXPECT_EQ(pc->TabIndex(), -1);
    for (TKey k : {vkRight, vkLeft, vkHome, vkEnd}) host.PressKey(k);
    host.PressKey(vkTab, ssCtrl);
    EXPECT_EQ(pc->TabIndex(), -1);
    // Every other tab hidden.
    pc->OnChanging = nullptr;
    pc->SetTabIndex(0);
    sheet2->SetTabVisible(false);
    host.PressKey(vkRight);
    host.PressKey(vkLeft);
    EXPECT_EQ(pc->TabIndex(), 0);
}

TEST_F(WsPageControlTest, HiddenTabTakesNoSpaceAndCannotBeSelected) {
    TRect before = pc->DrawnTabRect(1);
    sheet1->SetTabVisible(false);
    EXPECT_EQ(pc->TabCount(), 1);
    EXPECT_EQ(pc->TabIndex(), -1) << "the active page stays, without a tab";
    EXPECT_EQ(pc->ActivePage(), sheet1);
    EXPECT_EQ(sheet2->TabIndex(), 0);
    EXPECT_EQ(pc->DrawnTabRect(0).Left, 2) << "the remaining tab moves to the front";
    EXPECT_LT(pc->DrawnTabRect(0).Left, before.Left);
    sheet1->SetTabVisible(true);
    sheet2->SetTabVisible(false);
    EXPECT_EQ(pc->TabIndex(), 0);
    host.Click(WindowOf(*form), (before.Left + before.Right) / 2, 12);
    pc->SetFocus();
    host.PressKey(vkRight);
    EXPECT_EQ(pc->ActivePage(), sheet1);
    EXPECT_EQ(changes, 0);
}

TEST_F(WsPageControlTest, BadIndexAndForeignPageChangeNothingHarmful) {
    pc->SetTabIndex(7);
    EXPECT_EQ(pc->TabIndex(), -1);
    pc->SetTabIndex(-3);
    EXPECT_EQ(pc->TabIndex(), -1);
    pc->SetTabIndex(1);
    EXPECT_EQ(pc->ActivePage(), sheet2);

    auto* other = form->InsertControl(std::make_unique<TWsPageControl>());
    auto* foreign = other->InsertControl(std::make_unique<TWsTabSheet>());
    pc->SetActivePage(foreign);
    EXPECT_EQ(pc->ActivePage(), sheet2);
    EXPECT_EQ(foreign->PageControl(), other);
    EXPECT_EQ(other->ActivePage(), nullptr);
}

TEST_F(WsPageControlTest, NoTabSelectedShowsNoPageAndARebuildKeepsItSo) {
    pc->SetTabIndex(-1);
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_FALSE(sheet1->Visible()) << "the page of the tab left behind is hidden";
    EXPECT_FALSE(sheet2->Visible());
    sheet2->SetImageIndex(3);  // rebuilds the tab list
    EXPECT_EQ(pc->TabIndex(), -1) << "no tab is selected behind OnChange's back";
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(changes, 0);
    pc->SetTabIndex(1);
    EXPECT_EQ(pc->ActivePage(), sheet2);
    EXPECT_TRUE(sheet2->Visible());
    EXPECT_EQ(changes, 1);
}

TEST_F(WsPageControlTest, HotBarFollowsThePointerAndItsTimerStops) {
    THeadlessWindow& w = WindowOf(*form);
    TRect other = pc->DrawnTabRect(1);
    const int mid = (other.Left + other.Right) / 2;
    host.MouseMove(w, mid, 12);
    EXPECT_EQ(pc->HotTab(), 1);
    EXPECT_TRUE(pc->HotTimerRunning());
    EXPECT_EQ(At(mid, 5), kOrange);
    EXPECT_EQ(At(mid, 3), kLine) << "the outline stays on top of the bar";
    EXPECT_NE(At(mid, 9), kOrange) << "the bar is five rows deep from the top edge";
    EXPECT_EQ(At(other.Left + 1, 5), kOrange) << "it fills the rounded corner";
    EXPECT_EQ(At(other.Left + 1, 4), kLine);
    EXPECT_EQ(At(other.Left, 2), kBack);

    // To the other tab: the bar moves.
    TRect sel = pc->DrawnTabRect(0);
    host.MouseMove(w, (sel.Left + sel.Right) / 2, 12);
    EXPECT_EQ(pc->HotTab(), 0);
    EXPECT_NE(At(mid, 5), kOrange);
    EXPECT_EQ(At((sel.Left + sel.Right) / 2, 3), kOrange);

    // Down onto the page: the timer notices within 60 ms and stops.
    host.MouseMove(w, 300, 200);
    host.Advance(60);
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_FALSE(pc->HotTimerRunning());
    EXPECT_NE(At((sel.Left + sel.Right) / 2, 3), kOrange);
    EXPECT_EQ(app.NextDeadline(), kNoDeadline) << "no timer is left running";

    // Over the strip but off the tabs clears at once.
    host.MouseMove(w, mid, 12);
    host.MouseMove(w, 600, 12);
    EXPECT_EQ(pc->HotTab(), -1);
    EXPECT_FALSE(pc->HotTimerRunning());
}

TEST_F(WsPageControlTest, HotTrackingRepaintsOnlyTheStrip) {
    THeadlessWindow& w = WindowOf(*form);
    TRect other = pc->DrawnTabRect(1);
    host.MouseMove(w, (other.Left + other.Right) / 2, 12);
    EXPECT_LE(w.LastPresentBounds().Bottom, pc->StripHeight());
}

TEST_F(WsPageControlTest, SwitchingPagesPaintsTheControlOnce) {
    int before = pc->PaintCount();
    ClickTab(1);
    EXPECT_EQ(pc->PaintCount(), before + 1);
    EXPECT_FALSE(form->HasInvalidArea());
}

TEST_F(WsPageControlTest, FailingPaintHandlerLeavesTheRestDrawnAndSaysSoOnce) {
    int errors = 0;
    app.OnException = [&](TObject*, const std::exception&) { ++errors; };
    pc->OnPaintTabBackground = [](TObject*, TCanvas&, int, const TRect&, bool&) {
        throw std::runtime_error("broken");
    };
    ::testing::internal::CaptureStderr();
    pc->Invalidate();
    form->UpdateWindow();
    pc->Invalidate();
    form->UpdateWindow();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "vigil: a step of painting the tabs was left out: broken\n")
        << "written once, not for every tab and repaint";
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(At(670, 200), kLine) << "the card is still drawn";
    EXPECT_EQ(At(pc->DrawnTabRect(1).Left + 5, 3), kLine) << "and the outlines";
    EXPECT_FALSE(form->HasInvalidArea());
}

TEST_F(WsPageControlTest, RemovingTheActivePageLeavesNoPageActive) {
    std::unique_ptr<TControl> removed = pc->RemoveControl(sheet1);
    ASSERT_TRUE(removed);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(pc->TabIndex(), -1);
    EXPECT_EQ(pc->PageCount(), 1);
    EXPECT_EQ(static_cast<TWsTabSheet*>(removed.get())->PageControl(), nullptr);
    EXPECT_EQ(sheet2->PageIndex(), 0);
}

TEST_F(WsPageControlTest, PageColourTurnsOnColouredTabsAndControlColourReachesPages) {
    EXPECT_FALSE(pc->UseColoredTabs());
    form->SetColor(clSilver);
    EXPECT_EQ(sheet1->Color(), clSilver) << "the control's colour is handed to its pages";
    EXPECT_FALSE(pc->UseColoredTabs());
    sheet2->SetColor(clYellow);
    EXPECT_TRUE(pc->UseColoredTabs());
    form->UpdateWindow();
    TRect other = pc->DrawnTabRect(1);
    TColor top = At(other.Left + 3, 4), bottom = At(other.Left + 3, 22);
    EXPECT_EQ(GetBValue(top), 0u) << "its tab is shaded from the page colour";
    EXPECT_GE(GetRValue(top), 245u);
    EXPECT_EQ(bottom, ColorToRGB(Darken(clYellow, 30)));
}

TEST(WsTabShapes, EveryStyleHasItsPointCountAndABadStyleRaisesTheText) {
    TRect r = Rect(10, 3, 60, 23);
    for (TWsTabStyle s : {tsSingleSlant, tsDoubleSlant, tsCutCorner, tsRoundCorners, tsBackSlant}) {
        auto p = TabShapePoints(s, r, 6);
        EXPECT_EQ(p.size(), TabShapePointCount(s));
        EXPECT_EQ(p.front(), (TPoint{10, 23})) << "open at the bottom left";
        EXPECT_EQ(p.back(), (TPoint{60, 23})) << "and bottom right";
    }
    try {
        TabShapePoints(static_cast<TWsTabStyle>(9), r, 6);
        FAIL() << "no error";
    } catch (const EWsTabControlError& e) {
        EXPECT_STREQ(e.what(), "Incorrect number of points in tab shape");
    }
}

TEST_F(HeadlessApp, PageControlLoadedWithStoredPageShowsOnlyThatPage) {
    std::unique_ptr<TForm> form;
    TWsPageControl* pc = nullptr;
    TWsTabSheet* second = nullptr;
    {
        TComponent::TLoadingScope loading;
        form = std::make_unique<TForm>();
        pc = form->InsertControl(std::make_unique<TWsPageControl>(form.get()));
        pc->SetTabStyle(tsRoundCorners);
        auto* first = pc->InsertControl(std::make_unique<TWsTabSheet>(form.get()));
        first->SetCaption("A");
        second = pc->InsertControl(std::make_unique<TWsTabSheet>(form.get()));
        second->SetCaption("B");
        pc->SetActivePage(second);
        EXPECT_EQ(pc->ActivePage(), nullptr) << "only stored while loading";
        EXPECT_FALSE(first->Visible());
    }
    form->FinishCreate();
    EXPECT_EQ(pc->ActivePage(), second);
    EXPECT_EQ(pc->TabIndex(), 1);
    EXPECT_TRUE(second->Visible());
    EXPECT_FALSE(pc->Pages(0)->Visible());
}

}  // namespace

namespace {

TEST_F(WsPageControlTest, NarrowControlScrollsItsTabsByWholeTabs) {
    for (const char* caption : {"三", "四", "五"}) AddSheet(caption, -1);
    EXPECT_FALSE(pc->ScrollArrowsShown());
    pc->SetWidth(120);
    ASSERT_TRUE(pc->ScrollArrowsShown());
    EXPECT_EQ(pc->FirstShownTab(), 0);
    EXPECT_TRUE(pc->DrawnTabRect(4).IsEmpty()) << "tabs past the arrows are not shown";
    pc->ScrollTabs(1);
    EXPECT_EQ(pc->FirstShownTab(), 1);
    EXPECT_TRUE(pc->DrawnTabRect(0).IsEmpty());
    EXPECT_EQ(pc->DrawnTabRect(1).Left, 2) << "the first shown tab takes the first place";
    // Selecting a tab out of view scrolls it in.
    pc->SetTabIndex(4);
    EXPECT_FALSE(pc->DrawnTabRect(4).IsEmpty());
    EXPECT_LT(pc->DrawnTabRect(4).Right, 120 - 3 - 36);
    pc->SetTabIndex(0);
    EXPECT_EQ(pc->FirstShownTab(), 0);
    pc->SetWidth(673);
    EXPECT_FALSE(pc->ScrollArrowsShown());
    // Absurd sizes draw nothing harmful.
    pc->SetBounds(0, 0, 0, 0);
    form->UpdateWindow();
    pc->SetBounds(0, 0, 3, 5);
    form->UpdateWindow();
    EXPECT_EQ(pc->TabAt({1, 1}), -1);
}

TEST_F(WsPageControlTest, AcceleratorLetterFocusesAndSelectsItsTab) {
    sheet2->SetCaption("图表(&T)");
    host.PressKey('T', ssAlt);
    EXPECT_EQ(pc->ActivePage(), sheet2);
    EXPECT_TRUE(pc->Focused());
    sheet1->SetTabEnabled(false);
    sheet1->SetCaption("日志(&L)");
    host.PressKey('L', ssAlt);
    EXPECT_EQ(pc->ActivePage(), sheet2) << "a disabled tab is not selected";
}

}  // namespace

namespace {

class WsPlainTabControl : public HeadlessApp {};

TEST_F(WsPlainTabControl, RemovingTheSelectedLastTabLeavesNoTabSelected) {
    auto form = MakeShownForm(300, 120, clWindow);
    auto* tabs = form->InsertControl(std::make_unique<TWsCustomTabControl>());
    tabs->SetBounds(0, 0, 300, 120);
    for (const char* caption : {"one", "two", "three"}) {
        TWsTabData tab;
        tab.Caption = caption;
        tabs->Tabs().push_back(tab);
    }
    tabs->TabsChanged();
    tabs->SetTabIndex(2);
    form->UpdateWindow();
    ASSERT_EQ(tabs->TabIndex(), 2);
    tabs->Tabs().pop_back();
    tabs->TabsChanged();
    EXPECT_EQ(tabs->TabIndex(), -1);
    form->UpdateWindow();  // paints without the tab that went
    // Both remaining tabs stand on the card's top line, as unselected tabs do.
    for (int i = 0; i < 2; ++i) {
        const TRect r = tabs->DrawnTabRect(i);
        EXPECT_EQ(WindowOf(*form).PixelColor((r.Left + r.Right) / 2, r.Bottom), kLine) << i;
    }
    tabs->SetTabIndex(1);
    EXPECT_EQ(tabs->TabIndex(), 1);
}

}  // namespace
