#include <gtest/gtest.h>

#include "app/FormHistory.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "graphics/Bitmap.h"
#include "platform/headless/HeadlessHost.h"

namespace {

// The log page's list: below the 40-pixel title strip of the first page, filling the rest.
class LogList : public FormOnHistory {
  protected:
    TWsListView* list = nullptr;

    void SetUp() override {
        MakeWindow();
        form->Show();
        list = form->WsLWMsg;
        host.Advance(1);
    }
    // The list's top-left corner in the form.
    TPoint Origin() { return list->FormOrigin(); }
    void Fill() {
        list->Items().BeginUpdate();
        list->Items().Clear();
        list->Items().Add("", {"2024-05-02 08:00:00", "", "", "alice", "正常,运行中..."}, 0);
        list->Items().Add("", {"2024-05-01 08:00:00", "", "", "", "非正常关机"}, 1);
        list->Items().Add("", {"2024-04-30 08:00:00", "2024-04-30 17:00:00", "9 时", "bob", "正常"},
                          0);
        list->Items().EndUpdate();
        host.Advance(1);
    }
};

TEST_F(LogList, FillsThePageUnderTheTitleWithTheSixColumns) {
    TPoint o = Origin();
    EXPECT_EQ(Bounds(o.X, o.Y, list->Width(), list->Height()), Bounds(1, 124, 669, 329));
    EXPECT_EQ(list->Align(), alClient);
    std::vector<std::string> captions;
    std::vector<int> widths;
    for (int i = 0; i < list->Columns().Count(); ++i) {
        captions.push_back(list->Columns()[i]->Caption());
        widths.push_back(list->Columns()[i]->Width());
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"", "开机时间", "关机时间", "运行时长",
                                                  "登录用户", "信息"}));
    // 667 inside the one-pixel border; the last column takes what the others leave.
    EXPECT_EQ(widths, (std::vector<int>{18, 150, 150, 100, 127, 667 - 545}));
}

TEST_F(LogList, RowsAreBlackTextInGridLinesAndSelectWholeEvenWithoutFocus) {
    Fill();
    const TPoint o = Origin();
    const int body = o.Y + 1 + 17;
    const TColor grid = W().PixelColor(o.X + 300, body + 17 * 6 - 1);
    // Grid lines run under every row, also below the last one, and between the columns.
    EXPECT_NE(grid, clWhite) << "a row line";
    EXPECT_EQ(W().PixelColor(o.X + 300, body + 17 * 7 - 1), grid);
    EXPECT_EQ(W().PixelColor(o.X + 1 + 168 - 1, body + 17 * 6 + 8), grid) << "a column line";
    // The texts are black, as wide as the list's font draws them.
    TBitmap probe(1, 1);
    probe.Canvas().Font() = list->Font();
    const int textWidth = probe.Canvas().TextWidth("2024-05-02 08:00:00");
    int first = -1, last = -1;
    TColor darkest = clWhite;
    for (int x = o.X + 1 + 18; x < o.X + 1 + 168; ++x)
        for (int y = body; y < body + 16; ++y) {
            const TColor c = W().PixelColor(x, y);
            if (GetRValue(c) < GetRValue(darkest)) darkest = c;
            if (GetRValue(c) < 128) {
                if (first < 0) first = x;
                last = x;
            }
        }
    EXPECT_EQ(darkest, clBlack) << "smoothed edges, black strokes";
    EXPECT_LE(last - first + 1, textWidth);
    EXPECT_GE(last - first + 1, textWidth - 3);
    // A click on the last column selects the whole row, and it stays marked when the focus
    // goes to another page's control.
    host.Click(W(), o.X + 600, body + 17 + 8);
    host.Advance(1);
    const TColor marked = W().PixelColor(o.X + 1 + 30, body + 17 + 3);
    EXPECT_NE(marked, clWhite);
    EXPECT_EQ(W().PixelColor(o.X + 500, body + 17 + 3), marked) << "the whole row";
    EXPECT_EQ(W().PixelColor(o.X + 500, body + 3), clWhite) << "the other rows stay white";
    form->WsPageControl1->SetFocus();
    host.Advance(1);
    EXPECT_FALSE(list->Focused());
    EXPECT_NE(W().PixelColor(o.X + 500, body + 17 + 3), clWhite) << "still shown unfocused";
}

TEST_F(LogList, RowsShowTheirStateImageAndStayWhiteWithFocus) {
    Fill();
    TPoint o = Origin();
    int body = o.Y + 1 + 17;
    // Column 0 holds the state image: row 1's is the orange one, row 0's the green one.
    TColor green = W().PixelColor(o.X + 1 + 8, body + 8);
    TColor orange = W().PixelColor(o.X + 1 + 8, body + 17 + 8);
    EXPECT_GT(GetGValue(green), GetRValue(green));
    EXPECT_GT(GetRValue(orange), GetBValue(orange));
    EXPECT_NE(green, orange);
    TPoint empty{o.X + 400, body + 17 * 10};
    EXPECT_EQ(W().PixelColor(empty.X, empty.Y), clWhite);
    list->SetFocus();
    host.Advance(1);
    EXPECT_EQ(W().PixelColor(empty.X, empty.Y), clWhite);
}

TEST_F(LogList, HeaderClicksLeaveRowsAndHeaderAsTheyWere) {
    Fill();
    TPoint o = Origin();
    for (int x : {o.X + 100, o.X + 300, o.X + 500}) {
        host.Click(W(), x, o.Y + 9);
        host.Advance(600);
    }
    EXPECT_EQ(list->Items()[0]->SubItem(0), "2024-05-02 08:00:00");
    EXPECT_EQ(list->Items()[1]->SubItem(0), "2024-05-01 08:00:00");
    EXPECT_EQ(list->SortColumn(), -1);
}

TEST_F(LogList, AHiddenUserColumnComesBackAtItsWidth) {
    TListColumn* user = list->Columns()[4];
    user->SetWidth(0);
    user->SetMaxWidth(1);
    EXPECT_EQ(user->Width(), 0);
    EXPECT_EQ(list->Columns()[5]->Width(), 667 - 418) << "the last column takes the room";
    user->SetMaxWidth(0);
    user->SetWidth(127);
    EXPECT_EQ(user->Width(), 127);
    EXPECT_EQ(list->Columns()[5]->Width(), 667 - 545);
}

}  // namespace
