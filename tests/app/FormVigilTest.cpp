#include <gtest/gtest.h>

#include "app/FormHistory.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "graphics/Bitmap.h"
#include "history/DurationText.h"
#include "platform/headless/HeadlessHost.h"

namespace {

class FormVigilWindow : public FormOnHistory {
  protected:
    std::uint64_t uptime = 93'784'000;  // 1 day 2:03:04

    void SetUp() override {
        MakeWindow();
        form->UptimeClock = [this] { return uptime; };
        form->Show();
    }
    TRect FormRect(const TControl* c) {
        TPoint o = c->FormOrigin();
        return Bounds(o.X, o.Y, c->Width(), c->Height());
    }
};

TEST_F(FormVigilWindow, IsTheMainFormWithItsCaptionSizeAndPlace) {
    EXPECT_EQ(app.MainForm(), form);
    EXPECT_EQ(FormVigil, form);
    EXPECT_EQ(W().Caption(), "Vigil");
    EXPECT_EQ(form->Width(), 681);
    EXPECT_EQ(form->Height(), 509);
    EXPECT_EQ(W().ClientBounds().Width(), 673);
    EXPECT_EQ(W().ClientBounds().Height(), 475);
    // Centred on the 1280 x 800 headless screen.
    EXPECT_EQ(form->Left(), (1280 - 681) / 2);
    EXPECT_EQ(form->Top(), (800 - 509) / 2);
    // The window's white shows between the controls, and its labels are in Arial of height
    // 11: the uptime caption's ink is as wide as that font draws it.
    EXPECT_EQ(W().PixelColor(260, 100), ColorToRGB(clWindow));
    TBitmap probe(1, 1);
    TFont arial;
    arial.SetName("Arial");
    arial.SetHeight(-11);
    probe.Canvas().Font() = arial;
    const TRect label = FormRect(form->LabTime);
    int first = -1, last = -1;
    for (int x = label.Left; x < label.Right; ++x)
        for (int y = label.Top; y < label.Bottom; ++y)
            if (GetRValue(W().PixelColor(x, y)) < 128) {
                if (first < 0) first = x;
                last = x;
            }
    ASSERT_GE(first, 0);
    const int inkWidth = last - first + 1;
    const int width = probe.Canvas().TextWidth(form->LabTime->Caption());
    EXPECT_LE(inkWidth, width);
    EXPECT_GE(inkWidth, width - 6) << "the leading space and the side bearings";
}

TEST_F(FormVigilWindow, ReservesThePlacesOfToolBarPagesAndStatusBar) {
    EXPECT_EQ(FormRect(form->WsToolbar1), Bounds(0, 0, 673, 60));
    EXPECT_EQ(FormRect(form->WsPageControl1), Bounds(0, 60, 673, 396));
    EXPECT_EQ(FormRect(form->WsStatusBar1), Bounds(0, 456, 673, 19));
    EXPECT_EQ(FormRect(form->TabSheet1), Bounds(1, 84, 669, 369));
    EXPECT_EQ(FormRect(form->Panel1), Bounds(1, 84, 669, 40));
    EXPECT_EQ(FormRect(form->Image1), Bounds(9, 88, 32, 32));
    EXPECT_EQ(form->Label1->Left(), 48);
    EXPECT_EQ(form->Label1->Top(), 13);
    EXPECT_EQ(form->Label1->Height(), 16);
    EXPECT_EQ(form->Label1->Caption(), "开机/关机日志");
    EXPECT_EQ(form->LabTime->Left(), 288);
    EXPECT_EQ(form->LabTime->Top(), 16);
    EXPECT_EQ(form->LabTime->Height(), 14);
    EXPECT_EQ(form->LabTimeText->BoundsRect(), Bounds(416, 16, 233, 14));
    EXPECT_EQ(form->LabTimeText->Font().Color(), clMaroon);

    // Growing the window gives the room to the pages.
    host.Resize(W(), 800, 600);
    EXPECT_EQ(FormRect(form->WsPageControl1), Bounds(0, 60, 800, 521));
    EXPECT_EQ(FormRect(form->WsStatusBar1), Bounds(0, 581, 800, 19));
}

bool HasReddishInk(const THeadlessWindow& w, TRect r) {
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            TColor c = w.PixelColor(x, y);
            if (GetRValue(c) > GetGValue(c) + 40) return true;
        }
    return false;
}

