// Reads a generated wtmpdb database of a million logins, with a boot before every ten of
// them, through the reader alone, through the scan, and for its boot range.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/Clock.h"
#include "common/WtmpdbTestFile.h"
#include "history/EventScan.h"
#include "platform/wtmpdb/WtmpdbSource.h"

namespace {

constexpr long kLogins = 1000000;

std::string Database() {
    const std::string path = "/tmp/vigil-bench-wtmpdb-" + std::to_string(kLogins) + ".db";
    if (access(path.c_str(), R_OK) == 0) return path;
    std::vector<TWtmpdbEntry> rows;
    const char* users[] = {"alice", "bob", "carol", "dave"};
    std::int64_t t = 1600000000;
    for (long i = 0; i < kLogins; ++i) {
        if (i % 10 == 0) {
            t += 3000;
            // Every seventh boot crashed; the others were shut down before the next one.
            bool crashed = (i / 10) % 7 == 6;
            rows.push_back(WtmpdbBoot(t, crashed ? std::nullopt : std::optional(t + 2900),
                                      "6.12.12+deb13-amd64"));
        }
        rows.push_back(WtmpdbLogin(users[i % 4], t + 60 + i % 10 * 200));
    }
    if (!WriteWtmpdb(path, rows)) std::abort();
    return path;
}

void BM_ReadWtmpdb(benchmark::State& state) {
    TWtmpdbEventSource source({Database()});
    std::int64_t events = 0;
    for (auto _ : state) {
        if (!source.Open()) state.SkipWithError("cannot read");
        TLogEvent event;
        events = 0;
        while (source.Next(event)) ++events;
        source.Close();
    }
    state.counters["events"] = static_cast<double>(events);
    state.SetItemsProcessed(state.iterations() * events);
}
BENCHMARK(BM_ReadWtmpdb)->Unit(benchmark::kMillisecond);

void BM_ScanWtmpdb(benchmark::State& state) {
    TWtmpdbEventSource source({Database()});
    SessionTable table;
    for (auto _ : state) {
        ScanEventLog(table, source, LocalUtcOffsetSeconds);
        benchmark::DoNotOptimize(table);
    }
    state.counters["sessions"] = static_cast<double>(table.size());
}
BENCHMARK(BM_ScanWtmpdb)->Unit(benchmark::kMillisecond);

void BM_WtmpdbBoots(benchmark::State& state) {
    TWtmpdbEventSource source({Database()});
    for (auto _ : state) benchmark::DoNotOptimize(source.Boots());
}
BENCHMARK(BM_WtmpdbBoots)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
