#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/HeadlessApp.h"
#include "graphics/Bitmap.h"
#include "widgets/WsListView.h"

namespace {

const TColor kFace = RGB(240, 240, 240);    // clBtnFace
const TColor kShadow = RGB(160, 160, 160);  // clBtnShadow

TPixelBuffer Solid(TColor c) {
    TBitmap b(16, 16, PixelFromRGB(c));
    return b.Buffer();
}

// A 400 x 200 list at (10, 10) configured like the log page: report view, grid lines, whole
// rows, a 16-pixel state image list (rows 17 high), the header drawn by the component with
// the arrow at the right end. The header lies at (11, 11), 17 high; the body starts at y 28.
// Columns: 18, "Name" 150, "Size" 100, "Note" 80.
class WsListViewTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form = MakeShownForm(500, 300, clWhite);
    TImageList images{nullptr, 16, 16};
    TWsListView* list = nullptr;

    void SetUp() override {
        images.Add(Solid(clLime));
        images.Add(Solid(RGB(255, 128, 0)));
        list = form->InsertControl(std::make_unique<TWsListView>());
        list->SetBounds(10, 10, 400, 200);
        list->SetViewStyle(vsReport);
        list->SetGridLines(true);
        list->SetRowSelect(true);
        list->SetHideSelection(false);
        list->SetColor(clWhite);
        TFont font;
        font.SetName("MS Sans Serif");
        font.SetHeight(-11);
        font.SetColor(clBlack);
        list->SetFont(font);
        list->SetStateImages(&images);
        list->SetFillLastColumn(false);
        list->SetHeaderSortDisplayMode(hsdmRightAlign);
        for (auto [caption, width] :
             {std::pair{"", 18}, {"Name", 150}, {"Size", 100}, {"Note", 80}}) {
            TListColumn* c = list->Columns().Add();
            c->SetCaption(caption);
            c->SetWidth(width);
        }
        host.Advance(1);
    }
    void AddRows(std::initializer_list<const char*> names) {
        for (const char* n : names) list->Items().Add("", {n, "1"}, 0);
        host.Advance(1);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> out;
        for (int i = 0; i < list->Items().Count(); ++i)
            out.emplace_back(list->Items()[i]->SubItem(0));
        return out;
    }
    THeadlessWindow& W() { return WindowOf(*form); }
    // Form x of a header section's left edge.
    int SectionLeft(int column) { return 11 + list->Header()->SectionRect(column).Left; }
    void ClickHeader(int column) {
        host.Click(W(), SectionLeft(column) + list->Header()->SectionRect(column).Width() / 2,
                   11 + 8);
        host.Advance(600);  // apart, so that clicks do not pair into double clicks
    }
    // The arrow of a right-aligned section: 'u' up, 'd' down, '-' none. The arrow box of a
    // 17-pixel header is 8 x 7 with its right edge 11 pixels inside the item, rows 4 to 10.
    char ArrowIn(int column) {
        int x = SectionLeft(column) + list->Header()->SectionRect(column).Width() - 19;
        int y = 11;
        bool apexUp = W().PixelColor(x + 4, y + 6) == kShadow && W().PixelColor(x, y + 6) == kFace;
        bool baseUp =
            W().PixelColor(x, y + 10) == kShadow && W().PixelColor(x + 8, y + 10) == kShadow;
        bool apexDown =
            W().PixelColor(x + 4, y + 10) == kShadow && W().PixelColor(x, y + 10) == kFace;
        bool baseDown =
            W().PixelColor(x, y + 6) == kShadow && W().PixelColor(x + 8, y + 6) == kShadow;
        if (apexUp && baseUp) return 'u';
        if (apexDown && baseDown) return 'd';
        return '-';
    }
    int ShadowPixelsInside(int column) {
        TRect r = list->Header()->SectionRect(column).Offset(11, 11);
        int n = 0;
        for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
            for (int x = r.Left + 1; x < r.Right - 1; ++x) n += W().PixelColor(x, y) == kShadow;
        return n;
    }
};