TEST_F(FormVigilWindow, UptimeLabelIsEmptyUntilTheFirstTickThenFollowsTheClock) {
    TRect label = FormRect(form->LabTimeText);
    host.Advance(999);
    EXPECT_EQ(form->LabTimeText->Caption(), "");
    EXPECT_FALSE(HasReddishInk(W(), label));
    EXPECT_EQ(W().PixelColor(label.Left + 5, label.Top + 5), clWhite);

    host.Advance(1);
    EXPECT_EQ(form->LabTimeText->Caption(), UptimeText(93'784'000));
    EXPECT_TRUE(HasReddishInk(W(), label)) << "the new text was not presented";

    uptime += 1000;
    host.Advance(1000);
    EXPECT_EQ(form->LabTimeText->Caption(), UptimeText(93'785'000));
}

TEST_F(FormVigilWindow, ClosingTheWindowEndsTheProgram) {
    host.Schedule(2500, [this] { host.RequestClose(W()); });
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(W().Visible());
    EXPECT_EQ(form->LabTimeText->Caption(), UptimeText(93'784'000));
}

TEST_F(FormVigilWindow, ToolBarHoldsTheCommandsAtTheirRunTimePlaces) {
    struct TPlace {
        const TControl* Control;
        int Left;
        int Top;
    };
    const TPlace places[] = {
        {form->TBRefresh, 4, 0},   {form->WsSpacer1, 84, 5}, {form->TBAbout, 109, 0},
        {form->WsSpacer2, 189, 5}, {form->TBUpdate, 214, 0}, {form->TBHomePage, 294, 0},
        {form->WsSpacer3, 374, 5}, {form->TBExit, 399, 0},   {form->LabVer, 479, 23},
    };
    for (const TPlace& p : places) {
        EXPECT_EQ(p.Control->Left(), p.Left) << p.Control->Name();
        EXPECT_EQ(p.Control->Top(), p.Top) << p.Control->Name();
    }
    EXPECT_FALSE(form->TBHelp->Visible());
    EXPECT_EQ(form->TBRefresh->Caption(), "刷新(&R)");
    EXPECT_EQ(form->LabVer->Caption(), "版本 2.9");
    EXPECT_EQ(form->WsToolbar1->ToolbarControls().Count(), 10);
    EXPECT_EQ(form->WsToolbar1->ToolbarControls()[2].Name, "TBHelp");

    // Below 565 pixels the version label wraps to a second row and the pages move down.
    host.Resize(W(), 560, 475);
    EXPECT_EQ(form->WsToolbar1->Height(), 62);
    EXPECT_EQ(form->LabVer->Top(), 48);
    EXPECT_EQ(FormRect(form->WsPageControl1).Top, 62);
}

TEST_F(FormVigilWindow, StatusBarHoldsTheClockAndFourPanes) {
    EXPECT_EQ(FormRect(form->WsClockStatus1), Bounds(-1, 457, 150, 19));
    EXPECT_EQ(FormRect(form->WsStatusPane1), Bounds(149, 457, 100, 19));
    EXPECT_EQ(FormRect(form->WsStatusPane2), Bounds(249, 457, 100, 19));
    EXPECT_EQ(FormRect(form->WsStatusPane3), Bounds(349, 457, 100, 19));
    EXPECT_EQ(FormRect(form->WsStatusPane4), Bounds(449, 457, 200, 19));
    EXPECT_FALSE(form->WsClockStatus1->TimeText().empty());
}

TEST_F(FormVigilWindow, StatusPanesShowTheFourSummaries) {
    // Three sessions from 1 May to 3 May: the closed one ran 9 hours.
    EXPECT_EQ(form->WsStatusPane1->Caption(), "记录数:3");
    EXPECT_EQ(form->WsStatusPane2->Caption(), "天数:3");
    EXPECT_EQ(form->WsStatusPane3->Caption(), "总计:9小时");
    EXPECT_EQ(form->WsStatusPane4->Caption(), "平均:3(小时/次)");
    // The texts are on the bar, each in its own pane.
    for (const TWsStatusPane* pane :
         {form->WsStatusPane1, form->WsStatusPane2, form->WsStatusPane3, form->WsStatusPane4}) {
        const TRect r = FormRect(pane);
        int ink = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) ink += GetRValue(W().PixelColor(x, y)) < 100;
        EXPECT_GT(ink, 20) << pane->Name();
    }
}

