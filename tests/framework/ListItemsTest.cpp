#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/ListItems.h"

namespace {

void* Key(std::uintptr_t n) {
    return reinterpret_cast<void*>(n);
}

std::vector<std::string> Texts(const TListItem& item) {
    std::vector<std::string> out;
    for (int c = 0; c <= item.SubItemCount(); ++c) out.emplace_back(item.Text(c));
    return out;
}

TEST(ListItemTexts, KeptTextsRoundTripWhateverTheirLengthAndScript) {
    TListItems items(nullptr);
    const std::string longText(100000, 'x');
    TListItem* item = items.Add("开机", {"", "Zoë Ångström", longText, ""}, 1);
    EXPECT_EQ(Texts(*item), (std::vector<std::string>{"开机", "", "Zoë Ångström", longText, ""}));
    EXPECT_EQ(item->StateIndex(), 1);

    item->SetSubItem(6, "far");
    EXPECT_EQ(item->SubItemCount(), 7) << "the gap is filled with empty texts";
    EXPECT_EQ(item->SubItem(5), "");
    EXPECT_EQ(item->SubItem(6), "far");
    item->SetSubItem(2, "short");
    EXPECT_EQ(item->SubItem(2), "short");
    EXPECT_EQ(item->SubItem(6), "far") << "a shorter text moves the later ones back";

    // A text set from a view of the same row's texts.
    item->SetSubItem(6, item->Caption());
    item->SetCaption(item->SubItem(1));
    EXPECT_EQ(item->SubItem(6), "开机");
    EXPECT_EQ(item->Caption(), "Zoë Ångström");
}

TEST(ListItemTexts, EmptyRowsAndEmptiedRows) {
    TListItems items(nullptr);
    TListItem* blank = items.Add();
    EXPECT_EQ(blank->Caption(), "");
    EXPECT_EQ(blank->SubItemCount(), 0);
    TListItem* empties = items.Add("", {"", ""});
    EXPECT_EQ(Texts(*empties), (std::vector<std::string>{"", "", ""}));
    empties->SetSubItem(0, "a");
    empties->SetSubItem(0, "");
    EXPECT_EQ(Texts(*empties), (std::vector<std::string>{"", "", ""}));
    empties->SetCaption("cap");
    empties->ClearSubItems();
    EXPECT_EQ(Texts(*empties), (std::vector<std::string>{"cap"}));
}

// A source that makes "<key>:<column>" for each of three columns and counts its calls.
struct CountingSource {
    int calls = 0;
    std::string tag = "";
    void Install(TListItems& items) {
        items.SetRowSource([this](const TListItem& item, std::vector<std::string>& texts) {
            ++calls;
            EXPECT_TRUE(texts.empty()) << "the list hands in no texts";
            const auto key = reinterpret_cast<std::uintptr_t>(item.Data());
            for (int c = 0; c < 3; ++c)
                texts.push_back(tag + std::to_string(key) + ":" + std::to_string(c));
        });
    }
};

TEST(ListRowSource, RowsWithoutTextsReadTheSourceOncePerRow) {
    TListItems items(nullptr);
    CountingSource source;
    source.Install(items);
    TListItem* a = items.AddFromSource(Key(7), 1);
    TListItem* b = items.AddFromSource(Key(8));
    EXPECT_EQ(a->StateIndex(), 1);
    EXPECT_EQ(b->StateIndex(), -1);
    EXPECT_EQ(Texts(*a), (std::vector<std::string>{"7:0", "7:1", "7:2"}));
    EXPECT_EQ(source.calls, 1) << "every column of one row from one call";
    EXPECT_EQ(a->SubItem(5), "");

    // Two rows read in turn, as a sort compares them: both views stay good.
    std::string_view fromA = a->SubItem(0);
    std::string_view fromB = b->SubItem(0);
    EXPECT_EQ(fromA, "7:1");
    EXPECT_EQ(fromB, "8:1");
    EXPECT_EQ(source.calls, 2);
    for (int i = 0; i < 10; ++i) EXPECT_LT(a->Text(2), b->Text(2));
    EXPECT_EQ(source.calls, 2) << "the last two rows read are kept";
    EXPECT_EQ(b->Caption(), "8:0");

    TListItem* c = items.AddFromSource(Key(9));
    EXPECT_EQ(c->Caption(), "9:0");
    EXPECT_EQ(b->Caption(), "8:0");
    EXPECT_EQ(source.calls, 3) << "c pushed out a, the older of the two";
    EXPECT_EQ(a->Caption(), "7:0");
    EXPECT_EQ(source.calls, 4);
}

TEST(ListRowSource, ARowGivenATextKeepsTheOthersItWasShowing) {
    TListItems items(nullptr);
    CountingSource source;
    source.Install(items);
    TListItem* item = items.AddFromSource(Key(3));
    item->SetSubItem(0, "own");
    source.tag = "new ";
    EXPECT_EQ(Texts(*item), (std::vector<std::string>{"3:0", "own", "3:2"}));
    const int calls = source.calls;
    EXPECT_EQ(item->Caption(), "3:0");
    EXPECT_EQ(source.calls, calls) << "the row keeps its own texts now";

    TListItem* other = items.AddFromSource(Key(4));
    other->SetSubItem(4, "x");
    EXPECT_EQ(other->SubItemCount(), 5);
    EXPECT_EQ(other->SubItem(1), "new 4:2");
    TListItem* cleared = items.AddFromSource(Key(5));
    cleared->ClearSubItems();
    EXPECT_EQ(Texts(*cleared), (std::vector<std::string>{"new 5:0"}));
}

TEST(ListRowSource, RemovedRowsAndANewSourceAreNotReadFromOldTexts) {
    TListItems items(nullptr);
    CountingSource source;
    source.Install(items);
    items.AddFromSource(Key(1));
    EXPECT_EQ(items[0]->Caption(), "1:0");
    // The next row may well be allocated where the deleted one was.
    items.Delete(0);
    items.AddFromSource(Key(2));
    EXPECT_EQ(items[0]->Caption(), "2:0");
    items.Clear();
    items.AddFromSource(Key(3));
    EXPECT_EQ(items[0]->Caption(), "3:0");

    items.SetRowSource([](const TListItem&, std::vector<std::string>& texts) {
        texts.assign({"other", std::string("cut\0here", 8)});
    });
    EXPECT_EQ(Texts(*items[0]), (std::vector<std::string>{"other", "cut"}));
    items.SetRowSource({});
    EXPECT_EQ(Texts(*items[0]), (std::vector<std::string>{""})) << "no source, no texts";
}

TEST(ListRowSource, SortingMovesRowsWithTheirSourceTexts) {
    TListItems items(nullptr);
    const std::vector<std::string> names{"delta", "alpha", "charlie", "bravo", "echo"};
    items.SetRowSource([&](const TListItem& item, std::vector<std::string>& texts) {
        texts.assign({"", names[reinterpret_cast<std::uintptr_t>(item.Data())]});
    });
    for (std::uintptr_t i = 0; i < names.size(); ++i) items.AddFromSource(Key(i));
    items[2]->SetChecked(true);
    items.Sort([](const TListItem& a, const TListItem& b) { return a.Text(1).compare(b.Text(1)); });
    std::vector<std::string> order;
    for (int i = 0; i < items.Count(); ++i) {
        order.emplace_back(items[i]->SubItem(0));
        EXPECT_EQ(items[i]->Index(), i);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"alpha", "bravo", "charlie", "delta", "echo"}));
    EXPECT_TRUE(items[2]->Checked()) << "charlie keeps its check";
    EXPECT_FALSE(items[3]->Checked());
}

}  // namespace
