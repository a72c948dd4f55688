// Feeds arbitrary bytes to the wtmpdb reader as a database file, through the file check, the
// boot range, the scan and every text built from the table. SQLite needs a named file, so each
// input is written to one in the temporary folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "WindowsLogSeeds.h"
#include "app/PrintCommand.h"
#include "common/WtmpdbTestFile.h"
#include "platform/wtmpdb/WtmpdbSource.h"

namespace {

const std::string& InputPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("vigil-wtmpdb-fuzz-" + std::to_string(getpid()) + ".db"))
                                        .string();
    return path;
}

// A small database with wtmpdb's table, in 512-byte pages so that the seed stays small.
std::vector<std::uint8_t> Seed(const std::vector<TWtmpdbEntry>& rows) {
    const std::string path = InputPath();
    std::filesystem::remove(path);
    const std::string schema = std::string("PRAGMA page_size=512;") + kWtmpdbSchema;
    if (!WriteWtmpdb(path, rows, schema.c_str())) return {};
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    const std::int64_t t = 1700000000;
    std::vector<TWtmpdbEntry> rows;
    for (int i = 0; i < 20; ++i) {
        rows.push_back(WtmpdbBoot(t + 86400 * i,
                                  i % 3 == 2 ? std::nullopt : std::optional(t + 86400 * i + 3600),
                                  "6.1.0-" + std::to_string(i)));
        rows.push_back(WtmpdbLogin(i % 2 ? "ann" : "bob", t + 86400 * i + 60));
    }
    WriteSeeds(*argc, *argv,
               {Seed({WtmpdbBoot(t, t + 60), WtmpdbLogin("ann", t + 5)}), Seed(rows)});
    std::atexit([] { std::filesystem::remove(InputPath()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = InputPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        if (!out) return 0;
    }
    (void)CheckWtmpdb({path});
    auto source =
        std::make_unique<TWtmpdbEventSource>(std::vector{path}, [](const std::string&) {});
    (void)source->Boots();
    TSessionHistory history(std::move(source), [](std::int64_t t) {
        return static_cast<std::int32_t>((t & 1) ? 14 * 3600 : -12 * 3600);
    });
    history.Refresh();
    if (PrintReport(history).empty()) __builtin_trap();  // the summary lines are always there
    return 0;
}
