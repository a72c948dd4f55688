#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/FormHistory.h"
#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"
#include "platform/png/PngFile.h"

namespace {

// The statistics page of the window opened on a generated log, in UTC.
class StatsPage : public FormOnHistory {
  protected:
    TScopedTimeZone utc{"UTC"};

    void SetUp() override {
        MakeWindow();
        form->Show();
        form->WsPageControl1->SetActivePage(form->TabSheet3);
        host.Advance(1);
    }
    // A point of the page in window pixels.
    TPoint OnPage(int x, int y) {
        const TPoint o = form->TabSheet3->FormOrigin();
        return {o.X + x, o.Y + y};
    }
    TColor PagePixel(int x, int y) {
        const TPoint p = OnPage(x, y);
        return W().PixelColor(p.X, p.Y);
    }
    // The page point of a cell's centre.
    TPoint CellCentre(int weekday, int hour) {
        const TRect r = TUsageMap::CellRect(weekday, hour);
        return {form->UsageMap1->Left() + (r.Left + r.Right) / 2,
                form->UsageMap1->Top() + (r.Top + r.Bottom) / 2};
    }
    bool TipShowing() { return app.Hints().Showing(); }
};

TEST_F(StatsPage, IsTheThirdTabAndOpensByMouse) {
    TWsPageControl* pc = form->WsPageControl1;
    ASSERT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->Pages(2), form->TabSheet3);
    EXPECT_EQ(form->TabSheet3->Caption(), "统计");
    EXPECT_EQ(form->TabSheet3->Font().Style(), 0) << "page content keeps the plain font";
    pc->SetActivePage(form->TabSheet1);
    host.Advance(1);
    EXPECT_FALSE(form->TabSheet3->Visible());
    const TRect tab = pc->DrawnTabRect(2);
    EXPECT_GT(tab.Left, pc->DrawnTabRect(1).Right - 1);
    host.Click(W(), (tab.Left + tab.Right) / 2, 60 + 12);
    EXPECT_EQ(pc->ActivePage(), form->TabSheet3);
    EXPECT_TRUE(form->TabSheet3->Visible());
    EXPECT_EQ(form->TabSheet3->Width(), 669);
    EXPECT_EQ(form->TabSheet3->Height(), 369);
}

TEST_F(StatsPage, FiguresStandInTwoColumnsTwentyPixelsALine) {
    const char* names[] = {"时段",     "开机时间占比", "关机时间占比", "睡眠时长",
                           "最长一次", "最短一次",     "非正常关机",   "夜间使用"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(form->StatNames[i]->Caption(), names[i]);
        EXPECT_EQ(form->StatNames[i]->Top(), 12 + (i % 4) * 20) << names[i];
        EXPECT_EQ(form->StatValues[i]->Top(), form->StatNames[i]->Top()) << names[i];
    }
    EXPECT_EQ(form->StatNames[0]->Left(), 16);
    EXPECT_EQ(form->StatNames[4]->Left(), form->StatNames[5]->Left());
    EXPECT_GT(form->StatNames[4]->Left(), form->StatValues[0]->Left());
    EXPECT_EQ(form->StatNames[0]->Font().Name(), form->TabSheet3->Font().Name());
    // The sample: 08:00-17:00 on 1 May, a crash after the boot of the 2nd, running since the
    // 3rd at 08:00 (its log's newest moment).
    EXPECT_EQ(form->StatValues[0]->Caption(), "2024-05-01 08:00 – 2024-05-03 08:00");
    EXPECT_EQ(form->StatValues[1]->Caption(), "18.75%");
    EXPECT_EQ(form->StatValues[2]->Caption(), "81.25%");
    EXPECT_EQ(form->StatValues[3]->Caption(), "0");
    EXPECT_EQ(form->StatValues[4]->Caption(), "9 时");
    EXPECT_EQ(form->StatValues[5]->Caption(), "9 时");
    EXPECT_EQ(form->StatValues[6]->Caption(), "1 次");
    EXPECT_EQ(form->StatValues[7]->Caption(), "0 次 (23:00-06:00)");
}

TEST_F(StatsPage, TheMapHoldsTheAwakeSecondsAndARefreshRedoesIt) {
    const TUsageHours& m = form->UsageMap1->Hours();
    for (int h = 0; h < 24; ++h)
        EXPECT_EQ(m.Seconds[2][h], h >= 8 && h < 17 ? 3600 : 0) << "Wednesday " << h;
    EXPECT_EQ(m.Seconds[3][8], 1) << "the crash marks its boot's hour";
    EXPECT_EQ(m.Seconds[3][9], 0);
    // A new log, read by Alt+R.
    const std::int64_t friday = UtcSeconds(2024, 5, 3, 22, 30, 0);
    history.Rewrite({BootEntry(friday), ShutdownEntry(friday + 3 * 3600)});
    host.PressKey('R', ssAlt);
    host.Advance(1);
    EXPECT_EQ(m.Seconds[2][8], 0);
    EXPECT_EQ(m.Seconds[4][22], 1800);
    EXPECT_EQ(m.Seconds[4][23], 3600);
    EXPECT_EQ(m.Seconds[5][0], 3600);
    EXPECT_EQ(m.Seconds[5][1], 1800);
    EXPECT_EQ(form->StatValues[7]->Caption(), "1 次 (23:00-06:00)");
    EXPECT_EQ(PagePixel(CellCentre(5, 0).X, CellCentre(5, 0).Y), RGB(0, 70, 160));
}

