#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Artwork.h"
#include "app/FormHistory.h"
#include "app/LogSource.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"

namespace {

// The window opened on a generated log, refreshed by mouse and by Alt+R.
class Refresh : public FormOnHistory {
  protected:
    Refresh() : FormOnHistory(false) {}
    TScopedTimeZone utc{"UTC"};

    void SetUp() override {
        MakeWindow();
        form->Show();
    }
    TListItems& Items() { return form->WsLWMsg->Items(); }
    TListColumn* UserColumn() { return form->WsLWMsg->Columns()[4]; }
    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int i = 0; i < Items().Count(); ++i) texts.emplace_back(Items()[i]->Text(column));
        return texts;
    }
    void ClickRefresh() {
        const TPoint o = form->TBRefresh->FormOrigin();
        host.MouseMove(W(), o.X + 40, o.Y + 30);
        host.Click(W(), o.X + 40, o.Y + 30);
    }
};

TEST_F(Refresh, TheWindowOpensFilledNewestSessionFirst) {
    ASSERT_EQ(Items().Count(), 3);
    EXPECT_EQ(Column(1), (std::vector<std::string>{"2024-05-03 08:00:00", "2024-05-02 08:00:00",
                                                   "2024-05-01 08:00:00"}));
    EXPECT_EQ(Items()[0]->Text(5), "正常,运行中...");
    EXPECT_EQ(Items()[0]->Text(2), "");
    EXPECT_EQ(Items()[0]->Text(3), "");
    EXPECT_EQ(Items()[2]->Text(2), "2024-05-01 17:00:00");
    // State images only: green for the running and the orderly session, orange for the one
    // that ended without a shutdown.
    EXPECT_EQ(Items()[0]->StateIndex(), 0);
    EXPECT_EQ(Items()[1]->StateIndex(), 1);
    EXPECT_EQ(Items()[2]->StateIndex(), 0);
    for (int i = 0; i < Items().Count(); ++i) EXPECT_EQ(Items()[i]->ImageIndex(), -1);
    // The summary texts went into the four panes, in order.
    EXPECT_EQ(form->WsStatusPane1->Caption(), "记录数:3");
    EXPECT_EQ(form->WsStatusPane2->Caption(), "天数:3");
    // The chart has a bar per session.
    EXPECT_EQ(form->Series1->PointCount(), 3);
}

TEST_F(Refresh, TheUserColumnHidesWithoutUsersAndComesBackAt127) {
    EXPECT_TRUE(form->UserColumnHidden());
    EXPECT_EQ(UserColumn()->Width(), 0);
    EXPECT_EQ(UserColumn()->MaxWidth(), 1);
    // Dragged open to its one allowed pixel, the column is still the hidden one.
    UserColumn()->SetWidth(1);
    history.Rewrite(SampleLog(true));
    ClickRefresh();
    EXPECT_FALSE(form->UserColumnHidden());
    EXPECT_EQ(UserColumn()->MaxWidth(), 0);
    EXPECT_EQ(UserColumn()->Width(), 127);
    EXPECT_EQ(Items()[2]->Text(4), "alice");
    // A visible column keeps the width the user gave it.
    UserColumn()->SetWidth(90);
    ClickRefresh();
    EXPECT_EQ(UserColumn()->Width(), 90);
}

TEST_F(Refresh, AltRRefreshesFromTheLogAsItIsNow) {
    std::vector<TWtmpEntry> more = SampleLog(false);
    more.push_back(ShutdownEntry(UtcSeconds(2024, 5, 3, 18, 0, 0)));
    more.push_back(BootEntry(UtcSeconds(2024, 5, 4, 8, 0, 0)));
    history.Rewrite(more);
    EXPECT_EQ(Items().Count(), 3);
    host.PressKey('R', ssAlt);
    ASSERT_EQ(Items().Count(), 4);
    EXPECT_EQ(Items()[0]->Text(1), "2024-05-04 08:00:00");
    EXPECT_EQ(Items()[1]->Text(2), "2024-05-03 18:00:00");
}

