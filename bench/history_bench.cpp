// Scans generated login accounting files the way a refresh does.
// Also: history_bench --write-wtmp PATH RECORDS writes such a file and exits (used by
// bench/print_vs_last.sh).
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <utmp.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Clock.h"
#include "eventlog/WtmpSource.h"
#include "history/EventScan.h"
#include "history/SessionHistory.h"

namespace {

// A day of a desktop machine, eight records: boot, run level, two logins with their logouts,
// a getty, shutdown. Six of the eight reach the scan's rules or are looked at by them.
bool WriteWtmp(const std::string& path, long records) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const short types[8] = {BOOT_TIME,    RUN_LVL,      USER_PROCESS,  DEAD_PROCESS,
                            USER_PROCESS, DEAD_PROCESS, LOGIN_PROCESS, RUN_LVL};
    const char* users[8] = {"reboot", "runlevel", "alice", "", "bob", "", "LOGIN", "shutdown"};
    std::int64_t t = 1000000000;  // 2001: a million records stay within 32-bit times
    for (long i = 0; i < records; ++i) {
        utmp u;
        std::memset(&u, 0, sizeof u);
        int k = static_cast<int>(i % 8);
        u.ut_type = types[k];
        std::strncpy(u.ut_user, users[k], sizeof u.ut_user);
        std::strncpy(u.ut_line, k == 0 || k == 1 || k == 7 ? "~" : "pts/0", sizeof u.ut_line);
        t += k == 0 ? 2000 : 800;
        u.ut_tv.tv_sec = static_cast<decltype(u.ut_tv.tv_sec)>(t);
        if (std::fwrite(&u, sizeof u, 1, f) != 1) {
            std::fclose(f);
            return false;
        }
    }
    return std::fclose(f) == 0;
}

std::string FileOf(long records) {
    std::string path = "/tmp/vigil-bench-wtmp-" + std::to_string(records);
    if (access(path.c_str(), R_OK) != 0 && !WriteWtmp(path, records)) std::abort();
    return path;
}

void BM_ScanWtmp(benchmark::State& state) {
    const long records = static_cast<long>(state.range(0));
    TWtmpEventSource source(FileOf(records));
    SessionTable table;
    for (auto _ : state) {
        ScanEventLog(table, source, LocalUtcOffsetSeconds);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.counters["sessions"] = static_cast<double>(table.size());
}
BENCHMARK(BM_ScanWtmp)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The whole refresh: scan, close the table, row texts and summary.
void BM_RefreshWtmp(benchmark::State& state) {
    const long records = static_cast<long>(state.range(0));
    TSessionHistory history(std::make_unique<TWtmpEventSource>(FileOf(records)),
                            LocalUtcOffsetSeconds);
    for (auto _ : state) {
        history.Refresh();
        benchmark::DoNotOptimize(history.Rows().Rows.data());
    }
    state.SetItemsProcessed(state.iterations() * records);
}
BENCHMARK(BM_RefreshWtmp)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-wtmp") == 0)
        return WriteWtmp(argv[2], std::atol(argv[3])) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
