// Reads a large generated systemd journal the way a refresh does: 1 000 000 entries over
// 2 000 boots, written once by systemd-journal-remote and kept under /tmp for later runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/JournalTestFile.h"
#include "history/SessionHistory.h"
#include "platform/journal/JournalSource.h"

namespace {

namespace fs = std::filesystem;

constexpr long kBoots = 2000;
constexpr long kEntriesPerBoot = 500;
const std::string kFolder = "/tmp/vigil-journal-bench-1M";

// A workstation's boot: the kernel's lines, services, three logins (one of them the display
// manager's greeter), and mostly messages the reader does not want; nine boots in ten end
// with systemd's shutdown message, the tenth crashes.
void AppendBoot(std::string& text, long b, std::uint64_t& realtime) {
    char id[33];
    std::snprintf(id, sizeof id, "%032lx", 0x5eed0000L + b);
    static const char* kUsers[] = {"Debian-gdm", "alice", "bob"};
    for (long i = 0; i < kEntriesPerBoot; ++i) {
        std::uint64_t monotonic = 800000 + static_cast<std::uint64_t>(i) * 7000000;
        TJournalEntry e{realtime + monotonic, monotonic, id, {}};
        if (i < 40) {
            e.Fields = {{"_TRANSPORT", "kernel"},
                        {"MESSAGE", i == 0 ? "Linux version 6.1.0-18-amd64 "
                                             "(debian-kernel@lists.debian.org) #1 SMP"
                                           : "ACPI: device " + std::to_string(i) + " ready"}};
        } else if (i == 100 || i == 101 || i == 300) {
            const char* user = kUsers[i == 100 ? 0 : i == 101 ? 1 : 2];
            e.Fields = {{"_TRANSPORT", "journal"},
                        {"_UID", "0"},
                        {"_COMM", "systemd-logind"},
                        {"MESSAGE_ID", "8d45620c1a4348dbb17410da57c60c66"},
                        {"USER_ID", user},
                        {"SESSION_ID", std::to_string(i)},
                        {"MESSAGE", std::string("New session of user ") + user + "."}};
        } else if (i == kEntriesPerBoot - 1 && b % 10 != 9) {
            e.Fields = {{"_TRANSPORT", "journal"},
                        {"_UID", "0"},
                        {"_COMM", "systemd-logind"},
                        {"MESSAGE_ID", "98268866d1d54a499c4e98921d93bc40"},
                        {"MESSAGE", "System is powering down."}};
        } else {
            e.Fields = {{"_TRANSPORT", "syslog"},
                        {"_UID", std::to_string(i % 3 ? 0 : 1000)},
                        {"_COMM", "service" + std::to_string(i % 37)},
                        {"PRIORITY", "6"},
                        {"MESSAGE", "service " + std::to_string(i % 37) + " reports step " +
                                        std::to_string(i) + " of its work"}};
        }
        AppendExportEntry(text, e);
    }
    realtime += static_cast<std::uint64_t>(kEntriesPerBoot) * 7000000 + 3600000000ULL;
}

// The journal folder, written on the first run.
const std::string& Journal() {
    static const std::string folder = [] {
        std::string journal = kFolder + "/journal";
        if (fs::exists(kFolder + "/complete")) return journal;
        fs::remove_all(kFolder);
        fs::create_directories(journal);
        std::string exportPath = kFolder + "/export.txt";
        {
            std::ofstream out(exportPath, std::ios::binary);
            std::uint64_t realtime = 1500000000ULL * 1000000;
            for (long b = 0; b < kBoots; ++b) {
                std::string text;
                AppendBoot(text, b, realtime);
                out << text;
            }
        }
        std::string why = WriteJournalFromExport(exportPath, journal + "/system.journal");
        if (!why.empty()) {
            std::fprintf(stderr, "%s\n", why.c_str());
            std::exit(1);
        }
        fs::remove(exportPath);
        std::ofstream(kFolder + "/complete") << "1\n";
        return journal;
    }();
    return folder;
}

void BM_JournalEvents(benchmark::State& state) {
    TJournalEventSource source({Journal()});
    long events = 0;
    for (auto _ : state) {
        events = 0;
        if (!source.Open()) state.SkipWithError("the journal cannot be read");
        TLogEvent e;
        while (source.Next(e)) ++events;
        source.Close();
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_JournalEvents)->Unit(benchmark::kMillisecond);

void BM_JournalHistory(benchmark::State& state) {
    TSessionHistory history(std::make_unique<TJournalEventSource>(std::vector{Journal()}),
                            [](std::int64_t) { return 0; });
    for (auto _ : state) history.Refresh();
    state.counters["sessions"] = static_cast<double>(history.Table().size());
}
BENCHMARK(BM_JournalHistory)->Unit(benchmark::kMillisecond);

void BM_JournalBoots(benchmark::State& state) {
    TJournalEventSource source({Journal()});
    for (auto _ : state) benchmark::DoNotOptimize(source.Boots());
}
BENCHMARK(BM_JournalBoots)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