TEST_F(WsListViewTest, HeaderClicksSortAscendingDescendingAscending) {
    list->SetAlphaSortAll(true);
    AddRows({"b", "A", "", "c"});
    std::vector<std::string> clicked;
    list->OnColumnClick = [&](TObject*, TListColumn* c) { clicked.push_back(c->Caption()); };

    ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "b", "c", ""}));
    EXPECT_EQ(list->SortColumn(), 1);
    EXPECT_FALSE(list->SortDescending());
    EXPECT_EQ(ArrowIn(1), 'u');
    ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "c", "b", "A"}));
    EXPECT_EQ(ArrowIn(1), 'd');
    ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "b", "c", ""}));
    EXPECT_EQ(ArrowIn(1), 'u');
    ClickHeader(2);
    EXPECT_EQ(list->SortColumn(), 2);
    EXPECT_EQ(ArrowIn(2), 'u');
    EXPECT_EQ(ArrowIn(1), '-') << "the arrow moved to the other column";
    EXPECT_EQ(clicked, (std::vector<std::string>{"Name", "Name", "Name", "Size"}));
}

TEST_F(WsListViewTest, RowsMadeBySourceSortDrawAndKeepTheirChecks) {
    list->SetAlphaSortAll(true);
    const std::vector<std::string> names{"delta", "", "Alpha", "charlie", "bravo"};
    list->Items().SetRowSource([&](const TListItem& item, std::vector<std::string>& texts) {
        texts.assign({"", names[reinterpret_cast<std::uintptr_t>(item.Data())], "1"});
    });
    for (std::uintptr_t i = 0; i < names.size(); ++i)
        list->Items().AddFromSource(reinterpret_cast<void*>(i), 0);
    list->Items()[3]->SetChecked(true);
    host.Advance(1);

    ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta", ""}));
    EXPECT_TRUE(list->Items()[2]->Checked()) << "charlie keeps its check";
    ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"", "delta", "charlie", "bravo", "Alpha"}));

    // Ink in the name cell of each row: none for the empty name, some for the others.
    auto inkInRow = [&](int row) {
        int n = 0;
        for (int y = 28 + row * 17; y < 28 + row * 17 + 16; ++y)
            for (int x = SectionLeft(1) + 2; x < SectionLeft(1) + 140; ++x)
                n += GetGValue(W().PixelColor(x, y)) < 100;
        return n;
    };
    EXPECT_EQ(inkInRow(0), 0);
    for (int row = 1; row < 5; ++row) EXPECT_GT(inkInRow(row), 0) << "row " << row;
}

TEST_F(WsListViewTest, ArrowPlaceFollowsTheDisplayMode) {
    list->SetAlphaSortAll(true);
    AddRows({"x"});
    ClickHeader(1);
    TBitmap probe(1, 1);
    probe.Canvas().Font() = list->Font();
    int textLeft = SectionLeft(1) + 2 + 4;
    int textEnd = textLeft + probe.Canvas().TextWidth("Name");
    struct Case {
        TWsLVHeaderSortDisplayMode mode;
        int boxLeft;  // form x; -1: no arrow anywhere in the item
    };
    const Case cases[] = {
        {hsdmRightAlign, SectionLeft(1) + 150 - 19},
        {hsdmLeftAlign, textLeft},
        {hsdmRightOfText, textEnd + 5},
        {hsdmNone, -1},
    };
    for (const Case& c : cases) {
        list->SetHeaderSortDisplayMode(c.mode);
        host.Advance(1);
        if (c.boxLeft < 0) {
            EXPECT_EQ(ShadowPixelsInside(1), 0) << "the plain header shows no arrow";
            continue;
        }
        // An up arrow: its 9-pixel base on row 10, its apex above the base's middle on row 6.
        EXPECT_EQ(W().PixelColor(c.boxLeft + 4, 11 + 6), kShadow) << c.mode;
        EXPECT_EQ(W().PixelColor(c.boxLeft, 11 + 10), kShadow) << c.mode;
        EXPECT_EQ(W().PixelColor(c.boxLeft + 8, 11 + 10), kShadow) << c.mode;
        EXPECT_EQ(W().PixelColor(c.boxLeft - 1, 11 + 10), kFace) << c.mode;
        EXPECT_EQ(W().PixelColor(c.boxLeft + 9, 11 + 10), kFace) << c.mode;
    }
}