TEST_F(StatsPage, CellColoursGridBandAndLabelsSitWhereTheyBelong) {
    TUsageHours hours;
    hours.Seconds[0][0] = 7200;  // the largest
    hours.Seconds[0][1] = 3600;  // half of it
    hours.Seconds[6][23] = 7200;
    form->UsageMap1->SetHours(hours, TQuietHours{22 * 60 + 30, 6 * 60});
    host.Advance(1);
    // The top-left cell at (48, 200), 24 x 20, a one-pixel grid around each.
    EXPECT_EQ(PagePixel(48, 200), RGB(0, 70, 160));
    EXPECT_EQ(PagePixel(48 + 23, 200 + 19), RGB(0, 70, 160));
    EXPECT_EQ(PagePixel(48 + 24, 210), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PagePixel(60, 200 + 20), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PagePixel(47, 210), ColorToRGB(clBtnShadow));
    const TColor window = ColorToRGB(clWindow);
    // Halfway, rounded to the nearer channel value.
    const TColor half = RGB((GetRValue(window) + 0 + 1) / 2, (GetGValue(window) + 70 + 1) / 2,
                            (GetBValue(window) + 160 + 1) / 2);
    EXPECT_EQ(PagePixel(CellCentre(0, 1).X, CellCentre(0, 1).Y), half);
    EXPECT_EQ(PagePixel(CellCentre(0, 2).X, CellCentre(0, 2).Y), window);
    EXPECT_EQ(PagePixel(CellCentre(6, 23).X, CellCentre(6, 23).Y), RGB(0, 70, 160));
    EXPECT_EQ(TUsageMap::CellColor(0, 7200), window);
    EXPECT_EQ(TUsageMap::CellColor(3600, 7200), half);
    EXPECT_EQ(TUsageMap::CellColor(5, 0), window);
    // A three-pixel maroon band right above the quiet columns: 22 (from 22:30), 23, 0 to 5.
    for (int h : {0, 5, 22, 23}) {
        const int x = CellCentre(0, h).X;
        for (int y = 196; y <= 198; ++y) EXPECT_EQ(PagePixel(x, y), clMaroon) << h << "," << y;
        EXPECT_NE(PagePixel(x, 195), clMaroon) << h;
    }
    for (int h : {6, 12, 21}) EXPECT_NE(PagePixel(CellCentre(0, h).X, 197), clMaroon) << h;
    // Hour labels above the band and weekday labels left of the rows have ink.
    auto inkIn = [&](int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += PagePixel(x, y) != window;
        return n;
    };
    EXPECT_GT(inkIn(48, 180, 48 + 20, 196), 0) << "0";
    EXPECT_GT(inkIn(48 + 21 * 25, 180, 48 + 21 * 25 + 20, 196), 0) << "21";
    EXPECT_EQ(inkIn(48 + 25, 180, 48 + 45, 196), 0) << "no label above hour 1";
    EXPECT_GT(inkIn(16, 200 + 6 * 21, 46, 200 + 6 * 21 + 20), 0) << "周日";
}

TEST_F(StatsPage, ACellShowsItsTipThroughTheHintServiceAfterThePause) {
    TUsageHours hours;
    hours.Seconds[2][23] = 3 * 3600 + 600;
    hours.Days[2][23] = 5;
    form->UsageMap1->SetHours(hours, {});
    host.Advance(1);
    const TPoint cell = OnPage(CellCentre(2, 23).X, CellCentre(2, 23).Y);
    host.MouseMove(W(), cell.X, cell.Y);
    host.Advance(100);
    EXPECT_FALSE(TipShowing()) << "not before the pause";
    host.Advance(500);
    ASSERT_TRUE(TipShowing());
    EXPECT_EQ(app.Hints().Text(), "周三 23:00-24:00  3 时10 分 (5 天)");
    // Another cell replaces the text; the grid between cells and the space off the map
    // cancel it.
    const TPoint next = OnPage(CellCentre(2, 22).X, CellCentre(2, 22).Y);
    host.MouseMove(W(), next.X, next.Y);
    host.Advance(600);
    ASSERT_TRUE(TipShowing());
    EXPECT_EQ(app.Hints().Text(), "周三 22:00-23:00  0 秒 (0 天)");
    const TPoint grid = OnPage(48 + 24, 230);
    host.MouseMove(W(), grid.X, grid.Y);
    EXPECT_FALSE(TipShowing());
    EXPECT_EQ(form->UsageMap1->Hint(), "");
}

TEST(StatsScreenshot, PageStatsRendersTheMap) {
    const std::string vigil = std::string(VIGIL_BINARY_DIR) + "/vigil";
    if (!std::filesystem::exists(vigil)) GTEST_SKIP() << "vigil not built";
    TTempDir dir;
    const std::string log = dir.WriteWtmp("wtmp", SampleLog(false));
    const std::string command = "TZ=UTC '" + vigil + "' --screenshot '" + dir.Path("s.png") +
                                "' --page stats '" + log + "'";
    ASSERT_EQ(WEXITSTATUS(std::system(command.c_str())), 0) << command;
    TResult<TPixelBuffer> shot = LoadPng(dir.Path("s.png"));
    ASSERT_TRUE(shot.Ok()) << shot.Error();
    const TPixelBuffer& png = shot.Value();
    // The page starts at (1, 84) of the window; the map's first cell at (48, 200) of it.
    auto at = [&](int x, int y) { return RGBFromPixel(png.Row(84 + y)[1 + x]); };
    EXPECT_EQ(at(47, 199), ColorToRGB(clBtnShadow));
    EXPECT_EQ(at(48 + 8 * 25 + 5, 200 + 2 * 21 + 5), RGB(0, 70, 160)) << "Wednesday 08:00";
    EXPECT_EQ(at(48 + 7 * 25 + 5, 200 + 2 * 21 + 5), ColorToRGB(clWindow)) << "Wednesday 07:00";
}

}  // namespace
