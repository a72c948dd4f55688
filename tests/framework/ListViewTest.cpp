#include "HeadlessApp.h"
#include "framework/ListView.h"

namespace {

// A 300 x 200 report list at (10, 10) with three columns of 100, 80 and 60 pixels. Its font
// measures 13 pixels, so rows are 15 high and the header 17: the body starts 18 pixels down
// (under the one-pixel border) and holds 12 whole rows.
class ListViewTest : public HeadlessApp {
  protected:
    std::unique_ptr<TForm> form = MakeShownForm(400, 300, clWhite);
    TCustomListView* list = nullptr;

    void SetUp() override {
        list = form->InsertControl(std::make_unique<TCustomListView>());
        list->SetBounds(10, 10, 300, 200);
        list->SetViewStyle(vsReport);
        for (int w : {100, 80, 60}) list->Columns().Add()->SetWidth(w);
        host.Advance(1);
    }
    void Fill(int n) {
        list->Items().BeginUpdate();
        for (int i = 0; i < n; ++i)
            list->Items().Add("row " + std::to_string(i), {"a" + std::to_string(i), "b"});
        list->Items().EndUpdate();
        host.Advance(1);
    }
    THeadlessWindow& W() { return WindowOf(*form); }
    // Form coordinates of a point in row r (counted from the top of the body), column x.
    TPoint RowPoint(int r, int x = 50) { return {10 + x, 10 + 18 + r * 15 + 7}; }
    void ClickRow(int r, TShiftState held = 0) {
        TPoint p = RowPoint(r);
        if (held) host.KeyDown(held & ssShift ? vkShift : vkControl, held);
        host.Click(W(), p.X, p.Y);
        if (held) host.KeyUp(held & ssShift ? vkShift : vkControl, 0);
    }
    std::vector<int> SelectedRows() {
        std::vector<int> out;
        for (int i = 0; i < list->Items().Count(); ++i)
            if (list->Items()[i]->Selected()) out.push_back(i);
        return out;
    }
};

TEST_F(ListViewTest, ItemTextsSubItemsAndLimits) {
    TListItem* item = list->Items().Add();
    EXPECT_EQ(item->ImageIndex(), 0) << "a new item shows image 0";
    EXPECT_EQ(item->StateIndex(), -1);
    item->SetSubItem(2, "third");
    EXPECT_EQ(item->SubItemCount(), 3);
    EXPECT_EQ(item->SubItem(0), "");
    EXPECT_EQ(item->SubItem(2), "third");
    EXPECT_EQ(item->SubItem(7), "") << "beyond the sub-items reads empty";
    item->SetCaption("cap");
    item->SetSubItem(0, "first");
    EXPECT_EQ(item->Text(0), "cap");
    EXPECT_EQ(item->Text(1), "first");
    EXPECT_EQ(item->Text(3), "third");
    item->SetSubItem(0, std::string_view("x\0y", 3));
    EXPECT_EQ(item->SubItem(0), "x") << "a NUL ends a text instead of splitting it";
    EXPECT_EQ(item->SubItem(2), "third");
    item->ClearSubItems();
    EXPECT_EQ(item->SubItemCount(), 0);
    EXPECT_EQ(item->Caption(), "cap");
    item->SetSubItem(-1, "ignored");
    item->SetText(70000, "ignored");
    EXPECT_EQ(item->SubItemCount(), 0);
}

TEST_F(ListViewTest, ColumnWidthFollowsTheLimitsInForceWhenSet) {
    TListColumn* c = list->Columns()[1];
    struct Step {
        const char* what;
        int min, max, width;  // the assignment made after setting the limits
        int expected;
    };
    const Step steps[] = {
        {"below MinWidth", 30, 0, 10, 30},
        {"above MaxWidth", 0, 1, 100, 1},
        {"inside the limits", 10, 90, 50, 50},
        {"zero under a minimum", 20, 0, 0, 20},
        {"both: the minimum is looked at first", 40, 30, 35, 40},
    };
    for (const Step& s : steps) {
        c->SetMinWidth(s.min);
        c->SetMaxWidth(s.max);
        c->SetWidth(s.width);
        EXPECT_EQ(c->Width(), s.expected) << s.what;
    }
    c->SetMinWidth(0);
    c->SetMaxWidth(1);
    c->SetWidth(100);
    EXPECT_EQ(c->Width(), 1);
    c->SetMaxWidth(0);
    EXPECT_EQ(c->Width(), 1) << "lifting the limit leaves the width";
    EXPECT_EQ(list->Header()->SectionWidth(1), 1);
}

TEST_F(ListViewTest, AutoSizeColumnsShareWhatIsLeft) {
    // The inner width is 298; without a vertical scroll bar all of it is available.
    list->Columns()[1]->SetAutoSize(true);
    EXPECT_EQ(list->Columns()[1]->Width(), 298 - 160);
    list->Columns()[2]->SetAutoSize(true);
    EXPECT_EQ(list->Columns()[1]->Width(), 99) << "198 / 2, the first takes the remainder";
    EXPECT_EQ(list->Columns()[2]->Width(), 99);
    list->Columns()[2]->SetMaxWidth(40);
    list->Columns()[2]->SetWidth(1);  // any change of widths lays the columns out again
    EXPECT_EQ(list->Columns()[2]->Width(), 40);
    EXPECT_EQ(list->Columns()[1]->Width(), 158) << "the other takes what the limited one left";

    // Enough rows for a vertical scroll bar: the auto-sized columns give it room at once.
    Fill(50);
    ASSERT_TRUE(list->VertScrollBar()->Visible());
    EXPECT_EQ(list->Columns()[1]->Width(), 158 - 17);
    EXPECT_FALSE(list->HorzScrollBar()->Visible());
    list->Columns()[0]->SetWidth(0);
    EXPECT_EQ(list->Columns()[1]->Width(), 258 - 17) << "a hidden column frees its room";
}

TEST_F(ListViewTest, DividerDragShowsUnclampedAndKeepsClampedWidth) {
    TListColumn* c = list->Columns()[0];
    c->SetMaxWidth(1);
    c->SetWidth(100);
    ASSERT_EQ(c->Width(), 1);
    host.Advance(1);
    // The divider of column 0 is at x = 1 in the header; column 1's at 81.
    int y = 10 + 8;
    host.MouseDown(W(), 10 + 1 + 1, y);
    host.MouseMove(W(), 10 + 1 + 61, y);
    EXPECT_EQ(list->Header()->SectionWidth(0), 61) << "dragging draws the width the pointer gives";
    EXPECT_EQ(list->DisplayWidth(0), 61);
    EXPECT_EQ(c->Width(), 1) << "the stored width waits for the release";
    host.MouseUp(W(), 10 + 1 + 61, y);
    EXPECT_EQ(c->Width(), 1);
    EXPECT_EQ(list->Header()->SectionWidth(0), 1);

    // A column without limits keeps where it was dropped.
    TListColumn* d = list->Columns()[1];
    int divider = 10 + 1 + 1 + 80;
    host.MouseDown(W(), divider, y);
    host.MouseUp(W(), divider + 25, y);
    host.MouseDown(W(), divider, y);
    host.MouseMove(W(), divider + 25, y);
    host.MouseUp(W(), divider + 25, y);
    EXPECT_EQ(d->Width(), 105);
}

TEST_F(ListViewTest, DividerDoubleClickSizesToTheTextsWithinTheLimits) {
    Fill(3);
    list->Items()[1]->SetSubItem(0, "a much longer text than the others");
    TListColumn* c = list->Columns()[1];
    int divider = 10 + 1 + 100 + 80;
    host.DoubleClick(W(), divider, 18);
    int wide = c->Width();
    EXPECT_EQ(wide, list->ContentWidth(1));
    EXPECT_GT(wide, 80);
    c->SetWidth(0);
    c->SetMaxWidth(1);
    host.Advance(1);
    // Columns 1 ends where column 0 ends now: the later divider, the hidden column's, is taken.
    host.DoubleClick(W(), 10 + 1 + 100, 18);
    EXPECT_EQ(c->Width(), 1) << "a hidden column is not opened by a double-click";
}

TEST_F(ListViewTest, ClicksAndKeysSelectAndScroll) {
    Fill(100);
    list->SetFocus();
    ClickRow(2);
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->ItemFocused(), list->Items()[2]);
    struct KeyStep {
        TKey key;
        int focus;
        int top;
    };
    const KeyStep steps[] = {
        {vkDown, 3, 0},  {vkUp, 2, 0},    {vkNext, 11, 0}, {vkNext, 22, 11}, {vkPrior, 11, 11},
        {vkPrior, 0, 0}, {vkEnd, 99, 88}, {vkHome, 0, 0},  {vkUp, 0, 0},
    };
    for (const KeyStep& s : steps) {
        host.PressKey(s.key);
        EXPECT_EQ(list->ItemIndex(), s.focus) << "key " << s.key;
        EXPECT_EQ(list->TopIndex(), s.top) << "key " << s.key;
        EXPECT_EQ(list->SelCount(), 1);
    }
    ClickRow(5);
    EXPECT_EQ(SelectedRows(), std::vector<int>{5});
    list->Items().Clear();
    Fill(3);
    ClickRow(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    ClickRow(6);  // below the rows
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(ListViewTest, MultiSelectRangesAndToggles) {
    Fill(20);
    list->SetMultiSelect(true);
    list->SetFocus();
    ClickRow(2);
    ClickRow(5, ssShift);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
    ClickRow(3, ssCtrl);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 4, 5}));
    ClickRow(8, ssShift);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5, 6, 7, 8})) << "from the new anchor";
    host.PressKey(vkDown, ssShift);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9}));
    host.PressKey(vkDown, ssCtrl);
    EXPECT_EQ(list->ItemFocused()->Index(), 10);
    EXPECT_FALSE(list->Items()[10]->Selected()) << "Ctrl+arrow moves only the focus";
    host.PressKey(vkSpace, ssCtrl);
    EXPECT_TRUE(list->Items()[10]->Selected());
    ClickRow(1);
    EXPECT_EQ(SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(list->SelCount(), 1);

    list->SetMultiSelect(false);
    list->Items()[4]->SetSelected(true);
    list->Items()[6]->SetSelected(true);
    EXPECT_EQ(SelectedRows(), std::vector<int>{6}) << "one selection without multi-select";
    list->Items().Delete(6);
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->Selected(), nullptr);
}