TEST_F(WsListViewTest, RightOfTextPutsTheArrowOfRightAndCentredColumnsAtTheEndInItsBox) {
    list->SetAlphaSortAll(true);
    list->SetHeaderSortDisplayMode(hsdmRightOfText);
    AddRows({"x"});
    for (TAlignment alignment : {TAlignment{taRightJustify}, TAlignment{taCenter}}) {
        list->Columns()[2]->SetAlignment(alignment);
        ClickHeader(2);
        if (list->SortDescending()) ClickHeader(2);
        host.Advance(1);
        ASSERT_EQ(list->SortColumn(), 2);
        EXPECT_EQ(ArrowIn(2), 'u') << alignment;
        // 5 rows of 1, 3, 5, 7 and 9 pixels: the whole arrow, inside its 8 x 7 box's rows.
        EXPECT_EQ(ShadowPixelsInside(2), 25) << alignment;
        const int boxLeft = SectionLeft(2) + 100 - 19;
        int inkRight = -1;
        for (int x = SectionLeft(2) + 2; x < boxLeft; ++x)
            for (int y = 11 + 2; y < 11 + 15; ++y)
                if (W().PixelColor(x, y) != kFace) inkRight = x;
        EXPECT_GE(inkRight, 0) << "the caption is shown";
        EXPECT_LT(inkRight, boxLeft - 5) << "and ends 5 pixels before the box";
    }
    ClickHeader(2);
    EXPECT_EQ(ArrowIn(2), 'd');
    EXPECT_EQ(ShadowPixelsInside(2), 25);
}

TEST_F(WsListViewTest, WithoutAlphaSortAHeaderClickChangesNothing) {
    AddRows({"b", "A", "c"});
    int before = W().PresentCount();
    ClickHeader(1);
    ClickHeader(2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"b", "A", "c"}));
    EXPECT_EQ(list->SortColumn(), -1);
    EXPECT_EQ(ArrowIn(1), '-');
    EXPECT_EQ(ShadowPixelsInside(1), 0) << "captions only";
    EXPECT_GT(W().PresentCount(), before) << "the button was seen pressed";
}

TEST_F(WsListViewTest, EmptyTextsGoLastAscendingAndFirstDescending) {
    TListItem* a = list->Items().Add("", {"apple"});
    TListItem* b = list->Items().Add("", {"Banana"});
    TListItem* e = list->Items().Add("", {""});
    TListItem* none = list->Items().Add("", {});  // no sub-item at all reads as empty
    struct Case {
        const TListItem* x;
        const TListItem* y;
        bool descending;
        int sign;
    };
    const Case cases[] = {
        {a, b, false, -1}, {b, a, false, 1},    {a, e, false, -1},
        {e, a, false, 1},  {e, none, false, 0}, {a, b, true, 1},
        {a, e, true, 1},   {e, b, true, -1},    {a, a, true, 0},
    };
    for (const Case& c : cases) {
        int r = TWsCustomListView::CompareItems(*c.x, *c.y, 1, c.descending);
        EXPECT_EQ((r > 0) - (r < 0), c.sign)
            << c.x->SubItem(0) << " vs " << c.y->SubItem(0) << (c.descending ? " desc" : "");
    }
    EXPECT_EQ(TWsCustomListView::CompareItems(*a, *b, 9, false), 0) << "beyond all sub-items";
}

TEST_F(WsListViewTest, ArrowOnlyInColumnsWiderThanTwiceItsBox) {
    list->SetAlphaSortAll(true);
    AddRows({"x"});
    list->Columns()[3]->SetWidth(16);
    ClickHeader(3);
    host.Advance(1);
    EXPECT_EQ(list->SortColumn(), 3);
    EXPECT_EQ(ShadowPixelsInside(3), 0) << "16 is twice the 8-pixel box";
    list->Columns()[3]->SetWidth(17);
    host.Advance(1);
    EXPECT_GT(ShadowPixelsInside(3), 0);
}

