#include <gtest/gtest.h>

#include "app/FormHistory.h"
#include "app/UnitFormVigil.h"
#include "base/DateTime.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"

namespace {

class ChartPage : public FormOnHistory {
  protected:
    void SetUp() override {
        MakeWindow();
        form->Show();
        form->WsPageControl1->SetActivePage(form->TabSheet2);
        host.Advance(1);
    }
    static SessionRecord Session(int day, std::int32_t seconds) {
        SessionRecord r;
        r.BootTime = EncodeDate(2026, 12, day) + EncodeTime(8, 0, 0);
        r.ShutdownTime = r.BootTime + seconds / 86400.0;
        r.DurationSeconds = seconds;
        return r;
    }
    TChartAxis& Left() { return form->Chart1->LeftAxis(); }
};

TEST_F(ChartPage, HeaderAndChartFillThePage) {
    EXPECT_EQ(form->Panel2->Parent(), form->TabSheet2);
    EXPECT_EQ(form->Panel2->BoundsRect(), Bounds(0, 0, 669, 41));
    EXPECT_EQ(form->Image2->BoundsRect(), Bounds(8, 4, 32, 32));
    EXPECT_EQ(form->Label2->BoundsRect(), Bounds(56, 13, 273, 16));
    EXPECT_EQ(form->Label2->Caption(), "运行时间图表");
    EXPECT_EQ(form->Chart1->BoundsRect(), Bounds(0, 41, 669, 328));
    EXPECT_EQ(form->Chart1->Color(), clWhite);
    EXPECT_FALSE(form->Chart1->View3D());
    EXPECT_EQ(Left().Title().Caption(), "(小时)");
    EXPECT_EQ(form->Series1->YValues().Name(), "长条");
    EXPECT_EQ(form->ChartTool1->Style(), smsLabelValue);
}

TEST_F(ChartPage, OneBarPerBootOldestOnTheLeftInHours) {
    SessionTable table = {Session(3, 5400), Session(2, 0), Session(1, 45000)};
    table.push_back(SessionRecord{});  // no boot time: no bar
    SessionRecord unset = Session(1, 100);
    unset.BootTime = 0.5;  // "no time" is 1.0 or less, not only 0
    table.push_back(unset);
    form->FillChart(table);
    TBarSeries& s = *form->Series1;
    ASSERT_EQ(s.PointCount(), 3);
    EXPECT_EQ(s.PointLabel(0), "2026-12-01");
    EXPECT_DOUBLE_EQ(s.YValueAt(0), 12.5);
    EXPECT_EQ(s.PointLabel(1), "2026-12-02");
    EXPECT_DOUBLE_EQ(s.YValueAt(1), 0);
    EXPECT_DOUBLE_EQ(s.YValueAt(2), 1.5);
    EXPECT_EQ(s.XValueAt(2), 2);
    EXPECT_EQ(s.PointColor(0), clRed);
    EXPECT_EQ(s.PointColor(2), clYellow);
    host.Advance(1);
    EXPECT_EQ(Left().RangeMaximum(), 12.5);
    EXPECT_EQ(form->Chart1->BottomAxis().DrawnLabels().front().Text, "2026-12-01");
}

TEST_F(ChartPage, AnEmptyTableLeavesAnEmptyChart) {
    form->FillChart({Session(1, 3600)});
    host.Advance(1);
    form->FillChart({});
    host.Advance(1);
    EXPECT_EQ(form->Series1->PointCount(), 0);
    ASSERT_EQ(Left().DrawnLabels().size(), 1u);
    EXPECT_EQ(Left().DrawnLabels()[0].Text, "0");
}

TEST_F(ChartPage, ARefreshKeepsTheZoom) {
    SessionTable table;
    for (int d = 20; d >= 1; --d) table.push_back(Session(d, d * 3600));
    form->FillChart(table);
    host.Advance(1);
    form->Chart1->ZoomRect(Bounds(100, 40, 200, 150));
    host.Advance(1);
    const double lo = form->Chart1->BottomAxis().RangeMinimum();
    const double hi = Left().RangeMaximum();
    form->FillChart(table);
    host.Advance(1);
    EXPECT_DOUBLE_EQ(form->Chart1->BottomAxis().RangeMinimum(), lo);
    EXPECT_DOUBLE_EQ(Left().RangeMaximum(), hi);
}

}  // namespace
