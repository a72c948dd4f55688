#include <benchmark/benchmark.h>

#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"

// The main window's tool bar and status bar: hovering a button (enter, repaint of that button,
// present), repainting the whole bar, and a clock second.

namespace {

struct TBarsFixture {
    THeadlessHost host;
    TApplication app{host};
    THeadlessWindow* window = nullptr;
    TBarsFixture() {
        InstallFreeTypeFontEngine();
        app.CreateForm(FormVigil);
        FormVigil->Show();
        window = static_cast<THeadlessWindow*>(FormVigil->HostWindow());
    }
};

void BM_ToolButtonHoverRepaint(benchmark::State& state) {
    TBarsFixture fx;
    const TPoint about = FormVigil->TBAbout->FormOrigin();
    const TPoint update = FormVigil->TBUpdate->FormOrigin();
    bool onAbout = false;
    for (auto _ : state) {
        // Each move leaves one button and enters the next: two button repaints per move.
        const TPoint p = onAbout ? update : about;
        fx.host.MouseMove(*fx.window, p.X + 40, p.Y + 30);
        onAbout = !onAbout;
    }
    state.counters["per_button_us"] =
        benchmark::Counter(2.0 * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
}
BENCHMARK(BM_ToolButtonHoverRepaint)->Unit(benchmark::kMicrosecond);

void BM_ToolbarFullRepaint(benchmark::State& state) {
    TBarsFixture fx;
    for (auto _ : state) {
        FormVigil->WsToolbar1->Invalidate();
        FormVigil->UpdateWindow();
    }
}
BENCHMARK(BM_ToolbarFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_StatusBarFullRepaint(benchmark::State& state) {
    TBarsFixture fx;
    for (auto _ : state) {
        FormVigil->WsStatusBar1->Invalidate();
        FormVigil->UpdateWindow();
    }
}
BENCHMARK(BM_StatusBarFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_ClockTick(benchmark::State& state) {
    TBarsFixture fx;
    FormVigil->Timer1->SetEnabled(false);
    for (auto _ : state) fx.host.Advance(500);
}
BENCHMARK(BM_ClockTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