TEST_F(WsListViewTest, LongCaptionEndsInAnEllipsisFivePixelsBeforeTheArrow) {
    list->SetAlphaSortAll(true);
    list->Columns()[1]->SetCaption("A caption far too long for its column of 150 pixels");
    AddRows({"x"});
    ClickHeader(1);
    ASSERT_EQ(ArrowIn(1), 'u');
    int boxLeft = SectionLeft(1) + 150 - 19;
    int inkRight = -1;
    for (int x = SectionLeft(1) + 2; x < boxLeft; ++x)
        for (int y = 11 + 2; y < 11 + 15; ++y)
            if (W().PixelColor(x, y) != kFace) inkRight = std::max(inkRight, x);
    EXPECT_LT(inkRight, boxLeft - 5) << "the text stops 5 pixels before the box";
    EXPECT_GE(inkRight, boxLeft - 5 - 4) << "and runs up to there, ending in dots";
    // The last ink is an ellipsis dot: a short mark low in the line.
    int rows = 0;
    for (int y = 11 + 2; y < 11 + 15; ++y) rows += W().PixelColor(inkRight, y) != kFace;
    EXPECT_LE(rows, 2);
}

TEST_F(WsListViewTest, OldCommonControlsLeaveTheHeaderToThePlatform) {
    for (unsigned version : {0u, 0x40000u, 0x40045u}) {
        app.Display().CommonControlsVersion = version;
        auto* other = form->InsertControl(std::make_unique<TWsListView>());
        EXPECT_EQ(other->HeaderSortDisplayMode(), hsdmRightOfText) << "the default stays";
        other->SetHeaderSortDisplayMode(hsdmRightAlign);
        EXPECT_EQ(other->HeaderSortDisplayMode(), hsdmNone) << version;
    }
    app.Display().CommonControlsVersion = ComCtlVersion470;
    auto* recent = form->InsertControl(std::make_unique<TWsListView>());
    recent->SetHeaderSortDisplayMode(hsdmLeftAlign);
    EXPECT_EQ(recent->HeaderSortDisplayMode(), hsdmLeftAlign);
}

TEST_F(WsListViewTest, BackgroundFollowsFocusAndEnabledState) {
    TPoint body{300, 150};
    auto bodyColour = [&] {
        host.Advance(1);
        return W().PixelColor(body.X, body.Y);
    };
    EXPECT_EQ(list->FocusColor(), clWhite) << "focus follows a colour set while they were equal";
    list->SetFocus();
    EXPECT_EQ(bodyColour(), clWhite) << "stays white with the focus";
    list->SetFocusColor(clYellow);
    EXPECT_EQ(bodyColour(), clYellow);
    form->SetActiveControl(nullptr);
    EXPECT_EQ(bodyColour(), clWhite);
    EXPECT_EQ(list->NormalColor(), clWhite);
    list->SetEnabled(false);
    EXPECT_EQ(bodyColour(), kFace);
    list->SetEnabled(true);
    EXPECT_EQ(bodyColour(), clWhite);
    list->SetColor(clAqua);
    EXPECT_EQ(list->FocusColor(), clYellow) << "a focus colour of its own is kept";
    EXPECT_EQ(bodyColour(), clAqua);
}

TEST_F(WsListViewTest, WheelStepsSixteenPixelsPerLineInWholeRows) {
    for (int i = 0; i < 200; ++i) list->Items().Add("", {std::to_string(i)}, 0);
    ASSERT_EQ(list->RowHeight(), 17);
    struct Case {
        unsigned lines;
        int rows;
    };
    const Case cases[] = {
        {0, 0}, {1, 1}, {3, 3}, {10, 9}, {WheelPageScroll, 10}, {0xFFFFFFFE, 200 - 10}};
    for (const Case& c : cases) {
        app.Display().WheelScrollLines = c.lines;
        list->SetTopIndex(c.lines == 0 ? 5 : 0);
        host.Wheel(W(), 200, 150, -1);
        if (c.lines == 0) {
            EXPECT_EQ(list->TopIndex(), 5) << "wheel scrolling is off";
            continue;
        }
        EXPECT_EQ(list->TopIndex(), std::min(c.rows, 200 - list->VisibleRowCount())) << c.lines;
    }
    EXPECT_EQ(list->VisibleRowCount(), 10);
}

