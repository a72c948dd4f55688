#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/Commands.h"
#include "app/LogSource.h"
#include "app/UnitFormVigil.h"
#include "common/WtmpTestFile.h"
#include "framework/Application.h"
#include "platform/freetype/FreeTypeFontEngine.h"
#include "platform/headless/HeadlessHost.h"

// The main window on a log of 100 000 records: from creating the window to its first complete
// frame (the refresh at creation included), and a refresh by Alt+R with its repaint.

namespace {

constexpr int kRecords = 100'000;

// Days of a desktop machine: boot, a login, and an orderly shutdown or none.
std::vector<TWtmpEntry> LongLog() {
    std::vector<TWtmpEntry> log;
    std::int64_t t = 1'000'000'000;
    while (static_cast<int>(log.size()) < kRecords) {
        log.push_back(BootEntry(t));
        log.push_back(LoginEntry(log.size() % 3 ? "alice" : "bob", t + 120));
        if (log.size() % 5) log.push_back(ShutdownEntry(t + 8 * 3600));
        t += 86'400;
    }
    log.resize(kRecords);
    return log;
}

struct TLogFixture {
    TTempDir dir;
    std::string path = dir.WriteWtmp("wtmp", LongLog());
    TLogFixture() {
        InstallFreeTypeFontEngine();
        FormVigilHistorySource = [p = path] {
            TCommandLine cmd;
            cmd.LogFile = p;
            return MakeSessionHistory(cmd);
        };
    }
    ~TLogFixture() { FormVigilHistorySource = nullptr; }
};

void BM_StartToFirstFrame(benchmark::State& state) {
    TLogFixture log;
    for (auto _ : state) {
        THeadlessHost host;
        TApplication app(host);
        app.CreateForm(FormVigil);
        FormVigil->Show();  // paints and presents the whole first frame
        benchmark::DoNotOptimize(FormVigil->HostWindow());
        state.PauseTiming();
        FormVigil = nullptr;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_RefreshByAltR(benchmark::State& state) {
    TLogFixture log;
    THeadlessHost host;
    TApplication app(host);
    app.CreateForm(FormVigil);
    FormVigil->Show();
    state.counters["rows"] = FormVigil->WsLWMsg->Items().Count();
    for (auto _ : state) host.PressKey('R', ssAlt);
}
BENCHMARK(BM_RefreshByAltR)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
