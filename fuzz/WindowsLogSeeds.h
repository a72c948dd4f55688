#pragma once

// Writes small valid Windows event log files into the corpus folder named on the fuzzer's
// command line when that folder is empty, so that each run starts from real structure.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/WindowsLogTestFile.h"

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
    if (corpus.empty() || !fs::is_directory(corpus, ec) || !fs::is_empty(corpus, ec)) return;
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::ofstream out(corpus + "/seed" + std::to_string(i), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seeds[i].data()),
                  static_cast<std::streamsize>(seeds[i].size()));
    }
}