TEST_F(WsListViewTest, LastColumnFillsTheRestButNeverBelowFive) {
    list->SetFillLastColumn(true);
    // 398 inside the border, 268 taken by the first three columns.
    EXPECT_EQ(list->Columns()[3]->Width(), 130);
    list->Columns()[1]->SetWidth(277);
    EXPECT_EQ(list->Columns()[3]->Width(), 5) << "3 pixels left";
    list->Columns()[2]->SetWidth(0);
    EXPECT_EQ(list->Columns()[3]->Width(), 103) << "recomputed when a column is hidden";
    for (int i = 0; i < 30; ++i) list->Items().Add("", {"x"}, 0);
    EXPECT_EQ(list->Columns()[3]->Width(), 103 - 17) << "and when the scroll bar appears";
    list->Columns()[1]->SetWidth(500);
    EXPECT_EQ(list->Columns()[3]->Width(), 86) << "nothing left: the width stays";
}

TEST_F(WsListViewTest, CaptionEditingIsGrantedOnlyUnderThePointer) {
    list->Columns()[0]->SetWidth(100);
    AddRows({"a", "b"});
    list->Items()[1]->SetCaption("old");
    host.Click(W(), 300, 28 + 17 + 8);  // row 1, in the "Size" column
    ASSERT_EQ(list->ItemIndex(), 1);
    host.PressKey(vkF2);
    EXPECT_FALSE(list->IsEditing()) << "the pointer is not on the caption";
    host.MouseMove(W(), 11 + 40, 28 + 17 + 8);
    host.PressKey(vkF2);
    ASSERT_TRUE(list->IsEditing());
    host.Type("new");
    host.PressKey(vkReturn);
    EXPECT_FALSE(list->IsEditing());
    EXPECT_EQ(list->Items()[1]->Caption(), "new");
    EXPECT_TRUE(list->Focused()) << "the focus comes back to the list";

    host.PressKey(vkF2);
    ASSERT_TRUE(list->IsEditing());
    host.Type("zzz");
    host.PressKey(vkEscape);
    EXPECT_EQ(list->Items()[1]->Caption(), "new") << "Escape keeps the old caption";

    list->SetEditOnRowClick(true);
    host.MouseMove(W(), 300, 28 + 17 + 8);
    host.PressKey(vkF2);
    EXPECT_TRUE(list->IsEditing()) << "anywhere on the row";
    host.PressKey(vkEscape);
    list->SetReadOnly(true);
    host.PressKey(vkF2);
    EXPECT_FALSE(list->IsEditing());
}

TEST_F(WsListViewTest, ContextMenusForItemsAndForTheBackground) {
    AddRows({"a", "b"});
    TPopupMenu general, special;
    std::vector<std::string> shown;
    general.OnPopup = [&](TObject*, TPoint) { shown.push_back("general"); };
    special.OnPopup = [&](TObject*, TPoint p) {
        shown.push_back("special at " + std::to_string(p.Y));
    };
    TListItem* asked = nullptr;
    list->OnItemContextMenu = [&](TObject*, TListItem* item, TPoint, TPopupMenu*& menu) {
        asked = item;
        if (item->Index() == 1) menu = &special;
    };
    host.Click(W(), 200, 28 + 8, mbRight);
    EXPECT_EQ(asked, list->Items()[0]);
    EXPECT_EQ(shown, std::vector<std::string>{}) << "no menu: nothing shown";
    list->SetPopupMenu(&general);
    host.Click(W(), 200, 28 + 8, mbRight);
    host.Click(W(), 200, 28 + 17 + 8, mbRight);
    EXPECT_EQ(list->ItemIndex(), 1) << "a right click selects the row";
    host.Click(W(), 200, 150, mbRight);  // below the rows
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], "general");
    EXPECT_EQ(shown[1], "special at " + std::to_string(form->ClientToScreen({0, 28 + 17 + 8}).Y));
    EXPECT_EQ(shown[2], "general");
    asked = nullptr;
    host.PressKey(vkF10, ssShift);
    host.PressKey(vkApps);
    EXPECT_EQ(asked, list->Items()[1]);
    EXPECT_EQ(shown.size(), 5u);
}

