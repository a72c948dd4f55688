#include <benchmark/benchmark.h>

#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"
#include "widgets/WsPageControl.h"

// What the page control costs: a full repaint of every pixel of the control (no page covers
// the card), a full repaint in the main window, a page switch and a hot-tracking move.

namespace {

struct TWindowFixture {
    THeadlessHost host;
    TApplication app{host};
    TWindowFixture() {
        app.CreateForm(FormVigil);
        FormVigil->Show();
    }
    THeadlessWindow& Window() { return *static_cast<THeadlessWindow*>(FormVigil->HostWindow()); }
};

void BM_TabControlFullRepaint(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    THeadlessHost host;
    TApplication app(host);
    auto form = MakeForm<TForm>();
    form->SetClientWidth(673);
    form->SetClientHeight(396);
    auto* tabs = form->InsertControl(std::make_unique<TWsCustomTabControl>());
    tabs->SetBounds(0, 0, 673, 396);
    tabs->SetTabStyle(tsRoundCorners);
    tabs->SetBackgroundColor(cl3DLight);
    tabs->Tabs().resize(2);
    tabs->Tabs()[0].Caption = "日志";
    tabs->Tabs()[1].Caption = "图表";
    tabs->TabsChanged();
    tabs->SetTabIndex(0);
    form->Show();
    for (auto _ : state) {
        tabs->Invalidate();
        form->UpdateWindow();
    }
}
BENCHMARK(BM_TabControlFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_PageControlRepaintInMainWindow(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    for (auto _ : state) {
        FormVigil->WsPageControl1->Invalidate();
        FormVigil->UpdateWindow();
    }
}
BENCHMARK(BM_PageControlRepaintInMainWindow)->Unit(benchmark::kMicrosecond);

void BM_PageSwitch(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    int tab = 0;
    for (auto _ : state) {
        tab = 1 - tab;
        FormVigil->WsPageControl1->SetTabIndex(tab);
        FormVigil->UpdateWindow();
    }
}
BENCHMARK(BM_PageSwitch)->Unit(benchmark::kMicrosecond);

void BM_HotTrackMove(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    TWsPageControl* pc = FormVigil->WsPageControl1;
    const int top = pc->Top();
    int tab = 0;
    for (auto _ : state) {
        tab = 1 - tab;
        TRect r = pc->DrawnTabRect(tab);
        fx.host.MouseMove(fx.Window(), (r.Left + r.Right) / 2, top + 12);
    }
}
BENCHMARK(BM_HotTrackMove)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