TEST_F(ListViewTest, WheelCollectsFineStepsAndPagesInPageMode) {
    Fill(100);
    struct Case {
        unsigned lines;
        std::vector<int> deltas;  // wheel events in order, positive away from the user
        int top;                  // from a start at row 40
    };
    const Case cases[] = {
        {3, {-120}, 43},
        {3, {-60, -60}, 43},  // two half notches are one notch
        {3, {-60}, 40},
        {3, {-60, 60, -60}, 40},  // a turn back starts afresh
        {3, {120, 120}, 34},
        {1, {-360}, 43},
        {WheelPageScroll, {-120}, 52},  // one page of 12 rows, not an overflow
        {WheelPageScroll, {120}, 28},
        {0x7FFFFFFF, {-120}, 88},  // clamped to the last page
        {3, {-120 * 1000}, 88},
    };
    for (const Case& c : cases) {
        app.Display().WheelScrollLines = c.lines;
        list->SetTopIndex(40);
        // A fresh accumulator for each case: a turn the other way clears what was left.
        host.Wheel(W(), 50, 100, 1);
        host.Wheel(W(), 50, 100, -1);
        list->SetTopIndex(40);
        for (int d : c.deltas) W().Events().HostMouseWheel(d, {60, 100}, 0);
        EXPECT_EQ(list->TopIndex(), c.top) << c.lines << " lines, first delta " << c.deltas[0];
    }
}

}  // namespace

