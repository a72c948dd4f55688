#include <benchmark/benchmark.h>

#include "app/UnitFormVigil.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"

// What the main window costs the message loop: a full repaint (first frame, uncovering), the
// one-second tick of the uptime label, and an idle second with nothing to do.

namespace {

struct TWindowFixture {
    THeadlessHost host;
    TApplication app{host};
    TWindowFixture() {
        app.CreateForm(FormVigil);
        // A clock that moves a second per tick, so that every tick changes the label.
        FormVigil->UptimeClock = [ms = std::uint64_t{0}]() mutable { return ms += 1000; };
        FormVigil->Show();
        host.Advance(1000);
    }
};

void BM_MainWindowFullRepaint(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    for (auto _ : state) {
        FormVigil->Invalidate();
        FormVigil->UpdateWindow();
    }
}
BENCHMARK(BM_MainWindowFullRepaint)->Unit(benchmark::kMicrosecond);

void BM_UptimeTick(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    for (auto _ : state) fx.host.Advance(1000);
}
BENCHMARK(BM_UptimeTick)->Unit(benchmark::kMicrosecond);

void BM_IdleSecondWithoutTimers(benchmark::State& state) {
    InstallFreeTypeFontEngine();
    TWindowFixture fx;
    FormVigil->Timer1->SetEnabled(false);
    for (auto _ : state) fx.host.Advance(1000);
}
BENCHMARK(BM_IdleSecondWithoutTimers);

}  // namespace

BENCHMARK_MAIN();
