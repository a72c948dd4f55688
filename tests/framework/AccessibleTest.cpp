#include <gmock/gmock.h>

#include "HeadlessApp.h"
#include "framework/Accessible.h"
#include "framework/AccessibleSink.h"
#include "framework/ListView.h"

namespace {

// A windowless control that presses like a button.
class TPressProbe : public TGraphicProbe {
  public:
    using TGraphicProbe::TGraphicProbe;
    void DescribeAccessible(TAccDescription& d) const override {
        TGraphicProbe::DescribeAccessible(d);
        d.Role = arPushButton;
        d.DefaultAction = aaPress;
    }
};

class AccessibleTree : public HeadlessApp {
  protected:
    TRecordingSink sink;
    std::unique_ptr<TForm> form = MakeShownForm(300, 200);

    void SetUp() override { SetAccEventSink(&sink); }
    void TearDown() override { SetAccEventSink(nullptr); }

    // The screen rectangle of a rectangle in the form's client area.
    TRect OnScreen(TRect clientRect) {
        TPoint o = form->ClientToScreen({0, 0});
        return clientRect.Offset(o.X, o.Y);
    }
    TPoint ScreenPoint(int x, int y) { return form->ClientToScreen({x, y}); }
    // The id the next node will get: the difference tells how many nodes were made.
    std::uint32_t NextId() {
        auto probe = std::make_unique<TGraphicProbe>(log, "count", clWhite);
        return probe->Accessible()->Id();
    }
};

TEST(AccessibleCaptionTest, DropsTheAcceleratorMarkAndNamesItsKey) {
    EXPECT_EQ(AccessibleCaption("&Open"), "Open");
    EXPECT_EQ(AccessibleCaption("Save && close"), "Save & close");
    EXPECT_EQ(AccessibleCaption("刷新(&R)"), "刷新");
    EXPECT_EQ(AccessibleCaption("a(&&)"), "a(&)");
    EXPECT_EQ(AccessibleCaption("trailing&"), "trailing&");
    EXPECT_EQ(AccessibleShortcut("刷新(&R)"), "Alt+R");
    EXPECT_EQ(AccessibleShortcut("e&xit"), "Alt+X");
    EXPECT_EQ(AccessibleShortcut("Save && close"), "");
    EXPECT_EQ(AccessibleShortcut("none"), "");
}

TEST_F(AccessibleTree, TheApplicationHoldsItsShownFormsAndIsNamedByItsTitle) {
    TAccessible* root = AccessibleRoot();
    EXPECT_EQ(root->Describe().Role, arApplication);
    EXPECT_EQ(root->Describe().Name, "Vigil");
    EXPECT_EQ(root->Parent(), nullptr);
    ASSERT_EQ(root->ChildCount(), 1);
    TAccessible* window = root->Child(0);
    EXPECT_EQ(window, form->Accessible());
    EXPECT_EQ(window->Parent(), root);
    EXPECT_EQ(window->IndexInParent(), 0);
    EXPECT_EQ(window->Describe().Role, arWindow);
    EXPECT_EQ(window->ScreenBounds(), form->BoundsRect());
    EXPECT_EQ(root->Child(1), nullptr);

    auto dialog = MakeForm<TForm>();
    dialog->SetBorderStyle(bsDialog);
    dialog->Show();
    EXPECT_EQ(sink.Count(root, aeChildren), 1);
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->Child(1)->Describe().Role, arDialog);
    dialog->Hide();
    EXPECT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(sink.Count(root, aeChildren), 2);
}

TEST_F(AccessibleTree, ControlsDescribeNameStatesAndScreenBounds) {
    auto* panel = AddProbe(*form, "panel", Bounds(10, 20, 200, 100), clWhite);
    auto* edit = AddProbe(*panel, "edit", Bounds(5, 6, 50, 20), clWhite);
    edit->SetTabStop(true);
    edit->SetCaption("&Name");
    edit->SetHint("Who it is|longer help");
    auto* press = AddProbe<TPressProbe>(*panel, "press", Bounds(100, 6, 40, 20), clWhite);
    press->SetCaption("Sa&ve");

    TAccDescription d = edit->Accessible()->Describe();
    EXPECT_EQ(d.Role, arPane);
    EXPECT_EQ(d.Name, "Name");
    EXPECT_EQ(d.Description, "Who it is");
    EXPECT_EQ(d.Shortcut, "Alt+N");
    EXPECT_TRUE(d.States & asFocusable);
    EXPECT_EQ(edit->Accessible()->ScreenBounds(), OnScreen(Bounds(15, 26, 50, 20)));
    EXPECT_EQ(edit->Accessible()->Parent(), panel->Accessible());
    EXPECT_EQ(panel->Accessible()->Child(1), press->Accessible());
    EXPECT_EQ(press->Accessible()->IndexInParent(), 1);

    edit->SetFocus();
    EXPECT_TRUE(edit->Accessible()->Describe().States & asFocused);
    EXPECT_FALSE(press->Accessible()->Describe().States & (asFocusable | asFocused));

    // A part cut off by its parent is cut off on the screen too.
    press->SetLeft(180);
    EXPECT_EQ(press->Accessible()->ScreenBounds(), OnScreen(Bounds(190, 26, 20, 20)));

    panel->SetEnabled(false);
    EXPECT_TRUE(press->Accessible()->Describe().States & asDisabled);
    EXPECT_FALSE(press->Accessible()->DoDefaultAction());
    panel->SetEnabled(true);
    EXPECT_TRUE(press->Accessible()->DoDefaultAction());
    EXPECT_EQ(Take("click"), std::vector<std::string>{"click press"});

    panel->Hide();
    EXPECT_TRUE(edit->Accessible()->Describe().States & asInvisible);
    EXPECT_TRUE(edit->Accessible()->ScreenBounds().IsEmpty());
    EXPECT_FALSE(edit->Accessible()->Focus());
}

