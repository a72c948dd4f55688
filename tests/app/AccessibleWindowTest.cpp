#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/FormHistory.h"
#include "app/UnitFormAbout.h"
#include "app/UnitFormVigil.h"
#include "chart/BarSeries.h"
#include "framework/Accessible.h"
#include "framework/AccessibleSink.h"
#include "framework/Application.h"
#include "platform/headless/HeadlessHost.h"

namespace {

// Every node below node, depth first, that a test can search by role.
void Walk(TAccessible* node, std::vector<TAccessible*>& out) {
    for (int i = 0; i < node->ChildCount(); ++i) {
        TAccessible* child = node->Child(i);
        out.push_back(child);
        if (!child->Table()) Walk(child, out);
    }
}

std::vector<TAccessible*> OfRole(TAccessible* root, TAccRole role) {
    std::vector<TAccessible*> all, out;
    Walk(root, all);
    for (TAccessible* n : all)
        if (n->Describe().Role == role) out.push_back(n);
    return out;
}

std::vector<std::string> Names(const std::vector<TAccessible*>& nodes) {
    std::vector<std::string> out;
    for (TAccessible* n : nodes) out.push_back(n->Describe().Name);
    return out;
}

class AccessibleWindow : public ::testing::Test {
  protected:
    TScopedTimeZone utc{"UTC"};
    TScopedFormHistory log{SampleLog(false)};
    THeadlessHost host;
    TApplication app{host};
    TRecordingSink sink;
    TFormVigil* form = nullptr;

