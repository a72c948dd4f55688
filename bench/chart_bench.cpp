#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/UnitFormVigil.h"
#include "base/DateTime.h"
#include "chart/BarSeries.h"
#include "chart/CustomChart.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"

// The chart engine's costs: filling a series, a full draw, a repaint from the cached picture,
// the chart page with many sessions, and the hit test of a mouse move.

namespace {

void BM_AddMillionPointsInOrder(benchmark::State& state) {
    for (auto _ : state) {
        TChartSeries series;
        for (int i = 0; i < 1'000'000; ++i) series.AddPoint(i % 97);
        benchmark::DoNotOptimize(series.PointCount());
    }
}
BENCHMARK(BM_AddMillionPointsInOrder)->Unit(benchmark::kMillisecond);

// The floor under the figure above on this machine: two columns of a million doubles in
// fresh memory, grown the same way, without any series logic. What AddPoint adds is the
// difference; the rest is the cost of first touching 16 MB.
void BM_MemoryFloorTwoMillionDoubles(benchmark::State& state) {
    for (auto _ : state) {
        double* x = nullptr;
        double* y = nullptr;
        long capacity = 0;
        for (int i = 0; i < 1'000'000; ++i) {
            if (i == capacity) {
                capacity = (capacity + std::max(1000L, capacity / 2) + 999) / 1000 * 1000;
                x = static_cast<double*>(std::realloc(x, sizeof(double) * capacity));
                y = static_cast<double*>(std::realloc(y, sizeof(double) * capacity));
                if (!x || !y) state.SkipWithError("out of memory");
            }
            x[i] = i;
            y[i] = i % 97;
        }
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        std::free(x);
        std::free(y);
    }
}
BENCHMARK(BM_MemoryFloorTwoMillionDoubles)->Unit(benchmark::kMillisecond);

struct TChartFixture {
    THeadlessHost host;
    TApplication app{host};
    std::unique_ptr<TForm> form = MakeForm<TForm>();
    TChart* chart = nullptr;
    TBarSeries* bars = nullptr;

    explicit TChartFixture(int points) {
        form->SetClientWidth(669);
        form->SetClientHeight(328);
        form->Show();
        chart = form->InsertControl(std::make_unique<TChart>());
        chart->SetBounds(0, 0, 669, 328);
        chart->SetColor(clWhite);
        chart->SetView3D(false);
        chart->LeftAxis().Title().SetCaption("(小时)");
        bars = chart->AddSeries(std::make_unique<TBarSeries>());
        bars->Marks().SetVisible(false);
        bars->SetColorEachPoint(true);
        bars->SetBarStyle(bsCylinder);
        for (int i = 0; i < points; ++i) {
            char label[16];
            std::snprintf(label, sizeof label, "2026-%02d-%02d", i / 28 % 12 + 1, i % 28 + 1);
            bars->AddPoint((i * 37 % 140) / 10.0, label);
        }
        host.Advance(1);
    }
};

void BM_FullDraw1000Points(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TChartFixture fx(1000);
    for (auto _ : state) fx.chart->DrawPicture();
}
BENCHMARK(BM_FullDraw1000Points)->Unit(benchmark::kMicrosecond);

// A long log's chart: many more bars than pixels, most of them painted over by later ones.
void BM_FullDrawManyBars(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TChartFixture fx(static_cast<int>(state.range(0)));
    for (auto _ : state) fx.chart->DrawPicture();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FullDrawManyBars)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_RepaintUnchanged(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TChartFixture fx(1000);
    const int draws = fx.chart->DrawCount();
    for (auto _ : state) {
        fx.chart->Invalidate();
        fx.form->Update();
    }
    if (fx.chart->DrawCount() != draws) state.SkipWithError("an unchanged chart was redrawn");
}
BENCHMARK(BM_RepaintUnchanged)->Unit(benchmark::kMicrosecond);

SessionTable Sessions(int n) {
    SessionTable table;
    const DateTimeValue start = EncodeDate(2000, 1, 1);
    for (int i = n - 1; i >= 0; --i) {
        SessionRecord r;
        r.BootTime = start + i * 0.9;
        r.DurationSeconds = (i * 7919) % 50000;
        r.ShutdownTime = r.BootTime + r.DurationSeconds / 86400.0;
        table.push_back(r);
    }
    return table;
}

// The main window showing its chart page, filled with 10 000 sessions.
struct TPageFixture {
    THeadlessHost host;
    TApplication app{host};
    const SessionTable table = Sessions(10000);
    TPageFixture() {
        InstallFreeTypeFontEngine();
        app.CreateForm(FormVigil);
        FormVigil->Show();
        FormVigil->WsPageControl1->SetActivePage(FormVigil->TabSheet2);
        FormVigil->FillChart(table);
        host.Advance(1);
    }
};

void BM_ChartPage10000SessionsFillAndDraw(benchmark::State& state) {
    TPageFixture fx;
    const SessionTable& table = fx.table;
    for (auto _ : state) {
        FormVigil->FillChart(table);
        FormVigil->Update();
    }
}
BENCHMARK(BM_ChartPage10000SessionsFillAndDraw)->Unit(benchmark::kMillisecond);

void BM_ChartPageMouseMove(benchmark::State& state) {
    TPageFixture fx;
    TChart& chart = *FormVigil->Chart1;
    const TRect plot = chart.PlotRect();
    int x = plot.Left;
    const int y = plot.Bottom - 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormVigil->Series1->HitTestPoint(x, y));
        if (++x >= plot.Right) x = plot.Left;
    }
}
BENCHMARK(BM_ChartPageMouseMove)->Unit(benchmark::kMicrosecond);

void BM_ChartPageMouseMoveThroughTheWindow(benchmark::State& state) {
    TPageFixture fx;
    TChart& chart = *FormVigil->Chart1;
    const TPoint o = chart.FormOrigin();
    const TRect plot = chart.PlotRect();
    auto& window = *static_cast<THeadlessWindow*>(FormVigil->HostWindow());
    int x = plot.Left;
    for (auto _ : state) {
        fx.host.MouseMove(window, o.X + x, o.Y + plot.Bottom - 1);
        if (++x >= plot.Right) x = plot.Left;
    }
}
BENCHMARK(BM_ChartPageMouseMoveThroughTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