TEST_F(AccessibleTree, NodeAtFindsTheFrontMostControlUnderAScreenPoint) {
    auto* back = AddProbe(*form, "back", Bounds(10, 10, 100, 100), clWhite);
    auto* front = AddProbe<TGraphicProbe>(*back, "front", Bounds(10, 10, 20, 20), clWhite);
    auto* hidden = AddProbe<TGraphicProbe>(*back, "hidden", Bounds(40, 10, 20, 20), clWhite);
    hidden->Hide();
    TAccessible* root = AccessibleRoot();
    EXPECT_EQ(root->NodeAt(ScreenPoint(25, 25)), front->Accessible());
    EXPECT_EQ(root->NodeAt(ScreenPoint(55, 25)), back->Accessible());
    EXPECT_EQ(root->NodeAt(ScreenPoint(250, 150)), form->Accessible());
    EXPECT_EQ(root->NodeAt({0, 0}), nullptr);
}

TEST_F(AccessibleTree, KeysAndChangesAreToldWhileAListenerIsThere) {
    auto* first = AddProbe(*form, "first", Bounds(10, 10, 20, 20), clWhite);
    auto* second = AddProbe(*form, "second", Bounds(40, 10, 20, 20), clWhite);
    first->SetTabStop(true);
    second->SetTabStop(true);
    first->SetFocus();
    // Without a listener nothing is made or told.
    SetAccEventSink(nullptr);
    const std::uint32_t before = NextId();
    host.PressKey(vkTab);
    EXPECT_EQ(NextId(), before + 1);
    SetAccEventSink(&sink);
    sink.events.clear();
    // Nodes nobody asked about tell nothing, except where the focus went.
    second->SetCaption("renamed");
    EXPECT_TRUE(sink.events.empty());

    TAccessible* a = first->Accessible();
    TAccessible* b = second->Accessible();
    host.PressKey(vkTab);
    EXPECT_EQ(sink.Count(a, aeFocus), 1);
    host.PressKey(vkTab);
    EXPECT_EQ(sink.Count(b, aeFocus), 1);
    EXPECT_TRUE(b->Describe().States & asFocused);

    second->SetCaption("again");
    EXPECT_EQ(sink.Count(b, aeName), 1);
    second->SetEnabled(false);
    second->SetVisible(false);
    EXPECT_EQ(sink.Count(b, aeState), 2);

    TAccessible* formNode = form->Accessible();
    auto* third = AddProbe(*form, "third", Bounds(70, 10, 20, 20), clWhite);
    EXPECT_EQ(sink.Count(formNode, aeChildren), 1);
    TAccessible* c = third->Accessible();
    form->RemoveControl(third).reset();
    EXPECT_EQ(sink.Count(formNode, aeChildren), 2);
    EXPECT_EQ(sink.Count(c, aeDestroyed), 1);
}

class AccessibleTable : public AccessibleTree {
  protected:
    TCustomListView* list = nullptr;

