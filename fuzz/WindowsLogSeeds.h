#pragma once

// Seeds for the fuzzers: small valid logs, and the hostile shapes made from them, written into
// the corpus folder named on the fuzzer's command line, so that each run starts from real
// structure.
#include <filesystem>
#include <fstream>
#include <istream>
#include <string>
#include <vector>

#include "common/ShrinkingFile.h"
#include "common/WindowsLogTestFile.h"
#include "eventlog/EventLogSource.h"

inline std::vector<TWinEvent> SeedEvents(int boots) {
    std::vector<TWinEvent> events;
    for (int i = 0; i < boots; ++i) {
        std::int64_t t = 1300000000 + 86400LL * i;
        events.push_back(BootEvent(t));
        events.push_back(VersionEvent(t, {"6.01.", "7601", "Service Pack 1"}));
        events.push_back(ServiceEvent(i % 2 ? "S-1-5-18" : "S-1-5-21-1-2-3-1001", t + 60));
        events.push_back(OtherEvent(7036, t + 61));
        events.push_back(ShutdownEvent(t + 3600));
    }
    return events;
}

inline void WriteSeeds(int argc, char** argv, const std::vector<std::vector<std::uint8_t>>& seeds) {
    namespace fs = std::filesystem;
    std::string corpus;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') corpus = argv[i];
    std::error_code ec;
    if (corpus.empty() || !fs::is_directory(corpus, ec)) return;
    // Seeds missing from a corpus kept from earlier runs are added too.
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::string path = corpus + "/seed" + std::to_string(i);
        if (fs::exists(path, ec)) continue;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[i].data()),
                  static_cast<std::streamsize>(seeds[i].size()));
    }
}

// Reads the bytes again through a file that shrinks after a few reads, to a size both taken
// from the bytes themselves: a log truncated or replaced while it is read.
template <class TSource>
void ReadWhileShrinking(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    TShrinkingFile file(std::vector<std::uint8_t>(data, data + size), 1 + data[size - 1] % 4,
                        size / 2 + data[size / 2] % 64);
    std::istream stream(&file);
    TSource source("shrinking");
    if (!source.OpenStream(stream, size)) return;
    TLogEvent event;
    while (source.Next(event)) {
    }
}