TEST_F(FormVigilWindow, AcceleratorsRunTheirButtonsCommands) {
    bool aboutShown = false;
    host.Schedule(50, [&] {
        for (TForm* f : app.Forms())
            if (f != form && f->Visible()) {
                aboutShown = true;
                f->Close();
            }
    });
    host.PressKey('A', ssAlt);
    EXPECT_TRUE(aboutShown) << "Alt+A opens the about box";
    host.PressKey('U', ssAlt);
    host.PressKey('H', ssAlt);  // the hidden help button's H gives way to the home page's
    EXPECT_EQ(host.OpenedURLs(),
              (std::vector<std::string>{form->UpdatePageAddress, form->HomePageAddress}));
    EXPECT_FALSE(app.Terminated());
    host.PressKey('E', ssAlt);
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(W().Visible());
}

TEST_F(FormVigilWindow, TheUserColumnStartsAt127AndAnotherRefreshWithoutUsersHidesIt) {
    TListColumn* user = form->WsLWMsg->Columns()[4];
    EXPECT_EQ(user->Width(), 127);
    EXPECT_FALSE(form->UserColumnHidden());
    history.Rewrite(SampleLog(false));
    host.PressKey('R', ssAlt);
    EXPECT_TRUE(form->UserColumnHidden());
    EXPECT_EQ(user->Width(), 0);
    EXPECT_EQ(user->MaxWidth(), 1);
    // The header shows the column after it where the user column was.
    const TRect header = form->WsLWMsg->Header()->SectionRect(5);
    EXPECT_EQ(header.Left, form->WsLWMsg->Header()->SectionRect(4).Left);
}

TEST_F(FormVigilWindow, ExitButtonClosesTheWindow) {
    const TPoint o = form->TBExit->FormOrigin();
    host.MouseMove(W(), o.X + 40, o.Y + 30);
    host.Click(W(), o.X + 40, o.Y + 30);
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(W().Visible());
    EXPECT_FALSE(form->TBExit->PointerOver());
}

}  // namespace

namespace {

TEST_F(FormVigilWindow, PagesSitUnderBoldTabsWithTheLogPageActive) {
    TWsPageControl* pc = form->WsPageControl1;
    ASSERT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->Pages(0), form->TabSheet1);
    EXPECT_EQ(pc->Pages(1), form->TabSheet2);
    EXPECT_EQ(form->TabSheet1->Caption(), "日志");
    EXPECT_EQ(form->TabSheet2->Caption(), "图表");
    EXPECT_EQ(pc->ActivePage(), form->TabSheet1);
    EXPECT_EQ(pc->TabIndex(), 0);
    EXPECT_TRUE(form->TabSheet1->Visible());
    EXPECT_FALSE(form->TabSheet2->Visible());
    EXPECT_EQ(pc->Font().Style(), fsBold);
    EXPECT_EQ(form->TabSheet1->Font().Style(), 0) << "page content keeps the plain font";
    EXPECT_EQ(form->LabTime->Font().Style(), 0);
    EXPECT_EQ(pc->FixedDimension(), 20);
    EXPECT_EQ(FormRect(form->TabSheet2), Bounds(1, 84, 669, 369));
    // The strip's background and the selected tab lifted to row 1 of the control.
    EXPECT_EQ(W().PixelColor(600, 70), RGB(227, 227, 227));
    EXPECT_EQ(W().PixelColor(5, 61), RGB(160, 160, 160));

    // Clicking "图表" shows the chart page.
    TRect tab = pc->DrawnTabRect(1);
    host.Click(W(), (tab.Left + tab.Right) / 2, 60 + 12);
    EXPECT_EQ(pc->ActivePage(), form->TabSheet2);
    EXPECT_TRUE(form->TabSheet2->Visible());
    EXPECT_FALSE(form->TabSheet1->Visible());
}

}  // namespace
