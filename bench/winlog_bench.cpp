// Reads generated Windows event log files the way a refresh does.
// Also: winlog_bench --write-evtx PATH RECORDS / --write-evt PATH RECORDS writes such a file
// and exits (for timing `vigil --print` on it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "common/WindowsLogTestFile.h"
#include "eventlog/EvtSource.h"
#include "eventlog/EvtxSource.h"
#include "history/EventScan.h"

namespace {

// A server's System log: per boot a start, a version event, service controls by the system
// and by an administrator, and mostly events the scan does not use (service state changes,
// network, time sync), then an orderly shutdown. Twenty records per boot.
std::vector<TWinEvent> SystemLog(long records) {
    std::vector<TWinEvent> events;
    events.reserve(static_cast<std::size_t>(records));
    std::int64_t t = 1262304000;  // 2010
    const std::string admin = "S-1-5-21-1004336348-1177238915-682003330-500";
    for (long i = 0; i < records; ++i) {
        int k = static_cast<int>(i % 20);
        t += 90;
        if (k == 0) {
            events.push_back(BootEvent(t));
        } else if (k == 1) {
            events.push_back(VersionEvent(
                t, {"6.01.", "7601", "Service Pack 1", "Multiprocessor Free", "17514"}));
        } else if (k == 2 || k == 5) {
            events.push_back(ServiceEvent(k == 2 ? "S-1-5-18" : admin, t));
        } else if (k == 19) {
            events.push_back(ShutdownEvent(t));
            t += 3600;
        } else {
            TWinEvent e = ServiceEvent("", t);
            e.Id = k % 3 == 0 ? 7036 : k % 3 == 1 ? 4201 : 37;
            events.push_back(e);
        }
    }
    return events;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool WriteLog(const std::string& path, long records, bool evtx) {
    std::vector<TWinEvent> events = SystemLog(records);
    return Write(path, evtx ? EvtxBytes(events) : EvtBytes(events));
}

std::string FileOf(long records, bool evtx) {
    std::string path = "/tmp/vigil-bench-" + std::to_string(records) + (evtx ? ".evtx" : ".evt");
    if (access(path.c_str(), R_OK) != 0 && !WriteLog(path, records, evtx)) std::abort();
    return path;
}

// Opening reads and decodes the whole file; the records are then handed out newest first.
template <class TSource>
void ReadAllRecords(benchmark::State& state, bool evtx) {
    const long records = static_cast<long>(state.range(0));
    TSource source(FileOf(records, evtx));
    std::size_t handed = 0;
    for (auto _ : state) {
        if (!source.Open()) state.SkipWithError("open failed");
        handed = 0;
        TLogEvent event;
        while (source.Next(event)) ++handed;
        source.Close();
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.counters["kept"] = static_cast<double>(handed);
}

void BM_ReadEvtx(benchmark::State& state) {
    ReadAllRecords<TEvtxEventSource>(state, true);
}
BENCHMARK(BM_ReadEvtx)->Arg(60000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReadEvt(benchmark::State& state) {
    ReadAllRecords<TEvtEventSource>(state, false);
}
BENCHMARK(BM_ReadEvt)->Arg(6000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The scan over the reader, as a refresh runs it.
void BM_ScanEvtx(benchmark::State& state) {
    const long records = static_cast<long>(state.range(0));
    TEvtxEventSource source(FileOf(records, true));
    SessionTable table;
    for (auto _ : state) {
        ScanEventLog(table, source, LocalUtcOffsetSeconds);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations() * records);
    state.counters["sessions"] = static_cast<double>(table.size());
}
BENCHMARK(BM_ScanEvtx)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-evtx") == 0)
        return WriteLog(argv[2], std::atol(argv[3]), true) ? 0 : 1;
    if (argc == 4 && std::strcmp(argv[1], "--write-evt") == 0)
        return WriteLog(argv[2], std::atol(argv[3]), false) ? 0 : 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