    void SetUp() override {
        SetAccEventSink(&sink);
        app.CreateForm(FormVigil);
        form = FormVigil;
        form->Show();
    }
    void TearDown() override { SetAccEventSink(nullptr); }
    TAccessible* Window() { return form->Accessible(); }
    bool Heard(TAccessible* node, TAccEvent event) const { return sink.Count(node, event) > 0; }
    THeadlessWindow& W() { return *static_cast<THeadlessWindow*>(form->HostWindow()); }
};

TEST_F(AccessibleWindow, TheMainWindowReadsAsItsControls) {
    ASSERT_EQ(AccessibleRoot()->ChildCount(), 1);
    EXPECT_EQ(AccessibleRoot()->Child(0), Window());
    EXPECT_EQ(Window()->Describe().Name, "Vigil");
    EXPECT_EQ(Window()->Describe().Role, arWindow);

    std::vector<TAccessible*> bars = OfRole(Window(), arToolBar);
    ASSERT_EQ(bars.size(), 1u);
    std::vector<TAccessible*> buttons = OfRole(bars[0], arPushButton);
    EXPECT_EQ(Names(buttons),
              (std::vector<std::string>{"刷新", "帮助", "关于", "升级", "主页", "退出"}));
    TAccDescription refresh = buttons[0]->Describe();
    EXPECT_EQ(refresh.Shortcut, "Alt+R");
    EXPECT_EQ(refresh.DefaultAction, aaPress);
    EXPECT_FALSE(refresh.States & asInvisible);
    EXPECT_TRUE(buttons[1]->Describe().States & asInvisible) << "the help button is hidden";
    const TPoint o = form->TBRefresh->ClientToScreen({0, 0});
    EXPECT_EQ(buttons[0]->ScreenBounds(), Bounds(o.X, o.Y, 80, 60));

    std::vector<TAccessible*> tabs = OfRole(Window(), arPageTab);
    EXPECT_EQ(Names(tabs), (std::vector<std::string>{"日志", "图表", "统计"}));
    EXPECT_TRUE(tabs[0]->Describe().States & asSelected);
    EXPECT_FALSE(tabs[1]->Describe().States & asSelected);
    ASSERT_EQ(tabs[0]->ChildCount(), 1);
    EXPECT_EQ(tabs[0]->Child(0)->Describe().Role, arPropertyPage);
    EXPECT_EQ(tabs[0]->Child(0)->Parent(), tabs[0]);
    EXPECT_TRUE(tabs[1]->Child(0)->Describe().States & asInvisible);

    std::vector<TAccessible*> tables = OfRole(Window(), arTable);
    ASSERT_EQ(tables.size(), 1u);
    TAccTable* table = tables[0]->Table();
    EXPECT_EQ(table->RowCount(), 3);
    EXPECT_EQ(table->ColumnHeaderText(1), "开机时间");
    EXPECT_EQ(table->CellText(0, 1), "2024-05-03 08:00:00");
    EXPECT_EQ(table->Row(0)->Describe().Name, ", 2024-05-03 08:00:00, , , , 正常,运行中...");

    std::vector<TAccessible*> status = OfRole(Window(), arStatusBar);
    ASSERT_EQ(status.size(), 1u);
    std::vector<std::string> values;
    for (TAccessible* pane : OfRole(status[0], arLabel)) values.push_back(pane->Describe().Value);
    ASSERT_EQ(values.size(), 5u);
    EXPECT_FALSE(values[0].empty()) << "the clock";
    EXPECT_EQ(std::vector<std::string>(values.begin() + 1, values.end()),
              (std::vector<std::string>{"记录数:3", "天数:3", "总计:9小时", "平均:3(小时/次)"}));
}

TEST_F(AccessibleWindow, ActionsRefreshTheListAndSwitchThePage) {
    TAccessible* refresh = form->TBRefresh->Accessible();
    TAccessible* list = form->WsLWMsg->Accessible();
    TAccessible* pane = form->WsStatusPane1->Accessible();
    std::vector<TWtmpEntry> more = SampleLog(false);
    more.push_back(ShutdownEntry(UtcSeconds(2024, 5, 3, 18, 0, 0)));
    more.push_back(BootEntry(UtcSeconds(2024, 5, 4, 8, 0, 0)));
    log.Rewrite(more);
    ASSERT_TRUE(refresh->DoDefaultAction());
    EXPECT_EQ(list->Table()->RowCount(), 4);
    EXPECT_EQ(list->Table()->CellText(0, 1), "2024-05-04 08:00:00");
    EXPECT_TRUE(Heard(list, aeChildren));
    EXPECT_TRUE(Heard(pane, aeValue));
    EXPECT_EQ(pane->Describe().Value, "记录数:4");

    TAccessible* chartTab = OfRole(Window(), arPageTab)[1];
    ASSERT_TRUE(chartTab->DoDefaultAction());
    EXPECT_EQ(form->WsPageControl1->ActivePage(), form->TabSheet2);
    EXPECT_TRUE(Heard(chartTab, aeSelection));
    EXPECT_TRUE(chartTab->Describe().States & asSelected);
    EXPECT_FALSE(chartTab->Child(0)->Describe().States & asInvisible);
}

TEST_F(AccessibleWindow, TheChartIsReachedByKeyboardAndReadsTheFocusedBar) {
    form->WsPageControl1->SetActivePage(form->TabSheet2);
    host.Advance(1);
    TAccessible* chart = form->Chart1->Accessible();
    EXPECT_EQ(chart->Describe().Role, arChart);
    EXPECT_EQ(chart->Describe().Description, "2024-05-01 – 2024-05-03, 0 – 9 (小时)");

    // The bar's surroundings before the focus comes: white.
    TBarSeries& bars = *form->Series1;
    const TPoint origin = form->Chart1->FormOrigin();
    auto frameInk = [&](int point) {
        TRect r = bars.ComputeBarRect(point).Offset(origin.X, origin.Y);
        int ink = 0;
        for (int x = r.Left - 2; x < r.Right + 2; ++x)
            ink += W().PixelColor(x, r.Top - 2) != clWhite;
        return ink;
    };
    EXPECT_EQ(frameInk(0), 0);

    // Tab walks from the page tabs to the chart.
    for (int i = 0; i < 10 && !form->Chart1->Focused(); ++i) host.PressKey(vkTab);
    ASSERT_TRUE(form->Chart1->Focused());
    EXPECT_TRUE(Heard(chart, aeFocus));
    EXPECT_EQ(form->Chart1->FocusedPoint(), 0);
    EXPECT_GT(frameInk(0), 0) << "the focused bar shows a dotted frame";
    EXPECT_EQ(chart->Describe().Description,
              "2024-05-01 – 2024-05-03, 0 – 9 (小时); 2024-05-01: 9");

    host.PressKey(vkRight);
    EXPECT_EQ(form->Chart1->FocusedPoint(), 1);
    EXPECT_TRUE(Heard(chart, aeDescription));
    EXPECT_EQ(frameInk(0), 0);
    EXPECT_GT(frameInk(1), 0);
    host.PressKey(vkEnd);
    EXPECT_EQ(form->Chart1->FocusedPoint(), 2);
    host.PressKey(vkRight);
    EXPECT_EQ(form->Chart1->FocusedPoint(), 2) << "stays on the last bar";
    host.PressKey(vkHome);
    EXPECT_EQ(form->Chart1->FocusedPoint(), 0);
}

TEST_F(AccessibleWindow, TheAboutBoxIsADialogWithLinksAndAClosingButton) {
    bool checked = false;
    host.Schedule(50, [&] {
        TFormAbout* about = nullptr;
        for (TForm* f : app.Forms())
            if (auto* a = dynamic_cast<TFormAbout*>(f)) about = a;
        ASSERT_NE(about, nullptr);
        TAccessible* box = about->Accessible();
        EXPECT_EQ(AccessibleRoot()->ChildCount(), 2);
        EXPECT_EQ(AccessibleRoot()->Child(1), box);
        TAccDescription d = box->Describe();
        EXPECT_EQ(d.Role, arWindow) << "a fixed frame, not bsDialog";
        EXPECT_EQ(d.Name, "关于");
        std::vector<TAccessible*> links = OfRole(box, arLink);
        ASSERT_EQ(links.size(), 2u);
        EXPECT_EQ(links[0]->Describe().DefaultAction, aaOpenLink);
        EXPECT_EQ(links[0]->Describe().Description, about->WsURLLabel4->URL());
        ASSERT_TRUE(links[0]->DoDefaultAction());
        EXPECT_EQ(host.OpenedURLs().back(), about->WsURLLabel4->URL());
        TAccessible* close = about->Button1->Accessible();
        EXPECT_EQ(close->Describe().Role, arPushButton);
        EXPECT_EQ(close->Describe().Name, "关闭");
        EXPECT_TRUE(close->Describe().States & asFocused);
        checked = true;
        EXPECT_TRUE(close->DoDefaultAction());
    });
    EXPECT_EQ(ShowAboutDialog(*form, MainWindowVersionText(*form)), mrCancel);
    EXPECT_TRUE(checked);
    EXPECT_EQ(AccessibleRoot()->ChildCount(), 1);
}

}  // namespace