TEST_F(Refresh, WebCommandsHandTheirAddressesToTheDesktop) {
    EXPECT_FALSE(form->HomePageAddress.empty());
    EXPECT_EQ(form->UpdatePageAddress.substr(form->UpdatePageAddress.size() - 11), "/vigil.html");
    for (TWsToolButton* button : {form->TBHomePage, form->TBUpdate}) {
        const TPoint o = button->FormOrigin();
        host.MouseMove(W(), o.X + 40, o.Y + 30);
        host.Click(W(), o.X + 40, o.Y + 30);
    }
    EXPECT_EQ(host.OpenedURLs(),
              (std::vector<std::string>{form->HomePageAddress, form->UpdatePageAddress}));
    // The window stayed usable: the refresh still answers.
    host.PressKey('R', ssAlt);
    EXPECT_EQ(Items().Count(), 3);
}

TEST_F(Refresh, TheWindowShowsTheProgramIcon) {
    const TPixelBuffer& icon = W().Icon();
    const TPixelBuffer drawn = ProgramIcon();
    ASSERT_EQ(icon.Width(), 32);
    EXPECT_EQ(std::vector<TPixel>(icon.Data(), icon.Data() + 1024),
              std::vector<TPixel>(drawn.Data(), drawn.Data() + 1024));
    // The log page's header shows it too.
    EXPECT_EQ(form->Image1->Picture().Width(), 32);
}

TEST_F(Refresh, TheUptimeLabelNamesThisSystemInItsPlace) {
#ifdef _WIN32
    EXPECT_EQ(form->LabTime->Caption(), " Windows已运行时间:");
#else
    EXPECT_EQ(form->LabTime->Caption(), " Linux已运行时间:");
#endif
    EXPECT_EQ(form->LabTime->BoundsRect(), Bounds(288, 16, 121, 14));
}

TEST(RefreshBadLog, AnUnreadableLogGivesAnEmptyListAndTheWindowStillOpens) {
    TScopedFormHistory log{{}};
    FormVigilHistorySource = [] {
        TCommandLine cmd;
        cmd.LogFile = "/nonexistent/vigil/wtmp";
        return MakeSessionHistory(cmd, nullptr);
    };
    THeadlessHost host;
    TApplication app{host};
    app.CreateForm(FormVigil);
    FormVigil->Show();
    EXPECT_TRUE(FormVigil->HostWindow());
    EXPECT_EQ(FormVigil->WsLWMsg->Items().Count(), 0);
    EXPECT_EQ(FormVigil->Series1->PointCount(), 0);
    EXPECT_TRUE(FormVigil->UserColumnHidden());
    EXPECT_EQ(FormVigil->WsStatusPane1->Caption(), "记录数:0");
    EXPECT_EQ(FormVigil->WsStatusPane2->Caption(), "天数:0");
    EXPECT_EQ(FormVigil->WsStatusPane3->Caption(), "总计:0小时");
    EXPECT_EQ(FormVigil->WsStatusPane4->Caption(), "平均:0(小时/次)");
}

}  // namespace

namespace {

// The share of a picture's pixels that are at least half opaque.
double Coverage(const TPixelBuffer& p) {
    int opaque = 0;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) opaque += (p.Row(y)[x] >> 24) >= 128;
    return static_cast<double>(opaque) / (p.Width() * p.Height());
}

TEST(Artwork, GlyphsAreDistinctVisibleAndOfTheirSize) {
    std::vector<TPixelBuffer> glyphs;
    for (int i = 0; i < kToolbarGlyphCount; ++i) glyphs.push_back(ToolbarGlyph(i));
    for (int i = 0; i < kToolbarGlyphCount; ++i) {
        EXPECT_EQ(glyphs[i].Width(), 32);
        EXPECT_EQ(glyphs[i].Height(), 32);
        // Readable at its size: neither a speck nor a filled square.
        EXPECT_GT(Coverage(glyphs[i]), 0.25) << i;
        EXPECT_LT(Coverage(glyphs[i]), 0.95) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(std::vector<TPixel>(glyphs[i].Data(), glyphs[i].Data() + 1024),
                      std::vector<TPixel>(glyphs[j].Data(), glyphs[j].Data() + 1024))
                << i << " " << j;
    }
    // The 16-colour icon has no partial transparency and only the standard colours' values.
    const TPixelBuffer icon = ProgramIcon(true);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const TPixel p = icon.Row(y)[x];
            EXPECT_TRUE((p >> 24) == 0 || (p >> 24) == 0xFF);
            for (int shift : {0, 8, 16}) {
                const unsigned v = (p >> shift) & 0xFF;
                EXPECT_TRUE(v == 0 || v == 128 || v == 192 || v == 255) << x << "," << y;
            }
        }
}

}  // namespace