namespace {

TEST_F(ListViewTest, ScrollBarsFollowTheContentAndScrollIt) {
    EXPECT_FALSE(list->VertScrollBar()->Visible());
    Fill(100);
    TScrollBar* v = list->VertScrollBar();
    ASSERT_TRUE(v->Visible());
    // Beside the body and the header, inside the border.
    EXPECT_EQ(v->BoundsRect(), Bounds(300 - 1 - 17, 1, 17, 198));
    EXPECT_EQ(list->BodyRect().Right, 300 - 1 - 17);
    EXPECT_EQ(v->MaxPosition(), 100 - 12);
    // Drag the thumb to the far end of the track.
    TRect thumb = v->ThumbRect();
    int x = 10 + v->Left() + 8, y = 10 + v->Top() + thumb.Top + 2;
    host.MouseDown(W(), x, y);
    host.MouseMove(W(), x, y + 500);
    host.MouseUp(W(), x, y + 500);
    EXPECT_EQ(list->TopIndex(), 88);
    host.Click(W(), x, 10 + v->Top() + 5);  // the up arrow
    EXPECT_EQ(list->TopIndex(), 87);
    EXPECT_EQ(list->ItemAtPos({50, 18 + 1}), 87) << "hit tests start at the top row";

    // Columns wider than the body call for the horizontal bar, which the header follows.
    EXPECT_FALSE(list->HorzScrollBar()->Visible());
    list->Columns()[2]->SetWidth(200);
    ASSERT_TRUE(list->HorzScrollBar()->Visible());
    EXPECT_EQ(list->VisibleRowCount(), (200 - 2 - 17 - 17) / 15);
    list->SetFocus();
    host.PressKey(vkRight);
    EXPECT_EQ(list->HorzScrollPos(), 16);
    EXPECT_EQ(list->Header()->ScrollOffset(), 16);
    EXPECT_EQ(list->Header()->SectionRect(0).Left, -16);
    list->SetHorzScrollPos(100000);
    EXPECT_EQ(list->HorzScrollPos(), 380 - (300 - 2 - 17));
}

TEST_F(ListViewTest, ShrunkToNothingAndGrownBack) {
    Fill(30);
    list->SetTopIndex(10);
    for (TSize s : {TSize{0, 0}, TSize{1, 1}, TSize{17, 300}, TSize{300, 17}, TSize{40, 40}}) {
        list->SetBounds(10, 10, s.cx, s.cy);
        host.Advance(1);
        host.Click(W(), 12, 12);
        host.Wheel(W(), 12, 12, -1);
        host.PressKey(vkNext);
        EXPECT_GE(list->BodyRect().Width(), 0);
        EXPECT_GE(list->BodyRect().Height(), 0);
        EXPECT_LE(list->TopIndex(), 30);
    }
    list->SetBounds(10, 10, 300, 200);
    host.Advance(1);
    EXPECT_EQ(list->BodyRect(), Rect(1, 18, 300 - 1 - 17, 199));
    EXPECT_EQ(list->Header()->BoundsRect(), Bounds(1, 1, 300 - 2 - 17, 17));
    EXPECT_EQ(list->VisibleRowCount(), 12);
    EXPECT_LE(list->TopIndex(), 30 - 12);
}

TEST_F(ListViewTest, SelectionColoursByFocusAndHideSelection) {
    Fill(5);
    list->SetRowSelect(true);
    list->SetGridLines(true);
    list->SetHideSelection(false);
    list->SetFocus();
    ClickRow(1);
    host.Advance(1);
    TPoint cell = RowPoint(1, 150);  // inside column 1, away from its text
    cell.Y -= 6;
    EXPECT_EQ(W().PixelColor(cell.X + 60, cell.Y), ColorToRGB(clHighlight));
    EXPECT_EQ(W().PixelColor(cell.X + 60, RowPoint(2).Y), ColorToRGB(clWindow));
    // The grid: one line at the bottom of each row, one at the right end of each column.
    EXPECT_EQ(W().PixelColor(200, 10 + 18 + 15 - 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(W().PixelColor(10 + 1 + 100 - 1, 10 + 150), ColorToRGB(clBtnFace));
    form->SetActiveControl(nullptr);
    host.Advance(1);
    EXPECT_EQ(W().PixelColor(cell.X + 60, cell.Y), ColorToRGB(clBtnFace))
        << "kept visible without the focus";
    list->SetHideSelection(true);
    host.Advance(1);
    EXPECT_EQ(W().PixelColor(cell.X + 60, cell.Y), ColorToRGB(clWindow));
}

TEST_F(ListViewTest, FocusRectangleMarksTheFocusedRow) {
    Fill(5);
    list->SetRowSelect(true);
    list->SetFocus();
    ClickRow(2);
    host.Advance(1);
    // The dotted frame inverts every other pixel of the row's outline, starting at its corner.
    int top = 10 + 18 + 2 * 15, left = 10 + 1;
    TColor corner = W().PixelColor(left, top), next = W().PixelColor(left + 1, top);
    EXPECT_NE(corner, ColorToRGB(clHighlight));
    EXPECT_EQ(next, ColorToRGB(clHighlight));
    form->SetActiveControl(nullptr);
    host.Advance(1);
    EXPECT_EQ(W().PixelColor(left, top), ColorToRGB(clWindow))
        << "no focus: no frame, selection hidden";
}

TEST_F(ListViewTest, InplaceEditorTypesAndDeletesWholeCharacters) {
    Fill(3);
    list->SetFocus();
    ClickRow(0);
    ASSERT_TRUE(list->EditCaption(list->Items()[0]));
    TInplaceEdit* edit = list->Editor();
    EXPECT_EQ(edit->Text(), "row 0");
    EXPECT_TRUE(edit->HasSelection()) << "starts with everything selected";
    host.Type("日志x");
    EXPECT_EQ(edit->Text(), "日志x");
    host.PressKey(vkBack);
    host.PressKey(vkBack);
    EXPECT_EQ(edit->Text(), "日");
    host.PressKey(vkHome);
    host.Type("a");
    host.PressKey(vkEnd, ssShift);
    EXPECT_TRUE(edit->HasSelection());
    host.PressKey(vkLeft);
    EXPECT_EQ(edit->CaretPos(), 1) << "Left first collapses the selection to its start";
    host.PressKey(vkDelete);
    EXPECT_EQ(edit->Text(), "a");
    std::string seen;
    list->OnEdited = [&](TObject*, TListItem*, std::string& s) {
        seen = s;
        s += "!";
    };
    host.PressKey(vkReturn);
    EXPECT_EQ(seen, "a");
    EXPECT_EQ(list->Items()[0]->Caption(), "a!") << "the handler may change the text";
    EXPECT_FALSE(list->IsEditing());

    list->OnEditing = [](TObject*, TListItem*, bool& allow) { allow = false; };
    EXPECT_FALSE(list->EditCaption(list->Items()[1]));
    list->OnEditing = nullptr;
    ASSERT_TRUE(list->EditCaption(list->Items()[1]));
    list->Items().Clear();
    EXPECT_FALSE(list->IsEditing()) << "the edited row went away";
}

TEST_F(ListViewTest, SlowSecondClickStartsEditingButADoubleClickDoesNot) {
    Fill(3);
    list->SetFocus();
    ClickRow(1);
    host.Advance(600);
    ClickRow(1);
    EXPECT_FALSE(list->IsEditing());
    host.Advance(500);
    EXPECT_TRUE(list->IsEditing());
    host.PressKey(vkEscape);
    host.Advance(600);
    TPoint p = RowPoint(1);
    host.DoubleClick(W(), p.X, p.Y);
    host.Advance(1000);
    EXPECT_FALSE(list->IsEditing());
}

}  // namespace

namespace {

TEST_F(ListViewTest, DefaultHeaderFaceShowsTheColumnImageBeforeItsCaption) {
    TImageList images(nullptr, 8, 8);
    images.Add(TPixelBuffer(8, 8, PixelFromRGB(clRed)));
    list->SetSmallImages(&images);
    list->Columns()[1]->SetCaption("Size");
    list->Columns()[1]->SetImageIndex(0);
    list->Columns()[0]->SetCaption("Name");
    host.Advance(1);
    // Section 1 starts at form x 111; its face is inset 6 across and 2 down.
    const int left = 111 + 6, top = 11 + 2;
    int red = 0;
    for (int y = 11; y < 28; ++y)
        for (int x = 11; x < 311; ++x) red += W().PixelColor(x, y) == clRed;
    EXPECT_EQ(red, 64) << "one whole image, in the column that names it";
    EXPECT_EQ(W().PixelColor(left, top), clRed);
    EXPECT_EQ(W().PixelColor(left + 7, top + 7), clRed);
    int ink = -1;
    for (int x = 111; x < 181 && ink < 0; ++x)
        for (int y = 13; y < 26; ++y)
            if (GetRValue(W().PixelColor(x, y)) < 128) ink = x;  // dark caption ink
    EXPECT_GE(ink, left + 8 + 4) << "the caption follows the image after a gap of 4";
}

}  // namespace