    void SetUp() override {
        AccessibleTree::SetUp();
        list = form->InsertControl(std::make_unique<TCustomListView>());
        list->SetBounds(10, 10, 280, 180);
        list->SetViewStyle(vsReport);
        list->SetTabStop(true);
        for (const char* c : {"&When", "Who"}) list->Columns().Add()->SetCaption(c);
        list->Items().BeginUpdate();
        for (int i = 0; i < 100'000; ++i)
            list->Items().Add("row " + std::to_string(i), {"u" + std::to_string(i)});
        list->Items().EndUpdate();
        host.Advance(1);
    }
    TAccTable& Table() { return *list->Accessible()->Table(); }
};

TEST_F(AccessibleTable, ExposesRowsColumnsAndHeadersAndMakesOnlyTheRowsAskedFor) {
    std::uint32_t before = NextId();
    TAccessible* node = list->Accessible();
    EXPECT_EQ(node->Describe().Role, arTable);
    ASSERT_NE(node->Table(), nullptr);
    EXPECT_EQ(Table().RowCount(), 100'000);
    EXPECT_EQ(Table().ColumnCount(), 2);
    EXPECT_EQ(node->ChildCount(), 100'002);
    EXPECT_EQ(Table().ColumnHeaderText(0), "When");
    EXPECT_EQ(Table().CellText(99'999, 1), "u99999");
    EXPECT_EQ(Table().CellText(100'000, 0), "");
    TAccessible* last = Table().Row(99'999);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->Describe().Role, arRow);
    EXPECT_EQ(last->Describe().Name, "row 99999, u99999");
    EXPECT_EQ(node->Child(100'001), last);
    EXPECT_EQ(last->IndexInParent(), 100'001);
    EXPECT_EQ(Table().Row(99'999), last);
    // The list node and one row: counting and reading texts made nothing else.
    EXPECT_EQ(NextId() - before - 1, 2u);

    TAccessible* header = node->Child(1);
    EXPECT_EQ(header->Describe().Role, arColumnHeader);
    EXPECT_EQ(header->Describe().Name, "Who");
    TAccessible* cell = Table().Cell(2, 1);
    EXPECT_EQ(cell->Describe().Role, arCell);
    EXPECT_EQ(cell->Describe().Name, "u2");
    EXPECT_EQ(cell->Parent(), Table().Row(2));
    int row = -1, column = -1;
    ASSERT_TRUE(cell->TablePosition(row, column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 1);
    EXPECT_EQ(Table().Row(100'000), nullptr);
    EXPECT_EQ(Table().Cell(0, 2), nullptr);
}

TEST_F(AccessibleTable, RowBoundsFollowScrollingAndHiddenRowsAreInvisible) {
    TAccessible* first = Table().Row(0);
    TRect item = list->ItemRect(0);
    TPoint o = list->FormOrigin();
    EXPECT_EQ(first->ScreenBounds(), OnScreen(item.Offset(o.X, o.Y)));
    EXPECT_FALSE(first->Describe().States & asInvisible);
    TAccessible* far = Table().Row(5'000);
    EXPECT_TRUE(far->Describe().States & asInvisible);
    EXPECT_TRUE(far->ScreenBounds().IsEmpty());
    TRect cell = Table().Cell(0, 1)->ScreenBounds();
    EXPECT_EQ(AccessibleRoot()->NodeAt({cell.Left + 2, cell.Top + 2}), Table().Cell(0, 1));

    ASSERT_TRUE(far->DoDefaultAction());
    EXPECT_EQ(list->ItemIndex(), 5'000);
    EXPECT_EQ(Table().SelectedRow(), 5'000);
    EXPECT_FALSE(far->Describe().States & asInvisible);
    EXPECT_TRUE(far->Describe().States & asSelected);
    EXPECT_TRUE(first->Describe().States & asInvisible);
    EXPECT_FALSE(Table().SelectRow(-1));
}

TEST_F(AccessibleTable, SelectionByMouseAndKeysIsTold) {
    TAccessible* node = list->Accessible();
    TPoint o = list->FormOrigin();
    TRect second = list->ItemRect(1).Offset(o.X, o.Y);
    host.Click(WindowOf(*form), second.Left + 5, second.Top + 3);
    TAccessible* row1 = Table().Row(1);
    EXPECT_EQ(sink.Count(row1, aeSelection), 1);
    EXPECT_EQ(sink.Count(row1, aeFocus), 1);
    EXPECT_EQ(sink.Count(node, aeFocus), 1);
    EXPECT_TRUE(row1->Describe().States & asFocused);

    host.PressKey(vkDown);
    TAccessible* row2 = Table().Row(2);
    EXPECT_EQ(sink.Count(row2, aeSelection), 1);
    EXPECT_TRUE(row2->Describe().States & asSelected);
    EXPECT_FALSE(row1->Describe().States & asSelected);
}

TEST_F(AccessibleTable, RowNodesFollowTheirItemsThroughSortingAndGoWithThem) {
    TAccessible* node = list->Accessible();
    TAccessible* row = Table().Row(3);
    list->CustomSort([](const TListItem& a, const TListItem& b) { return b.Index() - a.Index(); });
    EXPECT_EQ(sink.Count(node, aeChildren), 1);
    EXPECT_EQ(Table().Row(99'996), row);
    EXPECT_EQ(row->Describe().Name, "row 3, u3");
    int r = -1, c = 0;
    ASSERT_TRUE(row->TablePosition(r, c));
    EXPECT_EQ(r, 99'996);
    EXPECT_EQ(c, -1);

    list->Items().Delete(99'996);
    EXPECT_EQ(sink.Count(row, aeDestroyed), 1);
    EXPECT_EQ(Table().RowCount(), 99'999);

    TAccessible* header = Table().ColumnHeader(0);
    list->Columns().Add()->SetCaption("More");
    EXPECT_EQ(sink.Count(header, aeDestroyed), 1);
    EXPECT_EQ(Table().ColumnHeaderText(2), "More");
    EXPECT_EQ(node->ChildCount(), 3 + 99'999);
}

}  // namespace
