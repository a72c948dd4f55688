#include <gtest/gtest.h>

#include "app/FormHistory.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"

namespace {

// The log page's list: below the 40-pixel title strip of the first page, filling the rest.
class LogList : public ::testing::Test {
  protected:
    TScopedFormHistory history{SampleLog(true)};
    THeadlessHost host;
    TApplication app{host};
    TFormVigil* form = nullptr;
    TWsListView* list = nullptr;

    void SetUp() override {
        app.CreateForm(FormVigil);
        form = FormVigil;
        form->Show();
        list = form->WsLWMsg;
        host.Advance(1);
    }
    THeadlessWindow& W() { return *static_cast<THeadlessWindow*>(form->HostWindow()); }
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
    EXPECT_EQ(list->Font().Name(), "MS Sans Serif");
    EXPECT_EQ(list->Font().Height(), -11);
    EXPECT_EQ(list->Font().Color(), clBlack);
    EXPECT_EQ(list->StateImages(), form->ImageList2);
    EXPECT_EQ(list->SmallImages(), form->ImageList2);
    EXPECT_EQ(form->ImageList2->Count(), 2);
    EXPECT_FALSE(list->FillLastColumn());
    EXPECT_EQ(list->HeaderSortDisplayMode(), hsdmRightAlign);
    EXPECT_TRUE(list->GridLines());
    EXPECT_TRUE(list->RowSelect());
    EXPECT_FALSE(list->HideSelection());
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