TEST_F(WsListViewTest, CheckBoxChangesCanBeRefused) {
    list->SetCheckboxes(true);
    AddRows({"a", "b"});
    bool refuse = true;
    std::vector<int> changed;
    list->OnCheckStateChanging = [&](TObject*, TListItem*, bool, bool& allow) {
        if (refuse) allow = false;
    };
    list->OnCheckStateChange = [&](TObject*, TListItem* item) { changed.push_back(item->Index()); };
    host.Click(W(), 11 + 1 + 6, 28 + 8);  // the box of row 0
    EXPECT_FALSE(list->Items()[0]->Checked());
    refuse = false;
    host.Click(W(), 11 + 1 + 6, 28 + 8);
    EXPECT_TRUE(list->Items()[0]->Checked());
    host.Click(W(), 200, 28 + 17 + 8);
    host.PressKey(vkSpace);
    EXPECT_TRUE(list->Items()[1]->Checked());
    EXPECT_EQ(changed, (std::vector<int>{0, 1}));
}

TEST_F(WsListViewTest, CheckChangesMadeInCodeAreAskedAndReportedLikeClicks) {
    list->SetCheckboxes(true);
    AddRows({"a", "b"});
    bool refuse = true;
    std::vector<std::pair<int, bool>> asked;
    std::vector<int> changed;
    list->OnCheckStateChanging = [&](TObject*, TListItem* item, bool checked, bool& allow) {
        asked.emplace_back(item->Index(), checked);
        if (refuse) allow = false;
    };
    list->OnCheckStateChange = [&](TObject*, TListItem* item) { changed.push_back(item->Index()); };
    list->Items()[1]->SetChecked(true);
    EXPECT_FALSE(list->Items()[1]->Checked()) << "refused";
    EXPECT_TRUE(changed.empty());
    refuse = false;
    list->Items()[1]->SetChecked(true);
    list->Items()[1]->SetChecked(true);  // no change, nothing asked
    EXPECT_TRUE(list->Items()[1]->Checked());
    list->Items()[1]->SetChecked(false);
    EXPECT_FALSE(list->Items()[1]->Checked());
    EXPECT_EQ(asked, (std::vector<std::pair<int, bool>>{{1, true}, {1, true}, {1, false}}));
    EXPECT_EQ(changed, (std::vector<int>{1, 1}));
}

TEST_F(WsListViewTest, CustomFrameReplacesTheBorder) {
    EXPECT_EQ(W().PixelColor(10, 10), ColorToRGB(clWindowFrame));
    EXPECT_EQ(list->BodyRect().Top, 1 + 17);
    list->SetFrameVisible(true);
    list->SetFrameColor(clRed);
    host.Advance(1);
    EXPECT_EQ(list->BodyRect().Top, 2 + 17) << "the frame is two pixels deep";
    EXPECT_EQ(W().PixelColor(10, 100), clRed);
    // Under visual themes the platform's frame is preferred, unless custom framing is asked.
    app.Display().VisualThemesActive = true;
    list->SetFramingPreference(fpCustomFraming);
    host.Advance(1);
    EXPECT_FALSE(list->UseThemedFrame());
    EXPECT_EQ(list->BodyRect().Top, 2 + 17);
    EXPECT_EQ(W().PixelColor(10, 100), clRed);
    list->SetFramingPreference(fpXPThemes);
    host.Advance(1);
    EXPECT_TRUE(list->UseThemedFrame());
    EXPECT_EQ(list->BodyRect().Top, 1 + 17);
    EXPECT_NE(W().PixelColor(10, 100), clRed);
}

}  // namespace
